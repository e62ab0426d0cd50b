#include "pictures/Pictures.h"

#include <gtest/gtest.h>

#include <QRect>

namespace pulmora::test {
namespace {

bool isTrace(const QColor& c) { return c.green() > c.red() + 40 && c.green() > c.blue() + 40; }

int tracePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) count += isTrace(image.pixelColor(x, y));
    return count;
}

// The green trace runs below the two lines of text, at the daily card's size and larger.
TEST(SplashTest, TheTraceKeepsClearOfTheText) {
    for (const QSize size : {QSize(276, 134), QSize(600, 300)}) {
        const QImage splash = controls::pictures::splash(size);
        ASSERT_EQ(splash.size(), size);
        const QRect text = controls::pictures::splashTextArea(size);
        EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(text));
        EXPECT_EQ(tracePixels(splash, text), 0) << size.width() << " by " << size.height();
        EXPECT_GT(tracePixels(splash, splash.rect()), size.width()) << "no trace drawn";
        // The text is there: navy ink in its area.
        int ink = 0;
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x)
                ink += splash.pixelColor(x, y).blue() > 100 && splash.pixelColor(x, y).red() < 60;
        EXPECT_GT(ink, 50);
    }
}

}  // namespace
}  // namespace pulmora::test
