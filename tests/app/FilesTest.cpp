// Remembered files on the real main window: the settings file in the user's
// settings folder (a broken one gives defaults), File > Recent Files (order,
// cap, progress after a save, a file gone, a restart) and a language file
// dropped onto the window; the texts Find was last asked for.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/AppSettings.h"
#include "app/FindDialog.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/RecentFilesMenu.h"
#include "app/SourceViewer.h"
#include "controls/edit/qt/EntryEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

class FilesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void settingsFileLivesInTheSettingsFolderOfTheMoment();
    void brokenSettingsFileGivesDefaults_data();
    void brokenSettingsFileGivesDefaults();
    void recentFilesAreNewestFirstWithoutDuplicatesAndTen();
    void pickedRecentFileLoadsLikeLoadAndShowsTheSavedProgress();
    void goneFileIsGreyAndPickingItTakesItOffWithAMessage();
    void recentFilesOutliveTheProgram();
    void droppedLanguageFileLoadsLikeLoad_data();
    void droppedLanguageFileLoadsLikeLoad();
    void findOffersTheLastTenTextsNewestFirstAcrossRuns();
    void findDialogOffersTheTextsInAnEditableList_data();
    void findDialogOffersTheTextsInAnEditableList();

private:
    void makeWindows();
    std::string languageFile(const std::string& name) { return folder_->write(name, kLanguageFile); }
    // The paths of File > Recent Files, top first.
    std::vector<std::string> recentPaths() const;
    QAction* recentItem(const std::string& path) const;

    std::unique_ptr<UserFolders> userFolders_;
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
};

void FilesTest::init()
{
    // Each test its own settings folder: settings must follow XDG_CONFIG_HOME
    // as it is when they are read, not as it was at the first read.
    userFolders_ = std::make_unique<UserFolders>();
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    makeWindows();
}

void FilesTest::cleanup()
{
    form2_.reset();
    form1_.reset();
    recorded_.reset();
    folder_.reset();
    userFolders_.reset();
}

void FilesTest::makeWindows()
{
    form2_.reset();
    form1_.reset();
    form1_ = std::make_unique<TForm1>(recorded_->services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    form1_->show();
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
}

std::vector<std::string> FilesTest::recentPaths() const
{
    std::vector<std::string> paths;
    for (const QAction* action : form1_->RecentFiles1->actions())
        paths.push_back(RecentFilesMenu::PathOf(*action));
    return paths;
}

QAction* FilesTest::recentItem(const std::string& path) const
{
    for (QAction* action : form1_->RecentFiles1->actions()) {
        if (RecentFilesMenu::PathOf(*action) == path)
            return action;
    }
    return nullptr;
}

void FilesTest::settingsFileLivesInTheSettingsFolderOfTheMoment()
{
    const std::string file = languageFile("lang.php");
    form1_->LoadFile(file);
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kalmo/kalmo-translator.conf");
    QCOMPARE(AppSettings::FilePath(), expected);
    QFile settings(expected);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(settings.readAll().contains(QByteArray::fromStdString(file)));
}

void FilesTest::brokenSettingsFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919 + 13) % 256));
    QTest::newRow("garbage bytes") << garbage;
    QTest::newRow("a count without end") << QByteArray("[RecentFiles]\nsize=2147483647\n");
    QTest::newRow("entries without paths") << QByteArray("[RecentFiles]\nsize=2\n1\\progress=x\n2\\path=\n");
    QTest::newRow("empty") << QByteArray();
}

void FilesTest::brokenSettingsFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    std::filesystem::create_directories(std::filesystem::path(AppSettings::FilePath().toStdString()).parent_path());
    {
        QFile settings(AppSettings::FilePath());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(content);
    }
    makeWindows();
    QVERIFY(recentPaths().empty());
    QVERIFY(!form1_->RecentFiles1->menuAction()->isEnabled());
    QVERIFY(recorded_->messages.isEmpty());
    QVERIFY(recorded_->information.isEmpty());
    // The next change writes a file that reads back.
    const std::string file = languageFile("lang.php");
    form1_->LoadFile(file);
    makeWindows();
    QCOMPARE(recentPaths(), std::vector<std::string>{file});
}

void FilesTest::recentFilesAreNewestFirstWithoutDuplicatesAndTen()
{
    std::vector<std::string> files;
    for (int i = 0; i < 12; ++i)
        files.push_back(languageFile("lang" + std::to_string(i) + ".php"));
    // Load through its dialog counts as well as the ways that skip it.
    recorded_->dialogAnswer = files[0];
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());
    for (int i = 1; i < 12; ++i)
        form1_->LoadFile(files[i]);
    form1_->LoadFile(files[4]);
    QCOMPARE(recentPaths(), (std::vector<std::string>{files[4], files[11], files[10], files[9], files[8], files[7],
                                                      files[6], files[5], files[3], files[2]}));
    const QList<QAction*> items = form1_->RecentFiles1->actions();
    // The folder, shortened at home and in its middle, keeps its last name.
    QVERIFY(items.front()->text().startsWith(QStringLiteral("&1 lang4.php \u2014 ")));
    QVERIFY(items.front()->text().endsWith(QString::fromStdString(folder_->root().filename().string())));
    QVERIFY(items.back()->text().startsWith(QStringLiteral("1&0 lang2.php")));
    QCOMPARE(items.front()->toolTip(), QString::fromStdString(files[4]));
}

void FilesTest::pickedRecentFileLoadsLikeLoadAndShowsTheSavedProgress()
{
    const std::string first = languageFile("first.php");
    const std::string second = languageFile("second.php");
    // An earlier run's translation of the second file: Load asks about it.
    folder_->write("Translated_second.php", kLanguageFile);
    form1_->LoadFile(second);
    QCOMPARE(recorded_->questions.size(), std::size_t(1));
    form1_->LoadFile(first);
    pressKey(Qt::Key_End, Qt::ShiftModifier);
    typeText(QStringLiteral("Hallo"));

    recentItem(second)->trigger();
    QTRY_COMPARE(form1_->Job().FileName(), second);
    QVERIFY(recorded_->dialogs.empty());
    // Saved first, as Load saves, and the save's count is shown.
    QVERIFY(folder_->read("Translated_first.php").find("'Hallo'") != std::string::npos);
    QCOMPARE(recentPaths(), (std::vector<std::string>{second, first}));
    QVERIFY(recentItem(first)->text().endsWith(QStringLiteral("\t1 of 2")));
    QVERIFY(!recentItem(second)->text().contains(QLatin1Char('\t')));
    // The question about an earlier translation, as Load asks it.
    QCOMPARE(recorded_->questions.size(), std::size_t(2));
}

void FilesTest::goneFileIsGreyAndPickingItTakesItOffWithAMessage()
{
    const std::string gone = languageFile("gone.php");
    const std::string kept = languageFile("kept.php");
    form1_->LoadFile(gone);
    form1_->LoadFile(kept);
    std::filesystem::remove(gone);

    RecentFilesMenu& menu = *form1_->RecentFiles1;
    menu.popup(form1_->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QImage image = menu.grab().toImage();
    const auto darkestInk = [&](const std::string& path) {
        const QRectF area = QRectF(menu.actionGeometry(recentItem(path))).adjusted(4, 2, -4, -2);
        const qreal scale = image.devicePixelRatio();
        int darkest = 255;
        for (int y = int(area.top() * scale); y < int(area.bottom() * scale); ++y)
            for (int x = int(area.left() * scale); x < int(area.right() * scale); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    };
    QVERIFY(darkestInk(gone) > darkestInk(kept) + 60);
    menu.hide();

    recentItem(gone)->trigger();
    QTRY_COMPARE(recentPaths(), std::vector<std::string>{kept});
    QCOMPARE(recorded_->information.size(), qsizetype(1));
    QVERIFY(recorded_->information.front().contains(QString::fromStdString(gone)));
    QVERIFY(recorded_->messages.isEmpty());
    QCOMPARE(form1_->Job().FileName(), kept);
    makeWindows();
    QCOMPARE(recentPaths(), std::vector<std::string>{kept});
}

void FilesTest::recentFilesOutliveTheProgram()
{
    const std::string first = languageFile("first.php");
    const std::string second = languageFile("second.php");
    form1_->LoadFile(first);
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_S, Qt::ControlModifier);
    form1_->LoadFile(second);
    makeWindows();
    QCOMPARE(recentPaths(), (std::vector<std::string>{second, first}));
    QVERIFY(recentItem(first)->text().endsWith(QStringLiteral("\t0 of 2")));
}

void FilesTest::droppedLanguageFileLoadsLikeLoad_data()
{
    QTest::addColumn<bool>("ontoField");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("loads");
    QTest::newRow("onto the window") << false << QStringList{QStringLiteral("drop.php")} << true;
    QTest::newRow("onto the translation field") << true << QStringList{QStringLiteral("drop.PHP")} << true;
    QTest::newRow("no language file") << false << QStringList{QStringLiteral("drop.txt")} << false;
    QTest::newRow("two files") << false << QStringList{QStringLiteral("drop.php"), QStringLiteral("other.php")}
                               << false;
}

void FilesTest::droppedLanguageFileLoadsLikeLoad()
{
    QFETCH(bool, ontoField);
    QFETCH(QStringList, names);
    QFETCH(bool, loads);
    const std::string first = languageFile("first.php");
    QList<QUrl> urls;
    for (const QString& name : names)
        urls << QUrl::fromLocalFile(QString::fromStdString(languageFile(name.toStdString())));
    form1_->LoadFile(first);
    pressKey(Qt::Key_End, Qt::ShiftModifier);
    typeText(QStringLiteral("Hallo"));

    QMimeData data;
    data.setUrls(urls);
    QWidget* target = ontoField ? static_cast<QWidget*>(form1_->EntryEdit1) : form1_.get();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), loads);
    if (!loads)
        return;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    const std::string dropped = urls.front().toLocalFile().toStdString();
    QTRY_COMPARE(form1_->Job().FileName(), dropped);
    QVERIFY(recorded_->dialogs.empty());
    QVERIFY(folder_->read("Translated_first.php").find("'Hallo'") != std::string::npos);
    QCOMPARE(form1_->EntryEdit1->Text(), std::string("Hello"));
    QCOMPARE(recentPaths(), (std::vector<std::string>{dropped, first}));
}

void FilesTest::findOffersTheLastTenTextsNewestFirstAcrossRuns()
{
    form1_->LoadFile(languageFile("lang.php"));
    const QStringList asked{"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10", "t3", "t11"};
    for (const QString& text : asked) {
        recorded_->findAnswer = text.toStdString();
        form1_->Find1Click();
    }
    // Cancelled and empty answers are not kept.
    recorded_->findAnswer = std::nullopt;
    form1_->Find1Click();
    recorded_->findAnswer = "";
    form1_->Find1Click();
    const QStringList newestFirst{"t11", "t3", "t10", "t9", "t8", "t7", "t6", "t5", "t4", "t2"};
    QCOMPARE(recorded_->findHistories.back(), newestFirst);
    QCOMPARE(recorded_->findOffers.back(), std::string("t11"));

    makeWindows();
    form1_->LoadFile(languageFile("lang.php"));
    form1_->Find1Click();
    QCOMPARE(recorded_->findHistories.back(), newestFirst);
    // The new job's own last text, which Find Next uses, starts empty.
    QCOMPARE(recorded_->findOffers.back(), std::string());
}

void FilesTest::findDialogOffersTheTextsInAnEditableList_data()
{
    QTest::addColumn<QString>("lastText");
    QTest::addColumn<QStringList>("recent");
    QTest::addColumn<QString>("offered");
    QTest::newRow("the job's last text") << "hello" << QStringList{"R&D", "hello"} << "hello";
    QTest::newRow("none yet: the newest") << "" << QStringList{"R&D", "hello, world"} << "R&D";
    QTest::newRow("nothing at all") << "" << QStringList{} << "";
}

void FilesTest::findDialogOffersTheTextsInAnEditableList()
{
    QFETCH(QString, lastText);
    QFETCH(QStringList, recent);
    QFETCH(QString, offered);
    FindDialog dialog(form1_.get(), lastText.toStdString(), recent);
    QVERIFY(dialog.Texts->isEditable());
    QStringList items;
    for (int i = 0; i < dialog.Texts->count(); ++i)
        items << dialog.Texts->itemText(i);
    QCOMPARE(items, recent);
    QCOMPARE(dialog.Text(), offered);
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    FilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FilesTest.moc"
