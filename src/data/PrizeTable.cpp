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
