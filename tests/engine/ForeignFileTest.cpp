#include "EngineFixture.h"

#include <cstring>

namespace pulmora::test {
namespace {

// Files as other writers leave them, or as a kill part-way through an append leaves them.
class ForeignFileTest : public EngineTest {
protected:
    static constexpr size_t kHeader = 32 + 4 * 32 + 1;
    static constexpr size_t kRecord = 1 + 6 + 4 + 8 + 3;
    static constexpr size_t kName = 1, kTown = 7;

    // A closed table file holding the given people, in that order.
    std::vector<char> fileWith(const std::vector<std::string>& names) {
        auto* t = create();
        for (const auto& name : names) EXPECT_TRUE(add(t, name, "Ayr"));
        engine.closeAll();
        return readBytes(path());
    }
    static void setCount(std::vector<char>& bytes, uint32_t count) {
        for (int i = 0; i < 4; ++i) bytes[size_t(4 + i)] = char((count >> (8 * i)) & 0xFF);
    }
    static std::string fieldBytes(const std::vector<char>& bytes, size_t record, size_t offset, size_t width) {
        return std::string(bytes.data() + kHeader + record * kRecord + offset, width);
    }
};

TEST_F(ForeignFileTest, NulPaddedFieldsReadAsBlanksInValuesAndKeys) {
    auto bytes = fileWith({"Robert", "Rob", "Alan"});
    // "Rob" padded with NULs, its town too, and a NUL run after a blank.
    std::memcpy(bytes.data() + kHeader + kRecord + kName, "Rob\0\0\0", 6);
    std::memcpy(bytes.data() + kHeader + kRecord + kTown, "Ayr\0", 4);
    std::memcpy(bytes.data() + kHeader + 2 * kRecord + kName, "Alan \0", 6);
    writeBytes(path(), bytes);

    auto* t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (std::vector<std::string>{"Alan", "Rob", "Robert"}));
    ASSERT_TRUE(t->seek("Rob   "));
    EXPECT_EQ(t->field("Name")->str(), "Rob   ");
    EXPECT_EQ(t->field("Town")->str(), "Ayr ");
    t->selectTag(t->tag("byTownName"));
    ASSERT_TRUE(t->seek("Ayr Rob   "));
    EXPECT_EQ(t->recordNumber(), 2u);
    // Reading changes nothing on disk; a written record is written with blanks.
    EXPECT_EQ(readBytes(path()), bytes);
    t->field("Score")->assign("7");
    ASSERT_TRUE(t->flush());
    const auto written = readBytes(path());
    EXPECT_EQ(fieldBytes(written, 1, kName, 6), "Rob   ");
    EXPECT_EQ(fieldBytes(written, 1, kTown, 4), "Ayr ");
    EXPECT_EQ(fieldBytes(written, 2, kName, 6), std::string("Alan \0", 6));  // untouched
}

TEST_F(ForeignFileTest, NulsInsideAFieldAreKept) {
    auto bytes = fileWith({"Robert"});
    std::memcpy(bytes.data() + kHeader + kName, "Ro\0ert", 6);
    writeBytes(path(), bytes);
    auto* t = reopen();
    ASSERT_TRUE(t->top());
    EXPECT_EQ(t->field("Name")->str(), std::string("Ro\0ert", 6));
}

TEST_F(ForeignFileTest, OneUncountedRecordIsAnUnfinishedAppendAndIsOverwritten) {
    auto bytes = fileWith({"Alan", "Bea"});
    setCount(bytes, 1);  // as a kill between writing Bea and counting her leaves the file
    writeBytes(path(), bytes);

    auto* t = reopen();
    EXPECT_EQ(t->recordCount(), 1u);
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (std::vector<std::string>{"Alan"}));
    ASSERT_TRUE(add(t, "Cy", "Ayr"));
    t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (std::vector<std::string>{"Alan", "Cy"}));
    EXPECT_EQ(readBytes(path()).size(), kHeader + 2 * kRecord + 1);
}

TEST_F(ForeignFileTest, SeveralUncountedRecordsAreDamageAndTheFileIsLeftAlone) {
    auto bytes = fileWith({"Alan", "Bea", "Cy", "Dan"});
    setCount(bytes, 1);  // three days hidden, and the next append would overwrite one
    writeBytes(path(), bytes);

    auto opened = engine.open(path(), tags);
    EXPECT_EQ(opened.outcome, engine::Engine::OpenOutcome::Unusable);
    EXPECT_EQ(opened.reason, "the file holds 3 complete records beyond the 1 its header counts");
    EXPECT_EQ(readBytes(path()), bytes);
}

TEST_F(ForeignFileTest, TrailingBytesThatAreNoRecordsAreNotCounted) {
    auto bytes = fileWith({"Alan"});
    bytes.insert(bytes.end(), 3 * kRecord, char(0x1A));  // end marks padded out by another writer
    writeBytes(path(), bytes);
    auto* t = reopen();
    EXPECT_EQ(t->recordCount(), 1u);
}

TEST_F(ForeignFileTest, AnUnstoredFieldTypeIsNamedWithItsField) {
    auto bytes = fileWith({});
    bytes[32 + 3 * 32 + 11] = 'N';
    writeBytes(path(), bytes);
    auto opened = engine.open(path(), tags);
    EXPECT_EQ(opened.reason,
              "field 4 \"Score\" is a numeric field (type N); only character and date fields are stored");

    bytes[32 + 3 * 32 + 11] = 'C';
    bytes[32 + 2 * 32 + 16] = 6;
    writeBytes(path(), bytes);
    opened = engine.open(path(), tags);
    EXPECT_EQ(opened.reason, "field 3 \"Born\" has the width 6, which a date field cannot have (dates are 8 wide)");

    bytes[32 + 2 * 32 + 16] = 8;
    bytes[32 + 2] = char(0x07);
    writeBytes(path(), bytes);
    opened = engine.open(path(), tags);
    EXPECT_EQ(opened.reason, "field descriptor 1 has no valid field name");
}

}  // namespace
}  // namespace pulmora::test
