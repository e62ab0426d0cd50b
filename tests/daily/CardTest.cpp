#include "CardFixture.h"
#include "support/CardSaves.h"

#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"
#include "pictures/Pictures.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace pulmora::test {
namespace {

class DailyCardTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) { person = addPerson(d, "Jo"); });
        start();
    }
    store::DayCard stored(const QDate& date) { return diary().days.GetDly(*person, date); }
    int usedCell(int row) { return on<QTableWidget>("MedGrd")->item(row, 0)->text().toInt(); }
    void clickUsed(int row, Qt::MouseButton button = Qt::LeftButton) {
        auto* grid = on<QTableWidget>("MedGrd");
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), button, {}, cell.center());
    }
    std::optional<store::PersonId> person;
};

TEST_F(DailyCardTest, StartsOnTodayForTheFirstPerson) {
    EXPECT_EQ(card().CurrentPerson(), person);
    EXPECT_EQ(card().CurrentDate(), QDate(2024, 6, 15));
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Jo");
    EXPECT_EQ(card().info(), "Welcome to the Pulmora");
    EXPECT_EQ(card().windowTitle(), "Pulmora Daily Card");
    EXPECT_EQ(on<controls::TDaButton>("PanDate")->Caption(), "June 2024");
    EXPECT_FALSE(widget("BtnSave")->isVisible());
}

TEST_F(DailyCardTest, ANewDayOffersTheTriggersAndMedicationEmpty) {
    EXPECT_EQ(basic().values().morning, 0);
    EXPECT_FALSE(on<controls::TDaSwitch>("CoughDay")->BtnState());
    const auto lines = additional().triggers();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].ticked || lines[1].ticked);
    EXPECT_EQ(on<QTableWidget>("MedGrd")->rowCount(), 2);
    EXPECT_EQ(usedCell(0), 0);
    // Nothing compared yet: the splash picture.
    const QLabel& summary = *on<QLabel>("Report");
    EXPECT_EQ(summary.pixmap().toImage(),
              QPixmap::fromImage(controls::pictures::splash(summary.size(), card().devicePixelRatioF())).toImage());
    // Saving an untouched new day stores no triggers and no medication.
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(diary().files.position(store::TableId::DlyTrig).count, 0u);
    EXPECT_EQ(diary().files.position(store::TableId::DlyMed).count, 0u);
}

TEST_F(DailyCardTest, LeavingADayWritesItsPendingChangesToThatDay) {
    click(widget("CoughDay"));
    EXPECT_TRUE(card().RecChanged());
    EXPECT_TRUE(widget("BtnSave")->isVisibleTo(&card()));
    selectDay(QDate(2024, 6, 14));
    EXPECT_FALSE(card().RecChanged());
    EXPECT_TRUE(stored(kToday).found);
    EXPECT_TRUE(stored(kToday).values.coughDay);
    EXPECT_FALSE(stored(QDate(2024, 6, 14)).found);
    EXPECT_FALSE(on<controls::TDaSwitch>("CoughDay")->BtnState());
    selectDay(kToday);
    EXPECT_TRUE(on<controls::TDaSwitch>("CoughDay")->BtnState());
    EXPECT_EQ(card().info(), "Asthma Record Retrieved for 15 June 2024");
}

TEST_F(DailyCardTest, FutureDaysAreRefusedAndTodayIsEditable) {
    EXPECT_TRUE(widget("Tabs")->isEnabled());
    selectDay(kToday.addDays(1));
    EXPECT_FALSE(widget("Tabs")->isEnabled());
    EXPECT_EQ(card().info(), "You are not allowed to record forward date information!");
    EXPECT_EQ(on<QTabWidget>("Tabs")->currentIndex(), 0);
    selectDay(kToday);
    EXPECT_TRUE(widget("Tabs")->isEnabled());
}

TEST_F(DailyCardTest, AFutureDaysEntriesLookDisabled) {
    selectDay(kToday.addDays(1));
    const QPoint inCell(6, 14);  // inside the first digit cell, clear of its digit
    // As any disabled entry on the page: not the yellow and navy faces of the entries in use.
    const QColor disabled = basic().palette().color(QPalette::Disabled, QPalette::Base);
    for (controls::TDaNumber* entry : {on<controls::TDaNumber>("PkMorn"), on<controls::TDaNumber>("PkEven")})
        EXPECT_EQ(entry->grab().toImage().pixelColor(inCell), disabled) << entry->accessibleName().toStdString();
    selectDay(kToday);
    EXPECT_EQ(widget("PkEven")->grab().toImage().pixelColor(inCell), QColor(0, 0, 128));
    EXPECT_EQ(widget("PkMorn")->grab().toImage().pixelColor(inCell), QColor(255, 255, 0));
}

TEST_F(DailyCardTest, CancelDropsTheChangesAndReloads) {
    click(widget("WheezNight"));
    click(widget("BtnCancel"));
    EXPECT_FALSE(card().RecChanged());
    EXPECT_FALSE(on<controls::TDaSwitch>("WheezNight")->BtnState());
    EXPECT_FALSE(stored(kToday).found);
}

TEST_F(DailyCardTest, TheOneRelieverFollowsTheCountBothWays) {
    for (int i = 0; i < 3; ++i) click(widget("RelUse"));
    EXPECT_EQ(on<controls::TDaSingle>("RelUse")->NoValue(), 3);
    EXPECT_EQ(usedCell(0), 3);  // Salbutamol, the only reliever
    clickUsed(0);
    EXPECT_EQ(usedCell(0), 4);
    EXPECT_EQ(on<controls::TDaSingle>("RelUse")->NoValue(), 4);
    // A preventer row changes the preventer count and leaves the reliever count alone.
    clickUsed(1);
    EXPECT_EQ(on<controls::TDaSingle>("PreUse")->NoValue(), 1);
    EXPECT_EQ(on<controls::TDaSingle>("RelUse")->NoValue(), 4);
    // A right click acts on the cell under the pointer, not on the current cell.
    on<QTableWidget>("MedGrd")->setCurrentCell(0, 0);
    clickUsed(1, Qt::RightButton);
    EXPECT_EQ(usedCell(0), 4);
    EXPECT_EQ(usedCell(1), 0);
    clickUsed(1, Qt::RightButton);
    EXPECT_EQ(usedCell(1), 0);
    // The medication column is not a count.
    const auto* grid = on<QTableWidget>("MedGrd");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
    EXPECT_EQ(usedCell(0), 4);

    ASSERT_TRUE(card().SaveDay());
    const auto day = stored(kToday);
    EXPECT_EQ(day.values.relievers, 4);
    EXPECT_EQ(day.medication.rows[0].timesUsed, 4);
    // A count of 0 is not stored (today's card offers the preventer again when it is read).
    EXPECT_EQ(diary().files.position(store::TableId::DlyMed).count, 1u);
}

// Column 1 takes the rest of the grid, whichever page was in front when the day loaded.
TEST_F(DailyCardTest, TheMedicationColumnFillsTheGrid) {
    card().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    ASSERT_EQ(on<QTabWidget>("Tabs")->currentIndex(), 0);
    selectDay(QDate(2024, 6, 14));
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const auto* grid = on<QTableWidget>("MedGrd");
    EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() - grid->columnWidth(0) - 6);
    EXPECT_GT(grid->columnWidth(1), 150);
    selectDay(QDate(2024, 6, 13));
    EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() - grid->columnWidth(0) - 6);
}

TEST_F(DailyCardTest, TwoRelieversKeepTheirOwnCounts) {
    ASSERT_TRUE(cards::addMedication(diary(), *person, "Terbutaline", "Reliever"));
    card().CalDateChange();
    ASSERT_EQ(on<QTableWidget>("MedGrd")->rowCount(), 3);
    click(widget("RelUse"));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(usedCell(row), 0);
    // A count typed by hand survives a click on a preventer row.
    for (int row = 0; row < 3; ++row)
        if (on<QTableWidget>("MedGrd")->item(row, 1)->text().endsWith("(Preventer)")) clickUsed(row);
    EXPECT_EQ(on<controls::TDaSingle>("RelUse")->NoValue(), 1);
    for (int row = 0; row < 3; ++row)
        if (on<QTableWidget>("MedGrd")->item(row, 1)->text().endsWith("(Reliever)")) clickUsed(row);
    EXPECT_EQ(on<controls::TDaSingle>("RelUse")->NoValue(), 2);
}

TEST_F(DailyCardTest, EveryTickChangeMarksTheDay) {
    auto* list = on<QListWidget>("ListTrg");
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    list->setCurrentRow(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_TRUE(card().RecChanged());
    selectDay(QDate(2024, 6, 1));
    const auto day = stored(kToday);
    ASSERT_EQ(day.triggers.size(), 2u);
    EXPECT_EQ(day.triggers[0].name, "POLLEN");
    EXPECT_TRUE(day.triggers[0].ticked);
    EXPECT_FALSE(day.triggers[1].ticked);  // offered again, as the day is today
}

TEST_F(DailyCardTest, TickTriggerTicksAListedNameWithoutAddingIt) {
    additional().TickTrigger(" POLLEN");
    additional().TickTrigger("SMOKE");
    const auto lines = additional().triggers();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[1].ticked);
    EXPECT_EQ(lines[2].name, "SMOKE");
    EXPECT_TRUE(lines[2].ticked);
}

TEST_F(DailyCardTest, TheDateBarStepsMonthsAndYears) {
    selectDay(QDate(2024, 3, 31));
    click(widget("BackMonth"));
    EXPECT_EQ(on<daily::DayCalendar>("Cal")->selectedDate(), QDate(2024, 2, 29));
    selectDay(QDate(2000, 2, 29));
    click(widget("ForwardYear"));
    EXPECT_EQ(on<daily::DayCalendar>("Cal")->selectedDate(), QDate(2001, 2, 28));
    click(widget("ForwardMonth"));
    click(widget("BackYear"));
    EXPECT_EQ(on<daily::DayCalendar>("Cal")->selectedDate(), QDate(2000, 3, 28));
    click(widget("PanDate"));
    EXPECT_EQ(on<daily::DayCalendar>("Cal")->selectedDate(), kToday);
    // Clicking it again on today keeps the day; like every command it first saves what is pending.
    click(widget("ChestDay"));
    click(widget("PanDate"));
    EXPECT_EQ(on<daily::DayCalendar>("Cal")->selectedDate(), kToday);
    EXPECT_TRUE(on<controls::TDaSwitch>("ChestDay")->BtnState());
    EXPECT_FALSE(card().RecChanged());
    EXPECT_TRUE(stored(kToday).values.chestDay);
}

TEST_F(DailyCardTest, SavingRaisesTheBestAndTheSummaryComparesWithThePreviousDay) {
    selectDay(QDate(2024, 6, 10));
    for (int i = 0; i < 3; ++i) click(widget("PkMorn"), Qt::LeftButton);
    ASSERT_TRUE(card().SaveDay());
    selectDay(kToday);
    const QImage splash = on<QLabel>("Report")->pixmap().toImage();
    click(widget("RateGood"));
    EXPECT_NE(on<QLabel>("Report")->pixmap().toImage(), splash);
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(stored(kToday).values.rating, 3);
}

TEST_F(CardTest, ALongNicknameStopsShortOfTheHeaderButtonsAndKeepsItsMarker) {
    prepare([&](store::Diary& d) { addPerson(d, QString(30, QLatin1Char('W'))); });
    start();
    controls::TDaPanel* banner = on<controls::TDaPanel>("SelAsName");
    EXPECT_LT(banner->geometry().right(), widget("BtnPer")->x());
    EXPECT_LE(banner->markerRect().right(), banner->width() - 1);
    EXPECT_EQ(banner->grab().toImage().pixelColor(banner->markerRect().center() + QPoint(1, -2)), QColor(0, 0, 128));
}

// A message of two lines, a 30-character nickname's export, stands whole in the card's own font;
// a longer one is set smaller until it fits.
TEST_F(DailyCardTest, TheInformationLineShowsMessagesWhole) {
    const QString nickname = "Christabel Montgomery-Fotheri2";
    const QString lines[] = {
        "365 days of " + nickname + " exported to /home/someone/Documents/" + nickname + " diary.csv",
        "ERROR: The diary is open for reading only (" +
            QString("another copy of the program has it open ").repeated(3) +
            "), so nothing can be entered or saved. Daily.dat could not be opened (it is damaged).",
    };
    for (const QString& text : lines) {
        card().setInfo(text);
        const QLabel& line = *on<QLabel>("PanInfo");
        const QRect wrapped =
            QFontMetrics(line.font())
                .boundingRect(QRect(QPoint(0, 0), QSize(line.contentsRect().width(), 1000)), Qt::TextWordWrap, text);
        EXPECT_LE(wrapped.height(), line.contentsRect().height()) << text.toStdString();
    }
    card().setInfo(lines[0]);
    EXPECT_EQ(QFontInfo(on<QLabel>("PanInfo")->font()).pixelSize(), QFontInfo(card().font()).pixelSize());
}

class NoPersonTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        start();
    }
};

TEST_F(NoPersonTest, EntryWithoutAPersonOpensThePersonalCard) {
    EXPECT_FALSE(card().CurrentPerson());
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "New");
    EXPECT_EQ(card().info(), "Welcome to the Pulmora");
    auto expectNewPersonalCard = [](QWidget* window) { EXPECT_EQ(window->windowTitle(), "Pulmora Personal Card"); };
    withModal([&] { click(widget("CoughDay")); }, expectNewPersonalCard);
    EXPECT_FALSE(on<controls::TDaSwitch>("CoughDay")->BtnState());
    EXPECT_FALSE(card().RecChanged());
    withModal([&] { click(widget("PkMorn")); }, expectNewPersonalCard);
    EXPECT_EQ(on<controls::TDaNumber>("PkMorn")->NoValue(), 0);
    EXPECT_FALSE(card().RecChanged());
    // A typed digit counts at once, so it too asks for a person first and is not kept.
    withModal([&] { QTest::keyClick(widget("PkEven"), Qt::Key_4); }, expectNewPersonalCard);
    EXPECT_EQ(on<controls::TDaNumber>("PkEven")->NoValue(), 0);
    EXPECT_FALSE(on<controls::TDaNumber>("PkEven")->typing());
    EXPECT_FALSE(card().RecChanged());
    withModal([&] { card().RecUpdate(); }, expectNewPersonalCard);
    EXPECT_EQ(diary().files.position(store::TableId::Daily).count, 0u);
}

}  // namespace
}  // namespace pulmora::test
