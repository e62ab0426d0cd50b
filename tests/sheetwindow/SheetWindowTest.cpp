#include "sheet/SheetDiary.h"

#include "controls/AccessibleControls.h"
#include "controls/TDaButton.h"
#include "output/PdfTools.h"
#include "sheetwindow/SizePreview.h"
#include "sheetwindow/TAsSheet.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace pulmora::test {
namespace {

using output::PrintJob;
using output::PrintOutcome;
using sheet::SizePreview;
using sheet::TAsSheet;

class SheetWindowTest : public SheetDiaryTest {
protected:
    void SetUp() override {
        SheetDiaryTest::SetUp();
        amy = addPerson("Amy", "Young");
        addPerson("Bea", "Adams");
        addPerson("Cal", "Moore");
        window.Open(amy);
        window.show();
    }

    // Printing that records each job and answers `outcome`.
    void answerPrinting(PrintOutcome outcome) {
        window.setPrinting([this, outcome](const PrintJob& job, QWidget&) {
            jobs.push_back(job);
            return outcome;
        });
    }
    void tick(const QString& name, bool on = true) {
        const auto found = window.ListAsthmatics->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        found.first()->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    void click(QWidget* widget, QPoint at = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
    QImage preview() { return window.DocSize->grab().toImage(); }

    std::optional<store::PersonId> amy;
    TAsSheet window{diary};
    std::vector<PrintJob> jobs;
};

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Whether any pixel of the band is dark.
bool inkIn(const QImage& image, const QRect& band) {
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (dark(image, x, y)) return true;
    return false;
}

TEST_F(SheetWindowTest, OpensWithEveryoneInIdentifierOrderAndTheShownPersonTicked) {
    EXPECT_EQ(window.windowTitle(), "Manual Recording Sheets");
    EXPECT_EQ(window.size(), QSize(410, 212));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(128, 0, 128));
    EXPECT_EQ(window.PanHd->text(), " Select Printing Options");
    ASSERT_EQ(window.ListAsthmatics->count(), 3);
    EXPECT_EQ(window.ListAsthmatics->item(0)->text(), "Bea");  // Adams
    EXPECT_EQ(window.ListAsthmatics->item(1)->text(), "Cal");  // Moore
    EXPECT_EQ(window.ListAsthmatics->item(2)->text(), "Amy");  // Young
    EXPECT_EQ(window.tickedNames(), QStringList{"Amy"});
    EXPECT_EQ(window.FldStart->date(), kToday);
    EXPECT_EQ(window.FldPeriod->currentText(), "One Week");
    EXPECT_EQ(window.FldOptions->currentText(), "All Together");
    EXPECT_TRUE(window.ChkMan->isChecked());
    EXPECT_EQ(window.ChkMan->text(), "Auto. Print Page");
    const sheet::SheetOptions options = window.options();
    EXPECT_EQ(options.days, 7);
    EXPECT_FALSE(options.separateLists);
    EXPECT_TRUE(options.size.automatic);
    EXPECT_EQ(QFontInfo(window.font()).family(), QFontInfo([] {
                                                     QFont sans;
                                                     sans.setStyleHint(QFont::SansSerif);
                                                     sans.setFamily("sans-serif");
                                                     return sans;
                                                 }())
                                                     .family());
}

TEST_F(SheetWindowTest, TheChoicesReachTheSheetOptions) {
    window.FldPeriod->setCurrentText("Two Weeks");
    window.FldOptions->setCurrentText("Trig/Med Seperate");
    window.FldStart->setDate(QDate(2026, 2, 1));
    const sheet::SheetOptions options = window.options();
    EXPECT_EQ(options.days, 14);
    EXPECT_TRUE(options.separateLists);
    EXPECT_EQ(options.first, QDate(2026, 2, 1));
}

TEST_F(SheetWindowTest, ThePreviewSaysTheSizeIsAutomaticUntilTheBoxIsCleared) {
    // Framed in navy, white inside, with the three lines of text.
    QImage image = preview();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 128));
    EXPECT_EQ(image.pixelColor(SizePreview::kSize.width() - 5, SizePreview::kSize.height() - 5), QColor(Qt::white));
    const int th = window.DocSize->fontMetrics().height();
    EXPECT_TRUE(inkIn(image, QRect(5, th, 80, th)));
    EXPECT_TRUE(inkIn(image, QRect(5, 3 * th, 80, th)));

    click(window.ChkMan);
    ASSERT_FALSE(window.ChkMan->isChecked());
    EXPECT_FALSE(window.options().size.automatic);
    image = preview();
    EXPECT_EQ(image.pixelColor(100, 100), QColor(128, 128, 128)) << "outside the two quarters";
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));
}

// Tab reaches the picker, and the arrows set the share a quarter at a time, within two to four.
TEST_F(SheetWindowTest, TheSizeIsReachedAndSetFromTheKeyboard) {
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.ChkMan->setFocus();
    QTest::keyClick(window.ChkMan, Qt::Key_Space);
    QTest::keyClick(window.ChkMan, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window.DocSize) << "Tab never reaches the size picker";
    for (const auto key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left})
        QTest::keyClick(window.DocSize, key);
    EXPECT_EQ(window.options().size.widthQuarters, 3);
    EXPECT_EQ(window.options().size.heightQuarters, 3);
    EXPECT_FALSE(window.options().size.automatic);
}

// A screen reader finds the picker by its role and hears the share of the page it sets.
TEST(SizePreviewTest, AScreenReaderHearsTheShareOfThePageAsItChanges) {
    controls::installAccessibleControls();
    SizePreview preview;
    const QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&preview);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->role(), QAccessible::Slider);
    EXPECT_EQ(read->text(QAccessible::Name), "Print size");
    preview.setAutomatic(false);
    QTest::keyClick(&preview, Qt::Key_Left);
    QTest::keyClick(&preview, Qt::Key_Left);
    QTest::keyClick(&preview, Qt::Key_Up);
    EXPECT_EQ(read->text(QAccessible::Description), "Manual: Filofax, a quarter of the page");
    QTest::keyClick(&preview, Qt::Key_Right);
    EXPECT_EQ(read->text(QAccessible::Description), "Manual: 3 quarters of the width, 2 quarters of the height");
    preview.setAutomatic(true);
    EXPECT_EQ(read->text(QAccessible::Description), "Print size will be automatically decided for you.");
}

TEST_F(SheetWindowTest, QuarterClicksPickTheSizeShownInThePreview) {
    click(window.ChkMan);
    const QSize size = SizePreview::kSize;
    const int th = window.DocSize->fontMetrics().height();

    click(window.DocSize, {size.width() - 4, size.height() - 4});
    EXPECT_EQ(window.options().size.widthQuarters, 4);
    EXPECT_EQ(window.options().size.heightQuarters, 4);
    QImage image = preview();
    EXPECT_EQ(image.pixelColor(size.width() - 4, size.height() - 4), QColor(Qt::white)) << "the whole page";
    EXPECT_TRUE(dark(image, size.width() / 2, 10)) << "the quarter lines";
    EXPECT_TRUE(inkIn(image, QRect(3, 2 * th + 8, 30, th - 2))) << "\"h:4%\" under \"w:4%\"";

    click(window.DocSize, {10, 10});
    EXPECT_EQ(window.options().size.widthQuarters, 2);
    EXPECT_EQ(window.options().size.heightQuarters, 2);
    image = preview();
    EXPECT_EQ(image.pixelColor(size.width() - 4, size.height() - 4), QColor(128, 128, 128));
    EXPECT_TRUE(inkIn(image, QRect(3, 3, 40, th))) << "Manual";
    EXPECT_TRUE(inkIn(image, QRect(3, th + 8, 40, th - 2))) << "Filofax";
    EXPECT_FALSE(inkIn(image, QRect(3, 2 * th + 8, 40, th - 2))) << "no second line for the small size";

    click(window.DocSize, {70, 100});
    EXPECT_EQ(window.options().size.widthQuarters, 3);
    EXPECT_EQ(window.options().size.heightQuarters, 4);
}

TEST(SizePreviewTest, QuartersSplitAtTheRoundedHalfAndThreeQuarters) {
    // 131 / 2 is 65.5, which rounds to 66; 3 x 131 / 4 is 98.25.
    EXPECT_EQ(SizePreview::quartersAt(65, 131), 2);
    EXPECT_EQ(SizePreview::quartersAt(66, 131), 3);
    EXPECT_EQ(SizePreview::quartersAt(97, 131), 3);
    EXPECT_EQ(SizePreview::quartersAt(98, 131), 4);
    EXPECT_EQ(SizePreview::quartersAt(61, 124), 2);
    EXPECT_EQ(SizePreview::quartersAt(62, 124), 3);
    EXPECT_EQ(SizePreview::quartersAt(93, 124), 4);
}

TEST_F(SheetWindowTest, OneClickPrintsEveryTickedPersonInListOrderAsOneJobAndCloses) {
    tick("Bea");
    window.FldOptions->setCurrentText("Trig/Med Seperate");
    answerPrinting(PrintOutcome::printed());
    click(window.BtnPrint);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].pages.size(), 4u);
    EXPECT_EQ(jobs[0].leftMarginInches, 0.5);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);

    // The pages themselves: Bea's two, then Amy's.
    const std::string pdf = folder.file("job.pdf");
    ASSERT_TRUE(output::printToPdf(QString::fromStdString(pdf), jobs[0]).ok());
    EXPECT_NE(pdfText(pdf, 1).find("Bea"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 2).find("Bea"), std::string::npos);
    EXPECT_NE(pdfText(pdf, 3).find("Amy"), std::string::npos);
}

TEST_F(SheetWindowTest, CancellingPrintsNothingAndKeepsTheWindowOpen) {
    answerPrinting(PrintOutcome::cancelled());
    click(window.BtnPrint);
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.PanHd->text(), " Select Printing Options");
}

TEST_F(SheetWindowTest, AFailureIsToldInTheHeaderAndTheWindowStaysOpen) {
    answerPrinting(PrintOutcome::failed("Could not start the print job on Office"));
    click(window.BtnPrint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.PanHd->text(), "ERROR: Could not start the print job on Office");
}

TEST_F(SheetWindowTest, WithNobodyTickedNothingIsPrintedAndTheWindowCloses) {
    tick("Amy", false);
    answerPrinting(PrintOutcome::printed());
    click(window.BtnPrint);
    EXPECT_TRUE(jobs.empty());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SheetWindowTest, CancelClosesWithoutPrinting) {
    answerPrinting(PrintOutcome::printed());
    click(window.BtnCancel);
    EXPECT_TRUE(jobs.empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(SheetWindowTest, TheWindowsOwnPrintingAsksThePrintDialogOnce) {
    int dialogs = 0;
    // Every modal window that comes up is counted and closed without printing.
    std::function<void()> answer = [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            dialog->reject();
        }
    };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, answer);
    timer.start(20);
    click(window.BtnPrint);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(window.isVisible()) << "a cancelled dialog keeps the window open";
}

}  // namespace
}  // namespace pulmora::test
