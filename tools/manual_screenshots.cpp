// Takes the pictures of the operating manual from the real window, offscreen:
//   septarion_manual_screenshots <folder with the data files> <output folder>
// The window works on a temporary program folder holding a copy of the data,
// so the data folder given is only read; settings go to a temporary folder too. Every picture the
// manual refers to is written, also when a control it would use is missing (the picture then shows
// the tab as it is).
#include "ToolApplication.h"
#include "analysis/ui/BacktestForm.h"
#include "analysis/ui/StatsForm.h"
#include "analysis/ui/WheelForm.h"
#include "app/ui/About.h"
#include "app/ui/Main.h"
#include "app/ui/Splash.h"
#include "common/Clock.h"
#include "common/Formats.h"
#include "common/ui/DrawNumberEdit.h"
#include "common/ui/PageControl.h"
#include "data/ui/ImportForm.h"
#include "entries/ui/TicketForm.h"
#include "ledger/ui/LedgerForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

QDir g_out;

void save(const QPixmap& picture, const QString& name) {
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    if (!picture.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void shoot(QWidget& widget, const QString& name) {
    QCoreApplication::processEvents();
    save(widget.grab(), name);
}

template <typename T = QAbstractButton> T* find(QObject& root, const QString& name) {
    return root.findChild<T*>(name);
}

void click(QObject& root, const QString& name) {
    if (auto* button = find(root, name); button && button->isEnabled())
        button->click();
}

// Opens the box behind the command menu's item `item`; once it is up, sizes
// it, lets `prepare` fill it in, takes its picture as `name` and closes it.
template <typename Box>
void shootForm(TMainForm& form, const char* item, QSize size, const QString& name,
               const std::function<void(Box&)>& prepare) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        box->resize(size);
        prepare(*box);
        shoot(*box, name);
        box->reject();
    });
    poll.start(20);
    if (auto* action = form.findChild<QAction*>(QString::fromLatin1(item)))
        action->trigger();
}

// The offscreen platform's notes about what it cannot do are noise here.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && (text.startsWith(QStringLiteral("This plugin does not support")) ||
                                 text.contains(QStringLiteral("XDG_RUNTIME_DIR"))))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Message boxes are answered with their default button as soon as they show.
void answerBoxesAutomatically() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (QAbstractButton* button = box->defaultButton())
                button->click();
            else
                box->accept();
        }
    });
    timer->start(20);
}

void pickLine(TMainForm& form, const QList<int>& numbers) {
    for (int n : numbers)
        click(form, QStringLiteral("SpeedButton%1").arg(n));
}

void setDrawNumber(TMainForm& form, const QString& name, int drawNumber) {
    if (auto* edit = find<TDrawNumberEdit>(form, name))
        edit->setDrawNumberText(QString::number(drawNumber));
}

// The window with one menu of its menu bar opened below its title.
void shootMenu(TMainForm& form, const QString& menuName, const QString& name) {
    auto* menu = form.findChild<QMenu*>(menuName);
    if (!menu)
        return;
    QMenuBar* bar = form.menuBar();
    const QPoint below = bar->actionGeometry(menu->menuAction()).bottomLeft();
    menu->popup(form.mapToGlobal(bar->mapTo(&form, below)));
    QCoreApplication::processEvents();
    QPixmap picture = form.grab();
    QPainter painter(&picture);
    painter.drawPixmap(bar->mapTo(&form, below), menu->grab());
    painter.end();
    menu->hide();
    save(picture, name);
}

void shootMainTab(TMainForm& form) {
    shoot(form, QStringLiteral("main-start"));
    pickLine(form, {3, 8, 15, 21, 22, 30, 37});
    shoot(form, QStringLiteral("main-seven"));
    click(form, QStringLiteral("btnSelect"));
    pickLine(form, {1, 7, 13, 19, 25, 31, 36});
    click(form, QStringLiteral("btnSelect"));
    pickLine(form, {2, 9, 16, 23, 27, 33, 35});
    click(form, QStringLiteral("btnSelect"));
    pickLine(form, {5, 11});
    shoot(form, QStringLiteral("main-pending"));
    click(form, QStringLiteral("btnRiset"));
}

// A year of saved lines as a player would have them: five lines a week,
// now and then a line near the draw's numbers, and lines for the next draw.
void writeLedgerLines(const ScratchProgramDir& program, const DrawTable& draws) {
    QRandomGenerator random(689);
    for (int i = 0; i < 60 && i < draws.count(); ++i) {
        const DrawResult& draw = draws.at(i);
        QFile file(program.filePath(QStringLiteral("client/%1.csv").arg(draw.DrawNumber)));
        if (!file.open(QIODevice::Append))
            continue;
        for (int line = 0; line < 5; ++line) {
            QList<int> numbers;
            if (line == 0 && i % 4 == 1) // three, four or five of the draw's numbers
                for (int k = 0; k < 3 + i % 3; ++k)
                    numbers.append(draw.MainNumbers.at(k));
            if (line == 0 && i % 4 == 1 && i % 3 == 0)
                numbers.append(draw.BonusNumbers.at(0));
            while (numbers.size() < 7) {
                const int n = 1 + int(random.bounded(37));
                if (!numbers.contains(n))
                    numbers.append(n);
            }
            std::sort(numbers.begin(), numbers.end());
            QStringList fields{QString::number(draw.DrawNumber)};
            for (const int n : numbers)
                fields.append(formatTwoDigits(n));
            file.write(fields.join(u',').toLatin1() + "\r\n");
        }
    }
}

void shootLedger(TMainForm& form, const ScratchProgramDir& program) {
    writeLedgerLines(program, form.drawTable());
    // Nearly a year after the newest draw: the newest wins are due soon, older
    // ones have run out.
    const QDate newest =
        form.drawTable().isEmpty() ? QDate(2026, 8, 7) : form.drawTable().at(0).drawDate();
    Clock::setFixedTime(QDateTime(newest.addYears(1).addDays(-20), QTime(3, 0), Qt::UTC));
    shootForm<TLedgerForm>(form, "menuCommandLedger", TLedgerForm::kPreferredSize, // every column
                           QStringLiteral("ledger"), [](TLedgerForm& box) {
                               // The newest win shown as cashed.
                               const QVector<LedgerRow>& rows = box.shownRows();
                               for (qsizetype i = 0; i < rows.size(); ++i)
                                   if (rows.at(i).deadline().isValid()) {
                                       box.gridLedgerClaimToggle(static_cast<int>(i), true);
                                       break;
                                   }
                           });
    Clock::setFixedTime(QDateTime());
}

// The ticket box over a quick-pick ticket of five lines bought for three
// draws, one line mistyped; nothing is registered.
void shootTicket(TMainForm& form) {
    shootForm<TTicketForm>(
        form, "menuCommandTicket", {900, 600}, QStringLiteral("ticket"), [](TTicketForm& box) {
            if (auto* text = find<QPlainTextEdit>(box, QStringLiteral("memoTicketLines")))
                text->setPlainText(QStringLiteral("A 03 10 14 17 18 20 25\nB 01 05 12 18 24 29 33\n"
                                                  "C 07 09 15 22 28 31 36\nD 02 11 19 23 26 30 37\n"
                                                  "E 04 08 13 16 21 27 27"));
            if (auto* draws = find<QSpinBox>(box, QStringLiteral("editTicketContinue")))
                draws->setValue(3);
        });
}

// The back-test box after a run of the mode stored on the options tab over
// the newest 100 draws, and a filter on the sum and the shared numbers judged.
void shootBacktest(TMainForm& form) {
    shootForm<TBacktestForm>(form, "menuCommandBacktest", TBacktestForm::kPreferredSize,
                             QStringLiteral("backtest"), [](TBacktestForm& box) {
                                 click(box, QStringLiteral("btnBacktestRun"));
                                 for (const char* name : {"chkFilterSum", "chkFilterShared"})
                                     if (auto* check =
                                             find<QCheckBox>(box, QString::fromLatin1(name)))
                                         check->setChecked(true);
                                 click(box, QStringLiteral("btnFilterCheck"));
                             });
}

// Each page of the statistics box over every draw, the last one by the
// command's own picture.
void shootStats(TMainForm& form) {
    const QStringList names = {QStringLiteral("stats-numbers"), QStringLiteral("stats-pairs"),
                               QStringLiteral("stats-shapes"), QStringLiteral("stats-gaps")};
    shootForm<TStatsForm>(form, "menuCommandStats", TStatsForm::kPreferredSize, names.last(),
                          [&names](TStatsForm& box) {
                              auto* tabs = find<QTabWidget>(box, QStringLiteral("tabStatsPages"));
                              if (!tabs)
                                  return;
                              for (int page = 0; page + 1 < names.size(); ++page) {
                                  tabs->setCurrentIndex(page);
                                  shoot(box, names.at(page));
                              }
                              tabs->setCurrentIndex(names.size() - 1);
                          });
}

// The wheel box over a pool of ten numbers and the promise it opens with,
// the lines made.
void shootWheel(TMainForm& form) {
    shootForm<TWheelForm>(form, "menuCommandWheel", TWheelForm::kPreferredSize,
                          QStringLiteral("wheel"), [](TWheelForm& box) {
                              if (auto* pool =
                                      find<QLineEdit>(box, QStringLiteral("editWheelPool")))
                                  pool->setText(QStringLiteral("3 7 11 15 19 22 26 30 33 36"));
                              click(box, QStringLiteral("btnWheelMake"));
                          });
}

// A draw as the lottery's results page shows it, copied as text.
QString resultsPageBlock(const DrawResult& draw, const PrizeRecord& prize) {
    const QDate date = draw.drawDate();
    QStringList rows{QStringLiteral("回別\t第%1回").arg(draw.DrawNumber),
                     QStringLiteral("抽せん日\t%1年%2月%3日")
                         .arg(date.year())
                         .arg(date.month())
                         .arg(date.day())};
    QStringList mains{QStringLiteral("本数字")};
    for (const int n : draw.MainNumbers)
        mains.append(formatTwoDigits(n));
    rows.append(mains.join(u'\t'));
    rows.append(
        QStringLiteral("ボーナス数字\t(%1)\t(%2)")
            .arg(formatTwoDigits(draw.BonusNumbers[0]), formatTwoDigits(draw.BonusNumbers[1])));
    for (int tier = 0; tier < kPrizeTiers; ++tier) {
        const qint64 count = prize.Winners.at(tier);
        rows.append(count == 0 ? QStringLiteral("%1等\t該当なし\t該当なし").arg(tier + 1)
                               : QStringLiteral("%1等\t%2口\t%3円")
                                     .arg(tier + 1)
                                     .arg(groupDigits(count), groupDigits(prize.Amounts.at(tier))));
    }
    rows.append(QStringLiteral("キャリーオーバー\t%1円").arg(groupDigits(prize.CarryOver)));
    return rows.join(u'\n');
}

// The import box over a paste of the two newest draws, the newest of which the
// files do not hold yet: it is taken out of the scratch copy first. The last
// picture, since it changes the data.
void shootImport(TMainForm& form, const ScratchProgramDir& program) {
    if (form.drawTable().count() < 2 || form.prizeTable().count() < 2)
        return;
    const QString page =
        QStringLiteral("%1年%2月分（第%3回〜第%4回）\n%5\n%6\n販売実績額\t―\n")
            .arg(form.drawTable().at(0).drawDate().year())
            .arg(form.drawTable().at(0).drawDate().month())
            .arg(form.drawTable().at(1).DrawNumber)
            .arg(form.drawTable().at(0).DrawNumber)
            .arg(resultsPageBlock(form.drawTable().at(0), form.prizeTable().at(0)),
                 resultsPageBlock(form.drawTable().at(1), form.prizeTable().at(1)));
    for (const char* name : {"download/Loto7Number.csv", "download/Loto7Data.csv"}) {
        QFile file(program.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::ReadWrite))
            return;
        const QByteArray bytes = file.readAll();
        file.resize(0);
        file.write(bytes.mid(bytes.indexOf('\n') + 1));
    }
    form.btnMmsUpdateClick();
    shootForm<TImportForm>(form, "menuCommandImport", {1040, 700}, QStringLiteral("import"),
                           [&page](TImportForm& box) {
                               if (auto* text =
                                       find<QPlainTextEdit>(box, QStringLiteral("memoImportText")))
                                   text->setPlainText(page);
                               click(box, QStringLiteral("btnImportRead"));
                           });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <data folder> <output folder>\n", argv[0]);
        return 2;
    }
    qInstallMessageHandler(quietOffscreenNotes);
    const ToolApplication tool(argc, argv);
    const ScratchProgramDir& program = tool.program();
    if (!program.copyDataFrom(QString::fromLocal8Bit(argv[1])))
        return 1;
    g_out.setPath(QString::fromLocal8Bit(argv[2]));
    g_out.mkpath(QStringLiteral("."));
    Clock::setPausesEnabled(false);
    answerBoxesAutomatically();
    // A dialog nobody answers must not hang the build.
    QTimer::singleShot(180'000, [] {
        std::fprintf(stderr, "manual pictures: no progress for three minutes, giving up\n");
        std::exit(1);
    });

    TMainForm form;
    form.show();
    auto* tabs = form.findChild<TPageControl*>(QStringLiteral("pctrlMain"));
    const int newest = form.drawTable().newestDrawNumber();

    shootMainTab(form);
    shootMenu(form, QStringLiteral("menuFile"), QStringLiteral("menu-file"));
    shootMenu(form, QStringLiteral("menuCommand"), QStringLiteral("menu-command"));
    shootMenu(form, QStringLiteral("menuHelp"), QStringLiteral("menu-help"));
    click(form, QStringLiteral("btnSave")); // for the lookup tab

    // Lines of the newest draw, so that the matching has results to show.
    QFile lines(program.filePath(QStringLiteral("client/%1.csv").arg(newest)));
    if (lines.open(QIODevice::WriteOnly)) {
        const DrawResult& draw = form.drawTable().at(0);
        QStringList hit{QString::number(newest)};
        for (int i = 0; i < 7; ++i)
            hit.append(formatTwoDigits(i < 5 ? draw.MainNumbers[i] : draw.BonusNumbers[i - 5]));
        lines.write(hit.join(u',').toLatin1() + "\r\n");
        lines.write(QByteArray::number(newest) + ",01,05,12,18,24,29,33\r\n");
        lines.close();
    }

    const QStringList names = {QStringLiteral("tab-options"), QStringLiteral("tab-matching"),
                               QStringLiteral("tab-charts"),  QStringLiteral("tab-lookup"),
                               QStringLiteral("tab-history"), QStringLiteral("tab-prizes")};
    for (int i = 1; tabs && i < tabs->count() && i <= names.size(); ++i) {
        tabs->setCurrentIndex(i);
        if (names.at(i - 1) == QStringLiteral("tab-matching")) {
            setDrawNumber(form, QStringLiteral("editSelectNum"), newest);
            click(form, QStringLiteral("btnExec"));
        }
        shoot(form, names.at(i - 1));
    }
    tabs->setCurrentIndex(0);
    shootLedger(form, program);
    shootTicket(form);
    shootBacktest(form);
    shootStats(form);
    shootWheel(form);

    form.splash()->showMessage(QStringLiteral("最新データのダウンロード中です。"));
    shoot(*form.splash(), QStringLiteral("splash"));
    form.splash()->hide();
    form.aboutForm()->show();
    shoot(*form.aboutForm(), QStringLiteral("about"));
    form.aboutForm()->hide();
    shootImport(form, program);
    return 0;
}
