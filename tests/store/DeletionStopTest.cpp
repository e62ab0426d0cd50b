#include "SaveFixture.h"

#include "store/Cp1252.h"
#include "store/Keys.h"
#include "store/TableAccess.h"

#include <functional>

namespace pulmora::test {
namespace {

using store::TableId;

// One record of any record file, with the person and the day it belongs to where the file has
// such fields.
struct Row {
    TableId table;
    QString person, day, record;
    auto operator<=>(const Row&) const = default;
};
void PrintTo(const Row& row, std::ostream* out) {
    *out << store::fileName(row.table) << " [" << row.record.toStdString() << "]";
}

std::vector<Row> rowsOf(store::Diary& diary) {
    std::vector<Row> rows;
    for (TableId id : store::kAllTables) {
        engine::Table* t = store::TableAccess::table(diary.files, id);
        if (!t) continue;
        t->selectTag(nullptr);
        auto text = [&](const char* name) {
            const engine::Field* f = t->field(name);
            return f ? store::cp1252::decode(f->str()).trimmed() : QString();
        };
        for (bool more = t->top(); more; more = t->skip()) {
            QString record = t->isDeleted() ? "*" : " ";
            for (const engine::Field& f : t->fields()) record += store::cp1252::decode(f.str());
            rows.push_back({id, text("Asid"), text("DyID"), record});
        }
    }
    return rows;
}

using Belongs = std::function<bool(const Row&)>;

std::vector<Row> rowsWhere(store::Diary& diary, const Belongs& belongs, bool wanted) {
    std::vector<Row> rows;
    for (const Row& row : rowsOf(diary))
        if (belongs(row) == wanted) rows.push_back(row);
    return rows;
}

class DeletionStopTest : public SaveTest {
protected:
    struct Deletion {
        std::function<store::Result(store::Diary&)> run;
        Belongs belongs;                            // the rows the deletion removes
        std::function<bool(store::Diary&)> listed;  // whether the person or day is still shown
    };

    // Stops the deletion before each of its writes, syncs and renames in turn. After every stop,
    // and again once every file is packed as the next start would, no other row has changed, and the person or day is
    // either gone with all its rows or still listed, so the user sees it and deletes it again, which leaves none of its
    // rows. Answers the operations the deletion made.
    int stopEverywhere(const Deletion& deletion) {
        std::vector<Row> others;
        {
            store::Diary diary;
            open(diary, base);
            others = rowsWhere(diary, deletion.belongs, false);
            EXPECT_FALSE(rowsWhere(diary, deletion.belongs, true).empty());
        }
        for (int n = 1;; ++n) {
            copyFiles(base.path(), work.path());
            const Stop stop = runStoppedBefore(n, [&] {
                store::Diary diary;
                open(diary, work);
                return deletion.run(diary).ok();
            });
            EXPECT_NE(stop, Stop::Failed) << "stop " << n;
            const std::string where = "stopped before operation " + std::to_string(n);
            store::Diary diary;
            open(diary, work);
            EXPECT_EQ(rowsWhere(diary, deletion.belongs, false), others) << where;
            if (deletion.listed(diary)) {
                EXPECT_TRUE(deletion.run(diary)) << where;
            } else {
                EXPECT_EQ(rowsWhere(diary, deletion.belongs, true), std::vector<Row>{})
                    << where << ": no longer listed";
            }
            EXPECT_FALSE(deletion.listed(diary)) << where;
            EXPECT_EQ(rowsWhere(diary, deletion.belongs, true), std::vector<Row>{}) << where;
            EXPECT_EQ(rowsWhere(diary, deletion.belongs, false), others) << where;
            // The next start's pack takes the marked rows away and nothing else.
            for (TableId id : store::kAllTables)
                EXPECT_TRUE(store::TableAccess::table(diary.files, id)->pack()) << where;
            diary.files.OpenDB();
            EXPECT_FALSE(deletion.listed(diary)) << where << ", after the pack";
            EXPECT_EQ(rowsWhere(diary, deletion.belongs, false), others) << where << ", after the pack";
            if (stop != Stop::Stopped) return n - 1;
            if (::testing::Test::HasFailure() || n > 200) return n;
        }
    }
    // The deletion's syncs and renames.
    static std::pair<int, int> syncsAndRenamesOf(const Deletion& deletion, const TempFolder& folder) {
        const auto operations = operationsOf([&] {
            store::Diary diary;
            open(diary, folder);
            EXPECT_TRUE(deletion.run(diary));
        });
        using files::faults::Operation;
        return {int(std::count(operations.begin(), operations.end(), Operation::Sync)),
                int(std::count(operations.begin(), operations.end(), Operation::Rename))};
    }
};

TEST_F(DeletionStopTest, APersonsDeletionStoppedAnywhereLeavesThemListedAndEveryoneElseAsBefore) {
    const Deletion john{[](store::Diary& d) { return d.persons.DelPer(plan::kJohn); },
                        [](const Row& row) { return row.person == plan::kJohn; },
                        [](store::Diary& d) { return d.persons.GetPerCrd(plan::kJohn).has_value(); }};
    EXPECT_GT(stopEverywhere(john), 0);
    copyFiles(base.path(), work.path());
    // Each of the six files marked with one sync, none replaced.
    EXPECT_EQ(syncsAndRenamesOf(john, work), std::pair(6, 0));
}

TEST_F(DeletionStopTest, ADaysDeletionStoppedAnywhereLeavesItRecordedAndEveryOtherDayAsBefore) {
    const QString day = store::keys::dayId(plan::kJohn, kDay);
    const Deletion johnsDay{[](store::Diary& d) { return d.days.DelDly(plan::kJohn, kDay); },
                            [day](const Row& row) { return row.day == day; },
                            [](store::Diary& d) { return d.days.ChkDly(plan::kJohn, kDay) >= 0; }};
    EXPECT_GT(stopEverywhere(johnsDay), 0);
    copyFiles(base.path(), work.path());
    EXPECT_EQ(syncsAndRenamesOf(johnsDay, work), std::pair(3, 0));
}

}  // namespace
}  // namespace pulmora::test
