// The About window: layout, version line and CLOSE.
#include "app/Unit3.h"

TForm3::TForm3(TForm1* mainWindow)
    : QWidget(nullptr, Qt::Window)
    , mainWindow_(mainWindow)
{
    setWindowTitle(QStringLiteral("About"));
}
