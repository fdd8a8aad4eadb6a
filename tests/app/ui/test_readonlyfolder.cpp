// The window over a program folder the user cannot write to, as after a
// system-wide install: it shows the starting data seeded into the per-user
// folder, saves lines there, lists them again, and leaves its own folder as
// it was.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "common/DataFolder.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <memory>

class TestReadOnlyFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> m_dir;

private slots:
    void init() {
        QDir(userDataDir()).removeRecursively();
        m_dir = std::make_unique<TempProgramDir>();
        m_dir->writeStartingData();
        setTreeWritable(m_dir->path(), false);
        // Root writes into a read-only folder: the decision is then given,
        // for everyone else the program tries.
        if (canCreateFileIn(m_dir->path()))
            setProgramDirWritable(false);
    }
    void cleanup() {
        setProgramDirWritable(std::nullopt);
        setTreeWritable(m_dir->path(), true);
        m_dir.reset();
    }

    void startsWithTheStartingDataAndSavesPerUser() {
        const auto before = folderSnapshot(m_dir->path());
        auto form = std::make_unique<TMainForm>();
        form->show();
        QVERIFY(!dataBesideProgram());

        const QAbstractItemModel* history =
            control<QTableView>(form.get(), QStringLiteral("viewHistory"))->model();
        QCOMPARE(history->rowCount(), kStartingDraws);
        QCOMPARE(history->index(0, 0).data().toString(), QStringLiteral("  689"));
        QCOMPARE(history->index(0, 1).data().toString(), QStringLiteral("2026/08/07"));
        QCOMPARE(history->index(kStartingDraws - 1, 1).data().toString(),
                 QStringLiteral("2013/04/05"));
        QCOMPARE(control<QLineEdit>(form.get(), QStringLiteral("editNewNum"))->text(),
                 QStringLiteral("690"));

        for (int n : {3, 8, 15, 21, 22, 30, 37})
            QTest::mouseClick(
                control<QToolButton>(form.get(), QStringLiteral("SpeedButton%1").arg(n)),
                Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(form.get(), QStringLiteral("btnSelect")),
                          Qt::LeftButton);
        {
            ModalAnswerer answerer;
            QTest::mouseClick(control<QPushButton>(form.get(), QStringLiteral("btnSave")),
                              Qt::LeftButton);
            QCOMPARE(answerer.boxes().size(), 1);
            QCOMPARE(answerer.boxes().first().caption, QStringLiteral("ガイドメッセージ"));
        }
        QFile saved(QDir(userDataDir()).filePath(QStringLiteral("client/690.csv")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("690,03,08,15,21,22,30,37\r\n"));

        // The lookup tab reads it back from there.
        control<TPageControl>(form.get(), QStringLiteral("pctrlMain"))->setCurrentIndex(4);
        const auto rows = control<StringGrid>(form.get(), QStringLiteral("gridLoto6"))->dataRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().join(u','), QStringLiteral("690,03,08,15,21,22,30,37"));

        form.reset(); // closing stores the settings, not files
        QCOMPARE(folderSnapshot(m_dir->path()), before);
    }
};

SEPTARION_TEST_MAIN(TestReadOnlyFolder)
#include "test_readonlyfolder.moc"
