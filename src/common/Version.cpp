#include "common/Version.h"

#include "common/BuildInfo.h"

#include <QStringList>

#include <array>

TVersion parseVersion(const QString& text) {
    TVersion version;
    version.Text = text;
    const QStringList parts = text.split(u'.', Qt::SkipEmptyParts);
    const std::array<int*, 4> fields = {&version.Major, &version.Minor, &version.Release,
                                        &version.Build};
    for (qsizetype k = 0; k < qsizetype{fields.size()} && k < parts.size(); ++k)
        *fields[k] = parts[k].toInt(); // a non-numeric part counts 0
    return version;
}

TVersion buildVersion() {
    return parseVersion(buildVersionText());
}
