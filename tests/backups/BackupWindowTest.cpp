#include "../daily/CardFixture.h"
#include "support/CardSaves.h"

#include "app/RestoreWindow.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "daily/DailyCommands.h"
#include "support/FileSystems.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

std::vector<char> bytesOf(const fs::path& path) { return readBytes(path.string()); }

// ---- the restore window ----------------------------------------------------------------------

std::vector<store::Backup> twoBackups() {
    return {{"2024-06-15-before-restore", {2024, 6, 15}, true, 12, {}},
            {"2024-06-14", {2024, 6, 14}, false, 1, {}},
            {"2024-06-13", {2024, 6, 13}, false, -1, {}}};
}

TEST(RestoreWindowTest, ListsEachBackupWithItsDayAndTheDaysItHolds) {
    app::RestoreWindow window(twoBackups());
    ASSERT_EQ(window.List->count(), 3);
    EXPECT_EQ(window.List->item(0)->text(),
              "Saturday 15 June 2024, the diary as it was before a restore: 12 days recorded");
    EXPECT_EQ(window.List->item(1)->text(), "Friday 14 June 2024: 1 day recorded");
    EXPECT_EQ(window.List->item(2)->text(), "Thursday 13 June 2024: its day file cannot be read");
    EXPECT_EQ(window.windowTitle(), "Restore from Backup");
}

TEST(RestoreWindowTest, AsksBeforeItAnswersAndOffersNoUnreadableBackup) {
    app::RestoreWindow window(twoBackups());
    window.show();
    EXPECT_FALSE(window.BtnRestore->isEnabled());
    window.List->setCurrentRow(2);
    EXPECT_FALSE(window.BtnRestore->isEnabled());
    window.List->setCurrentRow(1);
    ASSERT_TRUE(window.BtnRestore->isEnabled());
    QTest::mouseClick(window.BtnRestore, Qt::LeftButton);
    EXPECT_TRUE(window.Question->isVisible());
    EXPECT_NE(window.Question->text().indexOf("Friday 14 June 2024"), -1);
    EXPECT_FALSE(window.chosen());
    QTest::mouseClick(window.BtnBack, Qt::LeftButton);
    EXPECT_TRUE(window.List->isVisible());
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.BtnRestore, Qt::LeftButton);
    QTest::mouseClick(window.BtnConfirm, Qt::LeftButton);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    ASSERT_TRUE(window.chosen());
    EXPECT_EQ(window.chosen()->name, "2024-06-14");
}

// A backup without every record file would empty the lists it lacks: it is shown, never offered.
TEST(RestoreWindowTest, AnIncompleteBackupIsListedAsSuchAndNotOffered) {
    app::RestoreWindow window({{"2024-06-14", {2024, 6, 14}, false, 592, "DlyTrig.dat is missing from it"}});
    EXPECT_EQ(window.List->item(0)->text(), "Friday 14 June 2024: incomplete, DlyTrig.dat is missing from it");
    window.show();
    window.List->setCurrentRow(0);
    EXPECT_FALSE(window.BtnRestore->isEnabled());
}

TEST(RestoreWindowTest, ReturnAsksAndReturnAgainGoesBackWithoutAnswering) {
    app::RestoreWindow window(twoBackups());
    window.show();
    window.List->setFocus();
    window.List->setCurrentRow(1);
    QTest::keyClick(window.List, Qt::Key_Return);
    EXPECT_TRUE(window.Question->isVisible());
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.List->isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.chosen());
}

TEST(RestoreWindowTest, SaysSoWhenThereIsNoBackup) {
    app::RestoreWindow window({});
    EXPECT_EQ(window.List->count(), 0);
    EXPECT_FALSE(window.BtnRestore->isEnabled());
    EXPECT_EQ(window.Intro->text(), "There is no backup of the diary yet.");
}

// ---- the program -----------------------------------------------------------------------------

class BackupProgramTest : public CardTest {
protected:
    fs::path backups() const { return folder.path() / "backups"; }
    size_t backupCount() const {
        return size_t(std::distance(fs::directory_iterator(backups()), fs::directory_iterator()));
    }
};

TEST_F(BackupProgramTest, EachStartBacksTheDiaryUpOnceADayBeforeItOpens) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    const std::vector<char> daily = bytesOf(folder.path() / "Daily.dat");
    start();
    ASSERT_TRUE(fs::is_directory(backups() / "2024-06-15"));
    EXPECT_EQ(bytesOf(backups() / "2024-06-15" / "Daily.dat"), daily);
    EXPECT_EQ(card().info(), "Welcome to the Pulmora");
}

TEST_F(BackupProgramTest, ABackupThatCannotBeMadeIsNamedAndTheProgramStartsAsUsual) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    fs::create_directory(backups());
    ReadOnlyFolder readOnly(backups());
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    ASSERT_TRUE(readOnly.apply());
    start();
    EXPECT_TRUE(card().info().startsWith("ERROR: Today's backup of the diary could not be made ("))
        << card().info().toStdString();
    EXPECT_NE(card().info().indexOf(QString::fromStdString(backups().string())), -1);
    EXPECT_TRUE(card().info().endsWith("The diary has opened as usual."));
    EXPECT_FALSE(diary().files.readOnly());
    EXPECT_TRUE(diary().files.allOpen());
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Jo");
    EXPECT_TRUE(widget("PkMorn")->isEnabled());
}

// A start never wipes the diary with a restore that is not whole: it keeps the diary and says
// what it found and where it put it.
TEST_F(BackupProgramTest, AStartSetsADamagedRestoreAsideAndSaysWhere) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    const std::vector<char> daily = bytesOf(folder.path() / "Daily.dat");
    fs::create_directories(backups() / ".restore-ready");
    start();
    const fs::path aside = backups() / "damaged-restore-2024-06-15";
    EXPECT_EQ(card().info(),
              "ERROR: An unfinished restore from a backup was not used, as it is empty; the diary was "
              "kept as it was and the restore moved to " +
                  QString::fromStdString(aside.string()) + ".");
    EXPECT_TRUE(fs::is_directory(aside));
    EXPECT_EQ(bytesOf(folder.path() / "Daily.dat"), daily);
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Jo");
    EXPECT_FALSE(diary().files.readOnly());
}

// Both are said, and the information line grows until the whole message shows.
TEST_F(BackupProgramTest, AFailedBackupAndAFileThatCannotBeOpenedAreBothShownWhole) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    writeBytes(backups().string(), {'x'});  // a file where the backups belong
    auto damaged = readBytes(folder.file("DlyMed.dat"));
    damaged[32 + 11] = 'N';  // its first field made numeric
    writeBytes(folder.file("DlyMed.dat"), damaged);
    start();
    const QString info = card().info();
    EXPECT_TRUE(info.startsWith("ERROR: Today's backup of the diary could not be made (")) << info.toStdString();
    EXPECT_NE(info.indexOf(QString::fromStdString(backups().string())), -1) << info.toStdString();
    EXPECT_NE(info.indexOf(". The diary has opened as usual. DlyMed.dat could not be opened ("), -1)
        << info.toStdString();
    const QLabel& line = *on<QLabel>("PanInfo");
    EXPECT_GE(line.height(), line.heightForWidth(line.width()));
    EXPECT_LE(line.geometry().bottom(), card().height());
}

TEST_F(BackupProgramTest, TheMenuRestoresABackupAndTheDiaryStartsAgainOnIt) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();  // backs up Jo alone
    card().close();
    program.reset();
    store::clock::setToday(kToday.addDays(1));
    prepare([&](store::Diary& d) { addPerson(d, "Max", "Jones"); });
    start();
    const auto restoredFrom = readBytes(folder.file("backups/2024-06-15/Personal.dat"));
    const auto replaced = bytesOf(folder.path() / "Personal.dat");

    withModal([&] { choose("MnRestore"); },
              [&](QWidget* window) {
                  auto* restore = qobject_cast<app::RestoreWindow*>(window);
                  ASSERT_TRUE(restore);
                  ASSERT_EQ(restore->List->count(), 2);
                  restore->List->setCurrentRow(1);
                  QTest::mouseClick(restore->BtnRestore, Qt::LeftButton);
                  QTest::mouseClick(restore->BtnConfirm, Qt::LeftButton);
              });
    // Each backup named by its folder, so the two cannot be taken for each other.
    EXPECT_EQ(card().info(),
              QDir::toNativeSeparators("Restored the backup of 15 June 2024 (backups/2024-06-15). The "
                                       "diary it replaced is kept in backups/2024-06-16-before-restore."));
    EXPECT_EQ(bytesOf(folder.path() / "Personal.dat"), restoredFrom);
    EXPECT_EQ(bytesOf(backups() / "2024-06-16-before-restore" / "Personal.dat"), replaced);
    ASSERT_TRUE(diary().files.allOpen());
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Jo");
    const auto next = diary().persons.GetPerDly(store::Persons::Step::Next, card().CurrentPerson());
    ASSERT_TRUE(next);
    EXPECT_EQ(next->nickname, "Jo");  // Max is gone with the restore
}

TEST_F(BackupProgramTest, ACancelledRestoreChangesNothing) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    const auto before = bytesOf(folder.path() / "Personal.dat");
    withModal([&] { choose("MnRestore"); },
              [&](QWidget* window) {
                  QTest::mouseClick(qobject_cast<app::RestoreWindow*>(window)->BtnCancel, Qt::LeftButton);
              });
    EXPECT_EQ(bytesOf(folder.path() / "Personal.dat"), before);
    EXPECT_EQ(card().info(), "Welcome to the Pulmora");
    EXPECT_EQ(backupCount(), 1u);
}

TEST_F(BackupProgramTest, TheMenuExportsThePersonsDiaryToTheFileChosen) {
    prepare([&](store::Diary& d) {
        const store::PersonId jo = addPerson(d, "Jo");
        store::DayValues v;
        v.morning = 300;
        ASSERT_TRUE(cards::saveDay(d, jo, QDate(2024, 6, 14), v));
        ASSERT_TRUE(cards::saveDay(d, jo, QDate(2024, 6, 15), v));
    });
    start();
    const QString path = QString::fromStdString(folder.file("exported.csv"));
    QString suggested;
    withModal([&] { choose("MnExport"); },
              [&](QWidget* window) {
                  auto* chooser = qobject_cast<QFileDialog*>(window);
                  ASSERT_TRUE(chooser);
                  suggested = chooser->selectedFiles().value(0);
                  chooser->selectFile(path);
                  static_cast<QDialog*>(chooser)->accept();  // as the dialog's own Save button does
              });
    // In the documents folder, or the home folder where there is none.
    EXPECT_TRUE(suggested.endsWith("/Jo diary.csv")) << suggested.toStdString();
    EXPECT_TRUE(suggested.startsWith(QDir::homePath() + '/')) << suggested.toStdString();
    const auto written = readBytes(path.toStdString());
    ASSERT_GT(written.size(), 3u);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 3);
    EXPECT_EQ(card().info(), "2 days of Jo exported to " + path);
}

// The chooser takes any name, but the export never replaces one of the open diary's own files.
TEST_F(BackupProgramTest, TheExportRefusesTheDiarysOwnFiles) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    const std::vector<char> before = readBytes(folder.file("pulmora.ini"));
    withModal([&] { choose("MnExport"); },
              [&](QWidget* window) {
                  auto* chooser = qobject_cast<QFileDialog*>(window);
                  ASSERT_TRUE(chooser);
                  chooser->setOption(QFileDialog::DontConfirmOverwrite);  // as a user saying yes to replacing it
                  chooser->selectFile(QString::fromStdString(folder.file("pulmora.ini")));
                  static_cast<QDialog*>(chooser)->accept();
              });
    EXPECT_TRUE(card().info().startsWith("ERROR: The diary was not exported: ")) << card().info().toStdString();
    EXPECT_TRUE(card().info().contains("which only the program writes")) << card().info().toStdString();
    EXPECT_EQ(readBytes(folder.file("pulmora.ini")), before);
}

TEST_F(BackupProgramTest, ThereIsNothingToExportWithoutAPerson) {
    start();
    choose("MnExport");
    EXPECT_EQ(card().info(), "There is no diary to export?");
}

}  // namespace
}  // namespace pulmora::test
