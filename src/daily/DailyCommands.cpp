#include "DailyCommands.h"

#include "AdditionalDailyPage.h"
#include "DailyWindows.h"
#include "DayCalendar.h"
#include "TAsDly.h"
#include "controls/TDaButton.h"
#include "controls/TDaPanel.h"
#include "store/Keys.h"

#include <QLocale>
#include <QMenu>
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

const QString kNoTriggerList = QStringLiteral("ERROR: Could not open Trigger List");

// The screen point of a button's top left or top right corner, where the windows opened beside it go.
QPoint topLeftOf(const QWidget* button) { return button->mapToGlobal(QPoint(0, 0)); }
QPoint topRightOf(const QWidget* button) { return button->mapToGlobal(QPoint(button->width(), 0)); }

}  // namespace

DailyCommands::DailyCommands(TAsDly& card, store::Diary& diary, DailyWindows& windows)
    : QObject(&card), card_(card), diary_(diary), windows_(windows) {
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
    if (sender == card_.BtnRep) openReportCard();
    if (sender == card_.BtnSheet) openSheet();
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
    const QPoint beside = topLeftOf(card_.BtnMenu);
    if (!addTrigger) {
        if (!windows_.maintainTriggers(card_, card_.CurrentPerson(), beside)) card_.setInfo(kNoTriggerList);
        return;
    }
    const auto picked = windows_.pickTriggersForDay(card_, card_.CurrentPerson(), beside);
    if (!picked.opened) card_.setInfo(kNoTriggerList);
    if (!picked.choice) return;
    for (const QString& name : *picked.choice) card_.Additional->TickTrigger(name);
    card_.markChanged();
}

void DailyCommands::openReportCard() {
    if (card_.CurrentPerson() == store::keys::kNoPerson) {
        card_.setInfo("There are no asthmatic data to assess?");
        return;
    }
    const auto shown = windows_.reportCard(card_, card_.CurrentPerson(), card_.SelAsName->Caption());
    if (!shown.opened) card_.setInfo("ERROR: Could not open Report Card");
    if (!shown.choice) return;
    card_.selectPerson(*shown.choice);
    card_.CalDateChange();
}

void DailyCommands::openPersonalCard(bool newPerson) {
    if (card_.CurrentPerson() != store::keys::kNoPerson && card_.RecChanged()) card_.RecUpdate();
    const auto saved = windows_.personalCard(
        card_, newPerson ? store::keys::kNoPerson : card_.CurrentPerson(),
        newPerson ? QStringLiteral("New Personal Card") : "Retrieved " + card_.SelAsName->Caption() + " Personal Card",
        topRightOf(card_.BtnPer));
    if (!saved.opened) card_.setInfo("ERROR: Could not open Personal Card");
    if (!saved.choice) return;
    card_.selectPerson(*saved.choice);
    card_.CalDateChange();
}

void DailyCommands::openSheet() {
    if (!windows_.recordSheet(card_, card_.SelAsName->Caption(), topRightOf(card_.BtnSheet)))
        card_.setInfo("ERROR: Could not open Manual Sheet");
}

void DailyCommands::help(QObject* sender) {
    for (int i = 0; i < caseStudies.size(); ++i)
        if (sender == caseStudies[i]) windows_.showHelp(kCaseStudies[i].second);
    if (sender == MnHelp) windows_.showHelp(QString());
    if (sender == card_.BtnHelp)
        windows_.showHelp(card_.Tabs->currentIndex() == 0 ? "BasicDailyCard" : "AdditionalDailyCard");
}

void DailyCommands::deletion(bool person) {
    if (card_.CurrentPerson() == store::keys::kNoPerson) {
        card_.setInfo("There is nothing to delete?");
        return;
    }
    Deletion asked;
    asked.of = person ? Deletion::Of::Person : Deletion::Of::Day;
    asked.date = QLocale(QLocale::English).toString(card_.Cal->selectedDate(), "d-MMMM-yyyy");
    asked.name = card_.SelAsName->Caption();
    const auto confirmed = windows_.confirmDeletion(card_, asked, topRightOf(card_.BtnPer));
    if (!confirmed.opened) card_.setInfo("ERROR: Could not open Delete Confirmation");
    if (!confirmed.choice) return;
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
    if (!windows_.about(card_, card_.Cal->mapToGlobal(QPoint(-1, -1)))) card_.setInfo("ERROR: Could not open About Card");
}

}  // namespace pulmora::daily
