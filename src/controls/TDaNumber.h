#pragma once

#include "SpinEntry.h"

namespace pulmora::controls {

// A number entered digit by digit: the entry shows one cell for each digit of MaxValue, and a
// press on a cell steps the value by that digit's place (1, 10, 100). From the keyboard, digits
// typed replace the cells from the left and are the number entered ("90" is 90), clamped to the
// range as a press would be. Each digit counts at once: the value follows it and the card hears
// of it as it hears of a press, so nothing typed waits on the focus leaving. Backspace takes the
// last digit back, Escape drops them all and brings back the value from before, and Enter or
// leaving the entry ends the typing. Up and Down step the cell with the focus mark, which Left
// and Right move.
class TDaNumber : public SpinEntry {
    Q_OBJECT
public:
    explicit TDaNumber(QWidget* parent = nullptr) : SpinEntry(parent) {}
    // The number of digit cells: the digits of MaxValue.
    int digitCount() const;
    // The digits shown: the value's, or, while they are the value, those being typed with the
    // cells after them empty.
    QString shownDigits() const;
    bool typing() const { return !typed_.isEmpty(); }
    // The cell with the focus mark (0 is the leftmost), or -1 when every cell has been typed.
    int markedCell() const;

protected:
    int stepAt(int x) const override;
    int keyStep() const override;
    void finishTyping() override;
    void paintCells(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int markedPlace() const;
    // The digits typed so far become the value, or with none left the value from before.
    void followTyping();

    QString typed_;  // the digits typed so far, from the left
    int valueBeforeTyping_ = 0;
    int place_ = 0;  // the place Up and Down step: 0 the units, 1 the tens, ...
};

// A small count: every left press adds one, every right press takes one away.
class TDaSingle : public SpinEntry {
    Q_OBJECT
public:
    explicit TDaSingle(QWidget* parent = nullptr) : SpinEntry(parent) {}

protected:
    int stepAt(int) const override { return 1; }
    void paintCells(QPainter& painter) override;
};

}  // namespace pulmora::controls
