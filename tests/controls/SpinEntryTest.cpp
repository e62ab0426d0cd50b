#include "controls/TDaNumber.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace pulmora::test {
namespace {

using controls::TDaNumber;
using controls::TDaSingle;

void clickAt(QWidget& w, int x, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&w, button, {}, QPoint(x, w.height() / 2));
}

TEST(TDaNumberTest, EachDigitCellStepsByItsPlace) {
    TDaNumber entry;
    entry.setMaxValue(800);
    entry.resize(60, 24);
    EXPECT_EQ(entry.digitCount(), 3);
    clickAt(entry, 55);
    EXPECT_EQ(entry.NoValue(), 1);
    clickAt(entry, 30);
    EXPECT_EQ(entry.NoValue(), 11);
    clickAt(entry, 5);
    EXPECT_EQ(entry.NoValue(), 111);
    // The leftmost pixel column belongs to the hundreds cell, not to a thousands step.
    clickAt(entry, 0);
    EXPECT_EQ(entry.NoValue(), 211);
    clickAt(entry, 0, Qt::RightButton);
    clickAt(entry, 0, Qt::RightButton);
    clickAt(entry, 0, Qt::RightButton);
    EXPECT_EQ(entry.NoValue(), 0);
    entry.setNoValue(750);
    clickAt(entry, 5);
    EXPECT_EQ(entry.NoValue(), 800);
}

TEST(TDaNumberTest, StaysWithinItsRange) {
    TDaNumber zone;
    zone.setMaxValue(80);
    zone.setMinValue(60);
    zone.resize(40, 24);
    EXPECT_EQ(zone.digitCount(), 2);
    EXPECT_EQ(zone.NoValue(), 60);
    zone.setNoValue(0);
    EXPECT_EQ(zone.NoValue(), 60);
    for (int i = 0; i < 5; ++i) clickAt(zone, 35);
    EXPECT_EQ(zone.NoValue(), 65);
    clickAt(zone, 5);
    EXPECT_EQ(zone.NoValue(), 75);
    clickAt(zone, 5);
    EXPECT_EQ(zone.NoValue(), 80);
    clickAt(zone, 5, Qt::RightButton);
    clickAt(zone, 5, Qt::RightButton);
    EXPECT_EQ(zone.NoValue(), 60);
}

TEST(TDaNumberTest, SettersKeepTheBoundsInOrder) {
    TDaNumber entry;
    entry.setMaxValue(20);
    entry.setMinValue(10);
    entry.setNoValue(12);
    entry.setMaxValue(5);
    EXPECT_EQ(entry.MinValue(), 5);
    EXPECT_EQ(entry.MaxValue(), 5);
    EXPECT_EQ(entry.NoValue(), 5);
    entry.setMinValue(9);
    EXPECT_EQ(entry.MaxValue(), 9);
    EXPECT_EQ(entry.NoValue(), 9);
}

TEST(TDaNumberTest, EventsOfAPressAndAQuickSecondPress) {
    TDaNumber entry;
    entry.setMaxValue(800);
    entry.resize(60, 24);
    QSignalSpy pressed(&entry, &TDaNumber::mousePressed);
    QSignalSpy released(&entry, &TDaNumber::mouseReleased);
    QSignalSpy clicked(&entry, &TDaNumber::clicked);
    clickAt(entry, 55, Qt::RightButton);
    EXPECT_EQ(released.size(), 1);
    EXPECT_EQ(released.takeFirst().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(clicked.size(), 0);
    // A quick double click arrives as a press and release, then a double-click event in place
    // of the second press.
    QTest::mouseClick(&entry, Qt::LeftButton, {}, QPoint(55, 12));
    QTest::mouseDClick(&entry, Qt::LeftButton, {}, QPoint(55, 12));
    EXPECT_EQ(entry.NoValue(), 2);  // both presses count
    EXPECT_EQ(pressed.size(), 3);
}

TEST(TDaSingleTest, StepsByOneWherever) {
    TDaSingle count;
    count.setMaxValue(20);
    count.setNoValue(20);
    count.resize(30, 30);
    clickAt(count, 2);
    EXPECT_EQ(count.NoValue(), 20);
    clickAt(count, 28, Qt::RightButton);
    EXPECT_EQ(count.NoValue(), 19);
}

TEST(SpinEntryKeys, UpAndDownStepAndReportLikeAClick) {
    TDaNumber entry;
    entry.setMaxValue(800);
    entry.setNoValue(800);
    QSignalSpy released(&entry, &TDaNumber::mouseReleased);
    QTest::keyClick(&entry, Qt::Key_Up);
    EXPECT_EQ(entry.NoValue(), 800);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released.takeFirst().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QTest::keyClick(&entry, Qt::Key_Minus);
    EXPECT_EQ(entry.NoValue(), 799);
    EXPECT_EQ(released.takeFirst().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(entry.focusPolicy(), Qt::StrongFocus);
}

// Typing a number: digits fill the cells from the left, the cells not yet typed stand empty,
// and every digit counts at once, reported as a press is.
TEST(SpinEntryKeys, DigitsTypedReplaceFromTheLeftAndCountAtOnce) {
    TDaNumber entry;
    entry.setMaxValue(800);
    entry.setNoValue(123);
    QSignalSpy released(&entry, &TDaNumber::mouseReleased);
    QTest::keyClick(&entry, Qt::Key_4);
    EXPECT_EQ(entry.NoValue(), 4);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released.takeFirst().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QTest::keyClick(&entry, Qt::Key_5);
    EXPECT_EQ(entry.shownDigits(), "45 ");  // none of the old digits mixed in
    EXPECT_EQ(entry.markedCell(), 2);
    EXPECT_EQ(entry.NoValue(), 45);
    EXPECT_EQ(released.size(), 1);
    QTest::keyClick(&entry, Qt::Key_Return);
    EXPECT_EQ(entry.NoValue(), 45);
    EXPECT_EQ(entry.shownDigits(), "045");
    EXPECT_FALSE(entry.typing());

    QTest::keyClicks(&entry, "45");
    QTest::keyClick(&entry, Qt::Key_0);
    released.clear();
    QTest::keyClick(&entry, Qt::Key_7);  // every cell typed: further digits are ignored
    EXPECT_EQ(entry.shownDigits(), "450");
    EXPECT_EQ(entry.markedCell(), -1);
    EXPECT_EQ(entry.NoValue(), 450);
    EXPECT_EQ(released.size(), 0);
    QTest::keyClick(&entry, Qt::Key_Return);
    EXPECT_EQ(entry.NoValue(), 450);

    // Backspace takes the last digit back; Escape drops what was typed and brings the value
    // from before back, each reported as a change.
    QTest::keyClicks(&entry, "37");
    QTest::keyClick(&entry, Qt::Key_Backspace);
    EXPECT_EQ(entry.shownDigits(), "3  ");
    EXPECT_EQ(entry.NoValue(), 3);
    released.clear();
    QTest::keyClick(&entry, Qt::Key_Escape);
    EXPECT_EQ(entry.shownDigits(), "450");
    EXPECT_EQ(entry.NoValue(), 450);
    EXPECT_EQ(released.size(), 1);
    QTest::keyClick(&entry, Qt::Key_6);
    QTest::keyClick(&entry, Qt::Key_Backspace);
    EXPECT_FALSE(entry.typing());
    EXPECT_EQ(entry.NoValue(), 450);

    // Too high for the range: clamped as a press would be, and the cells show what is held.
    TDaNumber held;
    held.setMaxValue(800);
    held.setNoValue(800);
    entry.resize(90, 30);
    held.resize(90, 30);
    QTest::keyClicks(&entry, "950");
    EXPECT_EQ(entry.NoValue(), 800);
    EXPECT_EQ(entry.shownDigits(), "800");
    EXPECT_EQ(entry.grab().toImage(), held.grab().toImage());
    QTest::keyClick(&entry, Qt::Key_Enter);
    EXPECT_EQ(entry.NoValue(), 800);

    // A value set from outside, as a card loading a day does, ends the typing.
    QTest::keyClicks(&entry, "12");
    entry.setNoValue(300);
    EXPECT_FALSE(entry.typing());
    EXPECT_EQ(entry.shownDigits(), "300");
}

TEST(SpinEntryKeys, LeavingTheEntryConfirmsWhatWasTyped) {
    QWidget window;
    TDaNumber zone(&window);
    zone.setMaxValue(80);
    zone.setMinValue(60);
    TDaNumber other(&window);
    other.setMaxValue(800);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    zone.setFocus();
    QTest::keyClicks(&zone, "7");
    QTest::keyClick(&zone, Qt::Key_5);
    QTest::keyClick(&zone, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &other);
    EXPECT_EQ(zone.NoValue(), 75);
    // Too low for the range: clamped on leaving, as a press would be.
    zone.setFocus();
    QTest::keyClicks(&zone, "5");
    other.setFocus();
    EXPECT_EQ(zone.NoValue(), 60);
    // A press on the entry settles the typing first, then steps.
    zone.setFocus();
    QTest::keyClicks(&zone, "66");
    clickAt(zone, zone.width() - 2);
    EXPECT_EQ(zone.NoValue(), 67);
}

TEST(SpinEntryKeys, UpAndDownStepTheMarkedDigit) {
    TDaNumber entry;
    entry.setMaxValue(800);
    EXPECT_EQ(entry.markedCell(), 2);  // the units at first
    QTest::keyClick(&entry, Qt::Key_Up);
    EXPECT_EQ(entry.NoValue(), 1);
    QTest::keyClick(&entry, Qt::Key_Left);
    EXPECT_EQ(entry.markedCell(), 1);
    QTest::keyClick(&entry, Qt::Key_Up);
    EXPECT_EQ(entry.NoValue(), 11);
    QTest::keyClick(&entry, Qt::Key_Left);
    QTest::keyClick(&entry, Qt::Key_Left);  // no cell left of the hundreds
    EXPECT_EQ(entry.markedCell(), 0);
    for (int i = 0; i < 4; ++i) QTest::keyClick(&entry, Qt::Key_Up);
    EXPECT_EQ(entry.NoValue(), 411);
    QTest::keyClick(&entry, Qt::Key_Down);
    EXPECT_EQ(entry.NoValue(), 311);
    QTest::keyClick(&entry, Qt::Key_Right);
    QTest::keyClick(&entry, Qt::Key_Right);
    QTest::keyClick(&entry, Qt::Key_Down);
    EXPECT_EQ(entry.NoValue(), 310);
}

// The focus mark is drawn under the marked digit while the entry has the focus.
TEST(SpinEntryPainting, TheFocusMarkStandsUnderTheMarkedDigit) {
    QWidget window;
    TDaNumber entry(&window);
    entry.setMaxValue(800);
    entry.resize(90, 30);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    entry.setFocus();
    const QRgb mark = entry.palette().color(QPalette::Highlight).rgb();
    auto markIn = [&](int cell) {
        const QImage shown = entry.grab().toImage();
        return shown.pixel(cell * 30 + 15, 30 - 4 - 3) == mark;
    };
    EXPECT_TRUE(markIn(2));
    EXPECT_FALSE(markIn(0));
    QTest::keyClick(&entry, Qt::Key_Left);
    QTest::keyClick(&entry, Qt::Key_Left);
    EXPECT_TRUE(markIn(0));
    EXPECT_FALSE(markIn(2));
}

// The value's digits stand in separate cells: changing the last digit repaints only the last
// cell, and every cell shows a digit.
TEST(SpinEntryPainting, DigitsStandInSeparateCells) {
    TDaNumber entry;
    entry.setMaxValue(800);
    entry.resize(90, 30);
    const QImage zero = entry.grab().toImage();
    entry.setNoValue(5);
    const QImage five = entry.grab().toImage();
    const int cell = 90 / 3;
    int changedLeft = entry.width(), changedRight = -1;
    for (int y = 0; y < zero.height(); ++y)
        for (int x = 0; x < zero.width(); ++x)
            if (zero.pixel(x, y) != five.pixel(x, y)) {
                changedLeft = std::min(changedLeft, x);
                changedRight = std::max(changedRight, x);
            }
    EXPECT_GE(changedLeft, 2 * cell);
    EXPECT_LT(changedRight, 3 * cell);

    const QRgb base = entry.palette().color(QPalette::Base).rgb();
    for (int i = 0; i < 3; ++i) {
        int ink = 0;
        for (int y = 8; y < 22; ++y)
            for (int x = i * cell + 6; x < (i + 1) * cell - 6; ++x) ink += zero.pixel(x, y) != base;
        EXPECT_GT(ink, 5) << "cell " << i << " shows no digit";
    }
    // The outline of each cell is drawn in the window-text colour at its left edge.
    const QRgb outline = entry.palette().color(QPalette::WindowText).rgb();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(zero.pixel(i * cell, 15), outline) << "cell " << i;
}

}  // namespace
}  // namespace pulmora::test
