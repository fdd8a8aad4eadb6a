// Downloading both data files of 99,999 draws from a server on the loopback
// interface, with the checks of the content and the replacement of the files.

#include "BenchData.h"
#include "LocalHttpServer.h"
#include "SampleData.h"
#include "common/ProgramFiles.h"
#include "data/Download.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_DownloadDataFiles(benchmark::State& state) {
    const SampleFiles files = makeSampleFiles(kBenchDraws);
    LocalHttpServer server;
    server.setReply(QStringLiteral("/download/Loto7Number.csv"),
                    LocalHttpServer::ok(files.drawResults));
    server.setReply(QStringLiteral("/download/Loto7Data.csv"),
                    LocalHttpServer::ok(files.prizeData));
    QTemporaryDir program;
    QDir(program.path()).mkpath(QStringLiteral("download"));
    setProgramDir(program.path());
    setDataServerUrl(server.baseUrl());

    for (auto _ : state) {
        if (!DownloadDataFiles().succeeded()) {
            state.SkipWithError("download failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            (files.drawResults.size() + files.prizeData.size()));
    setDataServerUrl(QUrl());
    setProgramDir(QString());
}
BENCHMARK(BM_DownloadDataFiles)->Unit(benchmark::kMillisecond);

} // namespace
