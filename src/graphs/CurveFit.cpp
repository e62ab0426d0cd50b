#include "CurveFit.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace pulmora::reports {
namespace {

// Solves a x = b for a small square system by elimination with partial pivoting; a and b are
// overwritten.
std::vector<long double> solve(std::vector<std::vector<long double>> a, std::vector<long double> b) {
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (size_t r = col + 1; r < n; ++r) {
            const long double factor = a[r][col] / a[col][col];
            for (size_t c = col; c < n; ++c) a[r][c] -= factor * a[col][c];
            b[r] -= factor * b[col];
        }
    }
    std::vector<long double> solution(n);
    for (size_t i = n; i-- > 0;) {
        long double sum = b[i];
        for (size_t c = i + 1; c < n; ++c) sum -= a[i][c] * solution[c];
        solution[i] = sum / a[i][i];
    }
    return solution;
}

}  // namespace

std::vector<double> FitPolynomial(const std::vector<double>& x, const std::vector<double>& y, int degree) {
    if (x.empty()) return {};
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    const int distinct = int(std::set<double>(x.begin(), x.end()).size());
    degree = std::min(degree, distinct - 1);
    // The positions run to several hundred; their powers are taken on the range mapped onto
    // -1 .. 1, so the normal equations stay well conditioned. The fitted values do not change.
    const long double centre = (*low + *high) / 2.0L;
    const long double half = *high > *low ? (*high - *low) / 2.0L : 1.0L;
    auto scaled = [&](double v) { return (v - centre) / half; };

    const size_t terms = size_t(degree) + 1;
    std::vector<std::vector<long double>> normal(terms, std::vector<long double>(terms, 0.0L));
    std::vector<long double> right(terms, 0.0L);
    for (size_t i = 0; i < x.size(); ++i) {
        std::vector<long double> powers(2 * terms - 1, 1.0L);
        for (size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * scaled(x[i]);
        for (size_t r = 0; r < terms; ++r) {
            for (size_t c = 0; c < terms; ++c) normal[r][c] += powers[r + c];
            right[r] += powers[r] * y[i];
        }
    }
    const std::vector<long double> coefficients = solve(normal, right);

    std::vector<double> fitted;
    fitted.reserve(x.size());
    for (const double v : x) {
        long double value = 0.0L;
        for (size_t k = terms; k-- > 0;) value = value * scaled(v) + coefficients[k];
        fitted.push_back(double(value));
    }
    return fitted;
}

}  // namespace pulmora::reports
