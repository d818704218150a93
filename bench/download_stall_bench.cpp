// How long a download keeps the event loop from running: a body without end
// and without a size comes as fast as the loopback carries it, until the size
// cap stops it. The figure is the longest stretch of the GUI thread's own work
// between two turns of its loop, in CPU time, so that a busy machine that
// leaves the thread waiting does not count and work that blocks the loop does.
//
//   download_stall_bench [CAP_MB [RUNS]]      (64 MB, 3 runs; the best and the worst are shown)
//
// A first run, shown but not counted, starts Qt's network layer.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "bench/thread_cpu_time.h"
#include "platform/file_download.h"
#include "support/event_waits.h"
#include "support/http_test_server.h"

using namespace tulvarine;
using bench::ThreadCpuMs;

namespace {

constexpr double kGoalMs = 50;

struct Run {
    double longestStallMs = 0;
    double seconds = 0;
    std::int64_t received = 0;
    std::string failure;
};

Run DownloadToTheCap(const std::string& address, const QString& target, std::int64_t cap) {
    Run run;
    std::optional<std::string> failure;
    bool finished = false;
    platform::FileDownload download(address, target.toStdString(), {.maxBytes = cap},
                                    {{}, [&] { finished = true; }, [&](const std::string& why) { failure = why; }});
    double last = ThreadCpuMs();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = ThreadCpuMs();
        run.longestStallMs = std::max(run.longestStallMs, now - last);
        last = now;
    });
    tick.start(5);
    QElapsedTimer clock;
    clock.start();
    if (!download.Start(nullptr)) return run;
    (void)testing::WaitUntil([&] { return finished || failure.has_value(); });
    run.seconds = double(clock.elapsed()) / 1000;
    run.received = download.ReceivedBytes();
    run.failure = failure.value_or(finished ? "<finished>" : "<no end>");
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t cap = (argc > 1 ? std::atoll(argv[1]) : 64) << 20;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QCoreApplication application(argc, argv);
    testing::HttpTestServerThread server;
    std::string address;
    server.Do([&](testing::HttpTestServer& s) {
        s.Serve("/endless.zip", {.sendLength = false, .streamBytes = -1, .streamChunk = 1 << 20});
        address = s.Address("/endless.zip");
    });
    QTemporaryDir folder;
    if (!server.Listening() || !folder.isValid()) {
        std::fprintf(stderr, "cannot start the server or make a folder\n");
        return 2;
    }
    const std::string expected = "the file is larger than " + std::to_string(cap >> 20) + " MB";
    double best = 1e9, worst = 0;
    int failures = 0;
    for (int i = 0; i <= runs; ++i) {
        const Run run = DownloadToTheCap(address, folder.filePath("endless.zip"), cap);
        std::printf("%s: %.2f s, %.0f MB/s, %lld bytes kept, \"%s\"; longest stall %.1f ms\n",
                    i == 0 ? "first (not counted)" : ("run " + std::to_string(i)).c_str(), run.seconds,
                    run.seconds > 0 ? double(run.received) / 1048576.0 / run.seconds : 0.0,
                    static_cast<long long>(run.received), run.failure.c_str(), run.longestStallMs);
        if (run.failure != expected || run.received > cap) ++failures;
        if (i == 0) continue;
        best = std::min(best, run.longestStallMs);
        worst = std::max(worst, run.longestStallMs);
    }
    std::printf("longest stall of the event loop: best %.1f ms, worst %.1f ms (goal < %.0f ms)\n", best, worst,
                kGoalMs);
    return failures;
}
