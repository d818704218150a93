// The "Cmp-2Seq" page on the real main window: the rerun on a switch to the
// page, the grid, the marks in both boxes, the report, the codon table, one
// comparison at a time, "Align and Compare" through MUSCLE, and dropped files.
// What the comparison finds is tested without a window (pair_comparison_test).
#include <QComboBox>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <QUrl>

#include <fstream>
#include <memory>
#include <string>

#include "platform/box_marks.h"
#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "support/event_waits.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
using tulvarine::testing::PageWindow;

namespace {

// A file's bytes, or nothing when it cannot be read.
QByteArray Bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Status() { return platform::StatusPaneText(1); }

// The marks of a box as "start+length colour" items, colour R or B.
QStringList Marks(QTextEdit* box) {
    QStringList marks;
    const platform::BoxMarks& boxMarks = platform::BoxMarks::Of(box);
    for (const platform::BoxMarks::Stretch& s : boxMarks.Stretches()) {
        const QColor colour = boxMarks.FormatAt(s.start)->foreground().color();
        marks << QString("%1+%2 %3").arg(s.start).arg(s.length).arg(colour == QColor(255, 0, 0) ? "R" : "B");
    }
    return marks;
}

// The first line of the report box.
QString Count(const QPlainTextEdit* report) { return report->toPlainText().section('\n', 0, 0).simplified(); }

}  // namespace

class Cmp2SeqTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void switchToThePageComparesTheBoxesInDnaMode();
    void codonModeMarksCountsAndSavesTheCodonTable();
    void codonLengthErrorLeavesMarksAndAnEmptyReport();
    void requestsDuringARunMakeExactlyOneMoreRun();
    void alignAndCompareThroughMuscle();
    void droppedFileFillsTheBox();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    QAbstractItemModel* Grid() { return Ui().高级表格1->model(); }
    QString Marker(int column) { return Grid()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(); }
    void Compare() {
        Ui().按钮_Comp_Run->click();
        QVERIFY(PageWindow::WaitForWorkers());
        TRY_VERIFY(Ui().按钮_Comp_Run->isEnabled());
    }
    // Shows the page and waits for the comparison that a switch starts.
    void ShowPage() {
        page_->ShowPage(Ui().page_cmp2seq);
        QVERIFY(PageWindow::WaitForWorkers());
        TRY_VERIFY(Ui().按钮_Comp_Run->isEnabled());
    }
    void ChooseCode(int entry) {
        Ui().组合框1->setCurrentIndex(entry);
        emit Ui().组合框1->activated(entry);  // as a user's choice in the list
    }

    std::unique_ptr<PageWindow> page_;
};

void Cmp2SeqTest::init() {
    page_ = std::make_unique<PageWindow>();
}

void Cmp2SeqTest::cleanup() {
    page_.reset();
}

void Cmp2SeqTest::switchToThePageComparesTheBoxesInDnaMode() {
    page_->ShowPage(Ui().page_cmp2seq);
    QVERIFY(PageWindow::WaitForWorkers());
    TRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Ui().按钮_Comp_Run));
    QCOMPARE(Grid()->columnCount(), 9);
    QCOMPARE(Grid()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), QString("Seq2"));
    QCOMPARE(Grid()->data(Grid()->index(0, 2), Qt::BackgroundRole).value<QColor>(), QColor(144, 0, 255));
    QCOMPARE(Marker(2) + Marker(5) + Marker(3), QString("**"));
    QCOMPARE(Marks(Ui().超级编辑框2), QStringList({"2+1 R", "5+1 R"}));
    QCOMPARE(Count(Ui().编辑框_Comp_out), QString("No. of mutations identified: 2"));
    QVERIFY(Ui().按钮_Comp_Save->isEnabled());

    Ui().高级表格1->setCurrentIndex(Grid()->index(1, 6));
    QCOMPARE(Ui().标签_Comp_RC->text(), QString("Seq: 2    Position: 7"));
    page_->SaveScreenshot("cmp2seq_dna");

    // Typing does not compare again; a longer run before leaves nothing behind.
    Ui().超级编辑框1->textCursor().insertText("CC");
    QCOMPARE(Marks(Ui().超级编辑框1), QStringList({"4+1 R", "7+1 R"}));
    Ui().超级编辑框1->setPlainText("ATG");
    Ui().超级编辑框2->setPlainText("ATC");
    Compare();
    QCOMPARE(Grid()->columnCount(), 3);

    // An empty box: "Compare" does nothing.
    Ui().按钮_Sort_Run5->click();
    Ui().按钮_Comp_Run->click();
    QCOMPARE(platform::RunningWorkerCount(), 0);
}

void Cmp2SeqTest::codonModeMarksCountsAndSavesTheCodonTable() {
    ShowPage();
    Ui().单选框_Comp_Codon->click();
    QVERIFY(Ui().组合框1->isEnabled());
    QCOMPARE(Ui().组合框1->currentIndex(), 0);
    QCOMPARE(platform::RunningWorkerCount(), 0);  // the radio compares nothing
    Compare();
    QCOMPARE(Marks(Ui().超级编辑框2), QStringList({"0+3 R", "3+3 B"}));
    QVERIFY(Ui().编辑框_Comp_out->toPlainText().endsWith("0.125"));
    page_->SaveScreenshot("cmp2seq_codon");

    const std::string saved = page_->FilePath("codons.txt");
    platform::dialog_answers::QueueFileName(saved);
    Ui().按钮_Comp_Save->click();
    QVERIFY(PageWindow::WaitForWorkers());  // the save runs as a job
    QCOMPARE(Bytes(saved), QByteArray("1\tATG\tATA\tN\r\n2\tAAA\tAAG\tS\r\n3\tAGA\tAGA\t-\r\n"));
    QCOMPARE(platform::dialog_answers::LastRequest().filter, std::string("Text File (*.txt)|*.txt"));
    QVERIFY(!Ui().按钮_Comp_Save->isEnabled());

    // A code chosen in the list compares again: ATA is M in vertebrate mitochondria.
    ChooseCode(1);
    QVERIFY(PageWindow::WaitForWorkers());
    TRY_COMPARE(Marker(0), QString("@"));
    QVERIFY(Ui().按钮_Comp_Save->isEnabled());
    const std::string unwritable = page_->FilePath("codons.txt/inside.txt");
    platform::dialog_answers::QueueFileName(unwritable);
    Ui().按钮_Comp_Save->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Status(), std::string("Info:    Save failure!"));
    QVERIFY(Ui().按钮_Comp_Save->isEnabled());

    // In DNA mode the list is off and "Save2TxT" writes nothing.
    Ui().单选框_Comp_DNA->click();
    QVERIFY(!Ui().组合框1->isEnabled());
    platform::dialog_answers::QueueFileName(page_->FilePath("dna.txt"));
    Ui().按钮_Comp_Save->click();
    QVERIFY(!QFile::exists(QString::fromStdString(page_->FilePath("dna.txt"))));
}

void Cmp2SeqTest::codonLengthErrorLeavesMarksAndAnEmptyReport() {
    // The balloon goes when any window is activated: let that happen first.
    page_->Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page_->Window(), testing::kWaitLimitMs));
    Ui().按钮_Comp_Run->setFocus();  // the focus comes back to the button before the balloon shows
    Ui().单选框_Comp_Codon->click();
    Ui().超级编辑框1->setPlainText("ATGAAAAG");
    Compare();
    QCOMPARE(Status(), std::string("ERROR! Codon length is not in multiples of 3!"));
    QCOMPARE(QToolTip::text(), QString("ERROR! Codon length are not in multiples of 3!"));
    QCOMPARE(Ui().编辑框_Comp_out->toPlainText(), QString());
    QCOMPARE(Marks(Ui().超级编辑框1).size(), 3);

    // Corrected, the message goes.
    Ui().超级编辑框1->setPlainText("ATGAAAAGA");
    Compare();
    QCOMPARE(Status(), std::string());
    QVERIFY(!Ui().编辑框_Comp_out->toPlainText().isEmpty());
}

void Cmp2SeqTest::requestsDuringARunMakeExactlyOneMoreRun() {
    Ui().单选框_Comp_Codon->click();
    QSignalSpy runs(Grid(), &QAbstractItemModel::modelReset);
    Ui().按钮_Comp_Run->click();
    QVERIFY(!Ui().按钮_Comp_Run->isEnabled());
    QVERIFY(!Ui().按钮_Comp_alignCMP->isEnabled());
    // The run cannot end before events are processed: these three wait as one.
    ChooseCode(3);
    ChooseCode(4);
    ChooseCode(1);
    QVERIFY(PageWindow::WaitForWorkers());
    TRY_VERIFY(Ui().按钮_Comp_Run->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(runs.count(), 2);
    QCOMPARE(Marker(0), QString("@"));  // the second run took the code chosen last
}

void Cmp2SeqTest::alignAndCompareThroughMuscle() {
    ShowPage();
    Ui().超级编辑框1->setPlainText("ATGAAACCCGGGTTTAAACCC\nGGG");
    Ui().超级编辑框2->setPlainText("ATGAAACCCTTTAAACCCGGG");
    Ui().按钮_Comp_alignCMP->click();
    QVERIFY(!Ui().按钮_Comp_Run->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    TRY_VERIFY(Ui().按钮_Comp_alignCMP->isEnabled());
    QCOMPARE(Bytes(page_->ProgramFolder() + "/tmp/2seq.fas"),
             QByteArray(">Seq1\r\nATGAAACCCGGGTTTAAACCC\r\nGGG\r\n>Seq2\r\nATGAAACCCTTTAAACCCGGG\r\n"));
    QCOMPARE(Ui().超级编辑框1->toPlainText(), QString("ATGAAACCCGGGTTTAAACCCGGG"));
    QCOMPARE(Ui().超级编辑框2->toPlainText(), QString("ATGAAACCC---TTTAAACCCGGG"));
    QCOMPARE(Marks(Ui().超级编辑框2), QStringList({"9+3 R"}));
    page_->SaveScreenshot("cmp2seq_aligned");

    // Gaps alone make MUSCLE crash: the status says so, and the boxes stay.
    Ui().超级编辑框1->setPlainText("---");
    Ui().超级编辑框2->setPlainText("---");
    Ui().按钮_Comp_alignCMP->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Status(), std::string("Error:    Alignment failed! muscle ended by signal SIGFPE (arithmetic fault)"));
    QCOMPARE(Ui().超级编辑框1->toPlainText(), QString("---"));
}

void Cmp2SeqTest::droppedFileFillsTheBox() {
    const std::string path = page_->FilePath("pair.fa");
    std::ofstream(path) << ">first\nACGT\nTTGA\n>second\nGGGG\n";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QWidget* viewport = Ui().超级编辑框2->viewport();
    const QPoint centre = viewport->rect().center();
    auto dropOnto = [&] {
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QVERIFY(PageWindow::WaitForWorkers());
    };
    dropOnto();
    TRY_COMPARE(Ui().超级编辑框2->toPlainText(), QString("ACGT\nTTGA"));

    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(page_->FilePath("none.fa")))});
    dropOnto();
    TRY_VERIFY(Status().starts_with("Error:        Cannot open "));
    QCOMPARE(Ui().超级编辑框2->toPlainText(), QString("ACGT\nTTGA"));

    // Lines ended by CR alone are lines; a file without a sequence leaves the
    // user's text as it is and says so.
    const std::string crOnly = page_->FilePath("cr.fa");
    std::ofstream(crOnly) << ">first\rAC\rGT\r>second\rGG\r";
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(crOnly))});
    dropOnto();
    TRY_COMPARE(Ui().超级编辑框2->toPlainText(), QString("AC\nGT"));
    const std::string headersOnly = page_->FilePath("headers.fa");
    std::ofstream(headersOnly) << ">first\r>second\r";
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(headersOnly))});
    dropOnto();
    TRY_COMPARE(Status(), "Error:        No sequence in " + headersOnly);
    QCOMPARE(Ui().超级编辑框2->toPlainText(), QString("AC\nGT"));
}

QTEST_MAIN(Cmp2SeqTest)
#include "cmp2seq_test.moc"
