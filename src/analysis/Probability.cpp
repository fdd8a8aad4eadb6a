#include "analysis/Probability.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double binomialLogPmf(int n, int k, double logP, double logQ) {
    return logChoose(n, k) + k * logP + (n - k) * logQ;
}

// Counts further than this many standard deviations from the mean have a
// chance below the smallest double, so sums may start and stop there.
constexpr double kNegligibleDeviations = 50.0;

struct CountWindow {
    int first = 0;
    int last = 0;
};

CountWindow weightedCounts(int n, double p) {
    const double mean = n * p;
    const double spread = kNegligibleDeviations * std::sqrt(mean * (1.0 - p)) + 10.0;
    return {static_cast<int>(std::max(0.0, std::floor(mean - spread))),
            static_cast<int>(std::min<double>(n, std::ceil(mean + spread)))};
}

// The chance of a count in from..to, p strictly between 0 and 1.
double binomialSum(int n, double p, int from, int to) {
    const CountWindow window = weightedCounts(n, p);
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    double sum = 0;
    for (int k = std::max(from, window.first); k <= std::min(to, window.last); ++k)
        sum += std::exp(binomialLogPmf(n, k, logP, logQ));
    return sum;
}

// Q(a, x) by its continued fraction (modified Lentz), for x >= a + 1.
double gammaQByFraction(double a, double x) {
    constexpr double tiny =
        std::numeric_limits<double>::min() / std::numeric_limits<double>::epsilon();
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < 10'000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        d = std::abs(d) < tiny ? tiny : d;
        c = b + an / c;
        c = std::abs(c) < tiny ? tiny : c;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::abs(delta - 1.0) < std::numeric_limits<double>::epsilon())
            break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// P(a, x) = 1 - Q(a, x) by its series, for x < a + 1.
double gammaPBySeries(double a, double x) {
    double term = 1.0 / a;
    double sum = term;
    for (int i = 1; i < 10'000; ++i) {
        term *= x / (a + i);
        sum += term;
        if (std::abs(term) < std::abs(sum) * std::numeric_limits<double>::epsilon())
            break;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

} // namespace

double logChoose(int n, int k) {
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

qint64 combinations(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    k = std::min(k, n - k);
    qint64 result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i; // exact: a product of i consecutive numbers
    return result;
}

CountInterval binomialInterval(int n, double p) {
    if (n <= 0 || p <= 0.0)
        return {0, 0};
    if (p >= 1.0)
        return {n, n};
    // Each chance from its logarithm, so that no factor overflows at any n.
    const CountWindow window = weightedCounts(n, p);
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    CountInterval interval{-1, window.last};
    double cumulative = 0;
    for (int k = window.first; k <= window.last; ++k) {
        cumulative += std::exp(binomialLogPmf(n, k, logP, logQ));
        if (interval.low < 0 && cumulative >= 0.025)
            interval.low = k;
        if (cumulative >= 0.975) {
            interval.high = k;
            break;
        }
    }
    interval.low = std::max(interval.low, 0);
    return interval;
}

double binomialOutsideChance(int n, double p, CountInterval range) {
    if (n <= 0 || p <= 0.0 || p >= 1.0) {
        const int certain = p >= 1.0 ? std::max(n, 0) : 0;
        return certain < range.low || certain > range.high ? 1.0 : 0.0;
    }
    // Both tails summed directly: 1 minus the inside would lose the digits
    // of a small chance.
    return binomialSum(n, p, 0, range.low - 1) + binomialSum(n, p, range.high + 1, n);
}

double regularizedGammaQ(double a, double x) {
    if (x <= 0.0)
        return 1.0;
    if (x < a + 1.0)
        return 1.0 - gammaPBySeries(a, x);
    return gammaQByFraction(a, x);
}

double chiSquareUpperTail(double x, int degrees) {
    if (degrees <= 0)
        return 1.0;
    return regularizedGammaQ(degrees / 2.0, x / 2.0);
}
