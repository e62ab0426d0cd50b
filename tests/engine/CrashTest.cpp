#include "EngineFixture.h"

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <random>

namespace pulmora::test {
namespace {

// Starts the saving child, lets it report `lines` saves, waits a random moment and kills it.
// Answers the keys whose flush had returned.
std::vector<std::string> runAndKill(const std::string& table, int lines, int delayMicros) {
    int out[2];
    if (::pipe(out) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::execl(PULMORA_CRASH_CHILD, PULMORA_CRASH_CHILD, table.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* reader = ::fdopen(out[0], "r");
    std::vector<std::string> saved;
    char line[64];
    while (int(saved.size()) < lines && std::fgets(line, sizeof line, reader)) saved.emplace_back(line, 8);
    ::usleep(useconds_t(delayMicros));
    ::kill(child, SIGKILL);
    // Saves reported between the last read and the kill count too.
    while (std::fgets(line, sizeof line, reader)) saved.emplace_back(line, 8);
    std::fclose(reader);
    int status = 0;
    ::waitpid(child, &status, 0);
    return saved;
}

TEST_F(EngineTest, KilledWhileSavingKeepsEveryFlushedRecord) {
    std::mt19937 random(20261207);
    std::vector<std::string> saved;
    for (int round = 0; round < 6; ++round) {
        const auto more = runAndKill(path(), 5 + int(random() % 40), int(random() % 3000));
        saved.insert(saved.end(), more.begin(), more.end());

        auto opened = engine.open(path(), {{"key", "Key", true, true}});
        ASSERT_TRUE(opened.table) << "round " << round << ": " << opened.reason;
        auto* t = opened.table;
        t->selectTag(t->tag("key"));
        for (const auto& key : saved) {
            ASSERT_TRUE(t->seek(key)) << "lost " << key << " in round " << round;
            EXPECT_EQ(t->field("Value")->str(), key);
        }
        engine.closeAll();
    }
    EXPECT_GT(saved.size(), 30u);
}

}  // namespace
}  // namespace pulmora::test
