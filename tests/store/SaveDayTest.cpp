#include "NamedSaves.h"
#include "SaveFixture.h"

#include "store/Cp1252.h"
#include "store/Keys.h"
#include "store/TableAccess.h"

#include <set>

namespace pulmora::test {
namespace {

using files::faults::Operation;
using store::TableId;

std::map<std::string, std::vector<char>> filesOf(const TempFolder& folder) {
    std::map<std::string, std::vector<char>> files;
    for (TableId id : store::kAllTables) {
        const std::string name = store::fileName(id);
        files[name] = readBytes(folder.file(name));
    }
    return files;
}

// Each record file's live records, sorted, read from the file: what any reader sees. (A record
// recalled in place by one diary may have been appended anew by the other.)
std::map<std::string, std::vector<std::string>> liveRecordsOf(const TempFolder& folder) {
    std::map<std::string, std::vector<std::string>> live;
    for (const auto& [name, bytes] : filesOf(folder)) {
        auto number = [&](size_t at, size_t size) {
            quint32 n = 0;
            for (size_t i = 0; i < size; ++i) n |= quint32(quint8(bytes[at + i])) << (8 * i);
            return n;
        };
        const quint32 count = number(4, 4), header = number(8, 2), length = number(10, 2);
        std::vector<std::string>& records = live[name];
        for (quint32 r = 0; r < count; ++r) {
            const char* record = bytes.data() + header + size_t(r) * length;
            if (record[0] != '*') records.emplace_back(record, length);
        }
        std::sort(records.begin(), records.end());
    }
    return live;
}

class SaveDayTest : public SaveTest {
protected:
    // After every save both diaries hold the same live records, the lazy one beside those it
    // marked; packed, as the next start does, it holds them alone.
    void expectSameDiaries(const std::string& where) {
        EXPECT_EQ(liveRecordsOf(work), liveRecordsOf(other)) << where;
        TempFolder packed(TempFolder::memoryRoot());
        copyFiles(other.path(), packed.path());
        {
            store::Diary diary;
            open(diary, packed);
            for (TableId id : store::kAllTables)
                EXPECT_TRUE(store::TableAccess::table(diary.files, id)->pack()) << where;
        }
        EXPECT_EQ(liveRecordsOf(packed), liveRecordsOf(other)) << where;
    }
    // Fails each operation of `save` in turn: what the card shows after the failure is within
    // the save, and stays so once `next` has saved something else and the diary is read again.
    template <class Save, class Next, class Read, class Within>
    void failEverywhere(Save save, Next next, Read read, Within within) {
        const auto operations = operationsOf([&] {
            copyFiles(base.path(), work.path());
            store::Diary diary;
            open(diary, work);
            EXPECT_TRUE(save(diary));
        });
        for (int failing = 1; failing <= int(operations.size()); ++failing) {
            copyFiles(base.path(), work.path());
            store::Diary diary;
            open(diary, work);
            int n = 0;
            files::faults::setHook([&](Operation) { return ++n != failing; });
            EXPECT_FALSE(save(diary)) << "failing operation " << failing;
            files::faults::setHook({});
            const auto cancelled = read(diary);
            EXPECT_TRUE(within(cancelled)) << "failing operation " << failing;
            ASSERT_TRUE(next(diary));
            diary.files.OpenDB();
            EXPECT_EQ(read(diary), cancelled) << "failing operation " << failing;
        }
    }
    TempFolder other{TempFolder::memoryRoot()};
};

TEST_F(SaveDayTest, LeavesTheFilesExactlyAsTheNamedSequenceDoes) {
    copyFiles(base.path(), work.path());
    copyFiles(base.path(), other.path());
    store::Diary named, oneCall;
    open(named, work);
    open(oneCall, other);
    // A record another save was removing when it stopped: both ways leave it gone.
    for (store::Diary* d : {&named, &oneCall}) ASSERT_TRUE(named::markDayTriggers(*d, plan::kJohn, plan::kDates[0]));

    std::vector<plan::DaySave> saves = {listsChange(), readingsOnly(), known()};
    plan::DaySave repeated = listsChange();  // a trigger ticked twice, in two spellings
    repeated.triggers << "Damp"
                      << " damp ";
    saves.push_back(repeated);
    plan::DaySave fresh = listsChange();
    fresh.date = QDate(2024, 6, 12);
    saves.push_back(fresh);
    for (int round = 0; round < 40; ++round) saves.push_back(plan::saveOf(round));

    for (size_t i = 0; i < saves.size(); ++i) {
        ASSERT_TRUE(named::saveDay(named, saves[i])) << i;
        ASSERT_TRUE(saves[i].run(oneCall)) << i;
        expectSameDiaries("after save " + std::to_string(i));
        EXPECT_EQ(readDay(oneCall, saves[i].person, saves[i].date), wantedBy(saves[i])) << i;
    }
}

TEST_F(SaveDayTest, ChecksEverythingBeforeWritingAnything) {
    store::Diary diary;
    open(diary, base);
    const auto files = filesOf(base);
    plan::DaySave bad = listsChange();
    bad.triggers << QString(26, 'X');
    EXPECT_TRUE(bad.run(diary).error().contains("trigger name"));
    bad = listsChange();
    bad.medication[2].timesUsed = 100;
    EXPECT_TRUE(bad.run(diary).error().contains("times used"));
    bad = listsChange();
    bad.medication.push_back({"Fluticasone", "Preventer", "Flut00001", 1});
    EXPECT_TRUE(bad.run(diary).error().contains("medication identifier"));
    bad = listsChange();
    bad.values.evening = 1000;
    EXPECT_TRUE(bad.run(diary).error().contains("evening"));
    bad = listsChange();
    bad.triggers << "\u03A9";
    EXPECT_FALSE(bad.run(diary));
    EXPECT_EQ(filesOf(base), files);
    // A row that names no medication, or one not taken, is simply not kept.
    plan::DaySave unused = listsChange();
    unused.medication.push_back({"", "", "", 5});
    ASSERT_TRUE(unused.run(diary));
    EXPECT_EQ(readDay(diary, plan::kJohn, kDay), wantedBy(listsChange()));
}

// A disk that fails part-way: the save says so, naming the file, and holds nothing in memory
// that the files do not; saving again completes it.
TEST_F(SaveDayTest, AFailingWriteIsReportedByTheSaveWithNothingHalfWritten) {
    const DiaryState before = stateOf(base);
    const DiaryState after = stateAfter(listsChange());
    const auto operations = operationsOf([&] { (void)stateAfter(listsChange()); });
    int failures = 0;
    for (int n = 1; n <= int(operations.size()) + 1; ++n) {
        copyFiles(base.path(), work.path());
        store::Diary diary;
        open(diary, work);
        int count = 0;
        files::faults::setHook([&count, n](Operation) { return ++count != n; });
        const store::Result saved = listsChange().run(diary);
        files::faults::setHook({});
        if (saved) {
            // Every failing operation is reported, the folder's sync after a rename too: without
            // it the new file may not outlast a power cut.
            EXPECT_GT(n, int(operations.size()));
            EXPECT_EQ(readLittleDiary(diary), after);
            continue;
        }
        ++failures;
        EXPECT_TRUE(saved.error().contains(".dat: ")) << saved.error().toStdString();
        EXPECT_TRUE(saved.error().contains("Input/output error")) << saved.error().toStdString();
        const DiaryState held = readLittleDiary(diary);
        diary.files.OpenDB();
        const DiaryState onDisk = readLittleDiary(diary);
        EXPECT_EQ(held, onDisk) << "failing operation " << n;
        expectWithinSave(onDisk, before, after, "failing operation " + std::to_string(n));
        ASSERT_TRUE(listsChange().run(diary));
        EXPECT_EQ(readLittleDiary(diary), after);
    }
    EXPECT_EQ(failures, int(operations.size()));
}

// A save that fails at any of its writes, syncs and marks leaves the day, read again as Cancel
// shows it, within the save, and the next save of another day takes nothing of what Cancel showed.
TEST_F(SaveDayTest, ASaveThatFailsAnywhereTakesNoRowOfTheDayAwayLater) {
    const DayState before = stateOf(base).days.at({plan::kJohn.text(), kDay});
    const DayState after = stateAfter(listsChange()).days.at({plan::kJohn.text(), kDay});
    failEverywhere([](store::Diary& d) { return listsChange().run(d); },
                   [](store::Diary& d) { return plan::saveOf(0).run(d); },
                   [](store::Diary& d) { return readDay(d, plan::kJohn, kDay); },
                   [&](const DayState& got) { return bool(withinSave(got, before, after)); });
}

TEST_F(SaveDayTest, TellsItsListenersWhichFilesChanged) {
    store::Diary diary;
    open(diary, base);
    std::set<TableId> changed, read;
    QObject::connect(&diary.files, &store::DiaryStore::tableChanged, [&](TableId id) { changed.insert(id); });
    QObject::connect(&diary.files, &store::DiaryStore::tableRead, [&](TableId id) { read.insert(id); });
    plan::DaySave refused = listsChange();
    refused.values.rating = 9;
    EXPECT_FALSE(refused.run(diary));
    EXPECT_TRUE(changed.empty());
    ASSERT_TRUE(listsChange().run(diary));
    EXPECT_EQ(changed, (std::set<TableId>{TableId::Personal, TableId::Daily, TableId::DlyTrig, TableId::DlyMed}));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(diary.days.ChkDly(plan::kJohn, kDay), 1);
    EXPECT_EQ(read, std::set<TableId>{TableId::Daily});
}

// A day record left marked by a removal that was stopped (or by another program) and then
// saved again is live: the next removal of another day must not take it along.
TEST_F(SaveDayTest, ADaySavedAgainIsKeptEvenIfItsRecordWasMarked) {
    store::Diary diary;
    open(diary, base);
    auto* daily = store::TableAccess::table(diary.files, TableId::Daily);
    daily->selectTag(daily->tag("diDyID"));
    ASSERT_TRUE(daily->seek(store::keys::dayId(plan::kJohn, kDay).toStdString()));
    daily->markDeleted();
    ASSERT_TRUE(daily->flush());
    ASSERT_TRUE(readingsOnly().run(diary));
    ASSERT_TRUE(diary.days.DelDly(plan::kJohn, plan::kDates[0]));
    diary.files.OpenDB();
    EXPECT_EQ(readDay(diary, plan::kJohn, kDay), wantedBy(readingsOnly()));
    EXPECT_FALSE(readDay(diary, plan::kJohn, plan::kDates[0]).recorded);
}

// ---- the personal card's lists ---------------------------------------------------------------

struct Lists {
    QStringList triggers;
    std::vector<store::PersonMedRow> medication;
};

TEST_F(SaveDayTest, ThePersonsListsEndExactlyAsTheNamedSequenceLeavesThem) {
    copyFiles(base.path(), work.path());
    copyFiles(base.path(), other.path());
    store::Diary named, oneCall;
    open(named, work);
    open(oneCall, other);
    const auto current = oneCall.persons.ListMed(plan::kJohn);
    ASSERT_EQ(current.size(), 3u);
    std::vector<Lists> saves;
    Lists changed{{"pollen", "Damp", "DUST"}, {current[0], current[2]}};
    changed.medication[1].instructions = "2 puffs";
    changed.medication[1].medId.clear();  // changed after retrieving: a new version
    changed.medication.push_back({"", "Montelukast", "Other", "at night", "Dr Lee", QDate(2024, 3, 1)});
    changed.medication.push_back({"", "  ", "Other", "", "", {}});  // an unused entry
    saves.push_back(changed);
    saves.push_back({{"CATS", "DUST", "cats"}, {current[0]}});
    saves.push_back({{}, {}});
    saves.push_back({{"POLLEN"}, {current[1], current[2]}});
    for (size_t i = 0; i < saves.size(); ++i) {
        ASSERT_TRUE(named::saveLists(named, plan::kJohn, saves[i].triggers, saves[i].medication)) << i;
        ASSERT_TRUE(oneCall.persons.savePersonLists(plan::kJohn, saves[i].triggers, saves[i].medication)) << i;
        expectSameDiaries("after save " + std::to_string(i));
    }
    EXPECT_EQ(oneCall.persons.ListPerTrg(plan::kJohn), QStringList{"POLLEN"});
    EXPECT_EQ(oneCall.persons.ListMed(plan::kJohn).size(), 2u);
    EXPECT_EQ(oneCall.persons.ListPerTrg(plan::kJack), QStringList{});
}

TEST_F(SaveDayTest, ThePersonsListsAreCheckedBeforeAnythingIsWritten) {
    store::Diary diary;
    open(diary, base);
    const auto files = filesOf(base);
    const auto current = diary.persons.ListMed(plan::kJohn);
    std::vector<store::PersonMedRow> rows = current;
    rows.back().category = "Sedative";
    EXPECT_TRUE(diary.persons.savePersonLists(plan::kJohn, {"DAMP"}, rows).error().contains("category"));
    EXPECT_FALSE(diary.persons.savePersonLists(plan::kJohn, {"DAMP", QString(30, 'Y')}, current));
    EXPECT_EQ(filesOf(base), files);
}

// The same for the personal card: a save that fails anywhere leaves the person's triggers, as
// the card reads them again, with every one it had, and another person's save takes none away.
TEST_F(SaveDayTest, ThePersonsListsThatFailAnywhereLoseNoTriggerLater) {
    QStringList before;
    {
        store::Diary diary;
        open(diary, base);
        before = diary.persons.ListPerTrg(plan::kJohn);
    }
    failEverywhere(
        [](store::Diary& d) {
            return d.persons.savePersonLists(plan::kJohn, {"DUST"}, d.persons.ListMed(plan::kJohn));
        },
        [](store::Diary& d) { return d.persons.savePersonLists(plan::kJack, {"CATS"}, {}); },
        [](store::Diary& d) { return d.persons.ListPerTrg(plan::kJohn); },
        [&](const QStringList& got) {
            return got == QStringList{"DUST"} ||
                   std::all_of(before.begin(), before.end(), [&](const QString& t) { return got.contains(t); });
        });
}

// Stopped anywhere, the person's triggers and current medication are all of the old lists or
// all of the new, and nothing else.
TEST_F(SaveDayTest, ThePersonsListsLoseNothingWhereverTheSaveStops) {
    using Content = std::set<QString>;
    auto contentOf = [](store::Diary& d) {
        const QStringList names = d.persons.ListPerTrg(plan::kJohn);
        Content triggers(names.begin(), names.end());
        Content medication;
        for (const auto& m : d.persons.ListMed(plan::kJohn)) medication.insert(m.name + "|" + m.instructions);
        return std::pair{triggers, medication};
    };
    auto within = [](const Content& got, const Content& before, const Content& after) {
        Content both = before;
        both.insert(after.begin(), after.end());
        auto includes = [](const Content& a, const Content& b) {
            return std::includes(a.begin(), a.end(), b.begin(), b.end());
        };
        return (includes(got, before) || includes(got, after)) && includes(both, got);
    };
    store::Diary start;
    open(start, base);
    const auto before = contentOf(start);
    auto current = start.persons.ListMed(plan::kJohn);
    current[1].instructions = "changed";
    current[1].medId.clear();
    current.erase(current.begin() + 2);
    const Lists lists{{"POLLEN", "DUST"}, current};
    const auto days = readLittleDiary(start);
    start.files.CloseDB();

    for (int n = 1;; ++n) {
        copyFiles(base.path(), work.path());
        const Stop stop = runStoppedBefore(n, [&] {
            store::Diary diary;
            open(diary, work);
            return diary.persons.savePersonLists(plan::kJohn, lists.triggers, lists.medication).ok();
        });
        ASSERT_NE(stop, Stop::Failed);
        store::Diary diary;
        open(diary, work);
        ASSERT_TRUE(store::TableAccess::table(diary.files, TableId::PerTrig)->pack());
        const auto got = contentOf(diary);
        const std::pair<Content, Content> after{
            {"DUST", "POLLEN"}, {current[0].name + "|" + current[0].instructions, current[1].name + "|changed"}};
        EXPECT_TRUE(within(got.first, before.first, after.first)) << "stop " << n;
        EXPECT_TRUE(within(got.second, before.second, after.second)) << "stop " << n;
        EXPECT_EQ(readLittleDiary(diary).days, days.days) << "stop " << n;
        if (stop == Stop::Finished) {
            EXPECT_EQ(got, after);
            EXPECT_GT(n, 8);
            break;
        }
        ASSERT_LT(n, 200);
    }
}

}  // namespace
}  // namespace pulmora::test
