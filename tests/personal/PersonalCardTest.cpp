#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "personal/DateBox.h"
#include "personal/TAsPer.h"
#include "personal/TasTrg.h"
#include "store/Clock.h"
#include "store/ReportCursors.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include "controls/MessageLine.h"

#include <functional>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace pulmora::test {
namespace {

using personal::TAsPer;
using personal::TasTrg;

// Stands in for the program's window opener: records the help asked for and answers the
// trigger list with the names given to it.
class RecordedWindows : public personal::PersonalWindows {
public:
    controls::WindowAnswer<std::optional<QStringList>> pickTriggersForPerson(QWidget&, const QPoint&) override {
        ++picks;
        return pick;
    }
    void showHelp(const QString& keyword) override { help << keyword; }
    // Answers each question with the next of `answers`, or with its escape answer when none is left.
    controls::WindowAnswer<int> ask(QWidget&, const controls::Question& question) override {
        questions << question.text;
        return {true, answers.isEmpty() ? question.escapeAnswer : answers.takeFirst()};
    }

    controls::WindowAnswer<std::optional<QStringList>> pick;
    QList<int> answers;
    QStringList questions;
    int picks = 0;
    QStringList help;
};

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
        jo = diary.persons.AddPer(std::nullopt, d).value.value().id;
        const std::vector<store::PersonMedRow> medication = {
            {"", "Salbutamol", "Reliever", "1 puff", "Dr Lee", QDate(2024, 1, 1)}};
        EXPECT_TRUE(diary.persons.savePersonLists(*jo, {"POLLEN"}, medication));
        salbutamol = diary.persons.ListMed(*jo).front().medId.trimmed();
        for (const char* t : {"POLLEN", "DAMP", "SMOKE", "CATS"}) EXPECT_TRUE(diary.persons.AddTrg("", t));
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    // The card shown and active, as the keyboard meets it.
    static void showActive(QWidget& card) {
        card.show();
        QApplication::setActiveWindow(&card);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    }
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
    RecordedWindows windows;
    std::optional<store::PersonId> jo;
    QString salbutamol;
};

TEST_F(PersonalTest, ANewPersonStartsWithYellowBoxesAndDefaultZones) {
    TAsPer card(diary, windows);
    card.SetUser(std::nullopt);
    EXPECT_TRUE(card.isYellow(card.FldLNam));
    EXPECT_TRUE(card.isYellow(card.FldFNam));
    EXPECT_TRUE(card.isYellow(card.FldWhoI));
    EXPECT_EQ(card.FldZYel->NoValue(), 80);
    EXPECT_EQ(card.FldZRed->NoValue(), 50);
    card.FldZYel->setNoValue(55);
    EXPECT_EQ(card.FldZYel->NoValue(), 60);
    card.FldZRed->setNoValue(70);
    EXPECT_EQ(card.FldZRed->NoValue(), 60);
    EXPECT_EQ(card.FldDofB->text(), "");  // no date

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

TEST_F(PersonalTest, OnlyWhatTheUserChoseIsStored) {
    TAsPer card(diary, windows);
    card.SetUser(std::nullopt);
    type(card.FldLNam, "Brown");
    type(card.FldFNam, "Sam");
    type(card.FldWhoI, "Sam");
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted) << card.header().toStdString();
    const store::PersonId sam = card.saved().value().id;
    auto stored = [&] {
        const store::RepPerson& p = diary.reports.GetRPer(sam, QDate(2024, 1, 1), QDate(2024, 1, 31)).person;
        return std::pair(p.title.trimmed(), p.gender.trimmed());
    };
    EXPECT_EQ(stored(), std::pair(QString(), QString()));
    // Opened again and saved, the card still invents nothing.
    TAsPer again(diary, windows);
    again.SetUser(sam);
    EXPECT_EQ(again.FldTitl->currentIndex(), -1);
    EXPECT_EQ(again.FldGend->currentIndex(), -1);
    click(again.BtnSave);
    EXPECT_EQ(stored(), std::pair(QString(), QString()));
    // What is chosen is stored, and shown again.
    TAsPer chosen(diary, windows);
    chosen.SetUser(sam);
    chosen.FldTitl->setCurrentText("Mr");
    click(chosen.BtnSave);
    EXPECT_EQ(stored(), std::pair(QString("Mr"), QString("Male")));
    TAsPer shown(diary, windows);
    shown.SetUser(jo);
    EXPECT_EQ(shown.FldGend->currentText(), "Female");
    EXPECT_EQ(shown.FldTitl->currentIndex(), -1);
}

TEST_F(PersonalTest, TabAndEnterFollowTheReadingOrder) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    ASSERT_NO_FATAL_FAILURE(showActive(card));
    auto press = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        return QApplication::focusWidget();
    };
    card.FldLNam->setFocus();
    EXPECT_EQ(press(Qt::Key_Return), card.FldFNam);
    EXPECT_EQ(press(Qt::Key_Return), card.FldTitl);
    EXPECT_EQ(press(Qt::Key_Tab), card.FldGend);
    EXPECT_EQ(press(Qt::Key_Return), card.FldDofB->edit);
    EXPECT_EQ(press(Qt::Key_Tab), card.FldOcup);
    EXPECT_EQ(press(Qt::Key_Tab), card.FldHlth);
    EXPECT_EQ(press(Qt::Key_Tab), card.FldWhoI);
    EXPECT_TRUE(card.isVisible());

    card.Pages->setCurrentIndex(3);
    card.LsMed->setFocus();
    const QList<QWidget*> medication = {card.FldMedDes, card.FldMedType,       card.FldMedIns,
                                        card.FldMedPre, card.FldMedDate->edit, card.BtnAdd};
    for (QWidget* next : medication) EXPECT_EQ(press(Qt::Key_Tab), next) << next->metaObject()->className();
}

// Tab from the header walks the tabs, every box of the page in front in reading order (the date
// box's calendar button takes no stop) and comes round to the header again.
TEST_F(PersonalTest, ForwardTabReachesEveryBoxOfThePageInOrder) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    ASSERT_NO_FATAL_FAILURE(showActive(card));
    const QList<QWidget*> pages[] = {{card.FldLNam, card.FldFNam, card.FldTitl, card.FldGend, card.FldDofB->edit,
                                      card.FldOcup, card.FldHlth, card.FldWhoI},
                                     {card.FldBest, card.FldZYel, card.FldZRed},
                                     {card.ListTrg, card.BtnAddTrg, card.BtnDelTrg},
                                     {card.LsMed, card.FldMedDes, card.FldMedType, card.FldMedIns, card.FldMedPre,
                                      card.FldMedDate->edit, card.BtnAdd, card.BtnDel, card.BtnTSave, card.BtnTCancel}};
    for (int page = 0; page < 4; ++page) {
        card.Pages->setCurrentIndex(page);
        card.BtnHelp->setFocus();
        const QList<QWidget*> expected =
            QList<QWidget*>{card.Pages->tabBar()} + pages[page] + QList<QWidget*>{card.BtnSave};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next) << "page " << page << ": " << next->metaObject()->className();
        }
    }
}

TEST_F(PersonalTest, ADateOfBirthIsTypedOrPickedAndANonDayIsRefused) {
    store::clock::setToday(QDate(2024, 6, 15));
    TAsPer card(diary, windows);
    card.SetUser(jo);
    ASSERT_NO_FATAL_FAILURE(showActive(card));
    EXPECT_EQ(card.FldDofB->edit->placeholderText(), "dd/mm/yyyy");
    // With no date the calendar opens thirty years back.
    QCalendarWidget* calendar = card.FldDofB->showPopup();
    EXPECT_EQ(calendar->selectedDate(), QDate(1994, 6, 15));
    calendar->close();

    card.FldDofB->setFocus();
    QTest::keyClicks(card.FldDofB->edit, "31/02/1980");
    card.FldOcup->setFocus();
    EXPECT_EQ(card.header(), "ADJUST: \"31/02/1980\" is not a date: type it as dd/mm/yyyy");
    EXPECT_TRUE(card.isYellow(card.FldDofB->edit));
    click(card.BtnSave);
    EXPECT_TRUE(card.isVisible());
    EXPECT_TRUE(diary.persons.GetPerCrd(*jo)->birthDate.isNull());
    card.FldDofB->edit->selectAll();
    QTest::keyClicks(card.FldDofB->edit, "15/6/1980");
    EXPECT_EQ(card.header(), "");
    EXPECT_FALSE(card.isYellow(card.FldDofB->edit));
    EXPECT_EQ(card.FldDofB->date(), QDate(1980, 6, 15));
    // Letters are not taken at all.
    QTest::keyClicks(card.FldDofB->edit, "x");
    EXPECT_EQ(card.FldDofB->text(), "15/6/1980");
    // The calendar opens at the date in the box; a day picked there replaces it.
    calendar = card.FldDofB->showPopup();
    EXPECT_EQ(calendar->selectedDate(), QDate(1980, 6, 15));
    emit calendar->clicked(QDate(1980, 6, 16));
    EXPECT_EQ(card.FldDofB->text(), "16/06/1980");
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted) << card.header().toStdString();
    EXPECT_EQ(diary.persons.GetPerCrd(*jo)->birthDate, QDate(1980, 6, 16));
    store::clock::setToday(QDate());
}

TEST_F(PersonalTest, NicknameRules) {
    TAsPer card(diary, windows);
    card.SetUser(std::nullopt);
    type(card.FldLNam, "Brown");
    type(card.FldFNam, "Sam");
    for (const char* taken : {"new", "NeW", "Jo"}) {
        type(card.FldWhoI, taken);
        click(card.BtnSave);
        EXPECT_TRUE(card.header().startsWith("Still Outstanding Require Yellow Boxes!")) << taken;
        EXPECT_EQ(card.header().contains("\"Jo\" is taken by another person"), taken == std::string("Jo")) << taken;
        EXPECT_TRUE(card.isYellow(card.FldWhoI)) << taken;
    }
    EXPECT_EQ(diary.files.position(store::TableId::Personal).count, 1u);

    // A person keeps their own nickname.
    TAsPer own(diary, windows);
    own.SetUser(jo);
    click(own.BtnSave);
    EXPECT_EQ(own.result(), QDialog::Accepted);
    EXPECT_EQ(own.saved().value().id, jo);
}

TEST_F(PersonalTest, PeakFlowsMustBeNumbersThatFit) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    for (const char* bad : {"1000", "4x0", "-5"}) {
        type(card.FldBest, bad);
        click(card.BtnSave);
        EXPECT_TRUE(card.header().startsWith("ADJUST: ")) << bad;
        EXPECT_TRUE(card.isYellow(card.FldBest)) << bad;
        EXPECT_EQ(diary.persons.GetPerCrd(*jo)->best, "400") << bad;
    }
    type(card.FldBest, " 450 ");
    click(card.BtnSave);
    EXPECT_EQ(card.result(), QDialog::Accepted);
    EXPECT_EQ(diary.persons.GetPerCrd(*jo)->best, "450");
}

TEST_F(PersonalTest, AHeaderMessageIsShownWholeAndGoesWhenItsCauseIsMended) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    card.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&card));
    type(card.FldBest, "1000");
    click(card.BtnSave);
    const QString adjust = "ADJUST: The personal best peak flow must be a whole number from 0 to 999";
    ASSERT_EQ(card.header(), adjust);
    QCoreApplication::processEvents();
    EXPECT_GE(card.PanHd->contentsRect().width(), card.PanHd->fontMetrics().horizontalAdvance(adjust));
    EXPECT_FALSE(card.PanHd->isElided());
    EXPECT_LE(card.PanHd->geometry().right(), card.BtnSave->x());
    type(card.FldBest, "450");
    EXPECT_EQ(card.header(), "");
    EXPECT_FALSE(card.isYellow(card.FldBest));

    card.FldLNam->clear();
    click(card.BtnSave);
    EXPECT_EQ(card.header(), "Still Outstanding Require Yellow Boxes!");
    type(card.FldLNam, "S");
    EXPECT_EQ(card.header(), "Still Outstanding Require Yellow Boxes!");  // still too short
    keys(card.FldLNam, "m");
    EXPECT_EQ(card.header(), "");
    // Another message replaces a refusal and is not taken away by the mending.
    type(card.FldBest, "x");
    click(card.BtnSave);
    ASSERT_TRUE(card.header().startsWith("ADJUST: "));
    card.Pages->setCurrentIndex(3);
    card.LsMed->setCurrentRow(0);
    QTest::mouseClick(card.LsMed->viewport(), Qt::LeftButton, {},
                      card.LsMed->visualItemRect(card.LsMed->item(0)).center());
    ASSERT_EQ(card.header(), "RETRIEVED: Salbutamol");
    type(card.FldBest, "450");
    EXPECT_EQ(card.header(), "RETRIEVED: Salbutamol");
}

TEST_F(PersonalTest, TextThatCannotBeStoredIsRefusedAsItIsTyped) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    type(card.FldOcup, "Caf\u00e9 \u20ac");
    EXPECT_EQ(card.FldOcup->text(), "Caf\u00e9 \u20ac");
    keys(card.FldOcup, "\u03a9");
    EXPECT_EQ(card.FldOcup->text(), "Caf\u00e9 \u20ac");
    EXPECT_TRUE(card.header().contains("\u03a9"));
}

TEST_F(PersonalTest, SavingWritesTheDetailsTrimmedAndBothLists) {
    TAsPer card(diary, windows);
    card.SetUser(std::nullopt);
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
    const store::PersonId id = card.saved().value().id;
    EXPECT_EQ(id.text(), "BrSa0001");
    EXPECT_EQ(card.saved()->nickname, "Sammy");
    const auto stored = diary.persons.GetPerCrd(id);
    EXPECT_EQ(stored->surname, "Brown");
    EXPECT_EQ(stored->birthDate, QDate(1990, 5, 17));
    EXPECT_EQ(diary.persons.ListPerTrg(id), QStringList{"DAMP"});
    const auto meds = diary.persons.ListMed(id);
    ASSERT_EQ(meds.size(), 1u);
    EXPECT_EQ(meds[0].category, "Preventer");
}

// The card does not show the predicted peak flow; a save writes it back as it was stored.
TEST_F(PersonalTest, ThePredictedPeakFlowIsKeptThroughASave) {
    store::PersonDetails d;
    d.nickname = "Al";
    d.surname = "Adams";
    d.firstName = "Alan";
    d.predicted = "455";
    const store::PersonId al = diary.persons.AddPer(std::nullopt, d).value.value().id;
    TAsPer card(diary, windows);
    card.SetUser(al);
    type(card.FldOcup, "Baker");
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted) << card.header().toStdString();
    EXPECT_EQ(diary.persons.GetPerCrd(al)->occupation, "Baker");
    EXPECT_EQ(diary.persons.GetPerCrd(al)->predicted, "455");
}

TEST_F(PersonalTest, AChangedMedicationIsStoredAsANewVersion) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    EXPECT_EQ(card.header(), "RETRIEVED: Salbutamol");
    EXPECT_EQ(card.FldMedIns->text(), "1 puff");
    type(card.FldMedIns, "2 puffs");
    click(card.BtnTSave);
    click(card.BtnSave);
    ASSERT_EQ(card.result(), QDialog::Accepted);
    const auto current = diary.persons.ListMed(*jo);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_NE(current[0].medId.trimmed(), salbutamol);
    EXPECT_EQ(current[0].instructions, "2 puffs");
    EXPECT_EQ(diary.files.position(store::TableId::PerMed).count, 2u);  // the old one kept, not in use

    // Deleting it from the card keeps its record, marked not in use.
    TAsPer again(diary, windows);
    again.SetUser(jo);
    click(again.BtnDel);
    EXPECT_TRUE(again.LsMed->count() == 0);
    click(again.BtnSave);
    EXPECT_TRUE(diary.persons.ListMed(*jo).empty());
    EXPECT_EQ(diary.files.position(store::TableId::PerMed).count, 2u);
}

TEST_F(PersonalTest, CancelWritesNothingAndAnEmptyStoredDateStaysEmpty) {
    const auto before = readBytes(folder.file("Personal.dat"));
    TAsPer card(diary, windows);
    card.SetUser(jo);
    EXPECT_EQ(card.FldDofB->text(), "");  // no date
    type(card.FldLNam, "Changed");
    click(card.BtnCancel);
    EXPECT_EQ(readBytes(folder.file("Personal.dat")), before);
    TAsPer saved(diary, windows);
    saved.SetUser(jo);
    click(saved.BtnSave);
    EXPECT_TRUE(diary.persons.GetPerCrd(*jo)->birthDate.isNull());
}

// The card asks for no close button; Escape does what Cancel does.
TEST_F(PersonalTest, EscapeActsAsCancel) {
    const auto before = readBytes(folder.file("Personal.dat"));
    TAsPer card(diary, windows);
    EXPECT_TRUE(card.windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(card.windowFlags() & Qt::WindowCloseButtonHint);
    card.SetUser(jo);
    ASSERT_NO_FATAL_FAILURE(showActive(card));
    type(card.FldLNam, "Changed");
    QTest::keyClick(card.FldLNam, Qt::Key_Escape);
    EXPECT_FALSE(card.isVisible());
    EXPECT_EQ(card.result(), QDialog::Rejected);
    EXPECT_EQ(readBytes(folder.file("Personal.dat")), before);
}

// What the user typed or keeps on the card is never lost without a word: each case is a road
// that once dropped or replaced something.
TEST_F(PersonalTest, NothingTypedOrKeptIsLostWithoutAWord) {
    auto lines = [](const QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    };
    auto storedNames = [&] {
        QStringList names;
        for (const auto& m : diary.persons.ListMed(*jo)) names << m.name;
        return names;
    };
    auto saved = [&](TAsPer& card) {
        click(card.BtnSave);
        return card.result() == QDialog::Accepted;
    };
    const std::vector<std::pair<const char*, std::function<void(TAsPer&)>>> cases = {
        {"a stored title the list does not offer is kept",
         [&](TAsPer& card) {
             store::PersonDetails d;
             d.nickname = "Rev";
             d.surname = "Green";
             d.firstName = "Peter";
             d.title = "Reverend Doctor";
             const store::PersonId rev = diary.persons.AddPer(std::nullopt, d).value.value().id;
             card.SetUser(rev);
             ASSERT_TRUE(saved(card));
             EXPECT_EQ(diary.reports.GetRPer(rev, QDate(2024, 1, 1), QDate(2024, 1, 31)).person.title.trimmed(),
                       "Reverend Doctor");
         }},
        {"a complete medication typed but not confirmed is saved",
         [&](TAsPer& card) {
             click(card.BtnAdd);
             type(card.FldMedDes, "Budesonide");
             ASSERT_TRUE(saved(card));
             EXPECT_EQ(storedNames(), (QStringList{"Budesonide", "Salbutamol"}));
         }},
        {"an incomplete one is asked about: stay, then save without it",
         [&](TAsPer& card) {
             click(card.BtnAdd);
             type(card.FldMedDes, "AB");
             windows.answers = {1, 0};  // stay, then save without it
             EXPECT_FALSE(saved(card));
             EXPECT_TRUE(windows.questions.value(0).contains("ADJUST: Incorrect Medication Name Entered"));
             EXPECT_EQ(card.Pages->currentIndex(), 3);
             ASSERT_TRUE(saved(card));
             EXPECT_EQ(storedNames(), QStringList{"Salbutamol"});
         }},
        {"at the limit nothing is added and nothing replaced",
         [&](TAsPer& card) {
             std::vector<store::PersonMedRow> ten;
             for (int i = 0; i < 10; ++i) ten.push_back({"", QString("Medicine %1").arg(i), "Other", "", "", {}});
             ASSERT_TRUE(diary.persons.savePersonLists(*jo, {}, ten));
             const QStringList before = storedNames();
             card.SetUser(jo);
             click(card.BtnAdd);
             type(card.FldMedDes, "Eleventh");
             click(card.BtnTSave);
             EXPECT_EQ(card.header(), "LIMIT: Cannot Add Anymore Medication Entries");
             windows.answers = {0};  // save without it
             ASSERT_TRUE(saved(card));
             EXPECT_EQ(storedNames(), before);
         }},
        {"the title-bar close asks when there are changes: stay, leave, save",
         [&](TAsPer& card) {
             card.show();
             ASSERT_TRUE(QTest::qWaitForWindowExposed(&card));
             card.close();  // nothing changed: closed without a question
             EXPECT_FALSE(card.isVisible());
             for (const int answer : {2, 1, 0}) {
                 card.SetUser(jo);
                 card.show();
                 type(card.FldOcup, answer == 1 ? "Lost" : "Baker");
                 windows.answers = {answer};
                 card.close();
                 EXPECT_EQ(card.isVisible(), answer == 2);
             }
             EXPECT_EQ(windows.questions.size(), 3);
             EXPECT_EQ(card.result(), QDialog::Accepted);
             EXPECT_EQ(diary.persons.GetPerCrd(*jo)->occupation, "Baker");
         }},
        {"long instructions show from their start",
         [&](TAsPer& card) { EXPECT_EQ(card.FldMedIns->cursorPosition(), 0); }},
        {"the medication list keeps one order while edited and when opened again",
         [&](TAsPer& card) {
             click(card.BtnAdd);
             type(card.FldMedDes, "Atrovent");
             click(card.BtnTSave);
             EXPECT_EQ(lines(card.LsMed), (QStringList{"Atrovent", "Salbutamol"}));
             ASSERT_TRUE(saved(card));
             card.SetUser(jo);
             EXPECT_EQ(lines(card.LsMed), (QStringList{"Atrovent", "Salbutamol"}));
         }},
    };
    for (const auto& [road, check] : cases) {
        SCOPED_TRACE(road);
        const std::vector<store::PersonMedRow> one = {
            {salbutamol, "Salbutamol", "Reliever", "2 puffs when needed, up to 4x", "", {}}};
        ASSERT_TRUE(diary.persons.savePersonLists(*jo, {"POLLEN"}, one));
        windows.questions.clear();
        windows.answers.clear();
        TAsPer card(diary, windows);
        card.SetUser(jo);
        check(card);
    }
}

// The card asks the program for the trigger list and for help, and adds what was picked.
TEST_F(PersonalTest, TriggersPickedFromTheListAreAddedOnceAndHelpFollowsThePage) {
    TAsPer card(diary, windows);
    card.SetUser(jo);
    windows.pick = {true, QStringList{"DAMP", " POLLEN", "SMOKE"}};
    click(card.BtnAddTrg);
    EXPECT_EQ(windows.picks, 1);
    QStringList lines;
    for (int i = 0; i < card.ListTrg->count(); ++i) lines << card.ListTrg->item(i)->text();
    EXPECT_EQ(lines, (QStringList{"POLLEN", "DAMP", "SMOKE"}));
    windows.pick = {true, std::nullopt};  // closed without adding
    click(card.BtnAddTrg);
    EXPECT_EQ(card.ListTrg->count(), 3);
    windows.pick = {};
    click(card.BtnAddTrg);
    EXPECT_EQ(card.header(), "ERROR: Could not open Trigger List");

    for (int page = 0; page < 4; ++page) {
        card.Pages->setCurrentIndex(page);
        click(card.BtnHelp);
    }
    EXPECT_EQ(windows.help, (QStringList{"PersonalPage", "PeakFlowPage", "TriggersPage", "MedicationPage"}));
}

TEST_F(PersonalTest, TheTriggerListIsMaintainedAndReportsWhatHappened) {
    TasTrg window(diary);
    window.SetList(TasTrg::Mode::Maintain);
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
    window.SetList(TasTrg::Mode::Pick);
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
