#pragma once

#include <vector>

// Least-squares fits of a series' values over its x positions, for the curve and the trend
// lines of the graphs.
namespace pulmora::reports {

// The values at each x of the polynomial of at most the given degree that fits the points best
// in the least-squares sense. With fewer distinct x than degree + 1 the degree drops to what the
// points determine (one point: its value; two: the straight line through them).
std::vector<double> FitPolynomial(const std::vector<double>& x, const std::vector<double>& y, int degree);

// The curve of the graphs: a polynomial of degree 3.
inline std::vector<double> FitCurve(const std::vector<double>& x, const std::vector<double>& y) {
    return FitPolynomial(x, y, 3);
}
// The trend of the graphs: the least-squares straight line.
inline std::vector<double> FitTrend(const std::vector<double>& x, const std::vector<double>& y) {
    return FitPolynomial(x, y, 1);
}

}  // namespace pulmora::reports
