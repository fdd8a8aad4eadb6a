// Starts the main window once over a program folder and reports how long the
// start-up took and the process's peak memory:
//   septarion_startup_probe <program folder with download/>
// Settings go to a temporary folder; the platform is offscreen.
#include "app/QtTranslations.h"
#include "app/ui/Main.h"
#include "common/ComFunction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslations();
    setProgramDir(QString::fromLocal8Bit(argv[1]));

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
