// Layout values of the program's three memos; see MemoLayouts.h.
#include "app/layouts/MemoLayouts.h"

#include "controls/memo/CodeMemoModel.h"

namespace kalmo {

namespace {

constexpr ColorValue marginGrey = 0x00E2E2E2;

// A layout's line list replaces the store's lines one AddLine at a time.
void loadLayoutLines(TCustomCodeMemo& memo, const std::vector<std::string>& lines)
{
    memo.Lines().ClearLines();
    for (const std::string& line : lines) {
        memo.Lines().AddLine(line);
    }
}

void applyCommonSettings(TCustomCodeMemo& memo)
{
    memo.SetTabSize(4);
    memo.SetAutoExpand(true);
    memo.SetSelColor(clWhite);
    memo.SetSelBkColor(clNavy);
    memo.SetCtl3D(false);
    memo.SetRightMarginColor(marginGrey);
    memo.SetUrlStyle(TUrlStyle{clBlue, clWhite, true});
    memo.Gutter().SetDigitCount(4);
    memo.ActiveLineSettings().SetShowActiveLineIndicator(false);
}

} // namespace

void applyViewerPaneLayout(TCustomCodeMemo& memo)
{
    memo.beginLayoutLoad();
    applyCommonSettings(memo);
    memo.SetBkColor(clMedGray);
    memo.SetFont(TMemoFont{"COURIER NEW", -11, clBlack, false});
    memo.SetBorderStyle(TBorderStyle::bsSingle);
    memo.SetScrollBars(TScrollStyle::ssBoth);
    memo.SetShowRightMargin(false);
    memo.SetUrlAware(false);
    memo.SetReadOnly(true);
    memo.SetEnabled(false);
    TMemoGutter& gutter = memo.Gutter();
    gutter.SetVisible(true);
    gutter.SetGutterColor(clSilver);
    gutter.SetGutterColorTo(clMedGray);
    gutter.SetLineNumberStart(0);
    gutter.SetFont(TMemoFont{"Courier New", -11, clBlack, false});
    memo.ActiveLineSettings().SetShowActiveLine(true);
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    loadLayoutLines(memo, {""});
    memo.endLayoutLoad();
}

void shapeViewerPane(TCustomCodeMemo& memo, const layout::ControlBounds& bounds)
{
    applyViewerPaneLayout(memo);
    memo.SetBounds(bounds.width, bounds.height);
    memo.SetFontCell(layout::source_viewer::paneCellWidth, layout::source_viewer::paneCellHeight);
}

void shapeViewerPanes(TCustomCodeMemo& memo1, TCustomCodeMemo& memo2)
{
    shapeViewerPane(memo1, layout::source_viewer::Memo1);
    shapeViewerPane(memo2, layout::source_viewer::Memo2);
}

void applyHelpMemoLayout(TCustomCodeMemo& memo, const std::vector<std::string>& helpLines)
{
    memo.beginLayoutLoad();
    applyCommonSettings(memo);
    memo.SetFont(TMemoFont{"Verdana", -13, clBlack, false});
    memo.SetBorderStyle(TBorderStyle::bsNone);
    memo.SetScrollBars(TScrollStyle::ssVertical);
    memo.SetRightMargin(100);
    memo.SetShowRightMargin(true);
    memo.SetReadOnly(true);
    memo.SetEnabled(true);
    memo.Gutter().SetVisible(false);
    memo.Gutter().SetFont(TMemoFont{"Courier New", -13, clBlack, false});
    memo.ActiveLineSettings().SetShowActiveLine(false);
    memo.ActiveLineSettings().SetActiveLineAtCursor(false);
    loadLayoutLines(memo, helpLines);
    memo.endLayoutLoad();
}

} // namespace kalmo
