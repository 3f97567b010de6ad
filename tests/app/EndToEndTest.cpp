// The program as kalmo-translator runs it: the real start-up creates the
// windows and runs the event loop; a language file is loaded through the
// dialog, two entries are translated with key presses, and Ctrl+X writes
// the translated file and ends the loop.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/AboutWindow.h"
#include "app/FormControls.h"
#include "app/HelpWindow.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "controls/edit/qt/EntryEdit.h"

#include <QApplication>
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
    void earlierTranslationQuestionOnACommandLineLoad_data();
    void earlierTranslationQuestionOnACommandLineLoad();
    void aboutAndHelpAreMadeOnceWhenFirstAskedFor();
};

namespace {

template <typename Window>
int countWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<Window*>(widget) != nullptr;
    return count;
}

} // namespace

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
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("report");
    QTest::newRow("a language file") << QByteArray("lang.php") << "Sourcefile: lang.php loaded and parsed." << "";
    // Latin-1 bytes, which the UTF-8 locale cannot decode.
    QTest::newRow("a name that is not UTF-8")
        << QByteArray("caf\xE9.php") << QString::fromUtf8("Sourcefile: caf\xE9.php loaded and parsed.") << "";
    QTest::newRow("a missing file") << QByteArray("missing.php") << "Waiting.." << "No such file or directory";
}

void EndToEndTest::fileNamedOnTheCommandLineIsLoadedAtStart()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, status);
    QFETCH(QString, report);
    TempFolder folder;
    if (report.isEmpty())
        folder.write(name.toStdString(), kLanguageFile);

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
    QByteArray file = name;
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

void EndToEndTest::earlierTranslationQuestionOnACommandLineLoad_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<bool>("startedOver");
    const QString loaded = QStringLiteral("Sourcefile: lang.php loaded and parsed.");
    // Continue goes on at the first entry still to translate.
    QTest::newRow("Continue") << "Continue" << loaded << "_FAREWELL" << "R&D" << false;
    QTest::newRow("Start Over") << "Start Over" << loaded << "_GREETING" << "Hello" << true;
    QTest::newRow("Cancel") << "Cancel" << "Waiting.." << "Please load file first" << "Please load file first"
                            << false;
}

void EndToEndTest::earlierTranslationQuestionOnACommandLineLoad()
{
    QFETCH(QString, answer);
    QFETCH(QString, status);
    QFETCH(QString, name);
    QFETCH(QString, translation);
    QFETCH(bool, startedOver);
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    std::string earlier = kLanguageFile;
    earlier.replace(earlier.find("'Hello'"), 7, "'Hallo'");
    folder.write("Translated_lang.php", earlier);

    ProgramOptions options;
    RecordedServices recorded;
    recorded.answers = {answer.toStdString()};
    options.services.ask = recorded.services().ask;
    options.services.errorMessageBox = [](QWidget*, const QString&, const QString& text) {
        qWarning("error report: %s", qPrintable(text));
    };
    QString statusAfterStart;
    QString nameField;
    QString translationField;
    options.started = [&](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&] {
            statusAfterStart = mainWindow.StatusText();
            nameField = mainWindow.Label2->Caption();
            translationField = QString::fromStdString(mainWindow.EntryEdit1->Text());
            mainWindow.ReportErrors([&] { mainWindow.Exit1Click(); });
        });
        QTimer::singleShot(20000, &mainWindow, [] { QCoreApplication::exit(2); });
    };

    QByteArray program("kalmo-translator");
    QByteArray file = QByteArray::fromStdString(source);
    char* argv[] = {program.data(), file.data(), nullptr};
    int argc = 2;
    QCOMPARE(KalmoProgram(argc, argv, options), 0);

    QCOMPARE(recorded.questions,
             std::vector<std::string>{"Translated_lang.php already holds a translation (1 of 2 entries translated). "
                                      "Continue it, or start over? Starting over keeps it as a backup."});
    QCOMPARE(statusAfterStart, status);
    QCOMPARE(nameField, name);
    QCOMPARE(translationField, translation);
    // What Exit wrote: the file as started over, or the earlier one carried on
    // unchanged; either way the earlier one is kept once it is replaced.
    QCOMPARE(folder.read("Translated_lang.php"), startedOver ? kLanguageFile : earlier);
    QCOMPARE(folder.exists("Translated_lang.php.bak"), answer != QStringLiteral("Cancel"));
    if (answer != QStringLiteral("Cancel"))
        QCOMPARE(folder.read("Translated_lang.php.bak"), earlier);
}

void EndToEndTest::aboutAndHelpAreMadeOnceWhenFirstAskedFor()
{
    ProgramOptions options;
    options.services.errorMessageBox = [](QWidget*, const QString&, const QString& text) {
        qWarning("error report: %s", qPrintable(text));
    };
    std::vector<std::pair<int, int>> counts;
    bool bothShown = false;
    options.started = [&](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&] {
            counts.emplace_back(countWindows<TForm3>(), countWindows<TForm4>());
            for (int round = 0; round < 2; ++round) {
                mainWindow.About1Click();
                mainWindow.Help1Click();
                counts.emplace_back(countWindows<TForm3>(), countWindows<TForm4>());
            }
            bothShown = true;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<TForm3*>(widget) || qobject_cast<TForm4*>(widget))
                    bothShown = bothShown && widget->isVisible();
            // Ending the program takes the windows made later down as well.
            mainWindow.Exit1Click();
        });
        QTimer::singleShot(20000, &mainWindow, [] { QCoreApplication::exit(2); });
    };

    char name[] = "kalmo-translator";
    char* argv[] = {name, nullptr};
    int argc = 1;
    QCOMPARE(KalmoProgram(argc, argv, options), 0);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {1, 1}, {1, 1}};
    QCOMPARE(counts, expected);
    QVERIFY(bothShown);
    QCOMPARE(countWindows<TForm3>() + countWindows<TForm4>(), 0);
}

QTEST_APPLESS_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
