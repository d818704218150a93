// The getORF page on the real main window: the pasted-sequence search with
// its copy and save, the four file modes, the genetic-code group, the ID map,
// and the errors of missing and unwritable files.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
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

bool Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

std::string Status() { return platform::StatusPaneText(1); }

// FASTA records "<name>-1", "<name>-2", ... of the stretches, as the all-ORFs search writes them.
std::string NumberedRecords(const std::string& name, const std::vector<std::string>& stretches) {
    std::string fasta;
    for (std::size_t k = 0; k < stretches.size(); ++k)
        fasta += ">" + name + "-" + std::to_string(k + 1) + "\r\n" + stretches[k] + "\r\n";
    return fasta;
}

// A cDNA that reads 66 bases on the reverse strand (tta, t x 60, cat: the
// longest ORF) and 63 on the forward one (ATG, A x 60).
const QString kPolyA = "ATG AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\nAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\r\n  TAA\n";
const std::string kPolyT66 = "tta" + std::string(60, 't') + "cat";

}  // namespace

class GetOrfTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pastedLongestOrfIsWrappedShownAndSaved();
    void pastedAllAndMostSimilarModes();
    void emptyInputDoesNothingAndBlankInputShowsTheHeaderAlone();
    void copyPutsTheOutputOnTheClipboard();
    void saveCancelledOrFailedKeepsTheBox();
    void clearAndModeRadiosOfThePastedSearch();
    void longestOrfsOfAFileOnBothStrands();
    void everyGeneticCodeReachesTheFileSearch();
    void similarOrfsOfAFileIgnoreLineBreaksOfTheReference();
    void proteinMapPicksExactIdsBeforeIdsThatContainThem();
    void fileModeRadiosEnableTheirBoxes();
    void scanButtonsFillTheirBoxes();
    void missingAndUnwritableFilesGiveErrors();
    void runButtonIsDisabledFromTheClickToTheEnd();
    void longReferenceOverAThousandRecordsCompletes();

private:
    Ui::MainWindow& Ui() { return page_->Ui(); }
    std::string Write(const std::string& name, const std::string& bytes) { return page_->WriteFile(name, bytes); }
    std::string Path(const std::string& name) const { return page_->FilePath(name); }
    // Puts path in the cDNA box, sets the cut-off, runs the file search and waits for it.
    void RunFile(const std::string& path, const QString& cutoff) {
        Ui().编辑框_getorf_folder_1->setText(QString::fromStdString(path));
        Ui().编辑框_getorf_cutoff_2->setText(cutoff);
        Ui().按钮_getorf_run_cdna->click();
        QVERIFY(PageWindow::WaitForWorkers());
    }
    void RunPasted(const QString& input, const QString& cutoff) {
        Ui().编辑框_getorf_in->setPlainText(input);
        Ui().编辑框_getorf_cutoff_1->setText(cutoff);
        Ui().按钮_getorf_run->click();
        QVERIFY(PageWindow::WaitForWorkers());
    }

    std::unique_ptr<PageWindow> page_;
};

void GetOrfTest::init() {
    page_ = std::make_unique<PageWindow>();
    page_->ShowPage(Ui().page_get_orf);
}

void GetOrfTest::cleanup() {
    page_.reset();
}

void GetOrfTest::pastedLongestOrfIsWrappedShownAndSaved() {
    RunPasted(kPolyA, "60");
    const std::string wrapped = ">ORF-Longest\r\n" + kPolyT66.substr(0, 60) + "\r\n" + kPolyT66.substr(60);
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString::fromStdString(wrapped).replace("\r\n", "\n"));
    QCOMPARE(Ui().高级选择夹3->currentIndex(), 1);
    QVERIFY(Ui().按钮_getorf_run->isEnabled());
    page_->SaveScreenshot("getorf_pasted");

    // The box saved as it was found: CR LF line ends, no line end added.
    const std::string saved = Path("orf.fas");
    platform::dialog_answers::QueueFileName(saved);
    Ui().按钮_getorf_save->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(ReadFile(saved), wrapped);
    QCOMPARE(Status(), std::string("Info:        Save successfully!"));
    QCOMPARE(platform::dialog_answers::LastRequest().kind, platform::DialogRequest::kSave);
    QCOMPARE(platform::dialog_answers::LastRequest().folder, page_->ProgramFolder());

    // A cut-off above the longest ORF leaves the header alone; "70.9" counts as 70.
    RunPasted(kPolyA, "70.9");
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString(">ORF-Longest\n"));
}

void GetOrfTest::pastedAllAndMostSimilarModes() {
    Ui().单选框22->click();
    RunPasted(kPolyA, "６３");  // full-width digits count
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(),
             QString::fromStdString(NumberedRecords("ORF", {"ATG" + std::string(60, 'A'), "G" + std::string(60, 'A') + "TA",
                                                             kPolyT66, "ta" + std::string(60, 't') + "c",
                                                             "a" + std::string(60, 't') + "ca"}))
                 .replace("\r\n", "\n"));

    // The reference pasted over two lines scores as one line: MKKKKKKKKK is
    // closest to the forward ORF, though the reverse one is longer.
    Ui().单选框23->click();
    Ui().编辑框_getorf_pep->setPlainText("MKKKK\nKKKKK");
    RunPasted(kPolyA, "60");
    const std::string forward = "ATG" + std::string(60, 'A');
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(),
             QString::fromStdString(">ORF-Sim\n" + forward.substr(0, 60) + "\n" + forward.substr(60)));

    // No ORF reaches the cut-off: the header alone.
    RunPasted(kPolyA, "90");
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString(">ORF-Sim\n"));
}

void GetOrfTest::emptyInputDoesNothingAndBlankInputShowsTheHeaderAlone() {
    Ui().编辑框_getorf_out->setPlainText("earlier result");
    Ui().按钮_getorf_run->click();
    QCOMPARE(platform::RunningWorkerCount(), 0);
    QVERIFY(Ui().按钮_getorf_run->isEnabled());
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString("earlier result"));
    QCOMPARE(Ui().高级选择夹3->currentIndex(), 0);
    QCOMPARE(Status(), std::string());

    RunPasted("   \n \n", "90");
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString(">ORF-Longest\n"));
    QCOMPARE(Ui().高级选择夹3->currentIndex(), 1);
}

void GetOrfTest::copyPutsTheOutputOnTheClipboard() {
    RunPasted(kPolyA, "60");
    QApplication::clipboard()->setText("something else");
    Ui().按钮_getorf_copy->click();
    QCOMPARE(QApplication::clipboard()->text(), Ui().编辑框_getorf_out->toPlainText());
    QVERIFY(QApplication::clipboard()->text().startsWith(">ORF-Longest\ntta"));
    QCOMPARE(Status(), std::string("Info:        Copy successfully!"));
}

void GetOrfTest::saveCancelledOrFailedKeepsTheBox() {
    Ui().编辑框_getorf_out->setPlainText(">ORF-1\nACG\n");
    platform::dialog_answers::QueueCancel();
    Ui().按钮_getorf_save->click();
    QCOMPARE(Status(), std::string());
    QCOMPARE(QDir(QString::fromStdString(page_->FilesFolder())).entryList(QDir::Files).size(), 0);
    // No page had set a filter on the shared dialog yet.
    QCOMPARE(platform::dialog_answers::LastRequest().filter, std::string("Fasta File (*.fa*)|*.fa*|All Files (*.*)|*.*"));

    platform::dialog_answers::QueueFileName(Path("no such folder/orf.fas"));
    Ui().按钮_getorf_save->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(Status(), std::string("Info:        Save failed!"));
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString(">ORF-1\nACG\n"));

    // A later save keeps the filter the last scan set.
    platform::dialog_answers::QueueCancel();
    Ui().单选框27->click();
    Ui().按钮_getorf_scan_idmap->click();
    platform::dialog_answers::QueueFileName(Path("orf.fas"));
    Ui().按钮_getorf_save->click();
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(platform::dialog_answers::LastRequest().filter, std::string("All Files (*.*)|*.*"));
    QCOMPARE(ReadFile(Path("orf.fas")), std::string(">ORF-1\r\nACG\r\n"));
}

void GetOrfTest::clearAndModeRadiosOfThePastedSearch() {
    QRadioButton* modes[] = {Ui().单选框21, Ui().单选框22, Ui().单选框23};
    QVERIFY(!Ui().编辑框_getorf_pep->isEnabled());
    Ui().单选框23->click();
    QVERIFY(Ui().编辑框_getorf_pep->isEnabled());
    QCOMPARE(TextColour(modes[2]), kBlue);
    QCOMPARE(TextColour(modes[0]), kBlack);
    Ui().编辑框_getorf_pep->setPlainText("MKV");
    Ui().单选框22->click();
    QVERIFY(!Ui().编辑框_getorf_pep->isEnabled());
    QCOMPARE(Ui().编辑框_getorf_pep->toPlainText(), QString("MKV"));  // the text is kept
    QCOMPARE(TextColour(modes[1]), kBlue);
    QCOMPARE(TextColour(modes[2]), kBlack);

    Ui().编辑框_getorf_in->setPlainText("ACGT");
    Ui().编辑框_getorf_out->setPlainText("out");
    Ui().按钮_getorf_clear->click();
    QCOMPARE(Ui().编辑框_getorf_in->toPlainText(), QString());
    QCOMPARE(Ui().编辑框_getorf_out->toPlainText(), QString());
}

void GetOrfTest::longestOrfsOfAFileOnBothStrands() {
    // Record a: the longest ORF is forward frame 3; record b: reverse frame 3;
    // record c: none reaches the cut-off. Lines before the first header are skipped.
    const std::string input = Write("cdna.fa",
                                    "stray line\r\n"
                                    ">a first record\r\nGCAATCTACTAAACTGCTACCTAAC\r\n  TAGTTCTTTTCCCTAATCGGACC  \r\n"
                                    ">b\nTTGTATTCACGTAAAAATATCTAGTTAAGCGCTTATAACCTAAGTAGG\n"
                                    ">c short\nATGTAA\n");
    RunFile(input, "36");
    const std::string output = input + ".orfs.long.fas";
    QCOMPARE(ReadFile(output), std::string(">a first record longest lenth=36\r\nAATCTACTAAACTGCTACCTAACTAGTTCTTTTCCC\r\n"
                                           ">b longest lenth=45\r\ntacttaggttataagcgcttaactagatatttttacgtgaataca\r\n"
                                           "\r\n"));
    QCOMPARE(Status(), "Info:        Saved into " + output);
    QCOMPARE(Ui().标签45->text(), QString("3/3"));
    QVERIFY(Ui().按钮_getorf_run_cdna->isEnabled());
    page_->SaveScreenshot("getorf_file");
}

void GetOrfTest::everyGeneticCodeReachesTheFileSearch() {
    // TGA AGA TAA: forward frame 1 is the only frame whose codons mean
    // different things under the codes; the five others never meet a stop.
    const std::string input = Write("codes.fa", ">x codon table\nTGAAGATAA\n");
    const std::vector<std::string> others{"GAAGAT", "AAGATA", "ttatcttca", "tatctt", "atcttc"};
    auto expected = [&](std::vector<std::string> frameOne) {
        frameOne.insert(frameOne.end(), others.begin(), others.end());
        return NumberedRecords("x", frameOne);
    };
    const std::string standardStops = expected({"", "AGA"});  // TAA TAG TGA
    const std::string vertebrateStops = expected({"TGA", ""});  // TAA TAG AGA AGG: TGA is W
    const std::string twoStops = expected({"TGAAGA"});  // TAA TAG only
    const std::string ciliateStops = expected({"", "AGATAA"});  // TGA only
    const std::vector<std::string> perCode{standardStops, vertebrateStops, twoStops, twoStops, twoStops,
                                           ciliateStops, twoStops, twoStops, standardStops, standardStops};
    QAbstractButton* codes[] = {Ui().单选框11, Ui().单选框12, Ui().单选框13, Ui().单选框14, Ui().单选框15,
                                Ui().单选框16, Ui().单选框17, Ui().单选框18, Ui().单选框19, Ui().单选框20};
    Ui().单选框25->click();
    for (int i = 0; i < 10; ++i) {
        codes[i]->click();
        for (int j = 0; j < 10; ++j) QCOMPARE(TextColour(codes[j]), i == j ? kBlue : kBlack);
        RunFile(input, "0");
        QCOMPARE(ReadFile(input + ".orfs.all.fas"), perCode[std::size_t(i)]);
    }
}

void GetOrfTest::similarOrfsOfAFileIgnoreLineBreaksOfTheReference() {
    const std::string input = Write("cdna.fa", ">g1 first gene\nATGAAATGGTTTTAAGCTGCTGCTGCTGCTTAA\n");
    Ui().单选框26->click();
    QVERIFY(Ui().编辑框_trans_8->isEnabled());
    QCOMPARE(Ui().编辑框_trans_8->toPlainText(), QString("Pase your single ref protein sequence here"));
    Ui().编辑框_trans_8->setPlainText("MK\nWF\n");
    RunFile(input, "12");
    const std::string output = input + ".orfs.sim1.fas";
    QCOMPARE(ReadFile(output), std::string(">g1 first gene similarest simscore=40\r\nATGAAATGGTTT\r\n"));
    // Blanks stay: one residue against a gap.
    Ui().编辑框_trans_8->setPlainText("MK WF");
    RunFile(input, "12");
    QCOMPARE(ReadFile(output), std::string(">g1 first gene similarest simscore=39\r\nATGAAATGGTTT\r\n"));
    QCOMPARE(Status(), "Info:        Saved into " + output);
}

void GetOrfTest::proteinMapPicksExactIdsBeforeIdsThatContainThem() {
    const std::string cdna = Write("cdna.fa",
                                   ">g1 first gene\nATGAAATGGTTTTAAGCTGCTGCTGCTGCTTAA\n"
                                   ">g10 second\nATGCCCCCCTGAATGGAAGAAGAAGAAGAATAG\n"
                                   ">g2\nATGCATCATCATCATTGA\n"
                                   ">g3\nATGGGGGGGGGGGGGTGA\n"
                                   ">g4 short\nATGTAA\n");
    // p10 comes first, so p1 is also found inside the header of p10.
    const std::string proteins = Write("pep.fa", ">p10 protein ten\nMEEEEE\n>p1 protein one\nMK\nWF\n");
    // g10 comes first, so g1 is also found inside the name "g10 second".
    const std::string map = Write("map.txt", "g10\tp10\n>g1 \t >p1\nonly-one-field\n g3\tp9\tignored\n");
    Ui().单选框27->click();
    Ui().编辑框_getorf_folder_2->setText(QString::fromStdString(proteins));
    Ui().编辑框_getorf_folder_3->setText(QString::fromStdString(map));
    RunFile(cdna, "12");
    const std::string output = cdna + ".orfs.sim2.fas";
    QCOMPARE(ReadFile(output), std::string(">g1 first gene|p1 similarest simscore=40\r\nATGAAATGGTTT\r\n"
                                           ">g10 second|p10 similarest simscore=60\r\nATGGAAGAAGAAGAAGAA\r\n"
                                           ">g2 longest lenth=18\r\ntcaatgatgatgatgcat\r\n"
                                           ">g3 longest lenth=18\r\ntcacccccccccccccat\r\n"
                                           "\r\n"));
    QCOMPARE(Status(), "Info:        Saved into " + output);
    QCOMPARE(Ui().标签45->text(), QString("5/5"));
}

void GetOrfTest::fileModeRadiosEnableTheirBoxes() {
    QWidget* pep[] = {Ui().按钮_getorf_scan_pep, Ui().编辑框_getorf_folder_2};
    QWidget* map[] = {Ui().按钮_getorf_scan_idmap, Ui().编辑框_getorf_folder_3};
    QAbstractButton* modes[] = {Ui().单选框24, Ui().单选框25, Ui().单选框26, Ui().单选框27};
    struct Row {
        int mode;
        bool reference, files;
    };
    for (const Row row : {Row{3, false, true}, Row{2, true, false}, Row{1, false, false}, Row{3, false, true},
                          Row{0, false, false}}) {
        modes[row.mode]->click();
        QCOMPARE(Ui().编辑框_trans_8->isEnabled(), row.reference);
        for (QWidget* control : {pep[0], pep[1], map[0], map[1]}) QCOMPARE(control->isEnabled(), row.files);
        for (int j = 0; j < 4; ++j) QCOMPARE(TextColour(modes[j]), j == row.mode ? kBlue : kBlack);
    }

    // Ctrl+A in the reference box selects its whole text.
    Ui().单选框26->click();
    Ui().编辑框_trans_8->setPlainText("MKV\nLLA");
    QTest::keyClick(Ui().编辑框_trans_8, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Ui().编辑框_trans_8->textCursor().selectedText(), QString("MKV") + QChar(0x2029) + "LLA");
    Ui().按钮_getorf_clear_cdna->click();
    QCOMPARE(Ui().编辑框_trans_8->toPlainText(), QString());
}

void GetOrfTest::scanButtonsFillTheirBoxes() {
    using platform::dialog_answers::LastRequest;
    platform::dialog_answers::QueueFileName("/data/cdna 1.fa");
    Ui().按钮_getorf_scan_cdna->click();
    QCOMPARE(Ui().编辑框_getorf_folder_1->text(), QString("/data/cdna 1.fa"));
    QCOMPARE(LastRequest().kind, platform::DialogRequest::kOpen);
    QCOMPARE(LastRequest().filter, std::string("Fasta File (*.fa*)|*.fa*"));
    QCOMPARE(LastRequest().folder, page_->ProgramFolder());

    Ui().单选框27->click();
    platform::dialog_answers::QueueFileName("/data/pep.fa");
    Ui().按钮_getorf_scan_pep->click();
    QCOMPARE(Ui().编辑框_getorf_folder_2->text(), QString("/data/pep.fa"));
    platform::dialog_answers::QueueFileName("/data/map.txt");
    Ui().按钮_getorf_scan_idmap->click();
    QCOMPARE(Ui().编辑框_getorf_folder_3->text(), QString("/data/map.txt"));
    QCOMPARE(LastRequest().filter, std::string("All Files (*.*)|*.*"));

    platform::dialog_answers::QueueCancel();  // cancel changes nothing
    Ui().按钮_getorf_scan_cdna->click();
    QCOMPARE(Ui().编辑框_getorf_folder_1->text(), QString("/data/cdna 1.fa"));
}

void GetOrfTest::missingAndUnwritableFilesGiveErrors() {
    // An empty box writes nothing, not even in the current folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(page_->FilesFolder()));
    RunFile("", "90");
    QDir::setCurrent(previous);
    QCOMPARE(Status(), std::string("Error:        No cDNA fasta file selected!"));
    QCOMPARE(QDir(QString::fromStdString(page_->FilesFolder())).entryList(QDir::Files | QDir::Hidden).size(), 0);

    const std::string missing = Path("missing.fa");
    RunFile(missing, "90");
    QCOMPARE(Status(), "Error:        Cannot read the cDNA fasta file " + missing + ": No such file or directory");
    QVERIFY(!Exists(missing + ".orfs.long.fas"));
    QVERIFY(Ui().按钮_getorf_run_cdna->isEnabled());

    // The output name is taken by a folder: it cannot be created.
    const std::string input = Write("cdna.fa", ">a\nATGAAATAA\n");
    QVERIFY(QDir().mkdir(QString::fromStdString(input + ".orfs.long.fas")));
    RunFile(input, "90");
    QCOMPARE(Status(), "Error:        Cannot write the output file " + input + ".orfs.long.fas: Is a directory");

    // The per-protein mode names the file it misses and writes no output.
    Ui().单选框27->click();
    RunFile(input, "90");
    QCOMPARE(Status(), std::string("Error:        No ref pep fasta file selected!"));
    const std::string proteins = Write("pep.fa", ">p1\nMK\n");
    Ui().编辑框_getorf_folder_2->setText(QString::fromStdString(proteins));
    Ui().编辑框_getorf_folder_3->setText(QString::fromStdString(Path("missing map.txt")));
    RunFile(input, "90");
    QCOMPARE(Status(), "Error:        Cannot read the ID map file " + Path("missing map.txt") + ": No such file or directory");
    Ui().编辑框_getorf_folder_2->setText(QString::fromStdString(Path("missing.fa")));
    RunFile(input, "90");
    QCOMPARE(Status(), "Error:        Cannot read the ref pep fasta file " + Path("missing.fa") + ": No such file or directory");
    QVERIFY(!Exists(input + ".orfs.sim2.fas"));
    QVERIFY(Ui().按钮_getorf_run_cdna->isEnabled());
}

void GetOrfTest::runButtonIsDisabledFromTheClickToTheEnd() {
    // A second click right after the first finds the button disabled: one run only.
    Ui().编辑框_getorf_in->setPlainText(kPolyA);
    Ui().按钮_getorf_run->click();
    QVERIFY(!Ui().按钮_getorf_run->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    QVERIFY(Ui().按钮_getorf_run->isEnabled());

    const std::string input = Write("cdna.fa", ">a\nATGAAATAA\n");
    Ui().编辑框_getorf_folder_1->setText(QString::fromStdString(input));
    Ui().按钮_getorf_run_cdna->click();
    QVERIFY(!Ui().按钮_getorf_run_cdna->isEnabled());
    QVERIFY(PageWindow::WaitForWorkers());
    QVERIFY(Ui().按钮_getorf_run_cdna->isEnabled());
}

void GetOrfTest::longReferenceOverAThousandRecordsCompletes() {
    std::mt19937 random(1000);
    std::string cdna;
    for (int i = 0; i < 1000; ++i) {
        cdna += ">r" + std::to_string(i) + "\n";
        for (int j = 0; j < 900; ++j) cdna += "ACGT"[random() % 4];
        cdna += "\n";
    }
    std::string reference;
    for (int j = 0; j < 5000; ++j) reference += "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
    const std::string input = Write("many.fa", cdna);
    Ui().单选框26->click();
    Ui().编辑框_trans_8->setPlainText(QString::fromStdString(reference));
    RunFile(input, "90");
    const std::string output = ReadFile(input + ".orfs.sim1.fas");
    QCOMPARE(Status(), "Info:        Saved into " + input + ".orfs.sim1.fas");
    QCOMPARE(Ui().标签45->text(), QString("1000/1000"));
    // One line per record, two more for each record with an ORF of 90 bases.
    int headers = 0;
    for (std::size_t at = 0; (at = output.find(" similarest simscore=", at)) != std::string::npos; ++at) ++headers;
    QVERIFY(headers > 900);
    int lines = 0;
    for (std::size_t at = 0; (at = output.find("\r\n", at)) != std::string::npos; ++at) ++lines;
    QCOMPARE(lines, 1000 + headers);
}

QTEST_MAIN(GetOrfTest)
#include "get_orf_test.moc"
