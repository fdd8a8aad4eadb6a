#include "common/ComFunction.h"

#include "common/AppError.h"
#include "common/LineScanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

QString& programDirOverride() {
    static QString dir;
    return dir;
}

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

QString programDir() {
    if (!programDirOverride().isEmpty())
        return programDirOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramDir(const QString& dir) {
    programDirOverride() = dir;
}

QString programPath(const QString& relative) {
    return QDir(programDir()).filePath(relative);
}

void removeTemporaryLeftovers(const QString& folder, const QString& prefix) {
    constexpr qsizetype kRandomLetters = 6;
    QDir dir(folder);
    const QStringList names = dir.entryList({prefix + QStringLiteral("*")},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        // The name filter ignores case on some systems: compare exactly.
        if (name.size() != prefix.size() + kRandomLetters || !name.startsWith(prefix))
            continue;
        bool letters = true;
        for (qsizetype k = prefix.size(); k < name.size(); ++k)
            letters = letters && isAsciiLetter(name[k]);
        if (letters)
            dir.remove(name);
    }
}

QStringList ReadLines(const QString& path) {
    QStringList lines;
    QFile file(path);
    if (!file.exists())
        return lines;
    if (!file.open(QIODevice::ReadOnly))
        throw TAppError(
            QStringLiteral("ファイルを開けません: %1\n%2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw TAppError(
            QStringLiteral("ファイルを読み込めません: %1\n%2").arg(path, file.errorString()));
    file.close();

    LineScanner scanner(data);
    ScannedLine line;
    while (scanner.next(line))
        lines.append(
            QString::fromUtf8(data.constData() + line.textBegin, line.textEnd - line.textBegin));
    return lines;
}

QString takeField(QString& rest) {
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) {
        QString field = rest;
        rest.clear();
        return field;
    }
    QString field = rest.left(comma);
    rest.remove(0, comma + 1);
    return field;
}

QString quotedValueText(QStringView text) {
    constexpr qsizetype kMaxQuoted = 40;
    if (text.size() <= kMaxQuoted)
        return text.toString();
    // Never cut a character outside the basic plane in half.
    const qsizetype cut = text[kMaxQuoted - 1].isHighSurrogate() ? kMaxQuoted - 1 : kMaxQuoted;
    return text.first(cut).toString() + QStringLiteral("…");
}

int parseInteger(const QString& text) {
    // Optional sign, then decimal digits only; no blanks, no thousands separators.
    const auto bad = [&text] {
        return TAppError(QStringLiteral("'%1' は整数ではありません").arg(quotedValueText(text)));
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n)
        throw bad();
    qint64 value = 0;
    for (; i < n; ++i) {
        if (!isAsciiDigit(text[i]))
            throw bad();
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 2147483648LL)
            throw bad();
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        throw bad();
    return static_cast<int>(value);
}

QDate parseDate(const QString& text) {
    // Year (four digits), month and day separated by "/"; 2013/4/5 is accepted.
    const auto bad = [&text] {
        return TAppError(QStringLiteral("'%1' は日付ではありません").arg(quotedValueText(text)));
    };
    // A date has two slashes; a huge field is refused before it is split up.
    if (text.size() > 10)
        throw bad();
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        throw bad();
    int values[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const QString& part = parts[k];
        const qsizetype maxLen = k == 0 ? 4 : 2;
        if (part.isEmpty() || part.size() > maxLen || (k == 0 && part.size() != 4))
            throw bad();
        for (QChar c : part)
            if (!isAsciiDigit(c))
                throw bad();
        values[k] = part.toInt();
    }
    const QDate date(values[0], values[1], values[2]);
    if (!date.isValid())
        throw bad();
    return date;
}

long double parseFloat(const QString& text) {
    // Digits with an optional decimal point and fraction, an optional sign and
    // exponent; nothing else (no blanks, no separators, no inf or nan).
    const auto bad = [&text] {
        return TAppError(
            QStringLiteral("'%1' は浮動小数点数ではありません").arg(quotedValueText(text)));
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        throw bad();
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        qsizetype expDigits = 0;
        while (i < n && isAsciiDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            throw bad();
    }
    if (i != n)
        throw bad();
    // from_chars keeps the full extended precision and ignores the C locale.
    QByteArray ascii = text.toLatin1();
    if (ascii.startsWith('+'))
        ascii.remove(0, 1);
    long double value = 0;
    const char* end = ascii.constData() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.constData(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw bad();
    return value;
}

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

TVersion parseVersion(const QString& text) {
    TVersion version;
    version.Text = text;
    const QStringList parts = text.split(u'.', Qt::SkipEmptyParts);
    int* fields[4] = {&version.Major, &version.Minor, &version.Release, &version.Build};
    for (qsizetype k = 0; k < 4 && k < parts.size(); ++k)
        *fields[k] = parts[k].toInt(); // a non-numeric part counts 0
    return version;
}

TVersion buildVersion() {
    return parseVersion(QStringLiteral(SEPTARION_VERSION_TEXT));
}

namespace {

[[noreturn]] void throwWriteError(const QString& path, const QString& reason) {
    throw TAppError(QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, reason));
}

} // namespace

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        throwWriteError(path, QStringLiteral("ファイル名がありません"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteError(path, file.errorString());
    // flush() here, since commit() does not notice a short write of buffered
    // data (a full disk taking only part of the last block).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throwWriteError(path, reason);
    }
    if (!file.commit())
        throwWriteError(path, file.errorString());
}
