// The real dialog, error box and loop end behind AppServices.
#include "app/AppServices.h"

#include "app/FindDialog.h"
#include "app/SourceFileDialog.h"
#include "job/KalmoError.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace kalmo {

AppServices AppServices::platform()
{
    AppServices services;
    services.chooseSourceFile = chooseSourceFileWithDialog;
    services.askFindText = askFindTextWithDialog;
    services.errorMessageBox = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    services.informationMessageBox = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
    };
    // exit() rather than quit(): quit() closes every window first, and
    // closing the main window is itself an Exit.
    services.endProgram = [] { QCoreApplication::exit(0); };
    return services;
}

void reportError(const AppServices& services, QWidget* parent, const std::string& message)
{
    if (services.errorMessageBox)
        services.errorMessageBox(parent, QString::fromUtf8(ApplicationTitle),
                                 QString::fromStdString(errorReportText(message)));
}

} // namespace kalmo
