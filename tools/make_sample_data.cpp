// Writes generated sample data files: make_sample_data <folder> [draws]
// gives <folder>/Loto7Number.csv and <folder>/Loto7Data.csv.

#include "SampleData.h"

#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

// Written whole or not at all: a failed write leaves the old file as it was.
bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_sample_data <folder> [draws, default 650]\n");
        return 2;
    }
    int drawCount = 650;
    if (argc == 3) {
        bool ok = false;
        drawCount = QString::fromLocal8Bit(argv[2]).toInt(&ok);
        if (!ok || drawCount < 1) {
            std::fprintf(stderr, "draws must be a positive whole number: %s\n", argv[2]);
            return 2;
        }
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create folder %s\n", argv[1]);
        return 1;
    }
    const SampleFiles files = makeSampleFiles(drawCount);
    const QDir dir(folder);
    if (!writeFile(dir.filePath(QStringLiteral("Loto7Number.csv")), files.drawResults) ||
        !writeFile(dir.filePath(QStringLiteral("Loto7Data.csv")), files.prizeData))
        return 1;
    std::printf("%d draws written to %s\n", drawCount, qPrintable(QDir::cleanPath(folder)));
    return 0;
}
