// The real dialog, error box and loop end behind AppServices.
#include "app/AppServices.h"

#include "app/FindDialog.h"
#include "app/SourceFileDialog.h"
#include "base/KalmoError.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kalmo {

namespace {

std::size_t askWithMessageBox(QWidget* parent, const QString& title, const Question& question)
{
    QMessageBox box(QMessageBox::Question, title, QString::fromStdString(question.text), QMessageBox::NoButton,
                    parent);
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
        // The roles only place the buttons; the answer is told by the button itself.
        const auto role = i == question.cancelAnswer ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* button = box.addButton(QString::fromStdString(question.answers[i]), role);
        if (i == question.defaultAnswer)
            box.setDefaultButton(button);
        if (i == question.cancelAnswer)
            box.setEscapeButton(button);
        buttons.push_back(button);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return i;
    }
    return question.cancelAnswer;
}

} // namespace

AppServices AppServices::platform()
{
    AppServices services;
    services.chooseSourceFile = chooseSourceFileWithDialog;
    services.askFindText = askFindTextWithDialog;
    services.errorMessageBox = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    services.chooseTargetFile = chooseTargetFileWithDialog;
    services.ask = askWithMessageBox;
    services.informationMessageBox = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
    };
    // exit() rather than quit(): quit() closes every window first, and
    // closing the main window is itself an Exit.
    services.endProgram = [] { QCoreApplication::exit(0); };
    services.askLanguage = [](QWidget* parent, const QString& title, const QString& label, const QStringList& offered,
                              const QString& current) -> std::optional<std::string> {
        QStringList items = offered;
        items.removeAll(current);
        items.prepend(current);
        bool chosen = false;
        const QString text = QInputDialog::getItem(parent, title, label, items, 0, true, &chosen);
        return chosen ? std::optional(text.trimmed().toStdString()) : std::nullopt;
    };
    return services;
}

void reportError(const AppServices& services, QWidget* parent, const std::string& message)
{
    if (services.errorMessageBox)
        services.errorMessageBox(parent, QString::fromUtf8(ApplicationTitle),
                                 QString::fromStdString(errorReportText(message)));
}

} // namespace kalmo
