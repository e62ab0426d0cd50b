#include "TDaNumber.h"

#include <QPainter>

#include <cmath>

namespace pulmora::controls {

int TDaNumber::digitCount() const { return int(QString::number(MaxValue()).size()); }

int TDaNumber::stepAt(int x) const {
    const int n = digitCount();
    const double cellWidth = double(width()) / n;
    int k = int(std::trunc((width() - x) / cellWidth));
    // The leftmost pixel column would otherwise count as a digit left of the first cell.
    k = std::clamp(k, 0, n - 1);
    int step = 1;
    for (int i = 0; i < k; ++i) step *= 10;
    return step;
}

void TDaNumber::paintCells(QPainter& painter) {
    const int n = digitCount();
    const QString digits = QString::number(NoValue()).rightJustified(n, QLatin1Char('0'));
    const int cellWidth = width() / n;
    for (int i = 0; i < n; ++i)
        paintCell(painter, QRect(i * cellWidth, 4, cellWidth, height() - 8), digits.mid(i, 1));
}

void TDaSingle::paintCells(QPainter& painter) {
    paintCell(painter, rect().adjusted(4, 4, -4, -4), QString::number(NoValue()));
}

}  // namespace pulmora::controls
