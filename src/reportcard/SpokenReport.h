#pragma once

#include "graphs/GraphPlan.h"
#include "reports/ReportResult.h"

namespace pulmora::reports {

// A report in words, for a screen reader to read where the picture cannot be: its title, its
// period and its main figures over the latest period, or why there is nothing to show.
QString describeReport(const ReportResult& report);

// A graph in words: its title and what it plots against what, or why nothing was drawn.
QString describeGraph(const GraphPlan& plan);

}  // namespace pulmora::reports
