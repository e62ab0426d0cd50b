#pragma once

#include "store/ReportCursors.h"

#include <QDate>
#include <QStringList>

#include <optional>
#include <vector>

// The working table every graph analysis is drawn from: one row per day of the period that
// holds a peak-flow reading, newest first, each cell a text as the grid shows it.
namespace pulmora::reports {

// The choices of the graph page's period list, in its order ("1 Month" .. "Year").
const QStringList& graphPeriodTexts();
// The days a period text stands for; 0 for a text that is none of them (nothing chosen).
int PeriodDays(const QString& periodText);

// The days a graph covers: the report date less the period's days up to the report date, both
// included (a period of 90 days so covers 91 days).
struct GraphPeriod {
    QDate first, last;
};
GraphPeriod graphPeriod(const QDate& reportDate, int periodDays);

// Columns of the peak-flow table.
namespace peakflow {
enum Column { Date, Day, Morning, Evening, Diurnal, MorningPercent, EveningPercent, DateKey, Rating, Relievers };
constexpr int kColumns = 10;
}  // namespace peakflow

// Columns of the symptom table.
namespace symptoms {
enum Column {
    Date, Day, Sport, Normal, OffWork, BreathMorn, BreathEven, ChestMorn, ChestEven, CoughMorn, CoughEven,
    WheezeMorn, WheezeEven, Preventer, Reliever, Rated, DateKey
};
constexpr int kColumns = 17;
}  // namespace symptoms

// "-": a cell without a figure. It is never read as a number.
inline const QString kNoFigure = QStringLiteral("-");

struct WorkingTable {
    QStringList headings;      // one a column; a hidden column has none
    QStringList widthSamples;  // the text whose width a column takes; empty: the column is hidden
    // The data rows, newest first. A period without a taken day leaves one empty row, as the
    // grid always keeps one row under its headings.
    std::vector<QStringList> rows;
    store::RepPerson person;  // the person's figures for the period (best, zone limits)

    bool hasData() const { return !rows.front().front().trimmed().isEmpty(); }
};

// The tables for the person's days in the period. A day is taken when it holds a morning or an
// evening reading; days with only symptoms are in neither table.
WorkingTable LoadPeakFlowTable(store::ReportCursors& cursors, const QString& person, const GraphPeriod& period);
WorkingTable LoadSymptomTable(store::ReportCursors& cursors, const QString& person, const GraphPeriod& period);

// A cell as a whole number, when it holds one.
std::optional<int> wholeNumber(const QString& cell);

}  // namespace pulmora::reports
