// TForm4, the Help window. A balloon-shaped window with the read-only help
// text and a glass CLOSE button that hides it; it is dragged by its body.
// CLOSE has the focus when the window opens, Tab moves between it and the
// text. Escape hides the window too and gives the keyboard back to the main
// window.
#pragma once

#include <QPointer>
#include <QWidget>

namespace kalmo {
class TBalloonShape;
class TCodeMemo;
class TGlassButton;
} // namespace kalmo

class TForm4 : public QWidget {
    Q_OBJECT

public:
    // mainWindow gets the keyboard back when Escape hides this window.
    explicit TForm4(QWidget* mainWindow = nullptr);

    kalmo::TCodeMemo* CodeMemo1 = nullptr;
    kalmo::TGlassButton* GlassButton1 = nullptr;
    kalmo::TBalloonShape* BalloonShape1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyLayout();
    // Flows the help text by paragraph and breaks it at word boundaries to
    // the memo's width in cells: its own line breaks fall mid-sentence.
    void wrapHelpText();
    void GlassButton1Click();
    void closeAndHandBack();

    QPointer<QWidget> mainWindow_;
    int wrappedCells_ = 0;
};
