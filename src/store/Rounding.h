#pragma once

namespace pulmora::store {

// numerator / denominator to the nearest whole number, a half going to the even neighbour.
// Worked out on the integers themselves, so a half is exactly a half: 59 of 200 is 29.5 % and
// rounds to 30, where a binary quotient lands just below the half and would give 29.
// The denominator must not be 0.
int RoundHalfEven(long long numerator, long long denominator);

}  // namespace pulmora::store
