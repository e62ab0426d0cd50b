#include "Glyphs.h"

#include "Contrast.h"
#include "Transparency.h"

#include <QPainter>
#include <QPainterPath>

namespace pulmora::controls::glyphs {
namespace {

QColor inkFor(Look look, const QColor& colour) {
    switch (look) {
    case Look::Active: return colour.lighter(135);
    case Look::Disabled: return QColor(160, 160, 160);
    case Look::Inactive: break;
    }
    return colour;
}

QImage canvas(int width, int height, qreal ratio) {
    QImage image(QSize(qRound(width * ratio), qRound(height * ratio)), QImage::Format_RGB32);
    image.fill(kOlive);
    image.setDevicePixelRatio(ratio);
    return image;
}

// Paths are drawn in a 24 by 24 box and scaled to the glyph's size.
void draw(QPainter& p, Kind kind, const QColor& ink) {
    QPen pen(ink, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto arrow = [&](qreal angle) {
        p.save();
        p.translate(12, 12);
        p.rotate(angle);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(-6, -8), QPointF(7, 0), QPointF(-6, 8)}));
        p.restore();
    };
    switch (kind) {
    case Kind::Save: p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(20, 5)})); break;
    case Kind::Cancel:
    case Kind::Delete:
        p.drawLine(QPointF(5, 5), QPointF(19, 19));
        p.drawLine(QPointF(19, 5), QPointF(5, 19));
        if (kind == Kind::Delete) p.drawRect(QRectF(2, 2, 20, 20));
        break;
    case Kind::Help: {
        QFont font("Arial");
        font.setPixelSize(20);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Kind::Add:
        p.drawLine(QPointF(12, 4), QPointF(12, 20));
        p.drawLine(QPointF(4, 12), QPointF(20, 12));
        break;
    case Kind::PreviousYear:
    case Kind::NextYear: {
        // Two heads: a whole year rather than a month.
        const qreal direction = kind == Kind::NextYear ? 1 : -1;
        p.setBrush(ink);
        for (qreal offset : {-5.0, 5.0})
            p.drawPolygon(QPolygonF({QPointF(12 + offset - 5 * direction, 5), QPointF(12 + offset + 5 * direction, 12),
                                     QPointF(12 + offset - 5 * direction, 19)}));
        break;
    }
    case Kind::Previous: arrow(180); break;
    case Kind::Next: arrow(0); break;
    case Kind::Up: arrow(-90); break;
    case Kind::Down: arrow(90); break;
    case Kind::Person:
        p.drawEllipse(QPointF(12, 8), 4, 4);
        p.drawArc(QRectF(4, 14, 16, 14), 0, 180 * 16);
        break;
    case Kind::Report:
        p.drawRect(QRectF(5, 3, 14, 18));
        for (qreal y : {8.0, 12.0, 16.0}) p.drawLine(QPointF(8, y), QPointF(16, y));
        break;
    case Kind::Sheet:
        p.drawRect(QRectF(4, 4, 16, 16));
        p.drawLine(QPointF(4, 10), QPointF(20, 10));
        p.drawLine(QPointF(12, 4), QPointF(12, 20));
        break;
    case Kind::Menu:
        for (qreal y : {6.0, 12.0, 18.0}) p.drawLine(QPointF(4, y), QPointF(20, y));
        break;
    case Kind::Weekly:
        // A week of a calendar page: its header band and seven day marks.
        p.drawRect(QRectF(3, 4, 18, 16));
        p.drawLine(QPointF(3, 9), QPointF(21, 9));
        for (int day = 0; day < 7; ++day) p.drawPoint(QPointF(5.5 + day * 2.2, 14.5));
        break;
    case Kind::Table:
        p.drawRect(QRectF(3, 4, 18, 16));
        for (qreal y : {9.5, 15.0}) p.drawLine(QPointF(3, y), QPointF(21, y));
        for (qreal x : {9.0, 15.0}) p.drawLine(QPointF(x, 4), QPointF(x, 20));
        break;
    case Kind::Additional: {
        // A capsule for the medication and a mark for the triggers.
        p.save();
        p.translate(12, 12);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-9, -4, 18, 8), 4, 4);
        p.drawLine(QPointF(0, -4), QPointF(0, 4));
        p.restore();
        break;
    }
    case Kind::Graphs:
        p.drawPolyline(QPolygonF({QPointF(4, 3), QPointF(4, 20), QPointF(21, 20)}));
        p.drawPolyline(QPolygonF({QPointF(6, 16), QPointF(10, 10), QPointF(14, 13), QPointF(20, 5)}));
        break;
    case Kind::Print:
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRect(QRectF(3, 9, 18, 8));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Kind::Picture:
        p.drawRect(QRectF(3, 4, 18, 16));
        p.drawPolyline(QPolygonF({QPointF(5, 18), QPointF(10, 11), QPointF(14, 15), QPointF(16, 13), QPointF(20, 18)}));
        p.drawEllipse(QPointF(16, 8), 1.5, 1.5);
        break;
    case Kind::GraphStrip:
        // The chart strip above a report's table, to be hidden or shown.
        p.drawRect(QRectF(3, 3, 18, 8));
        p.drawPolyline(QPolygonF({QPointF(5, 9), QPointF(9, 6), QPointF(13, 8), QPointF(19, 5)}));
        for (qreal y : {15.0, 19.0}) p.drawLine(QPointF(3, y), QPointF(21, y));
        break;
    case Kind::Control:
        // A checklist: three questions, two of them ticked.
        for (qreal y : {5.0, 12.0, 19.0}) p.drawLine(QPointF(11, y), QPointF(21, y));
        for (qreal y : {5.0, 12.0})
            p.drawPolyline(QPolygonF({QPointF(2, y), QPointF(4.5, y + 2.5), QPointF(8, y - 2.5)}));
        p.drawRect(QRectF(3, 17, 4, 4));
        break;
    case Kind::Pack:
        // Pages stacked behind a page folded at its corner.
        p.drawPolyline(QPolygonF({QPointF(4, 17), QPointF(4, 2), QPointF(14, 2)}));
        p.drawPolygon(QPolygonF({QPointF(8, 6), QPointF(16, 6), QPointF(20, 10), QPointF(20, 22), QPointF(8, 22)}));
        p.drawLine(QPointF(11, 14), QPointF(17, 14));
        p.drawLine(QPointF(11, 18), QPointF(17, 18));
        break;
    case Kind::Plan:
        // A page of three bands, the top one with a cross: what to do in each zone.
        p.drawRect(QRectF(4, 2, 16, 20));
        for (qreal y : {9.0, 15.0}) p.drawLine(QPointF(4, y), QPointF(20, y));
        p.drawLine(QPointF(12, 3.5), QPointF(12, 7.5));
        p.drawLine(QPointF(10, 5.5), QPointF(14, 5.5));
        break;
    case Kind::Top:
    case Kind::Bottom:
    case Kind::Beginning:
    case Kind::End: {
        // An arrow against a bar: all the way in that direction.
        const qreal angle = kind == Kind::Top ? -90 : kind == Kind::Bottom ? 90 : kind == Kind::Beginning ? 180 : 0;
        p.save();
        p.translate(12, 12);
        p.rotate(angle);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({QPointF(-7, -7), QPointF(4, 0), QPointF(-7, 7)}));
        p.drawLine(QPointF(8, -8), QPointF(8, 8));
        p.restore();
        break;
    }
    }
}

}  // namespace

QImage glyph(Kind kind, Look look, int size, qreal pixelRatio, const QColor& background) {
    QImage image = canvas(size, size, pixelRatio);
    QPainter p(&image);
    // Anti-aliasing would blend edges with olive and leave a tinted fringe once olive is
    // taken out, so the shapes are drawn with hard edges.
    p.scale(size / 24.0, size / 24.0);
    const QColor base = kind == Kind::Delete || kind == Kind::Cancel ? QColor(176, 0, 0) : QColor(0, 0, 128);
    const QColor ink = inkFor(look, base);
    draw(p, kind, background.isValid() && look != Look::Disabled ? readableOn(ink, background) : ink);
    return image;
}

QImage switchStrip(const QColor& onColour, int size, qreal pixelRatio) {
    QImage image = canvas(2 * size, size, pixelRatio);
    QPainter p(&image);
    const qreal r = size / 2.0 - 2;
    p.setPen(QPen(QColor(64, 64, 64), 1.5));
    p.setBrush(QColor(224, 224, 224));
    p.drawEllipse(QPointF(size / 2.0, size / 2.0), r, r);
    p.setBrush(onColour);
    p.drawEllipse(QPointF(size * 1.5, size / 2.0), r, r);
    p.setPen(QPen(Qt::white, size / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF({QPointF(size * 1.5 - r / 2, size / 2.0), QPointF(size * 1.5 - r / 8, size / 2.0 + r / 2.5),
                   QPointF(size * 1.5 + r / 2, size / 2.0 - r / 2.5)}));
    return image;
}

}  // namespace pulmora::controls::glyphs
