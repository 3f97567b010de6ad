// TForm4, the Help window: layout, balloon outline, help text and CLOSE.
#include "app/HelpWindow.h"

#include "app/CloseButton.h"
#include "app/FormLayout.h"
#include "app/MemoKeys.h"
#include "controls/glass/qt/GlassButton.h"
#include "controls/memo/qt/CodeMemo.h"
#include "app/layouts/MemoLayouts.h"
#include "controls/memo/WordWrap.h"
#include "controls/balloon/qt/BalloonShape.h"
#include "app/layouts/HelpLayout.h"

#include <QFont>
#include <QResizeEvent>
#include <QShowEvent>

#include <string>
#include <vector>

using namespace kalmo;
namespace help = kalmo::layout::help;

TForm4::TForm4(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window)
    , mainWindow_(mainWindow)
{
    applyLayout();
    // The balloon's after-load step runs once the whole layout is in place:
    // it takes the window's designed size and gives it the room of the frame
    // it removes, which the help text follows through its right anchor.
    BalloonShape1->ApplyBalloonShape();
    wrapHelpText();
}

void TForm4::wrapHelpText()
{
    TCustomCodeMemo& memo = CodeMemo1->model();
    // The memo's own resize event may still be pending while the window is
    // hidden; its width is already set.
    memo.SetBounds(CodeMemo1->width(), CodeMemo1->height());
    // More lines can bring the scroll bar, which narrows the text: wrap again
    // until the width holds.
    for (int pass = 0; pass < 3 && memo.ColSpan() > 0 && memo.ColSpan() != wrappedCells_; ++pass) {
        wrappedCells_ = memo.ColSpan();
        const std::vector<std::string> lines(help::helpLines.begin(), help::helpLines.end());
        memo.ClearText();
        memo.Lines().AppendLines(wrapAtWords(joinParagraphs(lines), wrappedCells_));
    }
}

void TForm4::applyLayout()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString::fromLatin1(help::caption));
    QFont font(QString::fromLatin1(help::fontName));
    font.setPixelSize(help::fontPixels);
    setFont(font);

    CodeMemo1 = new TCodeMemo(this);
    CodeMemo1->setObjectName(QStringLiteral("CodeMemo1"));
    CodeMemo1->setAccessibleName(QStringLiteral("Help text"));
    applyHelpMemoLayout(CodeMemo1->model(), std::vector<std::string>(help::helpLines.begin(), help::helpLines.end()));
    followProgramKeys(*CodeMemo1);

    // CLOSE holds the focus whenever the window opens (see showEvent).
    GlassButton1 = addCloseButton(*this, help::closeButton, [this] { closeAndHandBack(); });

    BalloonShape1 = new TBalloonShape(this);
    BalloonShape1->setObjectName(QStringLiteral("BalloonShape1"));
    BalloonShape1->SetReshape(true);
    BalloonShape1->SetBalloonPosition(bpBottomRight);
    BalloonShape1->SetBalloonEllips(help::balloonEllips);
    BalloonShape1->SetBalloonIndent(help::balloonIndent);
    BalloonShape1->SetBalloonColor(clWhite);
    BalloonShape1->SetBorderColor(clBlack);
    BalloonShape1->SetBorderWidth(1);
    BalloonShape1->SetDragBalloon(true);

    kalmo::applyLayout(*this, help::controls);
    // Tab goes from the text to CLOSE.
    setTabOrder(CodeMemo1, GlassButton1);
    resize(help::clientWidth, help::clientHeight);
    move(help::left, help::top);
}

void TForm4::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (CodeMemo1) {
        followRightEdge(*this, help::controls, help::clientWidth);
        wrapHelpText();
    }
}

void TForm4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    GlassButton1->setFocus(Qt::OtherFocusReason);
}

void TForm4::GlassButton1Click()
{
    hide();
}

void TForm4::closeAndHandBack()
{
    GlassButton1Click();
    // The keyboard goes back to the work, as About's CLOSE hands it back;
    // without a window manager nobody would hand it on.
    if (mainWindow_)
        mainWindow_->activateWindow();
}
