// TForm2, the source viewer. Two line-numbered panes, the source lines above
// and the working lines below, which the main window's job refills after
// every commit; in full-text mode the lower pane is a free editor and the
// upper pane follows its active line.
#pragma once

#include "controls/KeyCodes.h"

#include <QWidget>

class TForm1;

namespace kalmo {
class TCodeMemo;
class TCustomCodeMemo;
class TImage;
class TLabel;
} // namespace kalmo

class TForm2 : public QWidget {
    Q_OBJECT

public:
    // Hands its panes to the main window's job.
    explicit TForm2(TForm1* mainWindow);
    ~TForm2() override;

    kalmo::TCustomCodeMemo& Memo1Model();
    kalmo::TCustomCodeMemo& Memo2Model();

    // Shows the window, brings it forward and gives the lower pane the focus.
    void ShowAndFocusLowerPane();
    // The job switches the panes' models on and off; the widgets follow.
    void SyncPaneStates();

    void FormShow();
    void FormClose();
    void FormKeyDown(kalmo::KeyCode key);
    void Memo2KeyDown(kalmo::KeyCode key);
    void Memo2ActiveLineChange();

    kalmo::TLabel* Label1 = nullptr;
    kalmo::TCodeMemo* Memo1 = nullptr;
    kalmo::TLabel* Label2 = nullptr;
    kalmo::TCodeMemo* Memo2 = nullptr;
    kalmo::TImage* Image1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();

    TForm1* mainWindow_;
};
