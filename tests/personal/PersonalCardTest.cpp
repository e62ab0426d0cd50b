#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "personal/TAsPer.h"
#include "personal/TasTrg.h"
#include "store/Clock.h"
#include "store/Keys.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {
namespace {

using personal::TAsPer;
using personal::TasTrg;

class PersonalTest : public ::testing::Test {
protected:
    void SetUp() override {
        diary.files.setFolder(QString::fromStdString(folder.path().string()));
        diary.files.OpenDB();
        store::PersonDetails d;
        d.nickname = "Jo";
        d.surname = "Smith";
        d.firstName = "Joanne";
        d.gender = "Female";
        d.best = "400";
        d.zoneYellow = "70";
        d.zoneRed = "45";
        jo = diary.persons.AddPer("New", d).value.id;
        salbutamol = diary.persons.AddMed({"", jo, "Salbutamol", "1 puff", "Dr Lee", "20240101", "Reliever", "Yes"}).value;
        EXPECT_TRUE(diary.persons.AddPerTrg(jo, "POLLEN"));
        for (const char* t : {"POLLEN", "DAMP", "SMOKE", "CATS"}) EXPECT_TRUE(diary.persons.AddTrg("", t));
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    // Types as a keyboard would, any character included (QTest's own typing knows only ASCII).
    static void keys(QWidget* box, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        keys(box, text);
    }

    TempFolder folder;
    store::Diary diary;
    QString jo, salbutamol;
};

TEST_F(PersonalTest, ANewPersonStartsWithYellowBoxesAndDefaultZones) {
    TAsPer card(diary);
    card.SetUser("New");
    EXPECT_TRUE(card.isYellow(card.FldLNam));
    EXPECT_TRUE(card.isYellow(card.FldFNam));
    EXPECT_TRUE(card.isYellow(card.FldWhoI));
    EXPECT_EQ(card.FldZYel->NoValue(), 80);
    EXPECT_EQ(card.FldZRed->NoValue(), 50);
    card.FldZYel->setNoValue(55);
    EXPECT_EQ(card.FldZYel->NoValue(), 60);
    card.FldZRed->setNoValue(70);
    EXPECT_EQ(card.FldZRed->NoValue(), 60);
    EXPECT_EQ(card.FldDofB->text(), "no date");

    type(card.FldLNam, "B");
    EXPECT_TRUE(card.isYellow(card.FldLNam));
    keys(card.FldLNam, "r");
    EXPECT_FALSE(card.isYellow(card.FldLNam));
    // Enter moves to the next box rather than closing the card.
    card.show();
    QApplication::setActiveWindow(&card);
    card.FldLNam->setFocus();
    QTest::keyClick(card.FldLNam, Qt::Key_Return);
    EXPECT_TRUE(card.isVisible());
    EXPECT_EQ(card.focusWidget(), card.FldFNam);
    // Leaving the Christian name fills an empty nickname.
    type(card.FldFNam, "Sam");
    card.FldFNam->clearFocus();
    emit card.FldFNam->editingFinished();
    EXPECT_EQ(card.FldWhoI->text(), "Sam");

    card.FldGend->setCurrentText("Female");
    card.FldTitl->setCurrentText("Sir");
    EXPECT_EQ(card.FldGend->currentText(), "Male");
    card.FldTitl->setCurrentText("Dr");
    EXPECT_EQ(card.FldGend->currentText(), "Male");
}

TEST_F(PersonalTest, NicknameRules) {
    TAsPer card(diary);
    card.SetUser("New");
    type(card.FldLNam, "Brown");
    type(card.FldFNam, "Sam");
    for (const char* taken : {"new", "NeW", "Jo"}) {
        type(card.FldWhoI, taken);
        click(card.BtnSave);
        EXPECT_EQ(card.header(), "Still Outstanding Require Yellow Boxes!") << taken;
        EXPECT_TRUE(card.isYellow(card.FldWhoI)) << taken;
    }
    EXPECT_EQ(diary.files.table(store::TableId::Personal)->recordCount(), 1u);

    // A person keeps their own nickname.
    TAsPer own(diary);
    own.SetUser(jo);
    click(own.BtnSave);
    EXPECT_EQ(own.result(), QDialog::Accepted);
    EXPECT_EQ(own.saved().id, jo);
}

TEST_F(PersonalTest, PeakFlowsMustBeNumbersThatFit) {
    TAsPer card(diary);
    card.SetUser(jo);
    for (const char* bad : {"1000", "4x0", "-5"}) {
        type(card.FldBest, bad);
        click(card.BtnSave);
        EXPECT_TRUE(card.header().startsWith("ADJUST: ")) << bad;
        EXPECT_TRUE(card.isYellow(card.FldBest)) << bad;
        EXPECT_EQ(diary.persons.GetPerCrd(jo)->best, "400") << bad;
    }
    type(card.FldBest, " 450 ");
    click(card.BtnSave);
    EXPECT_EQ(card.result(), QDialog::Accepted);
    EXPECT_EQ(diary.persons.GetPerCrd(jo)->best, "450");
}

TEST_F(PersonalTest, TextThatCannotBeStoredIsRefusedAsItIsTyped) {
    TAsPer card(diary);
    card.SetUser(jo);
    type(card.FldOcup, "Caf\u00e9 \u20ac");
    EXPECT_EQ(card.FldOcup->text(), "Caf\u00e9 \u20ac");
    keys(card.FldOcup, "\u03a9");
    EXPECT_EQ(card.FldOcup->text(), "Caf\u00e9 \u20ac");
    EXPECT_TRUE(card.header().contains("\u03a9"));
}

TEST_F(PersonalTest, SavingWritesTheDetailsTrimmedAndBothLists) {
    TAsPer card(diary);
    card.SetUser("New");
    type(card.FldLNam, "  Brown ");
    type(card.FldFNam, " Sam");
    type(card.FldWhoI, "Sammy ");
    card.FldDofB->setDate(QDate(1990, 5, 17));
    card.ListTrg->addItem("DAMP");
    click(card.BtnAdd);
    type(card.FldMedDes, "Budesonide");
    card.FldMedType->setCurrentText("Preventer");
    click(card.BtnTSave);
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted) << card.header().toStdString();
    const QString id = card.saved().id;
    EXPECT_EQ(id, "BrSa0001");
    EXPECT_EQ(card.saved().nickname, "Sammy");
    const auto stored = diary.persons.GetPerCrd(id);
    EXPECT_EQ(stored->surname, "Brown");
    EXPECT_EQ(stored->birthDate, "19900517");
    EXPECT_EQ(diary.persons.ListPerTrg(id), QStringList{"DAMP"});
    const auto meds = diary.persons.ListMed(id);
    ASSERT_EQ(meds.size(), 1u);
    EXPECT_EQ(meds[0].category, "Preventer");
}

TEST_F(PersonalTest, AChangedMedicationIsStoredAsANewVersion) {
    TAsPer card(diary);
    card.SetUser(jo);
    EXPECT_EQ(card.header(), "RETRIEVED: Salbutamol");
    EXPECT_EQ(card.FldMedIns->text(), "1 puff");
    type(card.FldMedIns, "2 puffs");
    click(card.BtnTSave);
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted);
    const auto current = diary.persons.ListMed(jo);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_NE(current[0].medId.trimmed(), salbutamol);
    EXPECT_EQ(current[0].instructions, "2 puffs");
    EXPECT_EQ(diary.files.table(store::TableId::PerMed)->recordCount(), 2u);  // the old one kept, not in use

    // Deleting it from the card keeps its record, marked not in use.
    TAsPer again(diary);
    again.SetUser(jo);
    click(again.BtnDel);
    EXPECT_TRUE(again.LsMed->count() == 0);
    click(again.BtnSave);
    EXPECT_TRUE(diary.persons.ListMed(jo).empty());
    EXPECT_EQ(diary.files.table(store::TableId::PerMed)->recordCount(), 2u);
}

TEST_F(PersonalTest, CancelWritesNothingAndAnEmptyStoredDateStaysEmpty) {
    const auto before = readBytes(folder.file("Personal.dat"));
    TAsPer card(diary);
    card.SetUser(jo);
    EXPECT_EQ(card.FldDofB->text(), "no date");
    type(card.FldLNam, "Changed");
    click(card.BtnCancel);
    EXPECT_EQ(readBytes(folder.file("Personal.dat")), before);
    TAsPer saved(diary);
    saved.SetUser(jo);
    click(saved.BtnSave);
    EXPECT_EQ(diary.persons.GetPerCrd(jo)->birthDate, "");
}

TEST_F(PersonalTest, TheTriggerListIsMaintainedAndReportsWhatHappened) {
    TasTrg window(diary);
    window.SetList(jo, 'M');
    EXPECT_FALSE(window.BtnSave->isVisibleTo(&window));
    EXPECT_TRUE(window.PanEdBar->isVisibleTo(&window));
    EXPECT_EQ(window.ListTriggers->count(), 4);

    click(window.BtnAdd);
    click(window.BtnDel);  // nothing taken from the list: nothing removed
    EXPECT_EQ(window.ListTriggers->count(), 4);
    type(window.FldTrigger, "cold air");
    click(window.BtnTSave);
    EXPECT_EQ(window.header(), "cold air Updated to List");
    EXPECT_TRUE(diary.persons.ListTrg().contains("COLD AIR"));

    auto take = [&](const QString& name) {
        auto* item = window.ListTriggers->findItems(name, Qt::MatchExactly).value(0);
        ASSERT_TRUE(item);
        window.ListTriggers->setCurrentItem(item);
        QTest::mouseClick(window.ListTriggers->viewport(), Qt::LeftButton, {},
                          window.ListTriggers->visualItemRect(item).center());
    };
    take("DAMP");
    EXPECT_EQ(window.FldTrigger->text(), "DAMP");
    type(window.FldTrigger, "Damp and mould");
    click(window.BtnTSave);
    EXPECT_FALSE(diary.persons.ListTrg().contains("DAMP"));
    EXPECT_TRUE(diary.persons.ListTrg().contains("DAMP AND MOULD"));
    EXPECT_EQ(window.ListTriggers->count(), 5);

    take("CATS");
    click(window.BtnDel);
    EXPECT_EQ(window.header(), "CATS Deleted from List");
    EXPECT_EQ(window.ListTriggers->count(), 4);

    click(window.BtnAdd);
    type(window.FldTrigger, "smoke");
    click(window.BtnTSave);
    EXPECT_TRUE(window.header().startsWith("ERROR: "));
}

TEST_F(PersonalTest, PickingHandsTheHighlightedTriggersToTheCaller) {
    TasTrg window(diary);
    window.SetList(jo, 'D');
    EXPECT_TRUE(window.BtnSave->isVisibleTo(&window));
    EXPECT_FALSE(window.PanEdBar->isVisibleTo(&window));
    for (const char* name : {"CATS", "DAMP", "SMOKE"})
        window.ListTriggers->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
    click(window.BtnSave);
    EXPECT_TRUE(window.Confirmed());
    EXPECT_EQ(window.highlighted().size(), 3);
    click(window.BtnTool);
    EXPECT_TRUE(window.PanEdBar->isVisibleTo(&window));
}

}  // namespace
}  // namespace pulmora::test
