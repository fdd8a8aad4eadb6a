// The block reader with its byte-level decoding against the line reader and
// the text parsers: the same rows, the same first error, for the same files.
#include "TestSupport.h"

#include "common/AppError.h"
#include "common/ProgramFiles.h"
#include "data/DataFileReader.h"
#include "data/HistoryOrder.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// Rows as texts, then the error text if the load stopped at one.
template <typename Parse> QString byLines(const QString& path, Parse parse) {
    QStringList rows;
    try {
        for (const QString& line : ReadLines(path))
            rows.append(parse(line));
    } catch (const TAppError& e) {
        rows.append(e.text());
    }
    return rows.join(u'\n');
}

template <typename Table, typename Read, typename Texts>
QString byBlocks(const QString& path, Read read, Texts texts) {
    Table table;
    QString error;
    try {
        DataFileReader reader(path);
        read(reader, table);
    } catch (const TAppError& e) {
        error = e.text();
    }
    QStringList rows;
    for (int i = 0; i < table.count(); ++i)
        rows.append(texts(table.at(i)));
    if (!error.isNull())
        rows.append(error);
    return rows.join(u'\n');
}

QString drawTexts(const DrawResult& draw) {
    QStringList texts;
    for (int c = 0; c < kHistoryColumns; ++c)
        texts.append(historyCellText(draw, c));
    return texts.join(u'|');
}

QString prizeTexts(const PrizeRecord& record) {
    return record.displayTexts().join(u'|');
}

} // namespace

class TestDataFileReader : public QObject {
    Q_OBJECT
private slots:
    void sameAsLineReaderAndParsers() {
        const QByteArray draw = "12,2013/06/21,01,02,03,04,05,06,07,08,09";
        const QByteArray prize = "12,0,0,5,12000000,120,600000,4000,8000,80000,1500,150000,1000,"
                                 "5826847840";
        // One line each, '|' between them.
        const QList<QByteArray> drawVariants =
            QByteArrayLiteral(
                " \t7,2013/4/5,30,2,10,37,1,+05,12,03,15|00009,2013/4/05,1,2,3,4,5,6,7,8,037|"
                "99999,9999/12/31,37,1,2,3,4,5,6,7,8|100000,2013/4/5,1,2,3,4,5,6,7,8,9|"
                "0,2013/4/5,1,2,3,4,5,6,7,8,9|7,2013/02/30,1,2,3,4,5,6,7,8,9|"
                "7,0000/01/01,1,2,3,4,5,6,7,8,9|7,2013/4/5,1,2,3,4,5,6,7,8,9,10|"
                "7,2013/4/5,1,2,3,4,5,6,7,8|7,2013/4/5,1,2,3,4,5,6,7,8,38|"
                "7,2013/4/5,1,2,3,4,5,6,7,8,9 |７,2013/4/5,1,2,3,4,5,6,7,8,9|"
                "7,2013/4/5,1,2,3,4,5,6,7,8,\xff|7,2013\x00/4/5,1,2,3,4,5,6,7,8,9|"
                "7,2013/004/5,1,2,3,4,5,6,7,8,9|7,2013/4/5,1,2,3\x1a,4,5,6,7,8,9|"
                "7,2013/4/5,1,2,3,4,5,6,7,8,9\x1a")
                .split('|');
        const QList<QByteArray> prizeVariants =
            QByteArray(
                "1,1234.6,4294967296,0,0,0,0,0,0,0,0,0,0.4,3e9|"
                "1,-2147483648,2147483648,2147483647,-1,0,0,0,0,0,0,0,0,-9223372036854775807|"
                "1,123456789012345678,1234567890123456789,1e30,-1e30,0,0,0,0,0,0,0,0,0|"
                "2147483648,0,0,0,0,0,0,0,0,0,0,0,0,0|-5,0,0,0,0,0,0,0,0,0,0,0,0,0|"
                "1,0,0,0,0,0,0,0,0,0,0,0,0|1,0,0,0,0,0,0,0,0,0,0,0,0,0,0|"
                "1,１,0,0,0,0,0,0,0,0,0,0,0,0|1,.5,5.,+5,0,0,0,0,0,0,0,0,0,")
                .split('|');
        // Whole files: a variant between good lines, every kind of line end,
        // an empty line ending the data, random edits of the plain lines.
        QList<std::pair<QByteArray, bool>> files; // content, is a draw file
        const auto around = [&](const QByteArray& line, const QByteArray& good, bool draws) {
            files.append({good + "\r\n" + line + "\r\n" + good + "\r\n", draws});
        };
        for (const QByteArray& line : drawVariants)
            around(line, draw, true);
        // Month ends and leap days, where a date of its own is a day off.
        for (const int year : {1, 100, 400, 1900, 2000, 2023, 2024, 2100, 9999}) {
            for (int month = 0; month <= 13; ++month) {
                for (const int day : {0, 1, 28, 29, 30, 31, 32})
                    around(QString::asprintf("7,%04d/%d/%02d,1,2,3,4,5,6,7,8,9", year, month, day)
                               .toLatin1(),
                           draw, true);
            }
        }
        for (const QByteArray& line : prizeVariants)
            around(line, prize, false);
        for (const char* sep : {"\r", "\r\n\r\n", "\x1a", "\n", "\r\n \t\r\n", "\r\n\x1a"})
            files.append({draw + sep + draw + "\r\n", true});
        files.append({draw + "\r\n" + draw + "\r", true});
        QRandomGenerator random(15);
        for (int i = 0; i < 300; ++i) {
            const bool draws = i % 2 == 0;
            const QString line = QString::fromLatin1(draws ? draw : prize);
            around(mutatedLine(line, QStringLiteral("0123456789,/+-.e ７"), random).toUtf8(),
                   draws ? draw : prize, draws);
        }
        // Over block ends: a CR LF split at the first, lines and blanks
        // across the next ones, one line longer than a block (LF-only ends).
        QByteArray big = QByteArray(65535 - draw.size(), ' ') + draw + "\r\n";
        for (int i = 0; big.size() < 300'000; ++i)
            big += QByteArray(i % 9, ' ') + draw + "\r\n";
        files.append({big, true});
        files.append({big + (draw + "\n").repeated(5000), true});
        files.append({"", true});

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data.csv"));
        for (const auto& [content, draws] : files) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
            file.close();
            const QString expected =
                draws
                    ? byLines(path, [](const QString& l) { return drawTexts(parseDrawLine(l)); })
                    : byLines(path, [](const QString& l) { return prizeTexts(parsePrizeLine(l)); });
            const QString actual = draws ? byBlocks<DrawTable>(path, readDrawLines, drawTexts)
                                         : byBlocks<PrizeTable>(path, readPrizeLines, prizeTexts);
            QCOMPARE(actual, expected);
            QCOMPARE(DataFileReader(path).isEmpty(), ReadLines(path).isEmpty());
            QVERIFY(DataFileReader(path).lineCountHint() >= ReadLines(path).size());
        }
        // A missing file reads as empty; a folder fails as ReadLines fails.
        QVERIFY(DataFileReader(dir.filePath(QStringLiteral("none.csv"))).isEmpty());
        QCOMPARE(errorOf([&] { DataFileReader reader(dir.path()); }),
                 errorOf([&] { ReadLines(dir.path()); }));
    }
};

SEPTARION_CORE_TEST_MAIN(TestDataFileReader)
#include "test_datafilereader.moc"
