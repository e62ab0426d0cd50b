#pragma once

#include "pictures/Palette.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

// The canvas conventions the report pictures are laid out by. Coordinates are logical pixels
// from the picture's top left corner. A rectangle from (x1, y1) to (x2, y2) covers the pixels
// x1 .. x2 - 1 and y1 .. y2 - 1, its border on the outermost of them; a line from x1 to x2 covers
// x1 .. x2 - 1 (drawn leftwards, from x1 down to x2 + 1: the start is drawn, the end is not).
// Everything is drawn as filled areas, so a picture looks the same on an image at
// any pixel ratio and on a recorded page replayed at a printer's resolution.
namespace pulmora::reports {

namespace colours = palette;

// The font of the report pictures at a size in points (the pictures' default is 8), taken at the
// 96 pixels an inch the pictures are laid out at: 8 points are 11 pixels.
QFont reportFont(int points = 8);

// Text sizes as measured on a report picture at pixel ratio 1, so a report has the same
// geometry on screen, in a file and on paper.
QFontMetrics measure(const QFont& font);

class ReportCanvas {
public:
    ReportCanvas(QPainter& painter, int width, const QFont& font = reportFont());

    QPainter& painter() { return p_; }
    int width() const { return width_; }
    const QFontMetrics& metrics() const { return metrics_; }
    int textWidth(const QString& text) const { return metrics_.horizontalAdvance(text); }
    int textHeight() const { return metrics_.height(); }

    // The border, `border` pixels wide, lies inside the rectangle.
    void rectangle(int x1, int y1, int x2, int y2, const QColor& pen, const QColor& fill, int border = 1);
    void hLine(int x1, int x2, int y, const QColor& colour = Qt::black, int thickness = 1);
    void vLine(int x, int y1, int y2, const QColor& colour = Qt::black);
    // A triangle through the three corners, filled, with a black outline one pixel wide.
    void triangle(const QPoint& a, const QPoint& b, const QPoint& c, const QColor& fill);
    // Text with its top left corner at (x, y), in black; nothing where the painter's clip hides
    // all of it.
    void text(int x, int y, const QString& text);
    void setBold(bool bold);
    void setItalic(bool italic);

private:
    void setFont(const QFont& font);

    QPainter& p_;
    int width_;
    QFont font_;
    QFontMetrics metrics_;
};

}  // namespace pulmora::reports
