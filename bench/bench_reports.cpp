// The reports on a 10-person, 20-year diary: building the weekly comparison (its statistics and
// its composed picture), the monthly basic and the monthly additional report (lists included),
// opening the report card up to its first painted report, saving and printing the monthly basic
// report on show as the save window and the print button do, and the graph analyses: the working
// table of a year, the plan drawn from it, and a change of analysis on the card from the choice
// to the painted chart; and the visit pack of the report date written as a PDF file beside the
// single report's print. There is no SQLite peer: these measure the statistics and pictures on
// top of the store.
#include "controls/TDaButton.h"
#include "graphs/GraphPlan.h"
#include "output/PictureFile.h"
#include "output/Printing.h"
#include "pages/ReportPage.h"
#include "reportcard/GraphPage.h"
#include "reportcard/TAsRep.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "sample/SampleDiary.h"
#include "stats/PeriodStats.h"
#include "store/Clock.h"
#include "visit/VisitPack.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

namespace {

using namespace pulmora;

const QDate kLastDay(2026, 11, 30);

// Writes the sample diary into the folder and opens it; answers its first person.
store::PersonRef writeSample(store::Diary& diary, const QString& folder) {
    store::clock::setToday(kLastDay);
    diary.files.setFolder(folder);
    diary.files.setWaitForDisk(false);
    diary.files.OpenDB();
    tools::SampleDiary(diary, {10, 20, 7, kLastDay}).write();
    diary.files.OpenDB();
    return diary.persons.GetPerDly(store::Persons::Step::First).value();
}

struct Fixture {
    QTemporaryDir folder;
    store::Diary diary;
    store::PersonRef person = writeSample(diary, folder.path());
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void WeeklyStatistics(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        const store::PersonPeriod& period = f.diary.reports.GetRPer(f.person.id, kLastDay.addDays(-42), kLastDay);
        for (int week = 1; week <= stats::kWeeks; ++week)
            benchmark::DoNotOptimize(
                stats::CollectPeriodStats(period.days, stats::weeklyWeek(kLastDay, week), period.person));
    }
}

void WeeklyComparisonBuild(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        const reports::ReportResult report = reports::WeeklyComparison(f.diary.reports, f.person.id, kLastDay);
        if (!report.available) state.SkipWithError("the sample person has no report");
        benchmark::DoNotOptimize(report.picture().constBits());
    }
}

void buildReport(benchmark::State& state, reports::ReportBuilder build) {
    auto& f = fixture();
    for (auto _ : state) {
        const reports::ReportResult report = build(f.diary.reports, f.person.id, kLastDay, 1.0);
        if (!report.available) state.SkipWithError("the sample person has no report");
        benchmark::DoNotOptimize(report.picture().constBits());
    }
}

void MonthlyBasicBuild(benchmark::State& state) { buildReport(state, reports::MonthlyBasic); }

void MonthlyAdditionalBuild(benchmark::State& state) { buildReport(state, reports::MonthlyAdditional); }

void OpenReportCard(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state) {
        reports::TAsRep card(f.diary);
        card.Open(f.person, kLastDay, {false, QRect(0, 0, 637, 432)});
        card.show();
        QImage painted(card.size(), QImage::Format_RGB32);
        card.render(&painted);
        if (!card.ReportAvailable()) state.SkipWithError("the card shows no report");
        state.PauseTiming();
        card.close();
        state.ResumeTiming();
    }
}

// The report on show is not built again: the saved picture is composed from it, encoded and
// written under a new name that is renamed over the target.
void saveReport(benchmark::State& state, output::PictureKind kind) {
    auto& f = fixture();
    const reports::ReportResult report = reports::MonthlyBasic(f.diary.reports, f.person.id, kLastDay, 1.0);
    if (!report.available) state.SkipWithError("the sample person has no report");
    const QString target = f.folder.filePath("report." + output::pictureExtension(kind));
    for (auto _ : state) {
        const output::WriteResult saved = output::savePicture(reports::savedReportPicture(report), target, kind);
        if (!saved.ok()) state.SkipWithError(qPrintable(saved.error()));
    }
}

void SaveMonthlyBasicJpeg(benchmark::State& state) { saveReport(state, output::PictureKind::Jpeg); }

void SaveMonthlyBasicBitmap(benchmark::State& state) { saveReport(state, output::PictureKind::Bitmap); }

// The page composed and recorded, printed into a PDF file at the printer's resolution.
void PrintMonthlyBasicPdf(benchmark::State& state) {
    auto& f = fixture();
    const reports::ReportResult report = reports::MonthlyBasic(f.diary.reports, f.person.id, kLastDay, 1.0);
    if (!report.available) state.SkipWithError("the sample person has no report");
    const QString target = f.folder.filePath("report.pdf");
    for (auto _ : state) {
        const output::PrintOutcome printed = output::printToPdf(target, reports::PrintAsthmaReport(report));
        if (!printed.ok()) state.SkipWithError(qPrintable(printed.error()));
    }
}

// Everything the card's "Save Visit Pack as PDF..." does once the file is chosen: the summary, the
// three reports and four graphs built from the store, recorded and printed into a PDF file.
void VisitPackPdf(benchmark::State& state) {
    auto& f = fixture();
    const QString target = f.folder.filePath("pack.pdf");
    for (auto _ : state) {
        const reports::VisitPack pack =
            reports::BuildVisitPack(f.diary, {f.person.id, f.person.nickname, kLastDay}, QPageSize(QPageSize::A4));
        if (!pack.available()) state.SkipWithError("the sample person has no pack");
        const output::PrintOutcome printed = reports::SaveVisitPack(pack, target);
        if (!printed.ok()) state.SkipWithError(qPrintable(printed.error()));
    }
}

const QString kYear = QStringLiteral("Year");

reports::GraphRequest yearOf(reports::GraphOption option) {
    return {option, fixture().person.nickname,
            reports::graphPeriod(kLastDay, reports::spanDays(reports::GraphSpan::Year)), false};
}

void GraphTableYear(benchmark::State& state) {
    auto& f = fixture();
    const reports::GraphPeriod period = yearOf(reports::GraphOption::PeakFlowTrend).period;
    for (auto _ : state) {
        const reports::WorkingTable table = reports::LoadPeakFlowTable(f.diary.reports, f.person.id, period);
        if (!table.hasData()) state.SkipWithError("the sample person has no readings");
        benchmark::DoNotOptimize(table.days.data());
    }
}

// Every analysis of a year, table and plan, one after another.
void GraphAnalysesYear(benchmark::State& state) {
    auto& f = fixture();
    for (auto _ : state)
        for (int option = 0; option < reports::kGraphOptions; ++option) {
            const reports::GraphRun graph =
                reports::runGraph(f.diary.reports, f.person.id, yearOf(reports::GraphOption(option)));
            if (!graph.plan.info.isEmpty()) state.SkipWithError("the sample person has nothing to plot");
            benchmark::DoNotOptimize(graph.plan.cSerA.points.data());
        }
}

// The user picks the next analysis of "Year" on an open card; the time runs to the painted card.
void GraphOptionChange(benchmark::State& state) {
    auto& f = fixture();
    reports::TAsRep card(f.diary);
    card.Open(f.person, kLastDay, {false, QRect(0, 0, 800, 560)});
    card.show();
    emit card.BtnPeakFlow->clicked();
    QComboBox* period = card.TabData->FldPeriod;
    period->setCurrentIndex(period->findText(kYear));
    emit period->activated(period->currentIndex());
    QComboBox* options = card.TabData->FldOptions;
    QImage painted(card.size(), QImage::Format_RGB32);
    int next = 0;
    for (auto _ : state) {
        next = (next + 1) % options->count();
        options->setCurrentIndex(next);
        emit options->activated(next);
        card.render(&painted);
        if (!card.ReportAvailable()) state.SkipWithError("the card shows no graph");
    }
    card.close();
}

BENCHMARK(WeeklyStatistics)->Unit(benchmark::kMicrosecond);
BENCHMARK(WeeklyComparisonBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(MonthlyBasicBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(MonthlyAdditionalBuild)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenReportCard)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveMonthlyBasicJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveMonthlyBasicBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintMonthlyBasicPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(VisitPackPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(GraphTableYear)->Unit(benchmark::kMillisecond);
BENCHMARK(GraphAnalysesYear)->Unit(benchmark::kMillisecond);
BENCHMARK(GraphOptionChange)->Unit(benchmark::kMillisecond);

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
