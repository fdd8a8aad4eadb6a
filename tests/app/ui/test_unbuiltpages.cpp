// The hidden tabs' pages are built when first shown: what the window does
// before that must come out as if they had been there from the start.
#include "GuiTestSupport.h"

#include "analysis/ui/TrendChartView.h"
#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "common/ui/StripedGrid.h"

#include <QAbstractButton>
#include <QSettings>
#include <QTableView>

namespace {

const QDateTime kNoon(QDate(2024, 5, 1), QTime(12, 0));

void storeOptions(const QStringList& pairs) {
    clearProgramSettings();
    QSettings settings = programSettings();
    for (const QString& pair : pairs)
        settings.setValue(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    settings.sync();
}

QStringList storedOptions() {
    QSettings settings = programSettings();
    QStringList pairs;
    for (const QString& key : settings.allKeys())
        if (key.startsWith(QLatin1String("Options/")))
            pairs.append(key + u'=' + settings.value(key).toString());
    return pairs;
}

void buildEveryPage(TMainForm& form) {
    while (buildNextTabPage(&form)) {
    }
}

// What a user sees of the window's data once every tab has been opened.
QStringList shownData(TMainForm& form) {
    buildEveryPage(form);
    QStringList seen;
    const QAbstractItemModel* history = control<QTableView>(&form, "viewHistory")->model();
    seen << QString::number(history->rowCount()) << history->index(0, 1).data().toString();
    const auto* prizes = control<StripedGrid>(&form, "gridMoney");
    seen << QString::number(prizes->dataRowCount()) << prizes->rowCells(0).join(u',');
    const auto* bars = control<TTrendChartView>(&form, "chartSelect43");
    seen << QString::number(!bars->isHidden()) << QString::number(bars->values().at(0));
    for (const char* edit : {"editSelectNum", "editLoto6Num"})
        seen << control<QAbstractSpinBox>(&form, edit)->text();
    return seen;
}

} // namespace

class TestUnbuiltPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() {
        Clock::setFixedTime({});
        Clock::setPausesEnabled(true);
    }

    // Closing, and generating, with the options tab never opened read the
    // stored options as the tab would have shown them.
    void optionsWithoutTheTab_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("threshold mode")
            << QStringList{"Options/AutoNum=3", "Options/RangeNum=2", "Options/OptionIndex=3",
                           "Options/DeleteNum=03,15"};
        QTest::newRow("out of range")
            << QStringList{"Options/AutoNum=250", "Options/RangeNum=500", "Options/OptionIndex=7"};
        QTest::newRow("random") << QStringList{"Options/AutoNum=2", "Options/OptionIndex=1"};
        QTest::newRow("exclusion") << QStringList{"Options/AutoNum=2", "Options/OptionIndex=2",
                                                  "Options/DeleteNum=01,02,03"};
        QTest::newRow("manual") << QStringList{"Options/OptionIndex=0"};
    }
    void optionsWithoutTheTab() {
        QFETCH(QStringList, stored);
        Clock::setFixedTime(kNoon);
        Clock::setPausesEnabled(false);
        TempProgramDir dir;
        dir.writeSampleData(40);
        QStringList seen[2];
        QStringList closed[2];
        for (const bool tabFirst : {true, false}) {
            storeOptions(stored);
            {
                ModalAnswerer answerer;
                TMainForm form;
                if (tabFirst)
                    buildEveryPage(form);
                form.show();
                auto* count = control<QAbstractSpinBox>(&form, "editAutoSelectMax");
                auto* generate = control<QAbstractButton>(&form, "btnAutoCalc");
                seen[tabFirst] << count->text() << QString::number(generate->isEnabled());
                if (generate->isEnabled()) {
                    generate->click();
                    for (const QStringList& row :
                         control<StringGrid>(&form, "gridSelectItem")->dataRows())
                        seen[tabFirst] << row.join(u' ');
                }
                seen[tabFirst] << answerer.texts();
                QVERIFY(form.close());
            }
            closed[tabFirst] = storedOptions();
        }
        QCOMPARE(seen[false], seen[true]);
        QCOMPARE(closed[false], closed[true]);
    }

    // The loader's refreshes reach pages built before, during or after it
    // alike: each shows the same data when opened.
    void pagesBuiltLateShowTheLoadedData() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeSampleData(12);
        TMainForm early;
        buildEveryPage(early);
        early.show();
        early.btnMmsUpdateClick();
        const QStringList expected = shownData(early);
        QCOMPARE(expected.size(), 8);
        QCOMPARE(expected.at(0), QStringLiteral("12"));
        QCOMPARE(expected.at(4), QStringLiteral("1")); // the bar chart shows

        TMainForm late;
        late.show();
        late.btnMmsUpdateClick(); // nothing built but the main tab
        QCOMPARE(shownData(late), expected);
    }
};

SEPTARION_TEST_MAIN(TestUnbuiltPages)
#include "test_unbuiltpages.moc"
