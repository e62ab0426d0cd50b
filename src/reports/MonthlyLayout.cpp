#include "MonthlyLayout.h"

#include "ReportPicture.h"

#include <algorithm>

namespace pulmora::reports {

MonthlyMetrics measureMonthly() {
    const QFontMetrics metrics = measure(reportFont(kMonthlyPoints));
    MonthlyMetrics m;
    m.rowHeight = metrics.height() + 2;
    m.columnWidth = metrics.horizontalAdvance(QStringLiteral("20/W2"));
    m.labelWidth = metrics.horizontalAdvance(QStringLiteral("W").leftJustified(30));
    m.width = 32 * m.columnWidth + m.labelWidth;
    return m;
}

MonthlyMetrics withLabelArea(MonthlyMetrics m, int labelArea) {
    m.labelWidth = std::max(m.labelWidth, labelArea - m.columnWidth);
    m.width = 32 * m.columnWidth + m.labelWidth;
    return m;
}

std::vector<MonthDay> monthDays(const std::vector<store::DayRecord>& days, const stats::Period& month) {
    std::vector<MonthDay> all;
    all.reserve(size_t(month.days()));
    auto recorded = days.begin();
    for (QDate d = month.first; d <= month.last; d = d.addDays(1)) {
        while (recorded != days.end() && recorded->date < d) ++recorded;
        if (recorded != days.end() && recorded->date == d)
            all.push_back({d, recorded->values});
        else
            all.push_back({d, std::nullopt});
    }
    return all;
}

int dayColumn(const stats::Period& month, const QDate& date) { return int(month.first.daysTo(date)) + 1; }

void DrawDayHeading(ReportCanvas& canvas, const MonthlyMetrics& m, int column, int top, const QDate& date) {
    const int x = m.columnLeft(column), rh = m.rowHeight;
    DrawCellText(canvas, x, top, m.columnWidth, rh, dayMonth(date));
    DrawCellText(canvas, x, top + rh, m.columnWidth, rh, weekdayName(date));
}

}  // namespace pulmora::reports
