#include "CardFixture.h"

#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListWidget>
#include <QSet>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

namespace pulmora::test {
namespace {

class KeyboardTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
        start();
        card().show();
        QApplication::setActiveWindow(&card());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card()));
    }
    // The widgets that take the focus on `count` presses of Tab (or Shift+Tab) from `start`.
    QList<QWidget*> walk(QWidget* start, int count, bool backwards = false) {
        start->setFocus(Qt::OtherFocusReason);
        QList<QWidget*> seen;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            seen << QApplication::focusWidget();
        }
        return seen;
    }
};

TEST_F(KeyboardTest, TabLeavesTheGridAndReachesEveryButtonInReadingOrder) {
    card().Tabs->setCurrentIndex(1);
    auto& page = additional();
    const QList<QWidget*> forward = walk(card().SelAsName, 40);
    const QList<QWidget*> expected = {card().BtnPer,       card().BtnRep,      card().BtnMenu,
                                      card().BackYear,     card().BackMonth,   card().PanDate,
                                      card().ForwardMonth, card().ForwardYear};
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(forward.value(i), expected[i]) << "press " << i + 1;
    const qsizetype addTrg = forward.indexOf(page.BtnAddTrg);
    ASSERT_GE(addTrg, 0) << "the trigger \"+\" is never reached";
    EXPECT_EQ(forward.value(addTrg + 1), page.ListTrg);
    EXPECT_EQ(forward.value(addTrg + 2), page.BtnAddMed);
    EXPECT_EQ(forward.value(addTrg + 3), page.MedGrd);
    EXPECT_EQ(forward.value(addTrg + 4), card().BtnHelp) << "Tab stays in the grid";
    EXPECT_TRUE(forward.contains(card().SelAsName)) << "the order does not come round again";

    const QList<QWidget*> backward = walk(card().BtnHelp, 3, true);
    EXPECT_EQ(backward, (QList<QWidget*>{page.MedGrd, page.BtnAddMed, page.ListTrg}));
}

// With changes pending, Save and Cancel stand between the page and Help, and are reached.
TEST_F(KeyboardTest, SaveAndCancelAreReachedWhenShown) {
    click(basic().CoughDay);
    ASSERT_TRUE(card().BtnSave->isVisible());
    card().Tabs->setCurrentIndex(1);
    EXPECT_EQ(walk(additional().MedGrd, 3), (QList<QWidget*>{card().BtnSave, card().BtnCancel, card().BtnHelp}));
    QTest::keyClick(card().BtnCancel, Qt::Key_Space, Qt::NoModifier);
    EXPECT_FALSE(card().RecChanged());
}

// Whatever Tab reaches shows that it has the focus: each control looks different with the
// focus than without it.
TEST_F(KeyboardTest, EveryControlTabReachesShowsTheFocus) {
    click(basic().CoughDay);
    for (int page = 0; page < 2; ++page) {
        card().Tabs->setCurrentIndex(page);
        const QList<QWidget*> reached = walk(card().SelAsName, 40);
        for (QWidget* needed : {static_cast<QWidget*>(card().SelAsName), static_cast<QWidget*>(card().PanDate),
                                static_cast<QWidget*>(card().Cal), static_cast<QWidget*>(card().BtnSave)})
            ASSERT_TRUE(std::any_of(reached.begin(), reached.end(),
                                    [&](QWidget* w) { return w == needed || needed->isAncestorOf(w); }))
                << "page " << page << ": " << needed->metaObject()->className() << " is never reached";
        for (QWidget* control : QSet<QWidget*>(reached.begin(), reached.end())) {
            card().setFocus();
            ASSERT_FALSE(control->hasFocus());
            const QImage without = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(control->hasFocus());
            EXPECT_NE(control->grab().toImage(), without)
                << "page " << page << ": " << control->metaObject()->className() << " "
                << control->accessibleName().toStdString() << " " << control->toolTip().toStdString();
        }
    }
}

TEST_F(KeyboardTest, TheBasicPageIsWalkedInReadingOrder) {
    auto& page = basic();
    const QList<QWidget*> forward = walk(page.PkMorn, 5);
    EXPECT_EQ(forward, (QList<QWidget*>{page.PkEven, page.BreathDay, page.BreathNight, page.WheezDay, page.WheezNight}));
    const QList<QWidget*> tail = walk(page.RateGood, 6);
    EXPECT_EQ(tail, (QList<QWidget*>{page.Offwork, page.ActWalk, page.ActRun, page.RelUse, page.PreUse, card().BtnHelp}));
}

TEST_F(KeyboardTest, APeakFlowIsTypedAndTabConfirmsIt) {
    basic().PkMorn->setFocus();
    QTest::keyClicks(basic().PkMorn, "450");
    EXPECT_FALSE(card().RecChanged());
    QTest::keyClick(basic().PkMorn, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), basic().PkEven);
    EXPECT_EQ(basic().values().morning, 450);
    EXPECT_TRUE(card().RecChanged());
    // Fewer digits than cells: the number typed, as in any number entry.
    QTest::keyClicks(basic().PkEven, "95");
    QTest::keyClick(basic().PkEven, Qt::Key_Return);
    EXPECT_EQ(basic().values().evening, 95);
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(diary().days.GetDly(card().CurrentPerson(), card().CurrentDate()).values.morning, 450);
}

// Whatever has the focus shows it.
TEST_F(KeyboardTest, TheDateBarAndTheCalendarShowTheFocus) {
    card().BtnHelp->setFocus();
    const QImage dateBar = card().PanDate->grab().toImage();
    const QImage calendar = card().Cal->grab().toImage();
    card().PanDate->setFocus();
    EXPECT_NE(card().PanDate->grab().toImage(), dateBar);
    card().Cal->findChild<QAbstractItemView*>()->setFocus();
    ASSERT_TRUE(card().Cal->cellsHaveFocus());
    EXPECT_NE(card().Cal->grab().toImage(), calendar);
}

}  // namespace
}  // namespace pulmora::test
