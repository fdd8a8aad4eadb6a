#include "common/ProgramFiles.h"

#include "common/AppError.h"
#include "common/Chars.h"
#include "common/LineScanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString& programDirOverride() {
    static QString dir;
    return dir;
}

[[noreturn]] void throwWriteError(const QString& path, const QString& reason) {
    throw TAppError(QStringLiteral("ファイルに書き込めません: %1\n%2").arg(path, reason));
}

} // namespace

QString programDir() {
    if (!programDirOverride().isEmpty())
        return programDirOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramDir(const QString& dir) {
    programDirOverride() = dir;
}

QString programPath(const QString& relative) {
    return QDir(programDir()).filePath(relative);
}

void removeTemporaryLeftovers(const QString& folder, const QString& prefix) {
    constexpr qsizetype kRandomLetters = 6;
    QDir dir(folder);
    const QStringList names = dir.entryList({prefix + QStringLiteral("*")},
                                            QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        // The name filter ignores case on some systems: compare exactly.
        if (name.size() != prefix.size() + kRandomLetters || !name.startsWith(prefix))
            continue;
        bool letters = true;
        for (qsizetype k = prefix.size(); k < name.size(); ++k)
            letters = letters && isAsciiLetter(name[k]);
        if (letters)
            dir.remove(name);
    }
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        throwWriteError(path, QStringLiteral("ファイル名がありません"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteError(path, file.errorString());
    // flush() here, since commit() does not notice a short write of buffered
    // data (a full disk taking only part of the last block).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throwWriteError(path, reason);
    }
    if (!file.commit())
        throwWriteError(path, file.errorString());
}

void removeWriteLeftovers(const QString& path) {
    const QFileInfo target(path);
    removeTemporaryLeftovers(target.path(), target.fileName() + u'.');
}

void writeOwnFile(const QString& path, const QByteArray& bytes) {
    removeWriteLeftovers(path);
    writeFileAtomically(path, bytes);
}

std::optional<QByteArray> readFileIfExists(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw fileOpenError(path, file.errorString());
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileReadError(path, file.errorString());
    return data;
}

TAppError fileOpenError(const QString& path, const QString& reason) {
    return TAppError(QStringLiteral("ファイルを開けません: %1\n%2").arg(path, reason));
}

TAppError fileReadError(const QString& path, const QString& reason) {
    return TAppError(QStringLiteral("ファイルを読み込めません: %1\n%2").arg(path, reason));
}

QStringList ReadLines(const QString& path) {
    QStringList lines;
    const std::optional<QByteArray> data = readFileIfExists(path);
    if (!data)
        return lines;
    LineScanner scanner(*data);
    ScannedLine line;
    while (scanner.next(line))
        lines.append(
            QString::fromUtf8(data->constData() + line.textBegin, line.textEnd - line.textBegin));
    return lines;
}
