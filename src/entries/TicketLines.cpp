#include "entries/TicketLines.h"

#include "common/AppError.h"
#include "common/Chars.h"
#include "common/ComType.h"
#include "common/Fields.h"
#include "common/Formats.h"
#include "common/NumberList.h"
#include "common/ProgramFiles.h"
#include "entries/EntryFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kNumbersPerLine = 7;
constexpr qint64 kNumberCap = 1000; // any longer digit run is out of range all the same

bool isLineLetter(QChar c) {
    const char16_t u = c.toUpper().unicode();
    return u >= u'A' && u <= u'E';
}

// The line's fields after the optional letter, which may stand alone or run
// straight into the first number ("A03").
QStringList splitFields(const QString& line, QString& letter) {
    QStringList fields = numberListParts(line);
    if (fields.isEmpty())
        return fields;
    QString& first = fields.first();
    if (isLineLetter(first.front()) && (first.size() == 1 || isAsciiDigit(first.at(1)))) {
        letter = first.front().toUpper();
        first.remove(0, 1);
        if (first.isEmpty())
            fields.removeFirst();
    }
    return fields;
}

// Why the fields are not seven different numbers of 1..37, or nothing.
QString refusalOf(const QStringList& fields, QVector<int>& numbers) {
    for (const QString& field : fields) {
        const std::optional<qint64> value = asciiNumber(field, kNumberCap);
        if (!value)
            return QStringLiteral("数字でない「%1」があります").arg(quotedValueText(field));
        numbers.append(static_cast<int>(*value));
    }
    for (qsizetype i = 0; i < numbers.size(); ++i)
        if (numbers.at(i) < 1 || numbers.at(i) > kMaxNumber)
            return QStringLiteral("%1 は1～37の範囲外です").arg(quotedValueText(fields.at(i)));
    if (numbers.size() != kNumbersPerLine)
        return QStringLiteral("数字が7個ではありません（%1個）").arg(numbers.size());
    std::sort(numbers.begin(), numbers.end());
    const auto repeated = std::adjacent_find(numbers.begin(), numbers.end());
    if (repeated != numbers.end())
        return QStringLiteral("%1 が重複しています").arg(formatTwoDigits(*repeated));
    return {};
}

QString drawRange(const DrawRun& run) {
    return run.count == 1 ? QStringLiteral("第%1回").arg(run.first)
                          : QStringLiteral("第%1回～第%2回").arg(run.first).arg(run.last());
}

QVector<QStringList> entryRows(const QVector<TicketLine>& lines, int drawNumber) {
    QVector<QStringList> rows;
    for (const TicketLine& line : lines) {
        if (!line.accepted())
            continue;
        QStringList row{QString::number(drawNumber)};
        for (const int n : line.numbers)
            row.append(formatTwoDigits(n));
        rows.append(row);
    }
    return rows;
}

// An entry file as it was before this run wrote it.
struct Written {
    int drawNumber = 0;
    QString path;
    std::optional<QByteArray> before;
};

// Puts the files back; the draw numbers of those that could not be.
QStringList restore(const QVector<Written>& written) {
    QStringList failed;
    for (const Written& file : written) {
        try {
            if (file.before) {
                writeOwnFile(file.path, *file.before);
            } else if (!QFile::remove(file.path)) {
                failed.append(QStringLiteral("第%1回").arg(file.drawNumber));
            }
        } catch (const TAppError&) {
            failed.append(QStringLiteral("第%1回").arg(file.drawNumber));
        }
    }
    return failed;
}

} // namespace

std::optional<TicketLine> readTicketLine(const QString& line, int lineNumber) {
    TicketLine ticket;
    ticket.lineNumber = lineNumber;
    ticket.text = line;
    const QStringList fields = splitFields(line, ticket.letter);
    if (fields.isEmpty() && ticket.letter.isEmpty())
        return std::nullopt;
    ticket.rest = fields.join(u' ');
    ticket.refusal = refusalOf(fields, ticket.numbers);
    if (!ticket.accepted())
        ticket.numbers.clear();
    return ticket;
}

QVector<TicketLine> readTicketLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    QVector<TicketLine> read;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        std::optional<TicketLine> line = readTicketLine(lines.at(i), static_cast<int>(i + 1));
        if (!line)
            continue;
        if (read.size() >= kTicketLineLimit) {
            line->numbers.clear();
            line->refusal =
                QStringLiteral("一度に登録できるのは%1行までです").arg(kTicketLineLimit);
        }
        read.append(*line);
    }
    return read;
}

QVector<TicketLine> acceptedTicketLines(const QVector<TicketLine>& lines) {
    QVector<TicketLine> accepted;
    std::copy_if(lines.cbegin(), lines.cend(), std::back_inserter(accepted),
                 [](const TicketLine& line) { return line.accepted(); });
    return accepted;
}

bool DrawRun::valid() const {
    return first >= 1 && count >= 1 && count <= kMaxContinuedDraws && last() <= kMaxDrawNumber;
}

QString drawRunText(const DrawRun& run) {
    if (!run.valid())
        return QStringLiteral("%1は登録できません（開催回は第%2回まで）")
            .arg(drawRange(run))
            .arg(kMaxDrawNumber);
    return QStringLiteral("%1の%2回").arg(drawRange(run)).arg(run.count);
}

QString ticketPriceText(int lines, const DrawRun& run) {
    const qint64 total = qint64{lines} * run.count * kLinePrice;
    return QStringLiteral("%1口 × %2回 × %3円 = %4")
        .arg(lines)
        .arg(run.count)
        .arg(kLinePrice)
        .arg(formatYen(static_cast<long double>(total)));
}

QString ticketNumbersText(const QVector<int>& numbers) {
    QStringList texts;
    for (const int n : numbers)
        texts.append(formatTwoDigits(n));
    return texts.join(u' ');
}

void registerTicketLines(const QVector<TicketLine>& lines, const DrawRun& run) {
    if (!run.valid())
        throw TAppError(drawRunText(run));
    if (acceptedTicketLines(lines).isEmpty())
        return;
    QVector<Written> written;
    for (int drawNumber = run.first; drawNumber <= run.last(); ++drawNumber) {
        const QString path = entryFilePath(QString::number(drawNumber));
        try {
            Written file{drawNumber, path, readFileIfExists(path)};
            appendEntryLines(path, entryRows(lines, drawNumber));
            written.append(file);
        } catch (const TAppError& error) {
            const QStringList kept = restore(written);
            QString text =
                QStringLiteral("第%1回の申込み数字を保存できませんでした。").arg(drawNumber);
            text += kept.isEmpty() ? QStringLiteral("どの回にも登録していません。")
                                   : QStringLiteral("%1のファイルを元に戻せませんでした。")
                                         .arg(kept.join(QStringLiteral("、")));
            throw TAppError(text + u'\n' + error.text());
        }
    }
}

QString ticketLineNumbersText(const TicketLine& line) {
    return line.accepted() ? ticketNumbersText(line.numbers) : line.rest;
}
