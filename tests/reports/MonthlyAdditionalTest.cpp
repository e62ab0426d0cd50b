#include "PictureCheck.h"
#include "pictures/Pictures.h"
#include "reports/MonthlyAdditional.h"
#include "reports/ReportPicture.h"
#include "stats/ReportDiary.h"

#include <cmath>

namespace pulmora::test {
namespace {

using reports::Change;
using reports::DrawCellText;
using reports::ReportCanvas;
using reports::colours::kLime;
using reports::colours::kRed;
using reports::colours::kYellow;

const QColor kBlack(Qt::black), kWhite(Qt::white);

// What a compared cell shows.
enum class Mark { Nothing, LimeUp, LimeDown, RedUp, RedDown, Bar, Unknown };

std::ostream& operator<<(std::ostream& out, Mark mark) {
    const char* names[] = {"nothing", "lime up", "lime down", "red up", "red down", "yellow bar", "unknown"};
    return out << names[int(mark)];
}

// A monthly additional report up to Tuesday 8 December 2026: column 1 is 8 November, column 31
// the report date.
class MonthlyAdditionalPicture : public ::testing::Test {
protected:
    static inline const QDate D{2026, 12, 8};
    const reports::MonthlyMetrics m = reports::measureMonthlyAdditional();

    static QDate day(int column) { return D.addDays(column - 31); }
    reports::ReportResult additional(const store::PersonId& person, qreal ratio = 1.0) {
        return reports::MonthlyAdditional(d.diary.reports, person, D, ratio);
    }
    static const reports::MonthlyAdditionalFigures& figures(const reports::ReportResult& report) {
        return std::get<reports::MonthlyAdditionalFigures>(report.figures);
    }
    int rh() const { return m.rowHeight; }
    int cw() const { return m.columnWidth; }
    int x(int column) const { return m.columnLeft(column); }
    QRect inside(int column, int row) const { return QRect(x(column) + 1, row * rh() + 1, cw() - 2, rh() - 2); }

    // The mark in a day's cell, told by its colour at the middle of the glyph and by whether its
    // wide side is at the top (down) or at the bottom (up).
    Mark markAt(const QImage& pic, int column, int row) const {
        if (blank(pic, inside(column, row))) return Mark::Nothing;
        const int left = x(column), top = row * rh();
        const int s = int(std::trunc(cw() * 0.5)) - 8;
        const int cx = left + int(std::trunc(cw() * 0.5 - s * 0.5)) + 4;
        const int ty = top + int(std::trunc(rh() * 0.5 - s * 0.5)) - 1;
        const QColor middle = at(pic, cx, ty + 4);
        if (middle == kYellow) return Mark::Bar;
        const bool wideTop = at(pic, cx - s + 2, ty + 1) == middle;
        const bool wideBottom = at(pic, cx - s + 2, ty + s - 1) == middle;
        if (wideTop == wideBottom) return Mark::Unknown;
        if (middle == kLime) return wideTop ? Mark::LimeDown : Mark::LimeUp;
        if (middle == kRed) return wideTop ? Mark::RedDown : Mark::RedUp;
        return Mark::Unknown;
    }
    ::testing::AssertionResult shows(const QImage& pic, int column, int row, const QString& text) const {
        return sameAsDrawn(pic, inside(column, row),
                           [&](ReportCanvas& c) { DrawCellText(c, x(column), row * rh(), cw(), rh(), text); });
    }
    // Whether the day's cell holds the red box of a trigger met.
    bool redBox(const QImage& pic, int column, int row) const {
        const int left = x(column), top = row * rh();
        return at(pic, left + 4, top + 5) == kBlack && at(pic, left + 5, top + 5) == kRed &&
               at(pic, left + cw() - 5, top + 5) == kRed && at(pic, left + cw() - 4, top + 5) == kBlack &&
               at(pic, left + 3, top + 5) != kRed && at(pic, left + 8, top + 3) == kBlack &&
               at(pic, left + 8, top + rh() - 4) == kBlack && at(pic, left + 8, top + rh() - 3) != kRed;
    }
    void day(const store::PersonId& person, int column, int morning, int evening, int relievers = 0) {
        store::DayValues v;
        v.morning = morning;
        v.evening = evening;
        v.relievers = relievers;
        d.addDay(person, MonthlyAdditionalPicture::day(column), v);
    }

    ReportDiary d;
};

TEST_F(MonthlyAdditionalPicture, SizeAndViewportWithoutLists) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 31, 400, 450);
    const auto report = additional(ann);
    EXPECT_EQ(report.picture().size(), QSize(32 * cw() + m.labelWidth, 11 * rh() + 1 + rh() + 2));
    const reports::Viewport v = report.viewport;
    EXPECT_EQ(v.FixedWidth, m.labelWidth + m.columnWidth + 1);
    EXPECT_EQ(v.HeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(v.GraphHeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(v.StepX, cw());
    EXPECT_EQ(v.StepY, rh());
    EXPECT_EQ(v.GraphShown, 0);
    EXPECT_EQ(v.GraphStripHeight, 0);
    EXPECT_EQ(QSize(v.PictureWidth, v.PictureHeight), report.picture().size());
    EXPECT_FALSE(report.hasGraphStrip());  // the card keeps its graph strip button hidden
    EXPECT_EQ(report.kind(), reports::ReportKind::MonthlyAdditional);
    EXPECT_EQ(report.status, " Monthly Additional Report for Period Starting 8 Nov 2026 to 8 Dec 2026");
    EXPECT_TRUE(report.periods().empty());
    ASSERT_EQ(figures(report).days.size(), 31u);
    EXPECT_EQ(figures(report).days.front().day, day(1));
    EXPECT_EQ(figures(report).days.back().day, D);
    EXPECT_TRUE(figures(report).medications.empty());
    EXPECT_TRUE(figures(report).triggers.empty());
}

TEST_F(MonthlyAdditionalPicture, FixedRowsAndTheirLabels) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 31, 400, 450);
    const QImage pic = additional(ann).picture();
    EXPECT_TRUE(writes(pic, 5, 1, "Day/Month:", Style::Italic));
    EXPECT_TRUE(writes(pic, 5, rh() + 1, "Day of Week:", Style::Italic));
    const std::pair<int, QString> headings[] = {{2, "Peak Flow Previous Day Comparison:"},
                                                {6, "Symptom Previous Day Comparison:"},
                                                {9, "Medication Previous Day Comparison:"}};
    for (const auto& [row, heading] : headings) {
        EXPECT_TRUE(writes(pic, 5, row * rh() + 1, heading)) << row;
        // The heading row lies over the day columns: no column lines in it.
        EXPECT_EQ(at(pic, x(20), row * rh() + 5), kWhite) << row;
        EXPECT_EQ(at(pic, x(20), row * rh()), kBlack) << row;
    }
    const std::pair<int, QString> labels[] = {{3, "Morning"}, {4, "Evening"}, {5, "Diurnal Variation"},
                                              {7, "Day"},     {8, "Night"},   {10, "Reliever Usage"}};
    for (const auto& [row, label] : labels) EXPECT_TRUE(writes(pic, 15, row * rh() + 1, label)) << row;
    EXPECT_EQ(at(pic, x(1) - 10, 4 * rh()), kWhite);  // the labels share one merged cell
    EXPECT_EQ(at(pic, x(20), 4 * rh() + 5), kBlack);  // the days keep their grid
    EXPECT_TRUE(shows(pic, 1, 0, "8/11"));
    EXPECT_TRUE(shows(pic, 1, 1, "Sun"));
    EXPECT_TRUE(shows(pic, 31, 0, "8/12"));
}

TEST_F(MonthlyAdditionalPicture, MorningAndEveningArrowsAgainstThePreviousDay) {
    const store::PersonId ann = d.addPerson("Ann", 600);
    day(ann, 1, 400, 500);
    day(ann, 2, 420, 450);
    day(ann, 3, 380, 480);
    day(ann, 4, 380, 480);
    const auto report = additional(ann);
    const QImage& pic = report.picture();
    EXPECT_EQ(markAt(pic, 1, 3), Mark::Nothing);  // nothing recorded before the month
    EXPECT_EQ(markAt(pic, 2, 3), Mark::LimeUp);
    EXPECT_EQ(markAt(pic, 3, 3), Mark::RedDown);
    EXPECT_EQ(markAt(pic, 4, 3), Mark::Bar);
    EXPECT_EQ(markAt(pic, 2, 4), Mark::RedDown);
    EXPECT_EQ(markAt(pic, 3, 4), Mark::LimeUp);
    EXPECT_EQ(markAt(pic, 4, 4), Mark::Bar);
    // Diurnal variation 22, then 7, then 23: a smaller swing is better.
    EXPECT_EQ(markAt(pic, 2, 5), Mark::LimeDown);
    EXPECT_EQ(markAt(pic, 3, 5), Mark::RedUp);
    EXPECT_EQ(markAt(pic, 4, 5), Mark::Bar);
    EXPECT_EQ(figures(report).days[1].morning, Change::Up);
    EXPECT_EQ(figures(report).days[2].morning, Change::Down);
    EXPECT_EQ(figures(report).days[3].morning, Change::Level);
    EXPECT_EQ(figures(report).days[1].diurnal, Change::Down);
}

TEST_F(MonthlyAdditionalPicture, RelieverAndSymptomArrows) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 1, 400, 0, 2);
    day(ann, 2, 400, 0, 3);
    day(ann, 3, 400, 0, 1);
    day(ann, 4, 400, 0, 1);
    store::DayValues v;
    v.coughDay = v.wheezeDay = true;
    v.chestNight = true;
    d.addDay(ann, day(5), v);
    const QImage pic = additional(ann).picture();
    EXPECT_EQ(markAt(pic, 2, 10), Mark::RedUp);  // more reliever is worse
    EXPECT_EQ(markAt(pic, 3, 10), Mark::LimeDown);
    EXPECT_EQ(markAt(pic, 4, 10), Mark::Bar);
    EXPECT_EQ(markAt(pic, 5, 10), Mark::LimeDown);
    // No symptoms on either day still compares: a level bar.
    EXPECT_EQ(markAt(pic, 2, 7), Mark::Bar);
    EXPECT_EQ(markAt(pic, 2, 8), Mark::Bar);
    EXPECT_EQ(markAt(pic, 5, 7), Mark::RedUp);
    EXPECT_EQ(markAt(pic, 5, 8), Mark::RedUp);
    EXPECT_EQ(markAt(pic, 5, 3), Mark::Nothing);  // no morning reading on day 5
    EXPECT_EQ(markAt(pic, 2, 4), Mark::Nothing);  // no evening readings at all
    EXPECT_EQ(markAt(pic, 2, 5), Mark::Nothing);
    EXPECT_EQ(markAt(pic, 1, 10), Mark::Nothing);  // the first recorded day has nothing to compare with
    EXPECT_EQ(markAt(pic, 1, 7), Mark::Nothing);
}

TEST_F(MonthlyAdditionalPicture, DaysOneAndThreeAreComparedAcrossAnUnrecordedDayTwo) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 1, 400, 450, 2);
    day(ann, 3, 380, 450, 2);
    const auto report = additional(ann);
    const QImage& pic = report.picture();
    EXPECT_EQ(markAt(pic, 3, 3), Mark::RedDown);
    EXPECT_EQ(markAt(pic, 3, 4), Mark::Bar);
    EXPECT_EQ(markAt(pic, 3, 10), Mark::Bar);
    // Day 2: blank below its weekday, without its row lines; the date and weekday stay.
    EXPECT_FALSE(figures(report).days[1].recorded);
    EXPECT_TRUE(shows(pic, 2, 0, "9/11"));
    EXPECT_TRUE(shows(pic, 2, 1, "Mon"));
    // The blank's edges lie on the row lines above and below it: single lines, not doubled.
    EXPECT_EQ(at(pic, x(2) + 10, 2 * rh()), kBlack);
    EXPECT_EQ(at(pic, x(2) + 10, 2 * rh() - 1), kWhite);
    EXPECT_EQ(at(pic, x(2) + 10, 11 * rh()), kBlack);
    EXPECT_EQ(at(pic, x(2) + 10, 11 * rh() - 1), kWhite);
    for (int row : {3, 4, 5, 7, 8, 10}) {
        EXPECT_TRUE(blank(pic, inside(2, row))) << row;
        EXPECT_EQ(at(pic, x(2) + 10, row * rh()), row == 3 || row == 7 || row == 10 ? kBlack : kWhite) << row;
    }
    EXPECT_EQ(at(pic, x(1) + 10, 4 * rh()), kBlack);  // a recorded day keeps them
}

TEST_F(MonthlyAdditionalPicture, EqualDiurnalVariationsGiveTheYellowBar) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 10, 400, 500);
    day(ann, 11, 500, 400);
    day(ann, 12, 500, 0);
    day(ann, 13, 450, 400);
    const QImage pic = additional(ann).picture();
    EXPECT_EQ(markAt(pic, 11, 5), Mark::Bar);
    EXPECT_EQ(markAt(pic, 11, 3), Mark::LimeUp);
    EXPECT_EQ(markAt(pic, 11, 4), Mark::RedDown);
    // The diurnal row needs both readings on both days.
    EXPECT_EQ(markAt(pic, 12, 5), Mark::Nothing);
    EXPECT_EQ(markAt(pic, 13, 5), Mark::Nothing);
    EXPECT_EQ(markAt(pic, 13, 4), Mark::Nothing);  // day 12 has no evening reading
    EXPECT_EQ(markAt(pic, 13, 3), Mark::RedDown);
}

// The first day of the month compares with the person's last record before it.
TEST_F(MonthlyAdditionalPicture, TheFirstDayComparesWithTheLastRecordBeforeTheMonth) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, -5, 400, 450, 1);
    day(ann, 1, 420, 450, 0);
    const QImage pic = additional(ann).picture();
    EXPECT_EQ(markAt(pic, 1, 3), Mark::LimeUp);
    EXPECT_EQ(markAt(pic, 1, 4), Mark::Bar);
    EXPECT_EQ(markAt(pic, 1, 10), Mark::LimeDown);
    EXPECT_EQ(markAt(pic, 1, 7), Mark::Bar);
}

TEST_F(MonthlyAdditionalPicture, OneMedicationOnThreeDaysIsOneRow) {
    const store::PersonId ann = d.addPerson("Ann");
    const QString salbutamol = d.addMedication(ann, "Salbutamol");
    const QString budesonide = d.addMedication(ann, "Budesonide", "Preventer");
    for (int column : {3, 10, 31}) day(ann, column, 400, 450);
    d.useMedication(ann, day(3), salbutamol, 2, "Salbutamol");
    d.useMedication(ann, day(10), salbutamol, 12, "Salbutamol");
    d.useMedication(ann, day(31), salbutamol, 1, "Salbutamol");
    d.useMedication(ann, day(10), budesonide, 2, "Budesonide");
    d.useMedication(ann, day(0), budesonide, 5, "Budesonide");  // before the month
    const auto report = additional(ann);
    const QImage& pic = report.picture();
    // A heading row and two medication rows.
    EXPECT_EQ(pic.height(), 14 * rh() + 1 + rh() + 2);
    ASSERT_EQ(figures(report).medications.size(), 2u);
    EXPECT_EQ(figures(report).medications[0].name, "Budesonide");  // in identifier order
    ASSERT_EQ(figures(report).medications[1].days.size(), 3u);
    EXPECT_EQ(figures(report).medications[1].days[1].day, day(10));
    EXPECT_EQ(figures(report).medications[1].days[1].value, "12");
    EXPECT_TRUE(writes(pic, 5, 11 * rh() + 1, "Medication Used:"));
    EXPECT_TRUE(writes(pic, 15, 12 * rh() + 1, "Budesonide"));
    EXPECT_TRUE(writes(pic, 15, 13 * rh() + 1, "Salbutamol"));
    EXPECT_TRUE(shows(pic, 10, 12, "2"));
    EXPECT_TRUE(shows(pic, 3, 13, "2"));
    EXPECT_TRUE(shows(pic, 10, 13, "12"));
    EXPECT_TRUE(shows(pic, 31, 13, "1"));
    EXPECT_TRUE(blank(pic, inside(3, 12)));
    // The names share the merged label area; the days have their grid, closed under the last row.
    EXPECT_EQ(at(pic, 10, 13 * rh()), kWhite);
    EXPECT_EQ(at(pic, x(10) + 10, 13 * rh()), kBlack);
    EXPECT_EQ(at(pic, x(10), 13 * rh() + 5), kBlack);
    EXPECT_EQ(at(pic, 10, 14 * rh()), kBlack);
}

// A line holds its days in the order they were recorded, not in date order, and takes its name
// from the first of them, as a medication renamed since keeps its identifier.
TEST_F(MonthlyAdditionalPicture, ALineListsItsDaysInTheOrderTheyWereRecorded) {
    const store::PersonId ann = d.addPerson("Ann");
    const QString med = d.addMedication(ann, "Salbutamol");
    for (int column : {10, 31}) day(ann, column, 400, 450);
    d.useMedication(ann, day(31), med, 1, "Salbutamol");
    d.meetTrigger(ann, day(31), "DUST");
    d.useMedication(ann, day(10), med, 3, "Ventolin");
    d.meetTrigger(ann, day(10), "DUST");
    const auto report = additional(ann);
    using Entries = std::vector<std::pair<QDate, QString>>;
    const auto entries = [](const reports::ListLine& line) {
        Entries e;
        for (const reports::ListEntry& entry : line.days) e.emplace_back(entry.day, entry.value);
        return e;
    };
    ASSERT_EQ(figures(report).medications.size(), 1u);
    EXPECT_EQ(figures(report).medications[0].name, "Salbutamol");
    EXPECT_EQ(entries(figures(report).medications[0]), (Entries{{day(31), "1"}, {day(10), "3"}}));
    ASSERT_EQ(figures(report).triggers.size(), 1u);
    EXPECT_EQ(entries(figures(report).triggers[0]), (Entries{{day(31), ""}, {day(10), ""}}));
}

TEST_F(MonthlyAdditionalPicture, TriggersAreNamedAsSentencesWithARedBoxADay) {
    const store::PersonId ann = d.addPerson("Ann");
    for (int column : {2, 4, 5}) day(ann, column, 400, 450);
    d.meetTrigger(ann, day(2), "HOUSE DUST");
    d.meetTrigger(ann, day(5), "HOUSE DUST");
    d.meetTrigger(ann, day(4), "COLD AIR");
    const auto report = additional(ann);
    const QImage& pic = report.picture();
    ASSERT_EQ(figures(report).triggers.size(), 2u);
    EXPECT_EQ(figures(report).triggers[0].name, "Cold air");
    EXPECT_EQ(figures(report).triggers[1].name, "House dust");
    EXPECT_EQ(pic.height(), 14 * rh() + 1 + rh() + 2);
    EXPECT_TRUE(writes(pic, 5, 11 * rh() + 1, "Triggers Encountered:"));  // row 11 without medication
    EXPECT_TRUE(writes(pic, 15, 12 * rh() + 1, "Cold air"));
    EXPECT_TRUE(writes(pic, 15, 13 * rh() + 1, "House dust"));
    EXPECT_TRUE(redBox(pic, 4, 12));
    EXPECT_TRUE(redBox(pic, 2, 13));
    EXPECT_TRUE(redBox(pic, 5, 13));
    EXPECT_FALSE(redBox(pic, 4, 13));
    EXPECT_TRUE(blank(pic, inside(2, 12)));
}

TEST_F(MonthlyAdditionalPicture, TheTriggerSectionFollowsTheMedicationSection) {
    const store::PersonId ann = d.addPerson("Ann");
    const QString salbutamol = d.addMedication(ann, "Salbutamol");
    day(ann, 7, 400, 450);
    d.useMedication(ann, day(7), salbutamol, 3, "Salbutamol");
    d.meetTrigger(ann, day(7), "POLLEN");
    const QImage pic = additional(ann).picture();
    EXPECT_EQ(pic.height(), 15 * rh() + 1 + rh() + 2);
    EXPECT_TRUE(writes(pic, 5, 13 * rh() + 1, "Triggers Encountered:"));
    EXPECT_TRUE(writes(pic, 15, 14 * rh() + 1, "Pollen"));
    EXPECT_TRUE(shows(pic, 7, 12, "3"));
    EXPECT_TRUE(redBox(pic, 7, 14));
    // The footer under a black line closing the last list row.
    EXPECT_EQ(at(pic, 10, 15 * rh()), kBlack);
    const QString footer = "Report from 8 Nov 2026 to 8 Dec 2026";
    QFont bold = reports::reportFont();
    bold.setBold(true);
    const int footerLeft = m.width - reports::measure(bold).horizontalAdvance(footer);
    EXPECT_TRUE(writes(pic, footerLeft, 15 * rh() + 1 + 2, footer, Style::Bold));
}

// A use or a trigger recorded on a day that has no daily record is still shown; only that
// column's list grid is blanked.
// The longest names the record files hold (20 characters a medication, 25 a trigger) in wide
// letters: the label area grows to hold them, and the first day's cells keep only their own marks.
TEST_F(MonthlyAdditionalPicture, TheLongestNamesLeaveTheFirstDaysCellUntouched) {
    const store::PersonId ann = d.addPerson("Ann");
    const QString medication = QString(20, QLatin1Char('W'));
    const QString med = d.addMedication(ann, medication);
    day(ann, 1, 400, 450);
    d.useMedication(ann, day(1), med, 12, medication);
    d.meetTrigger(ann, day(1), QString(25, QLatin1Char('M')));
    const auto report = additional(ann);
    const reports::MonthlyMetrics wide =
        reports::measureMonthlyAdditional(figures(report).medications, figures(report).triggers);
    ASSERT_GT(wide.labelWidth, m.labelWidth);
    EXPECT_EQ(report.picture().width(), wide.width);
    EXPECT_EQ(report.viewport.FixedWidth, wide.fixedWidth());
    const QImage& pic = report.picture();
    const int first = wide.columnLeft(1);
    EXPECT_TRUE(writes(pic, 15, 12 * rh() + 1, medication));
    EXPECT_TRUE(sameAsDrawn(pic, QRect(first + 1, 12 * rh() + 1, cw() - 2, rh() - 2),
                            [&](ReportCanvas& c) { DrawCellText(c, first, 12 * rh(), cw(), rh(), "12"); }));
    EXPECT_TRUE(writes(pic, 15, 14 * rh() + 1, "M" + QString(24, QLatin1Char('m'))));
    EXPECT_TRUE(blank(pic, QRect(first + 1, 14 * rh() + 1, 2, rh() - 2)));  // left of the red box
}

// Scrolled to the last days, the section headings still read whole in the fixed label area.
TEST_F(MonthlyAdditionalPicture, HeadingsStayWholeWhenTheDaysScroll) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 1, 400, 450);
    const auto report = additional(ann);
    reports::Viewport v = report.viewport;
    const QSize view(v.FixedWidth + 5 * cw(), report.picture().height());
    reports::navigate(v, reports::Navigation::End, view);
    ASSERT_GT(v.ScrollX, 0);
    const QImage shown = reports::PaintViewport(report.picture(), v, view);
    for (const auto& [row, heading] :
         {std::pair{2, "Peak Flow Previous Day Comparison:"}, std::pair{6, "Symptom Previous Day Comparison:"},
          std::pair{9, "Medication Previous Day Comparison:"}})
        EXPECT_TRUE(writes(shown, 5, row * rh() + 1, heading)) << heading;
}

TEST_F(MonthlyAdditionalPicture, AUseOnADayWithoutARecordIsStillShown) {
    const store::PersonId ann = d.addPerson("Ann");
    const QString salbutamol = d.addMedication(ann, "Salbutamol");
    const QString budesonide = d.addMedication(ann, "Budesonide", "Preventer");
    day(ann, 1, 400, 450);
    d.useMedication(ann, day(1), budesonide, 1, "Budesonide");
    d.useMedication(ann, day(1), salbutamol, 1, "Salbutamol");
    d.useMedication(ann, day(6), salbutamol, 4, "Salbutamol");  // day 6 has no record
    d.meetTrigger(ann, day(1), "CATS");
    d.meetTrigger(ann, day(6), "DOGS");
    const auto report = additional(ann);
    const QImage& pic = report.picture();
    ASSERT_FALSE(figures(report).days[5].recorded);
    // Medication rows 12 and 13, the trigger heading 14, trigger rows 15 and 16.
    EXPECT_TRUE(shows(pic, 6, 13, "4"));
    EXPECT_TRUE(redBox(pic, 6, 16));
    // The blanked column has no line between its list rows, a recorded one keeps it.
    EXPECT_EQ(at(pic, x(6) + 3, 13 * rh()), kWhite);
    EXPECT_EQ(at(pic, x(6) + 3, 16 * rh()), kWhite);
    EXPECT_EQ(at(pic, x(1) + 3, 13 * rh()), kBlack);
    EXPECT_EQ(at(pic, x(1) + 3, 16 * rh()), kBlack);
    EXPECT_EQ(at(pic, x(6) + 3, 14 * rh()), kBlack);  // the trigger heading lies over the lists
    EXPECT_TRUE(blank(pic, inside(6, 12)));
}

TEST_F(MonthlyAdditionalPicture, WithoutReadingsThePeakFlowRowsAreLeftOut) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    const QString med = d.addMedication(bea, "Salbutamol");
    day(ann, 30, 400, 450, 1);
    day(ann, 31, 0, 0, 2);
    day(bea, 30, 0, 0, 1);
    day(bea, 31, 0, 0, 2);
    d.useMedication(bea, day(31), med, 2, "Salbutamol");
    const auto full = additional(ann), shortOne = additional(bea);
    ASSERT_TRUE(shortOne.available);
    EXPECT_EQ(shortOne.picture().height(), 11 * rh() + 1 + 2 * rh() + rh() + 2 - 4 * rh());
    EXPECT_EQ(shortOne.viewport.PictureHeight, shortOne.picture().height());
    EXPECT_EQ(shortOne.viewport.HeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(shortOne.viewport.GraphStripHeight, 0);
    const QImage& pic = shortOne.picture();
    EXPECT_EQ(pic.copy(0, 0, m.width, 2 * rh()), full.picture().copy(0, 0, m.width, 2 * rh()));
    EXPECT_TRUE(writes(pic, 5, 2 * rh() + 1, "Symptom Previous Day Comparison:"));
    EXPECT_TRUE(writes(pic, 15, 6 * rh() + 1, "Reliever Usage"));
    EXPECT_EQ(markAt(pic, 31, 6), Mark::RedUp);  // the reliever row, now row 6
    EXPECT_EQ(markAt(pic, 31, 3), Mark::Bar);    // the day symptoms, now row 3
    EXPECT_TRUE(writes(pic, 15, 8 * rh() + 1, "Salbutamol"));
    EXPECT_TRUE(shows(pic, 31, 8, "2"));
    // The picture with readings is exactly 4 rows taller.
    const auto withList = [&] {
        const store::PersonId cat = d.addPerson("Cat");
        const QString catMed = d.addMedication(cat, "Salbutamol");
        day(cat, 31, 400, 0, 2);
        d.useMedication(cat, day(31), catMed, 2, "Salbutamol");
        return additional(cat);
    }();
    EXPECT_EQ(withList.picture().height(), pic.height() + 4 * rh());
}

TEST_F(MonthlyAdditionalPicture, WithoutAnyRecordTheSplashIsShown) {
    const store::PersonId ann = d.addPerson("Ann");
    day(ann, 0, 400, 400);
    const QString med = d.addMedication(ann, "Salbutamol");
    d.useMedication(ann, day(5), med, 2, "Salbutamol");  // a use alone does not make a report
    const auto report = additional(ann);
    EXPECT_FALSE(report.available);
    EXPECT_EQ(report.kind(), reports::ReportKind::MonthlyAdditional);
    EXPECT_EQ(report.status, " Cannot Produce Report as there is no Data for Period Starting 8 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(report.picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    EXPECT_TRUE(figures(report).days.empty());
    EXPECT_TRUE(figures(report).medications.empty());
}

// Printing records the same drawing as vectors and replays it at the printer's resolution.
TEST_F(MonthlyAdditionalPicture, TheDrawingRecordsIntoAVectorPicture) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    const QString med = d.addMedication(ann, "Salbutamol");
    day(ann, 1, 400, 450, 1);
    day(ann, 2, 420, 430, 2);
    d.useMedication(ann, day(2), med, 2, "Salbutamol");
    d.meetTrigger(ann, day(2), "DAMP");
    day(bea, 2, 0, 0, 2);
    for (const store::PersonId& person : {ann, bea}) {
        const auto report = additional(person);
        EXPECT_EQ(replayed(report), report.picture());
    }
}

// The glyphs themselves, in a cell of the report's size at (100, 50).
TEST(DrawChangeGlyph, TrianglesAndTheBarWhereTheyBelong) {
    const reports::MonthlyMetrics m = reports::measureMonthly();
    const int cw = m.columnWidth, rh = m.rowHeight, left = 100, top = 50;
    const int s = cw / 2 - 8;
    const int cx = left + int(std::trunc(cw * 0.5 - s * 0.5)) + 4;
    const int ty = top + int(std::trunc(rh * 0.5 - s * 0.5)) - 1;
    auto draw = [&](Change kind, bool higherIsBetter) {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        ReportCanvas c(p, 300);
        reports::DrawChangeGlyph(c, m, left, top, kind, higherIsBetter);
        return image;
    };
    const QImage up = draw(Change::Up, true);
    EXPECT_EQ(at(up, cx, ty), kBlack);  // the apex
    EXPECT_EQ(at(up, cx, ty - 1), kWhite);
    EXPECT_EQ(at(up, cx - s + 1, ty + s), kBlack);  // the base
    EXPECT_EQ(at(up, cx + s - 1, ty + s), kBlack);
    EXPECT_EQ(at(up, cx, ty + s + 1), kWhite);
    EXPECT_EQ(at(up, cx, ty + 4), kLime);
    EXPECT_EQ(at(draw(Change::Up, false), cx, ty + 4), kRed);
    const QImage down = draw(Change::Down, true);
    EXPECT_EQ(at(down, cx - s + 1, ty), kBlack);  // the top edge
    EXPECT_EQ(at(down, cx, ty + s), kBlack);      // the apex
    EXPECT_EQ(at(down, cx, ty + s + 1), kWhite);
    EXPECT_EQ(at(down, cx, ty + 4), kRed);
    EXPECT_EQ(at(draw(Change::Down, false), cx, ty + 4), kLime);
    const QImage level = draw(Change::Level, false);
    const int barTop = top + int(std::trunc(rh * 0.5 - 2)), barBottom = top + int(std::trunc(rh * 0.5 + 2));
    EXPECT_EQ(at(level, left + 8, barTop + 1), kBlack);
    EXPECT_EQ(at(level, left + 9, barTop + 1), kYellow);
    EXPECT_EQ(at(level, left + cw - 10, barTop + 1), kYellow);
    EXPECT_EQ(at(level, left + cw - 9, barTop + 1), kBlack);
    EXPECT_EQ(at(level, left + cw - 8, barTop + 1), kWhite);
    EXPECT_EQ(at(level, left + 12, barTop - 1), kWhite);
    EXPECT_EQ(at(level, left + 12, barTop), kBlack);
    EXPECT_EQ(at(level, left + 12, barBottom - 1), kBlack);
    EXPECT_EQ(at(level, left + 12, barBottom), kWhite);
}

}  // namespace
}  // namespace pulmora::test
