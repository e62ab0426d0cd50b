#include "pictures/Pictures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
const char kName[] = "org.example.Icon";

// The icon files as the build writes them for installing, in a folder of the test's own.
class IconFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        int status = 0;
        const std::string output =
            runCommand(std::string(PULMORA_ICONS_TOOL) + " " + folder.path().string() + " " + kName + " 2>&1", status);
        ASSERT_EQ(status, 0) << output;
    }
    fs::path png(int size) const {
        const std::string sized = std::to_string(size) + "x" + std::to_string(size);
        return folder.path() / sized / "apps" / (std::string(kName) + ".png");
    }
    fs::path svg() const { return folder.path() / "scalable/apps" / (std::string(kName) + ".svg"); }

    TempFolder folder;
};

int largestChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

TEST_F(IconFilesTest, EachSizeIsTheIconTheProgramShowsOnItsWindow) {
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const QImage file(QString::fromStdString(png(size).string()));
        ASSERT_FALSE(file.isNull());
        EXPECT_EQ(file.size(), QSize(size, size));
        EXPECT_TRUE(file.hasAlphaChannel());
        EXPECT_EQ(file.convertToFormat(QImage::Format_ARGB32), controls::pictures::appIcon(size));
    }
}

// The scalable icon, drawn by another renderer at each size, is the same picture: no pixel is far
// from the painted one (edges are smoothed a little differently).
TEST_F(IconFilesTest, TheScalableIconIsTheSameDrawing) {
    ASSERT_TRUE(fs::is_regular_file(svg()));
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const std::string rendered = folder.file("rendered.png");
        int status = 0;
        const std::string side = std::to_string(size);
        const std::string output = runCommand(
            "rsvg-convert -w " + side + " -h " + side + " -o " + rendered + " " + svg().string() + " 2>&1", status);
        ASSERT_EQ(status, 0) << "the scalable icon could not be drawn with rsvg-convert (librsvg2-bin): " << output;
        // Compared premultiplied, so that the colour of a wholly transparent pixel does not count.
        const QImage drawn =
            QImage(QString::fromStdString(rendered)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage painted = controls::pictures::appIcon(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(drawn.size(), painted.size());
        int far = 0;
        long total = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const int difference = largestChannelDifference(drawn.pixel(x, y), painted.pixel(x, y));
                far += difference > 64;
                total += difference;
            }
        EXPECT_LE(far, 1);
        EXPECT_LT(double(total) / (size * size), 4.0);
    }
}

TEST_F(IconFilesTest, TheDiscAndTheTraceAreWhereTheyBelongAtTheSmallestSize) {
    const QImage icon(QString::fromStdString(png(16).string()));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);  // the corners are transparent
    EXPECT_EQ(qAlpha(icon.pixel(15, 15)), 0);
    EXPECT_EQ(icon.pixelColor(8, 3), QColor(0, 0, 128));  // the disc above the trace
    EXPECT_GT(icon.pixelColor(6, 9).green(), 200);        // the trace's level start
}

}  // namespace
}  // namespace pulmora::test
