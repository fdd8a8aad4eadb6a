#include "SampleData.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

namespace {

// Uniform numbers from the engine's raw output. The engine's sequence is
// fixed by the standard; the mapping to ranges is done here rather than by a
// standard distribution, whose algorithm differs between libraries, so one
// seed gives the same files everywhere.
class SampleRandom {
public:
    explicit SampleRandom(quint32 seed) : m_engine(seed) {}

    // Uniform in 0..n-1, n > 0.
    std::uint64_t below(std::uint64_t n) {
        // Reject the lowest 2^64 mod n raw values so that every result is
        // equally likely.
        const std::uint64_t threshold = (0 - n) % n;
        for (;;) {
            const std::uint64_t high = m_engine() & 0xffffffffU;
            const std::uint64_t raw = (high << 32) | (m_engine() & 0xffffffffU);
            if (raw >= threshold)
                return raw % n;
        }
    }

    // Uniform in lo..hi, lo <= hi.
    qint64 between(qint64 lo, qint64 hi) {
        return lo + static_cast<qint64>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }

    bool percent(int chance) { return below(100) < static_cast<std::uint64_t>(chance); }

private:
    std::mt19937 m_engine;
};

struct SampleDraw {
    int number = 0;
    QDate date;
    std::array<int, 7> mains{};
    std::array<int, 2> bonus{};
    std::array<qint64, 6> winners{};
    std::array<qint64, 6> amounts{};
    qint64 carryOver = 0;
};

// No draws are held from 31 December to 3 January.
bool isYearEndBreak(const QDate& date) {
    return (date.month() == 12 && date.day() == 31) || (date.month() == 1 && date.day() <= 3);
}

QDate nextDrawDate(const QDate& previous) {
    QDate date = previous.addDays(7);
    while (isYearEndBreak(date))
        date = date.addDays(7);
    return date;
}

qint64 roundTo100(qint64 yen) {
    return (yen + 50) / 100 * 100;
}

void drawNumbers(SampleRandom& random, SampleDraw& draw) {
    // A partial shuffle of 1..37: the first seven are the main numbers, the
    // next two the bonus numbers in the order drawn.
    std::array<int, 37> balls{};
    std::iota(balls.begin(), balls.end(), 1);
    for (int i = 0; i < 9; ++i) {
        const auto j = i + static_cast<int>(random.below(static_cast<std::uint64_t>(37 - i)));
        std::swap(balls[static_cast<size_t>(i)], balls[static_cast<size_t>(j)]);
    }
    std::copy_n(balls.begin(), 7, draw.mains.begin());
    std::sort(draw.mains.begin(), draw.mains.end());
    draw.bonus = {balls[7], balls[8]};
}

// Winners and amount of one of tiers 2 to 6: a busy week (high sales) has
// more winners, and more winners share the tier's pool into smaller amounts.
struct TierRange {
    qint64 minWinners, maxWinners, minAmount, maxAmount;
};

constexpr qint64 kMillion = 1'000'000;

constexpr std::array<TierRange, 5> kLowerTiers = {{
    {2, 20, 5'000'000, 25'000'000},
    {60, 250, 400'000, 1'000'000},
    {2'500, 8'000, 5'000, 11'000},
    {50'000, 130'000, 1'200, 2'000},
    {90'000, 200'000, 1'000, 1'200},
}};

void lowerTier(SampleRandom& random, qint64 sales, const TierRange& range, qint64& winners,
               qint64& amount) {
    const qint64 spread = range.maxWinners - range.minWinners;
    const qint64 share = (sales * 6 + random.between(0, kMillion) * 4) / 10; // 0..kMillion
    winners = range.minWinners + spread * share / kMillion;
    const qint64 amountSpread = range.maxAmount - range.minAmount;
    const qint64 noise = random.between(-amountSpread / 8, amountSpread / 8);
    const qint64 raw = range.maxAmount - amountSpread * share / kMillion + noise;
    amount = std::clamp(roundTo100(raw), range.minAmount, range.maxAmount);
}

// Tier 1: the week's pool plus the carry-over is shared by the winners, up to
// one billion yen each (1.2 billion while a carry-over is there); what no one
// wins or the cap leaves over is carried to the next draw.
void topTier(SampleRandom& random, SampleDraw& draw, qint64& carry) {
    const auto roll = random.below(100);
    const qint64 winners = roll < 55 ? 0 : roll < 82 ? 1 : roll < 95 ? 2 : 3;
    const qint64 pool = carry + random.between(300'000'000, 600'000'000);
    const qint64 cap = carry > 0 ? 1'200'000'000 : 1'000'000'000;
    qint64 amount = 0;
    if (winners == 0) {
        carry = pool;
    } else if (pool / winners <= cap) {
        amount = pool / winners / 100 * 100;
        carry = 0;
    } else {
        amount = cap;
        carry = pool - cap * winners;
    }
    draw.winners[0] = winners;
    draw.amounts[0] = amount;
    draw.carryOver = carry;
}

QByteArray twoDigits(int number) {
    return QByteArray::number(number).rightJustified(2, '0');
}

QByteArray drawResultLine(const SampleDraw& draw) {
    QByteArray line = QByteArray::number(draw.number);
    line += ',' + draw.date.toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
    for (int n : draw.mains)
        line += ',' + twoDigits(n);
    for (int n : draw.bonus)
        line += ',' + twoDigits(n);
    return line + "\r\n";
}

QByteArray prizeDataLine(const SampleDraw& draw) {
    QByteArray line = QByteArray::number(draw.number);
    for (size_t tier = 0; tier < draw.winners.size(); ++tier) {
        line += ',' + QByteArray::number(draw.winners[tier]);
        line += ',' + QByteArray::number(draw.amounts[tier]);
    }
    line += ',' + QByteArray::number(draw.carryOver);
    return line + "\r\n";
}

} // namespace

SampleFiles makeSampleFiles(int drawCount, quint32 seed) {
    SampleRandom random(seed);
    std::vector<SampleDraw> draws;
    draws.reserve(static_cast<size_t>(std::max(drawCount, 0)));
    qint64 carry = 0;
    QDate date(2013, 4, 5);
    for (int number = 1; number <= drawCount; ++number) {
        SampleDraw draw;
        draw.number = number;
        draw.date = date;
        drawNumbers(random, draw);
        topTier(random, draw, carry);
        const qint64 sales = random.between(0, kMillion);
        for (size_t k = 0; k < kLowerTiers.size(); ++k)
            lowerTier(random, sales, kLowerTiers[k], draw.winners[k + 1], draw.amounts[k + 1]);
        draws.push_back(draw);
        date = nextDrawDate(date);
    }

    SampleFiles files;
    files.drawResults.reserve(static_cast<qsizetype>(draws.size()) * 44);
    files.prizeData.reserve(static_cast<qsizetype>(draws.size()) * 90);
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        files.drawResults += drawResultLine(*it);
        files.prizeData += prizeDataLine(*it);
    }
    return files;
}
