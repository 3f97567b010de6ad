// The translation memory in the window program, through the real widgets:
// the Suggestions section with its marked words, the Tools menu and its
// keys, Ctrl+1 taking a suggestion, Navigate > Next To Review, Fill from
// Memory and the Search Memory window.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/MemorySearchWindow.h"
#include "app/SourceViewer.h"
#include "app/SuggestionsSection.h"
#include "controls/edit/qt/EntryEdit.h"
#include "app/FormControls.h"
#include "job/UserFolders.h"
#include "job/memory/MemoryEntries.h"
#include "job/memory/MemoryStore.h"
#include "job/memory/UserMemory.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

const char* const kTwoEntries = "<?php\n"
                                "define('_SAVE', 'Save changes');\n"
                                "define('_CLOSE', 'Close');\n";

int pixelsOf(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    return count;
}

MemorySuggestions twoMatchesToReview()
{
    MemorySuggestions shown;
    shown.entryLine = 1;
    shown.name = "_SAVE";
    shown.source = "Save changes";
    shown.language = "de";
    shown.lookedUp = true;
    shown.matches = {{100, "\xC3\x84nderungen speichern", "Save changes", "_SAVE", "a.php", {{"Save changes", false}}},
                     {87, "Alle \xC3\x84nderungen speichern", "Save all changes", "_ALL", "a.php",
                      {{"Save ", false}, {"all", true}, {" changes", false}}}};
    shown.toReview = true;
    shown.oldSource = {{"Save", false}, {" now", true}};
    shown.newSource = {{"Save", false}, {" changes", true}};
    return shown;
}

} // namespace

class SuggestionsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sectionShowsMatchesAndTheChangedSourceWithMarkedWords();
    void toolsMenuStandsBeforeHelpWithTheMemorysCommands();
    void ctrl1TakesTheFirstSuggestionSelectedAndUncommitted();
    void nextToReviewStepsToTheChangedEntryUntilItIsCommitted();
    void fillFromMemoryTellsHowManyAndSearchMemoryListsRecords();

private:
    void storeRecords(const std::vector<MemoryRecord>& records);
    void showAndLoad();

    std::unique_ptr<UserFolders> folders_;
    std::unique_ptr<TempFolder> files_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> viewer_;
    std::unique_ptr<MemorySearchWindow> search_;
    std::string path_;
};

void SuggestionsTest::init()
{
    folders_ = std::make_unique<UserFolders>();
    files_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    path_ = files_->write("lang.php", kTwoEntries);
    recorded_->dialogAnswer = path_;
    AppServices services = recorded_->services();
    services.askLanguage = [](QWidget*, const QString&, const QString&, const QStringList&, const QString&) {
        return std::optional<std::string>("German");
    };
    main_ = std::make_unique<TForm1>(services);
    viewer_ = std::make_unique<TForm2>();
    connectJobWindows(*main_, *viewer_);
    main_->AttachMemorySearchWindow([this]() -> QWidget& {
        if (!search_)
            search_ = std::make_unique<MemorySearchWindow>(
                [this](const std::string& text, MemorySearchWindow::Found found) {
                    main_->Memory().Search(text, std::move(found));
                },
                main_.get());
        return *search_;
    });
}

void SuggestionsTest::cleanup()
{
    search_.reset();
    viewer_.reset();
    main_.reset();
    recorded_.reset();
    files_.reset();
    folders_.reset();
}

void SuggestionsTest::storeRecords(const std::vector<MemoryRecord>& records)
{
    makeUserFolder(userFolder(UserFolder::Data));
    MemoryStore store(userMemoryPath());
    store.add(records);
}

// Loads the file, German chosen as its language, and waits for the
// suggestions of its first entry.
void SuggestionsTest::showAndLoad()
{
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    main_->LoadFile(path_);
    main_->TranslationLanguage1->trigger();
    QCOMPARE(main_->Memory().Language(), std::string("de"));
    QTRY_VERIFY(main_->Memory().Suggestions().lookedUp);
}

void SuggestionsTest::sectionShowsMatchesAndTheChangedSourceWithMarkedWords()
{
    SuggestionsSection section;
    section.resize(320, 320);
    section.Show(twoMatchesToReview());
    section.show();
    QVERIFY(QTest::qWaitForWindowExposed(&section));
    QVERIFY(section.SuggestionLabels[0]->isVisible());
    QVERIFY(section.SuggestionLabels[1]->isVisible());
    QVERIFY(!section.SuggestionLabels[2]->isVisible());
    QVERIFY(section.SuggestionLabels[1]->text().contains(QStringLiteral("Ctrl+2")));
    QVERIFY(section.SuggestionLabels[1]->text().contains(QStringLiteral("87%")));
    QVERIFY(section.ReviewLabel->isVisible());
    QImage image = section.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(pixelsOf(image, SuggestionsSection::ChangedWordColor) > 20);
    QVERIFY(pixelsOf(image, SuggestionsSection::OldWordColor) > 20);
    QVERIFY(pixelsOf(image, SuggestionsSection::NewWordColor) > 20);

    QSignalSpy chosen(&section, &SuggestionsSection::suggestionChosen);
    emit section.SuggestionLabels[1]->linkActivated(QStringLiteral("2"));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().first().toInt(), 2);

    // The next entry, with nothing found, keeps no mark of the last.
    MemorySuggestions none;
    none.entryLine = 2;
    none.language = "de";
    none.lookedUp = true;
    section.Show(none);
    QVERIFY(!section.ReviewLabel->isVisible());
    QVERIFY(!section.SuggestionLabels[0]->isVisible());
    image = section.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(pixelsOf(image, SuggestionsSection::ChangedWordColor), 0);
    QVERIFY(section.StatusLabel->text().contains(QStringLiteral("No de translation")));
}

void SuggestionsTest::toolsMenuStandsBeforeHelpWithTheMemorysCommands()
{
    const QList<QAction*> menus = main_->MainMenu1->actions();
    QCOMPARE(menus.size() >= 2 ? menus[menus.size() - 2]->menu() : nullptr, main_->Tools1);
    QCOMPARE(main_->Tools1->objectName(), QStringLiteral("Tools1"));
    QCOMPARE(main_->Tools1->title(), QStringLiteral("&Tools"));
    const QList<QAction*> items = main_->Tools1->actions();
    for (QAction* item : {main_->FillFromMemory1, main_->SearchMemory1, main_->TranslationLanguage1})
        QVERIFY(items.contains(item));
    for (std::size_t i = 0; i < main_->UseSuggestion1To5.size(); ++i) {
        QVERIFY(items.contains(main_->UseSuggestion1To5[i]));
        QCOMPARE(main_->UseSuggestion1To5[i]->shortcut(), QKeySequence(QStringLiteral("Ctrl+%1").arg(i + 1)));
    }
    QCOMPARE(main_->SearchMemory1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
    QVERIFY(main_->Navigate1->actions().contains(main_->NextToReview1));
    QCOMPARE(main_->NextToReview1->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
}

void SuggestionsTest::ctrl1TakesTheFirstSuggestionSelectedAndUncommitted()
{
    storeRecords({{"de", "Save changes", "\xC3\x84nderungen speichern", "_SAVE", "a.php", 1, 0},
                  {"de", "Save all changes", "Alle \xC3\x84nderungen speichern", "_ALL", "a.php", 2, 0}});
    showAndLoad();
    const SuggestionsSection& section = *main_->Suggestions1;
    QVERIFY(!section.SuggestionLabels[1]->isHidden());
    QVERIFY(section.SuggestionLabels[0]->text().contains(QString::fromUtf8("\xC3\x84nderungen speichern")));
    QVERIFY(section.SuggestionLabels[1]->text().contains(QStringLiteral("all")));

    pressKey(Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(main_->EntryEdit1->Text(), std::string("\xC3\x84nderungen speichern"));
    QCOMPARE(main_->EntryEdit1->selectedText(), QString::fromUtf8("\xC3\x84nderungen speichern"));
    QCOMPARE(main_->Job().WorkingLines()[1], std::string("define('_SAVE', 'Save changes');"));
    // No fifth suggestion: the field stays as it is.
    pressKey(Qt::Key_5, Qt::ControlModifier);
    QCOMPARE(main_->EntryEdit1->Text(), std::string("\xC3\x84nderungen speichern"));
    pressKey(Qt::Key_Return);
    QCOMPARE(main_->Job().WorkingLines()[1], std::string("define('_SAVE', '\xC3\x84nderungen speichern');"));
}

void SuggestionsTest::nextToReviewStepsToTheChangedEntryUntilItIsCommitted()
{
    const std::string translated = files_->write("Translated_lang.php", "<?php\n"
                                                                        "define('_SAVE', 'Speichern');\n"
                                                                        "define('_CLOSE', 'Close');\n");
    makeUserFolder(userFolder(UserFolder::Data));
    MemoryStore(userMemoryPath()).setOrigins(memoryFileKey(translated), {{"_SAVE", "Save"}});
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    main_->ContinueTranslation1->trigger();
    QTRY_COMPARE(main_->ProgressPanel->text(), QStringLiteral("translated 1 of 2, 1 to review"));
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_CLOSE"));

    pressKey(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(main_->Label2->Caption(), QStringLiteral("_SAVE"));
    QTRY_VERIFY(!main_->Suggestions1->ReviewLabel->isHidden());
    QVERIFY(main_->Suggestions1->ReviewLabel->text().contains(QStringLiteral("changes")));
    pressKey(Qt::Key_Return);
    QCOMPARE(main_->ProgressPanel->text(), QStringLiteral("translated 1 of 2"));
    QVERIFY(main_->Suggestions1->ReviewLabel->isHidden());
}

void SuggestionsTest::fillFromMemoryTellsHowManyAndSearchMemoryListsRecords()
{
    storeRecords({{"de", "Close", "Schlie\xC3\x9F" "en", "_CLOSE", "a.php", 1, 0}});
    showAndLoad();
    main_->FillFromMemory1->trigger();
    QTRY_COMPARE(recorded_->information.size(), 1);
    QCOMPARE(recorded_->information.first(), QStringLiteral("1 entry filled from the translation memory."));
    QCOMPARE(main_->Job().WorkingLines()[2], std::string("define('_CLOSE', 'Schlie\xC3\x9F" "en');"));

    pressKey(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(search_ && search_->isVisible());
    search_->SearchEdit->setText(QStringLiteral("schlie"));
    QTRY_COMPARE(search_->Table->rowCount(), 1);
    QCOMPARE(search_->Table->item(0, 2)->text(), QString::fromUtf8("Schlie\xC3\x9F" "en"));
    QCOMPARE(search_->Table->item(0, 3)->text(), QStringLiteral("_CLOSE"));
}

QTEST_MAIN(SuggestionsTest)
#include "SuggestionsTest.moc"
