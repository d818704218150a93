#include "shell/main_window.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMovie>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QWindow>

#include "platform/controls.h"
#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/keys.h"
#include "platform/rich_box.h"
#include "platform/status_bar.h"
#include "shell/exit_window.h"
#include "shell/globals.h"
#include "shell/project.h"
#include "shell/update_history_window.h"
#include "shell/update_window.h"
#include "shell/user_guide.h"
#include "ui_main_window.h"

namespace tulvarine {

namespace {
constexpr int kHomePage = 0;

void SetMarkFormat(CharFormat& format, unsigned colour) {
    format.effects = CharFormat::kUnderline;
    format.colour = colour;
    format.face = "Courier New";
    format.size = 12;
}
}  // namespace

const std::vector<const char*>& MainWindow::BoxesWithoutContextMenu() {
    static const std::vector<const char*> boxes = {
        // Cmp-2Seq
        "超级编辑框1", "超级编辑框2", "编辑框_Comp_out",
        // Cmp-2Align
        "编辑框_comp_align_file1", "编辑框_comp_align_file2", "编辑框1", "编辑框2", "编辑框_Comp_out1",
        // Sort-ID
        "编辑框_Sort_File_Name", "编辑框_Sort_Raw_ID", "编辑框_Sort_User_IDs", "编辑框_Sort_User_IDs1",
        "编辑框_Sort_Final_IDs",
        // MergeFas
        "编辑框_merge_folder", "列表框_merge_files", "编辑框_merge_1fas", "编辑框_merge_2fas", "列表框_merge_files1",
        // Translation
        "编辑框_trans_3", "编辑框_trans_4", "编辑框_trans_1", "编辑框_trans_2", "列表框_trans_process",
        // Align-Format
        "编辑框_align_folder", "列表框_align_process", "编辑框_form_in", "列表框_form_process",
        // Fas-Filter
        "编辑框_extr_file", "编辑框_extra_query_id", "编辑框_extr_file1", "编辑框_extr_file2", "编辑框_extr_file3",
        "编辑框_extr_file4", "编辑框_extr_file5", "编辑框_extr_file6", "编辑框_flt_statis",
        // getORF
        "编辑框_getorf_in", "编辑框_getorf_out", "编辑框_getorf_cutoff_1", "编辑框_getorf_pep",
        "编辑框_getorf_folder_1", "编辑框_getorf_cutoff_2", "编辑框_trans_8",
    };
    return boxes;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    move(50, 50);  // the layout's place: uic gives a top-level window only its size
    setWindowIcon(QIcon(":/tulvarine/icon.png"));
    platform::AttachStatusPanes(ui_->状态条1);
    ConnectHomePage();
    toolPages_ = CreateToolPages({this, *ui_, fileDialog_});
    PreventContextMenus();
    connect(ui_->高级选择夹1, &QTabWidget::currentChanged, this, &MainWindow::OnMainTabChanged);
    OnMainWindowCreated();
}

MainWindow::~MainWindow() = default;

void MainWindow::OnMainWindowCreated() {
    show();
    // Keys reach the window before the focused control, which still gets them.
    if (QWindow* window = windowHandle()) window->installEventFilter(this);
    g_MainWindowReady = true;
    ui_->高级选择夹1->setCurrentIndex(kHomePage);
    platform::SetStatusPaneText(0, "Version: " + std::string(kVersion));
    platform::AcceptPlainTextDrops(ui_->超级编辑框1);
    platform::AcceptPlainTextDrops(ui_->超级编辑框2);
    (void)platform::WorkFolder();  // creates "tmp"; a failure shows nothing
    SetMarkFormat(*g_RedMarkFormat, 0x0000ff);
    SetMarkFormat(*g_BlueMarkFormat, 0xff0000);
    g_SeqBoxFormat->colour = 0;
    g_SeqBoxFormat->face = "Courier New";
    g_SeqBoxFormat->size = 12;
    ApplySeqBoxFormat();
}

void MainWindow::OnMainTabChanged() {
    QWidget* shown = ui_->高级选择夹1->currentWidget();
    for (const std::unique_ptr<ToolPage>& page : toolPages_)
        if (page->Tab() == shown) page->OnShown();
}

void MainWindow::ApplySeqBoxFormat() {
    platform::ApplyDefaultCharFormat(ui_->超级编辑框1, *g_SeqBoxFormat);
    platform::ApplyDefaultCharFormat(ui_->超级编辑框2, *g_SeqBoxFormat);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!OnMainWindowQueryClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

bool MainWindow::OnMainWindowQueryClose() {
    ExitWindow exitWindow(this);
    exitWindow.exec();
    return g_ExitConfirmed;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        OnMainWindowKeyDown(platform::VirtualKeyCode(key->key()), platform::ShiftState(key->modifiers()));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::OnMainWindowKeyDown(int keyCode, int /*shiftState*/) {
    if (keyCode == platform::kKeyF1) (void)platform::OpenDocument(platform::ProgramFolder() + kUserGuidePdf);
}

void MainWindow::ConnectHomePage() {
    connect(ui_->超级按钮1, &QPushButton::clicked, this, &MainWindow::OnManualClick);
    connect(ui_->超级按钮2, &QPushButton::clicked, this, &MainWindow::OnNewsClick);
    connect(ui_->超级链接框1, &QLabel::linkActivated, this, &MainWindow::OnUpdateLinkClick);
    connect(ui_->超级链接框2, &QLabel::linkActivated, this, &MainWindow::OnCitationClick);
    ShowHomePicture();
}

void MainWindow::ShowHomePicture() {
    QLabel* picture = ui_->图片框2;
    auto* movie = new QMovie(":/tulvarine/home_helix.gif", QByteArray(), picture);
    // The picture is taller than its box: shown whole, scaled to the box's height.
    const QSize frame = QImageReader(":/tulvarine/home_helix.gif").size();
    if (frame.height() > picture->height())
        movie->setScaledSize(frame.scaled(picture->size(), Qt::KeepAspectRatio));
    picture->setAlignment(Qt::AlignCenter);
    picture->setMovie(movie);
    movie->start();
}

void MainWindow::OnManualClick() {
    const std::string path =
        platform::ProgramFolder() + UserGuideDocumentName(UserGuideLanguageCode(QLocale::system()));
    (void)ShowFileInExplorer(path, false);
}

void MainWindow::OnNewsClick() {
    UpdateHistoryWindow history(this);
    history.exec();
}

void MainWindow::OnUpdateLinkClick() {
    UpdateWindow update(this);
    update.exec();
}

void MainWindow::OnCitationClick() { (void)platform::OpenWebAddress(std::string(kCitationAddress)); }

void MainWindow::PreventContextMenus() {
    for (const char* name : BoxesWithoutContextMenu())
        if (auto* box = findChild<QWidget*>(QString::fromUtf8(name))) box->setContextMenuPolicy(Qt::PreventContextMenu);
}

}  // namespace tulvarine
