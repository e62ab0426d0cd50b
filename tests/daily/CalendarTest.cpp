#include "CardFixture.h"
#include "support/CardSaves.h"

#include "controls/Contrast.h"
#include "controls/TDaPanel.h"
#include "daily/DailyCommands.h"
#include "daily/TAsDet.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <QScreen>
#include <QTableView>
#include <QTest>

#include <set>

inline void PrintTo(const QColor& colour, std::ostream* out) { *out << colour.name().toStdString(); }

namespace pulmora::test {
namespace {

using store::keys::dateKey;

// Two people who rated the same June days differently.
class CalendarTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) {
            ann = addPerson(d, "Ann");
            ben = addPerson(d, "Ben");
            rate(d, ann, {{3, 3}, {4, 1}, {6, 0}});
            rate(d, ben, {{3, 2}, {5, 1}, {7, 3}});
        });
        start();
        card().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&card()));
    }
    static void rate(store::Diary& d, const QString& person, const std::vector<std::pair<int, int>>& days) {
        for (const auto& [day, rating] : days) {
            store::DayValues v;
            v.rating = rating;
            ASSERT_TRUE(cards::saveDay(d, person, dateKey(QDate(2024, 6, day)), v));
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
    QColor ratingColour(const QString& person, int day) {
        switch (diary().days.ChkDly(person, dateKey(QDate(2024, 6, day)))) {
        case 0: return daily::kUnrated;
        case 1: return daily::kBad;
        case 2: return daily::kAverage;
        case 3: return daily::kGood;
        default: return Qt::white;
        }
    }
    void expectRatingsOf(const QString& person) {
        for (int day = 2; day <= 8; ++day)
            EXPECT_EQ(shownColour(QDate(2024, 6, day)), ratingColour(person, day))
                << on<controls::TDaPanel>("SelAsName")->Caption().toStdString() << " on " << day << " June";
    }

    QString ann, ben;
};

TEST_F(CalendarTest, TheCellsFollowThePersonAfterEverySwitch) {
    ASSERT_EQ(card().CurrentPerson(), ann);
    expectRatingsOf(ann);
    click(widget("SelAsName"));
    ASSERT_EQ(card().CurrentPerson(), ben);
    expectRatingsOf(ben);
    click(widget("SelAsName"));
    ASSERT_EQ(card().CurrentPerson(), ann);
    expectRatingsOf(ann);
    // Deleting Ann starts the diary again on the one left.
    withModal([&] { choose("MnDelPer"); },
              [](QWidget* window) {
                  auto* det = qobject_cast<daily::TAsDet*>(window);
                  ASSERT_TRUE(det);
                  det->deleteBox->setText("DELETE");
                  click(det->BtnConfirm);
              });
    ASSERT_EQ(card().CurrentPerson(), ben);
    expectRatingsOf(ben);
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
    for (const QColor& cell : {daily::kGood, daily::kAverage, daily::kBad, daily::kUnrated, QColor(Qt::white), daily::kNavy})
        EXPECT_TRUE(backgrounds.count(cell.rgb())) << cell.name().toStdString();
}

}  // namespace
}  // namespace pulmora::test
