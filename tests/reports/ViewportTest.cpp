#include "PictureCheck.h"
#include "reports/Viewport.h"

namespace pulmora::test {
namespace {

using reports::Navigation;
using reports::Viewport;

// A picture of 1000 by 800 with a label column of 100, a header band of 250 of which a strip of
// 200 can be hidden, rows of 17 and columns of 40.
Viewport viewport() {
    Viewport v;
    v.FixedWidth = 100;
    v.HeaderHeight = 250;
    v.GraphStripHeight = 200;
    v.GraphHeaderHeight = 50;
    v.GraphShown = 1;
    v.StepX = 40;
    v.StepY = 17;
    v.PictureWidth = 1000;
    v.PictureHeight = 800;
    return v;
}

Viewport after(Viewport v, Navigation command, QSize view = {500, 400}) {
    reports::navigate(v, command, view);
    return v;
}

TEST(Navigation, UpRoundsDownToAWholeStep) {
    Viewport v = viewport();
    v.ScrollY = 40;
    EXPECT_EQ(after(v, Navigation::Up).ScrollY, 17);  // 23 rounded down to a multiple of 17
    v.ScrollY = 10;
    EXPECT_EQ(after(v, Navigation::Up).ScrollY, 0);
}

TEST(Navigation, DownStopsWithTheLastRowAtTheBottom) {
    Viewport v = viewport();
    v.ScrollY = 17;
    EXPECT_EQ(after(v, Navigation::Down).ScrollY, 34);
    v.ScrollY = 390;
    EXPECT_EQ(after(v, Navigation::Down).ScrollY, 400);  // 800 - 400
    v.GraphShown = 0;                                    // the hidden strip counts as scrolled away
    v.ScrollY = 190;
    EXPECT_EQ(after(v, Navigation::Down).ScrollY, 200);                     // 800 - 400 - 200
    EXPECT_EQ(after(viewport(), Navigation::Down, {500, 900}).ScrollY, 0);  // the view is taller than the picture
}

TEST(Navigation, SidewaysWithinThePicture) {
    Viewport v = viewport();
    EXPECT_EQ(after(v, Navigation::Right).ScrollX, 40);
    v.ScrollX = 480;
    EXPECT_EQ(after(v, Navigation::Right).ScrollX, 500);  // 1000 - 500
    v.ScrollX = 30;
    EXPECT_EQ(after(v, Navigation::Left).ScrollX, 0);
    EXPECT_EQ(after(viewport(), Navigation::Right, {1200, 400}).ScrollX, 0);
}

TEST(Navigation, TheEnds) {
    Viewport v = viewport();
    v.ScrollX = 200;
    v.ScrollY = 300;
    EXPECT_EQ(after(v, Navigation::Top).ScrollY, 0);
    EXPECT_EQ(after(v, Navigation::Beginning).ScrollX, 0);
    EXPECT_EQ(after(v, Navigation::End).ScrollX, 500);
    EXPECT_EQ(after(v, Navigation::End, {1200, 400}).ScrollX, 0);  // a narrow picture stays at 0
    // The very end, as "Down" reaches it: the last rows (the footer) wholly in sight.
    EXPECT_EQ(after(v, Navigation::Bottom).ScrollY, 400);  // 800 - 400
    v.GraphShown = 0;
    EXPECT_EQ(after(v, Navigation::Bottom).ScrollY, 200);  // 800 - 400 - 200
    EXPECT_EQ(after(v, Navigation::Bottom, {500, 900}).ScrollY, 0);
}

TEST(Navigation, TheGraphStripIsHiddenAndShown) {
    Viewport v = after(viewport(), Navigation::ToggleGraph);
    EXPECT_EQ(v.GraphShown, 0);
    EXPECT_TRUE(v.stripHidden());
    EXPECT_EQ(after(v, Navigation::ToggleGraph).GraphShown, 1);
    Viewport none = viewport();
    none.GraphStripHeight = 0;
    none.GraphShown = 0;
    EXPECT_FALSE(none.stripHidden());  // nothing to hide
}

TEST(Navigation, AResizeStartsSmallOffsetsAgain) {
    Viewport v = viewport();
    v.ScrollX = 400;
    v.ScrollY = 500;
    reports::keepScrollOnResize(v, {500, 400});
    EXPECT_EQ(v.ScrollX, 0);
    EXPECT_EQ(v.ScrollY, 500);
}

TEST(ViewPieces, SourcesAndDestinations) {
    Viewport v = viewport();
    v.ScrollX = 40;
    v.ScrollY = 34;
    const auto shown = reports::sources(v);
    EXPECT_EQ(shown.corner, QRect(0, 0, 100, 250));
    EXPECT_EQ(shown.header, QRect(140, 0, 900, 250));
    EXPECT_EQ(shown.column, QRect(0, 284, 100, 550));
    EXPECT_EQ(shown.body, QRect(140, 284, 900, 550));
    const auto to = reports::destinationsShown(v);
    EXPECT_EQ(to.header, QRect(100, 0, 900, 250));
    EXPECT_EQ(to.body, QRect(100, 250, 900, 550));

    v.GraphShown = 0;
    const auto hidden = reports::sources(v);
    EXPECT_EQ(hidden.corner, QRect(0, 200, 100, 50));
    EXPECT_EQ(hidden.header, QRect(140, 200, 900, 50));
    EXPECT_EQ(hidden.column, QRect(0, 284, 100, 550));
    EXPECT_EQ(hidden.body, QRect(140, 284, 900, 550));
    const auto into = reports::destinationsHidden(v);
    EXPECT_EQ(into.corner, QRect(0, 0, 100, 50));
    EXPECT_EQ(into.column, QRect(0, 50, 100, 550));
    EXPECT_EQ(into.body, QRect(100, 50, 900, 550));
}

// A picture whose every pixel tells where it came from: red is x / 4, green y / 4.
QImage coordinates() {
    QImage image(1000, 800, QImage::Format_RGB32);
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1000; ++x) image.setPixel(x, y, qRgb(x / 4, y / 4, 128));
    return image;
}

QPoint origin(const QImage& view, int x, int y) {
    const QColor c = view.pixelColor(x, y);
    return {c.red() * 4, c.green() * 4};
}

TEST(PaintViewport, TheFixedPartsStayWhileTheBodyScrolls) {
    const QImage picture = coordinates();
    Viewport v = viewport();
    v.ScrollX = 80;
    v.ScrollY = 120;
    const QImage view = reports::PaintViewport(picture, v, {500, 400});
    EXPECT_EQ(view.size(), QSize(500, 400));
    EXPECT_EQ(origin(view, 40, 100), QPoint(40, 100));    // corner
    EXPECT_EQ(origin(view, 200, 100), QPoint(280, 100));  // header band, scrolled sideways only
    EXPECT_EQ(origin(view, 40, 300), QPoint(40, 420));    // label column, scrolled down only
    EXPECT_EQ(origin(view, 200, 300), QPoint(280, 420));  // body

    v.GraphShown = 0;  // the strip goes; the header rows under it stay on top
    const QImage hidden = reports::PaintViewport(picture, v, {500, 400});
    EXPECT_EQ(origin(hidden, 40, 20), QPoint(40, 220));
    EXPECT_EQ(origin(hidden, 200, 20), QPoint(280, 220));
    EXPECT_EQ(origin(hidden, 200, 100), QPoint(280, 420));  // the body starts under the strip and header rows
}

TEST(PaintViewport, BeyondThePictureTheViewIsWhite) {
    Viewport v = viewport();
    v.PictureWidth = 300;
    v.PictureHeight = 300;
    const QImage picture = coordinates().copy(0, 0, 300, 300);
    const QImage view = reports::PaintViewport(picture, v, {500, 400});
    EXPECT_EQ(origin(view, 290, 290), QPoint(288, 288));
    EXPECT_TRUE(blank(view, QRect(300, 0, 200, 400)));
    EXPECT_TRUE(blank(view, QRect(0, 300, 500, 100)));
}

TEST(PaintViewport, AtAHigherPixelRatio) {
    const QImage base = coordinates();
    QImage picture = base.scaled(2000, 1600);
    picture.setDevicePixelRatio(2.0);
    Viewport v = viewport();
    v.ScrollX = 80;
    const QImage view = reports::PaintViewport(picture, v, {500, 400}, 2.0);
    EXPECT_EQ(view.size(), QSize(1000, 800));
    EXPECT_EQ(origin(view, 400, 200), QPoint(280, 100));
}

TEST(ViewportFields, EveryValueHasItsName) {
    Viewport v;
    int n = 0;
    for (const auto& f : reports::viewportFields()) v.*f.value = ++n;
    EXPECT_EQ(size_t(n), sizeof(Viewport) / sizeof(int));
    EXPECT_EQ(v.FixedWidth, 1);
    EXPECT_EQ(v.PictureHeight, n);
}

}  // namespace
}  // namespace pulmora::test
