#include "data/DataFilePair.h"

#include "common/AppError.h"
#include "common/DataFolder.h"
#include "common/ProgramFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace {

const QByteArray kWithBackups = QByteArrayLiteral("fallback:bak");
const QByteArray kWithoutBackups = QByteArrayLiteral("fallback:none");

std::function<void(const QString&)>& renameHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}

// Replaces the target by the file in one step, as QSaveFile does.
void renameOver(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error)
        throw TAppError(
            QStringLiteral("ファイルに書き込めません: %1\n%2")
                .arg(QDir::toNativeSeparators(to), QString::fromLocal8Bit(error.message())));
}

QByteArray fileDigest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

// The note: the fallback, then one line "<name>,<SHA-256 in hex>" for each
// staged file (no digest: the file is not checked).
struct Note {
    bool backups = false;
    QVector<std::pair<QString, QByteArray>> files;
};

Note parseNote(const QByteArray& bytes) {
    Note note;
    const QStringList names = dataFileNames();
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        note.backups = note.backups || line == kWithBackups;
        const qsizetype comma = line.indexOf(',');
        const QString name = QString::fromLatin1(line.left(comma));
        if (comma > 0 && names.contains(name))
            note.files.append({name, QByteArray::fromHex(line.mid(comma + 1))});
    }
    return note;
}

QString stagedPath(const QDir& dir, const QString& name) {
    return dir.filePath(name + kStagedSuffix);
}

// Staged files that no note names, and what a kill left of writing them.
void removeStaged(const QDir& dir) {
    for (const QString& name : dataFileNames()) {
        const QString staged = stagedPath(dir, name);
        QFile::remove(staged);
        removeWriteLeftovers(staged);
    }
}

PairSettled restoreBackups(const QDir& dir) {
    for (const QString& name : dataFileNames())
        if (const auto backup = readFileIfExists(dir.filePath(name + kBackupSuffix)))
            writeOwnFile(dir.filePath(name), *backup);
    return PairSettled::RolledBack;
}

} // namespace

PairReplacement::PairReplacement(QString downloadDir, Fallback fallback)
    : m_dir(std::move(downloadDir)), m_fallback(fallback) {}

PairReplacement::~PairReplacement() {
    if (!m_noted)
        dropStaged();
}

QString PairReplacement::path(const QString& name) const {
    return QDir(m_dir).filePath(name);
}

void PairReplacement::dropStaged() {
    for (const Staged& staged : m_staged)
        QFile::remove(path(staged.name + kStagedSuffix));
    m_staged.clear();
}

void PairReplacement::stage(const QString& name, const QByteArray& bytes,
                            const QByteArray& digest) {
    const QString staged = path(name + kStagedSuffix);
    writeOwnFile(staged, bytes);
    m_staged.append({name, digest});
    // It replaces the target by a rename: it takes the target's permissions.
    const QFileInfo target(path(name));
    QFile::setPermissions(staged, target.exists() ? target.permissions() : kDataFilePermissions);
}

void PairReplacement::stageFile(const QString& name, QTemporaryFile& file) {
    renameOver(file.fileName(), path(name + kStagedSuffix));
    file.setAutoRemove(false); // its name is the staged file's now
    m_staged.append({name, {}});
}

void PairReplacement::commit() {
    // One file alone is replaced in one step: no note is needed.
    if (m_staged.size() > 1) {
        QByteArray note =
            (m_fallback == Fallback::Backups ? kWithBackups : kWithoutBackups) + "\r\n";
        for (const Staged& staged : m_staged)
            note += staged.name.toLatin1() + ',' + staged.digest.toHex() + "\r\n";
        writeOwnFile(path(kPairNoteName), note);
        m_noted = true;
    }
    try {
        for (const Staged& staged : m_staged) {
            renameOver(path(staged.name + kStagedSuffix), path(staged.name));
            if (renameHook())
                renameHook()(staged.name);
        }
    } catch (const TAppError&) {
        if (!m_noted)
            throw;
        // Settled now where it can be, as the next start would.
        try {
            if (settlePendingPair(m_dir) == PairSettled::Finished)
                return;
        } catch (const TAppError&) {
            // The note stays for the next start; the first error is the one to report.
        }
        throw;
    }
    if (m_noted)
        QFile::remove(path(kPairNoteName));
    m_staged.clear();
}

PairSettled settlePendingPair(const QString& downloadDir) {
    const QDir dir(downloadDir);
    const QString notePath = dir.filePath(kPairNoteName);
    const std::optional<QByteArray> bytes = readFileIfExists(notePath);
    if (!bytes) {
        removeStaged(dir);
        return PairSettled::Nothing;
    }
    const Note note = parseNote(*bytes);
    bool whole = true;
    for (const auto& [name, digest] : note.files) {
        if (QFileInfo::exists(stagedPath(dir, name)))
            renameOver(stagedPath(dir, name), dir.filePath(name));
        // Without a pair to go back to there is nothing to check for.
        whole = whole &&
                (!note.backups || digest.isEmpty() || fileDigest(dir.filePath(name)) == digest);
    }
    const PairSettled settled = whole ? PairSettled::Finished : restoreBackups(dir);
    removeStaged(dir);
    if (!QFile::remove(notePath) && QFileInfo::exists(notePath))
        throw TAppError(
            QStringLiteral("ファイルを削除できません: %1").arg(QDir::toNativeSeparators(notePath)));
    return settled;
}

QString pairSettledMessage(PairSettled settled) {
    const QString interrupted =
        QStringLiteral("前回のデータファイルの書き換えが途中で中断されていました。");
    switch (settled) {
    case PairSettled::Finished:
        return interrupted + QStringLiteral("書き換えを完了しました。");
    case PairSettled::RolledBack:
        return interrupted + QStringLiteral("書き換える前のデータに戻しました。");
    case PairSettled::Nothing:
        break;
    }
    return {};
}

void setPairRenameHook(std::function<void(const QString& name)> hook) {
    renameHook() = std::move(hook);
}
