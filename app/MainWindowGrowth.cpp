// The main window's controls on a grown client area; see MainWindowGrowth.h.
#include "app/MainWindowGrowth.h"

#include "app/FormControls.h"
#include "app/FormLayout.h"
#include "app/MainWindow.h"
#include "app/WrappedText.h"
#include "app/layouts/MainWindowLayout.h"
#include "controls/edit/qt/EntryArea.h"
#include "controls/edit/qt/EntryEdit.h"

#include <QEvent>
#include <QStatusBar>

#include <algorithm>

namespace kalmo {
namespace {

namespace main_window = layout::main_window;

const layout::ControlBounds& stored(const char* name)
{
    const auto found = std::find_if(main_window::controls.begin(), main_window::controls.end(),
                                    [name](const ControlPlace& place) { return qstrcmp(place.name, name) == 0; });
    Q_ASSERT_X(found != main_window::controls.end(), "stored", name);
    return found->bounds;
}

// The control at its stored place moved by the given distances; its size stays.
void moveFromStored(QWidget& control, int right, int down)
{
    const layout::ControlBounds& bounds = stored(qPrintable(control.objectName()));
    control.move(bounds.left + right, bounds.top + down);
}

} // namespace

MainWindowGrowth::MainWindowGrowth(TForm1& window)
    : QObject(&window)
    , window_(window)
{
    window_.Client()->installEventFilter(this);
    place();
}

bool MainWindowGrowth::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_.Client() && event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}

void MainWindowGrowth::place()
{
    QWidget& client = *window_.Client();
    const int wider = std::max(0, client.width() - TForm1::ClientWidth);
    const int taller = std::max(0, client.height() - TForm1::ClientHeight);
    // The source text's share of the extra height; the translation has the rest.
    const int upper = taller / 2;

    followRightEdge(client, main_window::controls, TForm1::ClientWidth);
    moveFromStored(*window_.Image2, wider, 0);
    moveFromStored(*window_.StaticText3, 0, upper);
    moveFromStored(*window_.EntryEdit1, 0, upper);
    moveFromStored(*window_.Image1, 0, taller);
    moveFromStored(*window_.StatusBar1, 0, taller);

    const QRect field = window_.EntryEdit1->geometry();
    // A long source text ends in "…" at the translation field's right edge,
    // a long name before the logo.
    window_.Label1->SetMaxWidth(field.right() + 1 - window_.Label1->x());
    window_.Label2->SetMaxWidth(window_.Image2->x() - 4 - window_.Label2->x());
    const layout::ControlBounds& source = stored("Label1");
    window_.SourceArea1->setGeometry(source.left, source.top, field.right() + 1 - source.left, source.height + upper);
    window_.EntryArea1->setGeometry(field.x(), field.y(), field.width(), field.height() + taller - upper);
    showAreas(taller > 0);
}

void MainWindowGrowth::showAreas(bool tall)
{
    if (tall == tall_)
        return;
    tall_ = tall;
    TEntryEdit& field = *window_.EntryEdit1;
    TEntryArea& area = *window_.EntryArea1;
    QWidget* const editor = tall ? static_cast<QWidget*>(&area) : &field;
    QWidget* const former = tall ? static_cast<QWidget*>(&field) : &area;
    const QWidget* const focused = window_.focusWidget();
    const bool hadKeyboard = focused == &field || focused == &area;

    if (!tall)
        field.setFocusProxy(nullptr);
    editor->show();
    // The editor changes, the work does not: given as to a window made
    // active again, the focus leaves caret and selection as they were.
    if (hadKeyboard)
        editor->setFocus(Qt::ActiveWindowFocusReason);
    former->hide();
    // Whoever gives the field the keyboard reaches the area while it is shown.
    if (tall)
        field.setFocusProxy(&area);

    window_.Label1->setVisible(!tall);
    window_.SourceArea1->setVisible(tall);
}

} // namespace kalmo
