#include "about/TAsAbo.h"
#include "app/Application.h"
#include "app/DiaryLife.h"
#include "app/HelpWindow.h"
#include "app/IniRecord.h"
#include "daily/TAsDly.h"
#include "support/Children.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

#include <sys/stat.h>
#include <filesystem>
#include <set>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

QString q(const fs::path& path) { return QString::fromStdString(path.string()); }

int modeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

const char* const kRecordFiles[] = {"Personal.dat", "Daily.dat",  "PerTrig.dat", "RefTrig.dat",
                                    "DlyTrig.dat",  "PerMed.dat", "DlyMed.dat"};

// The program as installed into a prefix of its own (its executable in bin, its help pages in
// share/pulmora), run by a user whose data folder is in the test's folder too.
class InstalledProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(bin);
        writeBytes((bin / "pulmora").string(), {});
        fs::create_directories(share);
        fs::copy(PULMORA_HELP_DIR, share / "help", fs::copy_options::recursive);
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.c_str());
    }
    void TearDown() override {
        program.reset();
        qputenv("XDG_DATA_HOME", savedDataHome_);
    }
    void start() {
        program = std::make_unique<app::Application>(q(bin));
        ASSERT_TRUE(program->start());
    }
    // Opens the about window from the card's menu and hands it to `look` while it is up.
    void withAboutWindow(const std::function<void(about::TAsAbo&)>& look) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<about::TAsAbo*>(QApplication::activeModalWidget());
            if (!window) return;
            seen = true;
            look(*window);
            window->reject();
        });
        childNamed<QAction>(program->card(), "MnAbout")->trigger();
        EXPECT_TRUE(seen) << "the about window did not open";
    }

    TempFolder root;
    const fs::path bin = root.path() / "prefix/bin";
    const fs::path share = fs::weakly_canonical(bin / PULMORA_DATA_FROM_BIN);
    const fs::path data = root.path() / "data";
    const fs::path user = data / "Pulmora";
    std::unique_ptr<app::Application> program;

private:
    QByteArray savedDataHome_;
};

TEST_F(InstalledProgramTest, KeepsTheDiaryTheSettingsAndTheLockInTheUsersFolderAndNothingBesideItself) {
    const auto installed = namesIn(root.path() / "prefix");
    start();
    const QString folder = q(user) + '/';
    EXPECT_EQ(program->life().ProgDir(), folder);
    EXPECT_EQ(program->diary().files.folder(), folder);
    EXPECT_EQ(modeOf(user), 0700);
    for (const char* name : kRecordFiles) EXPECT_TRUE(fs::is_regular_file(user / name)) << name;
    EXPECT_TRUE(fs::exists(user / "pulmora.lock"));
    EXPECT_EQ(program->card().info(), "Welcome to the Pulmora");

    program->card().close();
    ASSERT_TRUE(fs::is_regular_file(user / "pulmora.ini"));
    EXPECT_EQ(fs::file_size(user / "pulmora.ini"), 168u);
    EXPECT_EQ(program->settings().folderText(), folder);
    EXPECT_EQ(namesIn(root.path() / "prefix"), installed);
}

TEST_F(InstalledProgramTest, FindsItsHelpPagesInTheInstalledDataFolder) {
    start();
    program->help().showTopic("BasicDailyCard");
    EXPECT_EQ(program->help().currentPage(), "BasicDailyCard");
    EXPECT_FALSE(program->help().browser->toPlainText().contains("Help is not available"));
    program->help().showTopic("");
    EXPECT_EQ(program->help().currentPage(), "index");
}

TEST_F(InstalledProgramTest, AReadOnlyFolderOfItsOwnWithoutADiaryAlsoSendsTheDiaryToTheUsersFolder) {
    fs::remove_all(share);
    ReadOnlyFolder readOnly(bin);
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    writeBytes((bin / "pulmora").string(), {});
    ASSERT_TRUE(readOnly.apply());
    start();
    EXPECT_EQ(program->life().ProgDir(), q(user) + '/');
    EXPECT_FALSE(program->diary().files.readOnly());
    EXPECT_TRUE(fs::is_regular_file(user / "Daily.dat"));
    EXPECT_EQ(program->card().info(), "Welcome to the Pulmora");
}

TEST_F(InstalledProgramTest, AUsersFolderThatCannotBeMadeIsNamedOnTheInformationLine) {
    writeBytes(data.string(), {});  // a file where the data folder belongs
    start();
    EXPECT_FALSE(program->diary().files.isOpen());
    EXPECT_EQ(program->card().info(),
              "ERROR: The diary folder " + q(user) + "/ could not be made (Not a directory), so no diary was opened.");
    EXPECT_EQ(namesIn(bin), std::set<std::string>{"pulmora"});
}

TEST_F(InstalledProgramTest, TheAboutWindowNamesTheDiaryFolder) {
    start();
    withAboutWindow([&](about::TAsAbo& window) {
        const QString folder = q(user) + '/';
        const QString shown = window.LabFolder->text();
        // The test's folder is too long for the row: it is shortened in the middle, whole in the tooltip.
        EXPECT_EQ(window.LabFolder->toolTip(), folder);
        EXPECT_TRUE(shown.contains(QChar(0x2026)));
        EXPECT_TRUE(folder.startsWith(shown.section(QChar(0x2026), 0, 0)));
        EXPECT_TRUE(folder.endsWith(shown.section(QChar(0x2026), 1)));
        EXPECT_LE(window.LabFolder->fontMetrics().horizontalAdvance(shown), window.LabFolder->width());
    });
}

TEST(AboutWindowTest, AShortDiaryFolderIsShownWholeBelowTheRule) {
    about::TAsAbo window;
    window.DisplayAbout("/home/jo/Pulmora/");
    EXPECT_EQ(window.LabDiary->text(), "Diary folder:");
    EXPECT_EQ(window.LabFolder->text(), "/home/jo/Pulmora/");
    EXPECT_TRUE(window.LabFolder->toolTip().isEmpty());
    // Both lines lie below the rule and clear of the button.
    for (const QLabel* label : {window.LabDiary, window.LabFolder}) {
        EXPECT_GT(label->geometry().top(), 194);
        EXPECT_LT(label->geometry().right(), window.BtnClose->geometry().left());
        EXPECT_LE(label->geometry().bottom(), window.height());
    }
}

}  // namespace
}  // namespace pulmora::test
