// The ticket box as a player uses it: type a ticket's lines, register them
// for two draws, and the open lookup tab and the matching tab list them.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "common/ui/StripedGrid.h"
#include "entries/ui/TicketForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

class TestTicketForm : public WindowTest {
    Q_OBJECT

    QStringList listed(const QString& grid) {
        QStringList lines;
        for (const QStringList& row : find<StringGrid>(grid)->dataRows())
            lines.append(row.mid(0, 8).join(u','));
        return lines;
    }

private slots:
    void cleanup() { closeWindow(); }

    void typedLinesAreRegisteredAndListed() {
        newProgramFolder();
        m_dir->writeStartingData(); // the newest draw is 689
        openWindow();
        QAction* item = find<QAction>(QStringLiteral("menuCommandTicket"));
        const QList<QAction*> items = find<QMenu>(QStringLiteral("menuCommand"))->actions();
        QCOMPARE(items.indexOf(item), items.indexOf(find<QAction>("menuCommandImport")) + 1);
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(4); // the lookup tab
        QVERIFY(!find<StringGrid>(QStringLiteral("gridLoto6"))->hasData());

        ModalAnswerer answerer;
        answerer.answer(QMessageBox::Yes); // register the good lines
        QString caption, first, preview, draws, price, memoAfter;
        answerer.onDialog<TTicketForm>([&](TTicketForm* box) {
            watchModel(control<StripedGrid>(box, QStringLiteral("gridTicket"))->model());
            caption = box->windowTitle();
            first = control<QSpinBox>(box, QStringLiteral("editTicketFirstDraw"))->text();
            auto* memo = control<QPlainTextEdit>(box, QStringLiteral("memoTicketLines"));
            memo->insertPlainText(QStringLiteral("A 25 20 18 17 14 10 03\nB 01 02 03\n\n"
                                                 "Ｃ　３７　１　２　３　４　５　６"));
            control<QSpinBox>(box, QStringLiteral("editTicketContinue"))->setValue(2);
            auto* grid = control<StripedGrid>(box, QStringLiteral("gridTicket"));
            for (int row = 0; row < grid->dataRowCount(); ++row)
                preview.append(grid->rowCells(row).join(u'|') + u';');
            draws = control<QLabel>(box, QStringLiteral("lblTicketDraws"))->text();
            price = control<QLabel>(box, QStringLiteral("lblTicketPrice"))->text();
            control<QPushButton>(box, QStringLiteral("btnTicketSave"))->click();
            memoAfter = memo->toPlainText();
            control<QPushButton>(box, QStringLiteral("btnTicketClose"))->click();
        });
        item->trigger(); // returns once the box is closed
        QVERIFY(answerer.dialogsDone());

        QCOMPARE(caption, QStringLiteral("購入チケットの登録"));
        QCOMPARE(first, QStringLiteral("第690回"));
        QCOMPARE(preview, QStringLiteral("1|A|03 10 14 17 18 20 25|登録できます;"
                                         "2|B|01 02 03|数字が7個ではありません（3個）;"
                                         "4|C|01 02 03 04 05 06 37|登録できます;"));
        QCOMPARE(draws, QStringLiteral("第690回～第691回の2回"));
        QCOMPARE(price, QStringLiteral("2口 × 2回 × 300円 = ¥1,200"));
        QCOMPARE(answerer.texts(),
                 (QStringList{QStringLiteral("2行目は登録できません（備考をご覧ください）。\n"
                                             "ほかの2行を登録しますか？"),
                              QStringLiteral("2口を第690回～第691回の2回に登録しました。"
                                             "「申込数字照会・取消し」で確かめられます。")}));
        QCOMPARE(memoAfter, QStringLiteral("B 01 02 03")); // left to be corrected

        for (const QByteArray n : {"690", "691"})
            QCOMPARE(m_dir->readFile(QStringLiteral("client/%1.csv").arg(n)),
                     n + ",03,10,14,17,18,20,25\r\n" + n + ",01,02,03,04,05,06,37\r\n");
        const QStringList lines{QStringLiteral("690,03,10,14,17,18,20,25"),
                                QStringLiteral("690,01,02,03,04,05,06,37")};
        QCOMPARE(listed(QStringLiteral("gridLoto6")), lines); // the tab on show follows
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(2);
        QCOMPARE(listed(QStringLiteral("gridHitSel")), lines);
    }
};

SEPTARION_TEST_MAIN(TestTicketForm)
#include "test_ticketform.moc"
