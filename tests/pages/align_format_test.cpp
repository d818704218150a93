// The "Align-Format" page on the real main window, with the real aligners:
// colouring, the batch with its file list and hand-over, the conversion's lines
// below its listing, listings that never mix, and radios read once.
#include <unistd.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/shared_state.h"
#include "platform/status_bar.h"
#include "shell/globals.h"
#include "support/folder_entries.h"
#include "support/page_window.h"
#include "tools/aligner_fixtures.h"
#include "ui_main_window.h"

using namespace tulvarine;
namespace fs = std::filesystem;

namespace {

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

QStringList Lines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Status() { return platform::StatusPaneText(1); }
bool IsBlue(const QAbstractButton* b) { return b->palette().color(QPalette::WindowText) == QColor(0, 0, 255); }

}  // namespace

class AlignFormatTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void radiosAndChecksAreColouredByTheirState();
    void batchAlignsTheListedFolderAndHandsItOver();
    void conversionAddsItsLinesBelowTheListing();
    void typingAPathNeverMixesLists();
    void radiosAreReadOnceAtTheStart();

private:
    Ui::MainWindow& ui() { return page_->Ui(); }
    // Clicks near the left end, where a radio or check box has its mark (a
    // short caption leaves the middle of the widget unclickable).
    static void Press(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void Click(QAbstractButton* button) {
        Press(button);
        QVERIFY(page_->WaitForWorkers());
    }
    void SetFolder(QLineEdit* box, const std::string& folder) {
        box->setText(Q(folder));
        QVERIFY(page_->WaitForWorkers());
    }
    // A folder under this test's root holding files of kDnaFasta.
    std::string MakeFolder(const std::string& name, const std::vector<std::string>& files) {
        const std::string folder = root_ + "/" + name;
        fs::create_directories(folder);
        for (const std::string& file : files) WriteFile(folder + "/" + file, testing::kDnaFasta);
        return folder;
    }

    std::unique_ptr<testing::PageWindow> page_;
    std::unique_ptr<QTemporaryDir> files_;
    std::string root_;
};

void AlignFormatTest::initTestCase() {
    page_ = std::make_unique<testing::PageWindow>();
    page_->ShowPage(ui().page_align_format);
}

void AlignFormatTest::init() {
    files_ = std::make_unique<QTemporaryDir>();
    root_ = files_->path().toStdString();
    platform::ShowStatusMessage("");
    SetFolder(ui().编辑框_align_folder, "");
    SetFolder(ui().编辑框_form_in, "");
    Click(ui().单选框align_muscle);
}

void AlignFormatTest::cleanupTestCase() { page_.reset(); }

void AlignFormatTest::radiosAndChecksAreColouredByTheirState() {
    Click(ui().单选框align_prank_codon);
    for (QAbstractButton* radio : {ui().单选框align_muscle, ui().单选框align_mafft, ui().单选框align_prank_dna,
                                   ui().单选框align_prank_aa, ui().单选框align_prank_codon})
        QCOMPARE(IsBlue(radio), radio == ui().单选框align_prank_codon);
    Click(ui().选择框paml);  // unchecked: black; the others stay blue
    for (QAbstractButton* box : {ui().选择框phylipi, ui().选择框phylips, ui().选择框paml, ui().选择框nexus})
        QCOMPARE(IsBlue(box), box != ui().选择框paml);
    Click(ui().选择框paml);
}

void AlignFormatTest::batchAlignsTheListedFolderAndHandsItOver() {
    const std::string in = MakeFolder("in put", {"a.fas", "B.fa", "c d.fas"});
    WriteFile(in + "/notes.txt", testing::kDnaFasta);
    SetFolder(ui().编辑框_align_folder, in);
    QCOMPARE(Lines(ui().列表框_align_process), QStringList({"a.fas", "B.fa", "c d.fas"}));
    QCOMPARE(ui().列表框_align_process->item(2)->data(Qt::UserRole).toInt(), 1);  // a blank in the name

    Click(ui().单选框align_mafft);
    Click(ui().按钮_align_run1);
    QCOMPARE(Lines(ui().列表框_align_process),
             QStringList({"a.fas    Aligned", "B.fa    Aligned", "c d.fas    Error! Space in Filename!"}));
    QCOMPARE(ui().标签_align_process->text(), QString("Done!"));
    QCOMPARE(Status(), std::string("Error:        1 of 3 files not aligned: c d.fas (a blank in the file name)"));
    QVERIFY(ui().按钮_align_run1->isEnabled());
    const std::string out = in + "_align_Mafft";
    QCOMPARE(ui().编辑框_form_in->text(), Q(out));
    QCOMPARE(Lines(ui().列表框_form_process), QStringList({"a.fas", "B.fa"}));
    QCOMPARE(g_AlignFolderFiles->Get(), (TextArray{"a.fas", "B.fa", "c d.fas"}));
    QCOMPARE(g_FormatFolderFiles->Get(), (TextArray{"a.fas", "B.fa"}));
    page_->SaveScreenshot("align_format_batch");

    // Again: results are passed, and the conversion's folder, the same text as
    // before, is listed anew.
    ui().列表框_form_process->clear();
    Click(ui().按钮_align_run1);
    QCOMPARE(Lines(ui().列表框_align_process),
             QStringList({"a.fas    Aligned before. Pass!", "B.fa    Aligned before. Pass!",
                          "c d.fas    Error! Space in Filename!"}));
    QCOMPARE(Lines(ui().列表框_form_process), QStringList({"a.fas", "B.fa"}));
}

void AlignFormatTest::conversionAddsItsLinesBelowTheListing() {
    const std::string in = MakeFolder("aligned", {"x.fas", "y z.fas"});
    SetFolder(ui().编辑框_form_in, in + "/");
    Click(ui().选择框phylips);
    Click(ui().选择框paml);
    Click(ui().按钮_form_run);
    QCOMPARE(Lines(ui().列表框_form_process),
             QStringList({"x.fas", "y z.fas", "x.fas => phylipi", "y z.fas => phylipi", "x.fas => nexus",
                          "y z.fas => nexus"}));
    QCOMPARE(ui().标签_form_process->text(), QString("Done!"));
    QCOMPARE(Status(), std::string("Info:    Format conversion completed!"));
    QCOMPARE(testing::FolderEntries(in + "_nexus"), (std::vector<std::string>{"x.fas.nex", "y z.fas.nex"}));
    QVERIFY(!fs::exists(in + "_phylips"));
    page_->SaveScreenshot("align_format_conversion");
    Click(ui().选择框phylips);
    Click(ui().选择框paml);
}

void AlignFormatTest::typingAPathNeverMixesLists() {
    // The first folder takes far longer to list than the second.
    const std::string many = MakeFolder("many", {});
    for (int i = 0; i < 3000; ++i) WriteFile(many + "/f" + std::to_string(10000 + i) + ".fas", ">a\nA\n");
    const std::string few = MakeFolder("few", {"only.fas"});
    ui().编辑框_align_folder->setText(Q(many));
    ui().编辑框_align_folder->setText(Q(few));
    QVERIFY(page_->WaitForWorkers());
    QCOMPARE(Lines(ui().列表框_align_process), QStringList({"only.fas"}));
    QCOMPARE(g_AlignFolderFiles->Get(), TextArray{"only.fas"});
}

void AlignFormatTest::radiosAreReadOnceAtTheStart() {
    // One file under MUSCLE, the quickest aligner; PRANK, chosen during the
    // run, would name its result differently.
    const std::string in = MakeFolder("once", {"a.fas"});
    SetFolder(ui().编辑框_align_folder, in);
    Press(ui().按钮_align_run1);
    QVERIFY(!ui().按钮_align_run1->isEnabled());
    Press(ui().单选框align_prank_dna);  // during the batch
    QVERIFY(ui().单选框align_prank_dna->isChecked());
    QVERIFY(page_->WaitForWorkers());
    QCOMPARE(testing::FolderEntries(in + "_align_Muscle"), std::vector<std::string>{"a.fas"});
    QVERIFY(!fs::exists(in + "_align_PrankDNA"));
    QCOMPARE(Status(), std::string("Info:    Alignment completed!"));
}

QTEST_MAIN(AlignFormatTest)
#include "align_format_test.moc"
