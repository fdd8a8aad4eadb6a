// The pruned count of passing lines against a plain walk over every line,
// for filters that combine several bounds: the fast path must agree with
// lineFigures + passes, the one rule, on every line.
#include "TestSupport.h"

#include "analysis/LineFilter.h"

#include <QTest>

#include <vector>

namespace {

struct Case {
    const char* name;
    LineFilter filter;
};

NumberSet numbers(std::initializer_list<int> list) {
    NumberSet set{};
    for (const int n : list)
        set.at(n - 1) = true;
    return set;
}

std::vector<Case> combinedFilters() {
    std::vector<Case> cases;
    LineFilter sumOdd;
    sumOdd.sum = {true, 100, 166};
    sumOdd.odd = {true, 2, 5};
    cases.push_back({"sum and odd", sumOdd});
    LineFilter lowRunShared;
    lowRunShared.low = {true, 3, 4};
    lowRunShared.longestRun = {true, 1, 2};
    lowRunShared.shared = {true, 0, 1};
    cases.push_back({"low, run and shared", lowRunShared});
    LineFilter everything;
    everything.sum = {true, 90, 150};
    everything.odd = {true, 3, 4};
    everything.low = {true, 2, 5};
    everything.longestRun = {true, 1, 3};
    everything.shared = {true, 1, 2};
    everything.forbiddenOn = true;
    everything.forbidden = numbers({4, 13, 31});
    cases.push_back({"every bound and forbidden numbers", everything});
    LineFilter narrowSum;
    narrowSum.sum = {true, 28, 40}; // the pruning's edge: the smallest sums
    narrowSum.forbiddenOn = true;
    narrowSum.forbidden = numbers({1});
    cases.push_back({"smallest sums without 1", narrowSum});
    LineFilter noLine;
    noLine.odd = {true, 7, 7};
    noLine.low = {true, 7, 7};
    noLine.sum = {true, 100, 238}; // seven odd numbers of 1..18 sum to at most 105
    noLine.longestRun = {true, 1, 1};
    cases.push_back({"hardly any line", noLine});
    return cases;
}

} // namespace

class TestLineFilter : public QObject {
    Q_OBJECT
private slots:
    void prunedCountMatchesPlainWalk();
};

void TestLineFilter::prunedCountMatchesPlainWalk() {
    const NumberSet previous = numbers({3, 10, 14, 17, 18, 20, 25});
    const std::vector<Case> cases = combinedFilters();
    std::vector<qint64> plain(cases.size(), 0);
    std::array<int, kPositions> line{};
    // Every line of seven numbers once, each judged by every filter.
    const auto visit = [&](const auto& self, int position, int from) -> void {
        if (position == kPositions) {
            for (size_t i = 0; i < cases.size(); ++i) {
                const LineFigures figures = lineFigures(line, previous, cases[i].filter.forbidden);
                plain[i] += passes(cases[i].filter, figures) ? 1 : 0;
            }
            return;
        }
        for (int n = from; n <= kMaxNumber - (kPositions - position) + 1; ++n) {
            line.at(position) = n;
            self(self, position + 1, n + 1);
        }
    };
    visit(visit, 0, 1);
    for (size_t i = 0; i < cases.size(); ++i) {
        const QByteArray name(cases[i].name);
        QVERIFY2(plain[i] < kAllLines, name);
        QCOMPARE(countPassingLines(cases[i].filter, previous), plain[i]);
    }
}

SEPTARION_CORE_TEST_MAIN(TestLineFilter)
#include "test_linefilter.moc"
