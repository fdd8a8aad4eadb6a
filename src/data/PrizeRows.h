#pragma once

#include "common/ComType.h"

#include <QString>
#include <QStringView>

#include <array>

// Values beyond any real count or amount are held here, so that no text is too
// long to read.
inline constexpr qint64 kValueCap = Q_INT64_C(1'000'000'000'000'000);

// The prize rows of one draw as they are read. The draw takes them as its
// prize data only when all of them are there and exact.
struct PrizeRows {
    std::array<qint64, kPrizeTiers> winners{};
    std::array<qint64, kPrizeTiers> amounts{};
    qint64 carryOver = 0;
    unsigned seen = 0; // bit t for tier t + 1, bit kPrizeTiers for the carry-over
    bool rounded = false;
    QString error; // the first bad value

    void setTier(int tier, QStringView count, QStringView amount) {
        winners.at(tier) = read(count, false);
        amounts.at(tier) = read(amount, true);
        seen |= 1U << tier;
    }
    void setCarryOver(QStringView amount) {
        carryOver = read(amount, true);
        seen |= 1U << kPrizeTiers;
    }
    bool has(int row) const { return (seen & (1U << row)) != 0; }

private:
    qint64 read(QStringView text, bool amount);
};
