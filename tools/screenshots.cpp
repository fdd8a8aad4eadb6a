// Writes PNG pictures of the window's tabs, for looking at the layout:
//   septarion_screenshots <program folder with download/> <output folder>
// The window works on a temporary program folder holding a copy of the data
// files; the lines it saves for the lookup and matching pictures go there, and
// the folder given is only read. Settings go to a temporary folder too.
#include "ToolApplication.h"
#include "analysis/ui/ChartsPage.h"
#include "analysis/ui/MatchingPage.h"
#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/ui/CountSpinEdit.h"
#include "common/ui/PageControl.h"
#include "predict/ui/ExclusionTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace {
void shoot(QWidget& window, const QString& file) {
    QCoreApplication::processEvents();
    window.grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

void press(TMainForm& form, int number) {
    form.findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number))->click();
}
void clickNamed(TMainForm& form, const QString& name) {
    form.findChild<QAbstractButton*>(name)->click();
}

// The options tab in its four modes, the range view of the last basic number,
// and the main tab while and after generation runs.
void shootPrediction(TMainForm& form, const QDir& out) {
    auto* tabs = form.findChild<TPageControl*>(QStringLiteral("pctrlMain"));
    tabs->setCurrentIndex(1);
    const QStringList modes = {QStringLiteral("manual"), QStringLiteral("random"),
                               QStringLiteral("exclusion"), QStringLiteral("range")};
    for (int i = 0; i < modes.size(); ++i) {
        clickNamed(form, QStringLiteral("RadioButton%1").arg(i + 1));
        if (i == 2) {
            auto* table = form.findChild<TExclusionTable*>(QStringLiteral("groupDeleteNumber"));
            for (int n : {3, 15, 22, 30, 37})
                table->ComSet_PnlBtnClick(table->panel(n));
        }
        shoot(form, out.filePath(QStringLiteral("options-%1.png").arg(modes.at(i))));
    }
    form.findChild<QTabBar*>(QStringLiteral("TabControl1"))->setCurrentIndex(6);
    shoot(form, out.filePath(QStringLiteral("options-range7.png")));

    clickNamed(form, QStringLiteral("RadioButton2"));
    tabs->setCurrentIndex(0);
    form.findChild<TCountSpinEdit*>(QStringLiteral("editAutoSelectMax"))
        ->setText(QStringLiteral("3"));
    bool taken = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QWidget* four = form.findChild<QWidget*>(QStringLiteral("Image4"));
        if (!taken && four->property("tag").toInt() != 0) {
            taken = true;
            shoot(form, out.filePath(QStringLiteral("main-during-run.png")));
        }
    });
    watch.start(5);
    clickNamed(form, QStringLiteral("btnAutoCalc"));
    watch.stop();
    shoot(form, out.filePath(QStringLiteral("main-after-run.png")));
}

// One line per tier (and one without a prize) from the draw's numbers.
QByteArray tierLines(const DrawResult& draw) {
    QList<int> others;
    for (int n = 1; n <= kMaxNumber; ++n)
        if (std::count(draw.MainNumbers.begin(), draw.MainNumbers.end(), n) == 0 &&
            std::count(draw.BonusNumbers.begin(), draw.BonusNumbers.end(), n) == 0)
            others.append(n);
    const auto line = [&](int mains, int bonus) {
        QList<int> numbers(draw.MainNumbers.begin(), draw.MainNumbers.begin() + mains);
        numbers.append(QList<int>(draw.BonusNumbers.begin(), draw.BonusNumbers.begin() + bonus));
        numbers.append(others.mid(0, kPositions - numbers.size()));
        std::sort(numbers.begin(), numbers.end());
        QByteArray text = QByteArray::number(draw.DrawNumber);
        for (int n : numbers)
            text += ',' + formatTwoDigits(n).toLatin1();
        return text + "\r\n";
    };
    return line(7, 0) + line(6, 1) + line(6, 0) + line(5, 1) + line(4, 0) + line(3, 2) +
           line(3, 0) + line(2, 2) + line(1, 0);
}
// The matching tab after a run over lines built from the newest draw's
// numbers (one per prize tier, saved to client/), then the bar charts of the
// 10 newest and of all draws and the line charts of ① and ⑦.
void shootAnalysis(TMainForm& form, TPageControl* tabs, const QDir& out) {
    Clock::setPausesEnabled(false);
    const DrawResult& newest = form.drawTable().at(0);
    const QString drawText = QString::number(newest.DrawNumber);
    QDir(dataDir()).mkpath(QStringLiteral("client"));
    QFile file(dataPath(QStringLiteral("client/%1.csv").arg(drawText)));
    if (file.open(QIODevice::WriteOnly))
        file.write(tierLines(newest));
    file.close();

    auto* matching = form.findChild<TMatchingPage*>(QStringLiteral("TabSheet5"));
    tabs->setCurrentWidget(matching);
    matching->setDrawNumberText(drawText);
    shoot(form, out.filePath(QStringLiteral("matching-listed.png")));
    form.findChild<QPushButton*>(QStringLiteral("btnExec"))->click();
    shoot(form, out.filePath(QStringLiteral("matching-run.png")));

    auto* charts = form.findChild<TChartsPage*>(QStringLiteral("TabSheet3"));
    tabs->setCurrentWidget(charts);
    const QList<QPair<int, QString>> kinds = {{0, QStringLiteral("chart-bar-10")},
                                              {5, QStringLiteral("chart-bar-all")},
                                              {6, QStringLiteral("chart-line-1")},
                                              {12, QStringLiteral("chart-line-7")}};
    for (const auto& [kind, name] : kinds) {
        charts->kindList()->setCurrentIndex(kind);
        charts->btnChartExecClick();
        shoot(form, out.filePath(name + QStringLiteral(".png")));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <output folder>\n", argv[0]);
        return 2;
    }
    const ToolApplication tool(argc, argv);
    if (!tool.program().copyDataFrom(
            QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("download"))))
        return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("."));

    TMainForm form;
    form.show();
    auto* tabs = form.findChild<TPageControl*>(QStringLiteral("pctrlMain"));
    shoot(form, out.filePath(QStringLiteral("main-empty.png")));
    for (int n : {3, 8, 15, 21, 22, 30, 37})
        press(form, n);
    shoot(form, out.filePath(QStringLiteral("main-seven.png")));
    form.findChild<QPushButton*>(QStringLiteral("btnSelect"))->click();
    for (const auto& line :
         {QList<int>{1, 7, 13, 19, 25, 31, 37}, QList<int>{2, 9, 16, 23, 30, 33, 36}}) {
        for (int n : line)
            press(form, n);
        form.findChild<QPushButton*>(QStringLiteral("btnSelect"))->click();
    }
    press(form, 5);
    press(form, 11);
    shoot(form, out.filePath(QStringLiteral("main-pending.png")));

    // Save the pending lines (the guidance box is answered at once).
    QTimer::singleShot(200, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    form.findChild<QPushButton*>(QStringLiteral("btnSave"))->click();
    const QStringList names = {QStringLiteral("options"), QStringLiteral("matching"),
                               QStringLiteral("charts"),  QStringLiteral("lookup"),
                               QStringLiteral("history"), QStringLiteral("prizes")};
    for (int i = 1; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        shoot(form, out.filePath(QStringLiteral("tab-%1.png").arg(names.at(i - 1))));
    }
    shootPrediction(form, out);
    shootAnalysis(form, tabs, out);
    return 0;
}
