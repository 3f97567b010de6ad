// File > Recent Files: the language files loaded last, each with its
// progress at its last save, kept in the settings. A file that is gone is
// drawn grey; picked, it leaves the list and the user is told.
#pragma once

#include "job/RecentFiles.h"

#include <QMenu>

#include <string>

namespace kalmo {

class AppSettings;

// The list as the settings keep it; a broken entry is left out.
RecentFiles readRecentFiles(const AppSettings& settings);
void writeRecentFiles(AppSettings& settings, const RecentFiles& files);

class RecentFilesMenu : public QMenu {
    Q_OBJECT

public:
    RecentFilesMenu(AppSettings& settings, QWidget* parent);

    void Loaded(const std::string& path);
    // `progressText` as the job words it; its "N of M" is kept.
    void Saved(const std::string& path, const std::string& progressText);
    // The path behind an item of the menu.
    static std::string PathOf(const QAction& action);

signals:
    void fileChosen(const std::string& path);
    void fileGone(const QString& message);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    void changed();
    void rebuild();
    void markGoneFiles();
    void pick(const std::string& path);

    AppSettings& settings_;
    RecentFiles files_;
    QList<const QAction*> gone_;
};

} // namespace kalmo
