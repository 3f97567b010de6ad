// What the start leaves until the main window is drawn: the task that waits
// for the first paint (and comes before any user input), the viewer's panes
// measured when first needed, and the real start measuring them before it
// loads a file named on the command line.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/AfterFirstPaint.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void taskRunsOnceBeforeInputAndAfterTheFirstPaint_data();
    void taskRunsOnceBeforeInputAndAfterTheFirstPaint();
    void viewerPanesMeasureTheirFontsWhenFirstNeeded_data();
    void viewerPanesMeasureTheirFontsWhenFirstNeeded();
    void programMeasuresThePanesAfterTheFirstPaintOrBeforeAStartFile_data();
    void programMeasuresThePanesAfterTheFirstPaintOrBeforeAStartFile();
};

namespace {

// Notes the keys that reach it, after what the task noted.
class KeyLog : public QLineEdit {
public:
    explicit KeyLog(QStringList& log) : log_(log) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        log_ << QStringLiteral("key");
        QLineEdit::keyPressEvent(event);
    }

private:
    QStringList& log_;
};

// The windows of the first tests need an application; the program makes its own.
struct Application {
    int argc = 1;
    char name[16] = "startup_tests";
    char* argv[2] = {name, nullptr};
    QApplication application{argc, argv};
};

TForm2* viewerOfTheProgram()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* viewer = qobject_cast<TForm2*>(widget))
            return viewer;
    return nullptr;
}

} // namespace

void StartUpTest::taskRunsOnceBeforeInputAndAfterTheFirstPaint_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("first paint") << "paint" << QStringList{QStringLiteral("task")};
    // Typed ahead while the window is not drawn yet: the task still comes first.
    QTest::newRow("key before the first paint") << "key" << QStringList{QStringLiteral("task"), QStringLiteral("key")};
    QTest::newRow("window never drawn") << "none" << QStringList{QStringLiteral("task")};
}

void StartUpTest::taskRunsOnceBeforeInputAndAfterTheFirstPaint()
{
    QFETCH(QString, trigger);
    QFETCH(QStringList, expected);
    const auto application = std::make_unique<Application>();
    QStringList log;
    QWidget window;
    auto* field = new KeyLog(log);
    (new QVBoxLayout(&window))->addWidget(field);
    new AfterFirstPaint(window, [&log] { log << QStringLiteral("task"); });

    if (trigger == QLatin1String("key")) {
        // Delivered straight, as the first event the window gets.
        QTest::keyClick(field, Qt::Key_A);
    } else if (trigger == QLatin1String("paint")) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    const int wait = trigger == QLatin1String("none") ? 2 * AfterFirstPaint::UndrawnWindowDelayMs : 5000;
    QTRY_COMPARE_WITH_TIMEOUT(log, expected, wait);
    window.show();
    window.update();
    QTest::keyClick(field, Qt::Key_B);
    QCOMPARE(log.count(QStringLiteral("task")), 1);
}

void StartUpTest::viewerPanesMeasureTheirFontsWhenFirstNeeded_data()
{
    QTest::addColumn<QString>("need");
    QTest::newRow("the window shown") << "show";
    QTest::newRow("asked for") << "ask";
}

void StartUpTest::viewerPanesMeasureTheirFontsWhenFirstNeeded()
{
    QFETCH(QString, need);
    const auto application = std::make_unique<Application>();
    const TForm2 measuredAtOnce;
    const TCustomCodeMemo& expected = measuredAtOnce.Memo2->model();
    QVERIFY(expected.LineHeight() > 0);

    TForm2 viewer(TCodeMemo::FontMeasure::Later);
    for (const TCodeMemo* pane : {viewer.Memo1, viewer.Memo2})
        QCOMPARE(pane->model().LineHeight(), 0);
    if (need == QLatin1String("show")) {
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    } else {
        viewer.MeasurePaneFonts();
    }
    // The same cell and the same font as a pane measured when it was made.
    for (const TCodeMemo* pane : {viewer.Memo1, viewer.Memo2}) {
        QCOMPARE(pane->model().LineHeight(), expected.LineHeight());
        QCOMPARE(pane->model().CharWidth(), expected.CharWidth());
        QVERIFY(pane->model().Font() == expected.Font());
    }
}

void StartUpTest::programMeasuresThePanesAfterTheFirstPaintOrBeforeAStartFile_data()
{
    QTest::addColumn<bool>("startFile");
    QTest::newRow("no file named") << false;
    QTest::newRow("a file named on the command line") << true;
}

void StartUpTest::programMeasuresThePanesAfterTheFirstPaintOrBeforeAStartFile()
{
    QFETCH(bool, startFile);
    const UserFolders folders;
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);

    ProgramOptions options;
    options.services.errorMessageBox = [](QWidget*, const QString&, const QString& text) {
        qWarning("error report: %s", qPrintable(text));
    };
    int lineHeightAtStart = -1;
    int lineHeightAtLoad = -1;
    int lineHeightOnceDrawn = -1;
    options.started = [&](TForm1& mainWindow) {
        TForm2* viewer = viewerOfTheProgram();
        QVERIFY(viewer != nullptr);
        lineHeightAtStart = viewer->Memo2->model().LineHeight();
        QObject::connect(viewer, &TForm2::memo2Changed, viewer, [&, viewer] {
            if (lineHeightAtLoad < 0)
                lineHeightAtLoad = viewer->Memo2->model().LineHeight();
        });
        QTimer::singleShot(0, &mainWindow, [&, viewer] {
            QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
            QTRY_VERIFY(viewer->Memo2->model().LineHeight() > 0);
            lineHeightOnceDrawn = viewer->Memo2->model().LineHeight();
            QCoreApplication::exit(0);
        });
        // A check that failed above must not hang the test.
        QTimer::singleShot(20000, &mainWindow, [] { QCoreApplication::exit(2); });
    };

    QByteArray name("kalmo-translator");
    QByteArray file = QByteArray::fromStdString(source);
    char* argv[] = {name.data(), file.data(), nullptr};
    int argc = startFile ? 2 : 1;
    QCOMPARE(KalmoProgram(argc, argv, options), 0);

    QCOMPARE(lineHeightAtStart, 0);
    QVERIFY(lineHeightOnceDrawn > 0);
    // The job filled the lower pane only once it was measured.
    if (startFile)
        QCOMPARE(lineHeightAtLoad, lineHeightOnceDrawn);
}

QTEST_APPLESS_MAIN(StartUpTest)
#include "StartUpTest.moc"
