#pragma once

#include "store/Backups.h"
#include "store/Clock.h"
#include "store/Diary.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {

// The plain files of a folder by name, its sub-folders left out.
using Files = std::map<std::string, std::vector<char>>;
Files filesOf(const std::filesystem::path& folder);
// The folder names under the folder, sorted; none when it is missing.
std::vector<std::string> foldersIn(const std::filesystem::path& folder);
// A person with every detail the personal card asks for, best 400 and zones at 80 and 50.
store::PersonDetails personDetails(const QString& nickname, const QString& gender = "Female");

// Replaces the content of `to` by a copy of the whole tree of `from`.
void copyTree(const std::filesystem::path& from, const std::filesystem::path& to);

// A diary in a memory folder with one person and a few days, and a settings file, on a fixed
// first "today", with the backups of that folder.
class BackupTest : public ::testing::Test {
protected:
    static inline const QDate kFirstDay{2024, 1, 1};

    void SetUp() override;
    void TearDown() override;

    static QString pathOf(const TempFolder& folder) { return QString::fromStdString(folder.path().string()); }
    static store::Backups backupsOf(const TempFolder& folder) {
        return store::Backups(pathOf(folder), {"pulmora.ini"});
    }
    store::Backups backups() const { return backupsOf(diary); }
    std::filesystem::path backupFolder(const std::string& name = {}) const {
        return name.empty() ? diary.path() / "backups" : diary.path() / "backups" / name;
    }
    // Starts the program's day: today is `day`, and the daily backup runs.
    void startOn(const QDate& day);
    // Records the day for the person in the folder's diary, through the store.
    static void recordDay(const TempFolder& folder, const QDate& day, int morning);
    static std::vector<QString> recordedDays(const TempFolder& folder);

    TempFolder diary{TempFolder::memoryRoot()};
};

}  // namespace pulmora::test
