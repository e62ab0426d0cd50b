#include "CardFixture.h"

#include "app/HelpWindow.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "controls/TDaSwitch.h"
#include "daily/DailyCommands.h"
#include "daily/TAsDet.h"
#include "files/FaultSeam.h"
#include "personal/TAsPer.h"
#include "sheetwindow/TAsSheet.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>

#include <functional>

namespace pulmora::test {
namespace {

class CommandsTest : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        prepare([&](store::Diary& d) {
            carol = addPerson(d, "Carol", "Carter");
            alan = addPerson(d, "Alan", "Adams");
            bea = addPerson(d, "Bea", "Brown");
        });
        start();
    }
    std::optional<store::PersonId> carol, alan, bea;
};

TEST_F(CommandsTest, TheBannerCyclesThroughThePeopleInNicknameOrder) {
    EXPECT_EQ(card().CurrentPerson(), alan);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        click(widget("SelAsName"));
        seen << on<controls::TDaPanel>("SelAsName")->Caption();
    }
    EXPECT_EQ(seen, (QStringList{"Bea", "Carol", "Alan"}));
}

TEST_F(CommandsTest, EveryCommandSavesThePendingDayFirst) {
    click(widget("WheezDay"));
    ASSERT_TRUE(card().RecChanged());
    click(widget("SelAsName"));
    EXPECT_EQ(card().CurrentPerson(), bea);
    EXPECT_TRUE(diary().days.GetDly(*alan, kToday).values.wheezeDay);
    EXPECT_FALSE(on<controls::TDaSwitch>("WheezDay")->BtnState());
    EXPECT_FALSE(widget("BtnSave")->isVisibleTo(&card()));
}

// Every road that writes the pending day before it goes on, meeting a disk that refuses every
// write: it stops there, says why, and leaves the day's changes on the card with Alan's day.
TEST_F(CommandsTest, EveryRoadThatSavesFirstStopsWhenTheSaveFails) {
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"the name banner", [&] { click(widget("SelAsName")); }},
        {"the personal card", [&] { click(widget("BtnPer")); }},
        {"the report card", [&] { click(widget("BtnRep")); }},
        {"the record sheet", [&] { click(widget("BtnSheet")); }},
        {"the menu", [&] { click(widget("BtnMenu")); }},
        {"a new user", [&] { choose("MnNew"); }},
        {"the export", [&] { choose("MnExport"); }},
        {"the restore", [&] { choose("MnRestore"); }},
        {"help", [&] { click(widget("BtnHelp")); }},
        {"the save button", [&] { click(widget("BtnSave")); }},
        {"another month", [&] { click(widget("BackMonth")); }},
        {"closing the card", [&] { card().close(); }},
    };
    card().show();
    for (const auto& [road, take] : roads) {
        click(widget("WheezDay"));
        const bool wheeze = on<controls::TDaSwitch>("WheezDay")->BtnState();
        ASSERT_TRUE(card().RecChanged()) << road;
        files::faults::setHook([](files::faults::Operation) { return false; });
        std::string opened;  // the window the road went on to, if it did
        QTimer::singleShot(0, [&] {
            if (QWidget* window = QApplication::activeModalWidget()) {
                opened = window->metaObject()->className();
                window->close();
            }
        });
        take();
        QCoreApplication::processEvents();
        files::faults::setHook({});

        EXPECT_EQ(opened, "") << road;
        EXPECT_FALSE(childNamed<QMenu>(card(), "AsMenu")->isVisible()) << road;
        EXPECT_TRUE(card().info().startsWith("ERROR: The day was not saved"))
            << road << ": " << card().info().toStdString();
        EXPECT_TRUE(card().info().contains("Input/output error")) << road << ": " << card().info().toStdString();
        EXPECT_EQ(card().CurrentPerson(), alan) << road;
        EXPECT_EQ(card().selectedDate(), kToday) << road;
        EXPECT_TRUE(card().RecChanged()) << road;
        EXPECT_TRUE(widget("BtnSave")->isVisible()) << road;
        EXPECT_EQ(on<controls::TDaSwitch>("WheezDay")->BtnState(), wheeze) << road;
        EXPECT_TRUE(card().isVisible()) << road;
        // With the disk working again the changes are Alan's day's, and nobody else's.
        ASSERT_TRUE(card().SaveDay()) << road;
        EXPECT_EQ(diary().days.GetDly(*alan, kToday).values.wheezeDay, wheeze) << road;
        EXPECT_EQ(diary().days.ChkDly(*bea, kToday), -1) << road;
    }
}

TEST_F(CommandsTest, TheRecordSheetOpensBesideItsButtonWithTheShownPersonTickedAfterSaving) {
    ASSERT_TRUE(widget("BtnSheet")->isEnabled());
    click(widget("SelAsName"));
    click(widget("WheezDay"));
    ASSERT_TRUE(card().RecChanged());
    QStringList ticked;
    withModal([&] { click(widget("BtnSheet")); },
              [&](QWidget* window) {
                  auto* sheet = qobject_cast<sheet::TAsSheet*>(window);
                  ASSERT_NE(sheet, nullptr);
                  ticked = sheet->tickedNames();
                  const QPoint corner = widget("BtnSheet")->mapToGlobal(QPoint(widget("BtnSheet")->width(), 0));
                  EXPECT_EQ(sheet->x() + sheet->width(), corner.x());
                  EXPECT_EQ(sheet->y(), corner.y());
                  // The day was written before the window opened.
                  EXPECT_TRUE(diary().days.GetDly(*bea, kToday).values.wheezeDay);
                  sheet->reject();
              });
    EXPECT_EQ(ticked, QStringList{"Bea"});
    EXPECT_FALSE(card().RecChanged());
}

TEST_F(CommandsTest, RemovingTheDayReloadsItEmpty) {
    selectDay(QDate(2024, 6, 3));
    additional().TickTrigger("POLLEN");
    card().markChanged();
    click(widget("RateBad"));
    ASSERT_TRUE(card().SaveDay());
    withModal([&] { choose("MnDelDly"); },
              [](QWidget* window) {
                  auto* det = qobject_cast<daily::TAsDet*>(window);
                  ASSERT_TRUE(det);
                  EXPECT_EQ(det->LabMes->text(),
                            "This action will remove \"3-June-2024\" daily record from the Pulmora for Alan?!  "
                            "Verify this action by  clicking on the Confirm action button.");
                  EXPECT_FALSE(det->PanConfirm->isVisible());
                  click(det->BtnConfirm);
              });
    EXPECT_EQ(diary().days.ChkDly(*alan, QDate(2024, 6, 3)), -1);
    EXPECT_TRUE(card().info().isEmpty());
    for (const auto& line : additional().triggers()) EXPECT_FALSE(line.ticked) << line.name.toStdString();
    EXPECT_FALSE(on<controls::TDaSwitch>("RateBad")->BtnState());
    EXPECT_FALSE(card().RecChanged());
}

TEST_F(CommandsTest, APersonIsDeletedOnlyWithTheWordTyped) {
    ASSERT_TRUE(card().SaveDay());
    withModal([&] { choose("MnDelPer"); },
              [](QWidget* window) {
                  auto* det = qobject_cast<daily::TAsDet*>(window);
                  ASSERT_TRUE(det);
                  EXPECT_TRUE(det->LabMes->text().startsWith("This action will permanently remove \"Alan\""));
                  click(det->BtnConfirm);  // empty box
                  EXPECT_TRUE(det->isVisible());
                  det->deleteBox->setFocus();
                  QTest::keyClicks(det->deleteBox, "delet");
                  click(det->BtnConfirm);
                  EXPECT_TRUE(det->isVisible());
                  QTest::keyClicks(det->deleteBox, "e");
                  EXPECT_EQ(det->deleteBox->text(), "DELETE");
                  click(det->BtnConfirm);
              });
    EXPECT_FALSE(diary().persons.GetPerCrd(*alan));
    EXPECT_EQ(diary().days.ChkDly(*alan, kToday), -1);
    EXPECT_TRUE(diary().persons.ListMed(*alan).empty());
    EXPECT_EQ(card().CurrentPerson(), bea);  // the restart selects the first remaining person
    EXPECT_EQ(card().info(), "Welcome to the Pulmora");
}

// A long name, even one without a blank to wrap at, is shown whole: the window grows to it.
TEST(DeletionConfirmationTest, TheWholeMessageIsShownForALongName) {
    for (const QString& name : {QString(30, QLatin1Char('W')), QString("Anne-Marie Alexandra Pemberton")}) {
        daily::TAsDet window;
        window.MesDelPer(name);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QLabel* message = window.LabMes;
        EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance("\"" + name + "\""));
        EXPECT_GE(message->height(), message->heightForWidth(message->width()));
        EXPECT_TRUE(window.rect().contains(message->geometry())) << name.toStdString();
        window.MesDelDly("28-September-2024", name);
        EXPECT_GE(message->height(), message->heightForWidth(message->width()));
        EXPECT_TRUE(window.rect().contains(message->geometry())) << name.toStdString();
    }
}

TEST(DeletionConfirmationTest, EscapeAndACloseRequestActAsCancel) {
    for (const bool escape : {true, false}) {
        daily::TAsDet window;
        EXPECT_FALSE(window.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
        window.MesDelDly("3-June-2024", "Jo");
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        if (escape)
            QTest::keyClick(window.BtnConfirm, Qt::Key_Escape);
        else
            window.close();
        EXPECT_FALSE(window.isVisible()) << (escape ? "Escape" : "close");
        EXPECT_FALSE(window.DeleteConfirmed());
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
}

// The window opens on what cannot delete: Cancel for a day (whose hidden box holds the word
// already), the empty box for a person. So Enter pressed at once deletes nothing.
TEST(DeletionConfirmationTest, EnterAtOnceDeletesNothing) {
    for (const bool person : {false, true}) {
        daily::TAsDet window;
        if (person)
            window.MesDelPer("Jo");
        else
            window.MesDelDly("3-June-2024", "Jo");
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_EQ(focus, person ? static_cast<QWidget*>(window.deleteBox) : window.BtnCancel);
        QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_FALSE(window.DeleteConfirmed()) << (person ? "person" : "day");
        EXPECT_EQ(window.isVisible(), person) << "the day's window is cancelled, the person's waits for the word";
    }
}

TEST_F(CommandsTest, CancellingADeletionKeepsEverything) {
    withModal([&] { choose("MnDelPer"); },
              [](QWidget* window) { click(qobject_cast<daily::TAsDet*>(window)->BtnCancel); });
    EXPECT_TRUE(diary().persons.GetPerCrd(*alan));
    EXPECT_EQ(card().CurrentPerson(), alan);
}

TEST_F(CommandsTest, HelpOpensTheTopicOfThePageInFront) {
    std::filesystem::copy(PULMORA_HELP_DIR, folder.path() / "help", std::filesystem::copy_options::recursive);
    const auto& help = program->help();
    click(widget("BtnHelp"));
    EXPECT_EQ(help.currentPage(), "BasicDailyCard");
    on<QTabWidget>("Tabs")->setCurrentIndex(1);
    click(widget("BtnHelp"));
    EXPECT_EQ(help.currentPage(), "AdditionalDailyCard");
    choose("AreYouAPoorPerceiver");  // the last case study
    EXPECT_EQ(help.currentPage(), "AreYouAPoorPerceiver");
    choose("MnHelp");
    EXPECT_EQ(help.currentPage(), "index");
    program->help().showTopic("AreYouAPoorPerceiver");
    EXPECT_TRUE(program->help().browser->toPlainText().contains("written asthma action plan"));
}

TEST_F(CommandsTest, ThePersonalCardOpensForTheSelectedPerson) {
    withModal([&] { click(widget("BtnPer")); },
              [](QWidget* window) {
                  auto* per = qobject_cast<personal::TAsPer*>(window);
                  ASSERT_TRUE(per);
                  EXPECT_EQ(per->header(), "Retrieved Alan Personal Card");
                  per->FldWhoI->setText("Allie");
                  click(per->BtnSave);
              });
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "Allie");
    EXPECT_EQ(card().CurrentPerson(), alan);
}

TEST_F(CardTest, DeletingTheOnlyPersonLeavesNewAndEntryOpensThePersonalCard) {
    prepare([&](store::Diary& d) { addPerson(d, "Solo"); });
    start();
    withModal([&] { choose("MnDelPer"); },
              [](QWidget* window) {
                  auto* det = qobject_cast<daily::TAsDet*>(window);
                  det->deleteBox->setText("DELETE");
                  click(det->BtnConfirm);
              });
    EXPECT_FALSE(card().CurrentPerson());
    EXPECT_EQ(on<controls::TDaPanel>("SelAsName")->Caption(), "New");
    withModal([&] { click(widget("CoughDay")); },
              [](QWidget* window) {
                  auto* per = qobject_cast<personal::TAsPer*>(window);
                  ASSERT_TRUE(per);
                  EXPECT_EQ(per->header(), "New Personal Card");
              });
    choose("MnDelDly");
    EXPECT_EQ(card().info(), "There is nothing to delete?");
}

TEST_F(CardTest, TheMenuHasItsItems) {
    start();
    QStringList captions;
    for (QAction* a : on<QMenu>("AsMenu")->actions())
        if (!a->isSeparator()) captions << a->text();
    EXPECT_EQ(captions,
              (QStringList{"Create New User", "Maintain Trigger List", "Maintenance", "Export Diary to CSV...",
                           "Restore from Backup...", "Help", "Case Studies", "About && Support"}));
    withModal([&] { choose("MnAbout"); },
              [](QWidget* window) {
                  EXPECT_EQ(window->windowTitle(), "About Application");
                  EXPECT_EQ(window->size(), QSize(314, 249));
              });
}

// Every topic the program can open has its page, and every link in the pages leads somewhere.
TEST(HelpPagesTest, EveryKeywordHasAPageAndEveryLinkResolves) {
    const QDir help(PULMORA_HELP_DIR);
    QStringList keywords = daily::DailyCommands::helpKeywords();
    keywords << "PersonalPage"
             << "PeakFlowPage"
             << "TriggersPage"
             << "MedicationPage";
    // The report card's topics.
    keywords << "PulmoraReportCard"
             << "WeeklyComparisonReport"
             << "MonthlyBasicReport"
             << "MonthlyAdditionalReport"
             << "PercentageBestGraph"
             << "PeakFlowTrend"
             << "DiurnalVariationGraph"
             << "ZoneFrequencyGraph"
             << "SymptomFrequencyGraph"
             << "PoorPerceiverIndicatorGraph";
    ASSERT_TRUE(help.exists("index.html"));
    QFile indexFile(help.filePath("index.html"));
    ASSERT_TRUE(indexFile.open(QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(indexFile.readAll());
    for (const QString& k : keywords) {
        EXPECT_TRUE(help.exists(k + ".html")) << k.toStdString();
        EXPECT_TRUE(index.contains("href=\"" + k + ".html\"")) << "contents lacks " << k.toStdString();
    }
    const QRegularExpression link("href=\"([^\"#]+)");
    for (const QString& page : help.entryList({"*.html"})) {
        QFile file(help.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(page == "index.html" || text.contains("href=\"index.html\"")) << page.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(help.exists(target)) << page.toStdString() << " links to " << target.toStdString();
        }
    }
}

}  // namespace
}  // namespace pulmora::test
