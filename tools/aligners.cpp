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

bool IsExecutableFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

// Tools run in the program folder, so a relative path is made whole against
// the current folder, where it was listed.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const fs::path whole = fs::absolute(path, error);
    return error ? path : whole.string();
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
// reads its input through a link there, writes its result there and keeps its
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
    std::string Path(std::string_view name) const { return JoinPath(path_, name); }
    std::string TmpDirEntry() const { return "TMPDIR=" + path_; }
    // A link named name to the file at target; empty when it cannot be made.
    std::string Link(std::string_view name, const std::string& target) const {
        std::error_code error;
        const std::string link = Path(name);
        fs::create_symlink(Absolute(target), link, error);
        return error ? std::string() : link;
    }

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

// Runs command and places its result when the tool ended well and the result
// is not empty.
ToolRun RunAndPlace(const platform::Command& command, const std::string& result, const std::string& destination,
                    const std::string& input) {
    platform::CommandEnd end;
    platform::RunCommandCaptureOutput(command, {}, &end);
    std::string failure = platform::DescribeCommandEnd(command.program, end);
    if (failure.empty()) {
        std::error_code error;
        const auto size = fs::file_size(result, error);
        if (error || size == 0) {
            failure = GetFileNameFromPath(command.program) + " wrote no result";
            const std::string last = platform::TellingOutputLine(end);
            if (!last.empty()) failure.append(": ").append(last);
        } else {
            failure = PlaceResult(result, destination, input);
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
    const std::string in = scratch.Made() ? scratch.Link("input.fas", input) : std::string();
    if (in.empty()) return {false, kNoScratch};
    const std::string aligned = scratch.Path("aligned");
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
    return RunAndPlace(command, AlignedFilePath(aligner, aligned), AlignedFilePath(aligner, output), input);
}

ToolRun ConvertFile(AlignmentFormat format, const std::string& tool, const std::string& input,
                    const std::string& output, const std::string& workingFolder) {
    if (tool.empty()) return {false, kNoTool};
    const ScratchFolder scratch;
    const std::string in = scratch.Made() ? scratch.Link("input.fas", input) : std::string();
    if (in.empty()) return {false, kNoScratch};
    const std::string converted = scratch.Path("converted");
    const platform::Command command{
        tool,
        {"-convert", "-d=" + in, "-o=" + converted, "-f=" + std::string(FormatName(format))},
        {},
        workingFolder,
        {scratch.TmpDirEntry()}};
    return RunAndPlace(command, ConvertedFilePath(converted, format), ConvertedFilePath(output, format), input);
}

}  // namespace tulvarine
