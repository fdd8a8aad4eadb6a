#pragma once

#include "LocalHttpServer.h"
#include "SampleData.h"
#include "TestSupport.h"

#include <QObject>
#include <QString>

#include <memory>

// What the download tests share: the paths the data server offers, the data
// files a program folder holds before a download and those the server offers
// instead.
inline const QString kDrawPath = QStringLiteral("/download/Loto7Number.csv");
inline const QString kPrizePath = QStringLiteral("/download/Loto7Data.csv");

const SampleFiles& oldDataFiles(); // 20 draws
const SampleFiles& newDataFiles(); // 25 draws

// Lays out the old files in the program folder, has the server offer the new
// ones and makes it the data server of the download.
void serveNewDataFiles(TempProgramDir& dir, LocalHttpServer& server);
// Back to the built-in data server, time-out and limits.
void resetDownloadSettings();

// The frame of a test that downloads: before each test function a new
// program folder with the old files and a listening server offering the new
// ones as the data server; after it, the built-in settings again.
class DownloadTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<LocalHttpServer> m_server;

private slots:
    void init();
    void cleanup();
};
