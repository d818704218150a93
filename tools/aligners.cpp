#include "tools/aligners.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "model/fasta_stream.h"
#include "model/file_bytes.h"
#include "model/lf_copy.h"
#include "model/output_file.h"
#include "model/paths.h"
#include "model/program_end.h"
#include "model/text.h"
#include "platform/command_runner.h"

namespace tulvarine {

namespace fs = std::filesystem;

namespace {

constexpr char kNoTool[] = "the tool file does not exist";
constexpr char kNoScratch[] = "cannot make a scratch folder for the tool";
// How a reason shows the scratch folder: the user never saw it, and it is gone once the run ends.
constexpr char kScratchInWords[] = "<temporary folder>";

bool IsExecutableFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// Bytes a shell reads as themselves: PRANK hands the paths of its temporary
// files to MAFFT through a shell, so those paths may hold nothing else.
bool ShellInert(std::string_view path) {
    return std::all_of(path.begin(), path.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
               c == '.' || c == '_' || c == '-' || c == '+';
    });
}

// A private folder for one run under the system's temporary folder: the tool
// reads its copy of the input there, writes its result there and keeps its
// own temporary files there (TMPDIR). So a tool sees only inert paths, PRANK
// finds a writable temporary folder, and the empty folders it leaves behind go
// with the scratch folder.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        std::string base = fs::temp_directory_path(error).string();
        if (error || !ShellInert(base)) base = "/tmp";
        std::string pattern = JoinPath(base, "tulvarine-XXXXXX");
        // Kept as a leftover, so it goes even when the program ends while its tool runs.
        path_ = Leftovers::Make([&] {
            const char* made = ::mkdtemp(pattern.data());
            return made != nullptr ? std::string(made) : std::string();
        });
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (path_.empty()) return;
        fs::remove_all(path_, ignored);
        Leftovers::Forget(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    const std::string& Root() const { return path_; }
    std::string Path(std::string_view name) const { return JoinPath(path_, name); }
    std::string TmpDirEntry() const { return "TMPDIR=" + path_; }

private:
    std::string path_;
};

// Copies the tool's result to destination through the one writer: it appears
// there whole or not at all, and never in place of the input. Why not, or the
// empty text when it is in place.
std::string PlaceResult(const std::string& result, const std::string& destination, const std::string& input) {
    const int fd = ::open(result.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return WithReason("cannot read the tool's result", ErrorText(errno));
    OutputFile out;
    bool ok = out.Open(destination, {input});
    std::string block(std::size_t(64) << 10, '\0');
    while (ok) {
        const ssize_t count = ::read(fd, block.data(), block.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return WithReason("cannot read the tool's result", ErrorText(errno));
        if (count == 0) break;
        out.Write(std::string_view(block.data(), static_cast<std::size_t>(count)));
    }
    ::close(fd);
    if (ok && out.Close()) return {};
    return WithReason("cannot write " + destination, out.Error());
}

// One run's paths as the tool has them in its scratch folder, and the user's
// paths they stand for, as the page shows them.
struct RunPaths {
    const ScratchFolder& scratch;
    std::string input;       // the user's file
    std::string output;      // the user's output, before the tool's own ending (".best.fas", ".phy")
    std::string toolInput;   // the copy the tool reads
    std::string toolOutput;  // what the tool is told to write
    long long headers = 0;   // header lines in the copy
};

// What the tool said, with its scratch paths told as the user's: its copy of
// the input is the user's file, its output the user's, and any other path of
// the scratch folder lies in kScratchInWords.
std::string InUserPaths(std::string said, const RunPaths& paths) {
    ReplaceAll(said, paths.toolInput, paths.input);
    ReplaceAll(said, paths.toolOutput, paths.output);
    ReplaceAll(said, paths.scratch.Root(), kScratchInWords);
    return said;
}

// The paths of one run in scratch; the tool writes toolOutputName there.
RunPaths PathsOfRun(const ScratchFolder& scratch, const std::string& input, const std::string& output,
                    std::string_view toolOutputName) {
    return {scratch, input, output, scratch.Path("input.fas"), scratch.Path(toolOutputName)};
}

// Makes the tool's copy of the input in the scratch folder; why not, or the
// empty text when the tool can start.
std::string PrepareRun(RunPaths& paths) {
    if (!paths.scratch.Made()) return kNoScratch;
    // The tools know LF line ends alone, and a FIFO would keep a tool waiting for good.
    return CopyWithLfLineEnds(paths.input, paths.toolInput, &paths.headers);
}

// Runs command and places its result when the tool ended well and the result
// is not empty.
ToolRun RunAndPlace(const platform::Command& command, const std::string& result, const std::string& destination,
                    const RunPaths& paths) {
    platform::CommandEnd end;
    platform::RunCommandCaptureOutput(command, {}, &end);
    std::string failure = InUserPaths(platform::DescribeCommandEnd(command.program, end), paths);
    if (failure.empty()) {
        std::error_code error;
        const auto size = fs::file_size(result, error);
        if (error || size == 0) {
            failure = GetFileNameFromPath(command.program) + " wrote no result";
            // A file without a record is the cause, whatever else the tool
            // printed (MAFFT ends on its standing advice).
            const std::string telling = paths.headers == 0 ? paths.input + " holds no sequence"
                                                           : InUserPaths(platform::TellingOutputLine(end), paths);
            if (!telling.empty()) failure.append(": ").append(telling);
        } else {
            failure = PlaceResult(result, destination, paths.input);
        }
    }
    return {failure.empty(), failure};
}

std::string_view PrankMode(Aligner aligner) {
    switch (aligner) {
    case Aligner::kPrankProtein: return "-protein";
    case Aligner::kPrankCodon: return "-codon";
    default: return "-DNA";
    }
}

}  // namespace

std::string_view ToolFileName(Aligner aligner) {
    switch (aligner) {
    case Aligner::kMuscle: return kMuscleTool;
    case Aligner::kMafft: return kMafftTool;
    default: return kPrankTool;
    }
}

std::string_view FormatName(AlignmentFormat format) {
    switch (format) {
    case AlignmentFormat::kPhylipi: return "phylipi";
    case AlignmentFormat::kPhylips: return "phylips";
    case AlignmentFormat::kPaml: return "paml";
    case AlignmentFormat::kNexus: return "nexus";
    }
    return {};
}

std::string FindTool(const std::string& programFolder, std::string_view name) {
    const std::string beside = JoinPath(JoinPath(programFolder, "tools"), name);
    if (IsExecutableFile(beside)) return beside;
    const char* path = std::getenv("PATH");
    for (const std::string& folder : SplitText(path != nullptr ? path : "", ":")) {
        if (folder.empty()) continue;  // never the current folder
        const std::string candidate = JoinPath(folder, name);
        if (IsExecutableFile(candidate)) return candidate;
    }
    return {};
}

std::string AlignedFilePath(Aligner aligner, const std::string& output) {
    return ToolFileName(aligner) == kPrankTool ? output + ".best.fas" : output;
}

std::string ConvertedFilePath(const std::string& output, AlignmentFormat format) {
    return output + (format == AlignmentFormat::kNexus ? ".nex" : ".phy");
}

ToolRun AlignFile(Aligner aligner, const std::string& tool, const std::string& input, const std::string& output,
                  const std::string& workingFolder) {
    if (tool.empty()) return {false, kNoTool};
    const ScratchFolder scratch;
    RunPaths paths = PathsOfRun(scratch, input, output, "aligned");
    if (std::string why = PrepareRun(paths); !why.empty()) return {false, std::move(why)};
    const std::string& in = paths.toolInput;
    const std::string& aligned = paths.toolOutput;
    platform::Command command{tool, {}, {}, workingFolder, {scratch.TmpDirEntry()}};
    switch (aligner) {
    case Aligner::kMuscle:
        command.arguments = {"-align", in, "-output", aligned};
        break;
    case Aligner::kMafft:
        command.arguments = {"--auto", in};
        command.outputFile = aligned;
        break;
    default:
        command.arguments = {"-d=" + in, "-o=" + aligned, "-F", std::string(PrankMode(aligner))};
        break;
    }
    return RunAndPlace(command, AlignedFilePath(aligner, aligned), AlignedFilePath(aligner, output), paths);
}

ToolRun ConvertFile(AlignmentFormat format, const std::string& tool, const std::string& input,
                    const std::string& output, const std::string& workingFolder) {
    if (tool.empty()) return {false, kNoTool};
    const ScratchFolder scratch;
    RunPaths paths = PathsOfRun(scratch, input, output, "converted");
    if (std::string why = PrepareRun(paths); !why.empty()) return {false, std::move(why)};
    const platform::Command command{tool,
                                    {"-convert", "-d=" + paths.toolInput, "-o=" + paths.toolOutput,
                                     "-f=" + std::string(FormatName(format))},
                                    {},
                                    workingFolder,
                                    {scratch.TmpDirEntry()}};
    return RunAndPlace(command, ConvertedFilePath(paths.toolOutput, format), ConvertedFilePath(output, format),
                       paths);
}

}  // namespace tulvarine
