#include "output/PdfTools.h"
#include "stats/ReportDiary.h"
#include "visit/ActionPlan.h"
#include "visit/RoomPage.h"

namespace pulmora::test {
namespace {

// The limits come from the personal card's own best by half-to-even rounding (75 % of 470 is
// 352.5: 352; 45 % of it 211.5: 212); without a best the figures are left blank to fill in.
TEST(ActionPlan, BandsGiveTheLimitsFromTheOwnBest) {
    const struct {
        int best, yellow, red;
        QStringList headings;
    } cases[] = {
        {500,
         80,
         50,
         {"Doing well: peak flow above 400 l/min (80 % of best)", "Getting worse: peak flow 250 to 400 l/min",
          "Medical alert: peak flow below 250 l/min"}},
        {470,
         75,
         45,
         {"Doing well: peak flow above 352 l/min (75 % of best)", "Getting worse: peak flow 212 to 352 l/min",
          "Medical alert: peak flow below 212 l/min"}},
        {0,
         80,
         50,
         {"Doing well: peak flow above _____ l/min (80 % of best)", "Getting worse: peak flow _____ to _____ l/min",
          "Medical alert: peak flow below _____ l/min"}},
    };
    for (const auto& c : cases) {
        ReportDiary d;
        const store::PersonId p = d.addPerson("Ann", c.best, c.yellow, c.red);
        // A reading above the best, the best then entered below it again on the personal card: the
        // reports take their best from the reading, the plan only from the card.
        d.addReadings(p, QDate(2026, 12, 8), 700, 0);
        ASSERT_TRUE(d.diary.persons.AddPer(p, ReportDiary::details("Ann", c.best, c.yellow, c.red)));
        EXPECT_EQ(reports::planBandHeadings(reports::readActionPlan(d.diary, p, QDate(2026, 12, 8))), c.headings)
            << c.best;
    }
}

// The printed page is searchable text: the bands, the medication with its instructions under
// its band, and for a person without a best the line saying so.
TEST(ActionPlan, PrintsTheMedicationAndSaysWhenThereIsNoBest) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 0, 80, 50);
    ASSERT_TRUE(
        cards::addMedication(d.diary, p, "Salbutamol", store::kReliever, QDate(2024, 1, 1), "2 puffs when needed"));
    const reports::ActionPlan plan = reports::readActionPlan(d.diary, p, QDate(2026, 12, 8));
    const std::string pdf = d.folder.file("plan.pdf");
    const QSizeF a4 = reports::portraitRoom(QPageSize(QPageSize::A4), false);
    ASSERT_TRUE(output::printToPdf(QString::fromStdString(pdf), reports::PrintActionPlan(plan, a4)).ok());
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1");
    const std::string text = pdfText(pdf, 1);
    for (const char* expected :
         {"Asthma Action Plan", "Printed on 8 Dec 2026", "Personal best: not recorded",
          "left blank for the doctor or nurse", "Getting worse: peak flow _____ to _____ l/min", "Salbutamol",
          "2 puffs when needed", "What to do", "reliever does not help", "Doctor or nurse", "Emergency number"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_LT(text.find("Getting worse"), text.find("Salbutamol")) << "the reliever stands under the yellow band";
}

}  // namespace
}  // namespace pulmora::test
