#pragma once

#include <QFont>
#include <QFontMetrics>

namespace pulmora::sheet {

// The window's face ("MS Sans Serif" where it exists; the platform's sans-serif face here) at a
// size in points, taken at the 96 pixels an inch the sheet is laid out at.
QFont sheetFont(int points);

// Text sizes as measured on a picture at pixel ratio 1, so a sheet has the same geometry on
// screen, in a file and on paper.
QFontMetrics measure(const QFont& font);

}  // namespace pulmora::sheet
