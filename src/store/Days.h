#pragma once

#include "Persons.h"

namespace pulmora::store {

// A person's diary days with the triggers met and the medication taken on each.
class Days {
public:
    Days(DiaryStore& store, Persons& persons) : store_(store), persons_(persons) {}

    // Writes the day (updating the one record of that day) and raises the person's stored best
    // peak flow when a reading exceeds it.
    Result AddDly(const QString& person, const QString& date, const DayValues& values);
    // The day as the card shows it. A day without a record offers the person's triggers,
    // unticked, and current medication; today's card also offers whatever of those is missing.
    DayCard GetDly(const QString& person, const QString& date);
    // The day's rating 0 to 3, or -1 when the day has no record (or the file is not open).
    int ChkDly(const QString& person, const QString& date);
    Result DelDly(const QString& person, const QString& date);

    Result AddDlyTrg(const QString& person, const QString& trigger, const QString& date);
    Result DelDlyTrg(const QString& person, const QString& date);
    Result PackDlyTrg();
    // The day's triggers in name order, all ticked.
    std::vector<TriggerLine> ListDlyTrg(const QString& person, const QString& date);
    // The lines extended by the person's triggers not on them yet, unticked.
    std::vector<TriggerLine> AddNewDlyTrg(const QString& person, std::vector<TriggerLine> lines);

    Result AddDlyMed(const QString& person, const QString& date, const QString& medId,
                     int timesUsed, const QString& name, const QString& category);
    Result DelDlyMed(const QString& person, const QString& date);
    Result PackDlyMed();
    DayMedication ListDlyMed(const QString& person, const QString& date);
    // The person's current medication, each used 0 times.
    DayMedication ListNewDlyMed(const QString& person);
    // The rows extended by the person's current medication not on them yet, into free rows
    // only: a filled row is never overwritten.
    DayMedication AddNewDlyMed(const QString& person, DayMedication medication);

private:
    Result raiseBest(const QString& person, const DayValues& values);
    Result markDayRecords(TableId id, const char* tag, const QString& person, const QString& date);

    DiaryStore& store_;
    Persons& persons_;
};

}  // namespace pulmora::store
