#pragma once

#include <QColor>

// How well a text stands out from what it is drawn on, measured as the accessibility guidelines
// for the web measure it.
namespace pulmora::controls {

// The least contrast at which ordinary text reads well, and the contrast small text with thin
// strokes needs to read as easily.
inline constexpr double kReadableContrast = 4.5;
inline constexpr double kClearContrast = 7.0;

// From 1 (the same colour) to 21 (black on white): the lighter colour's relative luminance plus
// 0.05 over the darker one's plus 0.05.
double contrastRatio(const QColor& a, const QColor& b);

// The colour as it is where it stands out at least `least` from the background; otherwise the
// same colour taken towards black or white, whichever stands out more there, just far enough (or
// all the way, where even that is not enough).
QColor readableOn(const QColor& preferred, const QColor& background, double least = kReadableContrast);

}  // namespace pulmora::controls
