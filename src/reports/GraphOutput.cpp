#include "GraphOutput.h"

#include <QPainter>

namespace pulmora::reports {

output::PrintJob PrintChart(GraphChart& chart) {
    const QSize size = chart.size().toSize();
    output::PrintJob job;
    job.orientation = QPageLayout::Landscape;
    job.pages.push_back({output::RecordedPage::record(size,
                                                      [&](QPainter& p) {
                                                          chart.draw(p, QRectF(QPointF(0, 0), size),
                                                                     ChartBackground::Plain);
                                                      }),
                         output::PageSizing::fitted()});
    return job;
}

QImage savedGraphPicture(GraphChart& chart) { return chart.picture(1.0, ChartBackground::Plain); }

}  // namespace pulmora::reports
