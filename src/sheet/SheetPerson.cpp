#include "SheetPerson.h"

#include "stats/Figures.h"

#include <optional>

namespace pulmora::sheet {
namespace {

constexpr int kNameLength = 30;

// A stored number; an empty field counts as 0, as the personal card saves it.
std::optional<int> wholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return 0;
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

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
        person.best = wholeNumber(row.best).value_or(0);
        // Limits that cannot be read keep the values found before for this name, never those
        // of the person printed before.
        const auto yellow = wholeNumber(row.zoneYellow);
        const auto red = wholeNumber(row.zoneRed);
        if (yellow && red) {
            person.yellowLimit = stats::ZoneLimit(person.best, *yellow);
            person.redLimit = stats::ZoneLimit(person.best, *red);
        }
        person.firstNames = row.firstName.trimmed();
        person.surname = row.surname.trimmed();
        person.id = row.id.trimmed();
    }
    if (person.id.isEmpty()) return person;
    person.triggers = persons.ListPerTrgAsStored(person.id);
    for (const store::PersonMedRecord& m : persons.ListMedInUse(person.id))
        person.medication.push_back({m.name.trimmed(), m.category.trimmed()});
    return person;
}

}  // namespace pulmora::sheet
