#include "app/IniRecord.h"
#include "controls/Pictures.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "reports/ReportView.h"
#include "reports/TAsRep.h"
#include "stats/ReportDiary.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

namespace pulmora::test {
namespace {

using reports::TAsRep;

const QDate D{2026, 12, 8};
const reports::ReportPlacement kNormal{false, QRect(40, 30, 637, 432)};

class ReportCard : public ::testing::Test {
protected:
    void open(const QString& person, const QString& caption = "Ann",
              const reports::ReportPlacement& placement = kNormal) {
        card = std::make_unique<TAsRep>(d.diary);
        card->Open(person, caption, D, placement);
    }
    void show() {
        card->show();
        QCoreApplication::processEvents();
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    void resize(int width, int height) {
        card->resize(width, height);
        QCoreApplication::processEvents();
    }
    QImage expectedView() const {
        return reports::PaintViewport(card->report().picture, card->viewport(), card->NavData->size());
    }
    // A person with readings in every week, so the report scrolls both ways in a small window.
    QString personWithReadings(const QString& nickname, int best = 500) {
        const QString p = d.addPerson(nickname, best);
        for (int i = 0; i < 42; i += 3) d.addReadings(p, D.addDays(-i), best - 100, best - 80);
        return p;
    }

    ReportDiary d;
    std::unique_ptr<TAsRep> card;
};

TEST_F(ReportCard, OpenPreparesAnEmptyCard) {
    const QString p = personWithReadings("Ann");
    open(p + "    ", "Ann");
    EXPECT_EQ(card->windowTitle(), "Pulmora Report Card");
    EXPECT_EQ(card->PersonKey(), p);  // the key's first 8 characters
    EXPECT_EQ(card->TabPage->currentWidget(), card->TabCombined);
    EXPECT_EQ(card->RepDate->date(), D);
    EXPECT_EQ(card->RepDate->displayFormat(), "dd/MMM/yyyy");
    EXPECT_EQ(card->RepDate->text(), "08/Dec/2026");
    EXPECT_EQ(card->SelAsName->Caption(), "Ann");
    EXPECT_FALSE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::Weekly);
    EXPECT_TRUE(card->NavData->picture().isNull());
    EXPECT_EQ(card->info(), " Welcome to the Pulmora Reporter");
    EXPECT_TRUE(card->BtnGraphs->isHidden());
    EXPECT_TRUE(card->BtnMed->isHidden());
    // The graphs and printing come later; saving answers already.
    for (QWidget* later : {card->BtnPeakFlow, card->BtnPrintRep}) EXPECT_FALSE(later->isEnabled());
    for (QWidget* report : {card->BtnTable, card->BtnMedTrig, card->BtnReport}) EXPECT_TRUE(report->isEnabled());
    EXPECT_TRUE(card->BtnJpeg->isEnabled());
}

TEST_F(ReportCard, ItStartsWithTheWeeklyComparison) {
    open(personWithReadings("Ann"));
    show();
    EXPECT_TRUE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::Weekly);
    EXPECT_EQ(card->info(), " Weekly Comparison Report for Period Starting 28 Oct 2026 to 8 Dec 2026");
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_TRUE(card->BtnMed->isVisible());
}

TEST_F(ReportCard, TheMonthlyBasicReportWithItsGraphStrip) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnTable);
    EXPECT_TRUE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyBasic);
    EXPECT_EQ(card->info(), " Monthly Basic Report for Period Starting 8 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(card->report().viewport.GraphStripHeight, 200);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_TRUE(card->BtnMed->isVisible());
    const QImage withStrip = card->NavData->picture();
    click(card->BtnMed);
    EXPECT_EQ(card->viewport().GraphShown, 0);
    EXPECT_NE(card->NavData->picture(), withStrip);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    // The days scroll a column at a time under the fixed labels and dates.
    click(card->BtnRight);
    EXPECT_EQ(card->viewport().ScrollX, card->viewport().StepX);
    EXPECT_EQ(card->NavData->picture(), expectedView());
}

TEST_F(ReportCard, TheMonthlyAdditionalReportHasNoGraphStrip) {
    const QString p = personWithReadings("Ann");
    const QString med = d.addMedication(p, "Salbutamol");
    d.useMedication(p, D, med, 2, "Salbutamol");
    open(p);
    show();
    click(card->BtnTable);
    ASSERT_TRUE(card->BtnMed->isVisible());
    click(card->BtnMedTrig);
    EXPECT_TRUE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyAdditional);
    EXPECT_EQ(card->info(), " Monthly Additional Report for Period Starting 8 Nov 2026 to 8 Dec 2026");
    ASSERT_EQ(card->report().medications.size(), 1u);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_TRUE(card->BtnMed->isHidden());
    click(card->BtnReport);
    EXPECT_EQ(card->kind(), reports::ReportKind::Weekly);
}

TEST_F(ReportCard, AMonthlyReportWithoutDataStillBecomesTheReportOnShow) {
    const QString p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-35), 400, 400);  // in the six weeks, before the month
    open(p);
    show();
    ASSERT_TRUE(card->ReportAvailable());
    click(card->BtnMedTrig);
    EXPECT_FALSE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyAdditional);
    EXPECT_EQ(card->info(), " Cannot Produce Report as there is no Data for Period Starting 8 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(card->NavData->picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    click(card->BtnTable);
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyBasic);
    EXPECT_TRUE(card->BtnMed->isHidden());
}

// The name banner reruns the monthly report on show for the next person.
TEST_F(ReportCard, TheBannerRerunsTheMonthlyReportsForTheNextPerson) {
    const QString ann = personWithReadings("Ann", 400);
    const QString bob = personWithReadings("Bob", 600);
    open(ann);
    show();
    click(card->BtnTable);
    click(card->SelAsName);
    EXPECT_EQ(card->PersonKey(), bob);
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyBasic);
    EXPECT_EQ(card->report().person.best, 600);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_TRUE(card->BtnMed->isVisible());
    click(card->BtnMedTrig);
    click(card->SelAsName);
    EXPECT_EQ(card->PersonKey(), ann);
    EXPECT_EQ(card->kind(), reports::ReportKind::MonthlyAdditional);
    EXPECT_EQ(card->report().person.best, 400);
    EXPECT_EQ(card->NavData->picture(), expectedView());
}

TEST_F(ReportCard, HelpNamesTheMonthlyReportOnShow) {
    open(personWithReadings("Ann"));
    show();
    QSignalSpy help(card.get(), &TAsRep::helpRequested);
    click(card->BtnTable);
    click(card->BtnHelp);
    click(card->BtnMedTrig);
    click(card->BtnHelp);
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help[0][0].toString(), "MonthlyBasicReport");
    EXPECT_EQ(help[1][0].toString(), "MonthlyAdditionalReport");
}

TEST_F(ReportCard, TheWindowKeepsItsSmallestSize) {
    open(personWithReadings("Ann"));
    show();
    resize(500, 440);
    EXPECT_EQ(card->size(), QSize(560, 430));
    resize(600, 460);
    EXPECT_EQ(card->size(), QSize(600, 460));
    resize(700, 449);
    EXPECT_EQ(card->size(), QSize(700, 430));  // below 450 it drops to 430
    EXPECT_EQ(card->NavData->picture(), expectedView());  // repainted at the new size
}

TEST_F(ReportCard, ScrollButtons) {
    open(personWithReadings("Ann"));
    show();
    resize(560, 430);
    const reports::Viewport start = card->viewport();
    const QSize view = card->NavData->size();
    ASSERT_LT(view.width(), start.PictureWidth);
    click(card->BtnDown);
    EXPECT_EQ(card->viewport().ScrollY, start.StepY);
    click(card->BtnDown);
    click(card->BtnUp);
    EXPECT_EQ(card->viewport().ScrollY, start.StepY);
    click(card->BtnRight);
    EXPECT_EQ(card->viewport().ScrollX, std::min(start.StepX, start.PictureWidth - view.width()));
    click(card->BtnFRght);
    EXPECT_EQ(card->viewport().ScrollX, start.PictureWidth - view.width());
    click(card->BtnFLeft);
    EXPECT_EQ(card->viewport().ScrollX, 0);
    click(card->BtnFDown);
    const int bottom = (start.PictureHeight - view.height()) / start.StepY * start.StepY;
    EXPECT_EQ(card->viewport().ScrollY, bottom);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    click(card->BtnFUp);
    EXPECT_EQ(card->viewport().ScrollY, 0);
}

TEST_F(ReportCard, GoToEndOfANarrowPictureStaysAtTheBeginning) {
    open(personWithReadings("Ann"), "Ann", {false, QRect(0, 0, 1000, 600)});
    show();
    ASSERT_GT(card->NavData->width(), card->viewport().PictureWidth);
    click(card->BtnFRght);
    EXPECT_EQ(card->viewport().ScrollX, 0);
    click(card->BtnRight);
    EXPECT_EQ(card->viewport().ScrollX, 0);
}

TEST_F(ReportCard, TheGraphStripIsHiddenAndShown) {
    open(personWithReadings("Ann"));
    show();
    const QImage withStrip = card->NavData->picture();
    click(card->BtnMed);
    EXPECT_EQ(card->viewport().GraphShown, 0);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_NE(card->NavData->picture(), withStrip);
    click(card->BtnMed);
    EXPECT_EQ(card->NavData->picture(), withStrip);
}

TEST_F(ReportCard, WheelAndKeysScrollThroughTheSameCommands) {
    open(personWithReadings("Ann"));
    show();
    resize(560, 430);
    const int step = card->viewport().StepY;
    QTest::keyClick(card->NavData, Qt::Key_Down);
    EXPECT_EQ(card->viewport().ScrollY, step);
    QTest::keyClick(card->NavData, Qt::Key_End);
    EXPECT_EQ(card->viewport().ScrollX, card->viewport().PictureWidth - card->NavData->width());
    QTest::keyClick(card->NavData, Qt::Key_Home);
    EXPECT_EQ(card->viewport().ScrollX, 0);
    QTest::keyClick(card->NavData, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(card->viewport().ScrollY, 0);
    const QPoint centre = card->NavData->rect().center();
    QWheelEvent down(centre, card->NavData->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(card->NavData, &down);
    QCoreApplication::sendEvent(card->NavData, &down);
    EXPECT_EQ(card->viewport().ScrollY, 2 * step);
    QWheelEvent sideways(centre, card->NavData->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::ShiftModifier,
                         Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(card->NavData, &sideways);
    EXPECT_EQ(card->viewport().ScrollX, card->viewport().StepX);
}

TEST_F(ReportCard, WithoutDataTheButtonsDoNothing) {
    const QString p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-100), 400, 400);
    open(p);
    show();
    EXPECT_FALSE(card->ReportAvailable());
    EXPECT_EQ(card->info(), " Cannot Produce Report as there is no Data for Period Starting 28 Oct 2026 to 8 Dec 2026");
    EXPECT_EQ(card->NavData->picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    EXPECT_TRUE(card->BtnMed->isHidden());
    QSignalSpy saves(card.get(), &TAsRep::savePictureRequested);
    for (QWidget* b : {card->BtnDown, card->BtnRight, card->BtnFDown, card->BtnFRght, card->BtnMed}) click(b);
    EXPECT_EQ(card->viewport().ScrollX + card->viewport().ScrollY + card->viewport().GraphShown, 0);
    EXPECT_EQ(card->NavData->picture(), controls::pictures::splash(controls::pictures::kSplashSize));
    click(card->BtnJpeg);
    EXPECT_EQ(card->info(), " You must have a report selected before using this option!");
    EXPECT_EQ(saves.count(), 0);
}

TEST_F(ReportCard, SavingAReportAsksTheProgramForTheSaveWindow) {
    open(personWithReadings("Ann"));
    show();
    QSignalSpy saves(card.get(), &TAsRep::savePictureRequested);
    click(card->BtnJpeg);
    ASSERT_EQ(saves.count(), 1);
    EXPECT_EQ(saves[0][0].toPoint(), card->BtnReport->mapToGlobal(QPoint(0, 0)));
}

TEST_F(ReportCard, ANewReportDateTakesEffectWithTheNextReport) {
    const QString p = personWithReadings("Ann");
    open(p);
    show();
    const QString before = card->info();
    card->RepDate->setDate(D.addDays(-100));
    EXPECT_EQ(card->info(), before);
    click(card->BtnReport);
    EXPECT_EQ(card->info(), " Cannot Produce Report as there is no Data for Period Starting 20 Jul 2026 to 30 Aug 2026");
}

TEST_F(ReportCard, TheBannerWithOnePersonRerunsTheReportForThem) {
    const QString p = personWithReadings("Ann");
    open(p);
    show();
    QSignalSpy chosen(card.get(), &TAsRep::personChosen);
    card->NavData->setPicture({});
    click(card->SelAsName);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].value<store::PersonRef>().id, p);
    EXPECT_EQ(card->PersonKey(), p);
    EXPECT_TRUE(card->ReportAvailable());
    EXPECT_EQ(card->NavData->picture(), expectedView());  // drawn again
}

TEST_F(ReportCard, TheBannerStepsThroughThePersonsInNicknameOrder) {
    const QString cat = personWithReadings("Cat", 600);
    const QString ann = personWithReadings("Ann", 400);
    const QString bob = d.addPerson("Bob");  // no records: the no-data display
    open(bob, "Bob");
    show();
    QSignalSpy chosen(card.get(), &TAsRep::personChosen);
    const std::tuple<QString, QString, int> expected[] = {{cat, "Cat", 600}, {ann, "Ann", 400}, {bob, "Bob", 0}};
    for (const auto& [id, nickname, best] : expected) {
        click(card->SelAsName);
        EXPECT_EQ(card->PersonKey(), id);
        EXPECT_EQ(card->SelAsName->Caption(), nickname);
        EXPECT_EQ(chosen.last()[0].value<store::PersonRef>().nickname, nickname);
        EXPECT_EQ(card->ReportAvailable(), best != 0);
        if (best) {
            EXPECT_EQ(card->report().person.best, best);
        }
    }
    EXPECT_EQ(chosen.count(), 3);
}

TEST_F(ReportCard, HelpFollowsTheReportOnShow) {
    const QString none = d.addPerson("Ann");
    open(none);
    show();
    QSignalSpy help(card.get(), &TAsRep::helpRequested);
    click(card->BtnHelp);
    const QString with = personWithReadings("Bob");
    open(with, "Bob");
    show();
    QSignalSpy help2(card.get(), &TAsRep::helpRequested);
    click(card->BtnHelp);
    ASSERT_EQ(help.count(), 1);
    ASSERT_EQ(help2.count(), 1);
    EXPECT_EQ(help[0][0].toString(), "PulmoraReportCard");
    EXPECT_EQ(help2[0][0].toString(), "WeeklyComparisonReport");
    for (const QString& keyword : TAsRep::helpKeywords())
        EXPECT_TRUE(QFile::exists(QString(PULMORA_HELP_DIR) + "/" + keyword + ".html")) << keyword.toStdString();
}

TEST_F(ReportCard, APlacementIsRestoredAndHandedBack) {
    open(personWithReadings("Ann"), "Ann", {false, QRect(40, 30, 700, 500)});
    show();
    EXPECT_FALSE(card->isMaximized());
    EXPECT_EQ(card->pos(), QPoint(40, 30));
    EXPECT_EQ(card->size(), QSize(700, 500));
    resize(650, 480);
    QSignalSpy closed(card.get(), &TAsRep::closed);
    card->close();
    ASSERT_EQ(closed.count(), 1);
    const auto placement = closed[0][0].value<reports::ReportPlacement>();
    EXPECT_FALSE(placement.maximised);
    EXPECT_EQ(placement.geometry, QRect(40, 30, 650, 480));
    EXPECT_TRUE(card->NavData->picture().isNull());  // the picture goes with the window
}

TEST_F(ReportCard, AMaximisedCardOpensMaximised) {
    open(personWithReadings("Ann"), "Ann", {true, {}});
    show();
    EXPECT_TRUE(card->isMaximized());
    QSignalSpy closed(card.get(), &TAsRep::closed);
    card->close();
    ASSERT_EQ(closed.count(), 1);
    EXPECT_TRUE(closed[0][0].value<reports::ReportPlacement>().maximised);
}

// The placement goes into pulmora.ini when the card closes and comes back from it next time.
TEST_F(ReportCard, ThePlacementIsKeptInTheSettingsFile) {
    const QString p = personWithReadings("Ann");
    const QString ini = QDir(d.path()).filePath("pulmora.ini");
    app::IniRecord settings = app::IniRecord::defaults(d.path());
    EXPECT_TRUE(settings.reportMaximised());
    open(p, "Ann", {false, QRect(60, 50, 640, 470)});
    show();
    QObject::connect(card.get(), &TAsRep::closed, [&](const reports::ReportPlacement& placement) {
        settings.setReportMaximised(placement.maximised);
        settings.setReportGeometry(placement.geometry);
    });
    card->close();
    ASSERT_TRUE(settings.write(ini));

    const std::optional<app::IniRecord> read = app::IniRecord::read(ini);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->reportMaximised());
    open(p, "Ann", {read->reportMaximised(), read->reportGeometry()});
    show();
    EXPECT_EQ(card->pos(), QPoint(60, 50));
    EXPECT_EQ(card->size(), QSize(640, 470));
}

TEST_F(ReportCard, AStoredPlacementOffEveryScreenComesBackOnScreen) {
    open(personWithReadings("Ann"), "Ann", {false, QRect(-5000, -5000, 640, 470)});
    show();
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(card->pos()));
    EXPECT_EQ(card->size(), QSize(640, 470));
}

}  // namespace
}  // namespace pulmora::test
