// Drives the batch mode of the MergeFas page through the real main window
// (offscreen) the way a user does, and watches the window meanwhile: a 5 ms
// heartbeat on the GUI thread gives the longest stall, and the progress label
// and bar are sampled at every beat to show that they move.
//
//   merge_fas_page_bench MANY_FOLDER GENE_FOLDER IDS [SCREENSHOT.png]
//
// First lists MANY_FOLDER (time from the folder box's change to the filled
// list), then lists GENE_FOLDER, puts the IDs of IDS into the ID box and
// clicks Save. SCREENSHOT, when given, is a picture of the window in the
// middle of the merge.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <string>

#include "bench/thread_cpu_time.h"
#include "model/file_bytes.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
using bench::ThreadCpuMs;

namespace {

// What RunWatched measured.
struct Watch {
    double seconds = 0;
    qint64 longestGapMs = 0;     // wall clock between two beats
    double longestBusyMs = 0;    // CPU time the GUI thread itself spent between two beats
};

// Runs the event loop until every worker has ended, with a heartbeat that
// calls beat(). A gap can be longer than the GUI thread's own work when the
// machine is busy; the busy time is what the page itself keeps the window from
// running. The time beat() itself takes (a screenshot) is not counted.
Watch RunWatched(const std::function<void()>& start, const std::function<void()>& beat) {
    Watch watch;
    QElapsedTimer sinceBeat, run;
    double cpuAtBeat = ThreadCpuMs();
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        watch.longestGapMs = std::max(watch.longestGapMs, sinceBeat.elapsed());
        watch.longestBusyMs = std::max(watch.longestBusyMs, ThreadCpuMs() - cpuAtBeat);
        beat();
        sinceBeat.restart();
        cpuAtBeat = ThreadCpuMs();
    });
    run.start();
    sinceBeat.start();
    heartbeat.start();
    start();
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    watch.seconds = double(run.nsecsElapsed()) / 1e9;
    heartbeat.stop();
    QCoreApplication::processEvents();
    return watch;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: merge_fas_page_bench MANY_FOLDER GENE_FOLDER IDS [SCREENSHOT.png]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_merge_fas);
    QCoreApplication::processEvents();

    Watch watch = RunWatched([&] { ui.编辑框_merge_folder->setText(QString::fromLocal8Bit(argv[1])); }, [] {});
    std::printf("listing %d files: %.3f s, longest GUI stall %lld ms (GUI thread busy %.0f ms)\n",
                ui.列表框_merge_files->count(), watch.seconds, static_cast<long long>(watch.longestGapMs),
                watch.longestBusyMs);

    ui.编辑框_merge_folder->setText(QString::fromLocal8Bit(argv[2]));
    (void)testing::PageWindow::WaitForWorkers();
    std::string ids;
    if (!ReadWholeFile(argv[3], ids)) return std::fprintf(stderr, "cannot read %s\n", argv[3]), 1;
    ui.编辑框_merge_IDlist->setPlainText(QString::fromStdString(ids));

    std::set<QString> labels;
    std::set<int> positions;
    bool pictured = argc < 5;
    watch = RunWatched([&] { ui.按钮_Merge_Save_1->click(); },
                       [&] {
                           labels.insert(ui.标签_Merge_process->text());
                           if (ui.进度条merge->isVisible()) positions.insert(ui.进度条merge->value());
                           if (!pictured && ui.进度条merge->isVisible() &&
                               ui.进度条merge->value() * 2 >= ui.进度条merge->maximum()) {
                               pictured = page.Window().grab().save(QString::fromLocal8Bit(argv[4]));
                           }
                       });
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("merge %.2f s, longest GUI stall %lld ms (GUI thread busy %.0f ms)\n", watch.seconds,
                static_cast<long long>(watch.longestGapMs), watch.longestBusyMs);
    std::printf("progress labels shown %zu (last \"%s\"), bar positions shown %zu\n", labels.size(),
                ui.标签_Merge_process->text().toUtf8().constData(), positions.size());
    std::printf("status \"%s\"\npeak %ld MB\n", platform::StatusPaneText(1).c_str(), usage.ru_maxrss / 1024);
    return platform::StatusPaneText(1) == "Info:    Merge successfully!" ? 0 : 1;
}
