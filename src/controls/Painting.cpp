#include "Painting.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace pulmora::controls {

void drawDottedFrame(QPainter& painter, const QRect& bounds, const QColor& colour) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1, Qt::DotLine));
    painter.drawRect(bounds.adjusted(1, 1, -2, -2));
    painter.restore();
}

void drawFocusFrame(QPainter& painter, const QWidget& widget) {
    if (!widget.hasFocus()) return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(widget.palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.drawRect(widget.rect().adjusted(2, 2, -3, -3));
    painter.restore();
}

void drawEmbossedText(QPainter& painter, const QPoint& baseline, const QString& text, const QColor& first,
                      const QPoint& firstOffset, const QColor& second, const QPoint& secondOffset) {
    painter.setPen(first);
    painter.drawText(baseline + firstOffset, text);
    painter.setPen(second);
    painter.drawText(baseline + secondOffset, text);
}

bool isClickKey(const QKeyEvent& event) {
    const int key = event.key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace pulmora::controls
