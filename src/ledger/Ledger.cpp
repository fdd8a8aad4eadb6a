#include "ledger/Ledger.h"

#include "common/Chars.h"
#include "common/CommaText.h"
#include "common/CsvFile.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "data/DrawIndex.h"
#include "data/HitRule.h"
#include "entries/EntryFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

int LedgerRow::winningLines() const {
    int sum = 0;
    for (const int n : tierLines)
        sum += n;
    return sum;
}

QDate LedgerRow::deadline() const {
    return drawn && winningLines() > 0 ? drawDate.addYears(1) : QDate();
}

bool LedgerRow::expired(const QDate& today) const {
    const QDate last = deadline();
    return last.isValid() && today > last;
}

bool LedgerRow::deadlineNear(const QDate& today) const {
    const QDate last = deadline();
    return !claimed() && last.isValid() && today <= last && today.daysTo(last) <= 30;
}

bool LedgerRow::remindDue(const QDate& today) const {
    const QDate last = deadline();
    if (claimed() || !last.isValid())
        return false;
    const qint64 days = today.daysTo(last);
    return days >= -6 && days <= 30;
}

int LedgerRow::year(const QDate& today) const {
    return drawn ? drawDate.year() : today.year();
}

int Ledger::skippedLines() const {
    int sum = 0;
    for (const LedgerSkip& skip : skipped)
        sum += skip.lines;
    return sum;
}

bool readLedgerLine(const QString& line, std::array<int, kPositions>& numbers) {
    // Without quotes and blanks or control characters, the comma-text rule
    // puts field k into cell k, so the fields can be taken straight from the
    // line (an empty field is no number either way).
    const bool plain = std::none_of(line.cbegin(), line.cend(),
                                    [](QChar c) { return c.unicode() <= 32 || c == u'"'; });
    if (plain) {
        qsizetype start = line.indexOf(u',');
        for (int k = 0; k < kPositions; ++k) {
            if (start < 0)
                return false;
            const qsizetype end = line.indexOf(u',', start + 1);
            const QStringView field =
                QStringView(line).sliced(start + 1, (end < 0 ? line.size() : end) - start - 1);
            numbers.at(k) = numberOfCellText(field);
            if (numbers.at(k) == 0)
                return false;
            start = end;
        }
        return true;
    }
    const QStringList row = gridRowFromFields(splitCommaText(line), kEntryFields);
    for (int k = 0; k < kPositions; ++k) {
        numbers.at(k) = numberOfCellText(row.at(k + 1));
        if (numbers.at(k) == 0)
            return false;
    }
    return true;
}

namespace {

// The lines of one file checked against its draw; `skipped` counts the lines
// that are not seven numbers.
LedgerRow countFile(const LedgerFile& file, const DrawResult* draw, const PrizeRecord& prize,
                    int& skipped) {
    LedgerRow counted;
    std::array<int, kPositions> numbers{};
    for (const QString& line : file.lines) {
        if (!readLedgerLine(line, numbers)) {
            ++skipped;
            continue;
        }
        ++counted.lines;
        if (!draw)
            continue;
        const int tier = prizeTier(hitsOf(numbers, *draw));
        if (tier == 0)
            continue;
        ++counted.tierLines.at(tier - 1);
        const qint64 amount = prize.Amounts.at(tier - 1);
        if (amount > 0)
            counted.won += amount;
        else
            counted.amountUnknown = true;
    }
    return counted;
}

void addCounts(LedgerRow& row, const LedgerRow& counted) {
    row.lines += counted.lines;
    for (int t = 0; t < kPrizeTiers; ++t)
        row.tierLines.at(t) += counted.tierLines.at(t);
    row.won += counted.won;
    row.amountUnknown = row.amountUnknown || counted.amountUnknown;
}

} // namespace

Ledger buildLedger(const QVector<LedgerFile>& files, const DrawTable& draws,
                   const PrizeTable& prizes) {
    const DrawIndex drawRows(draws);
    const DrawIndex prizeRows(prizes);
    Ledger ledger;
    QVector<int> rowOf(kMaxDrawNumber + 1, -1);
    for (const LedgerFile& file : files) {
        if (file.drawNumber < 1 || file.drawNumber > kMaxDrawNumber)
            continue;
        const int drawRow = drawRows.rowOf(file.drawNumber);
        const DrawResult* draw = drawRow >= 0 ? &draws.at(drawRow) : nullptr;
        const int prizeRow = prizeRows.rowOf(file.drawNumber);
        // Without a record every amount reads 0, as unknown.
        const PrizeRecord prize = prizeRow >= 0 ? prizes.at(prizeRow) : PrizeRecord();
        int skipped = 0;
        const LedgerRow counted = countFile(file, draw, prize, skipped);
        if (skipped > 0)
            ledger.skipped.append({file.fileName, skipped});
        if (counted.lines == 0)
            continue;
        int& row = rowOf[file.drawNumber];
        if (row < 0) {
            row = static_cast<int>(ledger.rows.size());
            LedgerRow added;
            added.drawNumber = file.drawNumber;
            added.drawn = draw != nullptr;
            if (draw)
                added.drawDate = draw->drawDate();
            ledger.rows.append(added);
        }
        addCounts(ledger.rows[row], counted);
    }
    std::sort(ledger.rows.begin(), ledger.rows.end(),
              [](const LedgerRow& a, const LedgerRow& b) { return a.drawNumber > b.drawNumber; });
    return ledger;
}

QVector<LedgerFile> readLedgerFiles(const QString& folder) {
    QVector<LedgerFile> files;
    const QDir dir(folder);
    if (!dir.exists())
        return files;
    const QStringList names =
        dir.entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::Readable, QDir::Name);
    files.reserve(names.size());
    for (const QString& name : names) {
        const int number = drawNumberOfEntryFileName(name);
        if (number == 0)
            continue;
        files.append({number, name, ReadLines(dir.filePath(name))});
    }
    return files;
}

QVector<int> ledgerYears(const Ledger& ledger, const QDate& today) {
    QVector<int> years;
    for (const LedgerRow& row : ledger.rows)
        if (!years.contains(row.year(today)))
            years.append(row.year(today));
    std::sort(years.begin(), years.end(), std::greater<>());
    return years;
}

QVector<LedgerRow> ledgerRowsOfYear(const Ledger& ledger, int year, const QDate& today) {
    if (year == 0)
        return ledger.rows;
    QVector<LedgerRow> rows;
    for (const LedgerRow& row : ledger.rows)
        if (row.year(today) == year)
            rows.append(row);
    return rows;
}

LedgerTotals ledgerTotals(const QVector<LedgerRow>& rows) {
    LedgerTotals totals;
    for (const LedgerRow& row : rows) {
        totals.add(row.lines, row.won);
        totals.amountUnknown = totals.amountUnknown || row.amountUnknown;
    }
    return totals;
}

QStringList ledgerHeaders() {
    return {QStringLiteral("開催回"),   QStringLiteral("抽選日"),   QStringLiteral("口数"),
            QStringLiteral("購入額"),   QStringLiteral("1等"),      QStringLiteral("2等"),
            QStringLiteral("3等"),      QStringLiteral("4等"),      QStringLiteral("5等"),
            QStringLiteral("6等"),      QStringLiteral("当選金額"), QStringLiteral("収支"),
            QStringLiteral("支払期限"), QStringLiteral("換金")};
}

QStringList ledgerRowTexts(const LedgerRow& row, const QDate& today, LedgerFigures figures) {
    const bool plain = figures == LedgerFigures::Plain;
    const auto yen = [plain](qint64 amount) {
        return plain ? QString::number(amount) : formatYen(static_cast<long double>(amount));
    };
    QStringList texts;
    texts.reserve(kLedgerColumns);
    texts << QString::number(row.drawNumber)
          << (row.drawn ? formatDate(row.drawDate) : QStringLiteral("未抽選"))
          << (plain ? QString::number(row.lines) : groupDigits(row.lines)) << yen(row.cost());
    if (!row.drawn) {
        while (texts.size() < kLedgerColumns)
            texts << QString();
        return texts;
    }
    for (const int n : row.tierLines)
        texts << QString::number(n);
    const QString unknown = QStringLiteral("—");
    texts << (row.amountUnknown ? unknown : yen(row.won))
          << (row.amountUnknown ? unknown : yen(row.net()));
    const QDate last = row.deadline();
    if (!last.isValid())
        texts << QString();
    else if (row.expired(today))
        texts << formatDate(last) + QStringLiteral(" 期限切れ");
    else
        texts << formatDate(last);
    if (!last.isValid())
        texts << QString();
    else
        texts << (row.claimed() ? QStringLiteral("換金済み") : QStringLiteral("未換金"));
    return texts;
}

QByteArray ledgerCsv(const QVector<LedgerRow>& rows, const QDate& today) {
    QVector<QStringList> table{ledgerHeaders()};
    table.reserve(rows.size() + 1);
    for (const LedgerRow& row : rows)
        table.append(ledgerRowTexts(row, today, LedgerFigures::Plain));
    return csvFileBytes(table);
}

QVector<int> remindDrawNumbers(const DrawTable& draws, const QDate& today) {
    QVector<int> numbers;
    // A cheap bound first (a day of slack each side for 29 February), the
    // exact deadline only for the few draws within it.
    const QDate first = today.addDays(-6).addYears(-1).addDays(-1);
    const QDate last = today.addDays(30).addYears(-1).addDays(1);
    for (const DrawResult& draw : draws.draws()) {
        const QDate date = draw.drawDate();
        if (!date.isValid() || date < first || date > last)
            continue;
        const qint64 days = today.daysTo(date.addYears(1));
        if (days >= -6 && days <= 30 && !numbers.contains(draw.DrawNumber))
            numbers.append(draw.DrawNumber);
    }
    return numbers;
}

QVector<LedgerFile> readLedgerFilesOf(const QString& folder, const QVector<int>& drawNumbers) {
    QVector<LedgerFile> files;
    const QDir dir(folder);
    for (const int number : drawNumbers) {
        const QString name = entryFileName(QString::number(number));
        if (QFileInfo(dir.filePath(name)).isFile())
            files.append({number, name, ReadLines(dir.filePath(name))});
    }
    return files;
}

void markClaimed(QVector<LedgerRow>& rows, const QMap<int, QDate>& claimed) {
    for (LedgerRow& row : rows)
        row.claimedOn = claimed.value(row.drawNumber);
}

LedgerUnclaimed ledgerUnclaimed(const QVector<LedgerRow>& rows, const QDate& today) {
    LedgerUnclaimed unclaimed;
    for (const LedgerRow& row : rows) {
        if (row.claimed() || !row.deadline().isValid() || row.expired(today))
            continue;
        ++unclaimed.rows;
        unclaimed.amount += row.won;
        unclaimed.amountUnknown = unclaimed.amountUnknown || row.amountUnknown;
    }
    return unclaimed;
}

QString ledgerUnclaimedText(const LedgerUnclaimed& unclaimed) {
    if (unclaimed.rows == 0)
        return QStringLiteral("未換金 なし");
    return QStringLiteral("未換金 %1（%2件）%3")
        .arg(formatYen(static_cast<long double>(unclaimed.amount)))
        .arg(unclaimed.rows)
        .arg(unclaimed.amountUnknown ? QStringLiteral(" ほかに金額不明あり（—）") : QString());
}

QVector<LedgerRow> ledgerRemindRows(const QVector<LedgerRow>& rows, const QDate& today) {
    QVector<LedgerRow> due;
    for (const LedgerRow& row : rows)
        if (row.remindDue(today))
            due.append(row);
    // The most urgent first: a list cut at its first rows keeps them.
    std::stable_sort(due.begin(), due.end(), [](const LedgerRow& a, const LedgerRow& b) {
        return a.deadline() < b.deadline();
    });
    return due;
}

namespace {

// "3等・6等×2": the tiers won, best first.
QString tiersText(const LedgerRow& row) {
    QStringList tiers;
    for (int t = 0; t < kPrizeTiers; ++t) {
        const int n = row.tierLines.at(t);
        if (n > 0)
            tiers << QStringLiteral("%1等").arg(t + 1) +
                         (n > 1 ? QStringLiteral("×%1").arg(n) : QString());
    }
    return tiers.join(u'・');
}

} // namespace

QString ledgerRemindText(const QVector<LedgerRow>& rows, const QDate& today, int maxRows) {
    QStringList lines{QStringLiteral("未換金の当せんがあります。"), QString()};
    for (qsizetype i = 0; i < rows.size() && i < maxRows; ++i) {
        const LedgerRow& row = rows.at(i);
        QString amount = formatYen(static_cast<long double>(row.won));
        if (row.amountUnknown)
            amount =
                row.won > 0 ? amount + QStringLiteral("＋金額不明") : QStringLiteral("金額不明");
        lines << QStringLiteral("第%1回　%2　%3　支払期限 %4%5")
                     .arg(row.drawNumber)
                     .arg(tiersText(row), amount, formatDate(row.deadline()),
                          row.expired(today) ? QStringLiteral(" 期限切れ") : QString());
    }
    if (rows.size() > maxRows)
        lines << QStringLiteral("ほか%1件").arg(rows.size() - maxRows);
    return lines.join(u'\n');
}
