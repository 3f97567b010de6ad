// The window program as kalmo-translator runs it, with keys typed into it
// once the file named on the command line is loaded, for the tests that stop
// a real process. KALMO_TEST_KEYS holds one "type TEXT" or "key NAME" per
// line; "typed" on standard output says they are in.
#include "tests/app/KeyPresses.h"

#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "job/FileAccess.h"

#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <map>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

void typeKeys(const QString& keys)
{
    static const std::map<QString, Qt::Key> named{
        {QStringLiteral("Down"), Qt::Key_Down}, {QStringLiteral("Up"), Qt::Key_Up},
        {QStringLiteral("Return"), Qt::Key_Return}, {QStringLiteral("F2"), Qt::Key_F2}};
    for (const QString& line : keys.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString argument = line.section(QLatin1Char(' '), 1);
        if (line.startsWith(QLatin1String("type ")))
            typeText(argument);
        else if (named.contains(argument))
            pressKey(named.at(argument));
    }
}

} // namespace

int main(int argc, char** argv)
{
    reportFileSizeLimitAsError();
    ProgramOptions options;
    options.started = [](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&mainWindow] {
            if (!QTest::qWaitForWindowActive(&mainWindow))
                return;
            typeKeys(QString::fromLocal8Bit(std::getenv("KALMO_TEST_KEYS")));
            std::puts("typed");
            std::fflush(stdout);
        });
    };
    return KalmoProgram(argc, argv, options);
}
