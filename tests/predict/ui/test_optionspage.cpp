// The options tab: modes and what they enable, "反映" and "元に戻す", the
// exclusion editor, the range view and the count fields.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/CountSpinEdit.h"
#include "common/ui/PageControl.h"
#include "predict/ExclusionText.h"
#include "predict/ui/ExclusionTable.h"
#include "predict/ui/OptionsPage.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <memory>

namespace {

const QString kGuide = QStringLiteral("ガイドメッセージ");

struct ModeState {
    bool generating; // btnAutoCalc, editAutoSelectMax, editAutoSelectDefault
    bool threshold;  // editSelectRange, btnAgainUpdate
    int tabs;        // 0: group hidden
};

ModeState expectedState(int mode) {
    switch (mode) {
    case 0:
        return {false, false, 0};
    case 1:
        return {true, false, 0};
    case 2:
        return {true, false, 1};
    default:
        return {true, true, 7};
    }
}

void sendFocusOut(QWidget* widget) {
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestOptionsPage : public WindowTest {
    Q_OBJECT

    void start() {
        openWindow();
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(1);
    }
    void restart() {
        QVERIFY(m_form->close());
        m_form.reset();
        start();
    }
    TOptionsPage* page() { return find<TOptionsPage>(QStringLiteral("TabSheet2")); }
    TExclusionTable* table() { return find<TExclusionTable>(QStringLiteral("groupDeleteNumber")); }
    TCountSpinEdit* spin(const QString& name) { return find<TCountSpinEdit>(name); }
    QWidget* widget(const QString& name) { return find<QWidget>(name); }
    QTabBar* strip() { return find<QTabBar>(QStringLiteral("TabControl1")); }
    TNumberPanel* panel(int n) { return find<TNumberPanel>(QStringLiteral("Panel%1").arg(n)); }
    void click(const QString& name) {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }
    void clickMode(int mode) { click(QStringLiteral("RadioButton%1").arg(mode + 1)); }
    void setText(const QString& name, const QString& text) { spin(name)->setText(text); }
    QList<int> marked() {
        QList<int> numbers;
        for (int n = 1; n <= 37; ++n)
            if (panel(n)->property("tag").toInt() == 1)
                numbers.append(n);
        return numbers;
    }
    QList<int> flagged() {
        QList<int> numbers;
        for (int n = 1; n <= 37; ++n)
            if (page()->appliedExclusions()[n - 1])
                numbers.append(n);
        return numbers;
    }
    void checkMode(int mode, const char* path) {
        const ModeState want = expectedState(mode);
        const QString where = QStringLiteral("mode %1 by %2").arg(mode).arg(QLatin1String(path));
        QVERIFY2(find<QRadioButton>(QStringLiteral("RadioButton%1").arg(mode + 1))->isChecked(),
                 qPrintable(where));
        for (const char* name : {"btnAutoCalc", "editAutoSelectMax", "editAutoSelectDefault"})
            QVERIFY2(widget(QLatin1String(name))->isEnabled() == want.generating,
                     qPrintable(where + u' ' + QLatin1String(name)));
        for (const char* name : {"editSelectRange", "btnAgainUpdate"})
            QVERIFY2(widget(QLatin1String(name))->isEnabled() == want.threshold,
                     qPrintable(where + u' ' + QLatin1String(name)));
        QVERIFY2(table()->isHidden() == (want.tabs == 0), qPrintable(where));
        if (want.tabs > 0) {
            QVERIFY2(strip()->count() == want.tabs, qPrintable(where));
            // The range view's caption is blue, the exclusion's fuchsia.
            QVERIFY2(table()->captionColour() ==
                         (mode == 3 ? QColor(0, 0, 255) : QColor(255, 0, 255)),
                     qPrintable(where));
        }
        QVERIFY2(m_form->settings().OptionIndex == mode, qPrintable(where));
    }

private slots:
    void init() {
        newProgramFolder();
        m_dir->writeSampleData(30);
        answerBoxes();
        start();
    }
    void cleanup() { closeWindow(); }

    void firstStartShowsDefaultsAndRangeView() {
        QCOMPARE(spin(QStringLiteral("editAutoSelectDefault"))->text(), QStringLiteral("10"));
        QCOMPARE(spin(QStringLiteral("editAutoSelectMax"))->text(), QStringLiteral("10"));
        QCOMPARE(spin(QStringLiteral("editSelectRange"))->text(), QStringLiteral("1"));
        checkMode(3, "first start");
        QCOMPARE(table()->title(), QStringLiteral("抽選数字の絞り込み範囲（参照のみ）"));
        QCOMPARE(strip()->currentIndex(), 0);
        QCOMPARE(strip()->tabText(6), QStringLiteral("　⑦"));
        QCOMPARE(strip()->font().pointSize(), 18);
        QVERIFY(strip()->font().bold());
        QVERIFY(widget(QStringLiteral("btnUpdate"))->isHidden());
        // Range view of ①: the numbers drawn first at least once, in blue and not clickable.
        QList<int> drawnFirst;
        for (int n = 1; n <= 37; ++n)
            if (m_form->positionCounts().at(1, n) >= 1)
                drawnFirst.append(n);
        QCOMPARE(marked(), drawnFirst);
        QCOMPARE(panel(drawnFirst.first())->palette().color(QPalette::WindowText),
                 QColor(Qt::blue));
        QCOMPARE(panel(drawnFirst.first())->frameShadow(), QFrame::Sunken);
        QVERIFY(!panel(1)->isEnabled());
        QVERIFY(m_answerer->boxes().isEmpty());

        // Four rows of ten 33-pixel panels on a 40-pixel pitch.
        QCOMPARE(panel(1)->size(), QSize(33, 33));
        QCOMPARE(panel(37)->pos(), panel(1)->pos() + QPoint(6 * 40, 3 * 40));
    }

    void modeTableHoldsOnEveryPath() {
        MainFormAccess::settings(*m_form).DeleteNum = QStringLiteral("03 15 22 ");
        for (int from = 0; from < 4; ++from) {
            for (int to = 0; to < 4; ++to) {
                clickMode(from);
                checkMode(from, "click");
                MainFormAccess::settings(*m_form).OptionIndex = to;
                page()->applyStoredOptions();
                checkMode(to, "stored");
            }
            clickMode(from);
            click(QStringLiteral("btnBaseDef"));
            checkMode(3, "元に戻す");
        }
        // Manual mode at once, without "反映".
        clickMode(0);
        QCOMPARE(m_form->settings().OptionIndex, 0);
        // A stored index outside 0..3 is the position-threshold mode, and becomes 3.
        MainFormAccess::settings(*m_form).OptionIndex = 7;
        page()->applyStoredOptions();
        checkMode(3, "stored 7");
        QVERIFY(m_answerer->boxes().isEmpty());
    }

    void againUpdate() {
        const TSettings& settings = m_form->settings();
        int lowestTop = 1000; // the smallest of the seven largest counts
        for (int j = 1; j <= 7; ++j) {
            int top = 0;
            for (int n = 1; n <= 37; ++n)
                top = qMax(top, m_form->positionCounts().at(j, n));
            lowestTop = qMin(lowestTop, top);
        }

        setText(QStringLiteral("editSelectRange"), QStringLiteral("0"));
        setText(QStringLiteral("editAutoSelectDefault"), QStringLiteral("5"));
        click(QStringLiteral("btnAgainUpdate"));
        QVERIFY(m_answerer->boxes().isEmpty());
        QCOMPARE(settings.RangeNum, 0);
        QCOMPARE(settings.AutoNum, 5);
        QCOMPARE(marked().size(), 37);
        // The main tab keeps its count until the options are next applied.
        QCOMPARE(spin(QStringLiteral("editAutoSelectMax"))->text(), QStringLiteral("10"));

        setText(QStringLiteral("editSelectRange"), QString::number(lowestTop + 1));
        click(QStringLiteral("btnAgainUpdate"));
        QCOMPARE(m_answerer->texts(),
                 QStringList{QStringLiteral("過去の抽選回数の条件を満たしていません。"
                                            "抽選回数を変更してください。")});
        QCOMPARE(m_answerer->boxes().first().caption, kGuide);
        QCOMPARE(spin(QStringLiteral("editSelectRange"))->text(), QStringLiteral("1"));
        QCOMPARE(m_form->focusWidget(), spin(QStringLiteral("editSelectRange")));
        QCOMPARE(settings.RangeNum, 0);

        m_answerer->clear();
        setText(QStringLiteral("editSelectRange"), QString());
        click(QStringLiteral("btnAgainUpdate"));
        QCOMPARE(m_answerer->texts(),
                 QStringList{QStringLiteral("過去の抽選回数が入力されていません。")});

        // A lone sign is not a whole number: the error box, nothing stored.
        for (const QString& name :
             {QStringLiteral("editSelectRange"), QStringLiteral("editAutoSelectDefault")}) {
            m_answerer->clear();
            setText(QStringLiteral("editSelectRange"), QStringLiteral("2"));
            setText(QStringLiteral("editAutoSelectDefault"), QStringLiteral("7"));
            setText(name, QStringLiteral("+"));
            click(QStringLiteral("btnAgainUpdate"));
            QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("'+' は整数ではありません")});
            QCOMPARE(m_answerer->boxes().first().caption, QStringLiteral("エラーメッセージ"));
            QCOMPARE(settings.RangeNum, 0);
            QCOMPARE(settings.AutoNum, 5);
        }

        // The stored count reaches the main tab at the next start-up.
        restart();
        QCOMPARE(spin(QStringLiteral("editAutoSelectMax"))->text(), QStringLiteral("5"));
        QCOMPARE(spin(QStringLiteral("editAutoSelectDefault"))->text(), QStringLiteral("5"));
        QCOMPARE(spin(QStringLiteral("editSelectRange"))->text(), QStringLiteral("0"));
    }

    void exclusionEditor() {
        TSettings& settings = MainFormAccess::settings(*m_form);
        settings.DeleteNum = QStringLiteral("03 15 22 ");
        clickMode(2);
        QCOMPARE(marked(), QList<int>({3, 15, 22}));
        QCOMPARE(table()->markedCount(), 3);
        QVERIFY(flagged().isEmpty());
        QCOMPARE(strip()->font().pointSize(), 14);
        QCOMPARE(panel(3)->palette().color(QPalette::WindowText), QColor(255, 0, 255));
        QVERIFY(panel(3)->font().bold());
        QCOMPARE(panel(4)->frameShadow(), QFrame::Raised);

        // Twenty marks at most; a marked one can be taken back to make room.
        for (int n = 1; n <= 37 && table()->markedCount() < 20; ++n)
            if (!marked().contains(n))
                QTest::mouseClick(panel(n), Qt::LeftButton);
        QCOMPARE(table()->markedCount(), 20);
        QTest::mouseClick(panel(37), Qt::LeftButton);
        QCOMPARE(m_answerer->texts(),
                 QStringList{QStringLiteral("これ以上の除外数字は設定できません。（最大２０個）")});
        QCOMPARE(panel(37)->property("tag").toInt(), 0);
        QTest::mouseClick(panel(3), Qt::LeftButton);
        QTest::mouseClick(panel(37), Qt::LeftButton);
        QCOMPARE(table()->markedCount(), 20);
        QVERIFY(marked().contains(37) && !marked().contains(3));
        QVERIFY(flagged().isEmpty()); // marking applies nothing
        QCOMPARE(settings.DeleteNum, QStringLiteral("03 15 22 "));

        // "全てクリア": No changes nothing, Yes clears marks, flags and the stored text.
        m_answerer->clear();
        m_answerer->answer(QMessageBox::No);
        click(QStringLiteral("btnDeleteClear"));
        QCOMPARE(m_answerer->boxes().size(), 1);
        QCOMPARE(m_answerer->boxes().first().text,
                 QStringLiteral("除外数字が全てリセットされます…。本当によろしいですか？"));
        QCOMPARE(m_answerer->boxes().first().caption, QStringLiteral("確認メッセージ"));
        QCOMPARE(m_answerer->boxes().first().defaultButton, QMessageBox::No);
        QCOMPARE(table()->markedCount(), 20);
        QCOMPARE(settings.DeleteNum, QStringLiteral("03 15 22 "));

        m_answerer->answer(QMessageBox::Yes);
        click(QStringLiteral("btnDeleteClear"));
        QVERIFY(marked().isEmpty());
        QCOMPARE(table()->markedCount(), 0);
        QCOMPARE(settings.DeleteNum, QString());

        // "予想に反映" with 7 and 30; then with nothing marked.
        m_answerer->clear();
        QTest::mouseClick(panel(7), Qt::LeftButton);
        QTest::mouseClick(panel(30), Qt::LeftButton);
        click(QStringLiteral("btnUpdate"));
        QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("除外数字を全て反映しました。")});
        QCOMPARE(settings.DeleteNum, QStringLiteral("07 30 "));
        QCOMPARE(flagged(), QList<int>({7, 30}));
        m_answerer->answer(QMessageBox::Yes);
        click(QStringLiteral("btnDeleteClear"));
        QVERIFY(flagged().isEmpty()); // at once, without "予想に反映"
        click(QStringLiteral("btnUpdate"));
        QCOMPARE(settings.DeleteNum, QString());
        QVERIFY(flagged().isEmpty());

        // Marks not applied are lost with another mode; entering again empties the flags.
        QTest::mouseClick(panel(9), Qt::LeftButton);
        click(QStringLiteral("btnUpdate"));
        QCOMPARE(flagged(), QList<int>({9}));
        QTest::mouseClick(panel(12), Qt::LeftButton);
        clickMode(1);
        clickMode(2);
        QCOMPARE(marked(), QList<int>({9}));
        QVERIFY(flagged().isEmpty());

        // "元に戻す" leaves the exclusion mode; back in it, nothing is excluded.
        click(QStringLiteral("btnBaseDef"));
        checkMode(3, "元に戻す");
        QCOMPARE(settings, TSettings{});
        clickMode(2);
        QVERIFY(marked().isEmpty());
    }

    void storedTextOfMoreThanTwentyKeepsTheFirstTwenty() {
        // 37 numbers, written by hand from 37 down: 37 to 18 are kept.
        QString text;
        for (int n = 37; n >= 1; --n)
            text += QStringLiteral("%1 ").arg(n, 2, 10, QLatin1Char('0'));
        QList<int> kept;
        NumberSet keptFlags{};
        for (int n = 18; n <= 37; ++n) {
            kept.append(n);
            keptFlags[n - 1] = true;
        }
        const auto stored = [] {
            return programSettings().value(QStringLiteral("Options/DeleteNum")).toString();
        };
        m_form.reset(); // closing would write over the values stored here
        {
            QSettings store = programSettings();
            store.setValue(QStringLiteral("Options/OptionIndex"), QStringLiteral("2"));
            store.setValue(QStringLiteral("Options/DeleteNum"), text);
        }
        start();

        checkMode(2, "stored");
        QCOMPARE(marked(), kept);
        QCOMPARE(table()->markedCount(), 20);
        QTest::mouseClick(panel(1), Qt::LeftButton); // a 21st is refused
        QCOMPARE(m_answerer->boxes().size(), 1);
        QCOMPARE(panel(1)->property("tag").toInt(), 0);

        restart(); // closing writes the numbers kept
        QCOMPARE(stored(), exclusionText(keptFlags));
        QCOMPARE(marked(), kept);
        click(QStringLiteral("btnUpdate"));
        QCOMPARE(flagged(), kept); // what the generation leaves out
    }

    void rangeView() {
        setText(QStringLiteral("editSelectRange"), QStringLiteral("0"));
        for (int tab : {1, 2, 3, 4, 5, 6, 0}) {
            strip()->setCurrentIndex(tab);
            QCOMPARE(marked().size(), 37);
        }
        setText(QStringLiteral("editSelectRange"), QStringLiteral("31")); // 30 draws
        strip()->setCurrentIndex(2);
        QVERIFY(marked().isEmpty());
        QCOMPARE(m_form->settings().RangeNum, 1); // read from the field, not stored

        // Threshold 2 on ⑦, read from the field as it stands.
        setText(QStringLiteral("editSelectRange"), QStringLiteral("2"));
        strip()->setCurrentIndex(6);
        QList<int> expected;
        for (int n = 1; n <= 37; ++n)
            if (m_form->positionCounts().at(7, n) >= 2)
                expected.append(n);
        QVERIFY(!expected.isEmpty() && expected.size() < 37);
        QCOMPARE(marked(), expected);
        VERIFY_LAID_OUT(page()); // the seven tabs fit over the panels

        // An empty field: the error box, the panels keep their look.
        setText(QStringLiteral("editSelectRange"), QString());
        strip()->setCurrentIndex(5);
        QCOMPARE(m_answerer->texts(), QStringList{QStringLiteral("'' は整数ではありません")});
        QCOMPARE(marked(), expected);
        QVERIFY(m_answerer->boxes().size() == 1);
    }

    void rangeViewWithRealData() {
        const QString data = startingDataDir();
        m_form.reset();
        for (const QString& name :
             {QStringLiteral("Loto7Number.csv"), QStringLiteral("Loto7Data.csv")}) {
            QFile file(data + u'/' + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            m_dir->writeFile(QStringLiteral("download/") + name, file.readAll());
        }
        start();
        // Counts of the file, split here without the program's reader.
        int counts[8][38] = {};
        QFile file(data + QStringLiteral("/Loto7Number.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int draws = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.trimmed().split(',');
            if (fields.size() < 9)
                continue;
            ++draws;
            for (int j = 1; j <= 7; ++j)
                ++counts[j][fields.at(1 + j).toInt()];
        }
        QCOMPARE(draws, 689);
        for (const auto& [tab, threshold] : {std::pair{6, 60}, std::pair{0, 30}}) {
            setText(QStringLiteral("editSelectRange"), QString::number(threshold));
            strip()->setCurrentIndex(tab);
            QList<int> expected;
            for (int n = 1; n <= 37; ++n)
                if (counts[tab + 1][n] >= threshold)
                    expected.append(n);
            QVERIFY(!expected.isEmpty() && expected.size() < 37);
            QCOMPARE(marked(), expected);
        }
    }

    void countFieldsKeepTextAndClampOnLeaving() {
        TCountSpinEdit* range = spin(QStringLiteral("editSelectRange"));
        TCountSpinEdit* lines = spin(QStringLiteral("editAutoSelectMax"));
        for (TCountSpinEdit* edit : {range, lines, spin(QStringLiteral("editAutoSelectDefault"))})
            QVERIFY(edit->alignment() & Qt::AlignRight);

        const struct {
            TCountSpinEdit* edit;
            QString typed;
            QString left;
        } cases[] = {
            {range, QStringLiteral("500"), QStringLiteral("100")},
            {range, QStringLiteral("-5"), QStringLiteral("0")},
            {range, QStringLiteral("42"), QStringLiteral("42")},
            {range, QString(), QString()},
            {range, QStringLiteral("+"), QStringLiteral("+")},
            {range, QStringLiteral("-"), QStringLiteral("-")},
            {range, QStringLiteral("x7y"), QStringLiteral("7")}, // letters never get in
            {lines, QStringLiteral("0"), QStringLiteral("1")},
            {lines, QStringLiteral("1234"), QStringLiteral("100")}, // three characters at most
            {lines, QStringLiteral("-+3"), QStringLiteral("3")},    // no signs here
            {lines, QString(), QString()},
        };
        for (const auto& c : cases) {
            c.edit->setText(QString());
            QTest::keyClicks(c.edit, c.typed);
            sendFocusOut(c.edit);
            QCOMPARE(c.edit->text(), c.left);
        }
        // The arrows step inside the limits.
        range->setText(QStringLiteral("100"));
        range->stepBy(1);
        QCOMPARE(range->text(), QStringLiteral("100"));
        range->stepBy(-3);
        QCOMPARE(range->text(), QStringLiteral("97"));
        range->setText(QString()); // nothing to step from: the lower limit
        range->stepBy(1);
        QCOMPARE(range->text(), QStringLiteral("0"));
    }
};

SEPTARION_TEST_MAIN(TestOptionsPage)
#include "test_optionspage.moc"
