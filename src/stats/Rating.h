#pragma once

#include <QString>

namespace pulmora::stats {

// How a report writes the day's rating: in full, or in a word of four letters where a table's
// column has room for no more.
enum class RatingWords { Full, Short };

// A day's rating in words: 1 "Bad", 2 "Average" ("Okay" when short), 3 "Good"; nothing for a
// day not rated, or rated with a number the program never stores.
QString ratingText(int rating, RatingWords words = RatingWords::Full);

}  // namespace pulmora::stats
