// The diary's life without a window: what a start and a restore did comes back as values.
#include "app/DiaryLife.h"
#include "files/FaultSeam.h"
#include "store/Clock.h"
#include "support/CardSaves.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>

#include <filesystem>
#include <functional>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

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
    store::PersonId addPerson(const QString& nickname) {
        store::PersonDetails details;
        details.nickname = nickname;
        details.surname = "Smith";
        details.firstName = "Jo";
        return diary.persons.AddPer(std::nullopt, details).value.value().id;
    }

    TempFolder folder;
    store::Diary diary;
    app::DiaryLife life{diary, path()};
};

// ---- crafted backups ---------------------------------------------------------------------------

// The record files of a folder by name.
std::map<std::string, std::vector<char>> recordFiles(const fs::path& folder) {
    std::map<std::string, std::vector<char>> files;
    for (store::TableId id : store::kAllTables) {
        const std::string name = store::fileName(id);
        if (fs::exists(folder / name)) files[name] = readBytes((folder / name).string());
    }
    return files;
}

// A committed restore as a start finds it: the given record files of the backup, each listed
// with its fingerprint, the others listed as absent, and the backup named when `restoring` is.
void stageRestore(const fs::path& backups, const std::vector<std::string>& staged, const std::string& restoring) {
    const fs::path ready = backups / ".restore-ready";
    fs::create_directory(ready);
    std::string lines = restoring.empty() ? "" : "of " + restoring + "\n";
    std::vector<std::string> names;
    for (store::TableId id : store::kAllTables) names.push_back(store::fileName(id));
    names.push_back("pulmora.ini");
    for (const std::string& name : names) {
        if (std::find(staged.begin(), staged.end(), name) == staged.end()) {
            lines += "- " + name + "\n";
            continue;
        }
        fs::copy_file(backups / "2024-06-15" / name, ready / name);
        const std::vector<char> bytes = readBytes((ready / name).string());
        lines +=
            QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())), QCryptographicHash::Sha256)
                .toHex()
                .toStdString() +
            ' ' + name + "\n";
    }
    writeBytes((ready / "restore-fingerprints").string(), {lines.begin(), lines.end()});
}

// Each case starts from a diary backed up on 15 June and changed since; on 16 June the folder is
// crafted as a stop, a hand or another program might leave it, and the program then starts or
// restores the backup of 15 June. A restore puts back a whole diary or nothing, the live files are
// kept before any is replaced, and what was set aside or finished is said.
TEST(CraftedBackupTest, ABackupOrARestoreNeverTakesTheDiaryAndWhatItDidIsSaid) {
    const std::vector<std::string> allRecordFiles = {"Personal.dat", "Daily.dat",  "PerTrig.dat", "RefTrig.dat",
                                                     "DlyTrig.dat",  "PerMed.dat", "DlyMed.dat"};
    std::vector<std::string> fortnight;  // fourteen daily backups to 15 June, the 16th's made by the start
    for (int day = 2; day <= 16; ++day) fortnight.push_back(QDate(2024, 6, day).toString("yyyy-MM-dd").toStdString());
    struct Case {
        const char* what;
        std::function<void(const fs::path& backups)> craft;
        bool restore;        // the backup of 15 June is restored; otherwise the program starts
        bool diaryReplaced;  // the record files end as that backup's
        QString said;        // on the information line, in part
        std::vector<std::string> backupsAfter;
        std::vector<QString> listedIncomplete;
    };
    const Case cases[] = {
        {"a staged restore of its fingerprints alone",
         [](const fs::path& b) { stageRestore(b, {}, "2024-06-15"); },
         false,
         false,
         "was not used, as Personal.dat is missing from it",
         {"2024-06-15", "2024-06-16", "damaged-restore-2024-06-16"},
         {}},
        {"a staged restore of Personal.dat alone",
         [](const fs::path& b) { stageRestore(b, {"Personal.dat"}, "2024-06-15"); },
         false,
         false,
         "was not used, as Daily.dat is missing from it",
         {"2024-06-15", "2024-06-16", "damaged-restore-2024-06-16"},
         {}},
        {"a whole staged restore that kept nothing",
         [&](const fs::path& b) { stageRestore(b, allRecordFiles, "2024-06-15"); },
         false,
         true,
         "A restore from the backup backups/2024-06-15 that was cut short has been finished. The diary it replaced "
         "is kept in backups/2024-06-16-before-restore.",
         {"2024-06-15", "2024-06-16", "2024-06-16-before-restore"},
         {}},
        {"a backup without DlyTrig.dat and DlyMed.dat",
         [](const fs::path& b) {
             fs::remove(b / "2024-06-15" / "DlyTrig.dat"), fs::remove(b / "2024-06-15" / "DlyMed.dat");
         },
         true,
         false,
         "the backup 2024-06-15 cannot be used: DlyTrig.dat is missing from it",
         {"2024-06-15", "2024-06-16"},
         {"2024-06-15"}},
        {"today's backup without DlyTrig.dat",
         [](const fs::path& b) {
             fs::copy(b / "2024-06-15", b / "2024-06-16");
             fs::remove(b / "2024-06-16" / "DlyTrig.dat");
         },
         false,
         false,
         "Today's backup was not whole, as DlyTrig.dat is missing from it; it was moved to",
         {"2024-06-15", "2024-06-16", "2024-06-16-incomplete"},
         {}},
        {"leftovers of stopped replacements",
         [](const fs::path& b) {
             writeBytes((b.parent_path() / "Daily.dat.new").string(), {'x'});
             writeBytes((b.parent_path() / ".pulmora-unfinished-AbCd12").string(), {'x'});
         },
         false,
         false,
         "Welcome",
         {"2024-06-15", "2024-06-16"},
         {}},
        {"folders set aside a fortnight of backups ago",
         [](const fs::path& b) {
             for (int day = 2; day < 15; ++day)
                 fs::copy(b / "2024-06-15", b / QDate(2024, 6, day).toString("yyyy-MM-dd").toStdString());
             fs::create_directory(b / "2024-06-01-incomplete");
             fs::create_directory(b / "damaged-restore-2024-06-01-2");
             fs::create_directory(b / "damaged-restore-2024-06-03");
         },
         false,
         false,
         "Welcome",
         [&] {
             auto kept = fortnight;
             kept.push_back("damaged-restore-2024-06-03");
             return kept;
         }(),
         {}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeBytes(folder.file("pulmora"), {});
        store::Diary diary;
        app::DiaryLife life(diary, QString::fromStdString(folder.path().string()));
        store::clock::setToday(kToday);
        ASSERT_TRUE(life.AsthmaStart().opened());
        store::PersonDetails jo;
        jo.nickname = "Jo", jo.surname = "Smith", jo.firstName = "Jo";
        const store::PersonId id = diary.persons.AddPer(std::nullopt, jo).value.value().id;
        ASSERT_TRUE(life.AsthmaStart().opened());  // backs Jo up
        store::DayValues values;
        values.morning = 350;
        ASSERT_TRUE(cards::saveDay(diary, id, kToday, values));
        life.AsthmaClose();
        const fs::path backups = folder.path() / "backups";
        const auto backedUp = recordFiles(backups / "2024-06-15");
        const auto live = recordFiles(folder.path());
        ASSERT_NE(backedUp, live);

        store::clock::setToday(kToday.addDays(1));
        c.craft(backups);
        QStringList said;
        if (c.restore) {
            const auto listed = life.backups().list();
            const auto backup = std::find_if(listed.begin(), listed.end(),
                                             [](const store::Backup& b) { return b.name == "2024-06-15"; });
            ASSERT_NE(backup, listed.end()) << c.what;
            const app::DiaryLife::Restore restored = life.RestoreBackup(*backup);
            said << restored.said << restored.start.said << restored.start.notices;
        } else {
            const app::DiaryLife::Start start = life.AsthmaStart();
            said << start.said << start.notices;
        }
        life.AsthmaClose();
        const QString text = said.isEmpty() ? QStringLiteral("Welcome") : said.join(' ');
        EXPECT_NE(text.indexOf(c.said), -1) << c.what << ": " << text.toStdString();
        EXPECT_EQ(recordFiles(folder.path()), c.diaryReplaced ? backedUp : live) << c.what;
        std::vector<std::string> diaryNames = allRecordFiles;
        diaryNames.insert(diaryNames.end(), {"backups", "pulmora"});
        std::sort(diaryNames.begin(), diaryNames.end());
        EXPECT_EQ(namesIn(folder.path()), diaryNames) << c.what;
        EXPECT_EQ(namesIn(backups), c.backupsAfter) << c.what;
        std::vector<QString> incomplete;
        for (const store::Backup& backup : life.backups().list())
            if (!backup.incomplete.isEmpty()) incomplete.push_back(backup.name);
        EXPECT_EQ(incomplete, c.listedIncomplete) << c.what;
        if (c.diaryReplaced) {
            EXPECT_EQ(recordFiles(backups / "2024-06-16-before-restore"), live) << c.what;
        }
    }
    store::clock::setToday(QDate());
}

TEST_F(DiaryLifeTest, AStartBacksTheDiaryUpAndOpensItOnItsFirstPerson) {
    ASSERT_TRUE(life.AsthmaStart().opened());
    const store::PersonId jo = addPerson("Jo");
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

// A start packs a file with many deleted records once the day's backup holds it as it was; a
// pack that fails leaves the file as it was, and the diary opens all the same with nothing to say.
TEST_F(DiaryLifeTest, AStartPacksAfterTheBackupAndOpensWhenThePackFails) {
    ASSERT_TRUE(life.AsthmaStart().opened());
    const store::PersonId jo = addPerson("Jo");
    const store::PersonId al = addPerson("Al");
    ASSERT_TRUE(life.AsthmaStart().opened());  // makes today's backup
    ASSERT_TRUE(diary.persons.DelPer(al));     // one of the two records marked
    auto personalRecords = [&] { return diary.files.position(store::TableId::Personal).count; };
    EXPECT_EQ(personalRecords(), 2u);

    // Today's backup is made already, so the only rename this start would make is the pack's.
    files::faults::setHook([](files::faults::Operation op) { return op != files::faults::Operation::Rename; });
    const app::DiaryLife::Start failed = life.AsthmaStart();
    files::faults::setHook({});
    ASSERT_TRUE(failed.opened());
    EXPECT_TRUE(failed.notices.isEmpty()) << failed.notices.join(' ').toStdString();
    EXPECT_TRUE(failed.said.isEmpty());
    EXPECT_EQ(personalRecords(), 2u);
    EXPECT_EQ(failed.firstPerson->id, jo);
    EXPECT_FALSE(diary.persons.GetPerCrd(al));

    store::clock::setToday(kToday.addDays(1));
    const app::DiaryLife::Start packed = life.AsthmaStart();
    ASSERT_TRUE(packed.opened());
    EXPECT_TRUE(packed.notices.isEmpty()) << packed.notices.join(' ').toStdString();
    EXPECT_EQ(personalRecords(), 1u);
    EXPECT_EQ(packed.firstPerson->id, jo);
    // The backup was made before the pack, marked record and all.
    const std::vector<char> backedUp = readBytes((folder.path() / "backups" / "2024-06-16" / "Personal.dat").string());
    EXPECT_GT(backedUp.size(), readBytes(folder.file("Personal.dat")).size());
}

// Nothing is made in a folder that does not hold the program, nor written in a diary opened for
// reading only, not even the day's backup.
TEST_F(DiaryLifeTest, AStartThatMayNotWriteMakesNothing) {
    fs::remove(folder.path() / "pulmora");
    const app::DiaryLife::Start refused = life.AsthmaStart();
    EXPECT_FALSE(refused.opened());
    EXPECT_EQ(refused.problem,
              "The program folder " + QDir::toNativeSeparators(path() + '/') + " does not hold the program");
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
    const store::PersonId jo = addPerson("Jo");
    life.AsthmaClose();
    store::clock::setToday(kToday.addDays(1));
    ASSERT_TRUE(life.AsthmaStart().opened());  // backs up Jo
    ASSERT_TRUE(cards::saveDay(diary, jo, kToday.addDays(1), {}));

    const std::vector<store::Backup> made = life.backups().list();
    ASSERT_FALSE(made.empty());
    const app::DiaryLife::Restore restore = life.RestoreBackup(made.front());
    EXPECT_TRUE(restore.restored);
    EXPECT_EQ(restore.said,
              QDir::toNativeSeparators("Restored the backup of 16 June 2024 (backups/2024-06-16). The diary "
                                       "it replaced is kept in backups/2024-06-16-before-restore."));
    EXPECT_TRUE(restore.start.opened());
    ASSERT_TRUE(restore.start.firstPerson);
    EXPECT_EQ(restore.start.firstPerson->id, jo);
    EXPECT_EQ(diary.days.ChkDly(jo, kToday.addDays(1)), -1);  // the day came after the backup

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
