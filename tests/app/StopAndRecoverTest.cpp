// A real window program stopped with typed work: killed (the recovery
// journal written by its timer or a step) or told to end with SIGTERM or
// SIGHUP (it writes the journal itself and leaves the translated file alone). The next
// start, the real program block, offers the work: Recover brings it back as
// it was, Discard keeps the journal aside.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/FormControls.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "controls/edit/qt/EntryEdit.h"
#include "job/RecoveryFolder.h"

#include <QLabel>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kalmo;
using namespace kalmo::testing_support;

class StopAndRecoverTest : public QObject {
    Q_OBJECT

private slots:
    void nextStartOffersTheWorkOfAStoppedProgram_data();
    void nextStartOffersTheWorkOfAStoppedProgram();
};

namespace {

std::string journalsText(const RecoveryFolder& folder)
{
    std::string text;
    for (const std::string& path : folder.journals()) {
        std::ifstream in(path, std::ios::binary);
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return text;
}

struct NextStart {
    QStringList questions;
    bool loaded = false;
    QString field;
    QString progress;
    QString status;
};

// The next start as kalmo-translator makes it, answering its questions with `answer`.
NextStart startAgain(const std::string& answer)
{
    RecordedServices recorded;
    recorded.answers.push_back(answer);
    ProgramOptions options;
    options.services = recorded.services();
    options.services.endProgram = [] { QCoreApplication::exit(0); };
    NextStart seen;
    options.started = [&](TForm1& mainWindow) {
        QTimer::singleShot(0, &mainWindow, [&] {
            seen.loaded = mainWindow.Job().Loaded();
            seen.field = QString::fromStdString(mainWindow.EntryEdit1->Text());
            seen.progress = mainWindow.ProgressPanel->text();
            seen.status = mainWindow.StatusText();
            mainWindow.Exit1Click();
        });
        QTimer::singleShot(20000, &mainWindow, [] { QCoreApplication::exit(2); });
    };
    char name[] = "kalmo-translator";
    char* argv[] = {name, nullptr};
    int argc = 1;
    if (KalmoProgram(argc, argv, options) != 0)
        qWarning("the next start did not end by Exit");
    for (const std::string& question : recorded.questions)
        seen.questions << QString::fromStdString(question);
    return seen;
}

} // namespace

void StopAndRecoverTest::nextStartOffersTheWorkOfAStoppedProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("field");
    QTest::newRow("killed after its timer kept the typing, Recover")
        << SIGKILL << "type Apfel\nkey Down\ntype Birne" << "Recover" << "Birne";
    QTest::newRow("SIGTERM at once, Recover") << SIGTERM << "type Apfel" << "Recover" << "Apfel";
    QTest::newRow("SIGHUP at once, Discard") << SIGHUP << "type Apfel" << "Discard" << "";
}

void StopAndRecoverTest::nextStartOffersTheWorkOfAStoppedProgram()
{
    QFETCH(int, signal);
    QFETCH(QString, keys);
    QFETCH(QString, answer);
    QFETCH(QString, field);
    const UserFolders userFolders;
    const RecoveryFolder recovery(userFolders.recoveryFolder());
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("KALMO_TEST_KEYS"), keys);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(DRIVEN_PROGRAM), {QString::fromStdString(source)});
    QVERIFY(program.waitForStarted());
    // No event loop runs here between the starts: the waits block.
    QByteArray output;
    while (!output.contains("typed") && program.waitForReadyRead(20000))
        output += program.readAllStandardOutput();
    QVERIFY2(output.contains("typed"), output.constData());
    const std::string lastTyped = keys.section(QLatin1Char(' '), -1).toStdString();
    if (signal == SIGKILL) {
        // Typing in the field is kept by the timer within seconds.
        QVERIFY(QTest::qWaitFor([&] { return journalsText(recovery).find(lastTyped) != std::string::npos; }, 15000));
        program.kill();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    } else {
        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(journalsText(recovery).find(lastTyped) != std::string::npos);
    }
    QVERIFY(!folder.exists("Translated_lang.php"));

    const NextStart next = startAgain(answer.toStdString());
    QCOMPARE(next.questions.size(), 1);
    QVERIFY2(next.questions[0].startsWith(QStringLiteral("KALMO Translator was stopped before lang.php was saved (at ")),
             qPrintable(next.questions[0]));
    if (answer == QLatin1String("Recover")) {
        QVERIFY(next.loaded);
        QCOMPARE(next.field, field);
        QVERIFY2(next.progress.endsWith(QLatin1String(" *")), qPrintable(next.progress));
        QCOMPARE(next.status, QStringLiteral("Sourcefile: lang.php recovered."));
        // Its Exit wrote the work and left nothing to recover.
        QVERIFY(folder.read("Translated_lang.php").find(lastTyped) != std::string::npos);
        QVERIFY(recovery.journals().empty());
    } else {
        QVERIFY(!next.loaded);
        QVERIFY(recovery.journals().empty());
        QVERIFY(std::filesystem::exists(recovery.journalPathFor(source) + ".discarded"));
        QVERIFY(!folder.exists("Translated_lang.php"));
    }
}

QTEST_APPLESS_MAIN(StopAndRecoverTest)
#include "StopAndRecoverTest.moc"
