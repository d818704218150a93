// The web requests and the file download of the platform layer, against a
// small HTTP server on 127.0.0.1: reachability, text fetches, downloads that
// finish, fail, are retried or stopped, and what each leaves on disk; bodies
// without end or too large, and a server too slow to wait for.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

#include "platform/file_download.h"
#include "platform/web_requests.h"
#include "support/event_waits.h"
#include "support/http_test_server.h"
#include "support/server_exchange.h"

using namespace tulvarine;
using platform::FileDownload;
using platform::WebRequests;
using testing::AwaitAnExchangeWith;
using testing::HttpTestServer;

namespace {
// A body large enough to arrive in several pieces, with no two pieces alike.
QByteArray ReleaseBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char((i * 131 + i / 256) & 0xFF);
    return bytes;
}

QStringList FilesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a download told its listener.
struct Outcome {
    std::optional<std::int64_t> total;
    bool finished = false;
    std::optional<std::string> failure;
    bool Ended() const { return finished || failure.has_value(); }
};

std::unique_ptr<FileDownload> MakeDownload(const std::string& address, const QString& target, Outcome& outcome,
                                           FileDownload::Options options = {}) {
    return std::make_unique<FileDownload>(
        address, target.toStdString(), options,
        FileDownload::Listener{[&outcome](std::int64_t total) { outcome.total = total; },
                               [&outcome] { outcome.finished = true; },
                               [&outcome](const std::string& reason) { outcome.failure = reason; }});
}
}  // namespace

class WebRequestsTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void anyAnswerCountsAsOnline();
    void noServerCountsAsOffline();
    void fetchGivesTheBodyAsSent();
    void fetchFailsOnErrorStatusOversizeAndNoServer();
    void abortedFetchRunsNoCallbackAndHangsUp();

    void downloadSavesEveryByte();
    void downloadWithoutSizeStillFinishes();
    void failedDownloadKeepsTheOldFileAndLeavesNoPiece();
    void errorPageIsNotSaved();
    void lostConnectionIsRetriedFromTheStart();
    void stoppedDownloadReportsNothingAndLeavesNoPiece();
    void downloadRefusesOtherAddressesAndUnwritableFolders();
    void endlessDownloadStopsAtTheCapAndLetsTheLoopRun();
    void announcedSizeOverTheCapIsRefusedAtOnce();
    void slowFetchEndsAtItsDeadline();

private:
    std::unique_ptr<HttpTestServer> server_;
    std::unique_ptr<QTemporaryDir> folder_;
};

void WebRequestsTest::init() {
    WebRequests::SetDeadlineForTests(0);
    server_ = std::make_unique<HttpTestServer>();
    QVERIFY(server_->Listen());
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
}

void WebRequestsTest::anyAnswerCountsAsOnline() {
    server_->Serve("/", {.status = 200, .body = "hello"});
    WebRequests web;
    std::optional<bool> online;
    web.TestConnectivity(server_->Address("/"), [&](bool answer) { online = answer; });
    QVERIFY(web.Busy());
    TRY_VERIFY(online.has_value());
    QVERIFY(*online);
    QVERIFY(!web.Busy());
    QCOMPARE(server_->Requests(), QList<QString>{"HEAD /"});

    online.reset();  // a page that is missing still shows the server is there
    web.TestConnectivity(server_->Address("/nothing-here"), [&](bool answer) { online = answer; });
    TRY_VERIFY(online.has_value());
    QVERIFY(*online);
}

void WebRequestsTest::noServerCountsAsOffline() {
    WebRequests web;
    std::optional<bool> online;
    web.TestConnectivity(QString("http://127.0.0.1:%1/").arg(HttpTestServer::UnusedPort()).toStdString(),
                         [&](bool answer) { online = answer; });
    TRY_VERIFY(online.has_value());
    QVERIFY(!*online);

    online.reset();
    server_->Serve("/", {.mode = HttpTestServer::Mode::CloseWithoutAnswer});
    web.TestConnectivity(server_->Address("/"), [&](bool answer) { online = answer; });
    TRY_VERIFY(online.has_value());
    QVERIFY(!*online);
}

void WebRequestsTest::fetchGivesTheBodyAsSent() {
    const QByteArray body("Version\t1.2.3\r\nDownload\thttp://x/a.zip\r\n\x00\xff", 38);
    server_->Serve("/VersionCheck.txt", {.body = body});
    WebRequests web;
    std::optional<WebRequests::FetchResult> result;
    web.FetchText(server_->Address("/VersionCheck.txt"), 4096, [&](WebRequests::FetchResult r) { result = r; });
    TRY_VERIFY(result.has_value());
    QVERIFY(result->ok);
    QCOMPARE(result->body, body.toStdString());
    QCOMPARE(result->error, std::string());
    QCOMPARE(server_->Requests(), QList<QString>{"GET /VersionCheck.txt"});
}

void WebRequestsTest::fetchFailsOnErrorStatusOversizeAndNoServer() {
    WebRequests web;
    auto fetch = [&web](const std::string& address, std::size_t limit) {
        std::optional<WebRequests::FetchResult> result;
        web.FetchText(address, limit, [&](WebRequests::FetchResult r) { result = r; });
        (void)testing::WaitUntil([&] { return result.has_value(); });
        return result.value_or(WebRequests::FetchResult{.ok = true, .body = "<no answer>"});
    };

    server_->Serve("/gone", {.status = 404, .body = "Version\t9.9.9\nDownload\thttp://x/a\n"});
    const auto missing = fetch(server_->Address("/gone"), 4096);
    QVERIFY(!missing.ok);
    QCOMPARE(missing.body, std::string());  // the error page is not handed on as the file
    QCOMPARE(missing.error, std::string("HTTP 404"));

    server_->Serve("/huge", {.body = QByteArray(100000, 'x')});
    const auto huge = fetch(server_->Address("/huge"), 1000);
    QVERIFY(!huge.ok);
    QCOMPARE(huge.error, std::string("the answer is too large"));

    const auto offline = fetch(QString("http://127.0.0.1:%1/v").arg(HttpTestServer::UnusedPort()).toStdString(), 4096);
    QVERIFY(!offline.ok);
    QVERIFY(!offline.error.empty());
}

void WebRequestsTest::abortedFetchRunsNoCallbackAndHangsUp() {
    server_->Serve("/slow", {.mode = HttpTestServer::Mode::Hold});
    int callbacks = 0;
    {
        WebRequests web;
        web.FetchText(server_->Address("/slow"), 4096, [&](WebRequests::FetchResult) { ++callbacks; });
        TRY_COMPARE(server_->RequestCount("/slow"), 1);
        web.AbortAll();
        QVERIFY(!web.Busy());
        web.FetchText(server_->Address("/slow"), 4096, [&](WebRequests::FetchResult) { ++callbacks; });
        TRY_COMPARE(server_->RequestCount("/slow"), 2);
    }  // the destructor aborts the second
    TRY_COMPARE(server_->ClientHangUps(), 2);
    QVERIFY(AwaitAnExchangeWith(*server_));
    QCOMPARE(callbacks, 0);
}

void WebRequestsTest::downloadSavesEveryByte() {
    const QByteArray release = ReleaseBytes(300000);
    server_->Serve("/tulvarine-1.2.3.zip", {.body = release, .splitAt = 100000, .pauseMs = -1});
    const QString target = folder_->filePath("tulvarine-1.2.3.zip");
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/tulvarine-1.2.3.zip"), target, outcome);
    std::string reason;
    QVERIFY(download->Start(&reason));
    TRY_VERIFY(download->ReceivedBytes() >= 100000);
    QVERIFY(!outcome.Ended());
    QVERIFY(!QFile::exists(target));  // nothing under the real name before the end
    server_->SendHeldParts();
    TRY_VERIFY(outcome.Ended());
    QVERIFY2(outcome.finished, outcome.failure.value_or("").c_str());
    QCOMPARE(outcome.total, std::optional<std::int64_t>(release.size()));
    QCOMPARE(download->ReceivedBytes(), std::int64_t(release.size()));
    QCOMPARE(ReadFile(target), release);
    QCOMPARE(FilesIn(*folder_), QStringList{"tulvarine-1.2.3.zip"});
}

void WebRequestsTest::downloadWithoutSizeStillFinishes() {
    const QByteArray release = ReleaseBytes(5000);
    server_->Serve("/a.zip", {.body = release, .sendLength = false});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/a.zip"), folder_->filePath("a.zip"), outcome);
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    QVERIFY(outcome.finished);
    QVERIFY(!outcome.total.has_value());
    QCOMPARE(ReadFile(folder_->filePath("a.zip")), release);
}

void WebRequestsTest::failedDownloadKeepsTheOldFileAndLeavesNoPiece() {
    const QString target = folder_->filePath("a.zip");
    QVERIFY(WriteFile(target, "the release downloaded last month"));
    // The server promises 300000 bytes, sends a third and hangs up.
    server_->Serve("/a.zip", {.body = ReleaseBytes(300000), .splitAt = 100000, .hangUpAtSplit = true});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/a.zip"), target, outcome);
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    QVERIFY(outcome.failure.has_value());
    QVERIFY(!outcome.finished);
    QCOMPARE(ReadFile(target), QByteArray("the release downloaded last month"));
    QCOMPARE(FilesIn(*folder_), QStringList{"a.zip"});

    // A server that stops sending is given up after the stall time.
    server_->Serve("/b.zip", {.body = ReleaseBytes(300000), .splitAt = 100000, .pauseMs = 60000});
    Outcome stalled;
    auto slow = MakeDownload(server_->Address("/b.zip"), folder_->filePath("b.zip"), stalled,
                             {.maxRetries = 0, .stallTimeoutMs = 300});
    QVERIFY(slow->Start(nullptr));
    TRY_VERIFY(stalled.Ended());
    QCOMPARE(stalled.failure, std::optional<std::string>("the server stopped sending"));
    QCOMPARE(FilesIn(*folder_), QStringList{"a.zip"});
}

void WebRequestsTest::errorPageIsNotSaved() {
    server_->Serve("/missing.zip", {.status = 404, .body = "<html>Not Found</html>"});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/missing.zip"), folder_->filePath("missing.zip"), outcome,
                                 {.maxRetries = 3});
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    QCOMPARE(outcome.failure, std::optional<std::string>("HTTP 404"));
    QCOMPARE(server_->RequestCount("/missing.zip"), 1);  // the server answered: nothing to retry
    QVERIFY(FilesIn(*folder_).isEmpty());
}

void WebRequestsTest::lostConnectionIsRetriedFromTheStart() {
    const QByteArray release = ReleaseBytes(50000);
    server_->ServeInTurn("/a.zip", {{.mode = HttpTestServer::Mode::CloseWithoutAnswer},
                                    {.mode = HttpTestServer::Mode::CloseWithoutAnswer},
                                    {.body = release}});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/a.zip"), folder_->filePath("a.zip"), outcome,
                                 {.maxRetries = 2, .retryWaitMs = 10});
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    QVERIFY2(outcome.finished, outcome.failure.value_or("").c_str());
    QCOMPARE(server_->RequestCount("/a.zip"), 3);
    QCOMPARE(ReadFile(folder_->filePath("a.zip")), release);

    // A server that always hangs up: the retries run out and the download fails.
    server_->Serve("/b.zip", {.mode = HttpTestServer::Mode::CloseWithoutAnswer});
    Outcome second;
    auto failing = MakeDownload(server_->Address("/b.zip"), folder_->filePath("b.zip"), second, {.maxRetries = 1});
    QVERIFY(failing->Start(nullptr));
    TRY_VERIFY(second.Ended());
    QVERIFY(second.failure.has_value());
    // Qt may resend a request once on its own when the connection closes unanswered.
    QVERIFY(server_->RequestCount("/b.zip") >= 2);
    QVERIFY(server_->RequestCount("/b.zip") <= 4);
    QCOMPARE(FilesIn(*folder_), QStringList{"a.zip"});
}

void WebRequestsTest::stoppedDownloadReportsNothingAndLeavesNoPiece() {
    const QString target = folder_->filePath("a.zip");
    QVERIFY(WriteFile(target, "old"));
    server_->Serve("/a.zip", {.body = ReleaseBytes(200000), .splitAt = 50000, .pauseMs = 60000});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/a.zip"), target, outcome);
    QVERIFY(download->Start(nullptr));
    TRY_COMPARE(download->ReceivedBytes(), std::int64_t(50000));
    QCOMPARE(ReadFile(target), QByteArray("old"));  // the piece received so far is not under its name
    download->Stop();
    TRY_COMPARE(server_->ClientHangUps(), 1);
    QCOMPARE(FilesIn(*folder_), QStringList{"a.zip"});
    QCOMPARE(ReadFile(target), QByteArray("old"));
    QVERIFY(AwaitAnExchangeWith(*server_));
    QVERIFY(!outcome.Ended());
    download.reset();  // destroying a stopped download is harmless
}

void WebRequestsTest::downloadRefusesOtherAddressesAndUnwritableFolders() {
    for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/a.zip", "", "not an address", "http:///a.zip"}) {
        Outcome outcome;
        auto download = MakeDownload(address, folder_->filePath("a.zip"), outcome);
        std::string reason;
        QVERIFY2(!download->Start(&reason), address);
        QVERIFY(reason.find("not a web address") != std::string::npos);
    }
    QVERIFY(FileDownload::IsWebAddress("https://example.org/a.zip"));
    QVERIFY(FileDownload::IsWebAddress("http://127.0.0.1:8080/a.zip"));

    Outcome outcome;
    auto download = MakeDownload(server_->Address("/a.zip"), folder_->filePath("no/such/folder/a.zip"), outcome);
    std::string reason;
    QVERIFY(!download->Start(&reason));
    QVERIFY(reason.rfind("cannot write ", 0) == 0);
    QCOMPARE(server_->Requests().size(), 0);  // nothing was asked of the server
}

void WebRequestsTest::endlessDownloadStopsAtTheCapAndLetsTheLoopRun() {
    // A body without end and without a size, as fast as the loopback carries it.
    testing::HttpTestServerThread server;
    QVERIFY(server.Listening());
    std::string address;
    server.Do([&](HttpTestServer& s) {
        s.Serve("/endless.zip", {.sendLength = false, .streamBytes = -1, .streamChunk = 1 << 20});
        address = s.Address("/endless.zip");
    });
    Outcome outcome;
    const std::int64_t cap = std::int64_t(64) << 20;
    auto download = MakeDownload(address, folder_->filePath("endless.zip"), outcome, {.maxBytes = cap});
    // A timer that sees the download under way: the loop turned while it ran.
    bool sawItUnderWay = false;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    connect(&look, &QTimer::timeout, [&] {
        sawItUnderWay = sawItUnderWay || (download->ReceivedBytes() > 0 && !outcome.Ended());
    });
    look.start(1);
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    look.stop();
    QCOMPARE(outcome.failure, std::optional<std::string>("the file is larger than 64 MB"));
    QVERIFY(sawItUnderWay);
    QVERIFY(download->ReceivedBytes() <= cap);
    QVERIFY(FilesIn(*folder_).isEmpty());
    int hangUps = 0;
    TRY_VERIFY((server.Do([&](HttpTestServer& s) { hangUps = s.ClientHangUps(); }), hangUps == 1));
}

void WebRequestsTest::announcedSizeOverTheCapIsRefusedAtOnce() {
    server_->Serve("/big.zip", {.streamBytes = std::int64_t(3) << 30, .streamPauseMs = 20});
    Outcome outcome;
    auto download = MakeDownload(server_->Address("/big.zip"), folder_->filePath("big.zip"), outcome,
                                 {.maxBytes = std::int64_t(1) << 30});
    QVERIFY(download->Start(nullptr));
    TRY_VERIFY(outcome.Ended());
    QCOMPARE(outcome.failure, std::optional<std::string>("the file is larger than 1024 MB"));
    QVERIFY(!outcome.total.has_value());
    QVERIFY(server_->StreamedBytes() < (std::int64_t(16) << 20));  // given up before the body came
    QVERIFY(FilesIn(*folder_).isEmpty());
}

void WebRequestsTest::slowFetchEndsAtItsDeadline() {
    // One byte every 100 ms restarts any wait for the next byte: only an
    // overall deadline ends this answer.
    server_->Serve("/VersionCheck.txt", {.streamBytes = -1, .streamChunk = 1, .streamPauseMs = 100});
    WebRequests::SetDeadlineForTests(800);
    WebRequests web;
    std::optional<WebRequests::FetchResult> result;
    // Started before the request, due before its deadline: it has fired when
    // the answer is given up, unless the deadline came early.
    bool before = false;
    QTimer marker;
    marker.setTimerType(Qt::PreciseTimer);
    marker.setSingleShot(true);
    connect(&marker, &QTimer::timeout, [&] { before = !result.has_value(); });
    marker.start(700);
    web.FetchText(server_->Address("/VersionCheck.txt"), 4096, [&](WebRequests::FetchResult r) { result = r; });
    TRY_VERIFY(result.has_value());
    QVERIFY(!result->ok);
    QCOMPARE(result->error, std::string("the server took too long"));
    QVERIFY(before);
    TRY_COMPARE(server_->ClientHangUps(), 1);
}

QTEST_GUILESS_MAIN(WebRequestsTest)
#include "web_requests_test.moc"
