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
    // order; triggers and medication by date, then by name or identifier as stored.
    std::vector<DayRecord> daysBetween(const PersonId& person, const QDate& first, const QDate& last) const;
    std::vector<DayTriggerItem> triggersBetween(const PersonId& person, const QDate& first, const QDate& last) const;
    std::vector<DayMedItem> medicationBetween(const PersonId& person, const QDate& first, const QDate& last) const;

    // Cursors over the person's medication (by identifier) and triggers (by name, each in the
    // order they were recorded when equal) in the 31 days up to the date. Beg reads the period
    // and yields its first item; Nxt yields the next one of that same period. An empty item
    // ends the cursor.
    const RepMed& GetRMedBeg(const PersonId& person, const QDate& date);
    const RepMed& GetRMedNxt();
    const RepTrg& GetRTrgBeg(const PersonId& person, const QDate& date);
    const RepTrg& GetRTrgNxt();

    const CompareRecord& comparison() const { return comparison_; }
    const CompareRecord& prevDay() const { return prevDay_; }
    const PersonPeriod& repPeriod() const { return repPeriod_; }
    const RepMed& repMed() const { return repMed_; }
    const RepTrg& repTrg() const { return repTrg_; }

private:
    void previousDay(const PersonId& person, const QDate& date, CompareRecord& into);
    void ClearRMed();
    void ClearRTrg();

    DiaryStore& store_;
    CompareRecord comparison_;
    CompareRecord prevDay_;
    PersonPeriod repPeriod_;
    RepMed repMed_;
    RepTrg repTrg_;
    std::vector<RepMed> medItems_;  // the medication cursor's period, in cursor order
    size_t nextMed_ = 0;
    std::vector<RepTrg> trgItems_;
    size_t nextTrg_ = 0;
};

// The days of a period read from `first` to `last` (both included), with the person's figures for
// them, as GetRPer reads them for those days: one period read serves the reports of any period
// within it.
PersonPeriod periodWithin(const PersonPeriod& read, const QDate& first, const QDate& last);

// 0 when either reading is 0; otherwise |even - morning| over their mean, in percent, rounded
// half to even.
int diurnalVariation(int morning, int evening);

}  // namespace pulmora::store
