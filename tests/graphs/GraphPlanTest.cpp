#include "graphs/CurveFit.h"
#include "graphs/GraphPlan.h"
#include "stats/ReportDiary.h"

#include <cmath>

namespace pulmora::test {
namespace {

using reports::GraphPlan;
using reports::GraphPoint;
using reports::SeriesShape;
namespace colours = palette;

const QDate D{2023, 6, 30};

std::vector<double> xs(const std::vector<GraphPoint>& points) {
    std::vector<double> out;
    for (const GraphPoint& p : points) out.push_back(p.x);
    return out;
}
std::vector<double> ys(const std::vector<GraphPoint>& points) {
    std::vector<double> out;
    for (const GraphPoint& p : points) out.push_back(p.y);
    return out;
}
std::vector<QColor> colourList(const std::vector<GraphPoint>& points) {
    std::vector<QColor> out;
    for (const GraphPoint& p : points) out.push_back(p.colour);
    return out;
}
std::vector<QString> labels(const std::vector<GraphPoint>& points) {
    std::vector<QString> out;
    for (const GraphPoint& p : points) out.push_back(p.label);
    return out;
}

class GraphPlans : public ::testing::Test {
protected:
    GraphPlan plot(const QString& option, int days = 90, bool dateAxis = false) {
        const auto chosen = reports::graphOptionNamed(option);
        EXPECT_TRUE(chosen) << option.toStdString();
        const reports::GraphRequest request{chosen.value_or(reports::GraphOption::PercentageBest), "Ann",
                                            reports::graphPeriod(D, days), dateAxis};
        if (reports::isSymptomAnalysis(request.option))
            return reports::PlotSymptoms(reports::LoadSymptomTable(d.diary.reports, person, request.period), request);
        return reports::PlotPeakFlow(reports::LoadPeakFlowTable(d.diary.reports, person, request.period), request);
    }
    void rated(const QDate& day, int morning, int evening, int rating) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        v.rating = rating;
        d.addDay(person, day, v);
    }

    ReportDiary d;
    store::PersonId person = d.addPerson("Ann", 400, 80, 50);
};

TEST(GraphOptions, TheRelieverAnalysisComesLast) {
    EXPECT_EQ(reports::graphOptionTexts(),
              QStringList({"Percentage Best", "Peak Flow Trend", "Diurnal Variation", "Zone Frequency",
                           "Symptom Activity", "Poor Perceiver Indicator", "Reliever Use vs Percentage Best"}));
    // Each text names its analysis, whatever the list's order.
    for (int i = 0; i < reports::kGraphOptions; ++i)
        EXPECT_EQ(reports::graphOptionNamed(reports::graphOptionTexts()[i]), reports::GraphOption(i));
    EXPECT_EQ(reports::graphOptionNamed("Symptom Activity"), reports::GraphOption::SymptomActivity);
    EXPECT_FALSE(reports::graphOptionNamed("Zone"));
    EXPECT_TRUE(reports::isSymptomAnalysis(reports::GraphOption::SymptomActivity));
    EXPECT_FALSE(reports::isSymptomAnalysis(reports::GraphOption::RelieverUse));
}

TEST_F(GraphPlans, WithoutAReadingThereIsNothingToPlot) {
    store::DayValues symptomsOnly;
    symptomsOnly.coughDay = true;
    d.addDay(person, D, symptomsOnly);
    for (const QString option : {"Percentage Best", "Peak Flow Trend", "Diurnal Variation", "Zone Frequency",
                                 "Poor Perceiver Indicator", "Reliever Use vs Percentage Best"}) {
        const GraphPlan plan = plot(option);
        EXPECT_EQ(plan.info, "There is no information to plot in the Graph?!") << option.toStdString();
        EXPECT_FALSE(plan.cSerA.active || plan.cSerB.active || plan.cStatA.active || plan.cStatB.active ||
                     plan.cPieA.active);
        EXPECT_TRUE(plan.title.isEmpty());
        EXPECT_FALSE(plan.dateAxisEnabled.has_value());  // "Date Axis" stays as it was
    }
}

TEST_F(GraphPlans, PercentageBestOfAnEveningOnlyDay) {
    d.addReadings(person, D, 0, 300);
    const GraphPlan plan = plot("Percentage Best");
    EXPECT_EQ(plan.shape, SeriesShape::VerticalBars);
    ASSERT_EQ(plan.cSerB.points.size(), 1u);
    EXPECT_EQ(plan.cSerB.points[0], (GraphPoint{1, 75, {}, colours::kNavy}));
    ASSERT_EQ(plan.cSerA.points.size(), 1u);
    EXPECT_EQ(plan.cSerA.points[0], (GraphPoint{1, 75, "30-Jun-23 ", colours::kYellow}));
    EXPECT_TRUE(plan.cSerA.active && plan.cSerB.active && plan.cStatA.active && plan.cStatB.active);
    EXPECT_FALSE(plan.cPieA.active);
    EXPECT_EQ(plan.title, QStringList({"Percentage Best Graph for Ann", "for Period 1 April 2023 to 30 June 2023"}));
    EXPECT_EQ(plan.left.title, "Peak Flow Percentage Best");
    EXPECT_EQ(plan.left.minimum, 0);
    EXPECT_EQ(plan.left.maximum, 100);
    EXPECT_EQ(plan.bottom.title, "By Date - Excluding Missed Days");
    EXPECT_EQ(plan.bottom.maximum, 2);
    EXPECT_EQ(plan.pointerSize, 2);
    EXPECT_EQ(plan.dateAxisEnabled, true);
    EXPECT_TRUE(plan.info.isEmpty());
}

TEST_F(GraphPlans, PercentageBestMorningThenEveningOldestFirst) {
    d.addReadings(person, QDate(2023, 6, 2), 380, 200);  // 95 % green, 50 % red
    d.addReadings(person, QDate(2023, 6, 1), 300, 0);    // 75 % yellow
    const GraphPlan plan = plot("Percentage Best");
    EXPECT_EQ(xs(plan.cSerA.points), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{75, 95, 50}));
    EXPECT_EQ(colourList(plan.cSerA.points), (std::vector<QColor>{colours::kYellow, colours::kLime, colours::kRed}));
    EXPECT_EQ(labels(plan.cSerA.points), (std::vector<QString>{"1-Jun-23 ", "2-Jun-23 ", "2-Jun-23 "}));
    EXPECT_EQ(colourList(plan.cSerB.points), (std::vector<QColor>{colours::kYellow, colours::kYellow, colours::kNavy}));
    EXPECT_EQ(labels(plan.cSerB.points), (std::vector<QString>{"", "", ""}));
}

TEST_F(GraphPlans, TheDateAxisKeepsASlotForEveryMissedDay) {
    d.addReadings(person, QDate(2023, 6, 1), 300, 320);
    d.addReadings(person, QDate(2023, 6, 4), 310, 330);
    const GraphPlan with = plot("Percentage Best", 90, true);
    EXPECT_EQ(xs(with.cSerA.points), (std::vector<double>{1, 2, 5, 6}));
    EXPECT_EQ(xs(with.cSerB.points), (std::vector<double>{1, 2, 5, 6}));
    EXPECT_EQ(with.bottom.maximum, 7);
    EXPECT_EQ(with.bottom.title, "By Date - Including Missed Days");
    const GraphPlan without = plot("Percentage Best", 90, false);
    EXPECT_EQ(xs(without.cSerA.points), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(xs(plot("Peak Flow Trend", 90, true).cSerA.points), (std::vector<double>{1, 2, 5, 6}));
}

TEST_F(GraphPlans, PeakFlowTrend) {
    d.addReadings(person, QDate(2023, 6, 3), 0, 340);
    d.addReadings(person, QDate(2023, 6, 1), 300, 320);
    const GraphPlan plan = plot("Peak Flow Trend", 90, true);
    EXPECT_EQ(plan.shape, SeriesShape::Line);
    EXPECT_EQ(xs(plan.cSerA.points), (std::vector<double>{1, 2, 4}));  // the 2nd keeps slot 3
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{300, 320, 340}));
    EXPECT_EQ(colourList(plan.cSerA.points), (std::vector<QColor>(3, colours::kNavy)));
    EXPECT_EQ(labels(plan.cSerA.points), (std::vector<QString>{"1-Jun-23 ", "1-Jun-23 ", "3-Jun-23 "}));
    EXPECT_EQ(colourList(plan.cSerB.points), (std::vector<QColor>{colours::kYellow, colours::kNavy, colours::kNavy}));
    EXPECT_EQ(plan.left.maximum, 400);  // the best
    EXPECT_EQ(plan.left.title, "Peak Flow L/Min");
    EXPECT_EQ(plan.title[0], "Peak Flow Trend Graph for Ann");
    EXPECT_TRUE(plan.cStatA.active && plan.cStatB.active);
}

TEST_F(GraphPlans, DiurnalVariation) {
    d.addReadings(person, QDate(2023, 6, 1), 400, 300);  // 29: red
    d.addReadings(person, QDate(2023, 6, 2), 300, 300);  // 0: in the table, not drawn
    d.addReadings(person, QDate(2023, 6, 3), 0, 300);    // "-": not drawn
    d.addReadings(person, QDate(2023, 6, 4), 330, 300);  // 10: green
    d.addReadings(person, QDate(2023, 6, 5), 340, 300);  // 12.5 -> 12: yellow
    const GraphPlan plan = plot("Diurnal Variation");
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{29, 10, 12}));
    EXPECT_EQ(xs(plan.cSerA.points), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(colourList(plan.cSerA.points), (std::vector<QColor>{colours::kRed, colours::kLime, colours::kYellow}));
    EXPECT_EQ(labels(plan.cSerA.points), (std::vector<QString>{"1-Jun-23 ", "4-Jun-23 ", "5-Jun-23 "}));
    EXPECT_FALSE(plan.cSerB.active);
    EXPECT_TRUE(plan.cStatA.active && plan.cStatB.active);
    EXPECT_EQ(plan.left.maximum, 39);  // 29 is above 20
    EXPECT_EQ(plan.left.title, "Diurnal Variation (%)");
    EXPECT_EQ(plan.title, QStringList({"Diurnal Variation Graph for Ann for Period 1 April 2023 to 30 June 2023",
                                       "<10% Good Control - 10% to 20% Acceptable - >20% Poor Asthma Control (this "
                                       "may vary for the individual)"}));
    // With the date axis the days it does not draw keep their slots too.
    EXPECT_EQ(xs(plot("Diurnal Variation", 90, true).cSerA.points), (std::vector<double>{1, 4, 5}));
}

// Days with readings, none of them with a morning and an evening reading apart: nothing to draw,
// the empty chart as without readings.
TEST_F(GraphPlans, DiurnalVariationWithoutAVariationIsTheEmptyChart) {
    d.addReadings(person, QDate(2023, 6, 1), 300, 300);
    d.addReadings(person, QDate(2023, 6, 2), 0, 300);
    const GraphPlan plan = plot("Diurnal Variation");
    EXPECT_EQ(plan.info, "There is no information to plot in the Graph?!");
    EXPECT_FALSE(plan.axesShown);
    EXPECT_FALSE(plan.cSerA.active || plan.cStatA.active || plan.cStatB.active);
    EXPECT_TRUE(plan.title.isEmpty());
}

TEST_F(GraphPlans, DiurnalEdgesAndTheAxisGrowingWithEachHighValue) {
    d.addReadings(person, QDate(2023, 6, 1), 300, 363);  // 19
    d.addReadings(person, QDate(2023, 6, 2), 300, 368);  // 20.36 -> 20: yellow
    d.addReadings(person, QDate(2023, 6, 3), 300, 370);  // 20.9 -> 21: red, axis 31
    d.addReadings(person, QDate(2023, 6, 4), 200, 390);  // 64: axis 74
    d.addReadings(person, QDate(2023, 6, 5), 300, 334);  // 10.7 -> 11: yellow
    const GraphPlan plan = plot("Diurnal Variation");
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{19, 20, 21, 64, 11}));
    EXPECT_EQ(colourList(plan.cSerA.points), (std::vector<QColor>{colours::kYellow, colours::kYellow, colours::kRed,
                                                                  colours::kRed, colours::kYellow}));
    EXPECT_EQ(plan.left.maximum, 74);
}

// Zones are judged on the reading against the limits, exactly as in the text reports; the
// rounded percentage is what is shown. Best 500: 400 is exactly 80 % (yellow), 402 is 80.4 %
// (green, though shown as 80), 250 is exactly 50 % (red), 252 is 50.4 % (yellow, shown as 50).
TEST_F(GraphPlans, ZonesAreJudgedOnTheReadingItself) {
    d.setBest(person, "Ann", 500);
    d.addReadings(person, QDate(2023, 6, 1), 400, 402);
    d.addReadings(person, QDate(2023, 6, 2), 250, 252);
    d.addReadings(person, QDate(2023, 6, 3), 401, 251);
    const GraphPlan best = plot("Percentage Best");
    EXPECT_EQ(ys(best.cSerA.points), (std::vector<double>{80, 80, 50, 50, 80, 50}));
    EXPECT_EQ(colourList(best.cSerA.points), (std::vector<QColor>{colours::kYellow, colours::kLime, colours::kRed,
                                                                  colours::kYellow, colours::kLime, colours::kYellow}));

    const GraphPlan zones = plot("Zone Frequency");
    ASSERT_EQ(zones.cPieA.points.size(), 3u);
    EXPECT_EQ(zones.cPieA.points[0], (GraphPoint{1, 2, "Green Zone (Morn 1 Even 1)", colours::kLime}));
    EXPECT_EQ(zones.cPieA.points[1], (GraphPoint{3, 3, "Yellow Zone (Morn 1 Even 2)", colours::kYellow}));
    EXPECT_EQ(zones.cPieA.points[2], (GraphPoint{5, 1, "Red Zone (Morn 1 Even 0)", colours::kRed}));

    for (int day = 1; day <= 3; ++day) {
        store::DayValues v;
        v.morning = std::vector<int>{400, 250, 401}[size_t(day - 1)];
        v.evening = std::vector<int>{402, 252, 251}[size_t(day - 1)];
        v.rating = 2;
        d.addDay(person, QDate(2023, 6, day), v);
    }
    const GraphPlan perceiver = plot("Poor Perceiver Indicator");
    // Rated average: red 1, yellow 3, green 2.
    EXPECT_EQ(ys(perceiver.cSerA.points), (std::vector<double>{0, 0, 0, 0, 1, 3, 2, 6, 0, 0, 0, 0}));
}

TEST_F(GraphPlans, ZoneFrequencyOfAnEveningOnlyDayCountsOneReading) {
    d.addReadings(person, D, 0, 300);
    const GraphPlan plan = plot("Zone Frequency", 30);
    EXPECT_EQ(ys(plan.cPieA.points), (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(labels(plan.cPieA.points),
              (std::vector<QString>{"Green Zone (Morn 0 Even 0)", "Yellow Zone (Morn 0 Even 1)",
                                    "Red Zone (Morn 0 Even 0)"}));
    EXPECT_EQ(plan.title, QStringList({"Zone Frequency Graph for Ann for Period 31 May 2023 to 30 June 2023",
                                       "Morning Readings Taken is 0  -  Evening Readings Taken is 1"}));
    EXPECT_TRUE(plan.cPieA.active);
    EXPECT_FALSE(plan.cSerA.active || plan.cSerB.active || plan.cStatA.active || plan.cStatB.active);
    EXPECT_FALSE(plan.axesShown);
    EXPECT_EQ(plan.dateAxisEnabled, false);
}

TEST_F(GraphPlans, PoorPerceiverBarsInTheirOrderWithoutUnratedDays) {
    rated(QDate(2023, 6, 1), 150, 300, 1);  // bad: red, yellow
    rated(QDate(2023, 6, 2), 380, 0, 1);    // bad: green
    rated(QDate(2023, 6, 3), 390, 395, 3);  // good: green, green
    rated(QDate(2023, 6, 4), 100, 100, 0);  // not rated: in no bar, but a recorded day
    rated(QDate(2023, 6, 5), 300, 350, 2);  // average: yellow, green
    const GraphPlan plan = plot("Poor Perceiver Indicator");
    EXPECT_EQ(plan.shape, SeriesShape::HorizontalBars);
    EXPECT_EQ(labels(plan.cSerA.points),
              (std::vector<QString>{"in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Bad",
                                    "in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Average",
                                    "in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Good"}));
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{1, 1, 1, 3, 0, 1, 1, 2, 0, 0, 2, 2}));
    const QColor r = colours::kRed, y = colours::kYellow, g = colours::kLime, grey = colours::kGrey;
    EXPECT_EQ(colourList(plan.cSerA.points), (std::vector<QColor>{r, y, g, grey, r, y, g, grey, r, y, g, grey}));
    EXPECT_EQ(xs(plan.cSerA.points), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(plan.bottom.title, "Number of Occurrences (5 Recorded Days)");
    EXPECT_EQ(plan.left.title, "");
    EXPECT_EQ(plan.title,
              QStringList({"Poor Perceiver Indicator Graph for Ann", "for Period 1 April 2023 to 30 June 2023",
                           "nb. Morning and Evening Peak Readings are counted as separate Readings"}));
    EXPECT_FALSE(plan.cSerB.active || plan.cStatA.active || plan.cStatB.active);
    EXPECT_EQ(plan.dateAxisEnabled, false);
    EXPECT_EQ(plan.bottom.minimum, 0);
    EXPECT_GE(plan.bottom.maximum, 4);
}

TEST_F(GraphPlans, SymptomActivity) {
    store::DayValues a;
    a.morning = 300;
    a.sportRestricted = a.breathDay = a.wheezeNight = a.coughDay = true;
    d.addDay(person, QDate(2023, 6, 1), a);
    store::DayValues b;
    b.evening = 300;
    b.sportRestricted = b.offWork = b.chestNight = b.breathNight = b.coughDay = true;
    d.addDay(person, QDate(2023, 6, 2), b);
    store::DayValues noReading;
    noReading.activityRestricted = true;
    d.addDay(person, QDate(2023, 6, 3), noReading);  // not in the table
    const GraphPlan plan = plot("Symptom Activity");
    EXPECT_EQ(plan.shape, SeriesShape::HorizontalBars);
    EXPECT_EQ(labels(plan.cSerA.points),
              (std::vector<QString>{"Activities - Sport", "Activities - Normal", "Off Work/School", "Breathlessness",
                                    "Chest Tightness", "Coughing", "Nighttime - Wheezing", "Breathlessness",
                                    "Chest Tightness", "Coughing", "Daytime - Wheezing"}));
    EXPECT_EQ(ys(plan.cSerA.points), (std::vector<double>{2, 0, 1, 1, 1, 0, 1, 1, 0, 2, 0}));
    const QColor grey = colours::kGrey, navy = colours::kNavy, yellow = colours::kYellow;
    EXPECT_EQ(colourList(plan.cSerA.points),
              (std::vector<QColor>{grey, grey, grey, navy, navy, navy, navy, yellow, yellow, yellow, yellow}));
    EXPECT_EQ(plan.bottom.title, "Number of Occurrences (2 Recorded Days)");
    EXPECT_EQ(plan.title, QStringList({"Symptom Activity Graph for Ann", "for Period 1 April 2023 to 30 June 2023"}));
    EXPECT_EQ(plan.dateAxisEnabled, false);
    EXPECT_GE(plan.bottom.maximum, 3);  // past the longest bar
}

TEST_F(GraphPlans, SymptomActivityWithoutATakenDay) {
    store::DayValues noReading;
    noReading.coughNight = true;
    d.addDay(person, D, noReading);
    const GraphPlan plan = plot("Symptom Activity");
    EXPECT_TRUE(plan.info.isEmpty());
    ASSERT_EQ(plan.cSerA.points.size(), 11u);
    EXPECT_EQ(ys(plan.cSerA.points), std::vector<double>(11, 0));
    EXPECT_EQ(plan.bottom.title, "Number of Occurrences (0 Recorded Days)");
    EXPECT_TRUE(plan.cSerA.active);
    // Only "Symptom Activity" plots symptoms.
    const reports::GraphRequest other{reports::GraphOption::PercentageBest, "Ann", reports::graphPeriod(D, 90), false};
    const GraphPlan nothing =
        reports::PlotSymptoms(reports::LoadSymptomTable(d.diary.reports, person, other.period), other);
    EXPECT_FALSE(nothing.cSerA.active);
    EXPECT_TRUE(nothing.cSerA.points.empty());
}

TEST_F(GraphPlans, RelieverUseAgainstPercentageBest) {
    store::DayValues v;
    v.morning = 200;  // 50
    v.evening = 300;  // 75
    v.relievers = 4;
    d.addDay(person, QDate(2023, 6, 1), v);
    d.addReadings(person, QDate(2023, 6, 2), 0, 360);  // 90, no reliever
    const GraphPlan plan = plot("Reliever Use vs Percentage Best");
    EXPECT_EQ(plan.cSerB.points,
              (std::vector<GraphPoint>{
                  {4, 50, {}, colours::kYellow}, {4, 75, {}, colours::kNavy}, {0, 90, {}, colours::kNavy}}));
    EXPECT_EQ(plan.pointerSize, 3);
    EXPECT_TRUE(plan.cSerB.active);
    EXPECT_FALSE(plan.cSerA.active || plan.cStatA.active || plan.cStatB.active || plan.cPieA.active);
    EXPECT_EQ(plan.left.title, "Peak Flow Percentage Best");
    EXPECT_EQ(plan.left.maximum, 100);
    EXPECT_EQ(plan.bottom.title, "Number of Times Reliever Used");
    EXPECT_LT(plan.bottom.minimum, 0);
    EXPECT_GT(plan.bottom.maximum, 4);
    EXPECT_EQ(plan.title[0], "Reliever Use vs Percentage Best Graph for Ann");
    EXPECT_EQ(plan.dateAxisEnabled, false);
}

// ---- the curve and the trend -------------------------------------------------------------------

// The least-squares fit is the one whose residuals are orthogonal to every power it uses:
// sum of (y - fit) x^k is 0 for k = 0 .. degree. That is checked here straight from the points.
void expectLeastSquares(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& fit,
                        int degree) {
    ASSERT_EQ(fit.size(), x.size());
    double scale = 0;
    for (double v : x) scale = std::max(scale, std::fabs(v));
    for (int k = 0; k <= degree; ++k) {
        double sum = 0, size = 0;
        for (size_t i = 0; i < x.size(); ++i) {
            sum += (y[i] - fit[i]) * std::pow(x[i] / scale, k);
            size += std::fabs(y[i]) * std::pow(std::fabs(x[i]) / scale, k);
        }
        EXPECT_NEAR(sum / size, 0, 1e-9) << "power " << k;
    }
}

TEST(CurveFit, ACubicIsItsOwnCurve) {
    std::vector<double> x, y;
    for (int i = 1; i <= 12; i += (i % 3) + 1) {
        x.push_back(i);
        y.push_back(2 - 0.5 * i + 0.25 * i * i - 0.02 * i * i * i);
    }
    const std::vector<double> fit = reports::FitCurve(x, y);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(fit[i], y[i], 1e-9);
}

TEST(CurveFit, TheCurveOfScatteredValuesIsTheirLeastSquaresCubic) {
    std::vector<double> x, y;
    for (int i = 1; i <= 730; ++i) {
        x.push_back(i);
        y.push_back(60 + 25 * std::sin(i * 0.37) + (i % 7) * 3.0);
    }
    expectLeastSquares(x, y, reports::FitCurve(x, y), 3);
}

TEST(CurveFit, TheTrendIsTheLeastSquaresLine) {
    const std::vector<double> x = {1, 2, 3, 5, 6, 9};
    const std::vector<double> y = {75, 80, 62, 90, 85, 70};
    // slope = sum (x - mx)(y - my) / sum (x - mx)^2, through the means.
    double mx = 0, my = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        mx += x[i] / x.size();
        my += y[i] / y.size();
    }
    double sxy = 0, sxx = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
    }
    const double slope = sxy / sxx;
    const std::vector<double> trend = reports::FitTrend(x, y);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(trend[i], my + slope * (x[i] - mx), 1e-9);
}

TEST(CurveFit, FewPointsFitWhatTheyDetermine) {
    EXPECT_TRUE(reports::FitCurve({}, {}).empty());
    EXPECT_EQ(reports::FitCurve({3}, {70}), std::vector<double>{70});
    const std::vector<double> two = reports::FitCurve({1, 4}, {10, 40});
    EXPECT_NEAR(two[0], 10, 1e-9);
    EXPECT_NEAR(two[1], 40, 1e-9);
    // One x twice: the mean of its values.
    const std::vector<double> same = reports::FitTrend({2, 2}, {10, 20});
    EXPECT_NEAR(same[0], 15, 1e-9);
}

TEST_F(GraphPlans, TheCurveAndTrendFollowTheBars) {
    const int readings[][2] = {{300, 320}, {280, 0}, {310, 330}, {250, 260}, {0, 340}, {330, 350}};
    for (int i = 0; i < 6; ++i) d.addReadings(person, QDate(2023, 6, 1 + 2 * i), readings[i][0], readings[i][1]);
    const GraphPlan plan = plot("Percentage Best", 90, true);
    const std::vector<double> x = xs(plan.cSerA.points), y = ys(plan.cSerA.points);
    EXPECT_EQ(xs(plan.cStatA.points), x);
    EXPECT_EQ(xs(plan.cStatB.points), x);
    expectLeastSquares(x, y, ys(plan.cStatA.points), 3);
    expectLeastSquares(x, y, ys(plan.cStatB.points), 1);
    EXPECT_EQ(colourList(plan.cStatA.points), std::vector<QColor>(x.size(), colours::kRed));
    EXPECT_EQ(colourList(plan.cStatB.points), std::vector<QColor>(x.size(), colours::kMaroon));
}

}  // namespace
}  // namespace pulmora::test
