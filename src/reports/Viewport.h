#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// How a report picture larger than its window is shown: a label column at the left and a band
// at the top stay in place while the rest scrolls. A report with a graph strip at its top can
// hide the strip, leaving only the header rows under it fixed. All values are pixels of the
// report picture.
namespace pulmora::reports {

struct Viewport {
    int FixedWidth = 0;         // the fixed label column
    int HeaderHeight = 0;       // the fixed top band while the strip is shown (or there is none)
    int GraphStripHeight = 0;   // the graph strip at the top of the picture; 0 when there is none
    int GraphHeaderHeight = 0;  // the fixed header rows just below the strip
    int GraphShown = 0;         // 1: the strip is part of the fixed top band; 0: hidden
    int ScrollX = 0, ScrollY = 0;
    int StepX = 0, StepY = 0;  // one press of a scroll button
    int PictureWidth = 0, PictureHeight = 0;

    bool stripHidden() const { return GraphShown == 0 && GraphStripHeight != 0; }
};

struct ViewportField {
    const char* name;
    int Viewport::*value;
};
// Every value with its name.
const std::vector<ViewportField>& viewportFields();

// The four pieces of the view, in the order they are copied.
struct ViewPieces {
    QRect corner, header, column, body;
};

// Where the pieces go in the view, with the strip shown and with it hidden.
ViewPieces destinationsShown(const Viewport& v);
ViewPieces destinationsHidden(const Viewport& v);
// Where the pieces come from in the picture, for the current scroll and strip.
ViewPieces sources(const Viewport& v);

enum class Navigation { Up, Down, Right, Left, ToggleGraph, Top, Bottom, End, Beginning };

// One navigation command on a view of the given size.
void navigate(Viewport& v, Navigation command, const QSize& view);
// After the window was resized: an offset smaller than the view's size starts again at 0.
void keepScrollOnResize(Viewport& v, const QSize& view);

// The view: the fixed corner, header band, label column and the scrolled body cut from the
// picture, on white.
QImage PaintViewport(const QImage& picture, const Viewport& v, const QSize& view, qreal pixelRatio = 1.0);

}  // namespace pulmora::reports
