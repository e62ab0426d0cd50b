#include "DailyCommands.h"

#include "AdditionalDailyPage.h"
#include "DayCalendar.h"
#include "TAsDet.h"
#include "TAsDly.h"
#include "about/TAsAbo.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "personal/TAsPer.h"
#include "personal/TasTrg.h"
#include "store/Keys.h"

#include <QLocale>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QPushButton>
#include <QTabWidget>

namespace pulmora::daily {
namespace {

const std::pair<const char*, const char*> kCaseStudies[] = {
    {"Helping Your Doctor to Assess You", "HelpingTheDoctorAssessYou"},
    {"Decreasing Medication Safely", "DecreasingMedicationSafely"},
    {"Following an Asthma Attack", "FollowingAnAsthmaAttack"},
    {"Preventing an Asthma Attack", "PreventingAnAsthmaAttack"},
    {"Identifying Your Triggers", "IdentifyingYourTriggers"},
    {"Increasing Your Medication Safely", "IncreasingYourAsthmaMedication"},
    {"Starting a New Medication", "StartingANewMedication"},
    {"As Part of Your Self Management Plan", "AsPartOfYourSelfManagementPlan"},
    {"Are You a Poor Perceiver?", "AreYouAPoorPerceiver"}};

// A window placed with its right edge at `topRight`, in screen coordinates, kept on the screen.
void placeLeftOf(QWidget& window, const QPoint& topRight) {
    window.adjustSize();
    QPoint corner(topRight.x() - window.width(), topRight.y());
    if (const QScreen* screen = QGuiApplication::screenAt(topRight)) {
        const QRect area = screen->availableGeometry();
        corner.setX(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() - window.width())));
        corner.setY(std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() - window.height())));
    }
    window.move(corner);
}

}  // namespace

DailyCommands::DailyCommands(TAsDly& card, store::Diary& diary) : QObject(&card), card_(card), diary_(diary) {
    buildMenu();
}

QStringList DailyCommands::helpKeywords() {
    QStringList keywords = {"BasicDailyCard", "AdditionalDailyCard"};
    for (const auto& [caption, keyword] : kCaseStudies) keywords << keyword;
    return keywords;
}

void DailyCommands::buildMenu() {
    AsMenu = new QMenu(&card_);
    auto item = [this](QMenu* menu, const QString& caption, bool internal = false) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, [this, action, internal] {
            internal ? InternalActions(action) : TrapBtns(action);
        });
        return action;
    };
    MnNew = item(AsMenu, "Create New User");
    AsMenu->addSeparator();
    MnTriggers = item(AsMenu, "Maintain Trigger List", true);
    QMenu* maintenance = AsMenu->addMenu("Maintenance");
    MnDelDly = item(maintenance, "Remove Todays Record");
    MnDelPer = item(maintenance, "Delete Person Permanently");
    AsMenu->addSeparator();
    MnExport = item(AsMenu, "Export Diary to CSV...");
    MnRestore = item(AsMenu, "Restore from Backup...");
    AsMenu->addSeparator();
    MnHelp = item(AsMenu, "Help");
    QMenu* studies = AsMenu->addMenu("Case Studies");
    for (const auto& [caption, keyword] : kCaseStudies) caseStudies << item(studies, caption);
    AsMenu->addSeparator();
    MnAbout = item(AsMenu, "About && Support");
}

void DailyCommands::TrapBtns(QObject* sender) {
    DayCalendar* cal = card_.Cal;
    if (sender == card_.PanDate) cal->goToday();
    if (sender == card_.BackMonth) cal->stepMonths(-1);
    if (sender == card_.BackYear) cal->stepYears(-1);
    if (sender == card_.ForwardMonth) cal->stepMonths(1);
    if (sender == card_.ForwardYear) cal->stepYears(1);
    if (sender == card_.BtnCancel) card_.cancelChanges();
    if (sender == MnAbout) showAbout();
    if (sender == card_.BtnHelp || sender == MnHelp || caseStudies.contains(sender)) help(sender);
    if (sender == MnDelDly || sender == MnDelPer) deletion(sender == MnDelPer);
    const bool person = card_.CurrentPerson() != store::keys::kNoPerson;
    if (person && card_.RecChanged()) card_.RecUpdate();
    if (sender == card_.BtnPer) openPersonalCard(false);
    if (sender == card_.SelAsName) nextPerson();
    if (sender == MnNew) openPersonalCard(true);
    if (sender == MnExport) exportDiary();
    if (sender == MnRestore) emit card_.restoreRequested();
    if (sender == card_.BtnMenu) {
        const QPoint corner(card_.BtnPer->x(), card_.BtnPer->geometry().bottom() + 2);
        AsMenu->popup(card_.mapToGlobal(corner));
    }
    card_.showPendingButtons(card_.RecChanged());
}

void DailyCommands::InternalActions(QObject* sender) {
    const bool addTrigger = sender == card_.Additional->BtnAddTrg;
    if (sender != MnTriggers && !addTrigger) return;
    if (card_.CurrentPerson() == store::keys::kNoPerson) {
        if (addTrigger) openPersonalCard(true);  // as any entry without a person does
        return;
    }
    personal::TasTrg window(diary_, &card_);
    window.SetList(card_.CurrentPerson(), addTrigger ? QLatin1Char('D') : QLatin1Char('M'));
    placeLeftOf(window, card_.mapToGlobal(card_.BtnMenu->geometry().topLeft()));
    window.exec();
    if (!addTrigger || !window.Confirmed()) return;
    for (const QString& name : window.highlighted()) card_.Additional->TickTrigger(name);
    card_.markChanged();
}

void DailyCommands::openPersonalCard(bool newPerson) {
    if (card_.CurrentPerson() != store::keys::kNoPerson && card_.RecChanged()) card_.RecUpdate();
    personal::TAsPer window(diary_, &card_);
    connect(&window, &personal::TAsPer::helpRequested, &card_, &TAsDly::helpRequested);
    placeLeftOf(window, card_.mapToGlobal(card_.BtnPer->geometry().topRight()));
    window.SetUser(newPerson ? store::keys::kNoPerson : card_.CurrentPerson());
    window.setHeader(newPerson ? QStringLiteral("New Personal Card")
                               : "Retrieved " + card_.SelAsName->Caption() + " Personal Card");
    if (window.exec() != QDialog::Accepted) return;
    card_.selectPerson(window.saved());
    card_.CalDateChange();
}

void DailyCommands::help(QObject* sender) {
    for (int i = 0; i < caseStudies.size(); ++i)
        if (sender == caseStudies[i]) emit card_.helpRequested(kCaseStudies[i].second);
    if (sender == MnHelp) emit card_.helpRequested(QString());
    if (sender == card_.BtnHelp)
        emit card_.helpRequested(card_.Tabs->currentIndex() == 0 ? "BasicDailyCard" : "AdditionalDailyCard");
}

void DailyCommands::deletion(bool person) {
    if (card_.CurrentPerson() == store::keys::kNoPerson) {
        card_.setInfo("There is nothing to delete?");
        return;
    }
    TAsDet window(&card_);
    const QString name = card_.SelAsName->Caption();
    if (person)
        window.MesDelPer(name);
    else
        window.MesDelDly(QLocale(QLocale::English).toString(card_.Cal->selectedDate(), "d-MMMM-yyyy"), name);
    placeLeftOf(window, card_.mapToGlobal(card_.BtnPer->geometry().topRight()));
    window.exec();
    if (!window.DeleteConfirmed()) return;
    if (!person) {
        if (const auto r = diary_.days.DelDly(card_.CurrentPerson(), card_.CurrentDate()); !r) {
            card_.setInfo("ERROR: " + r.error());
            return;
        }
        // Load the day again in full, so nothing of the deleted day is left to be saved.
        card_.forgetChanges();
        card_.CalDateChange();
        return;
    }
    if (const auto r = diary_.persons.DelPer(card_.CurrentPerson()); !r) {
        card_.setInfo("ERROR: " + r.error());
        return;
    }
    card_.forgetChanges();
    card_.selectPerson(std::nullopt);
    emit card_.restartRequested();
}

void DailyCommands::nextPerson() {
    card_.selectPerson(diary_.persons.GetPerDly(store::Persons::Step::Next, card_.CurrentPerson()));
    card_.CalDateChange();
}

void DailyCommands::exportDiary() {
    if (card_.CurrentPerson() == store::keys::kNoPerson) {
        card_.setInfo("There is no diary to export?");
        return;
    }
    emit card_.exportRequested(card_.CurrentPerson(), card_.SelAsName->Caption());
}

void DailyCommands::showAbout() {
    about::TAsAbo window(&card_);
    window.move(card_.Cal->mapToGlobal(QPoint(-1, -1)));
    window.DisplayAbout(diary_.files.folder());
    window.exec();
}

}  // namespace pulmora::daily
