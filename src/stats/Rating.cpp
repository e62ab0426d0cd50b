#include "Rating.h"

namespace pulmora::stats {

QString ratingText(int rating, RatingWords words) {
    switch (rating) {
    case 1: return QStringLiteral("Bad");
    case 2: return words == RatingWords::Full ? QStringLiteral("Average") : QStringLiteral("Okay");
    case 3: return QStringLiteral("Good");
    default: return {};
    }
}

}  // namespace pulmora::stats
