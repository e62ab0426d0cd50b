#pragma once

#include "PeriodStats.h"
#include "Periods.h"
#include "store/ReportCursors.h"

#include <vector>

// The risks a review looks for over the year before a visit, month by month: bad days, days in
// the red zone, nights with symptoms, time off and how much reliever was used.
namespace pulmora::stats {

constexpr int kYearMonths = 12;
// The usual number of doses in a reliever inhaler, by which the doses are turned into inhalers.
constexpr int kInhalerDoses = 200;
// Three or more reliever inhalers in a year are a known risk of a severe attack.
constexpr int kRiskyInhalers = 3;

// The 12 calendar months up to the report date: from the first day of the month eleven months
// before the report date's month to the report date itself.
Period lastTwelveMonths(const QDate& reportDate);

struct MonthRisks {
    Period period;        // the month's days, the last month up to the report date
    PeriodStats stats;    // every figure of the month
    int redZoneDays = 0;  // days with a morning or an evening reading in the red zone
};

struct YearRisks {
    Period period;
    // The person's figures over the 12 months, the best raised to their highest reading: the
    // zones are taken against it, as every report takes them.
    store::RepPerson person;
    std::vector<MonthRisks> months;  // oldest first, one for each of the 12 months
    MonthRisks total;                // the 12 months together

    bool available() const { return total.stats.DaysRecorded > 0; }
    // The reliever doses as inhalers, in tenths, rounded.
    int relieverInhalerTenths() const;
    bool manyRelieverInhalers() const { return total.stats.RelieverTotal >= kRiskyInhalers * kInhalerDoses; }
    // The first days of the months with any reading in the red zone.
    std::vector<QDate> redZoneMonths() const;
};

// The months' figures from the person's days of the 12 months, which come in date order.
YearRisks CollectYearRisks(const store::PersonPeriod& year, const Period& period);
// The same from the diary: the person and their days read once over the 12 months.
YearRisks CollectYearRisks(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate);

}  // namespace pulmora::stats
