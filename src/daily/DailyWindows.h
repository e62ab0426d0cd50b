#pragma once

#include "controls/WindowAnswer.h"
#include "store/Values.h"

#include <QPoint>
#include <QStringList>

#include <optional>

class QWidget;

namespace pulmora::daily {

// A deletion the user is asked to confirm.
struct Deletion {
    enum class Of { Day, Person };
    Of of = Of::Day;
    QString date;  // the day as the user reads it; for a day only
    QString name;  // the person's nickname
};

// The windows the daily card asks the program to open. Each is modal to `owner` and the call
// returns once it has closed. A window is placed with its top right (or, for the about window,
// top left) corner at the given screen point and kept on the screen.
class DailyWindows {
public:
    virtual ~DailyWindows() = default;

    // The personal card for the person (none for a new one) with `header` on its message line.
    // The choice is the person saved, or nothing when the card was cancelled.
    virtual controls::WindowAnswer<std::optional<store::PersonRef>> personalCard(
        QWidget& owner, const std::optional<store::PersonId>& person, const QString& header,
        const QPoint& topRight) = 0;
    // The common trigger list to pick the day's triggers from: the names chosen, or nothing when
    // it was closed without adding.
    virtual controls::WindowAnswer<std::optional<QStringList>> pickTriggersForDay(QWidget& owner,
                                                                                  const QPoint& topRight) = 0;
    // The common trigger list to maintain; answers whether it could be opened.
    virtual bool maintainTriggers(QWidget& owner, const QPoint& topRight) = 0;
    // The choice is whether the user confirmed the deletion.
    virtual controls::WindowAnswer<bool> confirmDeletion(QWidget& owner, const Deletion& deletion,
                                                         const QPoint& topRight) = 0;
    // The report card on the person. The choice is the person the card showed last when the user
    // moved on to another there, so the daily card follows.
    virtual controls::WindowAnswer<std::optional<store::PersonRef>> reportCard(QWidget& owner,
                                                                               const store::PersonRef& person) = 0;
    // The record sheet window with the person ticked (none: nobody); answers whether it could be
    // opened.
    virtual bool recordSheet(QWidget& owner, const std::optional<store::PersonId>& person, const QPoint& topRight) = 0;
    // Answers whether the about window could be opened.
    virtual bool about(QWidget& owner, const QPoint& topLeft) = 0;
    // Asks whether to leave the card although `loss`, sentences that say what cannot be saved
    // and why, would be lost. The choice is true for leaving.
    virtual controls::WindowAnswer<bool> leaveWithoutSaving(QWidget& owner, const QString& loss) = 0;
    // Puts the question to the user, modal to `owner`.
    virtual controls::WindowAnswer<int> ask(QWidget& owner, const controls::Question& question) = 0;
    // The help topic by keyword; an empty keyword shows the contents. Help stays open beside
    // the cards and can be used while a modal card is open.
    virtual void showHelp(const QString& keyword) = 0;
};

}  // namespace pulmora::daily
