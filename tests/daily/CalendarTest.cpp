#include "CardFixture.h"
#include "support/CardSaves.h"

#include "controls/TDaPanel.h"
#include "daily/DailyCommands.h"
#include "daily/TAsDet.h"
#include "pictures/Contrast.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <QScreen>
#include <QTableView>
#include <QTest>

#include <map>
#include <set>

inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace pulmora::test {
namespace {

// Two people who rated the same June days differently.
class CalendarTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) {
            ann = addPerson(d, "Ann");
            ben = addPerson(d, "Ben");
            rate(d, *ann, {{3, 3}, {4, 1}, {6, 0}});
            rate(d, *ben, {{3, 2}, {5, 1}, {7, 3}});
        });
        start();
        card().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    }
    static void rate(store::Diary& d, const store::PersonId& person, const std::vector<std::pair<int, int>>& days) {
        for (const auto& [day, rating] : days) {
            store::DayValues v;
            v.rating = rating;
            ASSERT_TRUE(cards::saveDay(d, person, QDate(2024, 6, day), v));
        }
    }

    // What the screen shows of a day cell: the window's pixels, as last painted, one pixel in
    // from the cell's top left corner (clear of the day number).
    QColor shownColour(const QDate& date) {
        QCoreApplication::processEvents();
        auto* view = on<daily::DayCalendar>("Cal")->findChild<QTableView*>();
        const QImage shown = card().screen()->grabWindow(card().winId()).toImage();
        for (int row = 1; row < view->model()->rowCount(); ++row)
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QModelIndex cell = view->model()->index(row, column);
                const int day = cell.data().toInt();
                const bool otherMonth = (row == 1 && day > 7) || (row >= 5 && day < 15);
                if (otherMonth || day != date.day()) continue;
                const QPoint corner = view->viewport()->mapTo(&card(), view->visualRect(cell).topLeft());
                return shown.pixelColor(corner + QPoint(1, 1));
            }
        ADD_FAILURE() << "no cell for " << date.toString().toStdString();
        return {};
    }
    // The colour the cell must show for the person's stored rating.
    QColor ratingColour(const store::PersonId& person, int day) {
        switch (diary().days.ChkDly(person, QDate(2024, 6, day))) {
        case 0: return daily::kUnrated;
        case 1: return daily::kBad;
        case 2: return daily::kAverage;
        case 3: return daily::kGood;
        default: return Qt::white;
        }
    }
    void expectRatingsOf(const store::PersonId& person) {
        for (int day = 2; day <= 8; ++day)
            EXPECT_EQ(shownColour(QDate(2024, 6, day)), ratingColour(person, day))
                << on<controls::TDaPanel>("SelAsName")->Caption().toStdString() << " on " << day << " June";
    }

    std::optional<store::PersonId> ann, ben;
};

TEST_F(CalendarTest, TheCellsFollowThePersonAfterEverySwitch) {
    ASSERT_EQ(card().CurrentPerson(), ann);
    expectRatingsOf(*ann);
    click(widget("SelAsName"));
    ASSERT_EQ(card().CurrentPerson(), ben);
    expectRatingsOf(*ben);
    click(widget("SelAsName"));
    ASSERT_EQ(card().CurrentPerson(), ann);
    expectRatingsOf(*ann);
    // Deleting Ann starts the diary again on the one left.
    withModal([&] { choose("MnDelPer"); },
              [](QWidget* window) {
                  auto* det = qobject_cast<daily::TAsDet*>(window);
                  ASSERT_TRUE(det);
                  det->deleteBox->setText("DELETE");
                  click(det->BtnConfirm);
              });
    ASSERT_EQ(card().CurrentPerson(), ben);
    expectRatingsOf(*ben);
}

// Every day number reads well on its cell, whatever the cell's colour: lime, yellow, red, grey,
// white, navy for the selected day, the button face of other months and days to come.
TEST_F(CalendarTest, EveryDayNumberReadsWellOnItsCell) {
    std::set<QRgb> backgrounds;
    for (int person = 0; person < 2; ++person) {
        for (QDate day(2024, 5, 26); day <= QDate(2024, 7, 6); day = day.addDays(1)) {
            const auto look = on<daily::DayCalendar>("Cal")->cellLook(day);
            backgrounds.insert(look.background.rgb());
            EXPECT_GE(controls::contrastRatio(look.text, look.background), controls::kReadableContrast)
                << day.toString(Qt::ISODate).toStdString() << " " << look.text.name().toStdString() << " on "
                << look.background.name().toStdString();
        }
        click(widget("SelAsName"));
    }
    for (const QColor& cell :
         {daily::kGood, daily::kAverage, daily::kBad, daily::kUnrated, QColor(Qt::white), daily::kNavy})
        EXPECT_TRUE(backgrounds.count(cell.rgb())) << cell.name().toStdString();
}

// A screen reader hears each day cell as its colour shows it. The cells are numbered as the
// view numbers them when it reports where the focus went: a slot before each row and a row of
// slots before the first.
TEST_F(CalendarTest, EachDayCellSaysItsDayAndRating) {
    auto* view = on<daily::DayCalendar>("Cal")->findChild<QTableView*>();
    QAccessibleInterface* cells = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(cells, nullptr);
    const int columns = view->model()->columnCount();
    auto cellAt = [&](int row, int column) { return cells->child((row + 1) * (columns + 1) + column + 1); };
    std::map<QString, QString> june;  // what the cells of June say, by the number they show
    for (int row = 1; row < view->model()->rowCount(); ++row)
        for (int column = 0; column < columns; ++column) {
            const QString shown = view->model()->index(row, column).data().toString();
            const QString said = cellAt(row, column)->text(QAccessible::Name);
            EXPECT_TRUE(said.startsWith(shown + " "))
                << said.toStdString() << " in the cell showing " << shown.toStdString();
            if (said.contains("June")) june[shown] = said;
        }
    EXPECT_EQ(june.size(), 30u);
    EXPECT_EQ(june["3"], "3 June, good day");
    EXPECT_EQ(june["4"], "4 June, bad day");
    EXPECT_EQ(june["5"], "5 June, not recorded");
    EXPECT_EQ(june["6"], "6 June, recorded without a rating");
    EXPECT_EQ(june["20"], "20 June, still to come");
    EXPECT_EQ(cellAt(0, 0)->text(QAccessible::Name), "Sun");
    // September 2024 starts on the first column, so its page opens with a week of August.
    on<daily::DayCalendar>("Cal")->setCurrentPage(2024, 9);
    EXPECT_EQ(cellAt(1, 0)->text(QAccessible::Name), "25 August, still to come");
    EXPECT_EQ(cellAt(2, 0)->text(QAccessible::Name), "1 September, still to come");
    on<daily::DayCalendar>("Cal")->setCurrentPage(2024, 6);
    QAccessibleInterface* current = cellAt(view->currentIndex().row(), view->currentIndex().column());
    EXPECT_TRUE(current->state().selected);
    EXPECT_EQ(current->text(QAccessible::Name), "15 June, not recorded");
}

}  // namespace
}  // namespace pulmora::test
