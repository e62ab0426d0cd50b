#include "pictures/Contrast.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

// Known ratios: black on white is the most there is, #767676 the lightest grey that reads on
// white, and the calendar's light day colour on a lime cell far too little.
TEST(Contrast, RatiosAsTheGuidelinesGiveThem) {
    const struct {
        const char *text, *background;
        double ratio;
    } cases[] = {{"#000000", "#ffffff", 21.0},
                 {"#ffffff", "#ffffff", 1.0},
                 {"#767676", "#ffffff", 4.54},
                 {"#308cc6", "#00ff00", 2.69},
                 {"#ffffff", "#808080", 3.95}};
    for (const auto& c : cases)
        EXPECT_NEAR(controls::contrastRatio(QColor(c.text), QColor(c.background)), c.ratio, 0.01)
            << c.text << " on " << c.background;
}

}  // namespace
}  // namespace pulmora::test
