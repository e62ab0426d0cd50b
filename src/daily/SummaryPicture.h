#pragma once

#include "store/Values.h"

#include <QImage>

class QFont;
class QPalette;

namespace pulmora::daily {

// What the summary compares: the card's values as they stand (saved or not) and the person's
// latest recorded day before the card's day.
struct SummaryValues {
    int morning = 0, evening = 0;
    int daySymptoms = 0, nightSymptoms = 0;
    int relievers = 0;
    store::CompareRecord previous;
};

// The comparison picture of the daily card: one row each for the morning and evening readings
// as a percentage of the best, the diurnal variation, day and night symptoms and reliever use,
// each with an arrow against the previous recorded day.
QImage drawComparison(const QSize& size, const SummaryValues& values, const QFont& font, const QPalette& palette,
                      qreal pixelRatio = 1.0);

// Percentage of best: the nearest whole number, halves to even.
int percentOfBest(int reading, int best);

}  // namespace pulmora::daily
