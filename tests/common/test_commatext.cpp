#include "TestSupport.h"

#include "common/CommaText.h"

class TestCommaText : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void join_data();
    void join();
    void roundTrip_data();
    void roundTrip();
    void gridRow_data();
    void gridRow();
    void lineIntoGridRow();
};

void TestCommaText::split_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("saved entry line")
        << "123,03,08,15,21,22,30,37"
        << QStringList{"123", "03", "08", "15", "21", "22", "30", "37"};
    QTest::newRow("blank after a comma") << "123, 03,08" << QStringList{"123", "03", "08"};
    QTest::newRow("two commas give an empty field") << "123,,03" << QStringList{"123", "", "03"};
    QTest::newRow("comma at the end gives no field") << "123,03," << QStringList{"123", "03"};
    QTest::newRow("leading comma gives an empty field") << ",03" << QStringList{"", "03"};
    QTest::newRow("blank inside a field starts the next")
        << "12 3,04" << QStringList{"12", "3", "04"};
    QTest::newRow("tab inside a field starts the next") << "12\t3" << QStringList{"12", "3"};
    QTest::newRow("blanks before the comma") << "123   ,  04" << QStringList{"123", "04"};
    QTest::newRow("leading blanks and controls") << " \t\x01"
                                                    "123"
                                                 << QStringList{"123"};
    QTest::newRow("trailing blanks") << "123  " << QStringList{"123"};
    QTest::newRow("empty line") << "" << QStringList{};
    QTest::newRow("only blanks") << "   \t" << QStringList{};
    QTest::newRow("only a comma") << "," << QStringList{""};
    QTest::newRow("quoted with comma and blank") << "\"a, b\",c" << QStringList{"a, b", "c"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
    QTest::newRow("empty quoted field") << "\"\",1" << QStringList{"", "1"};
    QTest::newRow("quoted blank") << "\" \",1" << QStringList{" ", "1"};
    QTest::newRow("text right after a closing quote")
        << "\"ab\"cd,e" << QStringList{"ab", "cd", "e"};
    QTest::newRow("quote inside an unquoted field") << "ab\"c,d" << QStringList{"ab\"c", "d"};
    QTest::newRow("unclosed quote runs to the end") << "1,\"ab, c" << QStringList{"1", "ab, c"};
    QTest::newRow("non-ASCII text") << "第1回,①" << QStringList{"第1回", "①"};
}

void TestCommaText::split() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(splitCommaText(line), fields);
}

void TestCommaText::join_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");

    QTest::newRow("ticket fields need no quotes")
        << QStringList{"123", "03", "08", "15", "21", "22", "30", "37"}
        << "123,03,08,15,21,22,30,37";
    QTest::newRow("empty fields are written as nothing")
        << QStringList{"1", "", "3", ""} << "1,,3,";
    QTest::newRow("no fields") << QStringList{} << "";
    QTest::newRow("one empty field") << QStringList{""} << "";
    QTest::newRow("blank is quoted") << QStringList{"a b"} << "\"a b\"";
    QTest::newRow("single blank is quoted") << QStringList{" ", "1"} << "\" \",1";
    QTest::newRow("control character is quoted") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("comma is quoted") << QStringList{"a,b", "c"} << "\"a,b\",c";
    QTest::newRow("quote is doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("non-ASCII needs no quotes") << QStringList{"①", "第1回"} << "①,第1回";
}

void TestCommaText::join() {
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    QCOMPARE(joinCommaText(fields), line);
}

// Fields that survive a join and a split unchanged: anything but trailing
// empty fields, which a comma at the end of a line does not give back.
void TestCommaText::roundTrip_data() {
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("plain") << QStringList{"123", "03", "08"};
    QTest::newRow("blanks inside and around") << QStringList{" lead", "in side", "trail "};
    QTest::newRow("quotes") << QStringList{"\"", "\"\"", "a\"b", "\"quoted\""};
    QTest::newRow("commas") << QStringList{",", "a,b", ",,"};
    QTest::newRow("empty fields in between") << QStringList{"", "a", "", "", "b"};
    QTest::newRow("control characters") << QStringList{"a\r\nb", "\x1a", "c"};
    QTest::newRow("everything at once") << QStringList{"\" , \"", "", " ", "x"};
}

void TestCommaText::roundTrip() {
    QFETCH(QStringList, fields);
    QCOMPARE(splitCommaText(joinCommaText(fields)), fields);
}

void TestCommaText::gridRow_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("row");

    QTest::newRow("eight fields fill the row")
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"} << 8
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("fields beyond the last cell are dropped")
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"} << 8
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
    QTest::newRow("missing fields leave cells empty")
        << QStringList{"123", "03"} << 8 << QStringList{"123", "03", "", "", "", "", "", ""};
    QTest::newRow("empty field occupies its cell as a blank")
        << QStringList{"123", "", "03"} << 4 << QStringList{"123", " ", "03", ""};
    QTest::newRow("no fields") << QStringList{} << 3 << QStringList{"", "", ""};
    QTest::newRow("no columns") << QStringList{"1"} << 0 << QStringList{};
}

void TestCommaText::gridRow() {
    QFETCH(QStringList, fields);
    QFETCH(int, columns);
    QFETCH(QStringList, row);
    QCOMPARE(gridRowFromFields(fields, columns), row);
}

// A line as the lookup grid shows it: split, then put into eight cells.
void TestCommaText::lineIntoGridRow() {
    QCOMPARE(gridRowFromFields(splitCommaText("123,,03,"), 8),
             (QStringList{"123", " ", "03", "", "", "", "", ""}));
    QCOMPARE(gridRowFromFields(splitCommaText("123,01,02,03,04,05,06,07,08,09"), 8),
             (QStringList{"123", "01", "02", "03", "04", "05", "06", "07"}));
    // A row taken from a grid comes back unchanged through a line, blanks included.
    const QStringList row{"123", " ", "03", "04", "05", "06", "07", "08"};
    QCOMPARE(gridRowFromFields(splitCommaText(joinCommaText(row)), 8), row);
}

SEPTARION_CORE_TEST_MAIN(TestCommaText)
#include "test_commatext.moc"
