#include "EngineFixture.h"

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

namespace pulmora::test {
namespace {

namespace fs = std::filesystem;

class FileAccessTest : public EngineTest {
protected:
    // Alan and Bea, with Alan marked, so a pack has something to remove.
    engine::Table* markedTable(const std::string& at) {
        auto made = engine.create(at, fields, tags);
        EXPECT_TRUE(made.table) << made.reason;
        auto* t = made.table;
        EXPECT_TRUE(add(t, "Alan", "Bath"));
        EXPECT_TRUE(add(t, "Bea", "Ayr"));
        t->selectTag(t->tag("byName"));
        EXPECT_TRUE(t->seek("Alan"));
        t->markDeleted();
        EXPECT_TRUE(t->flush());
        return t;
    }
};

TEST_F(FileAccessTest, ANewFileIsForItsOwnerOnly) {
    create();
    EXPECT_EQ(modeOf(path()), 0600);
}

TEST_F(FileAccessTest, APackKeepsTheFilesPermissions) {
    auto* t = markedTable(path());
    ASSERT_EQ(::chmod(path().c_str(), 0640), 0);
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(modeOf(path()), 0640);
    EXPECT_EQ(t->recordCount(), 1u);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"people.dbf"});
}

TEST_F(FileAccessTest, APackKeepsTheFilesGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file a group it is not in";
    auto* t = markedTable(path());
    ASSERT_EQ(::chown(path().c_str(), 0, 4242), 0);
    ASSERT_EQ(::chmod(path().c_str(), 0660), 0);
    ASSERT_TRUE(t->pack());
    struct stat st {};
    ASSERT_EQ(::stat(path().c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, 4242u);
    EXPECT_EQ(st.st_mode & 07777, 0660u);
}

TEST_F(FileAccessTest, APackThroughALinkReplacesItsTargetAndKeepsTheLink) {
    fs::create_directory(folder.path() / "kept");
    const std::string target = (folder.path() / "kept" / "people.dbf").string();
    auto* t = markedTable(target);
    engine.closeAll();
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    fs::create_symlink("kept/people.dbf", path());

    auto opened = engine.open(path(), tags);
    ASSERT_TRUE(opened.table) << opened.reason;
    t = opened.table;
    ASSERT_TRUE(t->pack());
    ASSERT_TRUE(add(t, "Cy", "York"));  // written to the packed file, not to the old one
    engine.closeAll();

    EXPECT_TRUE(fs::is_symlink(path()));
    EXPECT_EQ(fs::read_symlink(path()), "kept/people.dbf");
    EXPECT_EQ(modeOf(target), 0640);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"kept", "people.dbf"}));
    EXPECT_EQ(namesIn(folder.path() / "kept"), std::vector<std::string>{"people.dbf"});
    auto again = engine.open(target, tags);
    ASSERT_TRUE(again.table) << again.reason;
    again.table->selectTag(again.table->tag("byName"));
    EXPECT_EQ(walk(again.table), (std::vector<std::string>{"Bea", "Cy"}));
}

TEST_F(FileAccessTest, ALinkToAMissingFileIsReportedAndLeftAlone) {
    fs::create_symlink("gone.dbf", path());
    auto opened = engine.open(path(), tags);
    EXPECT_EQ(opened.outcome, engine::Engine::OpenOutcome::Unusable);
    EXPECT_EQ(opened.reason, path() + " is a link to gone.dbf, which does not exist");
    // Nor is it replaced when asked to create the table.
    auto made = engine.create(path(), fields, tags);
    EXPECT_EQ(made.table, nullptr);
    EXPECT_EQ(made.reason, opened.reason);
    EXPECT_TRUE(fs::is_symlink(path()));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"people.dbf"});
}

TEST_F(FileAccessTest, AFolderIsNoTable) {
    fs::create_directory(path());
    auto opened = engine.open(path(), tags, engine::Engine::Access::ReadOnly);
    EXPECT_EQ(opened.outcome, engine::Engine::OpenOutcome::Unusable);
    EXPECT_EQ(opened.reason, path() + " is not a plain file");
}

TEST_F(FileAccessTest, ATableOpenedForReadingOnlyRefusesEveryWrite) {
    auto* t = create();
    ASSERT_TRUE(add(t, "Alan", "Bath"));
    engine.closeAll();
    ASSERT_EQ(::chmod(path().c_str(), 0400), 0);
    const auto before = readBytes(path());

    auto opened = engine.open(path(), tags, engine::Engine::Access::ReadOnly);
    ASSERT_TRUE(opened.table) << opened.reason;
    t = opened.table;
    EXPECT_TRUE(t->readOnly());
    ASSERT_TRUE(t->top());
    EXPECT_EQ(t->field("Name")->str(), "Alan  ");
    EXPECT_FALSE(add(t, "Bea", "Ayr"));
    t->field("Town")->assign("York");
    EXPECT_FALSE(t->flush());
    EXPECT_EQ(t->field("Town")->str(), "Bath");
    t->markDeleted();
    EXPECT_FALSE(t->flush());
    const auto packed = t->pack();
    EXPECT_FALSE(packed);
    EXPECT_EQ(packed.reason, path() + " is open for reading only");
    engine.closeAll();
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(modeOf(path()), 0400);
}

}  // namespace
}  // namespace pulmora::test
