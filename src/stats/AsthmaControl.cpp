#include "AsthmaControl.h"

namespace pulmora::stats {
namespace {

void countDay(ControlQuestions& q, const store::DayValues& v) {
    ++q.daysRecorded;
    q.daytimeSymptomDays += v.daySymptoms() > 0;
    q.nightSymptomNights += v.nightSymptoms() > 0;
    q.relieverDays += v.relievers > 0;
    q.relieverDoses += v.relievers;
    q.limitedDays += v.activityRestricted || v.sportRestricted;
}

}  // namespace

Period controlPeriod(const QDate& reportDate) { return {reportDate.addDays(1 - kControlDays), reportDate}; }

Period controlPeriodBefore(const QDate& reportDate) { return controlPeriod(reportDate.addDays(-kControlDays)); }

QString controlLevelText(ControlLevel level) {
    switch (level) {
    case ControlLevel::Well: return QStringLiteral("Well controlled");
    case ControlLevel::Partly: return QStringLiteral("Partly controlled");
    case ControlLevel::Uncontrolled: return QStringLiteral("Uncontrolled");
    }
    return {};
}

int ControlQuestions::answeredYes() const {
    return int(daytimeSymptoms()) + int(nightWaking()) + int(relieverNeeded()) + int(activityLimited());
}

ControlLevel ControlQuestions::level() const {
    const int yes = answeredYes();
    if (yes == 0) return ControlLevel::Well;
    return yes <= 2 ? ControlLevel::Partly : ControlLevel::Uncontrolled;
}

AsthmaControl CollectAsthmaControl(store::ReportCursors& cursors, const QString& person, const QDate& reportDate) {
    AsthmaControl c;
    c.current.period = controlPeriod(reportDate);
    c.before.period = controlPeriodBefore(reportDate);
    c.person = cursors.GetRPer(person, c.current.period.first, c.current.period.last).person;
    PeriodCollection collection = StartPeriodStats();
    for (const store::DayRecord& day : cursors.daysBetween(person, c.before.period.first, c.current.period.last)) {
        if (day.date < c.current.period.first) {
            countDay(c.before, day.values);
            continue;
        }
        countDay(c.current, day.values);
        AddDay(collection, day.values, c.person);
        c.preventerDays += day.values.preventers > 0;
    }
    c.fourWeeks = FinishPeriodStats(collection);
    c.bothReadingDays = collection.bothReadingDays;
    return c;
}

}  // namespace pulmora::stats
