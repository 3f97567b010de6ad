// The program as kalmo-translator runs it: the real start-up creates the
// windows and runs the event loop; a language file is loaded through the
// dialog, two entries are translated with key presses, and Ctrl+X writes
// the translated file and ends the loop.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/FormControls.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"

#include <QDir>
#include <QTimer>

using namespace kalmo;
using namespace kalmo::testing_support;

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void translateTwoEntriesAndExit();
    void fileNamedOnTheCommandLineIsLoadedAtStart_data();
    void fileNamedOnTheCommandLineIsLoadedAtStart();
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

void EndToEndTest::fileNamedOnTheCommandLineIsLoadedAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("report");
    QTest::newRow("a language file") << "lang.php" << "Sourcefile: lang.php loaded and parsed." << "";
    QTest::newRow("a missing file") << "missing.php" << "Sourcefile: missing.php loading and parsing.."
                                    << "No such file or directory";
}

void EndToEndTest::fileNamedOnTheCommandLineIsLoadedAtStart()
{
    QFETCH(QString, name);
    QFETCH(QString, status);
    QFETCH(QString, report);
    TempFolder folder;
    folder.write("lang.php", kLanguageFile);

    ProgramOptions options;
    int dialogs = 0;
    options.services.chooseSourceFile = [&](QWidget*, const FileDialogRequest&) {
        ++dialogs;
        return std::optional<std::string>();
    };
    QString reported;
    options.services.errorMessageBox = [&](QWidget*, const QString&, const QString& text) { reported = text; };
    QString statusAfterStart;
    std::string nameField;
    options.started = [&](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&] {
            statusAfterStart = mainWindow.StatusText();
            nameField = mainWindow.Label2->Caption().toStdString();
            QCoreApplication::exit(0);
        });
    };

    // A relative name, as a file manager or a shell passes it.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder.root().string()));
    QByteArray program("kalmo-translator");
    QByteArray file = name.toUtf8();
    char* argv[] = {program.data(), file.data(), nullptr};
    int argc = 2;
    const int exitCode = KalmoProgram(argc, argv, options);
    QDir::setCurrent(previousFolder);

    QCOMPARE(exitCode, 0);
    QCOMPARE(statusAfterStart, status);
    QCOMPARE(dialogs, 0);
    QVERIFY2(reported.contains(report), qPrintable(reported));
    if (report.isEmpty())
        QCOMPARE(nameField, std::string("_GREETING"));
    else
        QVERIFY(reported.contains(QString::fromStdString(folder.path("missing.php"))));
}

QTEST_APPLESS_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
