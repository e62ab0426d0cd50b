#include "BackupFixture.h"

#include "../store/StopPoints.h"

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;
using engine::faults::Operation;

// A backup and a restore stopped before each of their writes, disk syncs and renames in turn,
// as a killed process or a power cut would stop them, followed by the next start.
class BackupStopTest : public BackupTest {
protected:
    // Every backup the next start would offer, or every one of the files a restore replaced,
    // holds exactly the files it was made of.
    void expectWhole(const TempFolder& folder, const Files& made, bool beforeRestoreOnly, const std::string& where) {
        for (const store::Backup& backup : backupsOf(folder).list()) {
            if (beforeRestoreOnly && !backup.beforeRestore) continue;
            EXPECT_EQ(filesOf(folder.path() / "backups" / backup.name.toStdString()), made)
                << where << ": " << backup.name.toStdString();
        }
    }

    TempFolder work{TempFolder::memoryRoot()};
};

TEST_F(BackupStopTest, ADailyBackupStoppedAnywhereIsEitherWholeOrNotThere) {
    // Fifteen days of backups, so the next one also rotates the oldest daily one away.
    for (int day = 0; day < 15; ++day) startOn(kFirstDay.addDays(day));
    const QDate next = kFirstDay.addDays(15);
    store::clock::setToday(next);
    const Files diaryFiles = filesOf(diary.path());
    const auto before = foldersIn(backupFolder());

    const auto operations = operationsOf([&] {
        copyTree(diary.path(), work.path());
        EXPECT_TRUE(backupsOf(work).backUpDaily());
    });
    // Eight files written, synced and renamed into place, the backup's folder renamed, the
    // rotated one renamed before it goes.
    EXPECT_EQ(std::count(operations.begin(), operations.end(), Operation::Rename), 8 + 1 + 1);
    const auto after = foldersIn(work.path() / "backups");
    ASSERT_EQ(after.size(), before.size());  // one made, one rotated away

    for (int n = 1;; ++n) {
        copyTree(diary.path(), work.path());
        const Stop stop = runStoppedBefore(n, [&] { return backupsOf(work).backUpDaily().ok(); });
        ASSERT_NE(stop, Stop::Failed) << "stop " << n;
        const std::string where = "stopped before operation " + std::to_string(n);
        EXPECT_EQ(filesOf(work.path()), diaryFiles) << where;
        expectWhole(work, diaryFiles, false, where);
        // The next start finishes the work.
        const store::Result again = backupsOf(work).backUpDaily();
        EXPECT_TRUE(again) << where << ": " << again.error().toStdString();
        EXPECT_EQ(foldersIn(work.path() / "backups"), after) << where;
        expectWhole(work, diaryFiles, false, where);
        if (stop == Stop::Finished) {
            EXPECT_EQ(n - 1, int(operations.size()));
            return;
        }
        if (::testing::Test::HasFailure() || n > 200) return;
    }
}

TEST_F(BackupStopTest, ARestoreStoppedAnywhereLeavesTheDiaryAsItWasOrAsTheBackupNeverAMixture) {
    startOn(kFirstDay);
    const Files backedUp = filesOf(backupFolder("2024-01-01"));
    store::clock::setToday(kFirstDay.addDays(1));
    recordDay(diary, kFirstDay, 380);
    writeBytes(diary.file("pulmora.ini"), std::vector<char>(168, 'j'));
    const Files current = filesOf(diary.path());

    const auto operations = operationsOf([&] {
        copyTree(diary.path(), work.path());
        EXPECT_TRUE(backupsOf(work).restore("2024-01-01"));
    });
    ASSERT_FALSE(operations.empty());

    bool sawOld = false, sawRestored = false;
    for (int n = 1;; ++n) {
        copyTree(diary.path(), work.path());
        const Stop stop = runStoppedBefore(n, [&] { return backupsOf(work).restore("2024-01-01").ok(); });
        ASSERT_NE(stop, Stop::Failed) << "stop " << n;
        const std::string where = "stopped before operation " + std::to_string(n);
        // What the next start does before it opens any record file.
        const store::Result finished = backupsOf(work).finishRestore();
        ASSERT_TRUE(finished) << where << ": " << finished.error().toStdString();
        const Files got = filesOf(work.path());
        EXPECT_TRUE(got == current || got == backedUp) << where << ": the diary is a mixture";
        sawOld = sawOld || got == current;
        sawRestored = sawRestored || got == backedUp;
        expectWhole(work, current, true, where);
        EXPECT_EQ(filesOf(work.path() / "backups" / "2024-01-01"), backedUp) << where;
        for (const std::string& name : foldersIn(work.path() / "backups"))
            EXPECT_TRUE(name == "2024-01-01" || name == "2024-01-02-before-restore" || name.ends_with(".partial"))
                << where << ": " << name;
        if (stop == Stop::Finished) {
            EXPECT_EQ(n - 1, int(operations.size()));
            break;
        }
        if (::testing::Test::HasFailure() || n > 300) break;
    }
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawRestored);
}

}  // namespace
}  // namespace pulmora::test
