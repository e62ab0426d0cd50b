#include "reports/ControlSummary.h"
#include "stats/ReportDiary.h"

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

// Four weeks with 15 recorded days and none before them: the summary says how few days it rests
// on, and the four weeks before answer nothing rather than claim good control.
TEST(ControlSummaryText, FewDaysAreSaidAndWeeksWithoutADayAnswerNothing) {
    ReportDiary d;
    const QString p = d.addPerson("Ann", 500, 80, 50);
    for (int i = 0; i < 15; ++i) d.addReadings(p, D.addDays(-i), 400, 420);
    const reports::SummaryText text = reports::summaryText(stats::CollectAsthmaControl(d.diary.reports, p, D));

    EXPECT_EQ(text.title, "Control Summary from 11 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(text.notes, QStringList({reports::kNotADiagnosis, "This summary rests on 15 recorded days."}));
    const std::vector<reports::SummaryLine>& lines = text.sections.front().lines;
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].values, QStringList({"15 of 28", "0 of 28"}));
    EXPECT_EQ(lines[2].values, QStringList({"No (0 days)", ""}));
    EXPECT_EQ(lines[3].values, QStringList({"No (0 nights)", ""}));
    EXPECT_EQ(lines[4].values, QStringList({"No (0 days, 0 doses)", ""}));
    EXPECT_EQ(lines[5].values, QStringList({"No (0 days)", ""}));
    EXPECT_EQ(lines[6].values, QStringList({"Well controlled", "No days recorded"}));
}

}  // namespace
}  // namespace pulmora::test
