// The lookup tab: listing the saved lines of a draw number and cancelling them.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "entries/ui/LookupPage.h"

#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {
const QByteArray kLine1 = "123,03,08,15,21,22,30,37\r\n";
const QByteArray kLine2 = "123,01,02,03,04,05,06,07\r\n";
const QByteArray kLine3 = "123,11,12,13,14,15,16,17\r\n";
const QString kNoData = QStringLiteral("保存データがありません…。");
const QString kCanCancel = QStringLiteral("取消し処理がおこなえます。");

// The questions of the two cancel buttons; %1 is the draw text as typed.
const QString kOneQuestion = QStringLiteral("『第%1回』の１行選択されている申込数字が削除されます。"
                                            "元に戻すことは出来ませんが…本当によろしいですか？");
const QString kAllQuestion = QStringLiteral("『第%1回』全ての申込数字が削除されます。"
                                            "元に戻すことは出来ませんが…本当によろしいですか？");
} // namespace

class TestLookupPage : public WindowTest {
    Q_OBJECT

    QAbstractSpinBox* edit() { return find<QAbstractSpinBox>(QStringLiteral("editLoto6Num")); }
    StringGrid* grid() { return find<StringGrid>(QStringLiteral("gridLoto6")); }
    QString guide() { return find<QLabel>(QStringLiteral("pnlSeaGuide"))->text(); }
    QPushButton* oneDelete() { return find<QPushButton>(QStringLiteral("btnOneDelete")); }
    QPushButton* allDelete() { return find<QPushButton>(QStringLiteral("btnAllDelete")); }
    QByteArray file(const QString& name = QStringLiteral("123")) {
        return m_dir->readFile(QStringLiteral("client/%1.csv").arg(name));
    }
    void showLookupTab() {
        auto* tabs = find<TPageControl>(QStringLiteral("pctrlMain"));
        tabs->setCurrentIndex(4);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSheet4"));
    }
    QStringList firstCells() {
        QStringList cells;
        for (const QStringList& row : grid()->dataRows())
            cells.append(row.at(0) + u'|' + row.at(1));
        return cells;
    }
    void typeDrawNumber(const QString& text) {
        edit()->setFocus();
        QVERIFY(edit()->hasFocus());
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Backspace);
        QTest::keyClicks(edit(), text);
    }

    // A click on a line of the list, which takes the focus from the field.
    void clickLine(int row) {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 2));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(grid()->hasFocus());
        QCOMPARE(grid()->currentDataRow(), row);
    }

    // Clicks a cancel button; the answerer gives its question the answer.
    void press(QPushButton* button, ModalAnswerer& answerer, QMessageBox::StandardButton answer) {
        answerer.answer(answer);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Cancels every line of the draw text, answering Yes: the question names
    // the text as typed, and the file of that text goes.
    void cancelAllOf(ModalAnswerer& answerer, const QString& draw) {
        press(allDelete(), answerer, QMessageBox::Yes);
        QCOMPARE(answerer.boxes().last().text, kAllQuestion.arg(draw));
        QVERIFY(!m_dir->exists(QStringLiteral("client/%1.csv").arg(draw)));
    }

private slots:
    void init() {
        newProgramFolder();
        m_dir->writeDataFiles(
            drawLine(122, QStringLiteral("2015/08/14"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}),
            prizeLine(122));
        openWindow();
        QCOMPARE(edit()->text(), QStringLiteral("123"));
    }
    void cleanup() { closeWindow(); }

    void listsTheLinesOfTheDrawInFileOrder() {
        showLookupTab(); // the page is built and read when first shown
        QCOMPARE(guide(), kNoData);
        QVERIFY(!oneDelete()->isEnabled());
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(0);
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1 + kLine2 + kLine3);
        showLookupTab(); // showing the tab refreshes it
        QCOMPARE(guide(), kCanCancel);
        QVERIFY(oneDelete()->isEnabled());
        QVERIFY(allDelete()->isEnabled());
        VERIFY_LAID_OUT(find<QWidget>(QStringLiteral("TabSheet4")));
        QCOMPARE(firstCells(), (QStringList{"123|03", "123|01", "123|11"}));
        QCOMPARE(grid()->rowCells(0),
                 (QStringList{"123", "03", "08", "15", "21", "22", "30", "37"}));
        QCOMPARE(grid()->currentDataRow(), 0);
        const QStringList faults = columnFaults(grid(), true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
    }

    void typingRefreshesOnEveryChange() {
        m_dir->writeFile(QStringLiteral("client/1.csv"), "1,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1);
        showLookupTab();
        typeDrawNumber(QStringLiteral("1"));
        QCOMPARE(firstCells(), QStringList{"1|01"});
        QTest::keyClicks(edit(), QStringLiteral("2"));
        QCOMPARE(guide(), kNoData);
        QCOMPARE(firstCells(), QStringList{"|"});
        QTest::keyClicks(edit(), QStringLiteral("3"));
        QCOMPARE(firstCells(), QStringList{"123|03"});
        // Only digits get through the key filter.
        QTest::keyClicks(edit(), QStringLiteral("a-"));
        QCOMPARE(edit()->text(), QStringLiteral("123"));
        // No digits left: the empty draw-number text names no saved lines.
        typeDrawNumber(QString());
        QCOMPARE(edit()->text(), QString());
        QCOMPARE(guide(), kNoData);
        QVERIFY(!oneDelete()->isEnabled());
    }

    void leadingZeroNamesAnotherFile() {
        m_dir->writeFile(QStringLiteral("client/0123.csv"), "0123,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/123.csv"), "0123,01,02,03,04,05,06,07\r\n");
        showLookupTab();
        // client/123.csv holds lines, none of draw text 123: nothing to cancel.
        QCOMPARE(guide(), kCanCancel);
        QVERIFY(!grid()->hasData());
        QVERIFY(!oneDelete()->isEnabled());
        QVERIFY(!allDelete()->isEnabled());
        typeDrawNumber(QStringLiteral("0123"));
        QCOMPARE(firstCells(), QStringList{"0123|01"});
    }

    void oneLineCancelAsksAndRewrites() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1 + kLine2 + kLine3);
        showLookupTab();
        grid()->setCurrentDataRow(1);
        {
            ModalAnswerer answerer;
            press(oneDelete(), answerer, QMessageBox::No);
            QCOMPARE(answerer.boxes().size(), 1);
            const ModalAnswerer::Box box = answerer.boxes().first();
            QCOMPARE(box.caption, QStringLiteral("確認メッセージ"));
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box.defaultButton, QMessageBox::No);
            QCOMPARE(box.text, kOneQuestion.arg(QStringLiteral("123")));
        }
        QCOMPARE(file(), kLine1 + kLine2 + kLine3);
        QCOMPARE(grid()->dataRowCount(), 3);

        ModalAnswerer answerer;
        press(oneDelete(), answerer, QMessageBox::Yes);
        QCOMPARE(firstCells(), (QStringList{"123|03", "123|11"}));
        QCOMPARE(file(), kLine1 + kLine3);
        QCOMPARE(m_form->focusWidget(), grid());
    }

    void cancellingTheLastLineLeavesAnEmptyFile() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1);
        showLookupTab();
        ModalAnswerer answerer;
        press(oneDelete(), answerer, QMessageBox::Yes);
        QVERIFY(!grid()->hasData());
        QVERIFY(oneDelete()->isEnabled()); // until the next refresh
        QVERIFY(m_dir->exists(QStringLiteral("client/123.csv")));
        QCOMPARE(file(), QByteArray());
        // A second press on the empty row changes nothing on disk.
        press(oneDelete(), answerer, QMessageBox::Yes);
        QVERIFY(m_dir->exists(QStringLiteral("client/123.csv")));
        m_form->findChild<QWidget*>(QStringLiteral("TabSheet4"));
        showLookupTab();
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(0);
        showLookupTab();
        QCOMPARE(guide(), kNoData);
        QVERIFY(!oneDelete()->isEnabled());
        QVERIFY(!allDelete()->isEnabled());
    }

    void allCancelDeletesTheFile() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1 + kLine2);
        showLookupTab();
        ModalAnswerer answerer;
        press(allDelete(), answerer, QMessageBox::No);
        QCOMPARE(file(), kLine1 + kLine2);
        cancelAllOf(answerer, QStringLiteral("123"));
        QVERIFY(!grid()->hasData());
        QCOMPARE(guide(), kNoData);
        QVERIFY(!oneDelete()->isEnabled());
        QVERIFY(!allDelete()->isEnabled());
    }

    void cancelKeepsLinesTheUserDidNotSee() {
        // A hand-edited file: a line of another draw and lines after an empty line.
        const QByteArray other = "0123,09,10,11,12,13,14,15\r\n";
        const QByteArray hidden = "\r\n123,20,21,22,23,24,25,26\r\n";
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1 + other + kLine2 + hidden);
        showLookupTab();
        QCOMPARE(firstCells(), (QStringList{"123|03", "123|01"}));
        ModalAnswerer answerer;
        press(oneDelete(), answerer, QMessageBox::Yes);
        QCOMPARE(file(), other + kLine2 + hidden);
        press(allDelete(), answerer, QMessageBox::Yes);
        QCOMPARE(file(), other + hidden);
        QCOMPARE(guide(), kCanCancel);
        QVERIFY(!grid()->hasData());
    }

    void currentRowHighlightedOnlyWithFocus() {
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1 + kLine2 + kLine3);
        showLookupTab();
        const QColor highlight = grid()->palette().color(QPalette::Active, QPalette::Highlight);
        grid()->setCurrentDataRow(2);
        edit()->setFocus();
        QCOMPARE(grid()->backgroundOf(0), QColor(Qt::white));
        QCOMPARE(grid()->backgroundOf(1), QColor(150, 245, 150));
        QCOMPARE(grid()->backgroundOf(2), QColor(Qt::white));
        grid()->setFocus();
        QCOMPARE(grid()->backgroundOf(2), highlight);
        QCOMPARE(grid()->textColourOf(2), QColor(Qt::white));
        QCOMPARE(grid()->backgroundOf(1), QColor(150, 245, 150));
    }

    void leavingTheFieldKeepsTheListedFile() {
        // 0123 and 123 name different files; leaving the field must not turn
        // one into the other under the list and the cancels.
        const QByteArray zero1 = "0123,01,02,03,04,05,06,07\r\n";
        const QByteArray zero2 = "0123,11,12,13,14,15,16,17\r\n";
        m_dir->writeFile(QStringLiteral("client/0123.csv"), zero1 + zero2);
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1);
        showLookupTab();
        typeDrawNumber(QStringLiteral("0123"));
        QCOMPARE(firstCells(), (QStringList{"0123|01", "0123|11"}));
        clickLine(1);
        QCOMPARE(edit()->text(), QStringLiteral("0123"));
        QCOMPARE(firstCells(), (QStringList{"0123|01", "0123|11"}));

        ModalAnswerer answerer;
        press(oneDelete(), answerer, QMessageBox::Yes);
        QCOMPARE(answerer.texts(), QStringList{kOneQuestion.arg(QStringLiteral("0123"))});
        QCOMPARE(file(QStringLiteral("0123")), zero1);
        QCOMPARE(firstCells(), QStringList{"0123|01"});
        QCOMPARE(file(), kLine1);

        cancelAllOf(answerer, QStringLiteral("0123"));
        QCOMPARE(file(), kLine1);
        QCOMPARE(edit()->text(), QStringLiteral("0123"));
    }

    void leavingTheFieldEmptyOrOutOfRange() {
        m_dir->writeFile(QStringLiteral("client/1.csv"), "1,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1);
        showLookupTab();
        typeDrawNumber(QString());
        QCOMPARE(guide(), kNoData);
        clickLine(0);
        // Still empty, still nothing listed and nothing to cancel.
        QCOMPARE(edit()->text(), QString());
        QCOMPARE(guide(), kNoData);
        QVERIFY(!grid()->hasData());
        QVERIFY(!oneDelete()->isEnabled());
        QVERIFY(!allDelete()->isEnabled());

        // A number below the limits becomes the lower limit, and the list follows.
        typeDrawNumber(QStringLiteral("00"));
        QCOMPARE(guide(), kNoData);
        clickLine(0);
        QCOMPARE(edit()->text(), QStringLiteral("1"));
        QCOMPARE(firstCells(), QStringList{"1|01"});
        QVERIFY(oneDelete()->isEnabled());
    }

    void everyChangeOfTheTextRefreshes() {
        m_dir->writeFile(QStringLiteral("client/0123.csv"), "0123,01,02,03,04,05,06,07\r\n");
        m_dir->writeFile(QStringLiteral("client/124.csv"), "124,21,22,23,24,25,26,27\r\n");
        m_dir->writeFile(QStringLiteral("client/123.csv"), kLine1);
        showLookupTab();
        // Set by the program.
        find<TLookupPage>(QStringLiteral("TabSheet4"))->setDrawNumberText(QStringLiteral("0123"));
        QCOMPARE(firstCells(), QStringList{"0123|01"});
        // Hiding, showing and Enter leave the text alone.
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(0);
        showLookupTab();
        edit()->setFocus();
        QTest::keyClick(edit(), Qt::Key_Return);
        QCOMPARE(edit()->text(), QStringLiteral("0123"));
        QCOMPARE(firstCells(), QStringList{"0123|01"});
        // The arrow steps from the number shown.
        QTest::keyClick(edit(), Qt::Key_Up);
        QCOMPARE(edit()->text(), QStringLiteral("124"));
        QCOMPARE(firstCells(), QStringList{"124|21"});
        QTest::keyClick(edit(), Qt::Key_Down);
        QCOMPARE(firstCells(), QStringList{"123|03"});
    }
};

SEPTARION_TEST_MAIN(TestLookupPage)
#include "test_lookuppage.moc"
