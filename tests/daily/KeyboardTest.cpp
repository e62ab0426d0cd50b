#include "CardFixture.h"
#include "support/CardSaves.h"

#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <functional>

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
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    const QList<QWidget*> forward = walk(widget("SelAsName"), 40);
    const QList<QWidget*> expected = widgets(
        {"BtnPer", "BtnRep", "BtnSheet", "BtnMenu", "BackYear", "BackMonth", "PanDate", "ForwardMonth", "ForwardYear"});
    for (int i = 0; i < expected.size(); ++i) EXPECT_EQ(forward.value(i), expected[i]) << "press " << i + 1;
    const qsizetype addTrg = forward.indexOf(widget("BtnAddTrg"));
    ASSERT_GE(addTrg, 0) << "the trigger \"+\" is never reached";
    EXPECT_EQ(forward.value(addTrg + 1), widget("ListTrg"));
    EXPECT_EQ(forward.value(addTrg + 2), widget("BtnAddMed"));
    EXPECT_EQ(forward.value(addTrg + 3), widget("MedGrd"));
    EXPECT_EQ(forward.value(addTrg + 4), widget("BtnHelp")) << "Tab stays in the grid";
    EXPECT_TRUE(forward.contains(widget("SelAsName"))) << "the order does not come round again";

    const QList<QWidget*> backward = walk(widget("BtnHelp"), 3, true);
    EXPECT_EQ(backward, widgets({"MedGrd", "BtnAddMed", "ListTrg"}));
}

// With changes pending, Save and Cancel stand between the page and Help, and are reached.
TEST_F(KeyboardTest, SaveAndCancelAreReachedWhenShown) {
    click(widget("CoughDay"));
    ASSERT_TRUE(widget("BtnSave")->isVisible());
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    EXPECT_EQ(walk(widget("MedGrd"), 3), widgets({"BtnSave", "BtnCancel", "BtnHelp"}));
    QTest::keyClick(widget("BtnCancel"), Qt::Key_Space, Qt::NoModifier);
    EXPECT_FALSE(card().RecChanged());
}

// Whatever Tab reaches shows that it has the focus: each control looks different with the
// focus than without it.
TEST_F(KeyboardTest, EveryControlTabReachesShowsTheFocus) {
    click(widget("CoughDay"));
    for (int page = 0; page < 2; ++page) {
        on<QTabWidget>("Tabs")->setCurrentIndex(page);
        const QList<QWidget*> reached = walk(widget("SelAsName"), 40);
        for (QWidget* needed : widgets({"SelAsName", "PanDate", "Cal", "BtnSave"}))
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
    const QList<QWidget*> forward = walk(widget("PkMorn"), 5);
    EXPECT_EQ(forward, widgets({"PkEven", "BreathDay", "BreathNight", "WheezDay", "WheezNight"}));
    const QList<QWidget*> tail = walk(widget("RateGood"), 6);
    EXPECT_EQ(tail, widgets({"Offwork", "ActWalk", "ActRun", "RelUse", "PreUse", "BtnHelp"}));
}

TEST_F(KeyboardTest, APeakFlowIsTypedAndTabConfirmsIt) {
    widget("PkMorn")->setFocus();
    QTest::keyClicks(widget("PkMorn"), "450");
    EXPECT_TRUE(card().RecChanged());
    EXPECT_EQ(basic().values().morning, 450);
    QTest::keyClick(widget("PkMorn"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), on<controls::TDaNumber>("PkEven"));
    EXPECT_EQ(basic().values().morning, 450);
    EXPECT_TRUE(card().RecChanged());
    // Fewer digits than cells: the number typed, as in any number entry.
    QTest::keyClicks(widget("PkEven"), "95");
    QTest::keyClick(widget("PkEven"), Qt::Key_Return);
    EXPECT_EQ(basic().values().evening, 95);
    // Above the best of 400 the program asks; closing the question keeps the best.
    withModal([&] { ASSERT_TRUE(card().SaveDay()); }, [](QWidget* question) { question->close(); });
    EXPECT_EQ(diary().days.GetDly(*card().CurrentPerson(), card().CurrentDate()).values.morning, 450);
    EXPECT_EQ(diary().persons.GetPerCrd(*card().CurrentPerson())->best, "400");
}

// Two people, each with a day recorded long ago, so every day typed has one to compare with.
class TypingTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) {
            for (const char* nickname : {"Jo", "Kim"}) {
                store::DayValues earlier;
                earlier.morning = earlier.evening = 300;
                ASSERT_TRUE(cards::saveDay(d, addPerson(d, nickname), kToday.addDays(-30), earlier));
            }
        });
        start();
        card().show();
        QApplication::setActiveWindow(&card());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card()));
    }
    // The morning reading on disk, read by a store of its own; -1 without a record.
    int storedMorning(const store::PersonId& person, const QDate& day) {
        store::Diary reader;
        reader.files.setFolder(folderPath());
        reader.files.OpenDB(store::Access::ReadOnly);
        const store::DayCard stored = reader.days.GetDly(person, day);
        reader.files.CloseDB();
        return stored.found ? stored.values.morning : -1;
    }
};

// A peak flow being typed is part of the day from its first digit: Save and Cancel show, the
// summary follows, and whatever saves the day takes the number while the focus is still in
// the entry.
TEST_F(TypingTest, APeakFlowBeingTypedIsSavedByEveryRoadThatSaves) {
    const std::vector<std::pair<const char*, std::function<void()>>> roads = {
        {"the save shortcut", [&] { QTest::keyClick(widget("PkMorn"), Qt::Key_S, Qt::ControlModifier); }},
        {"another day", [&] { selectDay(kToday); }},
        {"the report card",
         [&] { withModal([&] { click(widget("BtnRep")); }, [](QWidget* window) { window->close(); }); }},
        {"the next person", [&] { click(widget("SelAsName")); }},
        {"closing the window", [&] { card().close(); }},
    };
    for (size_t i = 0; i < roads.size(); ++i) {
        const auto& [road, take] = roads[i];
        const QDate day = kToday.addDays(-10 + int(i));
        selectDay(day);
        const store::PersonId person = *card().CurrentPerson();
        ASSERT_EQ(storedMorning(person, day), -1) << road;
        const QImage summary = on<QLabel>("Report")->pixmap().toImage();
        QApplication::setActiveWindow(&card());  // again after the report card
        widget("PkMorn")->setFocus();
        QTest::keyClick(widget("PkMorn"), Qt::Key_3);
        EXPECT_TRUE(card().RecChanged()) << road;
        EXPECT_TRUE(widget("BtnSave")->isVisible()) << road;
        EXPECT_NE(on<QLabel>("Report")->pixmap().toImage(), summary) << road;
        QTest::keyClicks(widget("PkMorn"), "33");
        ASSERT_TRUE(widget("PkMorn")->hasFocus()) << road;
        take();
        EXPECT_EQ(storedMorning(person, day), 333) << road;
    }
}

// Whatever has the focus shows it.
TEST_F(KeyboardTest, TheDateBarAndTheCalendarShowTheFocus) {
    widget("BtnHelp")->setFocus();
    const QImage dateBar = widget("PanDate")->grab().toImage();
    const QImage calendar = widget("Cal")->grab().toImage();
    widget("PanDate")->setFocus();
    EXPECT_NE(widget("PanDate")->grab().toImage(), dateBar);
    on<daily::DayCalendar>("Cal")->findChild<QAbstractItemView*>()->setFocus();
    ASSERT_TRUE(on<daily::DayCalendar>("Cal")->cellsHaveFocus());
    EXPECT_NE(widget("Cal")->grab().toImage(), calendar);
}

}  // namespace
}  // namespace pulmora::test
