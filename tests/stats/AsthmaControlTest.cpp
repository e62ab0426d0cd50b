#include "ReportDiary.h"
#include "stats/AsthmaControl.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

// A month whose answers are counted by hand. The four weeks run from 11 Nov (day 0) to 8 Dec
// (day 27); days 5, 12 and 19 are not recorded, so 25 are. "More than twice a week" is more than
// 2 in 7 of the 25, that is on 8 days or more. Best 500, zones at 80 % and 50 %.
//   daytime symptoms on days 0-4 and 6-9: 9 days: yes;
//   no night symptom: no;
//   the reliever on days 0-4 and 6-7: 7 days, not more than 2 in 7: no; 2 doses a day, 3 on day 0;
//   no restricted activity or sport, but a day off work (10), which limits activity: yes.
// Two answers yes: partly controlled.
//   Morning 400 (exactly the yellow limit) every recorded day but day 20, 250 (the red limit):
//   average 9850 / 25 = 394, 79 % of best; lowest 250, 50 %; 24 yellow and 1 red, 96 % and 4 %.
//   Evening 450 on the nine recorded days before day 10: all green; diurnal variation
//   50 / 425 = 11.8 %, 12. Preventer 2 doses on the 16 recorded days from day 10: 32 doses.
// The four weeks before (14 Oct - 10 Nov): 10 recorded days, each with a daytime symptom and the
// reliever, night symptoms on 2, sport restricted on 1: all four yes, but too few days to give a
// level. A record on 13 Oct, a day before both periods, counts nowhere.
TEST(AsthmaControl, TheCraftedMonthIsPartlyControlled) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    const QDate first = D.addDays(-27);
    for (int i = 0; i < 28; ++i) {
        if (i == 5 || i == 12 || i == 19) continue;
        store::DayValues v;
        v.morning = i == 20 ? 250 : 400;
        v.evening = i < 10 ? 450 : 0;
        v.coughDay = i < 10;
        v.wheezeDay = i == 0;  // a second symptom on a day counts the day once
        v.relievers = i < 8 ? (i == 0 ? 3 : 2) : 0;
        v.offWork = i == 10;
        v.preventers = i >= 10 ? 2 : 0;
        d.addDay(p, first.addDays(i), v);
    }
    for (int i = 1; i <= 10; ++i) {
        store::DayValues v;
        v.breathDay = true;
        v.relievers = 1;
        v.chestNight = i <= 2;
        v.sportRestricted = i == 10;
        d.addDay(p, first.addDays(-i), v);  // 10 Nov back to 1 Nov
    }
    store::DayValues outside;
    outside.coughDay = outside.activityRestricted = true;
    d.addDay(p, first.addDays(-29), outside);

    const stats::AsthmaControl c = stats::CollectAsthmaControl(d.diary.reports, p, D);
    ASSERT_TRUE(c.available());
    EXPECT_EQ(c.current.period.first, QDate(2026, 11, 11));
    EXPECT_EQ(c.current.daysRecorded, 25);
    EXPECT_EQ(c.current.daytimeSymptomDays, 9);
    EXPECT_EQ(c.current.nightSymptomNights, 0);
    EXPECT_EQ(c.current.relieverDays, 7);
    EXPECT_EQ(c.current.relieverDoses, 15);
    EXPECT_EQ(c.current.limitedDays, 1);
    EXPECT_EQ(c.current.offWorkDays, 1);
    EXPECT_EQ(c.current.answeredYes(), 2);
    EXPECT_EQ(c.current.level(), stats::ControlLevel::Partly);

    const stats::PeriodStats& s = c.fourWeeks;
    EXPECT_EQ(c.person.best, 500);
    EXPECT_EQ(s.MornAverage, 394);
    EXPECT_EQ(s.MornLowest, 250);
    EXPECT_EQ(s.MornYellow, 24);
    EXPECT_EQ(s.MornRed, 1);
    EXPECT_EQ(s.EvenAverage, 450);
    EXPECT_EQ(s.EvenGreen, 9);
    EXPECT_EQ(s.DiurnalAverage, 12);
    EXPECT_EQ(s.DaysOffWork, 1);
    EXPECT_EQ(s.PreventerTotal, 32);
    EXPECT_EQ(c.preventerDays, 16);
    EXPECT_EQ(c.bothReadingDays, 9);

    EXPECT_EQ(c.before.period.first, QDate(2026, 10, 14));
    EXPECT_EQ(c.before.period.last, QDate(2026, 11, 10));
    EXPECT_EQ(c.before.daysRecorded, 10);
    EXPECT_EQ(c.before.daytimeSymptomDays, 10);
    EXPECT_EQ(c.before.nightSymptomNights, 2);
    EXPECT_EQ(c.before.relieverDays, 10);
    EXPECT_EQ(c.before.limitedDays, 1);
    EXPECT_EQ(c.before.answeredYes(), 4);
    EXPECT_EQ(c.before.level(), std::nullopt);
}

TEST(AsthmaControl, NoneOfTheFourOverEnoughDaysIsWellControlledAndFourWeeksWithoutARecordIsNothingToSummarise) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-28), 400, 420);  // the day before the four weeks
    const stats::AsthmaControl none = stats::CollectAsthmaControl(d.diary.reports, p, D);
    EXPECT_FALSE(none.available());
    EXPECT_EQ(none.before.daysRecorded, 1);

    for (int i = 0; i < 13; ++i) d.addReadings(p, D.addDays(-i), 400, 420);
    const stats::AsthmaControl thirteen = stats::CollectAsthmaControl(d.diary.reports, p, D);
    ASSERT_TRUE(thirteen.available());
    EXPECT_EQ(thirteen.current.level(), std::nullopt) << "too few days to judge";
    d.addReadings(p, D.addDays(-13), 400, 420);
    EXPECT_EQ(stats::CollectAsthmaControl(d.diary.reports, p, D).current.level(), stats::ControlLevel::Well);
}

}  // namespace
}  // namespace pulmora::test
