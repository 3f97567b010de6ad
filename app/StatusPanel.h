// A panel on the main window's status bar (the character set, the
// progress): a label that a screen reader reads as what the panel is and
// what it shows, "Progress: translated 3 of 40", and that announces each new
// text as a stock label announces its name.
#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace kalmo {

class StatusPanel : public QLabel {
    Q_OBJECT

public:
    // `what` says what the panel shows ("Character set").
    StatusPanel(const QString& what, QWidget* parent);

    const QString& What() const { return what_; }
    // Shows the text and announces the panel's new name.
    void SetText(const QString& text);

private:
    QString what_;
};

// What it is, then what it shows; what it is alone while it shows nothing.
class StatusPanelAccessible : public QAccessibleWidget {
public:
    explicit StatusPanelAccessible(StatusPanel* panel);
    QString text(QAccessible::Text t) const override;
};

} // namespace kalmo
