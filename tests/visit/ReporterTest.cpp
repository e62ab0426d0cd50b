#include "graphs/GraphChart.h"
#include "graphs/GraphFigures.h"
#include "output/PdfTools.h"
#include "pages/ReportPage.h"
#include "reports/ControlSummary.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/ReportFigures.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "stats/ReportDiary.h"
#include "support/FileSystems.h"
#include "visit/RoomPage.h"
#include "visit/YearPage.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <map>

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

TEST(FiguresJson, NamesEveryFigure) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    d.addReadings(p, D, 400, 450);
    const auto report = reports::WeeklyComparison(d.diary.reports, p, D);
    const QJsonObject o = reports::figuresJson(report);
    EXPECT_EQ(o["kind"].toString(), "D");
    EXPECT_EQ(o["status"].toString(), report.status);
    const QJsonObject person = o["person"].toObject();
    EXPECT_EQ(person["Best"].toInt(), 500);
    EXPECT_EQ(person["ZYel"].toInt(), 80);
    EXPECT_EQ(person["ZRed"].toInt(), 50);
    EXPECT_TRUE(person["ReportAvailable"].toBool());
    EXPECT_TRUE(person["AnyReading"].toBool());
    const QJsonArray periods = o["periods"].toArray();
    ASSERT_EQ(periods.size(), 6);
    const QJsonObject week6 = periods[5].toObject();
    EXPECT_EQ(week6["caption"].toString(), "Week 6");
    EXPECT_EQ(week6["first"].toString(), "2026-12-02");
    EXPECT_EQ(week6["last"].toString(), "2026-12-08");
    EXPECT_EQ(week6["MornAverage"].toInt(), 400);
    EXPECT_EQ(week6["EvenLowest"].toInt(), 450);
    EXPECT_EQ(week6["DiurnalAverage"].toInt(), 12);
    EXPECT_EQ(week6["DaysRecorded"].toInt(), 1);
    EXPECT_EQ(week6["MornYellow"].toInt(), 1);
    EXPECT_EQ(week6["ChsN"].toInt(), 0);
    EXPECT_EQ(week6.size(), int(stats::periodFields().size()) + 3);
    EXPECT_EQ(periods[0].toObject()["first"].toString(), "2026-10-28");
    const QJsonObject viewport = o["viewport"].toObject();
    EXPECT_EQ(viewport["PictureHeight"].toInt(), report.viewport.PictureHeight);
    EXPECT_EQ(viewport["GraphShown"].toInt(), 1);
    EXPECT_EQ(viewport.size(), int(reports::viewportFields().size()));
}

TEST(FiguresJson, WithoutAReportThereIsNoViewport) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann");
    const QJsonObject o = reports::figuresJson(reports::WeeklyComparison(d.diary.reports, p, D));
    EXPECT_TRUE(o["viewport"].isNull());
    EXPECT_TRUE(o["periods"].toArray().isEmpty());
    EXPECT_FALSE(o["person"].toObject()["ReportAvailable"].toBool());
    EXPECT_EQ(o["kind"].toString(), "D");
}

TEST(FiguresJson, TheMonthlyBasicGivesOnePeriod) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    d.addReadings(p, D, 400, 450);
    d.addReadings(p, D.addDays(-30), 300, 0);
    const QJsonObject o = reports::figuresJson(reports::MonthlyBasic(d.diary.reports, p, D));
    EXPECT_EQ(o["kind"].toString(), "T");
    const QJsonArray periods = o["periods"].toArray();
    ASSERT_EQ(periods.size(), 1);
    const QJsonObject month = periods[0].toObject();
    EXPECT_EQ(month["first"].toString(), "2026-11-08");
    EXPECT_EQ(month["last"].toString(), "2026-12-08");
    EXPECT_EQ(month["MornAverage"].toInt(), 350);
    EXPECT_EQ(month["DaysRecorded"].toInt(), 2);
    EXPECT_EQ(o["viewport"].toObject()["GraphStripHeight"].toInt(), 200);
    EXPECT_FALSE(o.contains("days"));  // the day columns are the monthly additional's
}

TEST(FiguresJson, TheMonthlyAdditionalGivesItsDayColumnsAndLists) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    const QString med = d.addMedication(p, "Salbutamol");
    store::DayValues v;
    v.morning = 400;
    v.relievers = 2;
    d.addDay(p, D.addDays(-2), v);
    v.morning = 380;
    v.relievers = 2;
    d.addDay(p, D, v);
    d.useMedication(p, D.addDays(-2), med, 2, "Salbutamol");
    d.useMedication(p, D, med, 3, "Salbutamol");
    d.meetTrigger(p, D, "HOUSE DUST");
    const QJsonObject o = reports::figuresJson(reports::MonthlyAdditional(d.diary.reports, p, D));
    EXPECT_EQ(o["kind"].toString(), "Y");
    EXPECT_TRUE(o["periods"].toArray().isEmpty());
    const QJsonArray days = o["days"].toArray();
    ASSERT_EQ(days.size(), 31);
    EXPECT_EQ(days[0].toObject()["date"].toString(), "2026-11-08");
    EXPECT_EQ(days[29].toObject(), (QJsonObject{{"date", "2026-12-07"}, {"recorded", false}}));
    EXPECT_EQ(days[28].toObject(), (QJsonObject{{"date", "2026-12-06"}, {"recorded", true}}));  // nothing before it
    EXPECT_EQ(days[30].toObject(), (QJsonObject{{"date", "2026-12-08"},
                                                {"recorded", true},
                                                {"morning", "down"},
                                                {"daySymptoms", "level"},
                                                {"nightSymptoms", "level"},
                                                {"reliever", "level"}}));
    const QJsonArray meds = o["medications"].toArray();
    ASSERT_EQ(meds.size(), 1);
    EXPECT_EQ(meds[0].toObject()["name"].toString(), "Salbutamol");
    EXPECT_EQ(meds[0].toObject()["days"].toArray(), (QJsonArray{QJsonObject{{"date", "2026-12-06"}, {"value", "2"}},
                                                                QJsonObject{{"date", "2026-12-08"}, {"value", "3"}}}));
    const QJsonArray triggers = o["triggers"].toArray();
    ASSERT_EQ(triggers.size(), 1);
    EXPECT_EQ(triggers[0].toObject()["name"].toString(), "House dust");
    EXPECT_EQ(triggers[0].toObject()["days"].toArray(),
              (QJsonArray{QJsonObject{{"date", "2026-12-08"}, {"value", ""}}}));
}

// ---- the command-line reporter -----------------------------------------------------------------

class Reporter : public ::testing::Test {
protected:
    void SetUp() override {
        person = d.addPerson("Ann", 500, 80, 50);
        d.addReadings(*person, D, 400, 450);
        d.addReadings(*person, D.addDays(-20), 380, 0);
        d.diary.files.CloseDB();
    }
    std::string run(const std::string& arguments, int& status) const {
        return runCommand(std::string(PULMORA_REPORT_TOOL) + " " + arguments + " 2>" + errors(), status);
    }
    std::string errors() const { return out.file("errors.txt"); }
    std::string errorText() const {
        const auto bytes = readBytes(errors());
        return {bytes.begin(), bytes.end()};
    }
    std::string folder() const { return d.folder.path().string(); }
    // Every file of the diary folder with its bytes.
    std::map<std::string, std::vector<char>> diaryFiles() const {
        std::map<std::string, std::vector<char>> files;
        for (const auto& entry : std::filesystem::directory_iterator(d.folder.path()))
            if (entry.is_regular_file()) files[entry.path().filename().string()] = readBytes(entry.path().string());
        return files;
    }

    ReportDiary d;
    TempFolder out;
    std::optional<store::PersonId> person;
};

TEST_F(Reporter, WritesThePictureAndTheFiguresWithoutTouchingTheDiary) {
    const auto before = diaryFiles();
    const std::string png = out.file("weekly.png");
    int status = -1;
    const std::string json =
        run(folder() + " --person Ann --date 2026-12-08 --report weekly --out " + png + " --figures", status);
    ASSERT_EQ(status, 0) << errorText();
    EXPECT_EQ(diaryFiles(), before);

    d.diary.files.OpenDB();
    const auto report = reports::WeeklyComparison(d.diary.reports, *person, D);
    QImage written(QString::fromStdString(png));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), report.picture());

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json;
    EXPECT_EQ(doc.object(), reports::figuresJson(report));
}

TEST_F(Reporter, WritesTheMonthlyReportsAndTheControlSummary) {
    const std::pair<std::string, reports::ReportBuilder> kinds[] = {{"monthly-basic", reports::MonthlyBasic},
                                                                    {"monthly-additional", reports::MonthlyAdditional},
                                                                    {"summary", reports::ControlSummary}};
    for (const auto& [name, build] : kinds) {
        const std::string png = out.file(name + ".png");
        int status = -1;
        const std::string json =
            run(folder() + " --person Ann --date 2026-12-08 --report " + name + " --out " + png + " --figures", status);
        ASSERT_EQ(status, 0) << name << ": " << errorText();
        d.diary.files.OpenDB();
        const auto report = build(d.diary.reports, *person, D, 1.0);
        d.diary.files.CloseDB();
        EXPECT_TRUE(report.available) << name;
        QImage written(QString::fromStdString(png));
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), report.picture()) << name;
        const QJsonObject printed = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
        EXPECT_EQ(printed, reports::figuresJson(report)) << name;
    }
}

// The plan and the year page are whole pages, written as PNG pictures of them; the year's figures
// are those the page is drawn from.
TEST_F(Reporter, WritesThePlanAndTheLastTwelveMonths) {
    int status = -1;
    for (const char* kind : {"plan", "year"}) {
        const std::string png = out.file(std::string(kind) + ".png");
        run(folder() + " --person Ann --date 2026-12-08 --report " + kind + " --out " + png, status);
        ASSERT_EQ(status, 0) << kind << ": " << errorText();
        EXPECT_EQ(QImage(QString::fromStdString(png)).size(),
                  reports::roomPageSize(reports::portraitRoom(QPageSize(QPageSize::A4), false)))
            << kind << ": the page filling A4 within its margins";
    }
    const std::string json = run(
        folder() + " --person Ann --date 2026-12-08 --report year --out " + out.file("y.pdf") + " --figures", status);
    ASSERT_EQ(status, 0) << errorText();
    d.diary.files.OpenDB();
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(json)).object(),
              reports::yearFiguresJson(stats::CollectYearRisks(d.diary.reports, *person, D)));
}

TEST_F(Reporter, WithoutFiguresNothingIsPrinted) {
    int status = -1;
    const std::string printed =
        run(folder() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("w.png"), status);
    EXPECT_EQ(status, 0) << errorText();
    EXPECT_TRUE(printed.empty());
    EXPECT_TRUE(std::filesystem::exists(out.file("w.png")));
}

TEST_F(Reporter, RefusesAMissingPersonABadDateAndAnUnwritableOutput) {
    int status = -1;
    const std::string png = out.file("w.png");
    run(folder() + " --person Nobody --date 2026-12-08 --report weekly --out " + png, status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("no person with the nickname \"Nobody\""), std::string::npos) << errorText();
    for (const char* date : {"2026-02-30", "8/12/2026", "2026-12-8"}) {
        run(folder() + " --person Ann --date " + date + " --report weekly --out " + png, status);
        EXPECT_EQ(status, 2) << date;
        EXPECT_NE(errorText().find("is not a day written YYYY-MM-DD"), std::string::npos) << errorText();
    }
    run(folder() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("missing/w.png"), status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("cannot write the picture"), std::string::npos) << errorText();
    run(folder() + " --person Ann --date 2026-12-08 --report monthly --out " + png, status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("is not one of: weekly, monthly-basic, monthly-additional"), std::string::npos)
        << errorText();
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(Reporter, PrintsThePagesAsPdf) {
    const std::pair<const char*, const char*> kinds[] = {{"weekly", "595 x 842 pts (A4)"},
                                                         {"monthly-basic", "842 x 595 pts (A4)"},
                                                         {"monthly-additional", "842 x 595 pts (A4)"},
                                                         {"summary", "595 x 842 pts (A4)"}};
    for (const auto& [name, paper] : kinds) {
        const std::string pdf = out.file(std::string(name) + ".pdf");
        int status = -1;
        run(folder() + " --person Ann --date 2026-12-08 --report " + name + " --out " + pdf, status);
        ASSERT_EQ(status, 0) << name << ": " << errorText();
        EXPECT_EQ(pdfInfoField(pdf, "Page size"), paper) << name;
        EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1") << name;
        const std::string text = pdfText(pdf, 1);
        EXPECT_NE(text.find(": Smith"), std::string::npos) << name << "\n" << text;
        EXPECT_NE(text.find("Notes"), std::string::npos) << name << "\n" << text;
    }
}

// The visit pack: its first page, the action plan, the last 12 months, the three reports as they
// print and the four graphs over three months, every page with the person's name, the pack's
// period and its number; a person without a recorded day in the three months has no pack.
TEST_F(Reporter, WritesTheVisitPack) {
    const std::string pdf = out.file("pack.pdf");
    int status = -1;
    run(folder() + " --person Ann --date 2026-12-08 --report pack --out " + pdf, status);
    ASSERT_EQ(status, 0) << errorText();
    ASSERT_EQ(pdfInfoField(pdf, "Pages"), "10");
    const std::string titles[] = {"Medication in Use:",
                                  "Asthma Action Plan",
                                  "The Last 12 Months",
                                  "Weekly Comparison Report",
                                  "Monthly Basic Report",
                                  "Monthly Additional Report",
                                  "Percentage Best Graph for Ann",
                                  "Zone Frequency Graph for Ann",
                                  "Diurnal Variation Graph for Ann",
                                  "Reliever Use vs Percentage Best Graph for Ann"};
    for (int page = 1; page <= 10; ++page) {
        const std::string text = pdfText(pdf, page);
        for (const std::string& expected :
             {titles[page - 1], std::string("Ann Smith"), std::string("9 Sep 2026 to 8 Dec 2026"),
              "Page " + std::to_string(page) + " of 10"})
            EXPECT_NE(text.find(expected), std::string::npos) << "page " << page << " lacks " << expected << "\n"
                                                              << text;
    }
    const std::string sizes = runCommand("pdfinfo -f 1 -l 10 '" + pdf + "'", status);
    for (int page = 1; page <= 10; ++page) {
        char label[32];
        std::snprintf(label, sizeof label, "Page %4d size:", page);  // as pdfinfo aligns the numbers
        const size_t line = sizes.find(label);
        ASSERT_NE(line, std::string::npos) << sizes;
        EXPECT_NE(sizes.substr(line, sizes.find('\n', line) - line).find(page <= 4 ? "595 x 842" : "842 x 595"),
                  std::string::npos)
            << "page " << page << (page <= 4 ? " in portrait" : " in landscape") << "\n"
            << sizes;
    }

    d.diary.files.OpenDB();
    d.addPerson("Bea");
    d.diary.files.CloseDB();
    run(folder() + " --person Bea --date 2026-12-08 --report pack --out " + out.file("none.pdf"), status);
    EXPECT_EQ(status, 3) << errorText();
    EXPECT_FALSE(std::filesystem::exists(out.file("none.pdf")));
}

TEST_F(Reporter, SavesThePictureOfTheSaveWindowAsJpegAndBitmap) {
    const std::string jpg = out.file("monthly.jpg"), bmp = out.file("monthly.bmp");
    int status = -1;
    for (const std::string& file : {jpg, bmp}) {
        run(folder() + " --person Ann --date 2026-12-08 --report monthly-basic --out " + file, status);
        ASSERT_EQ(status, 0) << file << ": " << errorText();
    }
    d.diary.files.OpenDB();
    const QImage expected = reports::savedReportPicture(reports::MonthlyBasic(d.diary.reports, *person, D, 1.0));
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(QImage(QString::fromStdString(bmp)).convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
    const std::vector<char> bytes = readBytes(jpg);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(uchar(bytes[0]), 0xFF);
    EXPECT_EQ(uchar(bytes[1]), 0xD8);
    EXPECT_EQ(QImage(QString::fromStdString(jpg)).size(), expected.size());
}

TEST_F(Reporter, RefusesToPrintOrSaveWithoutAReportAndOtherKindsOfFile) {
    int status = -1;
    for (const char* name : {"none.pdf", "none.jpg", "none.bmp"}) {
        run(folder() + " --person Ann --date 2026-06-01 --report weekly --out " + out.file(name), status);
        EXPECT_EQ(status, 3) << name;  // nothing to report, told apart from a refusal
        EXPECT_NE(errorText().find("there is no report to print or save: Cannot Produce Report"), std::string::npos)
            << errorText();
    }
    run(folder() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("w.gif"), status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("does not end in .png, .pdf, .jpg or .bmp"), std::string::npos) << errorText();
    run(folder() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("missing/w.jpg"), status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("Could not write"), std::string::npos) << errorText();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1) << "only the error text";
}

// A diary and files named in other letters than English ones, under a locale that knows no
// letter beyond ASCII and under one that knows them all: every kind of file is written whole.
TEST_F(Reporter, WritesEveryKindOfFileUnderAnyNameInAnyLocale) {
    namespace fs = std::filesystem;
    const fs::path diary = out.path() / "Zoë Müller" / "Дневник";
    const fs::path into = out.path() / "Zoë Müller" / "Médecin";
    fs::create_directories(diary);
    fs::create_directories(into);
    for (const auto& [name, bytes] : diaryFiles()) writeBytes((diary / name).string(), bytes);
    const std::string report = " --person Ann --date 2026-12-08 --report monthly-basic --out ";
    const std::pair<std::string, std::vector<std::string>> runs[] = {
        {report + "'" + (into / "résumé.pdf").string() + "'", {"résumé.pdf"}},
        {report + "'" + (into / "résumé.jpg").string() + "'", {"résumé.jpg"}},
        {report + "'" + (into / "résumé.bmp").string() + "'", {"résumé.bmp"}},
        {report + "'" + (into / "résumé.png").string() + "'", {"résumé.png"}},
        {" --person Ann --report csv --out '" + (into / "日記.csv").string() + "'", {"日記.csv"}},
        {" --person Ann --date 2026-12-07 --report sheet --separate --out '" + (into / "fiche.png").string() + "'",
         {"fiche-1.png", "fiche-2.png"}},
    };
    for (const char* locale : {"C", "C.UTF-8"}) {
        for (const auto& [arguments, names] : runs) {
            fs::remove_all(into);
            fs::create_directory(into);
            int status = -1;
            runCommand(std::string("LANG=") + locale + " LC_ALL=" + locale + " " + PULMORA_REPORT_TOOL + " '" +
                           diary.string() + "'" + arguments + " 2>" + errors(),
                       status);
            EXPECT_EQ(status, 0) << locale << arguments << ": " << errorText();
            EXPECT_EQ(namesIn(into), names) << locale << arguments;
            for (const std::string& name : namesIn(into))
                EXPECT_GT(fs::file_size(into / name), 100u) << locale << " " << name;
        }
    }
}

// On a full disk every kind of file fails whole, and the tool says why in the system's words.
TEST_F(Reporter, OnAFullDiskEveryKindOfFileSaysWhy) {
    TempFolder full;
    ScratchFileSystem disk(full.path(), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    ASSERT_TRUE(disk.fill());
    const std::string report = " --person Ann --date 2026-12-08 --report monthly-basic --out ";
    for (const std::string& arguments :
         {report + full.file("m.pdf"), report + full.file("m.jpg"), report + full.file("m.bmp"),
          report + full.file("m.png"), " --person Ann --report csv --out " + full.file("m.csv")}) {
        int status = -1;
        run(folder() + arguments, status);
        EXPECT_EQ(status, 2) << arguments;
        EXPECT_NE(errorText().find("No space left on device"), std::string::npos) << arguments << ": " << errorText();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(full.path()), {}), 1) << "only the filler";
    }
}

// No file the tool writes replaces one of the diary's own, of the store's or the program's.
TEST_F(Reporter, RefusesToWriteOverTheDiarysOwnFiles) {
    std::filesystem::create_directories(d.folder.path() / "backups" / "2026-12-08");
    std::filesystem::create_directories(d.folder.path() / "help");
    writeBytes(d.folder.file("pulmora.ini"), std::vector<char>(168, '\0'));
    const auto before = diaryFiles();
    const std::string report = " --person Ann --date 2026-12-08 --report weekly --out ";
    const std::string csv = " --person Ann --report csv --out ";
    for (const std::string& arguments :
         {csv + d.folder.file("Daily.dat"), csv + d.folder.file("pulmora.ini"), csv + d.folder.file("pulmora.lock"),
          report + d.folder.file("backups/2026-12-08/w.pdf"), report + d.folder.file("help/w.png")}) {
        int status = -1;
        run(folder() + arguments, status);
        EXPECT_EQ(status, 2) << arguments;
        EXPECT_NE(errorText().find("which only the program writes"), std::string::npos)
            << arguments << ": " << errorText();
    }
    EXPECT_EQ(diaryFiles(), before);
    EXPECT_FALSE(std::filesystem::exists(d.folder.file("pulmora.lock")));
    int status = -1;
    run(folder() + csv + d.folder.file("Ann.csv"), status);  // beside them is the user's to choose
    EXPECT_EQ(status, 0) << errorText();
}

// A diary on a read-only disk (a backup, a mounted stick) can still be reported on.
TEST_F(Reporter, ReadsADiaryInAReadOnlyFolder) {
    TempFolder shelf;
    ReadOnlyFolder readOnly(shelf.path());
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    for (const auto& [name, bytes] : diaryFiles()) writeBytes((shelf.path() / name).string(), bytes);
    ASSERT_TRUE(readOnly.apply());
    int status = -1;
    run(shelf.path().string() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("w.png"), status);
    EXPECT_EQ(status, 0) << errorText();
    EXPECT_TRUE(std::filesystem::exists(out.file("w.png")));
}

TEST_F(Reporter, NeverCreatesRecordFiles) {
    TempFolder empty;
    int status = -1;
    run(empty.path().string() + " --person Ann --date 2026-12-08 --report weekly --out " + out.file("w.png"), status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errorText().find("holds no diary"), std::string::npos) << errorText();
    EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST_F(Reporter, WritesAGraphAndItsFigures) {
    const auto before = diaryFiles();
    const std::string png = out.file("graph.png");
    int status = -1;
    const std::string json = run(folder() +
                                     " --person Ann --date 2026-12-08 --report graph --option \"Percentage Best\""
                                     " --period \"3 Months\" --date-axis --out " +
                                     png + " --figures",
                                 status);
    ASSERT_EQ(status, 0) << errorText();
    EXPECT_EQ(diaryFiles(), before);

    d.diary.files.OpenDB();
    const reports::GraphRequest request{reports::GraphOption::PercentageBest, "Ann", reports::graphPeriod(D, 90), true};
    const reports::GraphRun graph = reports::runGraph(d.diary.reports, *person, request);
    ASSERT_EQ(graph.plan.cSerA.points.size(), 3u);
    // The date axis: the day 20 days back takes slot 1, the report day's two readings slots 21 and 22.
    EXPECT_EQ(graph.plan.cSerA.points.back().x, 22);
    const QJsonObject printed = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(printed, reports::graphFiguresJson(graph.table, graph.plan));
    EXPECT_EQ(printed["title"].toArray().first().toString(), "Percentage Best Graph for Ann");
    EXPECT_EQ(printed["table"].toObject()["rows"].toArray().size(), 2);
    const QImage written(QString::fromStdString(png));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
              reports::renderGraph(graph.plan, written.size()).convertToFormat(QImage::Format_RGB32));
}

// A graph prints on a landscape page and is saved on white, as the card's buttons do; a graph
// with nothing to plot is not written, and the tool says so.
TEST_F(Reporter, PrintsAndSavesAGraph) {
    const std::string graph = folder() + " --person Ann --report graph --option \"Zone Frequency\" --period Year";
    int status = -1;
    const std::string pdf = out.file("zones.pdf"), jpg = out.file("zones.jpg"), bmp = out.file("zones.bmp");
    for (const std::string& file : {pdf, jpg, bmp}) {
        run(graph + " --date 2026-12-08 --out " + file, status);
        ASSERT_EQ(status, 0) << file << ": " << errorText();
    }
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1");
    EXPECT_NE(pdfText(pdf, 1).find("Zone Frequency Graph for Ann"), std::string::npos);
    const std::vector<char> bytes = readBytes(jpg);
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(uchar(bytes[0]), 0xFF);
    EXPECT_EQ(uchar(bytes[1]), 0xD8);
    EXPECT_EQ(QImage(QString::fromStdString(jpg)).size(), QSize(800, 500));

    for (const char* name : {"empty.pdf", "empty.jpg", "empty.png"}) {
        run(graph + " --date 2024-01-01 --out " + out.file(name), status);
        EXPECT_EQ(status, 3) << name;
        EXPECT_NE(errorText().find("there is no graph to write: There is no information to plot in the Graph?!"),
                  std::string::npos)
            << errorText();
        EXPECT_FALSE(std::filesystem::exists(out.file(name))) << name;
    }

    d.diary.files.OpenDB();
    const reports::GraphRequest request{reports::GraphOption::ZoneFrequency, "Ann", reports::graphPeriod(D, 365),
                                        false};
    const reports::GraphRun run = reports::runGraph(d.diary.reports, *person, request);
    EXPECT_EQ(QImage(QString::fromStdString(bmp)).convertToFormat(QImage::Format_RGB32),
              reports::renderGraph(run.plan, {800, 500}, 1.0, reports::ChartBackground::Plain)
                  .convertToFormat(QImage::Format_RGB32));
}

TEST_F(Reporter, RefusesAGraphWithoutAKnownOptionOrPeriod) {
    const std::string png = out.file("g.png");
    const std::string graph = folder() + " --person Ann --date 2026-12-08 --report graph --out " + png;
    const std::pair<std::string, std::string> cases[] = {
        {" --period \"3 Months\"", "--option is missing"},
        {" --option \"Percentage Best\"", "--period is missing"},
        {" --option Bars --period \"3 Months\"", "the option \"Bars\" is not one of: Percentage Best, Peak Flow Trend"},
        {" --option \"Zone Frequency\" --period Week", "the period \"Week\" is not one of: 1 Month"},
    };
    for (const auto& [arguments, message] : cases) {
        int status = -1;
        run(graph + arguments, status);
        EXPECT_EQ(status, 2) << arguments;
        EXPECT_NE(errorText().find(message), std::string::npos) << errorText();
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace pulmora::test
