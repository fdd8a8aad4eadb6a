// The matching tab through the window: listing the saved lines of a draw
// number and checking them against the draw table.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/Formats.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"

#include <QAbstractSpinBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

namespace {
const QString kNoData = QStringLiteral("保存データがありません…。");
const QString kDone = QStringLiteral("抽選結果を確認してください。");

QString tier(int n) {
    return n == 0 ? QString() : QString::fromUtf8("%1等が当選しました。").arg(QChar(0xFF10 + n));
}

// Lines of tiers 1 to 6 and none against main numbers 01 to 07, bonus 08 09.
QByteArray tierLines(const QByteArray& draw) {
    QByteArray lines;
    for (const char* numbers :
         {"01,02,03,04,05,06,07", "01,02,03,04,05,06,09", "01,02,03,04,05,06,30",
          "01,02,03,04,05,08,30", "01,02,03,04,30,31,32", "01,02,03,08,30,31,32",
          "01,02,08,09,30,31,32"})
        lines += draw + ',' + numbers + "\r\n";
    return lines;
}
} // namespace

class TestMatchingPage : public WindowTest {
    Q_OBJECT

    QAbstractSpinBox* edit() { return find<QAbstractSpinBox>(QStringLiteral("editSelectNum")); }
    StringGrid* grid() { return find<StringGrid>(QStringLiteral("gridHitSel")); }
    QPushButton* exec() { return find<QPushButton>(QStringLiteral("btnExec")); }
    QString guide() { return find<QLabel>(QStringLiteral("pnlHitGuide"))->text(); }
    TPageControl* tabs() { return find<TPageControl>(QStringLiteral("pctrlMain")); }
    void showMatchingTab() {
        tabs()->setCurrentIndex(0);
        tabs()->setCurrentIndex(2); // showing the tab loads the lines
    }
    void typeDrawNumber(const QString& text) {
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Backspace);
        QTest::keyClicks(edit(), text);
    }
    QStringList results() {
        QStringList texts;
        for (const QStringList& cells : grid()->dataRows())
            texts.append(cells.at(8));
        return texts;
    }
    void start(const QByteArray& draws, const QByteArray& prizes) {
        m_dir->writeDataFiles(draws, prizes);
        openWindow();
    }

private slots:
    void initTestCase() { Clock::setPausesEnabled(false); }
    void init() {
        newProgramFolder();
        answerBoxes();
        start(
            drawLine(122, QStringLiteral("2015/08/14"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
                drawLine(121, QStringLiteral("2015/08/07"), {11, 12, 13, 14, 15, 16, 17}, {18, 19}),
            prizeLine(122) + prizeLine(121));
    }
    void cleanup() { closeWindow(); }

    void typingLoadsTheFileOfEachText() {
        // The load set the coming draw number, which has no file.
        QCOMPARE(edit()->text(), QStringLiteral("123"));
        QVERIFY(!grid()->hasData());
        QCOMPARE(grid()->dataRowCount(), 1);
        QCOMPARE(guide(), kNoData);
        QVERIFY(!exec()->isEnabled());

        m_dir->writeFile(QStringLiteral("client/7.csv"), "7,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/70.csv"), tierLines("70"));
        m_dir->writeFile(QStringLiteral("client/700.csv"), "700,31,32,33,34,35,36,37\r\n");
        showMatchingTab();
        typeDrawNumber(QStringLiteral("7"));
        QCOMPARE(grid()->cell(0, 0), QStringLiteral("7"));
        QCOMPARE(guide(), QStringLiteral("抽選結果と申込数字を照合します。"));
        QVERIFY(exec()->isEnabled());
        QTest::keyClicks(edit(), QStringLiteral("0"));
        QCOMPARE(grid()->dataRowCount(), 7);
        QTest::keyClicks(edit(), QStringLiteral("0x-"));
        QCOMPARE(edit()->text(), QStringLiteral("700")); // letters never reach the field
        QCOMPARE(grid()->rowCells(0),
                 (QStringList{"700", "31", "32", "33", "34", "35", "36", "37", QString()}));
        typeDrawNumber(QString()); // no digits left: no file is named
        QCOMPARE(guide(), kNoData);
        QVERIFY(!exec()->isEnabled());
    }

    void linesOfADrawNotInTheTable() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), tierLines("123"));
        showMatchingTab();
        QTest::mouseClick(exec(), Qt::LeftButton);
        QCOMPARE(m_answerer->boxes().size(), 1);
        QCOMPARE(m_answerer->boxes().first().caption, QStringLiteral("ガイドメッセージ"));
        QCOMPARE(m_answerer->boxes().first().text,
                 QStringLiteral("抽選結果と照合できません…。"
                                "最新の抽選データをダウンロードしてください。"));
        QCOMPARE(guide(), QStringLiteral("抽選結果と照合できません…。"));
        QCOMPARE(results(), QStringList(7, QString()));
        QVERIFY(exec()->isEnabled());
    }

    void linesOfTwoDrawsOneMissing() {
        // Lines of draw 122, of draw 555 (not in the table), of draw 121, and
        // malformed lines (the last: 01, an empty field, 02 to 06).
        m_dir->writeFile(QStringLiteral("client/122.csv"),
                         tierLines("122") + "555,01,02,03,04,05,06,07\r\n" +
                             "121,11,12,13,14,15,16,17\r\n" + "122,xx,\"0 1\",03\r\n" +
                             "122,01,,02,03,04,05,06,07,08\r\n");
        typeDrawNumber(QStringLiteral("122"));
        showMatchingTab();
        QStringList seen; // at the first pause of the run
        QTimer::singleShot(0, m_form.get(), [&] {
            seen << guide() << QString::number(tabs()->isEnabled())
                 << QString::number(m_form->menuBar()->isEnabled())
                 << QString::number(QApplication::overrideCursor() != nullptr);
        });
        exec()->click();
        QCOMPARE(seen, (QStringList{QStringLiteral("抽選結果と照合中です…。"), "0", "0", "1"}));
        const QStringList expected = {tier(1),   tier(2),   tier(3), tier(4),   tier(5), tier(6),
                                      QString(), QString(), tier(1), QString(), tier(3)};
        QCOMPARE(results(), expected);
        QVERIFY(m_answerer->boxes().isEmpty());
        QCOMPARE(guide(), kDone);
        VERIFY_LAID_OUT(find<QWidget>(QStringLiteral("TabSheet5")));
        QCOMPARE(grid()->currentDataRow(), 8); // draw 121 comes after draw 122
        QVERIFY(tabs()->isEnabled() && m_form->menuBar()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        exec()->click();
        QCOMPARE(results(), expected); // a second run gives the same
    }

    void closingDuringARunEndsItCleanly() {
        m_dir->writeFile(QStringLiteral("client/122.csv"), tierLines("122"));
        typeDrawNumber(QStringLiteral("122"));
        showMatchingTab();
        // The user closes the window while the first result is on show.
        QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
        exec()->click();
        QTRY_VERIFY(!m_form->isVisible());
        QCOMPARE(results(), QStringList{tier(1)} + QStringList(6, QString()));
        QVERIFY(m_answerer->boxes().isEmpty());
        QVERIFY(!m_form->isLoading());
        QVERIFY(programSettings().contains(QStringLiteral("Windows/Left")));
    }

    void realDrawGivesEveryTier() {
        const QString dir = startingDataDir();
        m_form.reset();
        QFile draws(dir + QStringLiteral("/Loto7Number.csv"));
        QFile prizes(dir + QStringLiteral("/Loto7Data.csv"));
        QVERIFY(draws.open(QIODevice::ReadOnly) && prizes.open(QIODevice::ReadOnly));
        start(draws.readAll(), prizes.readAll());
        const DrawResult* draw = m_form->drawTable().findByNumber(689);
        QVERIFY(draw);
        // Lines of so many main and bonus numbers of the draw, filled up with
        // numbers not drawn.
        QList<int> notDrawn;
        for (int n = 1; n <= kMaxNumber; ++n)
            if (!QList<int>(draw->MainNumbers.begin(), draw->MainNumbers.end()).contains(n) &&
                !QList<int>(draw->BonusNumbers.begin(), draw->BonusNumbers.end()).contains(n))
                notDrawn.append(n);
        const QList<std::array<int, 3>> lines = {{7, 0, 1}, {6, 1, 2}, {6, 0, 3}, {5, 2, 4},
                                                 {4, 0, 5}, {3, 1, 6}, {3, 0, 0}, {2, 2, 0}};
        QByteArray file;
        QStringList expected;
        for (const auto& [mains, bonus, tierNumber] : lines) {
            QList<int> numbers(draw->MainNumbers.begin(), draw->MainNumbers.begin() + mains);
            numbers.append(
                QList<int>(draw->BonusNumbers.begin(), draw->BonusNumbers.begin() + bonus));
            numbers.append(notDrawn.mid(0, kPositions - numbers.size()));
            std::sort(numbers.begin(), numbers.end());
            file += "689";
            for (int n : numbers)
                file += ',' + formatTwoDigits(n).toLatin1();
            file += "\r\n";
            expected.append(tier(tierNumber));
        }
        m_dir->writeFile(QStringLiteral("client/689.csv"), file);
        showMatchingTab();
        typeDrawNumber(QStringLiteral("689"));
        exec()->click();
        QCOMPARE(results(), expected);
    }
};

SEPTARION_TEST_MAIN(TestMatchingPage)
#include "test_matchingpage.moc"
