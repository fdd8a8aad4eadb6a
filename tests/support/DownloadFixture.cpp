#include "DownloadFixture.h"

#include "data/Download.h"

#include <QTest>

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

void DownloadTest::init() {
    m_dir = std::make_unique<TempProgramDir>();
    m_server = std::make_unique<LocalHttpServer>();
    QVERIFY(m_server->isListening());
    serveNewDataFiles(*m_dir, *m_server);
}

void DownloadTest::cleanup() {
    resetDownloadSettings();
    m_server.reset();
    m_dir.reset();
}
