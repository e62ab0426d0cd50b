#include "RatingPictures.h"

#include "SheetFont.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace pulmora::sheet::rating {
namespace {

// The ink of the program's glyphs, in a pen fine enough for paper.
const QColor kInk(0, 0, 128);

QPen inkPen(qreal width = 1.0) { return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void box(QPainter& p, const QRectF& square) {
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(square);
}

// Two boxes side by side, each after its letter, centred in the cell clear of its edges.
void letteredBoxes(QPainter& p, const QRect& whole, const char* first, const char* second) {
    const QRect cell = whole.adjusted(2, 0, -3, 0);
    QFont font = sheetFont(7);
    font.setBold(true);
    const QFontMetrics metrics = measure(font);
    const qreal side = std::min<qreal>(cell.height() - 6, 10);
    const qreal gap = 2;
    const qreal half = cell.width() / 2.0;
    p.setFont(font);
    for (int i = 0; i < 2; ++i) {
        const QString letter = QString::fromLatin1(i == 0 ? first : second);
        const qreal groupWidth = metrics.horizontalAdvance(letter) + gap + side;
        const qreal left = cell.left() + i * half + (half - groupWidth) / 2;
        const qreal middle = cell.top() + cell.height() / 2.0;
        p.setPen(kInk);
        p.drawText(QPointF(left, middle + (metrics.ascent() - metrics.descent()) / 2.0), letter);
        box(p, QRectF(left + metrics.horizontalAdvance(letter) + gap, middle - side / 2, side, side));
    }
}

// A face whose mouth bends by `smile`: -1 sad, 0 level, 1 glad.
void face(QPainter& p, const QPointF& centre, qreal radius, int smile) {
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(kInk);
    for (qreal side : {-1.0, 1.0})
        p.drawEllipse(QPointF(centre.x() + side * radius * 0.38, centre.y() - radius * 0.3), 0.9, 0.9);
    p.setBrush(Qt::NoBrush);
    const qreal y = centre.y() + radius * 0.38;
    const qreal reach = radius * 0.5;
    QPainterPath mouth(QPointF(centre.x() - reach, y - smile * radius * 0.12));
    mouth.quadTo(QPointF(centre.x(), y + smile * radius * 0.3), QPointF(centre.x() + reach, y - smile * radius * 0.12));
    p.drawPath(mouth);
}

void faces(QPainter& p, const QRect& whole) {
    const QRect cell = whole.adjusted(1, 0, -2, 0);
    const qreal third = cell.width() / 3.0;
    const qreal side = std::min<qreal>(9, cell.height() / 4.0);
    const qreal radius = std::min(third / 2 - 2, (cell.height() - side - 8) / 2.0);
    for (int i = 0; i < 3; ++i) {
        const qreal x = cell.left() + (i + 0.5) * third;
        const QPointF centre(x, cell.top() + 3 + radius);
        face(p, centre, radius, i - 1);
        box(p, QRectF(x - side / 2, centre.y() + radius + 3, side, side));
    }
}

}  // namespace

void draw(QPainter& painter, Kind kind, const QRect& cell) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case Kind::Symptom: letteredBoxes(painter, cell, "D", "N"); break;
    case Kind::Offsick: letteredBoxes(painter, cell, "Y", "N"); break;
    case Kind::Activity: letteredBoxes(painter, cell, "A", "S"); break;
    case Kind::Asthma: faces(painter, cell); break;
    }
    painter.restore();
}

}  // namespace pulmora::sheet::rating
