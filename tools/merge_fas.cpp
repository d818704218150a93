#include "tools/merge_fas.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/numbers.h"
#include "model/paths.h"
#include "platform/controls.h"
#include "platform/progress_bar.h"
#include "platform/gui_thread.h"
#include "platform/shared_state.h"
#include "platform/worker.h"
#include "tools/merge_fas_routines.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

namespace {
constexpr char kFolderTitle[] = "Choose your folder containing fasta files:";
constexpr char kFastaFilter[] = "Fasta File (*.fa*)|*.fa*";

// The batch merge's report: the progress label and bar, the file list. The
// bar (coalesced by ControlProgressBar) and the list's current file (at most
// one change per interval) are posted to the GUI thread, so the merge never
// waits for the window and the window is never flooded.
class BatchReport : public BatchMergeReport {
public:
    explicit BatchReport(Ui::MainWindow& ui) : ui_(ui), page_(ui.标签_Merge_process), bar_(ui.进度条merge) {}

    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void ShowProgressBar(int maximum) override {
        ShowPendingFile();
        bar_.SetMaximum(maximum);
        bar_.SetPosition(0);
        platform::SetControlVisible(ui_.进度条merge, true);
    }
    void SetProgressPosition(int position) override { bar_.SetPosition(position); }
    void HideProgressBar() override {
        ShowPendingFile();
        bar_.Flush();
        platform::SetControlVisible(ui_.进度条merge, false);
    }
    void FileStarted(std::size_t index, const std::string& name) override {
        pendingFile_ = {int(index), name};
        if (Clock::now() - fileShown_ >= kInterval) ShowPendingFile();
    }
    void FocusIdList() override { platform::FocusControl(ui_.编辑框_merge_IDlist); }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{50};

    // The list may show a newer listing than the merge read: then nothing moves.
    void ShowPendingFile() {
        if (!pendingFile_) return;
        platform::PostListCurrentRow(ui_.列表框_merge_files, pendingFile_->first, pendingFile_->second);
        pendingFile_.reset();
        fileShown_ = Clock::now();
    }

    Ui::MainWindow& ui_;
    PageReport page_;
    platform::ControlProgressBar bar_;
    Clock::time_point fileShown_{};
    std::optional<std::pair<int, std::string>> pendingFile_;
};

// The manual merge's report: one progress label, the first-file box and the
// list of merged records.
class ManualReport : public ManualMergeReport {
public:
    ManualReport(Ui::MainWindow& ui, QWidget* label) : ui_(ui), page_(label) {}

    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void FirstFileLoaded(const std::string& path) override {
        platform::SetControlText(ui_.编辑框_merge_1fas, path);
        platform::ClearList(ui_.列表框_merge_files1);
    }
    // In parts, so that the window runs between them however many records came.
    void RecordsMerged(const TextArray& lines) override {
        constexpr std::size_t kPart = 2000;
        for (std::size_t first = 0; first < lines.size(); first += kPart) {
            const auto begin = lines.begin() + std::ptrdiff_t(first);
            platform::AddListItems(ui_.列表框_merge_files1,
                                   TextArray(begin, begin + std::ptrdiff_t(std::min(kPart, lines.size() - first))));
        }
    }

private:
    Ui::MainWindow& ui_;
    PageReport page_;
};
}  // namespace

MergeFasPage::MergeFasPage(const ToolPageContext& context) : ToolPage(context, context.ui.page_merge_fas) {
    using Page = MergeFasPage;
    using Button = QAbstractButton;
    connect(ui_.按钮_Merge_scan, &Button::clicked, this, &Page::OnMergeScanClick);
    connect(ui_.编辑框_merge_folder, &QLineEdit::textChanged, this, &Page::OnMergeFolderChanged);
    connect(ui_.列表框_merge_files, &QListWidget::currentRowChanged, this, &Page::OnMergeFilesSelect);
    connect(ui_.按钮_Merge_Save_1, &Button::clicked, this, &Page::OnMergeSave1Click);
    connect(ui_.按钮_Merge_scan1, &Button::clicked, this, &Page::OnMergeScan1Click);
    connect(ui_.按钮_Merge_scan2, &Button::clicked, this, &Page::OnMergeScan2Click);
    connect(ui_.按钮_Merge_Run2, &Button::clicked, this, &Page::OnMergeRun2Click);
    connect(ui_.按钮_Merge_Save_2, &Button::clicked, this, &Page::OnMergeSave2Click);
    // A folder may hold ten thousand files, a merge as many records: the lists
    // lay out without measuring every item.
    ui_.列表框_merge_files->setUniformItemSizes(true);
    ui_.列表框_merge_files1->setUniformItemSizes(true);
}

// ---- batch mode ----

void MergeFasPage::OnMergeScanClick() { ChooseFolderInto(ui_.编辑框_merge_folder, kFolderTitle); }

void MergeFasPage::OnMergeFolderChanged() {
    const unsigned listing = ++folderListing_;
    const std::string folder = platform::ControlText(ui_.编辑框_merge_folder);
    platform::StartWorker([this, listing, folder] {
        const TextArray files = ListMergeFolderFiles(folder);
        platform::CallOnGuiThread([&] {
            if (listing != folderListing_) return;  // a newer listing shows instead
            listedFiles_ = files;
            platform::ReplaceListItems(ui_.列表框_merge_files, files);
            // A folder without FASTA files leaves the count as it was.
            if (files.empty()) return;
            const std::string count = IntToText(static_cast<long long>(files.size()));
            platform::SetControlText(ui_.标签50, "overview of " + count + " files:");
        });
    });
}

void MergeFasPage::OnMergeFilesSelect(int row) {
    if (row < 0 || std::size_t(row) >= listedFiles_.size()) return;
    const unsigned listing = ++idListing_;
    std::string folder = platform::ControlText(ui_.编辑框_merge_folder);
    StripTrailingSlashes(folder);
    const std::string path = JoinPath(folder, listedFiles_[std::size_t(row)]);
    platform::StartWorker([this, listing, path] {
        PageReport report(nullptr);
        const std::optional<std::string> ids = ListIdsOfMergeFile(path, report);
        if (!ids) return;
        platform::CallOnGuiThread([&] {
            if (listing == idListing_) platform::SetControlText(ui_.编辑框_merge_IDlist, *ids);
        });
    });
}

void MergeFasPage::OnMergeSave1Click() {
    BatchMergeSettings settings;
    settings.folder = platform::ControlText(ui_.编辑框_merge_folder);
    settings.idList = platform::ControlText(ui_.编辑框_merge_IDlist);
    StartRun(ui_.按钮_Merge_Save_1, [this, settings] {
        BatchReport report(ui_);
        (void)MergeFolderById(settings, report);
    });
}

// ---- manual mode ----

void MergeFasPage::OnMergeScan1Click() {
    const std::optional<std::string> path = ChooseFileToOpen(kFastaFilter);
    if (!path) return;
    // Nothing may read or change the table while it is replaced.
    StartRun({ui_.按钮_Merge_scan1,
              {ui_.按钮_Merge_scan2, ui_.编辑框_merge_2fas, ui_.按钮_Merge_Run2, ui_.按钮_Merge_Save_2}},
             [this, path = *path] {
                 ManualReport report(ui_, nullptr);
                 (void)LoadFirstMergeFasta(path, *g_MergeTable, report);
             });
}

void MergeFasPage::OnMergeScan2Click() { (void)ChooseFileInto(ui_.编辑框_merge_2fas, kFastaFilter); }

void MergeFasPage::OnMergeRun2Click() {
    const std::string path = platform::ControlText(ui_.编辑框_merge_2fas);
    StartRun({ui_.按钮_Merge_Run2, {ui_.按钮_Merge_scan1, ui_.按钮_Merge_Save_2}}, [this, path] {
        ManualReport report(ui_, ui_.标签_Merge_process1);
        (void)AddSecondMergeFasta(path, *g_MergeTable, report);
    });
}

void MergeFasPage::OnMergeSave2Click() {
    MergeTableSaveSettings settings;
    settings.firstFile = platform::ControlText(ui_.编辑框_merge_1fas);
    settings.secondFile = platform::ControlText(ui_.编辑框_merge_2fas);
    // On a worker, as large tables take seconds to write.
    StartRun({ui_.按钮_Merge_Save_2, {ui_.按钮_Merge_scan1, ui_.按钮_Merge_Run2}}, [this, settings] {
        PageReport report(ui_.标签_Merge_process2);
        (void)SaveMergeTable(settings, *g_MergeTable, report);
    });
}

}  // namespace tulvarine
