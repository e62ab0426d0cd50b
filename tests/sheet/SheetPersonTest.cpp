#include "SheetDiary.h"

#include "sheet/RecordSheet.h"

namespace pulmora::test {
namespace {

using sheet::GetAsthmatic;
using sheet::SheetPerson;

TEST_F(SheetDiaryTest, PersonsAreOfferedInIdentifierOrder) {
    const store::PersonId zed = addPerson("Zed", "Young");
    const store::PersonId amy = addPerson("Amy", "Brown");
    const store::PersonId max = addPerson("Max", "Adams");
    // Identifiers begin with the surname: Adams, Brown, Young.
    QStringList names;
    std::vector<store::PersonId> ids;
    for (const store::PersonRef& entry : sheet::sheetEntries(diary.persons)) {
        names << entry.nickname;
        ids.push_back(entry.id);
    }
    EXPECT_EQ(names, (QStringList{"Max", "Amy", "Zed"}));
    EXPECT_EQ(ids, (std::vector<store::PersonId>{max, amy, zed}));
}

TEST_F(SheetDiaryTest, ThePersonFoundHasLimitsRoundedHalfToEvenAndListsAsStored) {
    // 81 % of 450 is 364.5 and 51 % is 229.5: halves go to the even neighbour.
    const store::PersonId id = addPerson("Amy", "Brown", "450", "81", "51");
    addTrigger(id, "Pollen");
    addTrigger(id, "cold air");
    addMed(id, "Salbutamol", "Reliever");
    addMed(id, "Theophylline", "Other", false);
    addMed(id, "Budesonide", "Preventer");

    const SheetPerson person = GetAsthmatic(diary.persons, "  Amy ");
    EXPECT_EQ(person.name, "Amy");
    EXPECT_EQ(person.id, id);
    EXPECT_EQ(person.surname, "Brown");
    EXPECT_EQ(person.firstNames, "Sam");
    EXPECT_EQ(person.best, 450);
    EXPECT_EQ(person.yellowLimit, 364);
    EXPECT_EQ(person.redLimit, 230);
    EXPECT_EQ(person.triggers, (QStringList{"POLLEN", "COLD AIR"}));
    ASSERT_EQ(person.medication.size(), 2u);
    EXPECT_EQ(person.medication[0].name, "Salbutamol");
    EXPECT_EQ(person.medication[0].category, "Reliever");
    EXPECT_EQ(person.medication[1].name, "Budesonide");
}

TEST_F(SheetDiaryTest, EmptyFiguresCountAsNoughtAndNobodyElsesAreTaken) {
    addPerson("Amy", "Brown", "450", "80", "50");
    addPerson("Bea", "Clark", "", "", "");
    EXPECT_EQ(GetAsthmatic(diary.persons, "Amy").yellowLimit, 360);
    const SheetPerson bea = GetAsthmatic(diary.persons, "Bea");
    EXPECT_EQ(bea.best, 0);
    EXPECT_EQ(bea.yellowLimit, 0);
    EXPECT_EQ(bea.redLimit, 0);
}

TEST_F(SheetDiaryTest, OfTwoPersonsWithOneNicknameTheLastInIdentifierOrderIsTaken) {
    addPerson("Twin", "Adams", "300");
    const store::PersonId later = addPerson("Twin", "Young", "500");
    const SheetPerson person = GetAsthmatic(diary.persons, "Twin");
    EXPECT_EQ(person.id, later);
    EXPECT_EQ(person.best, 500);
}

TEST_F(SheetDiaryTest, ANameNobodyHasGivesAnEmptySheetPerson) {
    addPerson("Amy", "Brown");
    const SheetPerson person = GetAsthmatic(diary.persons, "Nobody");
    EXPECT_FALSE(person.id);
    EXPECT_EQ(person.best, 0);
    EXPECT_TRUE(person.triggers.isEmpty());
}

TEST(SheetTextsTest, TheMarkFollowsTheCategoryNotTheName) {
    EXPECT_EQ(sheet::medicationLabel({"SALBUTAMOL", "Reliever"}), "(R) Salbutamol");
    EXPECT_EQ(sheet::medicationLabel({"budesonide", "Preventer"}), "(P) Budesonide");
    EXPECT_EQ(sheet::medicationLabel({"Reliever", "Other"}), "(O) Reliever");
    EXPECT_EQ(sheet::medicationLabel({"Preventer", "Protector"}), "(O) Preventer");
    EXPECT_EQ(sheet::medicationLabel({"Fluticasone", "Combined"}), "(O) Fluticasone");
}

TEST(SheetTextsTest, DatesTriggersAndTheZoneLine) {
    EXPECT_EQ(sheet::dayHeading(QDate(2026, 1, 14)), "14/1");
    EXPECT_EQ(sheet::weekdayHeading(QDate(2026, 1, 14)), "Wed");
    EXPECT_EQ(sheet::periodHeading(QDate(2026, 1, 1), 14), "1 January 2026 to 14 January 2026");
    EXPECT_EQ(sheet::periodHeading(QDate(2025, 12, 29), 7), "29 December 2025 to 4 January 2026");
    EXPECT_EQ(sheet::triggerLabel("HOUSE DUST MITES"), "House dust mites");
    SheetPerson person;
    person.best = 450;
    person.yellowLimit = 360;
    person.redLimit = 225;
    EXPECT_EQ(sheet::zoneLine(person), "Peak Flow Best is 450    Yellow Zone is 225 to 360    Red Zone below 225");
}

}  // namespace
}  // namespace pulmora::test
