// The two tabs that show the loaded files: the history list (columns, order,
// sorting by header clicks, stripes) and the prize grid (columns, texts,
// stripes and the focused current row), inside the running main window.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/StripedGrid.h"
#include "data/ui/HistoryView.h"

#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QWindow>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGreen(150, 245, 150);

// Four draws in file order. Their dates, draw numbers and first main numbers
// each sort differently, and 99 / 100 test the right-aligned numbers.
const QByteArray kDraws = "100,2014/03/07,12,03,25,31,08,19,22,02,14\r\n"
                          "99,2014/02/28,05,17,09,33,26,11,36,01,20\r\n"
                          "8,2013/05/24,30,04,15,21,10,37,06,13,28\r\n"
                          "7,2013/5/17,1,23,34,16,07,29,35,18,24\r\n";

QByteArray prizesFor(const QList<int>& drawNumbers) {
    QByteArray bytes;
    for (int n : drawNumbers)
        bytes += prizeLine(n);
    return bytes;
}

// A started main window over its own program folder, showing one tab.
struct Window {
    explicit Window(const QByteArray& draws, const QByteArray& prizes, int tab) {
        dir.writeDataFiles(draws, prizes);
        form.show();
        tabs = control<TPageControl>(&form, QStringLiteral("pctrlMain"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        history = control<QTableView>(&form, QStringLiteral("viewHistory"));
        historyPage = control<THistoryPage>(&form, QStringLiteral("TabSheet6"));
        money = control<StripedGrid>(&form, QStringLiteral("gridMoney"));
        watchModel(history->model());
        watchModel(money->model());
    }
    TempProgramDir dir;
    ModalAnswerer answerer;
    TMainForm form;
    TPageControl* tabs = nullptr;
    QTableView* history = nullptr;
    THistoryPage* historyPage = nullptr;
    StripedGrid* money = nullptr;
};

QStringList columnTexts(const QTableView* view, int column) {
    QStringList texts;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        texts.append(view->model()->index(r, column).data().toString());
    return texts;
}

QStringList rowTexts(const QAbstractItemModel* model, int row) {
    QStringList texts;
    for (int c = 0; c < model->columnCount(); ++c)
        texts.append(model->index(row, c).data().toString());
    return texts;
}

// A real click on the middle of a column header.
void clickHeader(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Colour painted near the left edge of a cell, clear of its text.
QColor paintedAt(QAbstractItemView* view, int row, int column) {
    const QRect cell = view->visualRect(view->model()->index(row, column));
    const QImage image = view->viewport()->grab().toImage();
    return image.pixelColor(cell.left() + 3, cell.bottom() - 3);
}

} // namespace

class TestDataViews : public QObject {
    Q_OBJECT

private slots:
    void init() { clearProgramSettings(); }

    void historyColumnsTitlesWidthsAlignment();
    void historyRowsInTableOrderTopRowSelected();
    void historyHeaderClicksSortAndReverse();
    void historySelectionFollowsItsDraw();
    void historyStripesFollowDisplayPosition();
    void historyReloadKeepsSortKeyShowsFileOrder();
    void historyWithOneDrawIgnoresClicks();

    void prizeGridColumnsAndTitles();
    void prizeGridRowsAndTextsInFileOrder();
    void prizeGridStripesAndFocusedCurrentRow();
    void prizeGridOfOneLineHasOneRow();
};

void TestDataViews::historyColumnsTitlesWidthsAlignment() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    const QAbstractItemModel* model = w.history->model();
    QCOMPARE(model->columnCount(), 11);
    const QStringList titles = {"開催回", "抽選日付", "①", "②",  "③", "④",
                                "⑤",      "⑥",        "⑦", "B1", "B2"};
    const QStringList faults = columnFaults(w.history, true);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
    for (int c = 0; c < 11; ++c) {
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
        const int align = model->index(0, c).data(Qt::TextAlignmentRole).toInt();
        if (c == 0)
            QCOMPARE(align & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
        else
            QCOMPARE(align & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    }
    QCOMPARE(w.history->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(w.history->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(w.history->showGrid());
}

void TestDataViews::historyRowsInTableOrderTopRowSelected() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    QVERIFY(w.answerer.boxes().isEmpty());
    const QAbstractItemModel* model = w.history->model();
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(rowTexts(model, 0), QStringList({"  100", "2014/03/07", "12", "03", "25", "31", "08",
                                              "19", "22", "02", "14"}));
    QCOMPARE(rowTexts(model, 1), QStringList({"   99", "2014/02/28", "05", "17", "09", "33", "26",
                                              "11", "36", "01", "20"}));
    QCOMPARE(rowTexts(model, 2), QStringList({"    8", "2013/05/24", "30", "04", "15", "21", "10",
                                              "37", "06", "13", "28"}));
    // Short date parts and numbers get their leading zeros.
    QCOMPARE(rowTexts(model, 3), QStringList({"    7", "2013/05/17", "01", "23", "34", "16", "07",
                                              "29", "35", "18", "24"}));
    for (int r = 0; r < 4; ++r)
        QCOMPARE(model->index(r, 0).data().toString().trimmed(),
                 QString::number(w.form.drawTable().at(r).DrawNumber));

    const QModelIndexList selected = w.history->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 0);
    QCOMPARE(w.historyPage->historySortKey(), 0);
}

void TestDataViews::historyHeaderClicksSortAndReverse() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    struct Step {
        int column;
        int key;
        QStringList numbers; // column 0 from the top
    };
    const QList<Step> steps = {
        {1, 2, {"    7", "    8", "   99", "  100"}},  // 抽選日付: oldest first
        {1, -2, {"  100", "   99", "    8", "    7"}}, // again: newest first
        {2, 3, {"    7", "   99", "  100", "    8"}},  // ①: smallest first
        {0, 1, {"    7", "    8", "   99", "  100"}},  // 開催回: 99 before 100
        {0, -1, {"  100", "   99", "    8", "    7"}},
        {10, 11, {"  100", "   99", "    7", "    8"}}, // B2: 14, 20, 24, 28
        {2, 3, {"    7", "   99", "  100", "    8"}},   // another column starts ascending
    };
    for (const Step& step : steps) {
        clickHeader(w.history, step.column);
        QCOMPARE(w.historyPage->historySortKey(), step.key);
        QCOMPARE(columnTexts(w.history, 0), step.numbers);
    }
    QCOMPARE(columnTexts(w.history, 2), QStringList({"01", "05", "12", "30"}));
    // Whole rows move together.
    QCOMPARE(rowTexts(w.history->model(), 1), QStringList({"   99", "2014/02/28", "05", "17", "09",
                                                           "33", "26", "11", "36", "01", "20"}));
    // The table itself keeps file order.
    QCOMPARE(w.form.drawTable().at(0).DrawNumber, 100);
    QCOMPARE(w.form.drawTable().at(3).DrawNumber, 7);
}

void TestDataViews::historySelectionFollowsItsDraw() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    const auto selectedDraw = [&] {
        const QModelIndexList rows = w.history->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().data().toString() : QStringLiteral("(none)");
    };
    QCOMPARE(selectedDraw(), QStringLiteral("  100"));
    clickHeader(w.history, 1); // oldest first: the newest draw goes to the bottom
    QCOMPARE(selectedDraw(), QStringLiteral("  100"));
    QCOMPARE(w.history->selectionModel()->selectedRows().first().row(), 3);

    // A row chosen by the user stays chosen through the next sorts.
    const QRect row1 = w.history->visualRect(w.history->model()->index(1, 4));
    QTest::mouseClick(w.history->viewport(), Qt::LeftButton, {}, row1.center());
    QCOMPARE(selectedDraw(), QStringLiteral("    8"));
    clickHeader(w.history, 2); // by ①: 01, 05, 12, 30
    QCOMPARE(selectedDraw(), QStringLiteral("    8"));
    QCOMPARE(w.history->currentIndex().row(), 3);
    QCOMPARE(w.history->currentIndex().siblingAtColumn(2).data().toString(), QStringLiteral("30"));
    clickHeader(w.history, 2);
    QCOMPARE(w.history->currentIndex().row(), 0);
    QCOMPARE(selectedDraw(), QStringLiteral("    8"));
}

void TestDataViews::historyStripesFollowDisplayPosition() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    const auto checkStripes = [&] {
        const QAbstractItemModel* model = w.history->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c : {0, 1, 10}) {
                const QModelIndex index = model->index(r, c);
                QCOMPARE(index.data(Qt::BackgroundRole).value<QBrush>().color(),
                         r % 2 == 0 ? kWhite : kGreen);
                QCOMPARE(index.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
            }
        }
        // Painted as well; the selected row shows the selection colours instead.
        const QItemSelectionModel* selection = w.history->selectionModel();
        for (int r = 0; r < model->rowCount(); ++r) {
            if (!selection->isRowSelected(r))
                QCOMPARE(paintedAt(w.history, r, 1), r % 2 == 0 ? kWhite : kGreen);
        }
    };
    checkStripes();
    clickHeader(w.history, 1); // 7, 8, 99, 100: the draws change places, the stripes do not
    QCOMPARE(columnTexts(w.history, 0).first(), QStringLiteral("    7"));
    checkStripes();
    clickHeader(w.history, 2);
    checkStripes();
}

void TestDataViews::historyReloadKeepsSortKeyShowsFileOrder() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 5);
    clickHeader(w.history, 1);
    clickHeader(w.history, 1);
    QCOMPARE(w.historyPage->historySortKey(), -2);
    clickHeader(w.history, 2);
    clickHeader(w.history, 2);
    QCOMPARE(w.historyPage->historySortKey(), -3);
    QCOMPARE(columnTexts(w.history, 0), QStringList({"    8", "  100", "   99", "    7"}));

    w.form.btnMmsUpdateClick();
    QVERIFY(w.answerer.boxes().isEmpty());
    QCOMPARE(w.historyPage->historySortKey(), -3);
    QCOMPARE(columnTexts(w.history, 0), QStringList({"  100", "   99", "    8", "    7"}));
    const QModelIndexList selected = w.history->selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 0);

    // The kept key decides the next click on that column: it reverses the last sort.
    clickHeader(w.history, 2);
    QCOMPARE(w.historyPage->historySortKey(), 3);
    QCOMPARE(columnTexts(w.history, 0), QStringList({"    7", "   99", "  100", "    8"}));
}

void TestDataViews::historyWithOneDrawIgnoresClicks() {
    Window w("55,2014/05/30,09,02,31,04,17,26,13,01,37\r\n", prizesFor({55}), 5);
    const QStringList before = rowTexts(w.history->model(), 0);
    QCOMPARE(before.first(), QStringLiteral("   55"));
    for (int column : {1, 1, 0, 2, 10}) {
        clickHeader(w.history, column);
        QCOMPARE(w.history->model()->rowCount(), 1);
        QCOMPARE(rowTexts(w.history->model(), 0), before);
    }
    QCOMPARE(w.history->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
             kWhite);
}

void TestDataViews::prizeGridColumnsAndTitles() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 6);
    const QAbstractItemModel* model = w.money->model();
    QCOMPARE(model->columnCount(), 14);
    const QStringList titles = {"開催回",   "口数",     "１等金額", "口数",         "２等金額",
                                "口数",     "３等金額", "口数",     "４等金額",     "口数",
                                "５等金額", "口数",     "６等金額", "ｷｬﾘｰｵｰﾊﾞｰ(円)"};
    for (int c = 0; c < 14; ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), titles[c]);
    // Wider than the tab: it scrolls, but no title or amount is cut off.
    const QStringList faults = columnFaults(w.money, false);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
    QCOMPARE(w.money->placement(), StripedGrid::Placement::RightTop);
}

void TestDataViews::prizeGridRowsAndTextsInFileOrder() {
    // File order is kept as it is, not sorted by draw number.
    const QByteArray prizes =
        "105,1234.6,600000000,7,12000000,150,700000,5000,9000,90000,1400,150000,1000,3000000000\r\n"
        "103,0,0,2,15000000,98,650000,4100,8700,81000,1350,149000,1000,820000000\r\n"
        "104,1,1000000,5,12000000,120,600000,4000,8000,80000,1500,150000,1000,0\r\n";
    Window w(kDraws, prizes, 6);
    QVERIFY(w.answerer.boxes().isEmpty());
    QCOMPARE(w.money->dataRowCount(), 3);
    QCOMPARE(w.money->rowCells(0),
             QStringList({"105", "1,235", "\u00a5600,000,000", "7", "\u00a512,000,000", "150",
                          "\u00a5700,000", "5,000", "\u00a59,000", "90,000", "\u00a51,400",
                          "150,000", "\u00a51,000", "\u00a53,000,000,000"}));
    QCOMPARE(w.money->rowCells(1),
             QStringList({"103", "0", "\u00a50", "2", "\u00a515,000,000", "98", "\u00a5650,000",
                          "4,100", "\u00a58,700", "81,000", "\u00a51,350", "149,000", "\u00a51,000",
                          "\u00a5820,000,000"}));
    QCOMPARE(w.money->cell(2, 0), QStringLiteral("104"));
    QCOMPARE(w.money->cell(2, 13), QStringLiteral("\u00a50"));
    // The grid's model shows the same texts.
    QCOMPARE(w.money->model()->index(0, 13).data().toString(),
             QStringLiteral("\u00a53,000,000,000"));
}

void TestDataViews::prizeGridStripesAndFocusedCurrentRow() {
    Window w(kDraws, prizesFor({100, 99, 8, 7}), 6);
    StripedGrid* grid = w.money;
    QCOMPARE(grid->dataRowCount(), 4);
    QVERIFY(!grid->hasFocus());
    // Without the focus no row is marked, the current one included.
    for (int r = 0; r < 4; ++r) {
        QCOMPARE(grid->backgroundOf(r), r % 2 == 0 ? kWhite : kGreen);
        QCOMPARE(grid->textColourOf(r), QColor(Qt::black));
        QCOMPARE(paintedAt(grid, r, 0), r % 2 == 0 ? kWhite : kGreen);
    }

    w.form.windowHandle()->requestActivate();
    QTRY_VERIFY(w.form.isActiveWindow());
    const QRect second = grid->visualRect(grid->model()->index(1, 3));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(grid->hasFocus());
    QCOMPARE(grid->currentDataRow(), 1);
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    QVERIFY(highlight != kWhite && highlight != kGreen);
    QCOMPARE(grid->backgroundOf(1), highlight);
    QCOMPARE(grid->textColourOf(1), QColor(Qt::white));
    QCOMPARE(paintedAt(grid, 1, 0), highlight);
    for (int r : {0, 2, 3}) {
        QCOMPARE(grid->backgroundOf(r), r % 2 == 0 ? kWhite : kGreen);
        QCOMPARE(grid->textColourOf(r), QColor(Qt::black));
    }

    // Focus elsewhere: the mark goes, the row keeps its stripe.
    w.tabs->setFocus();
    QTRY_VERIFY(!grid->hasFocus());
    QCOMPARE(grid->currentDataRow(), 1);
    QCOMPARE(grid->backgroundOf(1), kGreen);
    QCOMPARE(grid->textColourOf(1), QColor(Qt::black));
    QCOMPARE(paintedAt(grid, 1, 0), kGreen);
}

void TestDataViews::prizeGridOfOneLineHasOneRow() {
    Window w(kDraws, prizesFor({100}), 6);
    QCOMPARE(w.money->dataRowCount(), 1);
    QVERIFY(w.money->hasData());
    QCOMPARE(w.money->cell(0, 0), QStringLiteral("100"));
    QCOMPARE(w.money->cell(0, 13), QStringLiteral("\u00a5800,000,000"));
    QCOMPARE(w.money->backgroundOf(0), kWhite);
}

SEPTARION_TEST_MAIN(TestDataViews)
#include "test_dataviews.moc"
