// The reports on a 10-person, 20-year diary: building the weekly comparison (its statistics and
// its composed picture) and opening the report card up to its first painted report. There is no
// SQLite peer: these measure the statistics and pictures on top of the store.
#include "reports/TAsRep.h"
#include "reports/WeeklyComparison.h"
#include "sample/SampleDiary.h"
#include "stats/PeriodStats.h"
#include "store/Clock.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

using namespace pulmora;

const QDate kLastDay(2026, 11, 30);

struct Fixture {
    QTemporaryDir folder;
    store::Diary diary;
    store::PersonRef person;

    Fixture() {
        store::clock::setToday(kLastDay);
        diary.files.setFolder(folder.path());
        diary.files.setWaitForDisk(false);
        diary.files.OpenDB();
        tools::SampleDiary(diary, {10, 20, 7, kLastDay}).write();
        diary.files.OpenDB();
        person = *diary.persons.GetPerDly(store::Persons::Step::First);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void WeeklyStatistics(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        const store::RepPerson figures =
            f.diary.reports.GetRPer(f.person.id, kLastDay.addDays(-42), kLastDay);
        for (int week = 1; week <= stats::kWeeks; ++week)
            benchmark::DoNotOptimize(stats::CollectPeriodStats(f.diary.reports, f.person.id,
                                                               stats::weeklyWeek(kLastDay, week), figures));
    }
}

void WeeklyComparisonBuild(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        const reports::ReportResult report = reports::WeeklyComparison(f.diary.reports, f.person.id, kLastDay);
        if (!report.available) state.SkipWithError("the sample person has no report");
        benchmark::DoNotOptimize(report.picture.constBits());
    }
}

void OpenReportCard(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        reports::TAsRep card(f.diary);
        card.Open(f.person.id, f.person.nickname, kLastDay, {false, QRect(0, 0, 637, 432)});
        card.show();
        QImage painted(card.size(), QImage::Format_RGB32);
        card.render(&painted);
        if (!card.ReportAvailable()) state.SkipWithError("the card shows no report");
        state.PauseTiming();
        card.close();
        state.ResumeTiming();
    }
}

BENCHMARK(WeeklyStatistics)->Unit(benchmark::kMicrosecond);
BENCHMARK(WeeklyComparisonBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenReportCard)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
