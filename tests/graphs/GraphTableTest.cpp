#include "graphs/GraphTable.h"
#include "stats/ReportDiary.h"

namespace pulmora::test {
namespace {

using reports::GraphPeriod;
using reports::WorkingGrid;
using reports::WorkingTable;
namespace pf = reports::peakflow;
namespace sy = reports::symptoms;

const QDate D{2023, 6, 30};

GraphPeriod lastDays(int days) { return reports::graphPeriod(D, days); }

TEST(GraphPeriods, TextsAndDays) {
    EXPECT_EQ(reports::graphPeriodTexts(), QStringList({"1 Month", "3 Months", "6 Months", "9 Months", "Year"}));
    const std::pair<const char*, int> days[] = {{"1 Month", 30}, {"3 Months", 90}, {"6 Months", 180}, {"9 Months", 270},
                                                {"Year", 365},   {"", 0},          {"2 Months", 0}};
    for (const auto& [text, expected] : days) {
        const auto span = reports::graphSpanNamed(text);
        EXPECT_EQ(span ? reports::spanDays(*span) : 0, expected) << text;
    }
}

TEST(GraphPeriods, NineMonthsEndingOnTheLastOfJune) {
    const GraphPeriod nine = lastDays(reports::spanDays(reports::GraphSpan::NineMonths));
    EXPECT_EQ(nine.first, QDate(2022, 10, 3));
    EXPECT_EQ(nine.last, D);
}

class GraphTables : public ::testing::Test {
protected:
    WorkingTable peakFlow(int days = 90) { return reports::LoadPeakFlowTable(d.diary.reports, person, lastDays(days)); }
    WorkingTable symptoms(int days = 90) { return reports::LoadSymptomTable(d.diary.reports, person, lastDays(days)); }
    // The tables as the grid shows them.
    WorkingGrid peakFlowGrid(int days = 90) { return reports::gridOf(peakFlow(days)); }
    WorkingGrid symptomGrid(int days = 90) { return reports::gridOf(symptoms(days)); }

    ReportDiary d;
    store::PersonId person = d.addPerson("Ann", 400, 80, 50);
};

TEST_F(GraphTables, PeakFlowColumnsHeadingsAndWidthSamples) {
    const WorkingGrid t = peakFlowGrid();
    EXPECT_EQ(t.headings, QStringList({"Date:", "Day:", "Morning:", "Evening:", "Diurnal:", "Morning % of Best:",
                                       "Evening % of Best:", "", "", ""}));
    EXPECT_EQ(t.widthSamples, QStringList({"99X99X9999XX", "DAYXX", "DIURNIALX", "DIURNIALX", "DIURNIALX",
                                           "MorningxXxofxBest:", "EveningxXxofxBest:", "", "", ""}));
}

TEST_F(GraphTables, SymptomColumnsHeadingsAndWidthSamples) {
    const WorkingGrid t = symptomGrid();
    EXPECT_EQ(t.headings, QStringList({"Date:", "Day:", "Act.Sport:", "Act.Normal:", "Off Wrk/Sch:", "Breath.Morn:",
                                       "Breath.Even:", "Chest.Morn:", "Chest.Even:", "Cough.Morn:", "Cough.Even:",
                                       "Wheeze.Morn:", "Wheeze.Even:", "Preventor:", "Reliever:", "Rated:", ""}));
    ASSERT_EQ(t.widthSamples.size(), 17);
    EXPECT_EQ(t.widthSamples[0], "99X99X9999XX");
    EXPECT_EQ(t.widthSamples[1], "DAYXX");
    for (int c = 2; c <= 15; ++c) EXPECT_EQ(t.widthSamples[c], "Act.Normal:") << c;
    EXPECT_EQ(t.widthSamples[16], "");
}

TEST_F(GraphTables, AnEveningOnlyDay) {
    d.addReadings(person, D, 0, 300);
    const WorkingTable table = peakFlow();
    EXPECT_EQ(table.person.best, 400);
    ASSERT_TRUE(table.hasData());
    EXPECT_EQ(table.days[0].morningPercent, std::nullopt);
    EXPECT_EQ(table.days[0].eveningPercent, 75);
    EXPECT_EQ(table.days[0].diurnal, std::nullopt);
    const WorkingGrid t = reports::gridOf(table);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0], QStringList({"30/Jun/2023", "Fri", "0", "300", "-", "-", "75", "20230630", "0", "0"}));
}

TEST_F(GraphTables, PeakFlowRowsNewestFirstWithTheirFigures) {
    store::DayValues v;
    v.morning = 400;
    v.evening = 300;
    v.rating = 2;
    v.relievers = 3;
    d.addDay(person, QDate(2023, 6, 1), v);
    d.addReadings(person, QDate(2023, 6, 4), 300, 300);
    d.addReadings(person, QDate(2023, 6, 2), 250, 0);  // 62.5 %
    const WorkingGrid t = peakFlowGrid();
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0], QStringList({"4/Jun/2023", "Sun", "300", "300", "0", "75", "75", "20230604", "0", "0"}));
    EXPECT_EQ(t.rows[1], QStringList({"2/Jun/2023", "Fri", "250", "0", "-", "62", "-", "20230602", "0", "0"}));
    // 100 / 350 x 100 = 28.57
    EXPECT_EQ(t.rows[2], QStringList({"1/Jun/2023", "Thu", "400", "300", "29", "100", "75", "20230601", "2", "3"}));
}

TEST_F(GraphTables, TheBestIsRaisedToTheHighestReadingOfThePeriod) {
    d.addReadings(person, D.addDays(-1), 500, 250);
    d.setBest(person, "Ann", 400);
    EXPECT_EQ(peakFlow().person.best, 500);
    const WorkingGrid t = peakFlowGrid();
    EXPECT_EQ(t.rows[0][pf::MorningPercent], "100");
    EXPECT_EQ(t.rows[0][pf::EveningPercent], "50");
}

TEST_F(GraphTables, HalvesGoToTheEvenNeighbour) {
    d.setBest(person, "Ann", 200);
    d.addReadings(person, D, 1, 3);  // 0.5 % and 1.5 %
    const WorkingGrid t = peakFlowGrid();
    EXPECT_EQ(t.rows[0][pf::MorningPercent], "0");
    EXPECT_EQ(t.rows[0][pf::EveningPercent], "2");
    EXPECT_EQ(t.rows[0][pf::Diurnal], "100");
}

TEST_F(GraphTables, OnlyTheDaysOfThePeriodWithAReadingAreTaken) {
    const GraphPeriod nine = lastDays(270);
    d.addReadings(person, nine.first, 300, 0);
    d.addReadings(person, nine.first.addDays(-1), 300, 0);
    d.addReadings(person, D.addDays(1), 300, 0);
    store::DayValues symptomsOnly;
    symptomsOnly.coughDay = true;
    d.addDay(person, D.addDays(-3), symptomsOnly);
    const store::PersonId other = d.addPerson("Bob");
    d.addReadings(other, D.addDays(-2), 300, 300);
    const WorkingGrid t = peakFlowGrid(270);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0][pf::DateKey], "20221003");
    EXPECT_EQ(symptoms(270).days.size(), 1u);
}

TEST_F(GraphTables, AnEmptyPeriodKeepsOneEmptyRow) {
    store::DayValues symptomsOnly;
    symptomsOnly.wheezeNight = true;
    d.addDay(person, D, symptomsOnly);
    for (const WorkingTable& t : {peakFlow(), symptoms()}) {
        const WorkingGrid grid = reports::gridOf(t);
        ASSERT_EQ(grid.rows.size(), 1u);
        EXPECT_EQ(grid.rows[0], QStringList(grid.headings.size(), QString()));
        EXPECT_FALSE(t.hasData());
        EXPECT_TRUE(t.person.reportAvailable);  // the day is recorded, it just has no reading
    }
}

TEST_F(GraphTables, TheSpareRowGoes) {
    for (int n = 1; n <= 3; ++n) {
        d.addReadings(person, D.addDays(-10 * n), 300, 300);
        EXPECT_EQ(peakFlowGrid().rows.size(), size_t(n));
        for (const QStringList& row : peakFlowGrid().rows) EXPECT_FALSE(row[pf::Date].isEmpty());
    }
}

TEST_F(GraphTables, SymptomRowTexts) {
    store::DayValues v;
    v.morning = 300;
    v.sportRestricted = v.offWork = v.breathNight = v.chestDay = v.coughNight = v.wheezeDay = true;
    v.preventers = 2;
    v.relievers = 4;
    v.rating = 3;
    d.addDay(person, QDate(2023, 6, 5), v);
    store::DayValues w;
    w.evening = 280;
    w.activityRestricted = w.breathDay = w.chestNight = w.coughDay = w.wheezeNight = true;
    w.rating = 1;
    d.addDay(person, QDate(2023, 6, 6), w);
    const WorkingGrid t = symptomGrid();
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[1], QStringList({"05-Jun-2023 ", "Mon", "Yes", "", "Yes", "", "Yes", "Yes", "", "", "Yes", "Yes",
                                      "", "2", "4", "Good", "20230605"}));
    EXPECT_EQ(t.rows[0], QStringList({"06-Jun-2023 ", "Tue", "", "Yes", "", "Yes", "", "", "Yes", "Yes", "", "", "Yes",
                                      "0", "0", "Bad", "20230606"}));
    d.addReadings(person, QDate(2023, 6, 7), 300, 300);
    EXPECT_EQ(symptomGrid().rows[0][sy::Rated], "");
}

}  // namespace
}  // namespace pulmora::test
