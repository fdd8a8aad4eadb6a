#include "analysis/Wheel.h"

#include "common/AppError.h"
#include "common/Chars.h"
#include "common/Formats.h"
#include "common/NumberList.h"

#include <algorithm>
#include <bit>

namespace {

constexpr qint64 kNumberCap = 1000; // any longer digit run is out of range all the same

const QString kPoolSizes = QStringLiteral("8～20個にしてください。");

// Why distinct numbers of 1..37 are no pool, or nothing.
QString sizeRefusal(qsizetype size) {
    if (size < kWheelMinPool)
        return QStringLiteral("プールの数字が足りません（%1個）。").arg(size) + kPoolSizes;
    if (size > kWheelMaxPool)
        return QStringLiteral("プールの数字が多すぎます（%1個）。").arg(size) + kPoolSizes;
    return {};
}

// Why the numbers are no pool, or nothing: the first out of range, then the
// first repeated, then their count.
QString poolRefusal(const QVector<int>& numbers) {
    NumberSet seen{};
    for (const int n : numbers)
        if (n < 1 || n > kMaxNumber)
            return QStringLiteral("%1は1～37の範囲外です。").arg(n);
    for (const int n : numbers) {
        bool& taken = seen[static_cast<std::size_t>(n - 1)];
        if (taken)
            return QStringLiteral("%1が重複しています。").arg(formatTwoDigits(n));
        taken = true;
    }
    return sizeRefusal(numbers.size());
}

QVector<WheelLine> linesOf(const std::vector<PoolMask>& masks, const QVector<int>& pool) {
    QVector<WheelLine> lines;
    lines.reserve(static_cast<qsizetype>(masks.size()));
    for (const PoolMask mask : masks) {
        WheelLine line{};
        std::size_t at = 0;
        for (PoolMask bits = mask; bits != 0; bits &= bits - 1)
            line.at(at++) = pool.at(std::countr_zero(bits));
        lines.append(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

QString tooManyLinesText(const CoverOutcome& outcome) {
    const QString hint = QStringLiteral("プールの数字を減らすか、約束を緩めてください。");
    const auto lines = static_cast<qint64>(outcome.lines.size());
    if (!outcome.complete())
        return QStringLiteral("%1口を超えるため作成しません（%2口を選んだ時点で、まだ%3通りの場合に"
                              "約束を守れません）。")
                   .arg(groupDigits(kWheelMaxLines), groupDigits(lines),
                        groupDigits(outcome.casesLeft)) +
               hint;
    return QStringLiteral("%1口が必要なため作成しません（%2口まで）。")
               .arg(groupDigits(lines), groupDigits(kWheelMaxLines)) +
           hint;
}

// Progress of one step of the build reported as part of the whole.
WheelProgress partOf(const WheelProgress& progress, int offset, int total) {
    if (!progress)
        return {};
    return [&progress, offset, total](int done, int) { return progress(offset + done, total); };
}

} // namespace

WheelPool readWheelPool(const QString& text) {
    WheelPool pool;
    for (const QString& part : numberListParts(text)) {
        const std::optional<qint64> value = asciiNumber(part, kNumberCap);
        if (!value)
            pool.refusal = QStringLiteral("「%1」は数字ではありません。").arg(part);
        else if (*value < 1 || *value > kMaxNumber)
            pool.refusal = QStringLiteral("「%1」は1～37の範囲外です。").arg(part);
        if (!pool.accepted()) {
            pool.numbers.clear();
            return pool;
        }
        pool.numbers.append(static_cast<int>(*value));
    }
    pool.refusal = poolRefusal(pool.numbers);
    if (pool.accepted())
        std::sort(pool.numbers.begin(), pool.numbers.end());
    else
        pool.numbers.clear();
    return pool;
}

bool WheelPromise::valid() const {
    return match >= kWheelMinMatch && match <= kWheelMaxMatch && ifCount >= match &&
           ifCount <= kPositions;
}

QString wheelPromiseText(const WheelPromise& promise) {
    return QStringLiteral("本数字がプールに%1個以上あれば、少なくとも1口が%2個一致")
        .arg(promise.ifCount)
        .arg(promise.match);
}

std::optional<Wheel> buildWheel(const QVector<int>& pool, const WheelPromise& promise,
                                const WheelProgress& progress) {
    const QString refusal = poolRefusal(pool);
    if (!refusal.isEmpty())
        throw TAppError(refusal);
    if (!promise.valid())
        throw TAppError(QStringLiteral("約束は4～6個の一致で、プールに入る本数字はその数から7個まで"
                                       "にしてください。"));
    Wheel wheel;
    wheel.pool = pool;
    std::sort(wheel.pool.begin(), wheel.pool.end());
    wheel.promise = promise;
    const CoverTask task{static_cast<int>(pool.size()), promise.match, promise.ifCount};
    const auto cases = static_cast<int>(binomial(task.poolSize, task.ifCount));
    const int coverSteps = coverRuns(task) * cases;
    const int total = coverSteps + cases;

    const std::optional<CoverOutcome> outcome =
        coverCases(task, kWheelMaxLines, partOf(progress, 0, total));
    if (!outcome)
        return std::nullopt;
    if (!outcome->complete() || outcome->lines.size() > static_cast<std::size_t>(kWheelMaxLines))
        throw TAppError(tooManyLinesText(*outcome));
    const std::optional<std::int64_t> missed =
        casesNotKept(outcome->lines, task, partOf(progress, coverSteps, total));
    if (!missed)
        return std::nullopt;
    if (*missed > 0)
        throw TAppError(QStringLiteral("作成した%1口では、%2通りの場合に約束を守れません。")
                            .arg(groupDigits(static_cast<qint64>(outcome->lines.size())),
                                 groupDigits(*missed)));
    wheel.lines = linesOf(outcome->lines, wheel.pool);
    wheel.casesChecked = cases;
    return wheel;
}
