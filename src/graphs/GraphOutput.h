#pragma once

#include "graphs/GraphPlan.h"
#include "output/Printing.h"

#include <QImage>
#include <QSize>

// A graph printed and saved: the chart on show drawn afresh for its target, a page or a picture
// file, so whatever the size of the window it stands in, nothing of it is squeezed out.
namespace pulmora::reports {

// The size a saved graph picture is laid out at: what the save window and the report tool write.
inline constexpr QSize kSavedGraphSize(800, 500);

// The size a chart is laid out at for a page whose printable room is `room` (in any unit): a
// fixed width at the room's proportions, so the chart fills the page and its texts keep their
// size against the page on any paper.
QSize chartSizeForPage(const QSizeF& room);

// The plan's chart on one landscape page, on white rather than its gradient, laid out for the
// printable room given and printed as large as that room allows.
output::PrintJob PrintChart(const GraphPlan& plan, const QSizeF& room);

// The plan's chart at the saved picture size, on white: the picture the save window writes.
QImage savedGraphPicture(const GraphPlan& plan);

}  // namespace pulmora::reports
