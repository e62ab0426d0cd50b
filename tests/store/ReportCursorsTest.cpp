#include "DiaryFixture.h"

#include "store/Cp1252.h"

namespace pulmora::test {
namespace {

using store::ReportCursors;
using store::TableId;

class ReportsTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        ASSERT_EQ(addPerson("Johnny"), john);
        ASSERT_EQ(addPerson("Jack"), jack);
    }
    // Every item of the period read as "identifier date" (or "name date"), in its listed order.
    template <class Item>
    static std::vector<QString> inListedOrder(std::vector<Item> items, QString Item::*key) {
        std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.listed < b.listed; });
        std::vector<QString> texts;
        for (const Item& item : items) texts.push_back(item.*key + " " + store::keys::dateKey(item.date));
        return texts;
    }
    std::vector<QString> medItems(const store::PersonId& person, const QDate& first, const QDate& last) {
        return inListedOrder(diary.reports.medicationBetween(person, first, last), &store::DayMedItem::medId);
    }
    std::vector<QString> trgItems(const store::PersonId& person, const QDate& first, const QDate& last) {
        return inListedOrder(diary.reports.triggersBetween(person, first, last), &store::DayTriggerItem::trigger);
    }
    const store::PersonId john = personId("SmJo0001"), jack = personId("SmJo0002");
};

TEST(DiurnalVariation, RoundsHalvesToEven) {
    EXPECT_EQ(store::diurnalVariation(400, 500), 22);
    EXPECT_EQ(store::diurnalVariation(500, 400), 22);
    EXPECT_EQ(store::diurnalVariation(0, 500), 0);
    EXPECT_EQ(store::diurnalVariation(399, 401), 0);  // 0.5
    EXPECT_EQ(store::diurnalVariation(397, 403), 2);  // 1.5
}

TEST_F(ReportsTest, ThePreviousRecordedDay) {
    addDay(john, QDate(2024, 6, 1), 300, 400);
    addDay(jack, QDate(2024, 6, 3), 100, 100);
    addDay(john, QDate(2024, 6, 4), 350, 350);

    const auto& c = diary.reports.GetRepDly(john, QDate(2024, 6, 4));
    EXPECT_EQ(c.found, 1);
    EXPECT_EQ(c.morning, 300);
    EXPECT_EQ(c.evening, 400);
    EXPECT_EQ(c.diurnal, 29);
    EXPECT_EQ(c.daySymptoms, 1);
    EXPECT_EQ(c.nightSymptoms, 1);
    EXPECT_EQ(c.relievers, 3);
    EXPECT_EQ(c.personBest, 400);
    EXPECT_EQ(c.personPred, 450);

    EXPECT_EQ(diary.reports.GetRepDly(john, QDate(2024, 6, 3)).morning, 300);  // unrecorded day
    EXPECT_EQ(diary.reports.GetRepDly(john, QDate(2024, 6, 10)).morning, 350);

    const auto& first = diary.reports.GetRPrvDly(john, QDate(2024, 6, 1));
    EXPECT_EQ(first.found, 0);
    EXPECT_EQ(first.personBest, 400);
    EXPECT_EQ(diary.reports.GetRPrvDly(jack, QDate(2024, 6, 3)).found, 0);  // john's days are not jack's
}

TEST_F(ReportsTest, OneDayAndThePersonOverAPeriod) {
    addDay(john, QDate(2024, 6, 1), 300, 420, 3);
    const auto days = diary.reports.daysBetween(john, QDate(2024, 6, 1), QDate(2024, 6, 2));
    ASSERT_EQ(days.size(), 1u);
    const store::DayValues& d = days.front().values;
    EXPECT_EQ(days.front().date, QDate(2024, 6, 1));
    EXPECT_EQ(d.evening, 420);
    EXPECT_TRUE(d.coughDay);
    EXPECT_FALSE(d.breathDay);
    EXPECT_TRUE(d.wheezeNight);
    EXPECT_EQ(d.relievers, 3);
    EXPECT_EQ(d.rating, 3);

    // The stored best is 420 after that save; a reading above it in the period raises the
    // report's best only.
    auto* t = dayRecord(john, QDate(2024, 6, 1));
    ASSERT_TRUE(t);
    t->field("Morn")->assign("480");
    ASSERT_TRUE(t->flush());
    const auto& p = diary.reports.GetRPer(john, QDate(2024, 5, 20), QDate(2024, 6, 30)).person;
    EXPECT_EQ(p.best, 480);
    EXPECT_EQ(p.surname, QString("Smith").leftJustified(30));
    EXPECT_EQ(p.birthDate, "19800131");
    EXPECT_EQ(p.reportAvailable, 1);
    EXPECT_EQ(p.anyReading, 1);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "420");

    const auto& empty = diary.reports.GetRPer(john, QDate(2024, 7, 1), QDate(2024, 7, 31)).person;
    EXPECT_EQ(empty.reportAvailable, 0);
    EXPECT_EQ(empty.best, 420);
}

TEST_F(ReportsTest, APeriodReadListsItsItemsInKeyOrderPastBadDates) {
    const QString salb = addMed(john, "Salbutamol", "Reliever");
    const QString bud = addMed(john, "Budesonide", "Preventer");
    const QString other = addMed(jack, "Salbutamol", "Reliever");
    auto day = [&](const store::PersonId& person, const QDate& date, const QString& med, const QString& trigger) {
        const std::vector<store::DayMedRow> used = {{"x", "Reliever", med, 1}};
        ASSERT_TRUE(diary.days.saveDay(person, date, {}, {trigger}, used));
    };
    // The 31 days up to 31 March: from 1 March on.
    day(john, QDate(2024, 3, 31), salb, "POLLEN");
    day(john, QDate(2024, 3, 1), bud, "COLD AIR");
    day(john, QDate(2024, 2, 29), salb, "SMOKE");
    day(john, QDate(2024, 4, 1), bud, "CATS");
    day(jack, QDate(2024, 3, 15), other, "DUST");
    day(john, QDate(2024, 3, 10), salb, "DUST");

    // A record of someone else with a blank date must not stop anyone's report.
    for (auto id : {TableId::DlyMed, TableId::DlyTrig}) {
        auto* t = table(id);
        t->selectTag(nullptr);
        for (t->goBof(); store::cp1252::decode(t->field("Asid")->str()) != jack; t->skip()) {
        }
        t->field("AsDt")->assign("");
        ASSERT_TRUE(t->flush());
    }
    // Equal identifiers list in the order they were recorded.
    const QDate first(2024, 3, 1), last(2024, 3, 31);
    EXPECT_EQ(medItems(john, first, last),
              (std::vector<QString>{bud + " 20240301", salb + " 20240331", salb + " 20240310"}));
    EXPECT_EQ(trgItems(john, first, last),
              (std::vector<QString>{"COLD AIR 20240301", "DUST 20240310", "POLLEN 20240331"}));
    EXPECT_TRUE(medItems(john, QDate(2024, 4, 2), QDate(2024, 5, 2)).empty());
    EXPECT_EQ(diary.reports.medicationBetween(john, first, last).front().name, "x");
}

}  // namespace
}  // namespace pulmora::test
