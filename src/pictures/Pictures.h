#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QRectF>

// The program's pictures: the daily card's summary arrows, the splash shown when there is
// nothing to compare or report, and the program icon. All are drawn on olive, which the card treats as transparent.
namespace pulmora::controls::pictures {

enum class Arrow {
    ImUp,   // peak flow higher than the previous day: good news
    ImDw,   // peak flow lower
    OthUp,  // more of something unwelcome
    OthDw,  // less of it
    ImNC    // no change
};

constexpr int kArrowWidth = 19;
constexpr int kArrowHeight = 11;

// An arrow picture, 19 by 11 logical pixels.
QImage arrow(Arrow kind, qreal pixelRatio = 1.0);
// The size the daily card shows the splash at; a report without data shows it at the same size.
constexpr QSize kSplashSize(276, 134);
QImage splash(const QSize& size, qreal pixelRatio = 1.0);
// Where the splash has its two lines of text; its trace keeps out of it.
QRect splashTextArea(const QSize& size);
// The program's icon in a square of `side` pixels: a navy disc with a peak-flow trace across it,
// drawn with round caps and joins as the glyphs are.
// The program paints it, and the icon files installed for the desktop are written from it.
struct IconDrawing {
    QRectF disc;
    QColor discColour;
    QPolygonF trace;
    QColor traceColour;
    qreal traceWidth;
};
IconDrawing appIconDrawing(qreal side);
QImage appIcon(int size = 64);
// The sizes desktops look for in an icon theme, and that the window carries its icon in.
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace pulmora::controls::pictures
