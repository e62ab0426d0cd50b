#pragma once

#include "controls/WindowAnswer.h"

#include <QPoint>
#include <QStringList>

#include <optional>

class QWidget;

namespace pulmora::personal {

// The windows the personal card asks the program to open. The trigger list is modal to
// `owner`, placed with its top right corner at the screen point and kept on the screen.
class PersonalWindows {
public:
    virtual ~PersonalWindows() = default;

    // The common trigger list to pick the person's triggers from: the names chosen, or nothing
    // when it was closed without adding.
    virtual controls::WindowAnswer<std::optional<QStringList>> pickTriggersForPerson(QWidget& owner,
                                                                                     const QPoint& topRight) = 0;
    // Puts the question to the user, modal to `owner`.
    virtual controls::WindowAnswer<int> ask(QWidget& owner, const controls::Question& question) = 0;
    // The help topic by keyword, usable while the card is open.
    virtual void showHelp(const QString& keyword) = 0;
};

}  // namespace pulmora::personal
