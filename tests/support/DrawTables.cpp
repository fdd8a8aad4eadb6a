#include "DrawTables.h"

#include <QStringList>

DrawTable drawTableOf(const QByteArray& drawFile) {
    QStringList lines;
    for (const QByteArray& line : drawFile.split('\n'))
        if (!line.trimmed().isEmpty())
            lines.append(QString::fromLatin1(line.trimmed()));
    DrawTable table;
    appendDrawLines(lines, table);
    return table;
}

PositionCounts positionCountsOf(const DrawTable& table) {
    PositionCounts counts;
    counts.rebuild(table);
    return counts;
}
