// The main window and the source viewer on screen, driven by real key
// events: keys before and after a load, stepping, Exit from the translation
// field and from the lower pane, the View check mark, both editing modes,
// the viewer following the entry, and errors reaching the message box.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/EncodingMenu.h"
#include "app/FormControls.h"
#include "app/KalmoApplication.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "base/KalmoError.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/memo/qt/CodeMemo.h"
#include "controls/qt/QtKeys.h"
#include "job/RecoveryFolder.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// What the error net of the application object reported.
QStringList backstopReports;

// Counts the presses of one key that reach one widget after the window's preview.
class KeyCounter : public QObject {
public:
    explicit KeyCounter(std::initializer_list<int> keys) : keys_(keys) {}
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && keys_.contains(static_cast<QKeyEvent*>(event)->key()))
            ++presses;
        return false;
    }

private:
    QList<int> keys_;
};

class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw KalmoError("Nothing to see");
        return QObject::event(event);
    }
};

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keysBeforeLoadChangeNothing_data();
    void keysBeforeLoadChangeNothing();
    void loadGoesThroughTheDialogAndShowsTheFirstEntry();
    void cancelledLoadWaits();
    void navigationKeysStepWithStatusTexts();
    void navigationKeysReachTheTranslationFieldToo();
    void ctrlXWhileTypingWritesTheFileAndEndsTheProgram();
    void menuShortcutsWinOverTheTranslationField();
    void viewCheckMarkFollowsTheViewer();
    void f1TogglesWholeLineMode();
    void f2MakesTheLowerPaneTheEditorAndF2ThereLeavesIt();
    void f2InTheViewerWindowActsOnlyAfterALoad();
    void leavingFullTextModeFromTheMainWindowGivesTheFieldTheKeyboard();
    void navigationKeysBelongToTheMenuBarWhileItHasTheKeyboard();
    void ctrlXInTheLowerPaneExitsInsteadOfCutting();
    void viewerFollowsTheEntry();
    void fullTextModeMirrorsTheLowerPanesActiveLine();
    void unreadableFileIsReportedWithAFullStop();
    void statusBarPanelShowsTheSetAndReloadWithEncodingChangesIt();
    void encodingItemsAreThereWhenTheMenuIsOpenedByKeys();
    void closingTheMainWindowIsExit();
    void closingOffersAWayOutWhenTheSaveFails_data();
    void closingOffersAWayOutWhenTheSaveFails();
    void saveAsWritesWhereTheDialogSaysAndSaveFollows();
    void applicationReportsErrorsNoHandlerCaught();
    void newShortcutsWinOverTheFieldAndThePane_data();
    void newShortcutsWinOverTheFieldAndThePane();
    void progressPanelCountsAndMarksUnsavedWork();
    void shownEntryIsSelectedAndEditsAsALineEdit_data();
    void shownEntryIsSelectedAndEditsAsALineEdit();
    void findAsksOnceAndF3Repeats();
    void continueNamesDroppedConstantsInOneMessage();

private:
    void load();
    void typeTranslation(const QString& text);
    void showViewerActive();

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::string fixture_;
};

void WindowsTest::init()
{
    folder_ = std::make_unique<TempFolder>();
    fixture_ = folder_->write("lang.php", kLanguageFile);
    recorded_ = std::make_unique<RecordedServices>();
    recorded_->dialogAnswer = fixture_;
    form1_ = std::make_unique<TForm1>(recorded_->services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    form1_->show();
    // Without a window manager nothing activates a new window.
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    QCOMPARE(QApplication::focusWidget(), form1_->EntryEdit1);
}

void WindowsTest::cleanup()
{
    form2_.reset();
    form1_.reset();
    recorded_.reset();
    folder_.reset();
}

void WindowsTest::load()
{
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());
}

void WindowsTest::typeTranslation(const QString& text)
{
    pressKey(Qt::Key_Home);
    pressKey(Qt::Key_End, Qt::ShiftModifier);
    typeText(text);
}

void WindowsTest::showViewerActive()
{
    pressKey(Qt::Key_W, Qt::ControlModifier);
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
}

void WindowsTest::keysBeforeLoadChangeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Up") << int(Qt::Key_Up);
    QTest::newRow("Down") << int(Qt::Key_Down);
    QTest::newRow("F1") << int(Qt::Key_F1);
    QTest::newRow("F2") << int(Qt::Key_F2);
}

void WindowsTest::keysBeforeLoadChangeNothing()
{
    QFETCH(int, key);
    pressKey(static_cast<Qt::Key>(key));
    QCOMPARE(form1_->StatusText(), QStringLiteral("Waiting.."));
    QCOMPARE(form1_->Label1->Caption(), QStringLiteral("Please load file first"));
    QCOMPARE(form1_->Label2->Caption(), QStringLiteral("Please load file first"));
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Please load file first"));
    QVERIFY(form1_->EntryEdit1->isEnabled());
    QCOMPARE(form1_->EntryEdit1->Color(), clWindow);
    QVERIFY(!form2_->isVisible());
    QVERIFY(!form1_->Job().WholeLineMode());
    QVERIFY(!form1_->Job().FullTextMode());
}

void WindowsTest::loadGoesThroughTheDialogAndShowsTheFirstEntry()
{
    load();
    QCOMPARE(recorded_->dialogs.size(), std::size_t(1));
    QCOMPARE(recorded_->dialogs[0].title, std::string("Choose Sourcefile"));
    QCOMPARE(recorded_->dialogs[0].filter, std::string("Source files (*.php)|*.PHP"));
    QCOMPARE(form1_->StatusText(), QStringLiteral("Sourcefile: lang.php loaded and parsed."));
    QCOMPARE(form1_->Label2->Caption(), QStringLiteral("_GREETING"));
    QCOMPARE(form1_->Label1->Caption(), QStringLiteral("Hello"));
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hello"));
    QCOMPARE(form1_->Job().CurrentEntry(), 3);
}

void WindowsTest::cancelledLoadWaits()
{
    recorded_->dialogAnswer.reset();
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(recorded_->dialogs.size(), std::size_t(1));
    QCOMPARE(form1_->StatusText(), QStringLiteral("Waiting.."));
    QVERIFY(!form1_->Job().Loaded());
}

void WindowsTest::navigationKeysStepWithStatusTexts()
{
    load();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int entry;
        const char* status;
    };
    // Modifiers are not looked at: Shift+Down is Down.
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 5, "Line: 5/9"},
        {Qt::Key_Down, Qt::NoModifier, 5, "End of File (line: 5/9)"},
        {Qt::Key_Up, Qt::NoModifier, 3, "Line: 3/9"},
        {Qt::Key_Up, Qt::NoModifier, 3, "Begin of File (line: 3/9)"},
        {Qt::Key_Return, Qt::NoModifier, 5, "Line: 5/9"},
        {Qt::Key_Up, Qt::ShiftModifier, 3, "Line: 3/9"},
        {Qt::Key_Down, Qt::ShiftModifier, 5, "Line: 5/9"},
    };
    for (const Step& step : steps) {
        pressKey(step.key, step.modifiers);
        QCOMPARE(form1_->StatusText(), QString::fromLatin1(step.status));
        QCOMPARE(form1_->Job().CurrentEntry(), step.entry);
    }
    // The source text of entry 5 shows as it stands, "&" included.
    QCOMPARE(form1_->Label1->Caption(), QStringLiteral("R&D"));
    QCOMPARE(form1_->Label1->ShownText(), QStringLiteral("R&D"));
}

void WindowsTest::navigationKeysReachTheTranslationFieldToo()
{
    load();
    KeyCounter counter{Qt::Key_Up, Qt::Key_Down};
    form1_->EntryEdit1->installEventFilter(&counter);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Up);
    QCOMPARE(counter.presses, 2);
    // Each key stepped once, although the field passes Up and Down on to
    // the window.
    QCOMPARE(form1_->StatusText(), QStringLiteral("Line: 3/9"));
}

void WindowsTest::ctrlXWhileTypingWritesTheFileAndEndsTheProgram()
{
    load();
    typeTranslation(QStringLiteral("Hallo"));
    pressKey(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(recorded_->programEnds, 1);
    std::string expected = kLanguageFile;
    expected.replace(expected.find("define('_GREETING', 'Hello');"), 29, "define('_GREETING', 'Hallo');");
    QCOMPARE(folder_->read("Translated_lang.php"), expected);
    // The field kept the text: Ctrl+X did not cut it.
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hallo"));
}

void WindowsTest::menuShortcutsWinOverTheTranslationField()
{
    QWidget about;
    QWidget help;
    form1_->AttachAboutWindow([&]() -> QWidget& { return about; });
    form1_->AttachHelpWindow([&]() -> QWidget& { return help; });
    typeText(QStringLiteral("abc"));
    pressKey(Qt::Key_A, Qt::ControlModifier);
    QVERIFY(about.isVisible());
    QVERIFY(form1_->EntryEdit1->selectedText().isEmpty());
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    pressKey(Qt::Key_H, Qt::ControlModifier);
    QVERIFY(help.isVisible());
}

void WindowsTest::viewCheckMarkFollowsTheViewer()
{
    QVERIFY(!form1_->SourceWindows1->isChecked());
    showViewerActive();
    QVERIFY(form1_->SourceWindows1->isChecked());

    // The viewer's own close box hides it and clears the mark.
    QVERIFY(form2_->close());
    QVERIFY(!form2_->isVisible());
    QVERIFY(!form1_->SourceWindows1->isChecked());

    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    showViewerActive();
    QVERIFY(form1_->SourceWindows1->isChecked());

    // The shortcut acts in the viewer as well.
    pressKey(Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!form2_->isVisible());
    QVERIFY(!form1_->SourceWindows1->isChecked());
}

void WindowsTest::f1TogglesWholeLineMode()
{
    load();
    const QString wholeLine = QStringLiteral("define('_GREETING', 'Hello');");
    pressKey(Qt::Key_F1);
    QVERIFY(form1_->Job().WholeLineMode());
    QCOMPARE(form1_->Label1->Caption(), wholeLine);
    QCOMPARE(form1_->Label2->Caption(), wholeLine);
    QCOMPARE(QString::fromStdString(form1_->EntryEdit1->Text()), wholeLine);
    QCOMPARE(form1_->EntryEdit1->Color(), clBlack);
    QCOMPARE(form1_->EntryEdit1->FontColor(), clWhite);

    pressKey(Qt::Key_F1);
    QVERIFY(!form1_->Job().WholeLineMode());
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hello"));
    QCOMPARE(form1_->EntryEdit1->Color(), clWhite);
    QCOMPARE(form1_->EntryEdit1->FontColor(), clBlack);
}

void WindowsTest::f2MakesTheLowerPaneTheEditorAndF2ThereLeavesIt()
{
    load();
    pressKey(Qt::Key_F2);
    QVERIFY(form1_->Job().FullTextMode());
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    QVERIFY(form2_->Memo2->Enabled());
    QVERIFY(!form2_->Memo2->model().ReadOnly());
    QVERIFY(form2_->Memo2->hasFocus());
    QVERIFY(!form2_->Memo1->Enabled());
    QVERIFY(!form1_->EntryEdit1->isEnabled());
    // F2 shows the viewer without setting the View check mark.
    QVERIFY(!form1_->SourceWindows1->isChecked());

    pressKey(Qt::Key_F2);
    QVERIFY(!form1_->Job().FullTextMode());
    QVERIFY(!form2_->Memo2->Enabled());
    QVERIFY(form2_->Memo2->model().ReadOnly());
    QVERIFY(form1_->EntryEdit1->isEnabled());
    QVERIFY(form2_->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));

    // View now hides the viewer that F2 showed.
    pressKey(Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!form2_->isVisible());
}

void WindowsTest::leavingFullTextModeFromTheMainWindowGivesTheFieldTheKeyboard()
{
    load();
    pressKey(Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    pressKey(Qt::Key_F2);
    QVERIFY(!form1_->Job().FullTextMode());
    QCOMPARE(QApplication::focusWidget(), form1_->EntryEdit1);
    typeTranslation(QStringLiteral("Hallo"));
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hallo"));
}

void WindowsTest::navigationKeysBelongToTheMenuBarWhileItHasTheKeyboard()
{
    load();
    const QString status = form1_->StatusText();
    form1_->menuBar()->setFocus(Qt::MenuBarFocusReason);
    pressKey(Qt::Key_Down);
    QCOMPARE(form1_->StatusText(), status);
    QCOMPARE(form1_->Job().CurrentEntry(), 3);
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
}

void WindowsTest::f2InTheViewerWindowActsOnlyAfterALoad()
{
    showViewerActive();
    // The window's first tab stop, the disabled upper pane, has the focus
    // and passes the window's keys on.
    QCOMPARE(QApplication::focusWidget(), form2_->Memo1);
    pressKey(Qt::Key_F2);
    QVERIFY(!form1_->Job().FullTextMode());
    QVERIFY(!form2_->Memo2->Enabled());

    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    load();
    form2_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    pressKey(Qt::Key_F2);
    QVERIFY(form1_->Job().FullTextMode());
    QVERIFY(form2_->Memo2->hasFocus());

    // Leaving the mode from the pane hands the keys back to the window:
    // F2 in the viewer enters it again.
    pressKey(Qt::Key_F2);
    QVERIFY(!form1_->Job().FullTextMode());
    form2_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form2_.get()));
    pressKey(Qt::Key_F2);
    QVERIFY(form1_->Job().FullTextMode());
}

void WindowsTest::ctrlXInTheLowerPaneExitsInsteadOfCutting()
{
    load();
    pressKey(Qt::Key_F2);
    QVERIFY(form2_->Memo2->hasFocus());
    const int lines = form2_->Memo2->model().Lines().LineCount();
    KeyCounter counter{Qt::Key_X};
    form2_->Memo2->installEventFilter(&counter);
    pressKey(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(recorded_->programEnds, 1);
    // The pane never saw the key, so it cut nothing.
    QCOMPARE(counter.presses, 0);
    QCOMPARE(form2_->Memo2->model().Lines().LineCount(), lines);
    QCOMPARE(form2_->Memo2->model().Lines().Line(3), std::string("define('_GREETING', 'Hello');"));
    QCOMPARE(folder_->read("Translated_lang.php"), kLanguageFile);
}

void WindowsTest::viewerFollowsTheEntry()
{
    load();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down}) {
        pressKey(key);
        const int entry = form1_->Job().CurrentEntry();
        QCOMPARE(form2_->Memo1->model().ActiveLineIndex(), entry);
        QCOMPARE(form2_->Memo2->model().ActiveLineIndex(), entry);
        QCOMPARE(form2_->Memo2->model().CaretLine(), entry);
    }
    QCOMPARE(form2_->Memo2->model().Lines().Line(3), std::string("define('_GREETING', 'Hello');"));
}

void WindowsTest::fullTextModeMirrorsTheLowerPanesActiveLine()
{
    load();
    pressKey(Qt::Key_F2);
    QVERIFY(form2_->Memo2->hasFocus());
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    QCOMPARE(form2_->Memo2->model().ActiveLineIndex(), 5);
    QCOMPARE(form2_->Memo1->model().ActiveLineIndex(), 5);
    // Only the highlight follows; the upper pane's caret stays.
    QCOMPARE(form2_->Memo1->model().CaretLine(), 3);
}

void WindowsTest::unreadableFileIsReportedWithAFullStop()
{
    const std::string missing = folder_->path("missing.php");
    recorded_->dialogAnswer = missing;
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(recorded_->messages.size(), 1);
    QCOMPARE(recorded_->messageTitles[0], QStringLiteral("KALMO Translator"));
    QCOMPARE(recorded_->messages[0],
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(QString::fromStdString(missing)));
    QCOMPARE(form1_->StatusText(), QStringLiteral("Waiting.."));
    QVERIFY(!form1_->Job().Loaded());

    // The program goes on: the next load works.
    recorded_->dialogAnswer = fixture_;
    load();
}

void WindowsTest::closingTheMainWindowIsExit()
{
    load();
    QVERIFY(form1_->close());
    QCOMPARE(recorded_->programEnds, 1);
    QVERIFY(folder_->exists("Translated_lang.php"));
}

void WindowsTest::closingOffersAWayOutWhenTheSaveFails_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Cancel by default") << QString() << false;
    QTest::newRow("Quit Without Saving") << QStringLiteral("Quit Without Saving") << true;
}

void WindowsTest::closingOffersAWayOutWhenTheSaveFails()
{
    QFETCH(QString, answer);
    QFETCH(bool, ends);
    load();
    typeTranslation(QStringLiteral("Hallo"));
    // A folder in the translated file's place cannot be replaced.
    std::filesystem::create_directory(folder_->path("Translated_lang.php"));
    if (!answer.isEmpty())
        recorded_->answers.push_back(answer.toStdString());
    QCOMPARE(form1_->close(), ends);
    QCOMPARE(recorded_->questions.size(), std::size_t{1});
    const QString question = QString::fromStdString(recorded_->questions[0]);
    QVERIFY2(question.startsWith(QStringLiteral("Cannot create file \"")), qPrintable(question));
    QVERIFY2(question.endsWith(QStringLiteral("Is a directory. Save the translation under another name, or quit and "
                                              "keep the work for the next start?")),
             qPrintable(question));
    // The question told of the error: no error box follows it.
    QVERIFY(recorded_->messages.isEmpty());
    QCOMPARE(recorded_->programEnds, ends ? 1 : 0);
    const RecoveryFolder recovery(defaultRecoveryFolder());
    QCOMPARE(std::filesystem::exists(recovery.journalPathFor(fixture_)), ends);
    if (!ends) {
        QVERIFY(form1_->isVisible());
        QVERIFY(form1_->Job().Loaded());
        QCOMPARE(form1_->Job().LineCount(), 10);
    }
}

void WindowsTest::saveAsWritesWhereTheDialogSaysAndSaveFollows()
{
    QCOMPARE(form1_->SaveAs1->text(), QStringLiteral("Save As\u2026"));
    QVERIFY(form1_->File1->actions().contains(form1_->SaveAs1));
    load();
    typeTranslation(QStringLiteral("Hallo"));
    recorded_->targetAnswer = folder_->path("de.php");
    pressKey(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(recorded_->dialogs.back().title, std::string("Save Translation As"));
    QVERIFY(folder_->read("de.php").find("'Hallo'") != std::string::npos);

    pressKey(Qt::Key_Down);
    typeTranslation(QStringLiteral("Tschuess"));
    pressKey(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(folder_->read("de.php").find("\"Tschuess\"") != std::string::npos);
    QVERIFY(form1_->close());
    QCOMPARE(recorded_->programEnds, 1);
    QVERIFY(recorded_->messages.isEmpty());
    QVERIFY(!folder_->exists("Translated_lang.php"));
}

void WindowsTest::applicationReportsErrorsNoHandlerCaught()
{
    backstopReports.clear();
    ThrowingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    QCOMPARE(backstopReports, QStringList{QStringLiteral("KALMO Translator|Nothing to see.")});
}

void WindowsTest::statusBarPanelShowsTheSetAndReloadWithEncodingChangesIt()
{
    // Items are named by the set's plain name, in a submenu per script or
    // region; a group of one stands in the menu itself.
    QMenu* menu = form1_->ReloadWithEncodingMenu;
    // The items come when the menu opens.
    emit menu->aboutToShow();
    const auto item = [menu](const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); };
    QAction* iso88592 = item("ISO-8859-2");
    QAction* windows1252 = item("Windows-1252");
    QVERIFY(iso88592 && windows1252);
    QCOMPARE(form1_->File1->actions().indexOf(menu->menuAction()), 1);
    QStringList shown;
    for (QAction* action : menu->actions())
        shown << action->text();
    QCOMPARE(shown, QStringList({"Unicode (UTF-8)", "European", "Cyrillic", "Greek", "Middle Eastern",
                                 "South-East Asian", "East Asian"}));
    QCOMPARE(iso88592->text(), QStringLiteral("Central European (ISO-8859-2)"));
    QCOMPARE(iso88592->parent(), menu->actions()[1]->menu());
    QCOMPARE(item("TIS-620")->text(), QStringLiteral("Thai (TIS-620)"));
    QCOMPARE(item("TIS-620")->parent(), menu->actions()[5]->menu());
    const auto checkedSets = [menu] {
        QStringList names;
        for (QAction* action : menu->findChildren<QAction*>()) {
            if (action->isChecked())
                names << action->objectName();
        }
        return names;
    };

    // Before a load there is nothing to reload.
    windows1252->trigger();
    QVERIFY(!windows1252->isChecked());
    QCOMPARE(form1_->EncodingPanel->text(), QString());

    recorded_->dialogAnswer = folder_->write(
        "pl.php", "<?php\ndefine('_ISO', 'charset=iso-8859-2');\ndefine('_SEE', 'Zobaczy\xE6');\n?>\n");
    load();
    QCOMPARE(form1_->StatusText(), QStringLiteral("Sourcefile: pl.php loaded and parsed."));
    QCOMPARE(form1_->EncodingPanel->text(), QStringLiteral("ISO-8859-2"));
    QVERIFY(form1_->EncodingPanel->isVisible());
    QVERIFY(form1_->EncodingPanel->mapTo(form1_->StatusBar1, QPoint(0, 0)).x() > form1_->StatusBar1->width() / 2);
    QCOMPARE(checkedSets(), QStringList{QStringLiteral("ISO-8859-2")});
    pressKey(Qt::Key_Down);
    QCOMPARE(form1_->Label1->Caption(), QString::fromUtf8("Zobaczy\xC4\x87"));

    typeTranslation(QStringLiteral("Ujrzec"));
    windows1252->trigger();
    QVERIFY(recorded_->messages.isEmpty());
    QCOMPARE(form1_->EncodingPanel->text(), QStringLiteral("Windows-1252"));
    QCOMPARE(checkedSets(), QStringList{QStringLiteral("Windows-1252")});
    QVERIFY(folder_->read("Translated_pl.php").find("'Ujrzec'") != std::string::npos);
    QCOMPARE(form1_->StatusText(), QStringLiteral("Sourcefile: pl.php loaded and parsed."));
    pressKey(Qt::Key_Down);
    QCOMPARE(form1_->Label1->Caption(), QString::fromUtf8("Zobaczy\xC3\xA6"));
}

void WindowsTest::encodingItemsAreThereWhenTheMenuIsOpenedByKeys()
{
    // The start leaves the items until the menu opens; the set in use
    // comes before that.
    QVERIFY(form1_->ReloadWithEncodingMenu->actions().isEmpty());
    recorded_->dialogAnswer = folder_->write("pl.php", "<?php\ndefine('_ISO', 'charset=iso-8859-2');\n?>\n");
    load();
    pressKey(Qt::Key_F, Qt::AltModifier);
    QCOMPARE(QApplication::activePopupWidget(), form1_->File1);
    QTest::keyClick(form1_->File1, Qt::Key_Down);
    QTest::keyClick(form1_->File1, Qt::Key_Right);
    QMenu* menu = form1_->ReloadWithEncodingMenu;
    QCOMPARE(QApplication::activePopupWidget(), menu);
    QCOMPARE(menu->actions().size(), 7);
    QAction* european = menu->actions()[1];
    QCOMPARE(european->text(), QStringLiteral("European"));
    QAction* inUse = european->menu()->findChild<QAction*>(QStringLiteral("ISO-8859-2"));
    QVERIFY(inUse && inUse->isChecked());
    const QList<QAction*> items = menu->findChildren<QAction*>();
    const auto checked = [&items] { return std::count_if(items.begin(), items.end(), [](QAction* a) { return a->isChecked(); }); };
    QCOMPARE(checked(), 1);

    // Down and Right open the group; Enter reloads in its first set.
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    QCOMPARE(QApplication::activePopupWidget(), european->menu());
    QTest::keyClick(european->menu(), Qt::Key_Return);
    QCOMPARE(form1_->EncodingPanel->text(), QStringLiteral("Windows-1252"));
    QVERIFY(european->menu()->actions()[0]->isChecked() && !inUse->isChecked());
    QCOMPARE(checked(), 1);
}

void WindowsTest::newShortcutsWinOverTheFieldAndThePane_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("inThePane");
    const struct {
        const char* action;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } items[] = {
        {"ContinueTranslation1", Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier},
        {"Save1", Qt::Key_S, Qt::ControlModifier},
        {"SaveAs1", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier},
        {"NextUntranslated1", Qt::Key_U, Qt::ControlModifier},
        {"PreviousUntranslated1", Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier},
        {"Find1", Qt::Key_F, Qt::ControlModifier},
        {"FindNext1", Qt::Key_F3, Qt::NoModifier},
    };
    for (const auto& item : items) {
        for (const bool inThePane : {false, true}) {
            QTest::addRow("%s in the %s", item.action, inThePane ? "lower pane" : "translation field")
                << QString::fromLatin1(item.action) << int(item.key) << int(item.modifiers.toInt()) << inThePane;
        }
    }
}

void WindowsTest::newShortcutsWinOverTheFieldAndThePane()
{
    QFETCH(QString, action);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, inThePane);
    load();
    if (inThePane) {
        pressKey(Qt::Key_F2);
        QVERIFY(form2_->Memo2->hasFocus());
    }
    QWidget* focused = QApplication::focusWidget();
    auto* item = form1_->findChild<QAction*>(action);
    QVERIFY(item);
    QSignalSpy triggered(item, &QAction::triggered);
    KeyCounter counter{key};
    focused->installEventFilter(&counter);
    pressKey(static_cast<Qt::Key>(key), Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(counter.presses, 0);
    QVERIFY(recorded_->messages.isEmpty());
}

void WindowsTest::progressPanelCountsAndMarksUnsavedWork()
{
    QCOMPARE(form1_->ProgressPanel->text(), QString());
    load();
    QCOMPARE(form1_->ProgressPanel->text(), QStringLiteral("translated 0 of 2"));
    QVERIFY(form1_->ProgressPanel->mapTo(form1_->StatusBar1, QPoint(0, 0)).x()
            > form1_->EncodingPanel->mapTo(form1_->StatusBar1, QPoint(0, 0)).x());
    typeTranslation(QStringLiteral("Hallo"));
    pressKey(Qt::Key_Down);
    QCOMPARE(form1_->ProgressPanel->text(), QStringLiteral("translated 1 of 2 *"));
    pressKey(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form1_->ProgressPanel->text(), QStringLiteral("translated 1 of 2"));
    QVERIFY(folder_->read("Translated_lang.php").find("'Hallo'") != std::string::npos);
    // The first panel keeps its own texts, and the work goes on.
    QCOMPARE(form1_->StatusText(), QStringLiteral("Line: 5/9"));
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
    QCOMPARE(recorded_->programEnds, 0);

    // Ctrl+U finds nothing left after entry 5: a beep, and the entry stays.
    pressKey(Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
    pressKey(Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
}

void WindowsTest::shownEntryIsSelectedAndEditsAsALineEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Home") << int(Qt::Key_Home) << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << 0;
    QTest::newRow("Right") << int(Qt::Key_Right) << 0;
    QTest::newRow("Shift+Left") << int(Qt::Key_Left) << int(Qt::ShiftModifier);
    QTest::newRow("Shift+Home") << int(Qt::Key_Home) << int(Qt::ShiftModifier);
}

void WindowsTest::shownEntryIsSelectedAndEditsAsALineEdit()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    load();
    // Down reaches the field after it stepped; the new entry stays selected.
    pressKey(Qt::Key_Down);
    TEntryEdit* field = form1_->EntryEdit1;
    QCOMPARE(field->selectedText(), QStringLiteral("R&D"));
    QCOMPARE(field->cursorPosition(), 3);

    // The key does in the field what it does in a plain line edit holding
    // the same selection.
    QLineEdit plain;
    plain.setText(QStringLiteral("R&D"));
    plain.setSelection(0, 3);
    QTest::keyClick(&plain, static_cast<Qt::Key>(key), Qt::KeyboardModifiers::fromInt(modifiers));
    pressKey(static_cast<Qt::Key>(key), Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(field->cursorPosition(), plain.cursorPosition());
    QCOMPARE(field->selectedText(), plain.selectedText());
    QCOMPARE(form1_->Job().CurrentEntry(), 5);

    // Typing over the shown entry replaces it.
    pressKey(Qt::Key_Up);
    QCOMPARE(field->selectedText(), QStringLiteral("Hello"));
    typeText(QStringLiteral("Hi"));
    QCOMPARE(field->Text(), std::string("Hi"));
}

void WindowsTest::findAsksOnceAndF3Repeats()
{
    load();
    recorded_->findAnswer = "FAREWELL";
    pressKey(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
    QCOMPARE(form1_->StatusText(), QStringLiteral("Line: 5/9"));
    QCOMPARE(form1_->EntryEdit1->selectedText(), QStringLiteral("R&D"));
    recorded_->findAnswer = "hello";
    pressKey(Qt::Key_F3);
    // F3 asked nothing: the only entry holding "farewell" is the one on show.
    QCOMPARE(recorded_->findOffers, std::vector<std::string>{""});
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
    pressKey(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(recorded_->findOffers, (std::vector<std::string>{"", "FAREWELL"}));
    QCOMPARE(form1_->Job().CurrentEntry(), 3);
}

void WindowsTest::continueNamesDroppedConstantsInOneMessage()
{
    std::string old = kLanguageFile;
    old.replace(old.find("'Hello'"), 7, "'Hallo'");
    old.replace(old.find("$x = 1;"), 7, "define('_OLD', 'Alt');\ndefine('_GONE', 'Weg');");
    folder_->write("Translated_lang.php", old);
    recorded_->dialogAnswer = folder_->path("Translated_lang.php");
    pressKey(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(recorded_->dialogs.size(), std::size_t(1));
    QCOMPARE(recorded_->information,
             QStringList{QStringLiteral("Not written to Translated_lang.php:\n_OLD is no longer in the source\n"
                                        "_GONE is no longer in the source")});
    QCOMPARE(recorded_->informationTitles, QStringList{QStringLiteral("KALMO Translator")});
    QVERIFY(recorded_->messages.isEmpty());
    QCOMPARE(form1_->Job().FileName(), fixture_);
    QCOMPARE(form1_->Job().CurrentEntry(), 5);
    QCOMPARE(form1_->ProgressPanel->text(), QStringLiteral("translated 1 of 2 *"));

    // A Translated_ file without its source is an error naming the source.
    recorded_->dialogAnswer = folder_->write("Translated_alone.php", old);
    pressKey(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(recorded_->messages.size(), 1);
    QVERIFY(recorded_->messages[0].contains(QString::fromStdString(folder_->path("alone.php"))));
    QCOMPARE(form1_->Job().FileName(), fixture_);
}

int main(int argc, char** argv)
{
    AppServices services;
    services.errorMessageBox = [](QWidget*, const QString& title, const QString& text) {
        backstopReports << title + QLatin1Char('|') + text;
    };
    KalmoApplication application(argc, argv, services);
    WindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowsTest.moc"
