// The main window's client area and its sidebar side by side. Showing or
// hiding the sidebar grows or shrinks the window by the sidebar's width, so
// the client keeps its size and its place; a maximised window keeps its size
// and the client gives or takes the room. A wider window widens the client.
// Whether the sidebar is shown (it is on the first start) and its width are
// kept in the settings.
#pragma once

#include <QSplitter>

#include <optional>

namespace kalmo {

class AppSettings;
class Sidebar;

class SidebarSplit : public QSplitter {
    Q_OBJECT

public:
    SidebarSplit(QWidget& client, Sidebar& sidebar, AppSettings& settings, QWidget* parent = nullptr);

    bool SidebarShown() const;
    void ShowSidebar(bool shown);
    // The sidebar's width as the user left it.
    int SidebarWidth() const { return sidebarWidth_; }
    // What the sidebar adds to the window's width: handle and sidebar, or nothing.
    int SidebarRoom() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The sidebar at `width`, the client with the rest.
    void giveSidebar(int width);
    void keepSidebarWidth();

    QWidget& client_;
    Sidebar& sidebar_;
    AppSettings& settings_;
    int sidebarWidth_;
    // The sidebar's width to give it once the window has its new size.
    std::optional<int> pendingWidth_;
};

} // namespace kalmo
