#include "data/DataFileReader.h"

#include "common/AppError.h"
#include "common/LineScanner.h"
#include "common/ProgramFiles.h"

#include <algorithm>
#include <cstring>

namespace {

// Large enough that a block costs one read call among many lines, small
// enough that the buffer stays far below the table it fills.
constexpr qsizetype kBlockSize = qsizetype{64} * 1024;

constexpr char kCR = 13;
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

// The fields of a line in the usual plain form: ASCII digits only, separated
// by single commas. Every other form is left to the general field readers.
class PlainFields {
public:
    explicit PlainFields(QByteArrayView line)
        : m_pos(line.data()), m_end(line.data() + line.size()) {}

    // The value of minDigits..maxDigits digits followed by `separator`, which
    // is taken too; -1 for anything else. Separator 0 stands for the end of
    // the line.
    qint64 take(int minDigits, int maxDigits, char separator) {
        const char* p = m_pos;
        const char* const last = m_end - p > maxDigits ? p + maxDigits : m_end;
        qint64 value = 0;
        for (unsigned digit = 0; p < last && (digit = static_cast<unsigned char>(*p) - '0') < 10;
             ++p)
            value = value * 10 + digit;
        if (p - m_pos < minDigits)
            return -1;
        if (separator == 0) {
            if (p != m_end)
                return -1;
        } else {
            if (p == m_end || *p != separator)
                return -1;
            ++p;
        }
        m_pos = p;
        return value;
    }

private:
    const char* m_pos;
    const char* m_end;
};

constexpr char kLineEnd = 0;

bool decodePlainDraw(QByteArrayView line, DrawResult& draw) {
    PlainFields fields(line);
    const qint64 number = fields.take(1, 5, ','); // five digits: at most kMaxDrawNumber
    if (number < 1)
        return false;
    const qint64 year = fields.take(4, 4, '/');
    const qint64 month = fields.take(1, 2, '/');
    const qint64 day = fields.take(1, 2, ',');
    if (year < 0 || month < 0 || day < 0)
        return false;
    const QDate date(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (!date.isValid())
        return false;
    for (int k = 0; k < kPositions + kBonusCount; ++k) {
        const qint64 n = fields.take(1, 2, k + 1 < kPositions + kBonusCount ? ',' : kLineEnd);
        if (n < 1 || n > kMaxNumber)
            return false;
        (k < kPositions ? draw.MainNumbers[k] : draw.BonusNumbers[k - kPositions]) =
            static_cast<quint8>(n);
    }
    draw.DrawNumber = static_cast<int>(number);
    draw.setDrawDate(date);
    return true;
}

bool decodePlainPrize(QByteArrayView line, PrizeRecord& record) {
    PlainFields fields(line);
    const qint64 number = fields.take(1, 10, ',');
    if (number < 0 || number > std::numeric_limits<int>::max())
        return false;
    record.DrawNumber = static_cast<int>(number);
    // Up to 18 digits: whole numbers the general reader takes exactly as well.
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        record.Winners[tier] = fields.take(1, 18, ',');
        record.Amounts[tier] = fields.take(1, 18, ',');
        if (record.Winners[tier] < 0 || record.Amounts[tier] < 0)
            return false;
    }
    record.CarryOver = fields.take(1, 18, kLineEnd);
    return record.CarryOver >= 0;
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
               bool (*decodePlain)(QByteArrayView, Row&), Row (*parse)(const QString&)) {
    table.reserve(reserveFor(reader, table.count(), shortestLine));
    QByteArrayView line;
    Row row;
    while (reader.nextLine(line)) {
        if (!decodePlain(line, row))
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
