#include "output/PdfTools.h"
#include "stats/ReportDiary.h"
#include "visit/VisitFirstPage.h"
#include "visit/VisitPack.h"

#include <map>

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

// A report or graph with nothing to show in its period is left out; the first page is always
// there, saying so where the four weeks of the summary hold no recorded day.
TEST(VisitPack, LeavesOutWhatHasNothingToShow) {
    const struct {
        const char* what;
        int daysAgo;
        bool readings;
        size_t pages;
    } cases[] = {
        {"readings on the report date: everything", 0, true, 10},
        {"only symptoms on the report date: no graph", 0, false, 6},
        {"readings 60 days before: no text report", 60, true, 7},
    };
    for (const auto& c : cases) {
        ReportDiary d;
        const store::PersonId p = d.addPerson("Ann");
        store::DayValues v;
        v.morning = c.readings ? 400 : 0;
        v.evening = c.readings ? 420 : 0;
        v.coughDay = true;
        d.addDay(p, D.addDays(-c.daysAgo), v);
        const reports::VisitPack pack = reports::BuildVisitPack(d.diary, {p, "Ann", D}, QPageSize(QPageSize::A4));
        ASSERT_TRUE(pack.available()) << c.what;
        EXPECT_EQ(pack.job.pages.size(), c.pages) << c.what;
        if (c.daysAgo < 28) continue;
        const std::string pdf = d.folder.file("pack.pdf");
        ASSERT_TRUE(reports::SaveVisitPack(pack, QString::fromStdString(pdf)).ok());
        EXPECT_NE(pdfText(pdf, 1).find("No day was recorded from 11 Nov 2026 to 8 Dec 2026"), std::string::npos)
            << pdfText(pdf, 1);
    }
}

// Every page takes the person's days, triggers and medication from one read of each file. (The
// monthly additional's day before the month is a lookup of one day record, not a read of a period.)
TEST(VisitPack, ReadsEachOfThePersonsDayFilesOnce) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann");
    const QString med = d.addMedication(p, "Salbutamol");
    d.addReadings(p, D, 400, 420);
    d.useMedication(p, D, med, 2, "Salbutamol");
    d.meetTrigger(p, D, "POLLEN");
    std::map<store::TableId, int> reads;
    QObject::connect(&d.diary.files, &store::DiaryStore::tableRead, [&](store::TableId id) { ++reads[id]; });
    ASSERT_TRUE(reports::BuildVisitPack(d.diary, {p, "Ann", D}, QPageSize(QPageSize::A4)).available());
    using store::TableId;
    EXPECT_EQ(reads, (std::map<TableId, int>{{TableId::Daily, 1}, {TableId::DlyTrig, 1}, {TableId::DlyMed, 1}}));
}

// The medication with its prescription, no preventer among it, the triggers row by row in as many
// columns as fit (without a summary none of them met), and the zone limits in litres a minute; an
// empty list says so.
TEST(VisitFirstPage, SectionsListTheMedicationTriggersAndZones) {
    reports::VisitDetails details;
    details.medication = {{"SALB0001", "Salbutamol", "Reliever", "2 puffs when needed", "Dr Patel", QDate(2025, 6, 9)}};
    details.triggers = {"Cats", "Cold air", "Dogs", "Exercise", "Pollen"};
    details.best = 500;
    details.predicted = 480;
    details.zoneYellow = 80;
    details.zoneRed = 50;
    const auto sections = reports::visitSections(details, nullptr, 600);
    ASSERT_EQ(sections.size(), 5u);
    EXPECT_EQ(sections[0].rows,
              (std::vector<QStringList>{{"Salbutamol", "Reliever", "2 puffs when needed", "Dr Patel", "9 Jun 2025"}}));
    EXPECT_EQ(sections[1].rows, (std::vector<QStringList>{{"No preventer in use"}}));
    EXPECT_EQ(sections[2].rows, (std::vector<QStringList>{{"None recorded"}}));
    const std::vector<QStringList>& triggers = sections[3].rows;
    ASSERT_EQ(triggers.size(), 2u) << "four to a row across 600 pixels";
    EXPECT_EQ(triggers[0], QStringList({"Cats", "Cold air", "Dogs", "Exercise"}));
    EXPECT_EQ(triggers[1], QStringList({"Pollen", "", "", ""}));
    EXPECT_EQ(sections[4].rows, (std::vector<QStringList>{{"Personal best", "500 l/min"},
                                                          {"Predicted", "480 l/min"},
                                                          {"Yellow zone limit", "400 l/min (80% of best)"},
                                                          {"Red zone limit", "250 l/min (50% of best)"}}));

    const auto empty = reports::visitSections({}, nullptr, 600);
    EXPECT_EQ(empty[0].rows, (std::vector<QStringList>{{"None recorded"}}));
    EXPECT_EQ(empty[3].rows, (std::vector<QStringList>{{"None recorded"}}));
}

}  // namespace
}  // namespace pulmora::test
