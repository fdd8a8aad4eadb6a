// Hits of a saved line against a draw, the prize tier, and the order of a run.
#include "TestSupport.h"

#include "analysis/Matching.h"

namespace {

DrawResult makeDraw(int number, std::array<int, kPositions> mains, std::array<int, 2> bonus) {
    DrawResult draw;
    draw.DrawNumber = number;
    draw.MainNumbers = mains;
    draw.BonusNumbers = bonus;
    return draw;
}

// A grid row: the draw number, then the number cells as given.
QStringList row(const QString& drawNumber, const QString& numbers) {
    return QStringList{drawNumber} + numbers.split(u',');
}

const QString kTier1 = QStringLiteral("１等が当選しました。");
const QString kTier2 = QStringLiteral("２等が当選しました。");
const QString kTier3 = QStringLiteral("３等が当選しました。");
const QString kTier4 = QStringLiteral("４等が当選しました。");
const QString kTier5 = QStringLiteral("５等が当選しました。");
const QString kTier6 = QStringLiteral("６等が当選しました。");

} // namespace

class TestMatching : public QObject {
    Q_OBJECT

    // Main numbers 03 09 14 20 26 31 37, bonus 05 and 33; 01 and 02 not drawn.
    const DrawResult m_draw = makeDraw(50, {3, 9, 14, 20, 26, 31, 37}, {5, 33});

private slots:
    void tierTableRowByRow_data() {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7 main") << "03,09,14,20,26,31,37" << kTier1;
        QTest::newRow("6 main + bonus 1") << "03,05,09,14,20,26,31" << kTier2;
        QTest::newRow("6 main + bonus 2") << "03,09,14,20,26,31,33" << kTier2;
        QTest::newRow("6 main") << "01,03,09,14,20,26,31" << kTier3;
        QTest::newRow("5 main + bonus") << "01,03,05,09,14,20,26" << kTier4;
        QTest::newRow("5 main + both bonus") << "03,05,09,14,20,26,33" << kTier4;
        QTest::newRow("5 main") << "01,02,03,09,14,20,26" << kTier4;
        QTest::newRow("4 main + both bonus") << "01,03,05,09,14,20,33" << kTier5;
        QTest::newRow("4 main") << "01,02,03,04,09,14,20" << kTier5;
        QTest::newRow("3 main + bonus") << "01,02,03,05,09,14,22" << kTier6;
        QTest::newRow("3 main + both bonus") << "01,03,05,09,14,22,33" << kTier6;
        QTest::newRow("3 main") << "01,02,03,04,09,14,22" << QString();
        QTest::newRow("2 main + both bonus") << "01,02,03,05,09,22,33" << QString();
        QTest::newRow("nothing") << "01,02,04,06,07,08,10" << QString();
    }
    void tierTableRowByRow() {
        QFETCH(QString, numbers);
        QFETCH(QString, expected);
        QCOMPARE(matchResultText(row(QStringLiteral("50"), numbers), m_draw), expected);
    }

    void numbersCompareAsTwoDigitTexts() {
        // 3 is not 03: the line holds six main numbers by text, not seven.
        QCOMPARE(matchResultText(row("50", "3,09,14,20,26,31,37"), m_draw), kTier3);
        const HitCount hits = countHits({"3", " 09", "009", "14", "20", "", "x"}, m_draw);
        QCOMPARE(hits.main, 2);
        QCOMPARE(hits.bonus, 0);
        QCOMPARE(numberOfCellText(QStringLiteral("07")), 7);
        QCOMPARE(numberOfCellText(QStringLiteral("37")), 37);
        for (const char* text : {"7", "00", "38", "99", "0７", "-1", " 7"})
            QCOMPARE(numberOfCellText(QString::fromUtf8(text)), 0);
        // Missing cells (a short line) find fewer hits and no error.
        QCOMPARE(matchResultText(QStringList{"50", "03", "09", "14"}, m_draw), QString());
        QCOMPARE(matchResultText(QStringList{"50", "03", "09", "14", "20"}, m_draw), kTier5);
        QCOMPARE(matchResultText(QStringList{}, m_draw), QString());
    }

    void repeatedNumbersCountOnce() {
        // Counted pair by pair, seven times 03 would make seven main hits.
        QCOMPARE(countHits({"03", "03", "03", "03", "03", "03", "03"}, m_draw).main, 1);
        QCOMPARE(matchResultText(row("50", "03,03,03,03,03,03,03"), m_draw), QString());
        // Six distinct main numbers, one of them twice: the third tier, not the first.
        QCOMPARE(matchResultText(row("50", "03,03,09,14,20,26,31"), m_draw), kTier3);
        QCOMPARE(countHits({"05", "05", "33", "33", "03", "09", "14"}, m_draw).bonus, 2);
    }

    void runVisitsDrawsInTableOrder() {
        DrawTable table; // newest first
        table.append(makeDraw(12, {1, 2, 3, 4, 5, 6, 7}, {8, 9}));
        table.append(makeDraw(11, {11, 12, 13, 14, 15, 16, 17}, {18, 19}));
        table.append(makeDraw(10, {21, 22, 23, 24, 25, 26, 27}, {28, 29}));
        const QVector<QStringList> rows = {
            row("11", "11,12,13,14,15,16,17"),   // 0
            row("12", "01,02,03,04,05,06,07"),   // 1
            row("99", "01,02,03,04,05,06,07"),   // 2: no such draw
            row(" 12 ", "01,02,03,04,05,06,08"), // 3: blanks round the number
            row("012", "01,02,03,04,05,06,07"),  // 4: another text than 12
            row("", "01,02,03,04,05,06,07"),     // 5
            QStringList{"10", "21", "x"},        // 6: malformed
            row("12", "30,31,32,33,34,35,36"),   // 7
            QStringList{},                       // 8
        };
        const QVector<MatchStep> steps = matchingSteps(rows, table);
        QList<QPair<int, QString>> seen;
        for (const MatchStep& step : steps)
            seen.append({step.row, step.result});
        const QList<QPair<int, QString>> expected = {
            {1, kTier1}, {3, kTier2}, {7, QString()}, {0, kTier1}, {6, QString()}};
        QCOMPARE(seen, expected);
        QVERIFY(matchingSteps(rows, DrawTable()).isEmpty());
    }
};

SEPTARION_CORE_TEST_MAIN(TestMatching)
#include "test_matching.moc"
