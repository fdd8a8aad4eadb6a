#include "TestSupport.h"

#include "common/Clock.h"
#include "data/ResultsText.h"

#include <QStringEncoder>

namespace {

// Draw 689's prize data as summary() writes it: winners/amount of each tier.
const QString kPrize689 = QStringLiteral(
    "1/1200000000 7/9453700 133/573100 6749/6800 104182/1400 185140/1000 c727107220");
const QString kRow689 = QStringLiteral("689,2026/8/7,4,18,23,24,32,33,35,36,29,1,7,133,6749,104182,"
                                       "185140,1200000000,9453700,573100,6800,1400,1000,727107220");

// The results file the lottery publishes for a draw, two of them in one text.
const QString kOfficialFile = QStringLiteral(
    "第690回ロト７,数字選択式全国自治宝くじ,令和8年8月14日,東京\r\n"
    "支払期間,令和8年8月17日から令和9年8月17日まで\r\n"
    "本数字,03,10,14,17,18,20,25,ボーナス数字,19,34\r\n１等,該当なし,該当なし\r\n"
    "２等,7口,\"9,453,700円\"\r\n３等,133口,\"573,100円\"\r\n４等,\"6,749口\",\"6,800円\"\r\n"
    "５等,\"104,182口\",\"1,400円\"\r\n６等,\"185,140口\",\"1,000円\"\r\n"
    "キャリーオーバー,1250502065円\r\n販売実績額,\"3,052,806,400円\"\r\n\r\n"
    "第691回ロト７,数字選択式全国自治宝くじ,令和8年8月21日,東京\r\n"
    "本数字,01,02,03,04,05,06,07,ボーナス数字,08,09\r\n１等,1口,1,200,000,000円\r\n"
    "２等,7,9453700\r\n３等,133,573100\r\n４等,6,749口,6,800円\r\n５等,104,182,1,400\r\n"
    "６等,164,199口,1,000円\r\nキャリーオーバー,1,250,502,065円\r\n販売実績額,3,052,806,400円\r\n");

QString numbersText(const QVector<int>& numbers) {
    QStringList texts;
    for (const int n : numbers)
        texts.append(QString::number(n));
    return texts.join(u',');
}

// "line:draw date mains+bonus prize [refusal] {note}", prize "-" when absent.
QString summary(const ReadDraw& d) {
    QString text = QStringLiteral("%1:%2").arg(d.sourceLine).arg(d.drawNumber);
    if (d.hasNumbers)
        text += u' ' + (d.date.isValid() ? d.date.toString(Qt::ISODate) : d.dateText) + u' ' +
                numbersText(d.mainNumbers) + u'+' + numbersText(d.bonusNumbers);
    QStringList prize;
    for (int t = 0; d.prize && t < kPrizeTiers; ++t)
        prize.append(
            QStringLiteral("%1/%2").arg(d.prize->Winners.at(t)).arg(d.prize->Amounts.at(t)));
    if (d.prize)
        prize.append(u'c' + QString::number(d.prize->CarryOver));
    text += u' ' + (d.prize ? prize.join(u' ') : QStringLiteral("-"));
    if (d.refused())
        text += QStringLiteral(" [%1]").arg(d.refusal);
    for (const QString& note : d.notes)
        text += QStringLiteral(" {%1}").arg(note);
    return text;
}

QByteArray shiftJis(const QString& text) {
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

// The lottery's own file, as one row of the layout table.
void addOfficialFileRow() {
    QTest::newRow("the lottery's own file in Shift_JIS: two draws, values quoted or not")
        << shiftJis(kOfficialFile)
        << QStringList{u"1:690 2026-08-14 3,10,14,17,18,20,25+19,34 0/0 7/9453700 133/573100 "
                       "6749/6800 104182/1400 185140/1000 c1250502065"_qs,
                       u"13:691 2026-08-21 1,2,3,4,5,6,7+8,9 1/1200000000 7/9453700 "
                       "133/573100 6749/6800 104182/1400 164199/1000 c1250502065"_qs};
}

// One draw per line, the lines refused, and rows of no draw.
void addFreeFormRows() {
    QTest::newRow("free form and refused lines")
        << u"第690回 2026/08/14 03 10 14 17 18 20 25 (34) (19)\n"
           "第６９１回　平成２５年４月５日　０７　０６　０５　０４　０３　０２　０１　（０９）"
           "　（０８）\n"
           "696\t令和元年5月10日\t01\t02\t03\t04\t05\t06\t07\t09\t08\n"
           "692 2026/02/30 01 02 03 04 05 06 07 (08) (09)\n"
           "693,2026/08/28,01,02,03,04,05,06,38,08,09\n"
           "694 2026/09/04 01 02 03 04 05 06 06 (08) (09)\n"
           "第695回 2026/09/11 01 02 03 04 05 06 07 (07) (09)\n"
           "99999999999999999999999,2026/8/7,1,2,3,4,5,6,7,8,9\n"
           "\"689,\"2026,08/14 03 \"\n第697回 2026/09/25 1 2 3 4 5 6\n"_qs.toUtf8()
        << QStringList{u"1:690 2026-08-14 3,10,14,17,18,20,25+19,34 -"_qs,
                       u"2:691 2013-04-05 1,2,3,4,5,6,7+8,9 -"_qs,
                       u"3:696 2019-05-10 1,2,3,4,5,6,7+8,9 -"_qs,
                       u"4:692 2026/02/30 1,2,3,4,5,6,7+8,9 - [存在しない日付です]"_qs,
                       u"5:693 2026-08-28 1,2,3,4,5,6,38+8,9 - [本数字が1～37の範囲外です]"_qs,
                       u"6:694 2026-09-04 1,2,3,4,5,6,6+8,9 - [本数字に重複があります]"_qs,
                       u"7:695 2026-09-11 1,2,3,4,5,6,7+7,9 - "
                       "[ボーナス数字が本数字と重複しています]"_qs,
                       u"8:1000000000000000 2026-08-07 1,2,3,4,5,6,7+8,9 - "
                       "[開催回が1～99999の範囲外です]"_qs,
                       u"10:697 2026-09-25 1,2,3,4,5,6+ - [本数字が7個ではありません]"_qs};
    // Today is 2026/12/01. Also a spreadsheet's empty row, and a row of
    // more words than a cell array holds inline.
    QTest::newRow("dates the data files cannot hold, rows of no draw")
        << ("690,0999/08/14,03,10,14,17,18,20,25,19,34\n,, ,,,,,,,,\n"
            "691,2027/12/10,01,02,03,04,05,06,07,08,09\n" +
            QByteArray("x ").repeated(30))
        << QStringList{u"1:690 0999-08-14 3,10,14,17,18,20,25+19,34 - "
                       "[抽選日が第1回（2013/04/05）より前です]"_qs,
                       u"3:691 2027-12-10 1,2,3,4,5,6,7+8,9 - [抽選日が1年以上先です]"_qs};
}

} // namespace

class TestResultsText : public QObject {
    Q_OBJECT
private slots:
    void readsLayouts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("draws");
        QTest::newRow("own data files: prize line and numbers line make one draw")
            << QByteArray("\xEF\xBB\xBF"
                          "689,1,1200000000,7,9453700,133,573100,6749,6800,104182,1400,185140,"
                          "1000,727107220\r\n\r\n689,2026/08/07,04,18,23,24,32,33,35,29,36\r"
                          "690,1.5,0,7,1,133,1,6749,1,104182,1,185140,1,0\n")
            << QStringList{u"1:689 2026-08-07 4,18,23,24,32,33,35+29,36 "_qs + kPrize689,
                           u"4:690 - [口数が整数ではありません]"_qs};
        QTest::newRow("all-draws CSV: counts before amounts, repeats, cut carry-over")
            << (u"開催回,日付,第1数字,第2数字,第3数字,第4数字,第5数字,第6数字,第7数字,BONUS数字1,"
                "BONUS数字2,1等口数,2等口数,3等口数,4等口数,5等口数,6等口数,1等賞金,2等賞金,"
                "3等賞金,4等賞金,5等賞金,6等賞金,キャリーオーバー\n"_qs +
                kRow689 + u'\n' + kRow689 + u'\n' +
                QString(kRow689)
                    .replace(u"689,2026/8/7"_qs, u"690,2026/8/14"_qs)
                    .replace(u"727107220"_qs, u"2147483647"_qs) +
                u'\n' + QString(kRow689).replace(u"8/7"_qs, u"8/8"_qs))
                   .toUtf8()
            << QStringList{
                   u"2:689 2026-08-07 4,18,23,24,32,33,35+29,36 "_qs + kPrize689,
                   u"4:690 2026-08-14 4,18,23,24,32,33,35+29,36 - {キャリーオーバーが"
                   "2,147,483,647円で、ほかのソフトで桁が切れた値のため、本数字のみ取り込みます}"_qs,
                   u"5:689 2026-08-08 4,18,23,24,32,33,35+29,36 - "
                   "[同じ開催回が異なる内容で重複しています]"_qs};
        QTest::newRow("dated CSV in Shift_JIS: quoted amounts, 該当なし, count without amount")
            << shiftJis(u"抽せん日,本数字,ボーナス数字,回別,1等口数,1等当選金額,2等口数,"
                        "2等当選金額,3等口数,3等当選金額,4等口数,4等当選金額,5等口数,"
                        "5等当選金額,6等口数,6等当選金額,キャリーオーバー\r\n"
                        "2026-08-07,04 18 23 24 32 33 35,(36) (29),第689回,1口,"
                        "\"1,200,000,000円\",7口,\"9,453,700円\",133口,\"573,100円\","
                        "\"6,749口\",\"6,800円\",\"104,182口\",\"1,400円\",\"185,140口\","
                        "\"1,000円\",\"727,107,220円\"\r\n"
                        "2026-08-14,03 10 14 17 18 20 25,19 34,第690回,該当なし,該当なし,"
                        "7口,1円,133口,0円,1口,1円,1口,1円,1口,1円,0円"_qs)
            << QStringList{u"2:689 2026-08-07 4,18,23,24,32,33,35+29,36 "_qs + kPrize689,
                           u"3:690 2026-08-14 3,10,14,17,18,20,25+19,34 - "
                           "[3等に当せん口数がありますが金額がありません]"_qs};
        addOfficialFileRow();
        QTest::newRow("results page: blocks, full-width digits, 令和, rounded and partial prizes")
            << u"2026年9月分（第693回〜第695回）\n第695回 ロト7 抽せん結果\n回別\t第695回\n"
               "抽せん日\t令和8年9月18日\n"
               "本数字\t０５　０６　１１　１６　２２　２４　３４\nボーナス数字\t(18)\t(15)\n"
               "等級\t口数\t当せん金額\n1等\t該当なし\t該当なし\n2等\t7口\t9,453,700円\n"
               "3等  133口  573,100円\n4等\t6,749口\t6,800円\n5等\t104,182口\t1,400円\n"
               "6等\t185,140口\t1,000円\nキャリーオーバー\t727,107,220円\n"
               "販売実績額\t3,052,806,400円\n\n回別 第694回\n抽せん日 2026年9月11日\n"
               "本数字 01 02 03 04 05 06 07\nボーナス数字 (08) (09)\n1等 1口 6億円\n"
               "2等 7口 1,234万円\n回別 第693回\n抽せん日 2026年9月4日\n"
               "本数字 01 02 03 04 05 06 07\nボーナス数字 (08) (09)\n1等 1口 1,200,000,000円\n"
               "第692回 2026年8月28日 01 02 03 04 05 06 07 (08) (09)\n"_qs.toUtf8()
            << QStringList{u"3:695 2026-09-18 5,6,11,16,22,24,34+15,18 0/0 7/9453700 133/573100 "
                           "6749/6800 104182/1400 185140/1000 c727107220"_qs,
                           u"17:694 2026-09-11 1,2,3,4,5,6,7+8,9 - "
                           "{賞金額が概数（億・万）のため、本数字のみ取り込みます}"_qs,
                           u"23:693 2026-09-04 1,2,3,4,5,6,7+8,9 - "
                           "{賞金データが不完全なため、本数字のみ取り込みます}"_qs,
                           u"28:692 2026-08-28 1,2,3,4,5,6,7+8,9 -"_qs};
        addFreeFormRows();
    }
    void readsLayouts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, draws);
        Clock::setFixedTime(QDateTime(QDate(2026, 12, 1), QTime(12, 0)));
        const auto realClock = qScopeGuard([] { Clock::setFixedTime({}); });
        QStringList read;
        for (const ReadDraw& d : readResultsText(decodeResultsText(bytes))) {
            read.append(summary(d));
            QVERIFY(!d.prize || d.prize->DrawNumber == d.drawNumber);
        }
        QCOMPARE(read, draws);
    }
};

SEPTARION_CORE_TEST_MAIN(TestResultsText)
#include "test_resultstext.moc"
