#include "PeriodStats.h"

#include "Figures.h"

#include <algorithm>

namespace pulmora::stats {
namespace {

void countZone(int reading, const store::RepPerson& person, int& green, int& yellow, int& red) {
    switch (ZoneOf(reading, person.best, person.zoneYellow, person.zoneRed)) {
    case Zone::Green: ++green; break;
    case Zone::Yellow: ++yellow; break;
    case Zone::Red: ++red; break;
    }
}

}  // namespace

const std::vector<PeriodField>& periodFields() {
    using S = PeriodStats;
    static const std::vector<PeriodField> fields = {
        {"EvenAverage", &S::EvenAverage},
        {"MornAverage", &S::MornAverage},
        {"EvenLowest", &S::EvenLowest},
        {"MornLowest", &S::MornLowest},
        {"EvenHighest", &S::EvenHighest},
        {"MornHighest", &S::MornHighest},
        {"DiurnalAverage", &S::DiurnalAverage},
        {"EvenReadings", &S::EvenReadings},
        {"MornReadings", &S::MornReadings},
        {"DaysRecorded", &S::DaysRecorded},
        {"DaysActivityRestricted", &S::DaysActivityRestricted},
        {"DaysSportRestricted", &S::DaysSportRestricted},
        {"DaysOffWork", &S::DaysOffWork},
        {"DaysRatedBad", &S::DaysRatedBad},
        {"DaysRatedAverage", &S::DaysRatedAverage},
        {"DaysRatedGood", &S::DaysRatedGood},
        {"MornGreen", &S::MornGreen},
        {"MornYellow", &S::MornYellow},
        {"MornRed", &S::MornRed},
        {"EvenGreen", &S::EvenGreen},
        {"EvenYellow", &S::EvenYellow},
        {"EvenRed", &S::EvenRed},
        {"CogD", &S::CogD},
        {"BrtD", &S::BrtD},
        {"WhzD", &S::WhzD},
        {"ChsD", &S::ChsD},
        {"CogN", &S::CogN},
        {"BrtN", &S::BrtN},
        {"WhzN", &S::WhzN},
        {"ChsN", &S::ChsN},
        {"RelieverTotal", &S::RelieverTotal},
        {"RelieverHighest", &S::RelieverHighest},
        {"PreventerTotal", &S::PreventerTotal},
        {"DaysDaySymptoms", &S::DaysDaySymptoms},
        {"DaysNightSymptoms", &S::DaysNightSymptoms},
    };
    return fields;
}

PeriodCollection StartPeriodStats() {
    PeriodCollection period;
    period.stats.EvenLowest = period.stats.MornLowest = kNoReadingYet;
    return period;
}

void AddDay(PeriodCollection& period, const store::DayValues& day, const store::RepPerson& person) {
    PeriodStats& s = period.stats;
    const int even = day.evening, morn = day.morning;
    s.EvenAverage += even;
    s.MornAverage += morn;
    if (even > 0 && morn > 0) {
        ++period.bothReadingDays;
        s.DiurnalAverage += DiurnalVariation(morn, even);
    }
    if (even > 0 && even < s.EvenLowest) s.EvenLowest = even;
    if (morn > 0 && morn < s.MornLowest) s.MornLowest = morn;
    s.EvenHighest = std::max(s.EvenHighest, even);
    s.MornHighest = std::max(s.MornHighest, morn);
    if (even > 0) {
        ++s.EvenReadings;
        countZone(even, person, s.EvenGreen, s.EvenYellow, s.EvenRed);
    }
    if (morn > 0) {
        ++s.MornReadings;
        countZone(morn, person, s.MornGreen, s.MornYellow, s.MornRed);
    }
    s.DaysActivityRestricted += day.activityRestricted;
    s.DaysSportRestricted += day.sportRestricted;
    s.DaysOffWork += day.offWork;
    if (day.rating == 1) ++s.DaysRatedBad;
    if (day.rating == 2) ++s.DaysRatedAverage;
    if (day.rating == 3) ++s.DaysRatedGood;
    ++s.DaysRecorded;
    s.CogD += day.coughDay;
    s.BrtD += day.breathDay;
    s.WhzD += day.wheezeDay;
    s.ChsD += day.chestDay;
    s.CogN += day.coughNight;
    s.BrtN += day.breathNight;
    s.WhzN += day.wheezeNight;
    s.ChsN += day.chestNight;
    s.RelieverTotal += day.relievers;
    s.RelieverHighest = std::max(s.RelieverHighest, day.relievers);
    s.PreventerTotal += day.preventers;
    if (day.daySymptoms() > 0) ++s.DaysDaySymptoms;
    if (day.nightSymptoms() > 0) ++s.DaysNightSymptoms;
}

PeriodStats FinishPeriodStats(const PeriodCollection& period) {
    PeriodStats s = period.stats;
    s.EvenAverage = s.EvenReadings > 0 ? RoundHalfEven(s.EvenAverage, s.EvenReadings) : 0;
    s.MornAverage = s.MornReadings > 0 ? RoundHalfEven(s.MornAverage, s.MornReadings) : 0;
    if (s.EvenLowest == kNoReadingYet) s.EvenLowest = 0;
    if (s.MornLowest == kNoReadingYet) s.MornLowest = 0;
    s.DiurnalAverage = period.bothReadingDays > 0 ? RoundHalfEven(s.DiurnalAverage, period.bothReadingDays) : 0;
    return s;
}

PeriodStats CollectPeriodStats(const std::vector<store::DayRecord>& days, const Period& period,
                               const store::RepPerson& figures) {
    PeriodCollection collection = StartPeriodStats();
    for (const store::DayRecord& day : days)
        if (period.first <= day.date && day.date <= period.last) AddDay(collection, day.values, figures);
    return FinishPeriodStats(collection);
}

}  // namespace pulmora::stats
