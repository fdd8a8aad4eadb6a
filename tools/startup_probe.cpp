// Starts the main window once over a program folder and reports how long the
// start-up took and the process's peak memory:
//   septarion_startup_probe <program folder with download/>
// The window starts over a temporary copy of the folder's data files, so the
// folder given is only read; settings go to a temporary folder too. The
// platform is offscreen.
#include "ToolApplication.h"
#include "app/ui/Main.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const ToolApplication tool(argc, argv);
    if (!tool.program().copyDataFrom(
            QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("download"))))
        return 1;
    QApplication::setQuitOnLastWindowClosed(false);

    QElapsedTimer clock;
    clock.start();
    int draws = 0;
    {
        TMainForm form;
        form.show();
        QCoreApplication::processEvents();
        draws = form.drawTable().count();
        std::printf("start-up: %.1f ms for %d draws\n", clock.nsecsElapsed() / 1e6, draws);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return draws > 0 ? 0 : 1;
}
