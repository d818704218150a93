// The main window's layout, checked against one list of every control its nine
// pages must hold: the control's name, page, kind, default text, check and
// enabled states, colour, visibility and, where the design fixes it, its place.
// Beyond the list: the page titles and hints, the radio groups, the genetic-code
// choices, the grids, and that no default text is clipped and no two controls
// of our own arrangement lie over each other.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "support/wait_limit.h"
#include "ui_main_window.h"

namespace {

// Pages of the main tab control and of the two inner tab controls.
constexpr const char* kHome = "page_home";
constexpr const char* kCmp2Seq = "page_cmp2seq";
constexpr const char* kCmp2Align = "page_cmp2align";
constexpr const char* kSortId = "page_sort_id";
constexpr const char* kMerge = "page_merge_fas";
constexpr const char* kTrans = "page_translation";
constexpr const char* kTransIn = "page_trans_input";
constexpr const char* kTransOut = "page_trans_output";
constexpr const char* kAlign = "page_align_format";
constexpr const char* kFilter = "page_fas_filter";
constexpr const char* kOrf = "page_get_orf";
constexpr const char* kOrfIn = "page_getorf_input";
constexpr const char* kOrfOut = "page_getorf_output";

enum class Colour { Plain, Blue, Red };

// A place given by the design. Controls standing on a main page are given in
// the main tab control's coordinates; the others relative to their group box
// or inner tab page. A width of -1 fixes the position only.
struct Place {
    int x = -1, y = -1, w = -1, h = -1;
    bool given() const { return x >= 0; }
};

struct Control {
    const char* name;
    const char* page;
    const char* kind;
    const char* text = nullptr;  // caption or default text; nullptr: the kind shows none
    bool checked = false;
    bool enabled = true;
    Colour colour = Colour::Plain;
    bool hidden = false;
    Place place = {};
    const char* buddy = nullptr;  // the box a label names
};

// The report box's first text: the report of a comparison that found nothing.
constexpr const char* kReport =
    "No. of mutations identified:             0\n"
    "******************************************\n"
    "No. of sysnonymous mutations (s):        0\n"
    "No. of non-sysnonymous mutations (n):    0\n"
    "No. of total sysnonymous sites (S):      0\n"
    "No. of total non-sysnonymous sites (N):  0\n"
    "Estimated (n/N)/(s/S):                   NA";

// clang-format off
const std::vector<Control> kControls = {
    // Home
    {.name = "标签1", .page = kHome, .kind = "QLabel", .text = "\n-- Tulvarine --\n\n", .place = {1, 34, 891, 241}},
    {.name = "透明标签1", .page = kHome, .kind = "QLabel", .text = "A package for manipulating sequence data:", .place = {1, 71, 889, 24}},
    {.name = "超级按钮2", .page = kHome, .kind = "QPushButton", .text = "News", .place = {641, 71, 54, 24}},
    {.name = "超级链接框2", .page = kHome, .kind = "QLabel", .text = "Citation", .place = {695, 71, 63, 24}},
    {.name = "超级链接框1", .page = kHome, .kind = "QLabel", .text = "Update", .place = {758, 71, 66, 24}},
    {.name = "超级按钮1", .page = kHome, .kind = "QPushButton", .text = "Manual", .place = {824, 71, 67, 24}},
    {.name = "标签48", .page = kHome, .kind = "QLabel", .place = {1, 276, 891, 126}},
    {.name = "图片框2", .page = kHome, .kind = "QLabel", .text = "", .place = {1, 410, 891, 143}},

    // Cmp-2Seq
    {.name = "标签2", .page = kCmp2Seq, .kind = "QLabel", .text = "Input sequence 1", .place = {1, 35, 445, 25}},
    {.name = "标签3", .page = kCmp2Seq, .kind = "QLabel", .text = "Input sequence 2", .place = {447, 35, 445, 25}},
    {.name = "超级编辑框1", .page = kCmp2Seq, .kind = "QTextEdit", .text = "ATGAAAAGA", .place = {1, 62, 445, 191}},
    {.name = "超级编辑框2", .page = kCmp2Seq, .kind = "QTextEdit", .text = "ATAAAGAGA", .place = {447, 62, 445, 191}},
    {.name = "按钮_Sort_Run4", .page = kCmp2Seq, .kind = "QPushButton", .text = "clear", .place = {397, 36, 49, 24}},
    {.name = "按钮_Sort_Run5", .page = kCmp2Seq, .kind = "QPushButton", .text = "clear", .place = {843, 36, 49, 24}},
    {.name = "标签33", .page = kCmp2Seq, .kind = "QLabel", .text = "Sequence Viewer:", .place = {1, 256, 142, 24}},
    {.name = "单选框_Comp_DNA", .page = kCmp2Seq, .kind = "QRadioButton", .text = "DNA", .checked = true, .place = {180, 256, 86, 24}},
    {.name = "按钮_Comp_alignCMP", .page = kCmp2Seq, .kind = "QPushButton", .text = "Align and Compare", .place = {304, 255, 142, 27}},
    {.name = "按钮_Comp_Run", .page = kCmp2Seq, .kind = "QPushButton", .text = "Compare", .place = {447, 255, 96, 27}},
    {.name = "单选框_Comp_Codon", .page = kCmp2Seq, .kind = "QRadioButton", .text = "Codon", .place = {626, 256, 86, 24}},
    {.name = "组合框1", .page = kCmp2Seq, .kind = "QComboBox", .enabled = false, .place = {720, 258, 173, 27}},
    {.name = "高级表格1", .page = kCmp2Seq, .kind = "QTableView", .place = {1, 283, 892, 119}},
    {.name = "标签_Comp_RC", .page = kCmp2Seq, .kind = "QLabel", .text = "Seq:0    Position: 0", .place = {1, 403, 295, 23}},
    {.name = "按钮_Comp_Save", .page = kCmp2Seq, .kind = "QPushButton", .text = "Save2TxT", .enabled = false, .place = {399, 401, 96, 27}},
    {.name = "标签_Comp_RC1", .page = kCmp2Seq, .kind = "QLabel", .text = "Note: @(Synonymous);  #(Non-sysnonymous)", .place = {568, 403, 321, 23}},
    {.name = "编辑框_Comp_out", .page = kCmp2Seq, .kind = "QPlainTextEdit", .text = kReport, .place = {0, 429, 896, 124}},

    // Cmp-2Align
    {.name = "标签6", .page = kCmp2Align, .kind = "QLabel", .text = "AlignFile-1:", .buddy = "编辑框_comp_align_file1"},
    {.name = "编辑框_comp_align_file1", .page = kCmp2Align, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_comp_align_1", .page = kCmp2Align, .kind = "QPushButton", .text = "scan"},
    {.name = "标签28", .page = kCmp2Align, .kind = "QLabel", .text = "AlignFile-2:", .buddy = "编辑框_comp_align_file2"},
    {.name = "编辑框_comp_align_file2", .page = kCmp2Align, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_comp_align_2", .page = kCmp2Align, .kind = "QPushButton", .text = "scan"},
    {.name = "编辑框2", .page = kCmp2Align, .kind = "QPlainTextEdit", .text = "Please use 'scan' button above to input alignment."},
    {.name = "编辑框1", .page = kCmp2Align, .kind = "QPlainTextEdit", .text = "Please use 'scan' button above to input alignment."},
    {.name = "高级表格2", .page = kCmp2Align, .kind = "QTableView"},
    {.name = "标签_Comp_RC2", .page = kCmp2Align, .kind = "QLabel", .text = "Seq:0    Position: 0"},
    {.name = "按钮_Comp_align_run", .page = kCmp2Align, .kind = "QPushButton", .text = "==>Run"},
    {.name = "标签_Comp_RC3", .page = kCmp2Align, .kind = "QLabel", .text = "Identity Score Estimated: 0"},
    {.name = "按钮_Comp_align_Save", .page = kCmp2Align, .kind = "QPushButton", .text = "SaveAlign"},
    // Its report is written out only for the lines shown: up to 10 000s of lines of 1 000s of numbers.
    {.name = "编辑框_Comp_out1", .page = kCmp2Align, .kind = "QListView"},

    // Sort-ID: the six marked controls stand in the group box, placed relative to it
    {.name = "分组框_Sort_Setting", .page = kSortId, .kind = "QGroupBox", .text = "Input Fasta File (< 2Gb):", .place = {2, 40, 892, 85}},
    {.name = "标签4", .page = kSortId, .kind = "QLabel", .text = "File (*.fas):", .place = {16, 25, 88, 24}, .buddy = "编辑框_Sort_File_Name"},
    {.name = "编辑框_Sort_File_Name", .page = kSortId, .kind = "QLineEdit", .text = "", .place = {126, 25, 704, 24}},
    {.name = "按钮_Sort_Scan", .page = kSortId, .kind = "QPushButton", .text = "Scan", .place = {835, 25, 48, 24}},
    {.name = "标签5", .page = kSortId, .kind = "QLabel", .text = "Sort Methods:", .place = {16, 56, 104, 24}},
    {.name = "单选框_Sort_auto", .page = kSortId, .kind = "QRadioButton", .text = "Auto (alphabetically)", .checked = true, .colour = Colour::Blue, .place = {126, 56, 153, 27}},
    {.name = "单选框_Sort_auto_2", .page = kSortId, .kind = "QRadioButton", .text = "Auto (SeqLength descend)", .place = {285, 56, 191, 27}},
    {.name = "单选框_Sort_auto_3", .page = kSortId, .kind = "QRadioButton", .text = "Auto (SeqLength ascend)", .place = {482, 56, 191, 27}},
    {.name = "单选框_Sort_User_ID", .page = kSortId, .kind = "QRadioButton", .text = "User order (ID list provided)", .place = {679, 56, 204, 27}},
    {.name = "标签_Sort_Raw_ID_Num", .page = kSortId, .kind = "QLabel", .text = "Raw order (IDs):", .place = {19, 136, 224, 24}},
    {.name = "编辑框_Sort_Raw_ID", .page = kSortId, .kind = "QPlainTextEdit", .text = "", .place = {2, 168, 258, 359}},
    {.name = "标签_Sort_User_IDs", .page = kSortId, .kind = "QLabel", .text = "User Provided Order\n(can replace the raw IDs):", .place = {282, 130, 219, 36}},
    {.name = "按钮_Sort_Run2", .page = kSortId, .kind = "QPushButton", .text = "clear", .place = {474, 148, 47, 19}},
    {.name = "编辑框_Sort_User_IDs", .page = kSortId, .kind = "QPlainTextEdit", .text = "rawID1    newID1\nrawID2\nrawID3    newID3", .enabled = false, .place = {263, 168, 258, 190}},
    {.name = "按钮_Sort_Run", .page = kSortId, .kind = "QPushButton", .text = "==>Sort", .place = {524, 248, 70, 30}},
    {.name = "标签_Sort_User_IDs1", .page = kSortId, .kind = "QLabel", .text = "Final Order ( -> *.sort.fas):", .place = {634, 136, 219, 24}},
    {.name = "编辑框_Sort_Final_IDs", .page = kSortId, .kind = "QPlainTextEdit", .text = "", .place = {596, 168, 296, 359}},
    {.name = "标签_Sort_Raw_ID_Num1", .page = kSortId, .kind = "QLabel", .text = "Classification based on keywords:", .place = {263, 361, 258, 24}},
    {.name = "编辑框_Sort_User_IDs1", .page = kSortId, .kind = "QPlainTextEdit", .text = "keywords should be part of the raw ID", .enabled = false, .place = {263, 392, 258, 135}},
    {.name = "按钮_Sort_Class", .page = kSortId, .kind = "QPushButton", .text = "==>Class", .place = {524, 444, 70, 30}},
    {.name = "标签_Sort_Process", .page = kSortId, .kind = "QLabel", .text = "0%", .place = {527, 361, 64, 25}},
    {.name = "进度条1", .page = kSortId, .kind = "QProgressBar", .place = {4, 529, 886, 24}},

    // MergeFas: batch mode
    {.name = "分组框_merge_batch", .page = kMerge, .kind = "QGroupBox", .text = "Batch Mode:"},
    {.name = "标签_merge_folder", .page = kMerge, .kind = "QLabel", .text = "Select the Folder with multi fasta files:", .buddy = "编辑框_merge_folder"},
    {.name = "编辑框_merge_folder", .page = kMerge, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_Merge_scan", .page = kMerge, .kind = "QPushButton", .text = "scan"},
    {.name = "列表框_merge_files", .page = kMerge, .kind = "QListWidget"},
    {.name = "标签50", .page = kMerge, .kind = "QLabel", .text = "overview of files:", .enabled = false},
    {.name = "标签_merge_IDlist", .page = kMerge, .kind = "QLabel", .text = "Input ID list you want to merge:", .buddy = "编辑框_merge_IDlist"},
    {.name = "编辑框_merge_IDlist", .page = kMerge, .kind = "QPlainTextEdit", .text = ""},
    {.name = "按钮_Merge_Save_1", .page = kMerge, .kind = "QPushButton", .text = "==>Save (*.merged1.fas)"},
    {.name = "进度条merge", .page = kMerge, .kind = "QProgressBar", .hidden = true},
    {.name = "标签_Merge_process", .page = kMerge, .kind = "QLabel", .text = "0%"},
    // MergeFas: manual mode
    {.name = "分组框_merge_manual", .page = kMerge, .kind = "QGroupBox", .text = "Merge 2 (Manual Mode):"},
    {.name = "按钮_Merge_scan1", .page = kMerge, .kind = "QPushButton", .text = ". . ."},
    {.name = "标签_merge_1fas", .page = kMerge, .kind = "QLabel", .text = "Select the 1st fasta file:", .buddy = "编辑框_merge_1fas"},
    {.name = "编辑框_merge_1fas", .page = kMerge, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_Merge_scan2", .page = kMerge, .kind = "QPushButton", .text = ". . ."},
    {.name = "标签_merge_2fas", .page = kMerge, .kind = "QLabel", .text = "Select the 2nd fasta file to add:", .buddy = "编辑框_merge_2fas"},
    {.name = "编辑框_merge_2fas", .page = kMerge, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_Merge_Run2", .page = kMerge, .kind = "QPushButton", .text = "==>Merge"},
    {.name = "标签_Merge_process1", .page = kMerge, .kind = "QLabel", .text = "0%"},
    {.name = "列表框_merge_files1", .page = kMerge, .kind = "QListWidget"},
    {.name = "按钮_Merge_Save_2", .page = kMerge, .kind = "QPushButton", .text = "==>Save (*.merged2.fas)"},
    {.name = "标签_Merge_process2", .page = kMerge, .kind = "QLabel", .text = "0%"},

    // Translation
    {.name = "分组框3", .page = kTrans, .kind = "QGroupBox", .text = "Genetic code setting:", .place = {2, 34, 275, 388}},
    {.name = "单选框1", .page = kTrans, .kind = "QRadioButton", .text = "The Standard Code", .checked = true, .colour = Colour::Blue},
    {.name = "单选框2", .page = kTrans, .kind = "QRadioButton", .text = "Vertebrate Mitochondrial Code"},
    {.name = "单选框3", .page = kTrans, .kind = "QRadioButton", .text = "Yeast Mitochondrial Code"},
    {.name = "单选框4", .page = kTrans, .kind = "QRadioButton", .text = "Mold, Protozoan, and Coelenterate Mitochondrial Code"},
    {.name = "单选框5", .page = kTrans, .kind = "QRadioButton", .text = "Invertebrate Mitochondrial Code"},
    {.name = "单选框6", .page = kTrans, .kind = "QRadioButton", .text = "Ciliate, Dasycladacean and Hexamita Nuclear Code"},
    {.name = "单选框7", .page = kTrans, .kind = "QRadioButton", .text = "Echinoderm and Flatworm Mitochondrial Code"},
    {.name = "单选框8", .page = kTrans, .kind = "QRadioButton", .text = "Euplotid Nuclear Code"},
    {.name = "单选框9", .page = kTrans, .kind = "QRadioButton", .text = "Bacterial, Archaeal and Plant Plastid Code"},
    {.name = "单选框10", .page = kTrans, .kind = "QRadioButton", .text = "Alternative Yeast Nuclear Code"},
    {.name = "标签12", .page = kTrans, .kind = "QLabel", .text = "Manual Mode (for single fasta file or single sequence)", .place = {276, 34}},
    {.name = "高级选择夹2", .page = kTrans, .kind = "QTabWidget", .place = {280, 60, 612, 361}},
    {.name = "标签15", .page = kTransIn, .kind = "QLabel", .text = "Paste your DNA sequence below:", .buddy = "编辑框_trans_3"},
    {.name = "按钮_Sort_Run6", .page = kTransIn, .kind = "QPushButton", .text = "clear", .place = {448, 4}},
    {.name = "按钮_trans_scan", .page = kTransIn, .kind = "QPushButton", .text = "or Scan", .place = {539, 4}},
    {.name = "编辑框_trans_3", .page = kTransIn, .kind = "QPlainTextEdit", .text = "", .place = {2, 33, 609, 275}},
    {.name = "标签16", .page = kTransIn, .kind = "QLabel", .text = "Either pure sequence or fasta (with '>ID') is OK"},
    {.name = "按钮_trans_run2", .page = kTransIn, .kind = "QPushButton", .text = "==>Run (DNA2AA)", .place = {462, 309}},
    {.name = "标签17", .page = kTransOut, .kind = "QLabel", .text = "Translated amino acid sequence:", .buddy = "编辑框_trans_4"},
    {.name = "编辑框_trans_4", .page = kTransOut, .kind = "QPlainTextEdit", .text = "", .place = {2, 33, 609, 275}},
    {.name = "按钮_trans_save", .page = kTransOut, .kind = "QPushButton", .text = "==>Save (*.txt)", .place = {462, 309}},
    {.name = "标签11", .page = kTrans, .kind = "QLabel", .text = "Batch Mode (for multiple fasta files)", .place = {2, 424}},
    {.name = "标签13", .page = kTrans, .kind = "QLabel", .text = "IN: Select the Folder with fasta files:", .buddy = "编辑框_trans_1"},
    {.name = "按钮_trans_1", .page = kTrans, .kind = "QPushButton", .text = ". . .", .place = {584, 453}},
    {.name = "编辑框_trans_1", .page = kTrans, .kind = "QLineEdit", .text = "", .place = {12, 478, 612, 24}},
    {.name = "标签14", .page = kTrans, .kind = "QLabel", .text = "OUT: Select the Folder to save translated files:", .buddy = "编辑框_trans_2"},
    {.name = "按钮_trans_2", .page = kTrans, .kind = "QPushButton", .text = ". . .", .place = {584, 503}},
    {.name = "编辑框_trans_2", .page = kTrans, .kind = "QLineEdit", .text = "", .place = {12, 528, 612, 24}},
    {.name = "按钮_trans_run1", .page = kTrans, .kind = "QPushButton", .text = "==>Run (DNA2AA)", .place = {628, 450, 145, 26}},
    {.name = "标签_trans_proces", .page = kTrans, .kind = "QLabel", .text = "0%", .place = {774, 449}},
    {.name = "列表框_trans_process", .page = kTrans, .kind = "QListWidget", .place = {630, 478, 262, 74}},

    // Align-Format: batch alignment
    {.name = "标签_align_title", .page = kAlign, .kind = "QLabel", .text = "Alignment construction in batch mode"},
    {.name = "分组框_align_setting", .page = kAlign, .kind = "QGroupBox", .text = "Setting"},
    {.name = "标签_align_folder", .page = kAlign, .kind = "QLabel", .text = "IN: Select the Folder with unaligned fasta files:", .buddy = "编辑框_align_folder"},
    {.name = "编辑框_align_folder", .page = kAlign, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_align_scan", .page = kAlign, .kind = "QPushButton", .text = ". . ."},
    {.name = "单选框align_muscle", .page = kAlign, .kind = "QRadioButton", .text = "Muscle (fast)", .checked = true, .colour = Colour::Blue},
    {.name = "单选框align_mafft", .page = kAlign, .kind = "QRadioButton", .text = "Mafft"},
    {.name = "单选框align_prank_dna", .page = kAlign, .kind = "QRadioButton", .text = "Prank-DNA"},
    {.name = "单选框align_prank_aa", .page = kAlign, .kind = "QRadioButton", .text = "Prank-Protein"},
    {.name = "单选框align_prank_codon", .page = kAlign, .kind = "QRadioButton", .text = "Prank-Codon"},
    {.name = "按钮_align_run1", .page = kAlign, .kind = "QPushButton", .text = "RUN=>"},
    {.name = "标签_align_process", .page = kAlign, .kind = "QLabel", .text = "0%:"},
    {.name = "列表框_align_process", .page = kAlign, .kind = "QListWidget"},
    // Align-Format: format conversion
    {.name = "标签_form_title", .page = kAlign, .kind = "QLabel", .text = "Format convertion in batch mode"},
    {.name = "分组框_form_setting", .page = kAlign, .kind = "QGroupBox", .text = "Setting"},
    {.name = "标签_form_in", .page = kAlign, .kind = "QLabel", .text = "IN: Select the Folder with aligned fasta files:", .buddy = "编辑框_form_in"},
    {.name = "编辑框_form_in", .page = kAlign, .kind = "QLineEdit", .text = ""},
    {.name = "按钮form_in", .page = kAlign, .kind = "QPushButton", .text = ". . ."},
    {.name = "标签_form_formats", .page = kAlign, .kind = "QLabel", .text = "Change format to:"},
    {.name = "选择框phylipi", .page = kAlign, .kind = "QCheckBox", .text = "Phylipi", .checked = true, .colour = Colour::Blue},
    {.name = "选择框phylips", .page = kAlign, .kind = "QCheckBox", .text = "Phylips", .checked = true, .colour = Colour::Blue},
    {.name = "选择框paml", .page = kAlign, .kind = "QCheckBox", .text = "PAML", .checked = true, .colour = Colour::Blue},
    {.name = "选择框nexus", .page = kAlign, .kind = "QCheckBox", .text = "Nexus", .checked = true, .colour = Colour::Blue},
    {.name = "按钮_form_run", .page = kAlign, .kind = "QPushButton", .text = "RUN=>"},
    {.name = "标签_form_process", .page = kAlign, .kind = "QLabel", .text = "0%:"},
    {.name = "列表框_form_process", .page = kAlign, .kind = "QListWidget"},

    // Fas-Filter: the shared input
    {.name = "分组框_extr_input", .page = kFilter, .kind = "QGroupBox", .text = "Input Fasta File (< 2Gb):"},
    {.name = "标签_extr_file", .page = kFilter, .kind = "QLabel", .text = "File (*.fas):", .buddy = "编辑框_extr_file"},
    {.name = "编辑框_extr_file", .page = kFilter, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_extr_scan", .page = kFilter, .kind = "QPushButton", .text = "Scan"},
    // Fas-Filter: by query IDs
    {.name = "分组框_extr_ids", .page = kFilter, .kind = "QGroupBox", .text = "Based on query IDs:"},
    {.name = "标签_extr_query", .page = kFilter, .kind = "QLabel", .text = "Your query ID list:", .buddy = "编辑框_extra_query_id"},
    {.name = "编辑框_extra_query_id", .page = kFilter, .kind = "QPlainTextEdit", .text = ""},
    {.name = "按钮_extr_scan2", .page = kFilter, .kind = "QPushButton", .text = "or Scan"},
    {.name = "按钮_Sort_Run3", .page = kFilter, .kind = "QPushButton", .text = "clear"},
    {.name = "选择框revcmp", .page = kFilter, .kind = "QCheckBox", .text = "Reverse complementary", .colour = Colour::Red},
    {.name = "单选框extrac", .page = kFilter, .kind = "QRadioButton", .text = "Extraction", .checked = true},
    {.name = "单选框remove", .page = kFilter, .kind = "QRadioButton", .text = "Remove"},
    {.name = "按钮_extr_scan4", .page = kFilter, .kind = "QPushButton", .text = "==>Run2Save"},
    {.name = "标签extr_process2", .page = kFilter, .kind = "QLabel", .text = "0%"},
    // Fas-Filter: codon positions
    {.name = "分组框_extr_codon", .page = kFilter, .kind = "QGroupBox", .text = "Based on locations (for codon alignment):"},
    {.name = "选择框1stcodon", .page = kFilter, .kind = "QCheckBox", .text = "1st ->", .checked = true},
    {.name = "选择框2ndcodon", .page = kFilter, .kind = "QCheckBox", .text = "2nd ->", .checked = true},
    {.name = "选择框3rdcodon", .page = kFilter, .kind = "QCheckBox", .text = "3rd ->", .checked = true},
    {.name = "编辑框_extr_file1", .page = kFilter, .kind = "QLineEdit", .text = ""},
    {.name = "编辑框_extr_file2", .page = kFilter, .kind = "QLineEdit", .text = ""},
    {.name = "编辑框_extr_file3", .page = kFilter, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_extr_scan3", .page = kFilter, .kind = "QPushButton", .text = "==>Run2Save"},
    {.name = "标签extr_process1", .page = kFilter, .kind = "QLabel", .text = "0%"},
    // Fas-Filter: length range
    {.name = "分组框_extr_length", .page = kFilter, .kind = "QGroupBox", .text = "Based on sequence length cutoff:"},
    {.name = "编辑框_extr_file4", .page = kFilter, .kind = "QLineEdit", .text = "150"},
    {.name = "标签_extr_min_bp", .page = kFilter, .kind = "QLabel", .text = "bp"},
    {.name = "标签_extr_length_range", .page = kFilter, .kind = "QLabel", .text = "<= Seq length <="},
    {.name = "编辑框_extr_file6", .page = kFilter, .kind = "QLineEdit", .text = "15000"},
    {.name = "标签_extr_max_bp", .page = kFilter, .kind = "QLabel", .text = "bp"},
    {.name = "按钮_leng_filter", .page = kFilter, .kind = "QPushButton", .text = "==>Run2Save"},
    {.name = "标签extr_process", .page = kFilter, .kind = "QLabel", .text = "0%"},
    // Fas-Filter: gaps
    {.name = "分组框_extr_gaps", .page = kFilter, .kind = "QGroupBox", .text = "Based on Gaps in alignment"},
    {.name = "标签_extr_gap_freq", .page = kFilter, .kind = "QLabel", .text = "Allowed GAP frequency for each column <= ", .buddy = "编辑框_extr_file5"},
    {.name = "编辑框_extr_file5", .page = kFilter, .kind = "QLineEdit", .text = "0.25"},
    {.name = "选择框rmAll", .page = kFilter, .kind = "QCheckBox", .text = "For all aligned columns"},
    {.name = "选择框rmEnd", .page = kFilter, .kind = "QCheckBox", .text = "For columns at two endings", .checked = true, .colour = Colour::Blue},
    {.name = "单选框rm", .page = kFilter, .kind = "QRadioButton", .text = "Remove"},
    {.name = "单选框rp", .page = kFilter, .kind = "QRadioButton", .text = "Replace with N"},
    {.name = "单选框rm_rp", .page = kFilter, .kind = "QRadioButton", .text = "Remove and then replace", .checked = true, .colour = Colour::Blue},
    {.name = "按钮_cut_run", .page = kFilter, .kind = "QPushButton", .text = "==>Run"},
    {.name = "标签extr_process3", .page = kFilter, .kind = "QLabel", .text = "0%"},
    {.name = "进度条3", .page = kFilter, .kind = "QProgressBar", .hidden = true},
    {.name = "外形框1", .page = kFilter, .kind = "QFrame", .hidden = true},
    {.name = "外形框2", .page = kFilter, .kind = "QFrame", .hidden = true},
    // Fas-Filter: statistics
    {.name = "分组框_extr_statis", .page = kFilter, .kind = "QGroupBox", .text = "Basic characters for the alignment (for alignment):"},
    {.name = "按钮_cut_run1", .page = kFilter, .kind = "QPushButton", .text = "==>Run"},
    {.name = "编辑框_flt_statis", .page = kFilter, .kind = "QPlainTextEdit",
     .text = "No. of sequences:\nTotal alignment length:\nTotal block length:\nMean identity score: \nPotentially bad sequences: \n"},
    {.name = "标签_bad_seq", .page = kFilter, .kind = "QLabel", .text = "NOTE: there might be one or more bad sequences!", .hidden = true},
    {.name = "进度条2", .page = kFilter, .kind = "QProgressBar"},

    // getORF: the genetic code
    {.name = "分组框_Sort_Setting2", .page = kOrf, .kind = "QGroupBox", .text = "Genetic Code Used:"},
    {.name = "单选框11", .page = kOrf, .kind = "QRadioButton", .text = "The Standard Code", .checked = true, .colour = Colour::Blue},
    {.name = "单选框12", .page = kOrf, .kind = "QRadioButton", .text = "Vertebrate Mitochondrial Code"},
    {.name = "单选框13", .page = kOrf, .kind = "QRadioButton", .text = "Yeast Mitochondrial Code"},
    {.name = "单选框14", .page = kOrf, .kind = "QRadioButton", .text = "Mold, Protozoan, and Coelenterate Mitochondrial Code"},
    {.name = "单选框15", .page = kOrf, .kind = "QRadioButton", .text = "Invertebrate Mitochondrial Code"},
    {.name = "单选框16", .page = kOrf, .kind = "QRadioButton", .text = "Ciliate, Dasycladacean and Hexamita Nuclear Code"},
    {.name = "单选框17", .page = kOrf, .kind = "QRadioButton", .text = "Echinoderm and Flatworm Mitochondrial Code"},
    {.name = "单选框18", .page = kOrf, .kind = "QRadioButton", .text = "Euplotid Nuclear Code"},
    {.name = "单选框19", .page = kOrf, .kind = "QRadioButton", .text = "Bacterial, Archaeal and Plant Plastid Code"},
    {.name = "单选框20", .page = kOrf, .kind = "QRadioButton", .text = "Alternative Yeast Nuclear Code"},
    // getORF: one pasted sequence
    {.name = "标签_getorf_single_title", .page = kOrf, .kind = "QLabel", .text = "For Single cDNA sequence:"},
    {.name = "高级选择夹3", .page = kOrf, .kind = "QTabWidget"},
    {.name = "标签_getorf_in", .page = kOrfIn, .kind = "QLabel", .text = "Paste your cDNA sequence below:", .buddy = "编辑框_getorf_in"},
    {.name = "编辑框_getorf_in", .page = kOrfIn, .kind = "QPlainTextEdit", .text = ""},
    {.name = "按钮_getorf_clear", .page = kOrfIn, .kind = "QPushButton", .text = "clear"},
    {.name = "编辑框_getorf_out", .page = kOrfOut, .kind = "QPlainTextEdit", .text = "", .colour = Colour::Red},
    {.name = "按钮_getorf_copy", .page = kOrfOut, .kind = "QPushButton", .text = "copy"},
    {.name = "按钮_getorf_save", .page = kOrfOut, .kind = "QPushButton", .text = "save"},
    {.name = "单选框21", .page = kOrf, .kind = "QRadioButton", .text = "Get the longest ORF", .checked = true, .colour = Colour::Blue},
    {.name = "单选框22", .page = kOrf, .kind = "QRadioButton", .text = "Get all the potential ORFs (in Fasta)"},
    {.name = "单选框23", .page = kOrf, .kind = "QRadioButton", .text = "Get the most similar ORF with below amino-acid seq:"},
    {.name = "编辑框_getorf_pep", .page = kOrf, .kind = "QPlainTextEdit", .text = "", .enabled = false},
    {.name = "标签_getorf_cutoff_1", .page = kOrf, .kind = "QLabel", .text = "ORF length >=", .buddy = "编辑框_getorf_cutoff_1"},
    {.name = "编辑框_getorf_cutoff_1", .page = kOrf, .kind = "QLineEdit", .text = "90"},
    {.name = "标签_getorf_bp_1", .page = kOrf, .kind = "QLabel", .text = "bp"},
    {.name = "按钮_getorf_run", .page = kOrf, .kind = "QPushButton", .text = "==>Run"},
    // getORF: FASTA files
    {.name = "标签_getorf_file_title", .page = kOrf, .kind = "QLabel", .text = "For cDNA Fasta file"},
    {.name = "标签_getorf_folder_1", .page = kOrf, .kind = "QLabel", .text = "Select the cDNA fasta files:", .buddy = "编辑框_getorf_folder_1"},
    {.name = "编辑框_getorf_folder_1", .page = kOrf, .kind = "QLineEdit", .text = ""},
    {.name = "按钮_getorf_scan_cdna", .page = kOrf, .kind = "QPushButton", .text = "scan"},
    {.name = "分组框9", .page = kOrf, .kind = "QGroupBox", .text = ""},
    {.name = "单选框24", .page = kOrf, .kind = "QRadioButton", .text = "Get the longest ORF", .checked = true, .colour = Colour::Blue},
    {.name = "单选框25", .page = kOrf, .kind = "QRadioButton", .text = "Get all the potential ORFs (in Fasta)"},
    {.name = "单选框26", .page = kOrf, .kind = "QRadioButton", .text = "Get the most similar ORF based on a same amino-acid seq:"},
    {.name = "单选框27", .page = kOrf, .kind = "QRadioButton", .text = "Get the most similar ORF based on individual amino-acid sequence (from a pep Fasta file):"},
    {.name = "标签_getorf_folder_2", .page = kOrf, .kind = "QLabel", .text = "Select the ref pep fasta files:", .buddy = "编辑框_getorf_folder_2"},
    {.name = "编辑框_getorf_folder_2", .page = kOrf, .kind = "QLineEdit", .text = "", .enabled = false},
    {.name = "按钮_getorf_scan_pep", .page = kOrf, .kind = "QPushButton", .text = "scan", .enabled = false},
    {.name = "标签_getorf_folder_3", .page = kOrf, .kind = "QLabel", .text = "Select the ID map file (tab seperated,1st=cDNA; 2nd=prot):", .buddy = "编辑框_getorf_folder_3"},
    {.name = "编辑框_getorf_folder_3", .page = kOrf, .kind = "QLineEdit", .text = "", .enabled = false},
    {.name = "按钮_getorf_scan_idmap", .page = kOrf, .kind = "QPushButton", .text = "scan", .enabled = false},
    {.name = "编辑框_trans_8", .page = kOrf, .kind = "QPlainTextEdit", .text = "Pase your single ref protein sequence here", .enabled = false},
    {.name = "按钮_getorf_clear_cdna", .page = kOrf, .kind = "QPushButton", .text = "clear"},
    {.name = "标签_getorf_cutoff_2", .page = kOrf, .kind = "QLabel", .text = "ORF length >=", .buddy = "编辑框_getorf_cutoff_2"},
    {.name = "编辑框_getorf_cutoff_2", .page = kOrf, .kind = "QLineEdit", .text = "90"},
    {.name = "标签_getorf_bp_2", .page = kOrf, .kind = "QLabel", .text = "bp"},
    {.name = "标签45", .page = kOrf, .kind = "QLabel", .text = "0%"},
    {.name = "按钮_getorf_run_cdna", .page = kOrf, .kind = "QPushButton", .text = "==>Run"},
};
// clang-format on

struct TabPage {
    const char* tabs;
    const char* page;
    const char* title;
    const char* hint;
};

const std::vector<TabPage> kTabPages = {
    {"高级选择夹1", kHome, "Home", ""},
    {"高级选择夹1", kCmp2Seq, "Cmp-2Seq", "View and compare 2 sequences"},
    {"高级选择夹1", kCmp2Align, "Cmp-2Align",
     "Compare 2 alignments that may be generated by different aligner and output the difference"},
    {"高级选择夹1", kSortId, "Sort-ID", "Sort the fasta sequence according to IDs"},
    {"高级选择夹1", kMerge, "MergeFas", "Concatenate multi-sequences of the speices"},
    {"高级选择夹1", kTrans, "Translation", "Transformation between DNA and Protein sequence"},
    {"高级选择夹1", kAlign, "Align-Format", "Alignment construction, format conversion and filtering analysis"},
    {"高级选择夹1", kFilter, "Fas-Filter",
     "Extrac sequences according to query IDs or Positions; Identify bad sequence in alignment"},
    {"高级选择夹1", kOrf, "getORF", "predict coding region for sequences"},
    {"高级选择夹2", kTransIn, "Input", "Input your DNA sequence or fasta file"},
    {"高级选择夹2", kTransOut, "Output", "Trnaslated amino-acid sequences"},
    {"高级选择夹3", kOrfIn, "Input", "Input your DNA sequence or fasta file"},
    {"高级选择夹3", kOrfOut, "Output", "Trnaslated amino-acid sequences"},
};

// Radio groups that must not influence each other, each in layout order.
const std::vector<std::vector<const char*>> kRadioGroups = {
    {"单选框_Comp_DNA", "单选框_Comp_Codon"},
    {"单选框_Sort_auto", "单选框_Sort_auto_2", "单选框_Sort_auto_3", "单选框_Sort_User_ID"},
    {"单选框1", "单选框2", "单选框3", "单选框4", "单选框5", "单选框6", "单选框7", "单选框8", "单选框9", "单选框10"},
    {"单选框align_muscle", "单选框align_mafft", "单选框align_prank_dna", "单选框align_prank_aa",
     "单选框align_prank_codon"},
    {"单选框extrac", "单选框remove"},
    {"单选框rm", "单选框rp", "单选框rm_rp"},
    {"单选框11", "单选框12", "单选框13", "单选框14", "单选框15", "单选框16", "单选框17", "单选框18", "单选框19",
     "单选框20"},
    {"单选框21", "单选框22", "单选框23"},
    {"单选框24", "单选框25", "单选框26", "单选框27"},
};

const QStringList kCodeNames = {"Standard Code",
                                "Vertebrate Mitochondrial Code",
                                "Yeast Mitochondrial Code",
                                "Mold, Protozoan, and Coelenterate Mitochondrial Code",
                                "Invertebrate Mitochondrial Code",
                                "Ciliate, Dasycladacean and Hexamita Nuclear Code",
                                "Echinoderm and Flatworm Mitochondrial Code",
                                "Euplotid Nuclear Code",
                                "Bacterial, Archaeal and Plant Plastid Code",
                                "Alternative Yeast Nuclear Code"};

bool IsMainPage(const QString& name) {
    for (const TabPage& tab : kTabPages)
        if (std::string_view(tab.tabs) == "高级选择夹1" && name == QString::fromUtf8(tab.page)) return true;
    return false;
}

bool IsPage(const QString& name) {
    for (const TabPage& tab : kTabPages)
        if (name == QString::fromUtf8(tab.page)) return true;
    return false;
}

// The page (main or inner) a control stands on, or null.
QWidget* PageOf(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (IsPage(w->objectName())) return w;
    return nullptr;
}

// The text a control shows by default, in the form the table gives it: the
// visible words of a link, a caption with its line breaks read as the blanks
// they stand for.
std::optional<QString> ShownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->textFormat() == Qt::RichText)
            return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().replace('\n', ' ');
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) return box->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(widget)) return rich->toPlainText();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return std::nullopt;
}

QColor TextColour(QWidget* widget) {
    const bool box = qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget) ||
                     qobject_cast<QLineEdit*>(widget);
    return widget->palette().color(QPalette::Active, box ? QPalette::Text : QPalette::WindowText);
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowFrame();
    void tabPagesHaveTheirTitlesAndHints();
    void everyControlHasItsKindTextAndStates_data();
    void everyControlHasItsKindTextAndStates();
    void controlsStandWhereTheDesignPlacesThem();
    void noUnlistedControlOnAnyPage();
    void radioGroupsAreExclusiveAndApart();
    void geneticCodeChoicesFollowTheCodeOrder();
    void gridsStartWithTheirCellSizes();
    void userOrderBoxesCarryTheirOwnBorder();
    void noDefaultTextIsClipped();
    void ourArrangementLeavesNoControlOverAnother();
    void cleanupTestCase();

private:
    template <typename T = QWidget>
    T* Find(const char* name) const {
        return window_->findChild<T*>(QString::fromUtf8(name));
    }
    QWidget* ControlOf(const Control& control) const { return Find(control.name); }
    const Control* Listed(const QString& name) const;
    QRect ExpectedGeometry(const Control& control, QWidget* widget) const;
    void SaveScreenshots();

    std::unique_ptr<QMainWindow> window_;
    Ui::MainWindow ui_;
    QSize sizeAsLoaded_;
    QHash<QString, int> pageAsLoaded_;
};

const Control* LayoutTest::Listed(const QString& name) const {
    for (const Control& control : kControls)
        if (name == QString::fromUtf8(control.name)) return &control;
    return nullptr;
}

void LayoutTest::initTestCase() {
    window_ = std::make_unique<QMainWindow>();
    ui_.setupUi(window_.get());
    sizeAsLoaded_ = window_->size();
    for (QTabWidget* tabs : {ui_.高级选择夹1, ui_.高级选择夹2, ui_.高级选择夹3})
        pageAsLoaded_[tabs->objectName()] = tabs->currentIndex();
    // Every check reaches controls by name and kind: a missing or retyped
    // control stops the run here, named, before any check trips over it.
    QStringList wrong;
    for (const Control& control : kControls) {
        QWidget* widget = ControlOf(control);
        if (!widget || QLatin1String(widget->metaObject()->className()) != QLatin1String(control.kind))
            wrong << QString::fromUtf8(control.name);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable("missing or of another kind: " + wrong.join(", ")));

    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get(), tulvarine::testing::kWaitLimitMs));
    // A page is laid out when it is first shown: visit each one, as a user would.
    for (QTabWidget* tabs : {ui_.高级选择夹1, ui_.高级选择夹2, ui_.高级选择夹3}) {
        ui_.高级选择夹1->setCurrentWidget(PageOf(tabs) ? PageOf(tabs) : ui_.page_home);
        for (int i = tabs->count() - 1; i >= 0; --i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
        }
    }
}

void LayoutTest::windowFrame() {
    // The window's place on the screen is set when it opens, not by its layout.
    QCOMPARE(sizeAsLoaded_, QSize(900, 601));
    QCOMPARE(window_->windowTitle(), QString("Tulvarine: a Package for Manipulating Sequence Data"));
    QCOMPARE(ui_.高级选择夹1->geometry(), QRect(0, 0, 894, 555));
    QVERIFY(qobject_cast<QStatusBar*>(Find("状态条1")));
    QCOMPARE(window_->statusBar(), Find<QStatusBar>("状态条1"));
}

void LayoutTest::tabPagesHaveTheirTitlesAndHints() {
    QHash<QString, int> nextIndex;
    for (const TabPage& tab : kTabPages) {
        auto* tabs = Find<QTabWidget>(tab.tabs);
        QVERIFY2(tabs, tab.tabs);
        const int index = nextIndex[tab.tabs]++;
        QVERIFY2(index < tabs->count(), tab.page);
        QCOMPARE(tabs->widget(index)->objectName(), QString::fromUtf8(tab.page));
        QCOMPARE(tabs->tabText(index), QString::fromUtf8(tab.title));
        QCOMPARE(tabs->tabToolTip(index), QString::fromUtf8(tab.hint));
        QCOMPARE(pageAsLoaded_.value(tabs->objectName(), -1), 0);
    }
    for (auto it = nextIndex.cbegin(); it != nextIndex.cend(); ++it)
        QCOMPARE(Find<QTabWidget>(it.key().toUtf8())->count(), it.value());
}

void LayoutTest::everyControlHasItsKindTextAndStates_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < kControls.size(); ++i)
        QTest::newRow(kControls[i].name) << static_cast<int>(i);
}

void LayoutTest::everyControlHasItsKindTextAndStates() {
    QFETCH(int, row);
    const Control& control = kControls[row];
    QWidget* widget = ControlOf(control);
    QVERIFY2(widget, "control missing");
    QCOMPARE(QString(widget->metaObject()->className()), QString(control.kind));
    QVERIFY(PageOf(widget));
    QCOMPARE(PageOf(widget)->objectName(), QString::fromUtf8(control.page));

    if (control.text) {
        const std::optional<QString> shown = ShownText(widget);
        QVERIFY2(shown, "this kind shows no text");
        QCOMPARE(*shown, QString::fromUtf8(control.text));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QCOMPARE(button->isChecked(), control.checked);
    } else {
        QVERIFY2(!control.checked, "only buttons can be checked");
    }
    QCOMPARE(widget->isEnabled(), control.enabled);
    QCOMPARE(widget->isHidden(), control.hidden);

    const QColor colour = TextColour(widget);
    switch (control.colour) {
    case Colour::Blue:
        QCOMPARE(colour, QColor(0, 0, 255));
        QCOMPARE(widget->palette().color(QPalette::Active, QPalette::ButtonText), QColor(0, 0, 255));
        break;
    case Colour::Red:
        QCOMPARE(colour, QColor(255, 0, 0));
        break;
    case Colour::Plain:
        QVERIFY2(colour != QColor(0, 0, 255) && colour != QColor(255, 0, 0), "unexpected colour");
        break;
    }

    if (control.buddy) {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QVERIFY2(label->buddy(), "label names no box");
        QCOMPARE(label->buddy()->objectName(), QString::fromUtf8(control.buddy));
    }
}

// Where the design gives a place, a control of a main page stands there in the
// tab control's coordinates; a control in a group box or on an inner tab page
// stands there relative to it. A place reaching past its parent's edge is cut
// at the edge, so that nothing is drawn half outside the window.
QRect LayoutTest::ExpectedGeometry(const Control& control, QWidget* widget) const {
    QWidget* parent = widget->parentWidget();
    QPoint origin;
    if (IsMainPage(parent->objectName())) origin = parent->mapTo(ui_.高级选择夹1, QPoint(0, 0));
    const Place& place = control.place;
    const QPoint topLeft = QPoint(place.x, place.y) - origin;
    if (place.w < 0) return QRect(topLeft, widget->size());
    return QRect(topLeft, QSize(place.w, place.h)).intersected(parent->rect());
}

void LayoutTest::controlsStandWhereTheDesignPlacesThem() {
    int placed = 0;
    for (const Control& control : kControls) {
        if (!control.place.given()) continue;
        QWidget* widget = ControlOf(control);
        QVERIFY2(widget, control.name);
        const QRect expected = ExpectedGeometry(control, widget);
        if (widget->geometry() != expected)
            QFAIL(qPrintable(QString("%1 stands at %2,%3 %4x%5, expected %6,%7 %8x%9")
                                 .arg(QString::fromUtf8(control.name))
                                 .arg(widget->x()).arg(widget->y()).arg(widget->width()).arg(widget->height())
                                 .arg(expected.x()).arg(expected.y()).arg(expected.width()).arg(expected.height())));
        ++placed;
    }
    QVERIFY(placed > 60);
}

void LayoutTest::noUnlistedControlOnAnyPage() {
    for (QWidget* widget : ui_.高级选择夹1->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith("qt_") || IsPage(name)) continue;
        if (qobject_cast<QTabBar*>(widget->parentWidget())) continue;  // the tab bar's scroll buttons
        QVERIFY2(Listed(name), qPrintable("control not in the list: " + name));
    }
}

void LayoutTest::radioGroupsAreExclusiveAndApart() {
    std::vector<QRadioButton*> all;
    for (const auto& group : kRadioGroups)
        for (const char* name : group) {
            auto* radio = Find<QRadioButton>(name);
            QVERIFY2(radio, name);
            all.push_back(radio);
        }
    for (const auto& group : kRadioGroups) {
        QRadioButton* initial = nullptr;
        for (const char* name : group)
            if (Find<QRadioButton>(name)->isChecked()) initial = Find<QRadioButton>(name);
        QVERIFY2(initial, group.front());
        for (const char* name : group) {
            std::vector<bool> before;
            for (QRadioButton* radio : all) before.push_back(radio->isChecked());
            Find<QRadioButton>(name)->setChecked(true);
            for (std::size_t i = 0; i < all.size(); ++i) {
                const bool inGroup = std::find_if(group.begin(), group.end(), [&](const char* member) {
                                         return all[i]->objectName() == QString::fromUtf8(member);
                                     }) != group.end();
                const bool expected = inGroup ? all[i]->objectName() == QString::fromUtf8(name) : bool(before[i]);
                QVERIFY2(all[i]->isChecked() == expected,
                         qPrintable(QString("checking %1 changed %2").arg(QString::fromUtf8(name), all[i]->objectName())));
            }
        }
        initial->setChecked(true);
    }
}

void LayoutTest::geneticCodeChoicesFollowTheCodeOrder() {
    // Each group of ten reads in the codes' order: down a column, then on to
    // the next column.
    for (const char* first : {"单选框1", "单选框11"}) {
        const auto& group = *std::find_if(kRadioGroups.begin(), kRadioGroups.end(),
                                          [&](const auto& g) { return std::string_view(g.front()) == first; });
        QCOMPARE(group.size(), std::size_t(10));
        for (std::size_t i = 0; i + 1 < group.size(); ++i) {
            const QPoint a = Find(group[i])->pos(), b = Find(group[i + 1])->pos();
            QVERIFY2(a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()), group[i + 1]);
        }
    }
    auto* codes = Find<QComboBox>("组合框1");
    QStringList entries;
    for (int i = 0; i < codes->count(); ++i) entries << codes->itemText(i);
    QCOMPARE(entries, kCodeNames);
    QCOMPARE(codes->currentIndex(), -1);
    QVERIFY(!codes->isEditable());
}

void LayoutTest::gridsStartWithTheirCellSizes() {
    auto* viewer = Find<QTableView>("高级表格1");
    QCOMPARE(viewer->horizontalHeader()->defaultSectionSize(), 20);
    QCOMPARE(viewer->verticalHeader()->defaultSectionSize(), 30);
    for (const char* name : {"高级表格1", "高级表格2"}) {
        auto* grid = Find<QTableView>(name);
        QVERIFY2(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden(),
                 "the grids draw their own first row and column");
    }
}

void LayoutTest::userOrderBoxesCarryTheirOwnBorder() {
    const auto shape = [&](const char* name) { return Find<QFrame>(name)->frameShape(); };
    const QFrame::Shape usual = shape("编辑框_Sort_Raw_ID");
    QCOMPARE(shape("编辑框_Sort_Final_IDs"), usual);
    QVERIFY(shape("编辑框_Sort_User_IDs") != usual);
    QVERIFY(shape("编辑框_Sort_User_IDs1") != usual);
}

void LayoutTest::noDefaultTextIsClipped() {
    QStyle* style = window_->style();
    for (const Control& control : kControls) {
        QWidget* widget = ControlOf(control);
        QVERIFY2(widget, control.name);
        const QFontMetrics metrics = widget->fontMetrics();
        const QString why = QString::fromUtf8(control.name) + " clips its text";
        const auto fits = [&](QSize need, QSize room) { return need.width() <= room.width() && need.height() <= room.height(); };

        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QRect room = label->contentsRect();
            QString text = *ShownText(label);
            if (text.isEmpty()) continue;
            if (label->wordWrap()) {
                QVERIFY2(label->heightForWidth(room.width()) <= room.height(), qPrintable(why));
            } else {
                const QSize need = metrics.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, text).size();
                QVERIFY2(fits(need, room.size()), qPrintable(why));
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(widget); check || qobject_cast<QRadioButton*>(widget)) {
            auto* button = static_cast<QAbstractButton*>(widget);
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room = style->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                                     &option, button);
            const QSize need = metrics.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, button->text()).size();
            QVERIFY2(fits(need, room.size()), qPrintable(why));
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            const QSize need(metrics.horizontalAdvance(button->text()) + 8, metrics.height() + 4);
            QVERIFY2(fits(need, button->size()), qPrintable(why));
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            QVERIFY2(metrics.horizontalAdvance(group->title()) + 16 <= group->width(), qPrintable(why));
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            QVERIFY2(metrics.horizontalAdvance(line->text()) + 8 <= line->width(), qPrintable(why));
        } else if (auto* box = qobject_cast<QAbstractScrollArea*>(widget); box && ShownText(widget)) {
            // A box shows its whole default text when nothing is left to scroll to.
            QVERIFY2(box->verticalScrollBar()->maximum() == 0 && box->horizontalScrollBar()->maximum() == 0, qPrintable(why));
        }
    }
}

// Controls of our own arrangement stand inside their parent and apart from
// each other; only controls both placed by the design may overlap, as the
// design lays a few over a caption strip.
void LayoutTest::ourArrangementLeavesNoControlOverAnother() {
    std::vector<std::pair<QWidget*, const Control*>> placed;
    for (const Control& control : kControls) {
        QVERIFY2(ControlOf(control), control.name);
        placed.emplace_back(ControlOf(control), &control);
    }
    for (const auto& [widget, control] : placed) {
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
                 qPrintable(QString::fromUtf8(control->name) + " reaches past its parent"));
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            auto [a, ca] = placed[i];
            auto [b, cb] = placed[j];
            if (a->parentWidget() != b->parentWidget()) continue;
            if (ca->place.given() && cb->place.given()) continue;
            QVERIFY2(!a->geometry().intersects(b->geometry()),
                     qPrintable(QString("%1 overlaps %2").arg(QString::fromUtf8(ca->name), QString::fromUtf8(cb->name))));
        }
}

void LayoutTest::cleanupTestCase() {
    SaveScreenshots();
    window_.reset();
}

// Pictures of every page, inner pages included, for a person to look at.
void LayoutTest::SaveScreenshots() {
    const QString folder = qEnvironmentVariable("TULVARINE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QTabWidget* main = ui_.高级选择夹1;
    const auto save = [&](const QString& name) {
        QCoreApplication::processEvents();
        window_->grab().save(QDir(folder).filePath("layout_" + name + ".png"));
    };
    for (int i = 0; i < main->count(); ++i) {
        main->setCurrentIndex(i);
        save(QString::number(i) + "_" + main->widget(i)->objectName());
    }
    for (QTabWidget* inner : {ui_.高级选择夹2, ui_.高级选择夹3}) {
        main->setCurrentWidget(PageOf(inner));
        inner->setCurrentIndex(1);
        save(inner->currentWidget()->objectName());
        inner->setCurrentIndex(0);
    }
    main->setCurrentIndex(0);
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
