// The find dialog on top of QInputDialog.
#include "app/FindDialog.h"


#include <QInputDialog>
#include <QLineEdit>

namespace kalmo {

std::optional<std::string> askFindTextWithDialog(QWidget* parent, const std::string& lastText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(parent, QStringLiteral("Find"),
                                               QStringLiteral("Name, source text or translation containing:"),
                                               QLineEdit::Normal, QString::fromStdString(lastText), &accepted);
    if (!accepted)
        return std::nullopt;
    return text.toStdString();
}

} // namespace kalmo
