#include "Viewport.h"

#include <QPainter>

namespace pulmora::reports {
namespace {

// From the corner (left, top) to the corner (right, bottom), the latter outside.
QRect span(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

ViewPieces pieces(int fixedWidth, int width, int topBand, int bottom) {
    return {span(0, 0, fixedWidth, topBand), span(fixedWidth, 0, width, topBand), span(0, topBand, fixedWidth, bottom),
            span(fixedWidth, topBand, width, bottom)};
}

// The stripped part of the graph strip when it is hidden, else 0.
int hiddenStrip(const Viewport& v) { return v.stripHidden() ? v.GraphStripHeight : 0; }

int roundedDown(int value, int step) { return step > 0 ? value / step * step : value; }

// A piece copied one to one; the part that lies outside the picture stays white.
void copyPiece(QPainter& p, const QImage& picture, const QRect& from, const QRect& to, qreal ratio) {
    const QRect pictureRect(0, 0, int(picture.width() / ratio), int(picture.height() / ratio));
    const QRect inside = from & pictureRect;
    if (inside.isEmpty()) return;
    const QRect target = QRect(to.topLeft() + (inside.topLeft() - from.topLeft()), inside.size()) & to;
    const QRectF source(inside.x() * ratio, inside.y() * ratio, target.width() * ratio, target.height() * ratio);
    p.drawImage(QRectF(target), picture, source);
}

}  // namespace

const std::vector<ViewportField>& viewportFields() {
    using V = Viewport;
    static const std::vector<ViewportField> fields = {
        {"FixedWidth", &V::FixedWidth},
        {"HeaderHeight", &V::HeaderHeight},
        {"GraphStripHeight", &V::GraphStripHeight},
        {"GraphHeaderHeight", &V::GraphHeaderHeight},
        {"GraphShown", &V::GraphShown},
        {"ScrollX", &V::ScrollX},
        {"ScrollY", &V::ScrollY},
        {"StepX", &V::StepX},
        {"StepY", &V::StepY},
        {"PictureWidth", &V::PictureWidth},
        {"PictureHeight", &V::PictureHeight},
    };
    return fields;
}

ViewPieces destinationsShown(const Viewport& v) {
    return pieces(v.FixedWidth, v.PictureWidth, v.HeaderHeight, v.PictureHeight);
}

ViewPieces destinationsHidden(const Viewport& v) {
    return pieces(v.FixedWidth, v.PictureWidth, v.GraphHeaderHeight, v.PictureHeight - v.GraphStripHeight);
}

ViewPieces sources(const Viewport& v) {
    const int f = v.FixedWidth, x = v.ScrollX, y = v.ScrollY, w = v.PictureWidth, h = v.PictureHeight;
    if (v.stripHidden()) {
        const int s = v.GraphStripHeight, g = v.GraphHeaderHeight;
        return {span(0, s, f, s + g), span(f + x, s, w + x, s + g), span(0, y + g + s, f, h + y),
                span(f + x, y + g + s, w + x, h + y)};
    }
    const int t = v.HeaderHeight;
    return {span(0, 0, f, t), span(f + x, 0, w + x, t), span(0, y + t, f, h + y), span(f + x, y + t, w + x, h + y)};
}

void navigate(Viewport& v, Navigation command, const QSize& view) {
    const int gs = hiddenStrip(v);
    const int nw = view.width(), nh = view.height(), w = v.PictureWidth, h = v.PictureHeight;
    switch (command) {
    case Navigation::Up:
        v.ScrollY -= v.StepY;
        v.ScrollY = v.ScrollY < 0 ? 0 : roundedDown(v.ScrollY, v.StepY);
        break;
    case Navigation::Down:
        v.ScrollY += v.StepY;
        if (h - v.ScrollY - gs < nh) v.ScrollY = h - nh - gs;
        v.ScrollY = std::max(v.ScrollY, 0);
        break;
    case Navigation::Left: v.ScrollX = std::max(v.ScrollX - v.StepX, 0); break;
    case Navigation::Right:
        v.ScrollX += v.StepX;
        if (w - v.ScrollX < nw) v.ScrollX = w - nw;
        v.ScrollX = std::max(v.ScrollX, 0);
        break;
    case Navigation::ToggleGraph: v.GraphShown = v.GraphShown ? 0 : 1; break;
    case Navigation::Top: v.ScrollY = 0; break;
    case Navigation::Bottom:
        // To the very end, as far as "Down" goes: rounded down to whole rows the last rows
        // (the footer) would stay partly out of sight.
        v.ScrollY = nh < h ? std::max(h - nh - gs, 0) : 0;
        break;
    case Navigation::Beginning: v.ScrollX = 0; break;
    case Navigation::End: v.ScrollX = nw < w ? w - nw : 0; break;
    }
}

void keepScrollOnResize(Viewport& v, const QSize& view) {
    if (v.ScrollX < view.width()) v.ScrollX = 0;
    if (v.ScrollY < view.height()) v.ScrollY = 0;
}

QImage PaintViewport(const QImage& picture, const Viewport& v, const QSize& view, qreal pixelRatio) {
    QImage image(view * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter p(&image);
    const ViewPieces from = sources(v);
    const ViewPieces to = v.stripHidden() ? destinationsHidden(v) : destinationsShown(v);
    copyPiece(p, picture, from.corner, to.corner, pixelRatio);
    copyPiece(p, picture, from.header, to.header, pixelRatio);
    copyPiece(p, picture, from.column, to.column, pixelRatio);
    copyPiece(p, picture, from.body, to.body, pixelRatio);
    return image;
}

}  // namespace pulmora::reports
