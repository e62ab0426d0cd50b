#include "RecordedPage.h"

#include <QPaintDevice>
#include <QPainter>

namespace pulmora::output {

RecordedPage::RecordedPage(QSize size, const QPicture& picture) : RecordedPage(size, picture, true) {}

RecordedPage::RecordedPage(QSize size, const QPicture& picture, bool recorded)
    : size_(size), picture_(picture), recorded_(recorded) {}

RecordedPage RecordedPage::record(QSize size, const Drawing& draw) {
    QPicture picture;
    QPainter painter;
    if (!painter.begin(&picture)) return RecordedPage(size, QPicture(), false);
    draw(painter);
    const bool ended = painter.end();
    return RecordedPage(size, picture, ended);
}

QString RecordedPage::fault() const {
    if (!recorded_) return QStringLiteral("the page could not be recorded");
    if (size_.width() < 1 || size_.height() < 1)
        return QStringLiteral("the page has no size (%1 by %2)").arg(size_.width()).arg(size_.height());
    return {};
}

bool RecordedPage::replay(QPainter& painter, const QRectF& target) const {
    if (!fault().isEmpty()) return false;
    // A picture plays itself scaled by the ratio of the device's resolution to its own, as if
    // its pixels were physical sizes; the target is given in device pixels, so that ratio is
    // taken out again.
    const QPaintDevice* device = painter.device();
    const qreal sx = target.width() / size_.width() * picture_.logicalDpiX() / device->logicalDpiX();
    const qreal sy = target.height() / size_.height() * picture_.logicalDpiY() / device->logicalDpiY();
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(sx, sy);
    QPicture picture = picture_;  // play() is not const; the copy shares the recorded data
    const bool played = picture.play(&painter);
    painter.restore();
    return played;
}

QImage RecordedPage::toImage() const {
    if (!fault().isEmpty()) return {};
    QImage image(size_, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const bool played = replay(painter, QRectF(QPointF(0, 0), QSizeF(size_)));
    painter.end();
    return played ? image : QImage();
}

}  // namespace pulmora::output
