#include "ReportCanvas.h"

#include <QImage>

#include <utility>

namespace pulmora::reports {

QFont reportFont(int points) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize((points * 96 + 36) / 72);  // to the nearest pixel
    return font;
}

QFontMetrics measure(const QFont& font) {
    static const QImage ratioOne(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &ratioOne);
}

ReportCanvas::ReportCanvas(QPainter& painter, int width, const QFont& font)
    : p_(painter), width_(width), font_(font), metrics_(measure(font)) {
    p_.setFont(font_);
}

void ReportCanvas::rectangle(int x1, int y1, int x2, int y2, const QColor& pen, const QColor& fill, int border) {
    if (x2 <= x1 || y2 <= y1) return;
    p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), pen);
    const QRect inside(x1 + border, y1 + border, x2 - x1 - 2 * border, y2 - y1 - 2 * border);
    if (inside.isValid()) p_.fillRect(inside, fill);
}

void ReportCanvas::hLine(int x1, int x2, int y, const QColor& colour, int thickness) {
    if (x2 < x1) {
        std::swap(x1, x2);
        ++x1, ++x2;
    }
    if (x2 > x1) p_.fillRect(QRect(x1, y - (thickness - 1) / 2, x2 - x1, thickness), colour);
}

void ReportCanvas::vLine(int x, int y1, int y2, const QColor& colour) {
    if (y2 > y1) p_.fillRect(QRect(x, y1, 1, y2 - y1), colour);
}

void ReportCanvas::triangle(const QPoint& a, const QPoint& b, const QPoint& c, const QColor& fill) {
    p_.save();
    p_.setPen(QPen(Qt::black, 1));
    p_.setBrush(fill);
    const QPoint corners[] = {a, b, c};
    p_.drawPolygon(corners, 3);
    p_.restore();
}

void ReportCanvas::text(int x, int y, const QString& text) {
    // A text the clip hides entirely (a part of a picture left out) is not drawn at all: on a
    // printed page it would still be found by a search and copied, though no one can see it.
    if (p_.hasClipping() && !p_.clipBoundingRect().intersects(QRectF(x, y, textWidth(text), textHeight()))) return;
    p_.setPen(Qt::black);
    p_.drawText(QPoint(x, y + metrics_.ascent()), text);
}

void ReportCanvas::setBold(bool bold) {
    QFont font = font_;
    font.setBold(bold);
    setFont(font);
}

void ReportCanvas::setItalic(bool italic) {
    QFont font = font_;
    font.setItalic(italic);
    setFont(font);
}

void ReportCanvas::setFont(const QFont& font) {
    font_ = font;
    p_.setFont(font_);
    metrics_ = measure(font_);
}

}  // namespace pulmora::reports
