// The Help window: layout, balloon outline, help text and CLOSE.
#include "app/Unit4.h"

TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Help"));
}
