#pragma once

#include "GraphTable.h"
#include "pictures/Palette.h"

#include <QColor>

#include <optional>

// The graph analyses as plain values: which series hold which points, with their labels and
// colours, the title lines and both axes. The chart on the graph page is made from a plan and
// from nothing else, so every analysis can be built and checked without a window.
namespace pulmora::reports {

// The analyses, in the order of the graph page's list. "Reliever Use vs Percentage Best" comes
// last.
enum class GraphOption {
    PercentageBest,
    PeakFlowTrend,
    DiurnalVariation,
    ZoneFrequency,
    SymptomActivity,
    PoorPerceiver,
    RelieverUse
};
constexpr int kGraphOptions = 7;
// Their texts as the list shows them, in that order.
const QStringList& graphOptionTexts();
// The analysis a text of the list names.
std::optional<GraphOption> graphOptionNamed(const QString& text);
// The analysis reads the symptom table (and is a general graph), not the peak-flow table.
inline bool isSymptomAnalysis(GraphOption option) { return option == GraphOption::SymptomActivity; }

inline const QString kNothingToPlot = QStringLiteral("There is no information to plot in the Graph?!");

// What the first series shows its points as.
enum class SeriesShape { VerticalBars, HorizontalBars, Line };

struct GraphPoint {
    double x = 0, y = 0;
    QString label;  // empty: none
    QColor colour;
    bool operator==(const GraphPoint&) const = default;
};

struct GraphSeries {
    bool active = false;
    std::vector<GraphPoint> points;
};

// An axis as shown: left is the vertical one, bottom the horizontal one, whatever the bars'
// direction.
struct GraphAxis {
    QString title;
    double minimum = 0, maximum = 0;
};

struct GraphPlan {
    QStringList title;  // the lines of the chart title; empty: the chart's own title
    bool axesShown = true;
    GraphAxis left, bottom;
    SeriesShape shape = SeriesShape::VerticalBars;  // of cSerA
    int pointerSize = 2;                  // cSerB's square points reach this many pixels either side of their centre
    GraphSeries cSerA;                    // bars or line, each point in its own colour
    GraphSeries cSerB;                    // square points
    GraphSeries cStatA;                   // "Curve": the least-squares cubic of cSerA, red
    GraphSeries cStatB;                   // "Trend": the least-squares line of cSerA, maroon
    GraphSeries cPieA;                    // the zone slices; x is the slice's place, y its value
    std::optional<bool> dateAxisEnabled;  // whether "Date Axis" can be ticked; unset: left as it is
    QString info;                         // the status line when nothing could be drawn, else empty
};

// What the graph page asks for.
struct GraphRequest {
    GraphOption option;
    QString name;  // the person's name as the banner shows it
    GraphPeriod period;
    bool dateAxis = false;  // "Date Axis" ticked: a missed day keeps its empty slot
};

// The peak-flow analyses (every option but "Symptom Activity") over the peak-flow table.
GraphPlan PlotPeakFlow(const WorkingTable& table, const GraphRequest& request);
// "Symptom Activity" over the symptom table; another option plots nothing.
GraphPlan PlotSymptoms(const WorkingTable& table, const GraphRequest& request);

// The analysis of the request for the person: the table its kind reads, and the plan drawn from it.
struct GraphRun {
    WorkingTable table;
    GraphPlan plan;
};
GraphRun runGraph(store::ReportCursors& cursors, const store::PersonId& person, const GraphRequest& request);

// The step between an axis's ticks over the span: 1, 2 or 5 times a power of ten, for at most
// ten steps.
double axisStep(double span);

// The title's period line: "for Period 3 October 2022 to 30 June 2023".
QString periodLine(const GraphPeriod& period);

}  // namespace pulmora::reports
