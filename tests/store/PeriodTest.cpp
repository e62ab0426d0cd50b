#include "DayState.h"
#include "NamedSaves.h"

#include "support/TempFolder.h"

#include "store/Clock.h"
#include "store/Cp1252.h"
#include "store/Keys.h"
#include "store/Names.h"
#include "store/TableAccess.h"

#include <algorithm>
#include <random>

namespace pulmora::test {
namespace {

using store::TableId;

QString decode(const engine::Field* f) { return store::cp1252::decode(f->str()); }

// A generated diary: three people (two of whose identifiers differ only in the last digit),
// days recorded in random order with random triggers and medication, some saved again, some
// deleted, and a few triggers left marked as a stopped save leaves them.
class PeriodTest : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
        store::clock::setToday(QDate(2024, 6, 15));
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
        std::mt19937 random(GetParam());
        auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const QStringList triggers = {"POLLEN", "COLD AIR", "SMOKE", "DAMP", "CATS", "DUST"};
        for (const auto& [surname, first] : {std::pair{"Smith", "John"}, {"Smith", "Joan"}, {"Brown", "Ann"}}) {
            store::PersonDetails d;
            d.nickname = QString(first) + surname;
            d.surname = surname;
            d.firstName = first;
            d.gender = "Female";
            if (QString(surname) == "Brown") d.best = "450";  // a card best some readings rise above
            const auto person = diary.persons.AddPer(std::nullopt, d);
            ASSERT_TRUE(person);
            persons.push_back(person.value.value().id);
            std::vector<store::PersonMedRow> current;
            for (const char* name : {"Salbutamol", "Budesonide", "Terbutaline"})
                current.push_back({"", name, "Other", "", "", {}});
            ASSERT_TRUE(diary.persons.savePersonLists(person.value.value().id, {}, current));
            std::vector<store::DayMedRow> meds;
            for (const store::PersonMedRow& m : diary.persons.ListMed(person.value.value().id))
                meds.push_back({m.name, m.category, m.medId.trimmed(), 0});
            std::vector<QDate> days;
            for (QDate d = first_; d <= last_; d = d.addDays(1))
                if (pick(0, 3)) days.push_back(d);
            std::shuffle(days.begin(), days.end(), random);
            for (size_t i = 0; i < days.size() + days.size() / 5; ++i) {
                const QDate day = days[i % days.size()];  // the last fifth saved a second time
                store::DayValues v;
                v.morning = pick(60, 99) * 5;
                v.evening = pick(0, 99) * 5;
                v.rating = pick(0, 3);
                v.relievers = pick(0, 9);
                QStringList ticked;
                for (const QString& t : triggers)
                    if (pick(0, 2) == 0) ticked << t;
                for (auto& m : meds) m.timesUsed = pick(0, 2);
                ASSERT_TRUE(diary.days.saveDay(person.value.value().id, day, v, ticked, meds));
            }
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(diary.days.DelDly(person.value.value().id, days[size_t(pick(0, 20))]));
            ASSERT_TRUE(named::markDayTriggers(diary, person.value.value().id, days[30]));
        }
        // Stored text that is no plain number, as another program may leave it, in fields the
        // record-by-record comparisons below do not look at.
        const char* odd[][2] = {{"Even", " 45"}, {"Even", "4x0"}, {"Nrel", "-5"}, {"Nprv", ""},
                                {"CogD", "2"},   {"ActS", " 1"},  {"Even", "+7"}, {"Nrel", "9 "}};
        auto* daily = store::TableAccess::table(diary.files, TableId::Daily);
        daily->selectTag(nullptr);
        int n = 0;
        for (bool more = daily->top(); more; more = daily->skip())
            if (++n % 7 == 0) {
                const auto& [field, text] = odd[(n / 7) % std::size(odd)];
                daily->field(field)->assign(text);
                ASSERT_TRUE(daily->flush());
            }
    }
    void TearDown() override { store::clock::setToday(QDate()); }

    // The lists of the monthly additional report as they were first made: a walk of the whole file
    // in the tag on the medication identifier or the trigger name, over the 31 days up to the date.
    std::vector<std::string> statedWalk(TableId id, const char* tag, const store::PersonId& person,
                                        const QString& date) {
        auto* t = store::TableAccess::table(diary.files, id);
        t->selectTag(t->tag(tag));
        const std::string who = store::cp1252::encode(person.text()).value();
        std::vector<std::string> items;
        const QDate last = store::keys::Get4Date(date).value_or(QDate());
        for (t->goBof(); !t->eof(); t->skip()) {
            const QDate day = store::keys::Get4Date(decode(t->field("AsDt"))).value_or(QDate());
            if (t->field("Asid")->str() != who || !day.isValid() || day < last.addDays(-30) || day > last) continue;
            QString item = decode(t->field("AsDt"));
            if (id == TableId::DlyMed) {
                item += "|" + decode(t->field("MdID")).trimmed() + "|" + decode(t->field("ANam")).trimmed() + "|" +
                        decode(t->field("TmUs")).trimmed() + "|" + decode(t->field("Ctgy")).trimmed();
            } else {
                item += "|" + store::triggerName(decode(t->field("Trig")));
            }
            items.push_back(item.toStdString());
        }
        return items;
    }
    // The items of a period read that fall in the 31 days up to the date, in their listed order.
    template <class Item>
    static std::vector<Item> listedMonth(std::vector<Item> items, const QDate& date) {
        std::erase_if(items, [&](const Item& item) { return item.date < date.addDays(-30) || item.date > date; });
        std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.listed < b.listed; });
        return items;
    }
    // The person's medication of the month from a read that begins `before` days earlier.
    std::vector<std::string> listedMedication(const store::PersonId& person, const QDate& date, int before) {
        std::vector<std::string> items;
        for (const auto& m :
             listedMonth(diary.reports.medicationBetween(person, date.addDays(-30 - before), date), date))
            items.push_back((store::keys::dateKey(m.date) + "|" + m.medId + "|" + m.name.trimmed() + "|" +
                             QString::number(m.timesUsed) + "|" + m.category.trimmed())
                                .toStdString());
        return items;
    }
    std::vector<std::string> listedTriggers(const store::PersonId& person, const QDate& date, int before) {
        std::vector<std::string> items;
        for (const auto& t : listedMonth(diary.reports.triggersBetween(person, date.addDays(-30 - before), date), date))
            items.push_back((store::keys::dateKey(t.date) + "|" + store::triggerName(t.trigger)).toStdString());
        return items;
    }

    // Every record of the file in record order, as "date|..." texts of the person in the period.
    std::vector<std::string> everyRecord(TableId id, const store::PersonId& person, const QString& first,
                                         const QString& last) {
        auto* t = store::TableAccess::table(diary.files, id);
        t->selectTag(nullptr);
        std::vector<std::string> rows;
        for (t->goBof(); !t->eof(); t->skip()) {
            const QString date = decode(t->field("AsDt"));
            if (decode(t->field("Asid")) != person || date < first || date > last) continue;
            QString row = date;
            if (id == TableId::Daily) row += "|" + decode(t->field("Morn")).trimmed() + "|" + decode(t->field("Rate"));
            if (id == TableId::DlyTrig) row += "|" + decode(t->field("Trig")).trimmed();
            if (id == TableId::DlyMed) row += "|" + decode(t->field("MdID")) + "|" + decode(t->field("TmUs")).trimmed();
            rows.push_back(row.toStdString());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    // The person's days read as the reports first read a period: one lookup by day identifier
    // a day, each stored value read as its trimmed text reads as a number.
    std::vector<store::DayRecord> dayByDay(const store::PersonId& person, const QDate& first, const QDate& last) {
        auto* t = store::TableAccess::table(diary.files, TableId::Daily);
        t->selectTag(t->tag("diDyID"));
        auto number = [&](const char* field) { return decode(t->field(field)).trimmed().toInt(); };
        std::vector<store::DayRecord> days;
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            if (!t->seek(store::cp1252::encodeRead(store::keys::dayId(person, d)))) continue;
            store::DayValues v;
            v.morning = number("Morn");
            v.evening = number("Even");
            v.coughDay = number("CogD") == 1;
            v.breathDay = number("BrtD") == 1;
            v.wheezeDay = number("WhzD") == 1;
            v.chestDay = number("ChsD") == 1;
            v.coughNight = number("CogN") == 1;
            v.breathNight = number("BrtN") == 1;
            v.wheezeNight = number("WhzN") == 1;
            v.chestNight = number("ChsN") == 1;
            v.activityRestricted = number("ActN") == 1;
            v.sportRestricted = number("ActS") == 1;
            v.offWork = number("Miss") == 1;
            v.relievers = number("Nrel");
            v.preventers = number("Nprv");
            v.rating = number("Rate");
            days.push_back({d, v});
        }
        return days;
    }

    const QDate first_{2024, 1, 1}, last_{2024, 5, 31};
    TempFolder folder{TempFolder::memoryRoot()};
    store::Diary diary;
    std::vector<store::PersonId> persons;
};

// The days were saved in random order and some saved again, so equal identifiers and names stand
// in record order, not date order; a month within a longer read lists as a read of the month alone.
TEST_P(PeriodTest, AMonthsItemsInListedOrderAreTheWalkOfTheNameTags) {
    int items = 0;
    for (const store::PersonId& person : persons) {
        for (QDate date = first_.addDays(-3); date <= last_.addDays(34); date = date.addDays(5)) {
            const QString key = store::keys::dateKey(date);
            const int before = (date.day() % 3) * 40;
            const auto meds = listedMedication(person, date, before);
            EXPECT_EQ(meds, statedWalk(TableId::DlyMed, "dmiRep", person, key))
                << person.text().toStdString() << " " << key.toStdString() << " " << before;
            const auto trgs = listedTriggers(person, date, before);
            EXPECT_EQ(trgs, statedWalk(TableId::DlyTrig, "dtiTRIG", person, key))
                << person.text().toStdString() << " " << key.toStdString() << " " << before;
            items += int(meds.size() + trgs.size());
        }
    }
    EXPECT_GT(items, 5000);
}

TEST_P(PeriodTest, PeriodReadsAnswerEveryRecordOfThePersonInThePeriod) {
    std::mt19937 random(GetParam() + 100);
    for (int round = 0; round < 30; ++round) {
        const store::PersonId& person = persons[round % persons.size()];
        const QDate a = first_.addDays(std::uniform_int_distribution<int>(-10, 160)(random));
        const QDate b = a.addDays(std::uniform_int_distribution<int>(0, 60)(random));
        const QString first = store::keys::dateKey(a), last = store::keys::dateKey(b);

        std::vector<std::string> days, triggers, meds;
        QDate previous;
        for (const auto& d : diary.reports.daysBetween(person, a, b)) {
            EXPECT_LT(previous, d.date) << "days in date order";
            previous = d.date;
            days.push_back((store::keys::dateKey(d.date) + "|" + QString::number(d.values.morning) + "|" +
                            QString::number(d.values.rating))
                               .toStdString());
        }
        for (const auto& t : diary.reports.triggersBetween(person, a, b))
            triggers.push_back((store::keys::dateKey(t.date) + "|" + t.trigger).toStdString());
        for (const auto& m : diary.reports.medicationBetween(person, a, b))
            meds.push_back(
                (store::keys::dateKey(m.date) + "|" + m.medId + "|" + QString::number(m.timesUsed)).toStdString());
        EXPECT_TRUE(std::is_sorted(triggers.begin(), triggers.end()));
        EXPECT_TRUE(std::is_sorted(meds.begin(), meds.end()));
        EXPECT_EQ(days, everyRecord(TableId::Daily, person, first, last))
            << first.toStdString() << " " << last.toStdString();
        EXPECT_EQ(triggers, everyRecord(TableId::DlyTrig, person, first, last));
        EXPECT_EQ(meds, everyRecord(TableId::DlyMed, person, first, last));
    }
    EXPECT_TRUE(diary.reports.daysBetween(persons[0], QDate(2024, 5, 10), QDate(2024, 5, 1)).empty());
    EXPECT_TRUE(diary.reports.daysBetween(persons[0], QDate(2024, 5, 1), QDate()).empty());
}

// The reports read a period once, by range; they used to look each day up. Both give the same
// days with the same values, and the same figures of the person.
TEST_P(PeriodTest, ThePeriodReadGivesWhatALookupADayGave) {
    std::mt19937 random(GetParam() + 200);
    auto* personal = store::TableAccess::table(diary.files, TableId::Personal);
    for (int round = 0; round < 60; ++round) {
        const store::PersonId& person = persons[round % persons.size()];
        const QDate a = first_.addDays(std::uniform_int_distribution<int>(-10, 160)(random));
        const QDate b = a.addDays(std::uniform_int_distribution<int>(0, 365)(random));
        const std::vector<store::DayRecord> expected = dayByDay(person, a, b);

        const store::PersonPeriod& period = diary.reports.GetRPer(person, a, b);
        EXPECT_EQ(period.days, expected) << a.toString().toStdString() << " " << b.toString().toStdString();
        personal->selectTag(personal->tag("piASID"));
        ASSERT_TRUE(personal->seek(person.text().toStdString()));
        int best = decode(personal->field("Best")).trimmed().toInt();
        bool anyReading = false;
        for (const auto& day : expected) {
            best = std::max({best, day.values.morning, day.values.evening});
            anyReading = anyReading || day.values.morning > 0 || day.values.evening > 0;
        }
        EXPECT_EQ(period.person.best, best);
        EXPECT_EQ(period.person.reportAvailable, expected.empty() ? 0 : 1);
        EXPECT_EQ(period.person.anyReading, anyReading ? 1 : 0);
    }
}

// A page reads its longest period once and gives each report the days of its own period: they
// and the person's figures are those a read of that period gives, the best raised by its days only.
TEST_P(PeriodTest, APeriodWithinALongerReadIsWhatItsOwnReadGives) {
    std::mt19937 random(GetParam() + 300);
    for (int round = 0; round < 30; ++round) {
        const store::PersonId& person = persons[round % persons.size()];
        const QDate a = first_.addDays(std::uniform_int_distribution<int>(-10, 100)(random));
        const QDate b = a.addDays(std::uniform_int_distribution<int>(0, 120)(random));
        const QDate from = a.addDays(std::uniform_int_distribution<int>(0, int(a.daysTo(b)))(random));
        const store::PersonPeriod longer = diary.reports.GetRPer(person, a, b);
        const store::PersonPeriod within = store::periodWithin(longer, from, b);
        const store::PersonPeriod& own = diary.reports.GetRPer(person, from, b);
        const std::string what = from.toString().toStdString() + " " + b.toString().toStdString();
        EXPECT_EQ(within.days, own.days) << what;
        EXPECT_EQ(within.person.best, own.person.best) << what;
        EXPECT_EQ(within.person.cardBest, own.person.cardBest) << what;
        EXPECT_EQ(within.person.reportAvailable, own.person.reportAvailable) << what;
        EXPECT_EQ(within.person.anyReading, own.person.anyReading) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(GeneratedDiaries, PeriodTest, ::testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace pulmora::test
