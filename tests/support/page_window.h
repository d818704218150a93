// The real main window for page tests: globals created, the program folder
// pointed at a temporary folder, dialogs answered by the test seam.
//
//   PageWindow page;            // in initTestCase (after QApplication exists)
//   page.Ui().按钮_getorf_run->click();
//   QVERIFY(page.WaitForWorkers());
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/folders.h"
#include "platform/worker.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "support/event_waits.h"
#include "ui_main_window.h"

namespace tulvarine::testing {

class PageWindow {
public:
    PageWindow() {
        QApplication::setQuitOnLastWindowClosed(false);
        platform::OverrideProgramFolderForTests(programFolder_.path().toStdString());
        InitGlobals();
        window_ = std::make_unique<MainWindow>();
    }
    ~PageWindow() {
        WaitForWorkers();
        platform::dialog_answers::Clear();
        window_.reset();
        ReleaseGlobals();
        platform::OverrideProgramFolderForTests("");
    }
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;

    MainWindow& Window() { return *window_; }
    Ui::MainWindow& Ui() { return window_->Controls(); }
    // The program folder the window sees (a fresh temporary folder).
    std::string ProgramFolder() const { return programFolder_.path().toStdString(); }

    // Runs the event loop until every worker has finished; false after limitMs.
    static bool WaitForWorkers(int limitMs = kWaitLimitMs) {
        if (!WaitUntil([] { return platform::RunningWorkerCount() == 0; }, limitMs)) return false;
        QCoreApplication::processEvents();  // texts posted by the last worker
        return true;
    }

    // A temporary folder for the test's own files, removed with the window.
    std::string FilesFolder() const { return files_.path().toStdString(); }
    std::string FilePath(const std::string& name) const { return FilesFolder() + "/" + name; }
    // Writes bytes to FilePath(name) and returns that path (written or not).
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = FilePath(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Shows page as a click on its tab would.
    void ShowPage(QWidget* page) { Ui().高级选择夹1->setCurrentWidget(page); }

    // Saves a picture of the window under the screenshot folder of the build.
    void SaveScreenshot(const QString& name) {
        const QString folder = qEnvironmentVariable("TULVARINE_SCREENSHOTS");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        window_->grab().save(folder + "/" + name + ".png");
    }

private:
    QTemporaryDir programFolder_, files_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace tulvarine::testing
