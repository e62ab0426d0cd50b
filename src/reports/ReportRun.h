#pragma once

#include "ReportResult.h"
#include "stats/Periods.h"
#include "store/ReportCursors.h"

// The frame every report builder runs in.
namespace pulmora::reports {

// A text report's builder: the person's report up to the report date, its picture drawn at the
// pixel ratio.
using ReportBuilder = ReportResult (*)(store::ReportCursors& cursors, const store::PersonId& person,
                                       const QDate& reportDate, qreal pixelRatio);

inline const QString kPleaseWait = QStringLiteral(" Please Wait Processing Report For You ..");

// "<first> to <last>" as the status line and the footer write a period.
QString periodText(const stats::Period& period);

// A built report with its figures: its picture drawn at the pixel ratio, the size its viewport
// values give.
ReportResult builtReport(TextReportFigures figures, const store::RepPerson& person, const QString& status,
                         const Viewport& viewport, ReportDrawing drawing, qreal pixelRatio);

// The run without any daily record in the period: its kind's figures empty, the splash picture the
// daily card shows, and the status line saying there is nothing to report on.
ReportResult noDataReport(TextReportFigures empty, const store::RepPerson& person, const stats::Period& reported,
                          qreal pixelRatio);

}  // namespace pulmora::reports
