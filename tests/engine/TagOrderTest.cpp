#include "engine/Table.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace pulmora::test {
namespace {

using engine::FieldType;

using Row = std::array<std::string, 3>;  // the fields A, B and D

// The key of a row: the fields the expression names (one letter each), joined.
std::string keyOf(const Row& row, const std::string& expression) {
    std::string key;
    for (char c : expression)
        if (c != '+') key += row[std::string("abd").find(char(std::tolower(c)))];
    return key;
}

// Tables written in different record orders: the order every tag is built in at open, after a
// pack and after a reindex must be the key order with ties in record order, whichever way the
// engine takes to build it.
struct Shape {
    const char* name;
    int records;
    // Puts the generated rows into the order they are written in.
    void (*arrange)(std::vector<Row>& rows, std::mt19937& random);
};

const Shape kShapes[] = {
    {"random", 3000, [](auto& rows, auto& random) { std::shuffle(rows.begin(), rows.end(), random); }},
    // A few long runs, as a diary written person by person, day by day, leaves them.
    {"runs", 3000,
     [](auto& rows, auto&) {
         std::sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) { return x[2] < y[2]; });
         std::stable_partition(rows.begin(), rows.end(), [](const auto& row) { return row[0] < "M"; });
     }},
    {"falling runs", 2000,
     [](auto& rows, auto&) {
         std::sort(rows.begin(), rows.end(), [](const auto& x, const auto& y) { return x[1] > y[1]; });
         std::rotate(rows.begin(), rows.begin() + 700, rows.end());
     }},
    {"sorted", 500, [](auto& rows, auto&) { std::sort(rows.begin(), rows.end()); }},
    {"one record", 1, [](auto&, auto&) {}},
};

void PrintTo(const Shape& shape, std::ostream* out) { *out << shape.name; }

class TagOrderTest : public ::testing::TestWithParam<Shape> {};

TEST_P(TagOrderTest, EveryTagIsInKeyOrderWithTiesInRecordOrder) {
    const std::vector<engine::FieldDefinition> fields = {
        {"A", FieldType::Character, 2}, {"B", FieldType::Character, 20}, {"D", FieldType::Date, 8}};
    // Short and long keys (beyond 16 bytes), both directions, keys that begin other keys and
    // two tags with the same key.
    const std::vector<engine::TagDefinition> tags = {
        {"a", "A", false, false},       {"aDown", "A", false, true},      {"ab", "A+B", false, false},
        {"abDown", "A+B", false, true}, {"b", "B", false, false},         {"dDown", "D", false, true},
        {"da", "D+A", false, false},    {"abAgain", "a+b", false, false}, {"bd", "B+D", false, true},
    };
    std::mt19937 random(7);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    std::vector<Row> rows;
    for (int i = 0; i < GetParam().records; ++i) {
        // Few distinct values, so that keys tie often, also within their first 16 bytes.
        std::string b = std::string("SAME PREFIX ") + char('A' + pick(3)) + "    " + char('a' + pick(3));
        b.resize(20, ' ');
        rows.push_back({std::string(1, char('A' + pick(20))) + ' ', b,
                        "2024" + std::to_string(10 + pick(3)) + "0" + std::to_string(1 + pick(9))});
    }
    GetParam().arrange(rows, random);

    TempFolder folder;
    engine::Engine engine;
    engine.setWaitForDisk(false);
    const std::string path = folder.file("shapes.dbf");
    engine::Table* t = engine.create(path, fields, {}).table;
    ASSERT_TRUE(t);
    for (const auto& row : rows) {
        t->appendStart();
        t->field("A")->assign(row[0]);
        t->field("B")->assign(row[1]);
        t->field("D")->assign(row[2]);
        ASSERT_TRUE(t->append());
    }
    engine.closeAll();
    t = engine.open(path, tags).table;
    ASSERT_TRUE(t);

    auto expectKeyOrder = [&](const char* when) {
        for (const auto& tag : tags) {
            std::vector<uint32_t> expected(rows.size());
            std::iota(expected.begin(), expected.end(), 1u);
            std::stable_sort(expected.begin(), expected.end(), [&](uint32_t x, uint32_t y) {
                const std::string a = keyOf(rows[x - 1], tag.expression), b = keyOf(rows[y - 1], tag.expression);
                return tag.descending ? a > b : a < b;
            });
            std::vector<uint32_t> walked;
            t->selectTag(t->tag(tag.name));
            for (t->goBof(); !t->eof(); t->skip()) walked.push_back(t->recordNumber());
            EXPECT_EQ(walked, expected) << GetParam().name << ", tag " << tag.name << ", " << when;
        }
    };
    expectKeyOrder("at open");

    // A pack keeps the others in their order.
    std::vector<uint32_t> gone;
    for (uint32_t r = 1; r <= rows.size(); r += 3) gone.push_back(r);
    ASSERT_TRUE(t->packRemoving(gone));
    for (auto r = gone.rbegin(); r != gone.rend(); ++r) rows.erase(rows.begin() + (*r - 1));
    expectKeyOrder("after a pack");
    t->reindex();
    expectKeyOrder("after a reindex");
}

INSTANTIATE_TEST_SUITE_P(Shapes, TagOrderTest, ::testing::ValuesIn(kShapes), [](const auto& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

}  // namespace
}  // namespace pulmora::test
