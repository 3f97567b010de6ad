// Stored filters into Qt name filters, and the configured QFileDialog.
#include "app/SourceFileDialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace kalmo {
namespace {

QStringList splitPatterns(const QString& patterns)
{
    return patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
}

bool sameIgnoringCase(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

QStringList toQtNameFilters(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (i + 1 >= parts.size()) {
            result << description;
            break;
        }
        const QStringList patterns = splitPatterns(parts[i + 1]);
        static const QRegularExpression shown(QStringLiteral("\\(([^()]*)\\)\\s*$"));
        const auto match = shown.match(description);
        if (match.hasMatch() && sameIgnoringCase(splitPatterns(match.captured(1)), patterns))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

void configureSourceFileDialog(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setSizeGripEnabled(true);
    dialog.setNameFilters(toQtNameFilters(request.filter));
}

std::optional<std::string> chooseSourceFileWithDialog(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    configureSourceFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // The job opens the path as the file system spells it.
    return QFile::encodeName(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath()).toStdString();
}

std::optional<std::string> chooseTargetFileWithDialog(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    configureSourceFileDialog(dialog, request);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath()).toStdString();
}

} // namespace kalmo
