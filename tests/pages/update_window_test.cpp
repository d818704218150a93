// The "Update" and "Update History:" windows against a small HTTP server on
// 127.0.0.1: their layouts, the version check with newer, equal, older, CRLF
// and broken version files, no server or a slow one, the waiting animation,
// "Cancel" during the check and during a download, a download with its
// progress, a download that fails or cannot start or is named like a work
// file, the Home page's "Update" and "News", and the change history with and
// without "Updates.txt".
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <string>

#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/status_bar.h"
#include "platform/web_requests.h"
#include "shell/download_engine.h"
#include "shell/globals.h"
#include "shell/update_history_window.h"
#include "shell/update_pictures.h"
#include "shell/update_window.h"
#include "support/event_waits.h"
#include "support/http_test_server.h"
#include "support/page_window.h"
#include "support/server_exchange.h"
#include "ui_update_history_window.h"
#include "ui_update_window.h"

using namespace tulvarine;
using testing::HttpTestServer;
using testing::PageWindow;

namespace {
const QString kVersionPath = "/master/VersionCheck.txt";
const QString kReleasePath = "/releases/tulvarine-1.2.3.zip";
const QColor kWhite(Qt::white);

QByteArray VersionFile(const QByteArray& version, const std::string& address, const char* lineEnd = "\n") {
    return "Version\t" + version + lineEnd + "Download\t" + QByteArray::fromStdString(address) + lineEnd;
}

QByteArray ReleaseBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Str(const std::string& text) { return QString::fromStdString(text); }

// Where the update saves what it downloads.
QString DownloadFolder() { return Str(platform::WorkFolder()) + "/" + Str(std::string(UpdateWindow::kDownloadFolder)); }

// The colour the canvas shows at (x, y).
QColor CanvasAt(UpdateWindow& window, int x, int y) {
    return window.Controls().画板1->pixmap().toImage().pixelColor(x, y);
}

bool Near(const QColor& a, const QColor& b, int tolerance = 24) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && a.alpha() > 200;
}

// A point of the waiting disc degrees clockwise from 12 o'clock, 20 pixels from its centre.
QPoint DiscPoint(double degrees) {
    const double radians = degrees * 3.14159265358979 / 180.0;
    return QPoint(int(std::lround(65 + 20 * std::sin(radians))), int(std::lround(40 - 20 * std::cos(radians))));
}

bool DiscFilledAt(UpdateWindow& window, double degrees) {
    const QPoint p = DiscPoint(degrees);
    return Near(CanvasAt(window, p.x(), p.y()), kWaitingFill);
}

void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TULVARINE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(widget->grab().save(folder + "/" + name + ".png"));
}

// Runs act on the modal window that opens next, once it is shown.
template <class Window>
void WhenModalOpens(std::function<void(Window*)> act) {
    QTimer::singleShot(0, [act] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY2(window != nullptr, "no modal window of the expected kind opened");
        act(window);
    });
}
}  // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void updateWindowLayout();
    void historyWindowLayout();

    void newerVersionEnablesGoToUpdate_data();
    void newerVersionEnablesGoToUpdate();
    void equalOrOlderVersionIsTheLatest_data();
    void equalOrOlderVersionIsTheLatest();
    void crlfVersionFileGivesCleanFields();
    void brokenVersionFileSaysSo_data();
    void brokenVersionFileSaysSo();
    void noServerIsNotOnline();
    void slowServerEndsTheCheck();
    void waitingAnimationFillsTheDiscClockwise();
    void cancelDuringTheCheckStopsEverything();
    void titleBarCloseActsAsCancel();

    void downloadShowsProgressAndClosesTheWindow();
    void failedDownloadOffersTheFallbackLink();
    void downloadThatCannotStartSaysWhy();
    void cancelledWindowLetsTheDownloadFinish();

    void updateLinkOpensTheWindowEachTimeAnew();
    void newsShowsTheHistoryWithCrLfTurnedIntoLineBreaks();
    void newsWithoutUpdatesTxtShowsAnEmptyBox();
    void secondDownloadStopsTheFirst();
    void downloadFileNameStaysInItsFolder();
    void downloadNamedLikeAWorkFileLeavesItAlone();
    // Last: it frees the globals under the window and creates them again.
    void exitStopsARunningDownloadAndLeavesNoPiece();

private:
    Ui::MainWindow& ui() { return page_->Ui(); }
    // Opens an "Update" window over the main window and waits for its check to end.
    std::unique_ptr<UpdateWindow> OpenAndCheck();
    void ServeVersion(const QByteArray& body, int status = 200) {
        server_->Serve(kVersionPath, {.status = status, .body = body});
    }

    std::unique_ptr<PageWindow> page_;
    std::unique_ptr<HttpTestServer> server_;
    QList<QUrl> opened_;
};

void UpdateWindowTest::initTestCase() { page_ = std::make_unique<PageWindow>(); }

void UpdateWindowTest::init() {
    server_ = std::make_unique<HttpTestServer>();
    QVERIFY(server_->Listen());
    server_->Serve("/", {.body = "online"});
    qputenv("TULVARINE_CONNECTIVITY_URL", QByteArray::fromStdString(server_->Address("/")));
    qputenv("TULVARINE_VERSION_FILE_URL", QByteArray::fromStdString(server_->Address(kVersionPath)));
    opened_.clear();
    platform::SetDesktopHooksForTests({[this](const QUrl& url) { opened_ << url; return true; }, {}});
    platform::ShowStatusMessage("");
    g_NewestVersion.Set({});
    g_DownloadUrl.Set({});
}

void UpdateWindowTest::cleanup() {
    platform::WebRequests::SetDeadlineForTests(0);
    g_TransferHandle->StopAndWait();
    server_.reset();
    platform::SetDesktopHooksForTests({});
}

void UpdateWindowTest::cleanupTestCase() {
    qunsetenv("TULVARINE_CONNECTIVITY_URL");
    qunsetenv("TULVARINE_VERSION_FILE_URL");
    page_.reset();
}

std::unique_ptr<UpdateWindow> UpdateWindowTest::OpenAndCheck() {
    auto window = std::make_unique<UpdateWindow>(&page_->Window());
    window->show();
    if (!testing::WaitUntil([] { return g_UpdateCheckThread == 0; })) qWarning("the check did not end");
    return window;
}

void UpdateWindowTest::updateWindowLayout() {
    ServeVersion(VersionFile("1.2.2", server_->Address(kReleasePath)));
    UpdateWindow window(&page_->Window());
    Ui::UpdateWindow& c = window.Controls();
    QCOMPARE(window.windowTitle(), QString("Update"));
    QCOMPARE(window.size(), QSize(400, 170));
    QVERIFY(window.isModal());
    struct Expected {
        QWidget* control;
        const char* name;
        QRect place;
    };
    const Expected controls[] = {
        {c.标签_update, "标签_update", {0, 0, 393, 32}},         {c.进度条1, "进度条1", {0, 29, 393, 8}},
        {c.画板1, "画板1", {5, 40, 130, 82}},                     {c.标签update1, "标签update1", {138, 41, 255, 20}},
        {c.标签update2, "标签update2", {138, 70, 255, 20}},       {c.按钮_update_yes, "按钮_update_yes", {138, 98, 120, 24}},
        {c.按钮_update_no, "按钮_update_no", {312, 98, 81, 24}},  {c.超级链接框1, "超级链接框1", {0, 125, 393, 16}},
    };
    for (const Expected& e : controls) {
        QCOMPARE(e.control->objectName(), QString::fromUtf8(e.name));
        QCOMPARE(e.control->geometry(), e.place);
    }
    QCOMPARE(c.按钮_update_yes->text(), QString("Go to update"));
    QVERIFY(!c.按钮_update_yes->isEnabled());
    QCOMPARE(c.按钮_update_no->text(), QString("Cancel"));
    QVERIFY(c.进度条1->isHidden());
    QVERIFY(c.超级链接框1->isHidden());
    QVERIFY(c.超级链接框1->text().contains("If you cannot auto-update, click here."));
    QCOMPARE(c.标签update1->text(), QString());
    QCOMPARE(c.标签update2->text(), QString());
    // The check has begun before the window is first shown.
    QCOMPARE(c.标签_update->text(), QString("Checking for updates..."));
}

void UpdateWindowTest::historyWindowLayout() {
    UpdateHistoryWindow window(&page_->Window());
    Ui::UpdateHistoryWindow& c = window.Controls();
    QCOMPARE(window.windowTitle(), QString("Update History:"));
    QCOMPARE(window.size(), QSize(780, 460));
    QVERIFY(window.isModal());
    QCOMPARE(c.编辑框1->geometry(), QRect(2, 0, 771, 400));
    QCOMPARE(c.编辑框1->frameShape(), QFrame::NoFrame);
    QCOMPARE(c.编辑框1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(c.标签1->geometry(), QRect(2, 403, 657, 24));
    QCOMPARE(c.按钮1->geometry(), QRect(664, 404, 104, 24));
    QCOMPARE(c.按钮1->text(), QString("Close"));
}

void UpdateWindowTest::newerVersionEnablesGoToUpdate_data() {
    QTest::addColumn<QByteArray>("newest");
    QTest::newRow("next patch") << QByteArray("1.2.3");
    QTest::newRow("two-digit patch") << QByteArray("1.2.10");
    QTest::newRow("next minor, shorter") << QByteArray("1.3");
    QTest::newRow("next major") << QByteArray("2.0");
}

void UpdateWindowTest::newerVersionEnablesGoToUpdate() {
    QFETCH(QByteArray, newest);
    const std::string release = server_->Address(kReleasePath);
    ServeVersion(VersionFile(newest, release));
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QCOMPARE(c.标签_update->text(), QString("There is a new version found."));
    QCOMPARE(c.标签update1->text(), QString("Current version:  1.2.2"));
    QCOMPARE(c.标签update2->text(), "Newest version :  " + QString(newest));
    QVERIFY(c.按钮_update_yes->isEnabled());
    QCOMPARE(g_NewestVersion.Get(), newest.toStdString());
    QCOMPARE(g_DownloadUrl.Get(), release);
    QCOMPARE(server_->Requests(), (QList<QString>{"HEAD /", "GET " + kVersionPath}));
    // The animation has stopped and the information sign is shown: a blue disc with a white i.
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QVERIFY(Near(CanvasAt(*window, 82, 41), kWaitingFill));
    QVERIFY(Near(CanvasAt(*window, 66, 48), kWhite));  // the stem of the i
    QVERIFY(Near(CanvasAt(*window, 66, 24), kWhite));  // its dot
    QVERIFY(Near(CanvasAt(*window, 8, 8), kWhite));    // the picture's corner
    if (newest == "1.2.10") SaveScreenshot(window.get(), "update_window_new_version");
}

void UpdateWindowTest::equalOrOlderVersionIsTheLatest_data() {
    QTest::addColumn<QByteArray>("newest");
    QTest::newRow("same") << QByteArray("1.2.2");
    QTest::newRow("same, shorter") << QByteArray("1.2.2.0");
    QTest::newRow("older patch") << QByteArray("1.2.1");
    QTest::newRow("older minor, more digits") << QByteArray("1.1.99");
    QTest::newRow("older, shorter") << QByteArray("1.2");
    QTest::newRow("older major") << QByteArray("0.9.9");
}

void UpdateWindowTest::equalOrOlderVersionIsTheLatest() {
    QFETCH(QByteArray, newest);
    ServeVersion(VersionFile(newest, server_->Address(kReleasePath)));
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QCOMPARE(c.标签_update->text(), QString("The current version is the latest version."));
    QCOMPARE(c.标签update2->text(), "Newest version :  " + QString(newest));
    QVERIFY(!c.按钮_update_yes->isEnabled());
}

void UpdateWindowTest::crlfVersionFileGivesCleanFields() {
    const std::string release = server_->Address(kReleasePath);
    ServeVersion(VersionFile("1.2.10 ", release, "\r\n"));
    auto window = OpenAndCheck();
    QCOMPARE(window->Controls().标签update2->text(), QString("Newest version :  1.2.10"));
    QCOMPARE(window->Controls().标签_update->text(), QString("There is a new version found."));
    QCOMPARE(g_NewestVersion.Get(), std::string("1.2.10"));
    QCOMPARE(g_DownloadUrl.Get(), release);  // no CR at its end
}

void UpdateWindowTest::brokenVersionFileSaysSo_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    const QString incomplete = QString::fromUtf8(UpdateWindow::kVersionFileIncomplete.data());
    const QString unreadable = QString::fromUtf8(UpdateWindow::kVersionFileUnreadable.data());
    QTest::newRow("one line") << 200 << QByteArray("Version\t1.2.3\n") << incomplete;
    QTest::newRow("no TAB") << 200 << QByteArray("Version 1.2.3\nDownload http://x/a.zip\n") << incomplete;
    QTest::newRow("empty version") << 200 << QByteArray("Version\t\r\nDownload\thttp://x/a.zip\r\n") << incomplete;
    QTest::newRow("not a number") << 200 << QByteArray("Version\tlatest\nDownload\thttp://x/a.zip\n") << incomplete;
    QTest::newRow("empty answer") << 200 << QByteArray() << unreadable + "the answer is empty";
    QTest::newRow("error page") << 404 << VersionFile("9.9.9", "http://x/a.zip") << unreadable + "HTTP 404";
    QTest::newRow("server error") << 500 << QByteArray("<html>oops</html>\n") << unreadable + "HTTP 500";
}

void UpdateWindowTest::brokenVersionFileSaysSo() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    g_NewestVersion.Set("1.2.0");  // left by an earlier check
    ServeVersion(body, status);
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QCOMPARE(c.标签_update->text(), message);
    QVERIFY(!c.按钮_update_yes->isEnabled());
    QCOMPARE(c.标签update1->text(), QString());
    QCOMPARE(c.标签update2->text(), QString());
    QCOMPARE(g_NewestVersion.Get(), std::string("1.2.0"));  // nothing half-read is kept
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QVERIFY(Near(CanvasAt(*window, 82, 41), kWaitingFill));  // the information sign
}

void UpdateWindowTest::noServerIsNotOnline() {
    qputenv("TULVARINE_CONNECTIVITY_URL",
            QString("http://127.0.0.1:%1/").arg(HttpTestServer::UnusedPort()).toUtf8());
    ServeVersion(VersionFile("1.2.3", server_->Address(kReleasePath)));
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QCOMPARE(c.标签_update->text(), QString("Not online!"));
    QCOMPARE(c.标签update1->text(), QString());
    QCOMPARE(c.标签update2->text(), QString());
    QVERIFY(!c.按钮_update_yes->isEnabled());
    QCOMPARE(server_->RequestCount(kVersionPath), 0);
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    SaveScreenshot(window.get(), "update_window_not_online");
}

void UpdateWindowTest::slowServerEndsTheCheck() {
    // Every byte would restart a wait for the next one: the deadline ends the check.
    platform::WebRequests::SetDeadlineForTests(1000);
    server_->Serve(kVersionPath, {.streamBytes = -1, .streamChunk = 1, .streamPauseMs = 200});
    auto window = OpenAndCheck();
    QCOMPARE(window->Controls().标签_update->text(),
             QString::fromUtf8(UpdateWindow::kVersionFileUnreadable.data()) + "the server took too long");
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QVERIFY(Near(CanvasAt(*window, 82, 41), kWaitingFill));  // the information sign, no spinner
    SaveScreenshot(window.get(), "update_window_slow_server");
    window.reset();

    server_->Serve("/", {.mode = HttpTestServer::Mode::Hold});  // a server that never answers
    window = OpenAndCheck();
    QCOMPARE(window->Controls().标签_update->text(), QString("Not online!"));
    QCOMPARE(g_UpdateCheckThread.load(), 0);
}

void UpdateWindowTest::waitingAnimationFillsTheDiscClockwise() {
    server_->Serve(kVersionPath, {.mode = HttpTestServer::Mode::Hold});
    UpdateWindow window(&page_->Window());
    window.show();
    QVERIFY(g_UpdateAnimThread != 0);
    QVERIFY(g_UpdateCheckThread != 0);
    // The first step fills the first 45 degrees at once.
    QVERIFY(DiscFilledAt(window, 22));
    QVERIFY(!DiscFilledAt(window, 67));
    QVERIFY(Near(CanvasAt(window, 65 - 14, 40 - 14), kWhite));  // the rest of the disc is white
    SaveScreenshot(&window, "update_window_checking");
    // Then 45 degrees more every 500 ms, clockwise.
    TRY_VERIFY(DiscFilledAt(window, 112));
    QVERIFY(DiscFilledAt(window, 22));
    QVERIFY(!DiscFilledAt(window, 292));
    TRY_VERIFY(DiscFilledAt(window, 292));  // the last step fills the whole disc
    QCOMPARE(window.Controls().标签_update->text(), QString("Checking for updates..."));
}

void UpdateWindowTest::cancelDuringTheCheckStopsEverything() {
    server_->Serve(kVersionPath, {.mode = HttpTestServer::Mode::Hold});
    UpdateWindow window(&page_->Window());
    window.show();
    TRY_COMPARE(server_->RequestCount(kVersionPath), 1);
    QTest::mouseClick(window.Controls().按钮_update_no, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QCOMPARE(g_UpdateCheckThread.load(), 0);
    TRY_COMPARE(server_->ClientHangUps(), 1);  // the request was given up
    const QImage canvas = window.Controls().画板1->pixmap().toImage();
    QVERIFY(testing::LetTimersDueWithin(1200));  // no animation step nor check result arrives afterwards
    QCOMPARE(window.Controls().画板1->pixmap().toImage(), canvas);
    QCOMPARE(window.Controls().标签_update->text(), QString("Checking for updates..."));
}

void UpdateWindowTest::titleBarCloseActsAsCancel() {
    server_->Serve(kVersionPath, {.mode = HttpTestServer::Mode::Hold});
    UpdateWindow window(&page_->Window());
    window.show();
    TRY_COMPARE(server_->RequestCount(kVersionPath), 1);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(g_UpdateAnimThread.load(), 0);
    QCOMPARE(g_UpdateCheckThread.load(), 0);
    TRY_COMPARE(server_->ClientHangUps(), 1);
}

void UpdateWindowTest::downloadShowsProgressAndClosesTheWindow() {
    const QByteArray release = ReleaseBytes(200000);
    // An eighth arrives, then nothing until the bar shows 13 (12.5 rounded half away from zero).
    server_->Serve(kReleasePath, {.body = release, .splitAt = 25000, .pauseMs = -1});
    ServeVersion(VersionFile("1.2.3", server_->Address(kReleasePath)));
    const QString saved = DownloadFolder() + "/tulvarine-1.2.3.zip";
    QVERIFY(!QFile::exists(saved));
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QSignalSpy progress(c.进度条1, &QProgressBar::valueChanged);
    QTest::mouseClick(c.按钮_update_yes, Qt::LeftButton);
    QVERIFY(!c.按钮_update_yes->isEnabled());
    QVERIFY(c.进度条1->isVisible());
    TRY_COMPARE(c.进度条1->value(), 13);
    QCOMPARE(g_DownloadTotalSize.load(), std::int64_t(release.size()));
    SaveScreenshot(window.get(), "update_window_downloading");
    QVERIFY(!QFile::exists(saved));  // nothing under the release's name before its last byte
    server_->SendHeldParts();
    TRY_VERIFY(!window->isVisible());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    QCOMPARE(c.进度条1->value(), 100);
    QCOMPARE(progress.last().first().toInt(), 100);
    QCOMPARE(ReadFile(saved), release);
    QVERIFY(!(QFile::permissions(saved) & QFileDevice::ExeUser));  // saved, never made a program
    QCOMPARE(Str(platform::StatusPaneText(1)), "Info:        New version saved into " + saved);
    QVERIFY(!g_TransferHandle->Attached());
    page_->SaveScreenshot("update_saved_main_window");
    QVERIFY(QFile::remove(saved));
}

void UpdateWindowTest::failedDownloadOffersTheFallbackLink() {
    const std::string release = server_->Address(kReleasePath);
    server_->Serve(kReleasePath, {.status = 404, .body = "<html>gone</html>"});
    ServeVersion(VersionFile("1.3", release));
    const QString saved = DownloadFolder() + "/tulvarine-1.2.3.zip";
    QVERIFY(QDir().mkpath(DownloadFolder()));
    {
        QFile old(saved);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an earlier download") > 0);
    }
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QTest::mouseClick(c.按钮_update_yes, Qt::LeftButton);
    TRY_VERIFY(c.超级链接框1->isVisible());
    QCOMPARE(c.标签_update->text(), QString("The download failed: HTTP 404"));
    QVERIFY(window->isVisible());
    QVERIFY(c.进度条1->isVisible());
    QVERIFY(!c.按钮_update_yes->isEnabled());
    QCOMPARE(Str(platform::StatusPaneText(1)),
             QString("Error:        The new version could not be downloaded: HTTP 404"));
    QCOMPARE(ReadFile(saved), QByteArray("an earlier download"));
    SaveScreenshot(window.get(), "update_window_download_failed");
    emit c.超级链接框1->linkActivated("#");
    QCOMPARE(opened_, QList<QUrl>{QUrl(Str(release))});
    QVERIFY(QFile::remove(saved));
}

void UpdateWindowTest::downloadThatCannotStartSaysWhy() {
    // An address that is no web address is neither fetched nor handed to the browser.
    ServeVersion(VersionFile("1.2.3", "file:///etc/passwd"));
    auto window = OpenAndCheck();
    Ui::UpdateWindow& c = window->Controls();
    QVERIFY(c.按钮_update_yes->isEnabled());
    QTest::mouseClick(c.按钮_update_yes, Qt::LeftButton);
    QCOMPARE(c.标签_update->text(), QString("The download could not start: not a web address: file:///etc/passwd"));
    QVERIFY(c.超级链接框1->isHidden());
    QVERIFY(!g_TransferHandle->Attached());
    QVERIFY(window->isVisible());
}

void UpdateWindowTest::cancelledWindowLetsTheDownloadFinish() {
    const QByteArray release = ReleaseBytes(100000);
    server_->Serve(kReleasePath, {.body = release, .splitAt = 1000, .pauseMs = -1});
    ServeVersion(VersionFile("2.0", server_->Address(kReleasePath)));
    const QString saved = DownloadFolder() + "/tulvarine-1.2.3.zip";
    {
        auto window = OpenAndCheck();
        QTest::mouseClick(window->Controls().按钮_update_yes, Qt::LeftButton);
        QVERIFY(g_TransferHandle->Attached());
        QTest::mouseClick(window->Controls().按钮_update_no, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }  // the window is gone; the download is not
    QVERIFY(g_TransferHandle->Attached());
    TRY_COMPARE(server_->RequestCount(kReleasePath), 1);
    server_->SendHeldParts();
    TRY_VERIFY(!g_TransferHandle->Attached());
    QCOMPARE(ReadFile(saved), release);
    QCOMPARE(Str(platform::StatusPaneText(1)), "Info:        New version saved into " + saved);
    QVERIFY(QFile::remove(saved));
}

void UpdateWindowTest::updateLinkOpensTheWindowEachTimeAnew() {
    ServeVersion(VersionFile("1.2.3", server_->Address(kReleasePath)));
    for (int opening = 1; opening <= 2; ++opening) {
        QString firstText;
        QString lastText;
        WhenModalOpens<UpdateWindow>([&](UpdateWindow* window) {
            firstText = window->Controls().标签_update->text();
            TRY_COMPARE(g_UpdateCheckThread.load(), 0);
            lastText = window->Controls().标签_update->text();
            QTest::mouseClick(window->Controls().按钮_update_no, Qt::LeftButton);
        });
        emit ui().超级链接框1->linkActivated("#");  // returns once the window has closed
        QCOMPARE(firstText, QString("Checking for updates..."));
        QCOMPARE(lastText, QString("There is a new version found."));
        QCOMPARE(server_->RequestCount(kVersionPath), opening);
    }
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void UpdateWindowTest::newsShowsTheHistoryWithCrLfTurnedIntoLineBreaks() {
    const QString path = Str(page_->ProgramFolder()) + "/Updates.txt";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Version 1.2.2\r\n  - \xE4\xB8\xAD\xE6\x96\x87 first\r\n\r\nVersion 1.2.1\r\n");
    }
    QString boxText;
    QString labelText;
    bool readOnly = false;
    WhenModalOpens<UpdateHistoryWindow>([&](UpdateHistoryWindow* window) {
        boxText = window->Controls().编辑框1->toPlainText();
        labelText = window->Controls().标签1->text();
        readOnly = window->Controls().编辑框1->isReadOnly();
        SaveScreenshot(window, "update_history_window");
        QTest::mouseClick(window->Controls().按钮1, Qt::LeftButton);
    });
    QTest::mouseClick(ui().超级按钮2, Qt::LeftButton);  // returns once "Close" has closed the window
    QCOMPARE(boxText, QString::fromUtf8("Version 1.2.2\n  - 中文 first\n\nVersion 1.2.1\n"));
    QCOMPARE(labelText, path);
    QVERIFY(readOnly);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(QFile::remove(path));
}

void UpdateWindowTest::newsWithoutUpdatesTxtShowsAnEmptyBox() {
    const QString path = Str(page_->ProgramFolder()) + "/Updates.txt";
    QVERIFY(!QFile::exists(path));
    UpdateHistoryWindow window(&page_->Window());
    QCOMPARE(window.Controls().编辑框1->toPlainText(), QString());
    QCOMPARE(window.Controls().标签1->text(), path);
}

void UpdateWindowTest::downloadFileNameStaysInItsFolder() {
    QCOMPARE(DownloadFileName("https://example.org/releases/tulvarine-1.2.3.zip"), std::string("tulvarine-1.2.3.zip"));
    QCOMPARE(DownloadFileName("https://example.org/a%20b.zip?x=1#top"), std::string("a b.zip"));
    QCOMPARE(DownloadFileName("https://example.org/"), std::string("tulvarine-update"));
    QCOMPARE(DownloadFileName("https://example.org"), std::string("tulvarine-update"));
    QCOMPARE(DownloadFileName("https://example.org/x/.."), std::string("tulvarine-update"));
    // Encoded separators count as separators: only the last part is kept.
    QCOMPARE(DownloadFileName("https://example.org/x/..%2F..%2Fetc%2Fpasswd"), std::string("passwd"));
    QCOMPARE(DownloadFileName("https://example.org/a%5Cb.zip"), std::string("tulvarine-update"));
    QCOMPARE(DownloadFileName("https://example.org/%2E%2E"), std::string("tulvarine-update"));
}

void UpdateWindowTest::downloadNamedLikeAWorkFileLeavesItAlone() {
    const QString workFile = Str(platform::WorkFolder()) + "/tmp.fas";
    {
        QFile file(workFile);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(">work\nACGT\n") > 0);
    }
    const QByteArray release = ReleaseBytes(5000);
    server_->Serve("/tmp.fas", {.body = release});
    ServeVersion(VersionFile("1.2.3", server_->Address("/tmp.fas")));
    auto window = OpenAndCheck();
    QTest::mouseClick(window->Controls().按钮_update_yes, Qt::LeftButton);
    TRY_VERIFY(!window->isVisible());
    QCOMPARE(ReadFile(workFile), QByteArray(">work\nACGT\n"));
    QCOMPARE(ReadFile(DownloadFolder() + "/tmp.fas"), release);
    QCOMPARE(Str(platform::StatusPaneText(1)), "Info:        New version saved into " + DownloadFolder() + "/tmp.fas");
    QVERIFY(QFile::remove(workFile));
    QVERIFY(QFile::remove(DownloadFolder() + "/tmp.fas"));
}

void UpdateWindowTest::secondDownloadStopsTheFirst() {
    const QByteArray release = ReleaseBytes(100000);
    server_->Serve(kReleasePath, {.body = release, .splitAt = 1000, .pauseMs = 60000});
    ServeVersion(VersionFile("1.2.3", server_->Address(kReleasePath)));
    {
        auto first = OpenAndCheck();
        QTest::mouseClick(first->Controls().按钮_update_yes, Qt::LeftButton);
        TRY_COMPARE(server_->RequestCount(kReleasePath), 1);
        QTest::mouseClick(first->Controls().按钮_update_no, Qt::LeftButton);
    }
    server_->Serve(kReleasePath, {.body = release});
    auto second = OpenAndCheck();
    QTest::mouseClick(second->Controls().按钮_update_yes, Qt::LeftButton);
    TRY_VERIFY(!second->isVisible());
    QCOMPARE(second->result(), int(QDialog::Accepted));
    const QString saved = DownloadFolder() + "/tulvarine-1.2.3.zip";
    QCOMPARE(ReadFile(saved), release);
    QCOMPARE(server_->RequestCount(kReleasePath), 2);
    // The first transfer was stopped, and reports nothing afterwards: the
    // second one's whole exchange came after the stop.
    QCOMPARE(server_->ClientHangUps(), 1);
    QCOMPARE(Str(platform::StatusPaneText(1)), "Info:        New version saved into " + saved);
    QVERIFY(QFile::remove(saved));
    QCOMPARE(QDir(DownloadFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void UpdateWindowTest::exitStopsARunningDownloadAndLeavesNoPiece() {
    server_->Serve(kReleasePath, {.body = ReleaseBytes(100000), .splitAt = 5000, .pauseMs = 60000});
    ServeVersion(VersionFile("1.2.3", server_->Address(kReleasePath)));
    const QString folder = DownloadFolder();
    {
        auto window = OpenAndCheck();
        QTest::mouseClick(window->Controls().按钮_update_yes, Qt::LeftButton);
        TRY_COMPARE(g_TransferHandle->ReceivedBytes(), std::int64_t(5000));
        QTest::mouseClick(window->Controls().按钮_update_no, Qt::LeftButton);
    }
    ReleaseGlobals();  // the exit routine
    QVERIFY(!g_TransferHandle);
    TRY_COMPARE(server_->ClientHangUps(), 1);  // the transfer was stopped, not left running
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(testing::AwaitAnExchangeWith(*server_));
    QCOMPARE(platform::StatusPaneText(1), std::string());  // a stopped download reports nothing
    InitGlobals();  // for the fixture's own exit
}

QTEST_MAIN(UpdateWindowTest)
#include "update_window_test.moc"
