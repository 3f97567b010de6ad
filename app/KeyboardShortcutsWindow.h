// The Keyboard Shortcuts window: every key of the program in a read-only
// table, from the one list of keys under the active scheme. Escape closes it and gives the keyboard
// back to the main window.
#pragma once

#include <QDialog>
#include <QPointer>

class QTableWidget;

namespace kalmo {

class KeyboardShortcutsWindow : public QDialog {
    Q_OBJECT

public:
    // mainWindow gets the keyboard back when this window closes.
    explicit KeyboardShortcutsWindow(QWidget* mainWindow = nullptr);

    // Columns: the keys, what they do, where they act.
    QTableWidget* Table = nullptr;

    // Fills the table with the keys of the active scheme; done each time it is shown.
    void ShowKeys();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QWidget> mainWindow_;
};

} // namespace kalmo
