#include "data/ResultsText.h"

#include "common/Chars.h"
#include "common/Clock.h"
#include "common/ComType.h"
#include "data/CsvFields.h"
#include "data/DrawTable.h"
#include "data/PrizeRows.h"

#include <QHash>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace {

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
        d.notes.append(QStringLiteral("キャリーオーバーが2,147,483,647円で、ほかのソフトで桁が"
                                      "切れた値のため、本数字のみ取り込みます"));
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
    bool readOfficialLine(int lineNumber);

    // A draw of the results page, read over several rows.
    struct Block {
        ReadDraw draw;
        PrizeRows rows;
        bool rowsRead = false;
        bool dropIfEmpty = false; // opened by a "第N回" row, which may be a title
        bool commaRows = false;   // opened by the heading of the lottery's file
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
    } else if (!first && !fourth && readOfficialLine(lineNumber)) {
        return true;
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

// Where a value that begins at cell `begin` ends. In a CSV row without quotes
// its comma groups come apart ("164", "199口", "1", "000円"): it ends at its
// 口 or 円, or else where no group of three digits follows.
qsizetype valueEnd(const Cells& cells, qsizetype begin, QChar unit) {
    qsizetype end = begin;
    while (end < cells.size() && !cells[end].endsWith(unit))
        ++end;
    if (end < cells.size())
        return end + 1;
    end = begin + 1;
    while (end < cells.size() && cells[end].size() == 3 && asciiDigitRun(cells[end], 0) == 3)
        ++end;
    return std::min(end, cells.size());
}

QString joinedCells(const Cells& cells, qsizetype begin, qsizetype end) {
    QString text;
    for (qsizetype i = begin; i < std::min(end, cells.size()); ++i)
        text.append(cells[i]);
    return text;
}

// The count and the amount of a tier row; a tier without winners may say so
// once for both.
std::pair<QString, QString> tierValues(const Cells& cells) {
    const bool plain = cells.size() <= 3; // nothing came apart
    const qsizetype countEnd = plain ? 2 : valueEnd(cells, 1, u'口');
    const QString count = joinedCells(cells, 1, countEnd);
    if (countEnd >= cells.size())
        return {count, count};
    return {count, joinedCells(cells, countEnd, plain ? 3 : valueEnd(cells, countEnd, u'円'))};
}

// The lottery's own results file: a heading "第690回ロト7,数字選択式全国自治
// 宝くじ,令和8年8月14日,…", then rows of cells parted by commas, as on the
// results page ("本数字,03,…", "1等,該当なし,該当なし", "キャリーオーバー,…").
bool Reader::readOfficialLine(int lineNumber) {
    const CsvFields& f = m_fields;
    if (f[0].endsWith(u"ロト7")) {
        if (const auto drawNumber = drawNumberOf(f[0].chopped(3), false)) {
            Block block{newDraw(lineNumber, *drawNumber), {}, false, false, true};
            for (qsizetype i = 1; i < f.size(); ++i)
                if (dateOf(f[i])) {
                    setDate(block.draw, f[i]);
                    break;
                }
            openBlock(std::move(block));
            return true;
        }
    }
    if (!m_block || !m_block->commaRows)
        return false;
    Cells cells;
    for (qsizetype i = 0; i < f.size(); ++i)
        cells.append(f[i]);
    return readBlockRow(cells);
}

bool Reader::readBlockRow(const Cells& cells) {
    Block& block = *m_block;
    ReadDraw& d = block.draw;
    const QStringView head = cells[0];
    if (head == u"抽せん日") {
        setDate(d, cells.value(1));
    } else if (head == u"本数字" || head == u"ボーナス数字") {
        // The lottery's file gives both on one row: "本数字,03,…,ボーナス数字,19,34".
        QVector<int>* numbers = nullptr;
        for (const QStringView cell : cells) {
            if (cell == u"本数字" || cell == u"ボーナス数字") {
                numbers = cell == u"本数字" ? &d.mainNumbers : &d.bonusNumbers;
                numbers->clear();
            } else {
                readNumbers(cell, d, *numbers, *numbers);
            }
        }
    } else if (head == u"キャリーオーバー") {
        block.rows.setCarryOver(joinedCells(cells, 1, valueEnd(cells, 1, u'円')));
    } else if (head.size() == 2 && head[1] == u'等' && head[0] >= u'1' &&
               head[0] <= QChar(u'0' + kPrizeTiers)) {
        const auto [count, amount] = tierValues(cells);
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

ReadDraw readTypedDraw(qint64 drawNumber, QDate date, const QVector<int>& numbers,
                       const QStringList& prize) {
    ReadDraw d = newDraw(1, drawNumber);
    d.date = date;
    d.dateText = date.toString(QStringLiteral("yyyy/MM/dd"));
    d.mainNumbers = numbers.first(std::min<qsizetype>(numbers.size(), kPositions));
    d.bonusNumbers = numbers.mid(kPositions);
    PrizeRows rows;
    const auto typed = [&prize](int field) {
        return prize.value(field).normalized(QString::NormalizationForm_KC);
    };
    if (std::any_of(prize.begin(), prize.end(), [](const QString& t) { return !t.isEmpty(); })) {
        for (int t = 0; t < kPrizeTiers; ++t)
            rows.setTier(t, typed(2 * t), typed(2 * t + 1));
        rows.setCarryOver(typed(2 * kPrizeTiers));
    }
    finishDraw(d, rows, Clock::currentUtc().toLocalTime().date().addYears(1));
    return d;
}

QString noResultsMessage() {
    return QStringLiteral(
        "当せん結果が見つかりませんでした。読み取れるのは次の形式です。\n"
        "・宝くじ公式サイトの当せん結果CSV（第690回ロト７,…、1回分または複数回分）\n"
        "・当せん番号ページの内容（回別・抽せん日・本数字・ボーナス数字・1等～6等の行）\n"
        "・このソフトの Loto7Number.csv と Loto7Data.csv の行\n"
        "・全回分の結果CSV（開催回,日付,第1数字,…）、抽せん日で始まるCSV（抽せん日,本数字,…）\n"
        "・1行に1回分（第690回 2026/08/14 03 10 14 17 18 20 25 (19) (34)）");
}
