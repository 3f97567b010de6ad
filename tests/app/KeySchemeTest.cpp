// View > Keys on real windows: under each key scheme a table of keys pressed
// in the translation field and in the lower pane, with what each must do; the
// choice coming back in a second window, and the list of keys following it.
#include "tests/app/AppTestSupport.h"
#include "testing/TempFolder.h"

#include "app/KalmoProgram.h"
#include "app/KeySchemeMenu.h"
#include "app/KeyboardShortcutsWindow.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/edit/qt/EntryEdit.h"
#include "controls/memo/qt/CodeMemo.h"
#include "app/menu/KeyScheme.h"
#include "app/menu/KeyboardShortcuts.h"

#include <QAction>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

const char* const kTwoEntries = "<?php\n"
                                  "define('_ONE', 'one');\n"
                                  "define('_TWO', 'two');\n";

// Presses each key of a sequence written as "Ctrl+Z, Ctrl+Y".
void pressKeys(const QString& keys)
{
    const QKeySequence sequence(keys);
    for (int i = 0; i < sequence.count(); ++i)
        pressKey(sequence[i].key(), sequence[i].keyboardModifiers());
}

QStringList linesOf(const TCodeMemo& memo)
{
    QStringList lines;
    for (int i = 0; i < memo.model().Lines().LineCount(); ++i)
        lines << QString::fromStdString(memo.model().Lines().Line(i));
    return lines;
}

QStringList keysActingIn(const QTableWidget& table, const QString& place)
{
    QStringList keys;
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.item(row, 2)->text() == place)
            keys << table.item(row, 0)->text() + QLatin1Char('=') + table.item(row, 1)->text();
    return keys;
}

} // namespace

class KeySchemeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keysInTheTranslationField_data();
    void keysInTheTranslationField();
    void keysInTheLowerPane_data();
    void keysInTheLowerPane();
    void choiceComesBackInASecondWindow();
    void shortcutsWindowShowsTheActiveScheme();

private:
    void makeWindows();
    void choose(bool common);

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<RecordedServices> recorded_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> viewer_;
    std::unique_ptr<QWidget> about_;
    std::unique_ptr<KeyboardShortcutsWindow> keys_;
};

void KeySchemeTest::init()
{
    folder_ = std::make_unique<TempFolder>();
    recorded_ = std::make_unique<RecordedServices>();
    recorded_->dialogAnswer = folder_->write("lang.php", kTwoEntries);
    makeWindows();
    // The settings live on from one test to the next.
    choose(false);
}

void KeySchemeTest::makeWindows()
{
    main_ = std::make_unique<TForm1>(recorded_->services());
    viewer_ = std::make_unique<TForm2>();
    connectJobWindows(*main_, *viewer_);
    about_ = std::make_unique<QWidget>();
    main_->AttachAboutWindow([this]() -> QWidget& { return *about_; });
    main_->AttachKeyboardShortcutsWindow([this]() -> QWidget& {
        if (!keys_)
            keys_ = std::make_unique<KeyboardShortcutsWindow>(main_.get());
        return *keys_;
    });
}

void KeySchemeTest::cleanup()
{
    keys_.reset();
    about_.reset();
    viewer_.reset();
    main_.reset();
    recorded_.reset();
    folder_.reset();
}

void KeySchemeTest::choose(bool common)
{
    (common ? main_->Keys1->Common1 : main_->Keys1->Classic1)->trigger();
}

void KeySchemeTest::keysInTheTranslationField_data()
{
    QTest::addColumn<bool>("common");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("aboutOpens");
    QTest::addColumn<bool>("programEnds");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    // The field holds "Hallo Welt" with "Welt" selected.
    QTest::newRow("classic Ctrl+A opens About") << false << "Ctrl+A" << true << false << "Hallo Welt" << "Welt";
    QTest::newRow("classic Ctrl+X exits") << false << "Ctrl+X" << false << true << "Hallo Welt" << "Welt";
    QTest::newRow("classic Ctrl+Q does nothing") << false << "Ctrl+Q" << false << false << "Hallo Welt" << "Welt";
    QTest::newRow("common Ctrl+A selects all") << true << "Ctrl+A" << false << false << "Hallo Welt" << "Hallo Welt";
    QTest::newRow("common Ctrl+X cuts") << true << "Ctrl+X" << false << false << "Hallo " << "";
    QTest::newRow("common Ctrl+X then Ctrl+V puts it back")
        << true << "Ctrl+X, Ctrl+V" << false << false << "Hallo Welt" << "";
    QTest::newRow("common Ctrl+X then Ctrl+Z undoes the cut")
        << true << "Ctrl+X, Ctrl+Z" << false << false << "Hallo Welt" << "Welt";
    QTest::newRow("common Ctrl+Q exits") << true << "Ctrl+Q" << false << true << "Hallo Welt" << "Welt";
    QTest::newRow("common Ctrl+Shift+A opens About")
        << true << "Ctrl+Shift+A" << true << false << "Hallo Welt" << "Welt";
}

void KeySchemeTest::keysInTheTranslationField()
{
    QFETCH(bool, common);
    QFETCH(QString, keys);
    QFETCH(bool, aboutOpens);
    QFETCH(bool, programEnds);
    choose(common);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    TEntryEdit* field = main_->EntryEdit1;
    QCOMPARE(QApplication::focusWidget(), field);
    field->selectAll();
    typeText(QStringLiteral("Hallo Welt"));
    for (int i = 0; i < 4; ++i)
        pressKey(Qt::Key_Left, Qt::ShiftModifier);

    pressKeys(keys);
    QCOMPARE(about_->isVisible(), aboutOpens);
    QCOMPARE(recorded_->programEnds, programEnds ? 1 : 0);
    QTEST(field->QLineEdit::text(), "text");
    QTEST(field->selectedText(), "selected");
}

void KeySchemeTest::keysInTheLowerPane_data()
{
    QTest::addColumn<bool>("common");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("aboutOpens");
    // What the pane holds afterwards: "typed" (as after typing an X at the
    // caret), "untyped" (as before it), "line deleted" or "empty".
    QTest::addColumn<QString>("afterwards");
    QTest::newRow("classic Ctrl+Y deletes the line") << false << "Ctrl+Y" << false << "line deleted";
    QTest::newRow("classic Ctrl+A opens About") << false << "Ctrl+A" << true << "typed";
    QTest::newRow("classic Alt+Backspace undoes") << false << "Alt+Backspace" << false << "untyped";
    QTest::newRow("common Ctrl+Z undoes") << true << "Ctrl+Z" << false << "untyped";
    QTest::newRow("common Ctrl+Y redoes") << true << "Ctrl+Z, Ctrl+Y" << false << "typed";
    QTest::newRow("common Ctrl+Shift+Z redoes") << true << "Ctrl+Z, Ctrl+Shift+Z" << false << "typed";
    QTest::newRow("common Ctrl+Y with nothing to redo") << true << "Ctrl+Y" << false << "typed";
    QTest::newRow("common Ctrl+Shift+K deletes the line") << true << "Ctrl+Shift+K" << false << "line deleted";
    QTest::newRow("common Ctrl+A, Ctrl+X cuts all") << true << "Ctrl+A, Ctrl+X" << false << "empty";
    QTest::newRow("common Ctrl+A, Ctrl+X, Ctrl+V puts it back")
        << true << "Ctrl+A, Ctrl+X, Ctrl+V" << false << "typed";
}

void KeySchemeTest::keysInTheLowerPane()
{
    QFETCH(bool, common);
    QFETCH(QString, keys);
    QFETCH(bool, aboutOpens);
    QFETCH(QString, afterwards);
    choose(common);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    pressKey(Qt::Key_O, Qt::ControlModifier);
    QVERIFY(main_->Job().Loaded());
    pressKey(Qt::Key_F2);
    QVERIFY(QTest::qWaitForWindowActive(viewer_.get()));
    TCodeMemo* pane = viewer_->Memo2;
    QVERIFY(pane->hasFocus());
    const QStringList untyped = linesOf(*pane);
    pressKey(Qt::Key_X, Qt::ShiftModifier);
    const QStringList typed = linesOf(*pane);
    QVERIFY(typed != untyped);

    pressKeys(keys);
    QCOMPARE(about_->isVisible(), aboutOpens);
    QCOMPARE(recorded_->programEnds, 0);
    const QStringList lines = linesOf(*pane);
    if (afterwards == QLatin1String("typed"))
        QCOMPARE(lines, typed);
    else if (afterwards == QLatin1String("untyped"))
        QCOMPARE(lines, untyped);
    else if (afterwards == QLatin1String("line deleted"))
        QCOMPARE(lines.size(), typed.size() - 1);
    else
        QCOMPARE(lines.join(QString()), QString());
}

void KeySchemeTest::choiceComesBackInASecondWindow()
{
    choose(true);
    QCOMPARE(main_->Exit1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    viewer_.reset();
    main_.reset();
    // As a new program would start.
    setActiveKeyScheme(KeyScheme::Classic);
    makeWindows();
    QVERIFY(main_->Keys1->Common1->isChecked());
    QCOMPARE(activeKeyScheme(), KeyScheme::Common);
    QCOMPARE(main_->About1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    QCOMPARE(main_->Exit1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QVERIFY(main_->HelpMenuAbout1->text().endsWith(QStringLiteral("Ctrl+Shift+A")));

    choose(false);
    viewer_.reset();
    main_.reset();
    makeWindows();
    QVERIFY(main_->Keys1->Classic1->isChecked());
    QCOMPARE(main_->Exit1->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
}

void KeySchemeTest::shortcutsWindowShowsTheActiveScheme()
{
    const QString menu = QString::fromLatin1(kMenuKeysPlace);
    const QString pane = QStringLiteral("Lower pane, in full-text editing");
    for (const bool common : {true, false, true}) {
        choose(common);
        if (keys_)
            keys_->hide();
        main_->KeyboardShortcuts1->trigger();
        QVERIFY(keys_ && keys_->isVisible());
        const QStringList menuKeys = keysActingIn(*keys_->Table, menu);
        const QStringList paneKeys = keysActingIn(*keys_->Table, pane);
        QCOMPARE(menuKeys.contains(QStringLiteral("Ctrl+Q=Exit")), common);
        QCOMPARE(menuKeys.contains(QStringLiteral("Ctrl+X=Exit")), !common);
        QCOMPARE(menuKeys.contains(QStringLiteral("Ctrl+Shift+A=About")), common);
        QCOMPARE(menuKeys.contains(QStringLiteral("Ctrl+A=About")), !common);
        QCOMPARE(paneKeys.contains(QStringLiteral("Ctrl+Z=Undo")), common);
        QCOMPARE(paneKeys.contains(QStringLiteral("Ctrl+Y=Redo")), common);
        QCOMPARE(paneKeys.contains(QStringLiteral("Ctrl+Shift+K=Delete the line")), common);
        QCOMPARE(paneKeys.contains(QStringLiteral("Ctrl+Y=Delete the line")), !common);
        QVERIFY(paneKeys.contains(QStringLiteral("Alt+Backspace=Undo")));

        // The menu binds exactly the keys listed for it.
        QStringList bound;
        for (const QAction* action : main_->MainMenu1->findChildren<QAction*>())
            if (!action->shortcut().isEmpty())
                bound << action->shortcut().toString(QKeySequence::PortableText);
        QStringList listed;
        for (const QString& row : menuKeys)
            listed << row.section(QLatin1Char('='), 0, 0);
        bound.sort();
        listed.sort();
        QCOMPARE(bound, listed);
    }
}

QTEST_MAIN(KeySchemeTest)
#include "KeySchemeTest.moc"
