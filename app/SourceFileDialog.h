// The file dialogs: the open dialog that Load shows and the save dialog
// that Save As shows, on top of QFileDialog.
#pragma once

#include "job/TranslationJobView.h"

#include <QString>

#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace kalmo {

// A stored filter "Description|PATTERN;PATTERN|..." as QFileDialog name
// filters. Qt reads the patterns from the parentheses of the text it shows,
// so a description that already names its patterns is kept as it stands.
QStringList toQtNameFilters(const std::string& filter);

// Title and filter from the request; an existing file must be chosen, the
// dialog is resizable and has no read-only box. Qt's own dialog is used
// because it matches name patterns without regard to letter case.
void configureSourceFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

std::optional<std::string> chooseSourceFileWithDialog(QWidget* parent, const FileDialogRequest& request);

// The save dialog: any name in an existing folder; a file that exists is
// asked about before it is chosen.
std::optional<std::string> chooseTargetFileWithDialog(QWidget* parent, const FileDialogRequest& request);

} // namespace kalmo
