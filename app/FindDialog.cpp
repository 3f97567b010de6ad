// The find dialog; see FindDialog.h.
#include "app/FindDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalmo {

FindDialog::FindDialog(QWidget* parent, const std::string& lastText, const QStringList& recentTexts)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Find"));
    auto* label = new QLabel(QStringLiteral("Name, source text or translation containing:"), this);
    Texts = new QComboBox(this);
    Texts->setObjectName(QStringLiteral("Texts"));
    Texts->setEditable(true);
    // The history is kept by the program, in its own order; what the user
    // types is not added here.
    Texts->setInsertPolicy(QComboBox::NoInsert);
    Texts->setMinimumContentsLength(30);
    Texts->addItems(recentTexts);
    label->setBuddy(Texts);
    const QString offered = lastText.empty() && !recentTexts.isEmpty() ? recentTexts.front()
                                                                      : QString::fromStdString(lastText);
    Texts->setEditText(offered);
    Texts->lineEdit()->selectAll();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Texts);
    layout->addWidget(buttons);
}

QString FindDialog::Text() const { return Texts->currentText(); }

std::optional<std::string> askFindTextWithDialog(QWidget* parent, const std::string& lastText,
                                                 const QStringList& recentTexts)
{
    FindDialog dialog(parent, lastText, recentTexts);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Text().toStdString();
}

} // namespace kalmo
