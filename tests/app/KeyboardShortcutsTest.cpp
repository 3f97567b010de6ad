// The Help menu and the Keyboard Shortcuts window on real windows: the menu
// is the last one and runs the File menu's Help and About without binding
// their keys again; the window lists exactly the keys the menu binds, as the
// table of menu commands gives them, beside the entry and editing keys, and
// Escape closes it.
#include "tests/app/AppTestSupport.h"
#include "app/KeyboardShortcutsWindow.h"
#include "app/KalmoProgram.h"
#include "app/MainWindow.h"
#include "app/SourceViewer.h"
#include "controls/memo/MemoEditingKeys.h"
#include "app/menu/KeyboardShortcuts.h"
#include "app/menu/MenuCommands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace kalmo;
using namespace kalmo::testing_support;

namespace {

// The keys in the window's rows that act where `place` says.
QStringList keysActingIn(const QTableWidget& table, const QString& place)
{
    QStringList keys;
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.item(row, 2)->text() == place)
            keys << table.item(row, 0)->text();
    return keys;
}

// Every key the menu bar binds, in Qt's portable form.
QStringList boundMenuKeys(const QMenuBar& bar)
{
    QStringList keys;
    for (const QAction* action : bar.findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            keys << action->shortcut().toString(QKeySequence::PortableText);
    return keys;
}

} // namespace

class KeyboardShortcutsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void helpMenuIsLastAndRunsFilesHelpAndAbout();
    void listHoldsExactlyTheMenuTablesKeys();
    void listHoldsTheEntryAndEditingKeys();
    void escapeClosesTheWindow();

private:
    RecordedServices recorded_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm2> viewer_;
    std::unique_ptr<QWidget> help_;
    std::unique_ptr<QWidget> about_;
    std::unique_ptr<KeyboardShortcutsWindow> keys_;
};

void KeyboardShortcutsTest::init()
{
    main_ = std::make_unique<TForm1>(recorded_.services());
    viewer_ = std::make_unique<TForm2>();
    connectJobWindows(*main_, *viewer_);
    help_ = std::make_unique<QWidget>();
    about_ = std::make_unique<QWidget>();
    main_->AttachHelpWindow([this]() -> QWidget& { return *help_; });
    main_->AttachAboutWindow([this]() -> QWidget& { return *about_; });
    main_->AttachKeyboardShortcutsWindow([this]() -> QWidget& {
        if (!keys_)
            keys_ = std::make_unique<KeyboardShortcutsWindow>(main_.get());
        return *keys_;
    });
}

void KeyboardShortcutsTest::cleanup()
{
    keys_.reset();
    about_.reset();
    help_.reset();
    viewer_.reset();
    main_.reset();
}

void KeyboardShortcutsTest::helpMenuIsLastAndRunsFilesHelpAndAbout()
{
    const QList<QAction*> menus = main_->MainMenu1->actions();
    QCOMPARE(menus.last()->menu(), main_->HelpMenu1);
    QCOMPARE(main_->HelpMenu1->title(), QStringLiteral("&Help"));
    const QList<QAction*> items = main_->HelpMenu1->actions();
    QVERIFY(items.contains(main_->HelpMenuHelp1));
    QVERIFY(items.contains(main_->HelpMenuAbout1));
    QVERIFY(items.contains(main_->KeyboardShortcuts1));

    // File keeps its Help and About with their keys.
    QVERIFY(main_->File1->actions().contains(main_->Help1));
    QVERIFY(main_->File1->actions().contains(main_->About1));
    QCOMPARE(main_->Help1->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
    QCOMPARE(main_->About1->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    for (const QAction* item : items)
        QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->text()));

    main_->HelpMenuHelp1->trigger();
    QVERIFY(help_->isVisible());
    QVERIFY(!about_->isVisible());
    main_->HelpMenuAbout1->trigger();
    QVERIFY(about_->isVisible());
    main_->KeyboardShortcuts1->trigger();
    QVERIFY(keys_ && keys_->isVisible());
}

void KeyboardShortcutsTest::listHoldsExactlyTheMenuTablesKeys()
{
    main_->KeyboardShortcuts1->trigger();
    QVERIFY(keys_);
    QStringList listed = keysActingIn(*keys_->Table, QString::fromLatin1(kMenuKeysPlace));
    QStringList inTable;
    for (const MenuCommandEntry& entry : kMenuCommands)
        if (entry.shortCut != 0)
            inTable << QString::fromStdString(shortCutText(entry.shortCut));
    listed.sort();
    inTable.sort();
    QCOMPARE(listed, inTable);

    // And they are the keys the menu really binds, each once.
    QStringList bound = boundMenuKeys(*main_->MainMenu1);
    bound.sort();
    QCOMPARE(bound, listed);
}

void KeyboardShortcutsTest::listHoldsTheEntryAndEditingKeys()
{
    main_->KeyboardShortcuts1->trigger();
    const QTableWidget& table = *keys_->Table;
    QCOMPARE(keysActingIn(table, QStringLiteral("Main window, with a file loaded")),
             (QStringList{"Enter", "Down", "Up", "F1", "F2"}));
    const QStringList editing = keysActingIn(table, QStringLiteral("Lower pane, in full-text editing"));
    QCOMPARE(editing.size(), static_cast<qsizetype>(kMemoEditingKeys.size()));
    QVERIFY(editing.contains(QStringLiteral("Alt+Backspace")));
    QVERIFY(editing.contains(QStringLiteral("Ctrl+Y")));
    QCOMPARE(table.editTriggers(), QAbstractItemView::NoEditTriggers);
}

void KeyboardShortcutsTest::escapeClosesTheWindow()
{
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    main_->KeyboardShortcuts1->trigger();
    QVERIFY(QTest::qWaitForWindowActive(keys_.get()));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused && keys_->isAncestorOf(focused));
    QTest::keyClick(focused, Qt::Key_Escape);
    QVERIFY(!keys_->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));

    // Asked for again, the same window comes back.
    KeyboardShortcutsWindow* first = keys_.get();
    main_->KeyboardShortcuts1->trigger();
    QCOMPARE(keys_.get(), first);
    QVERIFY(keys_->isVisible());
}

QTEST_MAIN(KeyboardShortcutsTest)
#include "KeyboardShortcutsTest.moc"
