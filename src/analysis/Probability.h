#pragma once

#include <QtGlobal>

// The chance figures the analysis compares real results with: binomial
// counts, the chi-square tail, exact counts of combinations.

// The central 95 % of Binomial(n, p): the smallest counts whose cumulative
// chance reaches 2.5 % and 97.5 %.
struct CountInterval {
    int low = 0;
    int high = 0;
};
CountInterval binomialInterval(int n, double p);

// The chance that a Binomial(n, p) count falls below range.low or above
// range.high.
double binomialOutsideChance(int n, double p, CountInterval range);

// log C(n, k), for n far beyond what fits an integer.
double logChoose(int n, int k);
// C(n, k) exactly, for the small n of lines and numbers (up to 60); 0 when k
// is outside 0..n.
qint64 combinations(int n, int k);

// The chance that a chi-square variable with `degrees` degrees of freedom is
// at least x; 1 for x <= 0.
double chiSquareUpperTail(double x, int degrees);
// The regularized upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a),
// a > 0, x >= 0.
double regularizedGammaQ(double a, double x);
