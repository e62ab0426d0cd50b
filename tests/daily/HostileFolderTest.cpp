#include "CardFixture.h"

#include "app/IniRecord.h"
#include "app/SingleInstance.h"
#include "app/TAsDB.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "support/FileSystems.h"

#include <QLabel>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::vector<char>> snapshot(const fs::path& folder) {
    std::map<std::string, std::vector<char>> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] =
            e.is_regular_file() && !e.is_symlink() ? readBytes(e.path().string()) : std::vector<char>{};
    return files;
}

int modeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// A settings record placing the main window at 50, 60.
std::vector<char> settingsAt50x60() {
    std::vector<char> ini(app::IniRecord::kSize, '\0');
    ini[0] = 'R';
    ini[40] = 50;
    ini[44] = 60;
    ini[149] = 'Y';
    return ini;
}

class HostileFolderTest : public CardTest {
protected:
    // Jo with a morning reading of 310 on 10 June 2024.
    void prepareJo() {
        prepare([&](store::Diary& d) {
            const QString jo = addPerson(d, "Jo");
            store::DayValues v;
            v.morning = 310;
            ASSERT_TRUE(d.days.AddDly(jo, "20240610", v));
        });
    }
    // The program has started on the diary for reading only, shows Jo's day and allows no entry.
    void expectReadOnlyCard(const QString& lockProblem) {
        EXPECT_TRUE(diary().files.readOnly());
        const QString notice = "ERROR: The diary is open for reading only (" + lockProblem +
                               "), so nothing can be entered or saved.";
        EXPECT_EQ(card().info(), notice);
        EXPECT_EQ(card().SelAsName->Caption(), "Jo");
        EXPECT_FALSE(card().Tabs->isEnabled());
        selectDay(QDate(2024, 6, 10));
        EXPECT_EQ(basic().PkMorn->NoValue(), 310);
        EXPECT_FALSE(card().Tabs->isEnabled());
        EXPECT_EQ(card().info(), notice);
        EXPECT_FALSE(card().SaveDay());
        EXPECT_TRUE(card().info().contains("so nothing was saved"));
    }
};

// ---- the single-copy lock cannot be taken ----------------------------------------------------

TEST_F(HostileFolderTest, ALockThatIsAFolderOpensTheDiaryForReadingOnly) {
    prepareJo();
    fs::remove(folder.file("RefTrig.dat"));  // a copy that writes would make it again
    fs::create_directory(folder.file("pulmora.lock"));
    const auto before = snapshot(folder.path());

    start();
    expectReadOnlyCard(QString::fromStdString(folder.file("pulmora.lock")) + " could not be opened (Is a directory)");
    card().close();
    EXPECT_EQ(snapshot(folder.path()), before);  // nothing written, not even the settings
}

TEST_F(HostileFolderTest, AReadOnlyFolderOpensTheDiaryForReadingOnly) {
    ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    writeBytes(folder.file("pulmora"), {});
    prepareJo();
    ASSERT_TRUE(readOnly.apply());
    const auto before = snapshot(folder.path());

    start();
    const std::string lock = folder.file("pulmora.lock");
    const int refused = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600) < 0 ? errno : 0;
    ASSERT_NE(refused, 0);
    expectReadOnlyCard(QString::fromStdString(lock) + " could not be opened (" + std::strerror(refused) + ")");
    card().close();
    EXPECT_EQ(snapshot(folder.path()), before);
}

TEST_F(HostileFolderTest, TheLockFileIsForItsOwnerOnlyAndALinkIsNotFollowed) {
    {
        app::SingleInstance guard(folderPath());
        EXPECT_FALSE(guard.ChkOtherCopy());
        EXPECT_TRUE(guard.lockProblem().isEmpty());
        EXPECT_EQ(modeOf(folder.file("pulmora.lock")), 0600);
    }
    fs::remove(folder.file("pulmora.lock"));
    fs::create_symlink("elsewhere.lock", folder.file("pulmora.lock"));
    app::SingleInstance guard(folderPath());
    EXPECT_FALSE(guard.ChkOtherCopy());
    EXPECT_TRUE(guard.lockProblem().contains("pulmora.lock could not be opened"));
    EXPECT_FALSE(fs::exists(folder.file("elsewhere.lock")));
}

// ---- the settings file -----------------------------------------------------------------------

TEST_F(HostileFolderTest, ANewSettingsFileIsForItsOwnerOnlyAndAnOldOneKeepsItsPermissions) {
    start();
    card().close();
    EXPECT_EQ(modeOf(folder.file("pulmora.ini")), 0600);
    ASSERT_EQ(::chmod(folder.file("pulmora.ini").c_str(), 0640), 0);
    program.reset();
    start();
    card().close();
    EXPECT_EQ(modeOf(folder.file("pulmora.ini")), 0640);
}

TEST_F(HostileFolderTest, ALinkedSettingsFileIsNotFollowedAndIsReplacedByAFileOfItsOwn) {
    TempFolder outside;
    const auto foreign = settingsAt50x60();
    writeBytes(outside.file("settings"), foreign);
    fs::create_symlink(outside.file("settings"), folder.file("pulmora.ini"));

    start();
    EXPECT_EQ(card().pos(), QPoint(4, 4));  // not read through the link
    card().move(70, 80);
    card().close();
    EXPECT_FALSE(fs::is_symlink(folder.file("pulmora.ini")));
    const auto written = readBytes(folder.file("pulmora.ini"));
    ASSERT_EQ(written.size(), 168u);
    EXPECT_EQ(written[40], 70);
    EXPECT_EQ(modeOf(folder.file("pulmora.ini")), 0600);
    EXPECT_EQ(readBytes(outside.file("settings")), foreign);
}

TEST_F(HostileFolderTest, ASettingsFolderPlacesTheWindowAtTheDefaultAndIsLeftAlone) {
    fs::create_directory(folder.file("pulmora.ini"));
    start();
    EXPECT_EQ(card().pos(), QPoint(4, 4));
    EXPECT_TRUE(program->settings().reportMaximised());
    card().close();
    EXPECT_TRUE(fs::is_directory(folder.file("pulmora.ini")));
    EXPECT_FALSE(fs::exists(folder.file("pulmora.ini.new")));
}

TEST_F(HostileFolderTest, OnAFullDiskTheSettingsFileIsKept) {
    ScratchFileSystem disk(folder.path(), 256u << 10);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    writeBytes(folder.file("pulmora"), {});
    const auto good = settingsAt50x60();
    writeBytes(folder.file("pulmora.ini"), good);
    start();
    EXPECT_EQ(card().pos(), QPoint(50, 60));
    ASSERT_TRUE(disk.fill());
    card().move(70, 80);
    card().close();
    EXPECT_EQ(readBytes(folder.file("pulmora.ini")), good);
    EXPECT_FALSE(fs::exists(folder.file("pulmora.ini.new")));
}

// Each step of writing the settings failing in turn, as a full or failing disk makes them fail.
struct FailingStep {
    const char* what;
    app::FileCalls calls;
};

void PrintTo(const FailingStep& step, std::ostream* out) { *out << step.what; }

class SettingsWriteTest : public ::testing::TestWithParam<FailingStep> {
protected:
    TempFolder folder;
};

TEST_P(SettingsWriteTest, KeepsTheOldFileWhole) {
    const std::string path = folder.file("pulmora.ini");
    const auto good = settingsAt50x60();
    writeBytes(path, good);
    auto changed = app::IniRecord::read(QString::fromStdString(path));
    ASSERT_TRUE(changed);
    changed->setMainWindowPosition({70, 80});

    EXPECT_FALSE(changed->write(QString::fromStdString(path), GetParam().calls));
    EXPECT_EQ(readBytes(path), good);
    EXPECT_FALSE(fs::exists(path + ".new"));
    // With the disk working again the write goes through.
    ASSERT_TRUE(changed->write(QString::fromStdString(path)));
    EXPECT_EQ(readBytes(path)[40], 70);
}

app::FileCalls failing(ssize_t (*write)(int, const void*, size_t), int (*fsync)(int) = ::fsync,
                       int (*close)(int) = ::close, int (*rename)(const char*, const char*) = ::rename) {
    return {write, fsync, close, rename};
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SettingsWriteTest,
    ::testing::Values(
        FailingStep{"no space at the first write", failing([](int, const void*, size_t) -> ssize_t {
                        errno = ENOSPC;
                        return -1;
                    })},
        FailingStep{"no space after part of the record",
                    failing([](int fd, const void* data, size_t size) -> ssize_t {
                        if (size < size_t(app::IniRecord::kSize)) {
                            errno = ENOSPC;
                            return -1;
                        }
                        return ::write(fd, data, 100);
                    })},
        FailingStep{"the sync fails", failing(::write, [](int) {
                        errno = EIO;
                        return -1;
                    })},
        FailingStep{"the close reports a late failure", failing(::write, ::fsync, [](int fd) {
                        ::close(fd);
                        errno = EIO;
                        return -1;
                    })},
        FailingStep{"the rename fails", failing(::write, ::fsync, ::close, [](const char*, const char*) {
                        errno = EIO;
                        return -1;
                    })}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (auto& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

// ---- long messages ---------------------------------------------------------------------------

TEST_F(HostileFolderTest, ALongMessageIsWholeInTheTooltipAndTheMonitor) {
    prepareJo();
    for (const char* name : {"Daily.dat", "DlyMed.dat", "PerTrig.dat"}) {
        auto damaged = readBytes(folder.file(name));
        damaged[32 + 11] = 'N';  // the first field made numeric
        writeBytes(folder.file(name), damaged);
    }
    start();
    const QString info = card().info();
    EXPECT_TRUE(info.contains("DlyMed.dat could not be opened (field 1 \"DyID\" is a numeric field (type N)"));
    EXPECT_TRUE(info.endsWith("It has been left as it is."));
    EXPECT_EQ(card().PanInfo->toolTip(), info);
    EXPECT_EQ(program->db().message(), info);

    // The information line grows to the whole text, and the text fits below the monitor's frames too.
    EXPECT_GE(card().PanInfo->height(), card().PanInfo->heightForWidth(card().PanInfo->width()));
    EXPECT_GT(card().PanInfo->height(), 26);
    const QFontMetrics metrics(program->db().font());
    const int h = metrics.height() + 2;
    const QImage& monitor = program->db().Image1();
    EXPECT_GT(monitor.height(), 16 * h);
    int inkRows = 0;  // rows of the message area with text on them
    const QColor background = program->db().palette().color(QPalette::Window);
    for (int y = 13 * h; y < monitor.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < monitor.width() && !ink; ++x) ink = monitor.pixelColor(x, y) != background;
        inkRows += ink;
    }
    EXPECT_GT(inkRows, 4 * metrics.ascent());
}

}  // namespace
}  // namespace pulmora::test
