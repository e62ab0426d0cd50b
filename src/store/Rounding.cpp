#include "Rounding.h"

namespace pulmora::store {

int RoundHalfEven(long long numerator, long long denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    long long whole = numerator / denominator;
    long long rest = numerator % denominator;  // takes the numerator's sign
    if (rest < 0) {
        --whole;
        rest += denominator;
    }
    // whole <= the quotient < whole + 1, and rest / denominator is how far past whole it lies.
    const long long toNext = denominator - rest;
    if (rest > toNext || (rest == toNext && whole % 2 != 0)) ++whole;
    return int(whole);
}

}  // namespace pulmora::store
