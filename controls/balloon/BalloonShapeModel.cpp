// Setter rules, the after-load plan and the paint plan of the balloon.
#include "controls/balloon/BalloonShapeModel.h"

#include "controls/ComponentVersion.h"

namespace kalmo {

BalloonSize shapedClientSize(BalloonSize designedClient, const WindowFrame& frame)
{
    const int outerWidth = designedClient.width + 2 * frame.border;
    const int outerHeight = designedClient.height + frame.captionHeight + 2 * frame.border;
    return {outerWidth, outerHeight - frame.captionHeight};
}

// A layout read from a damaged file could carry a position byte past the
// last name; keeping the old position beats an outline with no body.
void BalloonShapeModel::SetBalloonPosition(TBalloonPosition value)
{
    if (value <= bpNone)
        position_ = value;
}

void BalloonShapeModel::SetBalloonEllips(int value)
{
    if (value > 0)
        ellips_ = value;
}

void BalloonShapeModel::SetBalloonIndent(int value)
{
    if (value > 0)
        indent_ = value;
}

void BalloonShapeModel::SetBorderWidth(int value)
{
    if (value > 0)
        borderWidth_ = value;
}

std::string BalloonShapeModel::Version() const
{
    return componentVersionText(kPackedVersion);
}

std::optional<BalloonShapePlan> BalloonShapeModel::ApplyBalloonShape(BalloonSize designedClient,
                                                                     const WindowFrame& frame)
{
    if (!reshape_ || shaped_)
        return std::nullopt;
    shaped_ = true;

    BalloonShapePlan plan;
    plan.heightReduction = frame.captionHeight;
    plan.clientSize = shapedClientSize(designedClient, frame);
    plan.region = balloonRegionGeometry(position_, plan.clientSize.width, plan.clientSize.height,
                                        ellips_, indent_);
    return plan;
}

BalloonPaintPlan BalloonShapeModel::PaintBalloon(BalloonSize client) const
{
    BalloonPaintPlan plan;
    plan.penColor = borderColor_;
    plan.penWidth = borderWidth_;
    plan.brushColor = balloonColor_;
    plan.seamColor = balloonColor_;
    plan.geometry = balloonPaintGeometry(position_, client.width, client.height, ellips_, indent_);
    return plan;
}

bool BalloonShapeModel::PressMovesWindow(HitArea area) const
{
    return shaped_ && dragBalloon_ && area == HitArea::OwnSurface;
}

} // namespace kalmo
