#pragma once

#include "store/Clock.h"
#include "store/Definitions.h"
#include "store/Diary.h"
#include "store/Keys.h"
#include "store/TableAccess.h"
#include "support/CardSaves.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Lets test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// A diary on a fresh temporary program folder, with "today" fixed at 15 June 2024.
class DiaryTest : public ::testing::Test {
protected:
    static inline const QDate kToday{2024, 6, 15};

    void SetUp() override {
        store::clock::setToday(kToday);
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
    }
    void TearDown() override { store::clock::setToday(QDate()); }

    static store::PersonDetails details(const QString& nickname, const QString& surname = "Smith",
                                        const QString& firstName = "John") {
        store::PersonDetails d;
        d.nickname = nickname;
        d.surname = surname;
        d.firstName = firstName;
        d.gender = "Male";
        d.birthDate = QDate(1980, 1, 31);
        d.title = "Mr";
        d.zoneYellow = "80";
        d.zoneRed = "50";
        d.best = "400";
        d.predicted = "450";
        return d;
    }
    store::PersonId addPerson(const QString& nickname, const QString& surname = "Smith",
                              const QString& firstName = "John") {
        auto added = diary.persons.AddPer(std::nullopt, details(nickname, surname, firstName));
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value.value().id;
    }
    QString addMed(const store::PersonId& person, const QString& name, const QString& category) {
        auto added = cards::addMedication(diary, person, name, category, QDate(2024, 1, 1));
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value;
    }
    void addDay(const store::PersonId& person, const QDate& date, int morning, int evening, int rating = 2) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        v.rating = rating;
        v.coughDay = true;
        v.wheezeNight = true;
        v.relievers = 3;
        ASSERT_TRUE(cards::saveDay(diary, person, date, v));
    }
    engine::Table* table(store::TableId id) { return store::TableAccess::table(diary.files, id); }
    // Every live or marked record's trimmed field value, in record order.
    std::vector<QString> column(store::TableId id, const char* field);
    // "Daily.dat" on the day's record, for changing it behind the store's back; nullptr when
    // the day has none.
    engine::Table* dayRecord(const store::PersonId& person, const QDate& date);
    ::testing::AssertionResult readableByDbfread();

    TempFolder folder;
    store::Diary diary;
};

}  // namespace pulmora::test
