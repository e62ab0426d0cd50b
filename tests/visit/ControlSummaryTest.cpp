#include "reports/ControlSummary.h"
#include "stats/ReportDiary.h"
#include "store/Clock.h"
#include "visit/VisitFirstPage.h"
#include "visit/VisitPack.h"

#include <functional>

namespace pulmora::test {
namespace {

const QDate D{2026, 12, 8};

// Four weeks with 15 recorded days and none before them: the summary says how few days it rests
// on, and the four weeks before answer nothing rather than claim good control.
TEST(ControlSummaryText, FewDaysAreSaidAndWeeksWithoutADayAnswerNothing) {
    ReportDiary d;
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
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

// The values of the summary's line with the label, or why there is none.
QStringList valuesOf(const reports::SummaryText& text, const QString& label) {
    for (const reports::SummarySection& section : text.sections)
        for (const reports::SummaryLine& line : section.lines)
            if (line.label == label) return line.values;
    return {"no line " + label};
}

std::vector<QStringList> rowsOf(const std::vector<reports::GridSection>& sections, const QString& heading) {
    for (const reports::GridSection& section : sections)
        if (section.heading == heading) return section.rows;
    return {{"no section " + heading}};
}

// Days from the report date back, each with the values the case gives it.
void recordDays(ReportDiary& d, const store::PersonId& p, int count,
                const std::function<void(int, store::DayValues&)>& set) {
    for (int i = 0; i < count; ++i) {
        store::DayValues v;
        set(i, v);
        d.addDay(p, D.addDays(-i), v);
    }
}

struct TodayIs {
    explicit TodayIs(const QDate& date) { store::clock::setToday(date); }
    ~TodayIs() { store::clock::setToday({}); }
};

// Months crafted for the five ways a summary misled: each says only what its days show. Today is
// the report date 8 Dec 2026 (but for the date three weeks ahead); best 500 but where given.
TEST(ControlSummaryText, EachCraftedMonthSaysOnlyWhatTheDiaryShows) {
    using Lines = std::vector<std::pair<QString, QStringList>>;
    using Rows = std::vector<std::pair<QString, std::vector<QStringList>>>;
    const struct {
        const char* what;
        int best;
        std::function<void(ReportDiary&, const store::PersonId&)> craft;
        QDate reportDate;
        QString refusal;  // of the summary, and the visit pack's
        Lines lines;
        Rows page;  // of the visit pack's first page
    } cases[] = {
        {"sparse: 7 days, each with daytime symptoms and 4 reliever doses, at 66-68 % of best",
         500,
         [](ReportDiary& d, const store::PersonId& p) {
             recordDays(d, p, 7, [](int, store::DayValues& v) {
                 v.wheezeDay = v.coughDay = true;
                 v.relievers = 4;
                 v.morning = 330;
                 v.evening = 340;
             });
         },
         D,
         {},
         {{"Days recorded", {"7 of 28", "0 of 28"}},
          {"Daytime symptoms more than twice a week", {"Yes (7 days)", ""}},
          {"Reliever needed more than twice a week", {"Yes (7 days, 28 doses)", ""}},
          {"Level of asthma control", {"Too few days recorded to judge control (7 of 28)", "No days recorded"}},
          {"Average (l/min)", {"330 (66%)", "340 (68%)", "-", "-"}}},
         {}},
        {"a report date three weeks ahead of an uncontrolled month",
         500,
         [](ReportDiary& d, const store::PersonId& p) {
             recordDays(d, p, 28,
                        [](int, store::DayValues& v) { v.coughDay = v.chestNight = v.sportRestricted = true; });
         },
         D.addDays(21),
         " Cannot Produce Report as 29 Dec 2026 is after Today",
         {},
         {}},
        {"days off: three days off work, nothing else",
         500,
         [](ReportDiary& d, const store::PersonId& p) {
             recordDays(d, p, 28, [](int i, store::DayValues& v) { v.offWork = i % 7 == 3 && i < 21; });
         },
         D,
         {},
         {{"Any activity limitation due to asthma", {"Yes (3 days off work or school)", ""}},
          {"Days off work or school", {"3 of 28 days recorded"}},
          {"Level of asthma control", {"Partly controlled", "No days recorded"}}},
         {}},
        {"a reading of 620 on 6 Dec above the stored best of 450, and 700 in the weeks before",
         450,
         [](ReportDiary& d, const store::PersonId& p) {
             recordDays(d, p, 20, [](int i, store::DayValues& v) {
                 v.morning = i == 2 ? 620 : 400;
                 v.evening = 410;
             });
             d.addReadings(p, D.addDays(-30), 700, 410);
             d.setBest(p, "Ann", 450);
         },
         D,
         {},
         {{"Best used", {"620 l/min, the reading of 6 Dec 2026, above the personal best of 450 l/min"}},
          {"Green (620 = 100%)", {"5%", "0%", "100%", "0%"}},
          {"Average (l/min)", {"411 (66%)", "410 (66%)", "700 (113%)", "410 (66%)"}}},
         {{"Personal Best and Zones:",
           {{"Personal best", "450 l/min"},
            {"Predicted", "450 l/min"},
            {"Yellow zone limit", "360 l/min (80% of best)"},
            {"Red zone limit", "225 l/min (50% of best)"}}}}},
        {"a normal month: symptoms on 9 days, one night, the reliever once, the preventer daily, pollen once",
         500,
         [](ReportDiary& d, const store::PersonId& p) {
             ASSERT_TRUE(cards::addTrigger(d.diary, p, "Cats"));
             ASSERT_TRUE(cards::addTrigger(d.diary, p, "Pollen"));
             const QString clenil = d.addMedication(p, "Clenil", store::kPreventer);
             d.addMedication(p, "Salbutamol", store::kReliever);
             recordDays(d, p, 28, [](int i, store::DayValues& v) {
                 v.morning = 400;
                 v.evening = 450;
                 v.coughDay = i < 9;
                 v.wheezeNight = i == 20;
                 v.relievers = i == 3;
             });
             for (int i = 0; i < 28; ++i) d.useMedication(p, D.addDays(-i), clenil, 2, "Clenil");
             d.meetTrigger(p, D.addDays(-3), "POLLEN");
             for (int i = 28; i < 42; ++i) d.addReadings(p, D.addDays(-i), 450, 475);
         },
         D,
         {},
         {{"Daytime symptoms more than twice a week", {"Yes (9 days)", "No (0 days)"}},
          {"Any night symptoms or night waking", {"Yes (1 night)", "No (0 nights)"}},
          {"Reliever needed more than twice a week", {"No (1 day, 1 dose)", "No (0 days, 0 doses)"}},
          {"Level of asthma control", {"Partly controlled", "Well controlled"}},
          {"", {"Morning", "Evening", "Morning", "Evening"}},
          {"Average (l/min)", {"400 (80%)", "450 (90%)", "450 (90%)", "475 (95%)"}},
          {"Mean diurnal variation", {"12% over 28 days", "5% over 14 days"}}},
         {{"Preventer Use, Last 4 Weeks:", {{"Clenil", "Preventer", "on 28 of 28 days recorded", "56 doses"}}},
          {"Triggers Met, Last 4 Weeks:", {{"Pollen (1 day)", "", "", ""}}},
          {"Other Triggers in the List:", {{"Cats", "", "", ""}}}}},
    };
    const TodayIs today(D);
    for (const auto& c : cases) {
        ReportDiary d;
        const store::PersonId p = d.addPerson("Ann", c.best, 80, 50);
        c.craft(d, p);
        const reports::ReportResult summary = reports::ControlSummary(d.diary.reports, p, c.reportDate);
        EXPECT_EQ(reports::noVisitPack(d.diary.reports, {p, "Ann", c.reportDate}),
                  c.refusal.isEmpty() ? QString() : QString(c.refusal).replace("Report", "Visit Pack"))
            << c.what;
        if (!c.refusal.isEmpty()) {
            EXPECT_FALSE(summary.available) << c.what;
            EXPECT_EQ(summary.status, c.refusal) << c.what;
            continue;
        }
        ASSERT_TRUE(summary.available) << c.what;
        const stats::AsthmaControl& control = std::get<reports::ControlSummaryFigures>(summary.figures).control;
        const reports::SummaryText text = reports::summaryText(control);
        for (const auto& [label, values] : c.lines)
            EXPECT_EQ(valuesOf(text, label), values) << c.what << ": " << label.toStdString();
        const auto sections =
            reports::visitSections(reports::readVisitDetails(d.diary.persons, p, summary.person), &control, 600);
        for (const auto& [heading, rows] : c.page)
            EXPECT_EQ(rowsOf(sections, heading), rows) << c.what << ": " << heading.toStdString();
    }
}

}  // namespace
}  // namespace pulmora::test
