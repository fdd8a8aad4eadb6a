#include "app/ui/Main.h"
#include "app/QtTranslations.h"
#include "app/SingleInstance.h"
#include "app/ui/ProgramIcon.h"
#include "common/ProgramNames.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // One copy per executable file name: a second one ends at once, silently.
    SingleInstanceLock lock(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!lock.tryAcquire())
        return 0;

    // Also names the per-user data folder, ~/.local/share/Ozumel/Septarion,
    // used when the program's own folder is read-only.
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setApplicationName(programName());
    QApplication::setWindowIcon(programIcon());
    installQtTranslations(); // without the file Qt's buttons stay English
    TMainForm form;
    form.show();
    return app.exec();
}
