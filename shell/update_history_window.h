// The "Update History:" window that the Home page's "News" opens modally: the
// change history "Updates.txt" from the program folder, with its path.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class UpdateHistoryWindow;
}

namespace tulvarine {

class UpdateHistoryWindow : public QDialog {
    Q_OBJECT

public:
    // Creates the window and runs OnUpdateHistoryCreated, which fills it.
    explicit UpdateHistoryWindow(QWidget* parent = nullptr);
    ~UpdateHistoryWindow() override;

    Ui::UpdateHistoryWindow& Controls() { return *ui_; }

private:
    void OnUpdateHistoryCreated();
    void OnUpdateHistoryCloseClick();

    std::unique_ptr<Ui::UpdateHistoryWindow> ui_;
};

}  // namespace tulvarine
