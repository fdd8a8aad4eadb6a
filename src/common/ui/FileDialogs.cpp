#include "common/ui/FileDialogs.h"

#include "common/DataFolder.h"
#include "common/ProgramFiles.h"
#include "common/ui/MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
std::function<QString(const SaveFileRequest&)>& hook() {
    static std::function<QString(const SaveFileRequest&)> h;
    return h;
}

std::function<QString(const OpenFileRequest&)>& openHook() {
    static std::function<QString(const OpenFileRequest&)> h;
    return h;
}

// Where a save dialog starts: the working folder when a file can be made
// there; otherwise (started from a menu, it may be the read-only program
// folder) the player's documents folder, else the home folder.
QString saveStartFolder() {
    QString working = QDir::currentPath();
    if (canCreateFileIn(working))
        return working;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

// A name typed without a suffix gets the default one, as the dialog does.
QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + suffix;
}
} // namespace

QString askSaveFileName(QWidget* parent, const SaveFileRequest& request) {
    if (hook())
        return withDefaultSuffix(hook()(request), request.defaultSuffix);
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(request.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.nameFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDirectory(saveStartFolder());
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return withDefaultSuffix(dialog.selectedFiles().constFirst(), request.defaultSuffix);
}

void setSaveFileNameHook(std::function<QString(const SaveFileRequest&)> h) {
    hook() = std::move(h);
}

SaveFileRequest csvSaveRequest(const QString& objectName, const QString& title,
                               const QString& proposedName) {
    SaveFileRequest request;
    request.objectName = objectName;
    request.title = title;
    request.nameFilter = QStringLiteral("CSVファイル (カンマ区切り) (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    request.proposedName = proposedName;
    return request;
}

QString askOpenFileName(QWidget* parent, const OpenFileRequest& request) {
    if (openHook())
        return openHook()(request);
    QFileDialog dialog(parent, request.title);
    dialog.setObjectName(request.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void setOpenFileNameHook(std::function<QString(const OpenFileRequest&)> h) {
    openHook() = std::move(h);
}

void saveFileAsked(QWidget* parent, const SaveFileRequest& request,
                   const std::function<QByteArray()>& bytes) {
    const QString path = askSaveFileName(parent, request);
    if (path.isEmpty())
        return;
    runHandler(parent, [&] {
        writeFileAtomically(path, bytes());
        showGuideMessage(parent, QStringLiteral("正常にファイルの保存が完了しました。"));
    });
}
