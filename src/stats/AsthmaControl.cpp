#include "AsthmaControl.h"

#include "store/Keys.h"

namespace pulmora::stats {
namespace {

void countDay(ControlQuestions& q, const store::DayValues& v) {
    ++q.daysRecorded;
    q.daytimeSymptomDays += v.coughDay || v.breathDay || v.wheezeDay || v.chestDay;
    q.nightSymptomNights += v.coughNight || v.breathNight || v.wheezeNight || v.chestNight;
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
    c.person = cursors.GetRPer(person, c.current.period.first, c.current.period.last);
    PeriodCollection collection = StartPeriodStats();
    const QString currentFirst = store::keys::dateKey(c.current.period.first);
    for (const store::DayRecord& day : cursors.daysBetween(person, store::keys::dateKey(c.before.period.first),
                                                           store::keys::dateKey(c.current.period.last))) {
        // Date keys sort as the dates do.
        if (day.date < currentFirst) {
            countDay(c.before, day.values);
            continue;
        }
        countDay(c.current, day.values);
        AddDay(collection, store::repDayOf(day), c.person);
        c.preventerDays += day.values.preventers > 0;
    }
    c.fourWeeks = FinishPeriodStats(collection);
    c.bothReadingDays = collection.bothReadingDays;
    return c;
}

}  // namespace pulmora::stats
