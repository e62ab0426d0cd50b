#include "SheetDiary.h"

#include "output/PdfTools.h"
#include "sheet/RatingPictures.h"
#include "sheet/RecordSheet.h"
#include "sheet/SheetJob.h"

#include <QPainter>

#include <QImage>

namespace pulmora::test {
namespace {

using sheet::RecordSheet;
using sheet::SheetMetrics;
using sheet::SheetPerson;

SheetPerson amy(int best = 450) {
    SheetPerson person;
    person.name = "Amy";
    person.id = test::personId("BrSa0001");
    person.best = best;
    person.yellowLimit = 360;
    person.redLimit = 225;
    person.triggers = {"POLLEN", "COLD AIR"};
    person.medication = {{"Salbutamol", "Reliever"}, {"Budesonide", "Preventer"}};
    return person;
}

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// How many pixels of the row between x1 and x2 are dark.
int darkInRow(const QImage& image, int y, int x1, int x2) {
    int count = 0;
    for (int x = x1; x < x2; ++x) count += dark(image, x, y);
    return count;
}

// Whether any pixel of the band of rows is dark.
bool inkIn(const QImage& image, const QRect& band) {
    for (int y = band.top(); y <= band.bottom(); ++y)
        if (darkInRow(image, y, band.left(), band.right() + 1) > 0) return true;
    return false;
}

// Whether two pictures show the same: of the same size, and differing only where a picture
// replayed inside another renders its text's edges a little differently (under 1 % of the
// pixels). A line or a row out of place differs in far more.
::testing::AssertionResult alike(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes differ";
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 128;
    if (differing * 100 < a.width() * a.height()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " of " << a.width() * a.height() << " pixels differ";
}

// The text of the sheet's pages, as a PDF file of them holds it.
std::string printedText(const TempFolder& folder, const std::vector<SheetPerson>& persons,
                        const sheet::SheetOptions& options, int page = 1) {
    const std::string pdf = folder.file("sheet.pdf");
    const output::PrintOutcome outcome =
        output::printToPdf(QString::fromStdString(pdf), sheet::sheetJob(persons, options));
    EXPECT_TRUE(outcome.ok()) << outcome.error().toStdString();
    return pdfText(pdf, page);
}

TEST(SheetMetricsTest, RowsAndColumnsFollowTheFont) {
    const SheetMetrics m = SheetMetrics::measure(7);
    EXPECT_EQ(m.rowHeight, m.textHeight + 5 <= 15 ? 20 : m.textHeight + 5);
    EXPECT_EQ(m.textOffset, (m.rowHeight - m.textHeight) / 2);
    EXPECT_GE(m.columnWidth, 46);
    EXPECT_GT(m.labelWidth, 0);
    EXPECT_EQ(m.width(), 7 * m.columnWidth + m.labelWidth);
    EXPECT_EQ(SheetMetrics::measure(14).width(), 14 * m.columnWidth + m.labelWidth);
}

TEST(SheetPictureTest, TwoWeeksFromTheFirstHaveFourteenColumnsEndingOnTheFourteenth) {
    const RecordSheet sheet(amy(), QDate(2026, 1, 1), 14);
    const SheetMetrics& m = sheet.metrics();
    const QImage image = sheet.sheet().toImage();
    ASSERT_EQ(image.width(), m.width());
    // Each day's box has its left border in the morning row, one pixel left of the column.
    const int morning = m.rowTop(4) + m.rowHeight / 2;
    for (int day = 0; day < 14; ++day) {
        const int x = m.columnLeft(day) - 1;
        EXPECT_TRUE(dark(image, x, morning)) << "day " << day;
        EXPECT_FALSE(dark(image, x + m.columnWidth / 2, morning)) << "inside day " << day;
    }
    EXPECT_TRUE(dark(image, m.width() - 1, morning)) << "the right edge";

    TempFolder folder;
    const std::string text = printedText(folder, {amy()}, {QDate(2026, 1, 1), 14, false, {}});
    EXPECT_NE(text.find("1 January 2026 to 14 January 2026"), std::string::npos) << text;
    EXPECT_NE(text.find("14/1"), std::string::npos) << text;
    EXPECT_EQ(text.find("15/1"), std::string::npos) << text;
    EXPECT_NE(text.find("Wed"), std::string::npos) << text;
}

TEST(SheetPictureTest, WithoutABestOnlyTheZoneRowGoesAndTheGridStaysWhole) {
    const RecordSheet with(amy(450), QDate(2026, 1, 5), 7);
    const RecordSheet without(amy(0), QDate(2026, 1, 5), 7);
    const SheetMetrics& m = with.metrics();
    const QImage full = with.sheet().toImage();
    const QImage cut = without.sheet().toImage();
    EXPECT_EQ(full.height(), 17 * m.rowHeight);
    ASSERT_EQ(cut.height(), 16 * m.rowHeight);
    // The grid is the same picture; the bottom line closes it across the whole width.
    EXPECT_EQ(full.copy(0, 0, m.width(), 16 * m.rowHeight), cut);
    EXPECT_EQ(darkInRow(cut, cut.height() - 1, 0, m.width()), m.width());
    // Both halves of "Rate Your Asthma" are framed on either side.
    for (int y : {m.rowTop(14) + 2, m.rowTop(15) + m.rowHeight - 3}) {
        EXPECT_TRUE(dark(cut, 0, y));
        EXPECT_TRUE(dark(cut, m.width() - 1, y));
    }
    EXPECT_TRUE(inkIn(full, QRect(0, m.rowTop(16) + 1, m.width(), m.rowHeight - 3))) << "the zone line";

    TempFolder folder;
    EXPECT_NE(printedText(folder, {amy(450)}, {QDate(2026, 1, 5), 7, false, {}}).find("Red Zone below 225"),
              std::string::npos);
    EXPECT_EQ(printedText(folder, {amy(0)}, {QDate(2026, 1, 5), 7, false, {}}).find("Peak Flow Best"),
              std::string::npos);
}

TEST(SheetPictureTest, TheListsHoldTriggersThreeSpareRowsAndMedicationInUse) {
    const RecordSheet sheet(amy(), QDate(2026, 1, 5), 7);
    const SheetMetrics& m = sheet.metrics();
    // "Triggers", two triggers, three spare rows, "Medication", two medications, two pixels.
    EXPECT_EQ(sheet.lists().size(), QSize(m.width(), 9 * m.rowHeight + 2));
    const QImage lists = sheet.lists().toImage();
    // A write-in box a day in every trigger row, and nothing in the heading row.
    for (int row = 1; row <= 5; ++row) {
        const int y = m.rowTop(row) + m.rowHeight / 2;
        for (int day = 0; day < 7; ++day) EXPECT_TRUE(dark(lists, m.columnLeft(day) - 1, y)) << row << " " << day;
        EXPECT_TRUE(dark(lists, m.width() - 1, y)) << "the last box's right border, row " << row;
    }
    EXPECT_FALSE(dark(lists, m.columnLeft(3) - 1, m.rowHeight / 2));

    TempFolder folder;
    const std::string text = printedText(folder, {amy()}, {QDate(2026, 1, 5), 7, false, {}});
    for (const char* expected : {"Triggers", "Pollen", "Cold air", "Medication", "(R) Salbutamol", "(P) Budesonide"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
}

TEST(SheetPictureTest, WithoutMedicationInUseThereIsNoMedicationHeading) {
    SheetPerson person = amy();
    person.medication.clear();
    const RecordSheet sheet(person, QDate(2026, 1, 5), 7);
    EXPECT_EQ(sheet.lists().size().height(), 6 * sheet.metrics().rowHeight + 2);
    TempFolder folder;
    const std::string text = printedText(folder, {person}, {QDate(2026, 1, 5), 7, false, {}});
    EXPECT_NE(text.find("Triggers"), std::string::npos);
    EXPECT_EQ(text.find("Medication"), std::string::npos) << text;
}

TEST(SheetPictureTest, AllTogetherIsTheSheetWithTheListsBelowOnOnePage) {
    const RecordSheet sheet(amy(), QDate(2026, 1, 5), 7);
    const auto pages = sheet.pages(false);
    ASSERT_EQ(pages.size(), 1u);
    const QImage page = pages[0].toImage();
    const QImage sheetImage = sheet.sheet().toImage();
    const QImage listsImage = sheet.lists().toImage();
    ASSERT_EQ(page.size(), QSize(sheetImage.width(), sheetImage.height() + listsImage.height()));
    EXPECT_TRUE(alike(page.copy(0, 0, sheetImage.width(), sheetImage.height()), sheetImage));
    EXPECT_TRUE(alike(page.copy(0, sheetImage.height(), listsImage.width(), listsImage.height()), listsImage));
}

TEST(SheetPictureTest, SeparateListsGoOnASecondPageUnderTheHeadingAndAtLeastAsTall) {
    for (int triggers : {0, 40}) {
        SheetPerson person = amy();
        person.triggers.clear();
        for (int i = 0; i < triggers; ++i) person.triggers << QStringLiteral("TRIGGER %1").arg(i);
        const RecordSheet sheet(person, QDate(2026, 1, 5), 7);
        const SheetMetrics& m = sheet.metrics();
        const auto pages = sheet.pages(true);
        ASSERT_EQ(pages.size(), 2u);
        const QImage first = pages[0].toImage();
        const QImage second = pages[1].toImage();
        const QImage listsImage = sheet.lists().toImage();
        const int top = m.rowTop(4) + 1;
        EXPECT_TRUE(alike(first, sheet.sheet().toImage()));
        EXPECT_EQ(second.width(), first.width());
        EXPECT_EQ(second.height(), std::max(first.height(), top + listsImage.height())) << triggers << " triggers";
        EXPECT_GE(second.height(), first.height());
        EXPECT_TRUE(alike(second.copy(0, 0, m.width(), top), first.copy(0, 0, m.width(), top))) << "heading and dates";
        EXPECT_TRUE(alike(second.copy(0, top, m.width(), listsImage.height()), listsImage));
    }
}

// The longest name, trigger and medication name in wide letters, over a long period: the name and
// the period stand apart in the heading, and the labels keep clear of the first day's boxes.
TEST(SheetPictureTest, TheLongestTextsOverprintNeitherThePeriodNorTheFirstDay) {
    SheetPerson person = amy();
    person.name = QString(30, QLatin1Char('W'));
    person.triggers = {QString(25, QLatin1Char('M'))};
    person.medication = {{QString(20, QLatin1Char('W')), "Reliever"}};
    const RecordSheet sheet(person, QDate(2026, 9, 30), 7);  // 30 September 2026 to 6 October 2026
    const SheetMetrics& m = sheet.metrics();
    const QImage image = sheet.sheet().toImage();
    // Somewhere after the name's first letter a blank stretch parts it from the period.
    int blankRun = 0, longest = 0;
    for (int x = m.columnLeft(0) / 2; x < m.width(); ++x) {
        blankRun = inkIn(image, QRect(x, m.rowTop(1) + 2, 1, m.textHeight)) ? 0 : blankRun + 1;
        longest = std::max(longest, blankRun);
    }
    EXPECT_GE(longest, 8);
    const QImage lists = sheet.lists().toImage();
    for (int row : {1, 6})  // the trigger and the medication
        EXPECT_FALSE(inkIn(lists, QRect(m.columnLeft(0) + 1, m.rowTop(row) + 2, m.columnWidth - 3, m.rowHeight - 3)))
            << "row " << row;
}

TEST(SheetPictureTest, EveryDayCellOfTheMarkedRowsHasItsRatingPicture) {
    const RecordSheet sheet(amy(), QDate(2026, 1, 5), 7);
    const SheetMetrics& m = sheet.metrics();
    const QImage image = sheet.sheet().toImage();
    for (int day = 0; day < 7; ++day) {
        const int x = m.columnLeft(day);
        for (int row : {6, 7, 8, 9, 10, 11, 14})
            EXPECT_TRUE(inkIn(image, QRect(x + 1, m.rowTop(row) + 2, m.columnWidth - 3, m.rowHeight - 4)))
                << "row " << row << " day " << day;
        EXPECT_FALSE(inkIn(image, QRect(x + 1, m.rowTop(4) + 2, m.columnWidth - 3, m.rowHeight - 4))) << "morning";
    }
    // The lines between the rows run whole through the pictures.
    for (int row : {6, 10, 12, 14}) EXPECT_EQ(darkInRow(image, m.rowTop(row), 0, m.width()), m.width()) << row;
}

TEST(RatingPictureTest, EachPictureKeepsInsideItsCell) {
    using sheet::rating::Kind;
    const SheetMetrics m = SheetMetrics::measure(7);
    for (Kind kind : {Kind::Symptom, Kind::Offsick, Kind::Activity, Kind::Asthma}) {
        const QRect cell(10, 10, m.columnWidth, kind == Kind::Asthma ? 2 * m.rowHeight - 1 : m.rowHeight);
        QImage image(cell.width() + 20, cell.height() + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        sheet::rating::draw(painter, kind, cell);
        painter.end();
        EXPECT_TRUE(inkIn(image, cell.adjusted(1, 1, -1, -1))) << int(kind);
        // Nothing on the cell's edge, where the sheet's lines run, nor outside it.
        QImage outside = image;
        QPainter blank(&outside);
        blank.fillRect(cell.adjusted(1, 1, -1, -1), Qt::white);
        blank.end();
        EXPECT_FALSE(inkIn(outside, outside.rect())) << int(kind);
    }
}

}  // namespace
}  // namespace pulmora::test
