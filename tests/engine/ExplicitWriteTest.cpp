#include "EngineFixture.h"

#include "files/FaultSeam.h"

#include <functional>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace pulmora::test {
namespace {

using files::faults::Operation;
using Names = std::vector<std::string>;

// Counts the engine's writes, syncs and renames, and fails the one chosen.
class FaultCounter {
public:
    FaultCounter() {
        files::faults::setHook([this](Operation op) {
            const int n = ++counts_[size_t(op)];
            return !(op == failing_ && n == failAt_);
        });
    }
    ~FaultCounter() { files::faults::setHook({}); }
    void failNth(Operation op, int n) {
        counts_ = {};
        failing_ = op;
        failAt_ = n;
    }
    int count(Operation op) const { return counts_[size_t(op)]; }
    void reset() { counts_ = {}; }

private:
    std::array<int, 3> counts_{};
    Operation failing_ = Operation::Write;
    int failAt_ = 0;
};

class ExplicitWriteTest : public EngineTest {
protected:
    void SetUp() override {
        t = create();
        ASSERT_TRUE(add(t, "Carol", "York"));
        ASSERT_TRUE(add(t, "Alan", "Bath"));
        t->selectTag(t->tag("byName"));
    }
    std::string score(const std::string& name) {
        EXPECT_TRUE(t->seek(name));
        return t->field("Score")->str();
    }
    engine::Table* t = nullptr;
};

// Every way of moving the cursor, each with a change left pending.
const std::vector<std::pair<const char*, std::function<void(engine::Table*)>>> kMoves = {
    {"seek", [](engine::Table* t) { (void)t->seek("Carol"); }},
    {"top", [](engine::Table* t) { (void)t->top(); }},
    {"skip", [](engine::Table* t) { (void)t->skip(); }},
    {"selectTag", [](engine::Table* t) { t->selectTag(t->tag("byTownName")); }},
    {"reindex", [](engine::Table* t) { t->reindex(); }},
    {"appendStart", [](engine::Table* t) { t->appendStart(); }},
};

// A change left pending when the cursor moves is never written, and the next write answers that
// it was lost, in every build.
TEST_F(ExplicitWriteTest, AChangeDroppedByACursorMoveIsReportedByTheNextWrite) {
    const auto before = readBytes(path());
    for (const auto& [name, move] : kMoves) {
        ASSERT_TRUE(t->seek("Alan"));
        t->field("Score")->assign("99");
        t->markDeleted();
        move(t);
        const engine::Status lost = t->flush();
        EXPECT_FALSE(lost) << name;
        EXPECT_NE(lost.reason.find("a change to record 2 was dropped before it was written"), std::string::npos)
            << name << ": " << lost.reason;
        EXPECT_EQ(readBytes(path()), before) << name;
        t->selectTag(t->tag("byName"));
        // Memory keeps matching the file: the dropped change is gone from both.
        EXPECT_EQ(score("Alan"), "1  ") << name;
        EXPECT_FALSE(t->isDeleted()) << name;
        // Told once, the table writes again.
        t->field("Score")->assign("1");
        EXPECT_TRUE(t->flush()) << name;
    }
}

// Marking writes one byte a record where the record stands and waits for the disk once; a
// failed write or sync puts back what it wrote, so the file and the table still hold the records
// live.
TEST_F(ExplicitWriteTest, MarkingWritesOneByteARecordAndOneSyncOrNothingAtAll) {
    ASSERT_TRUE(add(t, "Dan", "York"));
    const auto before = readBytes(path());
    const std::vector<uint32_t> dropped = {3, 1, 3, 9};  // Dan twice and one out of range
    const std::pair<Operation, int> failures[] = {{Operation::Write, 1}, {Operation::Write, 2}, {Operation::Sync, 1}};
    for (const auto& [op, n] : failures) {
        FaultCounter faults;
        faults.failNth(op, n);
        EXPECT_FALSE(t->markRemoved(dropped)) << n;
        EXPECT_EQ(t->markedCount(), 0u) << n;
        EXPECT_EQ(readBytes(path()), before) << n;
    }
    FaultCounter counter;
    ASSERT_TRUE(t->markRemoved(dropped));
    EXPECT_EQ(counter.count(Operation::Write), 2);
    EXPECT_EQ(counter.count(Operation::Sync), 1);
    EXPECT_EQ(counter.count(Operation::Rename), 0);
    EXPECT_EQ(t->markedCount(), 2u);
    auto after = readBytes(path());
    ASSERT_EQ(after.size(), before.size());
    size_t differing = 0;
    for (size_t i = 0; i < after.size(); ++i) differing += after[i] != before[i];
    EXPECT_EQ(differing, 2u);
    // Marked already: nothing to write.
    counter.reset();
    ASSERT_TRUE(t->markRemoved({1}));
    EXPECT_EQ(counter.count(Operation::Write), 0);
    t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (Names{"Alan", "*Carol", "*Dan"}));
    EXPECT_EQ(t->markedCount(), 2u);
}

// Once a pack has put its new file in place, the table writes to that file, even when no file
// can be opened any more at that moment (the process has used up its descriptors).
TEST_F(ExplicitWriteTest, AfterAPackTheTableWritesTheFileInPlace) {
    ASSERT_TRUE(t->seek("Alan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    rlimit usual{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &usual), 0);
    files::faults::setHook([&usual](Operation op) {
        if (op != Operation::Rename) return true;
        const int next = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(next);
        rlimit none = usual;
        none.rlim_cur = rlim_t(next);
        ::setrlimit(RLIMIT_NOFILE, &none);
        return true;
    });
    const engine::Status packed = t->pack();
    files::faults::setHook({});
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &usual), 0);
    EXPECT_TRUE(packed) << packed.reason;

    ASSERT_TRUE(t->seek("Carol"));
    t->field("Score")->assign("42");
    ASSERT_TRUE(t->flush());
    t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (Names{"Carol"}));
    EXPECT_EQ(score("Carol"), "42 ");
}

TEST_F(ExplicitWriteTest, ARefusedKeyIsReportedByTheFlushAndNeverWrittenLater) {
    const auto before = readBytes(path());
    ASSERT_TRUE(t->seek("Alan"));
    t->field("Name")->assign("Carol");
    const auto refused = t->flush();
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.reason.find("byName"), std::string::npos);
    EXPECT_EQ(t->field("Name")->str(), "Alan  ");
    // Nothing is left over for a later move to write.
    EXPECT_TRUE(t->top());
    EXPECT_TRUE(t->skip());
    EXPECT_EQ(walk(t), (Names{"Alan", "Carol"}));
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(ExplicitWriteTest, ClosingDropsAPendingChange) {
    const auto before = readBytes(path());
    ASSERT_TRUE(t->seek("Carol"));
    t->field("Score")->assign("42");
    engine.closeAll();
    EXPECT_EQ(readBytes(path()), before);
    t = reopen();
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(score("Carol"), "1  ");
}

TEST_F(ExplicitWriteTest, EachWriteWaitsForTheDisk) {
    FaultCounter faults;
    ASSERT_TRUE(t->seek("Carol"));
    t->field("Score")->assign("5");
    ASSERT_TRUE(t->flush());
    EXPECT_EQ(faults.count(Operation::Write), 1);
    EXPECT_EQ(faults.count(Operation::Sync), 1);

    faults.reset();
    ASSERT_TRUE(add(t, "Dan", "York"));
    EXPECT_EQ(faults.count(Operation::Write), 2);  // the record, then the count
    EXPECT_EQ(faults.count(Operation::Sync), 2);

    faults.reset();
    t->markDeleted();
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(faults.count(Operation::Write), 2);  // the mark, then the new file
    EXPECT_EQ(faults.count(Operation::Sync), 3);   // each, and the folder after the rename
    EXPECT_EQ(faults.count(Operation::Rename), 1);
}

TEST_F(ExplicitWriteTest, OnlyAChangeIsWrittenAndAPackOnlyWhenARecordGoes) {
    FaultCounter faults;
    ASSERT_TRUE(t->seek("Carol"));
    t->field("Score")->assign(t->field("Score")->str());
    ASSERT_TRUE(t->flush());
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(faults.count(Operation::Write), 0);  // the value it had, and nothing marked

    // A mark the file holds when it is opened is packed away.
    ASSERT_TRUE(t->seek("Alan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    t = reopen();
    faults.reset();
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(faults.count(Operation::Rename), 1);
    t->selectTag(t->tag("byName"));
    EXPECT_EQ(walk(t), (Names{"Carol"}));

    // A mark recalled before the pack leaves it nothing to do.
    ASSERT_TRUE(t->seek("Carol"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    t->recall();
    ASSERT_TRUE(t->flush());
    faults.reset();
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(faults.count(Operation::Write), 0);
    EXPECT_EQ(walk(t), (Names{"Carol"}));
}

TEST_F(ExplicitWriteTest, AFailedFlushLeavesFileAndMemoryAsTheyWere) {
    FaultCounter faults;
    for (Operation op : {Operation::Write, Operation::Sync}) {
        const auto before = readBytes(path());
        ASSERT_TRUE(t->seek("Carol"));
        t->field("Score")->assign("77");
        faults.failNth(op, 1);
        const auto failed = t->flush();
        EXPECT_FALSE(failed);
        EXPECT_NE(failed.reason.find("Input/output error"), std::string::npos) << failed.reason;
        EXPECT_EQ(t->field("Score")->str(), "1  ");
        EXPECT_EQ(readBytes(path()), before);
    }
}

TEST_F(ExplicitWriteTest, AFailedAppendAddsNothing) {
    FaultCounter faults;
    const std::vector<std::pair<Operation, int>> points = {
        {Operation::Write, 1}, {Operation::Sync, 1}, {Operation::Write, 2}, {Operation::Sync, 2}};
    for (const auto& [op, n] : points) {
        faults.failNth(op, n);
        EXPECT_FALSE(add(t, "Dan", "York"));
        EXPECT_EQ(t->recordCount(), 2u);
        EXPECT_FALSE(t->seek("Dan"));
        t = reopen();
        t->selectTag(t->tag("byName"));
        EXPECT_EQ(t->recordCount(), 2u) << int(op) << " " << n;
        EXPECT_EQ(walk(t), (Names{"Alan", "Carol"}));
    }
    faults.failNth(Operation::Write, 0);
    ASSERT_TRUE(add(t, "Dan", "York"));
    EXPECT_EQ(reopen()->recordCount(), 3u);
}

TEST_F(ExplicitWriteTest, AFailedPackKeepsTheOldFile) {
    FaultCounter faults;
    ASSERT_TRUE(t->seek("Alan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    const auto before = readBytes(path());
    for (const auto& [op, n] :
         std::vector<std::pair<Operation, int>>{{Operation::Write, 1}, {Operation::Sync, 1}, {Operation::Rename, 1}}) {
        faults.failNth(op, n);
        EXPECT_FALSE(t->pack());
        EXPECT_EQ(readBytes(path()), before);
        EXPECT_EQ(t->recordCount(), 2u);
        EXPECT_EQ(walk(t), (Names{"*Alan", "Carol"}));
    }
    faults.failNth(Operation::Write, 0);
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(walk(t), (Names{"Carol"}));
}

TEST_F(ExplicitWriteTest, PackRemovingTakesTheGivenAndTheMarkedRecordsAtOnce) {
    ASSERT_TRUE(add(t, "Dan", "York"));
    ASSERT_TRUE(add(t, "Bea", "Ayr"));
    ASSERT_TRUE(t->seek("Dan"));
    t->markDeleted();
    ASSERT_TRUE(t->flush());
    ASSERT_TRUE(t->seek("Carol"));
    const uint32_t carol = t->recordNumber();
    FaultCounter faults;
    ASSERT_TRUE(t->packRemoving({carol, 99}));
    EXPECT_EQ(faults.count(Operation::Rename), 1);
    EXPECT_EQ(walk(t), (Names{"Alan", "Bea"}));
    t = reopen();
    t->selectTag(nullptr);
    EXPECT_EQ(walk(t), (Names{"Alan", "Bea"}));
}

}  // namespace
}  // namespace pulmora::test
