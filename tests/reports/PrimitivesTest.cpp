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

TEST(ReportDate, DayMonthNameYear) {
    EXPECT_EQ(reports::reportDate({2026, 11, 5}), "5 Nov 2026");
    EXPECT_EQ(reports::reportDate({2026, 12, 28}), "28 Dec 2026");
}

}  // namespace
}  // namespace pulmora::test
