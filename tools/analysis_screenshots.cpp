// Writes PNG pictures of the matching and chart tabs, for looking at them:
//   septarion_analysis_screenshots <program folder with download/> <output folder>
// Lines built from the newest draw's numbers are saved to the program
// folder's client/ (one per prize tier) and matched; then the bar charts of
// the 10 newest and of all draws and the line charts of ① and ⑦ are drawn.
#include "analysis/ui/ChartsPage.h"
#include "analysis/ui/MatchingPage.h"
#include "app/ui/Main.h"
#include "common/Clock.h"
#include "common/ComFunction.h"
#include "common/ui/PageControl.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
void shoot(QWidget& window, const QString& file) {
    QCoreApplication::processEvents();
    window.grab().save(file);
    std::printf("%s\n", qPrintable(file));
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
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <program folder> <output folder>\n", argv[0]);
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    setProgramDir(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("."));
    Clock::setPausesEnabled(false);

    TMainForm form;
    form.show();
    auto* tabs = form.findChild<TPageControl*>(QStringLiteral("pctrlMain"));
    const DrawResult& newest = form.drawTable().at(0);
    const QString drawText = QString::number(newest.DrawNumber);
    QDir(programDir()).mkpath(QStringLiteral("client"));
    QFile file(programPath(QStringLiteral("client/%1.csv").arg(drawText)));
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
    return 0;
}
