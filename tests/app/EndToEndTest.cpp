// The program as kalmo-translator runs it: the real start-up creates the
// windows and runs the event loop; a language file is loaded through the
// dialog, two entries are translated with key presses, and Ctrl+X writes
// the translated file and ends the loop.
#include "tests/app/AppTestSupport.h"
#include "tests/support/TempFolder.h"

#include "app/KalmoProgram.h"
#include "app/Unit1.h"

#include <QTimer>

using namespace kalmo;
using namespace kalmo::testing_support;

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void translateTwoEntriesAndExit();
};

void EndToEndTest::translateTwoEntriesAndExit()
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);

    ProgramOptions options;
    options.services.chooseSourceFile = [&](QWidget*, const FileDialogRequest&) { return std::optional(source); };
    options.services.errorMessageBox = [](QWidget*, const QString&, const QString& text) {
        qWarning("error report: %s", qPrintable(text));
    };
    QString statusAfterLoad;
    bool timedOut = false;
    options.started = [&](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&] {
            if (!QTest::qWaitForWindowActive(&mainWindow))
                return;
            pressKey(Qt::Key_O, Qt::ControlModifier);
            statusAfterLoad = mainWindow.StatusText();
            for (const char* translation : {"Hallo", "O&O"}) {
                pressKey(Qt::Key_Home);
                pressKey(Qt::Key_End, Qt::ShiftModifier);
                typeText(QString::fromLatin1(translation));
                pressKey(Qt::Key_Return);
            }
            pressKey(Qt::Key_X, Qt::ControlModifier);
        });
        // A key that went astray must not hang the test.
        QTimer::singleShot(20000, &mainWindow, [&] {
            timedOut = true;
            QCoreApplication::exit(2);
        });
    };

    char name[] = "kalmo-translator";
    char* argv[] = {name, nullptr};
    int argc = 1;
    const int exitCode = KalmoProgram(argc, argv, options);

    QVERIFY(!timedOut);
    QCOMPARE(exitCode, 0);
    QCOMPARE(statusAfterLoad, QStringLiteral("Sourcefile: lang.php loaded and parsed."));
    const std::string expected = "<?php\n"
                                 "// KALMO language file\n"
                                 "if (!defined('_KALMO')) { die(); }\n"
                                 "define('_GREETING', 'Hallo');\n"
                                 "// between\n"
                                 "define(\"_FAREWELL\", \"O&O\");\n"
                                 "\n"
                                 "$x = 1;\n"
                                 "// end\n"
                                 "?>\n";
    QCOMPARE(folder.read("Translated_lang.php"), expected);
    QCOMPARE(folder.read("lang.php"), kLanguageFile);
}

QTEST_APPLESS_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
