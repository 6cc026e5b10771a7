#include "ui/ReadableColor.h"

#include <algorithm>
#include <cmath>

namespace nameshift::ui {
namespace {

double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

QColor eightBits(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return {rgb.red(), rgb.green(), rgb.blue()};
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableColor(const QColor& colour, const QColor& background, double ratio) {
    const QColor start = eightBits(colour);
    if (contrastRatio(start, background) >= ratio) {
        return start;
    }
    // Towards the end of the scale that stands further from the background.
    const bool lighten =
        contrastRatio(Qt::white, background) >= contrastRatio(Qt::black, background);
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    start.getHslF(&hue, &saturation, &lightness);
    hue = std::max(hue, 0.0F);  // a grey has no hue
    // The luminance grows with the lightness, so the least change that reads is found by halving.
    float near = lightness;
    float far = lighten ? 1.0F : 0.0F;
    QColor found = lighten ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 0; step < 24; ++step) {
        const float middle = (near + far) / 2;
        const QColor candidate = eightBits(QColor::fromHslF(hue, saturation, middle));
        if (contrastRatio(candidate, background) >= ratio) {
            found = candidate;
            far = middle;
        } else {
            near = middle;
        }
    }
    return found;
}

}  // namespace nameshift::ui
