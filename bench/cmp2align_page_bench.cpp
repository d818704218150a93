// Runs the "Cmp-2Align" page on two alignment files through the real main
// window (offscreen), the way a user does: both "scan" loads into the file
// views, then the comparison with its report, label and grid, then "SaveAlign".
// Measures each step's time and how long the window's event loop was ever
// kept from running, and the process's memory before and after the comparison.
//
//   cmp2align_page_bench FIRST SECOND [--no-scan]
//
// --no-scan leaves the views alone: the comparison reads the files named in
// the path boxes either way, and its memory is then measured without theirs.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;

namespace {

double MegaBytes(long long bytes) { return double(bytes) / (1024.0 * 1024.0); }

long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

long long PeakBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss * 1024LL;
}

// Clicks button, processes events until every worker has ended, and gives the seconds taken.
double ClickAndWait(QPushButton* button) {
    QElapsedTimer timer;
    timer.start();
    button->click();
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: cmp2align_page_bench FIRST SECOND [--no-scan]\n");
        return 1;
    }
    const bool scan = !(argc > 3 && std::strcmp(argv[3], "--no-scan") == 0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_cmp2align);
    page.Window().show();
    QCoreApplication::processEvents();

    long long files = 0;
    for (int i = 1; i <= 2; ++i) {
        struct stat info {};
        if (::stat(argv[i], &info) == 0) files += info.st_size;
    }

    // The heartbeat: a stall is the time between two ticks beyond the interval.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    sinceTick.start();
    heartbeat.start();

    // The machine's own noise: the longest gap while the window does nothing.
    QTest::qWait(1000);
    const qint64 idleStall = longestGap;

    longestGap = 0;
    double scanSeconds = 0;
    if (scan) {
        platform::dialog_answers::QueueFileName(argv[1]);
        scanSeconds += ClickAndWait(ui.按钮_comp_align_1);
        platform::dialog_answers::QueueFileName(argv[2]);
        scanSeconds += ClickAndWait(ui.按钮_comp_align_2);
    } else {
        ui.编辑框_comp_align_file1->setText(QString::fromLocal8Bit(argv[1]));
        ui.编辑框_comp_align_file2->setText(QString::fromLocal8Bit(argv[2]));
    }
    const qint64 scanStall = longestGap;

    longestGap = 0;
    const long long before = ResidentBytes();
    const double runSeconds = ClickAndWait(ui.按钮_Comp_align_run);
    // The window draws the filled page: wait for it as a user would.
    QTest::qWait(300);
    const qint64 runStall = longestGap;
    const long long after = ResidentBytes(), peak = PeakBytes();
    // With TULVARINE_SCREENSHOTS set: the filled page, and its report scrolled halfway right.
    page.SaveScreenshot("cmp2align_large");
    QScrollBar* across = ui.编辑框_Comp_out1->horizontalScrollBar();
    across->setValue(across->maximum() / 2);
    page.SaveScreenshot("cmp2align_large_scrolled");
    QCoreApplication::processEvents();
    sinceTick.restart();  // the pictures are no part of the save

    longestGap = 0;
    const std::string saved = page.ProgramFolder() + "/conserved.fas";
    platform::dialog_answers::QueueFileName(saved);
    const double saveSeconds = ClickAndWait(ui.按钮_Comp_align_Save);
    const qint64 saveStall = longestGap;
    heartbeat.stop();
    struct stat savedInfo {};
    ::stat(saved.c_str(), &savedInfo);

    std::printf("files %.1f MB; longest GUI stall while idle %lld ms\n", MegaBytes(files), (long long)idleStall);
    if (scan) std::printf("scan both files into the views %.2f s, longest GUI stall %lld ms\n", scanSeconds, (long long)scanStall);
    std::printf("compare, report, label and grid %.2f s, longest GUI stall %lld ms\n", runSeconds, (long long)runStall);
    std::printf("  label \"%s\", grid %d x %d, report %d lines\n", ui.标签_Comp_RC3->text().toUtf8().constData(),
                ui.高级表格2->model()->rowCount(), ui.高级表格2->model()->columnCount(),
                ui.编辑框_Comp_out1->model()->rowCount());
    std::printf("  resident before %.1f MB, after %.1f MB (%.2f x the files), process peak %.1f MB (%.2f x the files above before)\n",
                MegaBytes(before), MegaBytes(after), double(after - before) / double(files), MegaBytes(peak),
                double(peak - before) / double(files));
    std::printf("save %.2f s (%.1f MB), longest GUI stall %lld ms, status \"%s\"\n", saveSeconds,
                MegaBytes(savedInfo.st_size), (long long)saveStall, platform::StatusPaneText(1).c_str());
    return platform::StatusPaneText(1) == "Info:    Save successful!" ? 0 : 1;
}
