// Writes PNG pictures of the window's tabs, for looking at the layout:
//   septarion_screenshots <program folder with download/> <output folder>
// Settings go to a temporary folder; the program folder's client/ may gain a
// saved file for the lookup picture.
#include "app/ui/Main.h"
#include "common/ComFunction.h"
#include "common/ui/PageControl.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

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
    return 0;
}
