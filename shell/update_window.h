// The "Update" window: checks the published version file while a waiting
// animation plays, compares the newest version with the running one, and can
// download the new release with its progress. The Home page's "Update" opens
// it modally.
//
// Everything runs on the GUI thread: the animation on timers, the check and
// the download as network replies that the event loop delivers.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/web_requests.h"

namespace Ui {
class UpdateWindow;
}

namespace tulvarine {

class UpdateWindow : public QDialog {
    Q_OBJECT

public:
    // Creates the window and runs OnUpdateWindowCreated: the check starts at once.
    explicit UpdateWindow(QWidget* parent = nullptr);
    // Stops the animation and the check. A download that has started runs on.
    ~UpdateWindow() override;

    Ui::UpdateWindow& Controls() { return *ui_; }

    // "Cancel", the title-bar close button and Esc all end here.
    void reject() override;

    // The download event callback placed in g_DownloadTask: reports of the
    // download engine (codes in shell/download_engine.h). It acts on the window
    // that started the download while that window is open; the outcome also
    // goes to the main window's status line, where it outlives the window.
    static int HandleDownloadEvent(int code, std::int64_t a2, std::int64_t a3, std::int64_t a4, std::int64_t a5,
                                   const std::string& text);

    // The folder of the work folder that downloads are saved into: no
    // download name can then replace a work file such as tmp.fas.
    static constexpr std::string_view kDownloadFolder = "downloads";

    // Texts of the status line where the check fails.
    static constexpr std::string_view kVersionFileUnreadable = "Cannot read the version information: ";
    static constexpr std::string_view kVersionFileIncomplete = "The version information is incomplete.";

private:
    void OnUpdateWindowCreated();
    void DrawUpdateAnimation();
    void DrawNextAnimationStep();
    void OnUpdateAnimTimerTick();
    void StopAnimation();
    void PaintCanvas(int filledSteps);
    void ShowInformationPicture();

    void CheckForUpdates();
    void OnConnectivityTested(bool online);
    void OnVersionFileFetched(const platform::WebRequests::FetchResult& result);
    void EndCheck();
    void StopCheck();

    void OnUpdateCancelClick();
    void OnGoToUpdateClick();
    void OnDownloadTimerTick();
    void ShowFallbackLink();
    void OnFallbackLinkClick();
    void SetStatusLine(std::string_view text);

    std::unique_ptr<Ui::UpdateWindow> ui_;
    const int opening_;            // this opening's number, in g_UpdateAnimThread / g_UpdateCheckThread
    QTimer 时钟1;                  // a new animation cycle every 4 seconds while the check runs
    QTimer 时钟2;                  // the download progress, once a second
    QTimer animationStep_;         // the 500 ms steps within one animation cycle
    int animationStepsDrawn_ = 0;
    QPixmap canvas_;               // what 画板1 shows
    platform::WebRequests web_;    // the connectivity test and the version file
    std::string fallbackAddress_;  // where the fallback link leads
};

}  // namespace tulvarine
