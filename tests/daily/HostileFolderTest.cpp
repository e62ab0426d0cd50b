#include "CardFixture.h"
#include "support/CardSaves.h"

#include "app/IniRecord.h"
#include "app/SingleInstance.h"
#include "app/TAsDB.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "files/FaultSeam.h"
#include "support/FileSystems.h"

#include <QLabel>

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>
#include <filesystem>
#include <map>

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
            const store::PersonId jo = addPerson(d, "Jo");
            store::DayValues v;
            v.morning = 310;
            ASSERT_TRUE(cards::saveDay(d, jo, QDate(2024, 6, 10), v));
        });
    }
    // The program has started on the diary for reading only, shows Jo's day and allows no entry.
    void expectReadOnlyCard(const QString& lockProblem) {
        EXPECT_TRUE(diary().files.readOnly());
        const QString notice =
            "ERROR: The diary is open for reading only (" + lockProblem + "), so nothing can be entered or saved.";
        EXPECT_EQ(card().info(), notice);
        EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Jo");
        EXPECT_FALSE(widget("Tabs")->isEnabled());
        selectDay(QDate(2024, 6, 10));
        EXPECT_EQ(on<controls::TDaNumber>("PkMorn")->NoValue(), 310);
        EXPECT_FALSE(widget("Tabs")->isEnabled());
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

// Each write, sync and rename of writing the settings failing in turn, as a full or failing disk
// makes them fail, up to the rename that puts the new file in place.
TEST(SettingsWriteTest, AFailingStepKeepsTheOldFileWhole) {
    using files::faults::Operation;
    TempFolder folder;
    const std::string path = folder.file("pulmora.ini");
    const auto good = settingsAt50x60();
    writeBytes(path, good);
    auto changed = app::IniRecord::read(QString::fromStdString(path));
    ASSERT_TRUE(changed);
    changed->setMainWindowPosition({70, 80});

    std::vector<Operation> steps;
    files::faults::setHook([&steps](Operation op) {
        steps.push_back(op);
        return true;
    });
    const QString first = changed->write(QString::fromStdString(path));
    files::faults::setHook({});
    ASSERT_TRUE(first.isEmpty()) << first.toStdString();
    ASSERT_EQ(steps, (std::vector<Operation>{Operation::Write, Operation::Sync, Operation::Rename, Operation::Sync}));
    for (size_t failing = 0; failing < 3; ++failing) {
        writeBytes(path, good);
        size_t step = 0;
        files::faults::setHook([&step, failing](Operation) { return step++ != failing; });
        const QString why = changed->write(QString::fromStdString(path));
        files::faults::setHook({});
        EXPECT_TRUE(why.contains("Input/output error")) << failing << ": " << why.toStdString();
        EXPECT_EQ(readBytes(path), good) << failing;
        EXPECT_FALSE(fs::exists(path + ".new")) << failing;
    }
    // With the disk working again the write goes through.
    ASSERT_TRUE(changed->write(QString::fromStdString(path)).isEmpty());
    EXPECT_EQ(readBytes(path)[40], 70);
}

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
    EXPECT_EQ(on<QLabel>("PanInfo")->toolTip(), info);
    EXPECT_EQ(program->db().message(), info);

    // The information line grows to the whole text, and the text fits below the monitor's frames too.
    EXPECT_GE(widget("PanInfo")->height(), on<QLabel>("PanInfo")->heightForWidth(widget("PanInfo")->width()));
    EXPECT_GT(widget("PanInfo")->height(), 26);
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
