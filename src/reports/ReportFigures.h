#pragma once

#include "ReportResult.h"

#include <QJsonObject>

namespace pulmora::reports {

// A report's figures as one JSON object: the person's figures, every period's statistics, the
// viewport values (null without a report), the status line and the report's letter; for the
// monthly additional also its day columns with the marks they drew and its medication and
// trigger lines with their days; for the control summary its four questions over both periods,
// the personal card's best, and the medication taken and the triggers met in the four weeks.
// Every figure appears under the name the report code uses for it.
QJsonObject figuresJson(const ReportResult& report);

}  // namespace pulmora::reports
