// TForm3: the About window. A picture covering the window, the product
// heading, the program's version read once from its own file, and a glass
// CLOSE button that hides the window and gives the focus back to the main
// window.
#pragma once

#include <QString>
#include <QWidget>

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(TForm1* mainWindow);

private:
    TForm1* mainWindow_;
};
