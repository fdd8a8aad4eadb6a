#include "analysis/WheelFigures.h"

#include "common/ComType.h"
#include "common/CsvFile.h"
#include "common/Formats.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr int kStride = 1024; // cases between two progress reports

std::vector<PoolMask> lineMasks(const Wheel& wheel) {
    std::vector<PoolMask> masks;
    masks.reserve(static_cast<std::size_t>(wheel.lines.size()));
    for (const WheelLine& line : wheel.lines) {
        PoolMask mask = 0;
        for (const int n : line)
            mask |= PoolMask{1} << wheel.pool.indexOf(n);
        masks.push_back(mask);
    }
    return masks;
}

// The most numbers of the case any line matches.
int bestMatch(const std::vector<PoolMask>& lines, PoolMask c, int most) {
    int best = 0;
    for (const PoolMask line : lines) {
        best = std::max(best, std::popcount(line & c));
        if (best == most)
            break;
    }
    return best;
}

// Fills the counts of the rows of four or more drawn numbers in the pool.
bool countCover(const Wheel& wheel, QVector<WheelCoverRow>& rows, const WheelProgress& progress) {
    const std::vector<PoolMask> lines = lineMasks(wheel);
    const auto poolSize = static_cast<int>(wheel.pool.size());
    std::int64_t total = 0;
    for (int k = kWheelTierMatches.front(); k <= kPositions; ++k)
        total += binomial(poolSize, k);
    std::int64_t done = 0;
    for (int k = kWheelTierMatches.front(); k <= kPositions; ++k) {
        WheelCoverRow& row = rows[k];
        for (const PoolMask c : subsetsOfSize(poolSize, k)) {
            const int best = bestMatch(lines, c, k);
            for (std::size_t tier = 0; tier < kWheelTierMatches.size(); ++tier)
                row.atLeast.at(tier) += best >= kWheelTierMatches.at(tier) ? 1 : 0;
            if (++done % kStride == 0 && progress &&
                !progress(static_cast<int>(done), static_cast<int>(total)))
                return false;
        }
    }
    return true;
}

// Shares and chances as percentages: two decimals, more for a small chance so
// that it never reads as nothing.
QString percentText(double share) {
    const double percent = share * 100.0;
    int decimals = 2;
    if (percent > 0 && percent < 0.01)
        decimals = std::min(12, 1 - static_cast<int>(std::floor(std::log10(percent))));
    return QString::number(percent, 'f', decimals) + QStringLiteral("\u00a0%");
}

// A share of cases: 100 % only when every case, 0 % only when none.
QString shareText(qint64 count, qint64 cases) {
    if (count == cases)
        return QStringLiteral("100\u00a0%");
    if (count == 0)
        return QStringLiteral("0\u00a0%");
    const double hundredths = std::floor(10000.0 * static_cast<double>(count) / cases);
    return QString::number(std::max(hundredths, 1.0) / 100.0, 'f', 2) + QStringLiteral("\u00a0%");
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return a <= 0 ? 0 : (a + b - 1) / b;
}

// Schönheim: C(v, 7, t) >= ceil(v / 7 * ceil((v - 1) / 6 * ... )).
std::int64_t schonheim(int poolSize, int size) {
    std::int64_t bound = 1;
    for (int i = size - 1; i >= 0; --i)
        bound = ceilDiv((poolSize - i) * bound, kPositions - i);
    return bound;
}

// Each number x lies in r_x lines; the cases holding x are kept either by
// lines through x (`through` each) or by the others (`beside` each), so
// r_x >= (cases - b * beside) / (through - beside), and the r_x add up to 7b.
std::int64_t pointBound(const CoverTask& task) {
    const int v = task.poolSize;
    std::int64_t through = 0;
    std::int64_t beside = 0;
    for (int j = task.match - 1; j < task.ifCount; ++j)
        through += binomial(kPositions - 1, j) * binomial(v - kPositions, task.ifCount - 1 - j);
    for (int j = task.match; j < task.ifCount; ++j)
        beside += binomial(kPositions, j) * binomial(v - kPositions - 1, task.ifCount - 1 - j);
    const std::int64_t cases = binomial(v - 1, task.ifCount - 1);
    if (through <= beside)
        return 1;
    std::int64_t lines = 1;
    while (kPositions * lines < v * ceilDiv(cases - lines * beside, through - beside))
        ++lines;
    return lines;
}

} // namespace

double poolDrawChance(int poolSize, int inPool) {
    return static_cast<double>(binomial(poolSize, inPool) *
                               binomial(kMaxNumber - poolSize, kPositions - inPool)) /
           static_cast<double>(kAllLines);
}

double WheelCoverRow::share(std::size_t tier) const {
    return cases > 0 ? static_cast<double>(atLeast.at(tier)) / static_cast<double>(cases) : 0;
}

std::optional<QVector<WheelCoverRow>> wheelCoverTable(const Wheel& wheel,
                                                      const WheelProgress& progress) {
    QVector<WheelCoverRow> rows;
    const auto poolSize = static_cast<int>(wheel.pool.size());
    for (int k = 0; k <= kPositions; ++k)
        rows.append({k, poolDrawChance(poolSize, k), binomial(poolSize, k), {}});
    if (!countCover(wheel, rows, progress))
        return std::nullopt;
    return rows;
}

QStringList wheelCoverHeaders() {
    QStringList headers{QStringLiteral("プール内の本数字"), QStringLiteral("確率")};
    for (const int match : kWheelTierMatches)
        headers << (match == kPositions ? QStringLiteral("7個一致")
                                        : QStringLiteral("%1個以上一致").arg(match));
    return headers;
}

QStringList wheelCoverRowTexts(const WheelCoverRow& row) {
    QStringList texts{QStringLiteral("%1個").arg(row.inPool), percentText(row.chance)};
    for (std::size_t tier = 0; tier < kWheelTierMatches.size(); ++tier)
        texts << (kWheelTierMatches.at(tier) > row.inPool
                      ? QStringLiteral("—")
                      : shareText(row.atLeast.at(tier), row.cases));
    return texts;
}

WheelVersus wheelVersus(const Wheel& wheel, const QVector<WheelCoverRow>& table) {
    WheelVersus versus;
    versus.lines = static_cast<int>(wheel.lines.size());
    for (const WheelCoverRow& row : table)
        versus.wheelChance += row.chance * row.share(0);
    const double p4 = static_cast<double>(kLinesMatchingFour) / static_cast<double>(kAllLines);
    versus.randomChance = -std::expm1(versus.lines * std::log1p(-p4));
    versus.expectedLines = versus.lines * p4;
    return versus;
}

QString wheelSummaryText(const Wheel& wheel) {
    const auto lines = static_cast<qint64>(wheel.lines.size());
    return QStringLiteral("%1口（%2）：%3 — 全%4通りで確認済み")
        .arg(groupDigits(lines), formatYen(static_cast<long double>(lines * kLinePrice)),
             wheelPromiseText(wheel.promise), groupDigits(wheel.casesChecked));
}

QString wheelVersusText(const WheelVersus& versus) {
    return QStringLiteral("4個以上一致する口が1口以上ある確率：このホイール %1、"
                          "ランダムな%2口 %3\n"
                          "4個以上一致する口数の期待値：どちらも %4口\n"
                          "ホイールは当せんの期待値を変えません。"
                          "プールに本数字が入ったときに当せんを集めます。")
        .arg(percentText(versus.wheelChance), groupDigits(versus.lines),
             percentText(versus.randomChance), QString::number(versus.expectedLines, 'f', 3));
}

QVector<QStringList> wheelLineRows(const Wheel& wheel) {
    QVector<QStringList> rows;
    rows.reserve(wheel.lines.size());
    for (const WheelLine& line : wheel.lines) {
        QStringList row;
        for (const int n : line)
            row << formatTwoDigits(n);
        rows.append(row);
    }
    return rows;
}

QByteArray wheelCsv(const Wheel& wheel) {
    return csvFileBytes(wheelLineRows(wheel));
}

int wheelLowerBound(int poolSize, const WheelPromise& promise) {
    const CoverTask task{poolSize, promise.match, promise.ifCount};
    std::int64_t bound = std::max(
        ceilDiv(binomial(poolSize, promise.ifCount), casesKeptByLine(task)), pointBound(task));
    if (promise.match == promise.ifCount)
        bound = std::max(bound, schonheim(poolSize, promise.ifCount));
    return static_cast<int>(bound);
}
