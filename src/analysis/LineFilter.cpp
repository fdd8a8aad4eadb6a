#include "analysis/LineFilter.h"

#include "analysis/Backtest.h"
#include "common/AppError.h"
#include "common/Chars.h"
#include "common/Formats.h"
#include "common/NumberList.h"

#include <algorithm>

namespace {

// Walks all lines in ascending order, carrying each figure from number to
// number and leaving a branch as soon as a bound that can only grow is
// passed.
class LineCounter {
public:
    LineCounter(const LineFilter& filter, const NumberSet& previous)
        : m_filter(filter), m_previous(previous) {}

    qint64 count() {
        m_count = 0;
        walk(0, 1, Figures{});
        return m_count;
    }

private:
    // The figures so far, with the run that ends at the last number chosen.
    struct Figures : LineFigures {
        int run = 0;
        int last = -1;
    };

    // The running figures can only grow, so their maxima cut a branch early.
    static bool atMost(const FigureRange& range, int value) {
        return !range.on || value <= range.max;
    }
    // A whole line, by the one rule; forbidden numbers never enter the walk.
    bool complete(const Figures& f) const { return passes(m_filter, f); }

    void walk(int chosen, int from, const Figures& f) {
        const int left = kPositions - chosen; // numbers still to choose, this one included
        for (int n = from; n <= kMaxNumber - left + 1; ++n) {
            if (m_filter.forbiddenOn && m_filter.forbidden[n - 1])
                continue;
            Figures next = f;
            // The smallest sum the rest can reach: n, n+1, ...
            if (m_filter.sum.on && f.sum + left * n + left * (left - 1) / 2 > m_filter.sum.max)
                return;
            next.sum += n;
            next.odd += n % 2;
            next.low += n <= kLowTop ? 1 : 0;
            next.shared += m_previous[n - 1] ? 1 : 0;
            next.run = n == f.last + 1 ? f.run + 1 : 1;
            next.longestRun = std::max(f.longestRun, next.run);
            next.last = n;
            if (!atMost(m_filter.longestRun, next.longestRun) || !atMost(m_filter.odd, next.odd) ||
                !atMost(m_filter.low, next.low) || !atMost(m_filter.shared, next.shared))
                continue;
            if (left == 1) {
                if (complete(next))
                    ++m_count;
            } else {
                walk(chosen + 1, n + 1, next);
            }
        }
    }

    const LineFilter& m_filter;
    const NumberSet& m_previous;
    qint64 m_count = 0;
};

QString percentText(double share) {
    // Kept on one line with its number.
    return QString::number(share * 100.0, 'f', 2) + QStringLiteral("\u00a0%");
}

} // namespace

bool LineFilter::anyOn() const {
    return sum.on || odd.on || low.on || longestRun.on || shared.on || forbiddenOn;
}

LineFigures lineFigures(const std::array<int, kPositions>& line, const NumberSet& previous,
                        const NumberSet& forbidden) {
    std::array<int, kPositions> sorted = line;
    std::sort(sorted.begin(), sorted.end());
    LineFigures figures;
    int run = 0;
    for (int i = 0; i < kPositions; ++i) {
        const int n = sorted.at(i);
        figures.sum += n;
        figures.odd += n % 2;
        figures.low += n <= kLowTop ? 1 : 0;
        const bool inRange = n >= 1 && n <= kMaxNumber;
        figures.shared += inRange && previous[n - 1] ? 1 : 0;
        figures.forbidden = figures.forbidden || (inRange && forbidden[n - 1]);
        run = i > 0 && n == sorted.at(i - 1) + 1 ? run + 1 : 1;
        figures.longestRun = std::max(figures.longestRun, run);
    }
    return figures;
}

bool passes(const LineFilter& filter, const LineFigures& figures) {
    const bool runHolds = !filter.longestRun.on || figures.longestRun <= filter.longestRun.max;
    return filter.sum.holds(figures.sum) && filter.odd.holds(figures.odd) &&
           filter.low.holds(figures.low) && runHolds && filter.shared.holds(figures.shared) &&
           !(filter.forbiddenOn && figures.forbidden);
}

qint64 countPassingLines(const LineFilter& filter, const NumberSet& previous) {
    return LineCounter(filter, previous).count();
}

NumberSet mainNumberSet(const DrawResult& draw) {
    NumberSet set{};
    for (const int n : draw.MainNumbers)
        if (n >= 1 && n <= kMaxNumber)
            set[n - 1] = true;
    return set;
}

FilterCheck checkFilter(const LineFilter& filter, const QVector<DrawResult>& history, int draws) {
    FilterCheck check;
    const auto size = static_cast<int>(history.size());
    if (size < 2)
        return check;
    check.passingLines = countPassingLines(filter, mainNumberSet(history.last()));
    check.lineShare = static_cast<double>(check.passingLines) / static_cast<double>(kAllLines);
    check.draws = std::clamp(draws, 0, size - 1);
    const int first = size - check.draws;
    check.firstDraw = history.at(first).DrawNumber;
    check.lastDraw = history.last().DrawNumber;
    for (int i = first; i < size; ++i) {
        std::array<int, kPositions> line{};
        std::copy(history.at(i).MainNumbers.cbegin(), history.at(i).MainNumbers.cend(),
                  line.begin());
        if (passes(filter, lineFigures(line, mainNumberSet(history.at(i - 1)), filter.forbidden)))
            ++check.passingDraws;
    }
    check.drawShare = check.draws > 0 ? static_cast<double>(check.passingDraws) / check.draws : 0.0;
    check.ratio = check.lineShare > 0 ? check.drawShare / check.lineShare : 0.0;
    check.chance = binomialInterval(check.draws, check.lineShare);
    if (check.passingDraws > check.chance.high)
        check.verdict = FilterCheck::Verdict::More;
    else if (check.passingDraws < check.chance.low)
        check.verdict = FilterCheck::Verdict::Fewer;
    return check;
}

QString filterVerdictText(FilterCheck::Verdict verdict) {
    switch (verdict) {
    case FilterCheck::Verdict::More:
        return QStringLiteral("偶然より多い");
    case FilterCheck::Verdict::Fewer:
        return QStringLiteral("偶然より少ない");
    case FilterCheck::Verdict::Inside:
        break;
    }
    return QStringLiteral("偶然の範囲内");
}

QString filterCheckText(const FilterCheck& check) {
    const QString ratio =
        check.lineShare > 0 ? QString::number(check.ratio, 'f', 2) : QStringLiteral("—");
    return QStringLiteral("通過した組み合わせ: %1 / %2通り（%3）\n"
                          "通過した結果: %4 / %5回（%6）第%7回～第%8回\n"
                          "比（結果の割合÷組み合わせの割合）: %9倍\n"
                          "偶然なら95 %の範囲: %10～%11回 → %12")
        .arg(groupDigits(check.passingLines), groupDigits(kAllLines), percentText(check.lineShare),
             groupDigits(check.passingDraws), groupDigits(check.draws),
             percentText(check.drawShare))
        .arg(check.firstDraw)
        .arg(check.lastDraw)
        .arg(ratio, groupDigits(check.chance.low), groupDigits(check.chance.high),
             filterVerdictText(check.verdict));
}

NumberSet numbersOfText(const QString& text) {
    NumberSet numbers{};
    for (const QString& part : numberListParts(text)) {
        const qint64 n = asciiNumber(part, kMaxNumber + 1).value_or(0);
        if (n < 1 || n > kMaxNumber)
            throw TAppError(QStringLiteral("「%1」は1～37の数字ではありません。").arg(part));
        numbers[static_cast<std::size_t>(n - 1)] = true;
    }
    return numbers;
}
