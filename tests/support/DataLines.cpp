#include "DataLines.h"

#include "TestSupport.h"

#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

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

void compareOnMutatedLines(const QString& line, const QString& alphabet, quint32 seed,
                           const LineOutcome& read, const LineOutcome& reference) {
    QRandomGenerator random(seed);
    for (int round = 0; round < 20000; ++round) {
        const QString mutated = mutatedLine(line, alphabet, random);
        const QString got = read(mutated);
        const QString expected = reference(mutated);
        QVERIFY2(got == expected,
                 qPrintable(QStringLiteral("%1: %2 != %3").arg(mutated, got, expected)));
    }
}
