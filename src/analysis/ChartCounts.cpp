#include "analysis/ChartCounts.h"

#include <algorithm>

QStringList chartKindCaptions() {
    return {
        QStringLiteral("抽選数字の傾向グラフ(直近１０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近２０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近３０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近４０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近５０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(全データ)"),
        QStringLiteral("基本数字①の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字②の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字③の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字④の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字⑤の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字⑥の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字⑦の個別傾向グラフ(全データ)"),
    };
}

bool isBarKind(int kind) {
    return kind >= 0 && kind < kBarKindCount;
}

int drawsCounted(int kind, int drawCount) {
    if (!isBarKind(kind))
        return 0;
    if (kind == kBarKindCount - 1)
        return drawCount;
    return std::min(10 * (kind + 1), drawCount);
}

NumberCounts drawnCounts(const DrawTable& table, int newest) {
    NumberCounts counts{};
    const int taken = std::clamp(newest, 0, table.count());
    for (int i = 0; i < taken; ++i)
        for (int n : table.at(i).MainNumbers)
            if (n >= 1 && n <= kMaxNumber)
                ++counts[n - 1];
    return counts;
}

NumberCounts positionLine(const PositionCounts& counts, int position) {
    NumberCounts line{};
    for (int n = 1; n <= kMaxNumber; ++n)
        line[n - 1] = counts.at(position, n);
    return line;
}

NumberCounts chartValues(int kind, const DrawTable& table, const PositionCounts& counts) {
    if (isBarKind(kind))
        return drawnCounts(table, drawsCounted(kind, table.count()));
    if (kind >= kBarKindCount && kind < kChartKindCount)
        return positionLine(counts, kind - kBarKindCount + 1);
    return {};
}
