#pragma once

#include "SavePlan.h"

#include <span>

// The cards' saves as the named operations once made them, written straight through the table
// engine: the day's or person's records of a list all marked deleted, each wanted one recalled
// or appended, the file packed. The one-call saves must leave the files exactly as these do.
namespace pulmora::test::named {

// AddDly; DelDlyTrg, AddDlyTrg for each ticked trigger, PackDlyTrg; DelDlyMed, AddDlyMed for each
// medication taken, PackDlyMed.
store::Result saveDay(store::Diary& diary, const plan::DaySave& save);

// DelPerTrg, AddPerTrg for each trigger, PackPerTrg; SetPerMed "No", AddMed in use for each
// medication row with a name.
store::Result saveLists(store::Diary& diary, const store::PersonId& person, const QStringList& triggers,
                        std::span<const store::PersonMedRow> medication);

// DelDlyTrg alone, as a save stopped before its pack leaves the day's triggers.
store::Result markDayTriggers(store::Diary& diary, const store::PersonId& person, const QDate& date);

}  // namespace pulmora::test::named
