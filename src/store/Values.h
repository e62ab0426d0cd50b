#pragma once

#include "PersonId.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The plain values the store hands to and from the cards and reports.
namespace pulmora::store {

// ---- persons ---------------------------------------------------------------------------------

// What the personal card saves. Numbers are decimal texts as typed ("" counts as 0); a null
// date of birth is none.
struct PersonDetails {
    QString nickname, surname, firstName, gender;
    QDate birthDate;
    QString title, occupation, healthNumber, zoneYellow, zoneRed, best, predicted;
    bool operator==(const PersonDetails&) const = default;
};

struct PersonRef {
    PersonId id;
    QString nickname;  // trimmed
};

// What the personal card shows for a stored person.
struct PersonCard {
    QString nickname, surname, firstName, occupation, healthNumber, best, predicted;
    QString gender;   // as stored, trimmed: "" when none was ever chosen
    QDate birthDate;  // null when none is stored, or what is stored is no date
    QString title;    // as stored, trimmed: also a title the list does not offer
    int zoneYellow = 0, zoneRed = 0;
};

inline const QStringList kTitles = {"Dr", "Miss", "Mr", "Mrs", "Ms", "Professor", "Sir", "Esq"};

// The medication categories as stored, in the order the personal card offers them. The daily
// card keeps count of the doses of the first two.
inline const QString kReliever = QStringLiteral("Reliever");
inline const QString kPreventer = QStringLiteral("Preventer");
inline const QStringList kCategories = {kReliever, kPreventer, QStringLiteral("Protector"), QStringLiteral("Combined"),
                                        QStringLiteral("Other")};

// A person has at most this many medications in current use.
constexpr int kCurrentMedications = 10;

// A row of the personal card's medication list; a null date prescribed is none.
struct PersonMedRow {
    QString medId;  // full width
    QString name, category, instructions, prescribedBy;
    QDate prescribedDate;
    bool operator==(const PersonMedRow&) const = default;
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

    // How many of the four symptoms (coughing, breathlessness, wheezing, chest tightness) were
    // met by day, and at night.
    int daySymptoms() const { return int(coughDay) + int(breathDay) + int(wheezeDay) + int(chestDay); }
    int nightSymptoms() const { return int(coughNight) + int(breathNight) + int(wheezeNight) + int(chestNight); }
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
// padding (so they are written back unchanged); numbers, flags and dates are read there once,
// as the program uses them.

// A whole number kept as text: none when the field is blank, or holds text that is no number
// (as another program may leave it).
using StoredNumber = std::optional<int>;

// "Personal.dat". A record whose identifier is none (written by another program) is no one's:
// the store passes over it.
struct PersonRecord {
    PersonId id;
    QString nickname, surname, firstName, gender, birthDate /* date key */, title, occupation, healthNumber;
    StoredNumber best, predicted, zoneYellow, zoneRed;
};

// "PerTrig.dat".
struct PersonTriggerRecord {
    QString person, trigger;
};

// "PerMed.dat".
struct PersonMedRecord {
    QString medId, person, name, instructions, prescribedBy, prescribedDate /* date key */;
    bool inUse = false;  // on the person's current list; kept as history once taken off it
    QString category;
};

// "RefTrig.dat".
struct RefTriggerRecord {
    QString trigger;
};

// The three files of a person's days hold the person and the day's identifier in every record;
// their rows leave those out, as every read and write is for one person, who gives both. A date
// that is no valid date reads as a null date. "Daily.dat": the rating is the stored number, 0 to
// 3 when the program wrote it.
struct DayRecord {
    QDate date;
    DayValues values;
    bool operator==(const DayRecord&) const = default;
};

// "DlyTrig.dat".
struct DayTriggerItem {
    QDate date;
    QString trigger;
    int listed = 0;  // its place in a period read's triggers by name as stored, equal names in the order recorded
    bool operator==(const DayTriggerItem&) const = default;
};

// "DlyMed.dat": the name and category are those the medication had on the day.
struct DayMedItem {
    QDate date;
    QString medId, name;
    int timesUsed = 0;
    QString category;
    int listed = 0;  // its place in a period read's medication by identifier, equal ones in the order recorded
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

struct RepPerson {
    QString surname, firstName, gender, birthDate, occupation, title, healthNumber;  // full width
    int best = 0, predicted = 0, zoneYellow = 0, zoneRed = 0;
    quint8 anyReading = 0, reportAvailable = 0;
    int cardBest = 0;  // the best as the personal card holds it, before the period's readings raise it
};

// A person's days over a report period, read once: the person's figures for the period and the
// days themselves, in date order.
struct PersonPeriod {
    RepPerson person;
    std::vector<DayRecord> days;
    bool personFound = false;  // an unknown person has no figures, though it may have days
};

}  // namespace pulmora::store
