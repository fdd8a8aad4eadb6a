// Export of the pending lines to a CSV file the user names.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "app/ui/Splash.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/PageControl.h"

#include <QAction>
#include <QFileDialog>
#include <QPushButton>
#include <QToolButton>

#include <memory>

class TestCsvExport : public WindowTest {
    Q_OBJECT

    QTemporaryDir m_target;

    QAction* exportItem() { return find<QAction>(QStringLiteral("menuFileCsvSave")); }
    void commit(const QList<int>& numbers) {
        for (int n : numbers)
            QTest::mouseClick(find<QToolButton>(QStringLiteral("SpeedButton%1").arg(n)),
                              Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnSelect")), Qt::LeftButton);
    }
    // Answers the next save dialogs with the file name, or cancel (empty).
    // Records what the dialog offered.
    static void chooseFile(const QString& path, QStringList* seen = nullptr) {
        setSaveFileNameHook([path, seen](const SaveFileRequest& request) {
            if (seen)
                *seen = {request.title,
                         request.nameFilter,
                         request.defaultSuffix,
                         request.proposedName,
                         request.confirmOverwrite ? "confirm" : "no-confirm",
                         request.objectName};
            return path;
        });
    }

private slots:
    void init() {
        newProgramFolder();
        m_dir->writeDataFiles(
            drawLine(559, QStringLiteral("2024/01/05"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}),
            prizeLine(559));
        openWindow();
    }
    void cleanup() {
        setSaveFileNameHook(nullptr);
        closeWindow();
    }

    void exportsThePendingLinesExactly() {
        commit({3, 8, 15, 21, 27, 33, 36});
        commit({1, 2, 3, 4, 5, 6, 7});
        commit({31, 32, 33, 34, 35, 36, 37});
        const QString path = m_target.filePath(QStringLiteral("560.csv"));
        ModalAnswerer answerer;
        QStringList offered;
        chooseFile(path, &offered);
        exportItem()->trigger();
        QCOMPARE(offered.value(0), QStringLiteral("CSVファイルに名前を付けて保存"));
        QCOMPARE(offered.value(1), QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
        QCOMPARE(offered.value(2), QStringLiteral("csv"));
        QCOMPARE(offered.value(3), QStringLiteral("560.csv"));
        QCOMPARE(offered.value(4), QStringLiteral("no-confirm"));
        QCOMPARE(offered.value(5), QStringLiteral("dlgSave"));
        QCOMPARE(answerer.texts(),
                 QStringList{QStringLiteral("正常にファイルの保存が完了しました。")});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = "560,03,08,15,21,27,33,36\r\n"
                                    "560,01,02,03,04,05,06,07\r\n"
                                    "560,31,32,33,34,35,36,37\r\n";
        QCOMPARE(file.readAll(), expected);
        file.close();

        // Again to the same name: replaced, not doubled; no entry file written.
        chooseFile(path);
        exportItem()->trigger();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
        QVERIFY(!m_dir->exists(QStringLiteral("client/560.csv")));
        QVERIFY(!m_form->splash()->isVisible());
    }

    void nameWithoutExtensionGetsCsv() {
        commit({3, 8, 15, 21, 27, 33, 36});
        ModalAnswerer answerer;
        chooseFile(m_target.filePath(QStringLiteral("mylines")));
        exportItem()->trigger();
        QVERIFY(QFileInfo::exists(m_target.filePath(QStringLiteral("mylines.csv"))));
    }

    void emptyListOrCancelWritesNothing() {
        const QString path = m_target.filePath(QStringLiteral("empty.csv"));
        ModalAnswerer answerer;
        chooseFile(QString()); // cancelled: no message, no file
        exportItem()->trigger();
        QVERIFY(answerer.boxes().isEmpty());
        chooseFile(path);
        exportItem()->trigger();
        QCOMPARE(answerer.texts(),
                 QStringList{QStringLiteral("保存する対象のデータがありません。")});
        QVERIFY(!QFileInfo::exists(path));
    }

    void failedExportReportsAndKeepsTheOldFile() {
        commit({3, 8, 15, 21, 27, 33, 36});
        commit({1, 2, 3, 4, 5, 6, 7});
        const QString path = m_target.filePath(QStringLiteral("taken.csv"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old\r\n");
        }
        ModalAnswerer answerer;
        chooseFile(path);
        {
            const FileSizeLimit fullDisk(30);
            QVERIFY(fullDisk.active());
            exportItem()->trigger();
        }

        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().first().caption, QStringLiteral("エラーメッセージ"));
        QCOMPARE(answerer.boxes().first().icon, QMessageBox::Critical);
        QVERIFY(answerer.boxes().first().text.contains(QStringLiteral("taken.csv")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old\r\n"));
        QVERIFY(!m_form->splash()->isVisible());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The real dialog, cancelled: it shows what the request offers, in the
    // working folder when a file can be saved there, else in the player's
    // documents or home folder (started from a menu, the working folder may be
    // the read-only program folder).
    void realDialogOffersTheProposedName_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable working folder") << true;
        QTest::newRow("read-only working folder") << false;
    }
    void realDialogOffersTheProposedName() {
        QFETCH(bool, writable);
        QTemporaryDir scratch;
        const QString working = scratch.path();
        const QString before = QDir::currentPath();
        QDir::setCurrent(working);
        if (!writable) // gone: not even root can create a file in it
            QVERIFY(QDir().rmdir(working));
        commit({3, 8, 15, 21, 27, 33, 36});
        ModalAnswerer answerer;
        QStringList seen;
        answerer.onFileDialog([&seen](QFileDialog* dialog) {
            seen = {dialog->objectName(), dialog->windowTitle(), dialog->defaultSuffix(),
                    QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                    dialog->directory().absolutePath()};
            dialog->reject();
        });
        exportItem()->trigger();
        QDir::setCurrent(before);
        QCOMPARE(seen, (QStringList{QStringLiteral("dlgSave"),
                                    QStringLiteral("CSVファイルに名前を付けて保存"),
                                    QStringLiteral("csv"), QStringLiteral("560.csv"),
                                    writable ? QDir(working).absolutePath() : QDir::homePath()}));
        QVERIFY(answerer.boxes().isEmpty());
    }

    void menuItemOnlyOnTheMainTab() {
        auto* tabs = find<TPageControl>(QStringLiteral("pctrlMain"));
        QVERIFY(exportItem()->isEnabled());
        for (int i = 1; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QVERIFY2(!exportItem()->isEnabled(), qPrintable(tabs->tabText(i)));
        }
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(exportItem()->isEnabled());
    }
};

SEPTARION_TEST_MAIN(TestCsvExport)
#include "test_csvexport.moc"
