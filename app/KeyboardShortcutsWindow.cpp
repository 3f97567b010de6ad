// The Keyboard Shortcuts window; see KeyboardShortcutsWindow.h.
#include "app/KeyboardShortcutsWindow.h"

#include "app/menu/KeyScheme.h"
#include "app/menu/KeyboardShortcuts.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kalmo {

KeyboardShortcutsWindow::KeyboardShortcutsWindow(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Window)
    , mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("KeyboardShortcuts"));
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));

    Table = new QTableWidget(0, 3, this);
    Table->setObjectName(QStringLiteral("ShortcutTable"));
    Table->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
    Table->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Action"), QStringLiteral("Where")});
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->horizontalHeader()->setStretchLastSection(true);
    ShowKeys();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Table);
    resize(620, 480);

    // Escape rejects the dialog; the work goes on in the main window, and
    // without a window manager nobody would hand the keyboard on.
    connect(this, &QDialog::rejected, this, [this] {
        if (mainWindow_)
            mainWindow_->activateWindow();
    });
}

void KeyboardShortcutsWindow::ShowKeys()
{
    const std::vector<KeyboardShortcut> shortcuts = keyboardShortcuts(activeKeyScheme());
    Table->setRowCount(static_cast<int>(shortcuts.size()));
    for (int row = 0; row < static_cast<int>(shortcuts.size()); ++row) {
        const KeyboardShortcut& shortcut = shortcuts[static_cast<std::size_t>(row)];
        Table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(shortcut.keys)));
        Table->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(shortcut.action)));
        Table->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(shortcut.where)));
    }
    Table->resizeColumnsToContents();
}

void KeyboardShortcutsWindow::showEvent(QShowEvent* event)
{
    // The scheme may have changed since the window was last shown.
    ShowKeys();
    QDialog::showEvent(event);
}

} // namespace kalmo
