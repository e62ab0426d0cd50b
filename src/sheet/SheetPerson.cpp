#include "SheetPerson.h"

#include "stats/Figures.h"

namespace pulmora::sheet {
namespace {

constexpr int kNameLength = 30;

}  // namespace

std::vector<store::PersonRef> sheetEntries(store::Persons& persons) {
    std::vector<store::PersonRef> entries;
    for (const store::PersonRecord& row : persons.ListPer()) entries.push_back({row.id, row.nickname.trimmed()});
    return entries;
}

SheetPerson GetAsthmatic(store::Persons& persons, const QString& name) {
    SheetPerson person;
    person.name = name.trimmed().left(kNameLength);
    for (const store::PersonRecord& row : persons.ListPer()) {
        if (row.nickname.trimmed() != person.name) continue;
        // A figure not stored counts as 0, as in the reports.
        person.best = row.best.value_or(0);
        person.yellowLimit = stats::ZoneLimit(person.best, row.zoneYellow.value_or(0));
        person.redLimit = stats::ZoneLimit(person.best, row.zoneRed.value_or(0));
        person.firstNames = row.firstName.trimmed();
        person.surname = row.surname.trimmed();
        person.id = row.id;
    }
    if (!person.id) return person;
    person.triggers = persons.ListPerTrgAsStored(*person.id);
    for (const store::PersonMedRow& m : persons.ListMedInUse(*person.id))
        person.medication.push_back({m.name, m.category});
    return person;
}

}  // namespace pulmora::sheet
