// The work of the "Align-Format" page, without a window: the batch alignment
// of every FASTA file of a folder, and the conversion of every aligned file of
// a folder into other alignment formats. Both report through a RunReport (the
// progress label and the status pane) with the page's file list beside it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "model/text.h"
#include "tools/aligners.h"
#include "tools/run_report.h"

namespace tulvarine {

struct BatchAlignmentSettings {
    std::string folder;              // the folder box, as typed
    std::optional<Aligner> aligner;  // the first checked aligner radio; none when none is checked
    std::string programFolder;       // holds "tools"; the tools' working folder
};

// What the batch shows beside the RunReport.
class BatchAlignmentReport : public RunReport {
public:
    // The files of the folder, listed at the start of the batch: replaces the file list.
    virtual void ShowFiles(const TextArray& names) = 0;
    // Replaces the text of line index (from 0) of the file list.
    virtual void SetFileLine(std::size_t index, const std::string& text) = 0;
    // The batch has ended: its output folder goes to the format conversion.
    virtual void HandOver(const std::string& outputFolder) = 0;
};

// Aligns every "*.fa*" file of the folder into folder + "_align_<aligner>",
// one line per file: "    Aligned", "    Failed!", "    Aligned before. Pass!"
// (an output that is there and not empty) or "    Error! Space in Filename!".
void RunBatchAlignment(const BatchAlignmentSettings& settings, BatchAlignmentReport& report);

// The formats in the order they are converted, as the check boxes are laid out.
inline constexpr std::array<AlignmentFormat, 4> kConversionFormats = {
    AlignmentFormat::kPhylipi, AlignmentFormat::kPhylips, AlignmentFormat::kPaml, AlignmentFormat::kNexus};

struct FormatConversionSettings {
    std::string folder;                 // the folder box, as typed
    std::array<bool, 4> formats{};      // checked, in the order of kConversionFormats
    std::string programFolder;          // holds "tools"; the converter's working folder
};

// What the conversion shows beside the RunReport.
class FormatConversionReport : public RunReport {
public:
    // Adds a line below the list's lines.
    virtual void AddLine(const std::string& text) = 0;
    // Adds note to the end of the last line added.
    virtual void AppendToLastLine(const std::string& note) = 0;
};

// Converts every "*.fa*" file of the folder into each checked format, into
// folder + "_<format>"; one line "<name> => <format>" per file and format,
// added before its conversion runs and marked "    Failed!" when it fails.
void ConvertAlignmentFormats(const FormatConversionSettings& settings, FormatConversionReport& report);

}  // namespace tulvarine
