#pragma once

#include "store/Diary.h"

#include <QObject>

class QAction;
class QMenu;

namespace pulmora::daily {

class DailyWindows;
class TAsDly;

// What the user starts from the daily card besides entering a day: the header buttons, the
// name banner, the date bar, the menu, help, the other cards and deletions. The other cards are
// opened by the program through DailyWindows. Pending changes of the day are saved before any
// other card or the menu opens. It works the card through the card's operations only.
class DailyCommands : public QObject {
    Q_OBJECT
public:
    enum class Command {
        Today,
        BackMonth,
        BackYear,
        ForwardMonth,
        ForwardYear,  // the date bar
        CancelChanges,
        About,
        RemoveDay,
        DeletePerson,
        PersonalCard,
        ReportCard,
        RecordSheet,
        NextPerson,
        NewPerson,
        Export,
        Restore,
        Menu,
        MaintainTriggers,
        AddTrigger,  // the trigger list
    };

    DailyCommands(TAsDly& card, store::Diary& diary, DailyWindows& windows);

    // The click handler of the buttons, the banner, the date bar and most menu items, in a fixed
    // order: what moves the card or asks first, then the pending day saved, then what opens.
    void TrapBtns(Command command);
    // The trigger list: maintenance from the menu, or picking for the day.
    void InternalActions(Command command);
    // The help topic by keyword, the contents for an empty one; the pending day is saved after.
    void help(const QString& topic);
    // Opens the personal card for the selected person, or for a new one.
    void openPersonalCard(bool newPerson);
    void openReportCard();

    // Every help keyword the daily card can open.
    static QStringList helpKeywords();

private:
    // Writes the day's pending changes before a command goes on. Answers false when they could
    // not be written: the command then stops, the info line says why and the changes stay with
    // the person and day they were made on.
    bool savePendingDay();
    void buildMenu();
    void deletion(bool person);
    void nextPerson();
    void openSheet();
    void exportDiary();
    void showAbout();

    TAsDly& card_;
    store::Diary& diary_;
    DailyWindows& windows_;
    QMenu* AsMenu;
};

}  // namespace pulmora::daily
