// The small dialog of Navigate > Find: an editable list of the texts
// searched for lately, newest first, for the text to find.
#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>
#include <string>

class QComboBox;

namespace kalmo {

class FindDialog : public QDialog {
    Q_OBJECT

public:
    // The job's last text is offered, selected; without one the newest of
    // the recent texts is.
    FindDialog(QWidget* parent, const std::string& lastText, const QStringList& recentTexts);

    QString Text() const;

    QComboBox* Texts = nullptr;
};

// The text typed or picked, or nullopt when the user cancelled.
std::optional<std::string> askFindTextWithDialog(QWidget* parent, const std::string& lastText,
                                                 const QStringList& recentTexts);

} // namespace kalmo
