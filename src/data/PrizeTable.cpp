#include "data/PrizeTable.h"

#include "common/Formats.h"
#include "data/LineFields.h"

namespace {

// A count or amount field as kept. Plain digits, the usual field, are taken
// as they are: the trip through extended floating point costs far more.
qint64 readWholeNumberField(QStringView text) {
    const std::int64_t digits = line_fields_detail::plainDigits(text, 18);
    if (digits >= 0)
        return digits;
    return roundToInteger(readFloatField(text));
}

} // namespace

PrizeRecord PrizeTable::at(int index) const {
    const Row& row = m_rows.at(index);
    PrizeRecord record;
    record.DrawNumber = row.drawNumber;
    for (int k = 0; k < kNarrowValues; ++k) {
        const qint64 value = row.values[k] == kWide
                                 ? m_wide.value(qint64{index} * kNarrowValues + k)
                                 : qint64{row.values[k]};
        (k % 2 == 0 ? record.Winners : record.Amounts)[k / 2] = value;
    }
    record.CarryOver =
        static_cast<qint64>((quint64{row.carryOver[1]} << 32) | quint64{row.carryOver[0]});
    return record;
}

void PrizeTable::clear() {
    m_rows.clear();
    m_wide.clear();
}

void PrizeTable::append(const PrizeRecord& record) {
    static_assert(sizeof(Row) == 60);
    const auto fits = [](qint64 value) {
        return value > kWide && value <= std::numeric_limits<qint32>::max();
    };
    Row row{};
    row.drawNumber = record.DrawNumber;
    // All values narrow, the usual case, checked in one go.
    bool narrow = true;
    for (std::size_t tier = 0; tier < kPrizeTiers; ++tier) {
        narrow = narrow && fits(record.Winners[tier]) && fits(record.Amounts[tier]);
        row.values[2 * tier] = static_cast<qint32>(record.Winners[tier]);
        row.values[(2 * tier) + 1] = static_cast<qint32>(record.Amounts[tier]);
    }
    if (!narrow) {
        const qint64 index = m_rows.size();
        for (int k = 0; k < kNarrowValues; ++k) {
            const qint64 value = (k % 2 == 0 ? record.Winners : record.Amounts)[k / 2];
            if (!fits(value)) {
                row.values[k] = kWide;
                m_wide.insert(index * kNarrowValues + k, value);
            }
        }
    }
    const auto carry = static_cast<quint64>(record.CarryOver);
    row.carryOver = {static_cast<quint32>(carry), static_cast<quint32>(carry >> 32)};
    m_rows.append(row);
}

QStringList PrizeRecord::displayTexts() const {
    QStringList texts;
    texts.reserve(kPrizeColumns);
    for (int column = 0; column < kPrizeColumns; ++column)
        texts.append(displayText(column));
    return texts;
}

QString PrizeRecord::displayText(int column) const {
    if (column == 0)
        return QString::number(DrawNumber);
    if (column == kPrizeColumns - 1)
        return formatYen(static_cast<long double>(CarryOver));
    if (column < 0 || column >= kPrizeColumns)
        return {};
    const int tier = (column - 1) / 2;
    return column % 2 == 1 ? formatCount(static_cast<long double>(Winners[tier]))
                           : formatYen(static_cast<long double>(Amounts[tier]));
}

PrizeRecord parsePrizeLine(const QString& line) {
    static_assert(kPrizeColumns == 2 + 2 * kPrizeTiers);
    LineFields fields(line);
    PrizeRecord record;
    record.DrawNumber = readIntegerField(fields.next());
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        record.Winners[tier] = readWholeNumberField(fields.next());
        record.Amounts[tier] = readWholeNumberField(fields.next());
    }
    record.CarryOver = readWholeNumberField(fields.rest());
    return record;
}

void appendPrizeLines(const QStringList& lines, PrizeTable& table) {
    table.reserve(table.count() + static_cast<int>(lines.size()));
    for (const QString& line : lines)
        table.append(parsePrizeLine(line));
}
