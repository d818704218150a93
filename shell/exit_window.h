// The modal "Exit" window that asks before the main window closes. Its answer
// goes to g_ExitConfirmed; closing it by its title bar answers nothing.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class ExitWindow;
}

namespace tulvarine {

class ExitWindow : public QDialog {
    Q_OBJECT

public:
    explicit ExitWindow(QWidget* parent = nullptr);
    ~ExitWindow() override;

    Ui::ExitWindow& Controls() { return *ui_; }

private:
    void OnExitYesClick();
    void OnExitNoClick();

    std::unique_ptr<Ui::ExitWindow> ui_;
};

}  // namespace tulvarine
