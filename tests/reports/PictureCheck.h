#pragma once

#include "reports/ReportCanvas.h"
#include "reports/ReportResult.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPicture>

#include <functional>

// Colours in failure messages as their red, green, blue values.
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

namespace pulmora::test {

inline QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// Whether the picture holds, inside the region, exactly what `draw` draws there on a white
// picture of the same size: a text at its place, pixel for pixel.
inline ::testing::AssertionResult sameAsDrawn(const QImage& picture, const QRect& region,
                                              const std::function<void(reports::ReportCanvas&)>& draw) {
    QImage expected(picture.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        reports::ReportCanvas canvas(p, picture.width());
        draw(canvas);
    }
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    int differing = 0, ink = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x) {
            if (expected.pixel(x, y) != QColor(Qt::white).rgb()) ++ink;
            if (expected.pixel(x, y) != actual.pixel(x, y)) ++differing;
        }
    if (ink == 0) return ::testing::AssertionFailure() << "nothing is drawn in the region to compare with";
    if (differing) return ::testing::AssertionFailure() << differing << " pixels differ in the region";
    return ::testing::AssertionSuccess();
}

enum class Style { Upright, Bold, Italic };

// Whether the text stands with its top left corner at (left, top), in the picture font and style.
inline ::testing::AssertionResult writes(const QImage& picture, int left, int top, const QString& text,
                                         Style style = Style::Upright) {
    QFont font = reports::reportFont();
    font.setBold(style == Style::Bold);
    font.setItalic(style == Style::Italic);
    const QFontMetrics fm = reports::measure(font);
    const QRect region(left, top, fm.horizontalAdvance(text), fm.height());
    return sameAsDrawn(picture, region, [&](reports::ReportCanvas& c) {
        c.setBold(style == Style::Bold);
        c.setItalic(style == Style::Italic);
        c.text(left, top, text);
    });
}

// The report's drawing recorded as vectors, as printing records it, and replayed on white.
inline QImage replayed(const reports::ReportResult& report) {
    QPicture recorded;
    {
        QPainter painter(&recorded);
        report.drawing(painter);
    }
    QImage image(report.picture().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawPicture(0, 0, recorded);
    }
    return image;
}

// Whether every pixel of the region is white.
inline bool blank(const QImage& picture, const QRect& region) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (picture.pixelColor(x, y) != QColor(Qt::white)) return false;
    return true;
}

}  // namespace pulmora::test
