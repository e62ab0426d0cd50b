#pragma once

#include "ReportResult.h"
#include "stats/Periods.h"

// The frame every report builder runs in.
namespace pulmora::reports {

inline const QString kPleaseWait = QStringLiteral(" Please Wait Processing Report For You ..");

// "<first> to <last>" as the status line and the footer write a period.
QString periodText(const stats::Period& period);

// The run without any daily record in the period: the splash picture the daily card shows,
// and the status line saying there is nothing to report on.
ReportResult noDataReport(ReportKind kind, const store::RepPerson& person, const stats::Period& reported,
                          qreal pixelRatio);

}  // namespace pulmora::reports
