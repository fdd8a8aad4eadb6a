#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/ui/BusyScope.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "ledger/ui/LedgerForm.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QSettings>

#include <cmath>

namespace {

// Three drawn rows in two years and one still to come, with today 2025/01/20:
// draw 30's win (2024/01/05) expired on 2025/01/05, draw 40's (2024/02/09) is
// due on 2025/02/09, within 30 days; draw 50 won nothing.
Ledger sampleLedger() {
    LedgerRow next;
    next.drawNumber = 60;
    next.lines = 3;
    LedgerRow none;
    none.drawNumber = 50;
    none.drawn = true;
    none.drawDate = QDate(2024, 12, 27);
    none.lines = 10;
    LedgerRow near = none;
    near.drawNumber = 40;
    near.drawDate = QDate(2024, 2, 9);
    near.lines = 5;
    near.tierLines.at(5) = 1;
    near.won = 1000;
    LedgerRow expired = near;
    expired.drawNumber = 30;
    expired.drawDate = QDate(2024, 1, 5);
    expired.tierLines.at(3) = 1;
    expired.won = 9000;
    Ledger ledger;
    ledger.rows = {next, none, near, expired};
    return ledger;
}

const QDate kToday(2025, 1, 20);

QString labelText(QWidget* form, const char* name) {
    return control<QLabel>(form, QString::fromLatin1(name))->text();
}

} // namespace

class TestLedgerForm : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setSaveFileNameHook(nullptr);
        Clock::setFixedTime(QDateTime());
    }

    void menuItemOpensTheFormOverSavedLines() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeDataFiles(
            drawLine(559, QStringLiteral("2024/01/05"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}),
            prizeLine(559));
        dir.writeFile(QStringLiteral("client/559.csv"),
                      "559,01,02,03,04,05,06,08\r\n559,01,02,03,04,20,21,22\r\n559,1,2\r\n");
        dir.writeFile(QStringLiteral("client/560.csv"), "560,10,11,12,13,14,15,16\r\n");
        const auto before = folderSnapshot(dir.filePath(QStringLiteral("client")));
        Clock::setFixedTime(QDateTime(QDate(2024, 12, 20), QTime(12, 0), Qt::UTC));
        TMainForm form;
        form.show();

        QAction* item = control<QAction>(&form, QStringLiteral("menuCommandLedger"));
        QCOMPARE(item->text(), QStringLiteral("当選・収支の集計(&L)"));
        QStringList order; // the command menu, the forms after the download
        for (const QAction* action :
             control<QMenu>(&form, QStringLiteral("menuCommand"))->actions())
            order << action->objectName();
        QCOMPARE(order, (QStringList{"menuCommandDownload", "menuCommandImport",
                                     "menuCommandTicket", "menuCommandBacktest", "menuCommandStats",
                                     "menuCommandWheel", "menuCommandLedger"}));

        struct Seen {
            bool found = false, modal = false, resizable = false;
            QString caption, lines, won, net, note, deadline;
            int rows = 0, points = 0;
            QColor background;
        } seen;
        ModalAnswerer answerer;
        answerer.onDialog<TLedgerForm>([&](TLedgerForm* box) {
            watchModel(control<StripedGrid>(box, QStringLiteral("gridLedger"))->model());
            seen.found = true;
            seen.modal = box->isModal();
            seen.resizable = box->minimumSize() != box->maximumSize();
            seen.caption = box->windowTitle();
            auto* grid = control<StripedGrid>(box, QStringLiteral("gridLedger"));
            seen.rows = grid->dataRowCount();
            seen.deadline = grid->cell(1, 12);
            seen.background = grid->model()->index(1, 0).data(Qt::BackgroundRole).value<QColor>();
            seen.lines = labelText(box, "lblLedgerLines");
            seen.won = labelText(box, "lblLedgerWon");
            seen.net = labelText(box, "lblLedgerNet");
            seen.note = labelText(box, "lblLedgerNote");
            auto* chart = control<QChartView>(box, QStringLiteral("chartLedger"));
            seen.points = static_cast<QLineSeries*>(chart->chart()->series().at(1))->count();
            control<QPushButton>(box, QStringLiteral("btnLedgerClose"))->click();
        });
        item->trigger(); // returns once the box is closed

        QVERIFY(seen.found);
        QVERIFY(seen.modal);
        QVERIFY(seen.resizable); // its fitting a small screen: test_smallscreen
        QCOMPARE(seen.caption, QStringLiteral("当選・収支の集計"));
        QCOMPARE(seen.rows, 2); // 560 (still to come) above 559
        QCOMPARE(seen.lines, QStringLiteral("3口"));
        QCOMPARE(seen.won, QStringLiteral("¥12,001,500")); // tiers 2 and 5 of prizeLine
        QCOMPARE(seen.net, QStringLiteral("¥12,000,600"));
        QVERIFY(seen.note.contains(QStringLiteral("559.csv (1行)")));
        QCOMPARE(seen.deadline, QStringLiteral("2025/01/05"));
        QCOMPARE(seen.background, kNearDeadline);
        QCOMPARE(seen.points, 2);
        QCOMPARE(folderSnapshot(dir.filePath(QStringLiteral("client"))), before); // read only
    }

    // Draw 559's win (2024/01/05) is due on 2025/01/05.
    void reminderOncePerDayOpensTheLedgerAndTicks() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeDataFiles(
            drawLine(559, QStringLiteral("2024/01/05"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}),
            prizeLine(559));
        dir.writeFile(QStringLiteral("client/559.csv"), "559,01,02,03,04,05,06,08\r\n");
        ModalAnswerer answerer;
        const auto start = [&](int day, bool openLedger) {
            answerer.clear();
            if (openLedger) // else the box is closed
                answerer.answer(QMessageBox::Open);
            Clock::setFixedTime(QDateTime(QDate(2024, 12, day), QTime(12, 0), Qt::UTC));
            TMainForm form;
            form.show();
            QCoreApplication::processEvents(); // the reminder runs after the start-up
            return answerer.texts();
        };
        const QString text = QStringLiteral(
            "未換金の当せんがあります。\n\n第559回　2等　¥12,000,000　支払期限 2025/01/05");
        QCOMPARE(start(20, false), QStringList{text});
        QCOMPARE(answerer.boxes().at(0).buttons, QMessageBox::Open | QMessageBox::Close);
        QCOMPARE(start(20, false), QStringList()); // once a day

        QString unclaimed, ticked;
        answerer.onDialog<TLedgerForm>([&](TLedgerForm* box) {
            watchModel(control<StripedGrid>(box, QStringLiteral("gridLedger"))->model());
            auto* grid = control<StripedGrid>(box, QStringLiteral("gridLedger"));
            unclaimed = labelText(box, "lblLedgerUnclaimed");
            // A click on the box at the cell's left ticks the row.
            const QRect cell = grid->visualRect(grid->model()->index(0, kLedgerColumns - 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              QPoint(cell.left() + 10, cell.center().y()));
            ticked = grid->cell(0, kLedgerColumns - 1) + labelText(box, "lblLedgerUnclaimed");
            // Space toggles the row from any of its cells.
            grid->setCurrentIndex(grid->model()->index(0, 0));
            QTest::keyClick(grid, Qt::Key_Space);
            ticked += grid->cell(0, kLedgerColumns - 1);
            QTest::keyClick(grid, Qt::Key_Space);
            control<QCheckBox>(box, QStringLiteral("chkLedgerRemind"))->click(); // turned off
            box->accept();
        });
        QCOMPARE(start(21, true), QStringList{text});
        QVERIFY(answerer.dialogsDone());
        QCOMPARE(unclaimed, QStringLiteral("未換金 ¥12,000,000（1件）"));
        QCOMPARE(ticked, QStringLiteral("換金済み未換金 なし未換金"));
        QCOMPARE(dir.readFile(QStringLiteral("client/claimed.csv")),
                 QByteArray("559,2024/12/21\r\n"));

        dir.writeFile(QStringLiteral("client/claimed.csv"), QByteArray()); // uncashed again
        QCOMPARE(start(22, false), QStringList());                         // turned off
        programSettings().setValue(QStringLiteral("Ledger/Remind"), QStringLiteral("1"));
        QCOMPARE(start(22, false), QStringList{text});
    }

    void noSecondCommandWhileBusy() {
        TempProgramDir dir;
        dir.writeStartingData();
        TMainForm form;
        form.show();
        bool opened = false;
        ModalAnswerer answerer; // closes a box that should not have opened
        answerer.onDialog<TLedgerForm>([&](TLedgerForm* box) {
            opened = true;
            box->reject();
        });
        {
            const BusyScope busy; // another long command runs
            QVERIFY(busy.entered());
            form.menuCommandLedgerClick();
        }
        QVERIFY(!opened);
    }

    void yearFilterAndTotals() {
        TLedgerForm form{DrawTable(), PrizeTable()};
        form.setLedger(sampleLedger(), kToday);
        auto* year = control<QComboBox>(&form, QStringLiteral("cmbLedgerYear"));
        QStringList years;
        for (int i = 0; i < year->count(); ++i)
            years << year->itemText(i);
        QCOMPARE(years, (QStringList{"全期間", "2025", "2024"}));
        QCOMPARE(labelText(&form, "lblLedgerCost"), QStringLiteral("¥6,900"));
        QCOMPARE(labelText(&form, "lblLedgerRate"), QStringLiteral("144.9%"));

        year->setCurrentIndex(2);
        QCOMPARE(form.shownRows().size(), 3);
        QCOMPARE(control<StripedGrid>(&form, QStringLiteral("gridLedger"))->dataRowCount(), 3);
        QCOMPARE(labelText(&form, "lblLedgerLines"), QStringLiteral("20口"));
        QCOMPARE(labelText(&form, "lblLedgerWon"), QStringLiteral("¥10,000"));
        QCOMPARE(labelText(&form, "lblLedgerNet"), QStringLiteral("¥4,000"));
        QCOMPARE(labelText(&form, "lblLedgerRate"), QStringLiteral("166.7%"));

        year->setCurrentIndex(1); // only the draw still to come
        QCOMPARE(labelText(&form, "lblLedgerNet"), QStringLiteral("-¥900"));
        QCOMPARE(control<QLabel>(&form, QStringLiteral("lblLedgerNet"))
                     ->palette()
                     .color(QPalette::WindowText),
                 QColor(Qt::red));
        QCOMPARE(labelText(&form, "lblLedgerRate"), QStringLiteral("0.0%"));
        form.show();
        VERIFY_LAID_OUT(&form);

        form.setLedger({}, kToday); // nothing saved: zeros, not an error
        QCOMPARE(year->count(), 1);
        QCOMPARE(labelText(&form, "lblLedgerWon"), QStringLiteral("¥0"));
        QCOMPARE(labelText(&form, "lblLedgerRate"), QStringLiteral("0.0%"));
    }

    // Refilled (opened again over more lines), the chart shows the labels of
    // its new axes only, also before an event loop has deleted anything.
    void refilledChartShowsOnlyItsOwnAxes() {
        TLedgerForm form{DrawTable(), PrizeTable()};
        form.show();
        QChart* chart = control<QChartView>(&form, QStringLiteral("chartLedger"))->chart();
        form.setLedger(sampleLedger(), kToday);
        QCoreApplication::processEvents(); // laid out; deferred deletes wait for a loop
        QStringList shown;
        for (const QGraphicsItem* item : chart->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
                text && text->isVisible() && text->toPlainText().startsWith(u'¥'))
                shown << text->toPlainText();
        QStringList own =
            qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0))->categoriesLabels();
        shown.sort();
        own.sort();
        QCOMPARE(shown, own);
    }

    void highlightedAndGreyRowsArePainted() {
        TLedgerForm form{DrawTable(), PrizeTable()};
        form.setLedger(sampleLedger(), kToday);
        form.show();
        auto* grid = control<StripedGrid>(&form, QStringLiteral("gridLedger"));
        grid->setCurrentDataRow(0);
        QCOMPARE(grid->cell(3, 12), QStringLiteral("2025/01/05 期限切れ"));
        const QImage image = grid->viewport()->grab().toImage();
        const auto pixel = [&](int row, int column) {
            const QRect cell = grid->visualRect(grid->model()->index(row, column));
            return image.pixelColor(cell.left() + 2, cell.bottom() - 2);
        };
        QCOMPARE(pixel(2, 0), kNearDeadline); // due within 30 days
        QCOMPARE(pixel(1, 0), kStripeGreen);  // nothing won
        // The expired row keeps its stripe; its text is dimmed yet readable on
        // either stripe (WCAG contrast at least 4.5 : 1).
        QCOMPARE(pixel(3, 0), kStripeGreen);
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) {
                return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
                   0.0722 * linear(c.blueF());
        };
        for (const QColor& stripe : {kWhite, kStripeGreen})
            QVERIFY((luminance(stripe) + 0.05) / (luminance(kExpired) + 0.05) >= 4.5);
        const QRect cell = grid->visualRect(grid->model()->index(3, 12));
        bool grey = false;
        bool black = false;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                grey = grey || c == kExpired;
                black = black || c == QColor(Qt::black);
            }
        QVERIFY(grey);
        QVERIFY(!black);
    }

    void exportWritesTheShownPeriod() {
        TLedgerForm form{DrawTable(), PrizeTable()};
        form.setLedger(sampleLedger(), kToday);
        control<QComboBox>(&form, QStringLiteral("cmbLedgerYear"))->setCurrentIndex(2);
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("ledger.csv"));
        QString proposed;
        setSaveFileNameHook([&](const SaveFileRequest& request) {
            proposed = request.proposedName;
            return path;
        });
        ModalAnswerer answerer;
        control<QPushButton>(&form, QStringLiteral("btnLedgerExport"))->click();
        QCOMPARE(proposed, QStringLiteral("当選収支2024.csv"));
        QCOMPARE(answerer.texts(), QStringList{"正常にファイルの保存が完了しました。"});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, ledgerCsv(form.shownRows(), kToday));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF開催回,抽選日,"));
        QCOMPARE(bytes.count("\r\n"), 4);       // header and three rows
        QVERIFY(!bytes.contains("2025/01/20")); // only the chosen year
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));

        // A folder that does not exist: the error box, no file anywhere.
        answerer.clear();
        const QString bad = target.filePath(QStringLiteral("missing/ledger.csv"));
        setSaveFileNameHook([&](const SaveFileRequest&) { return bad; });
        control<QPushButton>(&form, QStringLiteral("btnLedgerExport"))->click();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).icon, QMessageBox::Critical);
        QVERIFY(!QFile::exists(bad));
    }
};

SEPTARION_TEST_MAIN(TestLedgerForm)
#include "test_ledgerform.moc"
