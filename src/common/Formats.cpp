#include "common/Formats.h"

#include <cmath>
#include <limits>

QString formatDrawNumber5(int drawNumber) {
    return QString::number(drawNumber).rightJustified(5, u' ');
}

QString formatTwoDigits(int number) {
    if (number < 0)
        return QStringLiteral("-") + QString::number(-qint64(number)).rightJustified(2, u'0');
    return QString::number(number).rightJustified(2, u'0');
}

QString formatDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString groupDigits(qint64 value) {
    const bool negative = value < 0;
    // Work on the magnitude as unsigned so that the most negative value is safe.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, u',');
    return negative ? QStringLiteral("-") + digits : digits;
}

qint64 roundToInteger(long double value) {
    // Half away from zero, as 1234.5 -> 1235; values beyond 64 bits are clamped.
    if (!std::isfinite(value))
        return 0;
    const long double rounded = std::round(value);
    if (rounded >= 9.2e18L)
        return std::numeric_limits<qint64>::max();
    if (rounded <= -9.2e18L)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(rounded);
}

QString formatCount(long double value) {
    return groupDigits(roundToInteger(value));
}

QString formatYen(long double amount) {
    const qint64 yen = roundToInteger(amount);
    if (yen < 0)
        return QStringLiteral("-") + kYenSign + groupDigits(yen).mid(1);
    return kYenSign + groupDigits(yen);
}

QString formatClock(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

qint64 yenAxisStep(qint64 top) {
    qint64 step = 1;
    while (true) {
        for (const qint64 factor : {1, 2, 5})
            if (top / (step * factor) <= 5)
                return step * factor;
        step *= 10;
    }
}
