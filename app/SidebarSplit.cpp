// The client and the sidebar side by side; see SidebarSplit.h.
#include "app/SidebarSplit.h"

#include "app/AppSettings.h"
#include "app/Sidebar.h"

#include <QLayout>
#include <QResizeEvent>

#include <algorithm>
#include <utility>

namespace kalmo {
namespace {

const QString kShownKey = QStringLiteral("Sidebar/Shown");
const QString kWidthKey = QStringLiteral("Sidebar/Width");
// A hand-edited width beyond this is taken for a broken one.
constexpr int kWidestSidebar = 4000;

bool frameIsFixed(const QWidget& window) { return window.isMaximized() || window.isFullScreen(); }

} // namespace

SidebarSplit::SidebarSplit(QWidget& client, Sidebar& sidebar, AppSettings& settings, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent)
    , client_(client)
    , sidebar_(sidebar)
    , settings_(settings)
{
    setObjectName(QStringLiteral("SidebarSplit"));
    setAccessibleName(QStringLiteral("Entry and sidebar"));
    setChildrenCollapsible(false);
    addWidget(&client_);
    addWidget(&sidebar_);
    setStretchFactor(0, 1);
    setStretchFactor(1, 0);
    for (int i = 0; i < count(); ++i)
        handle(i)->setAccessibleName(QStringLiteral("Sidebar width"));

    bool valid = false;
    const int width = settings_.Value(kWidthKey).toInt(&valid);
    sidebarWidth_ = valid && width >= Sidebar::MinimumWidth && width <= kWidestSidebar ? width : Sidebar::DefaultWidth;
    // Hidden only when the user hid it: no value, or one that is no yes or
    // no, shows it.
    const QVariant shown = settings_.Value(kShownKey);
    sidebar_.setVisible(!shown.canConvert<bool>() || shown.toBool());
    if (SidebarShown())
        pendingWidth_ = sidebarWidth_;
    connect(this, &QSplitter::splitterMoved, this, &SidebarSplit::keepSidebarWidth);
}

bool SidebarSplit::SidebarShown() const { return !sidebar_.isHidden(); }

int SidebarSplit::SidebarRoom() const { return SidebarShown() ? handleWidth() + sidebarWidth_ : 0; }

void SidebarSplit::ShowSidebar(bool shown)
{
    if (shown == SidebarShown())
        return;
    QWidget& frame = *window();
    const int frameWidth = frame.width();
    const int sidebarWidth = shown || !frame.isVisible() ? sidebarWidth_ : sidebar_.width();
    const int room = handleWidth() + sidebarWidth;
    sidebar_.setVisible(shown);
    settings_.SetValue(kShownKey, shown);
    // The window's least size follows at once, before the resize below is
    // measured against it; a window not yet shown would wait for its show.
    updateGeometry();
    if (QLayout* layout = frame.layout())
        layout->activate();
    if (frameIsFixed(frame)) {
        if (shown)
            giveSidebar(sidebarWidth);
        return;
    }
    // The window manager may grant the new size later; the sidebar gets its
    // width when it arrives.
    if (shown)
        pendingWidth_ = sidebarWidth;
    frame.resize(frameWidth + (shown ? room : -room), frame.height());
}

void SidebarSplit::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    if (pendingWidth_ && SidebarShown())
        giveSidebar(*std::exchange(pendingWidth_, std::nullopt));
}

void SidebarSplit::giveSidebar(int width)
{
    setSizes({std::max(client_.minimumWidth(), this->width() - handleWidth() - width), width});
}

void SidebarSplit::keepSidebarWidth()
{
    sidebarWidth_ = sidebar_.width();
    settings_.SetValue(kWidthKey, sidebarWidth_);
}

} // namespace kalmo
