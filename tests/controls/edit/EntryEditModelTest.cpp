// The entry edit's rules without a screen: the colour state over focus and
// enabled changes, Text, the key and character filters, and paste.
#include "controls/edit/EntryEditModel.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace kalmo {
namespace {

ColorValue colorNamed(const std::string& name)
{
    static const std::map<std::string, ColorValue> colors{
        {"window", clWindow}, {"windowtext", clWindowText}, {"black", clBlack}, {"white", clWhite},
        {"silver", clSilver}, {"yellow", clYellow},         {"red", clRed},     {"none", clNone},
    };
    return colors.at(name);
}

// Drives the model through a script such as "fg=white focus blur disable".
void run(EntryEditModel& model, const std::string& script)
{
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
        if (step == "focus")
            model.FocusGained();
        else if (step == "blur")
            model.FocusLost();
        else if (step == "disable")
            model.SetEnabled(false);
        else if (step == "enable")
            model.SetEnabled(true);
        else if (step == "load")
            model.BeginLoading();
        else if (step == "loaded")
            model.Loaded();
        else {
            const auto equals = step.find('=');
            ASSERT_NE(equals, std::string::npos) << step;
            const std::string property = step.substr(0, equals);
            const ColorValue color = colorNamed(step.substr(equals + 1));
            if (property == "bg")
                model.SetColor(color);
            else if (property == "fg")
                model.SetFontColor(color);
            else if (property == "focusbg")
                model.SetFocusColor(color);
            else if (property == "focusfg")
                model.SetFocusFontColor(color);
            else
                FAIL() << "unknown step " << step;
        }
    }
}

struct ColourCase {
    const char* name;
    const char* script;
    const char* background;
    const char* text;
};

class ColourState : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourState, ShowsExpectedColours)
{
    EntryEditModel model;
    run(model, GetParam().script);
    EXPECT_EQ(model.Color(), colorNamed(GetParam().background));
    EXPECT_EQ(model.FontColor(), colorNamed(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    EntryEditModel, ColourState,
    ::testing::Values(
        ColourCase{"Defaults", "", "window", "windowtext"},
        ColourCase{"FocusGainShowsFocusFontColour", "fg=white focus", "window", "windowtext"},
        ColourCase{"FontColourSetUnfocusedReturnsAtFocusLoss", "fg=white focus blur", "window", "white"},
        ColourCase{"ProgramColoursWhileFocusedShowAtOnce", "focus bg=black fg=white", "black", "white"},
        ColourCase{"FontColourSetWhileFocusedIsLostAtFocusLoss", "focus bg=black fg=white blur", "black", "windowtext"},
        ColourCase{"FocusRoundTripAfterWholeLineColours", "focus bg=black fg=white blur focus", "black",
                   "windowtext"},
        ColourCase{"DisablingShowsDisabledColourAndKeepsText", "fg=white disable", "silver", "white"},
        ColourCase{"EnablingReturnsToTheColourBeforeDisabling", "bg=black disable enable", "black", "windowtext"},
        ColourCase{"EnablingAnEnabledControlChangesNothing", "focusbg=yellow focus enable", "yellow", "windowtext"},
        ColourCase{"ColourWrittenWhileDisabledShowsAtOnce", "disable bg=black", "black", "windowtext"},
        ColourCase{"ColourWrittenWhileDisabledStaysAfterEnabling", "disable bg=black enable", "black", "windowtext"},
        ColourCase{"FocusColourWhileFocused", "focusbg=yellow focus", "yellow", "windowtext"},
        ColourCase{"FocusColourUndoneAtFocusLoss", "bg=black focusbg=yellow focus blur", "black", "windowtext"},
        ColourCase{"FocusColourNoneKeepsBackground", "bg=black focus", "black", "windowtext"},
        ColourCase{"FocusFontColourNoneKeepsText", "focusfg=none fg=white focus", "window", "white"},
        ColourCase{"DisablingWhileFocusedShowsDisabledColour", "focusbg=yellow focus disable", "silver", "windowtext"},
        ColourCase{"FocusColourNotRememberedWhenDisabledWhileFocused", "focusbg=yellow focus disable enable", "window",
                   "windowtext"},
        ColourCase{"LoadingDefersTheDisabledColour", "load disable bg=black", "black", "windowtext"},
        ColourCase{"LoadedDisabledControlShowsDisabledColour", "load disable bg=black loaded", "silver", "windowtext"},
        ColourCase{"LoadedDisabledControlEnablesToStoredColour", "load disable bg=black loaded enable", "black",
                   "windowtext"},
        ColourCase{"FocusIgnoredWhileLoading", "load fg=white focus loaded", "window", "white"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EntryEditModel, VersionIsFixedAndReadOnly)
{
    EntryEditModel model;
    model.SetVersion("9.9.9.9");
    EXPECT_EQ(model.Version(), "2.8.1.3");
    EXPECT_EQ(EntryEditModel::VersionNumber(), 0x02080103u);
}

TEST(EntryEditModel, LookupSizesIgnoreWritesBelowOne)
{
    TLookupSettings lookup;
    lookup.SetNumChars(0);
    lookup.SetDisplayCount(-1);
    EXPECT_EQ(lookup.NumChars(), 2);
    EXPECT_EQ(lookup.DisplayCount(), 4);
    lookup.SetNumChars(1);
    EXPECT_EQ(lookup.NumChars(), 1);
    EXPECT_EQ(lookup.Separator, ";");
}

TEST(EntryEditModel, WritingTextShowsItFromItsStartAndClearsModified)
{
    EntryEditModel model;
    model.SetModified(true);
    const EditReaction reaction = model.SetText("Grüße");
    EXPECT_EQ(reaction.showText, "Grüße");
    EXPECT_EQ(reaction.select, (TextSelection{0, 0}));
    EXPECT_TRUE(reaction.raiseChange);
    EXPECT_EQ(model.Text(), "Grüße");
    EXPECT_FALSE(model.Modified());
}

TEST(EntryEditModel, WritingTheSameTextChangesNothingButClearsModified)
{
    EntryEditModel model;
    model.SetText("abc");
    model.SetModified(true);
    const EditReaction reaction = model.SetText("abc");
    EXPECT_FALSE(reaction.showText);
    EXPECT_FALSE(reaction.select);
    EXPECT_FALSE(reaction.raiseChange);
    EXPECT_FALSE(model.Modified());
}

TEST(EntryEditModel, OnlyRealTextChangesRaiseChange)
{
    EntryEditModel model;
    model.SetText("ours");
    EXPECT_FALSE(model.PlatformTextChanged("ours")) << "the echo of our own write is no second change";
    EXPECT_TRUE(model.PlatformTextChanged("typed"));
    EXPECT_EQ(model.Text(), "typed");
    EXPECT_FALSE(model.Modified()) << "a change alone does not say who made it";
    model.PlatformEdited();
    EXPECT_TRUE(model.Modified());
}

struct FixedTextCase {
    const char* prefix;
    const char* suffix;
    const char* shown;
    const char* text;
};

class FixedText : public ::testing::TestWithParam<FixedTextCase> {};

TEST_P(FixedText, TextLeavesOutPrefixAndSuffix)
{
    EntryEditModel model;
    model.Features().Prefix = GetParam().prefix;
    model.Features().Suffix = GetParam().suffix;
    model.PlatformTextChanged(GetParam().shown);
    EXPECT_EQ(model.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(EntryEditModel, FixedText,
                         ::testing::Values(FixedTextCase{"", "", "a b ", "a b "},
                                           FixedTextCase{"EUR ", "", "EUR 12", "12"},
                                           FixedTextCase{"EUR ", "", "12", "12"},
                                           FixedTextCase{"", " kg", "12 kg", "12"},
                                           // A suffix the user cut into is not there to cut:
                                           // no character of the value is lost.
                                           FixedTextCase{"", " kg", "12 k", "12 k"},
                                           FixedTextCase{"<", ">", "<x>", "x"}),
                         testing_support::NameFrom<&FixedTextCase::shown>{});

TEST(EntryEditModel, WritingTextAddsPrefixAndSuffix)
{
    EntryEditModel model;
    model.Features().Prefix = "<";
    model.Features().Suffix = ">";
    EXPECT_EQ(model.SetText("x").showText, "<x>");
    EXPECT_EQ(model.Text(), "x");
}

TEST(EntryEditModel, EveryFocusGainSelectsTheWholeTextInCodePoints)
{
    EntryEditModel model;
    model.SetText("Grüße");
    EXPECT_EQ(model.FocusGained().select, (TextSelection{0, 5}));
    model.FocusLost();
    EXPECT_EQ(model.FocusGained().select, (TextSelection{0, 5}));

    model.FocusLost();
    model.SetAutoSelect(false);
    EXPECT_FALSE(model.FocusGained().select);
}

TEST(EntryEditModel, FocusGivenBackWithItsWindowKeepsTheUsersSelection)
{
    EntryEditModel model;
    model.SetText("Grüße");
    model.FocusGained();
    model.FocusLost();
    const EditReaction back = model.FocusGained(FocusCause::windowActivated);
    EXPECT_FALSE(back.select);
    EXPECT_TRUE(model.Focused());
    // The colours still follow the focus.
    EXPECT_EQ(model.FontColor(), model.FocusFontColor());
}

TEST(EntryEditModel, FocusGainSelectsOnlyTheValueBetweenPrefixAndSuffix)
{
    EntryEditModel model;
    model.Features().Prefix = "<";
    model.Features().Suffix = ">";
    model.SetText("ab");
    EXPECT_EQ(model.FocusGained().select, (TextSelection{1, 2}));
}

struct CharacterCase {
    const char* name;
    char32_t character;
    ShiftState shift;
    bool swallowed;
    bool offeredToKeyPress;
    bool modified;
};

class CharacterFilter : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(CharacterFilter, DecidesWhatReachesTheEditField)
{
    EntryEditModel model;
    const CharacterCase& c = GetParam();
    const EditReaction reaction = model.KeyPress(c.character, c.shift);
    EXPECT_EQ(reaction.swallowKey, c.swallowed);
    EXPECT_EQ(reaction.offerKeyPress, c.offeredToKeyPress);
    EXPECT_FALSE(reaction.passToParent);
    EXPECT_EQ(model.Modified(), c.modified);
}

INSTANTIATE_TEST_SUITE_P(EntryEditModel, CharacterFilter,
                         ::testing::Values(CharacterCase{"EnterNeverBecomesACharacter", 13, 0, true, true, false},
                                           CharacterCase{"CtrlEnterIsDropped", 13, ssCtrl, true, false, false},
                                           CharacterCase{"CtrlLineFeedIsDropped", 10, ssCtrl, true, false, false},
                                           CharacterCase{"LetterIsTypedAndModifies", U'a', 0, false, false, true},
                                           CharacterCase{"NonAsciiIsTypedAndModifies", U'ß', ssShift, false, false,
                                                         true},
                                           CharacterCase{"BackspaceLeftToTheEditField", 8, 0, false, false, false},
                                           CharacterCase{"CopyDoesNotModify", 3, ssCtrl, false, false, false},
                                           CharacterCase{"CutLeftToTheEditField", 24, ssCtrl, false, false, false},
                                           CharacterCase{"NulTypesNothing", 0, 0, false, false, false},
                                           CharacterCase{"C1ControlTypesNothing", 0x85, 0, false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EntryEditModel, WindowKeysPassUnchanged)
{
    for (const KeyCode key : {vk::Enter, vk::Up, vk::Down, vk::F1, vk::F2, vk::Escape}) {
        EntryEditModel model;
        model.SetText("text");
        model.FocusGained();
        model.PlatformTextChanged("typed");
        const EditReaction reaction = model.KeyDown(key, 0, OwnerKeyPreview::on);
        EXPECT_FALSE(reaction.swallowKey) << key;
        EXPECT_FALSE(reaction.showText) << key;
        EXPECT_FALSE(reaction.focusNext) << key;
        EXPECT_EQ(model.Text(), "typed") << key;
    }
}

struct EscapeCase {
    OwnerKeyPreview preview;
    bool canUndo;
    bool restores;
};

class EscapeKey : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeKey, RestoresTheFocusTextOnlyWithoutKeyPreview)
{
    EntryEditModel model;
    model.SetCanUndo(GetParam().canUndo);
    model.SetText("old");
    model.FocusGained();
    model.PlatformTextChanged("new");
    model.PlatformEdited();
    model.SetFontColor(clRed);

    const EditReaction reaction = model.KeyDown(vk::Escape, 0, GetParam().preview);
    if (GetParam().restores) {
        EXPECT_EQ(reaction.showText, "old");
        EXPECT_EQ(reaction.select, (TextSelection{0, 3}));
        EXPECT_TRUE(reaction.swallowKey);
        EXPECT_TRUE(reaction.passToParent);
        EXPECT_EQ(model.Text(), "old");
        EXPECT_FALSE(model.Modified());
        EXPECT_EQ(model.FontColor(), clWindowText);
    } else {
        EXPECT_FALSE(reaction.swallowKey);
        EXPECT_EQ(model.Text(), "new");
        EXPECT_TRUE(model.Modified());
    }
}

std::string escapeCaseName(const testing::TestParamInfo<EscapeCase>& info)
{
    static constexpr const char* previews[] = {"NoOwner", "PreviewOff", "PreviewOn"};
    return std::string(previews[static_cast<int>(info.param.preview)]) + (info.param.canUndo ? "CanUndo" : "CannotUndo");
}

INSTANTIATE_TEST_SUITE_P(EntryEditModel, EscapeKey,
                         ::testing::Values(EscapeCase{OwnerKeyPreview::off, true, true},
                                           EscapeCase{OwnerKeyPreview::on, true, false},
                                           EscapeCase{OwnerKeyPreview::noOwner, true, false},
                                           EscapeCase{OwnerKeyPreview::off, false, false}),
                         escapeCaseName);

TEST(EntryEditModel, ReturnIsTabMovesTheFocusUnlessCtrlIsHeld)
{
    EntryEditModel model;
    model.SetReturnIsTab(true);
    const EditReaction enter = model.KeyDown(vk::Enter, 0, OwnerKeyPreview::on);
    EXPECT_TRUE(enter.focusNext);
    EXPECT_TRUE(enter.swallowKey);
    EXPECT_FALSE(model.KeyDown(vk::Enter, ssCtrl, OwnerKeyPreview::on).focusNext);
}

TEST(EntryEditModel, DeleteMarksModified)
{
    EntryEditModel model;
    model.KeyDown(vk::Delete, 0, OwnerKeyPreview::on);
    EXPECT_TRUE(model.Modified());
}

struct PasteCase {
    const char* name;
    const char* text;
    TextSelection selection;
    const char* clipboard;
    const char* result;
    TextSelection after;
    bool onOneLine = false;
};

class PasteRule : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteRule, ReplacesSelectionOrInsertsAtCaret)
{
    EntryEditModel model;
    model.SetText(GetParam().text);
    model.SetPasteOnOneLine(GetParam().onOneLine);
    const EditReaction reaction = model.Paste(std::string(GetParam().clipboard), GetParam().selection);
    EXPECT_EQ(model.Text(), GetParam().result);
    EXPECT_EQ(reaction.showText, GetParam().result);
    EXPECT_EQ(reaction.select, GetParam().after);
    EXPECT_TRUE(reaction.raiseChange);
    EXPECT_TRUE(model.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    EntryEditModel, PasteRule,
    ::testing::Values(PasteCase{"TwoLinesKeepTheirLineBreak", "", {0, 0}, "a\r\nb", "a\r\nb", {4, 0}},
                      PasteCase{"InsertAtCaret", "hello", {2, 0}, "XY", "heXYllo", {4, 0}},
                      PasteCase{"OverSelectionLeavesPastedTextSelected", "hello", {1, 3}, "ü", "hüo", {1, 1}},
                      PasteCase{"PositionsCountCodePoints", "Grüße", {3, 0}, "-", "Grü-ße", {4, 0}},
                      PasteCase{"SelectionPastTheEndIsClamped", "ab", {5, 2}, "c", "abc", {2, 1}},
                      PasteCase{"OnOneLineEachLineBreakIsASpace", "", {0, 0}, "a\r\nb\rc\nd", "a b c d", {7, 0}, true},
                      PasteCase{"OnOneLineOverSelection", "hello", {1, 3}, "x\n\ny", "hx  yo", {1, 4}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EntryEditModel, PasteThatCannotBeDoneChangesNothing)
{
    struct Refusal {
        const char* why;
        std::optional<std::string> clipboard;
        bool readOnly;
        int maxLength;
    };
    for (const Refusal& refusal : {Refusal{"no text on the clipboard", std::nullopt, false, 0},
                                   Refusal{"read-only", "x", true, 0}, Refusal{"longer than MaxLength", "xy", false, 4}}) {
        EntryEditModel model;
        model.SetText("abc");
        model.SetReadOnly(refusal.readOnly);
        model.SetMaxLength(refusal.maxLength);
        const EditReaction reaction = model.Paste(refusal.clipboard, {3, 0});
        EXPECT_FALSE(reaction.showText) << refusal.why;
        EXPECT_FALSE(reaction.select) << refusal.why;
        EXPECT_EQ(model.Text(), "abc") << refusal.why;
        EXPECT_FALSE(model.Modified()) << refusal.why;
    }
    EntryEditModel exact;
    exact.SetText("abc");
    exact.SetMaxLength(4);
    exact.Paste(std::string("x"), {3, 0});
    EXPECT_EQ(exact.Text(), "abcx") << "a paste up to MaxLength is taken";
}

TEST(EntryEditModel, FrameWhileDisabledOrFocused)
{
    EntryEditModel themed;
    EXPECT_FALSE(themed.FrameColor());
    themed.SetEnabled(false);
    EXPECT_EQ(themed.FrameColor(), clSilver);

    EntryEditModel plain(false);
    plain.SetEnabled(false);
    EXPECT_FALSE(plain.FrameColor());

    EntryEditModel focused;
    focused.FocusGained();
    EXPECT_FALSE(focused.FrameColor());
    focused.SetFocusBorderColor(clRed);
    EXPECT_EQ(focused.FrameColor(), clRed);
    focused.FocusLost();
    EXPECT_FALSE(focused.FrameColor());
}

TEST(EntryEditModel, TextIsUrl)
{
    const std::pair<const char*, bool> cases[] = {
        {"http://kalmo.nl", true}, {"info@kalmo.nl", true}, {"@kalmo", false},
        {"WWW.kalmo.nl", true},    {"plain text", false},   {"", false},
    };
    for (const auto& [text, isUrl] : cases) {
        EntryEditModel model;
        model.SetText(text);
        EXPECT_EQ(model.TextIsUrl(), isUrl) << text;
    }
}

TEST(EntryEditModel, ValidationThatAsksAgainDoesNotRecurse)
{
    EntryEditModel model;
    int calls = 0;
    model.OnValueValidate = [&](std::string_view text, bool& valid) {
        ++calls;
        EXPECT_TRUE(model.IsValueValid(text));
        valid = false;
    };
    EXPECT_FALSE(model.IsValueValid("x"));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(model.IsValueValid("x")) << "the guard is released afterwards";
}

TEST(EntryEditModel, FailedValidationShowsTheErrorColoursWhileEnabled)
{
    EntryEditModel model;
    model.Loaded();
    bool accepted = true;
    model.OnValueValidate = [&](std::string_view, bool& valid) { valid = accepted; };
    model.Features().ShowError = true;
    accepted = false;
    model.PlatformTextChanged("typed");
    EXPECT_TRUE(model.ErrorState());
    EXPECT_EQ(model.ShownColor(), clRed);
    EXPECT_EQ(model.ShownFontColor(), clWhite);
    EXPECT_EQ(model.Color(), clWindow) << "the colour to return to stays";
    model.SetEnabled(false);
    EXPECT_EQ(model.ShownColor(), clSilver);
    model.SetEnabled(true);
    // The verdict changed on the same text: asked again, the colours go.
    accepted = true;
    model.UpdateErrorState();
    EXPECT_FALSE(model.ErrorState());
    EXPECT_EQ(model.ShownColor(), clWindow);
    EXPECT_EQ(model.ShownFontColor(), model.FontColor());
}

} // namespace
} // namespace kalmo
