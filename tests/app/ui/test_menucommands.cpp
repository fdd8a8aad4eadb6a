// The download command and the help menu, used through the window's menu.
#include "DownloadFixture.h"
#include "GuiTestSupport.h"

#include "SampleData.h"
#include "app/ui/About.h"
#include "app/ui/Main.h"
#include "app/ui/Splash.h"
#include "common/BuildInfo.h"
#include "common/ui/DesktopOpen.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "data/Download.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

const QString kFailed =
    QStringLiteral("ダウンロードに失敗しました。ネットワークの接続状態を確認してください！！");

void trigger(TMainForm& form, const QString& action) {
    control<QAction>(&form, action)->trigger();
}

// One pending line on the main tab.
void commitOneLine(TMainForm& form) {
    for (int n : {3, 8, 15, 21, 22, 30, 37})
        control<QToolButton>(&form, QStringLiteral("SpeedButton%1").arg(n))->click();
    control<QPushButton>(&form, QStringLiteral("btnSelect"))->click();
}

int historyRows(TMainForm& form) {
    return control<QTableView>(&form, QStringLiteral("viewHistory"))->model()->rowCount();
}

} // namespace

class TestMenuCommands : public DownloadTest {
    Q_OBJECT

private slots:
    void downloadReloadsEverythingWhileLockedOut();
    void failedDownloadShowsOneErrorAndKeepsTheData_data();
    void failedDownloadShowsOneErrorAndKeepsTheData();
    void closingDuringDownloadEndsItAndCloses();
    void downloadNeverDropsHeldDrawsUnasked_data();
    void downloadNeverDropsHeldDrawsUnasked();
    void helpOpensManualOrSaysWhereItIs_data();
    void helpOpensManualOrSaysWhereItIs();
    void aboutBoxShowsVersionModally();
};

void TestMenuCommands::downloadReloadsEverythingWhileLockedOut() {
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    QCOMPARE(form.drawTable().count(), 20);
    commitOneLine(form);
    auto* pending = control<StringGrid>(&form, QStringLiteral("gridSelectItem"));
    QVERIFY(pending->hasData());
    auto* tabs = control<TPageControl>(&form, QStringLiteral("pctrlMain"));

    struct Seen {
        bool waitBox = false;
        bool tabs = true;
        bool menu = true;
        bool cursor = false;
    };
    QList<Seen> seen;
    m_server->onRequest([&](const QString&) {
        seen.append({form.splash()->isVisible(), tabs->isEnabled(), form.menuBar()->isEnabled(),
                     QApplication::overrideCursor() != nullptr});
        // The command cannot start again while it runs.
        form.menuCommandDownloadClick();
    });
    trigger(form, QStringLiteral("menuCommandDownload"));

    QCOMPARE(m_server->requests(), QStringList({kDrawPath, kPrizePath}));
    QCOMPARE(seen.size(), 2);
    for (const Seen& s : std::as_const(seen)) {
        QVERIFY(s.waitBox);
        QVERIFY(!s.tabs);
        QVERIFY(!s.menu);
        QVERIFY(s.cursor);
    }
    QCOMPARE(answerer.boxes().size(), 1);
    QCOMPARE(answerer.boxes().at(0).caption, QStringLiteral("ガイドメッセージ"));
    QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("正常にダウンロードが完了しました。"));
    QCOMPARE(answerer.boxes().at(0).icon, QMessageBox::Warning);
    // Reloaded as at start-up: new tables and views, pending lines gone.
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Data.csv")), newDataFiles().prizeData);
    QCOMPARE(form.drawTable().count(), 25);
    QCOMPARE(form.prizeTable().count(), 25);
    QCOMPARE(historyRows(form), 25);
    QCOMPARE(control<QLineEdit>(&form, QStringLiteral("editNewNum"))->text(),
             QString::number(form.drawTable().nextDrawNumber()));
    QVERIFY(!pending->hasData());
    // Everything is given back.
    QCOMPARE(form.splash()->message(), QStringLiteral("最新データのダウンロード中です。"));
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(tabs->isEnabled());
    QVERIFY(form.menuBar()->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!form.isLoading());
}

void TestMenuCommands::failedDownloadShowsOneErrorAndKeepsTheData_data() {
    QTest::addColumn<QString>("failingPath");
    QTest::addColumn<LocalHttpServer::Reply>("reply");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("newDrawFile");
    QTest::newRow("draw file 404") << kDrawPath << LocalHttpServer::status(404) << 1 << false;
    QTest::newRow("draw file silent") << kDrawPath << LocalHttpServer::silent() << 1 << false;
    QTest::newRow("prize file truncated")
        << kPrizePath << LocalHttpServer::truncated(newDataFiles().prizeData) << 2 << true;
}

void TestMenuCommands::failedDownloadShowsOneErrorAndKeepsTheData() {
    QFETCH(QString, failingPath);
    QFETCH(LocalHttpServer::Reply, reply);
    QFETCH(int, requests);
    QFETCH(bool, newDrawFile);
    m_server->setReply(failingPath, reply);
    setDownloadTimeoutMs(200); // for the silent server
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    commitOneLine(form);

    trigger(form, QStringLiteral("menuCommandDownload"));

    QCOMPARE(m_server->requests().size(), requests);
    QCOMPARE(answerer.boxes().size(), 1);
    QCOMPARE(answerer.boxes().at(0).caption, QStringLiteral("エラーメッセージ"));
    QCOMPARE(answerer.boxes().at(0).text, kFailed);
    QCOMPARE(answerer.boxes().at(0).icon, QMessageBox::Critical);
    // Nothing reloaded: the old tables, views and pending line stay.
    QCOMPARE(form.drawTable().count(), 20);
    QCOMPARE(historyRows(form), 20);
    QVERIFY(control<StringGrid>(&form, QStringLiteral("gridSelectItem"))->hasData());
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
             newDrawFile ? newDataFiles().drawResults : oldDataFiles().drawResults);
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Data.csv")), oldDataFiles().prizeData);
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(form.menuBar()->isEnabled());
    QVERIFY(control<TPageControl>(&form, QStringLiteral("pctrlMain"))->isEnabled());
}

void TestMenuCommands::closingDuringDownloadEndsItAndCloses() {
    m_server->setReply(kDrawPath, LocalHttpServer::silent());
    setDownloadTimeoutMs(10 * 60 * 1000); // only the close can end it
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    m_server->onRequest([&](const QString&) { form.close(); });

    trigger(form, QStringLiteral("menuCommandDownload"));

    QVERIFY(answerer.boxes().isEmpty());
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
             oldDataFiles().drawResults);
}

void TestMenuCommands::downloadNeverDropsHeldDrawsUnasked_data() {
    QTest::addColumn<bool>("serverSet");
    QTest::addColumn<bool>("heldPrizes"); // the prize file holds draws 26 and 27 too
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QStringList>("texts");
    const QString question = QStringLiteral(
        "取り込み済みの第26回～第27回が、ダウンロードしたデータにありません。置き換えますか？");
    QTest::newRow("no server in the build, said without the wait text")
        << false << false << false
        << QStringList{QStringLiteral("データの取得先が設定されていません。「当せん結果の取り込み」"
                                      "から最新の結果を取り込めます。")};
    QTest::newRow("kept") << true << false << false << QStringList{question};
    QTest::newRow("replaced") << true << false << true
                              << QStringList{question,
                                             QStringLiteral("正常にダウンロードが完了しました。")};
    QTest::newRow("both files asked about once, replaced together")
        << true << true << true
        << QStringList{QStringLiteral("取り込み済みの第26回～第27回と第26回～第27回の賞金データが、"
                                      "ダウンロードしたデータにありません。置き換えますか？"),
                       QStringLiteral("正常にダウンロードが完了しました。")};
}

void TestMenuCommands::downloadNeverDropsHeldDrawsUnasked() {
    QFETCH(bool, serverSet);
    QFETCH(bool, heldPrizes);
    QFETCH(bool, replace);
    QFETCH(QStringList, texts);
    // Draws 26 and 27 were taken in; the server's file ends at 25.
    const QByteArray held =
        drawLine(27, QStringLiteral("2013/10/11"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
        drawLine(26, QStringLiteral("2013/10/04"), {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
        newDataFiles().drawResults;
    const QByteArray prizes = heldPrizes ? prizeLine(27) + prizeLine(26) + newDataFiles().prizeData
                                         : oldDataFiles().prizeData;
    m_dir->writeDataFiles(held, prizes);
    if (!serverSet)
        resetDownloadSettings();
    ModalAnswerer answerer;
    // A second question, were there one, would be answered the other way.
    answerer.answer(replace ? QMessageBox::Yes : QMessageBox::No);
    answerer.answer(replace ? QMessageBox::No : QMessageBox::Yes);
    TMainForm form;
    form.show();
    QList<bool> waitShown;
    answerer.onEachBox([&](QMessageBox*) { waitShown.append(form.splash()->isVisible()); });

    trigger(form, QStringLiteral("menuCommandDownload"));

    QCOMPARE(answerer.texts(), texts);
    QCOMPARE(waitShown.value(0), serverSet);
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
             replace ? newDataFiles().drawResults : held);
    QCOMPARE(m_dir->readFile(QStringLiteral("download/Loto7Data.csv")),
             replace ? newDataFiles().prizeData : prizes);
    QCOMPARE(historyRows(form), replace ? 25 : 27);
}

void TestMenuCommands::helpOpensManualOrSaysWhereItIs_data() {
    QTest::addColumn<bool>("manualThere");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QStringList>("texts");
    const QString manual = QStringLiteral("\n%1/操作手順書.pdf");
    const QString homePage = QStringLiteral("ホームページを開けませんでした。ブラウザで次のアドレス"
                                            "を開いてください。\nhttps://www.ozumel.example/");
    QTest::newRow("opened") << true << true << QStringList();
    QTest::newRow("no manual") << false << true
                               << QStringList{QStringLiteral("操作手順書が見つかりません。") +
                                              manual};
    QTest::newRow("no viewer or browser")
        << true << false
        << QStringList{QStringLiteral("操作手順書を開けませんでした。PDFを表示できるソフトで次の"
                                      "ファイルを開いてください。") +
                           manual,
                       homePage};
}

void TestMenuCommands::helpOpensManualOrSaysWhereItIs() {
    QFETCH(bool, manualThere);
    QFETCH(bool, opens);
    QFETCH(QStringList, texts);
    if (manualThere)
        m_dir->writeFile(QStringLiteral("操作手順書.pdf"), "%PDF-1.4\n");
    QList<QUrl> urls;
    setDesktopOpenHook([&](const QUrl& url) {
        urls.append(url);
        return opens;
    });
    // The manual beside the program, not in the working folder.
    const QString workingDir = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    ModalAnswerer answerer;
    {
        TMainForm form;
        form.show();
        trigger(form, QStringLiteral("menuHelpManual"));
        trigger(form, QStringLiteral("menuHelpHomePage"));
    }
    QDir::setCurrent(workingDir);
    setDesktopOpenHook(nullptr);

    for (QString& text : texts)
        text = text.arg(m_dir->path());
    QCOMPARE(answerer.texts(), texts);
    QList<QUrl> expected;
    if (manualThere)
        expected << QUrl::fromLocalFile(m_dir->filePath(QStringLiteral("操作手順書.pdf")));
    expected << QUrl(QStringLiteral("https://www.ozumel.example/"));
    QCOMPARE(urls, expected);
}

void TestMenuCommands::aboutBoxShowsVersionModally() {
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    QVERIFY(!form.windowIcon().isNull());

    struct Seen {
        bool found = false;
        bool modal = false;
        QString caption, version, name, title;
        QStringList faults; // of the layout, as a user sees it
        QSize size, icon;
        Qt::WindowFlags flags;
        bool okDefault = false;
    } seen;
    answerer.onDialog<TAboutForm>([&](TAboutForm* about) {
        seen.found = true;
        seen.modal = about->isModal();
        seen.caption = about->windowTitle();
        seen.version = control<QLabel>(about, QStringLiteral("lblVersion"))->text();
        seen.name = control<QLabel>(about, QStringLiteral("lblAppName"))->text();
        seen.title = control<QLabel>(about, QStringLiteral("lblProductName"))->text();
        seen.size = about->size();
        seen.flags = about->windowFlags();
        seen.icon = control<QLabel>(about, QStringLiteral("ProgramIcon"))->pixmap().size();
        seen.faults = layoutFaults(about);
        auto* ok = control<QPushButton>(about, QStringLiteral("OKButton"));
        seen.okDefault = ok->isDefault();
        ok->click();
    });
    trigger(form, QStringLiteral("menuHelpAbout")); // returns once OK closed the box

    QVERIFY(seen.found);
    QVERIFY(seen.modal);
    QCOMPARE(seen.caption, QStringLiteral("バージョン情報"));
    QCOMPARE(seen.version, QStringLiteral("Version ") + buildVersionText()); // 1.0.0.1 now
    QCOMPARE(seen.name, QStringLiteral("Septarion"));
    QVERIFY(seen.title.endsWith(QStringLiteral("【Septarion】")));
    QCOMPARE(seen.size, QSize(577, 319));
    QCOMPARE(seen.flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint),
             Qt::WindowCloseButtonHint);
    QCOMPARE(seen.icon, QSize(32, 32));
    QVERIFY2(seen.faults.isEmpty(), qPrintable(seen.faults.join(u';')));
    QVERIFY(seen.okDefault);
    QVERIFY(!form.aboutForm()->isVisible());
    QVERIFY(answerer.boxes().isEmpty());
}

SEPTARION_TEST_MAIN(TestMenuCommands)
#include "test_menucommands.moc"
