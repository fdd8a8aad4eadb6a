#include "data/DrawTable.h"

#include "common/AppError.h"
#include "data/LineFields.h"

namespace {

constexpr int kDrawFields = 2 + kPositions + kBonusCount;
static_assert(sizeof(DrawResult) == 20);

quint8 readGameNumber(QStringView text) {
    const int number = readIntegerField(text);
    if (number < 1 || number > kMaxNumber)
        throw TAppError(
            QStringLiteral("'%1' は１～３７の数字ではありません").arg(quotedValueText(text)));
    return static_cast<quint8>(number);
}

int readDrawNumber(QStringView text) {
    const int number = readIntegerField(text);
    if (number < 1 || number > kMaxDrawNumber)
        throw TAppError(QStringLiteral("'%1' は１～９９９９９の開催回ではありません")
                            .arg(quotedValueText(text)));
    return number;
}

} // namespace

const DrawResult* DrawTable::findByNumber(int drawNumber) const {
    for (const DrawResult& draw : m_draws)
        if (draw.DrawNumber == drawNumber)
            return &draw;
    return nullptr;
}

int DrawTable::newestDrawNumber() const {
    return m_draws.isEmpty() ? 0 : m_draws.first().DrawNumber;
}

int PositionCounts::at(int position, int number) const {
    if (position < 1 || position > kPositions || number < 1 || number > kMaxNumber)
        return 0;
    return m_counts[position - 1][number - 1];
}

void PositionCounts::clear() {
    m_counts = {};
}

void PositionCounts::rebuild(const DrawTable& table) {
    clear();
    for (const DrawResult& draw : table.draws())
        add(draw);
}

void PositionCounts::add(const DrawResult& draw) {
    for (int p = 0; p < kPositions; ++p) {
        const int number = draw.MainNumbers[p];
        // Parsed draws are always in range; a hand-built table may not be.
        if (number >= 1 && number <= kMaxNumber)
            ++m_counts[p][number - 1];
    }
}

DrawResult parseDrawLine(const QString& line) {
    static_assert(kDrawFields == 11);
    LineFields fields(line);
    DrawResult draw;
    draw.DrawNumber = readDrawNumber(fields.next());
    draw.setDrawDate(readDateField(fields.next()));
    for (quint8& number : draw.MainNumbers)
        number = readGameNumber(fields.next());
    draw.BonusNumbers[0] = readGameNumber(fields.next());
    draw.BonusNumbers[1] = readGameNumber(fields.rest());
    return draw;
}

void appendDrawLines(const QStringList& lines, DrawTable& table) {
    table.reserve(table.count() + static_cast<int>(lines.size()));
    for (const QString& line : lines)
        table.append(parseDrawLine(line));
}
