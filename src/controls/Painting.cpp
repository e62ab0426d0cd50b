#include "Painting.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace pulmora::controls {

QFont fittedFont(QFont font, const QString& text, const QSize& room, int smallestPixels) {
    const auto fits = [&](const QFont& f) {
        const QRect wrapped = QFontMetrics(f).boundingRect(QRect(QPoint(0, 0), QSize(room.width(), 1 << 16)),
                                                           Qt::TextWordWrap | Qt::AlignLeft, text);
        return wrapped.height() <= room.height();
    };
    if (font.pixelSize() < 0) font.setPixelSize(QFontInfo(font).pixelSize());  // steps of whole pixels
    while (!fits(font) && font.pixelSize() > smallestPixels) font.setPixelSize(font.pixelSize() - 1);
    return font;
}

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
