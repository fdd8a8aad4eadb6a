#include "DownloadFixture.h"

#include "data/Download.h"

const SampleFiles& oldDataFiles() {
    static const SampleFiles files = makeSampleFiles(20, 1);
    return files;
}

const SampleFiles& newDataFiles() {
    static const SampleFiles files = makeSampleFiles(25, 2);
    return files;
}

void serveNewDataFiles(TempProgramDir& dir, LocalHttpServer& server) {
    dir.writeDataFiles(oldDataFiles().drawResults, oldDataFiles().prizeData);
    server.setReply(kDrawPath, LocalHttpServer::ok(newDataFiles().drawResults));
    server.setReply(kPrizePath, LocalHttpServer::ok(newDataFiles().prizeData));
    setDataServerUrl(server.baseUrl());
}

void resetDownloadSettings() {
    setDataServerUrl(QUrl());
    setDownloadTimeoutMs(0);
    setDownloadTransferLimitMs(0);
    setDownloadBodyLimitBytes(0);
}
