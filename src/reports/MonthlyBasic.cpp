#include "MonthlyBasic.h"

#include "MonthlyLayout.h"
#include "ReportPicture.h"
#include "ReportRun.h"
#include "stats/Figures.h"
#include "stats/Rating.h"

#include <cmath>

namespace pulmora::reports {
namespace {

using stats::PeriodStats;

// The table starts under the chart; its rows 22 .. 26 are the month's overview.
constexpr int kTableTop = kChartHeight;
constexpr int kTableRows = 27;
constexpr int kGridRows = 21;
constexpr int kOverviewRow = 22;
constexpr int kReadingRows = 6;  // rows 2 .. 7, left out without readings

// Everything the picture is drawn from; the drawing keeps a copy, so the report can be drawn
// again (for printing) after the store has moved on.
struct BasicReport {
    MonthlyMetrics m;
    store::RepPerson person;
    stats::Period month;
    PeriodStats stats;
    std::vector<MonthDay> days;

    int rowTop(int row) const { return kTableTop + row * m.rowHeight; }
    int textTop(int row) const { return rowTop(row) + 1; }
    int workHeight() const { return rowTop(kTableRows); }
    int pictureHeight() const {
        return person.anyReading ? workHeight() : workHeight() - kChartHeight - kReadingRows * m.rowHeight;
    }
};

// ---- the chart and the grid ------------------------------------------------------------------

// The lower of the month's lowest readings, of the kinds that have readings; 0 without any.
int lowestReading(const PeriodStats& s) {
    if (s.MornLowest == 0 || s.EvenLowest == 0) return std::max(s.MornLowest, s.EvenLowest);
    return std::min(s.MornLowest, s.EvenLowest);
}

void chartAndGrid(ReportCanvas& c, const BasicReport& r) {
    const MonthlyMetrics& m = r.m;
    const PeriodStats& s = r.stats;
    const int chartLeft = m.columnLeft(1);
    c.vLine(chartLeft, 0, kChartHeight);
    for (int i = 1; i <= stats::kMonthDays; ++i) c.vLine(m.width - i * m.columnWidth, kTableTop, r.workHeight());
    c.hLine(0, m.width, kTableTop);
    const ChartPlacement chart{chartLeft, 0, m.labelWidth - 5, m.rowHeight};
    DrawPercentGrid(c, chart);

    const ChartScale scale(r.person.best, 0);
    if (const int highest = std::max(s.MornHighest, s.EvenHighest); highest != 0)
        c.hLine(chartLeft, m.width, scale.y(highest), Qt::black, 2);
    if (const int lowest = lowestReading(s); lowest != 0) c.hLine(chartLeft, m.width, scale.y(lowest), Qt::black, 2);
    // The month's ranges in the month column, the evening right of the morning.
    if (s.EvenHighest != 0) {
        c.rectangle(chartLeft - 5, scale.y(s.EvenHighest), chartLeft - 2, scale.y(s.EvenLowest), Qt::black,
                    colours::kNavy);
        c.hLine(chartLeft - 2, chartLeft, scale.y(s.EvenAverage), Qt::black, 3);
    }
    if (s.MornHighest != 0) {
        c.rectangle(chartLeft - 10, scale.y(s.MornHighest), chartLeft - 7, scale.y(s.MornLowest), Qt::black,
                    colours::kYellow);
        c.hLine(chartLeft - 12, chartLeft - 14, scale.y(s.MornAverage), Qt::black, 3);
    }
    if (r.person.anyReading) DrawZoneBands(c, chart, r.person);
    for (int k = 1; k <= kGridRows; ++k) c.hLine(0, m.width, r.rowTop(k));
}

void rowLabels(ReportCanvas& c, const BasicReport& r) {
    c.setItalic(true);
    c.text(5, r.textTop(0), QStringLiteral("Day/Month:"));
    c.text(5, r.textTop(1), QStringLiteral("Day of Week:"));
    c.setItalic(false);
    const QString readings[] = {"Morning/Evening Change", "Morning Peak Reading", "Evening Peak Reading",
                                "Morning % Best",         "Evening % Best",       "Diurnal Variation %"};
    for (int i = 0; i < kReadingRows; ++i) c.text(5, r.textTop(2 + i), readings[i]);
    const int symptomX = c.textWidth(QStringLiteral("NIGHT")) + 5;
    const QString symptoms[] = {"Breathless", "Coughing", "Wheeze", "Chest Tightness"};
    c.text(5, r.textTop(8), QStringLiteral("Day"));
    c.text(5, r.textTop(12), QStringLiteral("Night"));
    for (int i = 0; i < 4; ++i) {
        c.text(symptomX, r.textTop(8 + i), symptoms[i]);
        c.text(symptomX, r.textTop(12 + i), symptoms[i]);
    }
    const QString others[] = {"Activities Restricted", "Sport Restricted", "Off Work/School", "Reliever", "Preventer",
                              "Rate Your Asthma"};
    for (int i = 0; i < 6; ++i) c.text(5, r.textTop(16 + i), others[i]);
}

// ---- the day columns -------------------------------------------------------------------------

// The last morning and evening readings met in the columns to the left; a day without a
// record leaves them as they are.
struct ChangeMemory {
    int morning = 0, evening = 0;
};

void drawDayColumn(ReportCanvas& c, const BasicReport& r, int column, ChangeMemory& memory) {
    const MonthlyMetrics& m = r.m;
    const int x = m.columnLeft(column), cw = m.columnWidth, rh = m.rowHeight;
    const MonthDay& day = r.days[size_t(column - 1)];
    DrawDayHeading(c, m, column, r.rowTop(0), day.date);
    if (!day.values) {
        c.rectangle(x, r.rowTop(2), x + cw + 1, r.workHeight() + 1, Qt::black, Qt::white);
        return;
    }
    const store::DayValues& v = *day.values;
    auto cell = [&](int row, const QString& text) { DrawCellText(c, x, r.rowTop(row), cw, rh, text); };
    cell(2, column == 1 ? QStringLiteral("N/A") : changeMark(v.morning, v.evening, memory.morning, memory.evening));
    if (v.morning >= 1) memory.morning = v.morning;
    if (v.evening >= 1) memory.evening = v.evening;
    const int best = r.person.best;
    if (v.morning != 0) {
        cell(3, QString::number(v.morning));
        cell(5, QString::number(stats::PercentOfBest(v.morning, best)));
    }
    if (v.evening != 0) {
        cell(4, QString::number(v.evening));
        cell(6, QString::number(stats::PercentOfBest(v.evening, best)));
    }
    if (v.morning != 0 && v.evening != 0) cell(7, QString::number(stats::DiurnalVariation(v.morning, v.evening)));
    cell(19, QString::number(v.relievers));
    cell(20, QString::number(v.preventers));
    cell(21, stats::ratingText(v.rating, stats::RatingWords::Short));

    const struct {
        int row;
        bool flag;
        const QColor& fill;
    } boxes[] = {{8, v.breathDay, colours::kYellow},
                 {9, v.coughDay, colours::kYellow},
                 {10, v.wheezeDay, colours::kYellow},
                 {11, v.chestDay, colours::kYellow},
                 {12, v.breathNight, colours::kNavy},
                 {13, v.coughNight, colours::kNavy},
                 {14, v.wheezeNight, colours::kNavy},
                 {15, v.chestNight, colours::kNavy},
                 {16, v.activityRestricted, colours::kSilver},
                 {17, v.sportRestricted, colours::kSilver},
                 {18, v.offWork, colours::kSilver}};
    for (const auto& box : boxes)
        if (box.flag)
            c.rectangle(x + 4, r.rowTop(box.row) + 4, x + cw - 2, r.rowTop(box.row) + rh - 2, Qt::black, box.fill, 2);

    // The bars stand on the chart's bottom line, the morning on the left.
    const ChartScale scale(best, 0);
    if (v.evening != 0)
        c.rectangle(int(std::trunc(x + cw * 0.5 + 2)), kChartHeight - scale.pixels(v.evening), x + cw - 4,
                    kChartHeight + 1, Qt::black, colours::kNavy);
    if (v.morning != 0)
        c.rectangle(x + 4, scale.y(v.morning), int(std::trunc(x + cw * 0.5)) - 2, kChartHeight + 1, Qt::black,
                    colours::kYellow);
}

// ---- the overview ----------------------------------------------------------------------------

struct OverviewLine {
    QString label;
    QString value;  // empty when there is nothing to count
};

struct OverviewBlock {
    int labelX, valueX;
    QString heading;
    std::vector<OverviewLine> lines;
};

QString countWithShare(int count, int whole, const char* share) {
    if (count <= 0 || whole <= 0) return {};
    return QStringLiteral("%1 (%2%3)").arg(count).arg(stats::RoundedPercent(count, whole)).arg(QLatin1String(share));
}

QString readingOfBest(int reading, int best) { return countWithShare(reading, best, "% of best"); }

OverviewBlock readingBlock(int labelX, int valueX, const QString& heading, int highest, int average, int lowest,
                           int readings, const BasicReport& r) {
    const int best = r.person.best;
    return {labelX,
            valueX,
            heading,
            {{"Highest", readingOfBest(highest, best)},
             {"Average", readingOfBest(average, best)},
             {"Lowest", readingOfBest(lowest, best)},
             {"Frequency", countWithShare(readings, r.stats.DaysRecorded, "% of days recorded")}}};
}

std::vector<OverviewBlock> overviewBlocks(const BasicReport& r) {
    const PeriodStats& s = r.stats;
    const int cw = r.m.columnWidth;
    auto days = [&](int count) { return countWithShare(count, s.DaysRecorded, "% days effected"); };
    std::vector<OverviewBlock> blocks;
    if (r.person.anyReading) {
        blocks.push_back(readingBlock(cw, 4 * cw, "Morning Peak Flow Overview:", s.MornHighest, s.MornAverage,
                                      s.MornLowest, s.MornReadings, r));
        blocks.push_back(readingBlock(10 * cw, 13 * cw, "Evening Peak Flow Overview:", s.EvenHighest, s.EvenAverage,
                                      s.EvenLowest, s.EvenReadings, r));
    }
    blocks.push_back({19 * cw,
                      int(std::trunc(22.5 * cw)),
                      "Other:",
                      {{"Days Filled In", QString::number(s.DaysRecorded)},
                       {"Activites Restricted", days(s.DaysActivityRestricted)},
                       {"Sport Restricted", days(s.DaysSportRestricted)},
                       {"Off Work/School", days(s.DaysOffWork)}}});
    blocks.push_back(
        {27 * cw,
         int(std::trunc(28.5 * cw)),
         "Rate Your Asthma:",
         {{"Bad", days(s.DaysRatedBad)}, {"Okay", days(s.DaysRatedAverage)}, {"Good", days(s.DaysRatedGood)}}});
    return blocks;
}

void overview(ReportCanvas& c, const BasicReport& r) {
    c.rectangle(0, r.rowTop(kOverviewRow), r.m.width, r.workHeight(), Qt::white, Qt::white);
    c.hLine(0, r.m.width, r.rowTop(kOverviewRow));
    for (const OverviewBlock& block : overviewBlocks(r)) {
        c.setBold(true);
        c.text(block.labelX, r.textTop(kOverviewRow), block.heading);
        c.setBold(false);
        for (size_t i = 0; i < block.lines.size(); ++i) {
            const int top = r.textTop(kOverviewRow + 1 + int(i));
            c.text(block.labelX, top, block.lines[i].label);
            if (!block.lines[i].value.isEmpty()) c.text(block.valueX, top, block.lines[i].value);
        }
    }
}

// ---- composing -------------------------------------------------------------------------------

void drawWork(QPainter& p, const BasicReport& r) {
    ReportCanvas c(p, r.m.width, reportFont(kMonthlyPoints));
    chartAndGrid(c, r);
    rowLabels(c, r);
    ChangeMemory memory;
    for (int column = 1; column <= stats::kMonthDays; ++column) drawDayColumn(c, r, column, memory);
    overview(c, r);
}

// With readings the whole work picture; without, its date and weekday rows over its rows from
// the symptoms on, the chart and the reading rows left out.
void drawBasic(QPainter& p, const BasicReport& r) {
    const MonthlyMetrics& m = r.m;
    const int height = r.pictureHeight();
    p.fillRect(QRect(0, 0, m.width, height), Qt::white);
    const auto work = [&r](QPainter& q) { drawWork(q, r); };
    if (r.person.anyReading) {
        work(p);
    } else {
        DrawRows(p, m.width, r.rowTop(0), r.rowTop(2) + 1, 0, work);
        DrawRows(p, m.width, r.rowTop(2 + kReadingRows), r.workHeight(), 2 * m.rowHeight, work);
    }
    ReportCanvas c(p, m.width, reportFont(kMonthlyPoints));
    DrawReportFooter(c, r.month.first, r.month.last, height - m.rowHeight);
}

Viewport viewportOf(const BasicReport& r) {
    const MonthlyMetrics& m = r.m;
    Viewport v;
    v.FixedWidth = m.fixedWidth();
    v.StepX = m.columnWidth;
    v.StepY = m.rowHeight;
    v.GraphHeaderHeight = 2 * m.rowHeight + 1;
    v.PictureWidth = m.width;
    v.PictureHeight = r.pictureHeight();
    if (r.person.anyReading) {
        v.HeaderHeight = kChartHeight + 2 * m.rowHeight + 1;
        v.GraphShown = 1;
        v.GraphStripHeight = kChartHeight;
    } else {
        v.HeaderHeight = 2 * m.rowHeight + 1;
    }
    return v;
}

}  // namespace

QString changeMark(int morning, int evening, int lastMorning, int lastEvening) {
    auto part = [](int today, int last) {
        if (today == 0 || last == 0 || today == last) return QStringLiteral("..");
        return today < last ? QStringLiteral("-") : QStringLiteral("+");
    };
    const QString morningPart = part(morning, lastMorning) + " / ";
    const QString eveningPart = " " + part(evening, lastEvening);
    return morningPart + eveningPart;
}

ReportResult MonthlyBasic(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                          qreal pixelRatio) {
    const stats::Period month = stats::month(reportDate);
    return MonthlyBasic(cursors.GetRPer(person, month.first, month.last), reportDate, pixelRatio);
}

ReportResult MonthlyBasic(const store::PersonPeriod& read, const QDate& reportDate, qreal pixelRatio) {
    const stats::Period month = stats::month(reportDate);
    const store::PersonPeriod period = store::periodWithin(read, month.first, month.last);
    const store::RepPerson& figures = period.person;
    if (!figures.reportAvailable) return noDataReport(MonthlyBasicFigures{}, figures, month, pixelRatio);

    const BasicReport r{measureMonthly(), figures, month, stats::CollectPeriodStats(period.days, month, figures),
                        monthDays(period.days, month)};
    return builtReport(
        MonthlyBasicFigures{month, r.stats}, figures, kMonthlyBasicCaption + periodText(month), viewportOf(r),
        [r](QPainter& p) { drawBasic(p, r); }, pixelRatio);
}

}  // namespace pulmora::reports
