// Hits of a saved line against a draw, the prize tier, and the order of a run.
#include "TestSupport.h"

#include "analysis/Matching.h"

namespace {
DrawResult makeDraw(int number, MainNumberArray mains, BonusNumberArray bonus) {
    DrawResult draw;
    draw.DrawNumber = number;
    draw.MainNumbers = mains;
    draw.BonusNumbers = bonus;
    return draw;
}

// A grid row: the draw number, then the comma-separated number cells.
QStringList row(const QString& drawNumber, const QString& numbers) {
    return QStringList{drawNumber} + numbers.split(u',');
}

QString tier(int n) {
    return n == 0 ? QString() : QString::fromUtf8("%1等が当選しました。").arg(QChar(0xFF10 + n));
}
} // namespace

class TestMatching : public QObject {
    Q_OBJECT

    // Main numbers 03 09 14 20 26 31 37, bonus 05 and 33; 01 and 02 not drawn.
    const DrawResult m_draw = makeDraw(50, {3, 9, 14, 20, 26, 31, 37}, {5, 33});

private slots:
    void tierTable_data() {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("expected");
        QTest::newRow("7 main") << "03,09,14,20,26,31,37" << 1;
        QTest::newRow("6 main + bonus 1") << "03,05,09,14,20,26,31" << 2;
        QTest::newRow("6 main + bonus 2") << "03,09,14,20,26,31,33" << 2;
        QTest::newRow("6 main") << "01,03,09,14,20,26,31" << 3;
        QTest::newRow("5 main + both bonus") << "03,05,09,14,20,26,33" << 4;
        QTest::newRow("5 main") << "01,02,03,09,14,20,26" << 4;
        QTest::newRow("4 main + both bonus") << "01,03,05,09,14,20,33" << 5;
        QTest::newRow("4 main") << "01,02,03,04,09,14,20" << 5;
        QTest::newRow("3 main + bonus") << "01,02,03,05,09,14,22" << 6;
        QTest::newRow("3 main + both bonus") << "01,03,05,09,14,22,33" << 6;
        QTest::newRow("3 main") << "01,02,03,04,09,14,22" << 0;
        QTest::newRow("2 main + both bonus") << "01,02,03,05,09,22,33" << 0;
        // Texts are compared: 3 is not 03, so six main numbers, not seven.
        QTest::newRow("7 against 07") << "3,09,14,20,26,31,37" << 3;
        // Each distinct number counts once, however often the line repeats it.
        QTest::newRow("seven times 03") << "03,03,03,03,03,03,03" << 0;
        QTest::newRow("03 twice") << "03,03,09,14,20,26,31" << 3;
        QTest::newRow("bonus twice") << "03,03,05,05,09,14,20" << 5;
        // Missing or malformed cells find fewer hits.
        QTest::newRow("short line") << "03,09,14,20" << 5;
        QTest::newRow("blanks and junk") << " 09,009,14,20,26,,x" << 0;
    }
    void tierTable() {
        QFETCH(QString, numbers);
        QFETCH(int, expected);
        QCOMPARE(matchResultText(row(QStringLiteral("50"), numbers), m_draw), tier(expected));
    }

    void runVisitsDrawsInTableOrder() {
        DrawTable table; // newest first
        table.append(makeDraw(12, {1, 2, 3, 4, 5, 6, 7}, {8, 9}));
        table.append(makeDraw(11, {11, 12, 13, 14, 15, 16, 17}, {18, 19}));
        const QVector<QStringList> rows = {
            row("11", "11,12,13,14,15,16,17"),  row("12", "01,02,03,04,05,06,07"),
            row("99", "01,02,03,04,05,06,07"),  row(" 12 ", "01,02,03,04,05,06,08"),
            row("012", "01,02,03,04,05,06,07"), row("", "01,02,03,04,05,06,07"),
            row("12", "30,31,32,33,34,35,36"),  QStringList{}};
        QList<QPair<int, QString>> seen;
        for (const MatchStep& step : matchingSteps(rows, table))
            seen.append({step.row, step.result});
        const QList<QPair<int, QString>> expected = {
            {1, tier(1)}, {3, tier(2)}, {6, QString()}, {0, tier(1)}};
        QCOMPARE(seen, expected);
    }
};

SEPTARION_CORE_TEST_MAIN(TestMatching)
#include "test_matching.moc"
