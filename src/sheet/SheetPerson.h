#pragma once

#include "store/Persons.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace pulmora::sheet {

struct SheetMedication {
    QString name;      // as stored, trimmed
    QString category;  // "Reliever", "Preventer", ...
};

// Everything a record sheet shows of one person.
struct SheetPerson {
    QString name;                       // the nickname the sheet was asked for, at most 30 characters
    std::optional<store::PersonId> id;  // none when nobody has the name
    QString surname, firstNames;
    int best = 0;                             // litres a minute; below 1 when not known
    int yellowLimit = 0, redLimit = 0;        // litres a minute
    QStringList triggers;                     // in the order they were stored
    std::vector<SheetMedication> medication;  // in use, in the order it was stored
};

// The persons, their nicknames trimmed, in identifier order: the entries the sheet window offers.
std::vector<store::PersonRef> sheetEntries(store::Persons& persons);

// The person whose nickname is `name` (trimmed, cut to 30 characters), with the zone limits
// worked out from their percentages, their triggers and the medication they use. Should two
// records carry the nickname, the last in identifier order is taken. Nobody matches: only the
// name is set and the lists are empty.
SheetPerson GetAsthmatic(store::Persons& persons, const QString& name);

}  // namespace pulmora::sheet
