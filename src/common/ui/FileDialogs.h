#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What a save dialog offers the user.
struct SaveFileRequest {
    QString objectName;
    QString title;
    QString nameFilter;
    QString defaultSuffix;
    QString proposedName;
    bool confirmOverwrite = true;
};

// A request for a CSV file: the program's CSV filter and the "csv" suffix.
SaveFileRequest csvSaveRequest(const QString& objectName, const QString& title,
                               const QString& proposedName);

// Asks the user for the name of a file to write; empty when cancelled.
QString askSaveFileName(QWidget* parent, const SaveFileRequest& request);

// A form's export: asks for the file, writes `bytes()` to it whole and says
// so; a failure is shown as an error (runHandler). Nothing happens when the
// user cancels.
void saveFileAsked(QWidget* parent, const SaveFileRequest& request,
                   const std::function<QByteArray()>& bytes);

// What an open dialog offers the user: the filters in order, the first chosen.
struct OpenFileRequest {
    QString objectName;
    QString title;
    QStringList nameFilters;
};

// Asks the user for a file to read; empty when cancelled.
QString askOpenFileName(QWidget* parent, const OpenFileRequest& request);

// Test hook: while set, askOpenFileName returns what the hook returns instead
// of showing the dialog. nullptr restores the dialog.
void setOpenFileNameHook(std::function<QString(const OpenFileRequest&)> hook);

// Test hook: while set, askSaveFileName returns what the hook returns for the
// request instead of showing the dialog. nullptr restores the dialog.
void setSaveFileNameHook(std::function<QString(const SaveFileRequest&)> hook);
