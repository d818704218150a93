#include "shell/update_history_window.h"

#include <QPushButton>

#include "platform/controls.h"
#include "platform/folders.h"
#include "ui_update_history_window.h"

namespace tulvarine {

UpdateHistoryWindow::UpdateHistoryWindow(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::UpdateHistoryWindow>()) {
    ui_->setupUi(this);
    connect(ui_->按钮1, &QPushButton::clicked, this, &UpdateHistoryWindow::OnUpdateHistoryCloseClick);
    OnUpdateHistoryCreated();
}

UpdateHistoryWindow::~UpdateHistoryWindow() = default;

void UpdateHistoryWindow::OnUpdateHistoryCreated() {
    const std::string path = platform::ProgramFolder() + "/Updates.txt";
    platform::SetControlText(ui_->标签1, path);
    // A missing file leaves the box empty.
    (void)platform::LoadFileIntoControl(ui_->编辑框1, path);
}

void UpdateHistoryWindow::OnUpdateHistoryCloseClick() { close(); }

}  // namespace tulvarine
