// Runs the Sort-ID page through the real main window (offscreen) the way a
// user does: the file path put into the file box (the preview), then one
// "==>Sort" (order alpha, desc, asc or user) or "==>Class" run, and measures
// how long each took and how long the window's event loop was ever kept from
// running meanwhile.
//
//   sort_id_page_bench IN alpha|desc|asc
//   sort_id_page_bench IN user|class LIST     LIST: the user order or keyword lines
//
// Prints the preview and run times, the longest gap between two ticks of a
// 5 ms heartbeat timer on the GUI thread during each, how often the progress
// bar moved, the log's line count, the status message and the peak memory.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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

namespace {
void WaitForWorkers() {
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}
}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[2] : "";
    const bool withList = mode == "user" || mode == "class";
    if (argc != (withList ? 4 : 3)) {
        std::fprintf(stderr, "usage: sort_id_page_bench IN alpha|desc|asc\n       sort_id_page_bench IN user|class LIST\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_sort_id);
    QCoreApplication::processEvents();

    // The heartbeat: a stall is the time between two ticks beyond the interval.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    int barMoves = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    QObject::connect(ui.进度条1, &QProgressBar::valueChanged, [&] { ++barMoves; });
    sinceTick.start();
    heartbeat.start();

    QElapsedTimer clock;
    clock.start();
    ui.编辑框_Sort_File_Name->setText(QString::fromLocal8Bit(argv[1]));
    WaitForWorkers();
    const double previewMs = double(clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    const qint64 previewGap = longestGap;

    QPushButton* run = ui.按钮_Sort_Run;
    if (mode == "desc") ui.单选框_Sort_auto_2->click();
    if (mode == "asc") ui.单选框_Sort_auto_3->click();
    if (withList) {
        QFile list(QString::fromLocal8Bit(argv[3]));
        if (!list.open(QIODevice::ReadOnly)) return 1;
        ui.单选框_Sort_User_ID->click();
        (mode == "user" ? ui.编辑框_Sort_User_IDs : ui.编辑框_Sort_User_IDs1)->setPlainText(QString::fromUtf8(list.readAll()));
        if (mode == "class") run = ui.按钮_Sort_Class;
    }
    QCoreApplication::processEvents();
    longestGap = 0;
    sinceTick.restart();
    clock.restart();
    run->click();
    WaitForWorkers();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    heartbeat.stop();
    QCoreApplication::processEvents();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("preview %.1f ms\npreview: longest GUI stall %lld ms\nrun %.2f s\nlongest GUI stall %lld ms\nprogress bar moves %d\nlog lines %d\n"
                "status \"%s\"\npeak %ld MB\n",
                previewMs, static_cast<long long>(previewGap), seconds, static_cast<long long>(longestGap), barMoves,
                ui.编辑框_Sort_Final_IDs->document()->blockCount() - 1, platform::StatusPaneText(1).c_str(),
                usage.ru_maxrss / 1024);
    return platform::StatusPaneText(1).rfind("Error:", 0) == 0 ? 1 : 0;
}
