#include "DayState.h"

#include "support/TempFolder.h"

#include "store/Clock.h"
#include "store/TableAccess.h"

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <random>

namespace pulmora::test {
namespace {

// Starts the saving child at the round, waits until it has opened the diary, lets it save for
// the given time and kills it. Answers the last round it reported saved (round - 1 if none),
// or nothing when it did not run as it should.
std::optional<int> saveAndKill(const std::string& folder, int round, int micros) {
    int out[2];
    if (::pipe(out) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        const std::string start = std::to_string(round);
        ::execl(PULMORA_SAVE_CHILD, PULMORA_SAVE_CHILD, folder.c_str(), start.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    FILE* reader = ::fdopen(out[0], "r");
    char line[64];
    const bool ready = std::fgets(line, sizeof line, reader) && std::string(line) == "ready\n";
    if (ready) ::usleep(useconds_t(micros));
    ::kill(child, SIGKILL);
    // Saves reported up to the kill count too.
    int last = round - 1;
    while (std::fgets(line, sizeof line, reader)) last = std::atoi(line);
    std::fclose(reader);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!ready || !WIFSIGNALED(status)) return std::nullopt;
    return last;
}

int raised(int best, const store::DayValues& v) { return std::max({best, v.morning, v.evening}); }

// The daily card's save killed at random moments, again and again: every day keeps its last
// completed save, and the day in flight holds its old or new values with all of its old or
// all of its new triggers and medication, never less.
TEST(KillTest, ASaveKilledAtRandomMomentsLosesNothing) {
    store::clock::setToday(QDate(2024, 6, 15));
    TempFolder folder(TempFolder::memoryRoot());
    const QString path = QString::fromStdString(folder.path().string());
    DiaryState model;
    {
        store::Diary diary;
        diary.files.setFolder(path);
        diary.files.OpenDB();
        ASSERT_EQ(plan::writeLittleDiary(diary), "");
        model = readLittleDiary(diary);
    }
    std::mt19937 random(20240610);
    int next = 0, inside = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const auto last =
            saveAndKill(folder.path().string(), next, std::uniform_int_distribution<int>(0, 2500)(random));
        ASSERT_TRUE(last) << "kill " << kill;
        int best = model.best.toInt();
        for (int round = next; round <= *last; ++round) {
            const plan::DaySave done = plan::saveOf(round);
            model.days[{done.person.text(), done.date}] = wantedBy(done);
            best = raised(best, done.values);
        }
        const plan::DaySave inFlight = plan::saveOf(*last + 1);
        const std::pair day{inFlight.person.text(), inFlight.date};

        store::Diary diary;
        diary.files.setFolder(path);
        diary.files.OpenDB();
        ASSERT_TRUE(diary.files.fileProblems().empty()) << "kill " << kill;
        for (int pass = 0; pass < 2; ++pass) {
            // First as the card shows it after the restart, then after the next pack.
            if (pass == 1) {
                ASSERT_TRUE(store::TableAccess::table(diary.files, store::TableId::DlyTrig)->pack());
                ASSERT_TRUE(store::TableAccess::table(diary.files, store::TableId::DlyMed)->pack());
            }
            const DiaryState got = readLittleDiary(diary);
            for (const auto& [key, state] : model.days) {
                if (key == day)
                    ASSERT_TRUE(withinSave(got.days.at(key), state, wantedBy(inFlight))) << "kill " << kill;
                else
                    ASSERT_EQ(got.days.at(key), state) << "kill " << kill << ": another day changed";
            }
            const int gotBest = got.best.toInt();
            ASSERT_TRUE(gotBest == best || gotBest == raised(best, inFlight.values)) << "kill " << kill;
            if (pass == 1) {
                const DayState& now = got.days.at(day);
                inside += now != model.days.at(day) && now != wantedBy(inFlight);
                model = got;
            }
        }
        next = *last + 1;
    }
    // Many kills land between two saves; some must have caught one part-way.
    std::printf("%d of 200 kills stopped a save part-way, after %d saves\n", inside, next);
    EXPECT_GT(inside, 0);
    store::clock::setToday(QDate());
}

}  // namespace
}  // namespace pulmora::test
