#include "data/DataFileReader.h"

#include "common/AppError.h"
#include "common/LineScanner.h"
#include "common/ProgramFiles.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Large enough that a block costs one read call among many lines, small
// enough that the buffer stays far below the table it fills.
constexpr qsizetype kBlockSize = qsizetype{64} * 1024;

constexpr char kCR = 13;
constexpr char kLF = 10;
constexpr char kEofMark = 26;

qsizetype countLineEnds(const char* from, const char* to) {
    qsizetype count = 0;
    // memchr must not see the null pointer of an empty range, even for no bytes.
    while (from < to) {
        const void* found = std::memchr(from, kCR, static_cast<std::size_t>(to - from));
        if (!found)
            break;
        ++count;
        from = static_cast<const char*>(found) + 1;
    }
    return count;
}

// Whether the bytes are all characters dropped before a line's text: the
// scanner ran out of data, not into an empty line.
bool onlyDroppedBytes(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 32 && c != kCR && c != kEofMark;
    });
}

// Decoding of lines in the usual plain form: ASCII digits, single commas
// between the fields, "/" in the date. Every other form is left to the text
// parsers. The decoders read a line from its first byte and return where its
// last field ends, or nullptr; the caller checks that the line ends there.
// They never read past the first byte that is neither a digit nor the
// separator they expect, so a line followed by CR, character 26 or a zero
// byte can be decoded in place, without knowing its length.

unsigned digitValue(char c) {
    return static_cast<unsigned char>(c) - unsigned{'0'};
}

// One to maxDigits digits (at most 18); returns the byte after them. Like the
// readers below, it passes a nullptr on, so that a decoder checks once.
const char* digitField(const char* p, int maxDigits, quint64& value) {
    if (!p)
        return nullptr;
    const char* const first = p;
    // Unsigned: a long run wraps harmlessly before its length refuses it.
    quint64 v = 0;
    for (unsigned d = 0; (d = digitValue(*p)) <= 9; ++p)
        v = v * 10 + d;
    if (p == first || p - first > maxDigits)
        return nullptr;
    value = v;
    return p;
}

// One or two digits; returns the byte after them.
const char* smallField(const char* p, unsigned& value) {
    if (!p)
        return nullptr;
    const unsigned first = digitValue(p[0]);
    if (first > 9)
        return nullptr;
    const unsigned second = digitValue(p[1]);
    if (second > 9) {
        value = first;
        return p + 1;
    }
    value = first * 10 + second;
    return p + 2;
}

const char* separator(const char* p, char c) {
    return p && *p == c ? p + 1 : nullptr;
}

// The Julian day of a date from year 1 on, as QDate counts it (proleptic
// Gregorian), or -1 where there is no such day.
qint64 julianDay(unsigned year, unsigned month, unsigned day) {
    static constexpr std::array<unsigned, 12> kMonthDays = {31, 28, 31, 30, 31, 30,
                                                            31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return -1;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day > kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return -1;
    // Years counted from March, so that the leap day ends a year.
    const unsigned march = month < 3 ? 1 : 0;
    const qint64 y = qint64{year} + 4800 - march;
    const qint64 m = month + 12 * march - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

const char* decodePlainDraw(const char* p, DrawResult& draw) {
    quint64 number = 0;
    quint64 year = 0;
    unsigned month = 0;
    unsigned day = 0;
    p = separator(digitField(p, 5, number), ','); // five digits: at most kMaxDrawNumber
    if (!p || number < 1)
        return nullptr;
    const char* const yearBegin = p;
    p = separator(digitField(p, 4, year), '/');
    if (!p || p - yearBegin != 5)
        return nullptr;
    p = smallField(separator(smallField(p, month), '/'), day);
    const qint64 julian = p ? julianDay(static_cast<unsigned>(year), month, day) : -1;
    if (julian < 0)
        return nullptr;
    for (int k = 0; k < kPositions + kBonusCount; ++k) {
        unsigned n = 0;
        p = smallField(separator(p, ','), n);
        if (!p || n < 1 || n > kMaxNumber)
            return nullptr;
        (k < kPositions ? draw.MainNumbers[k] : draw.BonusNumbers[k - kPositions]) =
            static_cast<quint8>(n);
    }
    draw.DrawNumber = static_cast<int>(number);
    draw.setDrawDate(QDate::fromJulianDay(julian));
    return p;
}

const char* decodePlainPrize(const char* p, PrizeRecord& record) {
    quint64 number = 0;
    p = digitField(p, 10, number);
    if (!p || number > quint64{std::numeric_limits<int>::max()})
        return nullptr;
    record.DrawNumber = static_cast<int>(number);
    // Up to 18 digits: whole numbers the general reader takes exactly as well.
    const auto next = [&p](qint64& value) {
        quint64 v = 0;
        p = digitField(separator(p, ','), 18, v);
        value = static_cast<qint64>(v);
        return p != nullptr;
    };
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        if (!next(record.Winners[tier]) || !next(record.Amounts[tier]))
            return nullptr;
    }
    return next(record.CarryOver) ? p : nullptr;
}

} // namespace

DataFileReader::DataFileReader(const QString& path) : m_path(path), m_file(path) {
    if (!m_file.exists()) {
        m_atEnd = m_finished = true;
        return;
    }
    // Unbuffered: the blocks go straight into the reader's own buffer.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw fileOpenError(m_path, m_file.errorString());
}

bool DataFileReader::nextLine(QByteArrayView& text) {
    if (!hasLine())
        return false;
    text = m_line;
    m_lineReady = false;
    return true;
}

const char* DataFileReader::lineStart() const {
    if (m_lineReady || m_scanned >= m_buffer.size())
        return nullptr;
    const char* const text = m_buffer.constData() + m_scanned;
    return static_cast<unsigned char>(*text) > 32 ? text : nullptr;
}

bool DataFileReader::takeLineTo(const char* textEnd) {
    // The byte after the CR must be here too: it may be the LF of the line end.
    const qsizetype end = textEnd - m_buffer.constData();
    if (end + 1 >= m_buffer.size() || *textEnd != kCR)
        return false;
    m_scanned = end + (textEnd[1] == kLF ? 2 : 1);
    return true;
}

bool DataFileReader::hasLine() {
    if (m_lineReady)
        return true;
    while (!m_finished) {
        const QByteArrayView rest = QByteArrayView(m_buffer).sliced(m_scanned);
        LineScanner scanner(rest);
        ScannedLine line;
        if (scanner.next(line)) {
            // A line running into the end of the block may go on in the next.
            if (line.hasLineEnd() || line.textEnd < rest.size() || m_atEnd) {
                m_line = rest.sliced(line.textBegin, line.textEnd - line.textBegin);
                m_scanned += line.end;
                m_lineReady = true;
                return true;
            }
        } else if (m_atEnd || !onlyDroppedBytes(rest)) {
            m_finished = true;
            break;
        }
        readBlock();
    }
    m_file.close();
    m_buffer = QByteArray();
    return false;
}

bool DataFileReader::readBlock() {
    // Keep the unfinished rest at the front; the buffer keeps its capacity.
    const qsizetype kept = m_buffer.size() - m_scanned;
    if (m_scanned > 0 && kept > 0)
        std::memmove(m_buffer.data(), m_buffer.constData() + m_scanned, kept);
    m_scanned = 0;
    // A long line doubles the read, so that it is not scanned again block by
    // block: the whole file stays one pass.
    const qsizetype want = std::max(kBlockSize, kept);
    m_buffer.resize(kept + want);
    const qint64 n = m_file.read(m_buffer.data() + kept, want);
    if (n < 0)
        throw fileReadError(m_path, m_file.errorString());
    m_buffer.resize(kept + n);
    m_atEnd = n == 0;
    return !m_atEnd;
}

qsizetype DataFileReader::lineCountHint(qsizetype shortestLine) {
    if (m_finished)
        return m_lineReady ? 1 : 0;
    const QByteArrayView rest = QByteArrayView(m_buffer).sliced(m_scanned);
    qsizetype lineEnds = countLineEnds(rest.data(), rest.data() + rest.size());
    qsizetype bytes = rest.size();
    if (!m_atEnd) {
        const qint64 pos = m_file.pos();
        QByteArray block(kBlockSize, Qt::Uninitialized);
        qint64 n = 0;
        while ((n = m_file.read(block.data(), kBlockSize)) > 0) {
            lineEnds += countLineEnds(block.constData(), block.constData() + n);
            bytes += n;
        }
        if (n < 0 || !m_file.seek(pos))
            throw fileReadError(m_path, m_file.errorString());
    }
    // The last line needs no line end; a line taken but not yet handed out counts too.
    const qsizetype ready = m_lineReady ? 1 : 0;
    return std::min(lineEnds + 1, bytes / std::max<qsizetype>(shortestLine, 1) + 1) + ready;
}

namespace {

// The shortest lines that can hold a record: one-digit numbers, "YYYY/M/D".
constexpr qsizetype kShortestDrawLine = 28;
constexpr qsizetype kShortestPrizeLine = 2 * kPrizeColumns - 1;

// Room for the lines ahead, up to the draws a valid file can hold; a table
// beyond that simply grows.
int reserveFor(DataFileReader& reader, int count, qsizetype shortestLine) {
    return static_cast<int>(
        std::min<qsizetype>(count + reader.lineCountHint(shortestLine), kMaxDrawNumber + 1));
}

// The lines in the plain form decoded from their bytes, every other line
// through the text parser, which decides and names the fault.
template <typename Row, typename Table>
void readLines(DataFileReader& reader, Table& table, qsizetype shortestLine,
               const char* (*decodePlain)(const char*, Row&), Row (*parse)(const QString&)) {
    table.reserve(reserveFor(reader, table.count(), shortestLine));
    Row row;
    for (;;) {
        // The usual line: decoded in place, then found to end where its CR is.
        if (const char* text = reader.lineStart()) {
            const char* const end = decodePlain(text, row);
            if (end && reader.takeLineTo(end)) {
                table.append(row);
                continue;
            }
        }
        QByteArrayView line;
        if (!reader.nextLine(line))
            break;
        if (decodePlain(line.data(), row) != line.data() + line.size())
            row = parse(QString::fromUtf8(line));
        table.append(row);
    }
}

} // namespace

void readDrawLines(DataFileReader& reader, DrawTable& table) {
    readLines(reader, table, kShortestDrawLine, decodePlainDraw, parseDrawLine);
}

void readPrizeLines(DataFileReader& reader, PrizeTable& table) {
    readLines(reader, table, kShortestPrizeLine, decodePlainPrize, parsePrizeLine);
}
