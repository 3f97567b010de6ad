// The checks in the window through the real widgets: the status-bar panel
// and the field's error colours while typing, Next and Previous Problem on
// their keys, the Problems list, the sidebar's Checks section, and spelling
// with a real German dictionary: the language menu, the wavy underline and
// the field's suggestions.
#include "tests/app/AppTestSupport.h"

#include "app/ChecksSection.h"
#include "app/EntryChecks.h"
#include "app/FormControls.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/ProblemsWindow.h"
#include "app/SourceViewer.h"
#include "app/SpellingLanguageMenu.h"
#include "app/SpellingService.h"
#include "controls/edit/qt/EntryEdit.h"
#include "job/TranslationLanguage.h"
#include "testing/ProcessThreads.h"
#include "testing/TempFolder.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// Entries at 1 to 3.
const char* const kFile = "<?php\n"
                          "define('_HELLO', 'Hello %s');\n"
                          "define('_SAVED', 'Your changes are saved.');\n"
                          "define('_BYE', 'Bye');\n"
                          "?>\n";

// How many pixels of the rows [top, bottom) are clearly red.
int redPixels(const QImage& image, int left, int right, int top, int bottom)
{
    int count = 0;
    for (int y = std::max(top, 0); y < bottom && y < image.height(); ++y)
        for (int x = std::max(left, 0); x < right && x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 150 && c.green() < 110 && c.blue() < 110 ? 1 : 0;
        }
    return count;
}

} // namespace

class ChecksTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void panelAndColoursFollowTheTypedText();
    void nextAndPreviousProblemRunOnTheirKeys();
    void problemsListSortsAndShowsTheChosenEntry();
    void checksSectionListsTheEntrysFindingsAndIgnoresOne();
    void spellingLanguageComesFromTheFileAndTheChoiceIsKept();
    void misspeltWordsAreUnderlinedAndOfferSuggestions();
    void spellingThreadStartsWithTheFirstTextToCheck();

private:
    void load(const std::string& name, const std::string& content = kFile);
    // The desktop's language, the first guess for a file that names none.
    void speak(const char* locale) { qputenv("LC_ALL", locale); }
    void type(const QString& text);

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> viewer_;
    std::unique_ptr<ProblemsWindow> problems_;
};

void ChecksTest::init()
{
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    main_ = std::make_unique<TForm1>(recorded_->services());
    viewer_ = std::make_unique<TForm2>();
    connectJobWindows(*main_, *viewer_);
    main_->AttachProblemsWindow([this]() -> QWidget& {
        if (!problems_) {
            problems_ = std::make_unique<ProblemsWindow>([this] { return main_->Job().Problems(); });
            connectProblemsWindow(*main_, *problems_);
        }
        return *problems_;
    });
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

void ChecksTest::cleanup()
{
    qunsetenv("LC_ALL");
    problems_.reset();
    viewer_.reset();
    main_.reset();
    recorded_.reset();
    folder_.reset();
}

void ChecksTest::load(const std::string& name, const std::string& content)
{
    main_->LoadFile(folder_->write(name, content));
    QVERIFY(main_->Job().Loaded());
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
}

// The field's text replaced as a user replaces it: select all, type.
void ChecksTest::type(const QString& text)
{
    main_->EntryEdit1->setFocus();
    main_->EntryEdit1->selectAll();
    QTest::keyClicks(main_->EntryEdit1, text);
}

void ChecksTest::panelAndColoursFollowTheTypedText()
{
    load("lang.php");
    QCOMPARE(main_->EntryChecks1->Summary(), QStringLiteral("\u2139 1: _HELLO is not translated yet"));
    type(QStringLiteral("Hallo %d"));
    const QString summary = QStringLiteral("\u26A0 1: placeholder %s is missing; placeholder %d is not in the source");
    QCOMPARE(main_->EntryChecks1->Summary(), summary);
    // Cut short on the status bar.
    QVERIFY(summary.startsWith(main_->ChecksPanel->text().chopped(1)));
    QVERIFY(main_->ChecksPanel->isVisible());
    QVERIFY(main_->ChecksPanel->toolTip().contains(QStringLiteral("warning: placeholder %s is missing")));
    // Left of the character set's panel.
    QVERIFY(main_->ChecksPanel->geometry().right() < main_->EncodingPanel->geometry().left());
    // The edit's own error colours: white on red.
    QImage shown = main_->EntryEdit1->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.width() - 6, shown.height() / 2), QColor(Qt::red));
    QCOMPARE(main_->EntryEdit1->palette().color(QPalette::Text), QColor(Qt::white));

    type(QStringLiteral("Hallo %s, wie geht's"));
    QVERIFY(main_->ChecksPanel->text().isEmpty());
    QVERIFY(!main_->ChecksPanel->isVisible());
    shown = main_->EntryEdit1->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.width() - 6, shown.height() / 2), QColor(Qt::white));

    // A note gives no colours; a warning never stops a step.
    type(QStringLiteral("Gespeichert"));
    pressKey(Qt::Key_Return);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_SAVED"));
    type(QStringLiteral("Gespeichert"));
    pressKey(Qt::Key_Return);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_BYE"));
}

void ChecksTest::nextAndPreviousProblemRunOnTheirKeys()
{
    load("lang.php");
    type(QStringLiteral("Hallo"));
    pressKey(Qt::Key_Return);
    type(QStringLiteral("Gespeichert"));
    pressKey(Qt::Key_Return);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_BYE"));
    QCOMPARE(main_->NextProblem1->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QCOMPARE(main_->PreviousProblem1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    pressKey(Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_HELLO"));
    pressKey(Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_SAVED"));
    pressKey(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_HELLO"));
    // Fixed on the way: the step commits it, and _SAVED is the only one left.
    type(QStringLiteral("Hallo %s"));
    pressKey(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_SAVED"));
}

void ChecksTest::problemsListSortsAndShowsTheChosenEntry()
{
    load("lang.php");
    type(QStringLiteral("Hallo"));
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_P, Qt::ControlModifier);
    QVERIFY(problems_ && problems_->isVisible());
    QTableView& table = *problems_->Table;
    const auto cell = [&](int row, int column) { return table.model()->index(row, column).data().toString(); };
    // By line at first: the warning of _HELLO, then the notes of the others.
    QCOMPARE(table.model()->rowCount(), 3);
    QCOMPARE(cell(0, 2), QStringLiteral("_HELLO"));
    QCOMPARE(cell(0, 0), QStringLiteral("warning"));
    QCOMPARE(cell(0, 1), QStringLiteral("placeholders"));
    QCOMPARE(cell(0, 3), QStringLiteral("2"));
    QCOMPARE(cell(2, 2), QStringLiteral("_BYE"));
    table.sortByColumn(2, Qt::AscendingOrder);
    QCOMPARE(cell(0, 2), QStringLiteral("_BYE"));
    QCOMPARE(problems_->Summary->text(), QStringLiteral("0 errors, 1 warnings, 2 notes"));

    // Enter on a row shows its entry; the list follows the commit.
    problems_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(problems_.get()));
    table.setFocus();
    table.setCurrentIndex(table.model()->index(0, 0));
    QTest::keyClick(&table, Qt::Key_Return);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_BYE"));
    table.sortByColumn(3, Qt::AscendingOrder);
    QCOMPARE(cell(0, 2), QStringLiteral("_HELLO"));
    const QRect row = table.visualRect(table.model()->index(0, 4));
    // As the window system sends a double click: a click, then the second press.
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_HELLO"));
    QTRY_VERIFY(main_->isActiveWindow());
    type(QStringLiteral("Hallo %s"));
    pressKey(Qt::Key_Return);
    QCOMPARE(table.model()->rowCount(), 2);
    QCOMPARE(problems_->Summary->text(), QStringLiteral("0 errors, 0 warnings, 2 notes"));
}

void ChecksTest::checksSectionListsTheEntrysFindingsAndIgnoresOne()
{
    // On its own: a row per finding, each with its button.
    ChecksSection alone;
    QSignalSpy ignored(&alone, &ChecksSection::ignoreWanted);
    alone.ShowFindings({{"de.php", 2, FindingKind::Warning, "placeholder %s is missing", "placeholders", "_HELLO"},
                        {"de.php", 2, FindingKind::Note, "character \xCF\x88 is not in ISO-8859-2", "charset", "_HELLO"}});
    QList<QPushButton*> buttons = alone.findChildren<QPushButton*>(QStringLiteral("IgnoreThis"));
    QCOMPARE(buttons.size(), 2);
    buttons[1]->click();
    QCOMPARE(ignored.size(), 1);
    QCOMPARE(ignored[0][0].value<Finding>().check, std::string("charset"));
    alone.ShowFindings({});
    QTRY_COMPARE(alone.findChildren<QPushButton*>(QStringLiteral("IgnoreThis")).size(), 0);

    // Following the window: Ignore this silences the finding for good.
    load("lang.php");
    ChecksSection section(*main_->EntryChecks1);
    type(QStringLiteral("Hallo"));
    QCOMPARE(section.Shown().size(), std::size_t{1});
    section.findChild<QPushButton*>(QStringLiteral("IgnoreThis"))->click();
    QVERIFY(section.Shown().empty());
    QVERIFY(main_->ChecksPanel->text().isEmpty());
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_SAVED"));
    QCOMPARE(recorded_->messages, QStringList());
}

void ChecksTest::spellingLanguageComesFromTheFileAndTheChoiceIsKept()
{
    SpellingLanguageMenu& menu = *main_->SpellingLanguage1;
    QCOMPARE(main_->Tools1->objectName(), QStringLiteral("Tools1"));
    QCOMPARE(main_->Tools1->title(), QStringLiteral("&Tools"));
    QCOMPARE(main_->MainMenu1->actions().at(main_->MainMenu1->actions().size() - 2)->menu(), main_->Tools1);
    QCOMPARE(menu.State1->text(), QStringLiteral("Spelling: no file loaded"));

    // The desktop speaks German; only Germany's dictionary serves Austria's.
    speak("de_AT.UTF-8");
    load("lang.php");
    QCOMPARE(menu.Language(), std::string("de_DE"));
    QCOMPARE(menu.State1->text(), QStringLiteral("Spelling: German (Germany)"));
    emit menu.aboutToShow();
    const QAction* german = menu.findChild<QAction*>(QStringLiteral("de_DE"));
    QVERIFY(german && german->isChecked());
    QVERIFY(german->text().startsWith(QStringLiteral("German (Germany)")));
    QVERIFY(menu.findChild<QAction*>(QStringLiteral("en_US")));

    menu.findChild<QAction*>(QStringLiteral("en_US"))->trigger();
    QCOMPARE(menu.Language(), std::string("en_US"));
    QCOMPARE(LanguageChoices::load().chosenFor(main_->Job().TranslatedFilePath()), std::string("en_US"));
    QCOMPARE(main_->EntryChecks1->Spelling().Language(), std::string("en_US"));
    // Loaded again, the file keeps the choice.
    load("lang.php");
    QCOMPARE(menu.Language(), std::string("en_US"));

    speak("pl_PL.UTF-8");
    load("other.php");
    QCOMPARE(menu.Language(), std::string());
    QCOMPARE(menu.State1->text(), QStringLiteral("Spelling is off: no dictionary for Polish (Poland) is installed "
                                                 "(Debian: apt search hunspell-pl)"));
    QVERIFY(!main_->EntryChecks1->Spelling().Active());
}

void ChecksTest::misspeltWordsAreUnderlinedAndOfferSuggestions()
{
    speak("de_DE.UTF-8");
    load("lang.php", "<?php\ndefine('_HOUSE', 'The house at %s.');\n?>\n");
    QCOMPARE(main_->SpellingLanguage1->Language(), std::string("de_DE"));
    TEntryEdit& field = *main_->EntryEdit1;
    type(QStringLiteral("Das Hauss an %s."));
    QTRY_COMPARE(field.Underlined(), (std::vector<TextStretch>{{4, 5}}));

    // A wavy red line below the word, none below the others: the red
    // columns span the word, which stands after "Das " from the first dark
    // column (the D).
    field.deselect();
    const QImage shown = field.grab().toImage();
    int firstDark = -1;
    int redLeft = shown.width();
    int redRight = -1;
    for (int x = 3; x < shown.width() - 3; ++x)
        for (int y = 3; y < shown.height() - 3; ++y) {
            const QColor c = shown.pixelColor(x, y);
            if (firstDark < 0 && qGray(c.rgb()) < 100 && !(c.red() > 150 && c.green() < 110))
                firstDark = x;
            if (redPixels(shown, x, x + 1, y, y + 1) > 0) {
                redLeft = std::min(redLeft, x);
                redRight = std::max(redRight, x);
            }
        }
    const QFontMetrics metrics(field.font());
    QVERIFY(firstDark >= 0 && redRight >= 0);
    QVERIFY2(std::abs(redLeft - (firstDark + metrics.horizontalAdvance(QStringLiteral("Das ")))) <= 3,
             qPrintable(QString::number(redLeft)));
    QVERIFY2(std::abs(redRight + 1 - redLeft - metrics.horizontalAdvance(QStringLiteral("Hauss"))) <= 3,
             qPrintable(QString::number(redRight)));

    // The field's menu: suggestions first; one replaces the word as typed.
    QMenu menu;
    menu.addAction(QStringLiteral("Copy"));
    field.OnContextMenu(field, menu, 6);
    QStringList items;
    for (const QAction* action : menu.actions())
        items << action->text();
    QVERIFY2(items.contains(QStringLiteral("Haus")), qPrintable(items.join(QLatin1Char('|'))));
    QVERIFY(items.size() <= 5 + 4);
    QCOMPARE(items.mid(items.size() - 4),
             (QStringList{QStringLiteral("Add to Dictionary"), QStringLiteral("Ignore All"), QString(), QStringLiteral("Copy")}));
    menu.actions().at(static_cast<int>(items.indexOf(QStringLiteral("Haus"))))->trigger();
    QCOMPARE(field.text(), QStringLiteral("Das Haus an %s."));
    QVERIFY(field.Modified());
    QTRY_VERIFY(field.Underlined().empty());

    // Ignore All: for this run; markup and codes are never looked up.
    type(QStringLiteral("Das Kalmoo <b class=\"xyzzy\">MAXQ</b> %s qwertz_1 &auml;."));
    QTRY_COMPARE(field.Underlined(), (std::vector<TextStretch>{{4, 6}}));
    QMenu again;
    field.OnContextMenu(field, again, 5);
    again.findChild<QAction*>(QStringLiteral("SpellingIgnoreAll"))->trigger();
    QTRY_VERIFY(field.Underlined().empty());
}

void ChecksTest::spellingThreadStartsWithTheFirstTextToCheck()
{
    const long before = threadsOfThisProcess();
    {
        // The window's start-up makes one; a window that never checks a word
        // must not hold a thread for it.
        SpellingService unused;
        QCOMPARE(threadsOfThisProcess(), before);
    }
    SpellingService spelling;
    QSignalSpy answered(&spelling, &SpellingService::misspelt);
    spelling.Check("Hello", '\'');
    QVERIFY(answered.wait());
    QCOMPARE(threadsOfThisProcess(), before + 1);
}

QTEST_MAIN(ChecksTest)
#include "ChecksTest.moc"
