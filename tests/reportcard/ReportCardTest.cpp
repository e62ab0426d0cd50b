#include "app/IniRecord.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "graphs/GraphChart.h"
#include "graphs/GraphOutput.h"
#include "output/PdfTools.h"
#include "pages/ReportPage.h"
#include "pictures/Pictures.h"
#include "reportcard/GraphPage.h"
#include "reportcard/ReportView.h"
#include "reportcard/TAsRep.h"
#include "savewindow/TAsJpeg.h"
#include "stats/ReportDiary.h"
#include "support/FileSystems.h"

#include <QApplication>
#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPieSeries>
#include <QPrinter>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

namespace pulmora::test {
namespace {

using reports::TAsRep;

const QDate D{2026, 12, 8};
const reports::ReportPlacement kNormal{false, QRect(40, 30, 637, 432)};

// The person a personChosen signal carried, as the spy kept it (a person has no empty value, so
// QVariant::value cannot make one).
const store::PersonRef& chosenPerson(const QList<QVariant>& arguments) {
    EXPECT_EQ(arguments.at(0).metaType(), QMetaType::fromType<store::PersonRef>());
    return *static_cast<const store::PersonRef*>(arguments.at(0).constData());
}

class ReportCard : public ::testing::Test {
protected:
    void open(const store::PersonId& person, const QString& caption = "Ann",
              const reports::ReportPlacement& placement = kNormal) {
        card = std::make_unique<TAsRep>(d.diary);
        card->Open({person, caption}, D, placement);
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
        return reports::PaintViewport(card->report().picture(), card->viewport(), card->NavData->size());
    }
    // A person with readings in every week, so the report scrolls both ways in a small window.
    store::PersonId personWithReadings(const QString& nickname, int best = 500) {
        const store::PersonId p = d.addPerson(nickname, best);
        for (int i = 0; i < 42; i += 3) d.addReadings(p, D.addDays(-i), best - 100, best - 80);
        return p;
    }

    ReportDiary d;
    std::unique_ptr<TAsRep> card;
};

TEST_F(ReportCard, OpenPreparesAnEmptyCard) {
    const store::PersonId p = personWithReadings("Ann");
    open(p, "Ann");
    EXPECT_EQ(card->windowTitle(), "Pulmora Report Card");
    EXPECT_EQ(card->PersonKey(), p);
    EXPECT_EQ(card->TabPage->currentWidget(), card->TabCombined);
    EXPECT_EQ(card->RepDate->date(), D);
    EXPECT_EQ(card->RepDate->displayFormat(), "dd/MMM/yyyy");
    EXPECT_EQ(card->RepDate->text(), "08/Dec/2026");
    EXPECT_EQ(card->SelAsName->Caption(), "Ann");
    EXPECT_FALSE(card->ReportAvailable());
    EXPECT_EQ(card->kind(), reports::ReportKind::Weekly);
    EXPECT_TRUE(card->NavData->picture().isNull());
    EXPECT_EQ(card->info(), " Welcome to the Pulmora Reporter");
    // One graph button: none for the general graphs.
    for (const QWidget* button : card->findChildren<controls::TDaButton*>())
        EXPECT_NE(button->toolTip(), "General Analysis Graphs");
    EXPECT_TRUE(card->BtnMed->isHidden());
    // Printing and saving answer from the start.
    for (QWidget* report : {card->BtnTable, card->BtnMedTrig, card->BtnReport, card->BtnPeakFlow})
        EXPECT_TRUE(report->isEnabled());
    EXPECT_TRUE(card->BtnPrintRep->isEnabled());
    EXPECT_TRUE(card->BtnJpeg->isEnabled());
}

// The navy glyphs stay visible on the card's navy frame: the frame's buttons have a face.
TEST_F(ReportCard, TheButtonsOnTheNavyFrameShowTheirFace) {
    open(personWithReadings("Ann"));
    show();
    const QImage shown = card->grab().toImage();
    for (QWidget* b : {card->BtnTable, card->BtnMedTrig, card->BtnReport, card->BtnPeakFlow, card->BtnPrintRep,
                       card->BtnJpeg, card->BtnPlan, card->BtnHelp})
        EXPECT_EQ(shown.pixelColor(b->geometry().topLeft() + QPoint(2, 2)), b->palette().color(QPalette::Button))
            << b->toolTip().toStdString();
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
    const store::PersonId p = personWithReadings("Ann");
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
    ASSERT_EQ(std::get<reports::MonthlyAdditionalFigures>(card->report().figures).medications.size(), 1u);
    EXPECT_EQ(card->NavData->picture(), expectedView());
    EXPECT_TRUE(card->BtnMed->isHidden());
    click(card->BtnReport);
    EXPECT_EQ(card->kind(), reports::ReportKind::Weekly);
}

TEST_F(ReportCard, AMonthlyReportWithoutDataStillBecomesTheReportOnShow) {
    const store::PersonId p = d.addPerson("Ann");
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
TEST_F(ReportCard, TheBannerRerunsTheMonthlyReportsAndTheSummaryForTheNextPerson) {
    const store::PersonId ann = personWithReadings("Ann", 400);
    const store::PersonId bob = personWithReadings("Bob", 600);
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
    click(card->BtnSummary);
    click(card->SelAsName);
    EXPECT_EQ(card->PersonKey(), bob);
    EXPECT_EQ(card->kind(), reports::ReportKind::ControlSummary);
    EXPECT_EQ(card->report().person.best, 600);
}

TEST_F(ReportCard, HelpNamesTheMonthlyReportOrTheSummaryOnShow) {
    open(personWithReadings("Ann"));
    show();
    QSignalSpy help(card.get(), &TAsRep::helpRequested);
    click(card->BtnTable);
    click(card->BtnHelp);
    click(card->BtnMedTrig);
    click(card->BtnHelp);
    click(card->BtnSummary);
    click(card->BtnHelp);
    ASSERT_EQ(help.count(), 3);
    EXPECT_EQ(help[0][0].toString(), "MonthlyBasicReport");
    EXPECT_EQ(help[1][0].toString(), "MonthlyAdditionalReport");
    EXPECT_EQ(help[2][0].toString(), "ControlSummary");
}

TEST_F(ReportCard, TheWindowKeepsItsSmallestSize) {
    open(personWithReadings("Ann"));
    show();
    resize(500, 440);
    EXPECT_EQ(card->size(), QSize(560, 430));
    resize(600, 460);
    EXPECT_EQ(card->size(), QSize(600, 460));
    resize(700, 449);
    EXPECT_EQ(card->size(), QSize(700, 430));             // below 450 it drops to 430
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
    EXPECT_EQ(card->viewport().ScrollY, start.PictureHeight - view.height());  // the footer in sight
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
    const store::PersonId p = d.addPerson("Ann");
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
    const store::PersonId p = personWithReadings("Ann");
    open(p);
    show();
    const QString before = card->info();
    card->RepDate->setDate(D.addDays(-100));
    EXPECT_EQ(card->info(), before);
    click(card->BtnReport);
    EXPECT_EQ(card->info(),
              " Cannot Produce Report as there is no Data for Period Starting 20 Jul 2026 to 30 Aug 2026");
}

TEST_F(ReportCard, TheBannerWithOnePersonRerunsTheReportForThem) {
    const store::PersonId p = personWithReadings("Ann");
    open(p);
    show();
    QSignalSpy chosen(card.get(), &TAsRep::personChosen);
    card->NavData->setPicture({});
    click(card->SelAsName);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosenPerson(chosen[0]).id, p);
    EXPECT_EQ(card->PersonKey(), p);
    EXPECT_TRUE(card->ReportAvailable());
    EXPECT_EQ(card->NavData->picture(), expectedView());  // drawn again
}

TEST_F(ReportCard, TheBannerStepsThroughThePersonsInNicknameOrder) {
    const store::PersonId cat = personWithReadings("Cat", 600);
    const store::PersonId ann = personWithReadings("Ann", 400);
    const store::PersonId bob = d.addPerson("Bob");  // no records: the no-data display
    open(bob, "Bob");
    show();
    QSignalSpy chosen(card.get(), &TAsRep::personChosen);
    const std::tuple<store::PersonId, QString, int> expected[] = {
        {cat, "Cat", 600}, {ann, "Ann", 400}, {bob, "Bob", 0}};
    for (const auto& [id, nickname, best] : expected) {
        click(card->SelAsName);
        EXPECT_EQ(card->PersonKey(), id);
        EXPECT_EQ(card->SelAsName->Caption(), nickname);
        EXPECT_EQ(chosenPerson(chosen.last()).nickname, nickname);
        EXPECT_EQ(card->ReportAvailable(), best != 0);
        if (best) {
            EXPECT_EQ(card->report().person.best, best);
        }
    }
    EXPECT_EQ(chosen.count(), 3);
}

TEST_F(ReportCard, HelpFollowsTheReportOnShow) {
    const store::PersonId none = d.addPerson("Ann");
    open(none);
    show();
    QSignalSpy help(card.get(), &TAsRep::helpRequested);
    click(card->BtnHelp);
    const store::PersonId with = personWithReadings("Bob");
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
    const store::PersonId p = personWithReadings("Ann");
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
    ASSERT_TRUE(settings.write(ini).isEmpty());

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

// The save window opened as the program opens it when the card asks: at the position the card
// names, saving the picture the card makes of what is on show.
TEST_F(ReportCard, TheSaveWindowTheProgramOpensSavesTheReportOnShow) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnTable);
    TempFolder out;
    QPoint placed;
    QObject::connect(card.get(), &TAsRep::savePictureRequested, card.get(), [&](const QPoint& position) {
        reports::TAsJpeg window(card.get());
        window.Open([&] { return card->savedPicture(); }, QString::fromStdString(out.path().string()));
        window.move(position);
        placed = window.pos();
        window.show();
        QTest::keyClicks(window.FldFileName, "month");
        window.SaveAsBmp->click();
        window.SaveImage();
    });
    click(card->BtnJpeg);
    EXPECT_EQ(placed, card->BtnReport->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(QImage(QString::fromStdString(out.file("month.bmp"))).convertToFormat(QImage::Format_RGB32),
              card->savedPicture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(ReportCard, ASaveWindowThatCannotBeOpenedIsAnError) {
    open(personWithReadings("Ann"));
    show();
    QObject::connect(card.get(), &TAsRep::savePictureRequested, card.get(), [&] { card->saveWindowNotOpened(); });
    click(card->BtnJpeg);
    EXPECT_EQ(card->info(), "ERROR: Could not open Save Jpeg Card");
}

// ---- the control summary and the visit pack -------------------------------------------------------

TEST_F(ReportCard, TheControlSummaryHasItsButtonAndTheVisitPackGoesWhereTheProgramSays) {
    open(personWithReadings("Ann"));
    show();
    EXPECT_EQ(card->BtnSummary->toolTip(), "Asthma Control Summary");
    click(card->BtnSummary);
    EXPECT_EQ(card->kind(), reports::ReportKind::ControlSummary);
    EXPECT_EQ(card->info(), " Control Summary for Period Starting 11 Nov 2026 to 8 Dec 2026");
    EXPECT_EQ(card->NavData->picture(), expectedView());

    QSignalSpy asked(card.get(), &TAsRep::visitPackRequested);
    click(card->BtnPack);
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked[0][0].toString(), "Ann visit pack 2026-12-08.pdf");
    TempFolder out;
    const QString path = QString::fromStdString(out.file("pack.pdf"));
    card->saveVisitPack(path);
    EXPECT_EQ(card->info(), " Visit Pack Saved as " + path);
    EXPECT_TRUE(card->isEnabled());
    EXPECT_EQ(pdfInfoField(out.file("pack.pdf"), "Pages"), "10");
    EXPECT_EQ(modeOf(out.file("pack.pdf")), 0600);
}

TEST_F(ReportCard, AVisitPackIsWrittenWholeOrNotAtAll) {
    open(d.addPerson("Bea"));
    show();
    QSignalSpy asked(card.get(), &TAsRep::visitPackRequested);
    click(card->BtnPack);
    EXPECT_EQ(asked.count(), 0) << "nothing to save, so nowhere to ask for";
    EXPECT_EQ(card->info(),
              " Cannot Produce Visit Pack as there is no Data for Period Starting 9 Sep 2026 to 8 Dec 2026");

    open(personWithReadings("Ann"));
    show();
    TempFolder out;
    ScratchFileSystem disk(out.path(), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    ASSERT_TRUE(disk.fill());
    const std::vector<std::string> before = namesIn(out.path());
    card->saveVisitPack(QString::fromStdString(out.file("pack.pdf")));
    EXPECT_TRUE(card->info().startsWith("ERROR: Could not write ")) << card->info().toStdString();
    EXPECT_TRUE(card->isEnabled());
    EXPECT_EQ(namesIn(out.path()), before) << "no file left behind";
}

// A message too long for the status bar is cut in the path it names, so why stays in view.
TEST_F(ReportCard, ALongFailureKeepsItsReasonInTheStatusBar) {
    open(personWithReadings("Ann"));
    show();
    TempFolder out;
    const QString path = QString::fromStdString(out.file(std::string(120, 'f') + "/visit pack.pdf"));
    card->saveVisitPack(path);
    const QString whole = "ERROR: Could not write " + path + ": No such file or directory";
    EXPECT_EQ(card->info(), whole);
    const QString shown = card->PanInfo->text();
    EXPECT_NE(shown, whole);
    EXPECT_TRUE(shown.startsWith("ERROR: Could not write ")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("visit pack.pdf: No such file or directory")) << shown.toStdString();
    EXPECT_LE(QFontMetrics(card->PanInfo->font()).horizontalAdvance(shown), card->PanInfo->contentsRect().width());
    EXPECT_EQ(card->PanInfo->toolTip(), whole);
}

// ---- printing ------------------------------------------------------------------------------------

// Answers the print dialog once it is up, as a user would; `asked` tells whether one came.
void answerPrintDialog(bool print, bool* asked = nullptr) {
    QTimer::singleShot(0, [print, asked] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (asked) *asked = dialog != nullptr;
        if (!dialog) return;
        print ? dialog->accept() : dialog->reject();
    });
}

class ReportCardPrinting : public ReportCard {
protected:
    void SetUp() override {
        open(personWithReadings("Ann"));
        show();
        card->RepAsthma().setOutputFileName(QString::fromStdString(pdf));
    }
    TempFolder out;
    const std::string pdf = out.file("printed.pdf");
};

TEST_F(ReportCardPrinting, TheWeeklyReportPrintsInPortraitWithItsHeader) {
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    EXPECT_EQ(card->info(), "Report Sent to Printer");
    EXPECT_TRUE(card->isEnabled());
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "595 x 842 pts (A4)");
    EXPECT_EQ(pdfInfoField(pdf, "Title"), "Pulmora");
    const std::string text = pdfText(pdf, 1);
    for (const char* expected : {"Weekly Comparison Report", ": Smith", ": 31-Jan-1980", "Punch", "Notes"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(ReportCardPrinting, MonthlyReportsPrintInLandscapeAndThePrinterKeepsIt) {
    click(card->BtnTable);
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    EXPECT_EQ(card->info(), "Report Sent to Printer");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");
    EXPECT_NE(pdfText(pdf, 1).find("Monthly Basic Report"), std::string::npos);
    EXPECT_EQ(card->RepAsthma().pageLayout().orientation(), QPageLayout::Landscape);
    std::filesystem::remove(pdf);

    click(card->BtnMedTrig);
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");
    EXPECT_NE(pdfText(pdf, 1).find("Monthly Additional Report"), std::string::npos);
}

// The plan prints through the dialog on a portrait page of its own, whatever the printer kept from
// the monthly report printed before it.
TEST_F(ReportCardPrinting, TheActionPlanPrintsInPortraitAfterALandscapeReport) {
    click(card->BtnTable);
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    std::filesystem::remove(pdf);
    EXPECT_EQ(card->BtnPlan->toolTip(), "Print Asthma Action Plan");
    answerPrintDialog(true);
    click(card->BtnPlan);
    EXPECT_EQ(card->info(), "Asthma Action Plan Sent to Printer");
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "595 x 842 pts (A4)");
    const std::string text = pdfText(pdf, 1);
    for (const char* expected : {"Asthma Action Plan", ": Smith", "Doing well: peak flow above 400 l/min"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

TEST_F(ReportCardPrinting, CancellingTheDialogPrintsNothingAndSaysSo) {
    answerPrintDialog(false);
    click(card->BtnPrintRep);
    EXPECT_EQ(card->info(), " Printing Cancelled - Nothing was Printed");
    EXPECT_TRUE(card->isEnabled());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

// A page that cannot go out (here: the disk is full) is an error, and the card is usable again.
TEST_F(ReportCard, APrintThatFailsSaysWhatFailed) {
    open(personWithReadings("Ann"));
    show();
    TempFolder out;
    ScratchFileSystem disk(out.path(), 64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    ASSERT_TRUE(disk.fill());
    card->RepAsthma().setOutputFileName(QString::fromStdString(out.file("printed.pdf")));
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    EXPECT_TRUE(card->info().startsWith("ERROR: ")) << card->info().toStdString();
    EXPECT_TRUE(card->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(out.file("printed.pdf")));
}

TEST_F(ReportCard, WithoutAReportPrintingAsksForNoPrinter) {
    const store::PersonId p = d.addPerson("Ann");
    open(p);
    show();
    ASSERT_FALSE(card->ReportAvailable());
    const QString before = card->info();
    bool asked = true;
    answerPrintDialog(false, &asked);
    click(card->BtnPrintRep);
    QCoreApplication::processEvents();
    EXPECT_FALSE(asked);
    EXPECT_EQ(card->info(), before);
}

TEST_F(ReportCard, TheSavedPictureIsTheReportUnderItsHeader) {
    const store::PersonId p = d.addPerson("Bea");
    open(p);
    show();
    EXPECT_TRUE(card->savedPicture().isNull());  // no report on show
    open(personWithReadings("Ann"));
    show();
    click(card->BtnTable);
    const QImage saved = card->savedPicture();
    EXPECT_EQ(saved, reports::savedReportPicture(card->report()));
    EXPECT_EQ(saved.height(), card->report().picture().height() + 5 * reports::PageMetrics::measure().LH);
}

// ---- the graph page ----------------------------------------------------------------------------

class GraphPage : public ReportCard {
protected:
    reports::GraphPage* page() const { return card->TabData; }
    reports::GraphChart* chart() const { return page()->Chart; }
    QString title() const {
        return QTextDocumentFragment::fromHtml(chart()->title())
            .toPlainText()
            .replace(QChar(0x00A0), ' ')
            .replace(QChar::LineSeparator, '\n');
    }
    // Chooses the item as a user does, with the arrow keys on the closed list.
    void choose(QComboBox* list, const QString& text) {
        const int wanted = list->findText(text);
        ASSERT_GE(wanted, 0) << text.toStdString();
        list->setFocus();
        if (list->currentIndex() < 0) QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() < wanted) QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > wanted) QTest::keyClick(list, Qt::Key_Up);
    }
    // Readings on the 1st and the 4th of the report month.
    store::PersonId personOnTheFirstAndFourth(const QString& nickname) {
        const store::PersonId p = d.addPerson(nickname, 400, 80, 50);
        d.addReadings(p, QDate(2026, 12, 1), 300, 320);
        d.addReadings(p, QDate(2026, 12, 4), 310, 0);
        return p;
    }
};

// Tab runs along the bar as it reads: the analysis, the period, the date axis.
TEST_F(GraphPage, TheBarIsWalkedFromTheLeft) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnPeakFlow);
    QApplication::setActiveWindow(card.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(card.get()));
    page()->FldOptions->setFocus();
    QTest::keyClick(page()->FldOptions, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page()->FldPeriod);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page()->CheckDate);
}

TEST_F(GraphPage, OpenPreparesTheGraphPage) {
    open(personWithReadings("Ann"));
    EXPECT_EQ(page()->FldPeriod->currentText(), "3 Months");
    EXPECT_EQ(page()->FldOptions->currentIndex(), -1);
    EXPECT_EQ(page()->FldOptions->count(), 7);
    EXPECT_EQ(page()->FldOptions->itemText(6), "Reliever Use vs Percentage Best");
    EXPECT_EQ(page()->FldPeriod->toolTip(), "Period Basis to Report On");
    EXPECT_EQ(page()->CheckDate->text(), "Date Axis");
    EXPECT_EQ(page()->PageAnalysis->currentWidget(), page()->TabAnalGraph);
    EXPECT_EQ(page()->GrdRep->verticalHeader()->defaultSectionSize(), QFontMetrics(card->font()).height() + 4);
    EXPECT_TRUE(page()->BtnShowGraph->isHidden());
    EXPECT_TRUE(page()->BtnShowData->isHidden());
    EXPECT_EQ(chart()->title(), "Pulmora Graph");
}

TEST_F(GraphPage, TheGraphButtonShowsPeakFlowTrend) {
    open(personOnTheFirstAndFourth("Ann"));
    show();
    click(card->BtnPeakFlow);
    EXPECT_EQ(card->TabPage->currentWidget(), card->TabData);
    EXPECT_EQ(page()->FldOptions->currentText(), "Peak Flow Trend");
    EXPECT_EQ(card->kind(), reports::ReportKind::PeakFlowGraph);
    EXPECT_EQ(card->info(), "Graph Analysis Reports");
    EXPECT_TRUE(card->ReportAvailable());
    auto* line = qobject_cast<QLineSeries*>(chart()->cSerA());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->points(), QList<QPointF>({{1, 300}, {2, 320}, {3, 310}}));
    EXPECT_EQ(title(), "Peak Flow Trend Graph for Ann\nfor Period 9 September 2026 to 8 December 2026");
    EXPECT_TRUE(page()->CheckDate->isEnabled());
    EXPECT_TRUE(card->NavData->picture().isNull());  // the text report's picture is gone

    // The working table: newest first, its widths from the samples, the key columns hidden.
    QTableWidget* grid = page()->GrdRep;
    ASSERT_EQ(grid->rowCount(), 2);
    ASSERT_EQ(grid->columnCount(), 10);
    EXPECT_EQ(grid->item(0, 0)->text(), "4/Dec/2026");
    EXPECT_EQ(grid->item(1, 4)->text(), "6");
    EXPECT_EQ(grid->item(0, 6)->text(), "-");
    EXPECT_EQ(grid->horizontalHeaderItem(5)->text(), "Morning % of Best:");
    EXPECT_EQ(grid->columnWidth(0), QFontMetrics(grid->font()).horizontalAdvance("99X99X9999XX"));
    EXPECT_EQ(grid->columnWidth(5), QFontMetrics(grid->font()).horizontalAdvance("MorningxXxofxBest:"));
    for (int c = 7; c <= 9; ++c) EXPECT_TRUE(grid->isColumnHidden(c)) << c;
    EXPECT_EQ(grid->item(0, 7)->text(), "20261204");
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(GraphPage, WithoutAChosenPeriodTheGraphButtonTakesNineMonths) {
    open(personWithReadings("Ann"));
    show();
    page()->FldPeriod->setCurrentIndex(-1);
    click(card->BtnPeakFlow);
    EXPECT_EQ(page()->FldPeriod->currentText(), "9 Months");
    EXPECT_NE(title().indexOf("for Period 13 March 2026 to 8 December 2026"), -1) << title().toStdString();
}

TEST_F(GraphPage, EveryChoiceRedrawsOnThePageItIsOn) {
    open(personOnTheFirstAndFourth("Ann"));
    show();
    click(card->BtnPeakFlow);
    choose(page()->FldOptions, "Percentage Best");
    auto* bars = qobject_cast<QStackedBarSeries*>(chart()->cSerA());
    ASSERT_NE(bars, nullptr);
    EXPECT_TRUE(chart()->isActive(bars));
    EXPECT_EQ(bars->barSets().front()->count(), 4);  // slots 0 .. 3
    click(page()->CheckDate);
    EXPECT_TRUE(page()->CheckDate->isChecked());
    EXPECT_EQ(qobject_cast<QStackedBarSeries*>(chart()->cSerA())->barSets().front()->count(), 6);  // 1, 2 and 5
    EXPECT_NE(title().indexOf("Percentage Best Graph for Ann"), -1);

    choose(page()->FldOptions, "Zone Frequency");
    EXPECT_TRUE(chart()->isActive(chart()->cPieA()));
    EXPECT_FALSE(page()->CheckDate->isEnabled());
    choose(page()->FldOptions, "Percentage Best");
    EXPECT_TRUE(page()->CheckDate->isEnabled());

    choose(page()->FldPeriod, "1 Month");
    EXPECT_NE(title().indexOf("for Period 8 November 2026 to 8 December 2026"), -1) << title().toStdString();
    EXPECT_EQ(card->TabPage->currentWidget(), card->TabData);
    EXPECT_EQ(card->kind(), reports::ReportKind::PeakFlowGraph);

    choose(page()->FldOptions, "Symptom Activity");
    EXPECT_EQ(card->kind(), reports::ReportKind::GeneralGraph);
    EXPECT_EQ(page()->GrdRep->columnCount(), 17);
    EXPECT_FALSE(page()->CheckDate->isEnabled());
}

TEST_F(GraphPage, TheHiddenButtonsSwitchBetweenGraphAndTable) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnPeakFlow);
    card->TrapPeakFlow(page()->BtnShowData);
    EXPECT_EQ(page()->PageAnalysis->currentWidget(), page()->TabAnalData);
    card->TrapPeakFlow(page()->BtnShowGraph);
    EXPECT_EQ(page()->PageAnalysis->currentWidget(), page()->TabAnalGraph);
}

TEST_F(GraphPage, NothingToPlot) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-200), 300, 300);
    open(p);
    show();
    click(card->BtnPeakFlow);
    EXPECT_EQ(card->info(), "There is no information to plot in the Graph?!");
    EXPECT_TRUE(chart()->series().isEmpty());
    EXPECT_EQ(chart()->title(), "Pulmora Graph");
    EXPECT_FALSE(card->ReportAvailable());
    EXPECT_EQ(page()->GrdRep->rowCount(), 1);
    // A graph on show can be saved whatever the period held.
    QSignalSpy saves(card.get(), &TAsRep::savePictureRequested);
    click(card->BtnJpeg);
    EXPECT_EQ(saves.count(), 1);
}

// The banner reruns the graph on show for the next person, the symptom graph as well.
TEST_F(GraphPage, TheBannerRerunsTheGraphForTheNextPerson) {
    const store::PersonId ann = personOnTheFirstAndFourth("Ann");
    const store::PersonId bob = d.addPerson("Bob", 500, 80, 50);
    store::DayValues v;
    v.morning = 450;
    v.coughNight = true;
    d.addDay(bob, D, v);
    open(ann);
    show();
    click(card->BtnPeakFlow);
    click(card->SelAsName);
    EXPECT_EQ(card->PersonKey(), bob);
    EXPECT_EQ(qobject_cast<QLineSeries*>(chart()->cSerA())->points(), QList<QPointF>({{1, 450}}));
    EXPECT_NE(title().indexOf("Graph for Bob"), -1);

    choose(page()->FldOptions, "Symptom Activity");
    ASSERT_EQ(card->kind(), reports::ReportKind::GeneralGraph);
    EXPECT_EQ(page()->GrdRep->rowCount(), 1);
    click(card->SelAsName);
    EXPECT_EQ(card->PersonKey(), ann);
    EXPECT_EQ(card->kind(), reports::ReportKind::GeneralGraph);
    EXPECT_NE(title().indexOf("Symptom Activity Graph for Ann"), -1) << title().toStdString();
    EXPECT_EQ(page()->GrdRep->rowCount(), 2);  // Ann's two days, not Bob's one
    EXPECT_EQ(page()->GrdRep->item(0, 16)->text(), "20261204");
}

TEST_F(GraphPage, HelpFollowsTheAnalysisOnShow) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnPeakFlow);
    QSignalSpy help(card.get(), &TAsRep::helpRequested);
    const std::pair<const char*, const char*> topics[] = {{"Percentage Best", "PercentageBestGraph"},
                                                          {"Peak Flow Trend", "PeakFlowTrend"},
                                                          {"Diurnal Variation", "DiurnalVariationGraph"},
                                                          {"Zone Frequency", "ZoneFrequencyGraph"},
                                                          {"Symptom Activity", "SymptomFrequencyGraph"},
                                                          {"Poor Perceiver Indicator", "PoorPerceiverIndicatorGraph"},
                                                          {"Reliever Use vs Percentage Best", "RelieverUseGraph"}};
    for (const auto& [option, keyword] : topics) {
        choose(page()->FldOptions, option);
        click(card->BtnHelp);
        ASSERT_FALSE(help.isEmpty());
        EXPECT_EQ(help.last()[0].toString(), keyword);
        EXPECT_TRUE(TAsRep::helpKeywords().contains(keyword)) << keyword;
    }
}

TEST_F(GraphPage, ClosingEmptiesTheChart) {
    open(personWithReadings("Ann"));
    show();
    click(card->BtnPeakFlow);
    ASSERT_FALSE(chart()->series().isEmpty());
    card->close();
    EXPECT_TRUE(chart()->series().isEmpty());
    EXPECT_EQ(chart()->cSerB()->count(), 0);
}

// ---- printing and saving a graph ----------------------------------------------------------------

TEST_F(GraphPage, TheGraphPrintsOnALandscapePageOnWhiteWithoutAnyText) {
    open(personOnTheFirstAndFourth("Ann"));
    show();
    click(card->BtnPeakFlow);
    const QString before = card->info();
    TempFolder out;
    const std::string pdf = out.file("graph.pdf");
    card->RepAsthma().setOutputFileName(QString::fromStdString(pdf));
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    EXPECT_EQ(card->info(), before);  // a chart prints without a word
    EXPECT_TRUE(card->isEnabled());
    EXPECT_EQ(pdfInfoField(pdf, "Page size"), "842 x 595 pts (A4)");
    EXPECT_NE(pdfText(pdf, 1).find("Peak Flow Trend Graph for Ann"), std::string::npos) << pdfText(pdf, 1);
    // On white: the chart's corners, where the screen's gradient starts and ends, are as white as
    // the paper, inside the 6 mm margins.
    const QImage page = renderPage(out, pdf, 1, 50);
    ASSERT_FALSE(page.isNull());
    const int margin = int(6 / 25.4 * 50) + 1;
    for (const QPoint corner : {QPoint(margin + 2, margin + 2), QPoint(page.width() - margin - 3, margin + 2),
                                QPoint(margin + 2, page.height() - margin - 3),
                                QPoint(page.width() - margin - 3, page.height() - margin - 3)})
        EXPECT_EQ(qGray(page.pixel(corner)), 255) << corner.x() << "," << corner.y();
}

// In the card's smallest window the legend on screen has little room; the printed chart is laid
// out for the page and keeps every figure of it.
TEST_F(GraphPage, AChartPrintedFromASmallWindowKeepsItsLegendFigures) {
    const store::PersonId p = d.addPerson("Ann", 400, 80, 50);
    for (int i = 0; i < 60; ++i) d.addReadings(p, D.addDays(-i), 300 + i, i % 3 ? 390 : 200);
    open(p);
    show();
    resize(560, 430);
    click(card->BtnPeakFlow);
    choose(page()->FldOptions, "Zone Frequency");
    TempFolder out;
    const std::string pdf = out.file("zones.pdf");
    card->RepAsthma().setOutputFileName(QString::fromStdString(pdf));
    answerPrintDialog(true);
    click(card->BtnPrintRep);
    const std::string text = pdfText(pdf, 1);
    // Best 400, yellow limit 320, red 200: mornings of 300 .. 320 yellow and 321 .. 359 green;
    // evenings of 390 green, of 200 red. 120 readings in all.
    for (const char* legend :
         {"Green Zone (Morn 39 Even 40)", "Yellow Zone (Morn 21 Even 0)", "Red Zone (Morn 0 Even 20)"})
        EXPECT_NE(text.find(legend), std::string::npos) << legend << " in\n" << text;
    for (const char* figures : {"79 66 %", "21 18 %", "20 17 %"})
        EXPECT_NE(QString::fromStdString(text).simplified().indexOf(QString(figures).simplified()), -1)
            << figures << " in\n"
            << text;
}

TEST_F(GraphPage, AGraphWithoutDataStillPrints) {
    const store::PersonId p = d.addPerson("Ann");
    d.addReadings(p, D.addDays(-400), 300, 300);
    open(p);
    show();
    click(card->BtnPeakFlow);
    ASSERT_FALSE(card->ReportAvailable());
    TempFolder out;
    const std::string pdf = out.file("graph.pdf");
    card->RepAsthma().setOutputFileName(QString::fromStdString(pdf));
    bool asked = false;
    answerPrintDialog(true, &asked);
    click(card->BtnPrintRep);
    EXPECT_TRUE(asked);
    EXPECT_EQ(pdfInfoField(pdf, "Pages"), "1");
}

TEST_F(GraphPage, CancellingAGraphsPrintSaysSo) {
    open(personOnTheFirstAndFourth("Ann"));
    show();
    click(card->BtnPeakFlow);
    answerPrintDialog(false);
    click(card->BtnPrintRep);
    EXPECT_EQ(card->info(), " Printing Cancelled - Nothing was Printed");
}

TEST_F(GraphPage, TheSavedGraphIsTheChartOnWhite) {
    open(personOnTheFirstAndFourth("Ann"));
    show();
    click(card->BtnPeakFlow);
    QSignalSpy saves(card.get(), &TAsRep::savePictureRequested);
    click(card->BtnJpeg);
    EXPECT_EQ(saves.count(), 1);
    // Laid out at the picture size, whatever the size of the chart on show.
    const QImage saved = card->savedPicture();
    ASSERT_EQ(saved.size(), reports::kSavedGraphSize);
    EXPECT_NE(chart()->size().toSize(), reports::kSavedGraphSize);
    EXPECT_EQ(saved,
              reports::renderGraph(chart()->plan(), reports::kSavedGraphSize, 1.0, reports::ChartBackground::Plain));
    EXPECT_EQ(saved.pixelColor(2, saved.height() - 3), QColor(Qt::white));
}

}  // namespace
}  // namespace pulmora::test
