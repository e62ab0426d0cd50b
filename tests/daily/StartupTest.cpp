#include "CardFixture.h"
#include "support/CardSaves.h"

#include "app/IniRecord.h"
#include "app/SingleInstance.h"
#include "daily/SummaryPicture.h"
#include "pictures/Pictures.h"
#include "store/ReportCursors.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include "controls/TDaButton.h"
#include "controls/TDaSwitch.h"

#include <filesystem>

namespace pulmora::test {
namespace {

// ---- settings file ---------------------------------------------------------------------------

TEST(IniRecordTest, LayoutAndDefaults) {
    auto r = app::IniRecord::defaults("/home/jo/diary/");
    EXPECT_EQ(r.folderText(), "/home/jo/diary/");
    EXPECT_TRUE(r.reportMaximised());
    EXPECT_EQ(r.mainWindowPosition(), QPoint(0, 0));
    r.setMainWindowPosition({-20, 300});
    r.setReportGeometry({10, 20, 640, 480});
    r.setReportMaximised(false);
    const auto& b = r.bytes();
    EXPECT_EQ(quint8(b[40]), 0xEC);  // -20, little-endian
    EXPECT_EQ(quint8(b[43]), 0xFF);
    EXPECT_EQ(quint8(b[44]), 0x2C);  // 300
    EXPECT_EQ(quint8(b[45]), 0x01);
    EXPECT_EQ(b[48], 15);
    EXPECT_EQ(b[149], 'N');
    EXPECT_EQ(quint8(b[160]), 0xE0);  // height 480 at 160, width 640 at 164
    EXPECT_EQ(quint8(b[164]), 0x80);
    EXPECT_EQ(r.reportGeometry(), QRect(10, 20, 640, 480));
}

TEST_F(CardTest, SettingsSurviveARunWithTheirReservedBytes) {
    std::vector<char> ini(app::IniRecord::kSize, '\0');
    for (int i = 0; i < 40; ++i) ini[size_t(i)] = char(0xA0 + i);
    ini[40] = 50;  // main window at 50, 60
    ini[44] = 60;
    ini[149] = 'N';
    writeBytes(folder.file("pulmora.ini"), ini);
    start();
    EXPECT_EQ(card().pos(), QPoint(50, 60));
    EXPECT_FALSE(program->settings().reportMaximised());
    card().move(70, 80);
    card().close();
    const auto written = readBytes(folder.file("pulmora.ini"));
    ASSERT_EQ(written.size(), 168u);
    EXPECT_TRUE(std::equal(ini.begin(), ini.begin() + 40, written.begin()));
    EXPECT_EQ(written[40], 70);
    EXPECT_EQ(written[44], 80);
    EXPECT_EQ(written[149], 'N');
    EXPECT_FALSE(program->diary().files.isOpen());
}

TEST_F(CardTest, AShortSettingsFileCountsAsMissing) {
    writeBytes(folder.file("pulmora.ini"), std::vector<char>(100, 'x'));
    start();
    EXPECT_EQ(card().pos(), QPoint(4, 4));
    EXPECT_TRUE(program->settings().reportMaximised());
    card().close();
    EXPECT_EQ(readBytes(folder.file("pulmora.ini")).size(), 168u);
    EXPECT_EQ(readBytes(folder.file("pulmora.ini"))[0], 0);
}

// ---- one copy at a time ----------------------------------------------------------------------

TEST_F(CardTest, ASecondCopyBringsTheFirstForwardAndTouchesNoFile) {
    start();
    const std::string executable = folder.file("pulmora");
    std::filesystem::copy_file(PULMORA_EXECUTABLE, executable, std::filesystem::copy_options::overwrite_existing);
    const auto before = readBytes(folder.file("Daily.dat"));
    std::filesystem::remove(folder.file("RefTrig.dat"));  // a second copy that opened the diary would make it again

    app::SingleInstance probe(folderPath());
    EXPECT_TRUE(probe.ChkOtherCopy());
    QProcess second;
    second.setProcessEnvironment([] {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("DESKTOP_STARTUP_ID", "launcher-1234_TIME5678");
        return env;
    }());
    QSignalSpy raised(&program->guard(), &app::SingleInstance::showRequested);
    card().hide();
    second.start(QString::fromStdString(executable), {});
    ASSERT_TRUE(second.waitForStarted(5000));
    // The request reaches this copy while the spy runs its event loop.
    ASSERT_TRUE(raised.wait(10000));
    // The launcher's notice of the second start comes along, for the window to come forward under.
    const auto notice = raised.first().first().value<app::StartupNotice>();
    EXPECT_EQ(notice.kind, app::StartupNotice::Kind::StartupId);
    EXPECT_EQ(notice.id, "launcher-1234_TIME5678");
    // The second copy may already have ended while the spy's event loop ran.
    if (second.state() != QProcess::NotRunning) {
        EXPECT_TRUE(second.waitForFinished(10000));
    }
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(card().isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder.file("RefTrig.dat")));
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("pulmora.ini")));
}

// Each size drawn, so the desktop scales none of them.
TEST_F(CardTest, TheWindowCarriesItsIconAtEverySize) {
    start();
    for (const int side : controls::pictures::kAppIconSizes)
        EXPECT_TRUE(card().windowIcon().availableSizes().contains(QSize(side, side))) << side;
}

TEST_F(CardTest, TheLockIsFreeOnceItsHolderHasGone) {
    {
        app::SingleInstance first(folderPath());
        EXPECT_FALSE(first.ChkOtherCopy());
        app::SingleInstance second(folderPath());
        EXPECT_TRUE(second.ChkOtherCopy());
    }
    app::SingleInstance later(folderPath());
    EXPECT_FALSE(later.ChkOtherCopy());
}

// ---- record files that cannot be used --------------------------------------------------------

TEST_F(CardTest, ADamagedDayFileIsNamedAndLeftAlone) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    auto damaged = readBytes(folder.file("Daily.dat"));
    damaged[8] = 99;  // a header length that fits no descriptor list
    writeBytes(folder.file("Daily.dat"), damaged);
    start();
    EXPECT_TRUE(card().info().contains("Daily.dat"));
    EXPECT_TRUE(card().info().startsWith("ERROR: "));
    EXPECT_FALSE(widget("Tabs")->isEnabled());
    selectDay(kToday.addDays(-1));
    EXPECT_FALSE(widget("Tabs")->isEnabled());
    card().close();
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), damaged);
}

TEST_F(CardTest, WithoutItsExecutableTheFolderIsNotOpened) {
    std::filesystem::remove(folder.file("pulmora"));
    start();
    EXPECT_FALSE(program->diary().files.isOpen());
    EXPECT_FALSE(std::filesystem::exists(folder.file("Daily.dat")));
    EXPECT_TRUE(card().info().startsWith("ERROR: "));
}

// ---- calendar cells --------------------------------------------------------------------------

TEST_F(CardTest, CellsAreColouredByTheDaysRating) {
    prepare([&](store::Diary& d) {
        const store::PersonId jo = addPerson(d, "Jo");
        for (int rating = 0; rating <= 3; ++rating) {
            store::DayValues v;
            v.rating = rating;
            EXPECT_TRUE(cards::saveDay(d, jo, QDate(2024, 6, 1 + rating), v));
        }
    });
    start();
    selectDay(QDate(2024, 6, 10));
    auto cellAt = [&](const QDate& date) {
        QImage image(30, 20, QImage::Format_RGB32);
        QPainter painter(&image);
        on<daily::DayCalendar>("Cal")->drawCell(painter, image.rect(), date);
        return image;
    };
    const QColor face = on<daily::DayCalendar>("Cal")->palette().color(QPalette::Button);
    EXPECT_EQ(cellAt({2024, 6, 1}).pixelColor(2, 2), QColor(128, 128, 128));
    EXPECT_EQ(cellAt({2024, 6, 2}).pixelColor(2, 2), QColor(255, 0, 0));
    EXPECT_EQ(cellAt({2024, 6, 3}).pixelColor(2, 2), QColor(255, 255, 0));
    EXPECT_EQ(cellAt({2024, 6, 4}).pixelColor(2, 2), QColor(0, 255, 0));
    EXPECT_EQ(cellAt({2024, 6, 5}).pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(cellAt({2024, 6, 10}).pixelColor(2, 2), QColor(0, 0, 128));
    EXPECT_EQ(cellAt({2024, 6, 16}).pixelColor(2, 2), face);
    EXPECT_EQ(cellAt({2024, 5, 31}).pixelColor(2, 2), face);
    // An unrated recorded day's number would be white, which does not read well on the grey
    // (3.9 to 1); it is drawn dark instead.
    const QImage unrated = cellAt({2024, 6, 1});
    bool white = false, dark = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            white = white || unrated.pixelColor(x, y).lightness() > 230;
            dark = dark || unrated.pixelColor(x, y).lightness() < 40;
        }
    EXPECT_FALSE(white);
    EXPECT_TRUE(dark);
    // A selected day still to come is painted as a day to come.
    selectDay(QDate(2024, 6, 20));
    EXPECT_EQ(cellAt({2024, 6, 20}).pixelColor(2, 2), face);
}

// ---- summary picture -------------------------------------------------------------------------

TEST(SummaryPictureTest, RowsFiguresAndArrows) {
    daily::SummaryValues v;
    v.morning = 300;
    v.evening = 400;
    v.relievers = 2;
    v.daySymptoms = 1;
    v.previous.found = 1;
    v.previous.personBest = 400;
    v.previous.morning = 350;
    v.previous.evening = 350;
    v.previous.relievers = 2;
    QFont font("Arial");
    font.setPointSize(8);
    const QPalette palette;
    const QSize size(276, 134);
    const QImage picture = daily::drawComparison(size, v, font, palette);
    EXPECT_EQ(daily::percentOfBest(300, 400), 75);
    EXPECT_EQ(store::diurnalVariation(300, 400), 29);  // 100 / 350 x 100 = 28.57
    EXPECT_EQ(daily::percentOfBest(401, 800), 50);     // 50.125

    // Arrows stand 5 below the row top, their left edge at right end - 19 - 14 + 5.
    auto arrowPixels = [&](int top, const QColor& colour, int rowRight = 276 - 4) {
        const int arrowX = rowRight - 19 - 14 + 5;
        int n = 0;
        for (int y = top + 5; y < top + 16; ++y)
            for (int x = arrowX; x < arrowX + 19; ++x) n += picture.pixelColor(x, y) == colour;
        return n;
    };
    const QColor good(0, 128, 0), bad(192, 0, 0);
    EXPECT_GT(arrowPixels(4, bad), 10);                            // morning lower than before
    EXPECT_GT(arrowPixels(28, good), 10);                          // evening higher
    EXPECT_GT(arrowPixels(52, bad), 10);                           // diurnal 29 against 0
    EXPECT_GT(arrowPixels(80, bad, 276 / 2 - 4), 10);              // day symptoms up, at the end of the left half
    EXPECT_EQ(arrowPixels(80, bad) + arrowPixels(80, good), 0);    // night symptoms unchanged
    EXPECT_EQ(arrowPixels(108, good) + arrowPixels(108, bad), 0);  // relievers unchanged
    // The row's background is the window colour, outside the text and arrow.
    EXPECT_EQ(picture.pixelColor(200, 14), palette.color(QPalette::Base));

    // The diurnal figure "29%" stands left of x 150 and is absent when the readings are equal.
    daily::SummaryValues flat = v;
    flat.evening = 300;
    const QImage without = daily::drawComparison(size, flat, font, palette);
    int differing = 0;
    for (int y = 54; y < 70; ++y)
        for (int x = 100; x < 151; ++x) differing += picture.pixel(x, y) != without.pixel(x, y);
    EXPECT_GT(differing, 10);
}

// ---- the monitor -----------------------------------------------------------------------------

TEST_F(CardTest, TheMonitorIsDrawnWhileHidden) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    start();
    EXPECT_FALSE(program->db().isVisible());
    const QFontMetrics metrics(program->db().font());
    const QImage& image = program->db().Image1();
    EXPECT_EQ(image.width(), 28 * metrics.horizontalAdvance('M'));
    EXPECT_EQ(image.height(), 16 * (metrics.height() + 2));
    EXPECT_TRUE(program->db().monitor().drawn);
    EXPECT_EQ(program->db().monitor().personal, "1:100%:1");
    click(widget("CoughDay"));
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(program->db().monitor().daily, "1:100%:1");
}

TEST(MonitorText, ShowsRecordPositionAndCountOrThatTheFileIsNotOpen) {
    EXPECT_EQ(app::TAsDB::statusText({}), "File Not Open");
    EXPECT_EQ(app::TAsDB::statusText({true, 1, 0.0, 0}), "1:0%:0");
    EXPECT_EQ(app::TAsDB::statusText({true, 12, 0.75, 16}), "12:75%:16");
    EXPECT_EQ(app::TAsDB::statusText({true, 2, 0.999, 3}), "2:99%:3");
}

}  // namespace
}  // namespace pulmora::test
