#include "tools/align_format.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

#include "platform/box_text.h"
#include "platform/controls.h"
#include "platform/folder_listing.h"
#include "platform/folders.h"
#include "platform/gui_thread.h"
#include "platform/radio_groups.h"
#include "platform/shared_state.h"
#include "platform/worker.h"
#include "tools/align_format_routines.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

namespace {

using Turns = platform::RequestTurns;
using FolderFiles = std::unique_ptr<Guarded<TextArray>>;

// Shows names in list (item data 1 for a name with a blank) and keeps them in
// files, the page's global. The global is set on the GUI thread, where the exit
// routine frees it.
void ShowFolderFiles(QListWidget* list, FolderFiles& files, const TextArray& names) {
    std::vector<int> blanks;
    blanks.reserve(names.size());
    for (const std::string& name : names) blanks.push_back(name.find(' ') != std::string::npos ? 1 : 0);
    platform::ReplaceListItems(list, names, blanks);
    platform::CallOnGuiThread([&] {
        if (files) files->Set(names);
    });
}

// Starts the listing of folder into list, in its turn; skipped when a newer
// listing has been asked for by then.
void StartListing(const std::shared_ptr<Turns>& turns, const std::string& folder, QListWidget* list,
                  FolderFiles& files) {
    const Turns::Ticket ticket = turns->Request(Turns::Kind::kListing);
    platform::StartWorker([turns, ticket, folder, list, &files] {
        const Turns::Turn turn = turns->WaitForTurn(ticket);
        if (turns->Overtaken(ticket)) return;
        const TextArray names = platform::ListFastaFiles(folder);
        if (!turns->Overtaken(ticket)) ShowFolderFiles(list, files, names);
    });
}

// The batch's report: its progress label, its file list, and the hand-over of
// its output folder to the conversion's folder box.
class BatchReport : public BatchAlignmentReport {
public:
    BatchReport(Ui::MainWindow& ui, std::function<void(const std::string&)> handOver)
        : ui_(ui), page_(ui.标签_align_process), handOver_(std::move(handOver)) {}
    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void ShowFiles(const TextArray& names) override {
        ShowFolderFiles(ui_.列表框_align_process, g_AlignFolderFiles, names);
    }
    void SetFileLine(std::size_t index, const std::string& text) override {
        platform::SetListItemText(ui_.列表框_align_process, static_cast<int>(index), text);
    }
    void HandOver(const std::string& folder) override {
        page_.Flush();
        handOver_(folder);
    }

private:
    Ui::MainWindow& ui_;
    PageReport page_;
    std::function<void(const std::string&)> handOver_;
};

// The conversion's report: lines below what its list shows already.
class ConversionReport : public FormatConversionReport {
public:
    explicit ConversionReport(Ui::MainWindow& ui)
        : list_(ui.列表框_form_process), page_(ui.标签_form_process) {}
    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    // Queued, not waited for: a line per conversion would otherwise cost a
    // round trip to the window each.
    void AddLine(const std::string& text) override {
        platform::PostToGuiThread([list = QPointer<QListWidget>(list_), item = platform::ShownBoxText(text)] {
            if (list) list->addItem(item);
        });
    }

private:
    QListWidget* list_;
    PageReport page_;
};

}  // namespace

AlignFormatPage::AlignFormatPage(const ToolPageContext& context)
    : ToolPage(context, context.ui.page_align_format),
      aligners_{ui_.单选框align_muscle, ui_.单选框align_mafft, ui_.单选框align_prank_aa, ui_.单选框align_prank_dna,
                ui_.单选框align_prank_codon},
      formats_{ui_.选择框phylipi, ui_.选择框phylips, ui_.选择框paml, ui_.选择框nexus} {
    using Page = AlignFormatPage;
    using Button = QAbstractButton;
    connect(ui_.按钮_align_scan, &Button::clicked, this, &Page::OnAlignScanClick);
    connect(ui_.编辑框_align_folder, &QLineEdit::textChanged, this, &Page::OnAlignFolderChanged);
    connect(ui_.按钮_align_run1, &Button::clicked, this, &Page::OnAlignRunClick);
    connect(ui_.单选框align_muscle, &Button::clicked, this, &Page::OnAlignMuscleClick);
    connect(ui_.单选框align_mafft, &Button::clicked, this, &Page::OnAlignMafftClick);
    connect(ui_.单选框align_prank_aa, &Button::clicked, this, &Page::OnAlignPrankProteinClick);
    connect(ui_.单选框align_prank_dna, &Button::clicked, this, &Page::OnAlignPrankDnaClick);
    connect(ui_.单选框align_prank_codon, &Button::clicked, this, &Page::OnAlignPrankCodonClick);

    connect(ui_.按钮form_in, &Button::clicked, this, &Page::OnFormatScanClick);
    connect(ui_.编辑框_form_in, &QLineEdit::textChanged, this, &Page::OnFormatFolderChanged);
    connect(ui_.按钮_form_run, &Button::clicked, this, &Page::OnFormatRunClick);
    connect(ui_.选择框phylipi, &Button::clicked, this, &Page::OnFormatPhylipiClick);
    connect(ui_.选择框phylips, &Button::clicked, this, &Page::OnFormatPhylipsClick);
    connect(ui_.选择框paml, &Button::clicked, this, &Page::OnFormatPamlClick);
    connect(ui_.选择框nexus, &Button::clicked, this, &Page::OnFormatNexusClick);
}

void AlignFormatPage::OnAlignScanClick() {
    ChooseFolderInto(ui_.编辑框_align_folder, "Choose your folder containing fasta files:");
}

void AlignFormatPage::OnAlignFolderChanged() {
    StartListing(alignListing_, platform::ControlText(ui_.编辑框_align_folder), ui_.列表框_align_process,
                 g_AlignFolderFiles);
}

void AlignFormatPage::OnAlignRunClick() {
    const BatchAlignmentSettings settings{platform::ControlText(ui_.编辑框_align_folder), CheckedAligner(),
                                          platform::ProgramFolder()};
    // The batch lists the folder itself, so listings asked for before it are outdated.
    const Turns::Ticket ticket = alignListing_->Request(Turns::Kind::kListing);
    StartRun(ui_.按钮_align_run1, [this, settings, ticket, turns = alignListing_] {
        const Turns::Turn turn = turns->WaitForTurn(ticket);
        BatchReport report(ui_, [this](const std::string& folder) {
            // The conversion's box lists the folder when its text changes; the
            // same text again must list it anew too (the batch has added files).
            platform::CallOnGuiThread([&] {
                if (platform::ControlText(ui_.编辑框_form_in) == folder)
                    OnFormatFolderChanged();
                else
                    platform::SetControlText(ui_.编辑框_form_in, folder);
            });
        });
        RunBatchAlignment(settings, report);
    });
}

void AlignFormatPage::OnAlignMuscleClick() { ColourAlignerRadios(); }
void AlignFormatPage::OnAlignMafftClick() { ColourAlignerRadios(); }
void AlignFormatPage::OnAlignPrankProteinClick() { ColourAlignerRadios(); }
void AlignFormatPage::OnAlignPrankDnaClick() { ColourAlignerRadios(); }
void AlignFormatPage::OnAlignPrankCodonClick() { ColourAlignerRadios(); }

void AlignFormatPage::ColourAlignerRadios() { platform::ColourByCheckState(aligners_); }

std::optional<Aligner> AlignFormatPage::CheckedAligner() const {
    constexpr Aligner kInOrder[] = {Aligner::kMuscle, Aligner::kMafft, Aligner::kPrankProtein, Aligner::kPrankDna,
                                    Aligner::kPrankCodon};
    for (std::size_t i = 0; i < aligners_.size(); ++i)
        if (aligners_[i]->isChecked()) return kInOrder[i];
    return std::nullopt;
}

void AlignFormatPage::OnFormatScanClick() {
    ChooseFolderInto(ui_.编辑框_form_in, "Choose your folder containing aligned fasta files:");
}

void AlignFormatPage::OnFormatFolderChanged() {
    StartListing(formatListing_, platform::ControlText(ui_.编辑框_form_in), ui_.列表框_form_process,
                 g_FormatFolderFiles);
}

void AlignFormatPage::OnFormatRunClick() {
    FormatConversionSettings settings;
    settings.folder = platform::ControlText(ui_.编辑框_form_in);
    for (std::size_t i = 0; i < formats_.size(); ++i) settings.formats[i] = formats_[i]->isChecked();
    settings.programFolder = platform::ProgramFolder();
    // After the listings asked for before it: its lines go below their names.
    const Turns::Ticket ticket = formatListing_->Request(Turns::Kind::kOther);
    StartRun(ui_.按钮_form_run, [this, settings, ticket, turns = formatListing_] {
        const Turns::Turn turn = turns->WaitForTurn(ticket);
        ConversionReport report(ui_);
        ConvertAlignmentFormats(settings, report);
    });
}

void AlignFormatPage::OnFormatPhylipiClick() { ColourFormatChecks(); }
void AlignFormatPage::OnFormatPhylipsClick() { ColourFormatChecks(); }
void AlignFormatPage::OnFormatPamlClick() { ColourFormatChecks(); }
void AlignFormatPage::OnFormatNexusClick() { ColourFormatChecks(); }

void AlignFormatPage::ColourFormatChecks() { platform::ColourByCheckState(formats_); }

}  // namespace tulvarine
