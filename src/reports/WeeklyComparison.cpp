#include "WeeklyComparison.h"

#include "ReportRun.h"
#include "stats/Figures.h"

#include <cmath>

namespace pulmora::reports {
namespace {

using stats::kWeeks;
using stats::PeriodStats;

// Everything the pictures are drawn from; the drawing keeps a copy, so the report can be drawn
// again (for printing) after the store has moved on.
struct WeeklyReport {
    WeeklyMetrics m;
    store::RepPerson person;
    stats::Period reported;
    std::vector<PeriodFigures> weeks;  // week 1 first

    const PeriodStats& week(int k) const { return weeks[size_t(k - 1)].stats; }
};

enum class Half { Morning, Evening, Whole };

void cell(ReportCanvas& c, const WeeklyMetrics& m, int week, Half half, int row, const QString& text) {
    const int left = m.weekLeft(week) + (half == Half::Evening ? m.halfColumn : 0);
    const int width = half == Half::Whole ? 2 * m.halfColumn : m.halfColumn;
    DrawCellText(c, left, row * m.rowHeight, width, m.rowHeight, text);
}

void cellIfAny(ReportCanvas& c, const WeeklyMetrics& m, int week, Half half, int row, int count) {
    if (count != 0) cell(c, m, week, half, row, QString::number(count));
}

QString percent(int value) { return QString::number(value) + QLatin1Char('%'); }

void weekSeparators(ReportCanvas& c, const WeeklyMetrics& m, int top, int bottom) {
    for (int j = 1; j <= kWeeks; ++j) c.vLine(c.width() - j * 2 * m.halfColumn, top, bottom);
}

// A table: white with a black border, a line under every row but the last, week separators.
void tableFrame(ReportCanvas& c, const WeeklyMetrics& m, int rows) {
    const int height = rows * m.rowHeight;
    c.rectangle(0, 0, c.width(), height, Qt::black, Qt::white);
    for (int i = 1; i < rows; ++i) c.hLine(0, c.width(), i * m.rowHeight);
    weekSeparators(c, m, 0, height);
}

// ---- the chart -------------------------------------------------------------------------------

void chartWeek(ReportCanvas& c, const WeeklyReport& r, int k) {
    const WeeklyMetrics& m = r.m;
    const PeriodStats& s = r.week(k);
    const int dateRow = m.chartTop() + kChartHeight + m.rowHeight;
    DrawCellText(c, m.weekLeft(k), dateRow, 2 * m.halfColumn, m.rowHeight,
                 reportDate(r.weeks[size_t(k - 1)].period.first));
    const ChartScale scale(r.person.best, m.chartTop());
    const int mornLeft = m.weekLeft(k), mornRight = mornLeft + m.halfColumn;
    const int evenLeft = mornRight, evenRight = mornLeft + 2 * m.halfColumn;
    if (s.MornHighest != 0) {
        c.rectangle(mornLeft + 4, scale.y(s.MornHighest), mornRight - 2, scale.y(s.MornLowest), Qt::black,
                    colours::kYellow);
        c.hLine(mornLeft + 8, mornRight - 8, scale.y(s.MornAverage), Qt::black, 3);
    }
    if (s.EvenHighest != 0) {
        c.rectangle(evenLeft, scale.y(s.EvenHighest), evenRight - 2, scale.y(s.EvenLowest), Qt::white, colours::kNavy);
        const int average = scale.y(s.EvenAverage);
        c.rectangle(evenLeft + 4, average - 2, evenRight - 6, average + 2, colours::kNavy, Qt::white);
    }
}

void chart(ReportCanvas& c, const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    c.rectangle(0, 0, c.width(), m.chartHeight(), Qt::black, Qt::white);
    const bool zones = r.person.best != 0;
    DrawPercentChart(c, {m.labelWidth, m.chartTop(), m.labelWidth - m.halfColumn, m.rowHeight},
                     zones ? &r.person : nullptr);
    if (zones) c.text(5, 1, QStringLiteral("Peak Flow Percentage Best Chart"));
    const int captions = m.chartTop() + kChartHeight;
    for (int k = 1; k <= kWeeks; ++k) {
        DrawCellText(c, m.weekLeft(k), captions, 2 * m.halfColumn, m.rowHeight, r.weeks[size_t(k - 1)].caption);
        DrawCellText(c, m.weekLeft(k), captions + 2 * m.rowHeight, m.halfColumn, m.rowHeight, QStringLiteral("Morn"));
        DrawCellText(c, m.weekLeft(k) + m.halfColumn, captions + 2 * m.rowHeight, m.halfColumn, m.rowHeight,
                     QStringLiteral("Even"));
    }
    c.text(5, captions + 1 + m.rowHeight, QStringLiteral("Weekly Period Basis"));
    weekSeparators(c, m, m.chartTop(), m.chartHeight());
    for (int k = kWeeks; k >= 1; --k) chartWeek(c, r, k);
}

// ---- the peak-flow table ---------------------------------------------------------------------

void peakFlowWeek(ReportCanvas& c, const WeeklyReport& r, int k) {
    const WeeklyMetrics& m = r.m;
    const PeriodStats& s = r.week(k);
    cell(c, m, k, Half::Morning, 1, QString::number(s.MornLowest));
    cell(c, m, k, Half::Evening, 1, QString::number(s.EvenLowest));
    cell(c, m, k, Half::Morning, 2, QString::number(s.MornAverage));
    cell(c, m, k, Half::Evening, 2, QString::number(s.EvenAverage));
    if (s.MornLowest != 0) cell(c, m, k, Half::Morning, 4, percent(stats::RangeVariation(s.MornHighest, s.MornLowest)));
    if (s.EvenLowest != 0) cell(c, m, k, Half::Evening, 4, percent(stats::RangeVariation(s.EvenHighest, s.EvenLowest)));
    if (s.DiurnalAverage != 0) cell(c, m, k, Half::Whole, 5, percent(s.DiurnalAverage));
    const struct {
        int row, morning, evening;
    } zones[] = {{7, s.MornGreen, s.EvenGreen}, {8, s.MornYellow, s.EvenYellow}, {9, s.MornRed, s.EvenRed}};
    for (const auto& z : zones) {
        if (z.morning != 0)
            cell(c, m, k, Half::Morning, z.row, percent(stats::RoundedPercent(z.morning, s.MornReadings)));
        if (z.evening != 0)
            cell(c, m, k, Half::Evening, z.row, percent(stats::RoundedPercent(z.evening, s.EvenReadings)));
    }
    cell(c, m, k, Half::Morning, 11, QString::number(s.MornReadings));
    cell(c, m, k, Half::Evening, 11, QString::number(s.EvenReadings));
    cell(c, m, k, Half::Whole, 12, QString::number(s.DaysRecorded));
}

void peakFlowTable(ReportCanvas& c, const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    tableFrame(c, m, 13);
    const SectionBlock blocks[] = {
        {0, 3, "Peak Flow Graph Data:", {"Minimum", "Average"}},
        {3, 3, "Variation Calculations:", {"Variation", "Avg. Diurnal Variation"}},
        {6, 4, "Zone Activity:", zoneLabels(r.person)},
        {10, 3, "Other (Days):", {"Peak Readings Taken", "Total Days Recorded"}},
    };
    for (const SectionBlock& b : blocks) DrawSectionBlock(c, m.rowHeight, m.labelWidth, b);
    for (int k = kWeeks; k >= 1; --k) peakFlowWeek(c, r, k);
}

// ---- the symptoms table ----------------------------------------------------------------------

void symptomsWeek(ReportCanvas& c, const WeeklyReport& r, int k) {
    const WeeklyMetrics& m = r.m;
    const PeriodStats& s = r.week(k);
    cellIfAny(c, m, k, Half::Whole, 1, s.DaysDaySymptoms);
    cellIfAny(c, m, k, Half::Whole, 2, s.DaysNightSymptoms);
    const struct {
        int row, day, night;
    } symptoms[] = {{4, s.CogD, s.CogN}, {5, s.BrtD, s.BrtN}, {6, s.WhzD, s.WhzN}, {7, s.ChsD, s.ChsN}};
    for (const auto& symptom : symptoms) {
        cellIfAny(c, m, k, Half::Morning, symptom.row, symptom.day);
        cellIfAny(c, m, k, Half::Evening, symptom.row, symptom.night);
    }
    const std::pair<int, int> whole[] = {
        {9, s.DaysActivityRestricted}, {10, s.DaysSportRestricted}, {11, s.DaysOffWork},   {13, s.DaysRatedBad},
        {14, s.DaysRatedAverage},      {15, s.DaysRatedGood},       {17, s.RelieverTotal}, {18, s.RelieverHighest}};
    for (const auto& [row, count] : whole) cellIfAny(c, m, k, Half::Whole, row, count);
}

void symptomsTable(ReportCanvas& c, const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    tableFrame(c, m, 19);
    const SectionBlock blocks[] = {
        {0, 3, "Symptoms Occurred:", {"Daytime", "Nighttime"}},
        {3, 5, "Individual Symptoms (Days Occurred):", {"Coughing", "Breathlessness", "Wheezing", "Chest Tightness"}},
        {8, 4, "Activities Restricted:", {"Walking/General", "Sport", "Off School/Work"}},
        {12, 4, "How the User Rated their Asthma:", {"Bad", "Average", "Good"}},
        {16, 3, "Reliever Usage:", {"Total", "Highest"}},
    };
    for (const SectionBlock& b : blocks) DrawSectionBlock(c, m.rowHeight, m.labelWidth, b);
    for (int k = kWeeks; k >= 1; --k) symptomsWeek(c, r, k);
}

// ---- composing -------------------------------------------------------------------------------

template <class Draw>
void partAt(QPainter& p, int width, int y, Draw draw) {
    p.save();
    p.translate(0, y);
    ReportCanvas canvas(p, width);
    draw(canvas);
    p.restore();
}

int pictureHeight(const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    if (r.person.anyReading) return m.chartHeight() + m.peakFlowHeight() + m.symptomsHeight() + 4 + m.rowHeight;
    return m.symptomsHeight() + 4 * m.rowHeight + 5;
}

// With readings: the chart, the peak-flow table and the symptoms table stacked. Without: the
// chart's three header rows (week captions, dates, "Morn"/"Even") over the symptoms table.
void drawWeekly(QPainter& p, const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    const int height = pictureHeight(r);
    p.fillRect(QRect(0, 0, m.width, height), Qt::white);
    const int headerRows = 3 * m.rowHeight;
    int y = 0;
    if (r.person.anyReading) {
        partAt(p, m.width, 0, [&](ReportCanvas& c) { chart(c, r); });
        partAt(p, m.width, m.chartHeight(), [&](ReportCanvas& c) { peakFlowTable(c, r); });
        y = m.chartHeight() + m.peakFlowHeight();
    } else {
        DrawRows(p, m.width, m.chartHeight() - headerRows, m.chartHeight(), 0, [&](QPainter& q) {
            ReportCanvas c(q, m.width);
            chart(c, r);
        });
        y = headerRows;
    }
    partAt(p, m.width, y, [&](ReportCanvas& c) { symptomsTable(c, r); });
    partAt(p, m.width, 0,
           [&](ReportCanvas& c) { DrawReportFooter(c, r.reported.first, r.reported.last, height - m.rowHeight); });
}

Viewport viewportOf(const WeeklyReport& r) {
    const WeeklyMetrics& m = r.m;
    Viewport v;
    v.FixedWidth = m.labelWidth + 1;
    v.StepX = 2 * m.halfColumn;
    v.StepY = m.rowHeight;
    v.GraphHeaderHeight = 3 * m.rowHeight;
    v.PictureWidth = m.width;
    v.PictureHeight = pictureHeight(r);
    if (r.person.anyReading) {
        v.HeaderHeight = m.chartHeight();
        v.GraphShown = 1;
        v.GraphStripHeight = m.rowHeight + kChartHeight;
    } else {
        v.HeaderHeight = 3 * m.rowHeight;
    }
    return v;
}

}  // namespace

WeeklyMetrics measureWeekly(const QFont& font) {
    const QFontMetrics metrics = measure(font);
    WeeklyMetrics m;
    m.rowHeight = metrics.height() + 3;
    m.halfColumn = int(std::trunc(metrics.horizontalAdvance(QString(10, QLatin1Char('w'))) * 0.5));
    m.labelWidth = metrics.horizontalAdvance(QString(12, QLatin1Char('w'))) + m.halfColumn;
    m.width = m.labelWidth + 12 * m.halfColumn;
    return m;
}

ReportResult WeeklyComparison(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate,
                              qreal pixelRatio) {
    const stats::Period presence = stats::weeklyPresence(reportDate);
    return WeeklyComparison(cursors.GetRPer(person, presence.first, presence.last), reportDate, pixelRatio);
}

ReportResult WeeklyComparison(const store::PersonPeriod& read, const QDate& reportDate, qreal pixelRatio) {
    const stats::Period presence = stats::weeklyPresence(reportDate);
    const stats::Period reported = stats::weeklyReported(reportDate);
    const store::PersonPeriod period = store::periodWithin(read, presence.first, presence.last);
    const store::RepPerson& figures = period.person;
    if (!figures.reportAvailable) return noDataReport(WeeklyFigures{}, figures, reported, pixelRatio);

    WeeklyReport r{measureWeekly(), figures, reported, std::vector<PeriodFigures>(kWeeks)};
    for (int k = kWeeks; k >= 1; --k) {
        PeriodFigures& week = r.weeks[size_t(k - 1)];
        week.caption = QStringLiteral("Week %1").arg(k);
        week.period = stats::weeklyWeek(reportDate, k);
        week.stats = stats::CollectPeriodStats(period.days, week.period, figures);
    }

    return builtReport(
        WeeklyFigures{r.weeks}, figures, kWeeklyCaption + periodText(reported), viewportOf(r),
        [r](QPainter& p) { drawWeekly(p, r); }, pixelRatio);
}

}  // namespace pulmora::reports
