#include "ReportResult.h"

namespace pulmora::reports {

QImage renderPicture(const ReportDrawing& drawing, const QSize& size, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawing(painter);
    return image;
}

std::vector<PeriodFigures> ReportResult::periods() const {
    if (!available) return {};
    return std::visit([](const auto& f) { return f.periods(); }, figures);
}

QImage ReportResult::picture() const {
    if (!drawing) return noDataPicture;
    if (drawn_.isNull())
        drawn_ = renderPicture(drawing, QSize(viewport.PictureWidth, viewport.PictureHeight), pixelRatio);
    return drawn_;
}

}  // namespace pulmora::reports
