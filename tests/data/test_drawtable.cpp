#include "DataLines.h"
#include "SampleData.h"
#include "TestSupport.h"

#include "common/AppError.h"
#include "common/Fields.h"
#include "data/DrawIndex.h"
#include "data/DrawTable.h"
#include "data/HistoryOrder.h"

#include <functional>
#include <limits>

namespace {

QString notInteger(const QString& text) {
    return QStringLiteral("'%1' は整数ではありません").arg(text);
}
QString notInRange(const QString& text) {
    return QStringLiteral("'%1' は１～３７の数字ではありません").arg(text);
}
QString notDrawNumber(const QString& text) {
    return QStringLiteral("'%1' は１～９９９９９の開催回ではありません").arg(text);
}

// The field rule in its plainest form, to hold the table's reader against.
DrawResult referenceParse(QString rest) {
    DrawResult draw;
    const QString number = takeField(rest);
    draw.DrawNumber = parseInteger(number);
    if (draw.DrawNumber < 1 || draw.DrawNumber > 99999)
        throw TAppError(notDrawNumber(number));
    draw.setDrawDate(parseDate(takeField(rest)));
    for (int k = 0; k < kPositions + kBonusCount; ++k) {
        const QString field = k + 1 < kPositions + kBonusCount ? takeField(rest) : rest;
        const int n = parseInteger(field);
        if (n < 1 || n > kMaxNumber)
            throw TAppError(notInRange(field));
        (k < kPositions ? draw.MainNumbers[k] : draw.BonusNumbers[k - kPositions]) =
            static_cast<quint8>(n);
    }
    return draw;
}

QString outcome(const std::function<DrawResult()>& parse) {
    try {
        const DrawResult d = parse();
        QStringList texts;
        for (int c = 0; c < kHistoryColumns; ++c)
            texts.append(historyCellText(d, c));
        return texts.join(u'|');
    } catch (const TAppError& e) {
        return e.text();
    }
}

DrawTable tableOf(const QStringList& lines) {
    DrawTable table;
    appendDrawLines(lines, table);
    return table;
}

DrawResult draw(int number, QDate date, MainNumberArray mains, BonusNumberArray bonus = {1, 2}) {
    DrawResult result;
    result.DrawNumber = number;
    result.MainNumbers = mains;
    result.BonusNumbers = bonus;
    result.setDrawDate(date);
    return result;
}

const QString kLine = QStringLiteral("689,2026/08/07,04,18,23,24,32,33,35,29,36");

} // namespace

class TestDrawTable : public QObject {
    Q_OBJECT
private slots:
    void parsesFieldsInFileOrder() {
        const DrawResult d = parseDrawLine(QStringLiteral("7,2013/4/5,30,2,10,37,1,+05,12,03,15"));
        QCOMPARE(d.DrawNumber, 7);
        QCOMPARE(d.drawDate(), QDate(2013, 4, 5));
        QCOMPARE(d.MainNumbers, (MainNumberArray{30, 2, 10, 37, 1, 5, 12}));
        QCOMPARE(d.BonusNumbers, (BonusNumberArray{3, 15}));
    }

    void rejectsBadLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("12 fields") << QStringLiteral("689,2026/08/07,04,18,23,24,32,33,35,01,29,36")
                                   << notInteger(u"29,36"_qs);
        QTest::newRow("10 fields") << kLine.left(kLine.lastIndexOf(u',')) << notInteger({});
        QTest::newRow("draw number")
            << QStringLiteral("68a,") + kLine.mid(4) << notInteger(u"68a"_qs);
        QTest::newRow("date") << QString(kLine).replace(u"08/07"_qs, u"02/30"_qs)
                              << QStringLiteral("'2026/02/30' は日付ではありません");
        QTest::newRow("blank in field")
            << QString(kLine).replace(u",18,"_qs, u", 18,"_qs) << notInteger(u" 18"_qs);
        QTest::newRow("main 0") << QString(kLine).replace(u",04,"_qs, u",00,"_qs)
                                << notInRange(u"00"_qs);
        QTest::newRow("main 38") << QString(kLine).replace(u",35,"_qs, u",38,"_qs)
                                 << notInRange(u"38"_qs);
        QTest::newRow("negative") << QString(kLine).replace(u",23,"_qs, u",-1,"_qs)
                                  << notInRange(u"-1"_qs);
        QTest::newRow("bonus 2") << kLine.left(kLine.size() - 2) + u"99"_qs << notInRange(u"99"_qs);
        QTest::newRow("first bad field wins")
            << QStringLiteral("1,2013/13/01,99,x,1,2,3,4,5,6,7")
            << QStringLiteral("'2013/13/01' は日付ではありません");
        QTest::newRow("LF-only file as one line")
            << kLine + u'\n' + kLine << notInteger((u"36\n"_qs + kLine).left(40) + u"…"_qs);
        QTest::newRow("huge field")
            << QString(2'000'000, u'7') << notInteger(QString(40, u'7') + u"…"_qs);
        for (const char* number : {"0", "-1", "100000", "2147483647", "+0099999x"})
            QTest::newRow(number) << QString::fromLatin1(number) + kLine.mid(3)
                                  << (QByteArray(number).endsWith('x')
                                          ? notInteger(QString::fromLatin1(number))
                                          : notDrawNumber(QString::fromLatin1(number)));
    }
    void rejectsBadLines() {
        QFETCH(QString, line);
        QFETCH(QString, error);
        QCOMPARE(errorOf([&] { parseDrawLine(line); }), error);
    }

    // The in-place reader must give what the shared routines give for any text.
    void agreesWithFieldRuleOnMutatedLines() {
        compareOnMutatedLines(
            kLine, QStringLiteral("0123456789/,+- x\u3000"), 7,
            [](const QString& line) { return outcome([&] { return parseDrawLine(line); }); },
            [](const QString& line) { return outcome([&] { return referenceParse(line); }); });
    }

    void badLineKeepsEarlierDraws() {
        DrawTable table;
        table.append(draw(1, QDate(2013, 4, 5), {1, 2, 3, 4, 5, 6, 7}));
        const QStringList lines{kLine, QStringLiteral("688,2026/07/31,04,21,25,28,30,35,37,12,16"),
                                QStringLiteral("687,2026/07/24"), kLine};
        QCOMPARE(errorOf([&] { appendDrawLines(lines, table); }), notInteger({}));
        QCOMPARE(table.count(), 3);
        QCOMPARE(table.at(0).DrawNumber, 1);
        QCOMPARE(table.at(2).DrawNumber, 688);
    }

    void lookups() {
        DrawTable table;
        QCOMPARE(table.newestDrawNumber(), 0);
        QCOMPARE(table.nextDrawNumber(), 1);
        QVERIFY(!table.findByNumber(1));
        table = tableOf({QStringLiteral("123,2015/06/05,01,02,03,04,05,06,07,08,09"), kLine,
                         QStringLiteral("123,2015/05/29,11,12,13,14,15,16,17,18,19")});
        QCOMPARE(table.nextDrawNumber(), 124); // the first line, not the highest number
        QCOMPARE(table.findByNumber(123), &table.at(0));
        QCOMPARE(table.findByNumber(689), &table.at(1));
        QVERIFY(!table.findByNumber(124));
        // The index agrees, and never indexes by a number outside 1..99999.
        table.append(draw(std::numeric_limits<int>::max(), {}, {}));
        table.append(draw(-1, {}, {}));
        const DrawIndex index(table);
        QCOMPARE(index.rowOf(123), 0);
        QCOMPARE(index.rowOf(689), 1);
        for (const int absent : {124, 0, -1, 100000, std::numeric_limits<int>::max()})
            QCOMPARE(index.rowOf(absent), -1);
    }

    // Draw numbers beyond five digits are refused, so the next one always fits.
    void nextDrawNumberNeverOverflows() {
        DrawTable table = tableOf(
            {QStringLiteral("99999") + kLine.mid(3), QStringLiteral("+00001") + kLine.mid(3)});
        QCOMPARE(table.at(1).DrawNumber, 1);
        QCOMPARE(table.nextDrawNumber(), 100000);
        table.clear();
        table.append(draw(std::numeric_limits<int>::max(), {}, {}));
        QCOMPARE(table.nextDrawNumber(), qint64(std::numeric_limits<int>::max()) + 1);
    }

    void positionCounts() {
        DrawTable table;
        table.append(draw(3, {}, {1, 5, 9, 13, 17, 21, 25}, {37, 36}));
        table.append(draw(2, {}, {1, 6, 9, 14, 18, 22, 26}, {37, 2}));
        table.append(draw(1, {}, {2, 5, 10, 13, 17, 21, 36}, {37, 1}));
        PositionCounts counts;
        counts.rebuild(table);
        QCOMPARE(counts.at(1, 1), 2);
        QCOMPARE(counts.at(1, 2), 1);
        QCOMPARE(counts.at(2, 5), 2);
        QCOMPARE(counts.at(7, 36), 1); // as a main number only
        for (int p = 1; p <= kPositions; ++p) {
            int sum = 0;
            for (int n = 1; n <= kMaxNumber; ++n)
                sum += counts.at(p, n);
            QCOMPARE(sum, table.count());
            QCOMPARE(counts.at(p, 37), 0); // bonus numbers are never counted
        }
        for (auto [p, n] : {std::pair{0, 1}, {8, 1}, {1, 0}, {1, 38}, {-1, -1}})
            QCOMPARE(counts.at(p, n), 0);
        table.clear();
        table.append(draw(9, {}, {3, 4, 5, 6, 7, 8, 9}));
        counts.rebuild(table); // replaces, never adds to, the old counts
        QCOMPARE(counts.at(1, 1), 0);
        QCOMPARE(counts.at(1, 3), 1);
        counts.clear();
        QCOMPARE(counts.at(1, 3), 0);
    }

    void sortKeyFollowsHeaderClicks() {
        int key = 0;
        QList<int> keys;
        for (int column : {1, 1, 1, 2, 2, 0, 10, 10})
            keys.append(key = nextHistorySortKey(key, column));
        QCOMPARE(keys, (QList<int>{2, -2, 2, 3, -3, 1, 11, -11}));
    }

    void cellTexts() {
        const DrawResult d = draw(7, QDate(2013, 4, 5), {7, 10, 12, 17, 23, 28, 34}, {3, 15});
        QStringList texts;
        for (int c = 0; c < kHistoryColumns; ++c)
            texts.append(historyCellText(d, c));
        QCOMPARE(texts.join(u'|'), u"    7|2013/04/05|07|10|12|17|23|28|34|03|15");
        QCOMPARE(historyCellText(d, kHistoryColumns), QString());
    }

    void compareByColumnValue() {
        const DrawResult a = draw(99, QDate(2014, 12, 26), {1, 2, 3, 4, 5, 6, 30}, {9, 10});
        const DrawResult b = draw(100, QDate(2015, 1, 9), {2, 3, 4, 5, 6, 7, 8}, {11, 10});
        QVERIFY(compareHistoryRows(a, b, 1) < 0);
        QVERIFY(compareHistoryRows(a, b, -1) > 0);
        QVERIFY(compareHistoryRows(a, b, 2) < 0);
        QVERIFY(compareHistoryRows(a, b, 9) > 0);
        QVERIFY(compareHistoryRows(a, b, 10) < 0);
        QCOMPARE(compareHistoryRows(a, b, 11), 0);
        QCOMPARE(compareHistoryRows(a, b, 0), 0);
        // Past five digits the value still decides.
        QVERIFY(compareHistoryRows(draw(99999, {}, {}), draw(100000, {}, {}), 1) < 0);
    }

    void orderFollowsClicks() {
        const DrawTable table =
            tableOf({QStringLiteral("101,2015/01/16,09,12,13,14,15,16,17,18,19"),
                     QStringLiteral("100,2015/01/09,03,12,13,14,15,16,17,18,19"),
                     QStringLiteral("99,2014/12/26,03,12,13,14,15,16,17,18,19"),
                     QStringLiteral("98,2014/12/19,01,12,13,14,15,16,17,18,19")});
        QCOMPARE(historyOrder(table, 0), (QVector<int>{0, 1, 2, 3}));
        int key = nextHistorySortKey(0, 1); // date, oldest first
        QCOMPARE(historyOrder(table, key), (QVector<int>{3, 2, 1, 0}));
        key = nextHistorySortKey(key, 1); // newest first
        QCOMPARE(historyOrder(table, key), (QVector<int>{0, 1, 2, 3}));
        key = nextHistorySortKey(key, 2); // ① smallest first, ties in table order
        QCOMPARE(historyOrder(table, key), (QVector<int>{3, 1, 2, 0}));
        QCOMPARE(historyOrder(table, -key), (QVector<int>{0, 1, 2, 3}));
        QCOMPARE(historyOrder(table, 1), (QVector<int>{3, 2, 1, 0})); // 98, 99, 100, 101
    }

    void orderAgreesWithCompare() {
        const DrawTable table = drawTableOf(makeSampleFiles(1500).drawResults);
        for (int key = -kHistoryColumns; key <= kHistoryColumns; ++key) {
            const QVector<int> order = historyOrder(table, key);
            QCOMPARE(order.size(), table.count());
            for (int i = 1; i < order.size(); ++i) {
                const int c = compareHistoryRows(table.at(order[i - 1]), table.at(order[i]), key);
                QVERIFY2(c < 0 || (c == 0 && order[i - 1] < order[i]),
                         qPrintable(QString::number(key)));
            }
        }
    }
};

SEPTARION_CORE_TEST_MAIN(TestDrawTable)
#include "test_drawtable.moc"
