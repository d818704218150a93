// The tool pages of the main window. Each page is an object that connects the
// handlers of its controls when it is made and lives as long as the window;
// its workers run on threads of their own and reach the controls only through
// the platform layer.
#pragma once

#include <memory>
#include <vector>

#include <QObject>

class QWidget;
namespace Ui {
class MainWindow;
}

namespace tulvarine {

namespace platform {
class CommonDialog;
}

// What a page needs of the main window.
struct ToolPageContext {
    QWidget* window;                   // parent of the page's dialogs
    Ui::MainWindow& ui;                // every control, by its layout name
    platform::CommonDialog& fileDialog;  // 通用对话框1, shared by every page
};

// Makes every tool page; the main window keeps them.
std::vector<std::unique_ptr<QObject>> CreateToolPages(const ToolPageContext& context);

}  // namespace tulvarine
