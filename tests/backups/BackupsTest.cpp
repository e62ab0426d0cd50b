#include "BackupFixture.h"

#include "files/FaultSeam.h"
#include "support/FileSystems.h"

#include <functional>

#include <sys/stat.h>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> days(const QDate& first, const QDate& last) {
    std::vector<std::string> names;
    for (QDate d = first; d <= last; d = d.addDays(1)) names.push_back(d.toString("yyyy-MM-dd").toStdString());
    return names;
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// ---- the daily backup ------------------------------------------------------------------------

TEST_F(BackupTest, ABackupHoldsACopyOfEveryRecordFileAndTheSettingsForItsOwnerOnly) {
    startOn(kFirstDay);
    ASSERT_EQ(foldersIn(backupFolder()), std::vector<std::string>{"2024-01-01"});
    const Files copied = filesOf(backupFolder("2024-01-01"));
    EXPECT_EQ(copied, filesOf(diary.path()));
    EXPECT_EQ(copied.size(), 8u);  // seven record files and pulmora.ini
    EXPECT_EQ(modeOf(backupFolder()), 0700u);
    EXPECT_EQ(modeOf(backupFolder("2024-01-01")), 0700u);
    for (const auto& [name, bytes] : copied) EXPECT_EQ(modeOf(backupFolder("2024-01-01") / name), 0600u) << name;
}

TEST_F(BackupTest, ADayGetsOneBackupHoweverOftenTheProgramStarts) {
    startOn(kFirstDay);
    const Files first = filesOf(diary.path());
    recordDay(diary, kFirstDay, 380);
    startOn(kFirstDay);
    EXPECT_EQ(foldersIn(backupFolder()), std::vector<std::string>{"2024-01-01"});
    EXPECT_EQ(filesOf(backupFolder("2024-01-01")), first);

    startOn(kFirstDay.addDays(1));
    EXPECT_EQ(foldersIn(backupFolder()), (std::vector<std::string>{"2024-01-01", "2024-01-02"}));
    EXPECT_EQ(filesOf(backupFolder("2024-01-02")), filesOf(diary.path()));
}

TEST_F(BackupTest, AFolderWithoutRecordFilesHasNothingToBackUp) {
    TempFolder empty(TempFolder::memoryRoot());
    writeBytes(empty.file("pulmora.ini"), std::vector<char>(168, 'i'));
    EXPECT_TRUE(backupsOf(empty).backUpDaily());
    EXPECT_FALSE(fs::exists(empty.path() / "backups"));
}

TEST_F(BackupTest, ABackupThatCannotBeWrittenSaysWhyAndLeavesTheDiaryAsItWas) {
    fs::create_directory(backupFolder());
    ReadOnlyFolder readOnly(backupFolder());
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    ASSERT_TRUE(readOnly.apply());
    const Files before = filesOf(diary.path());
    const auto done = backups().backUpDaily();
    ASSERT_FALSE(done);
    EXPECT_NE(done.error().indexOf(QString::fromStdString(backupFolder().string())), -1) << done.error().toStdString();
    EXPECT_EQ(filesOf(diary.path()), before);
    EXPECT_TRUE(foldersIn(backupFolder()).empty());
}

// On a full disk what a failed backup wrote would take the room the diary's saves need.
TEST_F(BackupTest, ABackupThatFailsPartWayLeavesNothingBehind) {
    int writes = 0;
    files::faults::setHook(
        [&](files::faults::Operation op) { return op != files::faults::Operation::Write || ++writes != 3; });
    const auto done = backups().backUpDaily();
    files::faults::setHook({});
    EXPECT_TRUE(done.error().contains("Input/output error")) << done.error().toStdString();
    EXPECT_EQ(foldersIn(backupFolder()), std::vector<std::string>{});
}

TEST_F(BackupTest, AFolderNamedAsTodaysBackupCountsOnlyWhenItIsOne) {
    const fs::path todays = backupFolder("2024-01-01");
    const std::pair<const char*, std::function<void()>> folders[] = {
        {"empty", [] {}},
        {"a day file that is none", [&] { writeBytes((todays / "Daily.dat").string(), {'?'}); }},
        {"a day file without its last record",
         [&] {
             std::vector<char> daily = readBytes((diary.path() / "Daily.dat").string());
             daily.resize(daily.size() - 2);  // the end mark and the last byte of the last record
             writeBytes((todays / "Daily.dat").string(), daily);
         }},
    };
    for (const auto& [what, make] : folders) {
        fs::remove_all(backupFolder());
        fs::create_directories(todays);
        make();
        const Files made = filesOf(todays);
        startOn(kFirstDay);
        EXPECT_EQ(filesOf(todays), filesOf(diary.path())) << what;
        EXPECT_EQ(foldersIn(backupFolder()), (std::vector<std::string>{"2024-01-01", "2024-01-01-incomplete"})) << what;
        EXPECT_EQ(filesOf(backupFolder("2024-01-01-incomplete")), made) << what;
    }
}

// ---- rotation --------------------------------------------------------------------------------

TEST_F(BackupTest, AfterFortyDaysTheFourteenNewestAndTheFirstOfEachMonthAreKept) {
    for (int day = 0; day < 40; ++day) startOn(kFirstDay.addDays(day));  // to Friday 9 February
    std::vector<std::string> kept = {"2024-01-01"};
    for (const std::string& d : days({2024, 1, 27}, {2024, 2, 9})) kept.push_back(d);
    EXPECT_EQ(foldersIn(backupFolder()), kept);
}

TEST_F(BackupTest, AfterFourHundredDaysTheMonthlyBackupsReachBackOneYear) {
    for (int day = 0; day < 400; ++day) startOn(kFirstDay.addDays(day));  // to Monday 3 February 2025
    // The first of February 2024 is more than a year old; the first of February 2025 is also
    // one of the fourteen newest.
    std::vector<std::string> kept;
    for (int month = 3; month <= 12; ++month)
        kept.push_back(QDate(2024, month, 1).toString("yyyy-MM-dd").toStdString());
    kept.push_back("2025-01-01");
    for (const std::string& d : days({2025, 1, 21}, {2025, 2, 3})) kept.push_back(d);
    EXPECT_EQ(foldersIn(backupFolder()), kept);
}

TEST_F(BackupTest, StartsThatSkipDaysKeepTheFourteenNewestBackupsNotTheLastFourteenDays) {
    for (int week = 0; week < 20; ++week) startOn(kFirstDay.addDays(7 * week));  // Mondays to 13 May
    std::vector<std::string> kept = {"2024-01-01", "2024-02-05"};                // first of their months
    for (int week = 6; week < 20; ++week)
        kept.push_back(kFirstDay.addDays(7 * week).toString("yyyy-MM-dd").toStdString());
    EXPECT_EQ(foldersIn(backupFolder()), kept);
}

TEST(RotationRuleTest, KeepsTheNewestFirstAndOnlyWhatWasMade) {
    const QDate today(2024, 6, 15);
    EXPECT_TRUE(store::Backups::rotationKeeps({}, today).empty());
    EXPECT_EQ(store::Backups::rotationKeeps({{2024, 6, 1}, {2024, 6, 15}, {2023, 6, 14}}, today),
              (std::vector<QDate>{{2024, 6, 15}, {2024, 6, 1}, {2023, 6, 14}}));
    // Beyond the fourteen newest only a month's first within the year stays.
    std::vector<QDate> made;
    for (QDate d(2023, 5, 20); d <= today; d = d.addDays(1)) made.push_back(d);
    const auto kept = store::Backups::rotationKeeps(made, today);
    // 2 .. 15 June, and the firsts of July 2023 .. June 2024: the first of June 2023 is older
    // than a year, and no later day of June 2023 is its month's first.
    EXPECT_EQ(kept.size(), 14u + 12u);
    EXPECT_EQ(kept.back(), QDate(2023, 7, 1));
}

// ---- listing ---------------------------------------------------------------------------------

TEST_F(BackupTest, TheListNamesEachBackupsDayAndTheDaysItHoldsNewestFirst) {
    startOn(kFirstDay);
    recordDay(diary, kFirstDay, 380);
    recordDay(diary, kFirstDay.addDays(1), 390);
    startOn(kFirstDay.addDays(1));
    fs::create_directory(backupFolder("notes"));               // not a backup
    fs::create_directory(backupFolder("2024-01-05.partial"));  // unfinished
    const auto listed = backups().list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, "2024-01-02");
    EXPECT_EQ(listed[0].date, QDate(2024, 1, 2));
    EXPECT_EQ(listed[0].daysRecorded, 4);
    EXPECT_FALSE(listed[0].beforeRestore);
    EXPECT_EQ(listed[1].name, "2024-01-01");
    EXPECT_EQ(listed[1].daysRecorded, 2);
}

TEST_F(BackupTest, ABackupWhoseDayFileCannotBeReadIsListedWithoutDays) {
    startOn(kFirstDay);
    writeBytes((backupFolder("2024-01-01") / "Daily.dat").string(), {'x', 'y'});
    const auto listed = backups().list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].daysRecorded, -1);
}

// ---- restoring -------------------------------------------------------------------------------

TEST_F(BackupTest, ARestoreBringsBackTheBackupByteForByteAndKeepsTheFilesItReplaced) {
    startOn(kFirstDay);
    const Files backedUp = filesOf(backupFolder("2024-01-01"));
    store::clock::setToday(kFirstDay.addDays(1));
    recordDay(diary, kFirstDay, 380);
    writeBytes(diary.file("pulmora.ini"), std::vector<char>(168, 'j'));
    const Files replaced = filesOf(diary.path());
    ASSERT_NE(replaced, backedUp);

    const auto restored = backups().restore("2024-01-01");
    ASSERT_TRUE(restored) << restored.error().toStdString();
    EXPECT_EQ(filesOf(diary.path()), backedUp);
    EXPECT_EQ(restored.value, "2024-01-02-before-restore");
    EXPECT_EQ(filesOf(backupFolder("2024-01-02-before-restore")), replaced);
    EXPECT_EQ(recordedDays(diary), (std::vector<QString>{"20231230", "20231231"}));
    // Nothing of the restore's own work is left behind.
    EXPECT_EQ(foldersIn(backupFolder()), (std::vector<std::string>{"2024-01-01", "2024-01-02-before-restore"}));

    // The replaced files are a backup like any other: restoring them undoes the restore.
    const auto listed = backups().list();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(listed[0].beforeRestore);
    EXPECT_EQ(listed[0].daysRecorded, 3);
    const auto undone = backups().restore("2024-01-02-before-restore");
    ASSERT_TRUE(undone) << undone.error().toStdString();
    EXPECT_EQ(undone.value, "2024-01-02-before-restore-2");
    EXPECT_EQ(filesOf(diary.path()), replaced);
}

TEST_F(BackupTest, TheFilesARestoreReplacedOutliveTheRotation) {
    startOn(kFirstDay);
    ASSERT_TRUE(backups().restore("2024-01-01"));
    for (int day = 1; day < 400; ++day) startOn(kFirstDay.addDays(day));
    const auto names = foldersIn(backupFolder());
    EXPECT_NE(std::find(names.begin(), names.end(), "2024-01-01-before-restore"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "2024-01-01"), names.end());
}

TEST_F(BackupTest, ARestoreRemovesADiaryFileTheBackupDidNotHold) {
    startOn(kFirstDay);
    fs::remove(backupFolder("2024-01-01") / "pulmora.ini");
    ASSERT_TRUE(backups().restore("2024-01-01"));
    EXPECT_FALSE(fs::exists(diary.path() / "pulmora.ini"));
    EXPECT_EQ(filesOf(diary.path()), filesOf(backupFolder("2024-01-01")));
}

// The settings code never reads or writes through a link named pulmora.ini; nor do the backups.
TEST_F(BackupTest, ASettingsFileThatIsALinkIsNeitherCopiedNorWrittenThrough) {
    startOn(kFirstDay);
    TempFolder outside;
    const std::vector<char> foreign(168, 'o');
    writeBytes(outside.file("settings"), foreign);
    fs::remove(diary.path() / "pulmora.ini");
    fs::create_symlink(outside.path() / "settings", diary.path() / "pulmora.ini");

    startOn(kFirstDay.addDays(1));
    EXPECT_FALSE(fs::exists(fs::symlink_status(backupFolder("2024-01-02") / "pulmora.ini")));
    const auto restored = backups().restore("2024-01-01");
    ASSERT_TRUE(restored) << restored.error().toStdString();
    EXPECT_FALSE(fs::exists(fs::symlink_status(backupFolder(restored.value.toStdString()) / "pulmora.ini")));
    EXPECT_FALSE(fs::is_symlink(diary.path() / "pulmora.ini"));
    EXPECT_EQ(readBytes(diary.file("pulmora.ini")), std::vector<char>(168, 'i'));
    EXPECT_EQ(readBytes(outside.file("settings")), foreign);
}

TEST_F(BackupTest, ARestoreKeepsTheLetterCaseOfTheDiarysFiles) {
    startOn(kFirstDay);
    fs::rename(diary.path() / "Daily.dat", diary.path() / "DAILY.DAT");
    ASSERT_TRUE(backups().restore("2024-01-01"));
    EXPECT_FALSE(fs::exists(diary.path() / "Daily.dat"));
    EXPECT_EQ(readBytes(diary.file("DAILY.DAT")), readBytes((backupFolder("2024-01-01") / "Daily.dat").string()));
}

TEST_F(BackupTest, ABackupWithADamagedRecordFileIsRefusedBeforeAnythingChanges) {
    startOn(kFirstDay);
    writeBytes((backupFolder("2024-01-01") / "DlyMed.dat").string(), {'\x03', '\x01'});
    const Files before = filesOf(diary.path());
    const auto restored = backups().restore("2024-01-01");
    ASSERT_FALSE(restored);
    EXPECT_NE(restored.error().indexOf("DlyMed.dat"), -1) << restored.error().toStdString();
    EXPECT_EQ(filesOf(diary.path()), before);
    EXPECT_EQ(foldersIn(backupFolder()), std::vector<std::string>{"2024-01-01"});
}

TEST_F(BackupTest, OnlyAListedBackupCanBeRestored) {
    startOn(kFirstDay);
    const Files before = filesOf(diary.path());
    for (const QString& name : {QString("2024-01-02"), QString(".."), QString("2024-01-01/..")})
        EXPECT_FALSE(backups().restore(name)) << name.toStdString();
    EXPECT_EQ(filesOf(diary.path()), before);
}

}  // namespace
}  // namespace pulmora::test
