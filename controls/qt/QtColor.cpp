// Stored colour values as QColor, system colours through the palette; see QtColor.h.
#include "controls/qt/QtColor.h"

#include <QApplication>

namespace kalmo {
namespace {

QPalette::ColorRole roleForSystemIndex(int index)
{
    switch (index) {
    case 0: return QPalette::Button;            // scroll bar
    case 5: return QPalette::Base;              // window background
    case 6: return QPalette::Shadow;            // window frame
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 17: return QPalette::PlaceholderText;  // gray text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;            // button highlight
    case 21: return QPalette::Shadow;           // 3-D dark shadow
    case 22: return QPalette::Midlight;         // 3-D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}

} // namespace

QColor toQColor(ColorValue color, const QPalette& palette)
{
    if (isSystemColor(color))
        return palette.color(QPalette::Active, roleForSystemIndex(systemColorIndex(color)));
    if (color == clNone)
        return QColor(Qt::transparent);
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QColor toQColor(ColorValue color)
{
    return toQColor(color, QApplication::palette());
}

} // namespace kalmo
