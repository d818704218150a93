// The outside aligners (MUSCLE, MAFFT, PRANK) and PRANK's format conversion:
// where their program files are and how one file is aligned or converted.
// Headless: no window, no Qt.
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

enum class Aligner { kMuscle, kMafft, kPrankProtein, kPrankDna, kPrankCodon };

// The formats PRANK converts an alignment into.
enum class AlignmentFormat { kPhylipi, kPhylips, kPaml, kNexus };

// Program file names, in the "tools" folder and on PATH.
inline constexpr std::string_view kMuscleTool = "muscle";
inline constexpr std::string_view kMafftTool = "mafft";
inline constexpr std::string_view kPrankTool = "prank";

std::string_view ToolFileName(Aligner aligner);
// The format's name on the converter's command line: "phylipi", "phylips", "paml", "nexus".
std::string_view FormatName(AlignmentFormat format);

// The program file of a tool: programFolder + "/tools/" + name when that is an
// executable file, otherwise the first executable file of that name in a
// folder of PATH; empty ("missing") when neither holds one.
std::string FindTool(const std::string& programFolder, std::string_view name);

// Where an alignment run puts its result: output itself, or output +
// ".best.fas" for PRANK.
std::string AlignedFilePath(Aligner aligner, const std::string& output);
// Where a conversion puts its result: output + ".nex" for NEXUS, + ".phy" for
// the other three.
std::string ConvertedFilePath(const std::string& output, AlignmentFormat format);

// The outcome of one run of a tool: whether its result is in place, and, when
// not, why, in a user's words ("muscle ended by signal SIGFPE (arithmetic
// fault)", "mafft exited with code 1: <its last line>").
struct ToolRun {
    bool placed = false;
    std::string failure;  // empty when placed
};

// Aligns the FASTA file input with the aligner whose program file is tool
// (found by FindTool), run in workingFolder. The tool sees only paths in a
// private scratch folder (no name of the user's is ever read by a shell, not
// even by the shells PRANK starts), and reads there a copy of input whose
// lines end in LF (CopyWithLfLineEnds), so LF, CR LF and lone-CR files give
// the same result; an input that is no regular file is refused before the
// tool starts. A failure's reason names input and output where the tool named
// its scratch paths. The result appears at
// AlignedFilePath(aligner, output) in one step, only when the tool ended well
// and wrote a file that is not empty: a failed, empty or interrupted run leaves
// whatever was at that path as it was. The scratch folder goes on every way
// out, the program's end included.
//
// Blocks until the tool has ended: worker threads only. Several calls may run
// at once when their outputs differ.
ToolRun AlignFile(Aligner aligner, const std::string& tool, const std::string& input, const std::string& output,
               const std::string& workingFolder);

// Converts the aligned FASTA file input into format with PRANK (tool), leaving
// ConvertedFilePath(output, format) on the same terms as AlignFile.
ToolRun ConvertFile(AlignmentFormat format, const std::string& tool, const std::string& input,
                 const std::string& output, const std::string& workingFolder);

}  // namespace tulvarine
