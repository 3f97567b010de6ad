// The same keys pressed in the lower pane of the real windows and given to
// `kalmo script`: both leave the pane alike (lines, caret, selection, undo),
// because one rule says what character each key types.
#include "tests/app/AppTestSupport.h"
#include "testing/ShellCommand.h"
#include "testing/TempFolder.h"

#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QTest>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

const char* const kTwoEntries = "<?php\n"
                                "define('_ONE', 'one two');\n"
                                "define('_TWO', 'three');\n";

struct PaneKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* script; // as `pane-key` writes it
};

const std::vector<PaneKey> kKeys = {
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Return, Qt::NoModifier, "Enter"},
    {Qt::Key_Return, Qt::ControlModifier, "Enter Ctrl"},
    {Qt::Key_Return, Qt::ShiftModifier, "Enter Shift"},
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Backspace, Qt::ControlModifier, "Backspace Ctrl"},
    {Qt::Key_Backspace, Qt::AltModifier, "Backspace Alt"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_Escape, Qt::ControlModifier, "Escape Ctrl"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Tab, Qt::ControlModifier, "Tab Ctrl"},
    {Qt::Key_X, Qt::NoModifier, "X"},
    {Qt::Key_X, Qt::AltModifier, "X Alt"},
    {Qt::Key_7, Qt::NoModifier, "7"},
    {Qt::Key_Y, Qt::ControlModifier, "Y Ctrl"},
};

const PaneKey& paneKey(const QString& script)
{
    for (const PaneKey& key : kKeys)
        if (QLatin1String(key.script) == script)
            return key;
    qFatal("no key %s in the test's table", qPrintable(script));
}

// "caret=C,L selection=… undo=N redo=M" and the pane's lines, one a line.
std::string paneState(const TCustomCodeMemo& pane)
{
    std::ostringstream state;
    state << "caret=" << pane.CaretCol() << ',' << pane.CaretLine() << " selection=" << pane.SelFromCol() << ','
          << pane.SelFromLine() << '-' << pane.SelToCol() << ',' << pane.SelToLine() << " undo=" << pane.UndoCount()
          << " redo=" << pane.RedoCount() << '\n';
    for (int i = 0; i < pane.Lines().LineCount(); ++i)
        state << "| " << pane.Lines().Line(i) << '\n';
    return state.str();
}

// The same from the last `panes` block the script printed.
std::string scriptPaneState(const std::string& output)
{
    const auto lower = output.rfind("lower: ");
    if (lower == std::string::npos)
        return "no panes in: " + output;
    const auto caret = output.find("caret=", lower);
    const auto lineEnd = output.find('\n', caret);
    std::string state = output.substr(caret, lineEnd + 1 - caret);
    std::istringstream rest(output.substr(output.find('\n', output.find("clipboard: ", lineEnd)) + 1));
    for (std::string line; std::getline(rest, line) && line.starts_with("| ");)
        state += line + '\n';
    return state;
}

} // namespace

class PaneKeysTest : public QObject {
    Q_OBJECT

private slots:
    void sameKeysLeaveThePaneAlike_data();
    void sameKeysLeaveThePaneAlike();
};

void PaneKeysTest::sameKeysLeaveThePaneAlike_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("Ctrl+Enter types a line feed, which breaks no line") << QStringList{"End", "Enter Ctrl"};
    QTest::newRow("Enter and Shift+Enter break the line")
        << QStringList{"Down", "Home", "Right", "Enter", "Enter Shift"};
    QTest::newRow("Ctrl+Backspace deletes the word before the caret")
        << QStringList{"Down", "End", "Backspace Ctrl", "Backspace Ctrl"};
    QTest::newRow("Backspace, and Alt+Backspace undoes it") << QStringList{"End", "Backspace", "Backspace Alt"};
    QTest::newRow("Escape and Ctrl+Escape type nothing") << QStringList{"Down", "Escape", "Escape Ctrl", "X"};
    QTest::newRow("Tab types a tab, Ctrl+Tab nothing") << QStringList{"Down", "Tab", "Tab Ctrl"};
    QTest::newRow("a letter and a digit; Alt with a letter types nothing")
        << QStringList{"Down", "End", "X", "7", "X Alt"};
    QTest::newRow("Ctrl+Y deletes the line") << QStringList{"Down", "Y Ctrl"};
}

void PaneKeysTest::sameKeysLeaveThePaneAlike()
{
    QFETCH(QStringList, keys);
    TempFolder folder;
    const std::string source = folder.write("lang.php", kTwoEntries);

    std::string commands = "load " + source + "\nkey F2\n";
    for (const QString& key : keys)
        commands += "pane-key " + key.toStdString() + '\n';
    const std::string input = folder.write("commands.txt", commands + "panes\n");
    const CommandResult script = runCommand(shellQuoted(KALMO_CLI_PATH) + " script < " + shellQuoted(input));
    QCOMPARE(script.exitStatus, 0);

    RecordedServices recorded;
    recorded.dialogAnswer = source;
    TForm1 main(recorded.services());
    TForm2 viewer;
    connectJobWindows(main, viewer);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(main.Job().Loaded());
    pressKey(Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(&viewer));
    QVERIFY(viewer.Memo2->hasFocus());
    for (const QString& key : keys)
        pressKey(paneKey(key).key, paneKey(key).modifiers);

    QCOMPARE(QString::fromStdString(paneState(viewer.Memo2->model())),
             QString::fromStdString(scriptPaneState(script.output)));
}

QTEST_MAIN(PaneKeysTest)
#include "PaneKeysTest.moc"
