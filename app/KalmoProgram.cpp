// The program block; see KalmoProgram.h.
#include "app/KalmoProgram.h"

#include "app/AboutWindow.h"
#include "app/AfterFirstPaint.h"
#include "app/Accessibility.h"
#include "app/FontConfigWarmUp.h"
#include "app/HelpWindow.h"
#include "app/KalmoApplication.h"
#include "app/KeyboardShortcutsWindow.h"
#include "app/MainWindow.h"
#include "app/MemorySearchWindow.h"
#include "app/PaneTextSize.h"
#include "app/ProblemsWindow.h"
#include "app/SourceViewer.h"
#include "app/TerminationSignals.h"
#include "app/VersionRecord.h"
#include "app/WindowPlaces.h"
#include "base/KalmoError.h"
#include "controls/edit/qt/EntryEdit.h"
#include "job/RecoveryFolder.h"
#include "job/memory/MemoryAssistant.h"

#include <QAction>
#include <QCommandLineParser>
#include <QFile>
#include <QImageReader>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>

namespace kalmo {
namespace {

// The bytes of the argument that reads as `decoded`. Arguments reach Qt
// decoded through the locale, which loses the bytes of a file name that is
// not in the locale's set; the file system wants those bytes.
std::string argumentBytes(int argc, char** argv, const QString& decoded)
{
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == decoded)
            return argv[i];
    }
    return QFile::encodeName(decoded).toStdString();
}

struct CommandLineOptions {
    QCommandLineOption help;
    QCommandLineOption version;
};

CommandLineOptions describeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Translates a language file of the KALMO content-management "
                                                    "system and writes Translated_ + its name beside it."));
    CommandLineOptions options{parser.addHelpOption(), parser.addVersionOption()};
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A language file (*.php) to load at start."),
                                 QStringLiteral("[FILE]"));
    return options;
}

// --help and --version print and end the process before the application
// object is made: a QApplication needs a display, and they need none. Every
// other argument waits for the application, which first takes its own
// options (-platform, -style) out of the command line.
void answerInformationOptions(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const CommandLineOptions options = describeCommandLine(parser);
    // Qt's own options are unknown here and make this parse fail; the two
    // options are found all the same.
    parser.parse(arguments);
    if (!parser.isSet(options.help) && !parser.isSet(options.version))
        return;
    // The usage line and the version line name the program through it.
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QString::fromUtf8(ApplicationTitle));
    QCoreApplication::setApplicationVersion(QString::fromStdString(ownVersionText()));
    if (parser.isSet(options.version))
        parser.showVersion();
    parser.showHelp(0);
}

// The language file named on the command line, or none. A wrong command
// line prints the reason and ends the process here.
std::optional<std::string> startFileFrom(const QCoreApplication& application, int argc, char** argv)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(application);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return std::nullopt;
    if (files.size() > 1) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        std::exit(2);
    }
    // The load dialog hands back full paths too.
    return std::filesystem::absolute(argumentBytes(argc, argv, files.front())).lexically_normal().string();
}

// The recovery journal follows a change in the translation field or the
// lower pane within this time. The timer starts at the first change and is
// not restarted by the next ones, so steady typing cannot hold it off.
constexpr int kJournalDelayMs = 5000;

void keepJournalAfterChanges(TForm1& mainWindow, TForm2& viewer)
{
    auto* timer = new QTimer(&mainWindow);
    timer->setSingleShot(true);
    timer->setInterval(kJournalDelayMs);
    QObject::connect(timer, &QTimer::timeout, &mainWindow, [&mainWindow] { mainWindow.Job().KeepJournal(); });
    const auto changed = [timer] {
        if (!timer->isActive())
            timer->start();
    };
    QObject::connect(mainWindow.EntryEdit1, &QLineEdit::textEdited, timer, changed);
    QObject::connect(&viewer, &TForm2::memo2Changed, timer, changed);
}

// A logout or a kill ends the program at once, with no dialog to hold it
// up: the work goes into the recovery journal, not over the translated file.
void endKeepingWork(TForm1& mainWindow)
{
    try {
        mainWindow.Job().EndWithoutSaving();
    } catch (const KalmoError& error) {
        std::fprintf(stderr, "kalmo-translator: %s\n", errorReportText(error.what()).c_str());
        QCoreApplication::exit(1);
    }
}

// A window made on the first call, kept in `window` and handed out from then on.
template <typename Window, typename Make>
TForm1::WindowSource madeWhenFirstAsked(std::unique_ptr<Window>& window, Make make)
{
    return [&window, make]() -> QWidget& {
        if (!window)
            window = make();
        return *window;
    };
}

} // namespace

void connectJobWindows(TForm1& mainWindow, TForm2& viewer)
{
    mainWindow.AttachViewer(viewer);
    mainWindow.SetJob(std::make_unique<TranslationJob>(mainWindow.JobView(), viewer.Memo1Model(), viewer.Memo2Model()));
    mainWindow.Job().FormCreate();
    mainWindow.Job().KeepRecoveryJournalIn(defaultRecoveryFolder());
    keepJournalAfterChanges(mainWindow, viewer);
    QObject::connect(&viewer, &TForm2::keyDown, &mainWindow, [&mainWindow](KeyCode key) {
        mainWindow.ReportErrors([&] { mainWindow.Job().ViewerKeyDown(key); });
    });
    QObject::connect(&viewer, &TForm2::memo2ActiveLineChanged, &mainWindow,
                     [&mainWindow] { mainWindow.ReportErrors([&] { mainWindow.Job().Memo2ActiveLineChange(); }); });
    QObject::connect(&viewer, &TForm2::closed, &mainWindow, [&mainWindow] {
        if (mainWindow.SourceWindows1)
            mainWindow.SourceWindows1->setChecked(false);
    });
    QObject::connect(&mainWindow, &TForm1::viewerWanted, &viewer, &TForm2::ShowAndFocusLowerPane);
}

void connectProblemsWindow(TForm1& mainWindow, ProblemsWindow& problems)
{
    QObject::connect(&mainWindow, &TForm1::problemsChanged, &problems, &ProblemsWindow::FindingsChanged);
    QObject::connect(&problems, &ProblemsWindow::problemChosen, &mainWindow, [&mainWindow](const Finding& finding) {
        mainWindow.ReportErrors([&] { mainWindow.Job().ShowProblem(finding); });
        mainWindow.activateWindow();
    });
}

void keepWindowPlaces(TForm1& mainWindow, TForm2& viewer)
{
    new WindowPlaceKeeper(mainWindow, mainWindow.Settings(), QStringLiteral("MainWindow"));
    new WindowPlaceKeeper(viewer, mainWindow.Settings(), QStringLiteral("SourceViewer"),
                          [&mainWindow](const QWidget& window) {
                              const QScreen* screen = mainWindow.screen();
                              return placeBeside(mainWindow.frameGeometry(), window.frameGeometry().size(),
                                                 screen ? screen->availableGeometry() : mainWindow.frameGeometry());
                          });
    new PaneTextSize(viewer, mainWindow.Settings());
}

int KalmoProgram(int& argc, char** argv, const ProgramOptions& options)
{
    answerInformationOptions(argc, argv);
    const AppServices& services = options.services;
    FontConfigWarmUp fontConfigWarmUp;
    KalmoApplication application(argc, argv, services);
    QCoreApplication::setApplicationVersion(QString::fromStdString(ownVersionText()));
    const std::optional<std::string> startFile = startFileFrom(application, argc, argv);
    // Exit, or closing the main window (which is an Exit), ends the loop;
    // the side windows closing must not.
    application.setQuitOnLastWindowClosed(false);
    installAccessibility();
    // The menu bar's overflow button loads its icon through Qt's picture
    // format plugins; they need no fonts, so they load while the font
    // configuration is still being read.
    QImageReader::supportedImageFormats();

    // The main window's first label looks fonts up.
    fontConfigWarmUp.Ready();
    // The main window first: its creation touches none of the others.
    TForm1 Form1(services);
    // The viewer is hidden at start, and its panes' fonts are fonts the main
    // window does not use: they are measured once the main window is drawn.
    TForm2 Form2(TCodeMemo::FontMeasure::Later);
    connectJobWindows(Form1, Form2);
    keepWindowPlaces(Form1, Form2);
    // About and Help wait until they are first asked for; declared after the
    // main window, they go before it.
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    const auto placeKept = [&Form1](auto window, const char* name) {
        new WindowPlaceKeeper(*window, Form1.Settings(), QString::fromLatin1(name));
        return window;
    };
    Form1.AttachAboutWindow(
        madeWhenFirstAsked(Form3, [&] { return placeKept(std::make_unique<TForm3>(&Form1), "About"); }));
    Form1.AttachHelpWindow(
        madeWhenFirstAsked(Form4, [&] { return placeKept(std::make_unique<TForm4>(&Form1), "Help"); }));
    std::unique_ptr<KeyboardShortcutsWindow> keys;
    Form1.AttachKeyboardShortcutsWindow(
        madeWhenFirstAsked(keys, [&Form1] { return std::make_unique<KeyboardShortcutsWindow>(&Form1); }));
    std::unique_ptr<MemorySearchWindow> memorySearch;
    Form1.AttachMemorySearchWindow(madeWhenFirstAsked(memorySearch, [&] {
        auto search = [&Form1](const std::string& text, MemorySearchWindow::Found found) {
            Form1.Memory().Search(text, std::move(found));
        };
        return placeKept(std::make_unique<MemorySearchWindow>(search, &Form1), "MemorySearch");
    }));
    std::unique_ptr<ProblemsWindow> problems;
    Form1.AttachProblemsWindow(madeWhenFirstAsked(problems, [&Form1, &placeKept] {
        auto window = std::make_unique<ProblemsWindow>([&Form1] { return Form1.Job().Problems(); }, &Form1);
        connectProblemsWindow(Form1, *window);
        return placeKept(std::move(window), "Problems");
    }));

    const TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &Form1, [&Form1] { endKeepingWork(Form1); });

    Form1.show();
    // A desktop gives a new window the keyboard; without a window manager
    // nobody would.
    Form1.activateWindow();
    // The viewer's panes measure their fonts before the job first fills
    // them: once the main window is drawn, or before the user's first input
    // or the start's own work for them, whichever comes first.
    new AfterFirstPaint(Form1, [&Form2] { Form2.MeasurePaneFonts(); });
    // Once the loop runs, so that questions and error reports have their
    // window: first the work a stopped program left, then the file named on
    // the command line.
    QTimer::singleShot(0, &Form1, [&Form1, &Form2, startFile] {
        if (startFile || !RecoveryFolder(defaultRecoveryFolder()).journals().empty())
            Form2.MeasurePaneFonts();
        Form1.ReportErrors([&Form1] { Form1.Job().OfferAbandonedWork(); });
        if (startFile)
            Form1.LoadFile(*startFile);
    });
    if (options.started)
        options.started(Form1);
    return application.exec();
}

} // namespace kalmo
