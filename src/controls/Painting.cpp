#include "Painting.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>

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

QString fittedMessage(const QString& text, const QString& path, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    QString named = path;
    qsizetype at = named.isEmpty() ? -1 : text.indexOf(named);
    if (at < 0 && !named.isEmpty()) {
        named = QDir::toNativeSeparators(path);
        at = text.indexOf(named);
    }
    if (at < 0) return metrics.elidedText(text, Qt::ElideRight, width);
    const QString before = text.left(at), after = text.mid(at + named.size());
    const int room = width - metrics.horizontalAdvance(before) - metrics.horizontalAdvance(after);
    const QString cut = metrics.elidedText(named, Qt::ElideMiddle, std::max(room, 0));
    if (!cut.isEmpty() && metrics.horizontalAdvance(before + cut + after) <= width) return before + cut + after;
    // Not even the path's ends fit: the message keeps its start and its end.
    return metrics.elidedText(before + QChar(0x2026) + after, Qt::ElideMiddle, width);
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
