#include "files/OwnFiles.h"
#include "files/Replacement.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

const std::vector<char> kOld{'o', 'l', 'd'}, kNew{'n', 'e', 'w'};

// A file the user names, written as every report, picture and export is, where a diary has
// claimed its record file, its settings file, its lock (not made yet) and its backups and help.
TEST(OwnFiles, NoFileAUserNamesReplacesOneOfTheDiarysOwn) {
    TempFolder diary, elsewhere;
    fs::create_directories(diary.path() / "backups" / "2024-06-15");
    fs::create_directories(diary.path() / "help");
    for (const char* name : {"Daily.dat", "pulmora.ini", "backups/2024-06-15/Daily.dat", "help/index.html"})
        writeBytes(diary.file(name), kOld);
    fs::create_symlink(diary.file("Daily.dat"), elsewhere.file("link.csv"));
    fs::create_directory_symlink(diary.path(), elsewhere.path() / "diary");
    fs::create_hard_link(diary.file("Daily.dat"), elsewhere.file("hard.csv"));
    std::optional<files::OwnFiles> claim(
        std::in_place,
        std::vector<std::string>{diary.file("Daily.dat"), diary.file("pulmora.ini"), diary.file("pulmora.lock")},
        std::vector<std::string>{diary.file("backups"), diary.file("help")});

    const struct {
        std::string target;
        bool refused;
    } cases[] = {
        {diary.file("Daily.dat"), true},
        {elsewhere.file("link.csv"), true},                             // a link to it
        {(elsewhere.path() / "diary" / "pulmora.ini").string(), true},  // through a linked folder
        {elsewhere.file("hard.csv"), true},                             // a second name of the same file
        {diary.file("help/../Daily.dat"), true},
        {diary.file("pulmora.lock"), true},  // not there yet, but the program's to make
        {diary.file("backups/2024-06-15/Daily.dat"), true},
        {diary.file("backups/new.pdf"), true},
        {(elsewhere.path() / "diary" / "help" / "index.html").string(), true},
        {diary.file("Daily.dat.csv"), false},
        {diary.file("backupsnot.csv"), false},
        {elsewhere.file("Daily.dat"), false},
    };
    for (const auto& c : cases) {
        std::string error;
        const bool written = files::replaceWhole(c.target, kNew, error, files::kUserFile);
        EXPECT_EQ(written, !c.refused) << c.target << ": " << error;
        if (c.refused) {
            EXPECT_NE(error.find("only the program writes"), std::string::npos) << c.target << ": " << error;
        }
    }
    for (const char* name : {"Daily.dat", "pulmora.ini", "backups/2024-06-15/Daily.dat", "help/index.html"})
        EXPECT_EQ(readBytes(diary.file(name)), kOld) << name;
    EXPECT_FALSE(fs::exists(diary.file("pulmora.lock")));
    EXPECT_FALSE(fs::exists(diary.file("backups/new.pdf")));

    // The program's own writes are not the user's; and once the diary lets go, the name is free.
    std::string error;
    EXPECT_TRUE(files::replaceWhole(diary.file("pulmora.ini"), kNew, error, files::kPlainFileOnly)) << error;
    claim.reset();
    EXPECT_TRUE(files::replaceWhole(diary.file("Daily.dat"), kNew, error, files::kUserFile)) << error;
}

}  // namespace
}  // namespace pulmora::test
