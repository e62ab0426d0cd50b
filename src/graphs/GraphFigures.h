#pragma once

#include "GraphPlan.h"

#include <QJsonObject>

namespace pulmora::reports {

// A graph's figures as one JSON object: the title lines, both axes with their titles and
// ranges, every series with its points in order (x, y, label, colour as "#rrggbb"), the status
// line, and the working table's headings and rows.
QJsonObject graphFiguresJson(const WorkingTable& table, const GraphPlan& plan);

}  // namespace pulmora::reports
