#pragma once

#include "sheet/SheetPerson.h"
#include "store/Clock.h"
#include "store/Diary.h"
#include "support/CardSaves.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Lets test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// A diary on a fresh temporary program folder, with "today" fixed at 14 January 2026.
class SheetDiaryTest : public ::testing::Test {
protected:
    static inline const QDate kToday{2026, 1, 14};

    void SetUp() override {
        store::clock::setToday(kToday);
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
    }
    void TearDown() override { store::clock::setToday(QDate()); }

    store::PersonId addPerson(const QString& nickname, const QString& surname, const QString& best = "450",
                              const QString& yellow = "80", const QString& red = "50") {
        store::PersonDetails d;
        d.nickname = nickname;
        d.surname = surname;
        d.firstName = "Sam";
        d.gender = "Female";
        d.best = best;
        d.zoneYellow = yellow;
        d.zoneRed = red;
        const auto added = diary.persons.AddPer(std::nullopt, d);
        EXPECT_TRUE(added) << added.error().toStdString();
        return added.value.value().id;
    }
    void addTrigger(const store::PersonId& person, const QString& name) {
        ASSERT_TRUE(cards::addTrigger(diary, person, name));
    }
    // A medication on the person's list, in use or taken off it again.
    void addMed(const store::PersonId& person, const QString& name, const QString& category, bool inUse = true) {
        const auto added = cards::addMedication(diary, person, name, category);
        ASSERT_TRUE(added) << added.error().toStdString();
        if (!inUse) {
            ASSERT_TRUE(cards::stopMedication(diary, person, added.value));
        }
    }

    TempFolder folder;
    store::Diary diary;
};

}  // namespace pulmora::test
