#include "shell/program_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include "platform/folders.h"
#include "shell/globals.h"
#include "shell/main_window.h"

namespace tulvarine {

int ProgramMain() {
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
    messageLoop.exec();
    return 0;
}

}  // namespace tulvarine
