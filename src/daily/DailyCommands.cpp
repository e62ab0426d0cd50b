#include "DailyCommands.h"

#include "DailyWindows.h"
#include "TAsDly.h"
#include "store/Clock.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

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

using Command = DailyCommands::Command;
using Anchor = TAsDly::Anchor;

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
    AsMenu->setObjectName("AsMenu");
    auto item = [this](QMenu* menu, const QString& caption, const char* name, auto run) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, run);
    };
    auto command = [this](Command c) { return [this, c] { TrapBtns(c); }; };
    item(AsMenu, "Create New User", "MnNew", command(Command::NewPerson));
    AsMenu->addSeparator();
    item(AsMenu, "Maintain Trigger List", "MnTriggers", [this] { InternalActions(Command::MaintainTriggers); });
    QMenu* maintenance = AsMenu->addMenu("Maintenance");
    item(maintenance, "Remove Todays Record", "MnDelDly", command(Command::RemoveDay));
    item(maintenance, "Delete Person Permanently", "MnDelPer", command(Command::DeletePerson));
    AsMenu->addSeparator();
    item(AsMenu, "Export Diary to CSV...", "MnExport", command(Command::Export));
    item(AsMenu, "Restore from Backup...", "MnRestore", command(Command::Restore));
    AsMenu->addSeparator();
    item(AsMenu, "Help", "MnHelp", [this] { help(QString()); });
    QMenu* studies = AsMenu->addMenu("Case Studies");
    // Each case study is named by its help topic.
    for (const auto& [caption, keyword] : kCaseStudies)
        item(studies, caption, keyword, [this, topic = QString(keyword)] { help(topic); });
    AsMenu->addSeparator();
    item(AsMenu, "About && Support", "MnAbout", command(Command::About));
}

void DailyCommands::TrapBtns(Command command) {
    const QDate shown = card_.selectedDate();
    switch (command) {
    case Command::Today: card_.showDate(store::clock::today()); break;
    // A month or year step keeps the day of the month, shortened to the target month's last day.
    case Command::BackMonth: card_.showDate(shown.addMonths(-1)); break;
    case Command::BackYear: card_.showDate(shown.addYears(-1)); break;
    case Command::ForwardMonth: card_.showDate(shown.addMonths(1)); break;
    case Command::ForwardYear: card_.showDate(shown.addYears(1)); break;
    case Command::CancelChanges: card_.cancelChanges(); break;
    case Command::About: showAbout(); break;
    case Command::RemoveDay: deletion(false); break;
    case Command::DeletePerson: deletion(true); break;
    default: break;
    }
    if (savePendingDay()) {
        switch (command) {
        case Command::PersonalCard: openPersonalCard(false); break;
        case Command::ReportCard: openReportCard(); break;
        case Command::RecordSheet: openSheet(); break;
        case Command::NextPerson: nextPerson(); break;
        case Command::NewPerson: openPersonalCard(true); break;
        case Command::Export: exportDiary(); break;
        case Command::Restore: emit card_.restoreRequested(); break;
        case Command::Menu: AsMenu->popup(card_.anchor(Anchor::Menu)); break;
        default: break;
        }
    }
    card_.showPendingButtons(card_.RecChanged());
}

bool DailyCommands::savePendingDay() {
    if (!card_.CurrentPerson() || !card_.RecChanged()) return true;
    return card_.RecUpdate();
}

void DailyCommands::InternalActions(Command command) {
    const bool addTrigger = command == Command::AddTrigger;
    if (command != Command::MaintainTriggers && !addTrigger) return;
    if (!card_.CurrentPerson()) {
        if (addTrigger) openPersonalCard(true);  // as any entry without a person does
        return;
    }
    const QPoint beside = card_.anchor(Anchor::MenuButton);
    if (!addTrigger) {
        if (!windows_.maintainTriggers(card_, beside)) card_.setInfo(kNoTriggerList);
        return;
    }
    const auto picked = windows_.pickTriggersForDay(card_, beside);
    if (!picked.opened) card_.setInfo(kNoTriggerList);
    if (!picked.choice) return;
    card_.tickTriggers(*picked.choice);
}

void DailyCommands::help(const QString& topic) {
    windows_.showHelp(topic);
    // Help is open whatever becomes of the day: nothing follows the save that could meet a day
    // left unwritten, whose reason the info line then shows.
    savePendingDay();
    card_.showPendingButtons(card_.RecChanged());
}

void DailyCommands::openReportCard() {
    if (!card_.selectedPerson()) {
        card_.setInfo("There are no asthmatic data to assess?");
        return;
    }
    const auto shown = windows_.reportCard(card_, *card_.selectedPerson());
    if (!shown.opened) card_.setInfo("ERROR: Could not open Report Card");
    if (!shown.choice) return;
    card_.selectPerson(*shown.choice);
    card_.CalDateChange();
}

void DailyCommands::openPersonalCard(bool newPerson) {
    if (!savePendingDay()) return;
    const auto& shown = card_.selectedPerson();
    const QString header = newPerson ? QStringLiteral("New Personal Card")
                                     : "Retrieved " + (shown ? shown->nickname : kNoPersonCaption) + " Personal Card";
    const auto saved = windows_.personalCard(card_, newPerson ? std::nullopt : card_.CurrentPerson(), header,
                                             card_.anchor(Anchor::PersonButton));
    if (!saved.opened) card_.setInfo("ERROR: Could not open Personal Card");
    if (!saved.choice) return;
    card_.selectPerson(*saved.choice);
    card_.CalDateChange();
}

void DailyCommands::openSheet() {
    if (!windows_.recordSheet(card_, card_.CurrentPerson(), card_.anchor(Anchor::SheetButton)))
        card_.setInfo("ERROR: Could not open Manual Sheet");
}

void DailyCommands::deletion(bool person) {
    if (!card_.selectedPerson()) {
        card_.setInfo("There is nothing to delete?");
        return;
    }
    Deletion asked;
    asked.of = person ? Deletion::Of::Person : Deletion::Of::Day;
    asked.date = QLocale(QLocale::English).toString(card_.selectedDate(), "d-MMMM-yyyy");
    asked.name = card_.selectedPerson()->nickname;
    const auto confirmed = windows_.confirmDeletion(card_, asked, card_.anchor(Anchor::PersonButton));
    if (!confirmed.opened) card_.setInfo("ERROR: Could not open Delete Confirmation");
    if (!confirmed.choice) return;
    if (!person) {
        if (const auto r = diary_.days.DelDly(card_.selectedPerson()->id, card_.CurrentDate()); !r) {
            card_.setInfo("ERROR: " + r.error());
            return;
        }
        // Load the day again in full, so nothing of the deleted day is left to be saved.
        card_.forgetChanges();
        card_.CalDateChange();
        return;
    }
    if (const auto r = diary_.persons.DelPer(card_.selectedPerson()->id); !r) {
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
    if (!card_.selectedPerson()) {
        card_.setInfo("There is no diary to export?");
        return;
    }
    emit card_.exportRequested(*card_.selectedPerson());
}

void DailyCommands::showAbout() {
    if (!windows_.about(card_, card_.anchor(Anchor::Calendar))) card_.setInfo("ERROR: Could not open About Card");
}

}  // namespace pulmora::daily
