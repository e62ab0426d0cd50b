#include "AsthmaControl.h"

#include "store/Names.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace pulmora::stats {
namespace {

void countDay(ControlQuestions& q, const store::DayValues& v) {
    ++q.daysRecorded;
    q.daytimeSymptomDays += v.daySymptoms() > 0;
    q.nightSymptomNights += v.nightSymptoms() > 0;
    q.relieverDays += v.relievers > 0;
    q.relieverDoses += v.relievers;
    const bool restricted = v.activityRestricted || v.sportRestricted;
    q.restrictedDays += restricted;
    q.offWorkDays += v.offWork;
    q.limitedDays += restricted || v.offWork;
}

// Items of days without a record count nowhere, as those days count nowhere else in the summary.
std::vector<MedicationTaken> medicationTaken(const std::vector<store::DayMedItem>& items,
                                             const std::set<QDate>& recorded) {
    struct Taking {
        MedicationTaken figures;
        std::set<QDate> days;
    };
    std::map<QString, Taking> byId;
    for (const store::DayMedItem& item : items) {
        if (item.timesUsed <= 0 || !recorded.contains(item.date)) continue;
        Taking& t = byId[item.medId.trimmed()];
        // The items come in date order: the name and category of the latest day stay.
        t.figures.medId = item.medId.trimmed();
        t.figures.name = item.name.trimmed();
        t.figures.category = item.category.trimmed();
        t.figures.doses += item.timesUsed;
        t.days.insert(item.date);
    }
    std::vector<MedicationTaken> taken;
    for (auto& [id, t] : byId) {
        t.figures.days = int(t.days.size());
        taken.push_back(t.figures);
    }
    std::sort(taken.begin(), taken.end(), [](const MedicationTaken& a, const MedicationTaken& b) {
        return std::tie(a.name, a.medId) < std::tie(b.name, b.medId);
    });
    return taken;
}

std::vector<TriggerMet> triggersMet(const std::vector<store::DayTriggerItem>& items, const std::set<QDate>& recorded) {
    std::map<QString, std::set<QDate>> daysOf;
    for (const store::DayTriggerItem& item : items)
        if (recorded.contains(item.date)) daysOf[store::triggerName(item.trigger)].insert(item.date);
    std::vector<TriggerMet> met;
    met.reserve(daysOf.size());
    for (const auto& [name, days] : daysOf) met.push_back({name, int(days.size())});
    std::stable_sort(met.begin(), met.end(), [](const TriggerMet& a, const TriggerMet& b) { return a.days > b.days; });
    return met;
}

}  // namespace

bool moreThanTwiceAWeek(int days, int daysRecorded) { return 7 * days > 2 * daysRecorded; }

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
    return int(daytimeSymptoms()) + int(nightSymptoms()) + int(relieverNeeded()) + int(activityLimited());
}

std::optional<ControlLevel> ControlQuestions::level() const {
    if (!judged()) return std::nullopt;
    const int yes = answeredYes();
    if (yes == 0) return ControlLevel::Well;
    return yes <= 2 ? ControlLevel::Partly : ControlLevel::Uncontrolled;
}

Period controlRowsPeriod(const QDate& reportDate) {
    return {controlPeriodBefore(reportDate).first, controlPeriod(reportDate).last};
}

AsthmaControl CollectAsthmaControl(store::ReportCursors& cursors, const store::PersonId& person,
                                   const QDate& reportDate) {
    return CollectAsthmaControl(readPeriodRows(cursors, person, controlRowsPeriod(reportDate)), reportDate);
}

AsthmaControl CollectAsthmaControl(const PeriodRows& rows, const QDate& reportDate) {
    AsthmaControl c;
    c.current.period = controlPeriod(reportDate);
    c.before.period = controlPeriodBefore(reportDate);
    const PeriodRows read = rowsWithin(rows, controlRowsPeriod(reportDate));
    const PeriodRows current = rowsWithin(read, c.current.period);
    c.cardBest = read.days.person.cardBest;
    c.person = read.days.person;
    // The best of the report period is the card's raised to the four weeks' highest reading, as
    // in every report; the four weeks before are measured against the same best, so that both
    // columns and the zone limits read against one figure.
    c.person.best = c.cardBest;
    for (const store::DayRecord& day : read.days.days) {
        const store::DayValues& v = day.values;
        if (day.date < c.current.period.first || std::max(v.morning, v.evening) <= c.person.best) continue;
        c.person.best = std::max(v.morning, v.evening);
        c.bestReadingDay = day.date;
    }
    PeriodCollection now = StartPeriodStats(), earlier = StartPeriodStats();
    std::set<QDate> recorded;
    for (const store::DayRecord& day : read.days.days) {
        const store::DayValues& v = day.values;
        if (day.date < c.current.period.first) {
            countDay(c.before, v);
            AddDay(earlier, v, c.person);
            continue;
        }
        countDay(c.current, v);
        AddDay(now, v, c.person);
        c.preventerDays += v.preventers > 0;
        recorded.insert(day.date);
    }
    c.fourWeeks = FinishPeriodStats(now);
    c.bothReadingDays = now.bothReadingDays;
    c.weeksBefore = FinishPeriodStats(earlier);
    c.bothReadingDaysBefore = earlier.bothReadingDays;
    c.medication = medicationTaken(current.medication, recorded);
    c.triggers = triggersMet(current.triggers, recorded);
    return c;
}

}  // namespace pulmora::stats
