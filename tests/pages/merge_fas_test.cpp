// The "MergeFas" page on the real main window: the folder listing and the ID
// listing of a clicked file, the batch merge with its progress, the manual
// merge's load, merge and save, and which buttons wait for which run.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
using tulvarine::testing::PageWindow;
namespace answers = platform::dialog_answers;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Status() { return platform::StatusPaneText(1); }

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

}  // namespace

class MergeFasTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void batchModeListsTheFolderAndMergesIt();
    void onlyTheNewestFolderListingShows();
    void manualModeLoadsMergesAndSaves();
    void tableButtonsWaitForTheRunThatChangesTheTable();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    std::string Path(const std::string& name) const { return page_->FilePath(name); }
    std::string Write(const std::string& name, const std::string& bytes) { return page_->WriteFile(name, bytes); }
    void Click(QPushButton* button) {
        button->click();
        QVERIFY(PageWindow::WaitForWorkers());
    }

    std::unique_ptr<PageWindow> page_;
};

void MergeFasTest::init() {
    page_ = std::make_unique<PageWindow>();
    page_->ShowPage(Ui().page_merge_fas);
}

void MergeFasTest::cleanup() {
    page_.reset();
}

void MergeFasTest::batchModeListsTheFolderAndMergesIt() {
    std::filesystem::create_directory(Path("genes"));
    Write("genes/COX1.fas", ">sp1 cox1\nAAAA\n>sp2\nCC\n");
    Write("genes/atp6.fa", ">SP2\nGG\n>sp1\nTT\n>sp3\nA\n");
    Write("genes/readme.txt", ">sp1\nNNNN\n");

    answers::QueueFileName(Path("genes") + "/");
    Ui().按钮_Merge_scan->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Items(Ui().列表框_merge_files), QStringList({"atp6.fa", "COX1.fas"}));
    QCOMPARE(Ui().标签50->text(), QString("overview of 2 files:"));

    // A click lists the file's IDs; the user then edits the list.
    QTest::mouseClick(Ui().列表框_merge_files->viewport(), Qt::LeftButton, {},
                      Ui().列表框_merge_files->visualItemRect(Ui().列表框_merge_files->item(1)).center());
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Ui().编辑框_merge_IDlist->toPlainText(), QString("sp1\nsp2\n"));
    Ui().编辑框_merge_IDlist->setPlainText("sp2\nsp1\nsp9");

    Click(Ui().按钮_Merge_Save_1);
    QCOMPARE(ReadFile(Path("genes.merged.1.fas")), std::string(">sp2\r\nGGCC\r\n>sp1\r\nTTAAAA\r\n>sp9\r\n\r\n"));
    QCOMPARE(Status(), std::string("Info:    Merge successfully!"));
    QCOMPARE(Ui().标签_Merge_process->text(), QString("100% Done!"));
    QVERIFY(Ui().进度条merge->isHidden());
    QVERIFY(Ui().按钮_Merge_Save_1->isEnabled());
    // The merge's own selection of the file it read did not list that file's IDs.
    QCOMPARE(Ui().列表框_merge_files->currentRow(), 1);
    QCOMPARE(Ui().编辑框_merge_IDlist->toPlainText(), QString("sp2\nsp1\nsp9"));
    page_->SaveScreenshot("merge_fas_batch");

    answers::QueueCancel();  // a cancelled picker empties the box, and with it the list
    Ui().按钮_Merge_scan->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QVERIFY(Ui().编辑框_merge_folder->text().isEmpty());
    QCOMPARE(Ui().列表框_merge_files->count(), 0);
    Click(Ui().按钮_Merge_Save_1);
    QCOMPARE(Status(), std::string("Error:    No folder provided!"));
}

void MergeFasTest::onlyTheNewestFolderListingShows() {
    std::filesystem::create_directory(Path("many"));
    for (int i = 0; i < 10000; ++i) Write("many/" + std::to_string(i) + ".fa", "");
    std::filesystem::create_directory(Path("few"));
    Write("few/only.fas", ">a\nA\n");
    // The first listing takes far longer than the second and ends after it.
    Ui().编辑框_merge_folder->setText(QString::fromStdString(Path("many")));
    Ui().编辑框_merge_folder->setText(QString::fromStdString(Path("few")));
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Items(Ui().列表框_merge_files), QStringList({"only.fas"}));
    QCOMPARE(Ui().标签50->text(), QString("overview of 1 files:"));
}

void MergeFasTest::manualModeLoadsMergesAndSaves() {
    const std::string first = Write("1st.fas", ">a\nAAA\n>b\nCCC\n");
    const std::string second = Write("2nd.fas", ">b\nGG\n>c\nTT\n");
    answers::QueueFileName(first);
    Click(Ui().按钮_Merge_scan1);
    QCOMPARE(Ui().编辑框_merge_1fas->text().toStdString(), first);
    answers::QueueFileName(second);
    Ui().按钮_Merge_scan2->click();
    QCOMPARE(Ui().编辑框_merge_2fas->text().toStdString(), second);
    QCOMPARE(answers::LastRequest().filter, std::string("Fasta File (*.fa*)|*.fa*"));

    Click(Ui().按钮_Merge_Run2);
    QCOMPARE(Items(Ui().列表框_merge_files1),
             QStringList({"b        added successfully", "c        added successfully"}));
    QCOMPARE(Ui().标签_Merge_process1->text(), QString("2/2"));
    QCOMPARE(Status(), std::string("Info:    Add sucessfully!"));

    Click(Ui().按钮_Merge_Save_2);
    QCOMPARE(ReadFile(first + ".merged.2.fas"), std::string(">a\r\nAAA\r\n>b\r\nCCCGG\r\n>c\r\nTT\r\n"));
    QCOMPARE(Ui().标签_Merge_process2->text(), QString("3/3"));
    QCOMPARE(Status(), std::string("Info:    Save successful!"));
    page_->SaveScreenshot("merge_fas_manual");

    answers::QueueCancel();  // a cancelled dialog keeps the table and the list
    Click(Ui().按钮_Merge_scan1);
    QCOMPARE(Ui().列表框_merge_files1->count(), 2);
    answers::QueueFileName(second);  // a new first file empties the list
    Click(Ui().按钮_Merge_scan1);
    QCOMPARE(Ui().列表框_merge_files1->count(), 0);
}

void MergeFasTest::tableButtonsWaitForTheRunThatChangesTheTable() {
    answers::QueueFileName(Write("1st.fas", ">a\nA\n"));
    Ui().按钮_Merge_scan1->click();
    const QList<QWidget*> held = {Ui().按钮_Merge_scan1, Ui().按钮_Merge_scan2, Ui().编辑框_merge_2fas,
                                  Ui().按钮_Merge_Run2, Ui().按钮_Merge_Save_2};
    for (QWidget* control : held) QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(PageWindow::WaitForWorkers());

    Ui().编辑框_merge_2fas->setText(QString::fromStdString(Path("missing.fas")));
    Ui().按钮_Merge_Run2->click();
    QVERIFY(!Ui().按钮_Merge_scan1->isEnabled() && !Ui().按钮_Merge_Run2->isEnabled());
    QVERIFY(!Ui().按钮_Merge_Save_2->isEnabled());
    QVERIFY(Ui().按钮_Merge_scan2->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Status(), "Error:    Cannot open " + Path("missing.fas") + ": No such file or directory");

    Ui().按钮_Merge_Save_2->click();
    QVERIFY(!Ui().按钮_Merge_scan1->isEnabled() && !Ui().按钮_Merge_Run2->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    for (QWidget* control : Ui().分组框_merge_manual->findChildren<QWidget*>())
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
}

QTEST_MAIN(MergeFasTest)
#include "merge_fas_test.moc"
