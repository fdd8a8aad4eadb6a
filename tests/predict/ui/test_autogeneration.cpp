// Generation from the main tab: the board driven as a user would, the busy
// state while it runs, the messages, a step without candidates and a close
// during the run.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/ui/BusyScope.h"
#include "common/ui/CountSpinEdit.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "predict/GenerationRule.h"
#include "predict/ui/ExclusionTable.h"

#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <memory>

namespace {

// Midnight UTC: the generator's seed is 0.
const QDateTime kMidnight(QDate(2024, 5, 10), QTime(0, 0), Qt::UTC);

QString lineText(const std::array<int, kPositions>& numbers) {
    QStringList cells;
    for (int n : numbers)
        cells.append(QString::number(n).rightJustified(2, u'0'));
    return cells.join(u' ');
}

// The lines the rule gives from a seed, as the board run should commit them.
QStringList expectedLines(quint32 seed, const GenerationRule& rule, int count) {
    LotoRandom random(seed);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const auto line = generateLine(random, rule);
        if (!line)
            break;
        lines.append(lineText(*line));
    }
    return lines;
}

} // namespace

class TestAutoGeneration : public WindowTest {
    Q_OBJECT

    StringGrid* grid() { return find<StringGrid>(QStringLiteral("gridSelectItem")); }
    TCountSpinEdit* spin(const QString& name) { return find<TCountSpinEdit>(name); }
    void click(const QString& name) {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    void clickMode(int mode) { click(QStringLiteral("RadioButton%1").arg(mode + 1)); }
    void run(int lines) {
        spin(QStringLiteral("editAutoSelectMax"))->setText(QString::number(lines));
        click(QStringLiteral("btnAutoCalc"));
    }
    // Committed lines as "01 02 ..", checked to be 7 distinct ascending numbers.
    QStringList committed() {
        QStringList lines;
        if (!grid()->hasData())
            return lines;
        for (const QStringList& row : grid()->dataRows()) {
            int previous = 0;
            for (int c = 1; c <= kPositions; ++c) {
                const int n = row.at(c).toInt();
                if (n <= previous || n > kMaxNumber)
                    return {QStringLiteral("bad row ") + row.join(u',')};
                previous = n;
            }
            lines.append(row.mid(1, kPositions).join(u' '));
        }
        return lines;
    }
    int boardCount() {
        int down = 0;
        for (int n = 1; n <= kMaxNumber; ++n)
            down += find<QToolButton>(QStringLiteral("SpeedButton%1").arg(n))->isChecked();
        return down;
    }
    void checkIdle() {
        QVERIFY(!BusyState::isBusy());
        QVERIFY(find<QWidget>(QStringLiteral("pctrlMain"))->isEnabled());
        QVERIFY(m_form->menuBar()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

private slots:
    void init() {
        newProgramFolder();
        Clock::setFixedTime(kMidnight);
        Clock::setPausesEnabled(false);
        m_dir->writeSampleData(60);
        answerBoxes();
        openWindow();
    }
    void cleanup() {
        closeWindow();
        Clock::setFixedTime({});
        Clock::setPausesEnabled(true);
    }

    void randomRunDrivesTheBoard() {
        clickMode(1);
        // Picked by hand before the click: cleared by the run, not committed.
        for (int n : {33, 34, 35})
            click(QStringLiteral("SpeedButton%1").arg(n));
        struct {
            bool seen = false;
            bool tabs = true;
            bool menu = true;
            bool cursor = false;
            int board = -1;
        } during;
        // Runs at the first let-through of events, after the first number.
        QTimer::singleShot(0, m_form.get(), [&] {
            during.seen = true;
            during.tabs = find<QWidget>(QStringLiteral("pctrlMain"))->isEnabled();
            during.menu = m_form->menuBar()->isEnabled();
            during.cursor = QApplication::overrideCursor() &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            during.board = boardCount();
        });
        run(3);
        QVERIFY(during.seen);
        QVERIFY(!during.tabs && !during.menu && during.cursor);
        QCOMPARE(during.board, 1);
        checkIdle();

        const QStringList lines = committed();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.first(), QStringLiteral("01 02 08 11 12 25 32"));
        const GenerationRule rule(GenerationMode::Random, 0, m_form->positionCounts(), {});
        QCOMPARE(lines, expectedLines(0, rule, 3));
        QCOMPARE(find<QLabel>(QStringLiteral("pnlSelectMax"))->text(), QStringLiteral("3口"));
        QCOMPARE(grid()->rowCells(1).at(0), QString::number(m_form->drawTable().nextDrawNumber()));
        QCOMPARE(boardCount(), 0);
        QVERIFY(m_answerer->boxes().isEmpty());

        // A second click adds to the list; the seed comes from the clock again.
        Clock::setFixedTime(kMidnight.addMSecs(4321));
        run(2);
        QCOMPARE(committed().mid(3), expectedLines(4321, rule, 2));
    }

    void modesReadTheirInputsAtTheDraw() {
        // Position-threshold mode with the field's value, "反映" or not.
        spin(QStringLiteral("editSelectRange"))->setText(QStringLiteral("4"));
        run(3);
        const GenerationRule byPosition(GenerationMode::PositionThreshold, 4,
                                        m_form->positionCounts(), {});
        QCOMPARE(committed(), expectedLines(0, byPosition, 3));
        QCOMPARE(m_form->settings().RangeNum, 1);

        // Exclusion mode: the set applied by "予想に反映", not the panels.
        click(QStringLiteral("btnCancel"));
        QCOMPARE(committed().size(), 2);
        clickMode(2);
        auto* table = find<TExclusionTable>(QStringLiteral("groupDeleteNumber"));
        for (int n : {1, 2, 8})
            QTest::mouseClick(table->panel(n), Qt::LeftButton);
        click(QStringLiteral("btnUpdate"));
        QTest::mouseClick(table->panel(8), Qt::LeftButton);  // unmarked, still applied
        QTest::mouseClick(table->panel(11), Qt::LeftButton); // marked, not applied
        NumberSet applied{};
        applied[0] = applied[1] = applied[7] = true;
        const GenerationRule byExclusion(GenerationMode::Exclusion, 0, m_form->positionCounts(),
                                         applied);
        run(8);
        QCOMPARE(committed().mid(2), expectedLines(0, byExclusion, 8));
        QVERIFY(committed().join(u' ').contains(QStringLiteral("11")));
        QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("除外数字を全て反映しました。")});
    }

    void badInputsEndTheRunWithAMessage() {
        spin(QStringLiteral("editAutoSelectMax"))->setText(QString());
        click(QStringLiteral("btnAutoCalc"));
        QCOMPARE(m_answerer->texts(),
                 QStringList{QStringLiteral("連続申込み口数が入力されていません。")});
        QCOMPARE(m_answerer->boxes().first().caption, QStringLiteral("ガイドメッセージ"));

        // A threshold that is not a whole number fails at the first draw.
        m_answerer->clear();
        click(QStringLiteral("SpeedButton5"));
        spin(QStringLiteral("editSelectRange"))->setText(QStringLiteral("-"));
        run(3);
        QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("'-' は整数ではありません")});
        QCOMPARE(m_answerer->boxes().first().caption, QStringLiteral("エラーメッセージ"));
        QVERIFY(committed().isEmpty());
        QCOMPARE(boardCount(), 0);
        checkIdle();

        // Manual mode: the button is disabled, a click does nothing.
        clickMode(0);
        QVERIFY(!find<QWidget>(QStringLiteral("btnAutoCalc"))->isEnabled());
    }

    void stepWithoutCandidateEndsInOrder() {
        // Position 2 reaches 2 only with number 1, which position 1 may take.
        m_form.reset();
        QByteArray draws;
        QByteArray prizes;
        const QList<QList<int>> mains = {{2, 1, 3, 4, 5, 6, 7},
                                         {2, 1, 3, 4, 5, 6, 7},
                                         {1, 9, 3, 4, 5, 6, 7},
                                         {1, 10, 3, 4, 5, 6, 7}};
        for (int i = 0; i < mains.size(); ++i) {
            draws += drawLine(4 - i, QStringLiteral("2013/04/05"), mains.at(i), {20, 21});
            prizes += prizeLine(4 - i);
        }
        m_dir->writeDataFiles(draws, prizes);
        openWindow();
        const GenerationRule rule(GenerationMode::PositionThreshold, 2, m_form->positionCounts(),
                                  {});
        // A clock reading whose run commits some lines before it gets stuck.
        quint32 seed = 0;
        while (expectedLines(seed, rule, 10).size() < 2)
            ++seed;
        const QStringList before = expectedLines(seed, rule, 10);
        QVERIFY(before.size() < 10);
        Clock::setFixedTime(kMidnight.addMSecs(seed));

        spin(QStringLiteral("editSelectRange"))->setText(QStringLiteral("2"));
        click(QStringLiteral("btnAgainUpdate")); // every basic number reaches 2
        QVERIFY(m_answerer->boxes().isEmpty());
        run(10);
        QCOMPARE(committed(), before);
        QCOMPARE(boardCount(), 0);
        QCOMPARE(m_answerer->texts(),
                 QStringList{QStringLiteral("基本数字②に、過去の抽選回数が2回以上の数字が"
                                            "残っていません。抽選回数を小さくしてください。")});
        checkIdle();

        // Raised without "反映": stuck at the first number, nothing committed.
        m_answerer->clear();
        click(QStringLiteral("btnCancel"));
        grid()->resetToPlaceholder();
        spin(QStringLiteral("editSelectRange"))->setText(QStringLiteral("3"));
        run(1);
        QCOMPARE(m_answerer->texts().size(), 1);
        QVERIFY(m_answerer->texts().first().startsWith(QStringLiteral("基本数字①に")));
        QVERIFY(committed().isEmpty());
        checkIdle();
    }

    void closingDuringRunEndsItCleanly() {
        clickMode(1);
        MainFormAccess::settings(*m_form).AutoNum = 42; // stored on the close
        int linesAtClose = -1;
        // Close in the middle of the second line, three or more numbers into it.
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, m_form.get(), [&] {
            if (linesAtClose < 0 && grid()->hasData() && boardCount() >= 3) {
                linesAtClose = grid()->dataRowCount();
                m_form->close();
            }
        });
        ticker.start(0);
        run(100);
        ticker.stop();
        QCOMPARE(linesAtClose, 1);
        QCOMPARE(committed().size(), 1); // the half-built line is not committed
        QCOMPARE(boardCount(), 0);
        QTRY_VERIFY(!m_form->isVisible()); // the close follows the end of the run
        checkIdle();
        QCOMPARE(programSettings().value(QStringLiteral("Options/AutoNum")).toString(),
                 QStringLiteral("42"));
    }
};

SEPTARION_TEST_MAIN(TestAutoGeneration)
#include "test_autogeneration.moc"
