// The windows as a screen reader meets them: every control found in the
// accessibility tree with its name and role, the fields telling what they
// hold, the glass button pressed through its action, and the memo's text
// interface and events, with offsets counted in the characters of the text.
#include "tests/app/AppTestSupport.h"

#include "app/KalmoProgram.h"
#include "app/Accessibility.h"
#include "app/FormControls.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "controls/qt/AccessibleEvents.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/memo/qt/CodeMemo.h"
#include "testing/TempFolder.h"

#include <QAccessible>
#include <QTest>

#include <algorithm>
#include <memory>
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
    void disabledPaneIsReadOnlyAndRefusesCaretRequests();

private:
    QWidget* window(const QString& name) const;
    void fillMemo();

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
    form4_ = std::make_unique<TForm4>();
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

void AccessibilityTest::disabledPaneIsReadOnlyAndRefusesCaretRequests()
{
    TCodeMemo* pane = form2_->Memo1;
    pane->model().ClearText();
    pane->model().Lines().AppendLines(kMemoLines);
    pane->model().PlaceCaret(2, 1);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
    QVERIFY(iface->state().disabled);
    QVERIFY(iface->state().readOnly);
    QVERIFY(!iface->state().editable);

    iface->textInterface()->setCursorPosition(0);
    QCOMPARE(iface->textInterface()->cursorPosition(), 6 + 2);
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
