// Runs the comparisons of the "Cmp-2Seq" page through the real main window
// (offscreen) on two random sequences, the way a user starts them, and
// measures how long each takes from the click on "Compare" until the grid,
// the marks and the report are shown and the buttons are back, and how long
// the window's event loop was ever kept from running meanwhile. Then it
// scrolls the grid and both boxes from end to end and times each step.
//
//   cmp2seq_page_bench [LENGTH [CHANGED_PERCENT [LINE_WIDTH]]]
//
// LENGTH bases (100 002: whole codons), of which CHANGED_PERCENT (5) are changed in
// sequence 2; LINE_WIDTH 0 (default) puts each sequence on one line, else the
// boxes hold lines of that width.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/random_pair.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;

namespace {

QString Wrapped(const std::string& bases, int width) {
    QString text;
    text.reserve(int(bases.size() + (width > 0 ? bases.size() / std::size_t(width) : 0)));
    for (std::size_t i = 0; i < bases.size(); ++i) {
        if (width > 0 && i > 0 && i % std::size_t(width) == 0) text += '\n';
        text += QChar(bases[i]);
    }
    return text;
}

// Measures the longest gap between two ticks of a 5 ms timer on the GUI thread.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { longest_ = std::max(longest_, since_.restart()); });
    }
    void Start() {
        longest_ = 0;
        since_.start();
        timer_.start();
    }
    qint64 Stop() {
        timer_.stop();
        return longest_;
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// The slowest of steps scroll steps of a scroll bar from end to end, each
// painted before the next.
qint64 SlowestScrollStep(QScrollBar* bar, QWidget* painted, int steps) {
    qint64 slowest = 0;
    for (int k = 0; k <= steps; ++k) {
        QElapsedTimer step;
        step.start();
        bar->setValue(bar->minimum() + int((long long)(bar->maximum() - bar->minimum()) * k / steps));
        painted->repaint();
        slowest = std::max(slowest, step.elapsed());
    }
    return slowest;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t length = argc > 1 ? std::size_t(std::atol(argv[1])) : 100'002;
    const double changed = argc > 2 ? std::atof(argv[2]) / 100 : 0.05;
    const int width = argc > 3 ? std::atoi(argv[3]) : 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::PageWindow page;
    Ui::MainWindow& ui = page.Ui();

    const auto [one, two] = bench::RandomPair(length, changed, 5);

    QElapsedTimer fill;
    fill.start();
    ui.超级编辑框1->setPlainText(Wrapped(one, width));
    ui.超级编辑框2->setPlainText(Wrapped(two, width));
    QCoreApplication::processEvents();
    std::printf("boxes: %zu bases, %.0f %% changed, %s; filling both took %lld ms\n", length, changed * 100,
                width > 0 ? ("lines of " + std::to_string(width)).c_str() : "one line", fill.elapsed());
    ui.高级选择夹1->setCurrentWidget(ui.page_cmp2seq);
    page.WaitForWorkers();
    // The boxes finish laying out their text in steps of their own: let them
    // end before the clock starts.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    Heartbeat heartbeat;
    int failures = 0;
    for (const bool codon : {false, true}) {
        (codon ? ui.单选框_Comp_Codon : ui.单选框_Comp_DNA)->click();
        QCoreApplication::processEvents();
        QElapsedTimer run;
        heartbeat.Start();
        run.start();
        ui.按钮_Comp_Run->click();
        while (!ui.按钮_Comp_Run->isEnabled()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const qint64 ms = run.elapsed();
        const qint64 stall = heartbeat.Stop();
        const QString first = ui.编辑框_Comp_out->toPlainText().section('\n', 0, 0);
        std::printf("%-5s mode: %lld ms to grid, marks and report; longest stall %lld ms; %s\n", codon ? "codon" : "DNA",
                    ms, stall, first.simplified().toUtf8().constData());
        if (ui.高级表格1->model()->columnCount() != int(length) || first.isEmpty()) ++failures;
    }
    std::printf("slowest scroll step: grid %lld ms, box 1 %lld ms\n",
                SlowestScrollStep(ui.高级表格1->horizontalScrollBar(), ui.高级表格1->viewport(), 50),
                SlowestScrollStep(ui.超级编辑框1->verticalScrollBar(), ui.超级编辑框1, 50));
    return failures;
}
