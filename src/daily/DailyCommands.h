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
// other card or the menu opens.
class DailyCommands : public QObject {
    Q_OBJECT
public:
    DailyCommands(TAsDly& card, store::Diary& diary, DailyWindows& windows);

    // The click handler of the buttons, the banner, the date bar and most menu items, in a fixed order.
    void TrapBtns(QObject* sender);
    // The trigger list: maintenance from the menu, or picking for the day.
    void InternalActions(QObject* sender);
    // Opens the personal card for the selected person, or for a new one.
    void openPersonalCard(bool newPerson);
    void openReportCard();

    QMenu* AsMenu;
    QAction *MnNew, *MnTriggers, *MnDelDly, *MnDelPer, *MnExport, *MnRestore, *MnHelp, *MnAbout;
    QList<QAction*> caseStudies;

    // Every help keyword the daily card can open.
    static QStringList helpKeywords();

private:
    void buildMenu();
    void help(QObject* sender);
    void deletion(bool person);
    void nextPerson();
    void openSheet();
    void exportDiary();
    void showAbout();

    TAsDly& card_;
    store::Diary& diary_;
    DailyWindows& windows_;
};

}  // namespace pulmora::daily
