#pragma once

#include "Periods.h"
#include "store/Values.h"

#include <vector>

namespace pulmora::stats {

// The statistics of one report period. Readings of 0 (not taken) count nowhere; a day without
// a record adds nothing.
struct PeriodStats {
    int EvenAverage = 0, MornAverage = 0;  // mean of the readings, rounded
    int EvenLowest = 0, MornLowest = 0;
    int EvenHighest = 0, MornHighest = 0;
    int DiurnalAverage = 0;  // mean over the days with both readings, rounded
    int EvenReadings = 0, MornReadings = 0;
    int DaysRecorded = 0;  // days with a record, whatever it holds
    int DaysActivityRestricted = 0, DaysSportRestricted = 0, DaysOffWork = 0;
    int DaysRatedBad = 0, DaysRatedAverage = 0, DaysRatedGood = 0;
    int MornGreen = 0, MornYellow = 0, MornRed = 0;
    int EvenGreen = 0, EvenYellow = 0, EvenRed = 0;
    int CogD = 0, BrtD = 0, WhzD = 0, ChsD = 0, CogN = 0, BrtN = 0, WhzN = 0, ChsN = 0;  // days with the symptom
    int RelieverTotal = 0, RelieverHighest = 0, PreventerTotal = 0;
    int DaysDaySymptoms = 0, DaysNightSymptoms = 0;  // days with any daytime, any night symptom
};

struct PeriodField {
    const char* name;
    int PeriodStats::*value;
};
// Every field with its name, in the order above.
const std::vector<PeriodField>& periodFields();

// A period being collected. Until it is finished the two averages hold the sums of the readings,
// the diurnal average the sum of the day variations, and the lowest readings start at 9000,
// which stands for no reading yet.
struct PeriodCollection {
    PeriodStats stats;
    int bothReadingDays = 0;
};

constexpr int kNoReadingYet = 9000;

PeriodCollection StartPeriodStats();
// Adds a day that has a record. The zones are taken against the person's figures.
void AddDay(PeriodCollection& period, const store::DayValues& day, const store::RepPerson& person);
PeriodStats FinishPeriodStats(const PeriodCollection& period);

// The statistics of the period's days among the recorded ones, which come in date order (as
// the store reads a period).
PeriodStats CollectPeriodStats(const std::vector<store::DayRecord>& days, const Period& period,
                               const store::RepPerson& figures);

}  // namespace pulmora::stats
