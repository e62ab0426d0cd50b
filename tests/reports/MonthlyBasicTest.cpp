#include "PictureCheck.h"
#include "pictures/Pictures.h"
#include "reports/MonthlyBasic.h"
#include "reports/MonthlyLayout.h"
#include "reports/ReportPicture.h"
#include "stats/ReportDiary.h"

namespace pulmora::test {
namespace {

using reports::DrawCellText;
using reports::ReportCanvas;
using reports::colours::kNavy;
using reports::colours::kSilver;
using reports::colours::kYellow;

const QColor kBlack(Qt::black), kWhite(Qt::white);

// A monthly basic report up to Tuesday 8 December 2026: column 1 is 8 November, column 31 the
// report date.
class MonthlyBasicPicture : public ::testing::Test {
protected:
    static inline const QDate D{2026, 12, 8};
    const reports::MonthlyMetrics m = reports::measureMonthly();

    static QDate day(int column) { return D.addDays(column - 31); }
    reports::ReportResult basic(const store::PersonId& person, qreal ratio = 1.0) {
        return reports::MonthlyBasic(d.diary.reports, person, D, ratio);
    }
    int rh() const { return m.rowHeight; }
    int cw() const { return m.columnWidth; }
    int x(int column) const { return m.columnLeft(column); }
    // The top of a table row in the picture with readings.
    int rowTop(int row) const { return 200 + row * rh(); }
    // The inside of a day's cell, without its grid lines.
    QRect inside(int column, int top) const { return QRect(x(column) + 1, top + 1, cw() - 2, rh() - 2); }
    // Whether the day's cell of the row at `top` shows the text, centred as the report centres it.
    ::testing::AssertionResult shows(const QImage& picture, int column, int top, const QString& text) const {
        return sameAsDrawn(picture, inside(column, top),
                           [&](ReportCanvas& c) { DrawCellText(c, x(column), top, cw(), rh(), text); });
    }
    ::testing::AssertionResult showsInRow(const QImage& picture, int column, int row, const QString& text) const {
        return shows(picture, column, rowTop(row), text);
    }
    // The overview's value in a row (22 .. 26) at a multiple of the column width.
    ::testing::AssertionResult overviewValue(const QImage& picture, int row, int valueX, const QString& text) const {
        return writes(picture, valueX, rowTop(row) + 1, text);
    }

    ReportDiary d;
};

TEST_F(MonthlyBasicPicture, SizesFollowTheMeasuredTexts) {
    const QFontMetrics fm = reports::measure(reports::reportFont(8));
    EXPECT_EQ(reports::reportFont(reports::kMonthlyPoints).pixelSize(), 11);
    EXPECT_EQ(m.rowHeight, fm.height() + 2);
    EXPECT_EQ(m.columnWidth, fm.horizontalAdvance("20/W2"));
    EXPECT_EQ(m.labelWidth, fm.horizontalAdvance("W" + QString(29, ' ')));
    EXPECT_EQ(m.width, 32 * m.columnWidth + m.labelWidth);
    EXPECT_EQ(m.columnLeft(32), m.width);  // the month column and 31 days fill the picture

    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, D, 400, 450);
    EXPECT_EQ(basic(ann).picture().size(), QSize(m.width, 27 * rh() + 200));
}

TEST_F(MonthlyBasicPicture, ViewportValuesWithReadings) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, D, 400, 450);
    const auto report = basic(ann);
    const reports::Viewport v = report.viewport;
    EXPECT_EQ(v.FixedWidth, m.labelWidth + m.columnWidth + 1);
    EXPECT_EQ(v.HeaderHeight, 200 + 2 * rh() + 1);
    EXPECT_EQ(v.StepX, cw());
    EXPECT_EQ(v.StepY, rh());
    EXPECT_EQ(v.GraphHeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(v.GraphShown, 1);
    EXPECT_EQ(v.GraphStripHeight, 200);
    EXPECT_EQ(v.ScrollX + v.ScrollY, 0);
    EXPECT_EQ(QSize(v.PictureWidth, v.PictureHeight), report.picture().size());
    EXPECT_TRUE(report.hasGraphStrip());  // the card shows its graph strip button
    EXPECT_EQ(report.kind(), reports::ReportKind::MonthlyBasic);
    EXPECT_EQ(report.status, " Monthly Basic Report for Period Starting 8 Nov 2026 to 8 Dec 2026");
    const auto& figures = std::get<reports::MonthlyBasicFigures>(report.figures);
    EXPECT_EQ(figures.month.first, day(1));
    EXPECT_EQ(figures.month.last, D);
    EXPECT_EQ(figures.stats.DaysRecorded, 1);
}

// Without readings the chart and the six reading rows go: 21 rows, dates and weekdays on top.
TEST_F(MonthlyBasicPicture, WithoutReadingsThePictureHas21Rows) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    d.addReadings(ann, D, 400, 450);
    store::DayValues noReadings;
    noReadings.coughDay = true;
    noReadings.rating = 1;
    d.addDay(bea, D, noReadings);
    const auto full = basic(ann), shortOne = basic(bea);
    ASSERT_TRUE(shortOne.available);
    EXPECT_EQ(shortOne.picture().size(), QSize(m.width, 21 * rh()));
    const reports::Viewport v = shortOne.viewport;
    EXPECT_EQ(v.FixedWidth, m.labelWidth + m.columnWidth + 1);
    EXPECT_EQ(v.HeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(v.GraphHeaderHeight, 2 * rh() + 1);
    EXPECT_EQ(v.GraphShown, 0);
    EXPECT_EQ(v.GraphStripHeight, 0);
    EXPECT_EQ(v.StepX, cw());
    EXPECT_EQ(v.StepY, rh());
    EXPECT_EQ(v.PictureHeight, 21 * rh());
    EXPECT_FALSE(shortOne.hasGraphStrip());

    const QImage& pic = shortOne.picture();
    // Rows 0 and 1 as in the full picture, then the daytime breathlessness row (row 8).
    EXPECT_EQ(pic.copy(0, 0, m.width, 2 * rh()), full.picture().copy(0, 200, m.width, 2 * rh()));
    EXPECT_TRUE(writes(pic, 5, 2 * rh() + 1, "Day"));
    EXPECT_TRUE(writes(pic, reports::measure(reports::reportFont()).horizontalAdvance("NIGHT") + 5, 2 * rh() + 1,
                       "Breathless"));
    // The daytime coughing box of the day, row 9, now 3 rows down.
    EXPECT_EQ(at(pic, x(31) + 10, 3 * rh() + 7), kYellow);
    // The overview without the peak-flow blocks: "Other:" and "Rate Your Asthma:" only.
    const int overview = 16 * rh();
    EXPECT_TRUE(writes(pic, 19 * cw(), overview + 1, "Other:", Style::Bold));
    EXPECT_TRUE(writes(pic, 27 * cw(), overview + 1, "Rate Your Asthma:", Style::Bold));
    EXPECT_TRUE(blank(pic, QRect(cw(), overview + 1, 9 * cw() - 2, 5 * rh() - 2)));
    EXPECT_TRUE(writes(pic, int(28.5 * cw()), overview + rh() + 1, "1 (100% days effected)"));
}

TEST_F(MonthlyBasicPicture, RowLabels) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, D, 400, 450);
    const QImage pic = basic(ann).picture();
    EXPECT_TRUE(writes(pic, 5, rowTop(0) + 1, "Day/Month:", Style::Italic));
    EXPECT_FALSE(writes(pic, 5, rowTop(0) + 1, "Day/Month:"));  // not upright
    const std::pair<int, QString> upright[] = {
        {2, "Morning/Evening Change"}, {3, "Morning Peak Reading"}, {7, "Diurnal Variation %"}, {12, "Night"},
        {16, "Activities Restricted"}, {18, "Off Work/School"},     {21, "Rate Your Asthma"}};
    for (const auto& [row, label] : upright) EXPECT_TRUE(writes(pic, 5, rowTop(row) + 1, label)) << row;
    const int second = reports::measure(reports::reportFont()).horizontalAdvance("NIGHT") + 5;
    EXPECT_TRUE(writes(pic, second, rowTop(9) + 1, "Coughing"));
    EXPECT_TRUE(writes(pic, second, rowTop(15) + 1, "Chest Tightness"));
    // Every day shows its date and weekday, recorded or not.
    EXPECT_TRUE(showsInRow(pic, 1, 0, "8/11"));
    EXPECT_TRUE(showsInRow(pic, 1, 1, "Sun"));
    EXPECT_TRUE(showsInRow(pic, 31, 0, "8/12"));
    EXPECT_TRUE(showsInRow(pic, 31, 1, "Tue"));
}

TEST_F(MonthlyBasicPicture, TheFirstColumnWithARecordShowsNA) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, day(1), 400, 450);
    d.addReadings(ann, day(2), 420, 0);
    const QImage pic = basic(ann).picture();
    EXPECT_TRUE(showsInRow(pic, 1, 2, "N/A"));
    EXPECT_TRUE(showsInRow(pic, 2, 2, "+ /  .."));  // morning up, no evening reading
}

// Without a record on the first day the first recorded day has nothing to compare with.
TEST_F(MonthlyBasicPicture, TheFirstRecordedDayComparesWithAnEmptyMemory) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, day(3), 400, 450);
    d.addReadings(ann, day(4), 380, 470);
    const QImage pic = basic(ann).picture();
    EXPECT_TRUE(showsInRow(pic, 3, 2, ".. /  .."));
    EXPECT_TRUE(showsInRow(pic, 4, 2, "- /  +"));
}

// A record without a morning reading keeps the remembered morning; so does a day without a record.
TEST_F(MonthlyBasicPicture, TheChangeMemorySkipsMissingReadingsAndDays) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, day(3), 400, 450);
    d.addReadings(ann, day(4), 0, 450);
    d.addReadings(ann, day(5), 380, 0);
    d.addReadings(ann, day(8), 390, 440);  // 6 and 7 without a record
    const QImage pic = basic(ann).picture();
    EXPECT_TRUE(showsInRow(pic, 4, 2, ".. /  .."));
    EXPECT_TRUE(showsInRow(pic, 5, 2, "- /  .."));  // 380 against day 3's 400
    EXPECT_TRUE(showsInRow(pic, 8, 2, "+ /  -"));   // 390 against 380, 440 against 450
}

TEST_F(MonthlyBasicPicture, ADaysFiguresInItsColumn) {
    const store::PersonId ann = d.addPerson("Ann", 500, 80, 50);
    store::DayValues v;
    v.morning = 400;
    v.evening = 500;
    v.relievers = 3;
    v.rating = 2;
    d.addDay(ann, day(10), v);
    d.addReadings(ann, day(11), 0, 250);
    const QImage pic = basic(ann).picture();
    EXPECT_TRUE(showsInRow(pic, 10, 3, "400"));
    EXPECT_TRUE(showsInRow(pic, 10, 4, "500"));
    EXPECT_TRUE(showsInRow(pic, 10, 5, "80"));  // no "%" sign
    EXPECT_TRUE(showsInRow(pic, 10, 6, "100"));
    EXPECT_TRUE(showsInRow(pic, 10, 7, "22"));
    EXPECT_TRUE(showsInRow(pic, 10, 19, "3"));
    EXPECT_TRUE(showsInRow(pic, 10, 20, "0"));  // written also when 0
    EXPECT_TRUE(showsInRow(pic, 10, 21, "Okay"));
    // Only an evening reading: no morning figures and no diurnal variation.
    for (int row : {3, 5, 7}) EXPECT_TRUE(blank(pic, inside(11, rowTop(row)))) << row;
    EXPECT_TRUE(showsInRow(pic, 11, 6, "50"));
    EXPECT_TRUE(blank(pic, inside(11, rowTop(21))));  // not rated
    // The overview counts the rating of 2 under "Okay".
    EXPECT_TRUE(overviewValue(pic, 24, int(28.5 * cw()), "1 (50% days effected)"));
    EXPECT_TRUE(writes(pic, 27 * cw(), rowTop(24) + 1, "Okay"));
}

TEST_F(MonthlyBasicPicture, SymptomAndRestrictionBoxes) {
    const store::PersonId ann = d.addPerson("Ann");
    store::DayValues v;
    v.morning = 400;
    v.breathDay = true;
    v.chestNight = true;
    v.sportRestricted = true;
    d.addDay(ann, day(5), v);
    const QImage pic = basic(ann).picture();
    auto box = [&](int row, const QColor& fill) {
        const int left = x(5) + 4, right = x(5) + cw() - 2, top = rowTop(row) + 4, bottom = rowTop(row) + rh() - 2;
        EXPECT_EQ(at(pic, left, top + 3), kBlack) << row;
        EXPECT_EQ(at(pic, left + 1, top + 3), kBlack) << row;  // 2 pixels of border
        EXPECT_EQ(at(pic, left + 2, top + 3), fill) << row;
        EXPECT_EQ(at(pic, right - 3, top + 3), fill) << row;
        EXPECT_EQ(at(pic, right - 1, top + 3), kBlack) << row;
        EXPECT_EQ(at(pic, right, top + 3), kWhite) << row;
        EXPECT_EQ(at(pic, left + 5, bottom - 1), kBlack) << row;
        EXPECT_EQ(at(pic, left + 5, bottom), kWhite) << row;
        EXPECT_EQ(at(pic, left - 1, top + 3), kWhite) << row;
    };
    box(8, kYellow);   // breathless by day
    box(15, kNavy);    // chest tightness at night
    box(17, kSilver);  // sport restricted
    for (int row : {9, 10, 11, 12, 13, 14, 16, 18}) EXPECT_TRUE(blank(pic, inside(5, rowTop(row)))) << row;
}

TEST_F(MonthlyBasicPicture, TheBarsStandOnTheChartsBottomLine) {
    const store::PersonId ann = d.addPerson("Ann", 500, 80, 50);
    d.addReadings(ann, day(5), 400, 301);  // 301 / 2.5 = 120.4 pixels high
    d.addReadings(ann, day(6), 260, 260);  // the lowest line away from the bars' tops
    const QImage pic = basic(ann).picture();
    const int left = x(5);
    // The morning bar, yellow: x + 4 .. trunc(x + cw / 2) - 2, from y(400) = 40 down to 200.
    const int mornRight = int(left + cw() * 0.5) - 2;
    EXPECT_EQ(at(pic, left + 3, 155), kWhite);
    EXPECT_EQ(at(pic, left + 4, 155), kBlack);
    EXPECT_EQ(at(pic, left + 5, 155), kYellow);
    EXPECT_EQ(at(pic, mornRight - 2, 155), kYellow);
    EXPECT_EQ(at(pic, mornRight - 1, 155), kBlack);
    EXPECT_EQ(at(pic, mornRight, 155), kWhite);
    EXPECT_EQ(at(pic, left + 6, 39), kWhite);
    EXPECT_EQ(at(pic, left + 6, 40), kBlack);
    EXPECT_EQ(at(pic, left + 6, 41), kYellow);
    EXPECT_EQ(at(pic, left + 6, 199), kYellow);
    EXPECT_EQ(at(pic, left + 6, 200), kBlack);
    // The evening bar, navy, on the right: its top at 200 - 120 = 80.
    const int evenLeft = int(left + cw() * 0.5 + 2);
    EXPECT_EQ(at(pic, evenLeft - 1, 155), kWhite);
    EXPECT_EQ(at(pic, evenLeft, 155), kBlack);
    EXPECT_EQ(at(pic, evenLeft + 1, 155), kNavy);
    EXPECT_EQ(at(pic, left + cw() - 5, 155), kBlack);
    EXPECT_EQ(at(pic, left + cw() - 4, 155), kWhite);
    EXPECT_EQ(at(pic, evenLeft + 2, 79), kWhite);
    EXPECT_EQ(at(pic, evenLeft + 2, 80), kBlack);
    EXPECT_EQ(at(pic, evenLeft + 2, 81), kNavy);
}

// The month's highest and lowest readings as black lines 2 pixels thick across the day columns.
// The readings are chosen away from the chart's own lines.
TEST_F(MonthlyBasicPicture, TheMonthLines) {
    auto lineAt = [&](const QImage& pic, int y) {
        const int free = x(20) + 2;  // a day without a record, away from the bars
        return at(pic, free, y - 1) != kBlack && at(pic, free, y) == kBlack && at(pic, free, y + 1) == kBlack &&
               at(pic, free, y + 2) != kBlack;
    };
    const store::PersonId both = d.addPerson("Ann", 500);
    d.addReadings(both, day(2), 445, 415);  // y 22 and 34
    d.addReadings(both, day(3), 345, 435);  // the lowest, a morning: y 62
    const QImage pic = basic(both).picture();
    EXPECT_TRUE(lineAt(pic, 22));
    EXPECT_TRUE(lineAt(pic, 62));
    EXPECT_FALSE(lineAt(pic, 34));

    // Morning readings only: the lowest line at the lowest morning; evening only: at the lowest evening.
    const struct {
        const char* nickname;
        bool mornings;
    } oneKind[] = {{"Bea", true}, {"Cat", false}};
    for (const auto& [nickname, mornings] : oneKind) {
        const store::PersonId p = d.addPerson(nickname, 500);
        for (const auto& [column, reading] : {std::pair{2, 445}, std::pair{3, 345}})
            d.addReadings(p, day(column), mornings ? reading : 0, mornings ? 0 : reading);
        const QImage onlyOne = basic(p).picture();
        EXPECT_TRUE(lineAt(onlyOne, 22)) << nickname;
        EXPECT_TRUE(lineAt(onlyOne, 62)) << nickname;
        // The month column shows only the range of that kind.
        EXPECT_EQ(at(onlyOne, x(1) - 9, 45), mornings ? kYellow : kWhite) << nickname;
    }
}

// The month column: the evening range in navy right of the morning range in yellow.
TEST_F(MonthlyBasicPicture, TheMonthsRangesInTheMonthColumn) {
    const store::PersonId ann = d.addPerson("Ann", 500);
    d.addReadings(ann, day(2), 455, 475);  // mornings 455 .. 335 (y 18 .. 66), average 395 (y 42)
    d.addReadings(ann, day(3), 335, 415);  // evenings 475 .. 415 (y 10 .. 34), average 445 (y 22)
    const QImage pic = basic(ann).picture();
    const int left = x(1);
    EXPECT_EQ(at(pic, left - 4, 20), kNavy);
    EXPECT_EQ(at(pic, left - 5, 20), kBlack);
    EXPECT_EQ(at(pic, left - 3, 20), kBlack);
    EXPECT_EQ(at(pic, left - 4, 10), kBlack);
    EXPECT_EQ(at(pic, left - 4, 9), kWhite);
    EXPECT_EQ(at(pic, left - 4, 33), kBlack);
    EXPECT_EQ(at(pic, left - 4, 34), kWhite);
    for (int y : {21, 22, 23}) EXPECT_EQ(at(pic, left - 2, y), kBlack) << y;  // the evening average
    EXPECT_EQ(at(pic, left - 1, 22), kBlack);
    EXPECT_EQ(at(pic, left - 2, 25), kWhite);
    EXPECT_EQ(at(pic, left - 9, 30), kYellow);
    EXPECT_EQ(at(pic, left - 10, 30), kBlack);
    EXPECT_EQ(at(pic, left - 8, 30), kBlack);
    EXPECT_EQ(at(pic, left - 9, 18), kBlack);
    EXPECT_EQ(at(pic, left - 9, 17), kWhite);
    EXPECT_EQ(at(pic, left - 9, 65), kBlack);
    EXPECT_EQ(at(pic, left - 9, 66), kWhite);
    for (int y : {41, 42, 43})  // the morning average, left of the range
        for (int xx : {left - 13, left - 12}) EXPECT_EQ(at(pic, xx, y), kBlack) << xx << " " << y;
    EXPECT_EQ(at(pic, left - 14, 42), kWhite);
    EXPECT_EQ(at(pic, left - 11, 42), kWhite);
}

TEST_F(MonthlyBasicPicture, ADayWithoutARecordIsABlankColumn) {
    const store::PersonId ann = d.addPerson("Ann");
    store::DayValues v;
    v.morning = 400;
    v.coughDay = true;
    d.addDay(ann, day(4), v);
    d.addDay(ann, day(6), v);
    const QImage pic = basic(ann).picture();
    // Column 5: a white box with a black border from row 2 down, no row lines in it.
    EXPECT_EQ(at(pic, x(5) + 10, rowTop(2)), kBlack);
    EXPECT_TRUE(blank(pic, QRect(x(5) + 1, rowTop(2) + 1, cw() - 1, rowTop(22) - rowTop(2) - 1)));
    EXPECT_EQ(at(pic, x(4) + 10, rowTop(12)), kBlack);  // its neighbours keep their grid
    EXPECT_TRUE(showsInRow(pic, 5, 0, "12/11"));
    EXPECT_TRUE(showsInRow(pic, 5, 1, "Thu"));
}

TEST_F(MonthlyBasicPicture, TheOverview) {
    const store::PersonId ann = d.addPerson("Ann", 500, 80, 50);
    // 20 records: 12 with a morning reading, 5 with activities restricted.
    for (int i = 0; i < 20; ++i) {
        store::DayValues v;
        v.morning = i < 12 ? 300 + 10 * i : 0;  // 300 .. 410
        v.evening = i == 0 ? 450 : 0;
        v.activityRestricted = i < 5;
        v.rating = i < 3 ? 3 : 0;
        d.addDay(ann, day(1 + i), v);
    }
    const auto report = basic(ann);
    const QImage& pic = report.picture();
    ASSERT_EQ(std::get<reports::MonthlyBasicFigures>(report.figures).stats.MornReadings, 12);
    EXPECT_TRUE(writes(pic, cw(), rowTop(22) + 1, "Morning Peak Flow Overview:", Style::Bold));
    EXPECT_TRUE(writes(pic, cw(), rowTop(23) + 1, "Highest"));
    EXPECT_TRUE(overviewValue(pic, 23, 4 * cw(), "410 (82% of best)"));
    EXPECT_TRUE(overviewValue(pic, 24, 4 * cw(), "355 (71% of best)"));
    EXPECT_TRUE(overviewValue(pic, 25, 4 * cw(), "300 (60% of best)"));
    EXPECT_TRUE(overviewValue(pic, 26, 4 * cw(), "12 (60% of days recorded)"));
    EXPECT_TRUE(writes(pic, 10 * cw(), rowTop(22) + 1, "Evening Peak Flow Overview:", Style::Bold));
    EXPECT_TRUE(overviewValue(pic, 26, 13 * cw(), "1 (5% of days recorded)"));
    EXPECT_TRUE(writes(pic, 19 * cw(), rowTop(24) + 1, "Activites Restricted"));
    EXPECT_TRUE(overviewValue(pic, 23, int(22.5 * cw()), "20"));
    EXPECT_TRUE(overviewValue(pic, 24, int(22.5 * cw()), "5 (25% days effected)"));
    EXPECT_TRUE(writes(pic, 19 * cw(), rowTop(26) + 1, "Off Work/School"));
    EXPECT_TRUE(blank(pic, QRect(int(22.5 * cw()), rowTop(26) + 1, 4 * cw(), rh() - 2)));  // nobody off work
    EXPECT_TRUE(overviewValue(pic, 25, int(28.5 * cw()), "3 (15% days effected)"));
    EXPECT_TRUE(blank(pic, QRect(int(28.5 * cw()), rowTop(23) + 1, 3 * cw(), rh() - 2)));  // no bad day
    // The overview has no grid: only the line at its top.
    EXPECT_EQ(at(pic, x(20), rowTop(22)), kBlack);
    EXPECT_EQ(at(pic, x(20), rowTop(22) + 3), kWhite);
    EXPECT_EQ(at(pic, x(20) + 5, rowTop(23)), kWhite);
}

TEST_F(MonthlyBasicPicture, TheFooterSharesTheLastOverviewRowAtTheRightEdge) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, D, 400, 450);
    const QImage pic = basic(ann).picture();
    const QString footer = "Report from 8 Nov 2026 to 8 Dec 2026";
    QFont bold = reports::reportFont();
    bold.setBold(true);
    const int footerLeft = m.width - reports::measure(bold).horizontalAdvance(footer);
    EXPECT_TRUE(writes(pic, footerLeft, pic.height() - rh(), footer, Style::Bold));
}

TEST_F(MonthlyBasicPicture, WithoutAnyRecordTheSplashIsShown) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, day(0), 400, 400);  // the day before the month
    const auto report = basic(ann);
    EXPECT_FALSE(report.available);
    EXPECT_EQ(report.kind(), reports::ReportKind::MonthlyBasic);
    EXPECT_EQ(report.status, " Cannot Produce Report as there is no Data for Period Starting 8 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(report.picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    EXPECT_TRUE(report.periods().empty());
    EXPECT_FALSE(report.drawing);
    d.addReadings(ann, day(1), 400, 400);
    EXPECT_TRUE(basic(ann).available);
}

// Printing records the same drawing as vectors and replays it at the printer's resolution.
TEST_F(MonthlyBasicPicture, TheDrawingRecordsIntoAVectorPicture) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    d.addReadings(ann, D, 400, 450);
    d.addReadings(bea, D, 0, 0);
    for (const store::PersonId& person : {ann, bea}) {
        const auto report = basic(person);
        EXPECT_EQ(replayed(report), report.picture());
    }
}

TEST_F(MonthlyBasicPicture, AtAHigherPixelRatioOnlyThePixelsAreFiner) {
    const store::PersonId ann = d.addPerson("Ann");
    d.addReadings(ann, D, 400, 450);
    const auto one = basic(ann), two = basic(ann, 2.0);
    EXPECT_EQ(two.picture().size(), one.picture().size() * 2);
    EXPECT_EQ(two.viewport.PictureHeight, one.viewport.PictureHeight);
    EXPECT_EQ(at(two.picture(), 2 * (x(31) + 6), 2 * 150), kYellow);
}

TEST(ChangeMark, EachPartComparesWithTheLastReadingOfItsKind) {
    EXPECT_EQ(reports::changeMark(420, 0, 400, 450), "+ /  ..");
    EXPECT_EQ(reports::changeMark(380, 460, 400, 450), "- /  +");
    EXPECT_EQ(reports::changeMark(400, 440, 400, 450), ".. /  -");
    EXPECT_EQ(reports::changeMark(400, 450, 0, 0), ".. /  ..");
    EXPECT_EQ(reports::changeMark(0, 450, 400, 450), ".. /  ..");
}

}  // namespace
}  // namespace pulmora::test
