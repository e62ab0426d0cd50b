#pragma once

#include "PersonIds.h"
#include "store/Diary.h"

#include <algorithm>

// Setting a diary up as the cards write it: through their one-call saves.
namespace pulmora::test::cards {

// A day as the daily card saves it with no trigger ticked and no medication taken.
inline store::Result saveDay(store::Diary& diary, const store::PersonId& person, const QDate& date,
                             const store::DayValues& values) {
    return diary.days.saveDay(person, date, values, {}, {});
}

// The personal card's save with the lists it shows changed: `change` edits the triggers and the
// current medication rows before they are saved.
template <class Change>
store::Result changeLists(store::Diary& diary, const store::PersonId& person, Change change) {
    QStringList triggers = diary.persons.ListPerTrgAsStored(person);
    std::vector<store::PersonMedRow> medication = diary.persons.ListMed(person);
    change(triggers, medication);
    return diary.persons.savePersonLists(person, triggers, medication);
}

inline store::Result addTrigger(store::Diary& diary, const store::PersonId& person, const QString& trigger) {
    return changeLists(diary, person, [&](QStringList& triggers, auto&) { triggers << trigger; });
}

// A new medication on the person's current list; answers its identifier.
inline store::Outcome<QString> addMedication(store::Diary& diary, const store::PersonId& person, const QString& name,
                                             const QString& category, const QDate& prescribed = {},
                                             const QString& instructions = {}, const QString& prescribedBy = {}) {
    store::Outcome<QString> out;
    out.result = changeLists(diary, person, [&](auto&, std::vector<store::PersonMedRow>& medication) {
        medication.push_back({{}, name, category, instructions, prescribedBy, prescribed});
    });
    for (const store::PersonMedRow& row : diary.persons.ListMed(person))
        if (row.name == name) out.value = row.medId.trimmed();
    return out;
}

// Takes the medication off the person's current list; it stays on file as history.
inline store::Result stopMedication(store::Diary& diary, const store::PersonId& person, const QString& medId) {
    return changeLists(diary, person, [&](auto&, std::vector<store::PersonMedRow>& medication) {
        std::erase_if(medication, [&](const store::PersonMedRow& row) { return row.medId.trimmed() == medId; });
    });
}

}  // namespace pulmora::test::cards
