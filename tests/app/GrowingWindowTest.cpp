// The main window larger than its stored size, on real windows and keys:
// where the controls stand, the wrapping areas and their keys (each the
// same as in the one-line field), the sidebar and its Entry section, the
// Tab order of every window, and the viewer's text size.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/ChecksSection.h"
#include "app/EntrySection.h"
#include "app/FormControls.h"
#include "app/HelpWindow.h"
#include "app/KeySchemeMenu.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/PaneTextSize.h"
#include "app/Sidebar.h"
#include "app/SourceViewer.h"
#include "app/SuggestionsSection.h"
#include "app/WrappedText.h"
#include "controls/edit/qt/EntryArea.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QAction>
#include <QClipboard>
#include <QTimer>
#include <QMenu>
#include <QContextMenuEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// Two entries whose values need several lines of the translation field's width.
const std::string kLongValues =
    "<?php\n"
    "define('_PRIVACY', 'We keep the data you give us only as long as we need it to run your account: your name, "
    "your e-mail address and the pages you wrote.');\n"
    "define('_TERMS', 'By using this site you agree to the terms below, which we may change from time to time "
    "after telling you by e-mail.');\n";

// What a key sequence left behind in the field and the job.
struct Outcome {
    QString text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;
    int entry = 0;
    QString status;
};

// The widgets in the order the window's focus chain holds them, whether or
// not they take the focus now.
QList<QWidget*> inChainOrder(QWidget& window, const QList<QWidget*>& widgets)
{
    QList<QWidget*> order;
    QWidget* widget = &window;
    do {
        if (widgets.contains(widget))
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != &window);
    return order;
}

} // namespace

class GrowingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsFollowTheClientArea_data();
    void controlsFollowTheClientArea();
    void maximisedWindowShowsTheAreasAndTheStatusBarAtTheBottom();
    void keysInTheTranslationAreaDoWhatTheyDoInTheField_data();
    void keysInTheTranslationAreaDoWhatTheyDoInTheField();
    void pasteInTheAreaPutsLinesOnOneLine();
    void areaShowsTheFieldsColoursAndState();
    void areaUnderlinesTheFieldsMisspeltWords();
    void growingAndShrinkingKeepsTheFocusCaretAndSelection();
    void clickInTheAreaPlacesTheFieldsCaret();
    void sourceAreaHoldsTheWholeTextReadOnly();
    void f4HidesAndShowsTheSidebarBesideTheClient();
    void sectionIsAddedWithOneCall();
    void sidebarHoldsTheEntryThenItsChecksThenSuggestions();
    void entrySectionShowsTheEntryOnShow();
    void tabOrderInEveryWindow_data();
    void tabOrderInEveryWindow();
    void tabReachesTheMainWindowsControlsInOrder();
    void viewerTextSizeKeys_data();
    void viewerTextSizeKeys();

private:
    void makeWindows();
    void load();
    // Grows the client area by the given amounts, starting from the stored size.
    void growClient(int wider, int taller);
    void outcomeOf(bool tall, bool common, const QString& keys, const QString& clipboard, Outcome& outcome);

    std::unique_ptr<UserFolders> userFolders_;
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
};

void GrowingWindowTest::init()
{
    userFolders_ = std::make_unique<UserFolders>();
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    recorded_->dialogAnswer = folder_->write("long.php", kLongValues);
    makeWindows();
}

void GrowingWindowTest::cleanup()
{
    form2_.reset();
    form1_.reset();
    recorded_.reset();
    folder_.reset();
    userFolders_.reset();
}

void GrowingWindowTest::makeWindows()
{
    form2_.reset();
    form1_.reset();
    form1_ = std::make_unique<TForm1>(recorded_->services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    keepWindowPlaces(*form1_, *form2_);
    form1_->show();
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    // The sidebar's sections come once it has been drawn.
    QTRY_VERIFY(!form1_->SidebarShown() || form1_->EntrySection1->Name);
}

void GrowingWindowTest::load()
{
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());
}

void GrowingWindowTest::growClient(int wider, int taller)
{
    const QSize grown = QSize(TForm1::ClientWidth + wider, TForm1::ClientHeight + taller) - form1_->Client()->size();
    form1_->resize(form1_->size() + grown);
    QTRY_COMPARE(form1_->Client()->size(), QSize(TForm1::ClientWidth + wider, TForm1::ClientHeight + taller));
}

void GrowingWindowTest::controlsFollowTheClientArea_data()
{
    QTest::addColumn<int>("wider");
    QTest::addColumn<int>("taller");
    QTest::addColumn<QRect>("translation");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QPoint>("translationCaption");
    QTest::addColumn<QPoint>("logo");
    QTest::addColumn<QPoint>("emblem");
    QTest::addColumn<QRect>("statusBar");
    // At the stored size the one-line fields stand where the stored layout
    // puts them; taller, the areas share the extra height.
    QTest::newRow("stored size") << 0 << 0 << QRect(8, 120, 453, 21) << QRect(8, 77, 453, 13) << QPoint(8, 101)
                                 << QPoint(8, 154) << QPoint(404, 8) << QRect(0, 195, 469, 19);
    QTest::newRow("wider") << 200 << 0 << QRect(8, 120, 653, 21) << QRect(8, 77, 653, 13) << QPoint(8, 101)
                           << QPoint(8, 154) << QPoint(604, 8) << QRect(0, 195, 669, 19);
    QTest::newRow("taller") << 0 << 101 << QRect(8, 170, 453, 72) << QRect(8, 77, 453, 63) << QPoint(8, 151)
                            << QPoint(8, 255) << QPoint(404, 8) << QRect(0, 296, 469, 19);
    QTest::newRow("wider and taller") << 331 << 300 << QRect(8, 270, 784, 171) << QRect(8, 77, 784, 163)
                                      << QPoint(8, 251) << QPoint(8, 454) << QPoint(735, 8) << QRect(0, 495, 800, 19);
}

void GrowingWindowTest::controlsFollowTheClientArea()
{
    QFETCH(int, wider);
    QFETCH(int, taller);
    if (form1_->SidebarShown())
        form1_->Sidebar1Click();
    growClient(wider, taller);
    const bool tall = taller > 0;
    QWidget* translation = tall ? static_cast<QWidget*>(form1_->EntryArea1) : form1_->EntryEdit1;
    QVERIFY(translation->isVisible());
    QCOMPARE(form1_->EntryEdit1->isVisible(), !tall);
    QCOMPARE(form1_->Label1->isVisible(), !tall);
    QCOMPARE(form1_->SourceArea1->isVisible(), tall);
    QTEST(translation->geometry(), "translation");
    QFETCH(QRect, source);
    if (tall)
        QCOMPARE(form1_->SourceArea1->geometry(), source);
    else
        QCOMPARE(form1_->Label1->MaxWidth(), source.width());
    QTEST(form1_->StaticText3->pos(), "translationCaption");
    QTEST(form1_->Image1->pos(), "logo");
    QTEST(form1_->Image2->pos(), "emblem");
    QTEST(form1_->StatusBar1->geometry(), "statusBar");
    // The name stops before the emblem, wherever that stands.
    QCOMPARE(form1_->Label2->MaxWidth(), form1_->Image2->x() - 4 - form1_->Label2->x());
}

void GrowingWindowTest::maximisedWindowShowsTheAreasAndTheStatusBarAtTheBottom()
{
    load();
    form1_->showMaximized();
    QTRY_VERIFY(form1_->EntryArea1->isVisible());
    QWidget& client = *form1_->Client();
    QVERIFY(client.height() > TForm1::ClientHeight);
    QCOMPARE(form1_->StatusBar1->geometry(), QRect(0, client.height() - 19, client.width(), 19));
    QCOMPARE(form1_->Image1->geometry().bottom(), form1_->StatusBar1->y() - 10);
    QVERIFY(form1_->EntryArea1->geometry().bottom() < form1_->Image1->y());
    QCOMPARE(form1_->EntryArea1->toPlainText(), form1_->EntryEdit1->QLineEdit::text());
    QVERIFY(form1_->EntryArea1->hasFocus());
}

void GrowingWindowTest::keysInTheTranslationAreaDoWhatTheyDoInTheField_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("common"); // under the common key scheme
    // The entry is shown with its whole text selected, the caret at its end.
    QTest::newRow("Enter commits and shows the next") << "X, Return" << "" << false;
    QTest::newRow("Down commits and shows the next") << "X, Down" << "" << false;
    QTest::newRow("Up commits and stays at the first") << "X, Up" << "" << false;
    QTest::newRow("Down then Up comes back to the commit") << "X, Down, Up" << "" << false;
    QTest::newRow("Home") << "Home" << "" << false;
    QTest::newRow("End") << "End" << "" << false;
    QTest::newRow("Left collapses the selection") << "Left" << "" << false;
    QTest::newRow("Shift+Left") << "Shift+Left" << "" << false;
    QTest::newRow("Home, Shift+End") << "Home, Shift+End" << "" << false;
    QTest::newRow("Ctrl+Left") << "End, Ctrl+Left, Ctrl+Left" << "" << false;
    QTest::newRow("typing replaces the selection") << "A, B" << "" << false;
    QTest::newRow("Backspace") << "End, Backspace" << "" << false;
    QTest::newRow("Delete") << "Home, Delete" << "" << false;
    QTest::newRow("Ctrl+Z undoes typing") << "A, B, Ctrl+Z" << "" << false;
    QTest::newRow("Ctrl+Enter types no line break") << "End, Ctrl+Return" << "" << false;
    QTest::newRow("Escape keeps the text") << "A, Escape" << "" << false;
    QTest::newRow("Ctrl+V") << "Home, Ctrl+V" << "pasted " << false;
    QTest::newRow("F1 shows the whole line") << "F1" << "" << false;
    QTest::newRow("common Ctrl+A, Ctrl+X cuts all") << "Ctrl+A, Ctrl+X" << "" << true;
    QTest::newRow("common Ctrl+X, Ctrl+Z undoes the cut") << "Home, Shift+End, Ctrl+X, Ctrl+Z" << "" << true;
    QTest::newRow("common Ctrl+Y redoes") << "A, Ctrl+Z, Ctrl+Y" << "" << true;
}

void GrowingWindowTest::outcomeOf(bool tall, bool common, const QString& keys, const QString& clipboard,
                                  Outcome& outcome)
{
    makeWindows();
    (common ? form1_->Keys1->Common1 : form1_->Keys1->Classic1)->trigger();
    if (form1_->SidebarShown())
        form1_->Sidebar1Click();
    growClient(0, tall ? 120 : 0);
    load();
    QGuiApplication::clipboard()->setText(clipboard);
    TEntryEdit& field = *form1_->EntryEdit1;
    TEntryArea& area = *form1_->EntryArea1;
    QSignalSpy edited(&field, &QLineEdit::textEdited);
    QCOMPARE(QApplication::focusWidget(), tall ? static_cast<QWidget*>(&area) : &field);
    const QKeySequence sequence(keys);
    for (int i = 0; i < sequence.count(); ++i)
        pressKey(sequence[i].key(), sequence[i].keyboardModifiers());
    if (tall) {
        // The area shows what the field holds, on one line of the file.
        QCOMPARE(area.document()->toRawText(), field.QLineEdit::text());
        QCOMPARE(area.document()->blockCount(), 1);
        QCOMPARE(area.textCursor().position(), field.cursorPosition());
        QCOMPARE(area.textCursor().selectedText(), field.selectedText());
        QVERIFY(area.hasFocus());
    }
    // The recovery journal follows typing through the field's edits.
    if (keys.startsWith(QLatin1String("A, ")) || keys.startsWith(QLatin1String("X, ")))
        QVERIFY(!edited.isEmpty());
    outcome = {field.QLineEdit::text(), field.cursorPosition(),      field.selectionStart(),
               static_cast<int>(field.selectedText().size()), form1_->Job().CurrentEntry(), form1_->StatusText()};
}

void GrowingWindowTest::keysInTheTranslationAreaDoWhatTheyDoInTheField()
{
    QFETCH(QString, keys);
    QFETCH(QString, clipboard);
    QFETCH(bool, common);
    Outcome inField;
    outcomeOf(false, common, keys, clipboard, inField);
    Outcome inArea;
    outcomeOf(true, common, keys, clipboard, inArea);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(inArea.text, inField.text);
    QCOMPARE(inArea.cursor, inField.cursor);
    QCOMPARE(inArea.selectionStart, inField.selectionStart);
    QCOMPARE(inArea.selectionLength, inField.selectionLength);
    QCOMPARE(inArea.entry, inField.entry);
    QCOMPARE(inArea.status, inField.status);
    QVERIFY(!inArea.text.contains(QLatin1Char('\n')));
}

void GrowingWindowTest::pasteInTheAreaPutsLinesOnOneLine()
{
    load();
    QGuiApplication::clipboard()->setText(QStringLiteral(" two\nlines\r\nhere"));
    pressKey(Qt::Key_End);
    // The one-line field takes the lines as they are.
    pressKey(Qt::Key_V, Qt::ControlModifier);
    QVERIFY(form1_->EntryEdit1->QLineEdit::text().endsWith(QStringLiteral("wrote. two\nlines\r\nhere")));

    growClient(0, 120);
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_End, Qt::ShiftModifier);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form1_->EntryEdit1->QLineEdit::text(), QStringLiteral(" two lines here"));
    QCOMPARE(form1_->EntryArea1->document()->blockCount(), 1);
}

void GrowingWindowTest::areaShowsTheFieldsColoursAndState()
{
    growClient(0, 120);
    load();
    TEntryArea& area = *form1_->EntryArea1;
    const QColor white = area.palette().color(QPalette::Active, QPalette::Base);
    pressKey(Qt::Key_F1);
    QCOMPARE(area.palette().color(QPalette::Active, QPalette::Base), QColor(Qt::black));
    QCOMPARE(area.palette().color(QPalette::Active, QPalette::Text), QColor(Qt::white));
    pressKey(Qt::Key_F1);
    QCOMPARE(area.palette().color(QPalette::Active, QPalette::Base), white);

    // Full-text mode disables the field, and with it the area; leaving it
    // gives the area the keyboard back with the entry selected.
    pressKey(Qt::Key_F2);
    QVERIFY(!area.isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    pressKey(Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    QVERIFY(area.isEnabled());
    QVERIFY(area.hasFocus());
    QCOMPARE(area.textCursor().selectedText(), form1_->EntryEdit1->QLineEdit::text());
}

void GrowingWindowTest::areaUnderlinesTheFieldsMisspeltWords()
{
    growClient(0, 120);
    load();
    TEntryArea& area = *form1_->EntryArea1;
    form1_->EntryEdit1->SetText("Wij bewaaren uw gegevens");
    form1_->EntryEdit1->SetUnderlined({{4, 8}});
    QCOMPARE(area.extraSelections().size(), 1);
    const QTextEdit::ExtraSelection mark = area.extraSelections().front();
    QCOMPARE(mark.cursor.selectedText(), QStringLiteral("bewaaren"));
    QCOMPARE(mark.format.underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    // Red, or the text's colour where the field shows the error colour.
    QVERIFY(mark.format.underlineColor() != area.palette().color(QPalette::Base));
    form1_->EntryEdit1->SetUnderlined({});
    QVERIFY(area.extraSelections().isEmpty());

    // A right click on a word of the area's second line offers what the
    // field offers for that word.
    form1_->EntryEdit1->SetText(std::string(120, 'a') + " bewaaren");
    QTextCursor word(area.document());
    word.setPosition(123);
    const QPoint onWord = area.cursorRect(word).center();
    QVERIFY(onWord.y() > area.cursorRect(QTextCursor(area.document())).bottom());
    int asked = -1;
    form1_->EntryEdit1->OnContextMenu = [&](TEntryEdit&, QMenu& menu, int position) {
        asked = position;
        QTimer::singleShot(0, &menu, &QMenu::close);
    };
    QContextMenuEvent click(QContextMenuEvent::Mouse, onWord, area.viewport()->mapToGlobal(onWord));
    QApplication::sendEvent(area.viewport(), &click);
    QCOMPARE(asked, 123);
    form1_->EntryEdit1->OnContextMenu = nullptr;
}

void GrowingWindowTest::growingAndShrinkingKeepsTheFocusCaretAndSelection()
{
    load();
    TEntryEdit& field = *form1_->EntryEdit1;
    pressKey(Qt::Key_Home);
    for (int i = 0; i < 5; ++i)
        pressKey(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(field.selectedText(), QStringLiteral("We ke"));

    growClient(0, 80);
    QVERIFY(form1_->EntryArea1->hasFocus());
    QCOMPARE(form1_->EntryArea1->textCursor().selectedText(), QStringLiteral("We ke"));
    pressKey(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(field.selectedText(), QStringLiteral("We kee"));

    growClient(0, 0);
    QVERIFY(field.hasFocus());
    QVERIFY(field.isVisible());
    QCOMPARE(field.selectedText(), QStringLiteral("We kee"));
    QCOMPARE(field.cursorPosition(), 6);
}

void GrowingWindowTest::clickInTheAreaPlacesTheFieldsCaret()
{
    growClient(0, 120);
    load();
    TEntryArea& area = *form1_->EntryArea1;
    // A click in the second line, away from the first and the last character.
    const QRect secondLine = area.cursorRect(QTextCursor(area.document()->findBlock(0)));
    const QPoint inside(40, secondLine.center().y() + area.fontMetrics().lineSpacing());
    QTest::mouseClick(area.viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    const int placed = area.cursorForPosition(inside).position();
    QVERIFY(placed > 0);
    QCOMPARE(form1_->EntryEdit1->cursorPosition(), placed);
    QVERIFY(!form1_->EntryEdit1->hasSelectedText());
    pressKey(Qt::Key_Z);
    QCOMPARE(form1_->EntryEdit1->QLineEdit::text().at(placed), QLatin1Char('z'));
}

void GrowingWindowTest::sourceAreaHoldsTheWholeTextReadOnly()
{
    growClient(0, 120);
    load();
    WrappedText& source = *form1_->SourceArea1;
    QCOMPARE(source.Text(), form1_->Label1->Caption());
    QVERIFY(source.Text().endsWith(QStringLiteral("the pages you wrote.")));
    QVERIFY(source.isReadOnly());
    QVERIFY(source.textInteractionFlags() & Qt::TextSelectableByMouse);
    // Wrapped, not cut: the text takes more than one line at this width.
    QVERIFY(source.document()->size().height() > 1.5 * source.fontMetrics().lineSpacing());
    source.setFocus();
    pressKey(Qt::Key_A);
    QCOMPARE(source.Text(), form1_->Label1->Caption());
}

void GrowingWindowTest::f4HidesAndShowsTheSidebarBesideTheClient()
{
    // Shown on the first start, beside the client at its stored size.
    QVERIFY(form1_->SidebarShown());
    QVERIFY(form1_->SidePanel().isVisible());
    QVERIFY(form1_->Sidebar1->isChecked());
    QCOMPARE(form1_->Client()->size(), QSize(TForm1::ClientWidth, TForm1::ClientHeight));
    const QRect client(form1_->Client()->mapTo(form1_.get(), QPoint(0, 0)), form1_->Client()->size());
    QCOMPARE(form1_->SidePanel().mapTo(form1_.get(), QPoint(0, 0)).y(), client.top());
    QVERIFY(form1_->SidePanel().mapTo(form1_.get(), QPoint(0, 0)).x() > client.right());
    const int withSidebar = form1_->width();

    pressKey(Qt::Key_F4);
    QVERIFY(!form1_->SidePanel().isVisible());
    QVERIFY(!form1_->Sidebar1->isChecked());
    QTRY_COMPARE(form1_->width(), TForm1::ClientWidth);
    QCOMPARE(form1_->Client()->size(), QSize(TForm1::ClientWidth, TForm1::ClientHeight));
    QCOMPARE(form1_->EntryEdit1->geometry(), QRect(8, 120, 453, 21));

    pressKey(Qt::Key_F4);
    QVERIFY(form1_->SidePanel().isVisible());
    QTRY_COMPARE(form1_->width(), withSidebar);
    QCOMPARE(form1_->Client()->size(), QSize(TForm1::ClientWidth, TForm1::ClientHeight));
    QCOMPARE(form1_->SidePanel().width(), Sidebar::DefaultWidth);
}

void GrowingWindowTest::sectionIsAddedWithOneCall()
{
    auto* checks = new QLabel(QStringLiteral("No problems found"));
    QWidget& section = form1_->SidePanel().addSection(QStringLiteral("Checks"), checks);
    QTRY_VERIFY(checks->isVisible());
    QVERIFY(section.isAncestorOf(checks));
    QVERIFY(form1_->SidePanel().isAncestorOf(&section));
    const QList<QLabel*> labels = section.findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text() == QStringLiteral("Checks") && label->font().bold();
    }));
    // Below the sections there were.
    QVERIFY(section.mapTo(&form1_->SidePanel(), QPoint(0, 0)).y()
            > form1_->EntrySection1->mapTo(&form1_->SidePanel(), QPoint(0, 0)).y());
    section.hide();
    QVERIFY(!checks->isVisible());
}

void GrowingWindowTest::sidebarHoldsTheEntryThenItsChecksThenSuggestions()
{
    Sidebar& sidebar = form1_->SidePanel();
    auto* checks = sidebar.findChild<ChecksSection*>();
    QVERIFY(checks != nullptr);
    QVERIFY(sidebar.isAncestorOf(form1_->Suggestions1));
    QTRY_VERIFY(form1_->Suggestions1->isVisible());
    const auto top = [&](QWidget* section) { return section->mapTo(&sidebar, QPoint(0, 0)).y(); };
    QVERIFY(top(form1_->EntrySection1) < top(checks));
    QVERIFY(top(checks) < top(form1_->Suggestions1));
}

void GrowingWindowTest::entrySectionShowsTheEntryOnShow()
{
    EntrySection& entry = *form1_->EntrySection1;
    QCOMPARE(entry.Name->Text(), QStringLiteral("Please load file first"));
    load();
    QCOMPARE(entry.Name->Text(), QStringLiteral("_PRIVACY"));
    QCOMPARE(entry.SourceText->Text(), form1_->Label1->Caption());
    QCOMPARE(entry.LineCaption->text(), QStringLiteral("Line 1"));
    QCOMPARE(entry.Line->Text(), QString::fromStdString(form1_->Job().WorkingLines()[1]));

    typeText(QStringLiteral("Wij"));
    pressKey(Qt::Key_Down);
    QCOMPARE(entry.Name->Text(), QStringLiteral("_TERMS"));
    QCOMPARE(entry.LineCaption->text(), QStringLiteral("Line 2"));
    pressKey(Qt::Key_Up);
    QCOMPARE(entry.Line->Text(), QStringLiteral("define('_PRIVACY', 'Wij');"));
    // The whole text, however long, wrapped in the sidebar's width.
    QVERIFY(entry.SourceText->heightForWidth(entry.SourceText->width()) > 2 * entry.fontMetrics().lineSpacing());
    QCOMPARE(entry.SourceText->height(), entry.SourceText->heightForWidth(entry.SourceText->width()));
}

void GrowingWindowTest::tabOrderInEveryWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("source viewer") << "viewer";
    QTest::newRow("Help") << "help";
}

void GrowingWindowTest::tabOrderInEveryWindow()
{
    QFETCH(QString, window);
    TForm4 help(form1_.get());
    QWidget* shown = nullptr;
    QList<QWidget*> order;
    if (window == QLatin1String("main")) {
        EntrySection& entry = *form1_->EntrySection1;
        order = {form1_->Label2, form1_->Label1, form1_->SourceArea1, form1_->EntryEdit1, form1_->EntryArea1,
                 entry.Name,     entry.SourceText, entry.Line};
        shown = form1_.get();
    } else if (window == QLatin1String("viewer")) {
        order = {form2_->Memo1, form2_->Memo2};
        shown = form2_.get();
    } else {
        order = {help.CodeMemo1, help.GlassButton1};
        shown = &help;
    }
    QCOMPARE(inChainOrder(*shown, order), order);
}

void GrowingWindowTest::tabReachesTheMainWindowsControlsInOrder()
{
    growClient(0, 120);
    load();
    EntrySection& entry = *form1_->EntrySection1;
    form1_->SourceArea1->setFocus(Qt::TabFocusReason);
    const QList<QWidget*> forward{form1_->EntryArea1, entry.Name, entry.SourceText, entry.Line};
    for (QWidget* next : forward) {
        pressKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    for (int i = 0; i < 3; ++i)
        pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form1_->EntryArea1);
    // Tab into the translation selects it whole, as in the field.
    QCOMPARE(form1_->EntryArea1->textCursor().selectedText(), form1_->EntryEdit1->QLineEdit::text());
    pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form1_->SourceArea1);
}

void GrowingWindowTest::viewerTextSizeKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("wheelSteps"); // Ctrl with the wheel, up positive, after the keys
    QTest::addColumn<int>("pixels");
    // The panes start at their stored 11 pixels.
    QTest::newRow("Ctrl++") << "Ctrl++" << 0 << 12;
    QTest::newRow("Ctrl+= twice") << "Ctrl+=, Ctrl+=" << 0 << 13;
    QTest::newRow("Ctrl+-") << "Ctrl+-" << 0 << 10;
    QTest::newRow("larger, then back with Ctrl+0") << "Ctrl++, Ctrl++, Ctrl+0" << 0 << 11;
    QTest::newRow("no smaller than the smallest") << "Ctrl+-, Ctrl+-, Ctrl+-, Ctrl+-, Ctrl+-" << 0
                                                  << PaneTextSize::Smallest;
    QTest::newRow("Ctrl with the wheel up") << "" << 2 << 13;
    QTest::newRow("Ctrl with the wheel down") << "" << -1 << 10;
}

void GrowingWindowTest::viewerTextSizeKeys()
{
    QFETCH(QString, keys);
    QFETCH(int, wheelSteps);
    QFETCH(int, pixels);
    load();
    TCustomCodeMemo& lower = form2_->Memo2->model();
    const int storedLineHeight = lower.LineHeight();
    form1_->SourceWindows1->trigger();
    form2_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    const QKeySequence sequence(keys);
    for (int i = 0; i < sequence.count(); ++i)
        pressKey(sequence[i].key(), sequence[i].keyboardModifiers());
    for (int i = 0; i < std::abs(wheelSteps); ++i) {
        const QPoint at = form2_->Memo1->rect().center();
        QWheelEvent wheel(at, form2_->Memo1->mapToGlobal(at), QPoint(), QPoint(0, wheelSteps > 0 ? 120 : -120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form2_->Memo1, &wheel);
    }
    for (TCodeMemo* pane : {form2_->Memo1, form2_->Memo2}) {
        QCOMPARE(-pane->model().Font().Height, pixels);
        QCOMPARE(-pane->model().Gutter().Font().Height, pixels);
    }
    QCOMPARE(lower.LineHeight() > storedLineHeight, pixels > 11);
    QCOMPARE(lower.LineHeight() < storedLineHeight, pixels < 11);
    // The text itself is left alone.
    QCOMPARE(QString::fromStdString(lower.Lines().Line(1)),
             QString::fromStdString(form1_->Job().WorkingLines()[1]));
}

QTEST_MAIN(GrowingWindowTest)
#include "GrowingWindowTest.moc"
