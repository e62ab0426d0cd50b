#include "graphs/GraphChart.h"
#include "graphs/GraphOutput.h"
#include "sample/SampleDiary.h"
#include "stats/ReportDiary.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTextDocumentFragment>
#include <QValueAxis>

namespace pulmora::test {
namespace {

using reports::GraphChart;
using reports::GraphPlan;
namespace colours = palette;

const QDate D{2023, 6, 30};

// A chart text as the reader sees it: rich text made plain, kept blanks as blanks, lines by "\n".
QString plain(const QString& rich) {
    QString text = QTextDocumentFragment::fromHtml(rich).toPlainText();
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// One bar as the chart holds it: the bar series keeps one set a colour.
struct Bar {
    double value = 0;
    QColor colour;  // of the set holding the value; invalid for a bar of 0
};
std::vector<Bar> bars(const QAbstractBarSeries* series) {
    std::vector<Bar> out;
    for (QBarSet* set : series->barSets()) {
        if (out.empty()) out.resize(size_t(set->count()));
        for (int i = 0; i < set->count(); ++i)
            if (set->at(i) != 0) out[size_t(i)] = {set->at(i), set->color()};
    }
    return out;
}

QColor pointColour(const QXYSeries* series, int index) {
    const auto configuration = series->pointConfiguration(index);
    const auto colour = configuration.find(QXYSeries::PointConfiguration::Color);
    return colour != configuration.end() ? colour->value<QColor>() : series->color();
}

class GraphCharts : public ::testing::Test {
protected:
    GraphCharts() {
        chart = new GraphChart;
        scene.addItem(chart);
        chart->setGeometry(0, 0, 800, 500);
    }
    GraphPlan plan(const QString& option, int days = 90, bool dateAxis = false, const QString& name = "Ann") {
        const reports::GraphRequest request{*reports::graphOptionNamed(option), name, reports::graphPeriod(D, days),
                                            dateAxis};
        return reports::runGraph(d.diary.reports, person, request).plan;
    }
    void plot(const QString& option, int days = 90, bool dateAxis = false) {
        chart->Plot(plan(option, days, dateAxis));
        chart->layout()->activate();
    }
    QStringList axisLabels() const {
        QStringList out;
        for (const QString& label : chart->labelAxis()->categoriesLabels()) out << plain(label);
        return out;
    }
    QValueAxis* valueAxis(Qt::Orientation orientation) const {
        for (QAbstractAxis* axis : chart->axes(orientation))
            if (auto* value = qobject_cast<QValueAxis*>(axis); value && !qobject_cast<QCategoryAxis*>(axis))
                return value;
        return nullptr;
    }

    ReportDiary d;
    store::PersonId person = d.addPerson("Ann", 400, 80, 50);
    QGraphicsScene scene;
    GraphChart* chart;  // the scene's own
};

TEST_F(GraphCharts, TheDesignLook) {
    EXPECT_EQ(chart->title(), "Pulmora Graph");
    EXPECT_EQ(chart->titleFont().family(), "Arial");
    EXPECT_EQ(chart->titleFont().pixelSize(), 13);
    EXPECT_EQ(chart->titleBrush().color(), colours::kNavy);
    const QGradient* gradient = chart->backgroundBrush().gradient();
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->stops().front().second, QColor(Qt::white));
    EXPECT_EQ(gradient->stops().back().second, QColor(192, 192, 192));
    EXPECT_EQ(chart->cStatA()->name(), "Curve");
    EXPECT_EQ(chart->cStatA()->pen().color(), colours::kRed);
    EXPECT_EQ(chart->cStatA()->pen().width(), 2);
    EXPECT_EQ(chart->cStatB()->name(), "Trend");
    EXPECT_EQ(chart->cStatB()->pen().color(), colours::kMaroon);
    EXPECT_EQ(chart->cStatB()->pen().width(), 2);
    EXPECT_EQ(chart->cSerB()->markerShape(), QScatterSeries::MarkerShapeRectangle);
    EXPECT_TRUE(chart->series().isEmpty());
}

TEST_F(GraphCharts, PercentageBestOfAnEveningOnlyDay) {
    d.addReadings(person, D, 0, 300);
    plot("Percentage Best");
    auto* bars = qobject_cast<QStackedBarSeries*>(chart->cSerA());
    ASSERT_NE(bars, nullptr);
    EXPECT_TRUE(chart->isActive(bars));
    const std::vector<Bar> shown = test::bars(bars);
    ASSERT_EQ(shown.size(), 2u);  // slot 0 stays empty, the day stands at 1
    EXPECT_EQ(shown[0].value, 0);
    EXPECT_EQ(shown[1].value, 75);
    EXPECT_EQ(shown[1].colour, colours::kYellow);
    ASSERT_EQ(chart->cSerB()->count(), 1);
    EXPECT_EQ(chart->cSerB()->at(0), QPointF(1, 75));
    EXPECT_EQ(pointColour(chart->cSerB(), 0), colours::kNavy);
    EXPECT_TRUE(chart->isActive(chart->cSerB()));
    EXPECT_TRUE(chart->isActive(chart->cStatA()));
    EXPECT_TRUE(chart->isActive(chart->cStatB()));
    EXPECT_FALSE(chart->isActive(chart->cPieA()));
    EXPECT_EQ(axisLabels(), QStringList{"30-Jun-23 "});
    EXPECT_EQ(plain(chart->title()), "Percentage Best Graph for Ann\nfor Period 1 April 2023 to 30 June 2023");
    ASSERT_NE(valueAxis(Qt::Vertical), nullptr);
    EXPECT_EQ(valueAxis(Qt::Vertical)->min(), 0);
    EXPECT_GT(valueAxis(Qt::Vertical)->max(), 100);  // room above 100 % for a whole point there
    EXPECT_LT(valueAxis(Qt::Vertical)->max(), 105);
    EXPECT_EQ(plain(valueAxis(Qt::Vertical)->titleText()), "Peak Flow Percentage Best");
    EXPECT_EQ(plain(chart->labelAxis()->titleText()), "By Date - Excluding Missed Days");
    EXPECT_EQ(chart->labelAxis()->min(), 0);
    EXPECT_EQ(chart->labelAxis()->max(), 2);
}

TEST_F(GraphCharts, EveryBarInItsOwnColourAndTheCurveAndTrendOverThem) {
    d.addReadings(person, QDate(2023, 6, 1), 380, 200);
    d.addReadings(person, QDate(2023, 6, 3), 300, 0);
    plot("Percentage Best", 90, true);
    const std::vector<Bar> shown = bars(qobject_cast<QAbstractBarSeries*>(chart->cSerA()));
    ASSERT_EQ(shown.size(), 5u);  // slots 0 .. 4: the 2nd keeps slot 3 empty
    const std::pair<double, QColor> expected[] = {
        {0, {}}, {95, colours::kLime}, {50, colours::kRed}, {0, {}}, {75, colours::kYellow}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shown[i].value, expected[i].first) << i;
        EXPECT_EQ(shown[i].colour, expected[i].second) << i;
    }
    const QList<QAbstractSeries*> order = chart->series();
    ASSERT_EQ(order.size(), 4);
    EXPECT_EQ(order[0], chart->cSerA());
    EXPECT_EQ(order[1], chart->cSerB());
    EXPECT_EQ(order[2], chart->cStatA());
    EXPECT_EQ(order[3], chart->cStatB());
    const GraphPlan p = plan("Percentage Best", 90, true);
    ASSERT_EQ(chart->cStatA()->count(), int(p.cStatA.points.size()));
    for (int i = 0; i < chart->cStatA()->count(); ++i) {
        EXPECT_EQ(chart->cStatA()->at(i), QPointF(p.cStatA.points[size_t(i)].x, p.cStatA.points[size_t(i)].y));
        EXPECT_EQ(chart->cStatB()->at(i), QPointF(p.cStatB.points[size_t(i)].x, p.cStatB.points[size_t(i)].y));
    }
    // Two readings of a day share one label.
    EXPECT_EQ(axisLabels(), QStringList({"1-Jun-23 ", "3-Jun-23 "}));
    EXPECT_EQ(plain(chart->labelAxis()->titleText()), "By Date - Including Missed Days");
}

TEST_F(GraphCharts, PeakFlowTrendIsALine) {
    d.addReadings(person, QDate(2023, 6, 1), 300, 320);
    d.addReadings(person, QDate(2023, 6, 2), 0, 340);
    plot("Peak Flow Trend");
    auto* line = qobject_cast<QLineSeries*>(chart->cSerA());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(chart->isActive(line));
    EXPECT_EQ(chart->series().front(), line);
    ASSERT_EQ(line->count(), 3);
    EXPECT_EQ(line->points(), QList<QPointF>({{1, 300}, {2, 320}, {3, 340}}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pointColour(line, i), colours::kNavy);
    EXPECT_EQ(pointColour(chart->cSerB(), 0), colours::kYellow);
    EXPECT_EQ(pointColour(chart->cSerB(), 1), colours::kNavy);
    // A little above the best, so that a reading at the best shows its whole point.
    EXPECT_GT(valueAxis(Qt::Vertical)->max(), 400);
    EXPECT_LT(valueAxis(Qt::Vertical)->max(), 420);
}

TEST_F(GraphCharts, DiurnalVariationDrawsNoPoints) {
    d.addReadings(person, QDate(2023, 6, 1), 400, 300);
    d.addReadings(person, QDate(2023, 6, 2), 300, 300);
    plot("Diurnal Variation");
    const std::vector<Bar> shown = bars(qobject_cast<QStackedBarSeries*>(chart->cSerA()));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].value, 29);
    EXPECT_EQ(shown[1].colour, colours::kRed);
    EXPECT_FALSE(chart->isActive(chart->cSerB()));
    EXPECT_TRUE(chart->isActive(chart->cStatA()));
    EXPECT_EQ(plain(chart->title()).count('\n'), 1);
}

TEST_F(GraphCharts, ZoneFrequencySlices) {
    d.addReadings(person, QDate(2023, 6, 1), 390, 300);  // green, yellow
    d.addReadings(person, QDate(2023, 6, 2), 395, 0);    // green
    plot("Zone Frequency");
    EXPECT_TRUE(chart->isActive(chart->cPieA()));
    EXPECT_EQ(chart->series().size(), 1);
    EXPECT_TRUE(chart->axes().isEmpty());
    const QList<QPieSlice*> slices = chart->cPieA()->slices();
    ASSERT_EQ(slices.size(), 3);
    const std::tuple<double, QColor, QString, bool> expected[] = {
        {2, colours::kLime, "67 %", true}, {1, colours::kYellow, "33 %", false}, {0, colours::kRed, "0 %", false}};
    for (int i = 0; i < 3; ++i) {
        const auto& [value, colour, mark, exploded] = expected[i];
        EXPECT_EQ(slices[i]->value(), value) << i;
        EXPECT_EQ(slices[i]->color(), colour) << i;
        EXPECT_EQ(plain(slices[i]->label()).trimmed(), mark) << i;
        EXPECT_EQ(slices[i]->isExploded(), exploded) << i;
        EXPECT_EQ(slices[i]->isLabelVisible(), value > 0) << i;
    }
    const QList<QLegendMarker*> markers = chart->legend()->markers(chart->cPieA());
    ASSERT_EQ(markers.size(), 3);
    EXPECT_EQ(plain(markers[0]->label()), "Green Zone (Morn 2 Even 0)\n2   67 %");
    EXPECT_EQ(plain(markers[1]->label()), "Yellow Zone (Morn 0 Even 1)\n1   33 %");
    EXPECT_TRUE(chart->legend()->isVisible());
    EXPECT_EQ(plain(chart->title()),
              "Zone Frequency Graph for Ann for Period 1 April 2023 to 30 June 2023\n"
              "Morning Readings Taken is 2  -  Evening Readings Taken is 1");
}

TEST_F(GraphCharts, PoorPerceiverBarsRunSideways) {
    store::DayValues v;
    v.morning = 150;
    v.evening = 390;
    v.rating = 1;
    d.addDay(person, D, v);
    plot("Poor Perceiver Indicator");
    auto* sideways = qobject_cast<QHorizontalStackedBarSeries*>(chart->cSerA());
    ASSERT_NE(sideways, nullptr);
    EXPECT_TRUE(chart->isActive(sideways));
    const std::vector<Bar> shown = bars(sideways);
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_EQ(shown[0].value, 1);  // in the red zone, rated bad
    EXPECT_EQ(shown[0].colour, colours::kRed);
    EXPECT_EQ(shown[2].value, 1);
    EXPECT_EQ(shown[2].colour, colours::kLime);
    EXPECT_EQ(shown[3].value, 2);
    EXPECT_EQ(shown[3].colour, colours::kGrey);
    for (size_t i = 4; i < 12; ++i) EXPECT_EQ(shown[i].value, 0) << i;
    EXPECT_EQ(chart->labelAxis()->orientation(), Qt::Vertical);
    EXPECT_EQ(axisLabels(), QStringList({"in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Bad",
                                         "in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Average",
                                         "in Red Zone", "in Yellow Zone", "in Green Zone", "Rated Asthma as Good"}));
    ASSERT_NE(valueAxis(Qt::Horizontal), nullptr);
    EXPECT_EQ(plain(valueAxis(Qt::Horizontal)->titleText()), "Number of Occurrences (1 Recorded Days)");
    EXPECT_EQ(plain(chart->title()).count('\n'), 2);
}

TEST_F(GraphCharts, SymptomActivityWithoutATakenDay) {
    plot("Symptom Activity");
    const std::vector<Bar> shown = bars(qobject_cast<QHorizontalStackedBarSeries*>(chart->cSerA()));
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](const Bar& b) { return b.value == 0; }));
    EXPECT_EQ(axisLabels().size(), 11);
    EXPECT_EQ(plain(valueAxis(Qt::Horizontal)->titleText()), "Number of Occurrences (0 Recorded Days)");
}

TEST_F(GraphCharts, NothingToPlotLeavesTheChartEmpty) {
    d.addReadings(person, QDate(2023, 5, 1), 300, 320);
    plot("Percentage Best");
    ASSERT_FALSE(chart->series().isEmpty());
    plot("Percentage Best", 30);  // 31 May .. 30 June holds no reading
    EXPECT_TRUE(chart->series().isEmpty());
    EXPECT_TRUE(chart->axes().isEmpty());
    EXPECT_EQ(chart->title(), "Pulmora Graph");
    EXPECT_EQ(chart->labelAxis(), nullptr);
}

TEST_F(GraphCharts, ClearingEmptiesEverySeries) {
    d.addReadings(person, QDate(2023, 6, 1), 300, 320);
    plot("Percentage Best");
    chart->clearSeries();
    EXPECT_TRUE(chart->series().isEmpty());
    EXPECT_EQ(chart->cSerB()->count(), 0);
    EXPECT_EQ(chart->cStatA()->count(), 0);
    EXPECT_TRUE(qobject_cast<QAbstractBarSeries*>(chart->cSerA())->barSets().isEmpty());
    EXPECT_EQ(chart->cPieA()->count(), 0);
    EXPECT_EQ(chart->title(), "Pulmora Graph");
}

TEST_F(GraphCharts, ANameIsShownAsWritten) {
    d.addReadings(person, D, 300, 320);
    chart->Plot(plan("Percentage Best", 90, false, "Jo <b> & Al"));
    EXPECT_EQ(plain(chart->title()).section('\n', 0, 0), "Percentage Best Graph for Jo <b> & Al");
}

// The label texts as drawn: where the second of the two lines holds a label, its text item
// starts with an empty line.
std::vector<QRectF> drawnLabels(const QGraphicsScene& scene, const QRegularExpression& shape) {
    std::vector<QRectF> out;
    for (const QGraphicsItem* item : scene.items()) {
        const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
        if (!text || !text->isVisible()) continue;
        QString drawn = text->toPlainText();
        if (!shape.match(drawn.trimmed()).hasMatch()) continue;
        QRectF rect = text->sceneBoundingRect();
        if (drawn.startsWith(QChar::LineSeparator) || drawn.startsWith('\n')) rect.setTop(rect.center().y());
        out.push_back(rect);
    }
    return out;
}

TEST_F(GraphCharts, LabelsAreThinnedSoThatNoneOverlapsOrIsCut) {
    d.diary.files.setWaitForDisk(false);  // a year of days; what reaches the disk is not the question here
    d.diary.files.OpenDB();
    for (int i = 0; i < 365; ++i) d.addReadings(person, D.addDays(-i), 300 + i % 50, 320);
    const QRegularExpression date(QStringLiteral("^\\d{1,2}-[A-Z][a-z]{2}-\\d{2}$"));
    for (const QSizeF size : {QSizeF(800, 500), QSizeF(560, 330), QSizeF(1400, 700)}) {
        chart->setGeometry(QRectF(QPointF(0, 0), size));
        plot("Percentage Best", 365);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the axes of the plot before
        const std::vector<QRectF> labels = drawnLabels(scene, date);
        ASSERT_GE(labels.size(), 5u) << size.width();
        EXPECT_LT(labels.size(), 365u) << size.width();
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(labels[i])) << size.width() << " " << i;
            for (size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].adjusted(1, 1, -1, -1).intersects(labels[j].adjusted(1, 1, -1, -1)))
                    << size.width() << ": " << i << " and " << j << " " << labels[i].x() << "," << labels[i].y() << " "
                    << labels[i].width() << "x" << labels[i].height() << " / " << labels[j].x() << "," << labels[j].y()
                    << " " << labels[j].width() << "x" << labels[j].height();
        }
    }
}

TEST_F(GraphCharts, ThePictureWithAndWithoutItsGradient) {
    d.addReadings(person, D, 300, 320);
    chart->Plot(plan("Percentage Best"));
    const QImage shown = chart->picture(1.0, reports::ChartBackground::Gradient);
    const QImage paper = chart->picture(1.0, reports::ChartBackground::Plain);
    ASSERT_EQ(shown.size(), QSize(800, 500));
    const QPoint topRight(795, 4), bottomLeft(4, 495);
    EXPECT_LT(QColor(shown.pixel(topRight)).red(), 205);    // towards silver
    EXPECT_GT(QColor(shown.pixel(bottomLeft)).red(), 245);  // white
    EXPECT_EQ(QColor(paper.pixel(topRight)), QColor(Qt::white));
    EXPECT_EQ(chart->backgroundBrush().gradient() != nullptr, true);  // the gradient is back afterwards
    const QImage twice = chart->picture(2.0);
    EXPECT_EQ(twice.size(), QSize(1600, 1000));
    EXPECT_EQ(reports::renderGraph(plan("Percentage Best"), QSize(800, 500)).size(), QSize(800, 500));
}

// The texts the scene draws that match the shape, as drawn (cut short or not).
QStringList drawnTexts(const QGraphicsScene& scene, const QRegularExpression& shape) {
    QStringList out;
    for (const QGraphicsItem* item : scene.items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text && text->isVisible())
            if (shape.match(text->toPlainText()).hasMatch()) out << text->toPlainText();
    return out;
}

// At about the size the chart has in the report card's smallest window every bar keeps its label,
// the legend its figures, and the title its words.
TEST_F(GraphCharts, AtTheCardsSmallestEveryTextStaysWhole) {
    for (int i = 0; i < 60; ++i)
        d.addDay(person, D.addDays(-i), [i] {
            store::DayValues v;
            v.morning = 300 + i;
            v.evening = 390;
            v.rating = 1 + i % 3;
            return v;
        }());
    chart->setGeometry(0, 0, 552, 300);
    plot("Poor Perceiver Indicator");
    EXPECT_EQ(axisLabels().size(), 12);
    plot("Zone Frequency");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList legend = drawnTexts(scene, QRegularExpression("Zone \\(Morn"));
    ASSERT_EQ(legend.size(), 3);
    for (const QString& text : legend)
        EXPECT_TRUE(text.contains(QRegularExpression("\\d+ +\\d+ %$"))) << text.toStdString();
    plot("Diurnal Variation");
    const QStringList title = drawnTexts(scene, QRegularExpression("Diurnal Variation Graph for"));
    ASSERT_EQ(title.size(), 1);
    QString words = title[0];
    words.replace(QChar::LineSeparator, QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(words.contains("Poor Asthma Control (this may vary for the individual)")) << title[0].toStdString();
}

// Printed, a chart is laid out afresh at the page's proportions; saved, at the picture size the
// save window writes; either way on white, whatever the size of the chart on show.
TEST_F(GraphCharts, PrintedAndSavedChartsAreLaidOutForTheirTarget) {
    d.addReadings(person, D, 300, 320);
    chart->setGeometry(0, 0, 300, 200);
    chart->Plot(plan("Percentage Best"));
    const output::PrintJob job = reports::PrintChart(chart->plan(), QSizeF(11, 7.5));
    EXPECT_EQ(job.orientation, QPageLayout::Landscape);
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(job.pages[0].page.size(), reports::chartSizeForPage({11, 7.5}));
    EXPECT_NEAR(double(job.pages[0].page.size().width()) / job.pages[0].page.size().height(), 11 / 7.5, 0.01);
    const QImage saved = reports::savedGraphPicture(chart->plan());
    EXPECT_EQ(saved.size(), reports::kSavedGraphSize);
    EXPECT_EQ(saved,
              reports::renderGraph(chart->plan(), reports::kSavedGraphSize, 1.0, reports::ChartBackground::Plain));
    EXPECT_EQ(saved.pixelColor(saved.width() - 3, 2), QColor(Qt::white));
}

// What the chart holds in all its series on show: points, bars of a value and slices.
int valuesOnShow(const GraphChart& chart) {
    int values = 0;
    for (QAbstractSeries* series : chart.series()) {
        if (auto* xy = qobject_cast<QXYSeries*>(series)) values += xy->count();
        if (auto* barSeries = qobject_cast<QAbstractBarSeries*>(series))
            for (const Bar& bar : bars(barSeries)) values += bar.value != 0;
        if (auto* pie = qobject_cast<QPieSeries*>(series)) values += int(pie->count());
    }
    return values;
}

double lastSlot(const GraphPlan& plan) { return plan.cSerA.points.empty() ? 0 : plan.cSerA.points.back().x; }

// A diary as pulmora-sample writes it, with gaps of unrecorded days: every analysis draws for
// every period, with and without the date axis, and the date axis only ever adds slots.
TEST_F(GraphCharts, EveryAnalysisDrawsForEveryPeriodOfASampleDiary) {
    const store::PersonId ann = person;
    d.diary.files.setWaitForDisk(false);  // a year of days, written without waiting on the disk for each
    d.diary.files.OpenDB();
    ASSERT_EQ(tools::SampleDiary(d.diary, {1, 1, 7, D}).write(), "");
    d.diary.files.OpenDB();
    for (auto p = d.diary.persons.GetPerDly(store::Persons::Step::First); p && person == ann;
         p = d.diary.persons.GetPerDly(store::Persons::Step::Next, p->id))
        person = p->id;
    ASSERT_NE(person, ann);
    const QStringList dayByDay = {"Percentage Best", "Peak Flow Trend", "Diurnal Variation"};
    for (const QString& option : reports::graphOptionTexts())
        for (const QString& period : reports::graphPeriodTexts()) {
            const int days = reports::spanDays(*reports::graphSpanNamed(period));
            const std::string what = (option + " / " + period).toStdString();
            const GraphPlan without = plan(option, days, false);
            const GraphPlan with = plan(option, days, true);
            for (const GraphPlan* p : {&without, &with}) {
                EXPECT_EQ(p->info, "") << what;
                chart->Plot(*p);
                chart->layout()->activate();
                EXPECT_GT(valuesOnShow(*chart), 0) << what;
            }
            if (!dayByDay.contains(option)) {
                EXPECT_EQ(with.cSerA.points, without.cSerA.points) << what;
                continue;
            }
            EXPECT_EQ(with.cSerA.points.size(), without.cSerA.points.size()) << what;
            EXPECT_GE(lastSlot(with), lastSlot(without)) << what;
            if (days == 365) {
                EXPECT_GT(lastSlot(with), lastSlot(without)) << what;
            }
        }
}

}  // namespace
}  // namespace pulmora::test
