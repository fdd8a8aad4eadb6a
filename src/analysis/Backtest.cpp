#include "analysis/Backtest.h"

#include "common/CsvFile.h"
#include "common/Formats.h"
#include "data/DrawIndex.h"
#include "data/HitRule.h"
#include "predict/ExclusionText.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

constexpr qint64 kWinningLines = [] {
    qint64 lines = 0;
    for (const qint64 tierLines : kTierLines)
        lines += tierLines;
    return lines;
}();

double percent(double part, double whole) {
    return whole > 0 ? part * 100.0 / whole : 0.0;
}

// A uniform number in [0, 1) from 53 bits of the generator: the same on
// every platform, unlike the standard distributions.
double uniform(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11U) * 0x1.0p-53;
}

QString oneDecimal(double value) {
    return QString::number(value, 'f', 1);
}

} // namespace

QVector<DrawResult> drawsOldestFirst(const DrawTable& draws) {
    QVector<DrawResult> sorted;
    sorted.reserve(draws.count());
    QSet<int> seen;
    for (const DrawResult& draw : draws.draws())
        if (!seen.contains(draw.DrawNumber)) {
            seen.insert(draw.DrawNumber);
            sorted.append(draw);
        }
    std::stable_sort(sorted.begin(), sorted.end(), [](const DrawResult& a, const DrawResult& b) {
        return a.DrawNumber < b.DrawNumber;
    });
    return sorted;
}

BacktestRange backtestRange(int drawCount, int requested) {
    BacktestRange range;
    range.requested = requested;
    range.count = std::clamp(std::min(requested, drawCount - kBacktestHistory), 0, drawCount);
    range.first = drawCount - range.count;
    return range;
}

quint32 drawSeed(quint32 seed, int drawNumber) {
    // Mixed, so that neighbouring draws and seeds give unrelated lines.
    quint64 x = (quint64{seed} << 32U) ^ static_cast<quint32>(drawNumber);
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27U)) * 0x94D049BB133111EBULL;
    return static_cast<quint32>((x ^ (x >> 31U)) >> 16U);
}

QVector<std::array<int, kPositions>> backtestLines(const BacktestOptions& options,
                                                   const PositionCounts& counts, int drawNumber,
                                                   int* stuckAt) {
    const GenerationRule rule(options.mode, options.threshold, counts, options.excluded);
    LotoRandom random(drawSeed(options.seed, drawNumber));
    QVector<std::array<int, kPositions>> lines;
    lines.reserve(options.linesPerDraw);
    for (int i = 0; i < options.linesPerDraw; ++i) {
        const auto line = generateLine(random, rule, stuckAt);
        if (!line)
            break;
        lines.append(*line);
    }
    return lines;
}

double tierChance(int tier) {
    return static_cast<double>(kTierLines.at(tier - 1)) / static_cast<double>(kAllLines);
}

double chanceValue(const PrizeRecord& prize) {
    double value = 0;
    for (int tier = 1; tier <= kPrizeTiers; ++tier)
        value += tierChance(tier) * static_cast<double>(prize.Amounts.at(tier - 1));
    return value;
}

BacktestResult runBacktest(const QVector<DrawResult>& history, const PrizeTable& prizes,
                           const BacktestOptions& options,
                           const std::function<bool(int, int)>& progress) {
    BacktestResult result;
    result.range = backtestRange(static_cast<int>(history.size()), options.draws);
    const BacktestRange& range = result.range;
    const DrawIndex prizeRows(prizes);
    PositionCounts counts;
    for (int i = 0; i < range.first; ++i)
        counts.add(history.at(i));
    result.rows.reserve(range.count);
    for (int i = range.first; i < range.first + range.count; ++i) {
        const DrawResult& target = history.at(i);
        int stuckAt = 0;
        const auto lines = backtestLines(options, counts, target.DrawNumber, &stuckAt);
        if (lines.size() < options.linesPerDraw) {
            // The stuck-run rule: the draw is left out, not counted half.
            result.end = BacktestResult::End::Stuck;
            result.stuckDraw = target.DrawNumber;
            result.stuckPosition = stuckAt;
            result.stuckThreshold = options.threshold;
            return result;
        }
        BacktestRow row;
        row.drawNumber = target.DrawNumber;
        row.date = target.drawDate();
        row.lines = static_cast<int>(lines.size());
        const int prizeRow = prizeRows.rowOf(target.DrawNumber);
        row.prizeMissing = prizeRow < 0;
        if (!row.prizeMissing) {
            const PrizeRecord prize = prizes.at(prizeRow);
            row.amounts = prize.Amounts;
            row.expectedWon = row.lines * chanceValue(prize);
        }
        for (const auto& line : lines) {
            const int tier = prizeTier(hitsOf(line, target));
            if (tier == 0)
                continue;
            ++row.tierLines.at(tier - 1);
            row.won += row.amounts.at(tier - 1);
        }
        result.rows.append(row);
        counts.add(target); // seen by the next target only
        if (progress && !progress(i - range.first + 1, range.count)) {
            result.end = BacktestResult::End::Stopped;
            result.rows.clear();
            return result;
        }
    }
    return result;
}

BacktestTotals backtestTotals(const QVector<BacktestRow>& rows) {
    BacktestTotals totals;
    for (const BacktestRow& row : rows) {
        totals.add(row.lines, row.won);
        totals.expectedWon += row.expectedWon;
        totals.prizeMissing += row.prizeMissing ? 1 : 0;
        for (int t = 0; t < kPrizeTiers; ++t) {
            const double expectedLines = row.lines * tierChance(t + 1);
            totals.tierLines.at(t) += row.tierLines.at(t);
            totals.tierWon.at(t) += row.tierLines.at(t) * row.amounts.at(t);
            totals.expectedTierLines.at(t) += expectedLines;
            totals.expectedTierWon.at(t) += expectedLines * static_cast<double>(row.amounts.at(t));
        }
    }
    return totals;
}

QVector<double> simulatedChanceReturns(const QVector<BacktestRow>& rows, int runs, quint64 seed) {
    QVector<double> returns;
    const BacktestTotals totals = backtestTotals(rows);
    if (totals.lines == 0 || runs <= 0)
        return returns;
    // The amount of each tier at each line's draw: winners are found by
    // skipping geometrically distributed runs of losing lines.
    const double winChance = static_cast<double>(kWinningLines) / static_cast<double>(kAllLines);
    const double logLose = std::log1p(-winChance);
    std::array<double, kPrizeTiers> tierUpTo{};
    double sum = 0;
    for (int t = 0; t < kPrizeTiers; ++t) {
        sum += static_cast<double>(kTierLines.at(t)) / static_cast<double>(kWinningLines);
        tierUpTo.at(t) = sum;
    }
    std::mt19937_64 random(seed);
    returns.reserve(runs);
    for (int run = 0; run < runs; ++run) {
        qint64 won = 0;
        qint64 line = 0;
        qint64 rowEnd = 0;
        int rowIndex = -1;
        for (;;) {
            line += static_cast<qint64>(std::floor(std::log1p(-uniform(random)) / logLose));
            if (line >= totals.lines)
                break;
            while (line >= rowEnd)
                rowEnd += rows.at(++rowIndex).lines;
            const double u = uniform(random);
            int tier = 0;
            while (tier < kPrizeTiers - 1 && u >= tierUpTo.at(tier))
                ++tier;
            won += rows.at(rowIndex).amounts.at(tier);
            ++line;
        }
        returns.append(percent(static_cast<double>(won), static_cast<double>(totals.cost)));
    }
    std::sort(returns.begin(), returns.end());
    return returns;
}

ChanceSpread chanceSpread(const QVector<double>& sortedReturns) {
    if (sortedReturns.isEmpty())
        return {};
    // Nearest rank: of 1,000 runs the 25th and the 975th.
    const auto rank = [&sortedReturns](double share) {
        const auto n = static_cast<double>(sortedReturns.size());
        const auto index = static_cast<qsizetype>(std::ceil(share * n)) - 1;
        return sortedReturns.at(std::clamp<qsizetype>(index, 0, sortedReturns.size() - 1));
    };
    return {rank(0.025), rank(0.975)};
}

QString backtestVerdict(double rate, double expectedRate, const ChanceSpread& spread) {
    // Compared as shown, so that the sentence never contradicts its figures.
    const QString shown = oneDecimal(rate);
    const double rounded = shown.toDouble();
    QString where = QStringLiteral("の内です。");
    if (rounded > oneDecimal(spread.high).toDouble())
        where = QStringLiteral("を上回っています。");
    else if (rounded < oneDecimal(spread.low).toDouble())
        where = QStringLiteral("を下回っています。");
    return QStringLiteral("回収率 %1 % は、ランダムな口の95 %が収まる範囲（%2～%3 %）%4"
                          "偶然の期待値 %5 % は、まれな1等・2等を含めた平均です。")
        .arg(shown, oneDecimal(spread.low), oneDecimal(spread.high), where,
             oneDecimal(expectedRate));
}

QString backtestModeName(GenerationMode mode) {
    switch (mode) {
    case GenerationMode::Exclusion:
        return QStringLiteral("除外数字");
    case GenerationMode::PositionThreshold:
        return QStringLiteral("抽選回数の範囲指定");
    default:
        return QStringLiteral("ランダム");
    }
}

QVector<QStringList> backtestSettings(const BacktestOptions& options) {
    QVector<QStringList> rows{{QStringLiteral("予想方法"), backtestModeName(options.mode)}};
    if (options.mode == GenerationMode::Exclusion)
        rows.append({QStringLiteral("除外数字"), exclusionText(options.excluded).trimmed()});
    else if (options.mode == GenerationMode::PositionThreshold)
        rows.append(
            {QStringLiteral("過去の抽選回数"), QStringLiteral("%1回以上").arg(options.threshold)});
    rows.append({QStringLiteral("1回の口数"), QString::number(options.linesPerDraw)});
    rows.append({QStringLiteral("検証する回数"), QString::number(options.draws)});
    rows.append({QStringLiteral("乱数の種"), QString::number(options.seed)});
    return rows;
}

QVector<QStringList> filterSettings(const LineFilter& filter) {
    QVector<QStringList> rows;
    const QString caption = QStringLiteral("フィルター");
    for (const FilterFigure& figure : kFilterFigures) {
        const FigureRange& range = filter.*figure.range;
        if (!range.on)
            continue;
        const QString bounds = figure.onlyMaximum
                                   ? QStringLiteral("最大%1").arg(range.max)
                                   : QStringLiteral("%1～%2").arg(range.min).arg(range.max);
        rows.append({caption, QString::fromUtf8(figure.caption), bounds});
    }
    if (filter.forbiddenOn)
        rows.append(
            {caption, QStringLiteral("含めない数字"), exclusionText(filter.forbidden).trimmed()});
    return rows;
}

QByteArray backtestCsv(const QVector<BacktestRow>& rows, const QVector<QStringList>& settings) {
    QVector<QStringList> table = settings;
    if (!table.isEmpty())
        table.append(QStringList());
    table.append(QStringLiteral("開催回,抽選日,口数,1等,2等,3等,4等,5等,6等,当選金額,"
                                "偶然の期待値,備考")
                     .split(u','));
    table.reserve(table.size() + rows.size());
    for (const BacktestRow& row : rows) {
        QStringList fields{QString::number(row.drawNumber), formatDate(row.date),
                           QString::number(row.lines)};
        for (const int n : row.tierLines)
            fields << QString::number(n);
        fields << QString::number(row.won) << QString::number(row.expectedWon, 'f', 2)
               << (row.prizeMissing ? QStringLiteral("賞金データなし（0円で計算）") : QString());
        table.append(fields);
    }
    return csvFileBytes(table);
}
