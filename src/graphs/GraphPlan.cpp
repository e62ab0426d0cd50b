#include "GraphPlan.h"

#include "CurveFit.h"
#include "stats/Figures.h"
#include "stats/Rating.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace pulmora::reports {
namespace {

namespace colours = palette;

const QLocale kEnglish(QLocale::English);

QString titleDate(const QDate& date) { return kEnglish.toString(date, "d MMMM yyyy"); }

QString pointLabel(const QDate& day) { return kEnglish.toString(day, "d-MMM-yy") + QLatin1Char(' '); }

// The zone of a reading, judged on the reading itself against the person's limits, as every
// other report judges it; none for no reading.
std::optional<stats::Zone> zoneOf(int reading, const store::RepPerson& person) {
    if (reading < 1 || person.best <= 0) return std::nullopt;
    return stats::ZoneOf(reading, person.best, person.zoneYellow, person.zoneRed);
}

QColor zoneColour(stats::Zone zone) {
    switch (zone) {
    case stats::Zone::Green: return colours::kLime;
    case stats::Zone::Yellow: return colours::kYellow;
    case stats::Zone::Red: break;
    }
    return colours::kRed;
}

// The morning and the evening half of a day: its reading, its percentage of best and the colour
// of its point.
struct Half {
    int store::DayValues::*reading;
    std::optional<int> GraphDay::*percent;
    QColor point;
};
const std::array<Half, 2> kHalves = {{{&store::DayValues::morning, &GraphDay::morningPercent, colours::kYellow},
                                      {&store::DayValues::evening, &GraphDay::eveningPercent, colours::kNavy}}};

// How the day-by-day graphs place their points: from the oldest row to the newest, each plotted
// point in the next slot. With the date axis every calendar day without a row keeps an empty
// slot. The diurnal graph also leaves a slot for a day it does not plot.
enum class MissedDays { Skipped, KeepSlots };
enum class UnplottedDays { TakeNoSlot, KeepSlot };

// Plots one day at the slot `index`, moving it on for each point; answers whether it plotted.
using DayPlot = std::function<bool(const GraphDay& day, int& index, const QString& label)>;

// Answers the slot after the last one taken.
int walkDays(const WorkingTable& table, MissedDays missed, UnplottedDays unplotted, const DayPlot& plot) {
    int index = 1;
    QDate running = table.days.back().date;
    for (auto day = table.days.rbegin(); day != table.days.rend(); ++day) {
        if (missed == MissedDays::KeepSlots)
            for (; day->date > running; running = running.addDays(1)) ++index;
        running = day->date;
        const bool plotted = plot(*day, index, pointLabel(day->date));
        if (plotted || unplotted == UnplottedDays::TakeNoSlot) running = running.addDays(1);
    }
    return index;
}

// The curve and the trend of the first series, over its x positions.
void addFits(GraphPlan& plan) {
    std::vector<double> x, y;
    for (const GraphPoint& p : plan.cSerA.points) {
        x.push_back(p.x);
        y.push_back(p.y);
    }
    const auto fill = [&](GraphSeries& series, const std::vector<double>& fitted, const QColor& colour) {
        series.active = true;
        for (size_t i = 0; i < x.size(); ++i) series.points.push_back({x[i], fitted[i], {}, colour});
    };
    fill(plan.cStatA, FitCurve(x, y), colours::kRed);
    fill(plan.cStatB, FitTrend(x, y), colours::kMaroon);
}

QString dateAxisTitle(bool dateAxis) {
    return dateAxis ? QStringLiteral("By Date - Including Missed Days")
                    : QStringLiteral("By Date - Excluding Missed Days");
}

// The frame of the three day-by-day graphs.
GraphPlan dayByDay(const GraphRequest& request, SeriesShape shape, const QString& name, const QString& leftTitle,
                   double leftMaximum) {
    GraphPlan plan;
    plan.shape = shape;
    plan.title = {name + " Graph for " + request.name, periodLine(request.period)};
    plan.left = {leftTitle, 0, leftMaximum};
    plan.bottom.title = dateAxisTitle(request.dateAxis);
    plan.dateAxisEnabled = true;
    return plan;
}

MissedDays missedDays(const GraphRequest& request) {
    return request.dateAxis ? MissedDays::KeepSlots : MissedDays::Skipped;
}

// The two day-by-day graphs of the readings themselves: a bar or a line point and a square point
// for each half of the day that has a value, the bar or line coloured as the analysis colours it.
struct HalfValues {
    std::function<std::optional<int>(const GraphDay& day, const Half& half)> value;
    std::function<QColor(const GraphDay& day, const Half& half)> colour;
};

GraphPlan halvesByDay(const WorkingTable& table, const GraphRequest& request, GraphPlan plan,
                      const HalfValues& halves) {
    const int end =
        walkDays(table, missedDays(request), UnplottedDays::TakeNoSlot,
                 [&](const GraphDay& day, int& index, const QString& label) {
                     bool plotted = false;
                     for (const Half& half : kHalves) {
                         const std::optional<int> v = halves.value(day, half);
                         if (!v) continue;
                         plan.cSerA.points.push_back({double(index), double(*v), label, halves.colour(day, half)});
                         plan.cSerB.points.push_back({double(index), double(*v), {}, half.point});
                         ++index;
                         plotted = true;
                     }
                     return plotted;
                 });
    plan.bottom.maximum = end;
    plan.cSerA.active = plan.cSerB.active = true;
    addFits(plan);
    return plan;
}

GraphPlan percentageBest(const WorkingTable& table, const GraphRequest& request) {
    return halvesByDay(
        table, request,
        dayByDay(request, SeriesShape::VerticalBars, "Percentage Best", "Peak Flow Percentage Best", 100),
        {[](const GraphDay& day, const Half& half) { return day.*half.percent; },
         [&](const GraphDay& day, const Half& half) {
             const auto zone = zoneOf(day.values.*half.reading, table.person);
             return zone ? zoneColour(*zone) : colours::kMaroon;
         }});
}

GraphPlan peakFlowTrend(const WorkingTable& table, const GraphRequest& request) {
    return halvesByDay(table, request,
                       dayByDay(request, SeriesShape::Line, "Peak Flow Trend", "Peak Flow L/Min", table.person.best),
                       {[](const GraphDay& day, const Half& half) {
                            const int reading = day.values.*half.reading;
                            return reading > 0 ? std::optional(reading) : std::nullopt;
                        },
                        [](const GraphDay&, const Half&) { return colours::kNavy; }});
}

QColor diurnalColour(int variation) {
    if (variation > 20) return colours::kRed;
    if (variation >= 11) return colours::kYellow;
    return colours::kLime;
}

// The empty chart, without axes, and the status line that says why.
GraphPlan nothingToPlot() {
    GraphPlan nothing;
    nothing.info = kNothingToPlot;
    nothing.axesShown = false;
    return nothing;
}

// Days with a reading but none with both readings apart draw no bar: the empty chart, as for a
// period without readings, rather than a frame without axes.
GraphPlan diurnalVariation(const WorkingTable& table, const GraphRequest& request) {
    GraphPlan plan = dayByDay(request, SeriesShape::VerticalBars, "Diurnal Variation", "Diurnal Variation (%)", 20);
    plan.title = {"Diurnal Variation Graph for " + request.name + " " + periodLine(request.period),
                  "<10% Good Control - 10% to 20% Acceptable - >20% Poor Asthma Control (this may vary for the "
                  "individual)"};
    const int end = walkDays(table, missedDays(request), UnplottedDays::KeepSlot,
                             [&](const GraphDay& day, int& index, const QString& label) {
                                 const std::optional<int>& v = day.diurnal;
                                 if (!v || *v <= 0) return false;
                                 if (*v > plan.left.maximum) plan.left.maximum = *v + 10;
                                 plan.cSerA.points.push_back({double(index), double(*v), label, diurnalColour(*v)});
                                 ++index;
                                 return true;
                             });
    if (plan.cSerA.points.empty()) return nothingToPlot();
    plan.bottom.maximum = end;
    plan.cSerA.active = true;
    addFits(plan);
    return plan;
}

// Readings per zone, for the morning and the evening half of the days.
struct ZoneCounts {
    std::array<int, 3> morning{}, evening{};  // green, yellow, red
    int morningTaken = 0, eveningTaken = 0;
};

int zoneIndex(stats::Zone zone) { return zone == stats::Zone::Green ? 0 : zone == stats::Zone::Yellow ? 1 : 2; }

GraphPlan zoneFrequency(const WorkingTable& table, const GraphRequest& request) {
    ZoneCounts counts;
    for (const GraphDay& day : table.days) {
        if (const auto zone = zoneOf(day.values.morning, table.person)) {
            ++counts.morning[size_t(zoneIndex(*zone))];
            ++counts.morningTaken;
        }
        if (const auto zone = zoneOf(day.values.evening, table.person)) {
            ++counts.evening[size_t(zoneIndex(*zone))];
            ++counts.eveningTaken;
        }
    }
    GraphPlan plan;
    plan.axesShown = false;
    plan.left = {{}, 0, 100};
    const std::pair<const char*, QColor> slices[] = {{"Green Zone (Morn ", colours::kLime},
                                                     {"Yellow Zone (Morn ", colours::kYellow},
                                                     {"Red Zone (Morn ", colours::kRed}};
    for (size_t z = 0; z < 3; ++z) {
        const QString label =
            slices[z].first + QString::number(counts.morning[z]) + " Even " + QString::number(counts.evening[z]) + ")";
        plan.cPieA.points.push_back(
            {double(2 * z + 1), double(counts.morning[z] + counts.evening[z]), label, slices[z].second});
    }
    plan.cPieA.active = true;
    plan.title = {"Zone Frequency Graph for " + request.name + " " + periodLine(request.period),
                  "Morning Readings Taken is " + QString::number(counts.morningTaken) +
                      "  -  Evening Readings Taken is " + QString::number(counts.eveningTaken)};
    plan.dateAxisEnabled = false;
    return plan;
}

// The horizontal bars of the counting graphs, bottom to top in the order given, with the value
// axis from 0 to a round number above the longest bar.
void horizontalBars(GraphPlan& plan, const std::vector<std::pair<QString, QColor>>& bars,
                    const std::vector<int>& values, int recordedDays) {
    plan.shape = SeriesShape::HorizontalBars;
    int longest = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
        plan.cSerA.points.push_back({double(i), double(values[i]), bars[i].first, bars[i].second});
        longest = std::max(longest, values[i]);
    }
    plan.cSerA.active = true;
    plan.left = {{}, -0.5, double(bars.size()) - 0.5};
    const double step = axisStep(longest + 1);
    plan.bottom = {"Number of Occurrences (" + QString::number(recordedDays) + " Recorded Days)", 0,
                   std::ceil((longest + 1) / step) * step};
    plan.dateAxisEnabled = false;
}

GraphPlan poorPerceiver(const WorkingTable& table, const GraphRequest& request) {
    // Per rating 1 .. 3 (a day rated 0, or anything else, is in no bar): green, yellow, red.
    std::array<std::array<int, 3>, 4> counts{};
    for (const GraphDay& day : table.days) {
        const int rating = day.values.rating;
        if (rating < 1 || rating > 3) continue;
        for (const Half& half : kHalves)
            if (const auto zone = zoneOf(day.values.*half.reading, table.person))
                ++counts[size_t(rating)][size_t(zoneIndex(*zone))];
    }
    std::vector<std::pair<QString, QColor>> bars;
    std::vector<int> values;
    for (size_t r = 1; r <= 3; ++r) {
        const auto& c = counts[r];
        bars.insert(bars.end(), {{"in Red Zone", colours::kRed},
                                 {"in Yellow Zone", colours::kYellow},
                                 {"in Green Zone", colours::kLime},
                                 {"Rated Asthma as " + stats::ratingText(int(r)), colours::kGrey}});
        values.insert(values.end(), {c[2], c[1], c[0], c[0] + c[1] + c[2]});
    }
    GraphPlan plan;
    horizontalBars(plan, bars, values, int(table.days.size()));
    plan.title = {"Poor Perceiver Indicator Graph for " + request.name, periodLine(request.period),
                  "nb. Morning and Evening Peak Readings are counted as separate Readings"};
    return plan;
}

GraphPlan relieverUse(const WorkingTable& table, const GraphRequest& request) {
    GraphPlan plan;
    plan.pointerSize = 3;
    int most = 0;
    for (auto day = table.days.rbegin(); day != table.days.rend(); ++day) {
        const int relievers = std::max(day->values.relievers, 0);
        for (const Half& half : kHalves)
            if (const std::optional<int>& v = (*day).*half.percent) {
                plan.cSerB.points.push_back({double(relievers), double(*v), {}, half.point});
                most = std::max(most, relievers);
            }
    }
    plan.cSerB.active = true;
    plan.title = {"Reliever Use vs Percentage Best Graph for " + request.name, periodLine(request.period)};
    plan.left = {"Peak Flow Percentage Best", 0, 100};
    // Half a count either side, so the points at no reliever and at the most stand clear of the edges.
    plan.bottom = {"Number of Times Reliever Used", -0.5, most + 0.5};
    plan.dateAxisEnabled = false;
    return plan;
}

}  // namespace

const QStringList& graphOptionTexts() {
    static const QStringList texts = {"Percentage Best",
                                      "Peak Flow Trend",
                                      "Diurnal Variation",
                                      "Zone Frequency",
                                      "Symptom Activity",
                                      "Poor Perceiver Indicator",
                                      "Reliever Use vs Percentage Best"};
    return texts;
}

std::optional<GraphOption> graphOptionNamed(const QString& text) {
    const qsizetype i = graphOptionTexts().indexOf(text);
    return i < 0 ? std::nullopt : std::optional(GraphOption(i));
}

QString periodLine(const GraphPeriod& period) {
    return "for Period " + titleDate(period.first) + " to " + titleDate(period.last);
}

GraphRun runGraph(store::ReportCursors& cursors, const store::PersonId& person, const GraphRequest& request) {
    if (isSymptomAnalysis(request.option)) {
        WorkingTable table = LoadSymptomTable(cursors, person, request.period);
        GraphPlan plan = PlotSymptoms(table, request);
        return {std::move(table), std::move(plan)};
    }
    WorkingTable table = LoadPeakFlowTable(cursors, person, request.period);
    GraphPlan plan = PlotPeakFlow(table, request);
    return {std::move(table), std::move(plan)};
}

double axisStep(double span) {
    for (double magnitude = 1;; magnitude *= 10)
        for (const double step : {1.0, 2.0, 5.0})
            if (span / (step * magnitude) <= 10) return step * magnitude;
}

GraphPlan PlotPeakFlow(const WorkingTable& table, const GraphRequest& request) {
    if (!table.hasData()) return nothingToPlot();
    switch (request.option) {
    case GraphOption::PercentageBest: return percentageBest(table, request);
    case GraphOption::PeakFlowTrend: return peakFlowTrend(table, request);
    case GraphOption::DiurnalVariation: return diurnalVariation(table, request);
    case GraphOption::ZoneFrequency: return zoneFrequency(table, request);
    case GraphOption::PoorPerceiver: return poorPerceiver(table, request);
    case GraphOption::RelieverUse: return relieverUse(table, request);
    case GraphOption::SymptomActivity: break;
    }
    return {};
}

GraphPlan PlotSymptoms(const WorkingTable& table, const GraphRequest& request) {
    if (!isSymptomAnalysis(request.option)) return {};
    using V = store::DayValues;
    const std::pair<bool V::*, std::pair<QString, QColor>> bars[] = {
        {&V::sportRestricted, {"Activities - Sport", colours::kGrey}},
        {&V::activityRestricted, {"Activities - Normal", colours::kGrey}},
        {&V::offWork, {"Off Work/School", colours::kGrey}},
        {&V::breathNight, {"Breathlessness", colours::kNavy}},
        {&V::chestNight, {"Chest Tightness", colours::kNavy}},
        {&V::coughNight, {"Coughing", colours::kNavy}},
        {&V::wheezeNight, {"Nighttime - Wheezing", colours::kNavy}},
        {&V::breathDay, {"Breathlessness", colours::kYellow}},
        {&V::chestDay, {"Chest Tightness", colours::kYellow}},
        {&V::coughDay, {"Coughing", colours::kYellow}},
        {&V::wheezeDay, {"Daytime - Wheezing", colours::kYellow}},
    };
    std::vector<std::pair<QString, QColor>> shown;
    std::vector<int> values;
    for (const auto& [flag, bar] : bars) {
        shown.push_back(bar);
        values.push_back(int(std::count_if(table.days.begin(), table.days.end(),
                                           [member = flag](const GraphDay& day) { return day.values.*member; })));
    }
    GraphPlan plan;
    horizontalBars(plan, shown, values, int(table.days.size()));
    plan.title = {"Symptom Activity Graph for " + request.name, periodLine(request.period)};
    return plan;
}

}  // namespace pulmora::reports
