#include "entries/EntryFile.h"

#include "common/AppError.h"
#include "common/Chars.h"
#include "common/CommaText.h"
#include "common/DataFolder.h"
#include "common/LineScanner.h"
#include "common/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray kLineEnd("\r\n");

bool isRowEmpty(const QStringList& row) {
    for (qsizetype k = 0; k < row.size() && k < kEntryFields; ++k)
        if (!row[k].isEmpty())
            return false;
    return true;
}

void appendLines(QByteArray& out, const QVector<QStringList>& rows, bool skipEmptyRows) {
    for (const QStringList& row : rows) {
        if (skipEmptyRows && isRowEmpty(row))
            continue;
        out.append(entryLine(row).toUtf8());
        out.append(kLineEnd);
    }
}

bool isListed(QStringView line, QStringView drawNumberText) {
    const qsizetype comma = line.indexOf(u',');
    return comma >= 0 && line.left(comma) == drawNumberText;
}

// A line as the line reader sees it, with the bytes that belong to it: from
// the end of the previous line (leading blanks included) through its own CR
// and one LF after it.
struct VisibleLine {
    qsizetype begin = 0;
    qsizetype end = 0;
    bool listed = false;
};

// The lines ReadLines returns, as byte ranges; bytes after the last visible
// line belong to no line.
QVector<VisibleLine> visibleLines(const QByteArray& data, const QString& drawNumberText) {
    QVector<VisibleLine> lines;
    LineScanner scanner(data);
    ScannedLine scanned;
    while (scanner.next(scanned)) {
        const QByteArrayView text(data.constData() + scanned.textBegin,
                                  scanned.textEnd - scanned.textBegin);
        // A comma byte never occurs inside a multi-byte UTF-8 sequence, so the
        // text before it decodes the same as in the whole line.
        const qsizetype comma = text.indexOf(',');
        const bool listed = comma >= 0 && QString::fromUtf8(text.first(comma)) == drawNumberText;
        lines.append(VisibleLine{scanned.begin, scanned.end, listed});
    }
    return lines;
}

bool holdsOnlyBlanks(const QByteArray& data) {
    for (char c : data)
        if (static_cast<unsigned char>(c) > 32)
            return false;
    return true;
}

} // namespace

bool isSafeDrawNumberText(const QString& drawNumberText) {
    for (QChar c : drawNumberText)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

QString entryFilePath(const QString& drawNumberText) {
    if (!isSafeDrawNumberText(drawNumberText))
        return {};
    return QDir(clientDir()).filePath(entryFileName(drawNumberText));
}

QString entryLine(const QStringList& row) {
    return joinCommaText(row.mid(0, kEntryFields));
}

void appendEntryLines(const QString& path, const QVector<QStringList>& rows) {
    const QByteArray existing = readFileIfExists(path).value_or(QByteArray());
    // The new lines go right after the last line the reader lists, so that no
    // empty line can come before them. What follows that line is dropped when
    // it holds only blanks and control characters (a hand-edited tail) and
    // otherwise kept after the new lines: lines after an empty line stay
    // hidden, byte for byte.
    LineScanner scanner(existing);
    ScannedLine line;
    bool lastLineEnded = true;
    while (scanner.next(line))
        lastLineEnded = line.hasLineEnd();
    const QByteArray rest = existing.mid(scanner.position());

    QByteArray content = existing.left(scanner.position());
    // A bare LF does not end a line for the reader, so only CR or CR LF counts.
    if (!lastLineEnded)
        content.append(kLineEnd);
    appendLines(content, rows, false);
    if (!holdsOnlyBlanks(rest))
        content.append(rest);
    writeOwnFile(path, content);
}

void writeEntryLines(const QString& path, const QVector<QStringList>& rows) {
    QByteArray content;
    appendLines(content, rows, true);
    writeOwnFile(path, content);
}

QStringList listedEntryLines(const QStringList& fileLines, const QString& drawNumberText) {
    QStringList listed;
    for (const QString& line : fileLines)
        if (isListed(line, drawNumberText))
            listed.append(line);
    return listed;
}

void cancelListedLine(const QString& path, const QString& drawNumberText, int listedIndex) {
    std::optional<QByteArray> data = readFileIfExists(path);
    if (!data || listedIndex < 0)
        return;
    int seen = 0;
    for (const VisibleLine& line : visibleLines(*data, drawNumberText)) {
        if (!line.listed)
            continue;
        if (seen++ == listedIndex) {
            data->remove(line.begin, line.end - line.begin);
            writeOwnFile(path, *data);
            return;
        }
    }
}

void cancelAllListedLines(const QString& path, const QString& drawNumberText) {
    const std::optional<QByteArray> content = readFileIfExists(path);
    if (!content)
        return;
    const QByteArray& data = *content;
    QByteArray rest;
    rest.reserve(data.size());
    qsizetype kept = 0; // bytes before this offset are already decided
    bool removed = false;
    for (const VisibleLine& line : visibleLines(data, drawNumberText)) {
        if (!line.listed)
            continue;
        rest.append(data.constData() + kept, line.begin - kept);
        kept = line.end;
        removed = true;
    }
    rest.append(data.constData() + kept, data.size() - kept);

    if (holdsOnlyBlanks(rest)) {
        removeWriteLeftovers(path);
        QFile file(path);
        if (!file.remove())
            throw TAppError(
                QStringLiteral("ファイルを削除できません: %1\n%2").arg(path, file.errorString()));
        return;
    }
    if (removed)
        writeOwnFile(path, rest);
}
