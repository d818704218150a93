// The program from its start routine to the end of its message loop.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/folders.h"
#include "platform/status_bar.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/program_main.h"

using namespace tulvarine;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void programRunsUntilTheMainWindowClosesAfterYes();
};

void StartupTest::programRunsUntilTheMainWindowClosesAfterYes() {
    QTemporaryDir programFolder;
    platform::OverrideProgramFolderForTests(programFolder.path().toStdString());
    QApplication::setQuitOnLastWindowClosed(false);

    // What the running program looks like, seen from inside its message loop.
    bool globalsCreated = false, windowShown = false, ready = false, currentFolderIsProgramFolder = false;
    std::string version;
    int questions = 0;
    QTimer::singleShot(0, [&] {
        globalsCreated = g_AlignFolderFiles && g_MergeTable && g_DownloadTask && g_TransferHandle;
        ready = g_MainWindowReady;
        version = platform::StatusPaneText(0);
        currentFolderIsProgramFolder = QDir::current() == QDir(programFolder.path());
        MainWindow* window = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* main = qobject_cast<MainWindow*>(top)) window = main;
        windowShown = window != nullptr && window->isVisible();
        if (window == nullptr) return;
        // First "No" (the loop goes on), then "Yes" (the loop ends).
        for (const char* answer : {"按钮_extr_scan1", "按钮_extr_scan"}) {
            QTimer::singleShot(0, [&, answer] {
                ++questions;
                if (auto* exit = QApplication::activeModalWidget())
                    exit->findChild<QPushButton*>(QString::fromUtf8(answer))->click();
            });
            window->close();
        }
    });

    QCOMPARE(ProgramMain(), 0);
    QVERIFY(globalsCreated);
    QVERIFY(windowShown);
    QVERIFY(ready);
    QCOMPARE(version, std::string("Version: 1.2.2"));
    QVERIFY(currentFolderIsProgramFolder);
    QCOMPARE(questions, 2);
    QVERIFY(g_ExitConfirmed);
    // The globals live until the application ends, which runs the exit routine.
    QVERIFY(g_DownloadTask != nullptr);
    platform::OverrideProgramFolderForTests("");
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
