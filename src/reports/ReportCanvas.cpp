#include "ReportCanvas.h"

#include <QImage>

namespace pulmora::reports {

QFont reportFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
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

void ReportCanvas::rectangle(int x1, int y1, int x2, int y2, const QColor& pen, const QColor& fill) {
    if (x2 <= x1 || y2 <= y1) return;
    p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), pen);
    if (x2 - x1 > 2 && y2 - y1 > 2) p_.fillRect(QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2), fill);
}

void ReportCanvas::hLine(int x1, int x2, int y, const QColor& colour, int thickness) {
    if (x2 > x1) p_.fillRect(QRect(x1, y - (thickness - 1) / 2, x2 - x1, thickness), colour);
}

void ReportCanvas::vLine(int x, int y1, int y2, const QColor& colour) {
    if (y2 > y1) p_.fillRect(QRect(x, y1, 1, y2 - y1), colour);
}

void ReportCanvas::text(int x, int y, const QString& text) {
    p_.setPen(Qt::black);
    p_.drawText(QPoint(x, y + metrics_.ascent()), text);
}

void ReportCanvas::setBold(bool bold) {
    font_.setBold(bold);
    p_.setFont(font_);
    metrics_ = measure(font_);
}

}  // namespace pulmora::reports
