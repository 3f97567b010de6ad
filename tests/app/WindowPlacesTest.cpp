// Window places kept between runs, on the real windows: a place and size
// come back in a second window object, a place off every screen or a broken
// settings file gives the window's default, and the source viewer first
// opens beside the main window. The main window's size, maximised state and
// sidebar and the viewer's text size come back too. Run on one known screen
// of 1920 x 1080.
#include "tests/app/AppTestSupport.h"

#include "app/AboutWindow.h"
#include "app/AppSettings.h"
#include "app/HelpWindow.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/PaneTextSize.h"
#include "app/Sidebar.h"
#include "app/SourceViewer.h"
#include "app/WindowPlaces.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// Each kind of window the program keeps a place for, made as the program makes it.
using MakeWindow = std::function<std::unique_ptr<QWidget>(const std::shared_ptr<AppSettings>& settings)>;

template <typename Window, typename... Arguments>
MakeWindow keptWindow(const char* name, Arguments... arguments)
{
    return [=](const std::shared_ptr<AppSettings>& settings) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<Window>(arguments...);
        new WindowPlaceKeeper(*window, settings, QString::fromLatin1(name));
        return window;
    };
}

} // namespace

Q_DECLARE_METATYPE(MakeWindow)

class WindowPlacesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theTestScreenIsTheKnownOne();
    void placeAndSizeComeBackInASecondWindow_data();
    void placeAndSizeComeBackInASecondWindow();
    void placeOffEveryScreenOrBrokenFileGivesTheDefault_data();
    void placeOffEveryScreenOrBrokenFileGivesTheDefault();
    void placeBesideTakesRightLeftBelowAboveThenLeastCover_data();
    void placeBesideTakesRightLeftBelowAboveThenLeastCover();
    void viewerFirstOpensBesideTheMainWindowNeverOverIt_data();
    void viewerFirstOpensBesideTheMainWindowNeverOverIt();
    void mainWindowSidebarAndViewerTextComeBackInASecondRun();
    void maximisedMainWindowComesBackMaximised();
    void brokenSidebarAndTextSizeSettingsGiveTheDefaults_data();
    void brokenSidebarAndTextSizeSettingsGiveTheDefaults();

private:
    void writeSettingsFile(const QByteArray& content);
    // The main window and the viewer as the program makes and connects them.
    void makeWindows();

    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;

    std::unique_ptr<UserFolders> userFolders_;
    RecordedServices recorded_;
};

void WindowPlacesTest::init() { userFolders_ = std::make_unique<UserFolders>(); }

void WindowPlacesTest::cleanup()
{
    form2_.reset();
    form1_.reset();
    userFolders_.reset();
}

void WindowPlacesTest::makeWindows()
{
    form2_.reset();
    form1_.reset();
    form1_ = std::make_unique<TForm1>(recorded_.services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    keepWindowPlaces(*form1_, *form2_);
    form1_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form1_.get()));
}

void WindowPlacesTest::writeSettingsFile(const QByteArray& content)
{
    std::filesystem::create_directories(std::filesystem::path(AppSettings::FilePath().toStdString()).parent_path());
    QFile file(AppSettings::FilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void WindowPlacesTest::theTestScreenIsTheKnownOne()
{
    QCOMPARE(QGuiApplication::screens().size(), 1);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1920, 1080));
}

void WindowPlacesTest::placeAndSizeComeBackInASecondWindow_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::addColumn<QRect>("place");

    QTest::newRow("main window") << MakeWindow([this](const std::shared_ptr<AppSettings>& settings) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<TForm1>(recorded_.services());
        new WindowPlaceKeeper(*window, settings, QStringLiteral("MainWindow"));
        return window;
    }) << QRect(700, 400, 0, 0);
    QTest::newRow("source viewer, widened") << keptWindow<TForm2>("SourceViewer") << QRect(900, 300, 760, 0);
    QTest::newRow("About") << keptWindow<TForm3>("About", nullptr) << QRect(20, 500, 0, 0);
    QTest::newRow("Help") << keptWindow<TForm4>("Help", nullptr) << QRect(1100, 650, 0, 0);
}

void WindowPlacesTest::placeAndSizeComeBackInASecondWindow()
{
    QFETCH(MakeWindow, make);
    QFETCH(QRect, place);
    QSize size;
    {
        const std::unique_ptr<QWidget> window = make(std::make_shared<AppSettings>());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->move(place.topLeft());
        if (place.width() > 0)
            window->resize(place.width(), window->height());
        size = window->size();
        QCOMPARE(size.width(), place.width() > 0 ? place.width() : size.width());
        window->hide();
    }
    const std::unique_ptr<QWidget> window = make(std::make_shared<AppSettings>());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->pos(), place.topLeft());
    QCOMPARE(window->size(), size);
}

void WindowPlacesTest::placeOffEveryScreenOrBrokenFileGivesTheDefault_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919 + 13) % 256));
    QTest::newRow("right of the screen") << QByteArray("[WindowPlaces]\nAbout=@Rect(2000 100 638 477)\n");
    QTest::newRow("above the screen") << QByteArray("[WindowPlaces]\nAbout=@Rect(100 -3000 638 477)\n");
    QTest::newRow("a corner of ten pixels on screen") << QByteArray("[WindowPlaces]\nAbout=@Rect(-628 -467 638 477)\n");
    QTest::newRow("not a place") << QByteArray("[WindowPlaces]\nAbout=somewhere\n");
    QTest::newRow("garbage bytes") << garbage;
}

void WindowPlacesTest::placeOffEveryScreenOrBrokenFileGivesTheDefault()
{
    QFETCH(QByteArray, content);
    writeSettingsFile(content);
    TForm3 about(nullptr);
    const QPoint centred = about.pos();
    QVERIFY(centred != QPoint(0, 0));
    new WindowPlaceKeeper(about, std::make_shared<AppSettings>(), QStringLiteral("About"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.pos(), centred);
}

void WindowPlacesTest::placeBesideTakesRightLeftBelowAboveThenLeastCover_data()
{
    QTest::addColumn<QRect>("other");
    QTest::addColumn<QPoint>("expected");
    // A window of 500 x 400 on a screen of 1000 x 800.
    QTest::newRow("right") << QRect(100, 50, 300, 200) << QPoint(400, 50);
    QTest::newRow("left, no room right") << QRect(600, 50, 300, 200) << QPoint(100, 50);
    QTest::newRow("below, no room at the sides") << QRect(300, 50, 400, 200) << QPoint(300, 250);
    QTest::newRow("above") << QRect(300, 500, 400, 200) << QPoint(300, 100);
    QTest::newRow("no room anywhere: least covered, inside the screen") << QRect(300, 300, 400, 300) << QPoint(300, 0);
}

void WindowPlacesTest::placeBesideTakesRightLeftBelowAboveThenLeastCover()
{
    QFETCH(QRect, other);
    QFETCH(QPoint, expected);
    QCOMPARE(placeBeside(other, QSize(500, 400), QRect(0, 0, 1000, 800)), expected);
}

void WindowPlacesTest::viewerFirstOpensBesideTheMainWindowNeverOverIt_data()
{
    QTest::addColumn<QPoint>("mainPlace");
    QTest::addColumn<bool>("onTheRight");
    QTest::newRow("room on the right") << QPoint(100, 200) << true;
    QTest::newRow("room only on the left") << QPoint(1400, 200) << false;
}

void WindowPlacesTest::viewerFirstOpensBesideTheMainWindowNeverOverIt()
{
    QFETCH(QPoint, mainPlace);
    QFETCH(bool, onTheRight);
    TForm1 form1(recorded_.services());
    TForm2 form2;
    connectJobWindows(form1, form2);
    keepWindowPlaces(form1, form2);
    form1.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form1));
    form1.move(mainPlace);
    form1.SourceWindows1->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&form2));
    const QRect main = form1.frameGeometry();
    const QRect viewer = form2.frameGeometry();
    QVERIFY2(!viewer.intersects(main), "the viewer covers the main window");
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(viewer));
    QCOMPARE(viewer.top(), main.top());
    if (onTheRight)
        QCOMPARE(viewer.left(), main.right() + 1);
    else
        QCOMPARE(viewer.right(), main.left() - 1);
}

void WindowPlacesTest::mainWindowSidebarAndViewerTextComeBackInASecondRun()
{
    makeWindows();
    // The user widens the window, narrows the sidebar by its handle and
    // makes the viewer's text larger.
    form1_->setGeometry(QRect(QPoint(300, 200), QSize(1000, 600)));
    auto* split = form1_->findChild<QSplitter*>();
    QVERIFY(split);
    QWidget* handle = split->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(handle, grip + QPoint(40, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(40, 0));
    QTRY_COMPARE(form1_->SidePanel().width(), Sidebar::DefaultWidth - 40);
    auto* textSize = form2_->findChild<PaneTextSize*>();
    QVERIFY(textSize);
    textSize->Step(PaneTextStep::Larger);
    textSize->Step(PaneTextStep::Larger);
    const QSize size = form1_->size();
    const QPoint place = form1_->pos();
    form1_->hide();

    makeWindows();
    QCOMPARE(form1_->pos(), place);
    QCOMPARE(form1_->size(), size);
    QVERIFY(form1_->SidebarShown());
    QTRY_COMPARE(form1_->SidePanel().width(), Sidebar::DefaultWidth - 40);
    QCOMPARE(form2_->Memo1->model().Font().Height, -13);
    QCOMPARE(form2_->Memo2->model().Font().Height, -13);

    // Hidden, the sidebar stays hidden in the next run, the window as wide as its client.
    form1_->Sidebar1Click();
    form1_->hide();
    makeWindows();
    QVERIFY(!form1_->SidebarShown());
    QVERIFY(!form1_->Sidebar1->isChecked());
    QCOMPARE(form1_->Client()->width(), form1_->width());
}

void WindowPlacesTest::maximisedMainWindowComesBackMaximised()
{
    makeWindows();
    form1_->move(250, 150);
    const QRect normal = form1_->geometry();
    form1_->showMaximized();
    QTRY_VERIFY(form1_->isMaximized());
    form1_->hide();

    makeWindows();
    QVERIFY(form1_->isMaximized());
    // Back from maximised, it stands where it stood before.
    form1_->showNormal();
    QTRY_COMPARE(form1_->geometry(), normal);

    form1_->hide();
    makeWindows();
    QVERIFY(!form1_->isMaximized());
}

void WindowPlacesTest::brokenSidebarAndTextSizeSettingsGiveTheDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not numbers") << QByteArray("[Sidebar]\nWidth=wide\n[SourceViewer]\nFontPixels=big\n");
    QTest::newRow("out of range") << QByteArray("[Sidebar]\nWidth=-40\n[SourceViewer]\nFontPixels=400\n");
    QTest::newRow("too large a sidebar") << QByteArray("[Sidebar]\nWidth=99999\n[SourceViewer]\nFontPixels=0\n");
    QTest::newRow("lists") << QByteArray("[Sidebar]\nWidth=1, 2\nShown=@Rect(1 2 3 4)\n");
}

void WindowPlacesTest::brokenSidebarAndTextSizeSettingsGiveTheDefaults()
{
    QFETCH(QByteArray, content);
    writeSettingsFile(content);
    makeWindows();
    QVERIFY(form1_->SidebarShown());
    QTRY_COMPARE(form1_->SidePanel().width(), Sidebar::DefaultWidth);
    QCOMPARE(form1_->Client()->size(), QSize(TForm1::ClientWidth, TForm1::ClientHeight));
    QCOMPARE(form2_->Memo1->model().Font().Height, -11);
}

QTEST_MAIN(WindowPlacesTest)
#include "WindowPlacesTest.moc"
