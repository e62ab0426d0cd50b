#include "files/Replacement.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
         "out", 0644, {"out"}},
        {"a link to a file elsewhere",
         [](const TempFolder& f) {
             fs::create_directory(f.path() / "kept");
             writeBytes(f.file("kept/real"), {'o', 'l', 'd'});
             ::chmod(f.file("kept/real").c_str(), 0640);
             fs::create_symlink("kept/real", f.path() / "out");
         },
         "kept/real", 0640, {"kept", "out"}},
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

// Runs `work` in a child process as an ordinary user: started by the superuser, the child first
// becomes "nobody", for whom permissions hold as they do for anyone else. Answers what the child
// wrote to its output.
std::string asOrdinaryUser(const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        constexpr uid_t kNobody = 65534;
        std::string said = "could not become nobody";
        if (::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0))
            said = work();
        const ssize_t ignored = ::write(channel[1], said.data(), said.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string heard;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) heard.append(buffer, size_t(n));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return heard;
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

}  // namespace
}  // namespace pulmora::test
