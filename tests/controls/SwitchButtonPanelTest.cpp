#include "controls/Painting.h"
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace pulmora::test {
namespace {

using controls::TDaButton;
using controls::TDaPanel;
using controls::TDaSwitch;

void click(QWidget& w) { QTest::mouseClick(&w, Qt::LeftButton, {}, w.rect().center()); }

void enter(QWidget& w) {
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&w, &event);
}

void leave(QWidget& w) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&w, &event);
}

TEST(TDaSwitchTest, AGroupHasAtMostOneOn) {
    QWidget parent;
    TDaSwitch a(&parent), b(&parent), c(&parent), loner(&parent);
    for (TDaSwitch* s : {&a, &b, &c}) s->setGroupIndex(1);
    QSignalSpy clickedA(&a, &TDaSwitch::clicked), clickedB(&b, &TDaSwitch::clicked);
    click(a);
    click(b);
    EXPECT_FALSE(a.BtnState());
    EXPECT_TRUE(b.BtnState());
    EXPECT_EQ(clickedA.size(), 1);
    EXPECT_EQ(clickedB.size(), 1);
    click(b);
    EXPECT_FALSE(a.BtnState() || b.BtnState() || c.BtnState());
    EXPECT_EQ(clickedA.size(), 1);

    // Ungrouped switches toggle on every click, whatever their neighbours do.
    click(loner);
    click(c);
    EXPECT_TRUE(loner.BtnState());
    click(loner);
    EXPECT_FALSE(loner.BtnState());
    EXPECT_TRUE(c.BtnState());

    QSignalSpy clickedC(&c, &TDaSwitch::clicked);
    a.SetGroupState(true);
    EXPECT_TRUE(a.BtnState());
    EXPECT_FALSE(c.BtnState());
    c.setBtnState(true);  // the state alone: the group is left as it is
    EXPECT_TRUE(a.BtnState());
    EXPECT_EQ(clickedC.size(), 0);
}

TEST(TDaSwitchTest, SpaceClicksAFocusedSwitch) {
    QWidget parent;
    TDaSwitch a(&parent), b(&parent);
    a.setGroupIndex(2);
    b.setGroupIndex(2);
    b.setBtnState(true);
    QSignalSpy clicked(&a, &TDaSwitch::clicked);
    QTest::keyClick(&a, Qt::Key_Space);
    EXPECT_TRUE(a.BtnState());
    EXPECT_FALSE(b.BtnState());
    EXPECT_EQ(clicked.size(), 1);
}

TEST(TDaSwitchTest, ShowsTheHalfOfItsPictureForItsState) {
    const QColor off(0, 0, 255), on(0, 200, 0), background(230, 230, 230);
    QImage strip(40, 20, QImage::Format_RGB32);
    strip.fill(off);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x) strip.setPixelColor(x, y, on);
    for (int y = 8; y < 12; ++y)
        for (int x : {8, 9, 10, 11, 28, 29, 30, 31}) strip.setPixelColor(x, y, controls::kOlive);

    // The switch is drawn on the background of the page it stands on.
    QWidget page;
    page.setAutoFillBackground(true);
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, background);
    page.setPalette(palette);
    page.resize(40, 40);
    TDaSwitch sw(&page);
    sw.resize(40, 40);
    sw.setBtnImage(strip);
    // The 20 by 20 half stands centred: from (10, 10) to (29, 29).
    QImage shown = page.grab().toImage();
    EXPECT_EQ(shown.pixelColor(12, 12), off);
    EXPECT_EQ(shown.pixelColor(19, 19), background);  // olive is not drawn
    EXPECT_EQ(shown.pixelColor(5, 20), background);
    sw.setBtnState(true);
    shown = page.grab().toImage();
    EXPECT_EQ(shown.pixelColor(12, 12), on);
    EXPECT_EQ(shown.pixelColor(19, 19), background);
}

// A page of a distinctive colour with a switch and an entry on it, as on a tab page.
struct ColouredPage {
    static inline const QColor kPage{10, 200, 30};
    ColouredPage() : on(&page), entry(&page) {
        page.resize(100, 40);
        page.setAutoFillBackground(true);
        QPalette p = page.palette();
        p.setColor(QPalette::Window, kPage);
        page.setPalette(p);
        QImage strip(32, 16, QImage::Format_RGB32);
        strip.fill(QColor(255, 0, 0));
        on.setBtnImage(strip);
        on.setGeometry(0, 0, 30, 30);
        on.setBtnState(true);
        entry.setMaxValue(800);
        entry.setGeometry(40, 0, 60, 30);
    }
    QColor at(const QWidget& w, const QPoint& p) {
        return page.grab().toImage().pixelColor(w.geometry().topLeft() + p);
    }
    QWidget page;
    TDaSwitch on;
    controls::TDaNumber entry;
};

TEST(TDaSwitchTest, SwitchesAndEntriesAreDrawnOnTheirPagesBackground) {
    ColouredPage page;
    EXPECT_EQ(page.at(page.on, {2, 2}), ColouredPage::kPage);
    EXPECT_EQ(page.at(page.on, {28, 28}), ColouredPage::kPage);
    EXPECT_EQ(page.at(page.entry, {1, 1}), ColouredPage::kPage);  // outside the digit cells
    EXPECT_EQ(page.at(page.on, {15, 15}), QColor(255, 0, 0));
}

TEST(TDaSwitchTest, ADisabledSwitchAndEntryLookDisabled) {
    ColouredPage page;
    QPalette navy = page.entry.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) navy.setColor(group, QPalette::Base, QColor(0, 0, 128));
    page.entry.setPalette(navy);
    const QPoint inCell(5, 15);  // inside the first digit cell, clear of its digit
    ASSERT_EQ(page.at(page.entry, inCell), QColor(0, 0, 128));
    page.page.setEnabled(false);
    const QColor picture = page.at(page.on, {15, 15});
    EXPECT_LT(picture.hsvSaturation(), 60) << "the switch keeps its colour: " << picture.name().toStdString();
    EXPECT_EQ(page.at(page.entry, inCell), page.entry.palette().color(QPalette::Disabled, QPalette::Base));
}

TEST(TDaButtonTest, ClicksOnlyWhenReleasedOverIt) {
    QWidget parent;
    parent.resize(200, 200);
    TDaButton button(&parent);
    button.move(50, 50);
    QSignalSpy clicked(&button, &TDaButton::clicked);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.mouseState(), TDaButton::MouseState::Pressed);
    QTest::mouseMove(&button, QPoint(-20, 10));
    EXPECT_EQ(button.mouseState(), TDaButton::MouseState::PressedOutside);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-20, 10));
    EXPECT_EQ(clicked.size(), 0);
    EXPECT_EQ(button.mouseState(), TDaButton::MouseState::Idle);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(&button, QPoint(-20, 10));
    QTest::mouseMove(&button, QPoint(12, 12));
    EXPECT_EQ(button.mouseState(), TDaButton::MouseState::Pressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicked.size(), 1);

    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicked.size(), 2);
}

TEST(TDaButtonTest, HoverRaisesEnterAndExitAndSwapsTheGlyph) {
    TDaButton button;
    QImage resting(16, 16, QImage::Format_RGB32), active(16, 16, QImage::Format_RGB32);
    resting.fill(Qt::blue);
    active.fill(Qt::red);
    button.setGlyphInactive(resting);
    button.setGlyphActive(active);
    QSignalSpy entered(&button, &TDaButton::mouseEntered), exited(&button, &TDaButton::mouseExited);
    const QPoint middle(25, 20);
    EXPECT_EQ(button.grab().toImage().pixelColor(middle), QColor(Qt::blue));
    enter(button);
    EXPECT_EQ(button.mouseState(), TDaButton::MouseState::Hot);
    EXPECT_EQ(button.grab().toImage().pixelColor(middle), QColor(Qt::red));
    leave(button);
    EXPECT_EQ(entered.size(), 1);
    EXPECT_EQ(exited.size(), 1);
    EXPECT_EQ(button.grab().toImage().pixelColor(middle), QColor(Qt::blue));
}

TEST(TDaPanelTest, MarkerIsNavyAwayAndRedUnderThePointer) {
    TDaPanel panel;
    panel.resize(10, 24);
    panel.setCaption("Johnny");
    EXPECT_EQ(panel.width(), QFontMetrics(panel.font()).horizontalAdvance("Johnny") + 30);
    const QRect marker = panel.markerRect();
    // A point inside both the left- and the down-pointing triangle.
    const QPoint inside(marker.center().x() + 1, marker.top() + 3);
    EXPECT_EQ(panel.grab().toImage().pixelColor(inside), QColor(0, 0, 128));
    enter(panel);
    EXPECT_TRUE(panel.PanState());
    EXPECT_EQ(panel.grab().toImage().pixelColor(inside), QColor(255, 0, 0));
    leave(panel);
    EXPECT_FALSE(panel.PanState());
    QSignalSpy clicked(&panel, &TDaPanel::clicked);
    click(panel);
    EXPECT_EQ(clicked.size(), 1);
}

TEST(TDaPanelTest, ACaptionWiderThanAllowedIsCutShortWithItsMarkerAndInFullAsTooltip) {
    TDaPanel panel;
    panel.resize(10, 24);
    panel.setMaximumWidth(200);
    panel.setToolTip("Next person");
    const QString name(30, QLatin1Char('W'));
    panel.setCaption(name);
    EXPECT_LE(panel.width(), 200);
    EXPECT_GT(panel.width(), 180);
    EXPECT_NE(panel.shownCaption(), name);
    EXPECT_TRUE(panel.shownCaption().endsWith(QChar(0x2026)));
    const QRect marker = panel.markerRect();
    EXPECT_LE(marker.right(), panel.width() - 1);
    const QPoint inside(marker.center().x() + 1, marker.top() + 3);
    EXPECT_EQ(panel.grab().toImage().pixelColor(inside), QColor(0, 0, 128));
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), panel.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&panel, &help);
    EXPECT_EQ(QToolTip::text(), name + "\nNext person");
    // A name that fits is shown whole again.
    panel.setCaption("Jo");
    EXPECT_EQ(panel.shownCaption(), "Jo");
    EXPECT_EQ(panel.width(), QFontMetrics(panel.font()).horizontalAdvance("Jo") + 30);
}

}  // namespace
}  // namespace pulmora::test
