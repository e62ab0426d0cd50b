#include "EngineFixture.h"

#include <filesystem>

namespace pulmora::test {
namespace {

using Names = std::vector<std::string>;

class TableTest : public EngineTest {
protected:
    void SetUp() override {
        t = create();
        ASSERT_TRUE(add(t, "Carol", "York"));
        ASSERT_TRUE(add(t, "Alan", "Bath"));
        ASSERT_TRUE(add(t, "Dan", "York"));
        ASSERT_TRUE(add(t, "Bea", "Ayr"));
    }
    engine::Table* t = nullptr;
};

TEST_F(TableTest, WalksFollowTheSelectedTag) {
    t->selectTag(nullptr);
    EXPECT_EQ(walk(t), (Names{"Carol", "Alan", "Dan", "Bea"}));
    t->selectTag(t->tag("BYNAME"));
    EXPECT_EQ(walk(t), (Names{"Alan", "Bea", "Carol", "Dan"}));
    // Descending by town; the two York records keep record order.
    t->selectTag(t->tag("byTownDown"));
    EXPECT_EQ(walk(t), (Names{"Carol", "Dan", "Alan", "Bea"}));
    t->selectTag(t->tag("byTownName"));
    EXPECT_EQ(walk(t), (Names{"Bea", "Alan", "Carol", "Dan"}));
    EXPECT_EQ(t->tag("nosuch"), nullptr);
    EXPECT_EQ(t->field("nosuch"), nullptr);
}

TEST_F(TableTest, SeekFindsTheFirstKeyWithThePrefix) {
    t->selectTag(t->tag("byTownName"));
    EXPECT_TRUE(t->seek("York"));
    EXPECT_EQ(t->field("name")->str(), "Carol ");
    EXPECT_TRUE(t->seek("YorkD"));
    EXPECT_EQ(t->field("name")->str(), "Dan   ");
    EXPECT_FALSE(t->seek("Zeal"));
    EXPECT_TRUE(t->eof());
    EXPECT_FALSE(t->seek("Bx"));
    EXPECT_EQ(t->field("name")->str(), "Carol ");  // where "Bx" would stand

    t->selectTag(t->tag("byTownDown"));
    EXPECT_TRUE(t->seek("Bath"));
    EXPECT_EQ(t->field("name")->str(), "Alan  ");
    EXPECT_TRUE(t->skip());
    EXPECT_EQ(t->field("name")->str(), "Bea   ");  // next lower key
    EXPECT_FALSE(t->skip());
    EXPECT_TRUE(t->eof());
    // A text longer than the key is compared over the key's length.
    t->selectTag(t->tag("byName"));
    EXPECT_TRUE(t->seek("Alan  and more"));
}

TEST_F(TableTest, MarkedRecordsStayUntilPackAndCanBeRecalled) {
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->seek("Bea"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    ASSERT_TRUE(t->seek("Dan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    EXPECT_EQ(walk(t), (Names{"Alan", "*Bea", "Carol", "*Dan"}));
    EXPECT_TRUE(t->seek("Bea"));
    EXPECT_TRUE(t->isDeleted());
    t->recall();
    ASSERT_TRUE(t->flush());

    t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (Names{"Alan", "Bea", "Carol", "*Dan"}));
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(t->recordCount(), 3u);
    EXPECT_EQ(walk(t), (Names{"Alan", "Bea", "Carol"}));
    t = reopen();
    EXPECT_EQ(t->recordCount(), 3u);
    EXPECT_FALSE(std::filesystem::exists(path() + ".new"));
}

TEST_F(TableTest, UniqueTagRefusesADuplicateAppendAndWritesNothing) {
    const auto before = readBytes(path());
    const auto refused = add(t, "Alan", "Kent");
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.reason.find("byName"), std::string::npos);
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(t->recordCount(), 4u);
    // A key held only by a marked record still counts until pack.
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->seek("Alan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    EXPECT_FALSE(add(t, "Alan", "Kent"));
}

TEST_F(TableTest, ChangingAKeyRefilesTheRecordOrIsRefusedWhole) {
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->seek("Alan"));
    t->field("Name")->assign("Zed");
    ASSERT_TRUE(t->flush());
    EXPECT_EQ(walk(t), (Names{"Bea", "Carol", "Dan", "Zed"}));

    const auto before = readBytes(path());
    ASSERT_TRUE(t->seek("Bea"));
    t->field("Name")->assign("Carol");
    t->field("Score")->assign("99");
    EXPECT_FALSE(t->flush());
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(t->field("Name")->str(), "Bea   ");
    EXPECT_EQ(t->field("Score")->toInt(), 1);
    EXPECT_EQ(walk(t), (Names{"Bea", "Carol", "Dan", "Zed"}));

    t = reopen();
    t->selectTag(t->tag("byTownName"));
    EXPECT_TRUE(t->seek("BathZed"));
}

TEST_F(TableTest, FieldsAreCutOrPaddedAndReadAsNumbers) {
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->seek("Alan"));
    auto* score = t->field("Score");
    score->assign("  7");
    EXPECT_EQ(score->toInt(), 7);
    score->assign("");
    EXPECT_EQ(score->str(), "   ");
    EXPECT_EQ(score->toInt(), 0);
    score->assign("12345");
    EXPECT_EQ(score->str(), "123");
    score->assign("4x");
    EXPECT_EQ(score->toInt(), 0);
    score->assign("-5");
    EXPECT_EQ(score->toInt(), -5);
}

// A whole number holds 18 digits whatever they are; more are not read as a number at all.
TEST(FieldNumberTest, NineteenDigitsOrMoreAreNoNumber) {
    TempFolder folder;
    engine::Engine engine;
    auto made = engine.create(folder.file("wide.dbf"), {{"Count", engine::FieldType::Character, 20}}, {});
    ASSERT_TRUE(made.table) << made.reason;
    const std::pair<const char*, long long> cases[] = {
        {"999999999999999999", 999999999999999999LL},
        {"-999999999999999999", -999999999999999999LL},
        {"9999999999999999999", 0},
        {"-9223372036854775808", 0},
        {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : cases) {
        made.table->appendStart();
        made.table->field("Count")->assign(text);
        ASSERT_TRUE(made.table->append());
        EXPECT_EQ(made.table->field("Count")->toInt(), value) << text;
    }
}

TEST_F(TableTest, RecordNumberAndPositionFollowTheTag) {
    t->selectTag(t->tag("byName"));
    ASSERT_TRUE(t->top());
    EXPECT_EQ(t->recordNumber(), 2u);  // Alan was appended second
    EXPECT_DOUBLE_EQ(t->position(), 0.25);
    ASSERT_TRUE(t->seek("Dan"));
    EXPECT_EQ(t->recordNumber(), 3u);
    EXPECT_DOUBLE_EQ(t->position(), 1.0);
    t->skip();
    EXPECT_EQ(t->recordNumber(), 5u);
    EXPECT_DOUBLE_EQ(t->position(), 1.0);
}

TEST_F(EngineTest, EmptyAndMissingTables) {
    auto missing = engine.open(path(), tags);
    EXPECT_EQ(missing.outcome, engine::Engine::OpenOutcome::Missing);
    EXPECT_TRUE(missing.reason.empty());

    auto* t = create();
    EXPECT_FALSE(t->top());
    EXPECT_TRUE(t->eof());
    EXPECT_FALSE(t->skip());
    EXPECT_EQ(t->recordNumber(), 1u);
    EXPECT_EQ(t->field("Name")->str(), "      ");
    EXPECT_DOUBLE_EQ(t->position(), 0.0);

    // Creating again replaces the file silently.
    ASSERT_TRUE(add(t, "Alan", "Bath"));
    t = create();
    EXPECT_EQ(t->recordCount(), 0u);

    auto badTag = engine.open(path(), {{"x", "Name+Nope", false, false}});
    EXPECT_EQ(badTag.outcome, engine::Engine::OpenOutcome::Unusable);
    EXPECT_NE(badTag.reason.find("Nope"), std::string::npos);
}

}  // namespace
}  // namespace pulmora::test
