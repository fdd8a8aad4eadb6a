#include "ledger/ClaimedFile.h"

#include "common/Chars.h"
#include "common/ComType.h"
#include "common/DataFolder.h"
#include "common/ProgramFiles.h"

#include <QDir>

namespace {

const QString kDateFormat = QStringLiteral("yyyy/MM/dd");
const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");

// Exactly the digits and slashes of "YYYY/MM/DD": QDate's reading of the
// format also takes a sign before the year.
bool hasDateShape(QStringView text) {
    constexpr qsizetype kLength = 10;
    if (text.size() != kLength)
        return false;
    for (qsizetype i = 0; i < kLength; ++i)
        if (i == 4 || i == 7 ? text[i] != u'/' : !isAsciiDigit(text[i]))
            return false;
    return true;
}

} // namespace

int claimedDrawOfLine(const QString& line, QDate* on) {
    const QStringList fields = line.split(u',');
    if (fields.size() != 2)
        return 0;
    const int number = plainDrawNumber(fields.at(0));
    const QDate date =
        hasDateShape(fields.at(1)) ? QDate::fromString(fields.at(1), kDateFormat) : QDate();
    if (number == 0 || !date.isValid())
        return 0;
    if (on)
        *on = date;
    return number;
}

ClaimedFile ClaimedFile::fromBytes(const QByteArray& bytes) {
    ClaimedFile file;
    QByteArray body = bytes;
    file.m_byteOrderMark = body.startsWith(kUtf8ByteOrderMark);
    if (file.m_byteOrderMark)
        body.remove(0, kUtf8ByteOrderMark.size());
    file.m_lines = body.split('\n');
    if (!file.m_lines.isEmpty() && file.m_lines.last().isEmpty())
        file.m_lines.removeLast(); // the end of the last line, not a line
    for (QByteArray& line : file.m_lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return file;
}

QString ClaimedFile::path() {
    return QDir(clientDir()).filePath(kClaimedFileName);
}

ClaimedFile ClaimedFile::read() {
    return fromBytes(readFileIfExists(path()).value_or(QByteArray()));
}

QMap<int, QDate> ClaimedFile::claimed() const {
    QMap<int, QDate> draws;
    for (const QByteArray& line : m_lines) {
        QDate on;
        if (const int number = claimedDrawOfLine(QString::fromLatin1(line), &on);
            number > 0 && !draws.contains(number))
            draws.insert(number, on);
    }
    return draws;
}

void ClaimedFile::tick(int drawNumber, const QDate& on) {
    if (!isClaimed(drawNumber))
        m_lines.append(
            QStringLiteral("%1,%2").arg(drawNumber).arg(on.toString(kDateFormat)).toLatin1());
}

void ClaimedFile::untick(int drawNumber) {
    m_lines.removeIf([drawNumber](const QByteArray& line) {
        return claimedDrawOfLine(QString::fromLatin1(line)) == drawNumber;
    });
}

QByteArray ClaimedFile::bytes() const {
    QByteArray bytes = m_byteOrderMark ? kUtf8ByteOrderMark : QByteArray();
    for (const QByteArray& line : m_lines)
        bytes += line + "\r\n";
    return bytes;
}

void ClaimedFile::write() const {
    QDir().mkpath(clientDir());
    writeOwnFile(path(), bytes());
}
