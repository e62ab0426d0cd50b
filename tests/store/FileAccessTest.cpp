#include "DiaryFixture.h"
#include "support/FileSystems.h"

#include <sys/stat.h>
#include <filesystem>
#include <map>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;
using store::TableId;

std::map<std::string, std::vector<char>> snapshot(const fs::path& folder) {
    std::map<std::string, std::vector<char>> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = e.is_regular_file() ? readBytes(e.path().string()) : std::vector<char>{};
    return files;
}

// Rewrites a record file as writers that pad with NUL bytes leave it: every blank at the end of
// a field becomes a NUL.
void padWithNuls(const std::string& path, const std::vector<engine::FieldDefinition>& fields) {
    auto b = readBytes(path);
    auto le = [&](size_t at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = v << 8 | uint8_t(b[at + size_t(i)]);
        return size_t(v);
    };
    const size_t count = le(4, 4), header = le(8, 2), length = le(10, 2);
    for (size_t r = 0; r < count; ++r) {
        size_t start = header + r * length + 1;
        for (const auto& f : fields) {
            for (size_t at = start + size_t(f.width); at > start && b[at - 1] == ' '; --at) b[at - 1] = '\0';
            start += size_t(f.width);
        }
    }
    writeBytes(path, b);
}

class FileAccessTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        ASSERT_EQ(addPerson("Robert"), john);
        reliever = addMed(john, "Salbutamol", "Reliever");
        ASSERT_TRUE(cards::addTrigger(diary, john, "POLLEN"));
        ASSERT_TRUE(diary.persons.AddTrg("", "POLLEN"));
        addDay(john, QDate(2024, 6, 10), 300, 350);
        saveLists(diary.days.GetDly(john, QDate(2024, 6, 10)).values, 2);
        diary.files.CloseDB();
    }
    // The day's lists saved by the card with its values: POLLEN ticked and the reliever used.
    void saveLists(const store::DayValues& values, int relieverUsed) {
        std::vector<store::DayMedRow> used;
        if (relieverUsed > 0) used.push_back({"Salbutamol", "Reliever", reliever, relieverUsed});
        ASSERT_TRUE(diary.days.saveDay(john, QDate(2024, 6, 10), values, {"POLLEN"}, used));
    }
    const store::PersonId john = personId("SmJo0001");
    QString reliever;
};

TEST_F(FileAccessTest, ADiaryOpenForReadingOnlyReadsItsDaysAndRefusesEveryWrite) {
    fs::remove(folder.file("RefTrig.dat"));
    const auto before = snapshot(folder.path());
    diary.files.setReadOnlyReason("pulmora.lock is a folder");
    diary.files.OpenDB(store::Access::ReadOnly);

    EXPECT_TRUE(diary.files.readOnly());
    EXPECT_FALSE(diary.files.has(TableId::RefTrig));  // missing, and not made
    EXPECT_TRUE(diary.files.fileProblems().empty());
    const auto person = diary.persons.GetPerDly(store::Persons::Step::First);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->nickname, "Robert");
    const auto day = diary.days.GetDly(john, QDate(2024, 6, 10));
    EXPECT_TRUE(day.found);
    EXPECT_EQ(day.values.morning, 300);
    EXPECT_EQ(day.medication.rows[0].timesUsed, 2);

    const QString refusal = "The diary is open for reading only (pulmora.lock is a folder), so nothing was saved.";
    store::DayValues v;
    v.morning = 500;
    const store::Result writes[] = {
        cards::saveDay(diary, john, QDate(2024, 6, 11), v),
        cards::saveDay(diary, john, QDate(2024, 6, 10), v),
        diary.days.DelDly(john, QDate(2024, 6, 10)),
        diary.days.saveDay(john, QDate(2024, 6, 10), v, {"DUST"},
                           std::vector<store::DayMedRow>{{"Salbutamol", "Reliever", reliever, 1}}),
        diary.persons.AddPer(std::nullopt, details("Jo")).result,
        diary.persons.AddPer(john, details("Bob")).result,
        diary.persons.DelPer(john),
        diary.persons.AddTrg("", "DUST").result,
        diary.persons.DelTrg("POLLEN").result,
        diary.persons.savePersonLists(john, {"DUST"}, diary.persons.ListMed(john)),
        diary.persons.savePersonLists(john, {}, {}),
    };
    for (const auto& r : writes) EXPECT_EQ(r.error(), refusal);
    diary.files.CloseDB();
    EXPECT_EQ(snapshot(folder.path()), before);

    // Opened for writing again, the diary is whole and takes writes.
    diary.files.OpenDB();
    EXPECT_FALSE(diary.files.readOnly());
    EXPECT_TRUE(cards::saveDay(diary, john, QDate(2024, 6, 11), v));
}

TEST_F(FileAccessTest, NewRecordFilesAreForTheirOwnerOnly) {
    for (TableId id : store::kAllTables) {
        struct stat st {};
        const std::string name = store::fileName(id);
        ASSERT_EQ(::stat(folder.file(name).c_str(), &st), 0) << name;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
    }
}

TEST_F(FileAccessTest, NulPaddedRecordsReadCleanAndTheirDaysSave) {
    for (TableId id : store::kAllTables) padWithNuls(folder.file(store::fileName(id)), store::definition(id).fields);
    diary.files.OpenDB();
    ASSERT_TRUE(diary.files.fileProblems().empty());

    const auto person = diary.persons.GetPerDly(store::Persons::Step::First);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->nickname, "Robert");
    EXPECT_EQ(person->id, john);
    const auto day = diary.days.GetDly(john, QDate(2024, 6, 10));
    ASSERT_TRUE(day.found);
    EXPECT_EQ(day.values.evening, 350);
    ASSERT_EQ(day.triggers.size(), 1u);
    EXPECT_EQ(day.triggers[0].name, "POLLEN");
    const auto& med = day.medication.rows[0];
    EXPECT_EQ(med.name, "Salbutamol");
    EXPECT_EQ(med.category, "Reliever");

    // The day saves as loaded: the names are storable and the keys find the padded records.
    saveLists(day.values, med.timesUsed + 1);
    EXPECT_EQ(table(TableId::Daily)->recordCount(), 1u);
    EXPECT_EQ(table(TableId::DlyTrig)->recordCount(), 1u);
    EXPECT_EQ(table(TableId::DlyMed)->recordCount(), 1u);
    EXPECT_EQ(diary.days.GetDly(john, QDate(2024, 6, 10)).medication.rows[0].timesUsed, 3);
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(FileAccessTest, HiddenDaysAreReportedAndTheFileLeftAlone) {
    diary.files.OpenDB();
    for (const QDate& date : {QDate(2024, 6, 11), QDate(2024, 6, 12), QDate(2024, 6, 13)}) addDay(john, date, 300, 300);
    diary.files.CloseDB();
    auto daily = readBytes(folder.file("Daily.dat"));
    daily[4] = char(daily[4] - 3);  // a header count three lower than the days present
    writeBytes(folder.file("Daily.dat"), daily);

    diary.files.OpenDB();
    EXPECT_FALSE(diary.files.has(TableId::Daily));
    ASSERT_EQ(diary.files.fileProblems().size(), 1u);
    EXPECT_EQ(diary.files.fileProblems()[0].reason, "the file holds 3 complete records beyond the 1 its header counts");
    diary.files.CloseDB();
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), daily);
}

TEST_F(FileAccessTest, ADayFileLinkedToAMissingFileIsReportedAndNotReplaced) {
    fs::remove(folder.file("Daily.dat"));
    fs::create_symlink("elsewhere/Daily.dat", folder.file("Daily.dat"));
    diary.files.OpenDB();
    EXPECT_FALSE(diary.files.has(TableId::Daily));
    ASSERT_EQ(diary.files.fileProblems().size(), 1u);
    EXPECT_TRUE(
        diary.files.fileProblems()[0].reason.contains("is a link to elsewhere/Daily.dat, which does not exist"));
    diary.files.CloseDB();
    EXPECT_TRUE(fs::is_symlink(folder.file("Daily.dat")));
    EXPECT_FALSE(fs::exists(folder.path() / "elsewhere"));
}

TEST_F(FileAccessTest, ALinkedDayFileStaysLinkedAndPrivateThroughAPack) {
    fs::create_directory(folder.path() / "private");
    fs::rename(folder.file("DlyMed.dat"), folder.path() / "private" / "DlyMed.dat");
    fs::create_symlink("private/DlyMed.dat", folder.file("DlyMed.dat"));
    diary.files.OpenDB();
    saveLists(diary.days.GetDly(john, QDate(2024, 6, 10)).values, 0);
    // The save marks the medication deleted; the start's pack then replaces the file.
    EXPECT_TRUE(diary.files.packMarked().empty());
    EXPECT_EQ(table(TableId::DlyMed)->recordCount(), 0u);
    diary.files.CloseDB();
    EXPECT_TRUE(fs::is_symlink(folder.file("DlyMed.dat")));
    struct stat st {};
    ASSERT_EQ(::stat((folder.path() / "private" / "DlyMed.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    diary.files.OpenDB();
    EXPECT_EQ(table(TableId::DlyMed)->recordCount(), 0u);
}

// A record file the user may read but not write hides nothing: its table is open for reading,
// the store names it, and only a save that would change it is refused, before anything is written.
TEST_F(FileAccessTest, ARecordFileThatCannotBeWrittenIsReadAndOnlyItsWritesRefused) {
    const store::PersonId jo = john;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    for (const auto& entry : fs::directory_iterator(folder.path())) ::chmod(entry.path().c_str(), 0666);
    ::chmod(diary.files.filePath(TableId::DlyTrig).toStdString().c_str(), 0444);
    const auto before = readBytes(diary.files.filePath(TableId::Daily).toStdString());

    const std::string heard = asOrdinaryUser([&] {
        diary.files.OpenDB();
        std::string said;
        for (const store::FileProblem& file : diary.files.unwritableFiles())
            said += file.fileName.toStdString() + " (" + file.reason.toStdString() + ")\n";
        for (const store::TriggerLine& line : diary.days.GetDly(jo, QDate(2024, 6, 10)).triggers)
            said += line.name.toStdString() + (line.ticked ? " ticked\n" : "\n");
        store::DayValues values;
        values.morning = 300;
        const store::Result changed = diary.days.saveDay(jo, QDate(2024, 6, 10), values, {"POLLEN", "DUST"}, {});
        said += changed ? "saved\n" : changed.error().toStdString() + "\n";
        const store::Result kept = diary.days.saveDay(jo, QDate(2024, 6, 11), values, {}, {});
        said += kept ? "saved\n" : kept.error().toStdString() + "\n";
        return said;
    });
    const std::string trigPath = diary.files.filePath(TableId::DlyTrig).toStdString();
    EXPECT_EQ(heard, "DlyTrig.dat (cannot open " + trigPath +
                         ": Permission denied)\nPOLLEN ticked\n"
                         "DlyTrig.dat can be read but not written (cannot open " +
                         trigPath + ": Permission denied), so nothing was saved.\nsaved\n");
    diary.files.OpenDB();
    EXPECT_TRUE(diary.days.GetDly(jo, QDate(2024, 6, 11)).found);
    EXPECT_EQ(diary.days.GetDly(jo, QDate(2024, 6, 10)).values.morning, 300);
    EXPECT_NE(readBytes(diary.files.filePath(TableId::Daily).toStdString()), before);
}

}  // namespace
}  // namespace pulmora::test
