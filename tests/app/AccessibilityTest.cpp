// The windows as a screen reader meets them: every control found in the
// accessibility tree with its name and role, the fields and status panels
// telling what they hold, the translation field linked to its caption and
// telling each entry step, the glass CLOSE pressed through its action and
// from the keyboard, the menus opened with Alt and a letter, and the memo's
// text interface and events, with offsets counted in the characters of the
// text and pieces of text found as a text edit finds them.
#include "tests/app/AppTestSupport.h"

#include "app/KalmoProgram.h"
#include "app/Accessibility.h"
#include "app/FormControls.h"
#include "app/MainWindow.h"
#include "app/StatusPanel.h"
#include "app/SourceViewer.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "controls/qt/AccessibleEvents.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/memo/qt/CodeMemo.h"
#include "testing/TempFolder.h"

#include <QAccessible>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

struct SentEvent {
    QAccessible::Event type = QAccessible::InvalidEvent;
    QObject* object = nullptr;
    int cursor = -1;
    int start = -1;
    int end = -1;
    QString text;
};

std::vector<SentEvent> sentEvents;

void recordEvent(QAccessibleEvent& recorded)
{
    QAccessibleEvent* event = &recorded;
    SentEvent sent;
    sent.type = event->type();
    sent.object = event->object();
    switch (event->type()) {
    case QAccessible::TextCaretMoved:
        sent.cursor = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        break;
    case QAccessible::TextSelectionChanged: {
        auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
        sent.cursor = selection->cursorPosition();
        sent.start = selection->selectionStart();
        sent.end = selection->selectionEnd();
        break;
    }
    case QAccessible::TextInserted: {
        auto* insert = static_cast<QAccessibleTextInsertEvent*>(event);
        sent.start = insert->changePosition();
        sent.text = insert->textInserted();
        break;
    }
    case QAccessible::TextUpdated: {
        auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
        sent.start = update->changePosition();
        sent.text = update->textRemoved() + QLatin1Char('>') + update->textInserted();
        break;
    }
    default: break;
    }
    sentEvents.push_back(sent);
}

using NameAndRole = std::pair<QString, QAccessible::Role>;

void collect(QAccessibleInterface* iface, QList<NameAndRole>& found)
{
    found.append({iface->text(QAccessible::Name), iface->role()});
    for (int i = 0; i < iface->childCount(); ++i)
        collect(iface->child(i), found);
}

// A line with wide Chinese characters, one with a character outside the
// BMP (two UTF-16 units, two cells) and one with a combining accent.
const std::vector<std::string> kMemoLines{
    "<?php",
    "define('_HELLO', '\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C');",
    "a\xF0\x9F\x98\x80" "b",
    "e\xCC\x81x",
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void windowsNameTheirControls_data();
    void windowsNameTheirControls();
    void fieldsAreNamedForWhatTheyHold();
    void glassButtonIsAPushButtonPressedByItsAction();
    void memoOffsetsCountCharactersOfTheWholeText_data();
    void memoOffsetsCountCharactersOfTheWholeText();
    void memoSelectionReadsAndWritesTheModelSelection();
    void memoEventsFollowCaretSelectionAndText();
    void disabledPanesReadAsReadOnlyTextsThatTabReaches();
    void lowerPaneInFullTextModeIsEditedThroughItsInterface();
    void memoPiecesOfTextAreFoundAsATextEditFindsThem_data();
    void memoPiecesOfTextAreFoundAsATextEditFindsThem();
    void memoPiecesAtEveryOffsetMatchAPlainTextEdit();
    void memoCharacterRectCoversTheWholeCharacter_data();
    void memoCharacterRectCoversTheWholeCharacter();
    void statusPanelsReadWhatTheyShowAndAnnounceIt();
    void entryStepTellsTheCaretAndTheConstant();
    void closeButtonHasTheKeyboardWhenItsWindowOpens_data();
    void closeButtonHasTheKeyboardWhenItsWindowOpens();
    void tabMovesBetweenHelpTextAndClose();
    void altAndALetterOpenAMenuInsteadOfTyping_data();
    void altAndALetterOpenAMenuInsteadOfTyping();

private:
    QWidget* window(const QString& name) const;
    void fillMemo();
    void showActive(QWidget* window);
    void loadFile();

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TCodeMemo> memo_;
};

void AccessibilityTest::initTestCase()
{
    installAccessibility();
    // No assistive technology can be active offscreen; the events come here.
    accessible_events::redirect(recordEvent);
}

void AccessibilityTest::cleanupTestCase() { accessible_events::redirect(nullptr); }

void AccessibilityTest::init()
{
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    recorded_->dialogAnswer = folder_->write("lang.php", kLanguageFile);
    form1_ = std::make_unique<TForm1>(recorded_->services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    form3_ = std::make_unique<TForm3>(form1_.get());
    form4_ = std::make_unique<TForm4>(form1_.get());
    memo_ = std::make_unique<TCodeMemo>();
    memo_->resize(400, 200);
    sentEvents.clear();
}

void AccessibilityTest::cleanup()
{
    memo_.reset();
    form4_.reset();
    form3_.reset();
    form2_.reset();
    form1_.reset();
    recorded_.reset();
    folder_.reset();
}

QWidget* AccessibilityTest::window(const QString& name) const
{
    if (name == QLatin1String("main"))
        return form1_.get();
    if (name == QLatin1String("viewer"))
        return form2_.get();
    if (name == QLatin1String("about"))
        return form3_.get();
    return form4_.get();
}

void AccessibilityTest::fillMemo()
{
    memo_->model().ClearText();
    memo_->model().Lines().AppendLines(kMemoLines);
}

void AccessibilityTest::showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void AccessibilityTest::loadFile()
{
    showActive(form1_.get());
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());
}

void AccessibilityTest::windowsNameTheirControls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");

    const auto row = [](const char* window, const char* name, QAccessible::Role role) {
        QTest::addRow("%s: %s", window, name) << QString::fromLatin1(window) << QString::fromUtf8(name) << int(role);
    };
    row("main", "Variable name", QAccessible::StaticText);
    row("main", "Constant name", QAccessible::StaticText);
    row("main", "Orignal Sourcetekst", QAccessible::StaticText);
    row("main", "Source text", QAccessible::StaticText);
    row("main", "To be translated text", QAccessible::StaticText);
    row("main", "Translation", QAccessible::EditableText);
    row("main", "KALMO logo", QAccessible::Graphic);
    row("main", "KALMO emblem", QAccessible::Graphic);
    row("main", "Character set", QAccessible::StaticText);
    row("main", "Progress", QAccessible::StaticText);
    // The menus read without their Alt+letter marks.
    row("main", "File", QAccessible::MenuItem);
    row("main", "View", QAccessible::MenuItem);
    row("main", "Navigate", QAccessible::MenuItem);
    row("main", "Help", QAccessible::MenuItem);
    row("viewer", "Original Sourcefile", QAccessible::StaticText);
    row("viewer", "Original Sourcefile", QAccessible::EditableText);
    row("viewer", "Translated Sourcefile", QAccessible::StaticText);
    row("viewer", "Translated Sourcefile", QAccessible::EditableText);
    row("viewer", "KALMO logo", QAccessible::Graphic);
    row("about", "Langmill", QAccessible::StaticText);
    row("about", "KALMO picture", QAccessible::Graphic);
    row("about", "KALMO logo", QAccessible::Graphic);
    row("about", "CLOSE", QAccessible::Button);
    row("help", "Help", QAccessible::Dialog);
    row("help", "Help text", QAccessible::EditableText);
    row("help", "CLOSE", QAccessible::Button);
}

void AccessibilityTest::windowsNameTheirControls()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(int, role);
    QWidget* shown = this->window(window);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    QList<NameAndRole> found;
    collect(QAccessible::queryAccessibleInterface(shown), found);
    QVERIFY2(found.contains(NameAndRole(name, QAccessible::Role(role))),
             qPrintable(QStringLiteral("not in the tree of %1").arg(window)));
    // No control of the window goes without a name. Containers, scroll bars,
    // menu separators and pop-up menus (read through the menu bar item that
    // opens them) are not controls.
    const QList<QAccessible::Role> unnamed{QAccessible::Client, QAccessible::ScrollBar, QAccessible::Separator,
                                           QAccessible::PopupMenu};
    for (const NameAndRole& entry : found) {
        if (!unnamed.contains(entry.second))
            QVERIFY2(!entry.first.isEmpty(), qPrintable(QStringLiteral("unnamed role %1").arg(int(entry.second))));
    }
}

void AccessibilityTest::fieldsAreNamedForWhatTheyHold()
{
    form1_->show();
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());

    // The shown text is read after the field's name; a change is announced.
    QAccessibleInterface* name = QAccessible::queryAccessibleInterface(form1_->Label2);
    QCOMPARE(name->text(QAccessible::Name), QStringLiteral("Constant name"));
    QCOMPARE(name->text(QAccessible::Description), QStringLiteral("_GREETING"));
    QCOMPARE(name->text(QAccessible::Value), QStringLiteral("_GREETING"));
    const bool announced = std::any_of(sentEvents.begin(), sentEvents.end(), [&](const SentEvent& event) {
        return event.object == form1_->Label2 && event.type == QAccessible::DescriptionChanged;
    });
    QVERIFY(announced);

    // The source text keeps its "&" for the reader as on screen.
    pressKey(Qt::Key_Down);
    QCOMPARE(QAccessible::queryAccessibleInterface(form1_->Label1)->text(QAccessible::Description), QStringLiteral("R&D"));

    QAccessibleInterface* translation = QAccessible::queryAccessibleInterface(form1_->EntryEdit1);
    QCOMPARE(translation->role(), QAccessible::EditableText);
    QVERIFY(translation->textInterface() != nullptr);
    QCOMPARE(translation->text(QAccessible::Value), QStringLiteral("R&D"));
}

void AccessibilityTest::glassButtonIsAPushButtonPressedByItsAction()
{
    form3_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form3_.get()));
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(form3_->GlassButton1);
    QCOMPARE(button->role(), QAccessible::Button);
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("CLOSE"));
    QVERIFY(button->state().focusable);
    QVERIFY(!button->state().disabled);
    QAccessibleActionInterface* actions = button->actionInterface();
    QVERIFY(actions != nullptr);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(form3_->isHidden());

    // A disabled button is not pressed.
    form3_->show();
    form3_->GlassButton1->setEnabled(false);
    QVERIFY(button->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(form3_->isVisible());
}

void AccessibilityTest::memoOffsetsCountCharactersOfTheWholeText_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("offset");

    // Lines start at 0, 6, 32 and 37: "<?php" and its line break are 6
    // characters, the Chinese line 25 and the next one 4.
    QTest::newRow("first line") << 3 << 0 << 3;
    QTest::newRow("end of the first line") << 5 << 0 << 5;
    QTest::newRow("before the Chinese text") << 18 << 1 << 6 + 18;
    QTest::newRow("second Chinese character") << 20 << 1 << 6 + 19;
    QTest::newRow("inside a wide character") << 21 << 1 << 6 + 19;
    QTest::newRow("after the Chinese text") << 26 << 1 << 6 + 22;
    QTest::newRow("after a surrogate pair") << 3 << 2 << 32 + 3;
    QTest::newRow("after a combining accent") << 1 << 3 << 37 + 2;
}

void AccessibilityTest::memoOffsetsCountCharactersOfTheWholeText()
{
    QFETCH(int, column);
    QFETCH(int, line);
    QFETCH(int, offset);
    fillMemo();
    memo_->model().PlaceCaret(column, line);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(memo_.get());
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text != nullptr);
    const QStringList lines = iface->text(QAccessible::Value).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), int(kMemoLines.size()));
    QCOMPARE(text->characterCount(), int(iface->text(QAccessible::Value).size()));

    QCOMPARE(text->cursorPosition(), offset);
    int start = -1;
    int end = -1;
    const QString caretLine = text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
    QCOMPARE(caretLine.chopped(caretLine.endsWith(QLatin1Char('\n')) ? 1 : 0), QString::fromStdString(kMemoLines[line]));
    QCOMPARE(text->text(start, start + int(lines[line].size())), lines[line]);

    // Back from the offset to the memo's cell.
    memo_->model().PlaceCaret(0, 0);
    text->setCursorPosition(offset);
    QCOMPARE(memo_->model().CaretLine(), line);
    QCOMPARE(text->cursorPosition(), offset);
}

void AccessibilityTest::memoSelectionReadsAndWritesTheModelSelection()
{
    fillMemo();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo_.get())->textInterface();
    QCOMPARE(text->selectionCount(), 0);

    // The two middle Chinese characters, selected by a screen reader.
    text->setSelection(0, 6 + 19, 6 + 21);
    QCOMPARE(memo_->model().SelText(), std::string("\xE5\xA5\xBD\xE4\xB8\x96"));
    QCOMPARE(text->selectionCount(), 1);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(start, 6 + 19);
    QCOMPARE(end, 6 + 21);
    QCOMPARE(text->cursorPosition(), 6 + 21);

    // A selection made in the memo reads in the same offsets, ordered.
    memo_->model().SelectAll();
    text->selection(0, &start, &end);
    QCOMPARE(start, 0);
    QCOMPARE(end, text->characterCount());

    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
}

void AccessibilityTest::memoEventsFollowCaretSelectionAndText()
{
    fillMemo();
    memo_->model().PlaceCaret(18, 1);
    memo_->show();
    memo_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(memo_.get()));
    memo_->setFocus();
    QCoreApplication::processEvents();
    const auto eventsOf = [this](QAccessible::Event type) {
        std::vector<SentEvent> found;
        for (const SentEvent& event : sentEvents) {
            if (event.object == memo_.get() && event.type == type)
                found.push_back(event);
        }
        return found;
    };

    // One step over a wide character is one character further.
    sentEvents.clear();
    QTest::keyClick(memo_.get(), Qt::Key_Right);
    QTRY_COMPARE(eventsOf(QAccessible::TextCaretMoved).size(), std::size_t(1));
    QCOMPARE(eventsOf(QAccessible::TextCaretMoved).front().cursor, 6 + 19);

    sentEvents.clear();
    QTest::keyClick(memo_.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTRY_COMPARE(eventsOf(QAccessible::TextSelectionChanged).size(), std::size_t(1));
    const SentEvent selection = eventsOf(QAccessible::TextSelectionChanged).front();
    QCOMPARE(selection.start, 6 + 19);
    QCOMPARE(selection.end, 6 + 20);
    QCOMPARE(selection.cursor, 6 + 20);

    // Typing over the selection replaces one character with another, as
    // one change however many steps the memo takes.
    sentEvents.clear();
    QTest::keyClicks(memo_.get(), QStringLiteral("X"));
    QTRY_COMPARE(eventsOf(QAccessible::TextUpdated).size(), std::size_t(1));
    QCOMPARE(eventsOf(QAccessible::TextUpdated).front().start, 6 + 19);
    QCOMPARE(eventsOf(QAccessible::TextUpdated).front().text, QString::fromUtf8("\xE5\xA5\xBD>X"));

    // Typing at the caret inserts.
    sentEvents.clear();
    QTest::keyClicks(memo_.get(), QStringLiteral("Y"));
    QTRY_COMPARE(eventsOf(QAccessible::TextInserted).size(), std::size_t(1));
    QCOMPARE(eventsOf(QAccessible::TextInserted).front().start, 6 + 20);
    QCOMPARE(eventsOf(QAccessible::TextInserted).front().text, QStringLiteral("Y"));
}

void AccessibilityTest::disabledPanesReadAsReadOnlyTextsThatTabReaches()
{
    for (TCodeMemo* pane : {form2_->Memo1, form2_->Memo2}) {
        pane->model().ClearText();
        pane->model().Lines().AppendLines(kMemoLines);
        pane->model().PlaceCaret(2, 1);
    }
    // Activating the viewer puts the focus on its first tab stop, Tab on the next.
    showActive(form2_.get());
    QCOMPARE(QApplication::focusWidget(), form2_->Memo1);
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form2_->Memo2);

    for (TCodeMemo* pane : {form2_->Memo1, form2_->Memo2}) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
        const QAccessible::State state = iface->state();
        QVERIFY(!state.disabled);
        QVERIFY(state.focusable);
        QCOMPARE(bool(state.focused), pane == form2_->Memo2);
        QVERIFY(state.readOnly);
        QVERIFY(!state.editable);

        // The panes still take no input, from assistive technology neither.
        iface->textInterface()->setCursorPosition(0);
        QCOMPARE(iface->textInterface()->cursorPosition(), 6 + 2);
        QVERIFY(iface->editableTextInterface() != nullptr);
        iface->editableTextInterface()->insertText(0, QStringLiteral("x"));
        QCOMPARE(pane->model().Lines().Line(0), kMemoLines[0]);
    }
}

void AccessibilityTest::lowerPaneInFullTextModeIsEditedThroughItsInterface()
{
    TCodeMemo* pane = form2_->Memo2;
    pane->model().ClearText();
    pane->model().Lines().AppendLines(kMemoLines);
    pane->SetEnabled(true);
    pane->model().SetReadOnly(false);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
    QVERIFY(iface->state().editable);
    QVERIFY(!iface->state().readOnly);
    QAccessibleEditableTextInterface* edit = iface->editableTextInterface();
    QVERIFY(edit != nullptr);

    // Offsets in characters: the Chinese text starts at 6 + 18.
    edit->replaceText(6 + 18, 6 + 20, QStringLiteral("Hi"));
    QCOMPARE(pane->model().Lines().Line(1), std::string("define('_HELLO', 'Hi\xE4\xB8\x96\xE7\x95\x8C');"));
    edit->insertText(5, QStringLiteral(" // x"));
    QCOMPARE(pane->model().Lines().Line(0), std::string("<?php // x"));
    edit->deleteText(0, 2);
    QCOMPARE(pane->model().Lines().Line(0), std::string("php // x"));
    QCOMPARE(iface->textInterface()->cursorPosition(), 0);
}

void AccessibilityTest::memoPiecesOfTextAreFoundAsATextEditFindsThem_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<int>("start");

    // Line 1 starts at 6: "define('_HELLO', '你好世界');", "_HELLO" at 14.
    const auto row = [](const char* name, const char* where, QAccessible::TextBoundaryType boundary, int offset,
                        const char* piece, int start) {
        QTest::newRow(name) << QString::fromLatin1(where) << int(boundary) << offset << QString::fromUtf8(piece)
                            << start;
    };
    row("a constant is one word", "at", QAccessible::WordBoundary, 16, "_HELLO", 14);
    row("from its first character", "at", QAccessible::WordBoundary, 14, "_HELLO", 14);
    row("punctuation runs together", "at", QAccessible::WordBoundary, 13, "('", 12);
    row("the word before", "before", QAccessible::WordBoundary, 16, "('", 12);
    row("the word after", "after", QAccessible::WordBoundary, 16, "',", 20);
    row("Chinese text", "at", QAccessible::WordBoundary, 25, "\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C", 24);
    row("a surrogate pair is one character", "at", QAccessible::CharBoundary, 33, "\xF0\x9F\x98\x80", 33);
    row("an accent stays on its letter", "at", QAccessible::CharBoundary, 37, "e\xCC\x81", 37);
    row("a line without its break", "at", QAccessible::LineBoundary, 16, "define('_HELLO', '\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C');", 6);
    row("nothing before the first line", "before", QAccessible::LineBoundary, 3, "", 0);
    row("the whole text", "at", QAccessible::NoBoundary, 16, "", 0);
}

void AccessibilityTest::memoPiecesOfTextAreFoundAsATextEditFindsThem()
{
    QFETCH(QString, where);
    QFETCH(int, boundary);
    QFETCH(int, offset);
    QFETCH(QString, piece);
    QFETCH(int, start);
    fillMemo();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo_.get())->textInterface();
    const auto type = static_cast<QAccessible::TextBoundaryType>(boundary);
    if (type == QAccessible::NoBoundary)
        piece = text->text(0, text->characterCount());

    int first = -1;
    int end = -1;
    QString found;
    if (where == QLatin1String("at"))
        found = text->textAtOffset(offset, type, &first, &end);
    else if (where == QLatin1String("before"))
        found = text->textBeforeOffset(offset, type, &first, &end);
    else
        found = text->textAfterOffset(offset, type, &first, &end);
    QCOMPARE(found, piece);
    QCOMPARE(first, start);
    QCOMPARE(end, start + int(piece.size()));
}

void AccessibilityTest::memoPiecesAtEveryOffsetMatchAPlainTextEdit()
{
    fillMemo();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo_.get())->textInterface();
    QPlainTextEdit stock;
    stock.setReadOnly(true);
    stock.setLineWrapMode(QPlainTextEdit::NoWrap);
    stock.setPlainText(text->text(0, text->characterCount()));
    stock.show();
    QAccessibleTextInterface* expected = QAccessible::queryAccessibleInterface(&stock)->textInterface();
    QCOMPARE(text->characterCount(), expected->characterCount());

    using Find = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;
    const std::array<std::pair<const char*, Find>, 3> finds{{{"at", &QAccessibleTextInterface::textAtOffset},
                                                            {"before", &QAccessibleTextInterface::textBeforeOffset},
                                                            {"after", &QAccessibleTextInterface::textAfterOffset}}};
    for (const QAccessible::TextBoundaryType type :
         {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::LineBoundary}) {
        for (int offset = 0; offset <= text->characterCount(); ++offset) {
            int atStart = -1;
            int atEnd = -1;
            (expected->*finds[0].second)(offset, type, &atStart, &atEnd);
            for (const auto& [name, find] : finds) {
                int start = -1;
                int end = -1;
                int wantedStart = -1;
                int wantedEnd = -1;
                const QString found = (text->*find)(offset, type, &start, &end);
                QString wanted = (expected->*find)(offset, type, &wantedStart, &wantedEnd);
                // Past the text's edge the text edit repeats the piece at
                // the offset; there is nothing there.
                const bool pastStart = find == finds[1].second && atStart == 0;
                const bool pastEnd = find == finds[2].second && atEnd == text->characterCount();
                if (pastStart || pastEnd) {
                    wanted.clear();
                    wantedStart = wantedEnd = pastStart ? 0 : text->characterCount();
                }
                const QString where = QStringLiteral("%1 boundary %2 at %3: \"%4\" [%5, %6) instead of \"%7\" [%8, %9)")
                                          .arg(QLatin1String(name)).arg(int(type)).arg(offset).arg(found).arg(start)
                                          .arg(end).arg(wanted).arg(wantedStart).arg(wantedEnd);
                QVERIFY2(found == wanted && start == wantedStart && end == wantedEnd, qPrintable(where));
            }
        }
    }
}

void AccessibilityTest::memoCharacterRectCoversTheWholeCharacter_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("next"); // the next character's offset
    QTest::newRow("ASCII") << 3 << 1 << 4;
    QTest::newRow("Chinese") << 6 + 19 << 2 << 6 + 20;
    QTest::newRow("emoji, a surrogate pair") << 33 << 2 << 35;
    QTest::newRow("letter with a combining accent") << 37 << 1 << 39;
}

void AccessibilityTest::memoCharacterRectCoversTheWholeCharacter()
{
    QFETCH(int, offset);
    QFETCH(int, cells);
    QFETCH(int, next);
    fillMemo();
    memo_->show();
    QVERIFY(QTest::qWaitForWindowExposed(memo_.get()));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo_.get())->textInterface();
    const QRect rect = text->characterRect(offset);
    QCOMPARE(rect.width(), cells * memo_->model().CharWidth());
    QCOMPARE(rect.height(), memo_->model().LineHeight());
    // Where the memo draws it: the next character starts at its right edge.
    QCOMPARE(text->characterRect(next).left(), rect.left() + rect.width());
}

void AccessibilityTest::statusPanelsReadWhatTheyShowAndAnnounceIt()
{
    loadFile();
    for (const StatusPanel* panel : {form1_->EncodingPanel, form1_->ProgressPanel}) {
        QVERIFY(!panel->text().isEmpty());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<StatusPanel*>(panel));
        QCOMPARE(iface->text(QAccessible::Name), panel->What() + QStringLiteral(": ") + panel->text());
        const bool announced = std::any_of(sentEvents.begin(), sentEvents.end(), [&](const SentEvent& event) {
            return event.object == panel && event.type == QAccessible::NameChanged;
        });
        QVERIFY2(announced, qPrintable(panel->What()));
    }
    QCOMPARE(form1_->ProgressPanel->text(), QStringLiteral("translated 0 of 2"));

    // A committed translation is told as the new progress.
    sentEvents.clear();
    typeText(QStringLiteral("Hi"));
    pressKey(Qt::Key_Return);
    QVERIFY(form1_->ProgressPanel->text().startsWith(QStringLiteral("translated 1 of 2")));
    QCOMPARE(QAccessible::queryAccessibleInterface(form1_->ProgressPanel)->text(QAccessible::Name),
             QStringLiteral("Progress: ") + form1_->ProgressPanel->text());
    QVERIFY(std::any_of(sentEvents.begin(), sentEvents.end(), [&](const SentEvent& event) {
        return event.object == form1_->ProgressPanel && event.type == QAccessible::NameChanged;
    }));
}

void AccessibilityTest::entryStepTellsTheCaretAndTheConstant()
{
    loadFile();
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(form1_->EntryEdit1);
    QCOMPARE(field->text(QAccessible::Name), QStringLiteral("Translation of _GREETING"));
    QCOMPARE(field->text(QAccessible::Description), QStringLiteral("Hello"));

    sentEvents.clear();
    pressKey(Qt::Key_Down);
    QCOMPARE(field->text(QAccessible::Name), QStringLiteral("Translation of _FAREWELL"));
    QCOMPARE(field->text(QAccessible::Description), QStringLiteral("R&D"));
    // The last caret move told is where the caret is: after the selected text.
    std::optional<int> lastCaret;
    for (const SentEvent& event : sentEvents) {
        if (event.object == form1_->EntryEdit1 && event.type == QAccessible::TextCaretMoved)
            lastCaret = event.cursor;
    }
    QVERIFY(lastCaret.has_value());
    QCOMPARE(*lastCaret, 3);
    QCOMPARE(field->textInterface()->cursorPosition(), 3);

    // Linked to its caption both ways.
    QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(form1_->StaticText3);
    const auto labels = field->relations(QAccessible::Label);
    QVERIFY(std::any_of(labels.begin(), labels.end(), [&](const auto& relation) { return relation.first == caption; }));
    const auto labelled = caption->relations(QAccessible::Labelled);
    QVERIFY(std::any_of(labelled.begin(), labelled.end(), [&](const auto& relation) { return relation.first == field; }));
}

void AccessibilityTest::closeButtonHasTheKeyboardWhenItsWindowOpens_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (const char* window : {"about", "help"}) {
        QTest::addRow("%s: Space", window) << QString::fromLatin1(window) << int(Qt::Key_Space) << 0;
        QTest::addRow("%s: Enter", window) << QString::fromLatin1(window) << int(Qt::Key_Return) << 0;
        QTest::addRow("%s: keypad Enter", window)
            << QString::fromLatin1(window) << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
}

void AccessibilityTest::closeButtonHasTheKeyboardWhenItsWindowOpens()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QWidget* shown = this->window(window);
    TGlassButton* close = window == QLatin1String("about") ? form3_->GlassButton1 : form4_->GlassButton1;
    // Opened from the main window twice: the focus is on CLOSE at every
    // opening, whatever had it before.
    showActive(form1_.get());
    for (int opening = 0; opening < 2; ++opening) {
        showActive(shown);
        QTRY_COMPARE(QApplication::focusWidget(), close);
        QVERIFY(QAccessible::queryAccessibleInterface(close)->state().focused);
        if (opening == 0) {
            pressKey(Qt::Key_Tab);
            pressKey(Qt::Key_Escape);
            QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
            continue;
        }
        pressKey(static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(shown->isHidden());
        QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    }
}

void AccessibilityTest::tabMovesBetweenHelpTextAndClose()
{
    showActive(form4_.get());
    QCOMPARE(QApplication::focusWidget(), form4_->GlassButton1);
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form4_->CodeMemo1);
    // The read-only text types no tab: Tab moves on.
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form4_->GlassButton1);
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form4_->CodeMemo1);
    QVERIFY(form4_->CodeMemo1->model().Lines().Line(0).find('\t') == std::string::npos);
}

void AccessibilityTest::altAndALetterOpenAMenuInsteadOfTyping_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+F") << int(Qt::Key_F) << QStringLiteral("File1");
    QTest::newRow("Alt+V") << int(Qt::Key_V) << QStringLiteral("View1");
    QTest::newRow("Alt+N") << int(Qt::Key_N) << QStringLiteral("Navigate1");
    QTest::newRow("Alt+H") << int(Qt::Key_H) << QStringLiteral("HelpMenu1");
}

void AccessibilityTest::altAndALetterOpenAMenuInsteadOfTyping()
{
    QFETCH(int, key);
    QFETCH(QString, menu);
    loadFile();
    QVERIFY(form1_->EntryEdit1->hasFocus());
    QVERIFY(form1_->EntryEdit1->hasSelectedText());

    pressKey(static_cast<Qt::Key>(key), Qt::AltModifier);
    QWidget* opened = QApplication::activePopupWidget();
    QVERIFY(opened != nullptr);
    QCOMPARE(opened->objectName(), menu);
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hello"));
    opened->close();
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
