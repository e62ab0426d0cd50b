#pragma once

#include "store/ReportCursors.h"

#include <QDate>
#include <QStringList>

#include <optional>
#include <vector>

// The working table every graph analysis is drawn from: one row per day of the period that
// holds a peak-flow reading, newest first, with the day's values and the figures worked out
// from them. It is made into text only where the grid shows it.
namespace pulmora::reports {

// The lengths a graph can cover, in the order of the graph page's period list.
enum class GraphSpan { OneMonth, ThreeMonths, SixMonths, NineMonths, Year };
// The list's texts, one a span in that order ("1 Month" .. "Year").
const QStringList& graphPeriodTexts();
// The span a text of the list names; none for any other text.
std::optional<GraphSpan> graphSpanNamed(const QString& text);
// The days a span stands for: 30, 90, 180, 270 and 365.
int spanDays(GraphSpan span);

// The days a graph covers: the report date less the period's days up to the report date, both
// included (a period of 90 days so covers 91 days).
struct GraphPeriod {
    QDate first, last;
};
GraphPeriod graphPeriod(const QDate& reportDate, int periodDays);

// A day of the working table.
struct GraphDay {
    QDate date;
    store::DayValues values;
    // The day's diurnal variation when both readings are at least 1, and each reading of at
    // least 1 as a percentage of the period's best; none otherwise.
    std::optional<int> diurnal, morningPercent, eveningPercent;
};

// Which of the two grids the table is shown as.
enum class GraphTableKind { PeakFlow, Symptoms };

struct WorkingTable {
    GraphTableKind kind = GraphTableKind::PeakFlow;
    std::vector<GraphDay> days;  // newest first
    store::RepPerson person;     // the person's figures for the period (best, zone limits)

    bool hasData() const { return !days.empty(); }
};

// The tables for the person's days in the period. A day is taken when it holds a morning or an
// evening reading; days with only symptoms are in neither table.
WorkingTable LoadPeakFlowTable(store::ReportCursors& cursors, const store::PersonId& person, const GraphPeriod& period);
WorkingTable LoadSymptomTable(store::ReportCursors& cursors, const store::PersonId& person, const GraphPeriod& period);
// The peak-flow table from the person's days of a period read that holds the graph's period.
WorkingTable PeakFlowTableOf(const store::PersonPeriod& read, const GraphPeriod& period);

// ---- the table as the grid shows it ----------------------------------------------------------

// Columns of the peak-flow grid.
namespace peakflow {
enum Column { Date, Day, Morning, Evening, Diurnal, MorningPercent, EveningPercent, DateKey, Rating, Relievers };
constexpr int kColumns = 10;
}  // namespace peakflow

// Columns of the symptom grid.
namespace symptoms {
enum Column {
    Date,
    Day,
    Sport,
    Normal,
    OffWork,
    BreathMorn,
    BreathEven,
    ChestMorn,
    ChestEven,
    CoughMorn,
    CoughEven,
    WheezeMorn,
    WheezeEven,
    Preventer,
    Reliever,
    Rated,
    DateKey
};
constexpr int kColumns = 17;
}  // namespace symptoms

// "-": a cell without a figure.
inline const QString kNoFigure = QStringLiteral("-");

struct WorkingGrid {
    QStringList headings;      // one a column; a hidden column has none
    QStringList widthSamples;  // the text whose width a column takes; empty: the column is hidden
    // The rows, newest first. A table without a day keeps one empty row, as the grid always
    // keeps one row under its headings.
    std::vector<QStringList> rows;
};
WorkingGrid gridOf(const WorkingTable& table);

}  // namespace pulmora::reports
