#include "SaveFixture.h"

#include "store/TableAccess.h"

namespace pulmora::test {
namespace {

using files::faults::Operation;

class CrashPointTest : public SaveTest {
protected:
    // Stops the save before each of its writes, syncs and renames in turn, every one of them,
    // reopens the diary and checks what is there: first as the card shows it straight after
    // the restart, with whatever the save had marked, then after a pack has taken the marked
    // records away, as the next start's pack does. Answers the number of operations the save
    // made.
    int stopEverywhere(const plan::DaySave& save) {
        const DiaryState before = stateOf(base);
        const DiaryState after = stateAfter(save);
        for (int n = 1;; ++n) {
            copyFiles(base.path(), work.path());
            const Stop stop = runStoppedBefore(n, [&] {
                store::Diary diary;
                open(diary, work);
                return save.run(diary).ok();
            });
            EXPECT_NE(stop, Stop::Failed) << "stop " << n;
            if (stop == Stop::Failed) return n;

            store::Diary diary;
            open(diary, work);
            EXPECT_TRUE(diary.files.fileProblems().empty()) << "stop " << n;
            const std::string where = "stopped before operation " + std::to_string(n);
            expectWithinSave(readLittleDiary(diary), before, after, where + ", on restart");
            EXPECT_TRUE(store::TableAccess::table(diary.files, store::TableId::DlyTrig)->pack());
            EXPECT_TRUE(store::TableAccess::table(diary.files, store::TableId::DlyMed)->pack());
            const DiaryState packed = readLittleDiary(diary);
            expectWithinSave(packed, before, after, where + ", after the next pack");
            if (stop == Stop::Finished) {
                EXPECT_EQ(packed.days, after.days);
                return n - 1;
            }
            if (::testing::Test::HasFailure() || n > 500) return n;
        }
    }
};

TEST_F(CrashPointTest, ASaveThatChangesTriggersAndMedicationLosesNothingWhereverItStops) {
    const auto operations = operationsOf([&] {
        copyFiles(base.path(), work.path());
        store::Diary diary;
        open(diary, work);
        EXPECT_TRUE(listsChange().run(diary));
    });
    // The day, the raised best, two triggers and one medication added, one changed, two
    // triggers and one medication marked deleted in place: no file is replaced.
    EXPECT_EQ(std::count(operations.begin(), operations.end(), Operation::Rename), 0);
    EXPECT_EQ(stopEverywhere(listsChange()), int(operations.size()));
}

TEST_F(CrashPointTest, ASaveThatOnlyChangesReadingsLosesNothingWhereverItStops) {
    const auto operations = operationsOf([&] {
        copyFiles(base.path(), work.path());
        store::Diary diary;
        open(diary, work);
        EXPECT_TRUE(readingsOnly().run(diary));
    });
    EXPECT_EQ(operations, (std::vector<Operation>{Operation::Write, Operation::Sync}));
    EXPECT_EQ(stopEverywhere(readingsOnly()), 2);
}

// What lets a save stop anywhere: each write has reached the disk before the save goes on to
// anything else. Only the deletion marks of one file, a byte each that may land in any order,
// share one sync.
TEST_F(CrashPointTest, EveryWriteOfASaveIsOnDiskBeforeTheNextOperation) {
    const auto operations = operationsOf([&] {
        copyFiles(base.path(), work.path());
        store::Diary diary;
        open(diary, work);
        EXPECT_TRUE(listsChange().run(diary));
    });
    ASSERT_FALSE(operations.empty());
    for (size_t i = 0; i < operations.size(); ++i) {
        if (operations[i] != Operation::Write) continue;
        size_t next = i + 1;
        while (next < operations.size() && operations[next] == Operation::Write) ++next;
        EXPECT_TRUE(next < operations.size() && operations[next] == Operation::Sync) << "write " << i;
    }
    EXPECT_EQ(operations.back(), Operation::Sync);
}

// The start's pack after a save that marked records, stopped before each of its writes, syncs
// and renames in turn: the diary reads as the save left it, and opens without a problem.
TEST_F(CrashPointTest, TheStartsPackLosesNothingWhereverItStops) {
    {
        store::Diary diary;
        open(diary, base);
        ASSERT_TRUE(listsChange().run(diary));
    }
    const DiaryState saved = stateOf(base);
    const auto operations = operationsOf([&] {
        copyFiles(base.path(), work.path());
        store::Diary diary;
        open(diary, work);
        EXPECT_TRUE(diary.files.packMarked().empty());
    });
    // The little diary's trigger and medication files each have more than a tenth marked.
    EXPECT_EQ(std::count(operations.begin(), operations.end(), Operation::Rename), 2);
    for (int n = 1; n <= int(operations.size()) + 1; ++n) {
        copyFiles(base.path(), work.path());
        const Stop stop = runStoppedBefore(n, [&] {
            store::Diary diary;
            open(diary, work);
            return diary.files.packMarked().empty();
        });
        EXPECT_EQ(stop, n <= int(operations.size()) ? Stop::Stopped : Stop::Finished) << "stop " << n;
        store::Diary diary;
        open(diary, work);
        EXPECT_TRUE(diary.files.fileProblems().empty()) << "stop " << n;
        EXPECT_EQ(readLittleDiary(diary), saved) << "stop " << n;
    }
}

}  // namespace
}  // namespace pulmora::test
