// Tulvarine: prepare and inspect DNA and protein FASTA data.
#include <QApplication>
#include <QIcon>

#include "shell/program_main.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tulvarine");
    QApplication::setWindowIcon(QIcon(":/tulvarine/icon.png"));
    return tulvarine::ProgramMain();
}
