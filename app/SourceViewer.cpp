// TForm2, the source viewer: layout, panes and the viewer's keys; see SourceViewer.h.
#include "app/SourceViewer.h"

#include "app/FormControls.h"
#include "app/FormLayout.h"
#include "app/MemoKeys.h"
#include "controls/qt/QtColor.h"
#include "controls/qt/QtKeys.h"
#include "controls/memo/qt/CodeMemo.h"
#include "app/layouts/MemoLayouts.h"
#include "app/layouts/SourceViewerLayout.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>


using namespace kalmo;
namespace viewer = kalmo::layout::source_viewer;

TForm2::TForm2(TCodeMemo::FontMeasure paneFonts)
    : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Sourceviewer"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(clSilver, palette));
    setPalette(palette);
    setAutoFillBackground(true);

    createControls(paneFonts);

    // The height is fixed; the width may grow without limit but not shrink
    // below the stored one.
    resize(viewer::clientWidth, viewer::clientHeight);
    setMinimumSize(viewer::clientWidth, viewer::clientHeight);
    setMaximumSize(QWIDGETSIZE_MAX, viewer::clientHeight);
    move(0, 0);
}

TForm2::~TForm2() = default;

void TForm2::createControls(TCodeMemo::FontMeasure paneFonts)
{
    Label1 = new TLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->SetCaption(QStringLiteral("Original Sourcefile"));

    Memo1 = new TCodeMemo(this, paneFonts);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    // Named as the labels above them read.
    Memo1->setAccessibleName(Label1->Caption());
    applyViewerPaneLayout(Memo1->model());
    followProgramKeys(*Memo1);

    Label2 = new TLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->SetCaption(QStringLiteral("Translated Sourcefile"));

    Memo2 = new TCodeMemo(this, paneFonts);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setAccessibleName(Label2->Caption());
    applyViewerPaneLayout(Memo2->model());
    followProgramKeys(*Memo2);
    Memo2->model().OnKeyDown = [this](TCustomCodeMemo&, KeyCode& key, ShiftState) { Memo2KeyDown(key); };
    Memo2->model().OnActiveLineChange = [this](TCustomCodeMemo&, int) { Memo2ActiveLineChange(); };
    Memo2->model().OnChange = [this](TCustomCodeMemo&) { emit memo2Changed(); };
    // Tab order: upper pane first.
    setTabOrder(Memo1, Memo2);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));

    applyLayout(*this, viewer::controls);
}

TCustomCodeMemo& TForm2::Memo1Model() { return Memo1->model(); }

TCustomCodeMemo& TForm2::Memo2Model() { return Memo2->model(); }

void TForm2::ShowAndFocusLowerPane()
{
    show();
    raise();
    activateWindow();
    Memo2->setFocus(Qt::OtherFocusReason);
}

void TForm2::MeasurePaneFonts()
{
    Memo1->MeasureFont();
    Memo2->MeasureFont();
}

void TForm2::FormShow() { Image1->LoadPicture(QStringLiteral(":/LOGO")); }

void TForm2::FormClose() { emit closed(); }

void TForm2::FormKeyDown(KeyCode key) { emit keyDown(key); }

void TForm2::Memo2KeyDown(KeyCode key) { emit keyDown(key); }

void TForm2::Memo2ActiveLineChange() { emit memo2ActiveLineChanged(); }

void TForm2::showEvent(QShowEvent* event)
{
    MeasurePaneFonts();
    // A window brought back from the task bar was never hidden.
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TForm2::closeEvent(QCloseEvent* event)
{
    // Closed with the close box: hidden, contents kept.
    FormClose();
    event->accept();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // Key preview is off: the window's own keys are those that arrive while
    // no pane that takes input has the focus (both are disabled; Tab may
    // still have put the focus on one). A key that an enabled pane passes on
    // was the pane's already.
    const auto* pane = qobject_cast<const TCodeMemo*>(focusWidget());
    if (!focusWidget() || (pane && !pane->Enabled()))
        FormKeyDown(toKeyCode(event->key()));
    QWidget::keyPressEvent(event);
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    followRightEdge(*this, viewer::controls, viewer::clientWidth);
    QWidget::resizeEvent(event);
}
