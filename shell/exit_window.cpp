#include "shell/exit_window.h"

#include <QPushButton>

#include "shell/globals.h"
#include "ui_exit_window.h"

namespace tulvarine {

ExitWindow::ExitWindow(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ExitWindow>()) {
    ui_->setupUi(this);
    connect(ui_->按钮_extr_scan, &QPushButton::clicked, this, &ExitWindow::OnExitYesClick);
    connect(ui_->按钮_extr_scan1, &QPushButton::clicked, this, &ExitWindow::OnExitNoClick);
}

ExitWindow::~ExitWindow() = default;

void ExitWindow::OnExitYesClick() {
    g_ExitConfirmed = true;
    close();
}

void ExitWindow::OnExitNoClick() {
    g_ExitConfirmed = false;
    close();
}

}  // namespace tulvarine
