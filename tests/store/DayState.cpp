#include "DayState.h"

#include "store/Names.h"

#include <algorithm>
#include <sstream>

namespace pulmora::test {

void PrintTo(const DayState& s, std::ostream* out) {
    *out << (s.recorded ? "recorded" : "not recorded") << " morning " << s.values.morning << " evening "
         << s.values.evening << " rating " << s.values.rating << " triggers {";
    for (const QString& t : s.triggers) *out << ' ' << t.toStdString();
    *out << " } medication {";
    for (const auto& [id, times] : s.medication) *out << ' ' << id.toStdString() << ':' << times;
    *out << " }";
}

DayState readDay(store::Diary& diary, const store::PersonId& person, const QDate& date) {
    const store::DayCard card = diary.days.GetDly(person, date);
    DayState s;
    s.recorded = card.found;
    if (!card.found) return s;
    s.values = card.values;
    for (const auto& line : card.triggers) s.triggers.insert(line.name);
    for (const auto& row : card.medication.rows)
        if (!row.isFree()) s.medication[row.medId] = row.timesUsed;
    return s;
}

DayState wantedBy(const plan::DaySave& save) {
    DayState s;
    s.recorded = true;
    s.values = save.values;
    for (const QString& t : save.triggers) s.triggers.insert(store::triggerName(t));
    for (const auto& row : save.medication)
        if (!row.isFree() && row.timesUsed != 0) s.medication[row.medId] = row.timesUsed;
    return s;
}

namespace {

template <class Set>
bool includes(const Set& big, const Set& small) {
    return std::all_of(small.begin(), small.end(), [&](const auto& e) { return big.count(e) > 0; });
}

std::set<QString> keysOf(const std::map<QString, int>& m) {
    std::set<QString> keys;
    for (const auto& [k, v] : m) keys.insert(k);
    return keys;
}

// All of one of the two lists and nothing but what is in either.
bool oneOrBoth(const std::set<QString>& got, const std::set<QString>& before, const std::set<QString>& after) {
    std::set<QString> both = before;
    both.insert(after.begin(), after.end());
    return (includes(got, before) || includes(got, after)) && includes(both, got);
}

}  // namespace

::testing::AssertionResult withinSave(const DayState& got, const DayState& before, const DayState& after) {
    std::ostringstream text;
    PrintTo(got, &text);
    text << "\n  before ";
    PrintTo(before, &text);
    text << "\n  after  ";
    PrintTo(after, &text);
    if (!got.recorded) {
        if (!before.recorded) return ::testing::AssertionSuccess();  // stopped before the day was written
        return ::testing::AssertionFailure() << "the day's record was lost:\n  got    " << text.str();
    }
    if (got.values != after.values && !(before.recorded && got.values == before.values))
        return ::testing::AssertionFailure() << "the day's record is neither old nor new:\n  got    " << text.str();
    if (!oneOrBoth(got.triggers, before.triggers, after.triggers))
        return ::testing::AssertionFailure() << "triggers were lost or invented:\n  got    " << text.str();
    if (!oneOrBoth(keysOf(got.medication), keysOf(before.medication), keysOf(after.medication)))
        return ::testing::AssertionFailure() << "medication was lost or invented:\n  got    " << text.str();
    for (const auto& [id, times] : got.medication) {
        const auto b = before.medication.find(id), a = after.medication.find(id);
        const bool known =
            (b != before.medication.end() && b->second == times) || (a != after.medication.end() && a->second == times);
        if (!known) return ::testing::AssertionFailure() << "a dose is neither old nor new:\n  got    " << text.str();
    }
    return ::testing::AssertionSuccess();
}

DiaryState readLittleDiary(store::Diary& diary) {
    DiaryState s;
    for (const QDate& date : plan::kDates) s.days[{plan::kJohn.text(), date}] = readDay(diary, plan::kJohn, date);
    s.days[{plan::kJack.text(), plan::kJacksDate}] = readDay(diary, plan::kJack, plan::kJacksDate);
    if (const auto card = diary.persons.GetPerCrd(plan::kJohn)) s.best = card->best;
    return s;
}

}  // namespace pulmora::test
