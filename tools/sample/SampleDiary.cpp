#include "SampleDiary.h"

#include <algorithm>
#include <cmath>

namespace pulmora::tools {
namespace {

const QStringList kSurnames = {"Smith",  "Jones",    "Taylor", "Brown",    "Williams", "Wilson", "Johnson",
                               "Davies", "Robinson", "Wright", "Thompson", "Evans",    "Walker", "White"};
// Every second person is a woman; a first name, title and gender always agree.
const QStringList kWomensNames = {"Mary", "Susan", "Emma", "Lucy", "Anna", "Clare", "Helen"};
const QStringList kMensNames = {"John", "Peter", "David", "James", "Robert", "Thomas", "Mark"};
const QStringList kTriggers = {"POLLEN", "HOUSE DUST",   "HOUSE DUST MITES", "COLD AIR", "EXERCISE", "CIGARETTE SMOKE",
                               "CATS",   "DOGS",         "COLDS AND FLU",    "DAMP",     "PERFUME",  "TRAFFIC FUMES",
                               "STRESS", "THUNDERSTORMS"};

// The longest texts the record files hold: 30 characters a name, 20 a medication, 25 a trigger.
const QStringList kLongSurnames = {"Featherstonehaugh-Cholmondeley", "Montgomery-Fotheringham-Blythe",
                                   "Wolstenholme-Aldersley-Beckett"};
const QString kLongWomansName = QStringLiteral("Christabel Rosamund Georgianna");
const QString kLongMansName = QStringLiteral("Sebastian Montgomery Augustine");
const QString kLongTitle = QStringLiteral("Reverend Doctor");  // a title for a woman or a man
const QString kLongOccupation = QStringLiteral("Head of Mathematics Department");
const QStringList kLongTriggers = {
    "HOUSE DUST MITE DROPPINGS", "FRESHLY MOWN GRASS POLLEN", "CHLORINE IN SWIMMING POOL", "FUMES FROM PAINT AND GLUE",
    "WOOD SMOKE FROM OPEN FIRE", "MOULD SPORES IN THE ATTIC", "PETS: CATS, DOGS, RABBITS", "CIGARETTE SMOKE IN A CAFE"};
constexpr int kNameLength = 30;

struct MedicationNames {
    QString reliever, preventer, renewedPreventer;
};
const MedicationNames kMedication = {"Salbutamol", "Beclometasone", "Budesonide"};
const MedicationNames kLongMedication = {"Salbutamol Accuhaler", "Beclometasone Clenil", "Budesonide Easyhaler"};
// With the longest texts a person takes the ten medications the personal card holds: eight more
// than the reliever and the preventer, prescribed with the longest instructions and prescriber.
const std::pair<const char*, const char*> kLongMoreMedication[] = {
    {"Formoterol Easyhaler", "Protector"}, {"Budesonide Symbicort", "Combined"}, {"Fluticasone Flixotid", "Preventer"},
    {"Montelukast Granules", "Other"},     {"Prednisolone Tablets", "Other"},    {"Ipratropium Atrovent", "Reliever"},
    {"Theophylline Uniphyl", "Other"},     {"Omalizumab Injection", "Other"}};
const QString kLongInstructions = QStringLiteral("1 tablet each night with water");
const QString kPrescriber = QStringLiteral("Dr Patel");
const QString kLongPrescriber = QStringLiteral("Dr Featherstonehaugh");

const MedicationNames& medicationNames(const SampleOptions& options) {
    return options.longNames ? kLongMedication : kMedication;
}

const QString& prescriber(const SampleOptions& options) { return options.longNames ? kLongPrescriber : kPrescriber; }

QString check(const store::Result& r) { return r ? QString() : r.error(); }

}  // namespace

SampleDiary::SampleDiary(store::Diary& diary, const SampleOptions& options)
    : diary_(diary), options_(options), random_(options.seed) {}

QString SampleDiary::write() {
    for (const QString& trigger : triggerNames())
        if (QString e = check(diary_.persons.AddTrg("", trigger).result); !e.isEmpty()) return e;

    const QDate first = options_.lastDay.addYears(-options_.years).addDays(1);
    for (int i = 0; i < options_.persons; ++i) {
        Person person;
        if (QString e = addPerson(i, person); !e.isEmpty()) return e;
        const QDate change = first.addDays(first.daysTo(options_.lastDay) / 2);
        int gap = 0;
        for (QDate day = first; day <= options_.lastDay; day = day.addDays(1)) {
            if (day == change)
                if (QString e = renewMedication(person, day); !e.isEmpty()) return e;
            // Unrecorded stretches: holidays, forgotten weeks.
            if (gap > 0 || chance(0.01)) {
                gap = gap > 0 ? gap - 1 : uniform(1, 12);
                continue;
            }
            if (QString e = addDay(person, day); !e.isEmpty()) return e;
        }
    }
    return {};
}

const QStringList& SampleDiary::triggerNames() const { return options_.longNames ? kLongTriggers : kTriggers; }

QString SampleDiary::addPerson(int index, Person& person) {
    store::PersonDetails d;
    const bool female = index % 2 == 1;
    d.gender = female ? "Female" : "Male";
    d.birthDate = QDate(uniform(1940, 2010), uniform(1, 12), uniform(1, 28));
    if (options_.longNames) {
        d.surname = kLongSurnames[index % kLongSurnames.size()];
        d.firstName = female ? kLongWomansName : kLongMansName;
        // A unique nickname of the full length: the first name and surname, a number at its end.
        const QString number = QString::number(index + 1);
        d.nickname = (d.firstName.section(' ', 0, 0) + ' ' + d.surname).left(kNameLength - int(number.size())) + number;
        d.title = kLongTitle;
        d.occupation = kLongOccupation;
        d.healthNumber = QStringLiteral("NHS %1 %2 %3 PRACTICE %4")
                             .arg(uniform(100, 999))
                             .arg(uniform(100, 999))
                             .arg(uniform(1000, 9999))
                             .arg(index % 10000, 4, 10, QLatin1Char('0'));
    } else {
        const QStringList& names = female ? kWomensNames : kMensNames;
        d.surname = kSurnames[index % kSurnames.size()];
        d.firstName = names[(index / 2) % names.size()];
        d.nickname = d.firstName + (index >= 2 * names.size() ? QString::number(index) : QString());
        d.title = female ? "Ms" : "Mr";
        d.occupation = female ? "Teacher" : "Engineer";
        d.healthNumber = QStringLiteral("NH%1").arg(uniform(100000, 999999));
    }
    person.best = uniform(38, 62) * 10;
    d.best = QString::number(person.best);
    d.predicted = QString::number(person.best + uniform(-3, 3) * 10);
    d.zoneYellow = "80";
    d.zoneRed = "50";
    auto added = diary_.persons.AddPer(std::nullopt, d);
    if (!added) return added.error();
    person.id = added.value->id;

    QStringList triggers = triggerNames();
    std::shuffle(triggers.begin(), triggers.end(), random_);
    person.triggers = triggers.mid(0, uniform(2, 5));

    const QDate start = options_.lastDay.addYears(-options_.years);
    const MedicationNames& names = medicationNames(options_);
    std::vector<store::PersonMedRow> rows = {
        {"", names.reliever, store::kReliever, "2 puffs when needed", prescriber(options_), start},
        {"", names.preventer, store::kPreventer, "2 puffs twice a day", prescriber(options_), start}};
    if (options_.longNames)
        for (const auto& [name, category] : kLongMoreMedication)
            rows.push_back({"", name, category, kLongInstructions, prescriber(options_), start});
    if (QString e = check(diary_.persons.savePersonLists(*person.id, person.triggers, rows)); !e.isEmpty()) return e;
    // The days record the medication in the order the card was given it.
    const std::vector<store::PersonMedRow> stored = diary_.persons.ListMed(*person.id);
    for (store::PersonMedRow& row : rows) {
        const auto match = std::find_if(stored.begin(), stored.end(),
                                        [&](const store::PersonMedRow& s) { return s.name == row.name; });
        if (match == stored.end()) return QStringLiteral("%1 was not stored").arg(row.name);
        row.medId = match->medId.trimmed();
        person.medication.push_back({row.medId, row.name, row.category});
    }
    person.moreMedication.assign(rows.begin() + 2, rows.end());
    return {};
}

// The personal card's save after the preventer was changed: the reliever kept, the changed
// preventer stored as a new version, so the old one stays on file not in use.
QString SampleDiary::renewMedication(Person& person, const QDate& when) {
    const Medication reliever = person.medication.front();
    std::vector<store::PersonMedRow> rows = {
        {reliever.id, reliever.name, reliever.category, "2 puffs when needed", prescriber(options_), when.addYears(-1)},
        {"", medicationNames(options_).renewedPreventer, store::kPreventer, "1 puff twice a day", prescriber(options_),
         when}};
    rows.insert(rows.end(), person.moreMedication.begin(), person.moreMedication.end());
    if (QString e = check(diary_.persons.savePersonLists(*person.id, person.triggers, rows)); !e.isEmpty()) return e;
    person.medication.clear();
    for (const store::PersonMedRow& row : diary_.persons.ListMed(*person.id))
        person.medication.push_back({row.medId.trimmed(), row.name, row.category});
    return {};
}

QString SampleDiary::addDay(const Person& person, const QDate& day) {
    // Readings drift with the season and dip on bad spells.
    const double season = 0.9 + 0.06 * std::sin(day.dayOfYear() / 58.0);
    const bool badSpell = chance(0.08);
    const double level = season * (badSpell ? 0.65 : 0.93);
    auto reading = [&] { return std::clamp(int(person.best * level) + uniform(-25, 25), 60, 999) / 5 * 5; };

    store::DayValues v;
    v.morning = chance(0.05) ? 0 : reading();
    v.evening = chance(0.08) ? 0 : std::min(999, reading() + 15);
    const double symptom = badSpell ? 0.6 : 0.08;
    v.coughDay = chance(symptom);
    v.breathDay = chance(symptom);
    v.wheezeDay = chance(symptom);
    v.chestDay = chance(symptom / 2);
    v.coughNight = chance(symptom / 2);
    v.breathNight = chance(symptom / 3);
    v.wheezeNight = chance(symptom / 2);
    v.chestNight = chance(symptom / 4);
    v.activityRestricted = badSpell && chance(0.5);
    v.sportRestricted = badSpell || chance(0.03);
    v.offWork = badSpell && chance(0.3);
    v.relievers = badSpell ? uniform(2, 8) : uniform(0, 1);
    v.preventers = 2;
    v.rating = chance(0.05) ? 0 : (badSpell ? 1 : (chance(0.3) ? 2 : 3));

    const int triggers = badSpell ? uniform(1, 3) : (chance(0.6) ? 1 : 0) + (chance(0.2) ? 1 : 0);
    std::vector<store::DayMedRow> rows;
    for (const Medication& m : person.medication)
        rows.push_back({m.name, m.category, m.id, m.category == store::kReliever ? v.relievers : v.preventers});
    return check(diary_.days.saveDay(*person.id, day, v, person.triggers.mid(0, triggers), rows));
}

}  // namespace pulmora::tools
