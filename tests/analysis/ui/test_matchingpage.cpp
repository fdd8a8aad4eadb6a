// The matching tab: listing the saved lines of a draw number and checking
// them against the draw table, as a user does it through the window.
#include "GuiTestSupport.h"

#include "analysis/ui/MatchingPage.h"
#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/ComFunction.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

#include <algorithm>
#include <memory>

namespace {
const QString kNoData = QStringLiteral("保存データがありません…。");
const QString kReady = QStringLiteral("抽選結果と申込数字を照合します。");
const QString kRunning = QStringLiteral("抽選結果と照合中です…。");
const QString kDone = QStringLiteral("抽選結果を確認してください。");
const QString kNoMatch = QStringLiteral("抽選結果と照合できません…。");
const QString kNoMatchBox =
    QStringLiteral("抽選結果と照合できません…。最新の抽選データをダウンロードしてください。");
const QString kTier[] = {QString(),
                         QStringLiteral("１等が当選しました。"),
                         QStringLiteral("２等が当選しました。"),
                         QStringLiteral("３等が当選しました。"),
                         QStringLiteral("４等が当選しました。"),
                         QStringLiteral("５等が当選しました。"),
                         QStringLiteral("６等が当選しました。")};

// Saved lines, one per tier, of the draw with the main numbers 01 to 07 and
// the bonus numbers 08 and 09.
QByteArray linesOf(const QByteArray& draw) {
    return draw + ",01,02,03,04,05,06,07\r\n" + // 1st
           draw + ",01,02,03,04,05,06,09\r\n" + // 2nd
           draw + ",01,02,03,04,05,06,30\r\n" + // 3rd
           draw + ",01,02,03,04,05,08,30\r\n" + // 4th
           draw + ",01,02,03,04,30,31,32\r\n" + // 5th
           draw + ",01,02,03,08,30,31,32\r\n" + // 6th
           draw + ",01,02,08,09,30,31,32\r\n";  // none
}
} // namespace

class TestMatchingPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<TMainForm> m_form;
    ModalAnswerer* m_answerer = nullptr;

    QSpinBox* edit() { return control<QSpinBox>(m_form.get(), QStringLiteral("editSelectNum")); }
    StringGrid* grid() { return control<StringGrid>(m_form.get(), QStringLiteral("gridHitSel")); }
    QPushButton* exec() { return control<QPushButton>(m_form.get(), QStringLiteral("btnExec")); }
    QString guide() { return control<QLabel>(m_form.get(), QStringLiteral("pnlHitGuide"))->text(); }
    TPageControl* tabs() {
        return control<TPageControl>(m_form.get(), QStringLiteral("pctrlMain"));
    }
    void showMatchingTab() {
        tabs()->setCurrentIndex(0);
        tabs()->setCurrentIndex(2); // showing the tab loads the lines
        QCOMPARE(tabs()->currentWidget()->objectName(), QStringLiteral("TabSheet5"));
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
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
    }

private slots:
    void initTestCase() {
        Clock::setPausesEnabled(false);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init() {
        QSettings(QStringLiteral("Ozumel"), QStringLiteral("Septarion")).clear();
        m_dir = std::make_unique<TempProgramDir>();
        m_answerer = new ModalAnswerer();
        start(
            drawLine(122, QStringLiteral("2015/08/14"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
                drawLine(121, QStringLiteral("2015/08/07"), {11, 12, 13, 14, 15, 16, 17}, {18, 19}),
            prizeLine(122) + prizeLine(121));
    }
    void cleanup() {
        m_form.reset();
        delete m_answerer;
        m_dir.reset();
    }

    void noSavedLinesForTheComingDraw() {
        // The load set the coming draw number; it has no file.
        QCOMPARE(edit()->text(), QStringLiteral("123"));
        showMatchingTab();
        QCOMPARE(grid()->dataRowCount(), 1);
        QVERIFY(!grid()->hasData());
        QCOMPARE(guide(), kNoData);
        QVERIFY(!exec()->isEnabled());
        QCOMPARE(control<QLabel>(m_form.get(), QStringLiteral("Label3"))->text(),
                 QStringLiteral("開催回"));
        QCOMPARE(exec()->text(), QStringLiteral("照合開始"));
        // The grid: nine titled columns of the given widths, 22-pixel rows.
        const QList<int> widths = {75, 32, 32, 32, 32, 32, 32, 29, 276};
        for (int column = 0; column < 9; ++column)
            QCOMPARE(grid()->columnWidth(column), widths.at(column));
        QCOMPARE(grid()->model()->headerData(8, Qt::Horizontal).toString(),
                 QStringLiteral("照合結果"));
        QCOMPARE(grid()->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("⑦"));
        QCOMPARE(grid()->verticalHeader()->defaultSectionSize(), 22);
        QCOMPARE(grid()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(grid()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // Before any load the spin edit shows 700.
        const DrawTable none;
        TMatchingPage fresh(none);
        QCOMPARE(fresh.drawNumberText(), QStringLiteral("700"));
    }

    void typingLoadsTheFileOfEachText() {
        m_dir->writeFile(QStringLiteral("client/7.csv"), "7,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/70.csv"),
                         "70,11,12,13,14,15,16,17\r\n70,21,22,23,24,25,26,27\r\n");
        m_dir->writeFile(QStringLiteral("client/700.csv"), "700,31,32,33,34,35,36,37\r\n");
        showMatchingTab();
        typeDrawNumber(QStringLiteral("7"));
        QCOMPARE(grid()->dataRowCount(), 1);
        QCOMPARE(grid()->cell(0, 1), QStringLiteral("01"));
        QCOMPARE(guide(), kReady);
        QVERIFY(exec()->isEnabled());
        QTest::keyClicks(edit(), QStringLiteral("0"));
        QCOMPARE(grid()->dataRowCount(), 2);
        QCOMPARE(grid()->cell(1, 1), QStringLiteral("21"));
        QTest::keyClicks(edit(), QStringLiteral("0"));
        QCOMPARE(grid()->rowCells(0),
                 (QStringList{"700", "31", "32", "33", "34", "35", "36", "37", QString()}));
        // Letters and signs do not reach the field.
        QTest::keyClicks(edit(), QStringLiteral("a-x"));
        QCOMPARE(edit()->text(), QStringLiteral("700"));
        QCOMPARE(grid()->cell(0, 0), QStringLiteral("700"));
        // All digits deleted: no file is named, nothing to match.
        typeDrawNumber(QString());
        QVERIFY(!grid()->hasData());
        QCOMPARE(guide(), kNoData);
        QVERIFY(!exec()->isEnabled());
    }

    void linesOfADrawNotInTheTable() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), linesOf("123"));
        showMatchingTab();
        QCOMPARE(grid()->dataRowCount(), 7);
        QTest::mouseClick(exec(), Qt::LeftButton);
        QCOMPARE(m_answerer->boxes().size(), 1);
        const ModalAnswerer::Box box = m_answerer->boxes().first();
        QCOMPARE(box.caption, QStringLiteral("ガイドメッセージ"));
        QCOMPARE(box.text, kNoMatchBox);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(guide(), kNoMatch);
        QCOMPARE(results(), QStringList(7, QString()));
        QVERIFY(exec()->isEnabled());
        QVERIFY(tabs()->isEnabled());
    }

    void linesOfTwoDrawsOneMissing() {
        // Lines of draw 122, of draw 555 (not in the table), of draw 121, and
        // malformed lines, in one file.
        m_dir->writeFile(QStringLiteral("client/122.csv"),
                         linesOf("122") + "555,01,02,03,04,05,06,07\r\n" +
                             "121,11,12,13,14,15,16,17\r\n" + "122,xx,\"0 1\",03\r\n" +
                             "122,01,,02,03,04,05,06,07,08\r\n");
        typeDrawNumber(QStringLiteral("122"));
        showMatchingTab();
        QCOMPARE(grid()->dataRowCount(), 11);

        struct Seen {
            bool ran = false;
            QString guide;
            bool tabs = true;
            bool menu = true;
            bool download = true;
            bool cursor = false;
        } seen;
        // Runs at the first pause of the run.
        QTimer::singleShot(0, m_form.get(), [&] {
            seen.ran = true;
            seen.guide = guide();
            seen.tabs = tabs()->isEnabled();
            seen.menu = m_form->menuBar()->isEnabled();
            seen.download = control<QAction>(m_form.get(), QStringLiteral("menuCommandDownload"))
                                ->isEnabled() &&
                            m_form->menuBar()->isEnabled();
            seen.cursor = QApplication::overrideCursor() &&
                          QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        exec()->click();
        QVERIFY(seen.ran);
        QCOMPARE(seen.guide, kRunning);
        QVERIFY(!seen.tabs);
        QVERIFY(!seen.menu);
        QVERIFY(!seen.download);
        QVERIFY(seen.cursor);

        // The last line reads 01, an empty field and 02 to 06: six main numbers.
        const QStringList expected = {kTier[1],  kTier[2],  kTier[3], kTier[4],  kTier[5], kTier[6],
                                      QString(), QString(), kTier[1], QString(), kTier[3]};
        QCOMPARE(results(), expected);
        QCOMPARE(grid()->cell(9, 2), QStringLiteral("0 1"));
        QCOMPARE(grid()->cell(10, 2), QStringLiteral(" ")); // an empty field keeps its cell
        QVERIFY(m_answerer->boxes().isEmpty());
        QCOMPARE(guide(), kDone);
        // The last row matched is current: the draws were visited newest first.
        QCOMPARE(grid()->currentDataRow(), 8);
        QVERIFY(tabs()->isEnabled());
        QVERIFY(m_form->menuBar()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());

        // A second run gives the same results.
        QTest::mouseClick(exec(), Qt::LeftButton);
        QCOMPARE(results(), expected);
        QCOMPARE(guide(), kDone);
        // Showing the tab again lists the lines afresh, without results.
        showMatchingTab();
        QCOMPARE(results(), QStringList(11, QString()));
        QCOMPARE(guide(), kReady);
    }

    void closingDuringARunEndsItCleanly() {
        m_dir->writeFile(QStringLiteral("client/122.csv"), linesOf("122"));
        typeDrawNumber(QStringLiteral("122"));
        showMatchingTab();
        // The user closes the window while the first result is on show.
        QTimer::singleShot(0, m_form.get(), [this] { m_form->close(); });
        exec()->click();
        QTRY_VERIFY(!m_form->isVisible());
        QCOMPARE(results().first(), kTier[1]);
        QCOMPARE(results().mid(1), QStringList(6, QString())); // the run ended there
        QVERIFY(m_answerer->boxes().isEmpty());
        QVERIFY(!m_form->isLoading());
        QVERIFY(!QApplication::overrideCursor());
        // The close stored the settings as any close does.
        QVERIFY(QSettings(QStringLiteral("Ozumel"), QStringLiteral("Septarion"))
                    .contains(QStringLiteral("Windows/Left")));
    }

    void realDrawsGiveEveryTier() {
        const QString dir = sharedDataDir();
        if (dir.isEmpty())
            QSKIP("The real data folder ../shared/data beside the project is absent");
        m_form.reset();
        QFile draws(dir + QStringLiteral("/Loto7Number.csv"));
        QFile prizes(dir + QStringLiteral("/Loto7Data.csv"));
        QVERIFY(draws.open(QIODevice::ReadOnly) && prizes.open(QIODevice::ReadOnly));
        start(draws.readAll(), prizes.readAll());
        const DrawResult* draw = m_form->drawTable().findByNumber(689);
        QVERIFY(draw);

        // Lines built from the draw's numbers: so many main and bonus numbers,
        // filled up with numbers not drawn.
        QList<int> notDrawn;
        for (int n = 1; n <= kMaxNumber; ++n)
            if (std::count(draw->MainNumbers.begin(), draw->MainNumbers.end(), n) +
                    std::count(draw->BonusNumbers.begin(), draw->BonusNumbers.end(), n) ==
                0)
                notDrawn.append(n);
        const QList<QPair<QPair<int, int>, int>> lines = {{{7, 0}, 1}, {{6, 1}, 2}, {{6, 0}, 3},
                                                          {{5, 2}, 4}, {{4, 0}, 5}, {{3, 1}, 6},
                                                          {{3, 0}, 0}, {{2, 2}, 0}, {{0, 0}, 0}};
        QByteArray file;
        for (const auto& [hits, tier] : lines) {
            QList<int> numbers(draw->MainNumbers.begin(), draw->MainNumbers.begin() + hits.first);
            numbers.append(
                QList<int>(draw->BonusNumbers.begin(), draw->BonusNumbers.begin() + hits.second));
            numbers.append(notDrawn.mid(0, kPositions - numbers.size()));
            std::sort(numbers.begin(), numbers.end());
            file += "689";
            for (int n : numbers)
                file += ',' + formatTwoDigits(n).toLatin1();
            file += "\r\n";
        }
        m_dir->writeFile(QStringLiteral("client/689.csv"), file);
        showMatchingTab();
        typeDrawNumber(QStringLiteral("689"));
        QTest::mouseClick(exec(), Qt::LeftButton);
        QStringList expected;
        for (const auto& line : lines)
            expected.append(kTier[line.second]);
        QCOMPARE(results(), expected);
        QCOMPARE(guide(), kDone);
    }
};

SEPTARION_TEST_MAIN(TestMatchingPage)
#include "test_matchingpage.moc"
