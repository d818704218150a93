// The program ends while the update download runs: the exit routine, run as
// the application ends, stops the transfer before it frees what the transfer
// uses, and the release's name never holds a half file. A plain main: the
// check spans the application's own end.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "shell/download_engine.h"
#include "shell/globals.h"
#include "support/event_waits.h"
#include "support/http_test_server.h"

using namespace tulvarine;

namespace {
int g_failures = 0;
int g_reports = 0;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "FAIL: %s\n", what);
    ++g_failures;
}
}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    {
        QApplication application(argc, argv);
        InitGlobals();
        qAddPostRoutine(ReleaseGlobals);  // as the program registers it

        testing::HttpTestServer server;
        Check(server.Listen(), "the test server listens");
        server.Serve("/tulvarine-1.2.3.zip", {.body = QByteArray(100000, 'x'), .splitAt = 1000, .pauseMs = 60000});
        g_DownloadTask->address = server.Address("/tulvarine-1.2.3.zip");
        g_DownloadTask->localFolder = folder.path().toStdString() + "/";
        g_DownloadTask->eventCallback = [](int, std::int64_t, std::int64_t, std::int64_t, std::int64_t,
                                           const std::string&) { return ++g_reports, 0; };
        Check(StartDownload(*g_TransferHandle, *g_DownloadTask), "the download starts");
        Check(testing::WaitUntil([] { return g_TransferHandle->ReceivedBytes() == 1000; }),
              "the first thousand bytes arrive");
        Check(g_TransferHandle->Attached(), "the download is still running as the program ends");
    }  // the application ends here and runs the exit routine
    Check(!g_TransferHandle && !g_DownloadTask, "the exit routine freed the download and its task");
    Check(g_reports == 1, "the size was reported, and nothing came after the stop");
    Check(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty(), "no file is left behind");
    std::fprintf(stderr, g_failures == 0 ? "PASS: exit_download_test\n" : "");
    return g_failures == 0 ? 0 : 1;
}
