#pragma once

#include "ReportCanvas.h"
#include "stats/Periods.h"
#include "store/Values.h"

#include <optional>

#include <vector>

// What the two monthly reports share: their layout of a label column, the month column and 31
// day columns, measured on their 8-point picture font, and the days they read.
namespace pulmora::reports {

constexpr int kMonthlyPoints = 8;

struct MonthlyMetrics {
    int rowHeight = 0;
    int columnWidth = 0;
    int labelWidth = 0;
    int width = 0;

    // Column 0 is the month column, 1 .. 31 the days from the oldest to the report date.
    int columnLeft(int column) const { return labelWidth + column * columnWidth; }
    // The label column and the month column, which stay in place while the days scroll.
    int fixedWidth() const { return labelWidth + columnWidth + 1; }
};

MonthlyMetrics measureMonthly();
// The layout with its label column grown, where it must, so that the label column and the month
// column together are at least `labelArea` pixels wide.
MonthlyMetrics withLabelArea(MonthlyMetrics m, int labelArea);

// One day of the month, with its values when it was recorded.
struct MonthDay {
    QDate date;
    std::optional<store::DayValues> values;
};

// Every day of the month, oldest first, from the recorded days (in date order) among `days`.
std::vector<MonthDay> monthDays(const std::vector<store::DayRecord>& days, const stats::Period& month);

// The day column (1 .. 31) of a date of the month.
int dayColumn(const stats::Period& month, const QDate& date);

// A day column's date ("5/11") in the row at `top` and its weekday ("Mon") in the row under it.
void DrawDayHeading(ReportCanvas& canvas, const MonthlyMetrics& m, int column, int top, const QDate& date);

}  // namespace pulmora::reports
