#include "EngineFixture.h"

#include <functional>

namespace pulmora::test {
namespace {

// Each way a file can be damaged: it must not open, and must stay byte for byte as it was.
struct Damage {
    const char* what;
    std::function<void(std::vector<char>&)> apply;
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.what; }

void setLe16(std::vector<char>& b, size_t at, int v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

class DamagedFileTest : public EngineTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFileTest, DoesNotOpenAndIsLeftUntouched) {
    auto* t = create();
    ASSERT_TRUE(add(t, "Alan", "Bath"));
    ASSERT_TRUE(add(t, "Bea", "Ayr"));
    engine.closeAll();
    auto bytes = readBytes(path());
    GetParam().apply(bytes);
    writeBytes(path(), bytes);

    auto opened = engine.open(path(), tags);
    EXPECT_EQ(opened.table, nullptr);
    EXPECT_EQ(opened.outcome, engine::Engine::OpenOutcome::Unusable);
    EXPECT_FALSE(opened.reason.empty());
    EXPECT_EQ(readBytes(path()), bytes);
}

const int kHeader = 32 + 4 * 32 + 1;
const int kRecord = 1 + 6 + 4 + 8 + 3;

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedFileTest,
    ::testing::Values(Damage{"empty", [](auto& b) { b.clear(); }},
                      Damage{"header cut short", [](auto& b) { b.resize(20); }},
                      Damage{"not dBASE III", [](auto& b) { b[0] = char(0x30); }},
                      Damage{"truncated last record", [](auto& b) { b.resize(kHeader + kRecord + 5); }},
                      Damage{"count beyond the end", [](auto& b) { b[4] = 9; }},
                      Damage{"header length too long", [](auto& b) { setLe16(b, 8, kHeader + 32); }},
                      Damage{"header length too short", [](auto& b) { setLe16(b, 8, kHeader - 1); }},
                      Damage{"record length wrong", [](auto& b) { setLe16(b, 10, kRecord + 1); }},
                      Damage{"unknown field type", [](auto& b) { b[32 + 11] = 'N'; }},
                      Damage{"field name garbage", [](auto& b) { b[32 + 2] = char(0x07); }},
                      Damage{"date field of width 6", [](auto& b) { b[32 + 2 * 32 + 16] = 6; }},
                      Damage{"no terminator", [](auto& b) { b[kHeader - 1] = 'X'; }},
                      Damage{"bad deletion flag", [](auto& b) { b[kHeader + kRecord] = 'Q'; }},
                      Damage{"two records past the count", [](auto& b) { b[4] = 0; }}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (auto& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

}  // namespace
}  // namespace pulmora::test
