#include "output/PageMargins.h"
#include "output/PdfTools.h"
#include "pages/PersonHeader.h"
#include "pages/ReportPage.h"
#include "reports/MonthlyAdditional.h"
#include "reports/MonthlyBasic.h"
#include "reports/PictureCheck.h"
#include "reports/ReportRun.h"
#include "reports/WeeklyComparison.h"
#include "stats/ReportDiary.h"

#include <QPrinter>

namespace pulmora::test {
namespace {

using reports::PageLayout;
using reports::PageMetrics;
using reports::ReportKind;

const QDate D{2026, 12, 8};

store::RepPerson smith() {
    store::RepPerson p;
    p.surname = "Smith                    ";
    p.firstName = "Ann                      ";
    p.gender = "Female";
    p.title = "Ms   ";
    p.healthNumber = "NH123456  ";
    p.birthDate = "19800131";
    p.occupation = "Teacher   ";
    return p;
}

PageMetrics measured() { return PageMetrics::measure(); }

// ---- page geometry -----------------------------------------------------------------------------

TEST(ReportPageLayout, TheWeeklyPageKeepsAPunchBandAtItsLeft) {
    const PageMetrics m{13, 40};
    const PageLayout page = reports::weeklyLayout({600, 700}, m);
    EXPECT_EQ(page.band, PageLayout::Band::Left);
    EXPECT_EQ(page.page, QSize(655, 5 * 13 + 700 + 3 * 13));
    EXPECT_EQ(page.report, QPoint(54, 5 * 13));
    EXPECT_EQ(page.notesY, 5 * 13 + 700 + 13);
    // The header starts after the band and ends at the page's right edge, not the band's
    // width beyond it.
    EXPECT_EQ(page.header, QRect(54, 0, 601, 65));
    EXPECT_EQ(page.header.right(), page.page.width() - 1);
}

TEST(ReportPageLayout, TheMonthlyPagesKeepTheBandAtTheirTop) {
    const PageMetrics m{13, 40};
    const PageLayout page = reports::monthlyLayout({1000, 400}, m);
    EXPECT_EQ(page.band, PageLayout::Band::Top);
    EXPECT_EQ(page.page, QSize(1000, 65 + 400 + 5 * 13 + 40 + 15));
    EXPECT_EQ(page.header, QRect(0, 54, 1000, 65));
    EXPECT_EQ(page.report, QPoint(0, 65 + 54));
    EXPECT_EQ(page.notesY, 65 + 400 + 55);
}

TEST(ReportPageLayout, MetricsAreTheReportFontsLetterAndMarginWidths) {
    const QFontMetrics fm = reports::measure(reports::reportFont());
    const PageMetrics m = measured();
    EXPECT_EQ(m.LH, fm.height());
    EXPECT_EQ(m.MW, fm.horizontalAdvance(" Margin "));
    EXPECT_GT(m.MW, fm.horizontalAdvance("Margin"));  // the blanks count
    EXPECT_EQ(m.headerHeight(), 5 * m.LH);
}

// ---- the person header ---------------------------------------------------------------------------

TEST(BirthDateText, DatesOfBirthAreWrittenDayMonthYear) {
    const QDate today(2026, 12, 8);
    EXPECT_EQ(reports::birthDateText("19800131", today), "31-Jan-1980");
    EXPECT_EQ(reports::birthDateText("20010905", today), "5-Sep-2001");
    EXPECT_EQ(reports::birthDateText("19800100", today), "8-Dec-2026");   // day 0: today
    EXPECT_EQ(reports::birthDateText("00000315", today), "15-Mar-2000");  // year 0: 2000
    // Anything that is no date is written as it is stored.
    EXPECT_EQ(reports::birthDateText("        ", today), "        ");
    EXPECT_EQ(reports::birthDateText("", today), "");
    EXPECT_EQ(reports::birthDateText("19801301", today), "19801301");
    EXPECT_EQ(reports::birthDateText("1980-1-3", today), "1980-1-3");
}

class PersonHeader : public ::testing::Test {
protected:
    QImage header(const store::RepPerson& person, int width = 600, int pictureWidth = 600) {
        return reports::renderPicture(
            [&](QPainter& p) { reports::DrawPersonHeader(p, width, "Monthly Basic Report", person); },
            {pictureWidth, 5 * m.LH + 10});
    }
    int titleWidth() const {
        QFont bold = reports::reportFont();
        bold.setBold(true);
        return reports::measure(bold).horizontalAdvance("Monthly Basic Report");
    }
    int line(double lines) const { return int(lines * m.LH); }

    const PageMetrics m = measured();
};

TEST_F(PersonHeader, LabelsInBoldValuesLinedUpOnTheTitle) {
    const QImage h = header(smith());
    EXPECT_TRUE(writes(h, 0, 0, "Monthly Basic Report", Style::Bold));
    for (int x = 0; x < 600; x += 50) EXPECT_EQ(at(h, x, m.LH + 2), QColor(Qt::black)) << x;
    EXPECT_TRUE(writes(h, 5, line(1.5), "Surname", Style::Bold));
    EXPECT_TRUE(writes(h, 5, line(2.5), "First Names", Style::Bold));
    EXPECT_TRUE(writes(h, 5, line(3.5), "Gender/Title", Style::Bold));
    EXPECT_TRUE(writes(h, 300, line(1.5), "Health No", Style::Bold));
    EXPECT_TRUE(writes(h, 300, line(2.5), "Date of Birth", Style::Bold));
    EXPECT_TRUE(writes(h, 300, line(3.5), "Occupation", Style::Bold));
    const int left = titleWidth() + 5, right = titleWidth() + 300;
    EXPECT_TRUE(writes(h, left, line(1.5), ": Smith"));
    EXPECT_TRUE(writes(h, left, line(2.5), ": Ann"));
    EXPECT_TRUE(writes(h, left, line(3.5), ": Female / Ms"));
    EXPECT_TRUE(writes(h, right, line(1.5), ": NH123456"));
    EXPECT_TRUE(writes(h, right, line(2.5), ": 31-Jan-1980"));
    EXPECT_TRUE(writes(h, right, line(3.5), ": Teacher"));
    // Nothing below the five lines.
    EXPECT_TRUE(blank(h, QRect(0, 5 * m.LH, 600, 10)));
}

TEST_F(PersonHeader, AnEmptyDateOfBirthShowsNothingAfterTheColon) {
    store::RepPerson person = smith();
    person.birthDate = "        ";
    const QImage h = header(person);
    const int right = titleWidth() + 300;
    EXPECT_TRUE(writes(h, right, line(2.5), ": "));
    const int after = right + reports::measure(reports::reportFont()).horizontalAdvance(": ");
    EXPECT_TRUE(blank(h, QRect(after, line(2.5), 600 - after, m.LH)));
}

TEST_F(PersonHeader, NothingIsDrawnBeyondItsWidth) {
    const QImage h = header(smith(), 300, 600);
    EXPECT_FALSE(blank(h, QRect(0, 0, 300, 5 * m.LH)));
    EXPECT_TRUE(blank(h, QRect(300, 0, 300, 5 * m.LH + 10)));
}

// The longest values the person file holds, on the weekly page's header and narrower: no text
// stands over another, and each value is whole on the header, however small it had to be set.
TEST_F(PersonHeader, TheLongestValuesOverprintNothingAndStandWhole) {
    store::RepPerson person = smith();
    for (auto [field, longest] : {std::pair{&store::RepPerson::surname, "Featherstonehaugh-Cholmondeley"},
                                  {&store::RepPerson::firstName, "Christabel Rosamund Georgianna"},
                                  {&store::RepPerson::title, "Reverend Doctor"},
                                  {&store::RepPerson::healthNumber, "NHS 393 965 5345 PRACTICE 0001"},
                                  {&store::RepPerson::occupation, "Head of Mathematics Department"}})
        person.*field = longest;
    const int weekly = reports::weeklyLayout({reports::measureWeekly().width, 100}, m).header.width();
    for (const int width : {weekly, 480}) {
        const std::vector<reports::HeaderText> texts =
            reports::layOutPersonHeader(width, "Weekly Comparison Report", person);
        ASSERT_EQ(texts.size(), 13u);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_GE(texts[i].rect.left(), 0) << texts[i].text.toStdString();
            EXPECT_LE(texts[i].rect.right(), width - 1) << texts[i].text.toStdString() << " at " << width;
            for (size_t j = i + 1; j < texts.size(); ++j)
                EXPECT_FALSE(texts[i].rect.intersects(texts[j].rect))
                    << texts[i].text.toStdString() << " / " << texts[j].text.toStdString() << " at " << width;
        }
    }
    // On the weekly page they keep the report's own size.
    for (const reports::HeaderText& t : reports::layOutPersonHeader(weekly, "Weekly Comparison Report", person))
        EXPECT_EQ(t.font.pixelSize(), reports::reportFont().pixelSize()) << t.text.toStdString();
}

// ---- printed pages -------------------------------------------------------------------------------

// A report of a known size whose picture is black all over, so the printed page shows exactly
// where the report went.
reports::ReportResult blackReport(const reports::TextReportFigures& figures, QSize size) {
    reports::ReportResult r;
    r.figures = figures;
    r.available = true;
    r.person = smith();
    r.viewport.PictureWidth = size.width();
    r.viewport.PictureHeight = size.height();
    r.drawing = [size](QPainter& p) { p.fillRect(QRect(QPoint(0, 0), size), Qt::black); };
    r.picture() = reports::renderPicture(r.drawing, size);
    return r;
}

// The dark block of the rendered page that holds the point.
QRect blockAround(const QImage& page, QPoint inside) {
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    const auto dark = [&](int x, int y) { return grey.rect().contains(x, y) && qGray(grey.pixel(x, y)) < 128; };
    if (!dark(inside.x(), inside.y())) return {};
    QRect block(inside, inside);
    while (dark(block.left() - 1, inside.y())) block.setLeft(block.left() - 1);
    while (dark(block.right() + 1, inside.y())) block.setRight(block.right() + 1);
    while (dark(inside.x(), block.top() - 1)) block.setTop(block.top() - 1);
    while (dark(inside.x(), block.bottom() + 1)) block.setBottom(block.bottom() + 1);
    return block;
}

class PrintedReport : public ::testing::Test {
protected:
    // Printed on A4 at 1200 dpi, looked at at 200 dpi. A PDF has no unprintable edge, so every
    // margin is the least one, 6 mm.
    static constexpr int kDpi = 200;
    static constexpr double kToRendered = 200.0 / 1200.0;
    static constexpr double kMargin = 6 / 25.4 * 1200;

    std::string print(const reports::ReportResult& report, const std::string& name) {
        const std::string pdf = folder.file(name + ".pdf");
        const output::PrintOutcome outcome =
            output::printToPdf(QString::fromStdString(pdf), reports::PrintAsthmaReport(report));
        EXPECT_TRUE(outcome.ok()) << outcome.error().toStdString();
        return pdf;
    }
    // The printed size of a page in printer pixels, by the letter "H" on the report card and on
    // the printer, each side no longer than the paper on its own.
    static QSizeF printed(QSize page, QPageLayout::Orientation orientation) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(orientation);
        printer.setPageMargins(output::pageMargins(printer.pageLayout()), QPageLayout::Inch);
        QFont arial(QStringLiteral("Arial"));
        arial.setPointSize(8);
        const QFontMetrics onPrinter(arial, &printer);
        const QFontMetrics onScreen = reports::measure(reports::reportFont());
        const QRectF paper = printer.pageRect(QPrinter::DevicePixel);
        return {std::min(paper.width(),
                         double(page.width()) / onScreen.horizontalAdvance('H') * onPrinter.horizontalAdvance('H')),
                std::min(paper.height(), double(page.height()) / (onScreen.height() + 4) * onPrinter.lineSpacing())};
    }
    // Where the report picture of the page lands on the rendering, the page printed that large.
    static QRect expectedReport(const PageLayout& layout, QSize report, QSizeF printedSize) {
        const double sx = printedSize.width() / layout.page.width() * kToRendered;
        const double sy = printedSize.height() / layout.page.height() * kToRendered;
        return QRectF(kMargin * kToRendered + layout.report.x() * sx, kMargin * kToRendered + layout.report.y() * sy,
                      report.width() * sx, report.height() * sy)
            .toAlignedRect();
    }
    // The black report is found on the rendered page where the rule puts it.
    void expectReportAt(const std::string& pdf, const QRect& expected) {
        const QImage page = renderPage(folder, pdf, 1, kDpi);
        ASSERT_FALSE(page.isNull());
        const QRect found = blockAround(page, expected.center());
        EXPECT_NEAR(found.left(), expected.left(), 2);
        EXPECT_NEAR(found.top(), expected.top(), 2);
        EXPECT_NEAR(found.right(), expected.right(), 2);
        EXPECT_NEAR(found.bottom(), expected.bottom(), 2);
    }

    TempFolder folder;
    const PageMetrics m = measured();
};

TEST_F(PrintedReport, AWeeklyPageIsScaledByTheLetterYardstickInPortrait) {
    const QSize report(600, 700);
    const std::string pdf = print(blackReport(reports::WeeklyFigures{}, report), "weekly");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "595 x 842 pts (A4)");
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1");
    const PageLayout layout = reports::weeklyLayout(report, m);
    const QSizeF size = printed(layout.page, QPageLayout::Portrait);
    ASSERT_LT(size.width(), 0.9 * 595.0 / 72 * 1200);  // not limited: the yardstick decides
    ASSERT_LT(size.height(), 0.9 * 842.0 / 72 * 1200);
    expectReportAt(pdf, expectedReport(layout, report, size));
    // The band's marks stand at the corner of the margins.
    const QImage page = renderPage(folder, pdf, 1, kDpi);
    const QRect all = darkBounds(page);
    EXPECT_NEAR(all.left(), kMargin * kToRendered, 3);  // "Punch" and its letter's bearing
    EXPECT_NEAR(all.top(), kMargin * kToRendered, 3);
}

TEST_F(PrintedReport, AMonthlyPageTooWideForThePaperIsSqueezedInWidthOnlyInLandscape) {
    const QSize report(1400, 300);
    const std::string pdf = print(blackReport(reports::MonthlyBasicFigures{}, report), "monthly");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");
    const PageLayout layout = reports::monthlyLayout(report, m);
    const QSizeF size = printed(layout.page, QPageLayout::Landscape);
    ASSERT_LT(size.height(), 0.9 * 595.0 / 72 * 1200);
    ASSERT_NEAR(size.width(), 842.0 / 72 * 1200 - 2 * kMargin, 12);  // the paper's width within the margins
    expectReportAt(pdf, expectedReport(layout, report, size));
}

TEST_F(PrintedReport, ATallReportIsSqueezedToThePrintableHeightAtItsComputedWidth) {
    const QSize report(600, 3000);
    const std::string pdf = print(blackReport(reports::WeeklyFigures{}, report), "tall");
    const PageLayout layout = reports::weeklyLayout(report, m);
    const QSizeF size = printed(layout.page, QPageLayout::Portrait);
    ASSERT_NEAR(size.height(), 842.0 / 72 * 1200 - 2 * kMargin, 12);
    ASSERT_LT(size.width(), 0.9 * 595.0 / 72 * 1200);
    expectReportAt(pdf, expectedReport(layout, report, size));
}

class PrintedReports : public ::testing::Test {
protected:
    void SetUp() override {
        person = d.addPerson("Ann", 500, 80, 50);
        for (int i = 0; i < 40; i += 2) d.addReadings(*person, D.addDays(-i), 400, 450);
    }
    ReportDiary d;
    TempFolder folder;
    std::optional<store::PersonId> person;
};

TEST_F(PrintedReports, EachReportPrintsOnOnePageInItsOrientationWithItsHeaderAsText) {
    const std::tuple<reports::ReportBuilder, const char*, const char*> kinds[] = {
        {reports::WeeklyComparison, "Weekly Comparison Report", "595 x 842 pts (A4)"},
        {reports::MonthlyBasic, "Monthly Basic Report", "842 x 595 pts (A4)"},
        {reports::MonthlyAdditional, "Monthly Additional Report", "842 x 595 pts (A4)"},
    };
    for (const auto& [build, title, paper] : kinds) {
        const auto report = build(d.diary.reports, *person, D, 1.0);
        ASSERT_TRUE(report.available) << title;
        const output::PrintJob job = reports::PrintAsthmaReport(report);
        ASSERT_EQ(job.pages.size(), 1u);
        const std::string pdf = folder.file(std::string(title) + ".pdf");
        const auto outcome = output::printToPdf(QString::fromStdString(pdf), job);
        ASSERT_TRUE(outcome.ok()) << outcome.error().toStdString();
        EXPECT_EQ(pdfInfoField(pdf, "Page size"), paper) << title;
        EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1") << title;
        EXPECT_EQ(pdfInfoField(pdf, "Title"), "Pulmora") << title;
        const std::string text = pdfText(pdf, 1);
        for (const char* expected : {title, "Surname", ": Smith", "Date of Birth", ": 31-Jan-1980", "Notes", "Margin"})
            EXPECT_NE(text.find(expected), std::string::npos) << title << " lacks " << expected << "\n" << text;
        EXPECT_EQ(text.find("Punch") != std::string::npos, report.kind() == ReportKind::Weekly) << title;
        // Drawn as vectors: no picture of the page is stretched onto the paper.
        const std::string images = pdfImages(pdf);
        EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << "only the list's heading lines:\n" << images;
    }
}

// Without readings a report leaves out its chart and reading rows; their texts must not lie
// hidden on the page either, where a search or a copy would find them.
TEST_F(PrintedReports, APageWithoutReadingsHoldsOnlyTheTextItShows) {
    const store::PersonId bea = d.addPerson("Bea");
    store::DayValues coughing;
    coughing.coughDay = true;
    for (int i = 0; i < 40; i += 3) d.addDay(bea, D.addDays(-i), coughing);
    const std::tuple<reports::ReportBuilder, const char*, std::vector<const char*>> kinds[] = {
        {reports::WeeklyComparison, "Symptoms Occurred:", {"Peak Flow Percentage Best Chart", "Zone", "Minimum"}},
        {reports::MonthlyBasic, "Breathless", {"Morning/Evening Change", "Peak Reading", "% Best", "N/A"}},
        {reports::MonthlyAdditional,
         "Symptom Previous Day Comparison:",
         {"Peak Flow Previous Day Comparison:", "Morning", "Diurnal Variation"}},
    };
    for (const auto& [build, shown, hidden] : kinds) {
        const auto report = build(d.diary.reports, bea, D, 1.0);
        ASSERT_TRUE(report.available && !report.person.anyReading) << shown;
        const std::string pdf = folder.file(std::string("bea") + std::to_string(int(report.kind())) + ".pdf");
        ASSERT_TRUE(output::printToPdf(QString::fromStdString(pdf), reports::PrintAsthmaReport(report)).ok());
        const std::string text = pdfText(pdf, 1);
        EXPECT_NE(text.find(shown), std::string::npos) << text;
        for (const char* left : hidden) EXPECT_EQ(text.find(left), std::string::npos) << left << " in\n" << text;
    }
}

TEST_F(PrintedReports, WithoutAReportThereIsNothingToPrintOrSave) {
    const store::PersonId nobody = d.addPerson("Bea");
    const auto report = reports::WeeklyComparison(d.diary.reports, nobody, D, 1.0);
    ASSERT_FALSE(report.available);
    EXPECT_TRUE(reports::PrintAsthmaReport(report).pages.empty());
    EXPECT_FALSE(
        output::printToPdf(QString::fromStdString(folder.file("none.pdf")), reports::PrintAsthmaReport(report)).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.pdf")));
    EXPECT_TRUE(reports::savedReportPicture(report).isNull());
}

// ---- saved pictures ------------------------------------------------------------------------------

TEST_F(PrintedReports, TheSavedPictureIsTheHeaderOverTheReport) {
    const PageMetrics m = measured();
    const std::pair<reports::ReportBuilder, const char*> kinds[] = {
        {reports::WeeklyComparison, "Weekly Comparison Report"},
        {reports::MonthlyBasic, "Monthly Basic Report"},
        {reports::MonthlyAdditional, "Monthly Additional Report"},
    };
    for (const auto& [build, title] : kinds) {
        const auto report = build(d.diary.reports, *person, D, 1.0);
        const QImage saved = reports::savedReportPicture(report);
        const QSize picture = report.picture().size();
        ASSERT_EQ(saved.size(), QSize(picture.width(), 5 * m.LH + picture.height())) << title;
        EXPECT_EQ(reports::savedPictureSize(report), saved.size());
        EXPECT_TRUE(writes(saved, 0, 0, title, Style::Bold)) << title;
        EXPECT_TRUE(writes(saved, 5, int(1.5 * m.LH), "Surname", Style::Bold)) << title;
        EXPECT_EQ(saved.copy(0, 5 * m.LH, picture.width(), picture.height()).convertToFormat(QImage::Format_RGB32),
                  report.picture().convertToFormat(QImage::Format_RGB32))
            << title;
    }
}

}  // namespace
}  // namespace pulmora::test
