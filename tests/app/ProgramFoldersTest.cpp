#include "app/ProgramFolders.h"
#include "app/SingleInstance.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include <sys/stat.h>
#include <filesystem>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;
using app::DiaryFolder;

QString q(const fs::path& path) { return QString::fromStdString(path.string()); }
QString slashed(const fs::path& path) { return q(path) + '/'; }

int modeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// A program folder and, beside it, where the user's data folder would be.
class DiaryFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(program);
        fs::create_directories(home);
    }
    // An installed tree: the program in bin, its data in share/pulmora.
    void installDataFolder() { fs::create_directories(dataFolder / "help"); }

    TempFolder root;
    const fs::path program = root.path() / "bin";
    const fs::path home = root.path() / "home";
    const fs::path user = home / ".local/share/Pulmora";
    const fs::path dataFolder = fs::weakly_canonical(program / PULMORA_DATA_FROM_BIN);
};

TEST_F(DiaryFolderTest, AProgramInAWritableFolderOfItsOwnKeepsTheDiaryBesideItself) {
    const DiaryFolder chosen = DiaryFolder::choose(q(program), q(user));
    EXPECT_EQ(chosen.place(), DiaryFolder::Place::BesideProgram);
    EXPECT_EQ(chosen.path(), slashed(program));
    EXPECT_TRUE(chosen.problem().isEmpty());
    EXPECT_FALSE(fs::exists(home / ".local"));  // nothing made for the user
}

TEST_F(DiaryFolderTest, AReadOnlyProgramFolderSendsTheDiaryToTheUsersOwnFolderMadeForThemOnly) {
    ReadOnlyFolder readOnly(program);
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    ASSERT_TRUE(readOnly.apply());
    ASSERT_EQ(::chmod(home.c_str(), 0751), 0);
    const DiaryFolder chosen = DiaryFolder::choose(q(program), q(user));
    EXPECT_EQ(chosen.place(), DiaryFolder::Place::PerUser);
    EXPECT_EQ(chosen.path(), slashed(user));
    EXPECT_TRUE(chosen.problem().isEmpty()) << chosen.problem().toStdString();
    EXPECT_TRUE(fs::is_directory(user));
    // Each folder that had to be made is for its owner only; the home that was there is left as it was.
    EXPECT_EQ(modeOf(user), 0700);
    EXPECT_EQ(modeOf(home / ".local/share"), 0700);
    EXPECT_EQ(modeOf(home / ".local"), 0700);
    EXPECT_EQ(modeOf(home), 0751);
}

TEST_F(DiaryFolderTest, AProgramFolderThatHoldsADiaryKeepsItEvenWhenItCannotBeWritten) {
    ReadOnlyFolder readOnly(program);
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    writeBytes((program / "daily.DAT").string(), {});  // copied from a disk that ignores letter case
    ASSERT_TRUE(readOnly.apply());
    const DiaryFolder chosen = DiaryFolder::choose(q(program), q(user));
    EXPECT_EQ(chosen.place(), DiaryFolder::Place::BesideProgram);
    EXPECT_EQ(chosen.path(), slashed(program));
    EXPECT_FALSE(fs::exists(user));
}

TEST_F(DiaryFolderTest, AnInstalledProgramUsesTheUsersFolderEvenWhereItCouldWriteItsOwn) {
    installDataFolder();
    const DiaryFolder chosen = DiaryFolder::choose(q(program), q(user));
    EXPECT_EQ(chosen.place(), DiaryFolder::Place::PerUser);
    EXPECT_EQ(chosen.path(), slashed(user));
    EXPECT_EQ(modeOf(user), 0700);
}

TEST_F(DiaryFolderTest, AnInstalledProgramBesideAnOldDiaryKeepsThatDiary) {
    installDataFolder();
    writeBytes((program / "Personal.dat").string(), {});
    EXPECT_EQ(DiaryFolder::choose(q(program), q(user)).place(), DiaryFolder::Place::BesideProgram);
    EXPECT_FALSE(fs::exists(user));
}

// Building again from scratch, or cleaning, deletes the build folder with all it holds: a
// program started anywhere inside one keeps no diary there, not even one already beside it.
TEST_F(DiaryFolderTest, AProgramInsideABuildTreeKeepsTheDiaryInTheUsersFolder) {
    const fs::path build = root.path() / "build";
    const fs::path inBuild = build / "src/app";
    fs::create_directories(inBuild);
    writeBytes((inBuild / "Personal.dat").string(), {});
    EXPECT_EQ(DiaryFolder::choose(q(inBuild), q(user)).place(), DiaryFolder::Place::BesideProgram);
    for (const fs::path& cache : {build, inBuild}) {
        writeBytes((cache / "CMakeCache.txt").string(), {});
        const DiaryFolder chosen = DiaryFolder::choose(q(inBuild), q(user));
        EXPECT_EQ(chosen.place(), DiaryFolder::Place::PerUser) << cache;
        EXPECT_EQ(chosen.path(), slashed(user)) << cache;
        fs::remove(cache / "CMakeCache.txt");
    }
}

TEST_F(DiaryFolderTest, AUsersFolderThatIsThereKeepsItsPermissions) {
    installDataFolder();
    fs::create_directories(user);
    ASSERT_EQ(::chmod(user.c_str(), 0750), 0);
    EXPECT_TRUE(DiaryFolder::choose(q(program), q(user)).problem().isEmpty());
    EXPECT_EQ(modeOf(user), 0750);
}

TEST_F(DiaryFolderTest, AUsersFolderThatCannotBeMadeIsNamedWithTheReason) {
    installDataFolder();
    fs::create_directories(user.parent_path());
    writeBytes(user.string(), {});  // a file where the folder belongs
    DiaryFolder chosen = DiaryFolder::choose(q(program), q(user));
    EXPECT_EQ(chosen.place(), DiaryFolder::Place::PerUser);
    EXPECT_EQ(chosen.problem(), "The diary folder " + slashed(user) + " is not a folder");

    const fs::path below = user / "Pulmora";
    chosen = DiaryFolder::choose(q(program), q(below));
    EXPECT_EQ(chosen.problem(), "The diary folder " + slashed(below) + " could not be made (Not a directory)");

    chosen = DiaryFolder::choose(q(program), QString());
    EXPECT_EQ(chosen.problem(), "There is no data folder for this user to keep the diary in");
    EXPECT_TRUE(chosen.path().isEmpty());
}

TEST(UserDataFolderTest, IsThePlatformsDataFolderNamedAfterTheProgram) {
    TempFolder data;
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().c_str());
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("Pulmora");
    EXPECT_EQ(DiaryFolder::userDataFolder(), q(data.path() / "Pulmora"));
    QCoreApplication::setApplicationName(name);
    qputenv("XDG_DATA_HOME", before);
}

// ---- help pages ------------------------------------------------------------------------------

TEST_F(DiaryFolderTest, HelpIsBesideTheProgramWhereItIsThereAndInTheInstalledDataFolderOtherwise) {
    EXPECT_EQ(app::helpFolder(q(program)), q(program / "help"));  // neither: named where it was looked for
    installDataFolder();
    EXPECT_EQ(app::helpFolder(q(program)), q(dataFolder / "help"));
    EXPECT_EQ(app::installedDataFolder(q(program)), slashed(dataFolder));
    fs::create_directory(program / "help");
    EXPECT_EQ(app::helpFolder(q(program)), q(program / "help"));
    EXPECT_TRUE(app::installedDataFolder(q(program / "help")).isEmpty());
}

// ---- the lock --------------------------------------------------------------------------------

TEST(SingleInstanceTest, WithoutADiaryFolderNoLockIsTakenAnywhere) {
    TempFolder working;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(q(working.path())));
    app::SingleInstance guard{QString()};
    EXPECT_FALSE(guard.ChkOtherCopy());
    EXPECT_EQ(guard.lockProblem(), "there is no diary folder to hold the lock");
    EXPECT_TRUE(fs::is_empty(working.path()));
    QDir::setCurrent(before);
}

}  // namespace
}  // namespace pulmora::test
