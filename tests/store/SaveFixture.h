#pragma once

#include "DayState.h"
#include "StopPoints.h"
#include "support/TempFolder.h"

#include "store/Clock.h"

namespace pulmora::test {

// The little diary in a memory folder, with John's middle day recorded in a known state, and
// two saves of that day: one that changes its triggers and medication (and raises the best),
// one that changes only its readings.
class SaveTest : public ::testing::Test {
protected:
    static inline const QDate kDay = plan::kDates[1];

    void SetUp() override {
        store::clock::setToday(QDate(2024, 6, 15));
        store::Diary diary;
        open(diary, base);
        ASSERT_EQ(plan::writeLittleDiary(diary), "");
        ASSERT_TRUE(known().run(diary));
    }
    void TearDown() override {
        files::faults::setHook({});
        store::clock::setToday(QDate());
    }

    static void open(store::Diary& diary, const TempFolder& folder) {
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
    }
    static DiaryState stateOf(const TempFolder& folder) {
        store::Diary diary;
        open(diary, folder);
        return readLittleDiary(diary);
    }
    // What the save leaves when nothing stops it, found on a copy of the diary.
    DiaryState stateAfter(const plan::DaySave& save) {
        TempFolder scratch(TempFolder::memoryRoot());
        copyFiles(base.path(), scratch.path());
        {
            store::Diary diary;
            open(diary, scratch);
            EXPECT_TRUE(save.run(diary));
        }
        return stateOf(scratch);
    }

    static plan::DaySave day(store::DayValues v, const QStringList& triggers, int salbutamol, int budesonide,
                             int terbutaline) {
        const auto& m = plan::kMedication;
        return {plan::kJohn,
                kDay,
                v,
                triggers,
                {{m[0].name, m[0].category, m[0].id, salbutamol},
                 {m[1].name, m[1].category, m[1].id, budesonide},
                 {m[2].name, m[2].category, m[2].id, terbutaline}}};
    }
    static store::DayValues values(int morning, int evening, int relievers, int rating) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        v.relievers = relievers;
        v.rating = rating;
        v.coughDay = rating == 1;
        return v;
    }
    static plan::DaySave known() { return day(values(380, 390, 2, 2), {"POLLEN", "COLD AIR", "SMOKE"}, 2, 1, 0); }
    // Its morning reading is above any best the little diary holds.
    static plan::DaySave listsChange() { return day(values(990, 400, 3, 1), {"pollen", "DAMP", "CATS"}, 3, 0, 1); }
    static plan::DaySave readingsOnly() {
        return day(values(350, 360, 2, 3), {"POLLEN", "COLD AIR", "SMOKE"}, 2, 1, 0);
    }

    // The diary after a stopped or failed save: the saved day within the save, every other day
    // and the best as they were (the best may also be the raised one).
    void expectWithinSave(const DiaryState& got, const DiaryState& before, const DiaryState& after,
                          const std::string& where) {
        for (const auto& [key, state] : before.days) {
            if (key == std::pair{plan::kJohn.text(), kDay})
                EXPECT_TRUE(withinSave(got.days.at(key), state, after.days.at(key))) << where;
            else
                EXPECT_EQ(got.days.at(key), state) << where << ": another day changed";
        }
        EXPECT_TRUE(got.best == before.best || got.best == after.best) << where << ": best " << got.best.toStdString();
    }

    TempFolder base{TempFolder::memoryRoot()};
    TempFolder work{TempFolder::memoryRoot()};
};

}  // namespace pulmora::test
