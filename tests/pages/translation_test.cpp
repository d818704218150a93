// The "Translation" page on the real main window: pasted plain and FASTA text
// under every genetic code, the work file, save and scan, the folder pickers,
// and the folder mode with its file list, progress label and failures.
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_dialogs.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/page_window.h"
#include "ui_main_window.h"

using namespace tulvarine;
namespace fs = std::filesystem;
namespace answers = platform::dialog_answers;

namespace {

constexpr int kTranslationPage = 5;

// The 64 codons with the first base slowest, then the second, then the third
// (T, C, A, G each), and their amino acids under the standard code.
std::vector<std::string> AllCodons() {
    static const char kBases[] = "TCAG";
    std::vector<std::string> codons;
    for (char first : std::string_view(kBases, 4))
        for (char second : std::string_view(kBases, 4))
            for (char third : std::string_view(kBases, 4)) codons.push_back({first, second, third});
    return codons;
}
constexpr char kStandardAminoAcids[] = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";

// A radio of the code group, the code it stands for, and how that code differs
// from the standard one.
struct GeneticCode {
    const char* radio;
    int index;
    std::map<std::string, char> changes;
};
const std::array<GeneticCode, 10>& Codes() {
    static const std::array<GeneticCode, 10> codes = {{
        {"单选框1", 0, {}},
        {"单选框2", 1, {{"AGA", '*'}, {"AGG", '*'}, {"ATA", 'M'}, {"TGA", 'W'}}},
        {"单选框3", 2, {{"ATA", 'M'}, {"CTT", 'T'}, {"CTC", 'T'}, {"CTA", 'T'}, {"CTG", 'T'}, {"TGA", 'W'}}},
        {"单选框4", 3, {{"TGA", 'W'}}},
        {"单选框5", 4, {{"AGA", 'S'}, {"AGG", 'S'}, {"ATA", 'M'}, {"TGA", 'W'}}},
        {"单选框6", 5, {{"TAA", 'Q'}, {"TAG", 'Q'}}},
        {"单选框7", 8, {{"AAA", 'N'}, {"AGA", 'S'}, {"AGG", 'S'}, {"TGA", 'W'}}},
        {"单选框8", 9, {{"TGA", 'C'}}},
        {"单选框9", 10, {}},
        {"单选框10", 11, {{"CTG", 'S'}}},
    }};
    return codes;
}

std::string AminoAcidsOf(const GeneticCode& code) {
    std::string aminoAcids;
    const std::vector<std::string> codons = AllCodons();
    for (std::size_t i = 0; i < codons.size(); ++i) {
        const auto change = code.changes.find(codons[i]);
        aminoAcids += change != code.changes.end() ? change->second : kStandardAminoAcids[i];
    }
    return aminoAcids;
}

// The 64 codons as a user pastes them: lines of ten codons, some in lower case,
// a blank here and there; then a gap codon, an unknown one and two spare bases.
std::string PastedCodons() {
    std::string text;
    const std::vector<std::string> codons = AllCodons();
    for (std::size_t i = 0; i < codons.size(); ++i) {
        std::string codon = codons[i];
        if (i % 3 == 0)
            for (char& c : codon) c = char(c - 'A' + 'a');
        text += codon;
        if (i % 10 == 9) text += "\n";
        if (i % 7 == 3) text += " ";
    }
    return text + "---NNNAC\n";
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in folder, sorted: what a run left there.
std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string Status() { return platform::StatusPaneText(1); }

bool IsBlue(QAbstractButton* button) {
    return button->palette().color(QPalette::WindowText) == QColor(0, 0, 255) &&
           button->palette().color(QPalette::ButtonText) == QColor(0, 0, 255);
}
bool IsBlack(QAbstractButton* button) {
    return button->palette().color(QPalette::WindowText) == QColor(0, 0, 0) &&
           button->palette().color(QPalette::ButtonText) == QColor(0, 0, 0);
}

// The input folder of the folder-mode tests: FASTA files in mixed case, a name
// with blanks and quotes, a file that is no FASTA file and a sub-folder.
struct InputFolder {
    explicit InputFolder(const std::string& root) : path(root + "/in") {
        fs::create_directory(path);
        WriteFile(path + "/B.fas", ">b1 first\r\nATGTGA\r\nAGA\r\n>b2\r\n\r\n");
        WriteFile(path + "/a.fa", ">a\natgaaatag\n");
        WriteFile(path + "/c d'e\".FASTA", ">c \"quoted\" name\nTTTTGG\nT\n");
        WriteFile(path + "/notes.txt", ">n\nATG\n");
        fs::create_directory(path + "/sub.fas");
        WriteFile(path + "/sub.fas/inner.fas", ">i\nATG\n");
    }

    // What each listed file translates to under the vertebrate mitochondrial code (index 1).
    static std::vector<std::pair<std::string, std::string>> Expected() {
        return {
            {"a.fa", ">a\r\nMK*\r\n"},
            {"B.fas", ">b1 first\r\nMW*\r\n>b2\r\n\r\n"},
            {"c d'e\".FASTA", ">c \"quoted\" name\r\nFW\r\n"},
        };
    }

    std::string path;
};

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void codeRadiosColourTheCheckedOneBlue();
    void plainTextUnderEveryCode();
    void fastaTextUnderEveryCode();
    void emptyInputChangesNothing();
    void workFileIsRemovedAndItsFailureShown();
    void runButtonsAreDisabledAtOnce();
    void saveWritesTheOutputBoxAsTyped();
    void scanLoadsAFileAndKeepsTheBoxWhenItCannot();
    void clearEmptiesBothBoxes();
    void folderPickersFillOrEmptyTheirBoxes();
    void folderModeTranslatesEveryFastaFile();
    void folderModeWritesIntoAGivenFolder();
    void folderModeWithoutInputFolderDoesNothing();
    void folderModeReportsAMissingInputFolder();
    void folderModeNeverWritesOverItsInputs();
    void folderModeReportsUnwritableOutputs();
    void folderModeReportsUnreadableInputsAndGoesOn();

private:
    Ui::MainWindow& ui() { return page_->Ui(); }
    QAbstractButton* Radio(const char* name) {
        return page_->Window().findChild<QAbstractButton*>(QString::fromUtf8(name));
    }
    void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(page_->WaitForWorkers());
    }
    void RunManual(const std::string& input) {
        ui().编辑框_trans_3->setPlainText(Q(input));
        Click(ui().按钮_trans_run2);
    }
    // Runs the folder mode on in, out; true when the run ended.
    void RunFolder(const std::string& in, const std::string& out) {
        ui().编辑框_trans_1->setText(Q(in));
        ui().编辑框_trans_2->setText(Q(out));
        Click(ui().按钮_trans_run1);
    }
    QStringList ListedFiles() {
        QStringList names;
        for (int i = 0; i < ui().列表框_trans_process->count(); ++i) names << ui().列表框_trans_process->item(i)->text();
        return names;
    }
    std::string WorkFile() const { return page_->ProgramFolder() + "/tmp/tmp.fas"; }

    std::unique_ptr<testing::PageWindow> page_;
    std::unique_ptr<QTemporaryDir> files_;  // a fresh folder for each test
    std::string root_;
};

void TranslationTest::initTestCase() {
    page_ = std::make_unique<testing::PageWindow>();
    ui().高级选择夹1->setCurrentIndex(kTranslationPage);
}

void TranslationTest::init() {
    files_ = std::make_unique<QTemporaryDir>();
    QVERIFY(files_->isValid());
    root_ = files_->path().toStdString();
    answers::Clear();
    platform::ShowStatusMessage("");
    ui().编辑框_trans_3->clear();
    ui().编辑框_trans_4->clear();
    ui().编辑框_trans_1->clear();
    ui().编辑框_trans_2->clear();
    ui().列表框_trans_process->clear();
    ui().标签_trans_proces->setText("0%");
    ui().高级选择夹2->setCurrentIndex(0);
    Click(ui().单选框1);
}

void TranslationTest::cleanupTestCase() { page_.reset(); }

void TranslationTest::codeRadiosColourTheCheckedOneBlue() {
    for (const GeneticCode& code : Codes()) {
        Click(Radio(code.radio));
        for (const GeneticCode& other : Codes()) {
            QAbstractButton* radio = Radio(other.radio);
            QVERIFY2(other.radio == code.radio ? IsBlue(radio) : IsBlack(radio), other.radio);
        }
    }
}

void TranslationTest::plainTextUnderEveryCode() {
    for (const GeneticCode& code : Codes()) {
        Click(Radio(code.radio));
        ui().高级选择夹2->setCurrentIndex(0);
        RunManual(PastedCodons());
        QCOMPARE(ui().编辑框_trans_4->toPlainText(), Q(AminoAcidsOf(code) + "-X"));
        QCOMPARE(ui().高级选择夹2->currentIndex(), 1);
        QVERIFY(ui().按钮_trans_run2->isEnabled());
    }
    page_->SaveScreenshot("translation_plain");
}

void TranslationTest::fastaTextUnderEveryCode() {
    for (const GeneticCode& code : Codes()) {
        Click(Radio(code.radio));
        const std::string name = "code " + std::to_string(code.index + 1);
        // Text before the first header is no record; a header after two blanks is one.
        RunManual("ATGATG\n  >" + name + "\n" + PastedCodons() + ">short\nAT\n");
        QCOMPARE(ui().编辑框_trans_4->toPlainText(), Q(">" + name + "\n" + AminoAcidsOf(code) + "-X\n>short\n\n"));
        QCOMPARE(ui().高级选择夹2->currentIndex(), 1);
    }
    // A ">" anywhere makes the text FASTA, even in the middle of a line.
    RunManual("ATGATG>x\nATG");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString());
}

void TranslationTest::emptyInputChangesNothing() {
    ui().编辑框_trans_4->setPlainText("kept");
    RunManual("");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString("kept"));
    QCOMPARE(ui().高级选择夹2->currentIndex(), 0);
    QVERIFY(ui().按钮_trans_run2->isEnabled());
    QCOMPARE(Status(), std::string());
}

void TranslationTest::workFileIsRemovedAndItsFailureShown() {
    RunManual(">a\nATGTTT\n");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString(">a\nMF\n"));
    QVERIFY(!fs::exists(WorkFile()));

    // A folder where the work file should go: the user sees why nothing came out.
    fs::create_directories(WorkFile());
    ui().高级选择夹2->setCurrentIndex(0);
    ui().编辑框_trans_4->setPlainText("earlier result");
    RunManual(">b\nATG\n");
    QCOMPARE(Status(), "Error:        Cannot write the working file " + WorkFile() + ": Is a directory");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString("earlier result"));
    QCOMPARE(ui().高级选择夹2->currentIndex(), 0);
    QVERIFY(ui().按钮_trans_run2->isEnabled());
    fs::remove(WorkFile());

    // A bare sequence needs no work file.
    fs::create_directories(WorkFile());
    RunManual("ATG");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString("M"));
    fs::remove(WorkFile());
}

void TranslationTest::runButtonsAreDisabledAtOnce() {
    // Disabled by the click itself, so a second click cannot start a second run.
    ui().编辑框_trans_3->setPlainText(">a\nATG\n");
    ui().按钮_trans_run2->click();
    QVERIFY(!ui().按钮_trans_run2->isEnabled());
    ui().按钮_trans_run2->click();
    QVERIFY(page_->WaitForWorkers());
    QVERIFY(ui().按钮_trans_run2->isEnabled());
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString(">a\nM\n"));

    ui().按钮_trans_run1->click();  // no input folder: the run ends at once
    QVERIFY(!ui().按钮_trans_run1->isEnabled());
    QVERIFY(page_->WaitForWorkers());
    QVERIFY(ui().按钮_trans_run1->isEnabled());
}

void TranslationTest::saveWritesTheOutputBoxAsTyped() {
    Click(Radio("单选框8"));
    RunManual(">a b\r\natgtga\r\n>c\r\nTTT\r\n");
    page_->Window().FileDialog().SetFilter("Text (*.txt)|*.txt");  // as another page left it

    const std::string saved = root_ + "/translated";
    answers::QueueFileName(saved);
    Click(ui().按钮_trans_save);
    QCOMPARE(ReadFile(saved), std::string(">a b\r\nMC\r\n>c\r\nF\r\n"));
    QCOMPARE(Status(), std::string("Info:    Save successful!"));
    const platform::DialogRequest request = answers::LastRequest();
    QCOMPARE(request.kind, platform::DialogRequest::kSave);
    QCOMPARE(request.folder, page_->ProgramFolder());
    QCOMPARE(request.filter, std::string("Text (*.txt)|*.txt"));

    // A bare protein is saved without a line end of its own.
    RunManual("ATGAAA");
    answers::QueueFileName(saved);
    Click(ui().按钮_trans_save);
    QCOMPARE(ReadFile(saved), std::string("MK"));

    platform::ShowStatusMessage("");
    answers::QueueCancel();
    Click(ui().按钮_trans_save);
    QCOMPARE(Status(), std::string());

    answers::QueueFileName(root_);  // a folder cannot be written as a file
    Click(ui().按钮_trans_save);
    QCOMPARE(Status(), std::string("Info:    Save failure!"));
    answers::QueueFileName(root_ + "/missing/x.txt");
    Click(ui().按钮_trans_save);
    QCOMPARE(Status(), std::string("Info:    Save failure!"));

    // A FIFO that no program reads: the save is a job of its own (the window
    // goes on at once, the button waits for the job) that fails at once.
    const std::string fifo = root_ + "/fifo.txt";
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    answers::QueueFileName(fifo);
    QTest::mouseClick(ui().按钮_trans_save, Qt::LeftButton);
    QVERIFY(!ui().按钮_trans_save->isEnabled());
    QVERIFY(page_->WaitForWorkers());
    QCOMPARE(Status(), std::string("Info:    Save failure!"));
    QVERIFY(ui().按钮_trans_save->isEnabled());
}

void TranslationTest::scanLoadsAFileAndKeepsTheBoxWhenItCannot() {
    const std::string file = root_ + "/pasted.fas";
    WriteFile(file, ">s\r\nATG\r\nTTT\r\n");
    answers::QueueFileName(file);
    Click(ui().按钮_trans_scan);
    QCOMPARE(ui().编辑框_trans_3->toPlainText(), QString(">s\nATG\nTTT\n"));
    const platform::DialogRequest request = answers::LastRequest();
    QCOMPARE(request.kind, platform::DialogRequest::kOpen);
    QCOMPARE(request.filter, std::string("Fasta File (*.fa*)|*.fa*"));
    QCOMPARE(request.folder, page_->ProgramFolder());
    Click(ui().按钮_trans_run2);
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString(">s\nMF\n"));

    answers::QueueCancel();
    Click(ui().按钮_trans_scan);
    QCOMPARE(ui().编辑框_trans_3->toPlainText(), QString(">s\nATG\nTTT\n"));

    ui().编辑框_trans_3->setPlainText("typed by hand");
    answers::QueueFileName(root_ + "/missing.fas");
    Click(ui().按钮_trans_scan);
    QCOMPARE(Status(), "Error:        Cannot read " + root_ + "/missing.fas: No such file or directory");
    QCOMPARE(ui().编辑框_trans_3->toPlainText(), QString("typed by hand"));
}

void TranslationTest::clearEmptiesBothBoxes() {
    RunManual("ATG");
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString("M"));
    Click(ui().按钮_Sort_Run6);
    QCOMPARE(ui().编辑框_trans_3->toPlainText(), QString());
    QCOMPARE(ui().编辑框_trans_4->toPlainText(), QString());
}

void TranslationTest::folderPickersFillOrEmptyTheirBoxes() {
    const std::pair<QAbstractButton*, QLineEdit*> pickers[] = {{ui().按钮_trans_1, ui().编辑框_trans_1},
                                                               {ui().按钮_trans_2, ui().编辑框_trans_2}};
    for (const auto& [button, box] : pickers) {
        answers::QueueFileName(root_ + "/folder with blanks");
        Click(button);
        QCOMPARE(box->text(), Q(root_ + "/folder with blanks"));
        const platform::DialogRequest request = answers::LastRequest();
        QCOMPARE(request.kind, platform::DialogRequest::kFolder);
        QCOMPARE(request.title, std::string("Choose your folder containing fasta files:"));
        answers::QueueCancel();
        Click(button);
        QCOMPARE(box->text(), QString());
    }
}

void TranslationTest::folderModeTranslatesEveryFastaFile() {
    const InputFolder in(root_);
    const std::vector<std::string> inputNames = FolderNames(in.path);
    Click(Radio("单选框2"));
    RunFolder(in.path + "/", "");  // one trailing "/" is dropped; no output folder given

    const std::string out = in.path + "_AA";
    QCOMPARE(ui().编辑框_trans_2->text(), Q(out));
    QCOMPARE(ListedFiles(), QStringList({"a.fa", "B.fas", "c d'e\".FASTA"}));
    QCOMPARE(ui().标签_trans_proces->text(), QString("Done!"));
    QVERIFY(ui().按钮_trans_run1->isEnabled());
    QCOMPARE(Status(), std::string());
    std::vector<std::string> written;
    for (const auto& [name, protein] : InputFolder::Expected()) {
        QCOMPARE(ReadFile(out + "/" + name), protein);
        written.push_back(name);
    }
    std::sort(written.begin(), written.end());
    QCOMPARE(FolderNames(out), written);  // neither notes.txt nor the sub-folder
    QCOMPARE(FolderNames(in.path), inputNames);
    QCOMPARE(ReadFile(in.path + "/a.fa"), std::string(">a\natgaaatag\n"));
    page_->SaveScreenshot("translation_folder");

    // A folder without FASTA files ends at once with an empty list.
    const std::string empty = root_ + "/empty";
    fs::create_directory(empty);
    RunFolder(empty, "");
    QCOMPARE(ListedFiles(), QStringList());
    QCOMPARE(ui().标签_trans_proces->text(), QString("Done!"));
    QVERIFY(fs::is_directory(empty + "_AA"));
}

void TranslationTest::folderModeWritesIntoAGivenFolder() {
    const InputFolder in(root_);
    const std::string out = root_ + "/out folder";
    fs::create_directory(out);
    WriteFile(out + "/a.fa", "stale bytes from an earlier run, longer than the new file");
    RunFolder(in.path, out + "/");
    QCOMPARE(ui().编辑框_trans_2->text(), Q(out + "/"));
    QCOMPARE(ReadFile(out + "/a.fa"), std::string(">a\r\nMK*\r\n"));  // standard code: TGA is a stop
    QCOMPARE(ReadFile(out + "/B.fas"), std::string(">b1 first\r\nM*R\r\n>b2\r\n\r\n"));
    QVERIFY(!fs::exists(in.path + "_AA"));
}

void TranslationTest::folderModeWithoutInputFolderDoesNothing() {
    ui().列表框_trans_process->addItem("from before");
    RunFolder("", "");
    QCOMPARE(ListedFiles(), QStringList({"from before"}));
    QCOMPARE(ui().编辑框_trans_2->text(), QString());
    QCOMPARE(ui().标签_trans_proces->text(), QString("0%"));
    QVERIFY(ui().按钮_trans_run1->isEnabled());
}

void TranslationTest::folderModeReportsAMissingInputFolder() {
    const std::string missing = root_ + "/missing";
    RunFolder(missing, "");
    QCOMPARE(Status(), "Error:        Cannot read the folder " + missing + ": No such file or directory");
    QCOMPARE(ui().编辑框_trans_2->text(), QString());
    QVERIFY(!fs::exists(missing + "_AA"));
    QCOMPARE(ui().标签_trans_proces->text(), QString("0%"));
    QVERIFY(ui().按钮_trans_run1->isEnabled());
}

void TranslationTest::folderModeNeverWritesOverItsInputs() {
    const InputFolder in(root_);
    const std::vector<std::string> names = FolderNames(in.path);
    const std::string bytes = ReadFile(in.path + "/B.fas");
    fs::create_directory_symlink(in.path, root_ + "/link");
    ui().列表框_trans_process->addItem("from before");

    for (const std::string& out : {in.path, in.path + "/", root_ + "/link", root_ + "/link/", root_ + "/./in"}) {
        std::string shown = out;
        if (shown.back() == '/') shown.pop_back();
        RunFolder(in.path + "/", out);
        QCOMPARE(Status(), "Error:        The output folder is the input folder; nothing written: " + shown);
        QCOMPARE(FolderNames(in.path), names);
        QCOMPARE(ReadFile(in.path + "/B.fas"), bytes);
        QCOMPARE(ListedFiles(), QStringList({"from before"}));
        QCOMPARE(ui().标签_trans_proces->text(), QString("0%"));
        QVERIFY(ui().按钮_trans_run1->isEnabled());
    }

    // A file of the output folder that links back to its input is not written.
    const std::string out = root_ + "/out";
    fs::create_directory(out);
    fs::create_symlink(in.path + "/a.fa", out + "/a.fa");
    RunFolder(in.path, out);
    QCOMPARE(ReadFile(in.path + "/a.fa"), std::string(">a\natgaaatag\n"));
    QCOMPARE(ReadFile(out + "/B.fas"), std::string(">b1 first\r\nM*R\r\n>b2\r\n\r\n"));
    QCOMPARE(ui().标签_trans_proces->text(), QString("Failed: 1 of 3"));
    QCOMPARE(Status(), std::string("Error:        1 of 3 files not translated: a.fa"));
}

void TranslationTest::folderModeReportsUnwritableOutputs() {
    const InputFolder in(root_);
    // An output folder that cannot be made: a file holds its parent's name.
    WriteFile(root_ + "/plain", "x");
    RunFolder(in.path, root_ + "/plain/out");
    QCOMPARE(Status(), "Error:        Cannot create the folder " + root_ + "/plain/out");
    QCOMPARE(ListedFiles(), QStringList());
    QCOMPARE(ui().标签_trans_proces->text(), QString("0%"));

    // One output that cannot be written: the others are written and the end says so.
    const std::string out = root_ + "/out";
    fs::create_directories(out + "/B.fas");
    RunFolder(in.path, out);
    QCOMPARE(ListedFiles(), QStringList({"a.fa", "B.fas", "c d'e\".FASTA"}));
    QCOMPARE(ReadFile(out + "/a.fa"), std::string(">a\r\nMK*\r\n"));
    QCOMPARE(ReadFile(out + "/c d'e\".FASTA"), std::string(">c \"quoted\" name\r\nFW\r\n"));
    QVERIFY(fs::is_directory(out + "/B.fas"));
    QCOMPARE(ui().标签_trans_proces->text(), QString("Failed: 1 of 3"));
    QCOMPARE(Status(), std::string("Error:        1 of 3 files not translated: B.fas"));
    QVERIFY(ui().按钮_trans_run1->isEnabled());

    if (::geteuid() == 0) return;  // the administrator writes into read-only folders
    const std::string readOnly = root_ + "/read-only";
    fs::create_directory(readOnly);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
    RunFolder(in.path, readOnly);
    fs::permissions(readOnly, fs::perms::owner_all);
    QCOMPARE(FolderNames(readOnly), std::vector<std::string>());
    QCOMPARE(ui().标签_trans_proces->text(), QString("Failed: 3 of 3"));
    QCOMPARE(Status(), std::string("Error:        3 of 3 files not translated: a.fa, B.fas, c d'e\".FASTA"));
}

void TranslationTest::folderModeReportsUnreadableInputsAndGoesOn() {
    const InputFolder in(root_);
    // Reading this file fails with an I/O error, whoever reads it.
    fs::create_symlink("/proc/self/mem", in.path + "/broken.fas");
    const std::string out = root_ + "/out";
    Click(Radio("单选框2"));
    RunFolder(in.path, out);
    QCOMPARE(ListedFiles(), QStringList({"a.fa", "B.fas", "broken.fas", "c d'e\".FASTA"}));
    for (const auto& [name, protein] : InputFolder::Expected()) QCOMPARE(ReadFile(out + "/" + name), protein);
    QVERIFY(!fs::exists(out + "/broken.fas"));
    QCOMPARE(ui().标签_trans_proces->text(), QString("Failed: 1 of 4"));
    QCOMPARE(Status(), std::string("Error:        1 of 4 files not translated: broken.fas"));
}

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
