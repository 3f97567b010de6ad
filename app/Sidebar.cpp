// The sidebar's column of titled sections; see Sidebar.h.
#include "app/Sidebar.h"

#include <QFont>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kalmo {

Sidebar::Sidebar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Sidebar"));
    setMinimumWidth(MinimumWidth);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes to the sections' controls, not to the frame around them.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* column = new QWidget(scroll);
    column->setObjectName(QStringLiteral("SidebarSections"));
    sections_ = new QVBoxLayout(column);
    sections_->setContentsMargins(8, 8, 8, 8);
    sections_->setSpacing(12);
    // Sections stand at the top; the room below them stays empty.
    sections_->addStretch(1);
    scroll->setWidget(column);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

QWidget& Sidebar::addSection(const QString& title, QWidget* content)
{
    auto* section = new QWidget;
    section->setObjectName(title + QStringLiteral("Section"));
    auto* heading = new QLabel(title, section);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(heading);
    layout->addWidget(content);
    section->setAccessibleName(title);
    sections_->insertWidget(sections_->count() - 1, section);
    return *section;
}

} // namespace kalmo
