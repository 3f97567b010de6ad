// TCodeMemo on screen: colours and positions of the gutter, text rows,
// selection, active line, right margin and border in a grabbed image, the
// scroll bars mirroring the model, and real key and mouse events reaching
// the model. Cells are sampled where a space stands, so no glyph is involved.
#include "controls/qt/QtColor.h"
#include "controls/memo/qt/CodeMemo.h"
#include "app/layouts/MemoLayouts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace kalmo;

namespace {

QColor color(ColorValue value) { return toQColor(value); }

std::vector<std::string> numbered(int count, const std::string& text)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(text);
    return lines;
}

// The middle of the cell at view column `column`, view row `row`.
QPoint cellCenter(const TCustomCodeMemo& memo, int column, int row)
{
    const TRect cell = memo.cellRect(column, row);
    return QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
}

bool anyPixel(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test)
{
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (test(image.pixelColor(x, y)))
                return true;
    return false;
}

bool isDark(QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

} // namespace

class CodeMemoWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fontIsMeasuredAtConstruction();
    void proportionalFontIsReplacedByFixedSys();
    void gutterPaintsGradientBorderAndWhiteLine_data();
    void gutterPaintsGradientBorderAndWhiteLine();
    void emptyStoreShowsOneGutterRowAndEmptyText();
    void selectionIsWhiteOnNavyAndHiddenWithoutFocus();
    void activeLineColoursAndSwappedSelectionOnIt();
    void rightMarginIsTwoPixelsAtItsColumn();
    void borderFollowsBorderStyle();
    void disabledMemoPaintsLikeEnabledAndTakesNoInput();
    void scrollBarsMirrorTheModel();
    void scrollBarPageClickGoesThroughTheModel();
    void caretIsDrawnOnlyWithFocus();
    void keysAndCharactersReachTheModel();
    void shiftDownSelectsFromTheAnchor();
    void clickPlacesTheCaretAndTakesTheFocus();
    void contextMenuShowsTheModelsItems();
    void menuShortcutsWinOverTheMemo_data();
    void menuShortcutsWinOverTheMemo();

private:
    QImage grab() const { return memo_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // The window is active and its other control has the focus.
    void show()
    {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        other_->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(other_->hasFocus());
    }
    void showAndFocus()
    {
        show();
        memo_->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(memo_->hasFocus());
    }
    // An upper viewer pane filled the way the job refills it.
    void viewerPane(const std::vector<std::string>& lines, int caretLine)
    {
        applyViewerPaneLayout(memo_->model());
        memo_->resize(488, 193);
        memo_->model().ClearText();
        memo_->model().Lines().AppendLines(lines);
        memo_->model().PlaceCaret(1, caretLine);
    }

    std::unique_ptr<QWidget> window_;
    TCodeMemo* memo_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void CodeMemoWidgetTest::init()
{
    window_ = std::make_unique<QWidget>();
    window_->resize(600, 300);
    memo_ = new TCodeMemo(window_.get());
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(0, 260, 200, 30);
}

void CodeMemoWidgetTest::cleanup()
{
    window_.reset();
    memo_ = nullptr;
    other_ = nullptr;
}

void CodeMemoWidgetTest::fontIsMeasuredAtConstruction()
{
    // The job scrolls panes before they are ever painted; the cell size must be known.
    const TCustomCodeMemo& model = memo_->model();
    QVERIFY(!memo_->isVisible());
    const QFontMetrics metrics(memo_->fonts().text);
    QCOMPARE(model.LineHeight(), metrics.height() + 1);
    QVERIFY(model.CharWidth() > 0);
    memo_->model().SetFont(TMemoFont{"COURIER NEW", -20, clBlack, false});
    QCOMPARE(model.LineHeight(), QFontMetrics(memo_->fonts().text).height() + 1);
    QVERIFY(model.LineHeight() > metrics.height() + 1);
}

void CodeMemoWidgetTest::proportionalFontIsReplacedByFixedSys()
{
    applyHelpMemoLayout(memo_->model(), {"help"});
    QCOMPARE(memo_->model().Font().Name, std::string("FixedSys"));
    const QFontMetrics metrics(memo_->fonts().text);
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('i')));
    QCOMPARE(memo_->model().CharWidth(), metrics.horizontalAdvance(QLatin1Char('W')));
}

void CodeMemoWidgetTest::gutterPaintsGradientBorderAndWhiteLine_data()
{
    QTest::addColumn<bool>("plainFill");
    QTest::addColumn<int>("x");
    QTest::addColumn<QColor>("expected");
    // 48 bands from silver to medium grey over 44 pixels: the last band stays
    // one step short of medium grey (0xA0, 0xA0, 0xA4).
    QTest::newRow("gradient first band") << false << 1 << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("gradient last band covers the white line") << false << 44 << QColor(161, 161, 165);
    QTest::newRow("gradient border line") << false << 45 << QColor(0x80, 0x80, 0x80);
    QTest::newRow("plain fill") << true << 20 << QColor(0xC0, 0xC0, 0xC0);
    QTest::newRow("plain fill shows the white line") << true << 44 << QColor(Qt::white);
    QTest::newRow("plain fill border line") << true << 45 << QColor(0x80, 0x80, 0x80);
    QTest::newRow("background columns left of the text") << false << 46 << QColor(0xA0, 0xA0, 0xA4);
}

void CodeMemoWidgetTest::gutterPaintsGradientBorderAndWhiteLine()
{
    QFETCH(bool, plainFill);
    QFETCH(int, x);
    QFETCH(QColor, expected);
    viewerPane({"first line"}, 0);
    if (plainFill)
        memo_->model().Gutter().SetGutterColorTo(clNone);
    show();
    const QImage image = grab();
    // Below the only line's number: nothing but the gutter's own fill.
    for (int y : {memo_->model().LineHeight() * 3, 150})
        QCOMPARE(image.pixelColor(x, y), expected);
}

void CodeMemoWidgetTest::emptyStoreShowsOneGutterRowAndEmptyText()
{
    viewerPane({"a", "b", "c"}, 1);
    memo_->model().ClearText();
    QCOMPARE(memo_->model().Lines().LineCount(), 0);
    show();
    const QImage image = grab();
    const int lineHeight = memo_->model().LineHeight();
    QVERIFY(anyPixel(image, QRect(1, 1, 44, lineHeight), isDark));                // "0"
    QVERIFY(!anyPixel(image, QRect(1, 1 + lineHeight, 44, 3 * lineHeight), isDark)); // no "1", "2"
    const TRect area = memo_->model().textArea();
    QVERIFY(!anyPixel(image, QRect(area.Left, area.Top, area.Width(), area.Height()),
                      [](QColor c) { return c != color(clMedGray); }));
}

void CodeMemoWidgetTest::selectionIsWhiteOnNavyAndHiddenWithoutFocus()
{
    viewerPane({"MMMM      MMMM", "MMMM      MMMM", "MMMM      MMMM", "x"}, 3);
    TCustomCodeMemo& model = memo_->model();
    memo_->SetEnabled(true);
    model.setSelection(6, 0, 2, 2); // the moving end first: the painter orders them
    showAndFocus();

    const QImage image = grab();
    const QColor navy = color(clNavy);
    const QColor grey = color(clMedGray);
    QCOMPARE(image.pixelColor(cellCenter(model, 5, 0)), grey); // before the start column
    QCOMPARE(image.pixelColor(cellCenter(model, 6, 0)), navy);
    QCOMPARE(image.pixelColor(cellCenter(model, 8, 1)), navy); // a whole middle line
    QCOMPARE(image.pixelColor(cellCenter(model, 20, 1)), grey); // the selection ends with the text
    const TRect selectedLetter = model.cellRect(1, 2);
    QVERIFY(anyPixel(image, QRect(selectedLetter.Left, selectedLetter.Top, selectedLetter.Width(), selectedLetter.Height()),
                     [](QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }));
    QCOMPARE(image.pixelColor(cellCenter(model, 5, 2)), grey); // after the end column

    // HideSelection: without the focus nothing is selected on screen.
    memo_->clearFocus();
    QTRY_VERIFY(!memo_->hasFocus());
    const QImage unfocused = grab();
    QCOMPARE(unfocused.pixelColor(cellCenter(model, 6, 0)), grey);
    QCOMPARE(unfocused.pixelColor(cellCenter(model, 8, 1)), grey);
}

void CodeMemoWidgetTest::activeLineColoursAndSwappedSelectionOnIt()
{
    viewerPane({"x", "MM    MM", "x"}, 1);
    TCustomCodeMemo& model = memo_->model();
    QCOMPARE(model.ActiveLineIndex(), 1);
    model.SetHideSelection(false);
    model.setSelection(3, 1, 5, 1);
    show();

    const QImage image = grab();
    const QColor navy = color(clNavy);
    const QColor yellow = color(clYellow);
    QCOMPARE(image.pixelColor(cellCenter(model, 2, 1)), navy);   // a space of the active line
    QCOMPARE(image.pixelColor(cellCenter(model, 3, 1)), yellow); // selected: colours swapped
    QCOMPARE(image.pixelColor(cellCenter(model, 4, 1)), yellow);
    QCOMPARE(image.pixelColor(cellCenter(model, 5, 1)), navy);
    QCOMPARE(image.pixelColor(cellCenter(model, 30, 1)), navy);  // the rest of the row
    QCOMPARE(image.pixelColor(cellCenter(model, 30, 0)), color(clMedGray));
    const TRect letter = model.cellRect(0, 1);
    QVERIFY(anyPixel(image, QRect(letter.Left, letter.Top, letter.Width(), letter.Height()),
                     [](QColor c) { return c.red() > 150 && c.green() > 150 && c.blue() < 100; }));
}

void CodeMemoWidgetTest::rightMarginIsTwoPixelsAtItsColumn()
{
    TCustomCodeMemo& model = memo_->model();
    model.SetRightMargin(10);
    memo_->resize(400, 200);
    show();
    const int x = model.textArea().Left + memo_->fonts().marginCharWidth * 10;
    const QImage image = grab();
    const QColor margin = color(0x00E2E2E2);
    for (int y : {20, 120}) {
        QCOMPARE(image.pixelColor(x - 2, y), QColor(Qt::white));
        QCOMPARE(image.pixelColor(x - 1, y), margin);
        QCOMPARE(image.pixelColor(x, y), margin);
        QCOMPARE(image.pixelColor(x + 1, y), QColor(Qt::white));
    }

    model.SetShowRightMargin(false);
    QCOMPARE(grab().pixelColor(x, 20), QColor(Qt::white));
}

void CodeMemoWidgetTest::borderFollowsBorderStyle()
{
    memo_->resize(300, 150);
    show();
    const QList<QPoint> edges{{0, 75}, {150, 0}, {299, 75}, {150, 149}};
    QImage image = grab();
    for (const QPoint& p : edges)
        QCOMPARE(image.pixelColor(p), QColor(0x80, 0x80, 0x80));

    memo_->model().Gutter().SetVisible(false);
    memo_->model().SetBorderStyle(TBorderStyle::bsNone);
    image = grab();
    for (const QPoint& p : edges)
        QCOMPARE(image.pixelColor(p), QColor(Qt::white));
}

void CodeMemoWidgetTest::disabledMemoPaintsLikeEnabledAndTakesNoInput()
{
    auto* enabled = new TCodeMemo(window_.get());
    enabled->move(300, 0);
    for (TCodeMemo* memo : {memo_, enabled}) {
        applyViewerPaneLayout(memo->model());
        memo->resize(300, 150);
        memo->model().ClearText();
        memo->model().Lines().AppendLines(numbered(40, "some text that runs beyond the right edge of the pane"));
        memo->model().PlaceCaret(1, 5);
    }
    show();
    enabled->SetEnabled(true);
    QVERIFY(!memo_->Enabled());
    QVERIFY(memo_->verticalScrollBar()->isVisible());
    QCOMPARE(grab(), enabled->grab().toImage().convertToFormat(QImage::Format_RGB32));

    // Only Tab can focus it (for a screen reader to read it), never a click.
    QCOMPARE(memo_->focusPolicy(), Qt::TabFocus);
    const int firstLine = memo_->model().FirstVisibleLine();
    QScrollBar* bar = memo_->verticalScrollBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 25));
    QCOMPARE(memo_->model().FirstVisibleLine(), firstLine);
    QCOMPARE(bar->value(), memo_->model().VertScrollBar().Position);

    const int caretLine = memo_->model().CaretLine();
    QTest::mouseClick(memo_, Qt::LeftButton, {}, cellCenter(memo_->model(), 3, 2));
    QCOMPARE(memo_->model().CaretLine(), caretLine);
    QVERIFY(!memo_->hasFocus());
}

void CodeMemoWidgetTest::scrollBarsMirrorTheModel()
{
    TCustomCodeMemo& model = memo_->model();
    memo_->resize(300, 150);
    show();
    QVERIFY(!memo_->verticalScrollBar()->isVisible());
    QVERIFY(!memo_->horizontalScrollBar()->isVisible());

    model.ClearText();
    model.Lines().AppendLines(numbered(60, "x"));
    model.Lines().AppendLines({std::string(200, 'y')});
    // The longest line is brought up to date by the second caret placement.
    model.PlaceCaret(1, 30);
    model.PlaceCaret(1, 31);
    QScrollBar* vertical = memo_->verticalScrollBar();
    QScrollBar* horizontal = memo_->horizontalScrollBar();
    QVERIFY(vertical->isVisible());
    QVERIFY(horizontal->isVisible());
    const TScrollBarState& state = model.VertScrollBar();
    QCOMPARE(vertical->minimum(), state.Min);
    QCOMPARE(vertical->maximum(), state.LastPosition());
    QCOMPARE(vertical->pageStep(), state.PageSize);
    QCOMPARE(vertical->value(), model.FirstVisibleLine());
    QCOMPARE(vertical->geometry(), QRect(300 - 17, 0, 17, 150 - 17));
    QCOMPARE(horizontal->geometry(), QRect(0, 150 - 17, 300 - 17, 17));
    // The corner between the bars is filled, not left unpainted.
    QCOMPARE(grab().pixelColor(292, 142), toQColor(0xFF000000, memo_->palette()));

    model.ClearText();
    QVERIFY(!vertical->isVisible());
    QVERIFY(!horizontal->isVisible());
}

void CodeMemoWidgetTest::scrollBarPageClickGoesThroughTheModel()
{
    TCustomCodeMemo& model = memo_->model();
    memo_->resize(300, 150);
    model.ClearText();
    model.Lines().AppendLines(numbered(200, "x"));
    model.PlaceCaret(0, 0);
    show();
    QScrollBar* bar = memo_->verticalScrollBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 25));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 25));
    // A page is the rows in view plus the bar's own step of one.
    QCOMPARE(model.FirstVisibleLine(), model.RowSpan() + 1);
    QCOMPARE(bar->value(), model.FirstVisibleLine());
    QVERIFY(memo_->hasFocus());
}

void CodeMemoWidgetTest::caretIsDrawnOnlyWithFocus()
{
    TCustomCodeMemo& model = memo_->model();
    model.Lines().PutLine(0, "    ");
    memo_->resize(300, 150);
    show();
    const TRect cell = model.cellRect(2, 0);
    model.SetCaretCol(2);
    const QPoint inCaret(cell.Left, cell.Top + model.LineHeight() / 2);
    QCOMPARE(grab().pixelColor(inCaret), QColor(Qt::white));

    memo_->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(memo_->hasFocus());
    QVERIFY(memo_->caretShown());
    const QImage image = grab();
    QCOMPARE(image.pixelColor(inCaret), QColor(Qt::black)); // white inverted
    QCOMPARE(image.pixelColor(inCaret + QPoint(1, 0)), QColor(Qt::black));
    QCOMPARE(image.pixelColor(inCaret + QPoint(2, 0)), QColor(Qt::white));
}

void CodeMemoWidgetTest::keysAndCharactersReachTheModel()
{
    TCustomCodeMemo& model = memo_->model();
    showAndFocus();
    QTest::keyClicks(memo_, "ab");
    QTest::keyClick(memo_, Qt::Key_Return);
    QTest::keyClick(memo_, Qt::Key_Tab); // the memo's own key, not a focus move
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(memo_, &accented);
    QTest::keyClick(memo_, '!');
    QVERIFY(memo_->hasFocus());
    QCOMPARE(model.Lines().LineCount(), 2);
    QCOMPARE(model.Lines().Line(0), std::string("ab"));
    QCOMPARE(model.Lines().Line(1), std::string("    \xC3\xA9!"));

    QTest::keyClick(memo_, Qt::Key_Backspace);
    QCOMPARE(model.Lines().Line(1), std::string("    \xC3\xA9"));
    // Ctrl+Y deletes the line; Alt+Backspace undoes, and its character is swallowed.
    QTest::keyClick(memo_, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(model.Lines().LineCount(), 1);
    QTest::keyClick(memo_, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(model.Lines().LineCount(), 2);
    QCOMPARE(model.Lines().Line(1), std::string("    \xC3\xA9"));
}

void CodeMemoWidgetTest::shiftDownSelectsFromTheAnchor()
{
    TCustomCodeMemo& model = memo_->model();
    model.Lines().AppendLines({"b", "c      c", "d"});
    showAndFocus();
    QTest::keyClick(memo_, Qt::Key_Down);
    QVERIFY(model.SelectionEmpty());
    QTest::keyClick(memo_, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(memo_, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(model.SelFromLine(), 1);
    QCOMPARE(model.SelToLine(), 3);
    QCOMPARE(model.CaretLine(), 3);
    QCOMPARE(grab().pixelColor(cellCenter(model, 3, 2)), color(clNavy));
}

void CodeMemoWidgetTest::clickPlacesTheCaretAndTakesTheFocus()
{
    TCustomCodeMemo& model = memo_->model();
    model.Lines().AppendLines({"second line", "third line"});
    memo_->resize(300, 150);
    show();
    QTest::mouseClick(memo_, Qt::LeftButton, {}, cellCenter(model, 3, 2));
    QVERIFY(memo_->hasFocus());
    QCOMPARE(model.CaretLine(), 2);
    QCOMPARE(model.CaretCol(), 3);
    QCOMPARE(memo_->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseMove(memo_, QPoint(10, 40)); // over the gutter
    QCOMPARE(memo_->cursor().shape(), Qt::ArrowCursor);
}

void CodeMemoWidgetTest::contextMenuShowsTheModelsItems()
{
    // The Help text: read-only, no gutter, a selection to copy.
    TCustomCodeMemo& model = memo_->model();
    applyHelpMemoLayout(model, {"first help line", "second help line"});
    memo_->resize(400, 200);
    model.setSelection(0, 0, 5, 0);
    show();

    QStringList enabled;
    QStringList grayed;
    int separators = 0;
    memo_->execContextMenu = [&](QMenu& menu, const QPoint&) {
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                ++separators;
            else
                (action->isEnabled() ? enabled : grayed) << action->text();
        }
        for (QAction* action : menu.actions())
            if (action->text().startsWith(QLatin1String("Select All")))
                return action->data().toInt();
        return 0;
    };
    QContextMenuEvent inGutterWidth(QContextMenuEvent::Mouse, QPoint(40, 20), memo_->mapToGlobal(QPoint(40, 20)));
    QApplication::sendEvent(memo_, &inGutterWidth);
    QCOMPARE(separators, 0); // nothing within the first 45 pixels

    QContextMenuEvent inText(QContextMenuEvent::Mouse, QPoint(120, 20), memo_->mapToGlobal(QPoint(120, 20)));
    QApplication::sendEvent(memo_, &inText);
    QCOMPARE(separators, 2);
    QCOMPARE(grayed, QStringList({"Undo", "Redo", "Paste\tCtrl-V"}));
    QCOMPARE(enabled, QStringList({"Copy\tCtrl-C", "Cut\tCtrl-X", "Delete", "Select All\tCtrl-A"}));
    // The chosen command went back to the model: everything is selected.
    QCOMPARE(model.SelToLine(), 1);
    QCOMPARE(model.SelToCol(), 16);
}

void CodeMemoWidgetTest::menuShortcutsWinOverTheMemo_data()
{
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("menuWins");
    for (const char* key : {"Ctrl+O", "Ctrl+H", "Ctrl+A", "Ctrl+X", "Ctrl+W"})
        QTest::newRow(key) << QKeySequence(QString::fromLatin1(key)) << true;
    QTest::newRow("Ctrl+Y stays with the memo") << QKeySequence(QStringLiteral("Ctrl+Y")) << false;
}

void CodeMemoWidgetTest::menuShortcutsWinOverTheMemo()
{
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, menuWins);
    TCustomCodeMemo& model = memo_->model();
    model.Lines().PutLine(0, "select me");
    model.Lines().AppendLines({"second"});
    model.setSelection(0, 0, 6, 0);
    auto* action = new QAction(window_.get());
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::ApplicationShortcut);
    window_->addAction(action);
    int triggered = 0;
    connect(action, &QAction::triggered, this, [&triggered] { ++triggered; });
    // The keys a window's menu reserves, as the program tells its memos.
    memo_->SetReservedShortcuts({shortCut('O', ssCtrl), shortCut('H', ssCtrl), shortCut('A', ssCtrl),
                                 shortCut('X', ssCtrl), shortCut('W', ssCtrl)});
    showAndFocus();

    const QKeyCombination combination = shortcut[0];
    QTest::keyClick(memo_, combination.key(), combination.keyboardModifiers());
    QCOMPARE(triggered, menuWins ? 1 : 0);
    QCOMPARE(model.Lines().LineCount(), menuWins ? 2 : 1); // Ctrl+X did not cut, Ctrl+Y deleted a line
    QCOMPARE(model.Lines().Line(0), std::string(menuWins ? "select me" : "second"));
}

QTEST_MAIN(CodeMemoWidgetTest)
#include "CodeMemoWidgetTest.moc"
