// Gutter number placement and gradient bands; see GutterPainting.h.
#include "controls/memo/GutterPainting.h"

#include "controls/memo/Utf8Columns.h"

#include <algorithm>
#include <cmath>

namespace kalmo {

GutterNumber gutterNumber(const TMemoGutter& gutter, int lineIndex)
{
    std::string digits = std::to_string(lineIndex + gutter.LineNumberStart());
    if (gutter.ShowLeadingZeros() && static_cast<int>(digits.size()) < gutter.DigitCount()) {
        digits.insert(0, static_cast<std::size_t>(gutter.DigitCount()) - digits.size(), '0');
    }
    GutterNumber number{digits + gutter.NumberSuffix(), 0};
    static constexpr int offsets[] = {24, 16, 8};
    const int characters = utf8Columns(number.Text);
    const int offset = characters >= 1 && characters <= 3 ? offsets[characters - 1] : 0;
    number.X = gutter.GutterWidth() - gutter.GutterMargin() + offset;
    return number;
}

std::vector<GradientBand> gradientBands(ColorValue from, ColorValue to, const TRect& area, int steps)
{
    if (steps <= 0) {
        steps = 1;
    }
    const double dRed = static_cast<double>(redOf(to) - redOf(from)) / steps;
    const double dGreen = static_cast<double>(greenOf(to) - greenOf(from)) / steps;
    const double dBlue = static_cast<double>(blueOf(to) - blueOf(from)) / steps;
    const double step = static_cast<double>(area.Right - area.Left) / steps;
    // Ties round to even, like the platform's own rounding of these values.
    auto round = [](double value) { return static_cast<int>(std::nearbyint(value)); };

    std::vector<GradientBand> bands;
    bands.reserve(static_cast<std::size_t>(steps));
    for (int s = 0; s < steps; ++s) {
        const ColorValue color = rgbColor(redOf(from) + round(s * dRed), greenOf(from) + round(s * dGreen),
                                          blueOf(from) + round(s * dBlue));
        const int x1 = area.Left + round(s * step);
        const int x2 = std::min(x1 + static_cast<int>(step) + 1, area.Right);
        bands.push_back(GradientBand{TRect{x1, area.Top, x2, area.Bottom}, color});
    }
    return bands;
}

} // namespace kalmo
