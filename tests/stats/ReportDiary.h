#pragma once

#include "store/Diary.h"
#include "support/CardSaves.h"
#include "support/PlantedRecords.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDate>

#include <map>
#include <optional>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// A diary in a temporary folder for report tests: persons with chosen zone figures and days
// with chosen values, written through the store's own operations.
class ReportDiary {
public:
    ReportDiary() {
        diary.files.setFolder(path());
        diary.files.OpenDB();
    }

    QString path() const { return QString::fromStdString(folder.path().string()); }

    static store::PersonDetails details(const QString& nickname, int best, int yellow, int red) {
        store::PersonDetails d;
        d.nickname = nickname;
        d.surname = "Smith";
        d.firstName = nickname;
        d.gender = "Female";
        d.birthDate = QDate(1980, 1, 31);
        d.title = "Ms";
        d.best = QString::number(best);
        d.predicted = QString::number(best);
        d.zoneYellow = QString::number(yellow);
        d.zoneRed = QString::number(red);
        return d;
    }
    store::PersonId addPerson(const QString& nickname, int best = 500, int yellow = 80, int red = 50) {
        const auto added = diary.persons.AddPer(std::nullopt, details(nickname, best, yellow, red));
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value.value().id;
    }
    // Stores the person's best again, as the personal card does, below readings already on file.
    void setBest(const store::PersonId& person, const QString& nickname, int best) {
        EXPECT_TRUE(diary.persons.AddPer(person, details(nickname, best, 80, 50)));
    }
    void addDay(const store::PersonId& person, const QDate& day, const store::DayValues& values) {
        Day& d = days_[{person.text(), day}];
        d.values = values;
        save(person, day, d);
    }
    void addReadings(const store::PersonId& person, const QDate& day, int morning, int evening) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        addDay(person, day, v);
    }

    QString addMedication(const store::PersonId& person, const QString& name,
                          const QString& category = store::kReliever) {
        const auto added = cards::addMedication(diary, person, name, category, QDate(2024, 1, 1));
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value;
    }
    // A medication taken or a trigger met on a day, whether or not the day has a record. A day
    // with a record is saved again as the card saves it; one without has only the list item,
    // as a file written elsewhere may hold it.
    void useMedication(const store::PersonId& person, const QDate& day, const QString& medId, int times,
                       const QString& name) {
        Day& d = days_[{person.text(), day}];
        d.medication.push_back({name, store::kReliever, medId, times});
        if (d.values) return save(person, day, d);
        EXPECT_TRUE(appendDayRecord(
            diary, store::TableId::DlyMed, person, day,
            {{"MdID", medId}, {"ANam", name}, {"TmUs", QString::number(times)}, {"Ctgy", store::kReliever}}));
    }
    void meetTrigger(const store::PersonId& person, const QDate& day, const QString& trigger) {
        Day& d = days_[{person.text(), day}];
        d.triggers << trigger;
        if (d.values) return save(person, day, d);
        EXPECT_TRUE(appendDayRecord(diary, store::TableId::DlyTrig, person, day, {{"Trig", trigger}}));
    }

    TempFolder folder;
    store::Diary diary;

private:
    struct Day {
        std::optional<store::DayValues> values;
        QStringList triggers;
        std::vector<store::DayMedRow> medication;
    };
    void save(const store::PersonId& person, const QDate& day, const Day& d) {
        const auto r = diary.days.saveDay(person, day, *d.values, d.triggers, d.medication);
        EXPECT_TRUE(r) << r.error().toStdString();
    }
    std::map<std::pair<QString, QDate>, Day> days_;
};

}  // namespace pulmora::test
