#include "SampleDiary.h"

#include "store/Keys.h"

#include <algorithm>
#include <cmath>

namespace pulmora::tools {
namespace {

const QStringList kSurnames = {"Smith", "Jones", "Taylor", "Brown", "Williams", "Wilson", "Johnson",
                               "Davies", "Robinson", "Wright", "Thompson", "Evans", "Walker", "White"};
const QStringList kFirstNames = {"John", "Mary", "Peter", "Susan", "David", "Emma", "James",
                                 "Lucy", "Robert", "Anna", "Thomas", "Clare", "Mark", "Helen"};
const QStringList kTriggers = {"POLLEN", "HOUSE DUST", "HOUSE DUST MITES", "COLD AIR", "EXERCISE",
                               "CIGARETTE SMOKE", "CATS", "DOGS", "COLDS AND FLU", "DAMP", "PERFUME",
                               "TRAFFIC FUMES", "STRESS", "THUNDERSTORMS"};

QString check(const store::Result& r) { return r ? QString() : r.error(); }

}  // namespace

SampleDiary::SampleDiary(store::Diary& diary, const SampleOptions& options)
    : diary_(diary), options_(options), random_(options.seed) {}

QString SampleDiary::write() {
    for (const QString& trigger : kTriggers)
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

QString SampleDiary::addPerson(int index, Person& person) {
    store::PersonDetails d;
    d.surname = kSurnames[index % kSurnames.size()];
    d.firstName = kFirstNames[(index * 5 + 3) % kFirstNames.size()];
    d.nickname = d.firstName + (index >= kFirstNames.size() ? QString::number(index) : QString());
    const bool female = index % 2 == 1;
    d.gender = female ? "Female" : "Male";
    d.title = female ? "Ms" : "Mr";
    d.birthDate = store::keys::dateKey(QDate(uniform(1940, 2010), uniform(1, 12), uniform(1, 28)));
    d.occupation = female ? "Teacher" : "Engineer";
    d.healthNumber = QStringLiteral("NH%1").arg(uniform(100000, 999999));
    person.best = uniform(38, 62) * 10;
    d.best = QString::number(person.best);
    d.predicted = QString::number(person.best + uniform(-3, 3) * 10);
    d.zoneYellow = "80";
    d.zoneRed = "50";
    auto added = diary_.persons.AddPer("New", d);
    if (!added) return added.error();
    person.id = added.value.id;

    QStringList triggers = kTriggers;
    std::shuffle(triggers.begin(), triggers.end(), random_);
    person.triggers = triggers.mid(0, uniform(2, 5));
    const QString start = store::keys::dateKey(options_.lastDay.addYears(-options_.years));
    return saveLists(person, {{"", "Salbutamol", store::kReliever, "2 puffs when needed", "Dr Patel", start},
                              {"", "Beclometasone", store::kPreventer, "2 puffs twice a day", "Dr Patel", start}});
}

// The personal card's save after the preventer was changed: the reliever kept, the changed
// preventer stored as a new version, so the old one stays on file not in use. The card lists
// them by name.
QString SampleDiary::renewMedication(Person& person, const QDate& when) {
    const Medication reliever = person.medication.front();
    return saveLists(person, {{"", "Budesonide", store::kPreventer, "1 puff twice a day", "Dr Patel",
                               store::keys::dateKey(when)},
                              {reliever.id, reliever.name, reliever.category, "2 puffs when needed", "Dr Patel",
                               store::keys::dateKey(when.addYears(-1))}});
}

QString SampleDiary::saveLists(Person& person, const std::vector<store::PersonMedRow>& medication) {
    if (QString e = check(diary_.persons.savePersonLists(person.id, person.triggers, medication)); !e.isEmpty())
        return e;
    // Kept in the order given, which is the order the days record them in.
    const std::vector<store::PersonMedRow> stored = diary_.persons.ListMed(person.id);
    person.medication.clear();
    for (const store::PersonMedRow& row : medication) {
        const auto match = std::find_if(stored.begin(), stored.end(),
                                        [&](const store::PersonMedRow& s) { return s.name == row.name; });
        if (match == stored.end()) return QStringLiteral("%1 was not stored").arg(row.name);
        person.medication.push_back({match->medId.trimmed(), match->name, match->category});
    }
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
    return check(diary_.days.saveDay(person.id, store::keys::dateKey(day), v, person.triggers.mid(0, triggers), rows));
}

}  // namespace pulmora::tools
