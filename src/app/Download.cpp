#include "app/Download.h"

#include "common/AppError.h"
#include "common/ComFunction.h"
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

#include <filesystem>
#include <memory>
#include <system_error>

namespace {

const QString kDrawServerPath = QStringLiteral("/download/Loto7Number.csv");
const QString kPrizeServerPath = QStringLiteral("/download/Loto7Data.csv");
const QString kDrawTarget = QStringLiteral("download/Loto7Number.csv");
const QString kPrizeTarget = QStringLiteral("download/Loto7Data.csv");

// How often a running transfer looks at the stop request.
constexpr int kStopPollMs = 50;

constexpr QFileDevice::Permissions kDataFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QUrl& serverOverride() {
    static QUrl url;
    return url;
}

int& timeoutOverride() {
    static int ms = 0;
    return ms;
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

// Replaces the target by the finished temporary file in one step.
bool replaceTarget(QTemporaryFile& temp, const QString& target) {
    const std::filesystem::path from(QFile::encodeName(temp.fileName()).toStdString());
    const std::filesystem::path to(QFile::encodeName(target).toStdString());
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        return false;
    temp.setAutoRemove(false); // its name is the target's now
    return true;
}

FetchStatus failureOf(const QNetworkReply& reply, bool stopped) {
    if (stopped)
        return FetchStatus::Stopped;
    // Nothing else aborts the reply: a cancel is the transfer time-out.
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

struct Received {
    bool writeFailed = false;
    bool stopped = false;
};

// Waits for the reply in a local event loop, writing the body to the file
// as it arrives; a stop request or a failed write aborts it.
Received receive(QNetworkReply& reply, QFile& file, const std::function<bool()>& stopRequested) {
    Received received;
    QEventLoop loop;
    const auto save = [&] {
        if (!reply.isOpen())
            return; // aborted
        const QByteArray chunk = reply.readAll();
        if (!received.writeFailed && file.write(chunk) != chunk.size()) {
            received.writeFailed = true;
            reply.abort();
        }
    };
    QObject::connect(&reply, &QNetworkReply::readyRead, &loop, save);
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer stopPoll;
    if (stopRequested) {
        QObject::connect(&stopPoll, &QTimer::timeout, &loop, [&] {
            if (!received.stopped && stopRequested()) {
                received.stopped = true;
                reply.abort();
            }
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
    return dataServerBaseUrl(QStringLiteral(SEPTARION_DATA_SERVER));
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

QString checkDataFile(const QString& path, DataFileKind kind) {
    try {
        const QStringList lines = ReadLines(path);
        if (lines.isEmpty())
            return QStringLiteral("データがありません");
        if (kind == DataFileKind::DrawResults) {
            DrawTable table;
            appendDrawLines(lines, table);
        } else {
            PrizeTable table;
            appendPrizeLines(lines, table);
        }
    } catch (const TAppError& error) {
        return error.text();
    }
    return {};
}

FetchStatus fetchDataFile(QNetworkAccessManager& manager, const QUrl& url, const QString& target,
                          DataFileKind kind, const FetchOptions& options) {
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
    QTemporaryFile temp(folder.filePath(tempPrefix + QStringLiteral("XXXXXX")));
    if (!temp.open())
        return FetchStatus::CannotWrite;

    const std::unique_ptr<QNetworkReply, ReplyDeleter> reply(
        manager.get(dataRequest(url, options.timeoutMs)));
    const Received received = receive(*reply, temp, options.stopRequested);
    if (received.writeFailed)
        return FetchStatus::CannotWrite;
    const FetchStatus status = failureOf(*reply, received.stopped);
    if (status != FetchStatus::Done)
        return status;
    if (!temp.flush())
        return FetchStatus::CannotWrite;
    temp.close();
    // The loader's own reading and parsing decides, on the very bytes it will read.
    if (!checkDataFile(temp.fileName(), kind).isEmpty())
        return FetchStatus::BadContent;
    // The new file keeps the old one's permissions (a temporary file is private).
    temp.setPermissions(targetInfo.exists() ? targetInfo.permissions() : kDataFilePermissions);
    return replaceTarget(temp, target) ? FetchStatus::Done : FetchStatus::CannotWrite;
}

DownloadResult DownloadDataFiles(const std::function<bool()>& stopRequested) {
    DownloadResult result;
    try {
        QNetworkAccessManager manager;
        manager.setProxyFactory(new SystemProxyFactory);
        const QUrl base = dataServerUrl();
        const FetchOptions options{downloadTimeoutMs(), stopRequested};
        result.drawResults =
            fetchDataFile(manager, dataFileUrl(base, kDrawServerPath), programPath(kDrawTarget),
                          DataFileKind::DrawResults, options);
        if (result.drawResults != FetchStatus::Done)
            return result;
        result.prizeData =
            fetchDataFile(manager, dataFileUrl(base, kPrizeServerPath), programPath(kPrizeTarget),
                          DataFileKind::PrizeData, options);
    } catch (...) {
        // Whatever went wrong, the caller only learns that it did.
        if (result.drawResults == FetchStatus::Done)
            result.prizeData = FetchStatus::ConnectionFailed;
        else
            result.drawResults = FetchStatus::ConnectionFailed;
    }
    return result;
}
