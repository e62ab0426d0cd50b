#pragma once

#include "Bound.h"
#include "Values.h"

// The one place each row type meets its file: read from the current record, or assigned to it
// (the caller then writes it, see Writes).
namespace pulmora::store::mapping {

// None for a record whose identifier is none (another program's): it is no one's.
std::optional<PersonRecord> readPerson(const PersonalTable& t);
void writePerson(const PersonalTable& t, const PersonRecord& row);

PersonTriggerRecord readPersonTrigger(const PerTrigTable& t);
void writePersonTrigger(const PerTrigTable& t, const PersonTriggerRecord& row);

PersonMedRecord readPersonMed(const PerMedTable& t);
void writePersonMed(const PerMedTable& t, const PersonMedRecord& row);

RefTriggerRecord readRefTrigger(const RefTrigTable& t);
void writeRefTrigger(const RefTrigTable& t, const RefTriggerRecord& row);

// The rows of a person's days: the person (and so the day's identifier) is written with them
// and is not part of the row read back.
DayRecord readDay(const DailyTable& t);
// Just the rating, for the many lookups that want nothing else.
int readRating(const DailyTable& t);
void writeDay(const DailyTable& t, const PersonId& person, const DayRecord& row);

DayTriggerItem readDayTrigger(const DlyTrigTable& t);
void writeDayTrigger(const DlyTrigTable& t, const PersonId& person, const DayTriggerItem& row);

DayMedItem readDayMed(const DlyMedTable& t);
void writeDayMed(const DlyMedTable& t, const PersonId& person, const DayMedItem& row);

}  // namespace pulmora::store::mapping
