#include "DiaryFixture.h"

namespace pulmora::test {
namespace {

using store::TableId;

class DaysTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        ASSERT_EQ(addPerson("Johnny"), john);
        reliever = addMed(john, "Salbutamol", "Reliever");
        preventer = addMed(john, "Budesonide", "Preventer");
        ASSERT_TRUE(cards::addTrigger(diary, john, "POLLEN"));
        ASSERT_TRUE(cards::addTrigger(diary, john, "COLD AIR"));
    }
    // The daily card's save of a day's lists, keeping the day's values as they are.
    void saveLists(const QDate& date, const QStringList& triggers, const std::vector<std::pair<QString, int>>& meds) {
        std::vector<store::DayMedRow> rows;
        for (const auto& [id, times] : meds)
            rows.push_back(id == reliever ? store::DayMedRow{"Salbutamol", "Reliever", id, times}
                                          : store::DayMedRow{"Budesonide", "Preventer", id, times});
        const auto saved = diary.days.saveDay(john, date, diary.days.GetDly(john, date).values, triggers, rows);
        ASSERT_TRUE(saved) << saved.error().toStdString();
    }
    static std::vector<QString> names(const std::vector<store::TriggerLine>& lines, bool ticked) {
        std::vector<QString> out;
        for (const auto& l : lines)
            if (l.ticked == ticked) out.push_back(l.name);
        return out;
    }
    const store::PersonId john = personId("SmJo0001");
    QString reliever, preventer;
};

TEST_F(DaysTest, SavingADayTwiceKeepsOneRecordAndRaisesTheBest) {
    addDay(john, QDate(2024, 6, 10), 450, 300);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "450");
    addDay(john, QDate(2024, 6, 10), 380, 370, 3);
    EXPECT_EQ(table(TableId::Daily)->recordCount(), 1u);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "450");
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 10)), 3);
    addDay(john, QDate(2024, 6, 11), 460, 460);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "460");
    // A reading the user does not take as the best is stored and leaves the best alone.
    store::DayValues slip;
    slip.morning = 800;
    ASSERT_TRUE(diary.days.saveDay(john, QDate(2024, 6, 12), slip, {}, {}, store::Days::RaiseBest::Never));
    EXPECT_EQ(diary.days.GetDly(john, QDate(2024, 6, 12)).values.morning, 800);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "460");
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(DaysTest, ASaveRefusesBadValuesBeforeWritingAnything) {
    addDay(john, QDate(2024, 6, 10), 300, 300);
    const auto before = readBytes(folder.file("Daily.dat"));
    store::DayValues bad;
    bad.morning = 1000;
    EXPECT_FALSE(cards::saveDay(diary, john, QDate(2024, 6, 11), bad));
    bad = {};
    bad.relievers = -1;
    EXPECT_FALSE(cards::saveDay(diary, john, QDate(2024, 6, 10), bad));
    bad = {};
    bad.rating = 4;
    EXPECT_FALSE(cards::saveDay(diary, john, QDate(2024, 6, 10), bad));
    EXPECT_FALSE(cards::saveDay(diary, john, QDate(2024, 2, 31), {}));
    EXPECT_EQ(readBytes(folder.file("Daily.dat")), before);
    EXPECT_EQ(diary.persons.GetPerCrd(john)->best, "400");
}

TEST_F(DaysTest, ADayWithoutRecordOffersTheTriggersAndCurrentMedication) {
    const auto card = diary.days.GetDly(john, QDate(2024, 6, 1));
    EXPECT_FALSE(card.found);
    EXPECT_EQ(names(card.triggers, false), (std::vector<QString>{"COLD AIR", "POLLEN"}));
    EXPECT_TRUE(names(card.triggers, true).empty());
    EXPECT_EQ(card.medication.rows[0], (store::DayMedRow{"Salbutamol", "Reliever", reliever, 0}));
    EXPECT_EQ(card.medication.rows[1].medId, preventer);
    EXPECT_TRUE(card.medication.rows[2].isFree());
    EXPECT_EQ(card.medication.relieverRows, 1);
    EXPECT_EQ(card.medication.preventerRows, 1);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 1)), -1);
}

TEST_F(DaysTest, AStoredDayLoadsItsValuesAndLists) {
    store::DayValues v;
    v.morning = 410;
    v.evening = 390;
    v.breathNight = true;
    v.offWork = true;
    v.relievers = 4;
    v.preventers = 2;
    v.rating = 1;
    ASSERT_TRUE(cards::saveDay(diary, john, QDate(2024, 6, 1), v));
    saveLists(QDate(2024, 6, 1), {"pollen", "Smoke"}, {{reliever, 4}});

    const auto card = diary.days.GetDly(john, QDate(2024, 6, 1));
    EXPECT_TRUE(card.found);
    EXPECT_EQ(card.values.morning, 410);
    EXPECT_TRUE(card.values.breathNight);
    EXPECT_FALSE(card.values.breathDay);
    EXPECT_TRUE(card.values.offWork);
    EXPECT_EQ(card.values.preventers, 2);
    EXPECT_EQ(card.values.rating, 1);
    // An earlier day shows only what was stored.
    EXPECT_EQ(names(card.triggers, true), (std::vector<QString>{"POLLEN", "SMOKE"}));
    EXPECT_TRUE(names(card.triggers, false).empty());
    EXPECT_EQ(card.medication.rows[0], (store::DayMedRow{"Salbutamol", "Reliever", reliever, 4}));
    EXPECT_TRUE(card.medication.rows[1].isFree());
}

TEST_F(DaysTest, TodaysCardAlsoOffersWhatIsMissing) {
    addDay(john, kToday, 400, 400);
    saveLists(kToday, {"POLLEN"}, {{reliever, 2}});
    const auto card = diary.days.GetDly(john, kToday);
    EXPECT_EQ(names(card.triggers, true), (std::vector<QString>{"POLLEN"}));
    EXPECT_EQ(names(card.triggers, false), (std::vector<QString>{"COLD AIR"}));
    EXPECT_EQ(card.medication.rows[0].timesUsed, 2);
    EXPECT_EQ(card.medication.rows[1], (store::DayMedRow{"Budesonide", "Preventer", preventer, 0}));
    EXPECT_EQ(card.medication.relieverRows, 1);
    EXPECT_EQ(card.medication.preventerRows, 1);
}

TEST_F(DaysTest, SavingTheListsKeepsExactlyTheWantedSet) {
    addDay(john, QDate(2024, 6, 1), 400, 400);
    addDay(john, QDate(2024, 6, 2), 400, 400);
    saveLists(QDate(2024, 6, 1), {"HOUSE DUST MITES", "POLLEN", "SMOKE"}, {{reliever, 1}, {preventer, 2}});
    saveLists(QDate(2024, 6, 2), {"POLLEN"}, {{reliever, 5}});
    // A name that begins another stored name is a trigger of its own.
    saveLists(QDate(2024, 6, 1), {"HOUSE DUST", "house dust mites", "SMOKE"}, {{preventer, 3}});

    EXPECT_EQ(names(diary.days.GetDly(john, QDate(2024, 6, 1)).triggers, true),
              (std::vector<QString>{"HOUSE DUST", "HOUSE DUST MITES", "SMOKE"}));
    EXPECT_EQ(names(diary.days.GetDly(john, QDate(2024, 6, 2)).triggers, true), (std::vector<QString>{"POLLEN"}));
    const auto meds = diary.days.GetDly(john, QDate(2024, 6, 1)).medication;
    EXPECT_EQ(meds.rows[0], (store::DayMedRow{"Budesonide", "Preventer", preventer, 3}));
    EXPECT_TRUE(meds.rows[1].isFree());
    EXPECT_EQ(diary.days.GetDly(john, QDate(2024, 6, 2)).medication.rows[0].timesUsed, 5);
    // The dropped ones are marked in place until the start packs them away.
    for (auto [id, live] : {std::pair{TableId::DlyTrig, 4u}, std::pair{TableId::DlyMed, 2u}}) {
        EXPECT_EQ(table(id)->recordCount() - table(id)->markedCount(), live);
        EXPECT_GT(table(id)->markedCount(), 0u);
    }
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(DaysTest, DeletingADayTakesItsListsAndNothingElse) {
    addDay(john, QDate(2024, 6, 1), 400, 400);
    addDay(john, QDate(2024, 6, 2), 400, 400);
    saveLists(QDate(2024, 6, 1), {"POLLEN"}, {{reliever, 1}});
    saveLists(QDate(2024, 6, 2), {"POLLEN"}, {{reliever, 2}});
    ASSERT_TRUE(diary.days.DelDly(john, QDate(2024, 6, 1)));
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 1)), -1);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 2)), 2);
    EXPECT_EQ(column(TableId::DlyTrig, "AsDt"), (std::vector<QString>{"20240602"}));
    EXPECT_EQ(column(TableId::DlyMed, "AsDt"), (std::vector<QString>{"20240602"}));
}

TEST_F(DaysTest, RatingsOfDays) {
    addDay(john, QDate(2024, 6, 1), 400, 400, 0);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 1)), 0);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 2)), -1);
    diary.files.CloseDB();
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 1)), -1);
    EXPECT_FALSE(diary.days.GetDly(john, QDate(2024, 6, 1)).found);
    EXPECT_FALSE(cards::saveDay(diary, john, QDate(2024, 6, 1), {}));
}

TEST_F(DaysTest, AFullMedicationGridIsNeverOverwritten) {
    store::DayMedication full;
    for (int i = 0; i < store::kDayMedRows; ++i)
        full.rows[size_t(i)] = {QStringLiteral("M%1").arg(i), "Other", QStringLiteral("M%1").arg(i, 7, 10, QChar('0')),
                                1};
    const auto extended = diary.days.AddNewDlyMed(john, full);
    for (size_t i = 0; i < full.rows.size(); ++i) EXPECT_EQ(extended.rows[i], full.rows[i]);
    EXPECT_EQ(extended.relieverRows, 0);

    full.rows[19] = {};
    const auto one = diary.days.AddNewDlyMed(john, full);
    EXPECT_EQ(one.rows[19].medId, reliever);
    EXPECT_EQ(one.relieverRows, 1);
    EXPECT_EQ(one.preventerRows, 0);
}

TEST_F(DaysTest, AnEarlierDayOffersAChangedMedicationOnceAsTakenThen) {
    saveLists(QDate(2024, 6, 1), {}, {{reliever, 2}});
    std::vector<store::PersonMedRow> current = diary.persons.ListMed(john);
    current[1].medId.clear();  // Salbutamol changed: stored as a new version
    ASSERT_TRUE(diary.persons.savePersonLists(john, {}, current));
    const auto rows = diary.days.AddNewDlyMed(john, diary.days.GetDly(john, QDate(2024, 6, 1)).medication).rows;
    EXPECT_EQ(rows[0], (store::DayMedRow{"Salbutamol", "Reliever", reliever, 2}));
    EXPECT_EQ(rows[1], (store::DayMedRow{"Budesonide", "Preventer", preventer, 0}));
    EXPECT_TRUE(rows[2].isFree());
}

TEST_F(DaysTest, StoredTextThatIsNotANumberReadsAsZero) {
    addDay(john, QDate(2024, 6, 1), 400, 400);
    auto* t = dayRecord(john, QDate(2024, 6, 1));
    ASSERT_TRUE(t);
    t->field("Morn")->assign("4x0");
    t->field("Rate")->assign("?");
    ASSERT_TRUE(t->flush());
    const auto card = diary.days.GetDly(john, QDate(2024, 6, 1));
    EXPECT_EQ(card.values.morning, 0);
    EXPECT_EQ(card.values.evening, 400);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 1)), 0);
    EXPECT_EQ(diary.reports.daysBetween(john, QDate(2024, 6, 1), QDate(2024, 6, 1)).front().values.morning, 0);
}

// Records another dBASE program marked deleted are gone for every read, as a pack would leave
// them; a save touches only the files whose lists it changes, and a day saved again with a
// marked row recalls it rather than add a second one.
TEST_F(DaysTest, RecordsMarkedElsewhereAreGoneForEveryReadAndUntouchedByOtherSaves) {
    saveLists(QDate(2024, 6, 10), {"POLLEN"}, {{reliever, 1}});
    saveLists(QDate(2024, 6, 11), {"COLD AIR"}, {{preventer, 2}});
    addDay(john, QDate(2024, 6, 12), 300, 310);
    const auto mark = [&](TableId id, const char* tag, const QString& key) {
        engine::Table& t = *table(id);
        t.selectTag(t.tag(tag));
        ASSERT_TRUE(t.seek(key.toStdString())) << key.toStdString();
        t.markDeleted();
        ASSERT_TRUE(t.flush());
    };
    mark(TableId::DlyTrig, "dtiDyID", store::keys::dayId(john, QDate(2024, 6, 11)));
    mark(TableId::DlyMed, "dmiDyID", store::keys::dayId(john, QDate(2024, 6, 11)));
    mark(TableId::Daily, "diDyID", store::keys::dayId(john, QDate(2024, 6, 12)));
    diary.files.OpenDB();

    EXPECT_TRUE(names(diary.days.GetDly(john, QDate(2024, 6, 11)).triggers, true).empty());
    EXPECT_TRUE(diary.days.GetDly(john, QDate(2024, 6, 11)).medication.rows[0].isFree());
    EXPECT_FALSE(diary.days.GetDly(john, QDate(2024, 6, 12)).found);
    EXPECT_EQ(diary.days.ChkDly(john, QDate(2024, 6, 12)), -1);
    EXPECT_EQ(diary.reports.daysBetween(john, QDate(2024, 6, 1), QDate(2024, 6, 30)).size(), 2u);

    const auto trigFile = readBytes(diary.files.filePath(TableId::DlyTrig).toStdString());
    const auto medFile = readBytes(diary.files.filePath(TableId::DlyMed).toStdString());
    store::DayValues values = diary.days.GetDly(john, QDate(2024, 6, 10)).values;
    values.morning = 420;  // a reading changed, its lists as they were
    const std::vector<store::DayMedRow> rows{{"Salbutamol", "Reliever", reliever, 1}};
    ASSERT_TRUE(diary.days.saveDay(john, QDate(2024, 6, 10), values, {"POLLEN"}, rows));
    EXPECT_EQ(readBytes(diary.files.filePath(TableId::DlyTrig).toStdString()), trigFile);
    EXPECT_EQ(readBytes(diary.files.filePath(TableId::DlyMed).toStdString()), medFile);

    saveLists(QDate(2024, 6, 11), {"COLD AIR"}, {});
    EXPECT_EQ(names(diary.days.GetDly(john, QDate(2024, 6, 11)).triggers, true), std::vector<QString>{"COLD AIR"});
    EXPECT_EQ(table(TableId::DlyTrig)->recordCount(), 2u);
    addDay(john, QDate(2024, 6, 12), 330, 340);
    EXPECT_TRUE(diary.days.GetDly(john, QDate(2024, 6, 12)).found);
    EXPECT_EQ(table(TableId::Daily)->recordCount(), 3u);
}

}  // namespace
}  // namespace pulmora::test
