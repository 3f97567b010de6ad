// TForm2, the source viewer. Two line-numbered panes, the source lines above
// and the working lines below, which the main window's job refills after
// every commit; in full-text mode the lower pane is a free editor and the
// upper pane follows its active line.
#pragma once

#include "base/KeyCodes.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QWidget>

namespace kalmo {
class TCustomCodeMemo;
class TImage;
class TLabel;
} // namespace kalmo

class TForm2 : public QWidget {
    Q_OBJECT

public:
    // The job that drives the panes is made and connected by the program.
    // With Later the panes measure their fonts when the window is first
    // shown or MeasurePaneFonts() is called, which must come before the job
    // first touches them.
    explicit TForm2(kalmo::TCodeMemo::FontMeasure paneFonts = kalmo::TCodeMemo::FontMeasure::Now);
    ~TForm2() override;

    kalmo::TCustomCodeMemo& Memo1Model();
    kalmo::TCustomCodeMemo& Memo2Model();

    // Shows the window, brings it forward and gives the lower pane the focus.
    void ShowAndFocusLowerPane();
    void MeasurePaneFonts();

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

signals:
    // A key for the job: the window's own (no pane has the focus) or one the
    // lower pane passed on.
    void keyDown(kalmo::KeyCode key);
    // The lower pane's active line moved.
    void memo2ActiveLineChanged();
    // The lower pane's text changed, by the user or by a refill.
    void memo2Changed();
    // Closed with the close box: the window is hidden, its contents kept.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls(kalmo::TCodeMemo::FontMeasure paneFonts);
};
