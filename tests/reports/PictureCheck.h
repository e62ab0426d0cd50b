#pragma once

#include "reports/ReportCanvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <functional>

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

// Whether every pixel of the region is white.
inline bool blank(const QImage& picture, const QRect& region) {
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (picture.pixelColor(x, y) != QColor(Qt::white)) return false;
    return true;
}

}  // namespace pulmora::test
