// Tulvarine: prepare and inspect DNA and protein FASTA data.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

#include "platform/worker.h"
#include "shell/globals.h"
#include "shell/program_main.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tulvarine");
    QApplication::setWindowIcon(QIcon(":/tulvarine/icon.png"));
    const int result = tulvarine::ProgramMain();
    if (tulvarine::platform::RunningWorkerCount() > 0) {
        // Workers still running end with the process. They must end before the
        // exit routine frees the state they use, so the process ends here; only
        // the update download needs stopping first.
        if (tulvarine::g_TransferHandle) tulvarine::g_TransferHandle->StopAndWait();
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
