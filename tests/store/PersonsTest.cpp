#include "DiaryFixture.h"

namespace pulmora::test {
namespace {

using store::Persons;
using store::TableId;

TEST_F(DiaryTest, AddPerCreatesThenUpdatesInPlace) {
    auto first = diary.persons.AddPer(std::nullopt, details("  Johnny "));
    ASSERT_TRUE(first);
    EXPECT_EQ(first.value.value().id, "SmJo0001");
    EXPECT_EQ(first.value->nickname, "Johnny");
    EXPECT_EQ(addPerson("Jack"), "SmJo0002");

    auto changed = details("Johnny", "Jones");
    changed.best = "510";
    auto updated = diary.persons.AddPer(personId("SmJo0001"), changed);
    ASSERT_TRUE(updated);
    EXPECT_EQ(updated.value.value().id, "SmJo0001");
    EXPECT_EQ(table(TableId::Personal)->recordCount(), 2u);
    auto card = diary.persons.GetPerCrd(personId("SmJo0001"));
    ASSERT_TRUE(card);
    EXPECT_EQ(card->nickname, "Johnny");
    EXPECT_EQ(card->surname, "Jones");
    EXPECT_EQ(card->best, "510");
    EXPECT_EQ(card->gender, "Male");
    EXPECT_EQ(card->title, "Mr");
    EXPECT_EQ(card->zoneYellow, 80);
    EXPECT_EQ(card->birthDate, QDate(1980, 1, 31));
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(DiaryTest, ATitleAndGenderNeverChosenStayEmpty) {
    auto unchosen = details("Kim");
    unchosen.title.clear();
    unchosen.gender.clear();
    const auto added = diary.persons.AddPer(std::nullopt, unchosen);
    ASSERT_TRUE(added) << added.error().toStdString();
    const auto card = diary.persons.GetPerCrd(added.value.value().id);
    EXPECT_EQ(card->gender, "");
    EXPECT_EQ(card->title, "");
    auto unknown = details("Lee");
    unknown.gender = "F";
    EXPECT_FALSE(diary.persons.AddPer(std::nullopt, unknown));
}

TEST_F(DiaryTest, AddPerRefusesBadValuesAndWritesNothing) {
    addPerson("Johnny");
    const auto before = readBytes(folder.file("Personal.dat"));
    auto tooBig = details("Jim");
    tooBig.best = "1000";
    EXPECT_FALSE(diary.persons.AddPer(std::nullopt, tooBig));
    auto letters = details("Jim");
    letters.predicted = "4o0";
    EXPECT_FALSE(diary.persons.AddPer(std::nullopt, letters));
    auto greek = details("Jim", "\u03A9mega");
    const auto refused = diary.persons.AddPer(std::nullopt, greek);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.error().contains("\u03A9"));
    EXPECT_EQ(readBytes(folder.file("Personal.dat")), before);

    // Windows-1252 holds the euro sign and accented letters.
    auto accented = details("Zo\u00eb \u20ac", "M\u00fcller", "Zo\u00eb");
    auto stored = diary.persons.AddPer(std::nullopt, accented);
    ASSERT_TRUE(stored) << stored.error().toStdString();
    EXPECT_EQ(stored.value.value().id, "M\u00fcZo0001");
    EXPECT_EQ(diary.persons.GetPerCrd(stored.value.value().id)->nickname, "Zo\u00eb \u20ac");
    EXPECT_TRUE(readableByDbfread());
}

TEST_F(DiaryTest, IdentifiersComeFromTrimmedNamesAndLookupsMatchWholeIdentifiers) {
    EXPECT_EQ(addPerson("Edge", " Ng", "  Li"), "NgLi0001");
    EXPECT_EQ(addPerson("Short", "O", "A"), "OXAX0001");
    const store::PersonId newe = addPerson("Newer", "Newell", "Eddie");
    EXPECT_EQ(newe, "NeEd0001");
    EXPECT_FALSE(diary.persons.GetPerCrd(personId("NeEd0002")));
    EXPECT_TRUE(diary.persons.GetPerCrd(newe));
}

TEST_F(DiaryTest, NextPersonStepsInNicknameOrderFromTheCurrentPerson) {
    EXPECT_FALSE(diary.persons.GetPerDly(Persons::Step::First));
    const store::PersonId carol = addPerson("Carol", "Carter", "Carol");
    const store::PersonId alan = addPerson("Alan", "Adams", "Alan");
    const store::PersonId bea1 = addPerson("Bea", "Brown", "Bea");
    const store::PersonId bea2 = addPerson("Bea", "Black", "Bea");

    EXPECT_EQ(diary.persons.GetPerDly(Persons::Step::First)->id, alan);
    std::vector<store::PersonId> order;
    store::PersonId current = alan;
    for (int i = 0; i < 5; ++i) {
        // Whatever walk ran last on the table, "next" starts from the current person.
        diary.persons.ChkPerNick(std::nullopt, "Nobody");
        current = diary.persons.GetPerDly(Persons::Step::Next, current)->id;
        order.push_back(current);
    }
    EXPECT_EQ(order, (std::vector<store::PersonId>{bea1, bea2, carol, alan, bea1}));
    EXPECT_EQ(diary.persons.GetPerDly(Persons::Step::Next, std::nullopt)->id, alan);
}

TEST_F(DiaryTest, NextPersonWithOnePersonStaysOnThem) {
    const store::PersonId only = addPerson("Solo");
    EXPECT_EQ(diary.persons.GetPerDly(Persons::Step::Next, only)->id, only);
}

TEST_F(DiaryTest, NicknameClashes) {
    const store::PersonId john = addPerson("Johnny");
    EXPECT_FALSE(diary.persons.ChkPerNick(john, "Johnny"));
    EXPECT_TRUE(diary.persons.ChkPerNick(std::nullopt, "Johnny"));
    EXPECT_FALSE(diary.persons.ChkPerNick(std::nullopt, "johnny"));
}

// A person record whose identifier is none, as another program may write one ("AB", or blanks
// before it), can be neither shown nor saved: the persons are walked and listed without it,
// while its nickname still counts as taken.
TEST_F(DiaryTest, ARecordWithoutAnIdentifierIsNoOnesPerson) {
    const store::PersonId john = addPerson("Johnny");
    engine::Table* t = table(TableId::Personal);
    for (const auto& [id, nickname] : {std::pair{"AB", "Aaron"}, std::pair{" SmJo001", "Zed"}}) {
        t->appendStart();
        t->field("Asid")->assign(id);
        t->field("WhoI")->assign(nickname);
        ASSERT_TRUE(t->append());
    }
    EXPECT_EQ(diary.persons.GetPerDly(Persons::Step::First)->id, john);
    EXPECT_EQ(diary.persons.GetPerDly(Persons::Step::Next, john)->id, john);
    ASSERT_EQ(diary.persons.ListPer().size(), 1u);
    EXPECT_TRUE(diary.persons.ChkPerNick(std::nullopt, "Aaron"));
    EXPECT_TRUE(diary.persons.ChkPerNick(john, "Zed"));
}

TEST_F(DiaryTest, MedicationListKeepsRemovedMedicationAsHistory) {
    const store::PersonId john = addPerson("Johnny");
    EXPECT_EQ(addMed(john, "Salbutamol", "Reliever"), "Salb0001");
    EXPECT_EQ(addMed(john, "Salbutamol", "Reliever"), "Salb0002");
    EXPECT_EQ(addMed(john, "AB", "Other"), "AB000001");
    const QString old = addMed(john, "Beclometasone", "Preventer");
    ASSERT_TRUE(cards::stopMedication(diary, john, old));

    auto rows = diary.persons.ListMed(john);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "AB");
    EXPECT_EQ(rows[1].medId, "Salb0001");
    EXPECT_EQ(rows[1].category, "Reliever");
    EXPECT_EQ(rows[1].prescribedDate, QDate(2024, 1, 1));

    // The card's save with one medication left on it, changed: the others stay on file out of use.
    const std::vector<store::PersonMedRow> one = {
        {"Salb0001", "Salbutamol", "Reliever", "2 puffs", "Dr Who", QDate(2024, 1, 2)}};
    ASSERT_TRUE(diary.persons.savePersonLists(john, {}, one));
    rows = diary.persons.ListMed(john);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].instructions, "2 puffs");
    EXPECT_EQ(table(TableId::PerMed)->recordCount(), 4u);
    const std::vector<store::PersonMedRow> sedative = {{"", "Salbutamol", "Sedative", "", "", {}}};
    EXPECT_FALSE(diary.persons.savePersonLists(john, {}, sedative));

    std::vector<store::PersonMedRow> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back({"", QStringLiteral("Med%1").arg(i), "Other", "", "", {}});
    ASSERT_TRUE(diary.persons.savePersonLists(john, {}, twelve));
    EXPECT_EQ(diary.persons.ListMed(john).size(), size_t(store::kCurrentMedications));
}

TEST_F(DiaryTest, ReferenceTriggersAreStoredOnceTrimmedAndInCapitals) {
    ASSERT_TRUE(diary.persons.AddTrg("", "  house dust "));
    ASSERT_TRUE(diary.persons.AddTrg("", "Pollen"));
    ASSERT_TRUE(diary.persons.AddTrg("", "cold air"));
    EXPECT_EQ(diary.persons.ListTrg(), (QStringList{"COLD AIR", "HOUSE DUST", "POLLEN"}));

    EXPECT_TRUE(diary.persons.AddTrg("", "Smoke").value);
    ASSERT_TRUE(diary.persons.DelTrg("SMOKE").value);
    // Adding a listed name again changes nothing.
    auto again = diary.persons.AddTrg("", "pollen");
    ASSERT_TRUE(again);
    EXPECT_FALSE(again.value);
    EXPECT_FALSE(diary.persons.AddTrg("SMOKE", "Pollen ").value);
    EXPECT_EQ(diary.persons.ListTrg().size(), 3);

    // Renaming in place, then renaming onto a listed name merges the two.
    ASSERT_TRUE(diary.persons.AddTrg("cold air", "Frost"));
    EXPECT_EQ(diary.persons.ListTrg(), (QStringList{"FROST", "HOUSE DUST", "POLLEN"}));
    ASSERT_TRUE(diary.persons.AddTrg("FROST", "pollen"));
    EXPECT_EQ(diary.persons.ListTrg(), (QStringList{"HOUSE DUST", "POLLEN"}));

    ASSERT_TRUE(diary.persons.DelTrg(" house dust").value);
    EXPECT_EQ(diary.persons.ListTrg(), (QStringList{"POLLEN"}));
    EXPECT_FALSE(diary.persons.DelTrg("house dust").value);
    // Capitals keep the length: "ß" stays one letter.
    ASSERT_TRUE(diary.persons.AddTrg("", QString("stra\u00dfe ").repeated(3).trimmed() + "xxxx").value);
    EXPECT_TRUE(diary.persons.ListTrg().contains(QString("STRA\u00dfE STRA\u00dfE STRA\u00dfEXXXX")));
    // A letter whose capital the files cannot hold is kept as typed.
    const auto micro = diary.persons.AddTrg("", "200\u00b5g spray \u0192");
    ASSERT_TRUE(micro) << micro.error().toStdString();
    EXPECT_TRUE(diary.persons.ListTrg().contains(QString("200\u00b5G SPRAY \u0192")));
    EXPECT_FALSE(diary.persons.AddTrg("", "   "));
    EXPECT_FALSE(diary.persons.AddTrg("", QString(26, 'X')));
}

TEST_F(DiaryTest, PersonTriggerSaveKeepsAndDropsExactNames) {
    const store::PersonId john = addPerson("Johnny");
    const store::PersonId jack = addPerson("Jack");
    ASSERT_TRUE(diary.persons.savePersonLists(john, {"House dust", "POLLEN"}, {}));
    ASSERT_TRUE(diary.persons.savePersonLists(jack, {"POLLEN"}, {}));

    // POLLEN is kept where it is, not added again; HOUSE DUST goes.
    ASSERT_TRUE(diary.persons.savePersonLists(john, {"pollen", "HOUSE DUST MITES"}, {}));
    EXPECT_EQ(table(TableId::PerTrig)->recordCount() - table(TableId::PerTrig)->markedCount(), 3u);
    EXPECT_EQ(diary.persons.ListPerTrg(john), (QStringList{"HOUSE DUST MITES", "POLLEN"}));
    EXPECT_EQ(diary.persons.ListPerTrg(jack), (QStringList{"POLLEN"}));

    // A name that begins another stored name is a trigger of its own.
    ASSERT_TRUE(diary.persons.savePersonLists(
        john, {"GRASS POLLEN HIGHER", "Grass pollen high", "HOUSE DUST MITES", "POLLEN"}, {}));
    EXPECT_EQ(diary.persons.ListPerTrg(john),
              (QStringList{"GRASS POLLEN HIGH", "GRASS POLLEN HIGHER", "HOUSE DUST MITES", "POLLEN"}));
}

TEST_F(DiaryTest, SheetListsKeepTheOrderTheRecordsWereStoredIn) {
    const store::PersonId john = addPerson("Johnny", "Smith", "John");
    const store::PersonId anna = addPerson("Annie", "Able", "Anna");
    // Identifier order, not nickname or entry order: "AbAn0001" before "SmJo0001".
    std::vector<store::PersonId> ids;
    for (const store::PersonRecord& row : diary.persons.ListPer()) ids.push_back(row.id);
    EXPECT_EQ(ids, (std::vector<store::PersonId>{anna, john}));
    EXPECT_EQ(diary.persons.ListPer().front().nickname, "Annie");

    ASSERT_TRUE(cards::addTrigger(diary, john, "Pollen"));
    ASSERT_TRUE(cards::addTrigger(diary, anna, "Cats"));
    ASSERT_TRUE(cards::addTrigger(diary, john, "Cold air"));
    EXPECT_EQ(diary.persons.ListPerTrgAsStored(john), (QStringList{"POLLEN", "COLD AIR"}));
    EXPECT_EQ(diary.persons.ListPerTrg(john), (QStringList{"COLD AIR", "POLLEN"}));

    addMed(john, "Salbutamol", "Reliever");
    addMed(anna, "Budesonide", "Preventer");
    ASSERT_TRUE(cards::stopMedication(diary, john, addMed(john, "Beclometasone", "Preventer")));
    addMed(john, "Aminophylline", "Other");
    std::vector<QString> names;
    for (const store::PersonMedRow& m : diary.persons.ListMedInUse(john)) names.push_back(m.name + "/" + m.category);
    EXPECT_EQ(names, (std::vector<QString>{"Salbutamol/Reliever", "Aminophylline/Other"}));
}

TEST_F(DiaryTest, DeletingAPersonRemovesEveryRecordOfTheirsAndNothingElse) {
    const store::PersonId john = addPerson("Johnny");
    const store::PersonId jack = addPerson("Jack");
    ASSERT_TRUE(diary.persons.AddTrg("", "POLLEN"));
    for (const store::PersonId& p : {john, jack}) {
        const QString med = addMed(p, "Salbutamol", "Reliever");
        ASSERT_TRUE(cards::addTrigger(diary, p, "POLLEN"));
        for (const QDate& date : {QDate(2024, 1, 1), QDate(2024, 1, 2)}) {
            const std::vector<store::DayMedRow> used = {{"Salbutamol", "Reliever", med, 2}};
            ASSERT_TRUE(diary.days.saveDay(p, date, {}, {"POLLEN"}, used));
        }
    }
    ASSERT_TRUE(diary.persons.DelPer(john));

    for (TableId id :
         {TableId::Personal, TableId::Daily, TableId::PerTrig, TableId::PerMed, TableId::DlyTrig, TableId::DlyMed}) {
        const auto owners = column(id, "Asid");
        EXPECT_FALSE(owners.empty());
        for (const QString& owner : owners) EXPECT_EQ(owner, jack) << store::fileName(id);
    }
    EXPECT_EQ(column(TableId::Daily, "Asid").size(), 2u);
    EXPECT_EQ(diary.persons.ListTrg(), QStringList{"POLLEN"});
    EXPECT_TRUE(readableByDbfread());
}

// Rows of a deleted person left in one file, as a deletion cut short by an older version of the
// program leaves them: a new person with the same letters must not be given that identifier and
// inherit them, nor a new medication the identifier of one still recorded on a day.
TEST_F(DiaryTest, NoIdentifierARecordFileStillHoldsIsHandedOut) {
    const std::pair<TableId, QString> cases[] = {{TableId::Daily, "Salb0001"},
                                                 {TableId::PerTrig, "Salb0001"},
                                                 {TableId::PerMed, "Salb0002"},
                                                 {TableId::DlyTrig, "Salb0001"},
                                                 {TableId::DlyMed, "Salb0002"}};
    for (const auto& [leftIn, medId] : cases) {
        TempFolder own;
        store::Diary d;
        d.files.setFolder(QString::fromStdString(own.path().string()));
        d.files.OpenDB();
        const auto susan = d.persons.AddPer(std::nullopt, details("Sue", "Smith", "Susan"));
        ASSERT_EQ(susan.value.value().id, "SmSu0001");
        const std::vector<store::PersonMedRow> salbutamol = {{"", "Salbutamol", "Reliever", "", "", QDate(2024, 1, 1)}};
        const store::PersonId sue = susan.value.value().id;
        ASSERT_TRUE(d.persons.savePersonLists(sue, {"POLLEN"}, salbutamol));
        ASSERT_EQ(d.persons.ListMed(sue).front().medId, "Salb0001");
        store::DayValues v;
        v.morning = 300;
        ASSERT_TRUE(d.days.saveDay(sue, QDate(2024, 6, 10), v, {"POLLEN"},
                                   std::vector<store::DayMedRow>{{"Salbutamol", "Reliever", "Salb0001", 2}}));
        for (TableId id : store::kAllTables) {
            engine::Table* t = store::TableAccess::table(d.files, id);
            if (id == leftIn || !t->field("Asid")) continue;
            std::vector<uint32_t> susans;
            for (bool more = t->top(); more; more = t->skip()) susans.push_back(t->recordNumber());
            ASSERT_TRUE(t->packRemoving(susans));
        }
        const char* file = store::fileName(leftIn).c_str();

        const auto suzanne = d.persons.AddPer(std::nullopt, details("Suzie", "Smithers", "Suzanne"));
        ASSERT_TRUE(suzanne) << file;
        EXPECT_EQ(suzanne.value.value().id, "SmSu0002") << file;
        EXPECT_EQ(cards::addMedication(d, suzanne.value.value().id, "Salbutamol", "Reliever").value, medId) << file;
    }
}

}  // namespace
}  // namespace pulmora::test
