#include "Figures.h"

#include "store/ReportCursors.h"

namespace pulmora::stats {

int RoundedPercent(int part, int whole) { return RoundHalfEven(100LL * part, whole); }

int PercentOfBest(int reading, int best) { return RoundedPercent(reading, best); }

// The store fills the daily card's comparison record with this figure, and the store sits
// below the statistics, so its definition lives there and the reports take it from it.
int DiurnalVariation(int morning, int evening) { return store::diurnalVariation(morning, evening); }

int RangeVariation(int highest, int lowest) { return DiurnalVariation(lowest, highest); }

Zone ZoneOf(int reading, int best, int yellowPercent, int redPercent) {
    // reading / best x 100 > limit, multiplied out so an exact limit stays exact.
    const long long scaled = 100LL * reading;
    if (scaled > (long long)yellowPercent * best) return Zone::Green;
    if (scaled <= (long long)redPercent * best) return Zone::Red;
    return Zone::Yellow;
}

int ZoneLimit(int best, int percent) { return RoundHalfEven((long long)percent * best, 100); }

}  // namespace pulmora::stats
