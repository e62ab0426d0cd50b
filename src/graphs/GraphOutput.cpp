#include "GraphOutput.h"

#include "GraphChart.h"

#include <QPainter>

namespace pulmora::reports {
namespace {

// Wide enough for every label of a year's graph, narrow enough that the texts print at about the
// size of the report pages' own.
constexpr int kPageChartWidth = 1000;

}  // namespace

QSize chartSizeForPage(const QSizeF& room) {
    if (!(room.width() > 0) || !(room.height() > 0)) return {};
    return {kPageChartWidth, int(kPageChartWidth * room.height() / room.width())};
}

output::PrintJob PrintChart(const GraphPlan& plan, const QSizeF& room) {
    const QSize size = chartSizeForPage(room);
    output::PrintJob job;
    job.orientation = QPageLayout::Landscape;
    job.pages.push_back({output::RecordedPage::record(size,
                                                      [&](QPainter& p) {
                                                          SceneChart laidOut(plan, size);
                                                          laidOut.chart().draw(p, QRectF(QPointF(0, 0), size),
                                                                               ChartBackground::Plain);
                                                      }),
                         output::PageSizing::fitted()});
    return job;
}

QImage savedGraphPicture(const GraphPlan& plan) {
    return renderGraph(plan, kSavedGraphSize, 1.0, ChartBackground::Plain);
}

}  // namespace pulmora::reports
