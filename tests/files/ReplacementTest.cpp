#include "files/FaultSeam.h"
#include "files/Replacement.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <functional>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

const std::vector<char> kNew{'n', 'e', 'w'};

bool replaceAsUser(const std::string& path) {
    files::Replacement file(path, files::kUserFile);
    return file.replaceBy(kNew.data(), kNew.size());
}

// What stands under the name before a file the user named is written, and what it holds after.
struct UserFileCase {
    const char* situation;
    std::function<void(const TempFolder&)> before;
    std::string written;  // the file that receives the new content
    int mode;
    std::vector<std::string> names;  // in the folder afterwards
};

TEST(UserFileTest, ANewFileIsTheOwnersAnOldOneKeepsItsModeALinkIsWrittenThrough) {
    const UserFileCase cases[] = {
        {"no file", [](const TempFolder&) {}, "out", 0600, {"out"}},
        {"a file others may read",
         [](const TempFolder& f) {
             writeBytes(f.file("out"), {'o', 'l', 'd'});
             ::chmod(f.file("out").c_str(), 0644);
         },
         "out",
         0644,
         {"out"}},
        {"a link to a file elsewhere",
         [](const TempFolder& f) {
             fs::create_directory(f.path() / "kept");
             writeBytes(f.file("kept/real"), {'o', 'l', 'd'});
             ::chmod(f.file("kept/real").c_str(), 0640);
             fs::create_symlink("kept/real", f.path() / "out");
         },
         "kept/real",
         0640,
         {"kept", "out"}},
    };
    for (const UserFileCase& c : cases) {
        TempFolder folder;
        c.before(folder);
        ASSERT_TRUE(replaceAsUser(folder.file("out"))) << c.situation;
        EXPECT_EQ(readBytes(folder.file(c.written)), kNew) << c.situation;
        EXPECT_EQ(modeOf(folder.file(c.written)), c.mode) << c.situation;
        EXPECT_EQ(namesIn(folder.path()), c.names) << c.situation;
    }
}

// The folder lets the user make files; the file itself is not the user's to write.
TEST(UserFileTest, AFileTheUserMayNotWriteIsRefusedAndKept) {
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    const std::string path = folder.file("out");
    const std::vector<char> old{'o', 'l', 'd'};
    writeBytes(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const std::string reason = asOrdinaryUser([&path] {
        files::Replacement file(path, files::kUserFile);
        return file.replaceBy(kNew.data(), kNew.size()) ? std::string("replaced") : file.reason();
    });
    EXPECT_EQ(reason, "Permission denied");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"out"});
}

// The new file's name is never one a user could have chosen, fits beside a name of any legal
// length, and a replacement stopped before its end leaves no name behind.
TEST(UserFileTest, TheNewFileTakesNoNameOfTheUsersAndAStopLeavesNone) {
    TempFolder folder;
    const std::vector<char> users{'m', 'i', 'n', 'e'};
    writeBytes(folder.file("out.new"), users);
    const std::string longest(255, 'L');
    for (const std::string& name : {std::string("out"), longest}) {
        ASSERT_TRUE(replaceAsUser(folder.file(name))) << name.size();
        ASSERT_TRUE(replaceAsUser(folder.file(name))) << name.size();  // over an old file
        EXPECT_EQ(readBytes(folder.file(name)), kNew);
    }
    EXPECT_EQ(readBytes(folder.file("out.new")), users);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{longest, "out", "out.new"}));

    for (const std::string& name : {std::string("out"), std::string("fresh")}) {
        const pid_t child = ::fork();
        if (child == 0) {
            files::Replacement file(folder.file(name), files::kUserFile);
            if (file.begin() && file.write(kNew.data(), kNew.size())) ::_exit(0);  // as a kill, nothing cleared
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{longest, "out", "out.new"}));
}

// What a stop left under the hidden names goes; a user's file, and one a replacement is writing, stay.
TEST(UserFileTest, OnlyUnfinishedFilesNoReplacementHoldsAreRemoved) {
    TempFolder folder;
    writeBytes(folder.file(".pulmora-unfinished-Ab3dE9"), kNew);
    writeBytes(folder.file(".pulmora-unfinished-held00"), kNew);
    writeBytes(folder.file(".pulmora-unfinished-x"), kNew);
    writeBytes(folder.file("out.new"), kNew);
    const int held = ::open(folder.file(".pulmora-unfinished-held00").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    std::string error;
    EXPECT_TRUE(files::removeUnfinished(folder.path().string(), error)) << error;
    ::close(held);
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{".pulmora-unfinished-held00", ".pulmora-unfinished-x", "out.new"}));
}

// The folder's sync is what makes the new name last: when it fails the replacement fails.
TEST(UserFileTest, AFolderThatCannotBeSyncedFailsTheReplacement) {
    TempFolder folder;
    int syncs = 0;
    files::faults::setHook(
        [&syncs](files::faults::Operation op) { return op != files::faults::Operation::Sync || ++syncs != 2; });
    files::Replacement file(folder.file("out"), files::kUserFile);
    const bool replaced = file.replaceBy(kNew.data(), kNew.size());
    files::faults::setHook({});
    EXPECT_FALSE(replaced);
    EXPECT_EQ(file.reason(), "Input/output error");
}

}  // namespace
}  // namespace pulmora::test
