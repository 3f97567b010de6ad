// Start-up time of the window program against the smallest Qt Widgets
// program: from constructing the application object to the first paint of
// the main window, each start in a fresh process.
//
//   startup_bench [runs]      runs both, alternating, and prints the medians
//                             and their ratio (the target is at most 1.2)
//   startup_bench --kalmo     one start of the real program block
//   startup_bench --plain     one start of a program that shows a QWidget
//   startup_bench --label     the same with one line of text on it, which
//                             shows what the first font lookup costs
//
// Run it where the program runs (under X or xvfb-run -a), or with
// QT_QPA_PLATFORM=offscreen.
#include "app/AppSettings.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/RecentFilesMenu.h"
#include "testing/UserFolders.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

int startPlain(int argc, char** argv, bool withText)
{
    const auto start = Clock::now();
    QApplication application(argc, argv);
    QWidget window;
    window.resize(469, 214);
    if (withText)
        (new QLabel(QStringLiteral("Variable name"), &window))->move(8, 8);
    window.show();
    FirstPaint firstPaint(window, start);
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
    if (mode == "--plain" || mode == "--label")
        return startPlain(argc, argv, mode == "--label");

    // The starts get user folders of their own: work a stopped program left
    // in the real ones would hold the start up with its question.
    kalmo::testing_support::useTemporaryUserFolders();
    rememberRecentFiles();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<long long> kalmo;
    std::vector<long long> plain;
    std::vector<long long> label;
    // Alternating keeps a warming disk cache or a busy machine from favouring one side.
    for (int i = 0; i < runs + 1; ++i) {
        const long long k = runOnce(argv[0], "--kalmo");
        const long long p = runOnce(argv[0], "--plain");
        const long long l = runOnce(argv[0], "--label");
        if (k < 0 || p < 0 || l < 0) {
            std::fprintf(stderr, "a start failed (is a display or QT_QPA_PLATFORM=offscreen available?)\n");
            return 1;
        }
        if (i > 0) { // the first pair only warms the caches
            kalmo.push_back(k);
            plain.push_back(p);
            label.push_back(l);
        }
    }
    const double k = median(kalmo);
    const double p = median(plain);
    std::printf("start to first paint, median of %d runs\n", runs);
    std::printf("  kalmo-translator  %8.1f ms\n", k / 1000.0);
    std::printf("  plain QWidget     %8.1f ms\n", p / 1000.0);
    std::printf("  with one label    %8.1f ms\n", median(label) / 1000.0);
    std::printf("  ratio             %8.2f (target <= 1.20)\n", k / p);
    return k / p <= 1.2 ? 0 : 3;
}
