#include "common/Version.h"

#include "common/BuildInfo.h"

#include <QStringList>

TVersion parseVersion(const QString& text) {
    TVersion version;
    version.Text = text;
    const QStringList parts = text.split(u'.', Qt::SkipEmptyParts);
    int* fields[4] = {&version.Major, &version.Minor, &version.Release, &version.Build};
    for (qsizetype k = 0; k < 4 && k < parts.size(); ++k)
        *fields[k] = parts[k].toInt(); // a non-numeric part counts 0
    return version;
}

TVersion buildVersion() {
    return parseVersion(buildVersionText());
}
