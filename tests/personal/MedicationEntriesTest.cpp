#include "personal/MedicationEntries.h"

#include <gtest/gtest.h>

namespace pulmora::test {
namespace {

using personal::MedicationEntries;

MedicationEntries::Boxes boxes(const QString& name, const QString& category = "Reliever") {
    return {name, category, "2 puffs", "Dr Lee", QDate(2024, 1, 2)};
}

TEST(MedicationEntriesTest, NamesMustBeLongEnoughAndUnique) {
    MedicationEntries e;
    e.load({{"Salb0001", "Salbutamol", "Reliever", "", "", QDate(2024, 1, 1)}});
    ASSERT_TRUE(e.add());
    EXPECT_EQ(e.confirm(boxes("AB")), "ADJUST: Incorrect Medication Name Entered");
    EXPECT_EQ(e.confirm(boxes(" Salbutamol ")), "ADJUST: Medication Name Must Be Unique Please Amend");
    EXPECT_EQ(e.confirm(boxes("ABC", "")), "");
    EXPECT_EQ(e.names(), (QStringList{"ABC", "Salbutamol"}));
    const auto stored = e.entries()[size_t(e.editEntry())];
    EXPECT_EQ(stored.category, "Other");
    EXPECT_EQ(stored.prescribedDate, QDate(2024, 1, 2));
    EXPECT_TRUE(stored.medId.isEmpty());
    // An entry confirmed under its own name is accepted.
    ASSERT_TRUE(e.retrieve("ABC"));
    EXPECT_EQ(e.confirm(boxes("ABC")), "");
}

TEST(MedicationEntriesTest, TenEntriesAtMost) {
    MedicationEntries e;
    std::vector<store::PersonMedRow> rows;
    for (int i = 0; i < 10; ++i) rows.push_back({QString("M%1").arg(i), QString("Med %1").arg(i), "Other", "", "", {}});
    e.load(rows);
    EXPECT_FALSE(e.add());
    // Typing into the boxes without an entry being edited is treated as adding one.
    EXPECT_EQ(e.confirm(boxes("Another")), personal::kLimitMessage);
    EXPECT_EQ(e.names().size(), 10);
}

TEST(MedicationEntriesTest, ConfirmingWithoutAddingFirstStillKeepsTheMedication) {
    MedicationEntries e;
    e.load({});
    e.cancel();
    EXPECT_EQ(e.confirm(boxes("Budesonide", "Preventer")), "");
    EXPECT_EQ(e.names(), QStringList{"Budesonide"});
}

TEST(MedicationEntriesTest, AChangedStoredMedicationBecomesANewVersion) {
    MedicationEntries e;
    e.load({{"Salb0001", "Salbutamol          ", "Reliever", "1 puff", "Dr Lee", QDate(2024, 1, 1)},
            {"Bude0001", "Budesonide", "Preventer", "", "", {}}});
    const auto shown = e.retrieve("Salbutamol");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->name, "Salbutamol");
    EXPECT_EQ(shown->date, QDate(2024, 1, 1));
    EXPECT_EQ(e.retrievedMedId(), "Salb0001");
    EXPECT_EQ(e.confirm(boxes("Salbutamol")), "");
    EXPECT_TRUE(e.entries()[0].medId.isEmpty());
    EXPECT_EQ(e.entries()[1].medId, "Bude0001");
    // Names read from the store at full width are deleted by their trimmed name.
    EXPECT_TRUE(e.remove("Salbutamol"));
    EXPECT_FALSE(e.remove("Salbutamol"));
    EXPECT_EQ(e.names(), QStringList{"Budesonide"});
    EXPECT_FALSE(e.retrieve("Nothing"));
}

}  // namespace
}  // namespace pulmora::test
