// Fetching the data files from a local server: what replaces the files on
// disk, what leaves them alone, and which requests are made.
#include "DownloadFixture.h"
#include "TestSupport.h"

#include "SampleData.h"
#include "common/BuildInfo.h"
#include "data/Download.h"

#include <QDir>
#include <QTcpSocket>
#include <QTemporaryFile>

Q_DECLARE_METATYPE(FetchStatus)

namespace {

const QString kDrawFile = QStringLiteral("download/Loto7Number.csv");
const QString kPrizeFile = QStringLiteral("download/Loto7Data.csv");

QStringList downloadFolder(const TempProgramDir& dir) {
    return QDir(dir.filePath(QStringLiteral("download")))
        .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestDownload : public DownloadTest {
    Q_OBJECT

private slots:
    void baseAddressFromSetting_data();
    void baseAddressFromSetting();
    void successReplacesBothFilesAndAsksTheServerEachTime();
    void realDataPassesTheChecks();
    void failedDrawFileLeavesBothFilesAndSkipsPrizes_data();
    void failedDrawFileLeavesBothFilesAndSkipsPrizes();
    void failedPrizeFileKeepsTheNewDrawFile();
    void silentServerEndsByTimeOutOrStop();
    void missingFolderIsNotCreated();
    void leftoversOfEarlierDownloadsAreRemoved();
    void transferBeyondTheLimitsFails_data();
    void transferBeyondTheLimitsFails();
};

void TestDownload::baseAddressFromSetting_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("drawUrl");
    QTest::newRow("host") << "loto7.ozumel.example"
                          << "http://loto7.ozumel.example/download/Loto7Number.csv";
    QTest::newRow("with port and slash") << " http://127.0.0.1:8080/ "
                                         << "http://127.0.0.1:8080/download/Loto7Number.csv";
    QTest::newRow("https below a folder") << "https://mirror.example/loto/"
                                          << "https://mirror.example/loto/download/Loto7Number.csv";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("no host") << "http://"
                             << "";
}

void TestDownload::baseAddressFromSetting() {
    QFETCH(QString, setting);
    QFETCH(QString, drawUrl);
    QCOMPARE(dataFileUrl(dataServerBaseUrl(setting), kDrawPath).toString(), drawUrl);
    // Without a test's address, the build's setting is used.
    setDataServerUrl(QUrl());
    QCOMPARE(dataServerUrl(), dataServerBaseUrl(dataServerSetting()));
    QVERIFY(dataServerUrl().isValid());
}

void TestDownload::successReplacesBothFilesAndAsksTheServerEachTime() {
    const QFileDevice::Permissions permissions = QFile::permissions(m_dir->filePath(kDrawFile));
    const DownloadResult result = DownloadDataFiles();
    QVERIFY(result.succeeded());
    // Replaced, not made private like a temporary file.
    QCOMPARE(QFile::permissions(m_dir->filePath(kDrawFile)), permissions);
    QCOMPARE(m_dir->readFile(kDrawFile), newDataFiles().drawResults);
    QCOMPARE(m_dir->readFile(kPrizeFile), newDataFiles().prizeData);
    QCOMPARE(m_server->requests(), QStringList({kDrawPath, kPrizePath}));
    // No cached copy may answer.
    for (const auto& headers : m_server->requestHeaders())
        QCOMPARE(headers.value("cache-control"), QByteArray("no-cache"));
    QCOMPARE(downloadFolder(*m_dir), QStringList({"Loto7Data.csv", "Loto7Number.csv"}));

    QVERIFY(DownloadDataFiles().succeeded());
    QCOMPARE(m_server->requests(), QStringList({kDrawPath, kPrizePath, kDrawPath, kPrizePath}));
}

void TestDownload::realDataPassesTheChecks() {
    const QString shared = startingDataDir();
    m_server->serveFile(kDrawPath, shared + QStringLiteral("/Loto7Number.csv"));
    m_server->serveFile(kPrizePath, shared + QStringLiteral("/Loto7Data.csv"));
    QVERIFY(DownloadDataFiles().succeeded());
    QFile real(shared + QStringLiteral("/Loto7Number.csv"));
    QVERIFY(real.open(QIODevice::ReadOnly));
    QCOMPARE(m_dir->readFile(kDrawFile), real.readAll());
}

void TestDownload::failedDrawFileLeavesBothFilesAndSkipsPrizes_data() {
    QTest::addColumn<LocalHttpServer::Reply>("reply");
    QTest::addColumn<FetchStatus>("status");
    QTest::addColumn<int>("requests");
    const QByteArray good = newDataFiles().drawResults;
    QByteArray outOfRange = good;
    outOfRange.replace(outOfRange.indexOf("\r\n") - 2, 2, "38");

    QTest::newRow("404") << LocalHttpServer::status(404) << FetchStatus::HttpError << 1;
    QTest::newRow("500 with a good body") << [&] {
        LocalHttpServer::Reply reply = LocalHttpServer::ok(good);
        reply.status = 500;
        return reply;
    }() << FetchStatus::HttpError << 1;
    QTest::newRow("empty body") << LocalHttpServer::ok({}) << FetchStatus::BadContent << 1;
    QTest::newRow("html page") << LocalHttpServer::html("<!DOCTYPE html>\r\n<html>Login</html>\r\n")
                               << FetchStatus::BadContent << 1;
    QTest::newRow("truncated") << LocalHttpServer::truncated(good) << FetchStatus::ConnectionFailed
                               << 1;
    QTest::newRow("number 38") << LocalHttpServer::ok(outOfRange) << FetchStatus::BadContent << 1;
    QTest::newRow("LF line ends") << LocalHttpServer::ok(QByteArray(good).replace("\r\n", "\n"))
                                  << FetchStatus::BadContent << 1;
    QTest::newRow("redirect elsewhere")
        << LocalHttpServer::redirect(QUrl(QStringLiteral("http://localhost:1/portal")))
        << FetchStatus::ConnectionFailed << 1;
    // Followed on the same server, and then judged by what it gives.
    QTest::newRow("redirect to a page")
        << LocalHttpServer::redirect(QUrl(QStringLiteral("/login.html"))) << FetchStatus::HttpError
        << 2;
}

void TestDownload::failedDrawFileLeavesBothFilesAndSkipsPrizes() {
    QFETCH(LocalHttpServer::Reply, reply);
    QFETCH(FetchStatus, status);
    QFETCH(int, requests);
    m_server->setReply(kDrawPath, reply);

    const DownloadResult result = DownloadDataFiles();
    QCOMPARE(result.drawResults, status);
    QCOMPARE(result.prizeData, FetchStatus::NotTried);
    QCOMPARE(m_server->requests().size(), requests);
    QCOMPARE(m_dir->readFile(kDrawFile), oldDataFiles().drawResults);
    QCOMPARE(m_dir->readFile(kPrizeFile), oldDataFiles().prizeData);
    // No temporary file is left behind.
    QCOMPARE(downloadFolder(*m_dir), QStringList({"Loto7Data.csv", "Loto7Number.csv"}));
}

void TestDownload::failedPrizeFileKeepsTheNewDrawFile() {
    m_server->setReply(kPrizePath, LocalHttpServer::truncated(newDataFiles().prizeData));
    DownloadResult result = DownloadDataFiles();
    QCOMPARE(result.drawResults, FetchStatus::Done);
    QVERIFY(result.prizeData != FetchStatus::Done);
    QVERIFY(!result.succeeded());
    QCOMPARE(m_dir->readFile(kDrawFile), newDataFiles().drawResults);
    QCOMPARE(m_dir->readFile(kPrizeFile), oldDataFiles().prizeData);

    // A server that refuses connections fails the first file. The port is
    // bound but not listening, and kept from anyone else meanwhile.
    QTcpSocket reserved;
    QVERIFY(reserved.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
    setDataServerUrl(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(reserved.localPort())));
    result = DownloadDataFiles();
    QCOMPARE(result.drawResults, FetchStatus::ConnectionFailed);
    QCOMPARE(result.prizeData, FetchStatus::NotTried);
}

void TestDownload::silentServerEndsByTimeOutOrStop() {
    m_server->setReply(kDrawPath, LocalHttpServer::silent());
    setDownloadTimeoutMs(200);
    QCOMPARE(DownloadDataFiles().drawResults, FetchStatus::TimedOut);

    // A stop request ends the wait long before any time-out.
    setDownloadTimeoutMs(10 * 60 * 1000);
    bool asked = false;
    m_server->onRequest([&](const QString&) { asked = true; });
    const DownloadResult result = DownloadDataFiles([&] { return asked; });
    QCOMPARE(result.drawResults, FetchStatus::Stopped);
    QCOMPARE(result.prizeData, FetchStatus::NotTried);
    QCOMPARE(m_dir->readFile(kDrawFile), oldDataFiles().drawResults);
    QCOMPARE(downloadFolder(*m_dir), QStringList({"Loto7Data.csv", "Loto7Number.csv"}));
}

void TestDownload::missingFolderIsNotCreated() {
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("download"))).removeRecursively());
    const DownloadResult result = DownloadDataFiles();
    QCOMPARE(result.drawResults, FetchStatus::NoTargetFolder);
    QVERIFY(m_server->requests().isEmpty());
    QVERIFY(!m_dir->exists(QStringLiteral("download")));
}

void TestDownload::leftoversOfEarlierDownloadsAreRemoved() {
    // The names a download really gives its temporary files, as a kill leaves them.
    QStringList leftovers{".Loto7Number.csv.AbCdEf", ".Loto7Data.csv.qwerty"};
    for (const QString& name :
         {QStringLiteral("Loto7Number.csv"), QStringLiteral("Loto7Data.csv")}) {
        QTemporaryFile left(m_dir->filePath(QStringLiteral("download/.%1.XXXXXX").arg(name)));
        QVERIFY(left.open());
        left.setAutoRemove(false);
        leftovers.append(QFileInfo(left.fileName()).fileName());
    }
    const QStringList others{".Loto7Number.csv.AbCdE",  ".Loto7Number.csv.AbCdEfG",
                             ".Loto7Number.csv.AbC1Ef", ".Loto7Data.csv.bak",
                             "Loto7Number.csv.AbCdEf",  ".Loto7Number.CSV.AbCdEf",
                             ".Other.csv.AbCdEf",       "notes.txt"};
    for (const QString& name : leftovers + others)
        if (!m_dir->exists(QStringLiteral("download/") + name))
            m_dir->writeFile(QStringLiteral("download/") + name, QByteArray(1000, 'x'));

    QVERIFY(DownloadDataFiles().succeeded());
    QStringList expected = others + QStringList{"Loto7Data.csv", "Loto7Number.csv"};
    expected.sort();
    QCOMPARE(downloadFolder(*m_dir), expected);
}

void TestDownload::transferBeyondTheLimitsFails_data() {
    QTest::addColumn<LocalHttpServer::Reply>("reply");
    QTest::addColumn<int>("transferLimitMs"); // 0: the program's own
    QTest::addColumn<FetchStatus>("status");
    const QByteArray good = newDataFiles().drawResults; // also the size limit
    const QByteArray big = good.repeated(4);
    // Each keeps the connection going or open: only a limit ends the transfer.
    QTest::newRow("a byte now and then")
        << LocalHttpServer::trickling(good) << 300 << FetchStatus::TimedOut;
    QTest::newRow("announced as too large")
        << LocalHttpServer::stalled(big, 0, true) << 0 << FetchStatus::TooLarge;
    QTest::newRow("received beyond the limit, no length announced")
        << LocalHttpServer::stalled(big, 2 * good.size(), false) << 0 << FetchStatus::TooLarge;
    QTest::newRow("exactly at the limit") << LocalHttpServer::ok(good) << 0 << FetchStatus::Done;
}

void TestDownload::transferBeyondTheLimitsFails() {
    QFETCH(LocalHttpServer::Reply, reply);
    QFETCH(int, transferLimitMs);
    QFETCH(FetchStatus, status);
    m_server->setReply(kDrawPath, reply);
    m_server->setReply(kPrizePath, LocalHttpServer::status(404));
    setDownloadBodyLimitBytes(newDataFiles().drawResults.size());
    setDownloadTransferLimitMs(transferLimitMs);

    QCOMPARE(DownloadDataFiles().drawResults, status);
    QCOMPARE(m_dir->readFile(kDrawFile),
             status == FetchStatus::Done ? newDataFiles().drawResults : oldDataFiles().drawResults);
    QCOMPARE(downloadFolder(*m_dir), QStringList({"Loto7Data.csv", "Loto7Number.csv"}));
}

SEPTARION_CORE_TEST_MAIN(TestDownload)
#include "test_download.moc"
