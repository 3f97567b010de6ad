// TForm4: the Help window. A balloon-shaped window with the read-only help
// text and a glass CLOSE button that hides it.
#pragma once

#include <QWidget>

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
};
