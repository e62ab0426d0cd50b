#pragma once

#include <QColor>

// How well a text stands out from what it is drawn on, measured as the accessibility guidelines
// for the web measure it.
namespace pulmora::controls {

// The least contrast at which ordinary text reads well.
inline constexpr double kReadableContrast = 4.5;

// From 1 (the same colour) to 21 (black on white): the lighter colour's relative luminance plus
// 0.05 over the darker one's plus 0.05.
double contrastRatio(const QColor& a, const QColor& b);

// The colour as it is where it reads well enough on the background; otherwise the same colour
// taken towards black or white, whichever stands out more there, just far enough to read well.
QColor readableOn(const QColor& preferred, const QColor& background, double least = kReadableContrast);

}  // namespace pulmora::controls
