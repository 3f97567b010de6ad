// The source viewer's text size; see PaneTextSize.h.
#include "app/PaneTextSize.h"

#include "app/AppSettings.h"
#include "app/SourceViewer.h"
#include "controls/memo/qt/CodeMemo.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

namespace kalmo {
namespace {

const QString kPixelsKey = QStringLiteral("SourceViewer/FontPixels");

// Small sizes step by a pixel, larger ones by more, as the eye needs.
constexpr std::array<int, 15> kSizes{8, 9, 10, 11, 12, 13, 14, 16, 18, 20, 22, 24, 26, 28, 32};

std::optional<PaneTextStep> stepOfKey(const QKeyEvent& event)
{
    // A symbol that needs Shift on this keyboard ("+" on most) counts
    // without it, as menu shortcuts do.
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(QKeyCombination(modifiers, static_cast<Qt::Key>(event.key())));
    const QKeySequence unshifted(QKeyCombination(modifiers & ~Qt::ShiftModifier, static_cast<Qt::Key>(event.key())));
    for (const PaneTextSizeKey& entry : kPaneTextSizeKeys) {
        const QKeySequence keys(QString::fromLatin1(entry.keys));
        if (keys == pressed || keys == unshifted)
            return entry.step;
    }
    return std::nullopt;
}

void setPaneFont(TCodeMemo& pane, int pixels)
{
    TCustomCodeMemo& memo = pane.model();
    TMemoFont font = memo.Font();
    font.Height = -pixels;
    memo.SetFont(font);
    TMemoFont gutter = memo.Gutter().Font();
    gutter.Height = -pixels;
    memo.Gutter().SetFont(gutter);
    pane.update();
}

} // namespace

PaneTextSize::PaneTextSize(TForm2& viewer, std::shared_ptr<AppSettings> settings)
    : QObject(&viewer)
    , viewer_(viewer)
    , settings_(std::move(settings))
    , storedPixels_(std::abs(viewer.Memo1->model().Font().Height))
    , pixels_(storedPixels_)
{
    for (QObject* watched : {static_cast<QObject*>(&viewer_), static_cast<QObject*>(viewer_.Memo1),
                             static_cast<QObject*>(viewer_.Memo2)})
        watched->installEventFilter(this);
    bool valid = false;
    const int kept = settings_->Value(kPixelsKey).toInt(&valid);
    if (valid && kept >= Smallest && kept <= Largest && kept != pixels_) {
        pixels_ = kept;
        setPaneFont(*viewer_.Memo1, pixels_);
        setPaneFont(*viewer_.Memo2, pixels_);
    }
}

void PaneTextSize::SetPixels(int pixels)
{
    pixels = std::clamp(pixels, Smallest, Largest);
    if (pixels == pixels_)
        return;
    pixels_ = pixels;
    setPaneFont(*viewer_.Memo1, pixels_);
    setPaneFont(*viewer_.Memo2, pixels_);
    settings_->SetValue(kPixelsKey, pixels_);
}

void PaneTextSize::Step(PaneTextStep step)
{
    switch (step) {
    case PaneTextStep::Larger: {
        const auto next = std::upper_bound(kSizes.begin(), kSizes.end(), pixels_);
        SetPixels(next != kSizes.end() ? *next : Largest);
        break;
    }
    case PaneTextStep::Smaller: {
        const auto next = std::lower_bound(kSizes.begin(), kSizes.end(), pixels_);
        SetPixels(next != kSizes.begin() ? *std::prev(next) : Smallest);
        break;
    }
    case PaneTextStep::Stored: SetPixels(storedPixels_); break;
    }
}

bool PaneTextSize::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (const std::optional<PaneTextStep> step = stepOfKey(*static_cast<QKeyEvent*>(event))) {
            Step(*step);
            return true;
        }
    } else if (event->type() == QEvent::Wheel && watched != &viewer_) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if ((wheel->modifiers() & Qt::ControlModifier) && wheel->angleDelta().y() != 0) {
            Step(wheel->angleDelta().y() > 0 ? PaneTextStep::Larger : PaneTextStep::Smaller);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kalmo
