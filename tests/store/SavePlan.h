#pragma once

#include "store/Diary.h"
#include "support/PersonIds.h"

#include <algorithm>
#include <random>
#include <vector>

// The little diary the crash tests save into, and the saves they make: shared by the tests and
// the child process they kill, so both know what each round of saving wanted.
namespace pulmora::test::plan {

inline const store::PersonId kJohn = personId("SmJo0001");
inline const store::PersonId kJack = personId("SmJa0001");
// The days the saves rewrite; Jack's day shares a date with John's.
inline const std::vector<QDate> kDates = {QDate(2024, 6, 9), QDate(2024, 6, 10), QDate(2024, 6, 11)};
inline const QDate kJacksDate(2024, 6, 10);
inline constexpr int kBest = 400;

struct Medication {
    const char* id;
    const char* name;
    const char* category;
};
inline const Medication kMedication[] = {{"Salb0001", "Salbutamol", "Reliever"},
                                         {"Bude0001", "Budesonide", "Preventer"},
                                         {"Terb0001", "Terbutaline", "Reliever"}};
inline const QStringList kTriggers = {"POLLEN", "COLD AIR", "SMOKE", "DAMP", "CATS"};

// One save of the daily card.
struct DaySave {
    store::PersonId person;
    QDate date;
    store::DayValues values;
    QStringList triggers;
    std::vector<store::DayMedRow> medication;

    store::Result run(store::Diary& diary) const {
        return diary.days.saveDay(person, date, values, triggers, medication);
    }
};

// A save of one of John's days with readings, switches, triggers and medication drawn from the
// round's own random numbers, so that every process draws the same.
inline DaySave saveOf(int round) {
    std::mt19937 random(unsigned(round) * 7919u + 17u);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int days = int(kDates.size());
    DaySave s{kJohn, kDates[((round % days) + days) % days], {}, {}, {}};
    store::DayValues& v = s.values;
    v.morning = pick(30, 100) * 5;
    v.evening = pick(30, 90) * 5;
    v.coughDay = pick(0, 1);
    v.wheezeNight = pick(0, 1);
    v.offWork = pick(0, 1);
    v.relievers = pick(0, 6);
    v.preventers = pick(0, 2);
    v.rating = pick(0, 3);
    for (const QString& t : kTriggers)
        if (pick(0, 1)) s.triggers << (pick(0, 1) ? t.toLower() : t);
    for (const Medication& m : kMedication) s.medication.push_back({m.name, m.category, m.id, pick(0, 3)});
    return s;
}

// Writes the little diary: John with the three medications and the triggers, and Jack, each
// with their days recorded by the saves of rounds -1 to -4 (John) and one of Jack's own.
inline QString writeLittleDiary(store::Diary& diary) {
    auto person = [&](const QString& nickname, const QString& first) -> QString {
        store::PersonDetails d;
        d.nickname = nickname;
        d.surname = "Smith";
        d.firstName = first;
        d.gender = "Male";
        d.best = QString::number(kBest);
        d.predicted = "450";
        d.zoneYellow = "80";
        d.zoneRed = "50";
        const auto added = diary.persons.AddPer(std::nullopt, d);
        return added ? added.value->id.text() : added.error();
    };
    if (const QString id = person("Johnny", "John"); id != kJohn.text()) return "John is " + id;
    if (const QString id = person("Jack", "Jack"); id != kJack.text()) return "Jack is " + id;
    std::vector<store::PersonMedRow> current;
    for (const Medication& m : kMedication) current.push_back({"", m.name, m.category, "", "", QDate(2024, 1, 1)});
    if (const auto r = diary.persons.savePersonLists(kJohn, kTriggers, current); !r) return r.error();
    for (const store::PersonMedRow& row : diary.persons.ListMed(kJohn))
        if (std::none_of(std::begin(kMedication), std::end(kMedication),
                         [&](const Medication& m) { return row.medId.trimmed() == m.id; }))
            return "medication " + row.medId;
    for (int round = -1; round >= -4; --round)
        if (const auto r = saveOf(round).run(diary); !r) return r.error();
    DaySave jacks = saveOf(-5);
    jacks.person = kJack;
    jacks.date = kJacksDate;
    jacks.medication.clear();
    if (const auto r = jacks.run(diary); !r) return r.error();
    return {};
}

}  // namespace pulmora::test::plan
