#include "shell/update_window.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "model/version_file.h"
#include "platform/desktop.h"
#include "platform/file_download.h"
#include "platform/folders.h"
#include "platform/status_bar.h"
#include "shell/download_engine.h"
#include "shell/globals.h"
#include "shell/project.h"
#include "shell/update_pictures.h"
#include "ui_update_window.h"

namespace tulvarine {

namespace {
constexpr int kAnimationCycleMs = 4000;
constexpr int kAnimationStepMs = kAnimationCycleMs / kWaitingSteps;
constexpr int kProgressTickMs = 1000;
// The version file is a few dozen bytes; anything far larger is not it.
constexpr std::size_t kVersionFileMaxBytes = 64 * 1024;

int g_openings = 0;                         // GUI thread only
QPointer<UpdateWindow> g_downloadingWindow;  // the window whose download runs; GUI thread only

// The project's address, or the one the environment variable gives instead.
std::string AddressFromEnvironment(const char* variable, std::string_view projectAddress) {
    const QString replaced = qEnvironmentVariable(variable);
    return replaced.isEmpty() ? std::string(projectAddress) : replaced.toStdString();
}

// received of total in whole percent, rounded half away from zero; 0 while the total is unknown.
int ProgressPercent(std::int64_t received, std::int64_t total) {
    if (total <= 0) return 0;
    const long long percent = std::llround(double(received) * 100.0 / double(total));
    return int(std::clamp(percent, 0LL, 100LL));  // a server may send more than it announced
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}  // namespace

UpdateWindow::UpdateWindow(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::UpdateWindow>()), opening_(++g_openings) {
    ui_->setupUi(this);
    canvas_ = QPixmap(ui_->画板1->size());
    canvas_.fill(Qt::transparent);
    connect(ui_->按钮_update_no, &QPushButton::clicked, this, &UpdateWindow::OnUpdateCancelClick);
    connect(ui_->按钮_update_yes, &QPushButton::clicked, this, &UpdateWindow::OnGoToUpdateClick);
    connect(ui_->超级链接框1, &QLabel::linkActivated, this, &UpdateWindow::OnFallbackLinkClick);
    connect(&时钟1, &QTimer::timeout, this, &UpdateWindow::OnUpdateAnimTimerTick);
    connect(&时钟2, &QTimer::timeout, this, &UpdateWindow::OnDownloadTimerTick);
    connect(&animationStep_, &QTimer::timeout, this, &UpdateWindow::DrawNextAnimationStep);
    时钟2.start(kProgressTickMs);
    OnUpdateWindowCreated();
}

UpdateWindow::~UpdateWindow() {
    StopCheck();
    if (g_downloadingWindow == this) g_downloadingWindow = nullptr;
}

void UpdateWindow::OnUpdateWindowCreated() {
    SetUpDownloadEngine(204800, 0, 10);
    DrawUpdateAnimation();
    CheckForUpdates();
}

// --- The waiting animation -------------------------------------------------

void UpdateWindow::DrawUpdateAnimation() {
    g_UpdateAnimThread = opening_;
    animationStepsDrawn_ = 0;
    DrawNextAnimationStep();
    animationStep_.start(kAnimationStepMs);
}

void UpdateWindow::DrawNextAnimationStep() {
    if (animationStepsDrawn_ == kWaitingSteps) {
        // The cycle is over: the canvas is cleared until the next cycle begins.
        animationStep_.stop();
        canvas_.fill(Qt::transparent);
        ui_->画板1->setPixmap(canvas_);
        return;
    }
    PaintCanvas(++animationStepsDrawn_);
}

void UpdateWindow::OnUpdateAnimTimerTick() { DrawUpdateAnimation(); }

void UpdateWindow::PaintCanvas(int filledSteps) {
    QPainter painter(&canvas_);
    DrawWaitingDisc(painter, filledSteps);
    painter.end();
    ui_->画板1->setPixmap(canvas_);
}

void UpdateWindow::StopAnimation() {
    时钟1.stop();
    animationStep_.stop();
    if (g_UpdateAnimThread == opening_) g_UpdateAnimThread = 0;
}

void UpdateWindow::ShowInformationPicture() {
    canvas_.fill(Qt::transparent);
    QPainter painter(&canvas_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(1, 1, canvas_.width(), canvas_.height()), InformationPicture());
    painter.end();
    ui_->画板1->setPixmap(canvas_);
}

// --- The version check -----------------------------------------------------

void UpdateWindow::CheckForUpdates() {
    g_UpdateCheckThread = opening_;
    时钟1.start(kAnimationCycleMs);
    ui_->按钮_update_yes->setEnabled(false);
    SetStatusLine("Checking for updates...");
    web_.TestConnectivity(AddressFromEnvironment("TULVARINE_CONNECTIVITY_URL", kConnectivityTestAddress),
                          [this](bool online) { OnConnectivityTested(online); });
}

void UpdateWindow::OnConnectivityTested(bool online) {
    if (!online) {
        SetStatusLine("Not online!");
        EndCheck();
        return;
    }
    web_.FetchText(AddressFromEnvironment("TULVARINE_VERSION_FILE_URL", kVersionFileAddress), kVersionFileMaxBytes,
                   [this](const platform::WebRequests::FetchResult& result) { OnVersionFileFetched(result); });
}

void UpdateWindow::OnVersionFileFetched(const platform::WebRequests::FetchResult& result) {
    if (!result.ok || result.body.empty()) {
        SetStatusLine(std::string(kVersionFileUnreadable) + (result.ok ? "the answer is empty" : result.error));
        EndCheck();
        return;
    }
    const std::optional<VersionFile> file = ParseVersionFile(result.body);
    if (!file) {
        SetStatusLine(kVersionFileIncomplete);
        EndCheck();
        return;
    }
    g_NewestVersion.Set(file->newestVersion);
    g_DownloadUrl.Set(file->downloadAddress);
    ui_->标签update1->setText(Text("Current version:  " + std::string(kVersion)));
    ui_->标签update2->setText(Text("Newest version :  " + file->newestVersion));
    if (CompareVersions(kVersion, file->newestVersion) < 0) {
        SetStatusLine("There is a new version found.");
        ui_->按钮_update_yes->setEnabled(true);
    } else {
        SetStatusLine("The current version is the latest version.");
    }
    EndCheck();
}

void UpdateWindow::EndCheck() {
    if (g_UpdateCheckThread == opening_) g_UpdateCheckThread = 0;
    StopAnimation();
    ShowInformationPicture();
}

void UpdateWindow::StopCheck() {
    web_.AbortAll();
    if (g_UpdateCheckThread == opening_) g_UpdateCheckThread = 0;
    StopAnimation();
}

// --- Cancel, download and progress -----------------------------------------

void UpdateWindow::reject() { OnUpdateCancelClick(); }

void UpdateWindow::OnUpdateCancelClick() {
    StopCheck();
    QDialog::reject();
}

void UpdateWindow::OnGoToUpdateClick() {
    ui_->按钮_update_yes->setEnabled(false);
    ui_->进度条1->setVisible(true);
    g_DownloadTotalSize = 0;  // a size left from an earlier download must not scale this one
    TaskParam& task = *g_DownloadTask;
    task.blockSize = 4096;
    task.address = g_DownloadUrl.Get();
    const std::string workFolder = platform::WorkFolder();
    task.localFolder = workFolder.empty() ? std::string() : workFolder + "/" + std::string(kDownloadFolder) + "/";
    task.connections = 4;
    task.eventCallback = &UpdateWindow::HandleDownloadEvent;
    g_downloadingWindow = this;
    std::string reason;
    if (!StartDownload(*g_TransferHandle, task, &reason)) {
        g_downloadingWindow = nullptr;
        SetStatusLine("The download could not start: " + reason);
        ShowFallbackLink();
    }
}

int UpdateWindow::HandleDownloadEvent(int code, std::int64_t /*a2*/, std::int64_t a3, std::int64_t /*a4*/,
                                      std::int64_t /*a5*/, const std::string& text) {
    UpdateWindow* window = g_downloadingWindow.data();
    switch (code) {
    case kDownloadTotalSize:
        if (window != nullptr) window->ui_->进度条1->setValue(0);
        g_DownloadTotalSize = a3;
        break;
    case kDownloadFinished:
        // The new release is saved, never run: the status line tells where it is.
        platform::ShowStatusMessage("Info:        New version saved into " + text);
        g_downloadingWindow = nullptr;
        if (window != nullptr) {
            window->时钟2.stop();
            window->ui_->进度条1->setValue(100);
            window->done(QDialog::Accepted);
        }
        break;
    case kDownloadFailed:
        platform::ShowStatusMessage("Error:        The new version could not be downloaded: " + text);
        g_downloadingWindow = nullptr;
        if (window != nullptr) {
            window->时钟2.stop();  // the bar keeps the share that arrived
            window->SetStatusLine("The download failed: " + text);
            window->ShowFallbackLink();
        }
        break;
    default:
        break;
    }
    return 0;
}

void UpdateWindow::OnDownloadTimerTick() {
    const std::int64_t received = g_TransferHandle ? g_TransferHandle->ReceivedBytes() : 0;
    ui_->进度条1->setValue(ProgressPercent(received, g_DownloadTotalSize));
}

void UpdateWindow::ShowFallbackLink() {
    // Only a web address goes to the browser: the version file must not make
    // the desktop open a local file or a program.
    fallbackAddress_ = g_DownloadUrl.Get();
    ui_->超级链接框1->setVisible(platform::FileDownload::IsWebAddress(fallbackAddress_));
}

void UpdateWindow::OnFallbackLinkClick() { (void)platform::OpenWebAddress(fallbackAddress_); }

void UpdateWindow::SetStatusLine(std::string_view text) { ui_->标签_update->setText(Text(text)); }

}  // namespace tulvarine
