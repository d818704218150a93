// Times the folder mode of the "Translation" page on the real window
// (offscreen) against ReadFasta + SequenceSet::Translate alone on the same
// file, and watches the window while the page runs: a heartbeat timer on the
// GUI thread gives the longest stall, and the progress label is sampled at
// every beat to show that it moves.
//
//   translation_window [FASTA=bench/data/bench.fa] [RUNS=3]
//
// Each figure is the best of RUNS runs (wall clock), page and model runs
// taking turns on a warm cache.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "model/sequence_header.h"
#include "model/sequence_set.h"
#include "platform/folders.h"
#include "platform/worker.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
namespace fs = std::filesystem;

namespace {

constexpr int kTranslationPage = 5;
constexpr int kBeatMs = 5;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// ReadFasta + Translate with an output file: what the page's folder mode adds to.
double TimeModel(const std::string& input, const std::string& output) {
    const auto start = std::chrono::steady_clock::now();
    SequenceSet set;
    if (!set.ReadFasta(input) || !set.Translate(GeneticCode{0}, SequenceHeader::kWhole, output).fileWritten) {
        std::fprintf(stderr, "translation_window: the model run failed\n");
        std::exit(1);
    }
    set.Release();
    return Seconds(std::chrono::steady_clock::now() - start);
}

bool SameBytes(const std::string& a, const std::string& b) {
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::string ba(1 << 20, '\0'), bb(1 << 20, '\0');
    while (fa && fb) {
        fa.read(ba.data(), std::streamsize(ba.size()));
        fb.read(bb.data(), std::streamsize(bb.size()));
        if (fa.gcount() != fb.gcount() || ba.compare(0, std::size_t(fa.gcount()), bb, 0, std::size_t(fb.gcount())) != 0)
            return false;
    }
    return !fa && !fb;
}

struct PageRun {
    double seconds = 0;
    qint64 longestBeatGapMs = 0;  // longest time between two heartbeats of the GUI thread
    int progressTexts = 0;        // distinct label texts seen while the run went on
    std::string lastLabel;
};

// Clicks the folder mode's Run and keeps the event loop going until the worker ends.
PageRun TimePage(Ui::MainWindow& ui, const std::string& in, const std::string& out) {
    ui.编辑框_trans_1->setText(QString::fromStdString(in));
    ui.编辑框_trans_2->setText(QString::fromStdString(out));
    ui.标签_trans_proces->setText("0%");

    PageRun run;
    std::set<QString> seen;
    QElapsedTimer sinceBeat;
    QEventLoop loop;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(kBeatMs);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        run.longestBeatGapMs = std::max(run.longestBeatGapMs, sinceBeat.restart());
        seen.insert(ui.标签_trans_proces->text());
        if (platform::RunningWorkerCount() == 0) loop.quit();
    });

    const auto start = std::chrono::steady_clock::now();
    sinceBeat.start();
    heartbeat.start();
    ui.按钮_trans_run1->click();
    loop.exec();
    run.seconds = Seconds(std::chrono::steady_clock::now() - start);
    heartbeat.stop();
    QCoreApplication::processEvents();
    run.lastLabel = ui.标签_trans_proces->text().toStdString();
    run.progressTexts = int(seen.size());
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const std::string data = fs::absolute(argc > 1 ? argv[1] : "bench/data/bench.fa").string();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    if (!fs::is_regular_file(data)) {
        std::fprintf(stderr, "translation_window: no file %s (make it with make_dataset)\n", data.c_str());
        return 1;
    }

    QTemporaryDir work;
    const std::string root = work.path().toStdString();
    const std::string in = root + "/in", out = root + "/in_AA";
    fs::create_directory(in);
    fs::create_symlink(data, in + "/bench.fa");  // the folder holds the data file alone
    platform::OverrideProgramFolderForTests(root);
    InitGlobals();
    {
        MainWindow window;
        Ui::MainWindow& ui = window.Controls();
        ui.高级选择夹1->setCurrentIndex(kTranslationPage);

        double bestModel = 1e9;
        PageRun bestPage;
        bestPage.seconds = 1e9;
        qint64 longestGap = 0;
        for (int i = 0; i < runs; ++i) {
            bestModel = std::min(bestModel, TimeModel(data, root + "/model.pep"));
            const PageRun page = TimePage(ui, in, out);
            longestGap = std::max(longestGap, page.longestBeatGapMs);
            if (page.seconds < bestPage.seconds) bestPage = page;
            if (page.lastLabel != "Done!") {
                std::fprintf(stderr, "translation_window: the page ended with \"%s\"\n", page.lastLabel.c_str());
                return 1;
            }
        }
        const bool same = SameBytes(root + "/model.pep", out + "/bench.fa");

        std::printf("data: %s (%.0f MB)\n", data.c_str(), double(fs::file_size(data)) / (1 << 20));
        std::printf("ReadFasta + Translate alone:      %7.2f s\n", bestModel);
        std::printf("Translation page, folder mode:    %7.2f s\n", bestPage.seconds);
        std::printf("page / model:                     %7.2f (goal <= 1.25)\n", bestPage.seconds / bestModel);
        std::printf("longest GUI-thread stall:         %7lld ms (heartbeat every %d ms, all runs)\n",
                    static_cast<long long>(longestGap), kBeatMs);
        std::printf("progress label texts seen:        %7d (best run)\n", bestPage.progressTexts);
        std::printf("page output equals model output:  %7s\n", same ? "yes" : "NO");
    }
    ReleaseGlobals();
    return 0;
}
