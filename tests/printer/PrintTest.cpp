#include "output/PageMargins.h"
#include "output/PdfTools.h"
#include "output/Printing.h"
#include "printer/Printer.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QTimer>

#include <filesystem>

namespace pulmora::test {
namespace {

using output::Extent;
using output::PageSizing;
using output::PrintedPage;
using output::PrintJob;
using output::PrintOutcome;
using output::RecordedPage;
using output::ScreenLetter;

// Pages are printed on A4 at 1200 dpi and looked at rendered at 150 dpi: eight printer pixels to
// one rendered pixel. A PDF has no unprintable edge, so every margin is the least one, 6 mm.
constexpr int kRenderDpi = 150;
constexpr double kPrinterToRender = 150.0 / 1200.0;
constexpr double kLeast = 6 / 25.4 * 1200;
constexpr double kA4Width = 210 / 25.4 * 1200, kA4Height = 297 / 25.4 * 1200;
const QPointF kCorner(kLeast, kLeast);
constexpr ScreenLetter kScreen{8, 12};

// The printed size of a page by the letter yardstick, from Arial 8 pt on the 1200 dpi PDF printer.
QSizeF byYardstick(QSize page) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    const QFontMetrics metrics(arial, &printer);
    return {double(page.width()) / kScreen.width * metrics.horizontalAdvance(QLatin1Char('H')),
            double(page.height()) / (kScreen.height + 4) * metrics.lineSpacing()};
}

// A page painted black all over but for a white window over its middle half: the printed
// black shows where the page went, the window how its inside was stretched.
void paintMarks(QPainter& p, QSize size) {
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    p.fillRect(QRect(size.width() / 4, size.height() / 4, size.width() / 2, size.height() / 2), Qt::white);
}

RecordedPage markedPage(QSize size) {
    return RecordedPage::record(size, [size](QPainter& p) { paintMarks(p, size); });
}

PrintJob oneOf(RecordedPage page, PageSizing sizing, QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    PrintJob job;
    job.orientation = orientation;
    job.pages.push_back({std::move(page), sizing});
    return job;
}

// The rectangle, in rendered pixels, that printer pixels from `corner` `size` large cover.
QRect rendered(QPointF corner, QSizeF size) {
    return QRectF(corner * kPrinterToRender, size * kPrinterToRender).toAlignedRect();
}

void expectNear(const QRect& actual, const QRect& expected, const char* what) {
    EXPECT_NEAR(actual.left(), expected.left(), 1) << what << " left";
    EXPECT_NEAR(actual.top(), expected.top(), 1) << what << " top";
    EXPECT_NEAR(actual.right(), expected.right(), 1) << what << " right";
    EXPECT_NEAR(actual.bottom(), expected.bottom(), 1) << what << " bottom";
}

// A marked page printed `size` printer pixels large from `corner`, as rendered.
void expectMarkedPageAt(const QImage& rendering, QPointF corner, QSizeF size) {
    ASSERT_FALSE(rendering.isNull());
    const QRect page = rendered(corner, size);
    expectNear(darkBounds(rendering), page, "page");
    expectNear(lightBounds(rendering, page.adjusted(2, 2, -2, -2)),
               rendered(corner + QPointF(size.width(), size.height()) / 4, size / 2), "window");
}

// Prints the job into a PDF file of the folder; the file's path.
std::string printed(const TempFolder& folder, const std::string& name, const PrintJob& job) {
    const std::string pdf = folder.file(name);
    const PrintOutcome outcome = output::printToPdf(QString::fromStdString(pdf), job);
    EXPECT_TRUE(outcome.ok()) << outcome.error().toStdString();
    return pdf;
}

TEST(PrintTest, AScaledPageFillsTheRectangleTheYardstickGives) {
    TempFolder folder;
    const std::string pdf = printed(folder, "page.pdf", oneOf(markedPage({600, 400}), PageSizing::scaled(kScreen)));

    const QImage page = renderPage(folder, pdf, 1, kRenderDpi);
    EXPECT_LT(page.width(), page.height()) << "portrait";
    expectMarkedPageAt(page, kCorner, byYardstick({600, 400}));
}

TEST(PrintTest, LandscapeJobsPrintOnLandscapePaper) {
    TempFolder folder;
    const std::string pdf = printed(
        folder, "wide.pdf", oneOf(markedPage({1000, 300}), PageSizing::scaled(kScreen), QPageLayout::Landscape));
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");

    const QImage page = renderPage(folder, pdf, 1, kRenderDpi);
    EXPECT_GT(page.width(), page.height());
    // 1000 / 8 * 96 printer pixels would not fit across portrait A4; they fit across landscape.
    expectMarkedPageAt(page, kCorner, byYardstick({1000, 300}));
}

TEST(PrintTest, ATallPageIsSqueezedToThePrintableHeightAtItsWidth) {
    TempFolder folder;
    const std::string pdf = printed(folder, "tall.pdf", oneOf(markedPage({600, 3000}), PageSizing::scaled(kScreen)));

    // Squeezed to the A4 height (297 mm at 1200 dpi) within the margins.
    expectMarkedPageAt(renderPage(folder, pdf, 1, kRenderDpi), kCorner,
                       {byYardstick({600, 3000}).width(), kA4Height - 2 * kLeast});
}

TEST(PrintTest, AskedLeftMarginAndFixedInches) {
    TempFolder folder;
    PrintJob job =
        oneOf(markedPage({500, 900}), PageSizing(Extent::inches(3), Extent::scaled().atMostInches(6), kScreen));
    job.leftMarginInches = 0.5;
    const std::string pdf = printed(folder, "pocket.pdf", job);

    // Half an inch in, three inches wide, capped at six inches high: 75, 450 and 900 at 150 dpi.
    expectMarkedPageAt(renderPage(folder, pdf, 1, kRenderDpi), {600, kLeast}, {3600, 7200});
}

TEST(PrintTest, SharesOfThePrintableRoomStartAtTheMarginCorner) {
    TempFolder folder;
    PrintJob job =
        oneOf(markedPage({80, 60}), PageSizing(Extent::ofPrintable(3.0 / 4), Extent::ofPrintable(2.0 / 4), {}));
    job.leftMarginInches = 0.5;
    const std::string pdf = printed(folder, "quarters.pdf", job);

    // A4 is 9921 by 14031 printer pixels at 1200 dpi (210 by 297 mm); the room starts 600 in.
    const double roomWidth = kA4Width - 600 - kLeast, roomHeight = kA4Height - 2 * kLeast;
    expectMarkedPageAt(renderPage(folder, pdf, 1, kRenderDpi), {600, kLeast}, {roomWidth * 3 / 4, roomHeight * 2 / 4});
}

TEST(PrintTest, DrawingOutsideThePageIsCutOff) {
    TempFolder folder;
    const RecordedPage spilling = RecordedPage::record({600, 400}, [](QPainter& p) {
        p.fillRect(QRect(-100, -100, 800, 600), Qt::black);
        paintMarks(p, {600, 400});
    });
    const std::string pdf = printed(folder, "spill.pdf", oneOf(spilling, PageSizing::scaled(kScreen)));

    expectMarkedPageAt(renderPage(folder, pdf, 1, kRenderDpi), kCorner, byYardstick({600, 400}));
}

// A page like a report's: a bold title, labels, a rule and a box.
RecordedPage reportLikePage(const QString& title) {
    return RecordedPage::record({600, 300}, [title](QPainter& p) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        font.setBold(true);
        p.setFont(font);
        p.drawText(0, 12, title);
        p.drawLine(0, 16, 600, 16);
        font.setBold(false);
        p.setFont(font);
        p.drawText(5, 32, QStringLiteral("Surname"));
        p.drawText(300, 32, QStringLiteral("Date of Birth"));
        p.drawRect(5, 60, 200, 100);
    });
}

TEST(PrintTest, TextStaysTextAndNoPictureIsStretchedOntoThePage) {
    TempFolder folder;
    const std::string pdf =
        printed(folder, "report.pdf",
                oneOf(reportLikePage(QStringLiteral("Monthly Basic Report")), PageSizing::scaled(kScreen)));

    const std::string text = pdfText(pdf, 1);
    EXPECT_NE(text.find("Monthly Basic Report"), std::string::npos) << text;
    EXPECT_NE(text.find("Surname"), std::string::npos) << text;
    EXPECT_NE(text.find("Date of Birth"), std::string::npos) << text;
    const std::string images = pdfImages(pdf);
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << "only the list's heading lines:\n" << images;
    EXPECT_EQ(pdfInfoField(pdf, "Title"), "Pulmora");
}

TEST(PrintTest, SeveralPagesGoOutAsOneJobEachOnItsOwnSheet) {
    TempFolder folder;
    writeBytes(folder.file("sheets.pdf"), {'o', 'l', 'd'});
    PrintJob job;
    job.leftMarginInches = 0.5;
    job.pages.push_back({reportLikePage(QStringLiteral("First Person")), PageSizing::scaled(kScreen)});
    job.pages.push_back({markedPage({300, 200}), PageSizing(Extent::inches(2), Extent::inches(1), {})});
    job.pages.push_back({reportLikePage(QStringLiteral("Second Person")), PageSizing::scaled(kScreen)});
    const std::string pdf = printed(folder, "sheets.pdf", job);

    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "3");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "the old file replaced";
    EXPECT_NE(pdfText(pdf, 1).find("First Person"), std::string::npos);
    EXPECT_EQ(pdfText(pdf, 1).find("Second Person"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 3).find("Second Person"), std::string::npos);
    expectMarkedPageAt(renderPage(folder, pdf, 2, kRenderDpi), {600, kLeast}, {2400, 1200});
}

// A page may turn its sheet, and a footer takes the bottom of the printable room on every page: the
// page above it is sized for what is left, and the footer's text can be searched.
TEST(PrintTest, PagesTurnTheirSheetsAndEachCarriesTheFooter) {
    TempFolder folder;
    PrintJob job;
    job.pages.push_back({markedPage({600, 3000}), PageSizing::scaled(kScreen)});
    job.pages.push_back({markedPage({300, 200}), PageSizing::fitted(), QPageLayout::Landscape});
    job.footer = output::PageFooter{QStringLiteral("Ann Smith"), QStringLiteral("1 Sep 2026 to 8 Dec 2026")};
    const std::string pdf = printed(folder, "turned.pdf", job);

    ASSERT_EQ(pdfInfoField(pdf, "Pages"), "2");
    const double band = output::kFooterInches * 1200;
    // Each page as rendered, cut off above its footer.
    const auto above = [&](int page, double sheetHeight) {
        const QImage rendering = renderPage(folder, pdf, page, kRenderDpi);
        return rendering.copy(0, 0, rendering.width(), int((sheetHeight - kLeast - band) * kPrinterToRender));
    };
    const QImage portrait = above(1, kA4Height), landscape = above(2, kA4Width);
    EXPECT_LT(portrait.width(), portrait.height());
    EXPECT_GT(landscape.width(), landscape.height());
    expectMarkedPageAt(portrait, kCorner, {byYardstick({600, 3000}).width(), kA4Height - 2 * kLeast - band});
    // Across the turned sheet the room is 13464 by 9054 printer pixels: the page fills its width.
    const double roomWidth = kA4Height - 2 * kLeast;
    ASSERT_LT(roomWidth * 2 / 3, kA4Width - 2 * kLeast - band);
    expectMarkedPageAt(landscape, kCorner, {roomWidth, roomWidth * 2 / 3});
    for (int page : {1, 2}) {
        const std::string text = pdfText(pdf, page);
        for (const std::string& expected : {std::string("Ann Smith"), std::string("1 Sep 2026 to 8 Dec 2026"),
                                            "Page " + std::to_string(page) + " of 2"})
            EXPECT_NE(text.find(expected), std::string::npos) << "page " << page << ": " << text;
    }
}

// A real printer's unprintable edge is kept where it is wider than 6 mm, and a left margin asked
// for where it is wider still.
TEST(PrintTest, MarginsAreTheUnprintableEdgeButAtLeastSixMillimetres) {
    const double least = 6 / 25.4;
    const struct {
        QMarginsF unprintable;
        std::optional<double> left;
        QMarginsF expected;
    } cases[] = {
        {{0, 0, 0, 0}, {}, {least, least, least, least}},
        {{0.5, 0.1, 0.3, 0.25}, {}, {0.5, least, 0.3, 0.25}},
        {{0.1, 0, 0, 0}, 0.5, {0.5, least, least, least}},
        {{0.7, 0, 0, 0}, 0.5, {0.7, least, least, least}},
    };
    for (const auto& c : cases) {
        const QPageLayout paper(QPageSize(QPageSize::A4), QPageLayout::Portrait, c.unprintable, QPageLayout::Inch,
                                c.unprintable);
        const QMarginsF margins = output::pageMargins(paper, c.left);
        EXPECT_NEAR(margins.left(), c.expected.left(), 1e-3);
        EXPECT_NEAR(margins.top(), c.expected.top(), 1e-3);
        EXPECT_NEAR(margins.right(), c.expected.right(), 1e-3);
        EXPECT_NEAR(margins.bottom(), c.expected.bottom(), 1e-3);
    }
}

TEST(PrintTest, AJobThatCannotStartFails) {
    TempFolder folder;
    const QString pdf = QString::fromStdString(folder.file("missing-folder/out.pdf"));
    const PrintOutcome outcome = output::printToPdf(pdf, oneOf(markedPage({100, 100}), PageSizing::scaled(kScreen)));
    EXPECT_EQ(outcome.status(), PrintOutcome::Status::Failed);
    EXPECT_TRUE(outcome.error().contains(pdf)) << outcome.error().toStdString();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(PrintTest, APageThatCannotBeDrawnStopsTheJobAndKeepsTheOldFile) {
    TempFolder folder;
    const std::string pdf = folder.file("old.pdf");
    writeBytes(pdf, {'o', 'l', 'd'});
    QPicture damaged;
    damaged.setData("not a recorded picture", 22);
    PrintJob job;
    job.pages.push_back({markedPage({100, 100}), PageSizing::scaled(kScreen)});
    job.pages.push_back({RecordedPage({100, 100}, damaged), PageSizing::scaled(kScreen)});

    const PrintOutcome outcome = output::printToPdf(QString::fromStdString(pdf), job);
    EXPECT_EQ(outcome.status(), PrintOutcome::Status::Failed);
    EXPECT_EQ(outcome.error(), QStringLiteral("Page 2 cannot be printed: its recorded picture cannot be read"));
    EXPECT_EQ(readBytes(pdf), (std::vector<char>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no other file";
}

// The PDF writer itself keeps quiet about a write that fails; the job must not, and says why in
// the system's words.
TEST(PrintTest, AFullDiskFailsTheJobAndKeepsTheOldFile) {
    TempFolder folder;
    ScratchFileSystem disk(folder.path(), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    const std::string pdf = folder.file("old.pdf");
    writeBytes(pdf, {'o', 'l', 'd'});
    ASSERT_TRUE(disk.fill());
    const PrintOutcome outcome =
        output::printToPdf(QString::fromStdString(pdf),
                           oneOf(reportLikePage(QStringLiteral("Monthly Basic Report")), PageSizing::scaled(kScreen)));
    EXPECT_EQ(outcome.status(), PrintOutcome::Status::Failed);
    EXPECT_EQ(outcome.error(), QString::fromStdString("Could not write " + pdf + ": No space left on device"));
    EXPECT_EQ(readBytes(pdf), (std::vector<char>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
        << "the old file and the filler";
}

TEST(PrintTest, UnprintableJobsFailBeforeAnythingStarts) {
    TempFolder folder;
    const QString pdf = QString::fromStdString(folder.file("never.pdf"));
    EXPECT_EQ(output::printToPdf(pdf, PrintJob{}).error(), QStringLiteral("There is no page to print"));
    const PrintOutcome empty = output::printToPdf(pdf, oneOf(markedPage({0, 100}), PageSizing::scaled(kScreen)));
    EXPECT_TRUE(empty.error().startsWith(QStringLiteral("Page 1 cannot be printed: the page has no size")))
        << empty.error().toStdString();
    const PrintOutcome unmeasured = output::printToPdf(pdf, oneOf(markedPage({100, 100}), PageSizing::scaled({})));
    EXPECT_EQ(unmeasured.status(), PrintOutcome::Status::Failed);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// Closes the print dialog once it is up, as a user would.
void answerDialog(bool print) {
    QTimer::singleShot(0, [print] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        print ? dialog->accept() : dialog->reject();
    });
}

TEST(PrintTest, CancellingThePrintDialogPrintsNothing) {
    TempFolder folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString(folder.file("chosen.pdf")));
    answerDialog(false);
    const PrintOutcome outcome =
        output::printWithDialog(printer, oneOf(markedPage({100, 100}), PageSizing::scaled(kScreen)), nullptr);
    EXPECT_EQ(outcome.status(), PrintOutcome::Status::Cancelled);
    EXPECT_TRUE(outcome.error().isEmpty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(PrintTest, ThePrintDialogPrintsToTheChosenPdfFile) {
    TempFolder folder;
    const std::string pdf = folder.file("chosen.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString(pdf));
    answerDialog(true);
    const PrintOutcome outcome = output::printWithDialog(
        printer, oneOf(reportLikePage(QStringLiteral("Weekly Comparison Report")), PageSizing::scaled(kScreen)),
        nullptr);
    ASSERT_TRUE(outcome.ok()) << outcome.error().toStdString();
    EXPECT_NE(pdfText(pdf, 1).find("Weekly Comparison Report"), std::string::npos);
    EXPECT_EQ(pdfInfoField(pdf, "Title"), "Pulmora");
}

// The caller hears when the printer is chosen, before any page is drawn, and not at all when
// the dialog is closed without printing.
TEST(PrintTest, ThePrintingNoticeComesOnlyOnceAPrinterIsChosen) {
    TempFolder folder;
    const std::string pdf = folder.file("chosen.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(QString::fromStdString(pdf));
    const PrintJob job = oneOf(markedPage({100, 100}), PageSizing::scaled(kScreen));
    int notices = 0;
    bool fileBeforeNotice = true;
    const auto notice = [&] {
        ++notices;
        fileBeforeNotice = std::filesystem::exists(pdf);
    };
    answerDialog(false);
    EXPECT_EQ(output::printWithDialog(printer, job, nullptr, notice).status(), PrintOutcome::Status::Cancelled);
    EXPECT_EQ(notices, 0);
    answerDialog(true);
    EXPECT_TRUE(output::printWithDialog(printer, job, nullptr, notice).ok());
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(fileBeforeNotice);
    EXPECT_TRUE(std::filesystem::exists(pdf));
}

TEST(RecordedPageTest, TheSavedPictureIsThePageAtItsOwnSize) {
    const RecordedPage page = RecordedPage::record({40, 30}, [](QPainter& p) { p.fillRect(10, 5, 20, 10, Qt::red); });
    const QImage image = page.toImage();
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(29, 14), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(30, 14), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 5), QColor(Qt::white));

    QPicture damaged;
    damaged.setData("not a recorded picture", 22);
    EXPECT_TRUE(RecordedPage({40, 30}, damaged).toImage().isNull());
}

}  // namespace
}  // namespace pulmora::test
