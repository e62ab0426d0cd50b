#pragma once

#include "MonthlyLayout.h"
#include "ReportResult.h"
#include "stats/PeriodRows.h"
#include "store/ReportCursors.h"

#include <QDate>

namespace pulmora::reports {

inline const QString kMonthlyAdditionalCaption = QStringLiteral(" Monthly Additional Report for Period Starting ");

// A row of the monthly additional report that compares each day with the previous recorded day.
struct ComparedRow {
    const char* name;  // the figure's name in the report's figures
    int row;
    std::optional<Change> DayComparison::*mark;
    bool higherIsBetter;
};
// Morning, evening, diurnal variation, day and night symptoms and reliever use, top to bottom.
const std::vector<ComparedRow>& comparedRows();

// The monthly layout with its label area (the label column and the month column) grown, where it
// must, to hold every label, heading and listed name whole, so none runs into the first day or is
// cut at the fixed column when the days scroll.
MonthlyMetrics measureMonthlyAdditional(const std::vector<ListLine>& medications = {},
                                        const std::vector<ListLine>& triggers = {});

// The mark of one compared cell: a triangle pointing up or down, lime for a change for the
// better and red for one for the worse, or a yellow bar for no change.
void DrawChangeGlyph(ReportCanvas& canvas, const MonthlyMetrics& m, int left, int top, Change kind,
                     bool higherIsBetter);

// The 31 days up to the report date as columns, each compared with the previous recorded day
// (peak flows, diurnal variation, symptoms, reliever use), then every medication used in the
// month with its times used per day and every trigger met with a mark on each day it was met.
// Without readings in the month the peak-flow comparison rows are left out.
ReportResult MonthlyAdditional(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                               qreal pixelRatio = 1.0);
// The same from the person's rows of a period read that holds the month, and the month's first
// day's comparison with the last recorded day before the month (ReportCursors::GetRPrvDly).
ReportResult MonthlyAdditional(const stats::PeriodRows& read, const store::CompareRecord& dayBefore,
                               const QDate& reportDate, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
