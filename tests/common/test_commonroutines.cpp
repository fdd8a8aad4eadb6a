#include "TestSupport.h"

#include "common/AppError.h"
#include "common/Chars.h"
#include "common/ComType.h"
#include "common/Fields.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "common/Version.h"

#include <limits>

class TestCommonRoutines : public QObject {
    Q_OBJECT
private slots:
    void readLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a,1\r\nb,2\r\n") << QStringList{"a,1", "b,2"};
        QTest::newRow("bare CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("bare LF stays") << QByteArray("a\nb\r\nc") << QStringList{"a\nb", "c"};
        QTest::newRow("LF-only file") << QByteArray("a\nb\n") << QStringList{"a\nb\n"};
        QTest::newRow("leading blanks, tabs, LF")
            << QByteArray(" \t a b \r\n\n\tc\r\n") << QStringList{"a b ", "c"};
        QTest::newRow("empty line ends data") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a"};
        QTest::newRow("blank line ends data")
            << QByteArray("a\r\n \t\r\nb\r\n") << QStringList{"a"};
        QTest::newRow("empty line at end") << QByteArray("a\r\nb\r\n\r\n") << QStringList{"a", "b"};
        QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("char 26 ends") << QByteArray("a\r\nb\x1a\r\nc\r\n") << QStringList{"a", "b"};
        QTest::newRow("char 26 inside a line") << QByteArray("a\r\nb\x1a"
                                                             "c\r\nd\r\n")
                                               << QStringList{"a", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("UTF-8") << QByteArray("日本,1\r\n") << QStringList{"日本,1"};
    }
    void readLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        TempProgramDir dir;
        dir.writeFile(QStringLiteral("f.csv"), bytes);
        QCOMPARE(ReadLines(programPath(QStringLiteral("f.csv"))), lines);
    }

    void readLinesMissingOrUnreadable() {
        TempProgramDir dir;
        QVERIFY(ReadLines(dir.filePath(QStringLiteral("none.csv"))).isEmpty());
        QVERIFY(errorOf([&] { ReadLines(dir.path()); }).startsWith(u"ファイルを開けません"));
    }

    void takeFieldRule() {
        QString rest = QStringLiteral("a,,b,c");
        QCOMPARE(takeField(rest), u"a");
        QCOMPARE(takeField(rest), u"");
        QCOMPARE(rest, u"b,c");
        QCOMPARE(takeField(rest), u"b");
        QCOMPARE(takeField(rest), u"c");
        QCOMPARE(rest, u"");
        QCOMPARE(takeField(rest), u"");
    }

    void parseInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // checked when valid
        QTest::addColumn<bool>("valid");
        for (auto [text, value] : {std::pair{"0", 0},
                                   {"007", 7},
                                   {"+12", 12},
                                   {"-5", -5},
                                   {"2147483647", 2147483647},
                                   {"-2147483648", INT_MIN}})
            QTest::newRow(text) << QString::fromLatin1(text) << value << true;
        for (const char* text : {"", "-", " 1", "1 ", "1,000", "12a", "1.0", "0x10", "2147483648",
                                 "-2147483649", "99999999999999999999"})
            QTest::newRow(*text ? text : "empty") << QString::fromLatin1(text) << 0 << false;
        QTest::newRow("full-width digit") << QStringLiteral("１") << 0 << false;
    }
    void parseInteger() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, valid);
        if (valid)
            QCOMPARE(::parseInteger(text), value);
        else
            QCOMPARE(errorOf([&] { ::parseInteger(text); }),
                     QStringLiteral("'%1' は整数ではありません").arg(text));
    }

    void parseDate() {
        QCOMPARE(::parseDate(QStringLiteral("2013/04/05")), QDate(2013, 4, 5));
        QCOMPARE(::parseDate(QStringLiteral("2013/4/5")), QDate(2013, 4, 5));
        QCOMPARE(::parseDate(QStringLiteral("2024/02/29")), QDate(2024, 2, 29));
        for (const char* bad :
             {"", "2013-04-05", "13/04/05", "02013/04/05", "2013/004/05", "2013/13/01",
              "2013/02/29", "2013/04/31", "2013/04/05/", " 2013/04/05", "2013/04/5x", "2013//05"})
            QCOMPARE(errorOf([&] { ::parseDate(QString::fromLatin1(bad)); }),
                     QStringLiteral("'%1' は日付ではありません").arg(QLatin1String(bad)));
    }

    void parseFloat() {
        QCOMPARE(::parseFloat(QStringLiteral("1234.6")), 1234.6L);
        QCOMPARE(::parseFloat(QStringLiteral("5826847840")), 5826847840.0L);
        QCOMPARE(::parseFloat(QStringLiteral("1e3")), 1000.0L);
        QCOMPARE(::parseFloat(QStringLiteral("+.5")), 0.5L);
        QCOMPARE(::parseFloat(QStringLiteral("-2.")), -2.0L);
        if (std::numeric_limits<long double>::digits >= 64) // beyond double: kept exact
            QCOMPARE(::parseFloat(QStringLiteral("9007199254740993")), 9007199254740993.0L);
        for (const char* bad : {"", ".", "+", "1,000", "abc", "1e", "1e+", "inf", "nan", " 1", "1 ",
                                "1.2.3", "0x1p3"})
            QCOMPARE(errorOf([&] { ::parseFloat(QString::fromLatin1(bad)); }),
                     QStringLiteral("'%1' は浮動小数点数ではありません").arg(QLatin1String(bad)));
    }

    // A huge bad field must not flood the error box: only its start is quoted.
    void conversionErrorsQuoteShortPrefix() {
        const QString huge = QStringLiteral("1x") + QString(1'000'000, u'9');
        const QString start = huge.left(40) + QStringLiteral("…");
        QCOMPARE(errorOf([&] { ::parseInteger(huge); }),
                 QStringLiteral("'%1' は整数ではありません").arg(start));
        QCOMPARE(errorOf([&] { ::parseInteger(QString(500'000, u'9')); }),
                 QStringLiteral("'%1…' は整数ではありません").arg(QString(40, u'9')));
        QCOMPARE(errorOf([&] { ::parseDate(huge); }),
                 QStringLiteral("'%1' は日付ではありません").arg(start));
        QCOMPARE(errorOf([&] { ::parseFloat(huge); }),
                 QStringLiteral("'%1' は浮動小数点数ではありません").arg(start));

        // Forty characters are quoted whole; a pair of surrogates is never cut in half.
        const QString forty = QString(39, u'x') + u'.';
        QCOMPARE(errorOf([&] { ::parseFloat(forty); }),
                 QStringLiteral("'%1' は浮動小数点数ではありません").arg(forty));
        const QString wide = QString(39, u'x') + QStringLiteral("\U0001F600y");
        QCOMPARE(errorOf([&] { ::parseInteger(wide); }),
                 QStringLiteral("'%1…' は整数ではありません").arg(QString(39, u'x')));
    }

    void formats() {
        QCOMPARE(formatDrawNumber5(7), u"    7");
        QCOMPARE(formatDrawNumber5(12345), u"12345");
        QCOMPARE(formatDrawNumber5(123456), u"123456");
        QCOMPARE(formatTwoDigits(5), u"05");
        QCOMPARE(formatTwoDigits(37), u"37");
        QCOMPARE(formatDate(QDate(2013, 4, 5)), u"2013/04/05");
        QCOMPARE(formatCount(1234.6L), u"1,235");
        QCOMPARE(formatCount(1234.4L), u"1,234");
        QCOMPARE(formatCount(0.5L), u"1");
        QCOMPARE(formatCount(1200000), u"1,200,000");
        QCOMPARE(formatCount(0), u"0");
        QCOMPARE(formatYen(3e9L), QString(QChar(0xA5)) + QStringLiteral("3,000,000,000"));
        QCOMPARE(formatYen(0), u"\u00a50");
        QCOMPARE(formatYen(300), u"\u00a5300");
        QCOMPARE(formatYen(5826847840.0L), u"\u00a55,826,847,840");
        QCOMPARE(groupDigits(-1234567), u"-1,234,567");
        QCOMPARE(groupDigits(999), u"999");
        QCOMPARE(groupDigits(std::numeric_limits<qint64>::min()), u"-9,223,372,036,854,775,808");
        QCOMPARE(formatClock(QDateTime(QDate(2013, 4, 5), QTime(9, 7, 3))), u"2013/04/05 09:07:03");
    }

    void versions() {
        const TVersion v = parseVersion(QStringLiteral("2.1.1.205"));
        QCOMPARE(QList<int>({v.Major, v.Minor, v.Release, v.Build}), QList<int>({2, 1, 1, 205}));
        QCOMPARE(v.Text, u"2.1.1.205");
        const TVersion partial = parseVersion(QStringLiteral("3..x"));
        QCOMPARE(QList<int>({partial.Major, partial.Minor, partial.Release, partial.Build}),
                 QList<int>({3, 0, 0, 0}));
    }

    void characterHelpers() {
        // ASCII only: a full-width digit or letter is neither.
        QVERIFY(isAsciiDigit(u'9') && !isAsciiDigit(u'\uff17') && !isAsciiDigit(u':'));
        QVERIFY(isAsciiLetter(u'Z') && !isAsciiLetter(u'\uff41') && !isAsciiLetter(u'['));
        const auto number = [](QStringView text, qint64 cap = std::numeric_limits<qint64>::max()) {
            return asciiNumber(text, cap).value_or(-1);
        };
        QCOMPARE(number(u"007"), 7);
        for (const QStringView bad : {u"", u"1 2", u"-1", u"\uff11"})
            QCOMPARE(number(bad), -1);
        // A value above the cap gives the cap, however long the text.
        QCOMPARE(number(u"9223372036854775806"), std::numeric_limits<qint64>::max() - 1);
        QCOMPARE(number(u"99999999999999999999999999"), std::numeric_limits<qint64>::max());
        QCOMPARE(number(u"101", 100), 100);
        QCOMPARE(number(u"7", 5), 5);
    }

    // One reading of a draw number for file names, saved lines and cells.
    void plainDrawNumbers() {
        QCOMPARE(plainDrawNumber(u"1"), 1);
        QCOMPARE(plainDrawNumber(u"99999"), 99999);
        for (const QStringView bad : {u"", u"0", u"0689", u"+689", u"-1", u" 689", u"100000",
                                      u"9999999999999999999999", u"\uff16\uff18\uff19"})
            QCOMPARE(plainDrawNumber(bad), 0);
    }
};

SEPTARION_CORE_TEST_MAIN(TestCommonRoutines)
#include "test_commonroutines.moc"
