// The daily card on a 10-person, 20-year diary: painting a month of the calendar, loading a day
// onto the card, and starting the program up to its first painted window. There is no SQLite
// peer for these: they measure the windows on top of the store.
#include "app/Application.h"
#include "daily/TAsDly.h"
#include "sample/SampleDiary.h"
#include "store/Clock.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

using namespace pulmora;

const QDate kLastDay(2026, 11, 30);

struct Fixture {
    QTemporaryDir folder;
    std::unique_ptr<app::Application> program;

    Fixture() {
        store::clock::setToday(kLastDay);
        {
            store::Diary diary;
            diary.files.setFolder(folder.path());
            diary.files.setWaitForDisk(false);
            diary.files.OpenDB();
            tools::SampleDiary(diary, {10, 20, 7, kLastDay}).write();
        }
        QFile executable(folder.filePath("pulmora"));
        executable.open(QIODevice::WriteOnly);
    }
    daily::TAsDly& card() {
        if (!program) {
            program = std::make_unique<app::Application>(folder.path());
            program->start();
        }
        return program->card();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void CalendarMonth(benchmark::State& state) {
    auto& card = fixture().card();
    card.showDate(kLastDay.addDays(-40));
    auto& cal = *card.findChild<QCalendarWidget*>("Cal");
    QImage image(cal.size(), QImage::Format_RGB32);
    for (auto _ : state) cal.render(&image);
}

void LoadRecordedDay(benchmark::State& state) {
    auto& card = fixture().card();
    QImage image(card.size(), QImage::Format_RGB32);
    int round = 0;
    for (auto _ : state) {
        card.showDate(kLastDay.addDays(-100 - round++ % 2));
        card.render(&image);
    }
}

void StartToFirstPaint(benchmark::State& state) {
    auto& f = fixture();
    f.program.reset();
    for (auto _ : state) {
        app::Application program(f.folder.path());
        program.start();
        QImage image(program.card().size(), QImage::Format_RGB32);
        program.card().render(&image);
        state.PauseTiming();
        program.card().close();
        state.ResumeTiming();
    }
}

BENCHMARK(CalendarMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadRecordedDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(StartToFirstPaint)->Unit(benchmark::kMillisecond);

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
