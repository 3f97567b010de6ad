// TForm3, the About window. A picture covering the window, the product
// heading, the program's version read once from its own file, and a glass
// CLOSE button that hides the window and gives the focus back to the main
// window. It stays on top and has no close box, so CLOSE is the way out;
// it has the focus when the window opens (Space or Enter press it), and
// Escape does the same from any control.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>


namespace kalmo {
class TGlassButton;
class TImage;
class TLabel;
} // namespace kalmo

class TForm3 : public QWidget {
    Q_OBJECT

public:
    // mainWindow gets the focus back when CLOSE hides this window.
    explicit TForm3(QWidget* mainWindow);

    // The file version of fileName, or of the program's own file when
    // fileName is empty, written into format ("%d.%d.%d.%d"); empty when the
    // file carries no version record.
    static QString GetFmtFileVersion(const QString& fileName, const QString& format);

    kalmo::TImage* Image1 = nullptr;
    kalmo::TLabel* Label1 = nullptr;
    kalmo::TLabel* Label2 = nullptr;
    kalmo::TImage* Image2 = nullptr;
    kalmo::TGlassButton* GlassButton1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyLayout();
    void FormCreate();
    void GlassButton1Click();

    QPointer<QWidget> mainWindow_;
};
