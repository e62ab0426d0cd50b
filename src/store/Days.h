#pragma once

#include "Persons.h"

#include <span>

namespace pulmora::store {

class Writes;

// A person's diary days with the triggers met and the medication taken on each.
class Days {
public:
    Days(DiaryStore& store, Persons& persons) : store_(store), persons_(persons) {}

    // The daily card's save in one call: the day's values, the ticked triggers and the
    // medication rows, of which those that name a medication and were used are kept. It writes
    // the day (raising the person's stored best peak flow when a reading exceeds it), and the
    // files end as marking all of the day's triggers and medication, recalling or appending the
    // wanted ones and packing would leave them; but only what changed is written: the day's
    // record when its values did, a trigger or medication that is new, recalled or used a
    // different number of times, and, when one was dropped, its deletion mark. The wanted records
    // are written first and the others then marked deleted in place, one byte each and one wait
    // for the disk per file, so a save stopped or failing at any moment leaves the day's
    // triggers and medication as before, as after or between the two, never less than either;
    // a marked record is gone for every read, and the start packs it away later. Everything is
    // checked before anything is written. A trigger or medication
    // file that is not open refuses the save only when its list has something to store;
    // otherwise it is left alone.
    // With `RaiseBest::Never` the readings are stored and the stored best stays as it was.
    enum class RaiseBest { WhenExceeded, Never };
    Result saveDay(const PersonId& person, const QDate& date, const DayValues& values,
                   const QStringList& tickedTriggers, std::span<const DayMedRow> medication,
                   RaiseBest raise = RaiseBest::WhenExceeded);
    // The lists of such a save that have something to store in a file that is not open
    // ("DlyTrig.dat", "DlyMed.dat"): what saveDay refuses, and what the card cannot keep.
    std::vector<TableId> unsavableLists(const QStringList& tickedTriggers, std::span<const DayMedRow> medication) const;

    // The day as the card shows it. A day without a record offers the person's triggers,
    // unticked, and current medication; today's card also offers whatever of those is missing.
    // A date that is no date has no card.
    DayCard GetDly(const PersonId& person, const QDate& date);
    // The day's rating 0 to 3, or -1 when the day has no record (or the file is not open, or the
    // date is no date).
    int ChkDly(const PersonId& person, const QDate& date);
    // Removes the day with its triggers and medication; refused while either list file is not open.
    Result DelDly(const PersonId& person, const QDate& date);

    // The rows extended by the person's current medication not on them yet, into free rows
    // only: a filled row is never overwritten. A medication whose name a row already shows is on
    // them (an earlier version of it, taken on that day).
    DayMedication AddNewDlyMed(const PersonId& person, DayMedication medication);

private:
    // Writes the day (updating the one record of that day) and raises the person's stored best
    // peak flow when a reading exceeds it.
    Result writeDay(const PersonId& person, const QDate& date, const DayValues& values, RaiseBest raise);
    Result raiseBest(const PersonId& person, const DayValues& values);
    // Whether a save of these lists would write the list file, when that file may only be read.
    bool changesList(const PersonId& person, const QDate& date, TableId list, const QStringList& triggers,
                     std::span<const DayMedRow> medication);
    // The day's trigger or medication as saveDay wants it, answering its record number.
    Outcome<quint32> addTrigger(const PersonId& person, const QString& name, const QDate& date);
    Outcome<quint32> addMedication(const PersonId& person, const QDate& date, const DayMedRow& row);
    // Marks the day's records in the file deleted except the given ones, with one wait for the
    // disk: stopped or failed part-way, each record is either live or marked, never damaged.
    Result removeDayExcept(TableId id, const PersonId& person, const QDate& date, const std::vector<quint32>& keep);

    // The day's triggers in name order, all ticked.
    std::vector<TriggerLine> ListDlyTrg(const PersonId& person, const QDate& date);
    // The lines extended by the person's triggers not on them yet, unticked.
    std::vector<TriggerLine> AddNewDlyTrg(const PersonId& person, std::vector<TriggerLine> lines);
    DayMedication ListDlyMed(const PersonId& person, const QDate& date);
    // The person's current medication, each used 0 times.
    DayMedication ListNewDlyMed(const PersonId& person);

    Writes writes() const;

    DiaryStore& store_;
    Persons& persons_;
};

}  // namespace pulmora::store
