#include "output/PageSizing.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

using output::Extent;
using output::PageSizing;
using output::PrinterGauge;
using output::ScreenLetter;

// A screen "H" 8 wide and 12 high; on a 1200 dpi printer an "H" 96 wide with lines 152 apart
// and a printable room of 9917 by 14033 printer pixels (A4 without margins).
constexpr ScreenLetter kScreen{8, 12};
const PrinterGauge kPrinter{96, 152, QSize(9917, 14033), 1200, 1200};

TEST(PageSizingTest, ScaledSidesFollowTheLetterYardstick) {
    // 655 / 8 * 96 = 7860 wide; 900 / (12 + 4) * 152 = 8550 high.
    EXPECT_EQ(PageSizing::scaled(kScreen).printedSize(QSize(655, 900), kPrinter), QSize(7860, 8550));
    // Fractions of a printer pixel are dropped: 101 / 8 * 96 = 1212, 101 / 16 * 152 = 959.5.
    EXPECT_EQ(PageSizing::scaled(kScreen).printedSize(QSize(101, 101), kPrinter), QSize(1212, 959));
}

TEST(PageSizingTest, EachSideIsLimitedToThePrintableRoomOnItsOwn) {
    // Too wide: the width is cut to the room, the height keeps its scaled length.
    EXPECT_EQ(PageSizing::scaled(kScreen).printedSize(QSize(900, 900), kPrinter), QSize(9917, 8550));
    // Too tall: squeezed to the printable height at its computed width.
    EXPECT_EQ(PageSizing::scaled(kScreen).printedSize(QSize(655, 2000), kPrinter), QSize(7860, 14033));
}

TEST(PageSizingTest, FixedInchesAndCapsUseThePrinterResolution) {
    // Three inches wide, as tall as the yardstick says but at most six inches.
    const PageSizing pocket(Extent::inches(3), Extent::scaled().atMostInches(6), kScreen);
    EXPECT_EQ(pocket.printedSize(QSize(500, 900), kPrinter), QSize(3600, 7200));
    EXPECT_EQ(pocket.printedSize(QSize(500, 600), kPrinter), QSize(3600, 5700));
    // A different resolution across and down.
    const PrinterGauge uneven{48, 76, QSize(4960, 3508), 600, 300};
    EXPECT_EQ(pocket.printedSize(QSize(500, 900), uneven), QSize(1800, 1800));
    // Fixed lengths never run off the printable room either.
    EXPECT_EQ(PageSizing(Extent::inches(20), Extent::inches(1), kScreen).printedSize(QSize(10, 10), kPrinter),
              QSize(9917, 1200));
}

TEST(PageSizingTest, SharesOfThePrintableRoomIgnoreThePageSize) {
    const PageSizing quarters(Extent::ofPrintable(3.0 / 4), Extent::ofPrintable(2.0 / 4), ScreenLetter{});
    // 9917 * 3 / 4 = 7437.75, 14033 / 2 = 7016.5.
    EXPECT_EQ(quarters.printedSize(QSize(10, 10), kPrinter), QSize(7437, 7016));
    EXPECT_EQ(quarters.printedSize(QSize(5000, 5000), kPrinter), QSize(7437, 7016));
    EXPECT_TRUE(quarters.fault().isEmpty()) << "no letter is needed when no side is scaled";
}

TEST(PageSizingTest, AFittedPageFillsTheRoomInOneDirectionKeepingItsProportions) {
    // Landscape room 14033 by 9917: an 800 by 500 chart grows by 14033 / 800 = 17.54 to the
    // room's width (its height allows 19.83), a square by 9917 / 10 to the room's height.
    const PrinterGauge landscape{96, 152, QSize(14033, 9917), 1200, 1200};
    EXPECT_EQ(PageSizing::fitted().printedSize(QSize(800, 500), landscape), QSize(14033, 8770));
    EXPECT_EQ(PageSizing::fitted().printedSize(QSize(1000, 400), landscape), QSize(14033, 5613));
    EXPECT_EQ(PageSizing::fitted().printedSize(QSize(10, 10), landscape), QSize(9917, 9917));
    EXPECT_TRUE(PageSizing::fitted().fault().isEmpty()) << "no letter is needed";
}

TEST(PageSizingTest, UnusableRulesAreFaults) {
    EXPECT_TRUE(PageSizing::scaled(kScreen).fault().isEmpty());
    EXPECT_FALSE(PageSizing::scaled(ScreenLetter{0, 12}).fault().isEmpty());
    EXPECT_FALSE(PageSizing::scaled(ScreenLetter{8, 0}).fault().isEmpty());
    EXPECT_FALSE(PageSizing(Extent::inches(0), Extent::scaled(), kScreen).fault().isEmpty());
    EXPECT_FALSE(PageSizing(Extent::ofPrintable(-0.5), Extent::inches(2), kScreen).fault().isEmpty());
    EXPECT_FALSE(PageSizing(Extent::inches(3), Extent::scaled().atMostInches(0), kScreen).fault().isEmpty());
    // Only a scaled side needs the letter.
    EXPECT_FALSE(PageSizing(Extent::inches(3), Extent::scaled(), ScreenLetter{}).fault().isEmpty());
}

}  // namespace
}  // namespace pulmora::test
