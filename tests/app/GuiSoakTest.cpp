// Ten thousand random keys, characters, clicks, drags and wheel turns on the
// real main window and source viewer, through every editing mode, and as many
// again with the translation field alone (no F1, no F2). After each step the
// program must still run and both panes' carets must stand on a line they
// hold. Each run ends with a save: every line the run did not change must be
// written with its bytes as loaded, and after the field-only run PHP must
// accept the file (the free editors may write anything). The seed is fixed, so a failure names a step that comes back;
// KALMO_SOAK_SEED and KALMO_SOAK_STEPS choose another seed and length.
//
// Ctrl+O is in, made harmless: the file dialog is a recorder that answers
// with the test's file. Left out, because they end the program or open a
// window this rig does not build or a modal loop: Ctrl+X (Exit), Ctrl+H and
// Ctrl+A (Help and About), Alt with a letter (the menu bar), and the right
// button (the memo's context menu).
#include "tests/app/AppTestSupport.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include "app/KalmoProgram.h"
#include "app/FormControls.h"
#include "app/KalmoApplication.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/memo/qt/CodeMemo.h"
#include "job/FileAccess.h"
#include "job/LineList.h"

#include <QTest>
#include <QWheelEvent>

#include <array>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// What the application's error net caught: an error no handler expected.
QStringList backstopReports;

// Entries and other lines: a few more than a pane shows, so that deleting
// lines soon makes them all fit again, and some too long for its width. A
// few lines carry what the pane tidies away (trailing blanks, a tab) or a
// CR LF end, so that a line merely passed over must still keep its bytes.
std::string soakLanguageFile()
{
    std::string text = "<?php\n// soak test   \r\n";
    for (int i = 0; i < 15; ++i) {
        if (i % 7 == 3)
            text += "\n";
        else if (i % 9 == 4)
            text += "define('_ENTRY" + std::to_string(i) + "',\t'Tabbed " + std::to_string(i) + "');  \r\n";
        else if (i % 11 == 5)
            text += "if (!defined('_X" + std::to_string(i) + "')) { $x = " + std::to_string(i) + "; }\n";
        else
            text += "define('_ENTRY" + std::to_string(i) + "', 'Text number " + std::to_string(i)
                    + (i % 5 == 0 ? " with a much longer tail that runs past the right edge of the pane" : "")
                    + "');\n";
    }
    text += "?>\n";
    return text;
}

unsigned long fromEnvironment(const char* name, unsigned long fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

// Pairs of equal lines, in order, that leave out the fewest lines of either
// list (a longest common subsequence of the two).
std::vector<std::pair<std::size_t, std::size_t>> commonLines(const LineList& a, const LineList& b,
                                                             const std::function<std::string(const std::string&)>& key)
{
    std::vector<std::vector<std::size_t>> longest(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = a.size(); i-- > 0;) {
        for (std::size_t j = b.size(); j-- > 0;) {
            longest[i][j] = key(a[i]) == key(b[j]) ? longest[i + 1][j + 1] + 1
                                                   : std::max(longest[i + 1][j], longest[i][j + 1]);
        }
    }
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        if (key(a[i]) == key(b[j]))
            pairs.emplace_back(i++, j++);
        else if (longest[i + 1][j] >= longest[i][j + 1])
            ++i;
        else
            ++j;
    }
    return pairs;
}

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

} // namespace

class GuiSoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomInputKeepsEveryCaretOnALine_data();
    void randomInputKeepsEveryCaretOnALine();

private:
    void step(std::mt19937& random, bool freeEditing);
    void sendKey(const Key& key);
    QWidget* visibleTarget(std::mt19937& random);
    bool caretsAreValid(QString& why);
    void checkSavedFile(const std::string& loaded, bool freeEditing);

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
};

void GuiSoakTest::sendKey(const Key& key)
{
    QWindow* window = keyWindow();
    if (!window || !window->isVisible()) {
        form1_->activateWindow();
        window = form1_->windowHandle();
    }
    QTest::keyClick(window, key.key, key.modifiers);
}

QWidget* GuiSoakTest::visibleTarget(std::mt19937& random)
{
    const std::array<QWidget*, 3> targets{form2_->Memo2, form2_->Memo1, form1_->EntryEdit1};
    QWidget* target = targets[std::uniform_int_distribution<std::size_t>(0, targets.size() - 1)(random)];
    return target->isVisible() ? target : form1_->EntryEdit1;
}

void GuiSoakTest::step(std::mt19937& random, bool freeEditing)
{
    static const Key keys[] = {
        {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},     {Qt::Key_Up, Qt::NoModifier},
        {Qt::Key_Down, Qt::NoModifier},      {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},  {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},    {Qt::Key_Tab, Qt::NoModifier},
        {Qt::Key_Insert, Qt::NoModifier},    {Qt::Key_Escape, Qt::NoModifier},    {Qt::Key_F1, Qt::NoModifier},
        {Qt::Key_F2, Qt::NoModifier},        {Qt::Key_Left, Qt::ShiftModifier},   {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Up, Qt::ShiftModifier},     {Qt::Key_Down, Qt::ShiftModifier},   {Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_End, Qt::ControlModifier},  {Qt::Key_Left, Qt::ControlModifier},
        {Qt::Key_Right, Qt::ControlModifier}, {Qt::Key_PageDown, Qt::ControlModifier},
        {Qt::Key_Backspace, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier}, {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_C, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier},    {Qt::Key_W, Qt::ControlModifier},
        {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_Insert, Qt::ControlModifier},
        {Qt::Key_Delete, Qt::ShiftModifier},
    };
    static const char characters[] = "abcxyz ().,'\"$;";
    std::uniform_int_distribution<int> percent(0, 99);
    const int kind = percent(random);
    if (kind < 40) {
        const Key& key = keys[std::uniform_int_distribution<std::size_t>(0, std::size(keys) - 1)(random)];
        const bool modeKey = key.key == Qt::Key_F1 || key.key == Qt::Key_F2;
        if (freeEditing || !modeKey)
            sendKey(key);
    } else if (kind < 44) {
        // Line deletions, often enough to empty a scrolled pane until its
        // lines all fit again.
        sendKey(Key{Qt::Key_Y, Qt::ControlModifier});
    } else if (kind < 46) {
        // A reload through the recording dialog refills both panes and
        // brings back lines the free editor deleted.
        sendKey(Key{Qt::Key_O, Qt::ControlModifier});
    } else if (kind < 50) {
        // The mode keys often enough that every mode and both together get long runs.
        if (freeEditing)
            sendKey(Key{percent(random) < 50 ? Qt::Key_F1 : Qt::Key_F2, Qt::NoModifier});
    } else if (kind < 75) {
        QWindow* window = keyWindow();
        if (window)
            QTest::keyClick(window,
                            characters[std::uniform_int_distribution<std::size_t>(0, sizeof characters - 2)(random)]);
    } else if (kind < 90) {
        QWidget* target = visibleTarget(random);
        // A click brings its window forward, as the window system would.
        target->window()->activateWindow();
        const QPoint at(std::uniform_int_distribution<int>(0, target->width() - 1)(random),
                        std::uniform_int_distribution<int>(0, target->height() - 1)(random));
        const Qt::KeyboardModifiers modifiers = percent(random) < 20 ? Qt::ShiftModifier : Qt::NoModifier;
        if (percent(random) < 10) {
            QTest::mouseDClick(target, Qt::LeftButton, modifiers, at);
        } else if (percent(random) < 20) {
            const QPoint to(std::uniform_int_distribution<int>(-20, target->width() + 20)(random),
                            std::uniform_int_distribution<int>(-20, target->height() + 20)(random));
            QTest::mousePress(target, Qt::LeftButton, modifiers, at);
            QTest::mouseMove(target, (at + to) / 2);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, Qt::LeftButton, modifiers, to);
        } else {
            QTest::mouseClick(target, Qt::LeftButton, modifiers, at);
        }
    } else {
        QWidget* target = visibleTarget(random);
        const QPoint at(target->width() / 2, target->height() / 2);
        const int notches = std::uniform_int_distribution<int>(-3, 3)(random);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }
}

bool GuiSoakTest::caretsAreValid(QString& why)
{
    for (TCustomCodeMemo* memo : {&form2_->Memo1Model(), &form2_->Memo2Model()}) {
        const int count = memo->Lines().LineCount();
        if (memo->CaretLine() < 0 || memo->CaretLine() >= std::max(1, count) || memo->CaretCol() < 0) {
            why = QStringLiteral("caret (%1, %2) with %3 lines")
                      .arg(memo->CaretCol())
                      .arg(memo->CaretLine())
                      .arg(count);
            return false;
        }
        if (memo->FirstVisibleLine() < 0 || memo->FirstVisibleLine() > std::max(0, count)) {
            why = QStringLiteral("first visible line %1 with %2 lines").arg(memo->FirstVisibleLine()).arg(count);
            return false;
        }
    }
    return true;
}

// A line the run left alone, or only passed over (the pane tidies what its
// caret leaves), comes back with the bytes it was loaded with; with the line
// count unchanged, its line end too.
void GuiSoakTest::checkSavedFile(const std::string& loaded, bool freeEditing)
{
    const std::string path = folder_->path("Translated_soak.php");
    if (!freeEditing)
        QCOMPARE(QString::fromStdString(phpSyntaxErrors(path)), QString());
    LineEnds loadedEnds;
    LineEnds savedEnds;
    const LineList before = splitLines(loaded, &loadedEnds);
    const LineList after = splitLines(readWholeFile(path), &savedEnds);
    const auto& pane = form2_->Memo2Model().Lines();
    const auto tidied = [&pane](const std::string& line) { return pane.Tidied(line); };
    const bool sameCount = before.size() == after.size();
    for (const auto& [b, a] : commonLines(before, after, tidied)) {
        QVERIFY2(before[b] == after[a], qPrintable(QStringLiteral("line %1 \"%2\" was written as \"%3\"")
                                                       .arg(b)
                                                       .arg(QString::fromStdString(before[b]))
                                                       .arg(QString::fromStdString(after[a]))));
        if (sameCount && b == a)
            QVERIFY2(loadedEnds[b] == savedEnds[a], qPrintable(QStringLiteral("line %1 lost its line end").arg(b)));
    }
}

void GuiSoakTest::randomInputKeepsEveryCaretOnALine_data()
{
    QTest::addColumn<bool>("freeEditing");
    QTest::newRow("every mode") << true;
    QTest::newRow("translation field only") << false;
}

void GuiSoakTest::randomInputKeepsEveryCaretOnALine()
{
    QFETCH(bool, freeEditing);
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    const std::string loaded = soakLanguageFile();
    recorded_->dialogAnswer = folder_->write("soak.php", loaded);
    form1_ = std::make_unique<TForm1>(recorded_->services());
    form2_ = std::make_unique<TForm2>();
    connectJobWindows(*form1_, *form2_);
    form1_->show();
    form1_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1_.get()));
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(form1_->Job().Loaded());

    const auto seed = fromEnvironment("KALMO_SOAK_SEED", 20240611);
    const auto steps = fromEnvironment("KALMO_SOAK_STEPS", 10000);
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    std::array<unsigned long, 4> stepsInMode{}; // normal, whole line, full text, both
    for (unsigned long n = 0; n < steps; ++n) {
        step(random, freeEditing);
        if (n % 64 == 0)
            QCoreApplication::processEvents(); // paints what the steps invalidated
        QString why;
        QVERIFY2(caretsAreValid(why), qPrintable(QStringLiteral("step %1: %2").arg(n).arg(why)));
        ++stepsInMode[(form1_->Job().WholeLineMode() ? 1 : 0) + (form1_->Job().FullTextMode() ? 2 : 0)];
    }
    // Message boxes the program means to show (a translation whose line the
    // free editor removed) are fine; an error that only the net caught is not.
    QVERIFY2(backstopReports.isEmpty(), qPrintable(backstopReports.join('\n')));
    QCOMPARE(recorded_->programEnds, 0);
    qInfo("seed %lu, steps per mode (normal, whole line, full text, both): %lu %lu %lu %lu; lower pane %d lines, "
          "%d messages",
          seed, stepsInMode[0], stepsInMode[1], stepsInMode[2], stepsInMode[3],
          form2_->Memo2Model().Lines().LineCount(), int(recorded_->messages.size()));
    for (std::size_t mode = 0; mode < stepsInMode.size() && freeEditing; ++mode)
        QVERIFY2(stepsInMode[mode] > steps / 100, qPrintable(QStringLiteral("mode %1").arg(mode)));

    // The last random step may have left typed text the line cannot take;
    // an emptied field is the way on, as the user would take it.
    if (!form1_->ReportErrors([this] { form1_->Job().Save(); })) {
        form1_->EntryEdit1->SetText("");
        QVERIFY2(form1_->ReportErrors([this] { form1_->Job().Save(); }), qPrintable(recorded_->messages.last()));
    }
    checkSavedFile(loaded, freeEditing);

    form2_.reset();
    form1_.reset();
}

int main(int argc, char** argv)
{
    AppServices services;
    services.errorMessageBox = [](QWidget*, const QString& title, const QString& text) {
        backstopReports << title + QLatin1Char('|') + text;
    };
    KalmoApplication application(argc, argv, services);
    GuiSoakTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "GuiSoakTest.moc"
