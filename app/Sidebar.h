// The main window's sidebar: a column of sections, each under its title,
// that scrolls when they are taller than the window. Whoever has something
// to show beside the entry (its details, checks, suggestions) adds a section
// with one call; the sidebar holds no knowledge of what they show. The
// sections appear just after the sidebar is first drawn, so that measuring
// their texts does not hold up the window's first appearance.
#pragma once

#include <QWidget>

class QScrollArea;
class QVBoxLayout;

namespace kalmo {

class Sidebar : public QWidget {
    Q_OBJECT

public:
    static constexpr int MinimumWidth = 160;
    static constexpr int DefaultWidth = 240;

    explicit Sidebar(QWidget* parent = nullptr);

    // Adds `content` under `title`, below the sections there are; the sidebar
    // takes it over. The section returned holds title and content, to hide
    // or show them together.
    QWidget& addSection(const QString& title, QWidget* content);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* scroll_ = nullptr;
    // Not in the scroll area until the sidebar has been drawn: there its
    // size would be measured at once.
    QWidget* column_ = nullptr;
    QVBoxLayout* sections_ = nullptr;
};

} // namespace kalmo
