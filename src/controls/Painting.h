#pragma once

#include "pictures/Transparency.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFontMetrics;
class QKeyEvent;
class QPainter;
class QWidget;

// Drawing and key helpers shared by the owner-drawn controls.
namespace pulmora::controls {

// A dotted rectangle one pixel inside the control's border.
void drawDottedFrame(QPainter& painter, const QRect& bounds, const QColor& colour);

// The keyboard focus frame, two pixels inside the border so it does not hide the hover frame.
void drawFocusFrame(QPainter& painter, const QWidget& widget);

// Text drawn twice, offset, as the desktop draws disabled captions.
void drawEmbossedText(QPainter& painter, const QPoint& baseline, const QString& text, const QColor& first,
                      const QPoint& firstOffset, const QColor& second, const QPoint& secondOffset);

// The font, set smaller where it must be (but no smaller than `smallestPixels` pixels high) so that
// the text, wrapped at the room's width, fits the room's height: a message shown whole in a
// fixed place.
QFont fittedFont(QFont font, const QString& text, const QSize& room, int smallestPixels = 8);

// The one-line message cut to `width` in the metrics' letters. The path it names (written as
// given or with the platform's separators) is cut in its middle first, so that what the message
// says after it, such as why the file could not be written, stays in view; a message without the
// path is cut at its end.
QString fittedMessage(const QString& text, const QString& path, const QFontMetrics& metrics, int width);

// Space and Enter click a focused button, switch or banner, as they do standard buttons.
bool isClickKey(const QKeyEvent& event);

}  // namespace pulmora::controls
