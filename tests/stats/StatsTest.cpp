#include "ReportDiary.h"
#include "daily/SummaryPicture.h"
#include "stats/Figures.h"
#include "stats/PeriodStats.h"
#include "stats/Periods.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace pulmora::test {
namespace {

using stats::Zone;

store::RepPerson figures(int best, int yellow = 80, int red = 50) {
    store::RepPerson p;
    p.best = best;
    p.zoneYellow = yellow;
    p.zoneRed = red;
    return p;
}

store::DayValues day(int morning, int evening) {
    store::DayValues d;
    d.morning = morning;
    d.evening = evening;
    return d;
}

stats::PeriodStats collect(const std::vector<store::DayValues>& days, const store::RepPerson& person) {
    stats::PeriodCollection period = stats::StartPeriodStats();
    for (const auto& d : days) stats::AddDay(period, d, person);
    return stats::FinishPeriodStats(period);
}

TEST(Figures, RoundHalfEvenSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(stats::RoundHalfEven(1, 2), 0);
    EXPECT_EQ(stats::RoundHalfEven(3, 2), 2);
    EXPECT_EQ(stats::RoundHalfEven(5, 2), 2);
    EXPECT_EQ(stats::RoundHalfEven(-5, 2), -2);
    EXPECT_EQ(stats::RoundHalfEven(5, -2), -2);
    EXPECT_EQ(stats::RoundHalfEven(-7, 2), -4);
    EXPECT_EQ(stats::RoundHalfEven(-7, 3), -2);
    EXPECT_EQ(stats::RoundHalfEven(25001, 10000), 3);
    EXPECT_EQ(stats::RoundHalfEven(803, 2), 402);
    EXPECT_EQ(stats::RoundHalfEven(801, 2), 400);
}

TEST(Figures, DiurnalVariationDropsTheSign) {
    EXPECT_EQ(stats::DiurnalVariation(500, 400), 22);
    EXPECT_EQ(stats::DiurnalVariation(400, 500), 22);
    EXPECT_EQ(stats::DiurnalVariation(400, 450), 12);  // 50 / 425 x 100 = 11.76
    EXPECT_EQ(stats::DiurnalVariation(300, 300), 0);
}

// Halves that a binary quotient cannot hold: computed in floating point, 59 / 200 x 100 and
// 94 / 80 x 100 land just below 29.5 and 117.5 and would show one less.
TEST(Figures, HalvesStayExactHalves) {
    EXPECT_EQ(stats::PercentOfBest(59, 200), 30);      // 29.5
    EXPECT_EQ(stats::DiurnalVariation(33, 127), 118);  // 94 / 80 x 100 = 117.5
    EXPECT_EQ(stats::PercentOfBest(23, 40), 58);       // 57.5
    EXPECT_EQ(stats::DiurnalVariation(29, 131), 128);  // 102 / 80 x 100 = 127.5
    EXPECT_EQ(stats::DiurnalVariation(57, 103), 58);   // 46 / 80 x 100 = 57.5
    EXPECT_EQ(stats::RoundedPercent(3, 7), 43);        // 42.86
    EXPECT_EQ(stats::ZoneLimit(345, 50), 172);         // 172.5
}

// The whole number nearest to numerator / denominator, found by walking the whole numbers
// rather than by dividing: k is nearest when numerator lies within half a denominator of k x
// denominator, and of two that are equally near the even one wins.
int nearestByWalking(long long numerator, long long denominator) {
    for (long long k = 0;; ++k) {
        const long long low = (2 * k - 1) * denominator, high = (2 * k + 1) * denominator;
        if (2 * numerator < low || 2 * numerator > high) continue;
        if (2 * numerator == high) return int(k % 2 == 0 ? k : k + 1);
        return int(k);
    }
}

// Every reading a peak-flow entry takes, against a spread of partners, each figure checked
// against the exact fraction it stands for.
TEST(Figures, EveryReadingGivesTheExactlyRoundedFigure) {
    struct Sweep {
        const char* figure;
        std::vector<int> partners;
        std::function<int(int, int)> computed;
        std::function<std::pair<long long, long long>(int, int)> fraction;
    };
    const std::vector<Sweep> sweeps = {
        {"PercentOfBest",
         {200, 333, 400, 455, 512, 640, 800, 999},
         stats::PercentOfBest,
         [](int reading, int best) {
             return std::pair{100LL * reading, (long long)best};
         }},
        {"DiurnalVariation",
         {1, 33, 127, 250, 401, 640, 800, 999},
         stats::DiurnalVariation,
         [](int reading, int other) {
             return std::pair{200LL * std::abs(other - reading), (long long)reading + other};
         }},
        {"ZoneLimit",
         {25, 50, 65, 75, 80, 85, 95},
         stats::ZoneLimit,
         [](int best, int percent) {
             return std::pair{(long long)percent * best, 100LL};
         }},
        {"average of two",
         {1, 2, 3, 250, 401, 998},
         [](int a, int b) {
             return collect({day(a, 0), day(b, 0)}, figures(999)).MornAverage;
         },
         [](int a, int b) {
             return std::pair{(long long)a + b, 2LL};
         }},
    };
    for (const Sweep& sweep : sweeps)
        for (int partner : sweep.partners)
            for (int reading = 1; reading <= 999; ++reading) {
                const auto [numerator, denominator] = sweep.fraction(reading, partner);
                ASSERT_EQ(sweep.computed(reading, partner), nearestByWalking(numerator, denominator))
                    << sweep.figure << "(" << reading << ", " << partner << ")";
            }
}

// The daily card's summary and the store's comparison record take the same figures as the
// reports, also in the cases where a second computation would differ.
TEST(Figures, TheDailyCardAndTheStoreAgreeWithTheReports) {
    for (const auto& [reading, best] : {std::pair{23, 40}, {46, 80}, {401, 800}, {300, 400}})
        EXPECT_EQ(daily::percentOfBest(reading, best), stats::PercentOfBest(reading, best)) << reading << "/" << best;
    EXPECT_EQ(daily::percentOfBest(300, 0), 0);
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, {2024, 6, 1}, 29, 131);
    EXPECT_EQ(d.diary.reports.GetRepDly(p, QDate(2024, 6, 2)).diurnal, stats::DiurnalVariation(29, 131));
    EXPECT_EQ(d.diary.reports.GetRepDly(p, QDate(2024, 6, 2)).diurnal, 128);
}

TEST(Figures, ZonesAtTheirExactEdges) {
    EXPECT_EQ(stats::ZoneOf(401, 500, 80, 50), Zone::Green);
    EXPECT_EQ(stats::ZoneOf(400, 500, 80, 50), Zone::Yellow);
    EXPECT_EQ(stats::ZoneOf(251, 500, 80, 50), Zone::Yellow);
    EXPECT_EQ(stats::ZoneOf(250, 500, 80, 50), Zone::Red);
    EXPECT_EQ(stats::ZoneOf(1, 500, 80, 50), Zone::Red);
    EXPECT_EQ(stats::ZoneOf(500, 500, 80, 50), Zone::Green);
    // 80 % of 333 is 266.4: 266 lies below the limit, 267 above it.
    EXPECT_EQ(stats::ZoneOf(266, 333, 80, 50), Zone::Yellow);
    EXPECT_EQ(stats::ZoneOf(267, 333, 80, 50), Zone::Green);
}

TEST(Figures, ZoneLimitsAndRangeVariation) {
    EXPECT_EQ(stats::ZoneLimit(500, 80), 400);
    EXPECT_EQ(stats::ZoneLimit(500, 50), 250);
    EXPECT_EQ(stats::ZoneLimit(333, 80), 266);  // 266.4
    EXPECT_EQ(stats::ZoneLimit(345, 50), 172);  // 172.5
    EXPECT_EQ(stats::RangeVariation(500, 300), 50);
    EXPECT_EQ(stats::RangeVariation(400, 400), 0);
}

TEST(PeriodStats, TheWorkedExample) {
    store::DayValues d1 = day(400, 450), d2 = day(300, 0), d3 = day(0, 500);
    d2.coughDay = true;
    d2.relievers = 2;
    d3.wheezeNight = true;
    d3.relievers = 4;
    const stats::PeriodStats s = collect({d1, d2, d3}, figures(500));
    EXPECT_EQ(s.MornAverage, 350);
    EXPECT_EQ(s.MornLowest, 300);
    EXPECT_EQ(s.MornHighest, 400);
    EXPECT_EQ(s.MornReadings, 2);
    EXPECT_EQ(s.MornYellow, 2);
    EXPECT_EQ(s.MornGreen, 0);
    EXPECT_EQ(s.MornRed, 0);
    EXPECT_EQ(s.EvenAverage, 475);
    EXPECT_EQ(s.EvenLowest, 450);
    EXPECT_EQ(s.EvenHighest, 500);
    EXPECT_EQ(s.EvenReadings, 2);
    EXPECT_EQ(s.EvenGreen, 2);
    EXPECT_EQ(s.EvenYellow + s.EvenRed, 0);
    EXPECT_EQ(s.DiurnalAverage, 12);
    EXPECT_EQ(s.DaysRecorded, 3);
    EXPECT_EQ(s.DaysDaySymptoms, 1);
    EXPECT_EQ(s.DaysNightSymptoms, 1);
    EXPECT_EQ(s.CogD, 1);
    EXPECT_EQ(s.WhzN, 1);
    EXPECT_EQ(s.BrtD + s.WhzD + s.ChsD + s.CogN + s.BrtN + s.ChsN, 0);
    EXPECT_EQ(s.RelieverTotal, 6);
    EXPECT_EQ(s.RelieverHighest, 4);
    EXPECT_EQ(s.PreventerTotal, 0);
}

TEST(PeriodStats, HalfWayAveragesRoundToEven) {
    EXPECT_EQ(collect({day(0, 401), day(0, 402)}, figures(500)).EvenAverage, 402);
    EXPECT_EQ(collect({day(0, 400), day(0, 401)}, figures(500)).EvenAverage, 400);
    EXPECT_EQ(collect({day(401, 0), day(402, 0)}, figures(500)).MornAverage, 402);
}

TEST(PeriodStats, ARecordWithNothingInItIsStillARecordedDay) {
    const stats::PeriodStats s = collect({day(0, 0), day(0, 0)}, figures(500));
    EXPECT_EQ(s.DaysRecorded, 2);
    EXPECT_EQ(s.MornLowest, 0);  // not the 9000 that stands for no reading yet
    EXPECT_EQ(s.EvenLowest, 0);
    EXPECT_EQ(s.MornAverage, 0);
    EXPECT_EQ(s.MornReadings + s.EvenReadings + s.DiurnalAverage, 0);
}

TEST(PeriodStats, APeriodWithoutMorningReadingsShowsNoMorningFigures) {
    const stats::PeriodStats s = collect({day(0, 420), day(0, 380)}, figures(500));
    EXPECT_EQ(s.MornLowest, 0);
    EXPECT_EQ(s.MornHighest, 0);
    EXPECT_EQ(s.MornAverage, 0);
    EXPECT_EQ(s.DiurnalAverage, 0);  // no day has both readings
    EXPECT_EQ(s.EvenLowest, 380);
}

TEST(PeriodStats, CountersOfRestrictionsRatingsAndDoses) {
    store::DayValues a = day(0, 0), b = day(0, 0), c = day(0, 0);
    a.activityRestricted = a.offWork = true;
    a.rating = 1;
    a.preventers = 2;
    b.sportRestricted = true;
    b.rating = 3;
    b.breathNight = b.chestNight = true;
    c.rating = 2;
    c.relievers = 7;
    const stats::PeriodStats s = collect({a, b, c}, figures(500));
    EXPECT_EQ(s.DaysActivityRestricted, 1);
    EXPECT_EQ(s.DaysSportRestricted, 1);
    EXPECT_EQ(s.DaysOffWork, 1);
    EXPECT_EQ(s.DaysRatedBad, 1);
    EXPECT_EQ(s.DaysRatedAverage, 1);
    EXPECT_EQ(s.DaysRatedGood, 1);
    EXPECT_EQ(s.DaysNightSymptoms, 1);  // one day with two night symptoms
    EXPECT_EQ(s.BrtN, 1);
    EXPECT_EQ(s.ChsN, 1);
    EXPECT_EQ(s.RelieverHighest, 7);
    EXPECT_EQ(s.PreventerTotal, 2);
}

TEST(PeriodStats, EveryFieldHasItsName) {
    stats::PeriodStats s;
    int n = 0;
    for (const auto& f : stats::periodFields()) s.*f.value = ++n;
    EXPECT_EQ(size_t(n), sizeof(stats::PeriodStats) / sizeof(int));  // no field left out
    EXPECT_EQ(s.EvenAverage, 1);
    EXPECT_EQ(s.DaysNightSymptoms, n);
    EXPECT_STREQ(stats::periodFields()[22].name, "CogD");
    EXPECT_EQ(s.CogD, 23);
}

TEST(Periods, SixWeeksEndOnTheReportDate) {
    const QDate d(2026, 12, 8);
    EXPECT_EQ(stats::weeklyWeek(d, 6).first, d.addDays(-6));
    EXPECT_EQ(stats::weeklyWeek(d, 6).last, d);
    EXPECT_EQ(stats::weeklyWeek(d, 1).first, d.addDays(-41));
    EXPECT_EQ(stats::weeklyWeek(d, 1).last, d.addDays(-35));
    for (int k = 1; k < 6; ++k) EXPECT_EQ(stats::weeklyWeek(d, k).last.addDays(1), stats::weeklyWeek(d, k + 1).first);
    EXPECT_EQ(stats::weeklyWeek(d, 3).days(), 7);
    // One day longer than the six weeks reported.
    EXPECT_EQ(stats::weeklyPresence(d).first, d.addDays(-42));
    EXPECT_EQ(stats::weeklyPresence(d).days(), 43);
    EXPECT_EQ(stats::weeklyReported(d).first, d.addDays(-41));
}

TEST(Periods, TheMonthIsThe31DaysUpToTheReportDate) {
    const stats::Period month = stats::month(QDate(2026, 3, 1));
    EXPECT_EQ(month.first, QDate(2026, 1, 30));  // across a short February
    EXPECT_EQ(month.last, QDate(2026, 3, 1));
    EXPECT_EQ(month.days(), 31);
}

// ---- on a stored diary -----------------------------------------------------------------------

TEST(CollectPeriodStats, ReadsOnlyTheDaysOfThePeriod) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann");
    const store::PersonId other = d.addPerson("Bea");
    const QDate first(2024, 5, 1), last(2024, 5, 7);
    d.addReadings(p, first.addDays(-1), 100, 100);
    d.addReadings(p, first, 400, 450);
    d.addReadings(p, last, 300, 0);
    d.addReadings(p, last.addDays(1), 100, 100);
    d.addReadings(other, first.addDays(2), 100, 100);
    const std::vector<store::DayRecord> days = d.diary.reports.daysBetween(p, first.addDays(-5), last.addDays(5));
    ASSERT_EQ(days.size(), 4u);
    const stats::PeriodStats s = stats::CollectPeriodStats(days, {first, last}, figures(500));
    EXPECT_EQ(s.DaysRecorded, 2);
    EXPECT_EQ(s.MornLowest, 300);
    EXPECT_EQ(s.EvenLowest, 450);
    EXPECT_EQ(s.MornAverage, 350);
}

// The personal card may store a best below readings already on file: the report's best is
// raised to the highest reading of the period, and every figure is taken against it.
TEST(CollectPeriodStats, AReadingAboveTheStoredBestRaisesTheBest) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 400);
    const QDate day(2024, 5, 3);
    d.addReadings(p, day, 500, 400);
    d.setBest(p, "Ann", 400);
    const store::PersonPeriod period = d.diary.reports.GetRPer(p, day.addDays(-3), day);
    const store::RepPerson& person = period.person;
    ASSERT_EQ(person.best, 500);
    EXPECT_EQ(stats::PercentOfBest(500, person.best), 100);
    const stats::PeriodStats s = stats::CollectPeriodStats(period.days, {day, day}, person);
    EXPECT_EQ(s.MornGreen, 1);
    EXPECT_EQ(s.EvenYellow, 1);  // 400 of 500 is 80 %, the yellow limit; of the stored 400 it would be green
}

}  // namespace
}  // namespace pulmora::test
