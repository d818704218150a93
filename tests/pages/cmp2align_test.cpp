// The "Cmp-2Align" page on the real main window: the two file views, the
// comparison's report, label and grid, the cell label, the save, and the runs
// that stop on bad input.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

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

// Four sequences aligned twice: the second file moves two gaps and lists the
// records in another order, with CR LF line ends.
constexpr char kFirst[] =
    ">seq1 Homo sapiens\nATGGCC--ACTGAAGTTCTGCAGGAT\n>seq2 Mus musculus\nATGGCCGTACTGAAG--CTGCAGGAT\n"
    ">seq3 Gallus gallus\nATGGCT--ACCGAAGTTCTACAGGAC\n>seq4 Danio rerio\nATG-CCGTACTGAAGTTCTGCAGGAT\n";
constexpr char kSecond[] =
    ">seq3 Gallus gallus\r\nATGGCT--ACCGAAGTTCTACAGGAC\r\n>seq1 Homo sapiens\r\nATGGCC--ACTGAAGTTCTGCAGGAT\r\n"
    ">seq4 Danio rerio\r\nATGC-CGTACTGAAGTTCTGCAGGAT\r\n>seq2 Mus musculus\r\nATGGCCGTACTGAAGCT--GCAGGAT\r\n";
// What the grid holds: the first alignment's residues at the 20 same columns.
constexpr char kConserved[] =
    ">seq3 Gallus gallus\r\nATGT--ACCGAAGACAGGAC\r\n>seq1 Homo sapiens\r\nATGC--ACTGAAGGCAGGAT\r\n"
    ">seq4 Danio rerio\r\nATGCGTACTGAAGGCAGGAT\r\n>seq2 Mus musculus\r\nATGCGTACTGAAGGCAGGAT\r\n";

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Status() { return platform::StatusPaneText(1); }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class Cmp2AlignTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scanShowsEachFileInItsView();
    void runShowsTheReportTheProportionAndTheGrid();
    void badInputStopsTheRunAndKeepsTheLastResult();
    void saveWritesTheConservedColumnsOrSaysItCannot();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    void Run(const std::string& first, const std::string& second) {
        Ui().编辑框_comp_align_file1->setText(Q(first));
        Ui().编辑框_comp_align_file2->setText(Q(second));
        Ui().按钮_Comp_align_run->click();
        QVERIFY(PageWindow::WaitForWorkers());
        QVERIFY(Ui().按钮_Comp_align_run->isEnabled());
    }
    void Scan(QPushButton* scan, const std::string& path) {
        answers::QueueFileName(path);
        scan->click();
        QVERIFY(PageWindow::WaitForWorkers());
    }
    QString ReportLine(int row) {
        QAbstractItemModel* report = Ui().编辑框_Comp_out1->model();
        return report->data(report->index(row < 0 ? report->rowCount() + row : row, 0)).toString();
    }

    std::unique_ptr<PageWindow> page_;
};

void Cmp2AlignTest::init() {
    page_ = std::make_unique<PageWindow>();
    page_->ShowPage(Ui().page_cmp2align);
}

void Cmp2AlignTest::cleanup() {
    page_.reset();
}

void Cmp2AlignTest::scanShowsEachFileInItsView() {
    Scan(Ui().按钮_comp_align_1, page_->WriteFile("1.fas", kFirst));
    QCOMPARE(answers::LastRequest().kind, platform::DialogRequest::kOpen);
    QCOMPARE(answers::LastRequest().filter, std::string("Fasta File (*.fa*)|*.fa*"));
    QCOMPARE(answers::LastRequest().folder, page_->ProgramFolder());
    QCOMPARE(Ui().编辑框_comp_align_file1->text(), Q(page_->FilePath("1.fas")));
    Scan(Ui().按钮_comp_align_2, page_->WriteFile("2.fas", kSecond));
    QCOMPARE(Ui().编辑框1->toPlainText(), QString(kSecond).remove('\r'));
    QCOMPARE(Ui().编辑框2->toPlainText(), QString(kFirst));

    Scan(Ui().按钮_comp_align_1, page_->FilePath("gone.fas"));
    QCOMPARE(Ui().编辑框2->toPlainText(), QString());
    QCOMPARE(Status(), "Error:        Cannot read " + page_->FilePath("gone.fas") + ": No such file or directory");
}

void Cmp2AlignTest::runShowsTheReportTheProportionAndTheGrid() {
    QCOMPARE(ReportLine(0), QString("Different columns between the 2 alignments:"));
    Scan(Ui().按钮_comp_align_1, page_->WriteFile("1.fas", kFirst));
    Scan(Ui().按钮_comp_align_2, page_->WriteFile("2.fas", kSecond));
    Run(page_->FilePath("1.fas"), page_->FilePath("2.fas"));

    QCOMPARE(Ui().标签_Comp_RC3->text(), QString("Proportion Conserved Columns: 76.9231%"));
    QCOMPARE(ReportLine(0), QString("==>There are 4 IDs shared between the 2 alignments:"));
    QCOMPARE(ReportLine(1), QString(">seq3 Gallus gallus"));
    QCOMPARE(ReportLine(7), QString("1-1-1-1-"));
    QCOMPARE(ReportLine(-5), QString("24-24-25-24-"));  // the second alignment's column 26
    QCOMPARE(ReportLine(-4), QString("Same columns: 20"));

    QTableView* grid = Ui().高级表格2;
    QCOMPARE(grid->model()->rowCount(), 5);
    QCOMPARE(grid->model()->columnCount(), 21);
    QCOMPARE(grid->columnWidth(0), 150);
    QCOMPARE(grid->model()->index(2, 0).data().toString(), QString(">seq1 Homo sapiens"));
    const QModelIndex t = grid->model()->index(1, 4);
    QCOMPARE(t.data().toString(), QString("T"));
    QCOMPARE(t.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    QVERIFY(t.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(grid->model()->index(1, 5).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 255, 0));

    grid->setCurrentIndex(grid->model()->index(2, 3));
    QCOMPARE(Ui().标签_Comp_RC2->text(), QString("Seq: 2    Position: 3"));
    page_->SaveScreenshot("cmp2align");

    // A copy takes every selected line of the report.
    QListView* report = Ui().编辑框_Comp_out1;
    report->selectionModel()->select(QItemSelection(report->model()->index(0, 0), report->model()->index(2, 0)),
                                     QItemSelectionModel::Select);
    QTest::keySequence(report, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(),
             QString("==>There are 4 IDs shared between the 2 alignments:\n>seq3 Gallus gallus\n>seq1 Homo sapiens"));
}

void Cmp2AlignTest::badInputStopsTheRunAndKeepsTheLastResult() {
    const std::string first = page_->WriteFile("1.fas", kFirst);
    Run(first, page_->WriteFile("2.fas", kSecond));
    Run(first, page_->WriteFile("bad.fas", ">only a header\n"));
    QCOMPARE(Status(), std::string("Error:    No sequence in alignment file!"));
    Run(page_->FilePath("missing.fas"), first);
    QCOMPARE(Status(), "Error:        Cannot read " + page_->FilePath("missing.fas") + ": No such file or directory");
    QCOMPARE(Ui().标签_Comp_RC3->text(), QString("Proportion Conserved Columns: 76.9231%"));
    QCOMPARE(Ui().高级表格2->model()->columnCount(), 21);

    Run(page_->WriteFile("empty1.fas", ">a\n\n>b\n"), page_->WriteFile("empty2.fas", ">b\n>a\n"));
    QCOMPARE(Ui().标签_Comp_RC3->text(), QString("Proportion Conserved Columns: NA"));
}

void Cmp2AlignTest::saveWritesTheConservedColumnsOrSaysItCannot() {
    const std::string first = page_->WriteFile("1.fas", kFirst);
    Run(first, page_->WriteFile("2.fas", kSecond));
    const std::string saved = page_->FilePath("conserved.fas");
    answers::QueueFileName(saved);
    Ui().按钮_Comp_align_Save->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(answers::LastRequest().kind, platform::DialogRequest::kSave);
    QCOMPARE(answers::LastRequest().filter, std::string("Fasta File (*.fas)|*.fas"));
    QCOMPARE(ReadBytes(saved), std::string(kConserved));
    QCOMPARE(Status(), std::string("Info:    Save successful!"));

    for (const std::string& path : {page_->FilePath("no folder/x.fas"), first}) {
        answers::QueueFileName(path);
        Ui().按钮_Comp_align_Save->click();
        QVERIFY(PageWindow::WaitForWorkers());
        QCOMPARE(Status(), std::string("Info:    Save failure!"));
    }
    QCOMPARE(ReadBytes(first), std::string(kFirst));
    QVERIFY(Ui().按钮_Comp_align_Save->isEnabled());
}

QTEST_MAIN(Cmp2AlignTest)
#include "cmp2align_test.moc"
