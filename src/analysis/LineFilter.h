#pragma once

#include "analysis/Probability.h"
#include "data/DrawTable.h"

#include <QString>
#include <QVector>

#include <array>

// Filters over lines of seven numbers, and how one compares with chance: the
// exact share of all lines that pass, beside the share of real results that
// pass.

// A bound on one figure of a line, switched on or off.
struct FigureRange {
    bool on = false;
    int min = 0;
    int max = 0;
    bool holds(int value) const { return !on || (value >= min && value <= max); }
};

// The numbers 1..kLowTop are the low half.
inline constexpr int kLowTop = 18;

struct LineFilter {
    FigureRange sum{false, 100, 166};    // of the seven numbers
    FigureRange odd{false, 2, 5};        // how many are odd
    FigureRange low{false, 2, 5};        // how many are 1..18
    FigureRange longestRun{false, 1, 2}; // consecutive numbers; only the maximum binds
    FigureRange shared{false, 0, 2};     // numbers the previous draw shares
    bool forbiddenOn = false;
    NumberSet forbidden{}; // numbers that must not appear
    bool anyOn() const;
};

// The bounded figures of a filter in the order the form shows them: the
// caption, the name its controls are known by (chkFilterSum, ...), the
// limits a bound may take, which bound of the filter it is, and whether only
// its upper bound binds. The defaults are LineFilter's own.
struct FilterFigure {
    const char* caption;
    const char* name;
    int minimum;
    int maximum;
    FigureRange LineFilter::*range;
    bool onlyMaximum;
};
inline constexpr std::array<FilterFigure, 5> kFilterFigures{{
    {"合計", "Sum", 28, 238, &LineFilter::sum, false},
    {"奇数の個数", "Odd", 0, 7, &LineFilter::odd, false},
    {"1～18の個数", "Low", 0, 7, &LineFilter::low, false},
    {"連続数字の最長", "Run", 1, 7, &LineFilter::longestRun, true},
    {"前回との共通数", "Shared", 0, 7, &LineFilter::shared, false},
}};

// The figures of a line (any order) against the previous draw's main numbers.
struct LineFigures {
    int sum = 0;
    int odd = 0;
    int low = 0;
    int longestRun = 0;
    int shared = 0;
    bool forbidden = false; // holds a number the filter forbids
};
LineFigures lineFigures(const std::array<int, kPositions>& line, const NumberSet& previous,
                        const NumberSet& forbidden);
bool passes(const LineFilter& filter, const LineFigures& figures);

// How many of all kAllLines lines pass, counted one by one; the previous draw
// is the one the shared numbers are counted against.
qint64 countPassingLines(const LineFilter& filter, const NumberSet& previous);

struct FilterCheck {
    enum class Verdict { Inside, More, Fewer };
    qint64 passingLines = 0;
    double lineShare = 0; // of all lines, for the draw after the newest
    int firstDraw = 0;
    int lastDraw = 0;
    int draws = 0;
    int passingDraws = 0;
    double drawShare = 0;
    double ratio = 0; // drawShare / lineShare; 0 when no line passes
    CountInterval chance;
    Verdict verdict = Verdict::Inside;
};

// The filter over the newest `draws` results that have a previous draw, each
// against its own previous draw (`history` oldest first, at least two draws).
FilterCheck checkFilter(const LineFilter& filter, const QVector<DrawResult>& history, int draws);

// "偶然の範囲内", "偶然より多い", "偶然より少ない".
QString filterVerdictText(FilterCheck::Verdict verdict);
// The result as the form shows it, a few lines.
QString filterCheckText(const FilterCheck& check);

// The numbers of a text such as "3 15、22", read as every typed list of
// numbers is (common/NumberList.h): numbers 1..37, half or full width, apart
// by blanks or commas. Throws TAppError naming the first part that is no such
// number.
NumberSet numbersOfText(const QString& text);

// The main numbers of a draw as a set.
NumberSet mainNumberSet(const DrawResult& draw);
