// Runs one filter of the Fas-Filter page through the real main window
// (offscreen), the way a user starts it, and measures how long the run takes
// and how long the window's event loop was ever kept from running meanwhile.
//
//   fas_filter_page_bench extract IN IDS         (IDS: one ID per line, loaded into the ID box)
//   fas_filter_page_bench length IN MIN MAX
//   fas_filter_page_bench codons IN OUT1 OUT2 OUT3
//   fas_filter_page_bench gaps IN THRESHOLD     (every column, remove)
//   fas_filter_page_bench statistics IN
//
// Prints the run time, the longest gap between two ticks of a 5 ms heartbeat
// timer on the GUI thread, how many progress texts the page showed, the
// status message and the peak memory. With FAS_FILTER_SCREENSHOT set, a
// picture of the window is saved there FAS_FILTER_SCREENSHOT_MS (500) ms into the run.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: fas_filter_page_bench extract IN IDS | length IN MIN MAX | codons IN OUT1 OUT2 OUT3"
                 " | gaps IN THRESHOLD | statistics IN\n");
    return 2;
}

QString Arg(char** argv, int i) { return QString::fromLocal8Bit(argv[i]); }

// Sets the page's controls for the operation; returns its Run button and its
// progress control, or a null button for a bad command line.
std::pair<QPushButton*, QWidget*> Prepare(Ui::MainWindow& ui, const std::string& operation, int argc, char** argv) {
    ui.编辑框_extr_file->setText(Arg(argv, 2));
    if (operation == "extract" && argc == 4) {
        std::ifstream ids(argv[3], std::ios::binary);
        ui.编辑框_extra_query_id->setPlainText(QString::fromStdString(std::string(std::istreambuf_iterator<char>(ids), {})));
        return {ui.按钮_extr_scan4, ui.标签extr_process2};
    }
    if (operation == "length" && argc == 5) {
        ui.编辑框_extr_file4->setText(Arg(argv, 3));
        ui.编辑框_extr_file6->setText(Arg(argv, 4));
        return {ui.按钮_leng_filter, ui.标签extr_process};
    }
    if (operation == "codons" && argc == 6) {
        ui.编辑框_extr_file1->setText(Arg(argv, 3));
        ui.编辑框_extr_file2->setText(Arg(argv, 4));
        ui.编辑框_extr_file3->setText(Arg(argv, 5));
        return {ui.按钮_extr_scan3, ui.标签extr_process1};
    }
    if (operation == "gaps" && argc == 4) {
        ui.编辑框_extr_file5->setText(Arg(argv, 3));
        ui.选择框rmAll->click();
        ui.单选框rm->click();
        return {ui.按钮_cut_run, ui.标签extr_process3};
    }
    if (operation == "statistics" && argc == 3) return {ui.按钮_cut_run1, ui.编辑框_flt_statis};
    return {nullptr, nullptr};
}

QString TextOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) return box->toPlainText();
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_fas_filter);
    const auto [run, progress] = Prepare(ui, argv[1], argc, argv);
    if (!run) return Usage();
    // On screen and settled, as a user finds it: fonts and styles loaded.
    page.Window().show();
    QTest::qWait(300);

    // The heartbeat: a stall is the time between two ticks beyond the interval.
    QElapsedTimer sinceTick, sinceClick;
    qint64 longestGap = 0;
    int progressTexts = 0;
    QString lastProgress = TextOf(progress);
    const QString screenshot = qEnvironmentVariable("FAS_FILTER_SCREENSHOT");
    bool screenshotTaken = screenshot.isEmpty();
    const int screenshotMs = qEnvironmentVariableIsSet("FAS_FILTER_SCREENSHOT_MS")
                                 ? qEnvironmentVariableIntValue("FAS_FILTER_SCREENSHOT_MS")
                                 : 500;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        if (TextOf(progress) != lastProgress) {
            lastProgress = TextOf(progress);
            ++progressTexts;
        }
        if (!screenshotTaken && sinceClick.elapsed() > screenshotMs) {
            screenshotTaken = true;
            page.Window().grab().save(screenshot);
            sinceTick.restart();  // the picture is ours, not the page's
        }
    });

    sinceClick.start();
    sinceTick.start();
    heartbeat.start();
    run->click();
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = double(sinceClick.nsecsElapsed()) / 1e9;
    heartbeat.stop();
    QCoreApplication::processEvents();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const std::string status = platform::StatusPaneText(1);
    std::printf("run %.3f s\nlongest GUI stall %lld ms\nprogress texts shown %d (last \"%s\")\nstatus \"%s\"\npeak %ld MB\n",
                seconds, static_cast<long long>(longestGap), progressTexts,
                TextOf(progress).left(80).replace('\n', " | ").toUtf8().constData(), status.c_str(),
                usage.ru_maxrss / 1024);
    return status.rfind("Info:", 0) == 0 ? 0 : 1;
}
