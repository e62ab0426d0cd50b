#include "controls/TDaButton.h"
#include "savewindow/TAsJpeg.h"
#include "support/FileSystems.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileSystemModel>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

namespace pulmora::test {
namespace {

using reports::TAsJpeg;

QImage bands() {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) picture.setPixelColor(x, y, Qt::red);
    return picture;
}

class SaveWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.Open(
            [this] {
                ++made;
                return picture;
            },
            here());
        window.show();
        QCoreApplication::processEvents();
    }
    QString here() const { return QString::fromStdString(folder.path().string()); }
    QString inHere(const QString& name) const { return here() + QDir::separator() + name; }
    void type(const QString& text) {
        window.FldFileName->clear();
        QTest::keyClicks(window.FldFileName, text);
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < window.FlNames->count(); ++i) names << window.FlNames->item(i)->text();
        return names;
    }

    TempFolder folder;
    TAsJpeg window;
    QImage picture = bands();
    int made = 0;
};

TEST_F(SaveWindow, OpensReadyForAName) {
    EXPECT_EQ(window.windowTitle(), "Save Report");
    EXPECT_EQ(window.size(), QSize(342, 294));
    EXPECT_TRUE(window.windowFlags() & Qt::Tool);
    EXPECT_EQ(window.PanHd->text(), "Select Location and Required File Name");
    EXPECT_TRUE(window.SaveAsJpeg->isChecked());
    EXPECT_FALSE(window.SaveAsBmp->isChecked());
    EXPECT_EQ(window.SaveAsJpeg->text(), "JPEG");
    EXPECT_EQ(window.SaveAsBmp->text(), "BMP");
    EXPECT_EQ(window.LabLocation->text(), "No File Name Specified Yet!");
    EXPECT_EQ(window.folder(), QDir(here()).absolutePath());
    EXPECT_EQ(made, 0);  // the picture is made when it is saved
}

TEST_F(SaveWindow, StartsInThePicturesFolderOrHome) {
    const QString start = TAsJpeg::picturesFolder();
    EXPECT_TRUE(QDir(start).exists()) << start.toStdString();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    EXPECT_EQ(start, QDir(pictures).exists() ? pictures : QDir::homePath());
}

TEST_F(SaveWindow, TheTargetFollowsTheNameAndTheKind) {
    type("week");
    EXPECT_EQ(window.LabLocation->text(), inHere("week.jpg"));
    type("week.bmp");  // JPEG chosen: the extension becomes jpg
    EXPECT_EQ(window.LabLocation->text(), inHere("week.jpg"));
    click(window.SaveAsBmp);
    EXPECT_EQ(window.LabLocation->text(), inHere("week.bmp"));
    type("  ");
    EXPECT_EQ(window.LabLocation->text(), "No File Name Specified Yet!");
}

TEST_F(SaveWindow, TheFileListShowsThePicturesOfTheChosenKind) {
    for (const char* name : {"a.jpg", "b.bmp", "c.JPG", "d.txt"}) writeBytes(folder.file(name), {'x'});
    window.setFolder(here());
    EXPECT_EQ(listed(), (QStringList{"a.jpg", "c.JPG"}));
    click(window.SaveAsBmp);
    EXPECT_EQ(listed(), QStringList{"b.bmp"});
    // A double click takes the name of an existing picture.
    window.FlNames->setCurrentRow(0);
    window.ControlBlock(window.FlNames);
    EXPECT_EQ(window.FldFileName->text(), "b.bmp");
    EXPECT_EQ(window.LabLocation->text(), inHere("b.bmp"));
}

TEST_F(SaveWindow, ChoosingAFolderInTheTreeMovesTheTarget) {
    ASSERT_TRUE(QDir(here()).mkdir("sub"));
    writeBytes(folder.file("sub/old.jpg"), {'x'});
    type("month");
    auto* model = qobject_cast<QFileSystemModel*>(window.FlDirectory->model());
    ASSERT_NE(model, nullptr);
    window.FlDirectory->setCurrentIndex(model->index(inHere("sub")));
    EXPECT_EQ(window.folder(), inHere("sub"));
    EXPECT_EQ(window.LabLocation->text(), inHere("sub") + QDir::separator() + "month.jpg");
    EXPECT_EQ(listed(), QStringList{"old.jpg"});
}

TEST_F(SaveWindow, ARootFolderGetsNoSecondSeparator) {
    window.setFolder(QDir::rootPath());
    type("week");
    EXPECT_EQ(window.LabLocation->text(), QDir::rootPath() + "week.jpg");
}

TEST_F(SaveWindow, WithoutANameNothingIsWritten) {
    type("   ");
    click(window.BtnSave);
    EXPECT_EQ(window.PanHd->text(), "You must specify a file name!");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(made, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(SaveWindow, AnErrorInTheHeaderGoesOnceItsCauseIsMended) {
    click(window.BtnSave);
    EXPECT_EQ(window.PanHd->text(), "You must specify a file name!");
    type("week");
    EXPECT_EQ(window.PanHd->text(), "Select Location and Required File Name");
}

// The tree opens at the starting folder, some way down, with it in sight; once a picture is saved,
// the next window of the run starts in the folder it went to.
TEST_F(SaveWindow, ItOpensAtItsFolderInSightThenAtTheLastFolderUsed) {
    QString deep = here();
    for (const char* level : {"Reports", "2026", "December", "Weekly", "Printed"}) deep += QStringLiteral("/") + level;
    ASSERT_TRUE(QDir().mkpath(deep));
    // A folder with a long name beside the path makes the tree's column far wider than the view.
    const QString wide = QString(120, QLatin1Char('w'));
    ASSERT_TRUE(QDir(here()).mkdir(wide));
    TAsJpeg deeper;
    deeper.resize(342, 294);
    deeper.Open([this] { return picture; }, deep);
    deeper.show();
    auto* model = qobject_cast<QFileSystemModel*>(deeper.FlDirectory->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex node = model->index(deep);
    const auto inSight = [&] {
        const QRect row = deeper.FlDirectory->visualRect(node), view = deeper.FlDirectory->viewport()->rect();
        return deeper.FlDirectory->currentIndex() == node && row.top() >= 0 && row.bottom() <= view.bottom() &&
               row.left() >= 0 && row.left() < view.width() / 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(inSight, 5000));
    // Once the folders around it are read, the long name has widened the column and others have
    // gone in above the folder, which is still in sight, its name from its start.
    const int wideText = deeper.FlDirectory->fontMetrics().horizontalAdvance(wide);
    EXPECT_TRUE(QTest::qWaitFor([&] { return deeper.FlDirectory->columnWidth(0) > wideText; }, 5000));
    EXPECT_TRUE(inSight());

    QTest::keyClicks(deeper.FldFileName, "deep");
    deeper.SaveImage();
    ASSERT_EQ(deeper.result(), QDialog::Accepted);
    EXPECT_EQ(deeper.savedAs(), deep + "/deep.jpg");
    EXPECT_EQ(TAsJpeg::startingFolder(), deep);
    TAsJpeg next;
    next.Open([this] { return picture; });
    EXPECT_EQ(next.folder(), deep);
}

TEST_F(SaveWindow, SavesAJpegAndCloses) {
    type("report.bmp");
    click(window.BtnSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    QImageReader reader(inHere("report.jpg"));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage saved = reader.read();
    ASSERT_EQ(saved.size(), picture.size());
    // Quality 100 keeps the colours within a few steps.
    const QColor red = saved.pixelColor(20, 4), white = saved.pixelColor(20, 20);
    EXPECT_GT(red.red(), 245);
    EXPECT_LT(red.green(), 10);
    EXPECT_GT(std::min({white.red(), white.green(), white.blue()}), 245);
    EXPECT_FALSE(std::filesystem::exists(folder.file("report.bmp")));
}

TEST_F(SaveWindow, SavesABitmapOverAnExistingFile) {
    writeBytes(folder.file("report.bmp"), {'o', 'l', 'd'});
    click(window.SaveAsBmp);
    type("report");
    click(window.BtnSave);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    const std::vector<char> bytes = readBytes(folder.file("report.bmp"));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24);  // bits a pixel
    EXPECT_EQ(QImage(inHere("report.bmp")).convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(SaveWindow, AFailedSaveSaysSoAndStaysOpen) {
    window.setFolder(inHere("gone"));  // a folder that is not there
    type("report");
    click(window.BtnSave);
    EXPECT_EQ(window.PanHd->text(), "Error: Unable to Save Report?! No such file or directory");
    EXPECT_TRUE(window.PanHd->toolTip().contains("Could not write")) << window.PanHd->toolTip().toStdString();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(made, 1);
}

TEST_F(SaveWindow, APictureThatCannotBeMadeIsAFailedSave) {
    picture = QImage();  // a graph that cannot be drawn, say
    type("graph");
    click(window.BtnSave);
    EXPECT_EQ(window.PanHd->text(), "Error: Unable to Save Report?! There is no picture to save");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(SaveWindowFolder, AnUnwritableFolderLeavesTheExistingFileAsItWas) {
    TempFolder folder;
    ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.usable()) GTEST_SKIP() << readOnly.why();
    const std::vector<char> before{'k', 'e', 'e', 'p'};
    writeBytes(folder.file("report.jpg"), before);
    ASSERT_TRUE(readOnly.apply());
    TAsJpeg window;
    window.Open(bands, QString::fromStdString(folder.path().string()));
    window.show();
    QTest::keyClicks(window.FldFileName, "report");
    window.SaveImage();
    // The system's reason follows: the folder's permissions, or a disk mounted for reading only.
    EXPECT_TRUE(window.PanHd->text().startsWith("Error: Unable to Save Report?! "))
        << window.PanHd->text().toStdString();
    EXPECT_GT(window.PanHd->text().size(), 40);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(readBytes(folder.file("report.jpg")), before);
}

}  // namespace
}  // namespace pulmora::test
