// File > Recent Files; see RecentFilesMenu.h.
#include "app/RecentFilesMenu.h"

#include "app/AppSettings.h"
#include "job/TranslationProgress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStyleOptionMenuItem>

#include <filesystem>

namespace kalmo {
namespace {

const QString kSettingsName = QStringLiteral("RecentFiles");
const QString kPathKey = QStringLiteral("path");
const QString kProgressKey = QStringLiteral("progress");

// A path's bytes go through the settings as they are: a file name need not
// be valid in any character set.
QByteArray pathBytes(const std::string& path) { return QByteArray(path.data(), static_cast<qsizetype>(path.size())); }

// "lang.php — ~/sites/a/language", the progress in the shortcut column; the
// folder, shortened, tells apart the many files of the same name.
QString captionOf(std::size_t index, const RecentFile& file)
{
    const QString path = QFile::decodeName(pathBytes(file.path));
    const QFileInfo info(path);
    QString folder = QDir::toNativeSeparators(info.path());
    const QString home = QDir::homePath();
    if (folder == home || folder.startsWith(home + QLatin1Char('/')))
        folder = QLatin1Char('~') + folder.mid(home.size());
    constexpr qsizetype kFolderChars = 40;
    if (folder.size() > kFolderChars)
        folder = folder.left(12) + QChar(0x2026) + folder.right(kFolderChars - 13);
    QString name = info.fileName() + QStringLiteral(" \u2014 ") + folder;
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const QString key = index < 9 ? QStringLiteral("&%1 ").arg(index + 1) : QStringLiteral("1&0 ");
    return key + name + (file.progress.empty() ? QString() : QLatin1Char('\t') + QString::fromStdString(file.progress));
}

} // namespace

RecentFiles readRecentFiles(const AppSettings& settings)
{
    RecentFiles files;
    // Oldest first, so that each push leaves the newest on top; a file listed
    // twice in a hand-edited file keeps its newer place.
    const QList<QVariantMap> records = settings.Records(kSettingsName, RecentFiles::Capacity);
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const QByteArray path = record->value(kPathKey).toByteArray();
        if (!path.isEmpty())
            files.Push(path.toStdString(), record->value(kProgressKey).toString().toStdString());
    }
    return files;
}

void writeRecentFiles(AppSettings& settings, const RecentFiles& files)
{
    QList<QVariantMap> records;
    for (const RecentFile& file : files.Files())
        records.append({{kPathKey, pathBytes(file.path)}, {kProgressKey, QString::fromStdString(file.progress)}});
    settings.SetRecords(kSettingsName, records);
}

RecentFilesMenu::RecentFilesMenu(AppSettings& settings, QWidget* parent)
    : QMenu(QStringLiteral("Recent Files"), parent)
    , settings_(settings)
    , files_(readRecentFiles(settings))
{
    setObjectName(QStringLiteral("RecentFiles1"));
    setToolTipsVisible(true);
    // Whether the files are still there is asked when the menu opens, not at start.
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::markGoneFiles);
    rebuild();
}

void RecentFilesMenu::Loaded(const std::string& path)
{
    files_.Push(path);
    changed();
}

void RecentFilesMenu::Saved(const std::string& path, const std::string& progressText)
{
    files_.Push(path, translatedCount(progressText));
    changed();
}

std::string RecentFilesMenu::PathOf(const QAction& action) { return action.data().toByteArray().toStdString(); }

void RecentFilesMenu::changed()
{
    writeRecentFiles(settings_, files_);
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    clear();
    gone_.clear();
    for (std::size_t i = 0; i < files_.Files().size(); ++i) {
        const RecentFile& file = files_.Files()[i];
        QAction* action = addAction(captionOf(i, file));
        action->setData(pathBytes(file.path));
        action->setToolTip(QFile::decodeName(pathBytes(file.path)));
        // Queued: picking rebuilds the menu, which deletes the action being triggered.
        connect(action, &QAction::triggered, this, [this, path = file.path] { pick(path); }, Qt::QueuedConnection);
    }
    menuAction()->setEnabled(!files_.Files().empty());
}

void RecentFilesMenu::markGoneFiles()
{
    gone_.clear();
    for (const QAction* action : actions()) {
        std::error_code unreadable;
        if (!std::filesystem::is_regular_file(PathOf(*action), unreadable))
            gone_.append(action);
    }
}

void RecentFilesMenu::pick(const std::string& path)
{
    std::error_code unreadable;
    if (std::filesystem::is_regular_file(path, unreadable)) {
        emit fileChosen(path);
        return;
    }
    files_.Remove(path);
    changed();
    emit fileGone(QStringLiteral("The file \"%1\" is no longer there; it was taken off Recent Files.")
                      .arg(QFile::decodeName(pathBytes(path))));
}

void RecentFilesMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    if (!gone_.contains(action) || (option->state & QStyle::State_Selected))
        return;
    // Grey as a disabled item, yet it can be picked: picking it takes it off.
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        const QColor grey = option->palette.color(QPalette::Disabled, role);
        option->palette.setColor(QPalette::Active, role, grey);
        option->palette.setColor(QPalette::Inactive, role, grey);
    }
}

} // namespace kalmo
