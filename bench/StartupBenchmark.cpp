// Start-up time of the window program against a bare Qt Widgets window with
// what every main window has: from constructing the application object to
// the first paint of the main window, each start in a fresh process.
//
//   startup_bench [runs]      runs them all, alternating, and prints the
//                             medians and the ratio kalmo / bare (the target
//                             is at most 1.1)
//   startup_bench --kalmo     one start of the real program block
//   startup_bench --bare      one start of a QMainWindow with a menu bar
//                             holding one menu and a label as its centre
//   startup_bench --plain     one start of a program that shows a QWidget
//   startup_bench --label     the same with one line of text on it, which
//                             shows what the first font lookup costs
//
// Run it where the program runs (under X or xvfb-run -a), or with
// QT_QPA_PLATFORM=offscreen. Under callgrind, --dump-before=*firstPaintReached*
// splits the instructions before the first paint from those after it.
#include "app/AppSettings.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/RecentFilesMenu.h"
#include "testing/UserFolders.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The program's start may take this much longer than the bare main window's.
constexpr double kTargetRatio = 1.1;

// Called once, at the first paint: a mark for a profiler to split the run at.
[[gnu::noinline]] void firstPaintReached() { asm volatile(""); }

// Ends the loop after the first paint that reaches `window` or one of its
// controls and keeps the time it came.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, Clock::time_point start) : window_(window), start_(start)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    long long micros = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (micros < 0 && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == &window_) {
            micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_).count();
            firstPaintReached();
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    QWidget& window_;
    Clock::time_point start_;
};

int startKalmo(char** argv)
{
    const auto start = Clock::now();
    std::unique_ptr<FirstPaint> firstPaint;
    kalmo::ProgramOptions options;
    options.started = [&](TForm1& mainWindow) { firstPaint = std::make_unique<FirstPaint>(mainWindow, start); };
    // The program reads its own command line: it gets only its name, not
    // the benchmark's mode.
    int programArgc = 1;
    const int code = kalmo::KalmoProgram(programArgc, argv, options);
    std::printf("%lld\n", firstPaint ? firstPaint->micros : -1LL);
    return code;
}

enum class Bare { Plain, Label, MainWindow };

// The window the program's main window is compared with, at the same size.
std::unique_ptr<QWidget> bareWindow(Bare kind)
{
    const QString text = QStringLiteral("Variable name");
    if (kind != Bare::MainWindow) {
        auto window = std::make_unique<QWidget>();
        window->resize(469, 214);
        if (kind == Bare::Label)
            (new QLabel(text, window.get()))->move(8, 8);
        return window;
    }
    auto window = std::make_unique<QMainWindow>();
    auto* menuBar = new QMenuBar(window.get());
    menuBar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window->setMenuBar(menuBar);
    window->setCentralWidget(new QLabel(text));
    window->resize(469, 214 + menuBar->sizeHint().height());
    return window;
}

int startBare(int argc, char** argv, Bare kind)
{
    const auto start = Clock::now();
    QApplication application(argc, argv);
    const std::unique_ptr<QWidget> window = bareWindow(kind);
    window->show();
    FirstPaint firstPaint(*window, start);
    const int code = application.exec();
    std::printf("%lld\n", firstPaint.micros);
    return code;
}

long long runOnce(const std::string& self, const char* mode)
{
    const std::string command = "'" + self + "' " + mode;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    long long micros = -1;
    if (std::fscanf(pipe, "%lld", &micros) != 1)
        micros = -1;
    ::pclose(pipe);
    return micros;
}

// A user's settings with a full list of recent files: the start reads them.
void rememberRecentFiles()
{
    kalmo::RecentFiles files;
    for (std::size_t i = 0; i < kalmo::RecentFiles::Capacity; ++i)
        files.Push("/srv/site" + std::to_string(i) + "/language/english.php", "12 of 40");
    kalmo::AppSettings settings;
    kalmo::writeRecentFiles(settings, files);
}

double median(std::vector<long long> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--kalmo")
        return startKalmo(argv);
    if (mode == "--bare")
        return startBare(argc, argv, Bare::MainWindow);
    if (mode == "--plain")
        return startBare(argc, argv, Bare::Plain);
    if (mode == "--label")
        return startBare(argc, argv, Bare::Label);

    // The starts get user folders of their own: work a stopped program left
    // in the real ones would hold the start up with its question.
    kalmo::testing_support::useTemporaryUserFolders();
    rememberRecentFiles();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    struct Program {
        const char* mode;
        const char* title;
        std::vector<long long> micros;
    };
    std::array<Program, 4> programs{{{"--kalmo", "kalmo-translator", {}},
                                     {"--bare", "bare main window", {}},
                                     {"--plain", "plain QWidget", {}},
                                     {"--label", "with one label", {}}}};
    // Alternating keeps a warming disk cache or a busy machine from favouring one side.
    for (int i = 0; i < runs + 1; ++i) {
        for (Program& program : programs) {
            const long long micros = runOnce(argv[0], program.mode);
            if (micros < 0) {
                std::fprintf(stderr, "a start of %s failed (is a display or QT_QPA_PLATFORM=offscreen available?)\n",
                             program.mode);
                return 1;
            }
            if (i > 0) // the first round only warms the caches
                program.micros.push_back(micros);
        }
    }
    std::printf("start to first paint, median of %d runs\n", runs);
    for (const Program& program : programs)
        std::printf("  %-18s %8.1f ms\n", program.title, median(program.micros) / 1000.0);
    const double ratio = median(programs[0].micros) / median(programs[1].micros);
    std::printf("  kalmo / bare       %8.2f (target <= %.2f)\n", ratio, kTargetRatio);
    return ratio <= kTargetRatio ? 0 : 3;
}
