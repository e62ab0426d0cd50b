#include "DiaryFixture.h"

#include "store/Keys.h"

#include <filesystem>

namespace pulmora::test {
namespace {

using store::TableId;

TEST_F(DiaryTest, CreatesEveryMissingFileEmptyWithItsTags) {
    for (TableId id : store::kAllTables) {
        const auto* t = store::TableAccess::table(diary.files, id);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->recordCount(), 0u);
        for (const auto& tag : store::definition(id).tags)
            EXPECT_NE(const_cast<engine::Table*>(t)->tag(tag.name), nullptr) << tag.name;
    }
    EXPECT_TRUE(diary.files.fileProblems().empty());
    EXPECT_TRUE(diary.files.allOpen());
    const store::TablePosition daily = diary.files.position(TableId::Daily);
    EXPECT_TRUE(daily.open);
    EXPECT_EQ(daily.record, 1u);
    EXPECT_EQ(daily.fraction, 0.0);
    EXPECT_EQ(daily.count, 0u);
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(DiaryTest, ADamagedFileIsReportedLeftAloneAndClosedWithTheRest) {
    diary.files.CloseDB();
    std::vector<char> damaged = readBytes(folder.file("Daily.dat"));
    damaged[4] = 50;  // claims 50 records the file does not hold
    writeBytes(folder.file("Daily.dat"), damaged);

    diary.files.OpenDB();
    EXPECT_FALSE(diary.files.has(TableId::Daily));
    EXPECT_TRUE(diary.files.has(TableId::Personal));
    EXPECT_TRUE(diary.files.has(TableId::DlyMed));
    ASSERT_EQ(diary.files.fileProblems().size(), 1u);
    EXPECT_EQ(diary.files.fileProblems()[0].fileName, "Daily.dat");
    EXPECT_TRUE(diary.files.fileProblems()[0].reason.contains("record count"));
    EXPECT_FALSE(diary.files.allOpen());
    EXPECT_FALSE(diary.files.position(TableId::Daily).open);

    diary.files.CloseDB();
    EXPECT_FALSE(diary.files.isOpen());
    EXPECT_FALSE(diary.files.has(TableId::Personal));
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), damaged);
    // Opening again after the close works on the same files, as the restart after a deletion does.
    diary.files.OpenDB();
    EXPECT_TRUE(diary.files.has(TableId::Personal));
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), damaged);
}

TEST_F(DiaryTest, AFileWithOtherFieldsIsNotOpened) {
    diary.files.CloseDB();
    {
        engine::Engine engine;
        auto made =
            engine.create(folder.file("PerTrig.dat"),
                          {{"Asid", engine::FieldType::Character, 8}, {"Trig", engine::FieldType::Character, 20}}, {});
        ASSERT_TRUE(made.table);
    }
    const auto before = readBytes(folder.file("PerTrig.dat"));
    diary.files.OpenDB();
    EXPECT_FALSE(diary.files.has(TableId::PerTrig));
    ASSERT_EQ(diary.files.fileProblems().size(), 1u);
    EXPECT_TRUE(diary.files.fileProblems()[0].reason.contains("Trig"));
    diary.files.CloseDB();
    EXPECT_EQ(readBytes(folder.file("PerTrig.dat")), before);
}

TEST_F(DiaryTest, FindsRecordFilesWhateverTheirLetterCase) {
    auto* daily = store::TableAccess::table(diary.files, TableId::Daily);
    daily->appendStart();
    daily->field("DyID")->assign("SmJo000120240101");
    ASSERT_TRUE(daily->append());
    diary.files.CloseDB();
    std::filesystem::rename(folder.file("Daily.dat"), folder.file("DAILY.DAT"));

    diary.files.OpenDB();
    EXPECT_EQ(store::TableAccess::table(diary.files, TableId::Daily)->recordCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Daily.dat")));
}

TEST_F(DiaryTest, ADeletedTriggerListComesBackEmptyWhileTheRestKeepTheirData) {
    for (TableId id : {TableId::RefTrig, TableId::PerTrig}) {
        auto* t = store::TableAccess::table(diary.files, id);
        t->appendStart();
        t->field("Trig")->assign("POLLEN");
        ASSERT_TRUE(t->append());
    }
    diary.files.CloseDB();
    std::filesystem::remove(folder.file("RefTrig.dat"));
    diary.files.OpenDB();
    EXPECT_EQ(store::TableAccess::table(diary.files, TableId::RefTrig)->recordCount(), 0u);
    EXPECT_EQ(store::TableAccess::table(diary.files, TableId::PerTrig)->recordCount(), 1u);
}

TEST(KeysTest, DatesAndIdentifiers) {
    using namespace store::keys;
    EXPECT_EQ(Get4Date("20000229"), QDate(2000, 2, 29));
    EXPECT_FALSE(Get4Date("19000229"));
    EXPECT_FALSE(Get4Date("2001022"));
    EXPECT_FALSE(Get4Date("        "));
    EXPECT_FALSE(Get4Date("2001-2-1"));
    EXPECT_EQ(dateKey(QDate(2024, 3, 5)), "20240305");
    EXPECT_EQ(dayId(test::personId("SmJo0001"), QDate(2024, 3, 5)), "SmJo000120240305");

    EXPECT_EQ(personIdCandidate("Smith", "John", 1), "SmJo0001");
    EXPECT_EQ(personIdCandidate("  Smith", " John ", 2), "SmJo0002");
    EXPECT_EQ(personIdCandidate("O", "", 0x1A), "OXXX001A");
    EXPECT_EQ(personIdCandidate("A B", "Li", 3), "AXLi0003");
    EXPECT_EQ(medIdCandidate("Salbutamol", 1), "Salb0001");
    EXPECT_EQ(medIdCandidate(" AB ", 1), "AB000001");
    EXPECT_EQ(medIdCandidate("AB", 0x2F), "AB00002F");

    using store::PersonId;
    EXPECT_EQ(PersonId::of("SmJo0001")->text(), "SmJo0001");
    for (const char* none : {"New", " mJo0001", "SmJo000 ", "SmJo00011", ""}) EXPECT_FALSE(PersonId::of(none)) << none;
}

}  // namespace
}  // namespace pulmora::test
