#include "TDaNumber.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

namespace pulmora::controls {
namespace {

int power(int exponent) {
    int step = 1;
    for (int i = 0; i < exponent; ++i) step *= 10;
    return step;
}

}  // namespace

int TDaNumber::digitCount() const { return int(QString::number(MaxValue()).size()); }

int TDaNumber::stepAt(int x) const {
    const int n = digitCount();
    const double cellWidth = double(width()) / n;
    int k = int(std::trunc((width() - x) / cellWidth));
    // The leftmost pixel column would otherwise count as a digit left of the first cell.
    return power(std::clamp(k, 0, n - 1));
}

// While digits are typed they fill the cells from the left and the cells not yet typed stand
// empty: what is typed is the number entered, never mixed with the old value's digits. Digits
// outside the range show as the limit the entry holds instead, so the cells never show a number
// that is not the value.
QString TDaNumber::shownDigits() const {
    if (typing() && typed_.toInt() == NoValue()) return typed_.leftJustified(digitCount(), QLatin1Char(' '));
    return QString::number(NoValue()).rightJustified(digitCount(), QLatin1Char('0'));
}

int TDaNumber::markedPlace() const { return std::min(place_, digitCount() - 1); }

int TDaNumber::markedCell() const {
    if (typing()) return typed_.size() < digitCount() ? int(typed_.size()) : -1;
    return digitCount() - 1 - markedPlace();
}

int TDaNumber::keyStep() const { return power(markedPlace()); }

void TDaNumber::followTyping() {
    storeValue(typing() ? typed_.toInt() : valueBeforeTyping_);
    emit mouseReleased(Qt::LeftButton);
}

// The value already holds what was typed; only the cells go back to showing it.
void TDaNumber::finishTyping() {
    if (!typing()) return;
    typed_.clear();
    update();
}

void TDaNumber::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && key >= Qt::Key_0 && key <= Qt::Key_9) {
        if (typed_.size() == digitCount()) return;  // every cell typed: further digits are ignored
        if (!typing()) valueBeforeTyping_ = NoValue();
        typed_ += QChar(u'0' + (key - Qt::Key_0));
        followTyping();
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
        if (!typing()) break;
        typed_.chop(1);
        followTyping();
        return;
    case Qt::Key_Escape:
        if (!typing()) break;
        typed_.clear();
        followTyping();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!typing()) break;
        finishTyping();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        finishTyping();
        place_ = std::clamp(markedPlace() + (key == Qt::Key_Left ? 1 : -1), 0, digitCount() - 1);
        update();
        return;
    default: finishTyping(); break;
    }
    SpinEntry::keyPressEvent(event);
}

void TDaNumber::focusOutEvent(QFocusEvent* event) {
    finishTyping();
    SpinEntry::focusOutEvent(event);
}

void TDaNumber::paintCells(QPainter& painter) {
    const int n = digitCount();
    const QString digits = shownDigits();
    const int cellWidth = width() / n;
    for (int i = 0; i < n; ++i) {
        const QRect cell(i * cellWidth, 4, cellWidth, height() - 8);
        paintCell(painter, cell, digits.mid(i, 1));
        // The focus mark: a bar under the digit the next key acts on.
        if (hasFocus() && i == markedCell())
            painter.fillRect(QRect(cell.left() + 4, cell.bottom() - 3, cell.width() - 8, 2),
                             palette().color(QPalette::Highlight));
    }
}

void TDaSingle::paintCells(QPainter& painter) {
    paintCell(painter, rect().adjusted(4, 4, -4, -4), QString::number(NoValue()));
}

}  // namespace pulmora::controls
