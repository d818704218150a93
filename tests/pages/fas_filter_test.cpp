// The Fas-Filter page on the real main window: the shared input and the ID
// box, the three "==>Run2Save" filters, the gap filter's boxes, warning and
// run, and the statistics report.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "support/page_window.h"
#include "support/temp_dir.h"
#include "ui_main_window.h"

using namespace tulvarine;
using tulvarine::testing::PageWindow;
using tulvarine::testing::ReadBytes;

namespace {

const QColor kBlue(0, 0, 255), kBlack(0, 0, 0);

QColor TextColour(const QAbstractButton* button) { return button->palette().color(QPalette::WindowText); }

std::string Status() { return platform::StatusPaneText(1); }

// Counts the times a widget is shown (its window need not be on screen).
class ShowCounter : public QObject {
public:
    int shown = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        shown += event->type() == QEvent::ShowToParent;
        return false;
    }
};

}  // namespace

class FasFilterTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scanFillsTheInputTheCodonBoxesAndTheIds();
    void runTwoSaveFiltersWriteBesideTheInput();
    void gapRegionsExcludeEachOtherAndNoneBlinksTheBars();
    void gapFilterRunsWithItsBarShownOnlyWhileItRuns();
    void statisticsReportAndBadSequenceNote();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    std::string Write(const std::string& name, const std::string& bytes) { return page_->WriteFile(name, bytes); }
    void Click(QPushButton* run) {
        run->click();
        QVERIFY(PageWindow::WaitForWorkers());
        QVERIFY(run->isEnabled());
    }

    std::unique_ptr<PageWindow> page_;
};

void FasFilterTest::init() {
    page_ = std::make_unique<PageWindow>();
    page_->ShowPage(Ui().page_fas_filter);
}

void FasFilterTest::cleanup() {
    page_.reset();
}

void FasFilterTest::scanFillsTheInputTheCodonBoxesAndTheIds() {
    platform::dialog_answers::QueueFileName("/d/a.fas");
    Ui().按钮_extr_scan->click();
    QCOMPARE(Ui().编辑框_extr_file->text(), QString("/d/a.fas"));
    QCOMPARE(Ui().编辑框_extr_file3->text(), QString("/d/a.fas.3rd.fas"));
    QCOMPARE(platform::dialog_answers::LastRequest().filter, std::string("Fasta File (*.fa*)|*.fa*"));

    // The ID file replaces the box; bytes that are not UTF-8 come back unchanged.
    Ui().编辑框_extra_query_id->setPlainText("old");
    platform::dialog_answers::QueueFileName(Write("ids.txt", "s\xE9q1\r\nb"));
    Click(Ui().按钮_extr_scan2);
    QCOMPARE(platform::dialog_answers::LastRequest().filter, std::string("All Files|*.*"));
    QCOMPARE(Ui().编辑框_extra_query_id->toPlainText(), QString::fromLatin1("s\xE9q1\nb\n"));
    const std::string input = Write("in.fas", ">s\xE9q1 x\nAC\n>b2\nGG\n");
    Ui().编辑框_extr_file->setText(QString::fromStdString(input));
    Click(Ui().按钮_extr_scan4);
    QCOMPARE(ReadBytes(input + ".extr.fas"), std::string(">s\xE9q1 x\r\nAC\r\n"));

    platform::dialog_answers::QueueFileName(Write("missing/ids.txt", ""));
    Click(Ui().按钮_extr_scan2);
    QCOMPARE(Ui().编辑框_extra_query_id->toPlainText(), QString::fromLatin1("s\xE9q1\nb\n"));
    QVERIFY(Status().rfind("Error:        Cannot read ", 0) == 0);
    Ui().按钮_Sort_Run3->click();
    QCOMPARE(Ui().编辑框_extra_query_id->toPlainText(), QString());
}

void FasFilterTest::runTwoSaveFiltersWriteBesideTheInput() {
    const std::string input = Write("in.fas", ">a\nATGCCC\n>b\nATG\n");
    Ui().编辑框_extr_file->setText(QString::fromStdString(input));
    Ui().编辑框_extra_query_id->setPlainText("b");
    Ui().单选框remove->click();
    Ui().选择框revcmp->click();
    Click(Ui().按钮_extr_scan4);
    QCOMPARE(ReadBytes(input + ".remv.fas"), std::string(">a\r\nGGGCAT\r\n"));
    QCOMPARE(Status(), std::string("Info:        Deletion Complete!"));
    QCOMPARE(Ui().标签extr_process2->text(), QString("Done! Outfile = in.fas.remv.fas"));

    Ui().编辑框_extr_file2->setText(QString::fromStdString(input + ".2nd"));
    Ui().选择框1stcodon->click();
    Ui().选择框3rdcodon->click();
    Click(Ui().按钮_extr_scan3);
    QCOMPARE(ReadBytes(input + ".2nd"), std::string(">a\r\nTC\r\n>b\r\nT\r\n"));
    QCOMPARE(Ui().标签extr_process1->text(), QString("Done!"));

    // Decimals are cut, letters count as 0.
    Ui().编辑框_extr_file4->setText("3.9");
    Ui().编辑框_extr_file6->setText("x");
    Click(Ui().按钮_leng_filter);
    QCOMPARE(ReadBytes(input + ".lenflt.fas"), std::string());
    Ui().编辑框_extr_file6->setText("６");  // full width
    Click(Ui().按钮_leng_filter);
    QCOMPARE(ReadBytes(input + ".lenflt.fas"), std::string(">a\r\nATGCCC\r\n>b\r\nATG\r\n"));
    QCOMPARE(Ui().标签extr_process->text(), QString(">b    passed    2/2"));
    QCOMPARE(Status(), std::string("Info:        Filtering Complete!"));
    page_->SaveScreenshot("fas_filter_run2save");
}

void FasFilterTest::gapRegionsExcludeEachOtherAndNoneBlinksTheBars() {
    Ui().选择框rmAll->click();
    QVERIFY(!Ui().选择框rmEnd->isChecked());
    QCOMPARE(TextColour(Ui().选择框rmAll), kBlue);
    QCOMPARE(TextColour(Ui().选择框rmEnd), kBlack);
    Ui().单选框rp->click();
    QCOMPARE(TextColour(Ui().单选框rp), kBlue);
    QCOMPARE(TextColour(Ui().单选框rm_rp), kBlack);

    Ui().选择框rmAll->click();  // unchecks itself: no region
    QVERIFY(!Ui().选择框rmAll->isChecked() && !Ui().选择框rmEnd->isChecked());
    ShowCounter top;
    Ui().外形框1->installEventFilter(&top);
    Ui().编辑框_extr_file->setText(QString::fromStdString(Write("in.fas", ">a\n-A\n")));
    Click(Ui().按钮_cut_run);
    QCOMPARE(Status(), std::string("Info:        Error! Please choose which region's gaps to remove/replace!"));
    QCOMPARE(top.shown, 6);
    QVERIFY(Ui().外形框1->isHidden() && Ui().外形框2->isHidden());
    QVERIFY(!QFile::exists(Ui().编辑框_extr_file->text() + ".cut.all.fas"));
}

void FasFilterTest::gapFilterRunsWithItsBarShownOnlyWhileItRuns() {
    const std::string input = Write("in.fas", ">a\n--AC-\n>b\n-GAC-\n>c\nAGA*C\n");
    Ui().编辑框_extr_file->setText(QString::fromStdString(input));
    Ui().编辑框_extr_file5->setText("0.5");
    Ui().选择框rmAll->click();
    Ui().按钮_cut_run->click();
    QVERIFY(!Ui().进度条3->isHidden());
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(ReadBytes(input + ".cut.all.fas"), std::string(">a\r\nNAC\r\n>b\r\nGAC\r\n>c\r\nGA*\r\n"));
    QCOMPARE(Status(), std::string("Info:        Cut alignment successfully!"));
    QCOMPARE(Ui().标签extr_process3->text(), QString("Done! Output = in.fas.cut.all.fas"));
    QVERIFY(Ui().进度条3->isHidden());
    QVERIFY(Ui().按钮_cut_run->isEnabled());

    // An empty box is the default threshold, 0.25: column 2 (one gap in three) goes too.
    Ui().编辑框_extr_file5->clear();
    Ui().选择框rmEnd->click();
    Click(Ui().按钮_cut_run);
    QCOMPARE(ReadBytes(input + ".cut.end.fas"), std::string(">a\r\nAC\r\n>b\r\nAC\r\n>c\r\nA*\r\n"));
}

void FasFilterTest::statisticsReportAndBadSequenceNote() {
    const std::string good = std::string(100, 'A');
    const std::string gappy = std::string(60, '-') + std::string(40, 'A');
    const std::string input =
        Write("aln.fas", ">alpha\n" + good + "\n>beta\n" + good + "\n>gamma\n" + good + "\n>delta\n" + good +
                             "\n>bad one\n" + gappy + "\n");
    Ui().编辑框_extr_file->setText(QString::fromStdString(input));
    Click(Ui().按钮_cut_run1);
    QCOMPARE(Ui().编辑框_flt_statis->toPlainText(),
             QString("No. of sequences:                5\nTotal alignment length:          100\n"
                     "Total block length:              40\nMean identity score:             1\n"
                     "Potentially bad sequences:       bad one"));
    QVERIFY(!Ui().标签_bad_seq->isHidden());
    QCOMPARE(Ui().进度条2->maximum(), 5);
    QCOMPARE(Ui().进度条2->value(), 5);
    QCOMPARE(Status(), std::string("Info:        Calculation complete!"));
    page_->SaveScreenshot("fas_filter_statistics");

    Ui().编辑框_extr_file->setText(QString::fromStdString(Write("ok.fas", ">a\nAC\n>b\nAG\n")));
    Click(Ui().按钮_cut_run1);
    QVERIFY(Ui().标签_bad_seq->isHidden());
    QVERIFY(Ui().编辑框_flt_statis->toPlainText().endsWith("Potentially bad sequences:       No"));
}

QTEST_MAIN(FasFilterTest)
#include "fas_filter_test.moc"
