#pragma once

#include "store/Rounding.h"

// The peak-flow figures every report, and the daily card's summary, show. Each is defined here
// once, so two windows can never disagree about the same reading. Each is a fraction of whole
// numbers rounded exactly, half to even, by the rounding the store's comparison record uses too.
namespace pulmora::stats {

using store::RoundHalfEven;

// part / whole x 100, rounded. Only for whole > 0.
int RoundedPercent(int part, int whole);

// A reading as a percentage of the best. Only for reading > 0 and best > 0.
int PercentOfBest(int reading, int best);

// The day's swing between its two readings: |evening - morning| over their mean, in percent,
// rounded. Defined for both readings > 0 (0 otherwise, as the comparison record keeps it).
int DiurnalVariation(int morning, int evening);

// The spread of a period's readings: the range over the mean of the extremes, in percent,
// rounded. Only for lowest > 0. It is the same relative difference as the diurnal variation.
int RangeVariation(int highest, int lowest);

enum class Zone { Green, Yellow, Red };

// The zone of a reading > 0 against the limits, whole percentages of the best: green above the
// yellow limit, red at or below the red limit, yellow between (a reading exactly at the yellow
// limit is yellow). The limits are compared exactly, never through a rounded percentage.
Zone ZoneOf(int reading, int best, int yellowPercent, int redPercent);

// The reading at a zone limit, in litres a minute, rounded; shown in the zone labels.
int ZoneLimit(int best, int percent);

}  // namespace pulmora::stats
