#pragma once

#include "output/Printing.h"
#include "reports/GraphChart.h"

#include <QImage>

// A graph printed and saved as it stands on its chart.
namespace pulmora::reports {

// The chart on one landscape page, on white rather than its gradient, as large as the printable
// room allows while keeping its proportions. A chart without a size gives a job that fails.
output::PrintJob PrintChart(GraphChart& chart);

// The chart at its size on white: the picture the save window writes for a graph. A null image
// when the chart has no size.
QImage savedGraphPicture(GraphChart& chart);

}  // namespace pulmora::reports
