#include "data/PrizeTable.h"

#include "common/ComFunction.h"
#include "data/LineFields.h"

QStringList PrizeRecord::displayTexts() const {
    QStringList texts;
    texts.reserve(kPrizeColumns);
    texts.append(QString::number(DrawNumber));
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        texts.append(formatCount(Winners[tier]));
        texts.append(formatYen(Amounts[tier]));
    }
    texts.append(formatYen(CarryOver));
    return texts;
}

PrizeRecord parsePrizeLine(const QString& line) {
    static_assert(kPrizeColumns == 2 + 2 * kPrizeTiers);
    LineFields fields(line);
    PrizeRecord record;
    record.DrawNumber = readIntegerField(fields.next());
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        record.Winners[tier] = readFloatField(fields.next());
        record.Amounts[tier] = readFloatField(fields.next());
    }
    record.CarryOver = readFloatField(fields.rest());
    return record;
}

void appendPrizeLines(const QStringList& lines, PrizeTable& table) {
    table.reserve(table.count() + static_cast<int>(lines.size()));
    for (const QString& line : lines)
        table.append(parsePrizeLine(line));
}
