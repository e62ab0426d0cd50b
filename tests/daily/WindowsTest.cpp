#include "CardFixture.h"

#include "about/TAsAbo.h"
#include "app/HelpWindow.h"
#include "controls/TDaButton.h"
#include "controls/TDaNumber.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"
#include "daily/DailyCommands.h"
#include "daily/DailyWindows.h"
#include "personal/TAsPer.h"
#include "reportcard/TAsRep.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <QMessageBox>
#include <QPushButton>

#include <filesystem>

namespace pulmora::test {
namespace {

using controls::WindowAnswer;

QPoint topLeftOf(const QWidget* w) { return w->mapToGlobal(QPoint(0, 0)); }
QPoint topRightOf(const QWidget* w) { return w->mapToGlobal(QPoint(w->width(), 0)); }

// A person as the scripted windows record who they were asked for.
QString named(const std::optional<store::PersonId>& person) { return person ? person->text() : QString("New"); }

// Stands in for the program: records what the daily card asks for and answers as told.
class ScriptedWindows : public daily::DailyWindows {
public:
    WindowAnswer<std::optional<store::PersonRef>> personalCard(QWidget&, const std::optional<store::PersonId>& person,
                                                               const QString& header, const QPoint& topRight) override {
        asked << "personal " + named(person) + " / " + header;
        at = topRight;
        return opens ? personal : WindowAnswer<std::optional<store::PersonRef>>{};
    }
    WindowAnswer<std::optional<QStringList>> pickTriggersForDay(QWidget&, const QPoint& topRight) override {
        asked << "pick";
        at = topRight;
        return opens ? picked : WindowAnswer<std::optional<QStringList>>{};
    }
    bool maintainTriggers(QWidget&, const QPoint& topRight) override {
        asked << "maintain";
        at = topRight;
        return opens;
    }
    WindowAnswer<bool> confirmDeletion(QWidget&, const daily::Deletion& d, const QPoint& topRight) override {
        asked << QString(d.of == daily::Deletion::Of::Person ? "delete person " : "delete day ") + d.date + " " +
                     d.name;
        at = topRight;
        return {opens, false};
    }
    WindowAnswer<std::optional<store::PersonRef>> reportCard(QWidget&, const store::PersonRef& person) override {
        asked << "report " + person.id.text() + " / " + person.nickname;
        return opens ? report : WindowAnswer<std::optional<store::PersonRef>>{};
    }
    bool recordSheet(QWidget&, const std::optional<store::PersonId>& person, const QPoint& topRight) override {
        asked << "sheet " + named(person);
        at = topRight;
        return opens;
    }
    bool about(QWidget&, const QPoint& topLeft) override {
        asked << "about";
        at = topLeft;
        return opens;
    }
    void showHelp(const QString& keyword) override { asked << "help " + keyword; }
    WindowAnswer<bool> leaveWithoutSaving(QWidget&, const QString& loss) override {
        asked << "leave " + loss;
        return {opens, leaves};
    }
    WindowAnswer<int> ask(QWidget&, const controls::Question& question) override {
        asked << "ask " + question.text;
        return {opens, answer};
    }

    bool opens = true;
    bool leaves = false;
    int answer = 0;
    WindowAnswer<std::optional<store::PersonRef>> personal{true, std::nullopt};
    WindowAnswer<std::optional<QStringList>> picked{true, std::nullopt};
    WindowAnswer<std::optional<store::PersonRef>> report{true, std::nullopt};
    QStringList asked;
    QPoint at;
};

// A daily card of its own on the prepared diary, with the scripted windows.
class ScriptedCardTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) { jo = addPerson(d, "Jo"); });
        diary.files.setFolder(folderPath());
        diary.files.OpenDB();
        own = std::make_unique<daily::TAsDly>(diary, windows);
        card().move(300, 200);
        card().showDay(diary.persons.GetPerDly(store::Persons::Step::First), kToday);
    }
    daily::TAsDly& card() override { return *own; }
    void TearDown() override {
        own.reset();
        diary.files.CloseDB();
        CardTest::TearDown();
    }
    store::Diary diary;
    ScriptedWindows windows;
    std::unique_ptr<daily::TAsDly> own;
    std::optional<store::PersonId> jo;
};

TEST_F(ScriptedCardTest, EachWindowIsAskedForBesideItsButton) {
    click(widget("BtnPer"));
    EXPECT_EQ(windows.asked.takeLast(), "personal " + named(jo) + " / Retrieved Jo Personal Card");
    EXPECT_EQ(windows.at, topRightOf(on<controls::TDaButton>("BtnPer")));
    choose("MnNew");
    EXPECT_EQ(windows.asked.takeLast(), "personal New / New Personal Card");
    choose("MnTriggers");
    EXPECT_EQ(windows.asked.takeLast(), "maintain");
    EXPECT_EQ(windows.at, topLeftOf(on<controls::TDaButton>("BtnMenu")));
    choose("MnDelDly");
    EXPECT_EQ(windows.asked.takeLast(), "delete day 15-June-2024 Jo");
    EXPECT_EQ(windows.at, topRightOf(on<controls::TDaButton>("BtnPer")));
    choose("MnDelPer");
    EXPECT_EQ(windows.asked.takeLast(), "delete person 15-June-2024 Jo");
    click(widget("BtnSheet"));
    EXPECT_EQ(windows.asked.takeLast(), "sheet " + named(jo));
    EXPECT_EQ(windows.at, topRightOf(on<controls::TDaButton>("BtnSheet")));
    choose("MnAbout");
    EXPECT_EQ(windows.asked.takeLast(), "about");
    EXPECT_EQ(windows.at, widget("Cal")->mapToGlobal(QPoint(-1, -1)));
    EXPECT_FALSE(card().info().startsWith("ERROR")) << card().info().toStdString();
}

// A typing slip must not become the measure of every zone and percentage after it.
TEST_F(ScriptedCardTest, AReadingAboveTheBestBecomesTheBestOnlyWhenTheUserSaysSo) {
    auto* morning = on<controls::TDaNumber>("PkMorn");
    QTest::keyClicks(morning, "999\r");  // a slip: the entry holds and shows 800
    windows.answer = 1;                  // No
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(windows.asked,
              QStringList{"ask Morning 800 is above Jo's personal best of 400 l/min. Make 800 the personal best?"});
    EXPECT_EQ(diary.days.GetDly(*jo, card().CurrentDate()).values.morning, 800);
    // The reading the day holds is not asked about again; a new one is.
    ASSERT_TRUE(card().SaveDay());
    QTest::keyClicks(morning, "450");
    windows.answer = 0;  // Yes
    ASSERT_TRUE(card().SaveDay());
    EXPECT_EQ(windows.asked.size(), 2);
    EXPECT_EQ(diary.persons.GetPerCrd(*jo)->best, "450");
}

TEST_F(ScriptedCardTest, PickedTriggersAreTickedAndMarkTheDay) {
    windows.picked = {true, QStringList{"COLD AIR", "SMOKE"}};
    click(widget("BtnAddTrg"));
    EXPECT_EQ(windows.asked.takeLast(), "pick");
    EXPECT_EQ(windows.at, topLeftOf(on<controls::TDaButton>("BtnMenu")));
    EXPECT_EQ(on<daily::AdditionalDailyPage>("Additional")->tickedTriggers(), (QStringList{"COLD AIR", "SMOKE"}));
    // A name cut at the list's edge can be read whole.
    EXPECT_EQ(on<QListWidget>("ListTrg")->item(0)->toolTip(), "COLD AIR");
    EXPECT_TRUE(card().RecChanged());
    // Closed without adding: nothing changes.
    ASSERT_TRUE(card().SaveDay());
    windows.picked = {true, std::nullopt};
    click(widget("BtnAddTrg"));
    EXPECT_FALSE(card().RecChanged());
}

TEST_F(ScriptedCardTest, ASavedPersonalCardSelectsThePerson) {
    windows.personal = {true, store::PersonRef{*jo, "Joanna"}};
    click(widget("BtnPer"));
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Joanna");
    EXPECT_EQ(card().CurrentPerson(), jo);
}

// The report card is asked for the person on show, after the pending day has been saved; the
// daily card follows the person the report card moved on to.
TEST_F(ScriptedCardTest, TheReportCardReportsOnTheSavedDayAndTheCardFollowsItsPerson) {
    click(widget("CoughDay"));
    ASSERT_TRUE(card().RecChanged());
    const store::PersonId ann = addPerson(diary, "Ann");
    windows.report = {true, store::PersonRef{ann, "Ann"}};
    click(widget("BtnRep"));
    EXPECT_EQ(windows.asked.takeLast(), "report " + named(jo) + " / Jo");
    EXPECT_GE(diary.days.ChkDly(*jo, kToday), 0) << "the pending day is written before the report";
    EXPECT_EQ(card().CurrentPerson(), ann);
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Ann");
}

TEST_F(ScriptedCardTest, WithoutAPersonThereIsNoReportCard) {
    card().selectPerson(std::nullopt);
    click(widget("BtnRep"));
    EXPECT_TRUE(windows.asked.isEmpty()) << windows.asked.join(", ").toStdString();
    EXPECT_EQ(card().info(), "There are no asthmatic data to assess?");
}

TEST_F(ScriptedCardTest, AWindowThatCannotBeOpenedIsReportedOnTheInfoLine) {
    windows.opens = false;
    click(widget("BtnPer"));
    EXPECT_EQ(card().info(), "ERROR: Could not open Personal Card");
    card().setInfo({});
    choose("MnTriggers");
    EXPECT_EQ(card().info(), "ERROR: Could not open Trigger List");
    card().setInfo({});
    click(widget("BtnAddTrg"));
    EXPECT_EQ(card().info(), "ERROR: Could not open Trigger List");
    choose("MnDelDly");
    EXPECT_EQ(card().info(), "ERROR: Could not open Delete Confirmation");
    choose("MnAbout");
    EXPECT_EQ(card().info(), "ERROR: Could not open About Card");
    click(widget("BtnRep"));
    EXPECT_EQ(card().info(), "ERROR: Could not open Report Card");
    click(widget("BtnSheet"));
    EXPECT_EQ(card().info(), "ERROR: Could not open Manual Sheet");
    // The card stays usable.
    click(widget("CoughDay"));
    EXPECT_TRUE(card().RecChanged());
}

// With the day's trigger file unusable the card says so as soon as the day is shown. Closing with
// a trigger ticked says what would be lost: staying keeps everything pending, leaving writes the
// rest of the day and leaves the file as it was.
TEST_F(ScriptedCardTest, ATriggerThatCannotBeSavedIsSaidAtOnceAndClosingAsksWhetherToLoseIt) {
    diary.files.CloseDB();
    auto damaged = readBytes(folder.file("DlyTrig.dat"));
    damaged[32 + 11] = 'N';  // its first field made numeric
    writeBytes(folder.file("DlyTrig.dat"), damaged);
    diary.files.OpenDB();
    card().CalDateChange();
    const QString problem =
        "DlyTrig.dat could not be opened (field 1 \"DyID\" is a numeric field (type N); only "
        "character and date fields are stored), so the day's triggers cannot be saved.";
    EXPECT_EQ(card().info(), "ERROR: " + problem + " It has been left as it is.");

    card().show();
    click(widget("CoughDay"));
    on<daily::AdditionalDailyPage>("Additional")->TickTrigger("POLLEN");
    EXPECT_FALSE(card().close());
    EXPECT_EQ(windows.asked, QStringList{"leave " + problem});
    EXPECT_TRUE(card().RecChanged());
    EXPECT_EQ(diary.days.ChkDly(*jo, kToday), -1);

    windows.leaves = true;
    EXPECT_TRUE(card().close());
    EXPECT_TRUE(diary.days.GetDly(*jo, kToday).values.coughDay);
    diary.files.CloseDB();
    EXPECT_EQ(readBytes(folder.file("DlyTrig.dat")), damaged);
}

// ---- the program's own opener ------------------------------------------------------------

class OpenerTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
        std::filesystem::copy(PULMORA_HELP_DIR, folder.path() / "help", std::filesystem::copy_options::recursive);
        start();
    }
};

TEST_F(OpenerTest, TheCardsOpenBesideTheirButtonsAndStayOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    card().move(screen.right() - card().width() - 10, screen.top() + 40);
    withModal([&] { click(widget("BtnPer")); },
              [&](QWidget* window) {
                  const QPoint corner = topRightOf(on<controls::TDaButton>("BtnPer"));
                  EXPECT_EQ(window->y(), corner.y());
                  EXPECT_EQ(window->x(), std::max(screen.left(), corner.x() - window->width()));
              });
    withModal([&] { choose("MnTriggers"); },
              [&](QWidget* window) {
                  EXPECT_EQ(window->windowTitle(), "List of Common Triggers");
                  EXPECT_EQ(window->x() + window->width(), topLeftOf(on<controls::TDaButton>("BtnMenu")).x());
              });
    // Near the bottom right corner the window is pulled back onto the screen.
    card().move(screen.right() - card().width(), screen.bottom() - 40);
    withModal([&] { choose("MnAbout"); },
              [&](QWidget* window) {
                  EXPECT_LE(window->y() + window->height() - 1, screen.bottom());
                  EXPECT_LE(window->x() + window->width() - 1, screen.right());
                  // It names the folder the diary is kept in (whole in the tooltip when shortened).
                  auto* about = qobject_cast<about::TAsAbo*>(window);
                  ASSERT_TRUE(about);
                  const QString named =
                      about->LabFolder->toolTip().isEmpty() ? about->LabFolder->text() : about->LabFolder->toolTip();
                  EXPECT_EQ(named, diary().files.folder());
                  EXPECT_FALSE(named.isEmpty());
              });
}

TEST_F(OpenerTest, TheReportCardOpensOnThePersonAndItsPlacementIsKept) {
    const std::optional<store::PersonId> jo = card().CurrentPerson();
    withModal([&] { click(widget("BtnRep")); },
              [&](QWidget* window) {
                  auto* report = qobject_cast<reports::TAsRep*>(window);
                  ASSERT_TRUE(report);
                  EXPECT_EQ(report->windowTitle(), "Pulmora Report Card");
                  EXPECT_EQ(report->PersonKey(), jo);
                  // The picture on show is saved through the save window the program opens.
                  click(report->BtnPeakFlow);
                  withModal([&] { click(report->BtnJpeg); },
                            [&](QWidget* save) { EXPECT_EQ(save->windowTitle(), "Save Report"); });
                  report->showNormal();
                  report->setGeometry(60, 70, 640, 560);
                  report->close();
              });
    EXPECT_FALSE(program->settings().reportMaximised());
    EXPECT_EQ(program->settings().reportGeometry().size(), QSize(640, 560));
    EXPECT_EQ(card().CurrentPerson(), jo);
    EXPECT_FALSE(card().info().startsWith("ERROR")) << card().info().toStdString();
}

// The help window takes clicks while a modal card is open: the click goes through the window
// system, where a window blocked by a modal one would drop it.
TEST_F(OpenerTest, HelpCanBeUsedWhileThePersonalCardIsOpen) {
    app::HelpWindow& help = program->help();
    withModal([&] { click(widget("BtnPer")); },
              [&](QWidget* window) {
                  auto* per = qobject_cast<personal::TAsPer*>(window);
                  ASSERT_TRUE(per);
                  click(per->BtnHelp);
                  ASSERT_TRUE(help.isVisible());
                  EXPECT_EQ(help.currentPage(), "PersonalPage");
                  const QPoint onContents = help.contents->mapTo(&help, help.contents->rect().center());
                  QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, onContents);
                  EXPECT_EQ(help.currentPage(), "index");
                  EXPECT_TRUE(per->isVisible());
              });
}

// F1 opens the help of the window and page in front, and a window without a page of its own
// opens the contents; Escape and Ctrl+W close the help window again.
TEST_F(OpenerTest, F1OpensTheHelpOfTheWindowAndPageInFront) {
    app::HelpWindow& help = program->help();
    const auto press = [&](QWidget* window, const QKeySequence& key) {
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window->isAncestorOf(QApplication::focusWidget()) ? QApplication::focusWidget() : window,
                           key);
    };
    const auto helpOn = [&](QWidget* window) {
        press(window, Qt::Key_F1);
        return help.isVisible() ? help.currentPage() : QString();
    };
    card().show();
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    EXPECT_EQ(helpOn(&card()), "AdditionalDailyCard");
    press(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
    withModal([&] { click(widget("BtnPer")); },
              [&](QWidget* window) {
                  qobject_cast<personal::TAsPer*>(window)->Pages->setCurrentIndex(1);
                  EXPECT_EQ(helpOn(window), "PeakFlowPage");
                  press(&help, QKeySequence(Qt::CTRL | Qt::Key_W));
                  EXPECT_FALSE(help.isVisible());
              });
    withModal([&] { click(widget("BtnRep")); },
              [&](QWidget* window) { EXPECT_EQ(helpOn(window), "PulmoraReportCard"); });
    help.close();
    withModal([&] { click(widget("BtnSheet")); }, [&](QWidget* window) { EXPECT_EQ(helpOn(window), "index"); });
}

// The program's question before the card closes on a trigger that cannot be saved: it says what
// would be lost and offers Stay first; Leave closes the card.
TEST_F(CardTest, ClosingOnATriggerThatCannotBeSavedAsksFirst) {
    prepare([&](store::Diary& d) { addPerson(d, "Jo"); });
    auto damaged = readBytes(folder.file("DlyTrig.dat"));
    damaged[32 + 11] = 'N';
    writeBytes(folder.file("DlyTrig.dat"), damaged);
    start();
    card().show();
    click(widget("CoughDay"));
    additional().TickTrigger("POLLEN");
    withModal(
        [&] { EXPECT_TRUE(card().close()); },
        [&](QWidget* window) {
            auto* question = qobject_cast<QMessageBox*>(window);
            ASSERT_TRUE(question);
            EXPECT_TRUE(question->text().contains(", so the day's triggers cannot be saved. Leave and lose them"));
            EXPECT_EQ(question->defaultButton()->text(), "Stay");
            for (QAbstractButton* button : question->buttons())
                if (button->text() == "Leave") button->click();
        });
    EXPECT_FALSE(card().isVisible());
}

}  // namespace
}  // namespace pulmora::test
