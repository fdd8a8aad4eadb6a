#pragma once

#include <QString>
#include <QUrl>
#include <QVector>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QTemporaryFile;

// Fetching fresh copies of the two data files from the data server.
//
// The server's base address is the build setting SEPTARION_DATA_SERVER. A
// bare host name ("loto7.ozumel.example") stands for http://<host>; a value
// with a scheme ("http://127.0.0.1:8080", "https://host/mirror") is used as
// given. The files are <base>/download/Loto7Number.csv and
// <base>/download/Loto7Data.csv.

inline constexpr int kDefaultDownloadTimeoutMs = 30'000;
// However steadily data arrive, a transfer may take no longer than this...
inline constexpr int kDefaultTransferLimitMs = 120'000;
// ...nor bring a larger body: of 99,999 draws, the draw-result file is under
// 5 MB, the prize file about 8 MB.
inline constexpr qint64 kDefaultBodyLimitBytes = qint64(20) * 1024 * 1024;

// The base address a setting text stands for (see above), without a trailing
// slash; an empty or unusable text gives an invalid URL.
QUrl dataServerBaseUrl(const QString& setting);

// <base> + path, for a path starting with "/".
QUrl dataFileUrl(const QUrl& base, const QString& serverPath);

// The base address the download uses: the build's, unless one was set (tests
// point it at a local server). An invalid URL returns to the build's.
QUrl dataServerUrl();
void setDataServerUrl(const QUrl& url);

// How long a transfer may go without receiving anything before it fails.
// Zero or less returns to the default.
int downloadTimeoutMs();
void setDownloadTimeoutMs(int milliseconds);

// The longest a whole transfer may take, and the largest body it may bring.
// Zero or less returns to the default.
int downloadTransferLimitMs();
void setDownloadTransferLimitMs(int milliseconds);
qint64 downloadBodyLimitBytes();
void setDownloadBodyLimitBytes(qint64 bytes);

enum class DataFileKind { DrawResults, PrizeData };

// Empty when the file is what the loader accepts: at least one line, and
// every line parses (numbers in range) as a line of that kind. Otherwise the
// reason, in the words of the loader.
QString checkDataFile(const QString& path, DataFileKind kind);

enum class FetchStatus {
    NotTried,
    Done,
    NoTargetFolder,   // the folder of the target is missing
    CannotWrite,      // temporary file or replacement failed
    ConnectionFailed, // refused, unreachable, reset, cut short
    HttpError,        // an answer other than 200
    TimedOut,         // nothing received for the time-out, or the transfer took too long
    TooLarge,         // the body is (or is announced as) larger than the limit
    Stopped,          // the caller asked to stop
    Declined,         // the caller chose to keep the file it has
    BadContent,       // the body is not a valid data file
};

struct FetchOptions {
    int timeoutMs = kDefaultDownloadTimeoutMs;
    int transferLimitMs = kDefaultTransferLimitMs;
    qint64 maxBodyBytes = kDefaultBodyLimitBytes;
    // Asked while waiting; true ends the transfer (Stopped).
    std::function<bool()> stopRequested;
    // Asked with the checked body's temporary file before it replaces the
    // target; false keeps the target (Declined).
    std::function<bool(const QString& fetched)> acceptFetched;
};

// Fetches the URL into a temporary file beside the target. Done only when the
// answer was 200, complete, within the limits, passes checkDataFile and is
// accepted: `fetched` then holds that file, with the target's permissions,
// for the caller to replace the target with (PairReplacement). On any failure
// the temporary file is removed. Temporary files that earlier fetches of the
// same target left behind (a killed process) are removed first. Never touches
// the target. Waits in a local event loop, so the window keeps painting.
FetchStatus fetchDataFile(QNetworkAccessManager& manager, const QUrl& url, const QString& target,
                          DataFileKind kind, const FetchOptions& options,
                          std::unique_ptr<QTemporaryFile>& fetched);

struct DownloadResult {
    FetchStatus drawResults = FetchStatus::NotTried;
    FetchStatus prizeData = FetchStatus::NotTried;

    bool succeeded() const {
        return drawResults == FetchStatus::Done && prizeData == FetchStatus::Done;
    }
};

// Whether the build names a real data server: the placeholder the build
// ships with is a reserved example name ("loto7.ozumel.example"), which no
// server answers to.
bool dataServerConfigured();

// The draw numbers the held file has and the fetched one lacks, ascending: a
// fetched file must not silently drop draws the player took in. A held file
// that is missing or that the loader would refuse counts as holding nothing.
QVector<int> drawsMissingFrom(const QString& heldPath, const QString& fetchedPath,
                              DataFileKind kind);

// The draws each held file has and its fetched copy lacks.
struct DroppedDraws {
    QVector<int> drawResults;
    QVector<int> prizeData;
    bool isEmpty() const { return drawResults.isEmpty() && prizeData.isEmpty(); }
};

// Asked once for the pair when a fetched file lacks draws the held one has:
// true replaces the held files all the same.
using DropConfirmation = std::function<bool(const DroppedDraws& dropped)>;

// Fetches download/Loto7Number.csv in the data folder (DataFolder.h) and, only when that
// succeeded, download/Loto7Data.csv, from dataServerUrl(); then both replace
// the held ones as one pair (DataFilePair.h), or the draw file alone when the
// prize file failed. A pair a kill left pending is settled first. When the
// fetched files lack draws the held ones have, `confirmDrop` is asked once
// for both: declined, both held files stay (both statuses Declined, or the
// draw file's alone when the prize file failed). Never throws.
DownloadResult DownloadDataFiles(const std::function<bool()>& stopRequested = {},
                                 const DropConfirmation& confirmDrop = {});
