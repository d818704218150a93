// The Sort-ID page on the real main window: the preview that follows the file
// box, the sort and the classification through their buttons, the order
// radios with the boxes they unlock, and what the status pane says.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/file_dialogs.h"
#include "platform/shared_state.h"
#include "platform/status_bar.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
using tulvarine::testing::PageWindow;

namespace {

const QColor kBlue(0, 0, 255), kBlack(0, 0, 0);

QColor TextColour(const QAbstractButton* button) { return button->palette().color(QPalette::WindowText); }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Status() { return platform::StatusPaneText(1); }

}  // namespace

class SortIdTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void previewFollowsTheFileBoxAndOnlyTheNewestWrites();
    void sortsThroughTheWindowAndShowsTheLog();
    void userOrderRadioUnlocksItsBoxes();
    void classifiesByKeywordsAndSaysWhatWasNotWritten();
    void failuresReachTheStatusPane();
    void aLongHeaderIsShownCutAndWrittenWhole();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    std::string Write(const std::string& name, const std::string& bytes) { return page_->WriteFile(name, bytes); }
    void ChooseFile(const std::string& path) {
        Ui().编辑框_Sort_File_Name->setText(QString::fromStdString(path));
        QVERIFY(PageWindow::WaitForWorkers());
    }
    void Click(QPushButton* button) {
        button->click();
        QVERIFY(PageWindow::WaitForWorkers());
    }

    std::unique_ptr<PageWindow> page_;
};

void SortIdTest::init() {
    page_ = std::make_unique<PageWindow>();
    page_->ShowPage(Ui().page_sort_id);
}

void SortIdTest::cleanup() {
    page_.reset();
}

void SortIdTest::previewFollowsTheFileBoxAndOnlyTheNewestWrites() {
    const std::string small = Write("small.fas", ">b two\nAC\n  >a one  \nGT\n");
    ChooseFile(small);
    QCOMPARE(Ui().编辑框_Sort_Raw_ID->toPlainText(), QString("b two\na one  \n"));
    QCOMPARE(Ui().标签_Sort_Raw_ID_Num->text(), QString("Raw order: 2  Done"));
    QCOMPARE(g_SortIdCount.load(), 2);

    // A slow preview overtaken by a quick one: the quick one's listing stays.
    std::string many;
    while (many.size() < 999'990) many += ">r\n";
    const std::string slow = Write("many.fas", many);
    Ui().编辑框_Sort_File_Name->setText(QString::fromStdString(slow));
    Ui().编辑框_Sort_File_Name->setText(QString::fromStdString(small));
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Ui().编辑框_Sort_Raw_ID->toPlainText(), QString("b two\na one  \n"));
    QCOMPARE(Ui().标签_Sort_Raw_ID_Num->text(), QString("Raw order: 2  Done"));
    QCOMPARE(g_SortIdCount.load(), 2);
}

void SortIdTest::sortsThroughTheWindowAndShowsTheLog() {
    // A realistic file: 3 000 records of 60-column lines, header lines out of order.
    std::string fasta;
    for (int i = 0; i < 3000; ++i) {
        fasta += ">Seq" + std::to_string((i * 7919) % 3000) + " sample=S" + std::to_string(i % 40) + "\n";
        for (int line = 0; line < 1 + i % 5; ++line) fasta += std::string(60, "ACGT"[(i + line) % 4]) + "\n";
    }
    const std::string input = Write("reads.fas", fasta);
    ChooseFile(input);
    Ui().单选框_Sort_auto_2->click();
    Click(Ui().按钮_Sort_Run);
    QCOMPARE(Status(), std::string("Info:        Sort successfully!"));
    QCOMPARE(Ui().标签_Sort_Process->text(), QString("Done!"));
    QVERIFY(Ui().按钮_Sort_Run->isEnabled());
    const QStringList log = Ui().编辑框_Sort_Final_IDs->toPlainText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(log.size(), 3000);
    QCOMPARE(log.front(), QString(">Seq1 sample=S39  len=300"));  // the first of the 300-long, in text order
    QCOMPARE(log.at(1), QString(">Seq1001 sample=S39  len=300"));
    QCOMPARE(Ui().进度条1->value(), Ui().进度条1->maximum());
    QCOMPARE(Ui().进度条1->maximum(), 5);  // five lengths
    const std::string output = ReadFile(input + ".auto.sort.2.1.fas");
    QCOMPARE(output.size(), fasta.size() + std::count(fasta.begin(), fasta.end(), '\n'));
    QVERIFY(output.rfind(">Seq1 sample=S39\r\n" + std::string(60, 'T') + "\r\n", 0) == 0);
    QCOMPARE(TextColour(Ui().单选框_Sort_auto_2), kBlue);
    QCOMPARE(TextColour(Ui().单选框_Sort_auto), kBlack);
    page_->SaveScreenshot("sort_id_length_descending");
}

void SortIdTest::userOrderRadioUnlocksItsBoxes() {
    QVERIFY(!Ui().编辑框_Sort_User_IDs->isEnabled());
    Ui().单选框_Sort_User_ID->click();
    QVERIFY(Ui().编辑框_Sort_User_IDs->isEnabled());
    QVERIFY(Ui().编辑框_Sort_User_IDs1->isEnabled());
    QCOMPARE(Ui().编辑框_Sort_User_IDs->frameShape(), Ui().编辑框_Sort_Raw_ID->frameShape());
    QCOMPARE(TextColour(Ui().单选框_Sort_User_ID), kBlue);

    // Ctrl+A selects the whole box; Ctrl+Shift+A does not.
    QTest::keyClick(Ui().编辑框_Sort_User_IDs, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!Ui().编辑框_Sort_User_IDs->textCursor().hasSelection());
    QTest::keyClick(Ui().编辑框_Sort_User_IDs, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Ui().编辑框_Sort_User_IDs->textCursor().selectedText(), Ui().编辑框_Sort_User_IDs->toPlainText().replace('\n', QChar(0x2029)));

    const std::string input = Write("in.fas", ">seq1 x\nAAA\n>seq2\nCC\n");
    ChooseFile(input);
    Ui().按钮_Sort_Run2->click();
    QCOMPARE(Ui().编辑框_Sort_User_IDs->toPlainText(), QString());
    Ui().编辑框_Sort_User_IDs->setPlainText("seq2 two\nseq1\nseq9");
    Click(Ui().按钮_Sort_Run);
    QCOMPARE(ReadFile(input + ".auto.sort.3.fas"), std::string(">two\r\nCC\r\n>seq1\r\nAAA\r\n"));
    QCOMPARE(Ui().编辑框_Sort_Final_IDs->toPlainText(), QString("seq2 ==> two\nseq1 ==> seq1\nseq9 Not found\n"));

    Ui().单选框_Sort_auto->click();
    QVERIFY(!Ui().编辑框_Sort_User_IDs->isEnabled());
    QVERIFY(!Ui().编辑框_Sort_User_IDs1->isEnabled());
    QCOMPARE(TextColour(Ui().单选框_Sort_User_ID), kBlack);
}

void SortIdTest::classifiesByKeywordsAndSaysWhatWasNotWritten() {
    // No file yet: the click does nothing.
    Click(Ui().按钮_Sort_Class);
    QCOMPARE(Ui().标签_Sort_Process->text(), QString("0%"));

    const std::string input = Write("all.fas", ">Homo_1\nAA\n>mus_2\nCC\n>Mus_homo_3\nGG\n");
    ChooseFile(input);
    // The keyword box still holds its layout text, which is then the keyword.
    Click(Ui().按钮_Sort_Class);
    QCOMPARE(ReadFile(input + "keywords should be part of the raw ID.class.fas"), std::string());
    QCOMPARE(Ui().标签_Sort_Process->text(), QString("Done!"));

    Ui().单选框_Sort_User_ID->click();
    Ui().编辑框_Sort_User_IDs1->setPlainText("Homo\na/b");
    Click(Ui().按钮_Sort_Class);
    QCOMPARE(ReadFile(input + "Homo.class.fas"), std::string(">Homo_1\r\nAA\r\n>Mus_homo_3\r\nGG\r\n"));
    QVERIFY(Ui().编辑框_Sort_Final_IDs->toPlainText().endsWith("Homo\na/b (not written)\n"));
    QCOMPARE(Status(), "Error:        Cannot open " + input + "a/b.class.fas!");
    QVERIFY(Ui().按钮_Sort_Class->isEnabled());
}

void SortIdTest::failuresReachTheStatusPane() {
    const std::string input = Write("in.fas", ">a\nA\n");
    std::filesystem::create_directory(input + ".auto.sort.1.fas");  // the output's name is taken by a folder
    ChooseFile(input);
    Ui().编辑框_Sort_Final_IDs->setPlainText("earlier log");
    Click(Ui().按钮_Sort_Run);
    QCOMPARE(Status(), "Error:        Cannot write " + input + ".auto.sort.1.fas: Is a directory");
    QVERIFY(Ui().按钮_Sort_Run->isEnabled());

    // No file at the path: the run ends at once, leaves the log and names the file.
    ChooseFile(input + ".missing");
    QCOMPARE(Ui().标签_Sort_Raw_ID_Num->text(), QString("Raw order: 0  Done"));
    QCOMPARE(g_SortIdCount.load(), 0);
    Ui().编辑框_Sort_Final_IDs->setPlainText("earlier log");
    Click(Ui().按钮_Sort_Run);
    QCOMPARE(Ui().编辑框_Sort_Final_IDs->toPlainText(), QString("earlier log"));
    QCOMPARE(Status(), "Error:        Cannot open " + input + ".missing: No such file or directory");
    // The bar's range is never 0..0, which would show the busy animation.
    QVERIFY(Ui().进度条1->maximum() > Ui().进度条1->minimum());
}

void SortIdTest::aLongHeaderIsShownCutAndWrittenWhole() {
    const std::string header = ">long " + std::string(3 << 20, 'h');
    const std::string input = Write("long.fas", ">b\nAC\n" + header + "\nGGG\n");
    ChooseFile(input);
    // Shown: the first 1 000 bytes and an ellipsis (the preview's start after ">").
    auto shown = [&](std::size_t from) { return QString::fromStdString(header.substr(from, 1000)) + QChar(0x2026); };
    QCOMPARE(Ui().编辑框_Sort_Raw_ID->toPlainText(), "b\n" + shown(1) + "\n...file size > 1Mb\n"
                                                     "...Skip listing the raw IDs\n...Click Sort to continue\n");
    Ui().单选框_Sort_auto_2->click();
    Click(Ui().按钮_Sort_Run);
    QCOMPARE(Status(), std::string("Info:        Sort successfully!"));
    QCOMPARE(Ui().编辑框_Sort_Final_IDs->toPlainText(), shown(0) + "  len=3\n>b  len=2\n");
    QCOMPARE(ReadFile(input + ".auto.sort.2.1.fas"), header + "\r\nGGG\r\n>b\r\nAC\r\n");
}

QTEST_MAIN(SortIdTest)
#include "sort_id_test.moc"
