#pragma once

#include "DiaryStore.h"
#include "Values.h"

#include <QDate>

namespace pulmora::store {

// Read-only access for the comparison picture and the reports. Each Get operation clears and
// fills one record that the store keeps (and also returns it); callers read it before the next
// call. Every read of a period finds the person's records by seeking the range of their day
// identifiers, never by walking a whole file or by one lookup a day.
class ReportCursors {
public:
    explicit ReportCursors(DiaryStore& store) : store_(store) {}

    // The person's latest recorded day strictly before the date.
    const CompareRecord& GetRepDly(const PersonId& person, const QDate& date);
    const CompareRecord& GetRPrvDly(const PersonId& person, const QDate& date);
    // The person's days from the first to the last day (both included), and the person's
    // details with the best raised to the highest reading of those days. An unknown person has
    // no figures (nothing is available to report) but may still have days.
    const PersonPeriod& GetRPer(const PersonId& person, const QDate& first, const QDate& last);

    // A person's records from the first to the last day (both included). Days come in date
    // order; triggers and medication by date, then by name or identifier as stored, each
    // numbered with its place when listed by name or identifier alone (`listed`).
    std::vector<DayRecord> daysBetween(const PersonId& person, const QDate& first, const QDate& last) const;
    std::vector<DayTriggerItem> triggersBetween(const PersonId& person, const QDate& first, const QDate& last) const;
    std::vector<DayMedItem> medicationBetween(const PersonId& person, const QDate& first, const QDate& last) const;

    const CompareRecord& comparison() const { return comparison_; }
    const CompareRecord& prevDay() const { return prevDay_; }
    const PersonPeriod& repPeriod() const { return repPeriod_; }

private:
    void previousDay(const PersonId& person, const QDate& date, CompareRecord& into);

    DiaryStore& store_;
    CompareRecord comparison_;
    CompareRecord prevDay_;
    PersonPeriod repPeriod_;
};

// The days of a period read from `first` to `last` (both included), with the person's figures for
// them, as GetRPer reads them for those days: one period read serves the reports of any period
// within it.
PersonPeriod periodWithin(const PersonPeriod& read, const QDate& first, const QDate& last);

// 0 when either reading is 0; otherwise |even - morning| over their mean, in percent, rounded
// half to even.
int diurnalVariation(int morning, int evening);

}  // namespace pulmora::store
