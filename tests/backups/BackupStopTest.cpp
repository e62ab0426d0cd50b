#include "BackupFixture.h"

#include "../store/StopPoints.h"

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;
using files::faults::Operation;

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
        const auto again = backupsOf(work).backUpDaily();
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
        const auto finished = backupsOf(work).finishRestore();
        ASSERT_TRUE(finished) << where << ": " << finished.error().toStdString();
        EXPECT_EQ(finished.value.found, "") << where;
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

// The files of a folder, or the bytes of a plain file under an empty name.
Files contentOf(const fs::path& path) {
    return fs::is_directory(path) ? filesOf(path) : Files{{"", readBytes(path.string())}};
}

// What a start finds of a restore stopped once committed, damaged afterwards (a disk fault, a
// hand that tidied the folder): it is not installed but set aside untouched, and the diary
// stays as it is.
TEST_F(BackupStopTest, AStagedRestoreThatIsNotWholeIsSetAsideAndTheDiaryKept) {
    startOn(kFirstDay);
    store::clock::setToday(kFirstDay.addDays(1));
    recordDay(diary, kFirstDay, 380);
    const Files current = filesOf(diary.path());
    // The first stop after the restore's commit, before it has put a file in place.
    TempFolder committed{TempFolder::memoryRoot()};
    const fs::path staged = committed.path() / "backups" / ".restore-ready";
    for (int n = 1; !fs::exists(staged); ++n) {
        copyTree(diary.path(), committed.path());
        ASSERT_EQ(runStoppedBefore(n, [&] { return backupsOf(committed).restore("2024-01-01").ok(); }), Stop::Stopped);
    }
    ASSERT_EQ(filesOf(committed.path()), current);

    const std::pair<QString, std::function<void(const fs::path&)>> damages[] = {
        {"it is empty", [](const fs::path& p) { fs::remove_all(p), fs::create_directory(p); }},
        {"it is a file, not a folder", [](const fs::path& p) { fs::remove_all(p), writeBytes(p.string(), {'x'}); }},
        {"Daily.dat is missing from it", [](const fs::path& p) { fs::remove(p / "Daily.dat"); }},
        {"its Personal.dat is not as the restore wrote it",
         [](const fs::path& p) {
             auto bytes = readBytes((p / "Personal.dat").string());
             bytes[bytes.size() - 2] = '#';
             writeBytes((p / "Personal.dat").string(), bytes);
         }},
    };
    for (const auto& [found, damage] : damages) {
        copyTree(committed.path(), work.path());
        const fs::path ready = work.path() / "backups" / ".restore-ready";
        damage(ready);
        const Files damaged = contentOf(ready);

        const auto finished = backupsOf(work).finishRestore();
        ASSERT_TRUE(finished) << finished.error().toStdString();
        EXPECT_EQ(finished.value.found, found);
        EXPECT_EQ(filesOf(work.path()), current) << found.toStdString();
        EXPECT_FALSE(fs::exists(ready)) << found.toStdString();
        const fs::path aside = finished.value.movedTo.toStdString();
        EXPECT_EQ(aside.parent_path(), work.path() / "backups") << found.toStdString();
        EXPECT_EQ(contentOf(aside), damaged) << found.toStdString();
        // Never offered for a restore, nor cleared by the next start.
        EXPECT_TRUE(backupsOf(work).backUpDaily());
        for (const store::Backup& backup : backupsOf(work).list())
            EXPECT_NE(backup.name.toStdString(), aside.filename().string());
        EXPECT_TRUE(fs::exists(aside)) << found.toStdString();
    }
}

}  // namespace
}  // namespace pulmora::test
