#include "data/Download.h"

#include "common/AppError.h"
#include "common/BuildInfo.h"
#include "common/DataFolder.h"
#include "common/ProgramFiles.h"
#include "data/DataFilePair.h"
#include "data/DataFileReader.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

// A data file's path on the server: the same as in the data folder.
QString serverPath(const QString& name) {
    return u'/' + kDownloadFolder + u'/' + name;
}

// How often a running transfer looks at the stop request.
constexpr int kStopPollMs = 50;

QUrl& serverOverride() {
    static QUrl url;
    return url;
}

int& timeoutOverride() {
    static int ms = 0;
    return ms;
}

int& transferLimitOverride() {
    static int ms = 0;
    return ms;
}

qint64& bodyLimitOverride() {
    static qint64 bytes = 0;
    return bytes;
}

// The system's proxy settings, except for the local machine.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
            QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

struct ReplyDeleter {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

struct Received {
    bool writeFailed = false;
    bool stopped = false;
    bool overTime = false;
    bool tooLarge = false;
    qint64 bodyBytes = 0;
};

FetchStatus failureOf(const QNetworkReply& reply, const Received& received) {
    if (received.writeFailed)
        return FetchStatus::CannotWrite;
    if (received.stopped)
        return FetchStatus::Stopped;
    if (received.tooLarge)
        return FetchStatus::TooLarge;
    if (received.overTime)
        return FetchStatus::TimedOut;
    // Our own aborts are told apart above: a cancel is the silence time-out.
    if (reply.error() == QNetworkReply::OperationCanceledError)
        return FetchStatus::TimedOut;
    // Codes below 100 are the network layer's: refused, closed early, ...
    if (reply.error() != QNetworkReply::NoError)
        return reply.error() < 100 ? FetchStatus::ConnectionFailed : FetchStatus::HttpError;
    if (reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return FetchStatus::HttpError;
    return FetchStatus::Done;
}

QNetworkRequest dataRequest(const QUrl& url, int timeoutMs) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // A redirect elsewhere (a captive portal, say) is a failure, not data.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    request.setTransferTimeout(timeoutMs);
    return request;
}

// Waits for the reply in a local event loop, writing the body to the file
// as it arrives. A stop request, a failed write, a body over the size limit
// (announced or received) or the end of the transfer time aborts it; the
// body never grows beyond the limit, on disk or in memory.
Received receive(QNetworkReply& reply, QFile& file, const FetchOptions& options) {
    Received received;
    QEventLoop loop;
    const auto abortFor = [&reply](bool& reason) {
        reason = true;
        if (!reply.isFinished())
            reply.abort();
    };
    const auto save = [&] {
        if (!reply.isOpen())
            return; // aborted
        const QByteArray chunk = reply.readAll();
        if (received.writeFailed || received.tooLarge)
            return;
        received.bodyBytes += chunk.size();
        if (received.bodyBytes > options.maxBodyBytes)
            abortFor(received.tooLarge);
        else if (file.write(chunk) != chunk.size())
            abortFor(received.writeFailed);
    };
    QObject::connect(&reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        bool known = false;
        const qint64 announced =
            reply.header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && announced > options.maxBodyBytes)
            abortFor(received.tooLarge);
    });
    QObject::connect(&reply, &QNetworkReply::readyRead, &loop, save);
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer overTime;
    overTime.setSingleShot(true);
    QObject::connect(&overTime, &QTimer::timeout, &loop, [&] { abortFor(received.overTime); });
    overTime.start(options.transferLimitMs);
    QTimer stopPoll;
    if (options.stopRequested) {
        QObject::connect(&stopPoll, &QTimer::timeout, &loop, [&] {
            if (!received.stopped && options.stopRequested())
                abortFor(received.stopped);
        });
        stopPoll.start(kStopPollMs);
    }
    if (!reply.isFinished())
        loop.exec();
    save();
    return received;
}

} // namespace

QUrl dataServerBaseUrl(const QString& setting) {
    const QString text = setting.trimmed();
    if (text.isEmpty())
        return {};
    QUrl url(text.contains(QStringLiteral("://")) ? text : QStringLiteral("http://") + text,
             QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || url.hasQuery() || url.hasFragment())
        return {};
    QString path = url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    url.setPath(path);
    return url;
}

QUrl dataFileUrl(const QUrl& base, const QString& serverPath) {
    if (!base.isValid())
        return {};
    QUrl url = base;
    url.setPath(base.path() + serverPath);
    return url;
}

QUrl dataServerUrl() {
    if (serverOverride().isValid())
        return serverOverride();
    return dataServerBaseUrl(dataServerSetting());
}

void setDataServerUrl(const QUrl& url) {
    serverOverride() = url;
}

int downloadTimeoutMs() {
    return timeoutOverride() > 0 ? timeoutOverride() : kDefaultDownloadTimeoutMs;
}

void setDownloadTimeoutMs(int milliseconds) {
    timeoutOverride() = milliseconds;
}

int downloadTransferLimitMs() {
    return transferLimitOverride() > 0 ? transferLimitOverride() : kDefaultTransferLimitMs;
}

void setDownloadTransferLimitMs(int milliseconds) {
    transferLimitOverride() = milliseconds;
}

qint64 downloadBodyLimitBytes() {
    return bodyLimitOverride() > 0 ? bodyLimitOverride() : kDefaultBodyLimitBytes;
}

void setDownloadBodyLimitBytes(qint64 bytes) {
    bodyLimitOverride() = bytes;
}

QString checkDataFile(const QString& path, DataFileKind kind) {
    try {
        DataFileReader reader(path);
        if (reader.isEmpty())
            return QStringLiteral("データがありません");
        if (kind == DataFileKind::DrawResults) {
            DrawTable table;
            readDrawLines(reader, table);
        } else {
            PrizeTable table;
            readPrizeLines(reader, table);
        }
    } catch (const TAppError& error) {
        return error.text();
    }
    return {};
}

FetchStatus fetchDataFile(QNetworkAccessManager& manager, const QUrl& url, const QString& target,
                          DataFileKind kind, const FetchOptions& options,
                          std::unique_ptr<QTemporaryFile>& fetched) {
    const QFileInfo targetInfo(target);
    const QDir folder = targetInfo.absoluteDir();
    if (!folder.exists())
        return FetchStatus::NoTargetFolder;
    if (options.stopRequested && options.stopRequested())
        return FetchStatus::Stopped;
    // Hidden, beside the target, so that the final rename stays on one disk.
    // A copy killed while it received or checked a body left its temporary
    // file behind: clear those away before this one is made.
    const QString tempPrefix = QStringLiteral(".%1.").arg(targetInfo.fileName());
    removeTemporaryLeftovers(folder.path(), tempPrefix);
    auto temp =
        std::make_unique<QTemporaryFile>(folder.filePath(tempPrefix + QStringLiteral("XXXXXX")));
    if (!temp->open())
        return FetchStatus::CannotWrite;

    const std::unique_ptr<QNetworkReply, ReplyDeleter> reply(
        manager.get(dataRequest(url, options.timeoutMs)));
    const Received received = receive(*reply, *temp, options);
    const FetchStatus status = failureOf(*reply, received);
    if (status != FetchStatus::Done)
        return status;
    if (!temp->flush())
        return FetchStatus::CannotWrite;
    temp->close();
    // The loader's own reading and parsing decides, on the very bytes it will read.
    if (!checkDataFile(temp->fileName(), kind).isEmpty())
        return FetchStatus::BadContent;
    if (options.acceptFetched && !options.acceptFetched(temp->fileName()))
        return FetchStatus::Declined;
    // The new file keeps the old one's permissions (a temporary file is private).
    temp->setPermissions(targetInfo.exists() ? targetInfo.permissions() : kDataFilePermissions);
    fetched = std::move(temp);
    return FetchStatus::Done;
}

bool dataServerConfigured() {
    const QUrl url = dataServerUrl();
    if (!url.isValid())
        return false;
    // Names reserved for examples and documentation never reach a server.
    const QString host = url.host().toLower();
    for (const char* reserved :
         {"example", "invalid", "example.com", "example.net", "example.org"}) {
        const QString name = QString::fromLatin1(reserved);
        if (host == name || host.endsWith(u'.' + name))
            return false;
    }
    return true;
}

QVector<int> drawsMissingFrom(const QString& heldPath, const QString& fetchedPath,
                              DataFileKind kind) {
    const auto numbersOf = [kind](const QString& path) {
        QVector<int> numbers;
        DataFileReader reader(path);
        if (kind == DataFileKind::DrawResults) {
            DrawTable table;
            readDrawLines(reader, table);
            for (const DrawResult& draw : table.draws())
                numbers.append(draw.DrawNumber);
        } else {
            PrizeTable table;
            readPrizeLines(reader, table);
            for (int i = 0; i < table.count(); ++i)
                numbers.append(table.at(i).DrawNumber);
        }
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        return numbers;
    };
    QVector<int> held;
    try {
        held = numbersOf(heldPath);
    } catch (const TAppError&) {
        return {}; // nothing the loader could read is lost
    }
    const QVector<int> fetched = numbersOf(fetchedPath);
    QVector<int> missing;
    std::set_difference(held.begin(), held.end(), fetched.begin(), fetched.end(),
                        std::back_inserter(missing));
    return missing;
}

DownloadResult DownloadDataFiles(const std::function<bool()>& stopRequested,
                                 const DropConfirmation& confirmDrop) {
    DownloadResult result;
    try {
        QNetworkAccessManager manager;
        manager.setProxyFactory(new SystemProxyFactory);
        const QUrl base = dataServerUrl();
        const FetchOptions options{downloadTimeoutMs(),
                                   downloadTransferLimitMs(),
                                   downloadBodyLimitBytes(),
                                   stopRequested,
                                   {}};
        const QString drawTarget = drawFilePath();
        const QString folder = QFileInfo(drawTarget).path();
        // The files are compared with the held ones: those of a whole pair.
        settlePendingPair(folder);
        std::unique_ptr<QTemporaryFile> draws;
        result.drawResults = fetchDataFile(manager, dataFileUrl(base, serverPath(kDrawFileName)),
                                           drawTarget, DataFileKind::DrawResults, options, draws);
        if (result.drawResults != FetchStatus::Done)
            return result;
        const QString prizeTarget = prizeFilePath();
        std::unique_ptr<QTemporaryFile> prizes;
        result.prizeData = fetchDataFile(manager, dataFileUrl(base, serverPath(kPrizeFileName)),
                                         prizeTarget, DataFileKind::PrizeData, options, prizes);
        // One question for the pair: two answers could leave the files mixed.
        DroppedDraws dropped;
        dropped.drawResults =
            drawsMissingFrom(drawTarget, draws->fileName(), DataFileKind::DrawResults);
        if (prizes)
            dropped.prizeData =
                drawsMissingFrom(prizeTarget, prizes->fileName(), DataFileKind::PrizeData);
        if (confirmDrop && !dropped.isEmpty() && !confirmDrop(dropped)) {
            result.drawResults = FetchStatus::Declined;
            if (prizes)
                result.prizeData = FetchStatus::Declined;
            return result;
        }
        // Both files go in as one pair; as always, a new draw file goes in
        // alone when the prize file fails.
        try {
            PairReplacement pair(folder, PairReplacement::Fallback::None);
            pair.stageFile(kDrawFileName, *draws);
            if (prizes)
                pair.stageFile(kPrizeFileName, *prizes);
            pair.commit();
        } catch (const TAppError&) {
            result.drawResults = FetchStatus::CannotWrite;
            if (prizes)
                result.prizeData = FetchStatus::CannotWrite;
        }
    } catch (...) {
        // Whatever went wrong, the caller only learns that it did.
        if (result.drawResults == FetchStatus::Done)
            result.prizeData = FetchStatus::ConnectionFailed;
        else
            result.drawResults = FetchStatus::ConnectionFailed;
    }
    return result;
}
