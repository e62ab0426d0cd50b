// The diary's life without a window: what a start and a restore did comes back as values.
#include "app/DiaryLife.h"
#include "store/Clock.h"
#include "store/Keys.h"
#include "support/CardSaves.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <filesystem>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;
using store::keys::dateKey;

const QDate kToday{2024, 6, 15};

class DiaryLifeTest : public ::testing::Test {
protected:
    void SetUp() override {
        store::clock::setToday(kToday);
        writeBytes(folder.file("pulmora"), {});  // the program's executable stands in its folder
    }
    void TearDown() override {
        diary.files.CloseDB();
        store::clock::setToday(QDate());
    }
    QString path() const { return QString::fromStdString(folder.path().string()); }
    QString addPerson(const QString& nickname) {
        store::PersonDetails details;
        details.nickname = nickname;
        details.surname = "Smith";
        details.firstName = "Jo";
        return diary.persons.AddPer("New", details).value.id;
    }

    TempFolder folder;
    store::Diary diary;
    app::DiaryLife life{diary, path()};
};

TEST_F(DiaryLifeTest, AStartBacksTheDiaryUpAndOpensItOnItsFirstPerson) {
    ASSERT_TRUE(life.AsthmaStart().opened());
    const QString jo = addPerson("Jo");
    addPerson("Al");
    life.AsthmaClose();
    EXPECT_FALSE(diary.files.isOpen());
    store::clock::setToday(kToday.addDays(1));

    const app::DiaryLife::Start start = life.AsthmaStart();
    EXPECT_TRUE(start.problem.isEmpty()) << start.problem.toStdString();
    EXPECT_TRUE(start.notices.isEmpty()) << start.notices.join(' ').toStdString();
    ASSERT_TRUE(start.firstPerson);
    EXPECT_EQ(start.firstPerson->nickname, "Al");  // in nickname order
    EXPECT_TRUE(diary.files.allOpen());
    EXPECT_FALSE(diary.files.readOnly());
    EXPECT_TRUE(fs::is_regular_file(folder.path() / "backups" / "2024-06-16" / "Personal.dat"));
    EXPECT_EQ(life.ProgDir(), path() + '/');
    EXPECT_TRUE(diary.persons.GetPerCrd(jo));
}

// Nothing is made in a folder that does not hold the program, nor written in a diary opened for
// reading only, not even the day's backup.
TEST_F(DiaryLifeTest, AStartThatMayNotWriteMakesNothing) {
    fs::remove(folder.path() / "pulmora");
    const app::DiaryLife::Start refused = life.AsthmaStart();
    EXPECT_FALSE(refused.opened());
    EXPECT_EQ(refused.problem, "The program folder " + QDir::toNativeSeparators(path() + '/') + " does not hold the program");
    EXPECT_FALSE(refused.firstPerson);
    EXPECT_FALSE(diary.files.isOpen());
    EXPECT_FALSE(fs::exists(folder.path() / "Daily.dat"));

    writeBytes(folder.file("pulmora"), {});
    life.openReadOnly("another copy has the diary");
    const app::DiaryLife::Start readOnly = life.AsthmaStart();
    EXPECT_TRUE(readOnly.opened());
    EXPECT_TRUE(diary.files.readOnly());
    EXPECT_EQ(diary.files.readOnlyReason(), "another copy has the diary");
    EXPECT_FALSE(fs::exists(folder.path() / "backups"));
}

TEST_F(DiaryLifeTest, ARestoreSaysWhichBackupCameBackAndWhereTheReplacedDiaryIsKept) {
    ASSERT_TRUE(life.AsthmaStart().opened());
    const QString jo = addPerson("Jo");
    life.AsthmaClose();
    store::clock::setToday(kToday.addDays(1));
    ASSERT_TRUE(life.AsthmaStart().opened());  // backs up Jo
    ASSERT_TRUE(cards::saveDay(diary, jo, dateKey(kToday.addDays(1)), {}));

    const std::vector<store::Backup> made = life.backups().list();
    ASSERT_FALSE(made.empty());
    const app::DiaryLife::Restore restore = life.RestoreBackup(made.front());
    EXPECT_TRUE(restore.restored);
    EXPECT_EQ(restore.said, QDir::toNativeSeparators("Restored the backup of 16 June 2024 (backups/2024-06-16). The diary "
                                                     "it replaced is kept in backups/2024-06-16-before-restore."));
    EXPECT_TRUE(restore.start.opened());
    ASSERT_TRUE(restore.start.firstPerson);
    EXPECT_EQ(restore.start.firstPerson->id, jo);
    EXPECT_EQ(diary.days.ChkDly(jo, dateKey(kToday.addDays(1))), -1);  // the day came after the backup

    store::Backup missing = made.front();
    missing.name = "2020-01-01";
    missing.date = QDate(2020, 1, 1);
    const app::DiaryLife::Restore failed = life.RestoreBackup(missing);
    EXPECT_FALSE(failed.restored);
    EXPECT_TRUE(failed.said.startsWith("The diary could not be restored from the backup of 1 January 2020 ("))
        << failed.said.toStdString();
    EXPECT_TRUE(failed.start.opened());  // the diary as it was opens again
}

}  // namespace
}  // namespace pulmora::test
