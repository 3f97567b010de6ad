// The sidebar's column of titled sections; see Sidebar.h.
#include "app/Sidebar.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace kalmo {

Sidebar::Sidebar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Sidebar"));
    setMinimumWidth(MinimumWidth);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes to the sections' controls, not to the frame around them.
    scroll_->setFocusPolicy(Qt::NoFocus);
    column_ = new QWidget(this);
    column_->hide();
    column_->setObjectName(QStringLiteral("SidebarSections"));
    sections_ = new QVBoxLayout(column_);
    sections_->setContentsMargins(8, 8, 8, 8);
    sections_->setSpacing(12);
    // Sections stand at the top; the room below them stays empty.
    sections_->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    scroll_->viewport()->installEventFilter(this);
}

bool Sidebar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scroll_->viewport() && event->type() == QEvent::Paint && !scroll_->widget()) {
        scroll_->viewport()->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { scroll_->setWidget(column_); });
    }
    return QWidget::eventFilter(watched, event);
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
