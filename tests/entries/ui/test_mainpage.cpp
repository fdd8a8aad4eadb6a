// The number board, the selection images and the pending lines of the main tab.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiFonts.h"
#include "entries/ui/BallPictures.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

class TestMainPage : public WindowTest {
    Q_OBJECT

    QToolButton* button(int n) { return find<QToolButton>(QStringLiteral("SpeedButton%1").arg(n)); }
    void press(int n) { QTest::mouseClick(button(n), Qt::LeftButton); }
    void pressAll(const QList<int>& numbers) {
        for (int n : numbers)
            press(n);
    }
    QList<int> imageTags() {
        QList<int> tags;
        for (int i = 1; i <= 7; ++i)
            tags.append(find<QLabel>(QStringLiteral("Image%1").arg(i))->property("tag").toInt());
        return tags;
    }
    int selectionCount() {
        int count = 0;
        for (int n = 1; n <= 37; ++n)
            count += button(n)->isChecked() ? 1 : 0;
        return count;
    }
    void click(const QString& name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    StringGrid* grid() { return find<StringGrid>(QStringLiteral("gridSelectItem")); }
    QString panel(const QString& name) { return find<QLabel>(name)->text(); }
    QStringList row(int r) { return grid()->rowCells(r); }
    void commit(const QList<int>& numbers) {
        pressAll(numbers);
        click(QStringLiteral("btnSelect"));
    }

private slots:
    void init() {
        newProgramFolder();
        // Newest draw 122, so lines are prepared for draw 123.
        m_dir->writeDataFiles(
            drawLine(122, QStringLiteral("2015/08/14"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
                drawLine(121, QStringLiteral("2015/08/07"), {2, 4, 6, 8, 10, 12, 14}, {1, 3}),
            prizeLine(122) + prizeLine(121));
        openWindow();
        watchModel(grid()->model());
        QCOMPARE(find<QLineEdit>(QStringLiteral("editNewNum"))->text(), QStringLiteral("123"));
    }
    void cleanup() { closeWindow(); }

    void boardLayoutAndPictures() {
        // Four columns running down (1-10, 11-20, 21-30, 31-37) of square
        // buttons, each sharing its border line with the next below and beside.
        const QRect first = button(1)->geometry();
        QCOMPARE(first.width(), first.height());
        for (int n = 1; n <= 37; ++n) {
            const QPoint step((n - 1) / 10 * (first.width() - 1),
                              (n - 1) % 10 * (first.height() - 1));
            QCOMPARE(button(n)->geometry(), first.translated(step));
        }
        QCOMPARE(button(17)->property("tag").toInt(), 17);
        QVERIFY(button(5)->text().isEmpty());

        // Six-colour cycle with white or black digits; outside the disc transparent.
        const struct {
            int number;
            QColor disc;
            QColor digits;
        } cycle[] = {{1, QColor(0, 0, 255), Qt::white},    {8, QColor(0, 0, 128), Qt::white},
                     {15, QColor(255, 255, 0), Qt::black}, {22, QColor(0, 255, 0), Qt::white},
                     {35, QColor(0, 255, 255), Qt::black}, {36, QColor(255, 0, 255), Qt::white}};
        for (const auto& c : cycle) {
            QCOMPARE(ballDiscColour(c.number), c.disc);
            QCOMPARE(ballDigitColour(c.number), c.digits);
            const QImage image = ballPicture(c.number).toImage();
            QCOMPARE(image.size(), QSize(32, 32));
            QCOMPARE(image.pixelColor(16, 3).rgb(), c.disc.rgb());
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        }
    }

    void selectionImagesFollowTheBoard() {
        pressAll({30, 5, 17});
        QCOMPARE(imageTags(), (QList<int>{5, 17, 30, 0, 0, 0, 0}));
        QCOMPARE(selectionCount(), 3);
        // The image shows the very picture of its button.
        auto* image1 = find<QLabel>(QStringLiteral("Image1"));
        QCOMPARE(image1->pixmap().toImage(), ballPicture(5).toImage());
        QVERIFY(find<QLabel>(QStringLiteral("Image4"))->pixmap().isNull());

        // Pressing and releasing a button gives back the same state.
        press(2);
        press(2);
        QCOMPARE(imageTags(), (QList<int>{5, 17, 30, 0, 0, 0, 0}));

        // Releasing the third of seven moves the rest left.
        pressAll({1, 9, 22, 37});
        QCOMPARE(imageTags(), (QList<int>{1, 5, 9, 17, 22, 30, 37}));
        press(9);
        QCOMPARE(imageTags(), (QList<int>{1, 5, 17, 22, 30, 37, 0}));

        click(QStringLiteral("btnRiset"));
        QCOMPARE(imageTags(), (QList<int>{0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(selectionCount(), 0);
        click(QStringLiteral("btnRiset")); // nothing selected: no change, no message
        QCOMPARE(selectionCount(), 0);
    }

    void eighthNumberIsRefused() {
        pressAll({1, 2, 3, 4, 5, 6, 7});
        ModalAnswerer answerer;
        press(8);
        QCOMPARE(answerer.boxes().size(), 1);
        const ModalAnswerer::Box box = answerer.boxes().first();
        QCOMPARE(box.caption, QStringLiteral("ガイドメッセージ"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.text,
                 QStringLiteral("既に７個の数字を選択しています。これでよろしければ「決定」ボタンを"
                                "クリックしてください。\r\n\r\nまた、変更する場合は、選択されている"
                                "数字を解除するか、「クリア」ボタンをクリックしてください。"));
        QVERIFY(!button(8)->isChecked());
        QCOMPARE(imageTags(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
        // The count did not move: releasing one still allows a new one.
        press(7);
        press(8);
        QCOMPARE(imageTags(), (QList<int>{1, 2, 3, 4, 5, 6, 8}));
        QCOMPARE(answerer.boxes().size(), 1);
    }

    void commitAddsPendingLines() {
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("0口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a50"));
        QVERIFY(grid()->isColumnHidden(0));

        commit({37, 3, 8, 15, 21, 22, 30});
        QCOMPARE(row(0), (QStringList{"123", "03", "08", "15", "21", "22", "30", "37"}));
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("1口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a5300"));
        QCOMPARE(selectionCount(), 0); // the board is cleared
        QCOMPARE(imageTags(), (QList<int>{0, 0, 0, 0, 0, 0, 0}));

        commit({37, 3, 8, 15, 21, 22, 30});
        QCOMPARE(grid()->dataRowCount(), 2);
        QCOMPARE(row(1), row(0));
        QCOMPARE(grid()->currentDataRow(), 1);
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("2口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a5600"));

        // Six numbers: refused, nothing added, the selection stays.
        ModalAnswerer answerer;
        pressAll({1, 2, 3, 4, 5, 6});
        click(QStringLiteral("btnSelect"));
        QCOMPARE(answerer.texts(),
                 QStringList{QStringLiteral(
                     "７個の数字を全て選択してから、「決定」ボタンをクリックしてください。")});
        QCOMPARE(grid()->dataRowCount(), 2);
        QCOMPARE(selectionCount(), 6);
        VERIFY_LAID_OUT(find<QWidget>(QStringLiteral("TabSheet1")));
    }

    // A group's caption in its colour, which stays off the children; the
    // groups and their children write in the application's font, and so do
    // the pending lines' column titles.
    void groupCaptions() {
        QCOMPARE(find<QLabel>(QStringLiteral("Label2"))->font(), applicationFont());
        QCOMPARE(grid()->horizontalHeader()->viewport()->font(), applicationFont());
        const QImage image = find<QGroupBox>(QStringLiteral("GroupBox3"))->grab().toImage();
        int caption = 0;
        int below = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                (y < 20 ? caption : below) += image.pixelColor(x, y) == QColor(255, 0, 255) ? 1 : 0;
        QVERIFY(caption > 20);
        QCOMPARE(below, 0);
    }

    void cancelRemovesTheCurrentLine() {
        commit({1, 2, 3, 4, 5, 6, 7});
        commit({11, 12, 13, 14, 15, 16, 17});
        commit({21, 22, 23, 24, 25, 26, 27});
        grid()->setCurrentDataRow(1);
        click(QStringLiteral("btnCancel"));
        QCOMPARE(grid()->dataRowCount(), 2);
        QCOMPARE(row(0).at(1), QStringLiteral("01"));
        QCOMPARE(row(1).at(1), QStringLiteral("21"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("2口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a5600"));
        QCOMPARE(QApplication::focusWidget(), grid());

        click(QStringLiteral("btnCancel"));
        click(QStringLiteral("btnCancel"));
        QVERIFY(!grid()->hasData());
        QCOMPARE(grid()->dataRowCount(), 1);
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("0口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a50"));

        ModalAnswerer answerer;
        click(QStringLiteral("btnCancel"));
        click(QStringLiteral("btnSave"));
        QCOMPARE(answerer.texts(),
                 (QStringList{QStringLiteral("取消する対象のデータがありません。"),
                              QStringLiteral("保存する対象のデータがありません。")}));
        QVERIFY(!m_dir->exists(QStringLiteral("client/123.csv")));
    }

    void saveAppendsEveryPendingLine() {
        commit({3, 8, 15, 21, 22, 30, 37});
        commit({1, 2, 3, 4, 5, 6, 7});
        ModalAnswerer answerer;
        click(QStringLiteral("btnSave"));
        click(QStringLiteral("btnSave"));
        const QString done = QStringLiteral(
            "正常にファイルの保存が完了しました。「申込数字照会・取消し」機能で参照してください。");
        QCOMPARE(answerer.texts(), (QStringList{done, done}));
        const QByteArray twice = "123,03,08,15,21,22,30,37\r\n123,01,02,03,04,05,06,07\r\n";
        QCOMPARE(m_dir->readFile(QStringLiteral("client/123.csv")), twice + twice);
        QCOMPARE(grid()->dataRowCount(), 2); // the lines stay pending
    }

    void failedSaveKeepsFileAndPendingLines() {
        commit({3, 8, 15, 21, 22, 30, 37});
        m_dir->writeFile(QStringLiteral("client/123.csv"), "123,01,02,03,04,05,06,07\r\n");
        const QByteArray before = m_dir->readFile(QStringLiteral("client/123.csv"));

        ModalAnswerer answerer;
        {
            const FileSizeLimit fullDisk(30);
            QVERIFY(fullDisk.active());
            click(QStringLiteral("btnSave"));
        }

        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().first().caption, QStringLiteral("エラーメッセージ"));
        QCOMPARE(answerer.boxes().first().icon, QMessageBox::Critical);
        QCOMPARE(m_dir->readFile(QStringLiteral("client/123.csv")), before);
        QCOMPARE(grid()->dataRowCount(), 1);
        QVERIFY(grid()->hasData());
    }

    void cellPaintingStripesAndCurrentRow() {
        commit({1, 2, 3, 4, 5, 6, 7});
        commit({11, 12, 13, 14, 15, 16, 17});
        commit({21, 22, 23, 24, 25, 26, 27});
        commit({31, 32, 33, 34, 35, 36, 37});
        grid()->setCurrentDataRow(3);
        // Focus elsewhere: the current row is still highlighted.
        find<QPushButton>(QStringLiteral("btnSave"))->setFocus();
        const QColor highlight = grid()->palette().color(QPalette::Active, QPalette::Highlight);
        QCOMPARE(grid()->backgroundOf(0), QColor(Qt::white));
        QCOMPARE(grid()->backgroundOf(1), QColor(150, 245, 150));
        QCOMPARE(grid()->backgroundOf(2), QColor(Qt::white));
        QCOMPARE(grid()->backgroundOf(3), highlight);
        QCOMPARE(grid()->textColourOf(3), QColor(Qt::white));
        QCOMPARE(grid()->textColourOf(2), QColor(Qt::black));
    }

    void reloadEmptiesPendingLinesButKeepsSelection() {
        commit({1, 2, 3, 4, 5, 6, 7});
        pressAll({9, 10});
        m_form->btnMmsUpdateClick();
        QVERIFY(!grid()->hasData());
        QCOMPARE(panel(QStringLiteral("pnlSelectMax")), QStringLiteral("0口"));
        QCOMPARE(panel(QStringLiteral("pnlSelectMoney")), QStringLiteral("\u00a50"));
        QCOMPARE(imageTags(), (QList<int>{9, 10, 0, 0, 0, 0, 0}));
    }
};

SEPTARION_TEST_MAIN(TestMainPage)
#include "test_mainpage.moc"
