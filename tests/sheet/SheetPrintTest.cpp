#include "SheetDiary.h"

#include "output/PdfTools.h"
#include "sheet/RecordSheet.h"
#include "sheet/SheetJob.h"

#include <QFontMetrics>
#include <QPrinter>

namespace pulmora::test {
namespace {

using sheet::PageChoice;
using sheet::RecordSheet;
using sheet::SheetPerson;

// Sheets are printed on A4 at 1200 dpi (a PDF has no unprintable edge, so the margins are the
// half inch on the left and the least margin, 6 mm, elsewhere) and looked at rendered at 150 dpi.
constexpr int kPrinterDpi = 1200;
constexpr int kRenderDpi = 150;
constexpr double kToRendered = double(kRenderDpi) / kPrinterDpi;
constexpr int kLeftMargin = kPrinterDpi / 2;
constexpr double kMargin = 6 / 25.4 * kPrinterDpi;

SheetPerson withoutLists() {
    SheetPerson person;
    person.name = "Amy";
    person.best = 450;
    person.yellowLimit = 360;
    person.redLimit = 225;
    return person;
}

struct Printer {
    int letterWidth, lineHeight;
    QSize room;
};

// Arial 8 pt on the PDF printer, and the room inside the margins.
Printer pdfPrinter() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    const QFontMetrics metrics(arial, &printer);
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Inch) * kPrinterDpi;
    return {metrics.horizontalAdvance(QLatin1Char('H')), metrics.lineSpacing(),
            QSize(int(a4.width() - kLeftMargin - kMargin), int(a4.height() - 2 * kMargin))};
}

// The sheet page (its frame runs round all four edges) printed alone, as rendered: the
// rectangle its ink covers.
QRect printedSheet(const TempFolder& folder, const PageChoice& size, QSize* screenSize) {
    const sheet::SheetOptions options{QDate(2026, 1, 5), 7, true, size};
    const std::string pdf = folder.file("sheet.pdf");
    const output::PrintOutcome outcome =
        output::printToPdf(QString::fromStdString(pdf), sheet::sheetJob({withoutLists()}, options));
    EXPECT_TRUE(outcome.ok()) << outcome.error().toStdString();
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "2");
    *screenSize = RecordSheet(withoutLists(), options.first, options.days).sheet().size();
    return darkBounds(renderPage(folder, pdf, 1, kRenderDpi));
}

// The rendered rectangle of a page printed `size` printer pixels large from the margin corner.
QRect expected(QSizeF size) {
    return QRectF(QPointF(kLeftMargin, kMargin) * kToRendered, size * kToRendered).toAlignedRect();
}

void expectNear(const QRect& actual, const QRect& wanted) {
    // The frame's last screen pixel is a few rendered pixels wide.
    EXPECT_NEAR(actual.left(), wanted.left(), 2);
    EXPECT_NEAR(actual.top(), wanted.top(), 2);
    EXPECT_NEAR(actual.right(), wanted.right(), 3);
    EXPECT_NEAR(actual.bottom(), wanted.bottom(), 3);
}

TEST(SheetSizingTest, TheAutomaticSizeGoesByTheLetterOfTheSheetsFont) {
    TempFolder folder;
    QSize screen;
    const QRect printed = printedSheet(folder, {true, 2, 2}, &screen);
    const output::ScreenLetter letter = RecordSheet::letter();
    const Printer printer = pdfPrinter();
    const double width = double(screen.width()) / letter.width * printer.letterWidth;
    const double height = double(screen.height()) / (letter.height + 4) * printer.lineHeight;
    expectNear(printed, expected({std::min(width, double(printer.room.width())),
                                  std::min(height, double(printer.room.height()))}));
}

TEST(SheetSizingTest, TwoQuartersEachWayIsThreeInchesWideAndAtMostSixHigh) {
    TempFolder folder;
    QSize screen;
    const QRect printed = printedSheet(folder, {false, 2, 2}, &screen);
    const output::ScreenLetter letter = RecordSheet::letter();
    const double height = double(screen.height()) / (letter.height + 4) * pdfPrinter().lineHeight;
    ASSERT_LT(height, 6 * kPrinterDpi) << "a sheet this size is under six inches by the letter";
    expectNear(printed, expected({3.0 * kPrinterDpi, height}));
    // The cap itself, on the rule a sheet's pages are printed by.
    const output::PrinterGauge gauge{letter.width, letter.height + 4, QSize(9000, 14000), kPrinterDpi, kPrinterDpi};
    EXPECT_EQ(sheet::sheetSizing({false, 2, 2}).printedSize(QSize(400, 9000), gauge), QSize(3600, 7200));
    EXPECT_EQ(sheet::sheetSizing({false, 2, 2}).printedSize(QSize(400, 300), gauge), QSize(3600, 300));
}

TEST(SheetSizingTest, OtherQuartersAreSharesOfThePrintableRoom) {
    TempFolder folder;
    QSize screen;
    const QRect printed = printedSheet(folder, {false, 3, 4}, &screen);
    const QSize room = pdfPrinter().room;
    expectNear(printed, expected({room.width() * 3 / 4.0, double(room.height())}));
}

TEST_F(SheetDiaryTest, EveryPersonsSheetStartsOnANewPageInOrder) {
    const store::PersonId amy = addPerson("Amy", "Brown");
    addPerson("Bea", "Clark");
    addTrigger(amy, "Pollen");
    const std::vector<SheetPerson> persons = {sheet::GetAsthmatic(diary.persons, "Bea"),
                                              sheet::GetAsthmatic(diary.persons, "Amy")};
    for (const bool separate : {false, true}) {
        const std::string pdf = folder.file(separate ? "separate.pdf" : "together.pdf");
        const output::PrintOutcome outcome =
            output::printToPdf(QString::fromStdString(pdf), sheet::sheetJob(persons, {kToday, 7, separate, {}}));
        ASSERT_TRUE(outcome.ok()) << outcome.error().toStdString();
        const int perPerson = separate ? 2 : 1;
        EXPECT_EQ(pdfInfoField(pdf, "Pages"), std::to_string(2 * perPerson));
        EXPECT_EQ(pdfInfoField(pdf, "Title"), "Pulmora");
        EXPECT_NE(pdfText(pdf, 1).find("Bea"), std::string::npos);
        EXPECT_NE(pdfText(pdf, 1 + perPerson).find("Amy"), std::string::npos);
        EXPECT_NE(pdfText(pdf, 2 * perPerson).find("Pollen"), std::string::npos);
        EXPECT_EQ(pdfText(pdf, perPerson).find("Pollen"), std::string::npos) << "Bea has no pollen";
    }
}

}  // namespace
}  // namespace pulmora::test
