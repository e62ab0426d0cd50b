#pragma once

#include "daily/DailyWindows.h"
#include "personal/PersonalWindows.h"
#include "personal/TasTrg.h"
#include "store/Diary.h"

namespace pulmora::reports {
class TAsRep;
}

namespace pulmora::app {

class HelpWindow;
class IniRecord;

// Opens every window the cards ask for: it creates the window, gives it its data, places it,
// shows it modally to the card that asked and hands the outcome back. So no card knows another
// card's class. The help window is the one the program keeps open beside the cards.
class WindowOpener : public daily::DailyWindows, public personal::PersonalWindows {
public:
    // The report card's placement is kept in `settings` between uses.
    WindowOpener(store::Diary& diary, HelpWindow& help, IniRecord& settings)
        : diary_(diary), help_(help), settings_(settings) {}

    controls::WindowAnswer<std::optional<store::PersonRef>> personalCard(QWidget& owner,
                                                                         const std::optional<store::PersonId>& person,
                                                                         const QString& header,
                                                                         const QPoint& topRight) override;
    controls::WindowAnswer<std::optional<QStringList>> pickTriggersForDay(QWidget& owner,
                                                                          const QPoint& topRight) override;
    controls::WindowAnswer<std::optional<QStringList>> pickTriggersForPerson(QWidget& owner,
                                                                             const QPoint& topRight) override;
    bool maintainTriggers(QWidget& owner, const QPoint& topRight) override;
    controls::WindowAnswer<bool> confirmDeletion(QWidget& owner, const daily::Deletion& deletion,
                                                 const QPoint& topRight) override;
    controls::WindowAnswer<std::optional<store::PersonRef>> reportCard(QWidget& owner,
                                                                       const store::PersonRef& person) override;
    controls::WindowAnswer<bool> leaveWithoutSaving(QWidget& owner, const QString& loss) override;
    // The question for both cards.
    controls::WindowAnswer<int> ask(QWidget& owner, const controls::Question& question) override;
    bool recordSheet(QWidget& owner, const std::optional<store::PersonId>& person, const QPoint& topRight) override;
    bool about(QWidget& owner, const QPoint& topLeft) override;
    void showHelp(const QString& keyword) override;

private:
    // The save window for the picture the report card has on show, its top left corner at `topLeft`.
    void savePicture(reports::TAsRep& card, const QPoint& topLeft);
    // The trigger list, to pick from or to maintain.
    controls::WindowAnswer<std::optional<QStringList>> triggerList(QWidget& owner, personal::TasTrg::Mode mode,
                                                                   const QPoint& topRight);

    store::Diary& diary_;
    HelpWindow& help_;
    IniRecord& settings_;
};

}  // namespace pulmora::app
