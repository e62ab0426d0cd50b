#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The plain values the store hands to and from the cards and reports.
namespace pulmora::store {

// ---- persons ---------------------------------------------------------------------------------

// What the personal card saves. Numbers are decimal texts as typed ("" counts as 0).
struct PersonDetails {
    QString nickname, surname, firstName, gender, birthDate /* date key */, title, occupation,
        healthNumber, zoneYellow, zoneRed, best, predicted;
};

struct PersonRef {
    QString id;
    QString nickname;  // trimmed
};

// What the personal card shows for a stored person.
struct PersonCard {
    QString header;  // "  Updating for " and the nickname
    QString nickname, surname, firstName, occupation, healthNumber, best, predicted;
    int genderItem = 0;  // 1 male, 0 female (any other stored text), -1 none stored
    QString birthDate;   // date key as stored
    int titleItem = -1;  // index in kTitles; -1 when the stored title is none of them
    int zoneYellow = 0, zoneRed = 0;
};

inline const QStringList kTitles = {"Dr", "Miss", "Mr", "Mrs", "Ms", "Professor", "Sir", "Esq"};

// A row of the personal card's medication list.
struct PersonMedRow {
    QString medId;  // full width
    QString name, category, instructions, prescribedBy, prescribedDate;
};

struct MedicationDetails {
    QString medId;  // "" or unknown for a new medication
    QString person, name, instructions, prescribedBy, prescribedDate, category, inUse;
};

// ---- days ------------------------------------------------------------------------------------

struct DayValues {
    int morning = 0, evening = 0;  // peak flows, litres a minute
    bool coughDay = false, breathDay = false, wheezeDay = false, chestDay = false;
    bool coughNight = false, breathNight = false, wheezeNight = false, chestNight = false;
    bool activityRestricted = false, sportRestricted = false, offWork = false;
    int relievers = 0, preventers = 0;
    int rating = 0;  // 0 none, 1 bad, 2 average, 3 good
    bool operator==(const DayValues&) const = default;
};

struct TriggerLine {
    QString name;
    bool ticked = false;
    bool operator==(const TriggerLine&) const = default;
};

struct DayMedRow {
    QString name, category, medId;  // a row without identifier is free
    int timesUsed = 0;
    bool isFree() const { return medId.isEmpty(); }
    bool operator==(const DayMedRow&) const = default;
};

constexpr int kDayMedRows = 20;

struct DayMedication {
    std::array<DayMedRow, kDayMedRows> rows;
    int relieverRows = 0, preventerRows = 0;
};

// A day as the daily card loads it.
struct DayCard {
    bool found = false;
    DayValues values;
    std::vector<TriggerLine> triggers;
    DayMedication medication;
};

// ---- rows of the record files -----------------------------------------------------------------
// One type a file, each read and written in one place. Texts are as stored, without the
// padding (so they are written back unchanged); numbers and flags are read as the program
// uses them.

// "Personal.dat".
struct PersonRecord {
    QString id, nickname, surname, firstName, gender, birthDate /* date key */, title, occupation,
        healthNumber;
    QString best, predicted, zoneYellow, zoneRed;  // decimal texts
};

// "PerTrig.dat".
struct PersonTriggerRecord {
    QString person, trigger;
};

// "PerMed.dat".
struct PersonMedRecord {
    QString medId, person, name, instructions, prescribedBy, prescribedDate, inUse, category;
};

// "RefTrig.dat".
struct RefTriggerRecord {
    QString trigger;
};

// "Daily.dat". The rating is the stored number, 0 to 3 when the program wrote it.
struct DayRecord {
    QString dayId, person, date;
    DayValues values;
};

// "DlyTrig.dat".
struct DayTriggerItem {
    QString dayId, person, trigger, date;
    bool operator==(const DayTriggerItem&) const = default;
};

// "DlyMed.dat".
struct DayMedItem {
    QString dayId, person, medId, name;
    int timesUsed = 0;
    QString category, date;
    bool operator==(const DayMedItem&) const = default;
};

// ---- report records --------------------------------------------------------------------------

// The comparison with the previous recorded day (and PrevDay, its twin).
struct CompareRecord {
    int found = 0;
    int personBest = 0, personPred = 0;
    int morning = 0, evening = 0, diurnal = 0;
    int daySymptoms = 0, nightSymptoms = 0;
    int relievers = 0;
};

struct RepDay {
    int found = 0;
    int morning = 0, evening = 0;
    int cogD = 0, brtD = 0, whzD = 0, chsD = 0, cogN = 0, brtN = 0, whzN = 0, chsN = 0;
    int actN = 0, actS = 0, miss = 0;
    qint16 relievers = 0, preventers = 0, rating = 0;
};

struct RepPerson {
    QString surname, firstName, gender, birthDate, occupation, title, healthNumber;  // full width
    int best = 0, predicted = 0, zoneYellow = 0, zoneRed = 0;
    quint8 anyReading = 0, reportAvailable = 0;
};

struct RepMed {
    QString person, medId, name, timesUsed, category, date;
    bool empty() const { return medId.isEmpty(); }
};

struct RepTrg {
    QString person, trigger, date;
    bool empty() const { return trigger.isEmpty(); }
};

}  // namespace pulmora::store
