#pragma once

#include <QColor>

namespace nameshift::ui {

// The contrast of two colours as the web's accessibility guidelines measure it: from 1 (the same
// lightness) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The least change of `colour`'s lightness, keeping its hue, that reads at `ratio` against
// `background`: lighter on a dark background, darker on a light one. A colour that reads already
// is returned as it is. The result has 8 bits a channel, as style sheets write colours.
QColor readableColor(const QColor& colour, const QColor& background, double ratio = 4.5);

}  // namespace nameshift::ui
