#include "ScratchProgramDir.h"

#include <QDir>
#include <QFile>

#include <cstdio>

ScratchProgramDir::ScratchProgramDir() {
    const QDir root(m_dir.path());
    for (const char* folder : {"program", "config", "data", "cache"})
        root.mkpath(QLatin1String(folder));
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toLocal8Bit());
}

bool ScratchProgramDir::copyDataFrom(const QString& dataFolder) const {
    if (!m_dir.isValid() || !QDir(path()).mkpath(QStringLiteral("download"))) {
        std::fprintf(stderr, "cannot create a temporary program folder\n");
        return false;
    }
    for (const QString& name :
         {QStringLiteral("Loto7Number.csv"), QStringLiteral("Loto7Data.csv")}) {
        const QString from = QDir(dataFolder).filePath(name);
        if (!QFile::copy(from, filePath(QStringLiteral("download/") + name))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(QDir::toNativeSeparators(from)));
            return false;
        }
    }
    return true;
}

QString ScratchProgramDir::path() const {
    return QDir(m_dir.path()).filePath(QStringLiteral("program"));
}

QString ScratchProgramDir::filePath(const QString& relative) const {
    return QDir(path()).filePath(relative);
}
