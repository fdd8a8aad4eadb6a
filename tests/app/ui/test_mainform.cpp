// The main window as a whole: start-up, caption, tabs and their guidance,
// the clock, what closing stores and where the window opens.
#include "GuiTestSupport.h"
#include "MainFormTests.h"

#include "app/ui/Main.h"
#include "app/ui/Splash.h"
#include "common/BuildInfo.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QToolButton>

Q_DECLARE_METATYPE(TSettings)

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void init() { clearProgramSettings(); }

    void startUpShowsCaptionMainTabAndGuide();
    void tabChangeSetsGuideAndExportItem();
    void clockShowsLocalTimeAndTicks();
    void closingStoresPositionAndOptions_data();
    void closingStoresPositionAndOptions();
    void creationAppliesStoredPositionAndOptions_data();
    void creationAppliesStoredPositionAndOptions();
    void positionFarOffOpensOnTheScreen();
    void everyObjectNameIsUnique();
};

void TestMainForm::startUpShowsCaptionMainTabAndGuide() {
    TempProgramDir dir;
    dir.writeSampleData(30);
    ModalAnswerer answerer;
    TMainForm form;
    TPageControl* tabs = tabsOf(form);
    QVERIFY(tabs);
    // Another tab active before the first show: the start-up still ends on the main tab.
    tabs->setCurrentIndex(5);
    QCOMPARE(tabs->currentIndex(), 5);
    form.show();

    // The version is the build's project version, four dotted numbers (1.0.0.1 now).
    const QString version = buildVersionText();
    QCOMPARE(form.windowTitle(), QStringLiteral("Septarion  [for Version %1]").arg(version));
    QCOMPARE(form.version().Text, version);
    const QStringList parts = version.split(u'.');
    QCOMPARE(parts.size(), 4);
    QCOMPARE(QList<int>({form.version().Major, form.version().Minor, form.version().Release,
                         form.version().Build}),
             QList<int>({parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()}));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
    QCOMPARE(statusPanelText(&form), kMainGuide);
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(!form.isLoading());
    QVERIFY(tabs->isEnabled());
    QVERIFY(form.menuBar()->isEnabled());
    // The please-wait box was up during the start-up and is gone now.
    QCOMPARE(form.splash()->message(), QStringLiteral("アプリケーションを起動中です。"));
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(form.isVisible());
    QCOMPARE(form.drawTable().count(), 30);
    QCOMPARE(form.prizeTable().count(), 30);
    QCOMPARE(historyOf(form)->model()->rowCount(), 30);
    QCOMPARE(moneyOf(form)->dataRowCount(), 30);
    QVERIFY(actionOf(form, QStringLiteral("menuFileCsvSave"))->isEnabled());

    // A fixed frame: the area below the menu is 657 x 548, no maximise box.
    QCOMPARE(form.centralWidget()->width(), 657);
    QCOMPARE(form.height() - form.menuBar()->height(), 548);
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
}

void TestMainForm::tabChangeSetsGuideAndExportItem() {
    TempProgramDir dir;
    dir.writeSampleData(12);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    TPageControl* tabs = tabsOf(form);
    QAction* csvSave = actionOf(form, QStringLiteral("menuFileCsvSave"));
    QVERIFY(tabs && csvSave);
    QVERIFY(csvSave->isEnabled()); // enabled from creation

    struct Tab {
        QString page;
        QString caption;
        QString guide;
    };
    const QList<Tab> expected = {
        {"TabSheet1", "ロト７予想メイン", kMainGuide},
        {"TabSheet2", "予想オプション設定",
         "除外数字の設定、抽選数字の範囲指定や、分析方法の変更など、各種オプションが設定できます"
         "。"},
        {"TabSheet5", "オンラインデータ照合",
         "オンラインで申込数字とデータ照合を行い、抽選結果を表示します。"},
        {"TabSheet3", "データの傾向と分析",
         "過去の抽選結果より、データを分析・集計し、グラフに表示します。"},
        {"TabSheet4", "申込数字照会・取消し", "申込数字の一覧照会や取消作業が行えます。"},
        {"TabSheet6", "抽選数字照会", "過去の抽選数字（ボーナス数字を含む）を一覧で表示します。"},
        {"TabSheet7", "当選金額照会",
         "１等～６等の当選金額及び当選口数、キャリーオーバーを一覧で表示します。"},
    };
    QCOMPARE(tabs->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(tabs->tabText(i), expected[i].caption);
        QCOMPARE(tabs->buildPage(i)->objectName(), expected[i].page);
    }

    // The status text at the moment the matching and the lookup grids refresh.
    QMap<QString, QString> guideAtRefresh;
    for (const QString& grid : {QStringLiteral("gridHitSel"), QStringLiteral("gridLoto6")})
        connect(control<StringGrid>(&form, grid)->model(), &QAbstractItemModel::modelReset, &form,
                [&, grid] { guideAtRefresh[grid] = statusPanelText(&form); });

    // Every tab in turn, then back to the main tab, by clicks on the tab strip.
    for (int i : {1, 2, 3, 4, 5, 6, 0, 6, 0}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        QCOMPARE(tabs->currentIndex(), i);
        QCOMPARE(statusPanelText(&form), expected[i].guide);
        QCOMPARE(csvSave->isEnabled(), i == 0);
    }
    QVERIFY(answerer.boxes().isEmpty());
    // Matching refreshes before its text is set (the options text still
    // shows), the lookup after its own.
    QCOMPARE(guideAtRefresh.value("gridHitSel"), expected[1].guide);
    QCOMPARE(guideAtRefresh.value("gridLoto6"), expected[4].guide);
}

void TestMainForm::clockShowsLocalTimeAndTicks() {
    TempProgramDir dir;
    dir.writeSampleData(5);
    TMainForm form;
    form.show();

    const qint64 before = QDateTime::currentDateTime().toSecsSinceEpoch();
    form.Timer1Timer();
    const qint64 after = QDateTime::currentDateTime().toSecsSinceEpoch();
    const QString shown = clockPanelText(&form);
    QCOMPARE(form.clockText(), shown);
    static const QRegularExpression format(
        QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}$"));
    QVERIFY2(format.match(shown).hasMatch(), qPrintable(shown));
    const QDateTime parsed = QDateTime::fromString(shown, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    QVERIFY(parsed.isValid());
    QVERIFY2(parsed.toSecsSinceEpoch() >= before && parsed.toSecsSinceEpoch() <= after,
             qPrintable(shown));

    // The timer keeps it going: a new second shows without any call.
    QTRY_VERIFY_WITH_TIMEOUT(clockPanelText(&form) != shown, 3000);
    QVERIFY(format.match(clockPanelText(&form)).hasMatch());
}

void TestMainForm::closingStoresPositionAndOptions_data() {
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("menu item 終了") << true;
    QTest::newRow("close box") << false;
}

void TestMainForm::closingStoresPositionAndOptions() {
    QFETCH(bool, throughMenu);
    TempProgramDir dir;
    dir.writeSampleData(8);
    const QPoint where(123, 45);
    const TSettings options{25, 4, 1, QStringLiteral("03,17,36")};
    {
        TMainForm form;
        form.show();
        form.move(where);
        QCOMPARE(form.pos(), where);
        MainFormAccess::settings(form) = options;
        if (throughMenu)
            actionOf(form, QStringLiteral("menuFileExit"))->trigger();
        else
            QVERIFY(form.close());
        QVERIFY(!form.isVisible());
    }

    QSettings settings = programSettings();
    const QList<QPair<QString, QString>> expected = {
        {"Windows/Left", "123"},   {"Windows/Top", "45"},        {"Options/AutoNum", "25"},
        {"Options/RangeNum", "4"}, {"Options/OptionIndex", "1"}, {"Options/DeleteNum", "03,17,36"},
    };
    for (const auto& [key, text] : expected) {
        const QVariant value = settings.value(key);
        QCOMPARE(value.typeId(), QMetaType::QString); // stored as text
        QCOMPARE(value.toString(), text);
    }

    // The next start opens where the window was closed, with those options.
    TMainForm again;
    QCOMPARE(again.pos(), where);
    QCOMPARE(again.settings(), options);
}

void TestMainForm::creationAppliesStoredPositionAndOptions_data() {
    QTest::addColumn<QStringList>("stored"); // key=value pairs written beforehand
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<TSettings>("options");
    QTest::newRow("first run") << QStringList() << QPoint(0, 0) << TSettings{10, 1, 3, QString()};
    QTest::newRow("stored") << QStringList{"Windows/Left=300",      "Windows/Top=200",
                                           "Options/AutoNum=25",    "Options/RangeNum=4",
                                           "Options/OptionIndex=1", "Options/DeleteNum=01,05"}
                            << QPoint(300, 200) << TSettings{25, 4, 1, QStringLiteral("01,05")};
    // Sticking out of the screen with the title bar on it: where it was.
    QTest::newRow("partly off the screen") << QStringList{"Windows/Left=700", "Windows/Top=500"}
                                           << QPoint(700, 500) << TSettings{10, 1, 3, QString()};
    QTest::newRow("Left abc") << QStringList{"Windows/Left=abc", "Windows/Top=77"} << QPoint(0, 77)
                              << TSettings{10, 1, 3, QString()};
    QTest::newRow("bad options") << QStringList{"Options/AutoNum=x",
                                                "Options/RangeNum=", "Options/OptionIndex=2.5"}
                                 << QPoint(0, 0) << TSettings{10, 1, 3, QString()};
}

void TestMainForm::creationAppliesStoredPositionAndOptions() {
    QFETCH(QStringList, stored);
    QFETCH(QPoint, position);
    QFETCH(TSettings, options);
    {
        QSettings settings = programSettings();
        for (const QString& pair : stored)
            settings.setValue(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        settings.sync();
    }
    TempProgramDir dir;
    dir.writeSampleData(6);
    TMainForm form;
    QCOMPARE(form.pos(), position);
    QCOMPARE(form.settings(), options);
    QVERIFY(dir.exists(QStringLiteral("client"))); // made on creation
    form.show();
    QCOMPARE(form.pos(), position);
    QCOMPARE(form.settings(), options);
}

void TestMainForm::positionFarOffOpensOnTheScreen() {
    {
        QSettings settings = programSettings();
        settings.setValue(QStringLiteral("Windows/Left"), QStringLiteral("5000"));
        settings.setValue(QStringLiteral("Windows/Top"), QStringLiteral("-3000"));
    }
    TempProgramDir dir;
    dir.writeSampleData(6);
    TMainForm form;
    form.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(form.frameGeometry()),
             qPrintable(QStringLiteral("%1,%2").arg(form.x()).arg(form.y())));
}

void TestMainForm::everyObjectNameIsUnique() {
    TempProgramDir dir;
    dir.writeSampleData(8);
    TMainForm form;
    form.show();
    // Every tab shown once, in case a page builds its controls late.
    TPageControl* tabs = tabsOf(form);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setCurrentIndex(i);

    // The whole tree, the version box and the please-wait box included.
    form.aboutForm();
    QVERIFY(form.findChild<QDialog*>(QStringLiteral("AboutForm")));
    QHash<QString, int> seen;
    for (const QObject* object : form.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            ++seen[name];
    }
    QStringList repeated;
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        if (it.value() > 1)
            repeated.append(QStringLiteral("%1 (%2 times)").arg(it.key()).arg(it.value()));
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QStringLiteral(", "))));
}

SEPTARION_TEST_MAIN(TestMainForm)
#include "test_mainform.moc"
