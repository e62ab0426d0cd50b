#pragma once

#include "ReportCanvas.h"
#include "store/Values.h"

#include <QDate>
#include <QStringList>

#include <functional>

// What the report pictures share: centred cell texts, the section blocks of the tables, the
// percentage-of-best chart and the footer line.
namespace pulmora::reports {

// The text centred in the cell; a text too wide or too tall for it starts at the cell's left
// or top edge and may run over its neighbours (nothing is cut).
void DrawCellText(ReportCanvas& canvas, int left, int top, int width, int height, const QString& text);

// A heading row and the label rows under it, in a table whose grid is already drawn: the
// heading row loses its column lines, the labels share one merged cell in the label column.
struct SectionBlock {
    int firstRow = 0;
    int rowCount = 0;  // the heading row included
    QString heading;
    QStringList labels;  // one a row, from the row after the heading
};
void DrawSectionBlock(ReportCanvas& canvas, int rowHeight, int labelRight, const SectionBlock& block);

// The chart's vertical scale: 200 pixels from 0 at the bottom to 100 % of the best at the top.
class ChartScale {
public:
    ChartScale(int best, int chartTop) : scale_(best * 0.005L), top_(chartTop) {}
    // y of a value in litres a minute.
    int y(long double value) const;
    // How many pixels a value in litres a minute stands for, whole pixels.
    int pixels(long double value) const;
    // y of the zone caption for a band whose top is at the value: 2 pixels below its top line.
    int captionY(long double value) const;

private:
    long double scale_;
    int top_;
};

constexpr int kChartHeight = 200;

struct ChartPlacement {
    int left = 0;    // the chart's left edge
    int top = 0;     // the chart's top edge (100 %)
    int labelX = 0;  // where the 10 % lines and the percentage labels start
    int rowHeight = 0;
};

// The frame, grid and percentage labels, and with `zones` the person's zone bands and
// captions.
void DrawPercentChart(ReportCanvas& canvas, const ChartPlacement& chart, const store::RepPerson* zones);
// The two halves of the chart, for a report that draws between them.
void DrawPercentGrid(ReportCanvas& canvas, const ChartPlacement& chart);
void DrawZoneBands(ReportCanvas& canvas, const ChartPlacement& chart, const store::RepPerson& zones);

// "Report from <first> to <last>" in bold, its right end at the right edge of the picture.
void DrawReportFooter(ReportCanvas& canvas, const QDate& first, const QDate& last, int y);

// The zone labels with the person's figures: "Green (500 = 100%)", "Yellow (400 = 80%)" and
// "Red (250 = 50%)".
QStringList zoneLabels(const store::RepPerson& person);

// A trigger, stored in capitals, as the reports write it: "House dust".
QString triggerCaption(const QString& stored);

// A date as the reports write it in their texts: "5 Nov 2026".
QString reportDate(const QDate& date);
// A day column's date, "5/11", and weekday, "Mon" ... "Sun".
QString dayMonth(const QDate& date);
QString weekdayName(const QDate& date);

// Composing a picture from parts of another: the rows from .. to - 1 of what `draw` draws land
// at y `at`, and nothing else of it.
void DrawRows(QPainter& painter, int width, int from, int to, int at, const std::function<void(QPainter&)>& draw);

}  // namespace pulmora::reports
