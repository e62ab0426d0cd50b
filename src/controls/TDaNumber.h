#pragma once

#include "SpinEntry.h"

namespace pulmora::controls {

// A number entered digit by digit: the entry shows one cell for each digit of MaxValue, and a
// press on a cell steps the value by that digit's place (1, 10, 100).
class TDaNumber : public SpinEntry {
    Q_OBJECT
public:
    explicit TDaNumber(QWidget* parent = nullptr) : SpinEntry(parent) {}
    // The number of digit cells: the digits of MaxValue.
    int digitCount() const;

protected:
    int stepAt(int x) const override;
    void paintCells(QPainter& painter) override;
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
