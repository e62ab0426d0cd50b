#include "StoreFixture.h"

#include "store/Keys.h"

#include <filesystem>

namespace pulmora::test {
namespace {

using store::TableId;

TEST_F(StoreTest, CreatesEveryMissingFileEmptyWithItsTags) {
    for (TableId id : store::kAllTables) {
        const auto* t = store.table(id);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->recordCount(), 0u);
        for (const auto& tag : store::definition(id).tags)
            EXPECT_NE(const_cast<engine::Table*>(t)->tag(tag.name), nullptr) << tag.name;
    }
    EXPECT_TRUE(store.fileProblems().empty());
    EXPECT_TRUE(store.monitor().drawn);
    EXPECT_EQ(store.monitor().daily, "1:0%:0");
    EXPECT_TRUE(filesReadByDbfread());
}

TEST_F(StoreTest, ADamagedFileIsReportedLeftAloneAndClosedWithTheRest) {
    store.CloseDB();
    std::vector<char> damaged = readBytes(file("Daily.dat"));
    damaged[4] = 50;  // claims 50 records the file does not hold
    writeBytes(file("Daily.dat"), damaged);

    store.OpenDB();
    EXPECT_FALSE(store.has(TableId::Daily));
    EXPECT_TRUE(store.has(TableId::Personal));
    EXPECT_TRUE(store.has(TableId::DlyMed));
    ASSERT_EQ(store.fileProblems().size(), 1u);
    EXPECT_EQ(store.fileProblems()[0].fileName, "Daily.dat");
    EXPECT_TRUE(store.fileProblems()[0].reason.contains("record count"));
    EXPECT_FALSE(store.monitor().drawn);
    EXPECT_EQ(store::DiaryStore::statusText(store.table(TableId::Daily)), "File Not Open");

    store.CloseDB();
    EXPECT_FALSE(store.isOpen());
    EXPECT_FALSE(store.has(TableId::Personal));
    EXPECT_EQ(readBytes(file("Daily.dat")), damaged);
    // Opening again after the close works on the same files, as the restart after a deletion does.
    store.OpenDB();
    EXPECT_TRUE(store.has(TableId::Personal));
    EXPECT_EQ(readBytes(file("Daily.dat")), damaged);
}

TEST_F(StoreTest, AFileWithOtherFieldsIsNotOpened) {
    store.CloseDB();
    {
        engine::Engine engine;
        auto made = engine.create(file("PerTrig.dat"),
                                  {{"Asid", engine::FieldType::Character, 8},
                                   {"Trig", engine::FieldType::Character, 20}},
                                  {});
        ASSERT_TRUE(made.table);
    }
    const auto before = readBytes(file("PerTrig.dat"));
    store.OpenDB();
    EXPECT_FALSE(store.has(TableId::PerTrig));
    ASSERT_EQ(store.fileProblems().size(), 1u);
    EXPECT_TRUE(store.fileProblems()[0].reason.contains("Trig"));
    store.CloseDB();
    EXPECT_EQ(readBytes(file("PerTrig.dat")), before);
}

TEST_F(StoreTest, FindsRecordFilesWhateverTheirLetterCase) {
    auto* daily = store.table(TableId::Daily);
    daily->appendStart();
    daily->field("DyID")->assign("SmJo000120240101");
    ASSERT_TRUE(daily->append());
    store.CloseDB();
    std::filesystem::rename(file("Daily.dat"), file("DAILY.DAT"));

    store.OpenDB();
    EXPECT_EQ(store.table(TableId::Daily)->recordCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(file("Daily.dat")));
}

TEST_F(StoreTest, ADeletedTriggerListComesBackEmptyWhileTheRestKeepTheirData) {
    for (TableId id : {TableId::RefTrig, TableId::PerTrig}) {
        auto* t = store.table(id);
        t->appendStart();
        t->field("Trig")->assign("POLLEN");
        ASSERT_TRUE(t->append());
    }
    store.CloseDB();
    std::filesystem::remove(file("RefTrig.dat"));
    store.OpenDB();
    EXPECT_EQ(store.table(TableId::RefTrig)->recordCount(), 0u);
    EXPECT_EQ(store.table(TableId::PerTrig)->recordCount(), 1u);
}

TEST(KeysTest, DatesAndIdentifiers) {
    using namespace store::keys;
    EXPECT_EQ(Get4Date("20000229"), QDate(2000, 2, 29));
    EXPECT_FALSE(Get4Date("19000229"));
    EXPECT_FALSE(Get4Date("2001022"));
    EXPECT_FALSE(Get4Date("        "));
    EXPECT_FALSE(Get4Date("2001-2-1"));
    EXPECT_EQ(dateKey(QDate(2024, 3, 5)), "20240305");
    EXPECT_EQ(dayId("Ab", "20240305"), "Ab      20240305");

    EXPECT_EQ(personIdCandidate("Smith", "John", 1), "SmJo0001");
    EXPECT_EQ(personIdCandidate("  Smith", " John ", 2), "SmJo0002");
    EXPECT_EQ(personIdCandidate("O", "", 0x1A), "OXXX001A");
    EXPECT_EQ(personIdCandidate("A B", "Li", 3), "AXLi0003");
    EXPECT_EQ(medIdCandidate("Salbutamol", 1), "Salb0001");
    EXPECT_EQ(medIdCandidate(" AB ", 1), "AB000001");
    EXPECT_EQ(medIdCandidate("AB", 0x2F), "AB00002F");

    EXPECT_TRUE(isPersonId("SmJo0001"));
    EXPECT_FALSE(isPersonId("New"));
    EXPECT_FALSE(isPersonId(" mJo0001"));
    EXPECT_FALSE(isPersonId("SmJo00011"));
}

}  // namespace
}  // namespace pulmora::test
