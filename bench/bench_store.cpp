// Store speed beside SQLite doing the same work on the same 10-person, 20-year diary (and, for
// the save that removes items, a 10-person, one-year one). Each benchmark runs as Name/Pulmora
// and Name/SQLite; the ratios are printed at the end. The start's pack and the plain read of the
// record files have no SQLite twin.
#include "SqlitePeer.h"

#include "files/FileIo.h"
#include "sample/SampleDiary.h"
#include "store/Diary.h"
#include "store/Keys.h"
#include "store/TableAccess.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

namespace pulmora::bench {
namespace {

using store::TableId;
using Statement = SqlitePeer::Statement;

const QDate kLastDay(2026, 11, 30);

std::string str(const QString& s) { return s.toStdString(); }
std::string str(const store::PersonId& id) { return str(id.text()); }

// Writes a 10-person sample diary of the years into the folder and opens it with every write
// waiting for the disk; answers its persons in nickname order.
std::vector<store::PersonId> writeSample(store::Diary& diary, const QString& folder, int years) {
    diary.files.setFolder(folder);
    diary.files.setWaitForDisk(false);
    diary.files.OpenDB();
    tools::SampleOptions options{10, years, 7, kLastDay};
    const QString error = tools::SampleDiary(diary, options).write();
    if (!error.isEmpty()) std::fprintf(stderr, "sample diary: %s\n", qPrintable(error));
    diary.files.setWaitForDisk(true);
    diary.files.OpenDB();  // reopened so every write waits for the disk again
    std::vector<store::PersonId> persons;
    for (auto p = diary.persons.GetPerDly(store::Persons::Step::First);
         p && std::find(persons.begin(), persons.end(), p->id) == persons.end();
         p = diary.persons.GetPerDly(store::Persons::Step::Next, p->id))
        persons.push_back(p->id);
    return persons;
}

// The diary, its SQLite twin and the days the benchmarks look at, built once.
struct Fixture {
    QTemporaryDir folder;
    store::Diary diary;
    std::vector<store::PersonId> persons;  // in nickname order
    store::PersonId person;                // the one person the single-person benchmarks use
    std::unique_ptr<SqlitePeer> sql;
    std::vector<std::pair<store::PersonId, QDate>> recordedDays;  // person, day
    QDate gapDay;                                                 // a day without record inside that person's diary
    QDate savedDay;                  // a recorded day of that person, rewritten by the save benchmarks
    std::vector<QDate> earlierDays;  // that person's recorded days before it, each saved once with a trigger more

    explicit Fixture(int years) : persons(writeSample(diary, folder.path(), years)), person(persons.at(0)) {
        buildSqlite();
        pickDays();
    }

    std::string sqlitePath() const { return str(folder.filePath("peer.sqlite")); }

    // Loads SQLite through the store's own reads, so both hold exactly the same rows.
    void buildSqlite() {
        sql = std::make_unique<SqlitePeer>(sqlitePath());
        sql->exec(SqlitePeer::schema());
        sql->exec("PRAGMA synchronous=OFF; BEGIN");
        Statement person(sql->db(), "INSERT INTO personal VALUES(?,?,?,?,?,?)");
        Statement day(sql->db(), "INSERT INTO daily VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Statement trigger(sql->db(), "INSERT INTO dlytrig VALUES(?,?,?,?)");
        Statement medication(sql->db(), "INSERT INTO dlymed VALUES(?,?,?,?,?,?,?)");
        const QDate first(1900, 1, 1), last(9999, 12, 31);
        for (const store::PersonId& id : persons) {
            const auto card = diary.persons.GetPerCrd(id);
            person.bind(1, str(id)).bind(2, str(card->nickname)).bind(3, str(card->surname));
            person.bind(4, str(card->firstName)).bind(5, card->best.toInt()).bind(6, card->predicted.toInt());
            person.step();
            person.reset();
            for (const store::DayRecord& d : diary.reports.daysBetween(id, first, last)) {
                const store::DayValues& v = d.values;
                const QString date = store::keys::dateKey(d.date);
                day.bind(1, str(store::keys::dayId(id, d.date))).bind(2, str(id)).bind(3, str(date));
                day.bind(4, v.morning).bind(5, v.evening);
                const bool flags[] = {v.coughDay,           v.breathDay,       v.wheezeDay,   v.chestDay,
                                      v.coughNight,         v.breathNight,     v.wheezeNight, v.chestNight,
                                      v.activityRestricted, v.sportRestricted, v.offWork};
                for (int i = 0; i < 11; ++i) day.bind(6 + i, flags[i]);
                day.bind(17, v.relievers).bind(18, v.preventers).bind(19, v.rating);
                day.step();
                day.reset();
                recordedDays.emplace_back(id, d.date);
            }
            for (const store::DayTriggerItem& t : diary.reports.triggersBetween(id, first, last)) {
                const QString date = store::keys::dateKey(t.date);
                trigger.bind(1, str(store::keys::dayId(id, t.date))).bind(2, str(id)).bind(3, str(t.trigger));
                trigger.bind(4, str(date)).step();
                trigger.reset();
            }
            for (const store::DayMedItem& m : diary.reports.medicationBetween(id, first, last)) {
                const QString date = store::keys::dateKey(m.date);
                medication.bind(1, str(store::keys::dayId(id, m.date))).bind(2, str(id)).bind(3, str(m.medId));
                medication.bind(4, str(m.name)).bind(5, m.timesUsed).bind(6, str(m.category)).bind(7, str(date));
                medication.step();
                medication.reset();
            }
        }
        sql->exec("COMMIT; PRAGMA synchronous=FULL");
    }

    void pickDays() {
        savedDay = kLastDay.addDays(-100);
        for (QDate d = kLastDay.addYears(-10);; d = d.addDays(1)) {
            if (diary.days.ChkDly(person, d) == -1) {
                gapDay = d;
                break;
            }
        }
        if (diary.days.ChkDly(person, savedDay) == -1 && !diary.days.saveDay(person, savedDay, {}, {}, {}))
            std::fprintf(stderr, "could not record the day the save benchmarks rewrite\n");
        for (const auto& [who, date] : recordedDays)
            if (who == person && date < savedDay) earlierDays.push_back(date);
        const QString savedKey = store::keys::dateKey(savedDay);
        sql->exec(("INSERT OR IGNORE INTO daily(dyid, asid, asdt) VALUES('" +
                   str(store::keys::dayId(person, savedDay)) + "','" + str(person) + "','" + str(savedKey) + "')")
                      .c_str());
    }
};

Fixture& fixture() {
    static Fixture f(20);
    return f;
}

Fixture& oneYearFixture() {
    static Fixture f(1);
    return f;
}

// ---- keyed lookup of one day ---------------------------------------------------------------

void KeyedLookup_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    std::mt19937 random(1);
    for (auto _ : state) {
        const auto& [person, date] = f.recordedDays[random() % f.recordedDays.size()];
        benchmark::DoNotOptimize(f.diary.days.ChkDly(person, date));
    }
}

void KeyedLookup_SQLite(benchmark::State& state) {
    auto& f = fixture();
    std::mt19937 random(1);
    Statement s(f.sql->db(), "SELECT rate FROM daily WHERE dyid=?");
    for (auto _ : state) {
        const auto& [person, date] = f.recordedDays[random() % f.recordedDays.size()];
        s.bind(1, str(store::keys::dayId(person, date)));
        if (s.step()) benchmark::DoNotOptimize(s.integer(0));
        s.reset();
    }
}

// ---- the daily card's save of a day whose readings changed ------------------------------------

store::DayValues dayValues(int round) {
    store::DayValues v;
    v.morning = 300 + round % 50;
    v.evening = 310 + round % 40;
    v.coughDay = round % 2;
    v.relievers = round % 5;
    v.rating = 1 + round % 3;
    return v;
}

// The card's lists of a day as it loads them: the ticked triggers and the medication rows.
struct DayLists {
    QStringList triggers;
    std::vector<store::DayMedRow> medication;
};

DayLists listsOf(Fixture& f, const store::PersonId& person, const QDate& date) {
    const store::DayCard card = f.diary.days.GetDly(person, date);
    DayLists lists;
    for (const store::TriggerLine& line : card.triggers)
        if (line.ticked) lists.triggers << line.name;
    for (const store::DayMedRow& row : card.medication.rows)
        if (!row.isFree()) lists.medication.push_back(row);
    return lists;
}

void SaveReadings_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    const DayLists lists = listsOf(f, f.person, f.savedDay);
    int round = 0;
    for (auto _ : state)
        if (!f.diary.days.saveDay(f.person, f.savedDay, dayValues(round++), lists.triggers, lists.medication))
            state.SkipWithError("save failed");
}

void SaveReadings_SQLite(benchmark::State& state) {
    auto& f = fixture();
    Statement s(f.sql->db(), "UPDATE daily SET morn=?, even=?, cogd=?, nrel=?, rate=? WHERE dyid=?");
    const std::string id = str(store::keys::dayId(f.person, f.savedDay));
    int round = 0;
    for (auto _ : state) {
        const auto v = dayValues(round++);
        s.bind(1, v.morning).bind(2, v.evening).bind(3, v.coughDay).bind(4, v.relievers).bind(5, v.rating).bind(6, id);
        s.step();
        s.reset();
    }
}

// ---- the daily card's save of a day that gains a trigger ---------------------------------------

// Each round takes the next of the person's recorded days and saves it as loaded, with one
// trigger more ticked: its record and lists stay, one trigger record is added.
const QString kAddedTrigger = QStringLiteral("FRESH PAINT");

// The benchmark runs several times; each run goes on with the days the last one left.
struct TriggerRounds {
    struct Day {
        QDate date;
        store::DayValues values;
        DayLists lists;  // with the trigger added
    };
    std::vector<Day> days;
    size_t pulmora = 0, sqlite = 0;
};

TriggerRounds& triggerRounds() {
    static TriggerRounds rounds = [] {
        auto& f = fixture();
        TriggerRounds r;
        for (const QDate& date : f.earlierDays) {
            r.days.push_back({date, f.diary.days.GetDly(f.person, date).values, listsOf(f, f.person, date)});
            r.days.back().lists.triggers << kAddedTrigger;
        }
        return r;
    }();
    return rounds;
}

void SaveAddingTrigger_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    TriggerRounds& rounds = triggerRounds();
    for (auto _ : state) {
        if (rounds.pulmora == rounds.days.size()) {
            state.SkipWithError("every recorded day has gained the trigger");
            break;
        }
        const TriggerRounds::Day& day = rounds.days[rounds.pulmora++];
        if (!f.diary.days.saveDay(f.person, day.date, day.values, day.lists.triggers, day.lists.medication))
            state.SkipWithError("save failed");
    }
}

void SaveAddingTrigger_SQLite(benchmark::State& state) {
    auto& f = fixture();
    TriggerRounds& rounds = triggerRounds();
    Statement begin(f.sql->db(), "BEGIN");
    Statement update(f.sql->db(), "UPDATE daily SET morn=morn WHERE dyid=?");
    Statement insert(f.sql->db(), "INSERT INTO dlytrig VALUES(?,?,?,?)");
    Statement commit(f.sql->db(), "COMMIT");
    for (auto _ : state) {
        if (rounds.sqlite == rounds.days.size()) {
            state.SkipWithError("every recorded day has gained the trigger");
            break;
        }
        const QDate day = rounds.days[rounds.sqlite++].date;
        const QString date = store::keys::dateKey(day);
        const std::string id = str(store::keys::dayId(f.person, day));
        begin.step();
        begin.reset();
        update.bind(1, id).step();
        update.reset();
        insert.bind(1, id).bind(2, str(f.person)).bind(3, str(kAddedTrigger)).bind(4, str(date)).step();
        insert.reset();
        commit.step();
        commit.reset();
    }
}

// ---- the daily card's save that drops a trigger: values, triggers and medication of one day ------

// Alternates two saves that each change a reading, swap a trigger and change a dose, so every
// round adds a record, removes one (packing the file) and updates one in each list.
DayLists daySave(Fixture& f, int round) {
    const auto current = f.diary.persons.ListMed(f.person);
    std::vector<store::DayMedRow> rows;
    for (size_t i = 0; i < current.size(); ++i)
        if (round % 2 == 0 || i == 0)
            rows.push_back({current[i].name, current[i].category, current[i].medId.trimmed(), 1 + round % 2});
    return {round % 2 ? QStringList{"POLLEN", "COLD AIR"} : QStringList{"COLD AIR", "DAMP"}, rows};
}

void saveRemovingPulmora(benchmark::State& state, Fixture& f) {
    std::vector<DayLists> saves = {daySave(f, 0), daySave(f, 1)};
    int round = 0;
    for (auto _ : state) {
        const DayLists& s = saves[size_t(round % 2)];
        if (!f.diary.days.saveDay(f.person, f.savedDay, dayValues(round), s.triggers, s.medication))
            state.SkipWithError("save failed");
        ++round;
    }
}

void saveRemovingSqlite(benchmark::State& state, Fixture& f) {
    std::vector<DayLists> saves = {daySave(f, 0), daySave(f, 1)};
    Statement begin(f.sql->db(), "BEGIN");
    Statement update(f.sql->db(), "UPDATE daily SET morn=?, even=?, cogd=?, nrel=?, rate=? WHERE dyid=?");
    Statement removeTriggers(f.sql->db(), "DELETE FROM dlytrig WHERE dyid=?");
    Statement insertTrigger(f.sql->db(), "INSERT INTO dlytrig VALUES(?,?,?,?)");
    Statement removeMedication(f.sql->db(), "DELETE FROM dlymed WHERE dyid=?");
    Statement insertMedication(f.sql->db(), "INSERT INTO dlymed VALUES(?,?,?,?,?,?,?)");
    Statement commit(f.sql->db(), "COMMIT");
    const std::string id = str(store::keys::dayId(f.person, f.savedDay));
    int round = 0;
    for (auto _ : state) {
        const DayLists& s = saves[size_t(round % 2)];
        const auto v = dayValues(round++);
        begin.step();
        begin.reset();
        update.bind(1, v.morning).bind(2, v.evening).bind(3, v.coughDay).bind(4, v.relievers).bind(5, v.rating);
        update.bind(6, id).step();
        update.reset();
        removeTriggers.bind(1, id).step();
        removeTriggers.reset();
        for (const QString& t : s.triggers) {
            insertTrigger.bind(1, id)
                .bind(2, str(f.person))
                .bind(3, str(t))
                .bind(4, str(store::keys::dateKey(f.savedDay)))
                .step();
            insertTrigger.reset();
        }
        removeMedication.bind(1, id).step();
        removeMedication.reset();
        for (const auto& m : s.medication) {
            insertMedication.bind(1, id).bind(2, str(f.person)).bind(3, str(m.medId)).bind(4, str(m.name));
            insertMedication.bind(5, m.timesUsed)
                .bind(6, str(m.category))
                .bind(7, str(store::keys::dateKey(f.savedDay)))
                .step();
            insertMedication.reset();
        }
        commit.step();
        commit.reset();
    }
}

void SaveRemoving_Pulmora(benchmark::State& state) { saveRemovingPulmora(state, fixture()); }
void SaveRemoving_SQLite(benchmark::State& state) { saveRemovingSqlite(state, fixture()); }
void SaveRemovingOneYear_Pulmora(benchmark::State& state) { saveRemovingPulmora(state, oneYearFixture()); }
void SaveRemovingOneYear_SQLite(benchmark::State& state) { saveRemovingSqlite(state, oneYearFixture()); }

// ---- deleting a day with its triggers and medication -----------------------------------------

// Each round deletes the next recorded day of the second person (the other benchmarks read and
// write the first); both take the same days in the same order.
struct DeletedDays {
    std::vector<QDate> dates;
    size_t pulmora = 0, sqlite = 0;
};

DeletedDays& deletedDays() {
    static DeletedDays days = [] {
        auto& f = fixture();
        DeletedDays d;
        for (const auto& [who, date] : f.recordedDays)
            if (who == f.persons[1]) d.dates.push_back(date);
        return d;
    }();
    return days;
}

void DeleteDay_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    DeletedDays& days = deletedDays();
    for (auto _ : state) {
        if (days.pulmora == days.dates.size()) {
            state.SkipWithError("every recorded day is deleted");
            break;
        }
        if (!f.diary.days.DelDly(f.persons[1], days.dates[days.pulmora++])) state.SkipWithError("deletion failed");
    }
}

void DeleteDay_SQLite(benchmark::State& state) {
    auto& f = fixture();
    DeletedDays& days = deletedDays();
    Statement begin(f.sql->db(), "BEGIN");
    Statement triggers(f.sql->db(), "DELETE FROM dlytrig WHERE dyid=?");
    Statement medication(f.sql->db(), "DELETE FROM dlymed WHERE dyid=?");
    Statement day(f.sql->db(), "DELETE FROM daily WHERE dyid=?");
    Statement commit(f.sql->db(), "COMMIT");
    for (auto _ : state) {
        if (days.sqlite == days.dates.size()) {
            state.SkipWithError("every recorded day is deleted");
            break;
        }
        const std::string id = str(store::keys::dayId(f.persons[1], days.dates[days.sqlite++]));
        begin.step();
        begin.reset();
        for (Statement* s : {&triggers, &medication, &day}) {
            s->bind(1, id).step();
            s->reset();
        }
        commit.step();
        commit.reset();
    }
}

// ---- the start's pack ------------------------------------------------------------------------

// What a start does once a file is due: each round first deletes one more of the second
// person's days (not timed), then packs the three files that deletion marked, the whole day,
// trigger and medication files of the 20-year diary written anew and renamed into place. The
// start packs a file only once more than a tenth of it is marked; the pack costs the same
// whatever share it removes, as the whole file is written either way.
void PackAtStart(benchmark::State& state) {
    auto& f = fixture();
    DeletedDays& days = deletedDays();
    for (auto _ : state) {
        state.PauseTiming();
        const bool deleted =
            days.pulmora < days.dates.size() && f.diary.days.DelDly(f.persons[1], days.dates[days.pulmora++]).ok();
        state.ResumeTiming();
        if (!deleted) {
            state.SkipWithError("no day left to delete");
            break;
        }
        for (TableId id : {TableId::Daily, TableId::DlyTrig, TableId::DlyMed})
            if (!store::TableAccess::table(f.diary.files, id)->pack()) state.SkipWithError("pack failed");
    }
}

// ---- opening the whole diary ---------------------------------------------------------------

void OpenDiary_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        store::DiaryStore s;
        s.setFolder(f.folder.path());
        s.OpenDB();
        if (!s.fileProblems().empty()) state.SkipWithError("a file did not open");
        s.CloseDB();
    }
}

// What opening cannot do faster: the seven record files read whole from the page cache.
void ReadRecordFiles(benchmark::State& state) {
    auto& f = fixture();
    std::vector<std::string> paths;
    for (TableId id : store::kAllTables) paths.push_back(str(f.diary.files.filePath(id)));
    std::vector<char> bytes;
    for (auto _ : state) {
        for (const std::string& path : paths) {
            std::string error;
            if (!files::readFile(path, bytes, error)) state.SkipWithError("a file could not be read");
            benchmark::DoNotOptimize(bytes.data());
        }
    }
}

void OpenDiary_SQLite(benchmark::State& state) {
    auto& f = fixture();
    const char* tables[] = {"personal", "daily", "pertrig", "permed", "reftrig", "dlytrig", "dlymed"};
    for (auto _ : state) {
        SqlitePeer peer(f.sqlitePath());
        for (const char* t : tables) {
            Statement s(peer.db(), (std::string("SELECT * FROM ") + t + " LIMIT 1").c_str());
            benchmark::DoNotOptimize(s.step());
        }
    }
}

// ---- the calendar: a month of day cells ----------------------------------------------------

void MonthOfCells_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    const QDate first(2020, 3, 1);
    std::vector<QDate> days;
    for (int i = 0; i < 31; ++i) days.push_back(first.addDays(i));
    for (auto _ : state)
        for (const QDate& day : days) benchmark::DoNotOptimize(f.diary.days.ChkDly(f.person, day));
}

void MonthOfCells_SQLite(benchmark::State& state) {
    auto& f = fixture();
    const QDate first(2020, 3, 1);
    Statement s(f.sql->db(), "SELECT rate FROM daily WHERE dyid=?");
    std::vector<std::string> ids;
    for (int i = 0; i < 31; ++i) ids.push_back(str(store::keys::dayId(f.person, first.addDays(i))));
    for (auto _ : state)
        for (const auto& id : ids) {
            s.bind(1, id);
            if (s.step()) benchmark::DoNotOptimize(s.integer(0));
            s.reset();
        }
}

// ---- the comparison picture for an unrecorded day ------------------------------------------

void PreviousDayOfGap_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) benchmark::DoNotOptimize(f.diary.reports.GetRepDly(f.person, f.gapDay).morning);
}

void PreviousDayOfGap_SQLite(benchmark::State& state) {
    auto& f = fixture();
    Statement person(f.sql->db(), "SELECT best, pred FROM personal WHERE asid=?");
    Statement day(f.sql->db(),
                  "SELECT morn, even, cogd+brtd+whzd+chsd, cogn+brtn+whzn+chsn, nrel FROM daily"
                  " WHERE asid=? AND asdt<? ORDER BY asdt DESC LIMIT 1");
    for (auto _ : state) {
        if (person.bind(1, str(f.person)).step()) benchmark::DoNotOptimize(person.integer(0));
        person.reset();
        if (day.bind(1, str(f.person)).bind(2, str(store::keys::dateKey(f.gapDay))).step())
            benchmark::DoNotOptimize(day.integer(0));
        day.reset();
    }
}

// ---- a person's figures over a report period of 43 days ------------------------------------

void PersonOver43Days_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    const QDate first(2020, 3, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.diary.reports.GetRPer(f.person, first, first.addDays(42)).person.best);
}

void PersonOver43Days_SQLite(benchmark::State& state) {
    auto& f = fixture();
    const QDate first(2020, 3, 1);
    Statement person(f.sql->db(), "SELECT best, pred FROM personal WHERE asid=?");
    Statement days(f.sql->db(),
                   "SELECT max(morn), max(even), count(*) FROM daily WHERE asid=? AND asdt BETWEEN ? AND ?");
    const std::string from = str(store::keys::dateKey(first)), to = str(store::keys::dateKey(first.addDays(42)));
    for (auto _ : state) {
        if (person.bind(1, str(f.person)).step()) benchmark::DoNotOptimize(person.integer(0));
        person.reset();
        if (days.bind(1, str(f.person)).bind(2, from).bind(3, to).step()) benchmark::DoNotOptimize(days.integer(0));
        days.reset();
    }
}

// ---- a month of a person's days, triggers and medication as rows ----------------------------

void MonthOfRows_Pulmora(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        const QDate first(2020, 3, 1), last(2020, 3, 31);
        benchmark::DoNotOptimize(f.diary.reports.daysBetween(f.person, first, last).size());
        benchmark::DoNotOptimize(f.diary.reports.triggersBetween(f.person, first, last).size());
        benchmark::DoNotOptimize(f.diary.reports.medicationBetween(f.person, first, last).size());
    }
}

void MonthOfRows_SQLite(benchmark::State& state) {
    auto& f = fixture();
    Statement days(f.sql->db(), "SELECT * FROM daily WHERE asid=? AND asdt BETWEEN ? AND ? ORDER BY asdt");
    Statement triggers(f.sql->db(), "SELECT * FROM dlytrig WHERE asid=? AND asdt BETWEEN ? AND ? ORDER BY asdt, trig");
    Statement medication(f.sql->db(), "SELECT * FROM dlymed WHERE asid=? AND asdt BETWEEN ? AND ? ORDER BY asdt, mdid");
    for (auto _ : state) {
        for (Statement* s : {&days, &triggers, &medication}) {
            int rows = 0;
            s->bind(1, str(f.person)).bind(2, std::string("20200301")).bind(3, std::string("20200331"));
            while (s->step()) ++rows;
            s->reset();
            benchmark::DoNotOptimize(rows);
        }
    }
}

#define PAIR_WITH(name, ...)                                                                      \
    BENCHMARK(name##_Pulmora)->Name(#name "/Pulmora")->Unit(benchmark::kMicrosecond) __VA_ARGS__; \
    BENCHMARK(name##_SQLite)->Name(#name "/SQLite")->Unit(benchmark::kMicrosecond) __VA_ARGS__
#define PAIR(name) PAIR_WITH(name, )

PAIR(KeyedLookup);
PAIR(SaveReadings);
// Every round gives the trigger to a day that lacks it, so the rounds are counted here: left to
// the library, a fast save would ask for more rounds than the person has recorded days.
PAIR_WITH(SaveAddingTrigger, ->Iterations(1000));
PAIR(SaveRemoving);
PAIR(SaveRemovingOneYear);
// Each round deletes a day of its own, so the rounds are counted here.
PAIR_WITH(DeleteDay, ->Iterations(500));
BENCHMARK(PackAtStart)->Unit(benchmark::kMicrosecond)->Iterations(20);
PAIR(OpenDiary);
BENCHMARK(ReadRecordFiles)->Unit(benchmark::kMicrosecond);
PAIR(MonthOfCells);
PAIR(PreviousDayOfGap);
PAIR(PersonOver43Days);
PAIR(MonthOfRows);

// Prints as usual, and remembers each run's time so the pairs can be compared at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration) micros_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    void printRatios() const {
        std::printf("\n%-22s %14s %14s %12s\n", "work", "Pulmora (us)", "SQLite (us)", "SQLite/Pulmora");
        for (const auto& [name, ours] : micros_) {
            const auto slash = name.find("/Pulmora");
            if (slash == std::string::npos) continue;
            const auto peer = micros_.find(name.substr(0, slash) + "/SQLite");
            if (peer == micros_.end()) continue;
            std::printf("%-22s %14.3f %14.3f %12.3gx\n", name.substr(0, slash).c_str(), ours, peer->second,
                        peer->second / ours);
        }
    }

private:
    std::map<std::string, double> micros_;
};

void printMemory() {
    auto& f = fixture();
    size_t memory = 0, files = 0;
    for (TableId id : store::kAllTables) {
        memory += store::TableAccess::table(f.diary.files, id)->memoryUse();
        files += std::filesystem::file_size(str(f.diary.files.filePath(id)));
    }
    std::printf("\nopen diary: %.1f MiB in memory for %.1f MiB of record files (%.2f times)\n",
                double(memory) / (1 << 20), double(files) / (1 << 20), double(memory) / double(files));
}

}  // namespace
}  // namespace pulmora::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    pulmora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    pulmora::bench::printMemory();
    benchmark::Shutdown();
    return 0;
}
