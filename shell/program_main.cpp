#include "shell/program_main.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QWidget>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "model/program_end.h"
#include "platform/end_signals.h"
#include "platform/folders.h"
#include "platform/worker.h"
#include "shell/globals.h"
#include "shell/main_window.h"

namespace tulvarine {

namespace {

// How long the end waits for running work, outside programs included.
constexpr std::chrono::milliseconds kEndWait{2000};

// A terminating signal ends the program as a confirmed Exit does; a dialog
// open at that moment (the "Exit" window among them) is closed first, so the
// loop it runs gives way.
void EndOnSignal(QEventLoop& messageLoop) {
    for (int open = 0; open < 8; ++open) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) break;
        modal->close();
    }
    messageLoop.quit();
}

// Every job is asked to stop and every outside program ends with its group.
// Work that does not end in time still uses the window and the globals, so
// nothing may be freed: the process ends here, leaving nothing behind.
void EndRunningWork() {
    if (platform::StopWorkers(kEndWait)) {
        Leftovers::RemoveAll();
        return;
    }
    if (g_TransferHandle) g_TransferHandle->StopAndWait();
    Leftovers::RemoveAll();
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace

int ProgramMain() {
    // A reader that quits early (a FIFO given as an output) makes that write
    // fail with "Broken pipe"; it must never end the program and its jobs.
    // Outside programs start with every signal at its default again.
    std::signal(SIGPIPE, SIG_IGN);
    QDir::setCurrent(QString::fromStdString(platform::ProgramFolder()));
    InitGlobals();
    static const bool registered = [] {
        qAddPostRoutine(ReleaseGlobals);  // runs once, as the application ends
        return true;
    }();
    (void)registered;

    MainWindow mainWindow;  // shown by its creation handler
    QEventLoop messageLoop;
    QObject::connect(&mainWindow, &MainWindow::closed, &messageLoop, &QEventLoop::quit);
    const platform::EndSignals endSignals([&messageLoop] { EndOnSignal(messageLoop); });
    messageLoop.exec();
    mainWindow.hide();  // a signal ends the program without the window's close
    EndRunningWork();
    return 0;
}

}  // namespace tulvarine
