#pragma once

#include <QString>
#include <QStringList>

namespace pulmora::controls {

// What became of a window a card asked the program to open: whether it could be opened at
// all, and, once it closed, what the user chose in it.
template <class Choice>
struct WindowAnswer {
    bool opened = false;
    Choice choice{};
};

// A question a card puts to the user, answered with one of the buttons `answers`. The choice is
// the index of the answer taken; closing the question without one answers `escapeAnswer`.
struct Question {
    QString text;
    QStringList answers;
    int defaultAnswer = 0;
    int escapeAnswer = 0;
};

}  // namespace pulmora::controls
