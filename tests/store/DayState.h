#pragma once

#include "SavePlan.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>

namespace pulmora::test {

// What the daily card shows of one day after the diary is opened: its values, its triggers
// and how often each medication was taken.
struct DayState {
    bool recorded = false;
    store::DayValues values;
    std::set<QString> triggers;
    std::map<QString, int> medication;  // identifier: times used
    bool operator==(const DayState&) const = default;
};
void PrintTo(const DayState& state, std::ostream* out);

// The day as the store reads it (on a day that is not today).
DayState readDay(store::Diary& diary, const store::PersonId& person, const QDate& date);
// The day as the save wants it.
DayState wantedBy(const plan::DaySave& save);

// A save stopped part-way must leave the day's record old or new, and its triggers and
// medication all of before or all of after, nothing outside the two, each medication used as
// often as before or after.
::testing::AssertionResult withinSave(const DayState& got, const DayState& before, const DayState& after);

// Every day of the little diary, and John's stored best.
struct DiaryState {
    std::map<std::pair<QString, QDate>, DayState> days;
    QString best;
    bool operator==(const DiaryState&) const = default;
};
DiaryState readLittleDiary(store::Diary& diary);

}  // namespace pulmora::test
