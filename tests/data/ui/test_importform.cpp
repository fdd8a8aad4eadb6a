// The import box as a player uses it: paste the results page's block of the
// next draw, take it in, and the window follows.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/StripedGrid.h"
#include "data/DataFilePair.h"
#include "data/ui/ImportForm.h"
#include "ledger/ui/LedgerForm.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>

namespace {

// Draw 690 as the lottery's results page shows it, copied with its heading.
const QString kPage =
    QStringLiteral("2026年8月分（第689回〜第690回）\n"
                   "回別\t第690回\n抽せん日\t2026年8月14日\n"
                   "本数字\t03\t10\t14\t17\t18\t20\t25\nボーナス数字\t(34)\t(19)\n"
                   "1等\t該当なし\t該当なし\n2等\t4口\t12,345,600円\n3等\t150口\t500,000円\n"
                   "4等\t5,000口\t9,000円\n5等\t90,000口\t1,400円\n6等\t160,000口\t1,000円\n"
                   "キャリーオーバー\t1,234,567,890円\n販売実績額\t3,456,789,000円\n");

} // namespace

class TestImportForm : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() {
        setOpenFileNameHook(nullptr);
        closeWindow();
    }

    void pastedDrawIsTakenAndTheWindowFollows() {
        newProgramFolder();
        m_dir->writeStartingData();
        // One line of draw 690 wins the 3rd prize: six of its main numbers.
        m_dir->writeFile(QStringLiteral("client/690.csv"), "690,03,10,14,17,18,20,36\r\n");
        openWindow();
        auto* item = find<QAction>(QStringLiteral("menuCommandImport"));
        const QList<QAction*> items = find<QMenu>(QStringLiteral("menuCommand"))->actions();
        QCOMPARE(items.indexOf(item), items.indexOf(find<QAction>("menuCommandDownload")) + 1);

        ModalAnswerer answerer;
        struct Seen {
            QString caption, suggested, preview, summary;
            bool modal = false, fits = false, runBefore = true, runAfter = true, undo = false;
        } seen;
        answerer.onDialog<TImportForm>([&](TImportForm* box) {
            seen.caption = box->windowTitle();
            seen.modal = box->isModal();
            seen.fits = box->screen()->availableGeometry().contains(box->frameGeometry());
            seen.suggested = control<QSpinBox>(box, QStringLiteral("editImportDraw"))->text();
            seen.runBefore = control<QPushButton>(box, QStringLiteral("btnImportRun"))->isEnabled();
            control<QPlainTextEdit>(box, QStringLiteral("memoImportText"))->setPlainText(kPage);
            control<QPushButton>(box, QStringLiteral("btnImportRead"))->click();
            auto* grid = control<StripedGrid>(box, QStringLiteral("gridImport"));
            seen.preview = grid->rowCells(0).join(u'|');
            seen.summary = control<QLabel>(box, QStringLiteral("lblImportSummary"))->text();
            control<QPushButton>(box, QStringLiteral("btnImportRun"))->click();
            seen.runAfter = control<QPushButton>(box, QStringLiteral("btnImportRun"))->isEnabled();
            seen.undo = control<QPushButton>(box, QStringLiteral("btnImportUndo"))->isEnabled();
            control<QPushButton>(box, QStringLiteral("btnImportClose"))->click();
        });
        item->trigger(); // returns once the box is closed

        QCOMPARE(seen.caption, QStringLiteral("当せん結果の取り込み"));
        QVERIFY(seen.modal);
        QVERIFY(seen.fits);
        QCOMPARE(seen.suggested, QStringLiteral("690"));
        QVERIFY(!seen.runBefore);
        QCOMPARE(seen.preview,
                 QStringLiteral("新規|690|2026/08/14|03 10 14 17 18 20 25|19 34|有||"));
        QCOMPARE(seen.summary,
                 QStringLiteral("1件読込 ／ 1件新規 ／ 0件取込済 ／ 0件競合 ／ 0件不正"));
        QVERIFY(!seen.runAfter); // the row is held now
        QVERIFY(seen.undo);
        QCOMPARE(answerer.texts(),
                 QStringList{QStringLiteral("1件の当せん結果を取り込みました。")});

        // The history shows the draw first, the next draw number follows.
        QCOMPARE(find<QTableView>(QStringLiteral("viewHistory"))->model()->index(0, 0).data(),
                 QVariant(QStringLiteral("  690")));
        QCOMPARE(find<QLineEdit>(QStringLiteral("editNewNum"))->text(), QStringLiteral("691"));
        QCOMPARE(m_form->prizeTable().at(0).CarryOver, Q_INT64_C(1234567890));
        // The ledger checks the saved line against it: 3rd prize, 500,000 yen.
        TLedgerForm ledger(m_form->drawTable(), m_form->prizeTable());
        ledger.reload();
        QCOMPARE(ledger.shownRows().first().drawNumber, 690);
        QCOMPARE(ledger.shownRows().first().won, Q_INT64_C(500000));
    }

    void typedDrawTickRemovalAndUndo() {
        newProgramFolder();
        m_dir->writeStartingData();
        const QByteArray heldDraws = m_dir->readFile(QStringLiteral("download/Loto7Number.csv"));
        openWindow();
        ModalAnswerer answerer;
        answerer.answer(QMessageBox::Ok);
        answerer.answer(QMessageBox::Yes); // undo the import
        struct Seen {
            QStringList rows, afterRun;
            QString tip;
            bool ticked = false;
        } seen;
        answerer.onDialog<TImportForm>([&](TImportForm* box) {
            auto* grid = control<StripedGrid>(box, QStringLiteral("gridImport"));
            watchModel(grid->model());
            // Draw 690 pasted, 689 with other numbers, two refused draws.
            control<QPlainTextEdit>(box, QStringLiteral("memoImportText"))
                ->setPlainText(kPage + u"689,2026/08/07,01,02,03,04,05,06,07,08,09\n"
                                       "692 2026/02/30 1 2 3 4 5 6 7 (8) (9)\n"
                                       "693 2026/02/30 1 2 3 4 5 6 7 (8) (9)\n"_qs);
            control<QPushButton>(box, QStringLiteral("btnImportRead"))->click();
            // Draw 690 typed over the pasted one; its prize fields left empty.
            for (int i = 1; i <= 7; ++i)
                control<QSpinBox>(box, QStringLiteral("editImportMain%1").arg(i))->setValue(i + 10);
            control<QSpinBox>(box, QStringLiteral("editImportBonus1"))->setValue(1);
            control<QSpinBox>(box, QStringLiteral("editImportBonus2"))->setValue(2);
            control<QPushButton>(box, QStringLiteral("btnImportAdd"))->click();
            seen.tip = grid->model()->index(2, 0).data(Qt::ToolTipRole).toString();
            QTest::keyClick(grid, Qt::Key_Delete); // the current row: 693
            grid->setCurrentDataRow(0);
            control<QPushButton>(box, QStringLiteral("btnImportRemove"))->click();
            const QModelIndex tick = grid->model()->index(1, kImportOverwriteColumn);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(tick).center());
            seen.ticked = grid->cell(1, kImportOverwriteColumn) == u"☑"_qs;
            for (int row = 0; row < grid->dataRowCount(); ++row)
                seen.rows.append(grid->rowCells(row).mid(0, 4).join(u'|'));
            control<QPushButton>(box, QStringLiteral("btnImportRun"))->click();
            seen.afterRun = {control<QSpinBox>(box, QStringLiteral("editImportDraw"))->text(),
                             control<QDateEdit>(box, QStringLiteral("dateImportDraw"))->text(),
                             control<QSpinBox>(box, QStringLiteral("editImportMain1"))->text(),
                             control<QLineEdit>(box, QStringLiteral("editImportCount1"))->text()};
            control<QPushButton>(box, QStringLiteral("btnImportUndo"))->click();
            control<QPushButton>(box, QStringLiteral("btnImportClose"))->click();
        });
        find<QAction>(QStringLiteral("menuCommandImport"))->trigger();

        QCOMPARE(seen.rows, QStringList({u"新規|690|2026/08/14|11 12 13 14 15 16 17"_qs,
                                         u"競合|689|2026/08/07|01 02 03 04 05 06 07"_qs}));
        QVERIFY2(seen.tip.startsWith(u"第690回 2026/08/14\n賞金データなし"_qs),
                 qPrintable(seen.tip));
        QVERIFY(seen.ticked);
        QCOMPARE(seen.afterRun, QStringList({u"691"_qs, u"2026/08/21"_qs, u" "_qs, QString()}));
        QCOMPARE(answerer.texts().value(0), u"2件の当せん結果を取り込みました。"_qs);
        QCOMPARE(answerer.texts().value(2), u"取り込みを元に戻しました。"_qs);
        QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")), heldDraws);
    }

    void badInputGivesOneErrorAndChangesNothing_data() {
        QTest::addColumn<QString>("paste");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty paste")
            << QStringLiteral(" \n") << QByteArray() << QStringLiteral("テキストがありません");
        QTest::newRow("nothing recognised: the layouts read are named")
            << QStringLiteral("hello") << QByteArray()
            << QStringLiteral("当せん結果が見つかりませんでした。読み取れるのは次の形式です。\n"
                              "・宝くじ公式サイトの当せん結果CSV（第690回ロト７,…");
        QTest::newRow("file too large") << QString() << QByteArray(20 * 1024 * 1024 + 1, 'x')
                                        << QStringLiteral("ファイルが大きすぎます");
    }

    void badInputGivesOneErrorAndChangesNothing() {
        QFETCH(QString, paste);
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        newProgramFolder();
        m_dir->writeStartingData();
        m_dir->writeFile(QStringLiteral("results.csv"), file);
        const auto before = folderSnapshot(m_dir->filePath(QStringLiteral("download")));
        openWindow();
        setOpenFileNameHook([this](const OpenFileRequest&) {
            return m_dir->filePath(QStringLiteral("results.csv"));
        });
        ModalAnswerer answerer;
        ImportRecord last;
        TImportForm box(
            m_form->drawTable(), last, [] { return true; }, m_form.get());
        control<QPlainTextEdit>(&box, QStringLiteral("memoImportText"))->setPlainText(paste);
        control<QPushButton>(&box, paste.isNull() ? QStringLiteral("btnImportFile")
                                                  : QStringLiteral("btnImportRead"))
            ->click();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).caption, QStringLiteral("エラーメッセージ"));
        QVERIFY2(answerer.boxes().at(0).text.startsWith(error),
                 qPrintable(answerer.boxes().at(0).text));
        QCOMPARE(folderSnapshot(m_dir->filePath(QStringLiteral("download"))), before);
    }

    void pairStoppedBetweenItsFilesIsFinishedAtTheNextStart_data() {
        QTest::addColumn<bool>("undo");
        QTest::addColumn<bool>("lost"); // the new prize file is gone: the .bak pair is back
        QTest::newRow("import") << false << false;
        QTest::newRow("undo") << true << false;
        QTest::newRow("import, new file lost") << false << true;
    }

    void pairStoppedBetweenItsFilesIsFinishedAtTheNextStart() {
        QFETCH(bool, undo);
        QFETCH(bool, lost);
        newProgramFolder();
        m_dir->writeStartingData();
        const QString folder = m_dir->filePath(QStringLiteral("download"));
        const auto importPage = [&folder] {
            const HeldResults held = HeldResults::read(folder);
            writeImport(folder, held, mergeImport(held, checkImport(readResultsText(kPage), held)));
        };
        if (undo)
            importPage();
        const QStringList pair{QStringLiteral("Loto7Data.csv"), QStringLiteral("Loto7Number.csv")};
        QStringList names = pair + QStringList{pair[0] + kBackupSuffix, pair[1] + kBackupSuffix};
        for (const QString& name : names) // what a kill leaves beside a file written
            m_dir->writeFile(QStringLiteral("download/%1.AbCdEf").arg(name), "x");
        const QByteArray oldDraws = m_dir->readFile(QStringLiteral("download/Loto7Number.csv"));
        const QByteArray oldPrizes = m_dir->readFile(QStringLiteral("download/Loto7Data.csv"));

        struct Killed {};
        setPairRenameHook([](const QString&) { throw Killed(); });
        const auto realRenames = qScopeGuard([] { setPairRenameHook(nullptr); });
        QVERIFY_THROWS_EXCEPTION(Killed, undo ? undoImport(folder) : importPage());
        setPairRenameHook(nullptr);
        QVERIFY(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")) != oldDraws);
        QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Data.csv")), oldPrizes);
        if (lost)
            QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("download/Loto7Data.csv.new"))));

        ModalAnswerer answerer;
        openWindow();
        QCOMPARE(answerer.texts(), QStringList{pairSettledMessage(lost ? PairSettled::RolledBack
                                                                       : PairSettled::Finished)});
        const int newest = undo || lost ? 689 : 690;
        QCOMPARE(m_form->drawTable().at(0).DrawNumber, newest);
        QCOMPARE(m_form->prizeTable().at(0).DrawNumber, newest);
        names.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), names);
    }
};

SEPTARION_TEST_MAIN(TestImportForm)
#include "test_importform.moc"
