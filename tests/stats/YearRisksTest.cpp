#include "ReportDiary.h"
#include "stats/YearRisks.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

// A year counted by hand. The 12 months run from 1 Jan 2026 to the report date, 8 Dec; a record
// on 31 Dec 2025 and one on 9 Dec 2026 count nowhere. Best 500 on the card, zones at 80 % and
// 50 %; the evening of 600 on 1 Feb raises the best to 600, so the red limit is 300 l/min:
//   1 Jan: morning 250 (red), evening 400, rated bad, a night cough, 10 reliever and 2 preventer doses;
//   31 Jan: morning 260 (red against 600, though yellow against the card's 500), off work;
//   1 Feb: evening 600 (green);
//   15 Mar: morning 301 (yellow), evening 300 (exactly the red limit: red), night wheeze, rated average;
//   1-30 Jun: 20 reliever doses a day, nothing else;
//   8 Dec: morning 480 (80 %: yellow), rated bad, off work, 4 preventer doses.
// 35 days recorded, 2 rated bad, 3 with a red reading (Jan twice, Mar), 2 with night symptoms,
// 2 off work, 610 reliever doses (30.5 tenths of an inhaler: 3.0 by half to even, and 3 or more
// inhalers), 6 preventer doses.
TEST(YearRisks, TheCraftedYearIsCountedAsByHand) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    const auto day = [&](const QDate& date, auto&& set) {
        store::DayValues v;
        set(v);
        d.addDay(p, date, v);
    };
    day(QDate(2025, 12, 31), [](store::DayValues& v) { v.morning = 200, v.rating = 1, v.relievers = 50; });
    day(QDate(2026, 1, 1), [](store::DayValues& v) {
        v.morning = 250, v.evening = 400, v.rating = 1, v.coughNight = true, v.relievers = 10, v.preventers = 2;
    });
    day(QDate(2026, 1, 31), [](store::DayValues& v) { v.morning = 260, v.offWork = true; });
    day(QDate(2026, 2, 1), [](store::DayValues& v) { v.evening = 600; });
    day(QDate(2026, 3, 15),
        [](store::DayValues& v) { v.morning = 301, v.evening = 300, v.wheezeNight = true, v.rating = 2; });
    for (int i = 1; i <= 30; ++i) day(QDate(2026, 6, i), [](store::DayValues& v) { v.relievers = 20; });
    day(D, [](store::DayValues& v) { v.morning = 480, v.rating = 1, v.offWork = true, v.preventers = 4; });
    day(D.addDays(1), [](store::DayValues& v) { v.relievers = 40; });

    const stats::YearRisks year = stats::CollectYearRisks(d.diary.reports, p, D);
    EXPECT_EQ(year.period.first, QDate(2026, 1, 1));
    EXPECT_EQ(year.person.best, 600);
    ASSERT_EQ(year.months.size(), 12u);
    EXPECT_EQ(year.months[11].period.first, QDate(2026, 12, 1));
    EXPECT_EQ(year.months[11].period.last, D);

    // month, days recorded, rated bad, with a red reading, with night symptoms, off work, reliever and
    // preventer doses
    const auto rowOf = [](int month, const stats::MonthRisks& m) {
        return std::vector<int>{month,
                                m.stats.DaysRecorded,
                                m.stats.DaysRatedBad,
                                m.redZoneDays,
                                m.stats.DaysNightSymptoms,
                                m.stats.DaysOffWork,
                                m.stats.RelieverTotal,
                                m.stats.PreventerTotal};
    };
    const std::vector<std::vector<int>> expected = {
        {1, 2, 1, 2, 1, 1, 10, 2}, {2, 1, 0, 0, 0, 0, 0, 0},    {3, 1, 0, 1, 1, 0, 0, 0},  {4, 0, 0, 0, 0, 0, 0, 0},
        {5, 0, 0, 0, 0, 0, 0, 0},  {6, 30, 0, 0, 0, 0, 600, 0}, {7, 0, 0, 0, 0, 0, 0, 0},  {8, 0, 0, 0, 0, 0, 0, 0},
        {9, 0, 0, 0, 0, 0, 0, 0},  {10, 0, 0, 0, 0, 0, 0, 0},   {11, 0, 0, 0, 0, 0, 0, 0}, {12, 1, 1, 0, 0, 1, 0, 4},
    };
    for (size_t i = 0; i < 12; ++i) EXPECT_EQ(rowOf(int(i) + 1, year.months[i]), expected[i]) << "month " << i + 1;
    EXPECT_EQ(rowOf(0, year.total), (std::vector<int>{0, 35, 2, 3, 2, 2, 610, 6}));
    EXPECT_EQ(year.relieverInhalerTenths(), 30);
    EXPECT_TRUE(year.manyRelieverInhalers());
    EXPECT_EQ(year.redZoneMonths(), (std::vector<QDate>{QDate(2026, 1, 1), QDate(2026, 3, 1)}));
}

}  // namespace
}  // namespace pulmora::test
