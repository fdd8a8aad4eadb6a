#include "DataLines.h"
#include "TestSupport.h"

#include "common/AppError.h"
#include "common/Fields.h"
#include "common/Formats.h"
#include "data/PrizeTable.h"

#include <limits>

namespace {

QString notNumber(const QString& text) {
    return QStringLiteral("'%1' は浮動小数点数ではありません").arg(text);
}

const QString kLine =
    QStringLiteral("408,0,0,17,6668900,201,789600,8976,10300,143898,1500,239143,1100,5826847840");

// The field rule in its plainest form, as display texts or the error text.
QString referenceOutcome(QString rest) {
    try {
        QStringList texts{QString::number(parseInteger(takeField(rest)))};
        for (int field = 2; field <= kPrizeColumns; ++field) {
            const long double value = parseFloat(field < kPrizeColumns ? takeField(rest) : rest);
            texts.append(field % 2 == 0 && field < kPrizeColumns ? formatCount(value)
                                                                 : formatYen(value));
        }
        return texts.join(u'|');
    } catch (const TAppError& e) {
        return e.text();
    }
}

QString outcome(const QString& line) {
    try {
        return parsePrizeLine(line).displayTexts().join(u'|');
    } catch (const TAppError& e) {
        return e.text();
    }
}

} // namespace

class TestPrizeTable : public QObject {
    Q_OBJECT
private slots:
    void parsesTierPairs() {
        const PrizeRecord r = parsePrizeLine(kLine);
        QCOMPARE(r.DrawNumber, 408);
        QCOMPARE(r.Winners, (std::array<qint64, 6>{0, 17, 201, 8976, 143898, 239143}));
        QCOMPARE(r.Amounts, (std::array<qint64, 6>{0, 6668900, 789600, 10300, 1500, 1100}));
        QCOMPARE(r.CarryOver, Q_INT64_C(5826847840)); // beyond 32 bits, exact
        // Kept as they are shown: rounded half away from zero, clamped to 64 bits.
        const PrizeRecord f = parsePrizeLine(
            QStringLiteral("2,1234.5,0.4,2.5,1e19,-2.5,0,0,0,0,0,0,0,99999999999999999999999"));
        QCOMPARE(f.Winners[0], Q_INT64_C(1235));
        QCOMPARE(f.Amounts[0], Q_INT64_C(0));
        QCOMPARE(f.Winners[1], Q_INT64_C(3));
        QCOMPARE(f.Winners[2], Q_INT64_C(-3));
        QCOMPARE(f.Amounts[1], std::numeric_limits<qint64>::max());
        QCOMPARE(f.CarryOver, std::numeric_limits<qint64>::max());
    }

    void displayTexts() {
        const QString yen = kYenSign;
        QCOMPARE(parsePrizeLine(kLine).displayTexts(),
                 (QStringList{"408", "0", yen + "0", "17", yen + "6,668,900", "201",
                              yen + "789,600", "8,976", yen + "10,300", "143,898", yen + "1,500",
                              "239,143", yen + "1,100", yen + "5,826,847,840"}));
        const PrizeRecord r =
            parsePrizeLine(QStringLiteral("1,1234.6,4294967296,0,0,0,0,0,0,0,0,0,0.4,3e9"));
        QCOMPARE(r.displayTexts().at(1), u"1,235");
        QCOMPARE(r.displayTexts().at(2), yen + QStringLiteral("4,294,967,296"));
        QCOMPARE(r.displayTexts().at(12), yen + QStringLiteral("0"));
        QCOMPARE(r.displayTexts().at(13), yen + QStringLiteral("3,000,000,000"));
    }

    void rejectsBadLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("15 fields") << kLine + QStringLiteral(",7") << notNumber(u"5826847840,7"_qs);
        QTest::newRow("13 fields") << kLine.left(kLine.lastIndexOf(u',')) << notNumber({});
        QTest::newRow("draw number") << QStringLiteral("408.0") + kLine.mid(3)
                                     << QStringLiteral("'408.0' は整数ではありません");
        QTest::newRow("thousands separators shift the fields")
            << QString(kLine).replace(u"6668900"_qs, u"6,668,900"_qs)
            << notNumber(u"239143,1100,5826847840"_qs);
        QTest::newRow("amount") << QString(kLine).replace(u"789600"_qs, u"\u00a5789600"_qs)
                                << notNumber(u"\u00a5789600"_qs);
        QTest::newRow("huge amount")
            << QString(kLine).replace(u"789600"_qs, QString(1'000'000, u'7') + u'x')
            << notNumber(QString(40, u'7') + u"…"_qs);
        QTest::newRow("blank") << QString(kLine).replace(u",0,0,"_qs, u",0, 0,"_qs)
                               << notNumber(u" 0"_qs);
    }
    void rejectsBadLines() {
        QFETCH(QString, line);
        QFETCH(QString, error);
        QCOMPARE(errorOf([&] { parsePrizeLine(line); }), error);
    }

    // The in-place reader must give what the shared routines give for any text.
    void agreesWithFieldRuleOnMutatedLines() {
        compareOnMutatedLines(kLine, QStringLiteral("0123456789.,+-eE x"), 11, outcome,
                              referenceOutcome);
    }

    void badLineKeepsEarlierRecords() {
        PrizeTable table;
        appendPrizeLines({QString(prizeLine(2)).trimmed()}, table);
        const QStringList lines{QString(prizeLine(3)).trimmed(), QStringLiteral("4,x"), kLine};
        QCOMPARE(errorOf([&] { appendPrizeLines(lines, table); }), notNumber(u"x"_qs));
        QCOMPARE(table.count(), 2);
        QCOMPARE(table.at(1).DrawNumber, 3);
    }
};

SEPTARION_CORE_TEST_MAIN(TestPrizeTable)
#include "test_prizetable.moc"
