#include "GraphChart.h"

#include "stats/Figures.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHorizontalStackedBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <cmath>
#include <limits>
#include <set>

namespace pulmora::reports {
namespace {

namespace colours = palette;

// The title of a chart whose plan gives none (an empty chart).
const QString kChartOwnTitle = QStringLiteral("Pulmora Graph");
constexpr double kBarWidth = 0.8;  // of a slot: the bars fill their slots with a small gap
constexpr int kLabelGap = 6;       // pixels between two labels under the points
constexpr int kSideLabelGap = 1;   // pixels between two labels beside the bars
constexpr int kLabelPixels = 11, kSmallestLabelPixels = 7;
constexpr double kHeadroom = 0.03;  // of the left axis's span above its top, so a point there is whole
constexpr double kExplode = 0.10;   // the biggest slice stands out by a tenth of the radius

QFont arial(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The chart draws its texts as rich text: a name with "<" or "&" is escaped, and every blank
// kept, so two blanks in a row stay two.
QString rich(const QString& text) { return text.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")); }

QString richLines(const QStringList& lines) {
    QStringList escaped;
    for (const QString& line : lines) escaped << rich(line);
    return QStringLiteral("<p align=\"center\">") + escaped.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
}

QValueAxis* valueAxis(const GraphAxis& from) {
    auto* axis = new QValueAxis;
    axis->setTitleText(rich(from.title));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);  // every axis of the graphs counts from 0
    axis->setTickInterval(axisStep(from.maximum - from.minimum));
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setMinorTickCount(0);
    return axis;
}

// One bar set a colour, in the order the colours first appear; each point's value in the slot
// at its x in the set of its colour, 0 in the others. So every bar is drawn in its own colour.
template <class Series>
void fillBars(Series* series, const std::vector<GraphPoint>& points, int slotTotal) {
    std::vector<std::pair<QColor, QList<qreal>>> sets;
    for (const GraphPoint& p : points) {
        auto set = std::find_if(sets.begin(), sets.end(), [&](const auto& s) { return s.first == p.colour; });
        if (set == sets.end()) set = sets.insert(sets.end(), {p.colour, QList<qreal>(slotTotal, 0.0)});
        set->second[qsizetype(p.x)] = p.y;
    }
    for (auto& [colour, values] : sets) {
        auto* set = new QBarSet(colour.name());
        set->setColor(colour);
        set->setPen(QPen(colour, 0));  // a hairline, so a bar narrower than a pixel still shows
        set->append(values);
        series->append(set);
    }
}

int slotCount(const std::vector<GraphPoint>& points) {
    int total = 0;
    for (const GraphPoint& p : points) total = std::max(total, int(p.x) + 1);
    return total;
}

QString percentMark(int count, int total) {
    return QString::number(stats::RoundedPercent(count, total)) + QStringLiteral(" %");
}

}  // namespace

GraphChart::GraphChart()
    : verticalBars_(new QStackedBarSeries(this)), horizontalBars_(new QHorizontalStackedBarSeries(this)),
      lineA_(new QLineSeries(this)), cSerB_(new QScatterSeries(this)), cStatA_(new QLineSeries(this)),
      cStatB_(new QLineSeries(this)), cPieA_(new QPieSeries(this)) {
    setTitle(kChartOwnTitle);
    setTitleFont(arial(13));
    setTitleBrush(colours::kNavy);
    // White in the bottom left corner, silver in the top right.
    QLinearGradient background(0, 1, 1, 0);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, colours::kSilver);
    setBackgroundBrush(background);
    setBackgroundRoundness(0);
    layout()->setContentsMargins(0, 0, 0, 0);  // the background reaches the chart's edges
    legend()->setFont(arial(11));
    legend()->setAlignment(Qt::AlignRight);

    for (QAbstractBarSeries* bars :
         {static_cast<QAbstractBarSeries*>(verticalBars_), static_cast<QAbstractBarSeries*>(horizontalBars_)})
        bars->setBarWidth(kBarWidth);
    lineA_->setColor(colours::kMaroon);
    cSerB_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    cSerB_->setColor(colours::kNavy);
    cSerB_->setBorderColor(colours::kGrey);
    cStatA_->setName(QStringLiteral("Curve"));
    cStatA_->setPen(QPen(colours::kRed, 2));
    cStatB_->setName(QStringLiteral("Trend"));
    cStatB_->setPen(QPen(colours::kMaroon, 2));
    cPieA_->setPieSize(0.6);
    connect(this, &QChart::plotAreaChanged, this, &GraphChart::relabel);
}

QAbstractSeries* GraphChart::cSerA() const {
    switch (shape_) {
    case SeriesShape::VerticalBars: return verticalBars_;
    case SeriesShape::HorizontalBars: return horizontalBars_;
    case SeriesShape::Line: break;
    }
    return lineA_;
}

bool GraphChart::isActive(const QAbstractSeries* series) const {
    return series && series->chart() == this && series->isVisible();
}

// Every series off the chart and empty, every axis gone. The series stay the chart's own.
void GraphChart::removeEverything() {
    for (QAbstractSeries* s : series()) {
        removeSeries(s);
        s->setParent(this);
    }
    for (QAbstractAxis* a : axes()) {
        removeAxis(a);
        delete a;
    }
    labelAxis_ = nullptr;
    labels_.clear();
    shownLabels_.clear();
    verticalBars_->clear();
    horizontalBars_->clear();
    for (QXYSeries* xy : {static_cast<QXYSeries*>(lineA_), static_cast<QXYSeries*>(cSerB_),
                          static_cast<QXYSeries*>(cStatA_), static_cast<QXYSeries*>(cStatB_)}) {
        xy->clear();
        xy->clearPointsConfiguration();
    }
    cPieA_->clear();
    legend()->hide();
}

void GraphChart::clearSeries() {
    removeEverything();
    plan_ = {};
    retitle();
}

void GraphChart::Plot(const GraphPlan& plan) {
    removeEverything();
    plan_ = plan;
    retitle();
    shape_ = plan.shape;
    // In the order they are drawn: the curve and the trend over the bars and points.
    if (plan.cSerA.active) fillFirstSeries(plan);
    fillPoints(plan);
    if (plan.cPieA.active) fillPie(plan.cPieA);
    if (plan.axesShown) addAxes(plan);
    relabel();
}

void GraphChart::fillFirstSeries(const GraphPlan& plan) {
    const std::vector<GraphPoint>& points = plan.cSerA.points;
    switch (plan.shape) {
    case SeriesShape::VerticalBars: fillBars(verticalBars_, points, slotCount(points)); break;
    case SeriesShape::HorizontalBars: fillBars(horizontalBars_, points, slotCount(points)); break;
    case SeriesShape::Line: {
        QList<QPointF> line;
        for (const GraphPoint& p : points) line.append({p.x, p.y});
        lineA_->replace(line);
        if (!points.empty()) lineA_->setColor(points.front().colour);
        for (int i = 0; i < int(points.size()); ++i)
            if (points[size_t(i)].colour != lineA_->color())
                lineA_->setPointConfiguration(i, QXYSeries::PointConfiguration::Color, points[size_t(i)].colour);
        break;
    }
    }
    addSeries(cSerA());
    // The labels by position; a day's second reading repeats the first one's label.
    for (const GraphPoint& p : points)
        if (!p.label.isEmpty() && (labels_.empty() || labels_.back().text != p.label))
            labels_.push_back({p.x, p.label});
}

void GraphChart::fillPoints(const GraphPlan& plan) {
    const auto fill = [this](QXYSeries* series, const GraphSeries& from) {
        if (!from.active) return;
        QList<QPointF> points;
        QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> colours;
        for (const GraphPoint& p : from.points) {
            if (p.colour != series->color())
                colours[int(points.size())][QXYSeries::PointConfiguration::Color] = p.colour;
            points.append({p.x, p.y});
        }
        series->replace(points);
        series->setPointsConfiguration(colours);
        addSeries(series);
    };
    cSerB_->setMarkerSize(2 * plan.pointerSize + 1);
    fill(cSerB_, plan.cSerB);
    fill(cStatA_, plan.cStatA);
    fill(cStatB_, plan.cStatB);
}

// The zone slices with their percentages on white; the legend names each zone with its count
// and percentage. The biggest slice stands out.
void GraphChart::fillPie(const GraphSeries& slices) {
    // Each slice is a count of readings, so its share is a fraction of whole numbers.
    int total = 0;
    double biggest = -1;
    for (const GraphPoint& p : slices.points) total += int(p.y);
    QPieSlice* standsOut = nullptr;
    for (const GraphPoint& p : slices.points) {
        const QString mark = total > 0 ? percentMark(int(p.y), total) : QString();
        QPieSlice* slice = cPieA_->append(QStringLiteral("<span style=\"background-color:#ffffff\">&nbsp;") +
                                              rich(mark) + QStringLiteral("&nbsp;</span>"),
                                          p.y);
        slice->setColor(p.colour);
        slice->setBorderColor(Qt::white);
        slice->setLabelFont(arial(11, true));
        slice->setLabelVisible(p.y > 0);
        slice->setLabelPosition(QPieSlice::LabelOutside);
        slice->setLabelBrush(Qt::black);
        slice->setExplodeDistanceFactor(kExplode);
        if (p.y > biggest) {
            biggest = p.y;
            standsOut = slice;
        }
    }
    if (standsOut && biggest > 0) standsOut->setExploded(true);
    addSeries(cPieA_);
    const QList<QLegendMarker*> markers = legend()->markers(cPieA_);
    for (qsizetype i = 0; i < markers.size() && i < qsizetype(slices.points.size()); ++i) {
        const GraphPoint& p = slices.points[size_t(i)];
        markers[i]->setLabel(rich(p.label) + QStringLiteral("<br>") +
                             rich(QString::number(p.y) +
                                  (total > 0 ? QStringLiteral("   ") + percentMark(int(p.y), total) : QString())));
    }
    legend()->show();
}

void GraphChart::addAxes(const GraphPlan& plan) {
    const bool horizontal = plan.shape == SeriesShape::HorizontalBars && plan.cSerA.active;
    const bool labelled = plan.cSerA.active;
    QAbstractAxis* left = nullptr;
    QAbstractAxis* bottom = nullptr;
    if (labelled) {
        labelAxis_ = new QCategoryAxis;
        labelAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        labelAxis_->setTitleText(rich((horizontal ? plan.left : plan.bottom).title));
        labelAxis_->setGridLineVisible(false);
        labelAxis_->setTruncateLabels(false);  // the labels are thinned instead, so none is cut
        (horizontal ? left : bottom) = labelAxis_;
    }
    if (!left) left = valueAxis(plan.left);
    if (!bottom) bottom = valueAxis(plan.bottom);
    for (QAbstractAxis* axis : {left, bottom}) {
        axis->setLabelsFont(arial(kLabelPixels));
        axis->setTitleFont(arial(11, true));
    }
    addAxis(bottom, Qt::AlignBottom);
    addAxis(left, Qt::AlignLeft);
    for (QAbstractSeries* s : series()) {
        s->attachAxis(bottom);
        s->attachAxis(left);
    }
    // After the series are attached, which would otherwise widen the ranges to their own. A value
    // axis up the left leaves a little room above its top, where a point at the maximum would
    // otherwise be cut in half; its ticks stay on the round numbers up to the maximum.
    const double headroom = left == labelAxis_ ? 0 : kHeadroom * (plan.left.maximum - plan.left.minimum);
    left->setRange(plan.left.minimum, plan.left.maximum + headroom);
    bottom->setRange(plan.bottom.minimum, plan.bottom.maximum);
}

namespace {

// Words of a line put on as many lines as it takes for none to be wider than `room`.
QStringList wrapped(const QString& line, const QFontMetrics& metrics, qreal room) {
    QStringList lines;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString longer = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && metrics.horizontalAdvance(longer) > room) {
            lines << current;
            current = word;
        } else {
            current = longer;
        }
    }
    return lines << current;
}

}  // namespace

// The plan's title lines, each wrapped at the chart's width.
void GraphChart::retitle() {
    if (plan_.title.isEmpty()) {
        setTitle(kChartOwnTitle);
        return;
    }
    const QFontMetrics metrics(titleFont());
    const qreal room = size().width() - margins().left() - margins().right() - 2 * metrics.averageCharWidth();
    QStringList lines;
    for (const QString& line : plan_.title) lines << (room > 0 ? wrapped(line, metrics, room) : QStringList{line});
    setTitle(richLines(lines));
}

void GraphChart::resizeEvent(QGraphicsSceneResizeEvent* event) {
    QChart::resizeEvent(event);
    retitle();
}

// The labels on show. Beside the bars every label stays, in a smaller face where the bars stand
// too close for the usual one. Under the points, in position order, each label that keeps its gap
// to the one before and stays inside the chart; the others are left out.
void GraphChart::relabel() {
    if (!labelAxis_ || relabelling_) return;
    const bool vertical = labelAxis_->orientation() == Qt::Vertical;
    const QRectF area = plotArea();
    const double length = vertical ? area.height() : area.width();
    const double span = labelAxis_->max() - labelAxis_->min();
    if (length <= 0 || span <= 0) return;
    QFont font = arial(kLabelPixels);
    if (vertical) {
        const double spacing = labels_.size() > 1 ? length / span : length;
        while (font.pixelSize() > kSmallestLabelPixels && QFontMetrics(font).height() + kSideLabelGap > spacing)
            font.setPixelSize(font.pixelSize() - 1);
    }
    // The chart's room on either side of the plot area, along the axis.
    const double before = vertical ? size().height() - area.bottom() : area.left();
    const double after = vertical ? area.top() : size().width() - area.right();
    const QFontMetrics metrics(font);
    const int gap = vertical ? kSideLabelGap : kLabelGap;
    double end = -std::numeric_limits<double>::infinity();
    std::vector<Label> shown;
    for (const Label& label : labels_) {
        const double centre = (label.position - labelAxis_->min()) / span * length;
        const double half = (vertical ? metrics.height() : metrics.horizontalAdvance(label.text)) / 2.0;
        if (centre - half < -before || centre + half > length + after || centre - half < end + gap) continue;
        end = centre + half;
        shown.push_back({label.position, label.text});
    }
    const bool same =
        labelAxis_->labelsFont() == font &&
        std::equal(shown.begin(), shown.end(), shownLabels_.begin(), shownLabels_.end(),
                   [](const Label& a, const Label& b) { return a.position == b.position && a.text == b.text; });
    if (same) return;
    relabelling_ = true;
    labelAxis_->setLabelsFont(font);
    for (const QString& old : labelAxis_->categoriesLabels()) labelAxis_->remove(old);
    // An axis keeps every label text once: a repeated text gets an invisible mark of its own.
    std::set<QString> used;
    for (const Label& label : shown) {
        QString text = rich(label.text);
        for (int copy = 1; used.count(text); ++copy) text = rich(label.text) + QStringLiteral("<!--%1-->").arg(copy);
        used.insert(text);
        labelAxis_->append(text, label.position);
    }
    shownLabels_ = std::move(shown);
    relabelling_ = false;
}

void GraphChart::draw(QPainter& painter, const QRectF& target, ChartBackground background) {
    if (!scene()) return;
    // A chart lays itself out again when the event loop next runs; drawn straight after a new
    // plot (printing or saving at once), it is laid out now so the picture shows that plot.
    layout()->activate();
    const QBrush kept = backgroundBrush();
    if (background == ChartBackground::Plain) setBackgroundBrush(Qt::white);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene()->render(&painter, target, sceneBoundingRect());
    painter.restore();
    if (background == ChartBackground::Plain) setBackgroundBrush(kept);
}

QImage GraphChart::picture(qreal pixelRatio, ChartBackground background) {
    QImage image((size() * pixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRectF(QPointF(0, 0), size()), background);
    return image;
}

SceneChart::SceneChart(const GraphPlan& plan, const QSize& size) : chart_(new GraphChart) {
    scene_.addItem(chart_);
    chart_->setGeometry(QRectF(QPointF(0, 0), size));
    chart_->Plot(plan);
    chart_->layout()->activate();
}

QImage renderGraph(const GraphPlan& plan, const QSize& size, qreal pixelRatio, ChartBackground background) {
    return SceneChart(plan, size).chart().picture(pixelRatio, background);
}

}  // namespace pulmora::reports
