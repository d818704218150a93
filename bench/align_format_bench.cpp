// The "Align-Format" page driven through the real main window (offscreen), the
// way a user starts it, for bench/align_format.
//
//   align_format_bench make DIR N              N small unaligned DNA files (seeded)
//   align_format_bench align DIR ALIGNER       muscle | mafft | prank-dna
//   align_format_bench convert DIR             all four formats
//
// A run prints its time, the longest gap between two ticks of a 5 ms heartbeat
// timer on the GUI thread (how long the window was ever kept from running), and
// the status message; it exits 1 unless the status is "Info:".
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;

namespace {

// Eight related records of 300 to 420 bases per file: point changes and a few
// short indels against one ancestor, so the aligners have real work to do.
int MakeData(const std::string& folder, int files) {
    std::mt19937 random(20240611);
    const char bases[] = "ACGT";
    for (int f = 0; f < files; ++f) {
        std::string ancestor;
        const int length = 300 + int(random() % 121);
        for (int i = 0; i < length; ++i) ancestor += bases[random() % 4];
        std::ofstream out(folder + "/gene" + std::to_string(1000 + f) + ".fas", std::ios::binary);
        for (int r = 0; r < 8; ++r) {
            std::string record;
            for (std::size_t i = 0; i < ancestor.size(); ++i) {
                const unsigned roll = random() % 1000;
                if (roll < 60) record += bases[random() % 4];           // substitution
                else if (roll < 64) continue;                            // deletion
                else if (roll < 68) record += ancestor.substr(i, 1) + "A";  // insertion
                else record += ancestor[i];
            }
            out << ">taxon" << r << " file" << f << "\n";
            for (std::size_t i = 0; i < record.size(); i += 60) out << record.substr(i, 60) << "\n";
        }
        if (!out) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc == 4) return MakeData(argv[2], std::stoi(argv[3]));
    if (!((mode == "align" && argc == 4) || (mode == "convert" && argc == 3))) {
        std::fprintf(stderr, "usage: align_format_bench make DIR N | align DIR ALIGNER | convert DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();
    ui.高级选择夹1->setCurrentWidget(ui.page_align_format);
    QPushButton* run = ui.按钮_form_run;
    if (mode == "align") {
        const std::string aligner = argv[3];
        QRadioButton* radio = aligner == "muscle" ? ui.单选框align_muscle
                              : aligner == "mafft" ? ui.单选框align_mafft
                                                   : ui.单选框align_prank_dna;
        radio->click();
        ui.编辑框_align_folder->setText(QString::fromLocal8Bit(argv[2]));
        run = ui.按钮_align_run1;
    } else {
        ui.编辑框_form_in->setText(QString::fromLocal8Bit(argv[2]));
    }
    // The heartbeat also wakes the waiting loops below, which sleep between
    // events (the overload with a time limit would spin and take a processor
    // from the aligners).
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    heartbeat.start();
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    longestGap = 0;
    run->click();
    // The batch hands its folder to the conversion, whose listing ends the work.
    while (platform::RunningWorkerCount() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    heartbeat.stop();
    QCoreApplication::processEvents();

    std::printf("run %.3f s\nlongest GUI stall %lld ms\nstatus \"%s\"\n", seconds,
                static_cast<long long>(longestGap), platform::StatusPaneText(1).c_str());
    return platform::StatusPaneText(1).rfind("Info:", 0) == 0 ? 0 : 1;
}
