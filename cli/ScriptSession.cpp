// `kalmo script`'s session: the job, its panes and the commands; see ScriptSession.h.
#include "cli/ScriptSession.h"

#include "app/layouts/MemoLayouts.h"
#include "base/KalmoError.h"
#include "base/KeyCodes.h"
#include "cli/CommandLine.h"
#include "controls/memo/MemoCharacters.h"
#include "app/menu/MenuCommands.h"
#include "job/RecoveryFolder.h"

#include <filesystem>
#include <map>

namespace kalmo {
namespace {

// A file dialog hands back full paths.
std::string fullPath(const std::string& path)
{
    if (path.empty())
        return path;
    return std::filesystem::absolute(path).lexically_normal().string();
}

// A script's load starts from the source file, as the window program's
// Load does when told to start over; `continue` takes up the earlier
// translation instead.
const char* const kLoadAnswer = "Start Over";

TextEncoding encodingNamed(const std::string& name)
{
    const auto encoding = TextEncoding::named(name);
    if (!encoding)
        throw KalmoError(TextEncoding::problem(name));
    return *encoding;
}

} // namespace

ScriptSession::ScriptSession(std::ostream& out)
    : out_(out), job_(*this, memo1_, memo2_),
      memory_(job_, [this](std::function<void()> task) { memoryResults_.post(std::move(task)); })
{
    memory_.OnProblem = [this](const std::string& message) { notes_.push_back(message); };
    memory_.OnFilled = [this](const std::string& message) { notes_.push_back(message); };
    shapeViewerPanes(memo1_, memo2_);
    memo2_.OnActiveLineChange = [this](TCustomCodeMemo&, int) { job_.Memo2ActiveLineChange(); };
    memo2_.OnKeyDown = [this](TCustomCodeMemo&, KeyCode& key, ShiftState) { job_.ViewerKeyDown(key); };
    memo2_.SetClipboard(&clipboard_);
    job_.OnSaved = [this](const std::string& path) { savedPath_ = path; };
    job_.KeepRecoveryJournalIn(defaultRecoveryFolder());
    job_.FormCreate();
}

std::optional<std::string> ScriptSession::ChooseSourceFile(const FileDialogRequest&)
{
    return dialogAnswer_;
}

std::size_t ScriptSession::Ask(const Question& question)
{
    std::optional<std::size_t> chosen;
    if (!queuedAnswers_.empty()) {
        chosen = question.answerNamed(queuedAnswers_.front());
        if (!chosen)
            throw KalmoError("No answer \"" + queuedAnswers_.front() + "\" to the question \"" + question.text + "\"");
        queuedAnswers_.pop_front();
    } else if (commandAnswer_) {
        chosen = question.answerNamed(*commandAnswer_);
    }
    const std::size_t answer = chosen.value_or(question.defaultAnswer);
    questions_.push_back(question.text + " -> " + question.answers[answer]);
    return answer;
}

void ScriptSession::ShowNotes(const std::string&, const std::vector<std::string>& notes)
{
    notes_.insert(notes_.end(), notes.begin(), notes.end());
}

bool ScriptSession::run(const std::string& commandLine)
{
    const auto space = commandLine.find(' ');
    const std::string command = commandLine.substr(0, space);
    const std::string argument = space == std::string::npos ? std::string() : commandLine.substr(space + 1);

    beeps_ = 0;
    savedPath_.reset();
    panesAsked_ = false;
    encodingAsked_ = false;
    progressAsked_ = false;
    suggestionsAsked_ = false;
    problemsAsked_ = false;
    entryProblemsAsked_ = false;
    notes_.clear();
    questions_.clear();
    commandAnswer_.reset();
    std::optional<std::string> error;
    try {
        dispatch(command, argument);
    } catch (const KalmoError& failure) {
        error = failure.what();
    }
    memory_.Settle(memoryResults_);
    // As the window program's timer does, after every change.
    if (!ended_)
        job_.KeepJournal();

    for (const std::string& question : questions_)
        out_ << "question: " << question << '\n';
    if (savedPath_)
        out_ << "saved: " << *savedPath_ << '\n';
    for (int i = 0; i < beeps_; ++i)
        out_ << "beep\n";
    if (error)
        out_ << "error: " << errorReportText(*error) << '\n';
    for (const std::string& note : notes_)
        out_ << "note: " << note << '\n';
    if (ended_)
        return false;
    if (encodingAsked_)
        out_ << "encoding: " << encodingPanel_ << '\n';
    if (panesAsked_)
        printPanes();
    if (progressAsked_)
        out_ << "progress: " << progressPanel_ << '\n';
    if (suggestionsAsked_)
        printSuggestions();
    printProblems();
    printState();
    return true;
}

void ScriptSession::dispatch(const std::string& command, const std::string& argument)
{
    if (command == "load") {
        commandAnswer_ = kLoadAnswer;
        dialogAnswer_ = fullPath(argument);
        job_.LoadSourceFile1Click();
    } else if (command == "load-as") {
        encodingAsked_ = true;
        loadAs(argument);
    } else if (command == "reload-as") {
        encodingAsked_ = true;
        job_.ReloadWithEncoding(encodingNamed(argument));
    } else if (command == "encoding") {
        encodingAsked_ = true;
    } else if (command == "continue") {
        dialogAnswer_ = fullPath(argument);
        job_.ContinueTranslation();
    } else if (command == "save") {
        job_.Save();
    } else if (command == "save-as") {
        targetAnswer_ = fullPath(argument);
        job_.SaveAs();
    } else if (command == "recover") {
        job_.Recover(fullPath(argument));
    } else if (command == "next-untranslated") {
        job_.NextUntranslated();
    } else if (command == "previous-untranslated") {
        job_.PreviousUntranslated();
    } else if (command == "find") {
        findAnswer_ = argument;
        job_.Find();
    } else if (command == "find-next") {
        findAnswer_.reset();
        job_.FindNext();
    } else if (command == "progress") {
        progressAsked_ = true;
    } else if (command == "problems") {
        problemsAsked_ = true;
    } else if (command == "checks") {
        entryProblemsAsked_ = true;
    } else if (command == "next-problem") {
        job_.NextProblem();
    } else if (command == "previous-problem") {
        job_.PreviousProblem();
    } else if (command == "ignore") {
        const auto colon = argument.rfind(':');
        if (colon == std::string::npos || colon == 0)
            throw KalmoError("ignore needs CONSTANT:CHECK");
        job_.IgnoreProblem(argument.substr(0, colon), argument.substr(colon + 1));
    } else if (command == "load-cancel") {
        dialogAnswer_.reset();
        job_.LoadSourceFile1Click();
    } else if (command == "type") {
        // A disabled field takes no typing.
        if (translationEnabled_)
            translation_ = argument;
    } else if (command == "key") {
        pressMainWindowKey(argument);
    } else if (command == "exit") {
        job_.Exit1Click();
    } else if (command == "pane-key") {
        pressPaneKey(argument);
    } else if (command == "pane-type") {
        typeIntoPane(argument);
    } else if (command == "clipboard") {
        clipboard_.SetText(unescapeScriptText(argument));
    } else if (command == "answer") {
        queuedAnswers_.push_back(argument);
    } else if (command == "panes") {
        panesAsked_ = true;
    } else if (command == "language") {
        memory_.ChooseLanguage(argument);
    } else if (command == "suggestions") {
        suggestionsAsked_ = true;
    } else if (command == "use-suggestion") {
        memory_.UseSuggestion(argument.size() == 1 && argument[0] >= '1' && argument[0] <= '9' ? argument[0] - '0' : 0);
    } else if (command == "fill-from-memory") {
        memory_.FillFromMemory();
    } else if (command == "next-to-review") {
        job_.NextToReview();
    } else {
        throw KalmoError("Unknown command \"" + command + "\"");
    }
}

// The set is chosen for the path first, so that the load that follows (its
// dialog answering the path) reads the file in it.
void ScriptSession::loadAs(const std::string& argument)
{
    const auto space = argument.find(' ');
    if (space == std::string::npos)
        throw KalmoError("load-as needs a character set and a path");
    const TextEncoding encoding = encodingNamed(argument.substr(0, space));
    commandAnswer_ = kLoadAnswer;
    dialogAnswer_ = fullPath(argument.substr(space + 1));
    job_.ChooseEncoding(*dialogAnswer_, encoding);
    job_.LoadSourceFile1Click();
}

void ScriptSession::pressMainWindowKey(const std::string& name)
{
    static const std::map<std::string, KeyCode> keys = {
        {"Enter", vk::Enter}, {"Up", vk::Up}, {"Down", vk::Down}, {"F1", vk::F1}, {"F2", vk::F2},
    };
    const auto key = keys.find(name);
    if (key == keys.end())
        throw KalmoError("Unknown key \"" + name + "\"");
    job_.FormKeyDown(key->second);
}

// As the platform delivers a key in the lower pane: the main menu's
// shortcuts win, then the key goes down, then its character follows; a
// disabled pane gets neither.
void ScriptSession::pressPaneKey(const std::string& argument)
{
    const auto press = parsePaneKey(argument);
    if (!press)
        throw KalmoError("Unknown key \"" + argument + "\"");
    if (runMenuShortcut(*press))
        return;
    if (memo2_.Enabled())
        memo2_.KeyDown(press->key, press->shift);
    const auto character = characterOfKey(*press);
    if (character && memo2_.Enabled())
        memo2_.KeyPress(*character);
}

bool ScriptSession::runMenuShortcut(const ScriptKeyPress& press)
{
    const std::optional<MenuCommand> command = menuCommandFor(shortCut(press.key, press.shift));
    if (!command)
        return false;
    // The dialogs a shortcut opens here are cancelled: the pane has no way
    // to answer them.
    switch (*command) {
    case MenuCommand::LoadSourceFile:
        dialogAnswer_.reset();
        job_.LoadSourceFile1Click();
        return true;
    case MenuCommand::ContinueTranslation:
        dialogAnswer_.reset();
        job_.ContinueTranslation();
        return true;
    case MenuCommand::Save: job_.Save(); return true;
    case MenuCommand::SaveAs:
        targetAnswer_.reset();
        job_.SaveAs();
        return true;
    case MenuCommand::Help:
    case MenuCommand::About:
    case MenuCommand::Sidebar: return true; // they only show a window or a panel
    case MenuCommand::Exit: job_.Exit1Click(); return true;
    case MenuCommand::SourceWindows: viewerVisible_ = !viewerVisible_; return true;
    case MenuCommand::NextUntranslated: job_.NextUntranslated(); return true;
    case MenuCommand::PreviousUntranslated: job_.PreviousUntranslated(); return true;
    case MenuCommand::Find:
        findAnswer_.reset();
        job_.Find();
        return true;
    case MenuCommand::FindNext:
        findAnswer_.reset();
        job_.FindNext();
        return true;
    case MenuCommand::NextToReview: job_.NextToReview(); return true;
    case MenuCommand::FillFromMemory: memory_.FillFromMemory(); return true;
    case MenuCommand::TranslationLanguage:
    case MenuCommand::SearchMemory: return true; // their windows take no answer from the pane
    case MenuCommand::UseSuggestion1:
    case MenuCommand::UseSuggestion2:
    case MenuCommand::UseSuggestion3:
    case MenuCommand::UseSuggestion4:
    case MenuCommand::UseSuggestion5: memory_.UseSuggestion(suggestionNumberOf(*command)); return true;
    case MenuCommand::NextProblem: job_.NextProblem(); return true;
    case MenuCommand::PreviousProblem: job_.PreviousProblem(); return true;
    case MenuCommand::Problems: problemsAsked_ = true; return true;
    }
    return false;
}

void ScriptSession::typeIntoPane(const std::string& text)
{
    // One key press per code point, as a keyboard sends them: a combining
    // mark joins the character typed before it.
    for (char32_t ch : codePoints(text)) {
        if (memo2_.Enabled())
            memo2_.KeyPress(ch);
    }
}

void ScriptSession::printPanes()
{
    out_ << "upper: first=" << memo1_.FirstVisibleLine() << " active=" << memo1_.ActiveLineIndex()
         << " caret=" << memo1_.CaretCol() << ',' << memo1_.CaretLine() << '\n';
    out_ << "lower: first=" << memo2_.FirstVisibleLine() << " active=" << memo2_.ActiveLineIndex()
         << " caret=" << memo2_.CaretCol() << ',' << memo2_.CaretLine() << " selection=" << memo2_.SelFromCol()
         << ',' << memo2_.SelFromLine() << '-' << memo2_.SelToCol() << ',' << memo2_.SelToLine()
         << " undo=" << memo2_.UndoCount() << " redo=" << memo2_.RedoCount() << '\n';
    out_ << "clipboard: " << escapeScriptText(clipboard_.Text()) << '\n';
    for (int i = 0; i < memo2_.Lines().LineCount(); ++i)
        out_ << "| " << memo2_.Lines().Line(i) << '\n';
    for (const auto& line : job_.WorkingLines())
        out_ << "|| " << line << '\n';
}

void ScriptSession::printSuggestions()
{
    const MemorySuggestions& shown = memory_.Suggestions();
    out_ << "language: " << memory_.Language() << '\n';
    const auto joined = [](const std::vector<MarkedPiece>& pieces) {
        std::string text;
        for (const MarkedPiece& piece : pieces)
            text += piece.text;
        return text;
    };
    if (shown.toReview) {
        out_ << "old source: " << joined(shown.oldSource) << '\n';
        out_ << "new source: " << joined(shown.newSource) << '\n';
    }
    for (std::size_t i = 0; i < shown.matches.size(); ++i)
        out_ << "suggestion " << i + 1 << ": " << shown.matches[i].score << "% " << shown.matches[i].translation << '\n';
}

// As `kalmo check` prints them: every finding of the file, or those of the
// entry on show with the field's text.
void ScriptSession::printProblems()
{
    if (problemsAsked_)
        for (const Finding& finding : job_.Problems())
            cli::printFinding(finding, out_);
    if (entryProblemsAsked_)
        for (const Finding& finding : job_.EntryProblems(translation_))
            cli::printFinding(finding, out_);
}

void ScriptSession::printState()
{
    out_ << "status: " << status_ << '\n'
         << "name: " << name_ << '\n'
         << "source: " << source_ << '\n'
         << "translation: " << translation_ << '\n';
}

} // namespace kalmo
