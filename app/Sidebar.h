// The main window's sidebar: a column of sections, each under its title,
// that scrolls when they are taller than the window. Whoever has something
// to show beside the entry (its details, checks, suggestions) adds a section
// with one call; the sidebar holds no knowledge of what they show.
#pragma once

#include <QWidget>

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

private:
    QVBoxLayout* sections_ = nullptr;
};

} // namespace kalmo
