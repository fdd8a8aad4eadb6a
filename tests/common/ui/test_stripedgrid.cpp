// The grids and the history list of the window keep the row heights they are
// given on every tab, also on pages first shown after start-up, with their
// text whole inside the rows.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/StripedGrid.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

// First and last pixel rows inside the rectangle that hold text: pixels far
// from the background seen at its top left corner; {-1, -1} when there are none.
QPair<int, int> inkRows(const QImage& image, const QRect& rect) {
    const int background = qGray(image.pixel(rect.topLeft()));
    int first = -1;
    int last = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (qAbs(qGray(image.pixel(x, y)) - background) > 80) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

class TestStripedGrid : public QObject {
    Q_OBJECT

private slots:

    void textRectGivesUpOnlyTheRoomAboveTheGlyphs() {
        const QRect cell(10, 100, 80, 21);
        using P = StripedGrid::Placement;
        QCOMPARE(cellTextRect(cell, 35, P::Centred), cell);
        QCOMPARE(cellTextRect(cell, 21, P::RightTop), cell);
        QCOMPARE(cellTextRect(cell, 15, P::CentredTop), cell);
        const QRect tall = cellTextRect(cell, 28, P::RightTop);
        QCOMPARE(tall.bottom(), cell.bottom());
        QCOMPARE(tall.height(), 28);
        QCOMPARE(tall.left(), cell.left());
        QCOMPARE(tall.width(), cell.width());
    }

    void rowsKeepTheirHeightOnEveryTab() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeSampleData(40);
        ModalAnswerer answerer;
        TMainForm form;
        form.show();
        const QString next =
            form.findChild<QWidget*>(QStringLiteral("editNewNum"))->property("text").toString();
        dir.writeFile(QStringLiteral("client/%1.csv").arg(next),
                      next.toUtf8() + ",03,08,15,21,22,30,37\r\n" + next.toUtf8() +
                          ",01,02,03,04,05,06,07\r\n");
        for (int n : {3, 8, 15, 21, 22, 30, 37})
            QTest::mouseClick(control<QToolButton>(&form, QStringLiteral("SpeedButton%1").arg(n)),
                              Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(&form, QStringLiteral("btnSelect")), Qt::LeftButton);

        struct View {
            int tab;
            const char* name;
            int rowHeight; // 0: as the list sets it (uniform)
            int column;    // a cell with text, in row 1 where there is one
        };
        const QList<View> views = {{0, "gridSelectItem", 28, 1},
                                   {4, "gridLoto6", 28, 0},
                                   {5, "viewHistory", 0, 1},
                                   {6, "gridMoney", 22, 2}};
        auto* tabs = control<TPageControl>(&form, QStringLiteral("pctrlMain"));
        for (const View& v : views) {
            tabs->setCurrentIndex(v.tab);
            QCoreApplication::processEvents();
            auto* view = control<QTableView>(&form, QString::fromLatin1(v.name));
            QVERIFY2(view->isVisible(), v.name);
            const int rows = view->model()->rowCount();
            QVERIFY2(rows >= 1, v.name);
            const int rowHeight = v.rowHeight > 0 ? v.rowHeight : view->rowHeight(0);
            for (int r = 0; r < qMin(rows, 3); ++r)
                QCOMPARE(view->rowHeight(r), rowHeight);
            const int row = rows > 1 ? 1 : 0;
            const QModelIndex index = view->model()->index(row, v.column);
            QVERIFY2(!index.data().toString().isEmpty(), v.name);
            // Inside the grid lines, the text neither touches the top nor the
            // bottom of its row: nothing of it is cut off.
            const QRect inner = view->visualRect(index);
            QCOMPARE(inner.height(), rowHeight - 1);
            const QImage image = view->viewport()->grab().toImage();
            const auto [top, bottom] = inkRows(image, inner);
            QVERIFY2(top > inner.top(), v.name);
            QVERIFY2(bottom >= 0 && bottom < inner.bottom(), v.name);
        }
        QVERIFY(answerer.boxes().isEmpty());
    }
};

SEPTARION_TEST_MAIN(TestStripedGrid)
#include "test_stripedgrid.moc"
