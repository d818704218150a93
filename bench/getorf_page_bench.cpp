// Runs the longest-ORF search of the getORF page over a FASTA file through
// the real main window (offscreen), the way a user starts it, and measures how
// long the run takes and how long the window's event loop was ever kept from
// running while it went on.
//
//   getorf_page_bench IN
//
// Prints the run time, the longest gap between two ticks of a 5 ms heartbeat
// timer on the GUI thread, how many progress texts the label showed, the
// status message and the peak memory of the process.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: getorf_page_bench IN\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_get_orf);
    ui.编辑框_getorf_folder_1->setText(QString::fromLocal8Bit(argv[1]));
    ui.编辑框_getorf_cutoff_2->setText("90");
    QCoreApplication::processEvents();

    // The heartbeat: a stall is the time between two ticks beyond the interval.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    int progressTexts = 0;
    QString lastProgress = ui.标签45->text();
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        if (ui.标签45->text() != lastProgress) {
            lastProgress = ui.标签45->text();
            ++progressTexts;
        }
    });

    QElapsedTimer run;
    run.start();
    sinceTick.start();
    heartbeat.start();
    ui.按钮_getorf_run_cdna->click();
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = double(run.nsecsElapsed()) / 1e9;
    heartbeat.stop();
    QCoreApplication::processEvents();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("run %.2f s\nlongest GUI stall %lld ms\nprogress texts shown %d (last \"%s\")\nstatus \"%s\"\npeak %ld MB\n",
                seconds, static_cast<long long>(longestGap), progressTexts, lastProgress.toUtf8().constData(),
                platform::StatusPaneText(1).c_str(), usage.ru_maxrss / 1024);
    return platform::StatusPaneText(1).rfind("Info:", 0) == 0 ? 0 : 1;
}
