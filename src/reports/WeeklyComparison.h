#pragma once

#include "ReportCanvas.h"
#include "ReportPicture.h"
#include "ReportResult.h"
#include "store/ReportCursors.h"

#include <QDate>

namespace pulmora::reports {

// The layout of the weekly comparison, from texts measured on its picture. Each week column
// is two half-columns: the morning (or day) half on the left, the evening (or night) half on
// the right.
struct WeeklyMetrics {
    int rowHeight = 0;
    int halfColumn = 0;
    int labelWidth = 0;
    int width = 0;

    int chartTop() const { return rowHeight; }
    // The chart with its title row and the three header rows under it.
    int chartHeight() const { return 4 * rowHeight + kChartHeight; }
    int peakFlowHeight() const { return 13 * rowHeight; }
    int symptomsHeight() const { return 19 * rowHeight; }
    // Week 1 .. 6.
    int weekLeft(int week) const { return labelWidth + (week - 1) * 2 * halfColumn; }
};

WeeklyMetrics measureWeekly(const QFont& font = reportFont());

inline const QString kWeeklyCaption = QStringLiteral(" Weekly Comparison Report for Period Starting ");

// The six weeks up to the report date side by side, oldest on the left: their readings on the
// percentage-of-best chart, the peak-flow table and the symptoms table. Without readings in the
// period the chart and the peak-flow table are left out.
ReportResult WeeklyComparison(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                              qreal pixelRatio = 1.0);
// The same from the person's days of a period read that holds the report's days.
ReportResult WeeklyComparison(const store::PersonPeriod& read, const QDate& reportDate, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
