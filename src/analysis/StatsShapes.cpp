#include "analysis/StatsShapes.h"

#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest sum of a line, 31 + ... + 37, and one more.
constexpr int kSumLimit = kPositions * kMaxNumber + 1;
constexpr NumberBits oddNumberBits() {
    NumberBits bits = 0;
    for (int n = 1; n <= kMaxNumber; n += 2)
        bits |= NumberBits{1} << (n - 1);
    return bits;
}
constexpr NumberBits kOddBits = oddNumberBits();
constexpr NumberBits kLowBits = (NumberBits{1} << kLowTop) - 1; // 1..18

int longestRunOf(NumberBits bits) {
    int run = 0;
    for (; bits != 0; bits &= bits >> 1)
        ++run;
    return run;
}

int sumOf(NumberBits bits) {
    int sum = 0;
    forEachNumber(bits, [&](int n) { sum += n; });
    return sum;
}

// Lines by their sum: ways[s] of seven numbers adding up to s.
std::array<qint64, kSumLimit> linesBySum() {
    std::array<std::array<qint64, kSumLimit>, kPositions + 1> ways{};
    ways.at(0).at(0) = 1;
    for (int n = 1; n <= kMaxNumber; ++n)
        for (int k = kPositions - 1; k >= 0; --k)
            for (int s = kSumLimit - 1 - n; s >= 0; --s)
                ways.at(k + 1).at(s + n) += ways.at(k).at(s);
    return ways.at(kPositions);
}

// Lines whose consecutive numbers run at most `longest` long: a walk over
// the numbers carrying how many are chosen and how long the run ending at
// the current number is.
qint64 linesWithRunsAtMost(int longest) {
    using Counts = std::array<std::array<qint64, kPositions + 1>, kPositions + 1>;
    Counts ways{}; // [chosen][run]
    ways.at(0).at(0) = 1;
    for (int n = 1; n <= kMaxNumber; ++n) {
        Counts next{};
        for (int k = 0; k <= kPositions; ++k)
            for (int run = 0; run <= kPositions; ++run) {
                const qint64 w = ways.at(k).at(run);
                next.at(k).at(0) += w;
                if (k < kPositions && run < longest)
                    next.at(k + 1).at(run + 1) += w;
            }
        ways = next;
    }
    qint64 lines = 0;
    for (const qint64 w : ways.at(kPositions))
        lines += w;
    return lines;
}

// Lines by how many of their numbers come from a group of `group` numbers.
QVector<ShapeValue> linesFromGroup(int group) {
    QVector<ShapeValue> values;
    for (int k = 0; k <= kPositions; ++k)
        values.append(
            {k, k, combinations(group, k) * combinations(kMaxNumber - group, kPositions - k)});
    return values;
}

QVector<ShapeValue> computeShapeValues(Shape shape) {
    QVector<ShapeValue> values;
    switch (shape) {
    case Shape::Sum: {
        const std::array<qint64, kSumLimit> bySum = linesBySum();
        for (int low = 0; low < kSumLimit; low += kSumBand) {
            ShapeValue band{low, low + kSumBand - 1, 0};
            for (int s = low; s <= band.high && s < kSumLimit; ++s)
                band.lines += bySum.at(s);
            values.append(band);
        }
        break;
    }
    case Shape::Odd:
        values = linesFromGroup((kMaxNumber + 1) / 2);
        break;
    case Shape::Low:
        values = linesFromGroup(kLowTop);
        break;
    case Shape::LongestRun:
        for (int run = 1; run <= kPositions; ++run)
            values.append({run, run, linesWithRunsAtMost(run) - linesWithRunsAtMost(run - 1)});
        break;
    case Shape::Shared:
    case Shape::Count:
        values = linesFromGroup(kPositions); // the previous draw's seven
        break;
    }
    values.removeIf([](const ShapeValue& v) { return v.lines == 0; });
    return values;
}

// The figure of each draw compared, counted by value.
std::array<int, kSumLimit> drawsByValue(const DrawTable& table, int draws, Shape shape) {
    std::array<int, kSumLimit> counts{};
    for (int i = 0; i < draws; ++i) {
        const NumberBits bits = mainBits(table.at(i));
        int value = 0;
        switch (shape) {
        case Shape::Sum:
            value = sumOf(bits);
            break;
        case Shape::Odd:
            value = std::popcount(bits & kOddBits);
            break;
        case Shape::Low:
            value = std::popcount(bits & kLowBits);
            break;
        case Shape::LongestRun:
            value = longestRunOf(bits);
            break;
        case Shape::Shared:
        case Shape::Count:
            value = std::popcount(bits & mainBits(table.at(i + 1)));
            break;
        }
        ++counts.at(value);
    }
    return counts;
}

QString valueLabel(const ShapeValue& value) {
    if (value.low == value.high)
        return QString::number(value.low);
    return QStringLiteral("%1～%2").arg(value.low).arg(value.high);
}

} // namespace

QString shapeName(Shape shape) {
    switch (shape) {
    case Shape::Odd:
        return QStringLiteral("奇数の個数");
    case Shape::Low:
        return QStringLiteral("1～18の個数");
    case Shape::LongestRun:
        return QStringLiteral("最長の連番");
    case Shape::Shared:
        return QStringLiteral("前回と共通の個数");
    case Shape::Sum:
    case Shape::Count:
        break;
    }
    return QStringLiteral("合計");
}

const QVector<ShapeValue>& shapeValues(Shape shape) {
    static const std::array<QVector<ShapeValue>, kShapeCount> all = [] {
        std::array<QVector<ShapeValue>, kShapeCount> values;
        for (int s = 0; s < kShapeCount; ++s)
            values.at(s) = computeShapeValues(static_cast<Shape>(s));
        return values;
    }();
    return all.at(std::clamp(static_cast<int>(shape), 0, kShapeCount - 1));
}

ShapeTest shapeTest(const QVector<ShapeRow>& rows) {
    struct Group {
        double observed = 0;
        double expected = 0;
    };
    QVector<Group> groups;
    Group open;
    for (const ShapeRow& row : rows) {
        open.observed += row.count;
        open.expected += row.expected;
        if (open.expected >= 5.0) {
            groups.append(open);
            open = {};
        }
    }
    // What is left expects under 5: it joins the last group.
    if (groups.isEmpty())
        groups.append(open);
    else
        groups.last() = {groups.last().observed + open.observed,
                         groups.last().expected + open.expected};
    ShapeTest test;
    test.degrees = static_cast<int>(groups.size()) - 1;
    if (test.degrees < 1)
        return {};
    for (const Group& g : groups)
        test.chiSquare += (g.observed - g.expected) * (g.observed - g.expected) / g.expected;
    test.p = chiSquareUpperTail(test.chiSquare, test.degrees);
    return test;
}

ShapePage shapePage(const DrawTable& table, int draws, Shape shape) {
    ShapePage page;
    page.shape = shape;
    page.range = statsRange(table, draws);
    page.draws = page.range.draws;
    // The numbers shared with the previous draw need that draw in the table.
    if (shape == Shape::Shared && page.draws == table.count())
        page.draws = std::max(0, page.draws - 1);
    const std::array<int, kSumLimit> byValue = drawsByValue(table, page.draws, shape);
    const QVector<ShapeValue>& values = shapeValues(shape);
    for (const ShapeValue& value : values) {
        ShapeRow row;
        row.label = valueLabel(value);
        row.chanceShare = static_cast<double>(value.lines) / static_cast<double>(kAllLines);
        row.expected = page.draws * row.chanceShare;
        page.rows.append(row);
    }
    for (int v = 0; v < kSumLimit; ++v) {
        // A draw of fewer than seven distinct numbers, which the files let
        // through, may fall outside what chance gives: the nearest row takes it.
        const auto at = std::find_if(values.cbegin(), values.cend(),
                                     [v](const ShapeValue& value) { return v <= value.high; });
        const auto index = at == values.cend() ? values.size() - 1 : at - values.cbegin();
        page.rows[index].count += byValue.at(v);
    }
    for (ShapeRow& row : page.rows)
        row.share = page.draws > 0 ? static_cast<double>(row.count) / page.draws : 0.0;
    page.test = shapeTest(page.rows);
    return page;
}

QString shapeTestText(const ShapePage& page) {
    const QString name = shapeName(page.shape);
    if (page.test.degrees < 1)
        return QStringLiteral("%1: 回数が少なく、偏りは判定できません。").arg(name);
    const QString figures = QStringLiteral("（χ² = %1、自由度 %2、%3）。")
                                .arg(QString::number(page.test.chiSquare, 'f', 1))
                                .arg(page.test.degrees)
                                .arg(pValueText(page.test.p));
    const QString verdict = page.test.p < 0.05 ? QStringLiteral("偶然より偏っています")
                                               : QStringLiteral("偶然の範囲内です");
    return QStringLiteral("%1の分布は").arg(name) + verdict + figures;
}

QStringList shapeHeaders(Shape shape) {
    return {shapeName(shape), QStringLiteral("回数"), QStringLiteral("割合"),
            QStringLiteral("偶然の割合"), QStringLiteral("期待回数")};
}

QStringList shapeRowTexts(const ShapeRow& row) {
    return {row.label, QString::number(row.count), shareText(row.share), shareText(row.chanceShare),
            QString::number(row.expected, 'f', 2)};
}
