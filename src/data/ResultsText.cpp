#include "data/ResultsText.h"

#include "common/Chars.h"
#include "common/Clock.h"
#include "common/ComType.h"
#include "data/DrawTable.h"

#include <QHash>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace {

// Values beyond any real count or amount are held here, so that no text is too
// long to read.
constexpr qint64 kValueCap = Q_INT64_C(1'000'000'000'000'000);
// What another tool leaves of a carry-over that did not fit 32 bits.
constexpr qint64 kCutCarryOver = 2'147'483'647;
// Field counts of the CSV layouts: the program's draw lines; the all-draws CSV;
// the CSV that starts with the date (prize lines have kPrizeColumns).
constexpr qsizetype kNumberFields = 2 + kPositions + kBonusCount;
constexpr qsizetype kAllDrawsFields = kNumberFields + 2 * qsizetype{kPrizeTiers} + 1;
constexpr qsizetype kDateFirstFields = 4 + 2 * qsizetype{kPrizeTiers} + 1;
// One bit per tier, then one for the carry-over.
constexpr unsigned kAllPrizeRows = (1U << (kPrizeTiers + 1)) - 1;

bool isAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Cells of a row copied out of a web page, parted by runs of tabs or spaces;
// the words of a free-form line are parted by commas too.
using Cells = QVarLengthArray<QStringView, 24>;

Cells splitCells(QStringView row, bool commas) {
    const auto parts = [commas](QChar c) { return c.isSpace() || (commas && c == u','); };
    Cells cells;
    qsizetype i = 0;
    while (i < row.size()) {
        while (i < row.size() && parts(row[i]))
            ++i;
        const qsizetype begin = i;
        while (i < row.size() && !parts(row[i]))
            ++i;
        if (i > begin)
            cells.append(row.sliced(begin, i - begin));
    }
    return cells;
}

// The fields of a CSV line, unquoted ("" inside quotes stands for one quote)
// and without the blanks around them. They live in one buffer that every line
// reuses: a large file is read without a string per field.
class CsvFields {
public:
    void split(QStringView line) {
        m_text.resize(0); // keeps the capacity
        m_ends.clear();
        qsizetype i = 0;
        for (;;) {
            while (i < line.size() && line[i].isSpace())
                ++i;
            qsizetype quotedEnd = m_text.size(); // blanks inside quotes stay
            if (i < line.size() && line[i] == u'"') {
                for (++i;;) {
                    const qsizetype quote = line.indexOf(u'"', i);
                    const qsizetype stop = quote < 0 ? line.size() : quote;
                    m_text.append(line.sliced(i, stop - i));
                    i = std::min(stop + 1, line.size());
                    if (quote < 0 || i == line.size() || line[i] != u'"')
                        break;
                    m_text.append(u'"');
                    ++i;
                }
                quotedEnd = m_text.size();
            }
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype stop = comma < 0 ? line.size() : comma;
            m_text.append(line.sliced(i, stop - i));
            i = stop;
            qsizetype end = m_text.size();
            while (end > quotedEnd && m_text[end - 1].isSpace())
                --end;
            m_text.truncate(end);
            m_ends.append(end);
            if (i >= line.size())
                return;
            ++i;
        }
    }
    qsizetype size() const { return m_ends.size(); }
    QStringView operator[](qsizetype i) const {
        const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_text).sliced(begin, m_ends[i] - begin);
    }

private:
    QString m_text;
    QVarLengthArray<qsizetype, 32> m_ends;
};

// Numbers written in a row, parted by blanks or commas, into `plain`, and
// those in parentheses (the bonus numbers, as the results page writes them)
// into `bracketed`. Anything else among them refuses the draw.
void readNumbers(QStringView text, ReadDraw& d, QVector<int>& plain, QVector<int>& bracketed) {
    bool inside = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (isAsciiDigit(c)) {
            const qsizetype n = asciiDigitRun(text, i);
            // Capped just beyond the range, so that a long run of digits is refused.
            const auto value = static_cast<int>(asciiNumber(text.sliced(i, n), 1000).value_or(0));
            (inside ? bracketed : plain).append(value);
            i += n;
            continue;
        }
        if (c == u'(' || c == u')')
            inside = c == u'(';
        else if (c != u',' && !c.isSpace())
            d.refusal = QStringLiteral("数字でない値があります");
        ++i;
    }
}

// "第689回", "689回", or plain digits where the layout allows them.
std::optional<qint64> drawNumberOf(QStringView cell, bool plainAllowed) {
    const qsizetype front = cell.startsWith(u'第') ? 1 : 0;
    const qsizetype back = cell.endsWith(u'回') ? 1 : 0;
    if (front + back == 0 && !plainAllowed)
        return std::nullopt;
    return asciiNumber(cell.sliced(front).chopped(back), kValueCap);
}

// Nothing when the text is no date at all; an invalid date when it is written
// as one (2026/02/30) but does not exist. A weekday in parentheses may follow.
std::optional<QDate> dateOf(QStringView text) {
    // Years of an era count from one: 令和1 is 2019, 平成1 is 1989.
    const int eraStart = text.startsWith(u"令和") ? 2018 : (text.startsWith(u"平成") ? 1988 : 0);
    if (eraStart != 0)
        text = text.sliced(2);
    if (const qsizetype open = text.indexOf(u'('); open > 0 && text.endsWith(u')'))
        text.truncate(open);
    if (text.endsWith(u'日'))
        text.chop(1);
    std::array<int, 3> parts{};
    std::array<QChar, 2> separators{};
    qsizetype i = 0;
    for (int p = 0; p < 3; ++p) {
        const bool firstYear = eraStart != 0 && p == 0 && text.startsWith(u'元');
        const qsizetype n = firstYear ? 1 : asciiDigitRun(text, i);
        if (n == 0 || (p == 0 && eraStart == 0 ? n != 4 : n > 2))
            return std::nullopt;
        parts.at(p) = firstYear ? 1 : static_cast<int>(asciiNumber(text.sliced(i, n)).value_or(0));
        i += n;
        if (p < 2)
            separators.at(p) = i < text.size() ? text[i++] : QChar();
    }
    const QChar first = separators[0];
    if (i != text.size() ||
        (first == u'年' ? separators[1] != u'月'
                        : (first != u'/' && first != u'-') || separators[1] != first))
        return std::nullopt;
    if (eraStart != 0 && parts[0] == 0)
        return QDate();
    return QDate(eraStart + parts[0], parts[1], parts[2]);
}

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

// A count or an amount: "1,234", "8,254口", "1,200,000,000円", "¥1,000", "1.0",
// "該当なし" (none), or rounded: "6億円", "1,234万円".
qint64 PrizeRows::read(QStringView text, bool amount) {
    text = text.trimmed();
    if (text == u"該当なし")
        return 0;
    if (text.endsWith(amount ? u'円' : u'口'))
        text.chop(1);
    if (amount && text.startsWith(u'¥'))
        text = text.sliced(1);
    const bool negative = text.startsWith(u'-');
    if (negative)
        text = text.sliced(1);
    qint64 value = 0;
    bool digits = false;
    bool fraction = false;
    bool partial = false; // a fraction of a yen or a winner
    bool junk = false;
    for (const QChar c : text) {
        if (amount && (c == u'億' || c == u'万')) {
            // A rounded amount is never taken: only whether it is zero matters.
            rounded = true;
            fraction = false;
            partial = false;
        } else if (isAsciiDigit(c)) {
            digits = true;
            if (!fraction)
                value = value < kValueCap / 10 ? value * 10 + (c.unicode() - u'0') : kValueCap;
            partial = partial || (fraction && c != u'0');
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else if (c != u',' || fraction) {
            junk = true;
        }
    }
    const QString what = amount ? QStringLiteral("金額") : QStringLiteral("口数");
    if (error.isEmpty() && (!digits || partial || junk))
        error = what + QStringLiteral("が整数ではありません");
    else if (error.isEmpty() && negative && value != 0)
        error = what + QStringLiteral("が負の値です");
    return value;
}

// For numbers already found to lie in 1..37: a bit each, no copy to sort.
bool hasRepeats(const QVector<int>& numbers) {
    quint64 seen = 0;
    for (const int n : numbers) {
        const quint64 bit = quint64{1} << n;
        if ((seen & bit) != 0)
            return true;
        seen |= bit;
    }
    return false;
}

QString numbersFault(const QVector<int>& numbers, int count, const QString& name) {
    if (numbers.size() != count)
        return name + QStringLiteral("が%1個ではありません").arg(count);
    if (!std::all_of(numbers.begin(), numbers.end(),
                     [](int n) { return n >= 1 && n <= kMaxNumber; }))
        return name + QStringLiteral("が1～37の範囲外です");
    if (hasRepeats(numbers))
        return name + QStringLiteral("に重複があります");
    return {};
}

// A draw's date lies from the first draw on, and no further ahead than a slip
// of the year could put a real one: the loader reads each such date back as
// it is written.
QString dateRefusal(const ReadDraw& d, QDate latest) {
    if (!d.date.isValid()) {
        if (d.dateText.isEmpty())
            return QStringLiteral("日付がありません");
        return dateOf(d.dateText) ? QStringLiteral("存在しない日付です")
                                  : QStringLiteral("日付が読めません");
    }
    if (d.date < QDate(2013, 4, 5))
        return QStringLiteral("抽選日が第1回（2013/04/05）より前です");
    if (d.date > latest)
        return QStringLiteral("抽選日が1年以上先です");
    return {};
}

QString numbersRefusal(const ReadDraw& d, QDate latest) {
    if (QString fault = dateRefusal(d, latest); !fault.isEmpty())
        return fault;
    QString fault = numbersFault(d.mainNumbers, kPositions, QStringLiteral("本数字"));
    if (fault.isEmpty())
        fault = numbersFault(d.bonusNumbers, kBonusCount, QStringLiteral("ボーナス数字"));
    const auto amongMains = [&d](int n) { return d.mainNumbers.contains(n); };
    if (fault.isEmpty() && std::any_of(d.bonusNumbers.begin(), d.bonusNumbers.end(), amongMains))
        fault = QStringLiteral("ボーナス数字が本数字と重複しています");
    return fault;
}

QString prizeRefusal(const PrizeRows& rows) {
    if (!rows.error.isEmpty())
        return rows.error;
    for (int t = 0; t < kPrizeTiers; ++t) {
        const bool winners = rows.winners.at(t) > 0;
        if (rows.has(t) && winners != (rows.amounts.at(t) > 0))
            return (winners ? QStringLiteral("%1等に当せん口数がありますが金額がありません")
                            : QStringLiteral("%1等に金額がありますが当せん口数がありません"))
                .arg(t + 1);
    }
    return {};
}

// Checks the draw as read; a draw that passes gets its numbers in order and,
// when its prize rows are complete and exact, its prize data.
void finishDraw(ReadDraw& d, const PrizeRows& rows, QDate latest) {
    if (d.drawNumber < 1 || d.drawNumber > kMaxDrawNumber)
        d.refusal = QStringLiteral("開催回が1～99999の範囲外です");
    if (!d.refused() && d.hasNumbers)
        d.refusal = numbersRefusal(d, latest);
    if (!d.refused())
        d.refusal = prizeRefusal(rows);
    if (d.refused())
        return;
    std::sort(d.mainNumbers.begin(), d.mainNumbers.end());
    std::sort(d.bonusNumbers.begin(), d.bonusNumbers.end());
    if (rows.seen == 0)
        return;
    if (rows.rounded) {
        d.notes.append(QStringLiteral("賞金額が概数（億・万）のため、本数字のみ取り込みます"));
    } else if (rows.seen != kAllPrizeRows) {
        d.notes.append(QStringLiteral("賞金データが不完全なため、本数字のみ取り込みます"));
    } else if (rows.carryOver == kCutCarryOver) {
        d.notes.append(QStringLiteral("キャリーオーバーが2,147,483,647円（32ビットで切れた値）の"
                                      "ため、本数字のみ取り込みます"));
    } else {
        PrizeRecord& prize = d.prize.emplace();
        prize.DrawNumber = static_cast<int>(d.drawNumber);
        prize.Winners = rows.winners;
        prize.Amounts = rows.amounts;
        prize.CarryOver = rows.carryOver;
    }
}

ReadDraw newDraw(int line, qint64 drawNumber) {
    ReadDraw d;
    d.sourceLine = line;
    d.drawNumber = drawNumber;
    return d;
}

void setDate(ReadDraw& d, QStringView text) {
    d.dateText = text.toString();
    d.date = dateOf(text).value_or(QDate());
}

// Draw number, date, seven main and two bonus numbers, a field each: the
// program's own draw lines and the first eleven fields of the all-draws CSV.
ReadDraw drawOfNumberFields(const CsvFields& f, int line, qint64 drawNumber) {
    ReadDraw d = newDraw(line, drawNumber);
    setDate(d, f[1]);
    d.mainNumbers.reserve(kPositions);
    d.bonusNumbers.reserve(kBonusCount);
    for (int i = 2; i < kNumberFields; ++i) {
        QVector<int>& numbers = i < 2 + kPositions ? d.mainNumbers : d.bonusNumbers;
        readNumbers(f[i], d, numbers, numbers);
    }
    return d;
}

bool samePrize(const PrizeRecord& a, const PrizeRecord& b) {
    return a.Winners == b.Winners && a.Amounts == b.Amounts && a.CarryOver == b.CarryOver;
}

// Adds what `later` brings to `first` when nothing of the two disagrees: the
// prize data of a draw whose numbers came on another line, and the like.
bool combine(ReadDraw& first, const ReadDraw& later) {
    if (first.hasNumbers && later.hasNumbers &&
        (first.date != later.date || first.mainNumbers != later.mainNumbers ||
         first.bonusNumbers != later.bonusNumbers))
        return false;
    if (first.prize && later.prize && !samePrize(*first.prize, *later.prize))
        return false;
    if (!first.hasNumbers && later.hasNumbers) {
        first.hasNumbers = true;
        first.date = later.date;
        first.dateText = later.dateText;
        first.mainNumbers = later.mainNumbers;
        first.bonusNumbers = later.bonusNumbers;
    }
    // The notes say why prize data is missing: they go with the prize.
    if (!first.prize && later.prize) {
        first.prize = later.prize;
        first.notes = later.notes;
    } else if (!first.prize) {
        first.notes.append(later.notes);
        first.notes.removeDuplicates();
    }
    return true;
}

class Reader {
public:
    void readLine(QStringView line, int lineNumber) {
        if (!line.contains(u',') || !readCsvLine(line, lineNumber))
            readRow(line, lineNumber);
    }
    QVector<ReadDraw> takeDraws() {
        closeBlock();
        return std::exchange(m_draws, {});
    }

private:
    bool readCsvLine(QStringView line, int lineNumber);
    void readRow(QStringView line, int lineNumber);
    bool readBlockRow(const Cells& cells);

    // A draw of the results page, read over several rows.
    struct Block {
        ReadDraw draw;
        PrizeRows rows;
        bool rowsRead = false;
        bool dropIfEmpty = false; // opened by a "第N回" row, which may be a title
    };
    void openBlock(Block block) {
        closeBlock();
        m_block = std::move(block);
    }
    void closeBlock() {
        if (!m_block)
            return;
        Block block = std::move(*m_block);
        m_block.reset();
        if (!block.rowsRead && block.dropIfEmpty)
            return;
        addDraw(std::move(block.draw), block.rows);
    }
    // A draw read again adds to its first reading, or is refused when the two
    // disagree; refused draws are listed as they come.
    void addDraw(ReadDraw draw, const PrizeRows& rows) {
        finishDraw(draw, rows, m_latest);
        const auto taken = draw.refused() ? m_taken.cend() : m_taken.constFind(draw.drawNumber);
        if (taken != m_taken.cend() && combine(m_draws[*taken], draw))
            return;
        if (taken != m_taken.cend()) {
            draw.refusal = QStringLiteral("同じ開催回が異なる内容で重複しています");
            draw.prize.reset();
            draw.notes.clear();
        } else if (!draw.refused()) {
            m_taken.insert(draw.drawNumber, m_draws.size());
        }
        m_draws.append(std::move(draw));
    }

    // Today is read once: a large file checks many draws against it.
    QDate m_latest = Clock::currentUtc().toLocalTime().date().addYears(1);
    CsvFields m_fields;
    std::optional<Block> m_block;
    QVector<ReadDraw> m_draws;
    QHash<qint64, qsizetype> m_taken; // draw number -> index of its draw that passed
};

// A CSV line of one of the layouts; false for any other line.
bool Reader::readCsvLine(QStringView line, int lineNumber) {
    m_fields.split(line);
    const CsvFields& f = m_fields;
    const std::optional<qint64> first = asciiNumber(f[0], kValueCap);
    const std::optional<qint64> fourth =
        f.size() == kDateFirstFields ? drawNumberOf(f[3], true) : std::nullopt;
    ReadDraw draw;
    PrizeRows rows;
    if (first && f.size() == kNumberFields) {
        draw = drawOfNumberFields(f, lineNumber, *first);
    } else if (first && f.size() == kPrizeColumns) {
        draw = newDraw(lineNumber, *first);
        draw.hasNumbers = false;
        for (int t = 0; t < kPrizeTiers; ++t)
            rows.setTier(t, f[1 + 2 * t], f[2 + 2 * t]);
        rows.setCarryOver(f[kPrizeColumns - 1]);
    } else if (first && f.size() == kAllDrawsFields) {
        draw = drawOfNumberFields(f, lineNumber, *first);
        for (int t = 0; t < kPrizeTiers; ++t)
            rows.setTier(t, f[kNumberFields + t], f[kNumberFields + kPrizeTiers + t]);
        rows.setCarryOver(f[kAllDrawsFields - 1]);
    } else if (fourth) { // date, numbers, bonus numbers, "第689回", the tiers
        draw = newDraw(lineNumber, *fourth);
        setDate(draw, f[0]);
        readNumbers(f[1], draw, draw.mainNumbers, draw.mainNumbers);
        readNumbers(f[2], draw, draw.bonusNumbers, draw.bonusNumbers);
        for (int t = 0; t < kPrizeTiers; ++t)
            rows.setTier(t, f[4 + 2 * t], f[5 + 2 * t]);
        rows.setCarryOver(f[kDateFirstFields - 1]);
    } else {
        return false;
    }
    closeBlock();
    addDraw(std::move(draw), rows);
    return true;
}

// A row of the results page, or a free-form line of one draw.
void Reader::readRow(QStringView line, int lineNumber) {
    const Cells tabCells = splitCells(line, false);
    if (tabCells.isEmpty() || (m_block && readBlockRow(tabCells)))
        return;
    if (tabCells[0] == u"回別") {
        // Without a draw number it is the title row of a table.
        if (const auto drawNumber = drawNumberOf(tabCells.value(1), true))
            openBlock({newDraw(lineNumber, *drawNumber), {}, false, false});
        return;
    }
    // A second array: a move into a QVarLengthArray spilled to the heap leaks it.
    const Cells cells = splitCells(line, true);
    if (cells.isEmpty()) // commas and blanks only, a spreadsheet's empty row
        return;
    const auto drawNumber = drawNumberOf(cells[0], true);
    if (!drawNumber)
        return;
    Block block{newDraw(lineNumber, *drawNumber), {}, false, true};
    ReadDraw& d = block.draw;
    if (cells.size() > 1 && dateOf(cells[1])) {
        setDate(d, cells[1]);
        for (qsizetype i = 2; i < cells.size(); ++i)
            readNumbers(cells[i], d, d.mainNumbers, d.bonusNumbers);
    }
    // Without parentheses the bonus numbers are those after the seventh.
    if (d.bonusNumbers.isEmpty() && d.mainNumbers.size() > kPositions) {
        d.bonusNumbers = d.mainNumbers.mid(kPositions);
        d.mainNumbers.resize(kPositions);
    }
    block.rowsRead = !d.mainNumbers.isEmpty() || !d.bonusNumbers.isEmpty();
    // Plain digits are a draw number only when numbers follow.
    if (block.rowsRead || drawNumberOf(cells[0], false))
        openBlock(std::move(block));
}

bool Reader::readBlockRow(const Cells& cells) {
    Block& block = *m_block;
    ReadDraw& d = block.draw;
    const QStringView head = cells[0];
    if (head == u"抽せん日") {
        setDate(d, cells.value(1));
    } else if (head == u"本数字" || head == u"ボーナス数字") {
        QVector<int>& numbers = head == u"本数字" ? d.mainNumbers : d.bonusNumbers;
        numbers.clear();
        for (qsizetype i = 1; i < cells.size(); ++i)
            readNumbers(cells[i], d, numbers, numbers);
    } else if (head == u"キャリーオーバー") {
        block.rows.setCarryOver(cells.value(1));
    } else if (head.size() == 2 && head[1] == u'等' && head[0] >= u'1' &&
               head[0] <= QChar(u'0' + kPrizeTiers)) {
        const QStringView count = cells.value(1);
        // A tier without winners may say so once for both cells.
        const QStringView amount = cells.size() > 2 ? cells[2] : count;
        block.rows.setTier(head[0].unicode() - u'1', count, amount);
    } else {
        return false;
    }
    block.rowsRead = true;
    return true;
}

} // namespace

QString decodeResultsText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    QStringDecoder shiftJis("windows-31j");
    if (utf8.hasError() && shiftJis.isValid())
        return shiftJis.decode(bytes);
    return text;
}

QVector<ReadDraw> readResultsText(const QString& text) {
    Reader reader;
    QStringView rest(text);
    if (rest.startsWith(QChar(0xFEFF)))
        rest = rest.sliced(1);
    QString normalized;
    int lineNumber = 0;
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != u'\n' && rest[end] != u'\r')
            ++end;
        const QStringView line = rest.first(end);
        ++lineNumber;
        // Full-width digits and signs, and half-width katakana, read as their
        // common forms; most lines are plain ASCII and need no work.
        if (isAscii(line)) {
            reader.readLine(line, lineNumber);
        } else {
            normalized = line.toString().normalized(QString::NormalizationForm_KC);
            reader.readLine(normalized, lineNumber);
        }
        if (end + 1 < rest.size() && rest[end] == u'\r' && rest[end + 1] == u'\n')
            ++end;
        rest = rest.sliced(std::min(end + 1, rest.size()));
    }
    return reader.takeDraws();
}
