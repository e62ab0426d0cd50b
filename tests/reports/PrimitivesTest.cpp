#include "PictureCheck.h"
#include "reports/ReportPicture.h"

#include <QApplication>

namespace pulmora::test {
namespace {

using reports::ReportCanvas;

struct Picture {
    explicit Picture(int width = 300, int height = 200) : image(width, height, QImage::Format_RGB32) {
        image.fill(Qt::white);
    }
    template <class Draw>
    QImage draw(Draw what) {
        QPainter p(&image);
        ReportCanvas c(p, image.width());
        what(c);
        return image;
    }
    QImage image;
};

const QFontMetrics& fm() {
    static const QFontMetrics metrics = reports::measure(reports::reportFont());
    return metrics;
}

TEST(DrawCellText, CentresTheTextInItsCell) {
    const QString text = "123";
    const int w = fm().horizontalAdvance(text), h = fm().height();
    const QImage pic = Picture().draw([&](ReportCanvas& c) { reports::DrawCellText(c, 100, 50, 60, 20, text); });
    const int x = int(100 + 30 - w * 0.5), y = int(50 + 10 - h * 0.5);
    EXPECT_TRUE(sameAsDrawn(pic, QRect(0, 0, 300, 200), [&](ReportCanvas& c) { c.text(x, y, text); }));
}

TEST(DrawCellText, ATextTooWideOrTooTallStartsAtTheCellsEdge) {
    const QString text = "a text far wider than its cell";
    const QImage wide = Picture().draw([&](ReportCanvas& c) { reports::DrawCellText(c, 100, 50, 20, 30, text); });
    const int y = int(50 + 15 - fm().height() * 0.5);
    EXPECT_TRUE(sameAsDrawn(wide, QRect(0, 0, 300, 200), [&](ReportCanvas& c) { c.text(100, y, text); }));
    const QImage tall = Picture().draw([&](ReportCanvas& c) { reports::DrawCellText(c, 100, 50, 200, 4, "7"); });
    const int x = int(100 + 100 - fm().horizontalAdvance("7") * 0.5);
    EXPECT_TRUE(sameAsDrawn(tall, QRect(0, 0, 300, 200), [&](ReportCanvas& c) { c.text(x, 50, "7"); }));
}

TEST(ReportCanvas, RectanglesAndLinesCoverTheirPixelsOnly) {
    const QImage pic = Picture().draw([](ReportCanvas& c) {
        c.rectangle(10, 10, 20, 15, Qt::black, Qt::yellow);
        c.hLine(30, 40, 50, Qt::red, 3);
        c.vLine(60, 5, 8, Qt::blue);
    });
    EXPECT_EQ(at(pic, 10, 10), QColor(Qt::black));
    EXPECT_EQ(at(pic, 19, 14), QColor(Qt::black));
    EXPECT_EQ(at(pic, 20, 14), QColor(Qt::white));
    EXPECT_EQ(at(pic, 19, 15), QColor(Qt::white));
    EXPECT_EQ(at(pic, 11, 11), QColor(Qt::yellow));
    EXPECT_EQ(at(pic, 18, 13), QColor(Qt::yellow));
    for (int y : {49, 50, 51}) EXPECT_EQ(at(pic, 30, y), QColor(Qt::red));
    EXPECT_EQ(at(pic, 30, 48), QColor(Qt::white));
    EXPECT_EQ(at(pic, 39, 50), QColor(Qt::red));
    EXPECT_EQ(at(pic, 40, 50), QColor(Qt::white));
    EXPECT_EQ(at(pic, 60, 7), QColor(Qt::blue));
    EXPECT_EQ(at(pic, 60, 8), QColor(Qt::white));
}

TEST(ReportCanvas, ABorderOfTwoPixelsLiesInsideTheRectangle) {
    const QImage pic = Picture().draw([](ReportCanvas& c) { c.rectangle(10, 10, 20, 18, Qt::black, Qt::yellow, 2); });
    for (int x : {10, 11, 18, 19}) EXPECT_EQ(at(pic, x, 14), QColor(Qt::black)) << x;
    for (int y : {10, 11, 16, 17}) EXPECT_EQ(at(pic, 15, y), QColor(Qt::black)) << y;
    EXPECT_EQ(at(pic, 12, 12), QColor(Qt::yellow));
    EXPECT_EQ(at(pic, 17, 15), QColor(Qt::yellow));
    EXPECT_EQ(at(pic, 20, 14), QColor(Qt::white));
    EXPECT_EQ(at(pic, 15, 18), QColor(Qt::white));
}

// A line drawn leftwards covers its start and stops before its end, like one drawn rightwards.
TEST(ReportCanvas, ALineDrawnLeftwards) {
    const QImage pic = Picture().draw([](ReportCanvas& c) { c.hLine(40, 37, 50, Qt::black, 3); });
    for (int x : {38, 39, 40}) EXPECT_EQ(at(pic, x, 50), QColor(Qt::black)) << x;
    EXPECT_EQ(at(pic, 37, 50), QColor(Qt::white));
    EXPECT_EQ(at(pic, 41, 50), QColor(Qt::white));
    EXPECT_EQ(at(pic, 39, 49), QColor(Qt::black));
    EXPECT_EQ(at(pic, 39, 51), QColor(Qt::black));
}

TEST(ReportCanvas, ATriangleIsFilledInsideItsBlackOutline) {
    const QImage pic = Picture().draw([](ReportCanvas& c) { c.triangle({50, 10}, {40, 20}, {60, 20}, Qt::green); });
    EXPECT_EQ(at(pic, 50, 10), QColor(Qt::black));  // the apex
    EXPECT_EQ(at(pic, 45, 20), QColor(Qt::black));  // the base
    EXPECT_EQ(at(pic, 50, 15), QColor(Qt::green));
    EXPECT_EQ(at(pic, 50, 19), QColor(Qt::green));
    EXPECT_EQ(at(pic, 42, 12), QColor(Qt::white));  // outside the sloping sides
    EXPECT_EQ(at(pic, 50, 21), QColor(Qt::white));
}

TEST(ReportCanvas, ItalicAndBoldChangeTheTextAndAreUndone) {
    const QString text = "Day/Month:";
    const QImage upright = Picture().draw([&](ReportCanvas& c) { c.text(5, 5, text); });
    const QImage italic = Picture().draw([&](ReportCanvas& c) {
        c.setItalic(true);
        c.text(5, 5, text);
        c.setItalic(false);
        c.text(5, 50, text);
    });
    EXPECT_NE(italic.copy(0, 0, 300, 40), upright.copy(0, 0, 300, 40));
    EXPECT_TRUE(sameAsDrawn(italic, QRect(0, 45, 300, 40), [&](ReportCanvas& c) { c.text(5, 50, text); }));
}

// The pictures are laid out at 96 pixels an inch: 8 points are 11 pixels, 10 points 13.
TEST(ReportFont, PointsAtNinetySixPixelsAnInch) {
    EXPECT_EQ(reports::reportFont(8).pixelSize(), 11);
    EXPECT_EQ(reports::reportFont(10).pixelSize(), 13);
    EXPECT_EQ(reports::reportFont(12).pixelSize(), 16);
    EXPECT_EQ(reports::reportFont(), reports::reportFont(8));
}

// Composing: only the rows asked for land, at the place asked for.
TEST(DrawRows, CopiesTheRowsAskedForToTheirPlace) {
    auto stripes = [](QPainter& p) {
        for (int y = 0; y < 100; y += 10) p.fillRect(QRect(0, y, 300, 10), y % 20 ? Qt::red : Qt::blue);
    };
    const QImage pic =
        Picture().draw([&](ReportCanvas& c) { reports::DrawRows(c.painter(), 300, 20, 40, 100, stripes); });
    EXPECT_EQ(at(pic, 5, 99), QColor(Qt::white));
    EXPECT_EQ(at(pic, 5, 100), QColor(Qt::blue));  // the stripe at 20
    EXPECT_EQ(at(pic, 5, 110), QColor(Qt::red));   // the stripe at 30
    EXPECT_EQ(at(pic, 5, 119), QColor(Qt::red));
    EXPECT_EQ(at(pic, 5, 120), QColor(Qt::white));
    EXPECT_EQ(at(pic, 5, 10), QColor(Qt::white));  // nothing of the rest
}

// A table of 6 rows of 16 pixels, a label column 100 wide and columns every 50 pixels.
TEST(DrawSectionBlock, MergesTheHeadingRowAndTheLabelColumn) {
    const int rh = 16;
    const QImage pic = Picture(300, 96).draw([&](ReportCanvas& c) {
        for (int i = 1; i < 6; ++i) c.hLine(0, 300, i * rh);
        for (int x = 100; x < 300; x += 50) c.vLine(x, 0, 96);
        reports::DrawSectionBlock(c, rh, 100, {1, 3, "Heading:", {"First", "Second"}});
    });
    // The heading row: a white box over the whole width with a black border, no column lines.
    EXPECT_EQ(at(pic, 150, rh), QColor(Qt::black));
    EXPECT_EQ(at(pic, 150, rh + 8), QColor(Qt::white));
    EXPECT_EQ(at(pic, 299, rh + 8), QColor(Qt::black));
    EXPECT_EQ(at(pic, 150, 2 * rh), QColor(Qt::black));
    // The label column: no row lines inside the block, the line under it stays.
    EXPECT_EQ(at(pic, 50, 2 * rh), QColor(Qt::white));
    EXPECT_EQ(at(pic, 50, 3 * rh), QColor(Qt::white));
    EXPECT_EQ(at(pic, 50, 4 * rh), QColor(Qt::black));
    EXPECT_EQ(at(pic, 0, 3 * rh), QColor(Qt::black));  // the picture's own left column is kept
    // The table part of the label rows keeps its grid.
    EXPECT_EQ(at(pic, 150, 3 * rh), QColor(Qt::black));
    EXPECT_EQ(at(pic, 100, 3 * rh + 8), QColor(Qt::black));
    auto texts = [&](ReportCanvas& c) {
        c.text(5, rh + 1, "Heading:");
        c.text(15, 2 * rh + 1, "First");
        c.text(15, 3 * rh + 1, "Second");
    };
    EXPECT_TRUE(sameAsDrawn(pic, QRect(2, rh + 1, 97, 3 * rh - 2), texts));
}

TEST(ChartScale, TwoPixelsAPercentFromTheChartTop) {
    const reports::ChartScale scale(500, 16);
    EXPECT_EQ(scale.y(500), 16);
    EXPECT_EQ(scale.y(400), 56);
    EXPECT_EQ(scale.y(0), 216);
    EXPECT_EQ(scale.y(401), 55);  // 39.6 pixels under the top, the fraction dropped
    EXPECT_EQ(scale.captionY(500), 18);
    EXPECT_EQ(scale.captionY(500 * 80 * 0.01L), 58);
}

TEST(ChartScale, WholePixelsOfAValue) {
    const reports::ChartScale scale(500, 0);
    EXPECT_EQ(scale.pixels(500), 200);
    EXPECT_EQ(scale.pixels(401), 160);  // 160.4
    EXPECT_EQ(scale.pixels(399), 159);  // 159.6
}

// The grid alone leaves the zone bands to be drawn later; both together are the whole chart.
TEST(DrawPercentChart, IsTheGridAndTheZoneBands) {
    store::RepPerson person;
    person.best = 500;
    person.zoneYellow = 80;
    person.zoneRed = 50;
    const reports::ChartPlacement chart{100, 0, 95, 14};
    const QImage whole = Picture(300, 220).draw([&](ReportCanvas& c) { reports::DrawPercentChart(c, chart, &person); });
    const QImage parts = Picture(300, 220).draw([&](ReportCanvas& c) {
        reports::DrawPercentGrid(c, chart);
        reports::DrawZoneBands(c, chart, person);
    });
    EXPECT_EQ(parts, whole);
    const QImage grid = Picture(300, 220).draw([&](ReportCanvas& c) { reports::DrawPercentGrid(c, chart); });
    EXPECT_EQ(at(grid, 3, 50), QColor(Qt::white));  // no zone bar
    EXPECT_EQ(at(whole, 3, 50), reports::colours::kYellow);
    EXPECT_EQ(at(grid, 200, 40), QColor(Qt::black));  // the 80 % line
}

TEST(ReportDate, DayMonthNameYear) {
    EXPECT_EQ(reports::reportDate({2026, 11, 5}), "5 Nov 2026");
    EXPECT_EQ(reports::reportDate({2026, 12, 28}), "28 Dec 2026");
}

TEST(ReportDate, DayColumnsWriteDaySlashMonthAndTheWeekday) {
    EXPECT_EQ(reports::dayMonth({2026, 11, 5}), "5/11");
    EXPECT_EQ(reports::dayMonth({2026, 1, 28}), "28/1");
    EXPECT_EQ(reports::weekdayName({2026, 11, 5}), "Thu");
    EXPECT_EQ(reports::weekdayName({2026, 12, 6}), "Sun");
}

}  // namespace
}  // namespace pulmora::test
