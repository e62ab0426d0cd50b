#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>

#include <optional>

// Where on the paper a printed page may put ink.
namespace pulmora::output {

// No ink nearer the paper's edge than this. A printer that reports no unprintable edge (a PDF
// file) would otherwise take ink to the very edge, and a page printed again from such a file
// loses its frames and headings there.
inline constexpr double kLeastMarginMillimetres = 6.0;

// The margins of a page on the paper and in the orientation of `paper`, in inches: on each side
// the printer's unprintable width, or 6 mm where the printer reports less; on the left the margin
// asked for where that is wider still.
QMarginsF pageMargins(const QPageLayout& paper, std::optional<double> leftMarginInches = {});

// The room inside those margins on the paper, in inches: what a page printed in that orientation
// may fill.
QSizeF printableRoom(const QPageLayout& paper, QPageLayout::Orientation orientation);

}  // namespace pulmora::output
