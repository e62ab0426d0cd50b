#include "PictureCheck.h"
#include "pictures/Pictures.h"
#include "reports/ReportPicture.h"
#include "reports/WeeklyComparison.h"
#include "stats/ReportDiary.h"

#include <QPicture>

namespace pulmora::test {
namespace {

using reports::DrawCellText;
using reports::ReportCanvas;
using reports::colours::kNavy;
using reports::colours::kYellow;

const QColor kBlack(Qt::black), kWhite(Qt::white);

// A weekly comparison up to Tuesday 8 December 2026: week 6 is 2 .. 8 December, week 1 starts
// on 28 October.
class WeeklyPicture : public ::testing::Test {
protected:
    static inline const QDate D{2026, 12, 8};
    const reports::WeeklyMetrics m = reports::measureWeekly();

    reports::ReportResult weekly(const store::PersonId& person, qreal ratio = 1.0) {
        return reports::WeeklyComparison(d.diary.reports, person, D, ratio);
    }
    int rh() const { return m.rowHeight; }
    int hc() const { return m.halfColumn; }
    // Top of the peak-flow table and of the symptoms table in the picture with readings.
    int peakFlowTop() const { return m.chartHeight(); }
    int symptomsTop() const { return m.chartHeight() + m.peakFlowHeight(); }
    // The inside of a cell of a table row, without its grid lines.
    QRect inside(int left, int top, int width) const { return QRect(left + 1, top + 1, width - 2, rh() - 2); }
    // Whether the cell of the table row shows the text, centred as the report centres it.
    ::testing::AssertionResult shows(const QImage& picture, int tableTop, int row, int left, int width,
                                     const QString& text) const {
        const int top = tableTop + row * rh();
        return sameAsDrawn(picture, inside(left, top, width),
                           [&](ReportCanvas& c) { DrawCellText(c, left, top, width, rh(), text); });
    }

    ReportDiary d;
};

TEST_F(WeeklyPicture, SizesFollowTheMeasuredTexts) {
    const QFontMetrics fm = reports::measure(reports::reportFont());
    EXPECT_EQ(m.rowHeight, fm.height() + 3);
    EXPECT_EQ(m.halfColumn, fm.horizontalAdvance("wwwwwwwwww") / 2);
    EXPECT_EQ(m.labelWidth, fm.horizontalAdvance("wwwwwwwwwwww") + m.halfColumn);
    EXPECT_EQ(m.width, m.labelWidth + 12 * m.halfColumn);
    EXPECT_EQ(m.weekLeft(7), m.width);  // six week columns fill the picture

    const store::PersonId withReadings = d.addPerson("Ann");
    d.addReadings(withReadings, D, 400, 450);
    const auto full = weekly(withReadings);
    EXPECT_EQ(full.picture().size(), QSize(m.width, 4 * rh() + 200 + 13 * rh() + 19 * rh() + 4 + rh()));

    const store::PersonId without = d.addPerson("Bea");
    d.addReadings(without, D, 0, 0);
    const auto shortOne = weekly(without);
    EXPECT_EQ(shortOne.picture().size(), QSize(m.width, 19 * rh() + 4 * rh() + 5));
}

TEST_F(WeeklyPicture, ViewportValuesWithAndWithoutReadings) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    d.addReadings(ann, D, 400, 450);
    d.addReadings(bea, D, 0, 0);
    const reports::Viewport full = weekly(ann).viewport;
    EXPECT_EQ(full.FixedWidth, m.labelWidth + 1);
    EXPECT_EQ(full.HeaderHeight, 4 * rh() + 200);
    EXPECT_EQ(full.StepX, 2 * hc());
    EXPECT_EQ(full.StepY, rh());
    EXPECT_EQ(full.GraphHeaderHeight, 3 * rh());
    EXPECT_EQ(full.GraphShown, 1);
    EXPECT_EQ(full.GraphStripHeight, rh() + 200);
    EXPECT_EQ(full.ScrollX + full.ScrollY, 0);
    EXPECT_EQ(QSize(full.PictureWidth, full.PictureHeight), weekly(ann).picture().size());
    EXPECT_TRUE(weekly(ann).hasGraphStrip());

    const auto shortOne = weekly(bea);
    const reports::Viewport v = shortOne.viewport;
    EXPECT_EQ(v.FixedWidth, m.labelWidth + 1);
    EXPECT_EQ(v.HeaderHeight, 3 * rh());
    EXPECT_EQ(v.GraphHeaderHeight, 3 * rh());
    EXPECT_EQ(v.GraphShown, 0);
    EXPECT_EQ(v.GraphStripHeight, 0);
    EXPECT_EQ(v.StepX, 2 * hc());
    EXPECT_EQ(QSize(v.PictureWidth, v.PictureHeight), shortOne.picture().size());
    EXPECT_FALSE(shortOne.hasGraphStrip());
}

TEST_F(WeeklyPicture, ZoneBandsAndCaptions) {
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    d.addReadings(p, D.addDays(-40), 450, 450);  // week 1 only, away from the places looked at
    const QImage pic = weekly(p).picture();
    const int top = m.chartTop();
    for (int x : {60, m.width - 5}) {
        EXPECT_EQ(at(pic, x, top), reports::colours::kGreen) << x;
        EXPECT_EQ(at(pic, x, top + 40), reports::colours::kOlive) << x;  // 80 % of 500
        EXPECT_EQ(at(pic, x, top + 100), reports::colours::kRed) << x;   // 50 % of 500
    }
    // The bars at the left edge, each down to the next band's top.
    EXPECT_EQ(at(pic, 3, top + 39), reports::colours::kGreen);
    EXPECT_EQ(at(pic, 3, top + 40), reports::colours::kOlive);
    EXPECT_EQ(at(pic, 3, top + 41), kYellow);
    EXPECT_EQ(at(pic, 0, top + 41), reports::colours::kOlive);
    EXPECT_EQ(at(pic, 3, top + 98), kYellow);
    EXPECT_EQ(at(pic, 3, top + 99), reports::colours::kOlive);
    EXPECT_EQ(at(pic, 3, top + 100), reports::colours::kRed);
    EXPECT_EQ(at(pic, 3, top + 199), reports::colours::kRed);
    EXPECT_EQ(at(pic, 9, top + 60), kWhite);

    auto caption = [&](const QString& text, int y) {
        const QFontMetrics fm = reports::measure(reports::reportFont());
        return sameAsDrawn(pic, QRect(10, y, fm.horizontalAdvance(text), fm.height()),
                           [&](ReportCanvas& c) { c.text(10, y, text); });
    };
    EXPECT_TRUE(caption("Green Zone", top + 2));
    EXPECT_TRUE(caption("(Best = 500)", top + 2 + rh()));
    EXPECT_TRUE(caption("Yellow Zone", top + 42));
    EXPECT_TRUE(caption("Red Zone", top + 102));
    EXPECT_FALSE(caption("Green Zone", top + 1));  // the comparison notices a pixel off
}

TEST_F(WeeklyPicture, AWeeksMorningAndEveningBoxes) {
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    d.addReadings(p, D.addDays(-3), 400, 450);
    d.addReadings(p, D, 300, 250);
    const QImage pic = weekly(p).picture();
    const int t = m.chartTop();
    const int ml = m.weekLeft(6), mr = ml + hc(), el = mr, er = ml + 2 * hc();
    // Morning: 400 .. 300, average 350, at y 40 .. 80 and 60 under the chart top.
    EXPECT_EQ(at(pic, ml + 3, t + 55), kWhite);
    EXPECT_EQ(at(pic, ml + 4, t + 55), kBlack);
    EXPECT_EQ(at(pic, ml + 5, t + 55), kYellow);
    EXPECT_EQ(at(pic, mr - 4, t + 55), kYellow);
    EXPECT_EQ(at(pic, mr - 3, t + 55), kBlack);
    EXPECT_EQ(at(pic, mr - 2, t + 55), kWhite);
    EXPECT_EQ(at(pic, ml + 12, t + 39), kWhite);
    EXPECT_EQ(at(pic, ml + 12, t + 40), kBlack);
    EXPECT_EQ(at(pic, ml + 12, t + 41), kYellow);
    EXPECT_EQ(at(pic, ml + 12, t + 78), kYellow);
    EXPECT_EQ(at(pic, ml + 12, t + 79), kBlack);
    // The average, 3 pixels thick, from 8 pixels inside the half to 8 pixels before its end.
    for (int y : {t + 59, t + 60, t + 61}) EXPECT_EQ(at(pic, ml + 8, y), kBlack) << y;
    EXPECT_EQ(at(pic, ml + 8, t + 58), kYellow);
    EXPECT_EQ(at(pic, ml + 8, t + 62), kYellow);
    EXPECT_EQ(at(pic, ml + 7, t + 60), kYellow);
    EXPECT_EQ(at(pic, mr - 9, t + 60), kBlack);
    EXPECT_EQ(at(pic, mr - 8, t + 60), kYellow);
    // Evening: 450 .. 250 in navy with a white border, the average 350 as a white box.
    EXPECT_EQ(at(pic, el, t + 35), kWhite);
    EXPECT_EQ(at(pic, el + 1, t + 35), kNavy);
    EXPECT_EQ(at(pic, er - 4, t + 35), kNavy);
    EXPECT_EQ(at(pic, er - 3, t + 35), kWhite);
    EXPECT_EQ(at(pic, el + 8, t + 20), kWhite);  // over the 90 % line
    EXPECT_EQ(at(pic, el + 8, t + 21), kNavy);
    EXPECT_EQ(at(pic, el + 8, t + 98), kNavy);
    EXPECT_EQ(at(pic, el + 8, t + 99), kWhite);
    EXPECT_EQ(at(pic, el + 3, t + 60), kNavy);
    EXPECT_EQ(at(pic, el + 4, t + 60), kNavy);
    EXPECT_EQ(at(pic, el + 5, t + 59), kWhite);
    EXPECT_EQ(at(pic, el + 5, t + 60), kWhite);
    EXPECT_EQ(at(pic, el + 5, t + 58), kNavy);
    EXPECT_EQ(at(pic, el + 5, t + 61), kNavy);
    EXPECT_EQ(at(pic, er - 7, t + 60), kNavy);
    EXPECT_EQ(at(pic, er - 8, t + 60), kWhite);
    // Week 5 has no readings: its column stays empty.
    EXPECT_EQ(at(pic, m.weekLeft(5) + 12, t + 55), kWhite);
}

TEST_F(WeeklyPicture, ZoneSharesOfAWeek) {
    const store::PersonId p = d.addPerson("Ann", 500, 80, 50);
    for (int i = 0; i < 7; ++i) d.addReadings(p, D.addDays(-i), i < 3 ? 450 : 350, 0);
    const auto report = weekly(p);
    const auto& week6 = std::get<reports::WeeklyFigures>(report.figures).weeks.back().stats;
    ASSERT_EQ(week6.MornGreen, 3);
    ASSERT_EQ(week6.MornReadings, 7);
    const int ml = m.weekLeft(6);
    auto shows = [&](int row, int left, int width, const QString& text) {
        return WeeklyPicture::shows(report.picture(), peakFlowTop(), row, left, width, text);
    };
    EXPECT_TRUE(shows(7, ml, hc(), "43%"));  // 3 of 7 is 42.86 %
    EXPECT_TRUE(shows(8, ml, hc(), "57%"));
    EXPECT_TRUE(blank(report.picture(), inside(ml, peakFlowTop() + 9 * rh(), hc())));         // no red reading
    EXPECT_TRUE(blank(report.picture(), inside(ml + hc(), peakFlowTop() + 7 * rh(), hc())));  // no evening
    EXPECT_TRUE(shows(11, ml, hc(), "7"));
    EXPECT_TRUE(shows(12, ml, 2 * hc(), "7"));
    EXPECT_TRUE(shows(1, ml, hc(), "350"));
    EXPECT_TRUE(shows(4, ml, hc(), "25%"));  // (450 - 350) / 400 x 100
}

TEST_F(WeeklyPicture, ASingleMorningReading) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-2), 380, 0);
    const auto report = weekly(p);
    const int ml = m.weekLeft(6);
    auto cellTop = [&](int row) { return peakFlowTop() + row * rh(); };
    auto shows = [&](int row, int left, int width, const QString& text) {
        return WeeklyPicture::shows(report.picture(), peakFlowTop(), row, left, width, text);
    };
    EXPECT_TRUE(shows(1, ml, hc(), "380"));
    EXPECT_TRUE(shows(2, ml, hc(), "380"));
    EXPECT_TRUE(shows(4, ml, hc(), "0%"));
    EXPECT_TRUE(shows(1, ml + hc(), hc(), "0"));  // the evening minimum shows 0
    EXPECT_TRUE(blank(report.picture(), inside(ml + hc(), cellTop(4), hc())));
    EXPECT_TRUE(blank(report.picture(), inside(ml, cellTop(5), 2 * hc())));  // no diurnal variation
    // An empty week: 0 for minimum, average, readings taken and days recorded, nothing else.
    const int w1 = m.weekLeft(1);
    EXPECT_TRUE(shows(1, w1, hc(), "0"));
    EXPECT_TRUE(shows(2, w1 + hc(), hc(), "0"));
    EXPECT_TRUE(shows(11, w1, hc(), "0"));
    EXPECT_TRUE(shows(12, w1, 2 * hc(), "0"));
    EXPECT_TRUE(blank(report.picture(), inside(w1, cellTop(4), hc())));
    EXPECT_TRUE(blank(report.picture(), inside(w1, cellTop(7), hc())));
}

TEST_F(WeeklyPicture, SymptomCellsAreWrittenOnlyWhenCounted) {
    const store::PersonId p = d.addPerson("Ann");
    store::DayValues v;
    v.morning = 400;
    v.coughDay = v.coughNight = v.wheezeNight = true;
    v.sportRestricted = true;
    v.rating = 3;
    v.relievers = 4;
    d.addDay(p, D, v);
    v.coughNight = false;
    v.relievers = 2;
    d.addDay(p, D.addDays(-1), v);
    const auto report = weekly(p);
    const int ml = m.weekLeft(6);
    auto top = [&](int row) { return symptomsTop() + row * rh(); };
    auto shows = [&](int row, int left, int width, const QString& text) {
        return WeeklyPicture::shows(report.picture(), symptomsTop(), row, left, width, text);
    };
    EXPECT_TRUE(shows(1, ml, 2 * hc(), "2"));                        // daytime
    EXPECT_TRUE(shows(2, ml, 2 * hc(), "2"));                        // nighttime
    EXPECT_TRUE(shows(4, ml, hc(), "2"));                            // coughing by day
    EXPECT_TRUE(shows(4, ml + hc(), hc(), "1"));                     // and by night
    EXPECT_TRUE(shows(6, ml + hc(), hc(), "2"));                     // wheezing at night
    EXPECT_TRUE(blank(report.picture(), inside(ml, top(6), hc())));  // no wheezing by day
    EXPECT_TRUE(shows(10, ml, 2 * hc(), "2"));                       // sport
    EXPECT_TRUE(blank(report.picture(), inside(ml, top(9), 2 * hc())));
    EXPECT_TRUE(shows(15, ml, 2 * hc(), "2"));  // rated good
    EXPECT_TRUE(shows(17, ml, 2 * hc(), "6"));
    EXPECT_TRUE(shows(18, ml, 2 * hc(), "4"));
}

TEST_F(WeeklyPicture, ARecordOnTheDayBeforeTheFirstWeekMakesTheReportAvailable) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-42), 400, 400);
    const auto report = weekly(p);
    EXPECT_TRUE(report.available);
    const std::vector<reports::PeriodFigures>& weeks = std::get<reports::WeeklyFigures>(report.figures).weeks;
    ASSERT_EQ(weeks.size(), 6u);
    for (const auto& week : weeks) {
        EXPECT_EQ(week.stats.DaysRecorded, 0) << week.caption.toStdString();
        EXPECT_EQ(week.stats.MornReadings, 0);
    }
    EXPECT_EQ(weeks.front().caption, "Week 1");
    EXPECT_EQ(weeks.front().period.first, D.addDays(-41));
    EXPECT_EQ(weeks.back().period.first, D.addDays(-6));
    EXPECT_EQ(report.status, " Weekly Comparison Report for Period Starting 28 Oct 2026 to 8 Dec 2026");
    EXPECT_EQ(report.kind(), reports::ReportKind::Weekly);
}

TEST_F(WeeklyPicture, WithoutAnyRecordTheSplashIsShown) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-43), 400, 400);  // outside the six weeks and the day before
    const auto report = weekly(p);
    EXPECT_FALSE(report.available);
    EXPECT_EQ(report.kind(), reports::ReportKind::Weekly);
    EXPECT_EQ(report.status,
              " Cannot Produce Report as there is no Data for Period Starting 28 Oct 2026 to 8 Dec 2026");
    EXPECT_EQ(report.picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    EXPECT_TRUE(report.periods().empty());
    EXPECT_FALSE(report.drawing);
    EXPECT_EQ(weekly(personId("NoOn0001")).status, report.status);  // nobody on file
}

TEST_F(WeeklyPicture, WithoutReadingsTheHeaderRowsStandOverTheSymptomsTable) {
    const store::PersonId ann = d.addPerson("Ann"), bea = d.addPerson("Bea");
    d.addReadings(ann, D, 400, 450);
    store::DayValues noReadings;
    noReadings.coughDay = true;
    d.addDay(bea, D, noReadings);
    const QImage full = weekly(ann).picture(), shortOne = weekly(bea).picture();
    const int header = 3 * rh();
    EXPECT_EQ(shortOne.copy(0, 0, m.width, header), full.copy(0, m.chartHeight() - header, m.width, header));
    // The symptoms tables are where they belong in both.
    EXPECT_EQ(at(shortOne, 2, header), kBlack);
    EXPECT_EQ(at(shortOne, 2, header + 19 * rh() - 1), kBlack);
    EXPECT_TRUE(blank(shortOne, QRect(0, header + 19 * rh(), m.width, 4)));
}

TEST_F(WeeklyPicture, TheFooterEndsAtTheRightEdge) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D, 400, 450);
    const QImage pic = weekly(p).picture();
    const QString footer = "Report from 28 Oct 2026 to 8 Dec 2026";
    QFont bold = reports::reportFont();
    bold.setBold(true);
    const QFontMetrics fm = reports::measure(bold);
    const int y = pic.height() - rh();
    EXPECT_TRUE(sameAsDrawn(pic,
                            QRect(m.width - fm.horizontalAdvance(footer), y, fm.horizontalAdvance(footer), fm.height()),
                            [&](ReportCanvas& c) {
                                c.setBold(true);
                                c.text(m.width - c.textWidth(footer), y, footer);
                            }));
}

TEST_F(WeeklyPicture, AtAHigherPixelRatioOnlyThePixelsAreFiner) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D, 400, 450);
    const auto one = weekly(p), two = weekly(p, 2.0);
    EXPECT_EQ(two.picture().size(), one.picture().size() * 2);
    EXPECT_EQ(two.picture().devicePixelRatio(), 2.0);
    EXPECT_EQ(two.viewport.PictureHeight, one.viewport.PictureHeight);
    EXPECT_EQ(two.viewport.HeaderHeight, one.viewport.HeaderHeight);
    // A filled area covers the same logical pixels: the yellow bar of the zone bands.
    EXPECT_EQ(at(two.picture(), 2 * 3, 2 * (m.chartTop() + 41)), kYellow);
    EXPECT_EQ(at(two.picture(), 2 * 8, 2 * (m.chartTop() + 41)), kWhite);
}

// Printing records the same drawing as vectors and replays it at the printer's resolution.
TEST_F(WeeklyPicture, TheDrawingRecordsIntoAVectorPicture) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D, 400, 450);
    const auto report = weekly(p);
    QPicture recorded;
    {
        QPainter painter(&recorded);
        report.drawing(painter);
    }
    EXPECT_EQ(recorded.boundingRect(), QRect(QPoint(0, 0), report.picture().size()));
    QImage replayed(report.picture().size(), QImage::Format_RGB32);
    replayed.fill(Qt::white);
    {
        QPainter painter(&replayed);
        painter.drawPicture(0, 0, recorded);
    }
    EXPECT_EQ(replayed, report.picture());
}

}  // namespace
}  // namespace pulmora::test
