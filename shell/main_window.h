// The main window: nine pages in a tab control above a status bar of two
// panes. This unit frames the window (creation, page change, F1, the close
// request) and runs the Home page; the tool pages add their own handlers.
#pragma once

#include <QMainWindow>

#include <memory>
#include <vector>

#include "platform/file_dialogs.h"
#include "tools/tool_page.h"

namespace Ui {
class MainWindow;
}

namespace tulvarine {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Creates the window from its layout and runs OnMainWindowCreated, which
    // shows it. InitGlobals must have run.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Ui::MainWindow& Controls() { return *ui_; }
    // 通用对话框1: the file dialog shared by every "scan", "or Scan" and save
    // button; it keeps its filter from one use to the next.
    platform::CommonDialog& FileDialog() { return fileDialog_; }

    // The boxes that open no context menu on a right click.
    static const std::vector<const char*>& BoxesWithoutContextMenu();

signals:
    // The close request was confirmed and the window has closed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnMainWindowCreated();
    void OnMainTabChanged();
    bool OnMainWindowQueryClose();
    void OnMainWindowKeyDown(int keyCode, int shiftState);
    void OnManualClick();
    void OnNewsClick();
    void OnUpdateLinkClick();
    void OnCitationClick();

    void ConnectHomePage();
    void ShowHomePicture();
    void PreventContextMenus();
    void ApplySeqBoxFormat();

    std::unique_ptr<Ui::MainWindow> ui_;
    platform::CommonDialog fileDialog_;
    std::vector<std::unique_ptr<ToolPage>> toolPages_;  // the tool pages (tools/)
};

}  // namespace tulvarine
