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
#include <QDir>
#include <QSettings>
#include <QTableView>

namespace {
void buildEveryPage(TMainForm& form) {
    while (buildNextTabPage(&form)) {
    }
}
} // namespace

class TestUnbuiltPages : public QObject {
    Q_OBJECT

private slots:

    // Closing, and generating, with the options tab never built read the
    // stored options as the tab shows them.
    void optionsWithoutTheTab_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("threshold mode") << QStringList{"AutoNum=3", "RangeNum=2", "DeleteNum=03"};
        QTest::newRow("out of range")
            << QStringList{"AutoNum=250", "RangeNum=500", "OptionIndex=7"};
        QTest::newRow("random") << QStringList{"AutoNum=2", "OptionIndex=1"};
        QTest::newRow("manual") << QStringList{"OptionIndex=0"};
    }
    void optionsWithoutTheTab() {
        QFETCH(QStringList, stored);
        Clock::setFixedTime(QDateTime(QDate(2024, 5, 1), QTime(12, 0))); // the same lines twice
        Clock::setPausesEnabled(false);
        TempProgramDir dir;
        dir.writeSampleData(40);
        QStringList seen[2];
        for (const bool built : {true, false}) {
            clearProgramSettings();
            for (const QString& pair : stored)
                programSettings().setValue("Options/" + pair.section(u'=', 0, 0),
                                           pair.section(u'=', 1));
            {
                ModalAnswerer answerer;
                TMainForm form;
                if (built)
                    buildEveryPage(form);
                form.show();
                auto* generate = control<QAbstractButton>(&form, "btnAutoCalc");
                seen[built] << control<QAbstractSpinBox>(&form, "editAutoSelectMax")->text()
                            << QString::number(generate->isEnabled());
                if (generate->isEnabled())
                    generate->click();
                for (const QStringList& row :
                     control<StringGrid>(&form, "gridSelectItem")->dataRows())
                    seen[built] << row.join(u' ');
                seen[built] << answerer.texts();
                QVERIFY(form.close());
            }
            for (const QString& key : programSettings().allKeys())
                seen[built] << key + u'=' + programSettings().value(key).toString();
        }
        QCOMPARE(seen[false], seen[true]);
        Clock::setFixedTime({});
        Clock::setPausesEnabled(true);
    }

    // Pages built after the loader ran show what pages built before it show.
    void pagesBuiltLateShowTheLoadedData() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeSampleData(12);
        QStringList seen[2];
        for (const bool early : {true, false}) {
            TMainForm form;
            if (early)
                buildEveryPage(form);
            form.show();
            form.btnMmsUpdateClick();
            buildEveryPage(form);
            const QAbstractItemModel* history = control<QTableView>(&form, "viewHistory")->model();
            const auto* chart = control<TTrendChartView>(&form, "chartSelect43");
            seen[early] << QString::number(history->rowCount())
                        << history->index(0, 1).data().toString()
                        << control<StripedGrid>(&form, "gridMoney")->rowCells(0).join(u',')
                        << QString::number(!chart->isHidden())
                        << QString::number(chart->values().at(0))
                        << control<QAbstractSpinBox>(&form, "editSelectNum")->text()
                        << control<QAbstractSpinBox>(&form, "editLoto6Num")->text();
        }
        QCOMPARE(seen[true].mid(0, 1), QStringList{"12"});
        QCOMPARE(seen[true].at(3), QStringLiteral("1")); // the bar chart shows
        QCOMPARE(seen[false], seen[true]);
    }

    // An entry file that cannot be read is reported at the same moments.
    void unreadableEntryFileReportedAlike() {
        clearProgramSettings();
        TempProgramDir dir;
        dir.writeSampleData(12);
        QString next;
        {
            TMainForm probe;
            probe.show();
            next = QString::number(probe.drawTable().nextDrawNumber());
        }
        QVERIFY(QDir().mkpath(dir.path() + "/client/" + next + ".csv")); // not a file
        QStringList seen[2];
        for (const bool early : {true, false}) {
            ModalAnswerer answerer;
            TMainForm form;
            if (early)
                buildEveryPage(form);
            form.show();
            seen[early] << "start" << answerer.texts();
            answerer.clear();
            form.btnMmsUpdateClick();
            seen[early] << "reload" << answerer.texts();
            answerer.clear();
            for (int tab : {2, 4, 0, 2}) {
                control<TPageControl>(&form, "pctrlMain")->setCurrentIndex(tab);
                seen[early] << QString::number(tab) << answerer.texts();
                answerer.clear();
            }
        }
        QVERIFY(seen[true].size() > 8);
        QCOMPARE(seen[false], seen[true]);
    }
};

SEPTARION_TEST_MAIN(TestUnbuiltPages)
#include "test_unbuiltpages.moc"
