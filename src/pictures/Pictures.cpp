#include "Pictures.h"

#include "Transparency.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pulmora::controls::pictures {
namespace {

const QColor kGood(0, 128, 0);
const QColor kBad(192, 0, 0);

}  // namespace

QImage arrow(Arrow kind, qreal pixelRatio) {
    QImage image(QSize(qRound(kArrowWidth * pixelRatio), qRound(kArrowHeight * pixelRatio)), QImage::Format_RGB32);
    image.fill(kOlive);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    const bool up = kind == Arrow::ImUp || kind == Arrow::OthUp;
    const bool good = kind == Arrow::ImUp || kind == Arrow::OthDw;
    if (kind == Arrow::ImNC) {
        p.setBrush(QColor(96, 96, 96));
        p.drawRect(QRectF(3, 3, 13, 2));
        p.drawRect(QRectF(3, 7, 13, 2));
        return image;
    }
    p.setBrush(good ? kGood : kBad);
    const QPolygonF head = up ? QPolygonF({QPointF(9.5, 0), QPointF(18, 7), QPointF(1, 7)})
                              : QPolygonF({QPointF(9.5, 11), QPointF(18, 4), QPointF(1, 4)});
    p.drawPolygon(head);
    p.drawRect(up ? QRectF(7, 7, 5, 4) : QRectF(7, 0, 5, 4));
    return image;
}

QRect splashTextArea(const QSize& size) {
    return QRectF(0, size.height() * 0.06, size.width(), size.height() * 0.48).toAlignedRect() &
           QRect(QPoint(0, 0), size);
}

QImage splash(const QSize& size, qreal pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(225, 238, 250));
    sky.setColorAt(1, QColor(190, 214, 240));
    p.fillRect(QRect(QPoint(0, 0), size), sky);

    // A peak-flow trace climbing back into the green, below the text: from 80% of the height
    // down to 95% and back up to 64%, never above 60%.
    QPainterPath trace;
    const qreal w = size.width(), h = size.height();
    trace.moveTo(8, h * 0.80);
    trace.cubicTo(w * 0.3, h * 0.98, w * 0.5, h * 0.58, w - 8, h * 0.64);
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trace);

    const QRectF text = splashTextArea(size);
    QFont title("Arial");
    title.setPixelSize(int(h / 4.5));
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRectF(text.left(), text.top(), w, text.height() * 0.62), Qt::AlignCenter, QStringLiteral("Pulmora"));
    QFont note("Arial");
    note.setPixelSize(std::max(9, int(h / 12)));
    p.setFont(note);
    p.drawText(QRectF(text.left(), text.top() + text.height() * 0.62, w, text.height() * 0.38), Qt::AlignCenter,
               QStringLiteral("Your asthma diary"));
    return image;
}

IconDrawing appIconDrawing(qreal side) {
    return {QRectF(side / 64, side / 64, side * 62 / 64, side * 62 / 64), QColor(0, 0, 128),
            QPolygonF({QPointF(side * 0.2, side * 0.62), QPointF(side * 0.4, side * 0.62),
                       QPointF(side * 0.5, side * 0.3), QPointF(side * 0.6, side * 0.75),
                       QPointF(side * 0.68, side * 0.55), QPointF(side * 0.82, side * 0.55)}),
            QColor(0, 255, 0), side / 12.0};
}

QImage appIcon(int size) {
    const IconDrawing drawing = appIconDrawing(size);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(drawing.discColour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(drawing.disc);
    p.setPen(QPen(drawing.traceColour, drawing.traceWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(drawing.trace);
    return image;
}

}  // namespace pulmora::controls::pictures
