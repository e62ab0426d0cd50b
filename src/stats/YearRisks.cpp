#include "YearRisks.h"

#include "Figures.h"

namespace pulmora::stats {
namespace {

bool red(int reading, const store::RepPerson& person) {
    return reading > 0 && ZoneOf(reading, person.best, person.zoneYellow, person.zoneRed) == Zone::Red;
}

// Collects one month, or the whole year, day by day.
struct Collector {
    MonthRisks risks;
    PeriodCollection collection = StartPeriodStats();

    void add(const store::DayValues& day, const store::RepPerson& person) {
        AddDay(collection, day, person);
        risks.redZoneDays += red(day.morning, person) || red(day.evening, person);
    }
    MonthRisks finish() {
        risks.stats = FinishPeriodStats(collection);
        return risks;
    }
};

}  // namespace

Period lastTwelveMonths(const QDate& reportDate) {
    const QDate firstOfMonth(reportDate.year(), reportDate.month(), 1);
    return {firstOfMonth.addMonths(1 - kYearMonths), reportDate};
}

int YearRisks::relieverInhalerTenths() const { return RoundHalfEven(10LL * total.stats.RelieverTotal, kInhalerDoses); }

std::vector<QDate> YearRisks::redZoneMonths() const {
    std::vector<QDate> found;
    for (const MonthRisks& month : months)
        if (month.redZoneDays > 0) found.push_back(month.period.first);
    return found;
}

YearRisks CollectYearRisks(const store::PersonPeriod& year, const Period& period) {
    YearRisks risks{period, year.person, {}, {}};
    Collector total{{period, {}, 0}};
    auto day = year.days.begin();
    for (QDate first = period.first; first <= period.last; first = first.addMonths(1)) {
        const QDate last = std::min(first.addMonths(1).addDays(-1), period.last);
        Collector month{{{first, last}, {}, 0}};
        for (; day != year.days.end() && day->date <= last; ++day) {
            if (day->date < first) continue;
            month.add(day->values, year.person);
            total.add(day->values, year.person);
        }
        risks.months.push_back(month.finish());
    }
    risks.total = total.finish();
    return risks;
}

YearRisks CollectYearRisks(store::ReportCursors& cursors, const store::PersonId& person, const QDate& reportDate) {
    const Period period = lastTwelveMonths(reportDate);
    return CollectYearRisks(cursors.GetRPer(person, period.first, period.last), period);
}

}  // namespace pulmora::stats
