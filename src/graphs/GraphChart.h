#pragma once

#include "graphs/GraphPlan.h"

#include <QChart>
#include <QGraphicsScene>
#include <QImage>

class QAbstractSeries;
class QCategoryAxis;
class QHorizontalStackedBarSeries;
class QLineSeries;
class QPieSeries;
class QScatterSeries;
class QStackedBarSeries;

namespace pulmora::reports {

// Whether a chart is drawn on its white-to-silver gradient (on screen and in saved pictures) or
// on plain white (on paper, where a tinted page wastes ink and blurs the bars).
enum class ChartBackground { Gradient, Plain };

// The chart of the graph page, "Pulmora Graph", with the five series the analyses fill. The
// first series shows its points as vertical bars, horizontal bars or a line; every bar keeps the
// colour of its point. The labels of the first series stand on the axis along its points: under
// them (dates) thinned until no two overlap, one a place; beside them (the counting graphs' bars)
// every one, set smaller where the bars stand close. The title's lines wrap at the chart's width
// rather than lose words.
class GraphChart : public QChart {
    Q_OBJECT
public:
    GraphChart();

    // Clears and deactivates every series, then shows what the plan holds.
    void Plot(const GraphPlan& plan);
    // The plan on show: what a printed or saved copy of the chart is drawn from.
    const GraphPlan& plan() const { return plan_; }
    // Empties every series and deactivates it: the chart on a closing card.
    void clearSeries();

    // The first series in its current shape: a QStackedBarSeries, a QHorizontalStackedBarSeries
    // or a QLineSeries. A series is active when it is on the chart.
    QAbstractSeries* cSerA() const;
    QScatterSeries* cSerB() const { return cSerB_; }
    QLineSeries* cStatA() const { return cStatA_; }
    QLineSeries* cStatB() const { return cStatB_; }
    QPieSeries* cPieA() const { return cPieA_; }
    bool isActive(const QAbstractSeries* series) const;
    // The axis the first series' labels stand on; none when no labels are shown.
    QCategoryAxis* labelAxis() const { return labelAxis_; }

    // The chart as it stands, drawn into the target rectangle of a painter: an image, a
    // recorded page or a printer. The chart must be on a scene (a view's, or one of its own).
    void draw(QPainter& painter, const QRectF& target, ChartBackground background);
    // The chart at its size as a picture.
    QImage picture(qreal pixelRatio = 1.0, ChartBackground background = ChartBackground::Gradient);

protected:
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;

private:
    struct Label {
        double position;
        QString text;
    };

    void removeEverything();
    void fillFirstSeries(const GraphPlan& plan);
    void fillPoints(const GraphPlan& plan);
    void fillPie(const GraphSeries& slices);
    void addAxes(const GraphPlan& plan);
    void relabel();
    void retitle();

    QStackedBarSeries* verticalBars_;
    QHorizontalStackedBarSeries* horizontalBars_;
    QLineSeries* lineA_;
    QScatterSeries* cSerB_;
    QLineSeries* cStatA_;
    QLineSeries* cStatB_;
    QPieSeries* cPieA_;
    SeriesShape shape_ = SeriesShape::VerticalBars;
    QCategoryAxis* labelAxis_ = nullptr;
    std::vector<Label> labels_;       // every label of the first series, by position
    std::vector<Label> shownLabels_;  // those on the axis now
    bool relabelling_ = false;
    GraphPlan plan_;
};

// A plan drawn on a chart of its own at the size given, on a scene of its own, without any
// window: for files and tools.
class SceneChart {
public:
    SceneChart(const GraphPlan& plan, const QSize& size);
    GraphChart& chart() { return *chart_; }

private:
    QGraphicsScene scene_;
    GraphChart* chart_;  // the scene's own
};

// The picture of such a chart.
QImage renderGraph(const GraphPlan& plan, const QSize& size, qreal pixelRatio = 1.0,
                   ChartBackground background = ChartBackground::Gradient);

}  // namespace pulmora::reports
