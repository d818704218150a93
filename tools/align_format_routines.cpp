#include "tools/align_format_routines.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "model/file_bytes.h"
#include "model/numbers.h"
#include "model/ordered_batches.h"
#include "model/paths.h"
#include "platform/folder_listing.h"

namespace tulvarine {

namespace fs = std::filesystem;

namespace {

struct AlignerFacts {
    std::string_view folderSuffix;
    std::string_view missingMessage;
};

AlignerFacts Facts(Aligner aligner) {
    constexpr std::string_view kNoPrank = "Error:        There is no Prank aligner available in folder 'tools'!";
    switch (aligner) {
    case Aligner::kMuscle:
        return {"_align_Muscle", "Error:        There is no Muscle aligner available in folder 'tools'!"};
    case Aligner::kMafft:
        return {"_align_Mafft", "Error:        There is no Mafft aligner available in folder 'tools'!"};
    case Aligner::kPrankProtein: return {"_align_PrankAA", kNoPrank};
    case Aligner::kPrankDna: return {"_align_PrankDNA", kNoPrank};
    case Aligner::kPrankCodon: return {"_align_PrankCodon", kNoPrank};
    }
    return {};
}

std::string Count(std::size_t n) { return IntToText(static_cast<long long>(n)); }

// Lists the "*.fa*" files of folder; false, with an "Error:" shown, when the
// folder cannot be read or holds none.
bool ListInputs(const std::string& folder, TextArray& names, RunReport& report) {
    std::error_code error;
    const fs::directory_iterator listing(folder, error);
    if (error) {
        report.Error(WithReason("Cannot read the folder " + folder, error.message()));
        return false;
    }
    names = platform::ListFastaFiles(folder);
    if (names.empty()) {
        report.Error("No FASTA files (*.fa*) in the folder " + folder);
        return false;
    }
    return true;
}

// Creates output (one level; an existing folder is fine) and makes sure that
// results can be written there without replacing an input.
bool PrepareOutputFolder(const std::string& input, const std::string& output, RunReport& report) {
    std::error_code error;
    fs::create_directory(output, error);
    if (error || !fs::is_directory(output, error)) {
        report.Error(WithReason("Cannot create the folder " + output,
                                error ? error.message() : std::string("a file of that name is in the way")));
        return false;
    }
    if (IsSamePlace(input, output)) {  // a link back to the input folder
        report.Error("The output folder is the input folder; nothing written: " + output);
        return false;
    }
    if (::access(output.c_str(), W_OK | X_OK) != 0) {
        report.Error(WithReason("Cannot write in the folder " + output, ErrorText(errno)));
        return false;
    }
    return true;
}

// What did not succeed, and why.
struct Failure {
    std::string what;
    std::string why;
};

// "Error:" naming each thing that did not succeed with its reason, or the
// empty text when all did.
std::string FailureMessage(std::string_view what, const std::vector<Failure>& failed, std::size_t total) {
    if (failed.empty()) return {};
    std::string message = ErrorMessage(Count(failed.size()) + " of " + Count(total) + " " + std::string(what) + ": ");
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (i > 0) message += ", ";
        message += failed[i].what;
        if (!failed[i].why.empty()) message += " (" + failed[i].why + ")";
    }
    return message;
}

// "    Failed! <reason>", the note of a list line.
std::string FailedNote(const std::string& why) { return why.empty() ? "    Failed!" : "    Failed! " + why; }

// True when an earlier run left a result that is not empty.
bool AlignedBefore(const std::string& output) {
    std::error_code error;
    for (const std::string& path : {output, output + ".best.fas"}) {
        const auto size = fs::file_size(path, error);
        if (!error && size > 0) return true;
    }
    return false;
}

}  // namespace

void RunBatchAlignment(const BatchAlignmentSettings& settings, BatchAlignmentReport& report) {
    std::string folder = settings.folder;
    if (folder.empty() || !settings.aligner) return;
    StripTrailingBackslash(folder);
    const Aligner aligner = *settings.aligner;
    TextArray names;
    const bool listed = ListInputs(folder, names, report);
    report.ShowFiles(names);
    if (!listed) return;

    const AlignerFacts facts = Facts(aligner);
    const std::string outFolder = folder + std::string(facts.folderSuffix);
    if (!PrepareOutputFolder(folder, outFolder, report)) return;
    // The output folder is made even when the tool is missing: users of this page know it so.
    const std::string tool = FindTool(settings.programFolder, ToolFileName(aligner));
    if (tool.empty()) {
        report.Status(std::string(facts.missingMessage));
        return;
    }

    std::vector<Failure> failed;
    const std::string total = Count(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (report.StopRequested()) return;
        const std::string& name = names[i];
        report.SetFileLine(i, name);
        report.SetText("Aligning " + Count(i + 1) + "/" + total);
        const std::string output = JoinPath(outFolder, name);
        std::string note;
        if (AlignedBefore(output)) {
            note = "    Aligned before. Pass!";
        } else if (name.find(' ') != std::string::npos) {
            note = "    Error! Space in Filename!";
            failed.push_back({name, "a blank in the file name"});
        } else if (const ToolRun run = AlignFile(aligner, tool, JoinPath(folder, name), output,
                                                 settings.programFolder);
                   run.placed) {
            note = "    Aligned";
        } else {
            note = FailedNote(run.failure);
            failed.push_back({name, run.failure});
        }
        report.SetFileLine(i, name + note);
    }
    report.SetText("Done!");
    const std::string failure = FailureMessage("files not aligned", failed, names.size());
    // An empty output folder is no work for the conversion.
    if (failed.size() == names.size()) {
        report.Status(failure + "; nothing to hand to the format conversion");
        return;
    }
    report.Status(failure.empty() ? "Info:    Alignment completed!" : failure);
    report.HandOver(outFolder);
}

void ConvertAlignmentFormats(const FormatConversionSettings& settings, FormatConversionReport& report) {
    std::string folder = settings.folder;
    if (folder.empty()) return;
    StripTrailingBackslash(folder);
    TextArray names;
    if (!ListInputs(folder, names, report)) return;
    const std::string tool = FindTool(settings.programFolder, kPrankTool);
    if (tool.empty()) {
        report.Status("Error:        There is no prank aligner available in folder 'tools'!");
        return;
    }

    std::vector<Failure> failed;
    std::size_t tried = 0;
    const std::string total = Count(names.size());
    for (std::size_t f = 0; f < kConversionFormats.size(); ++f) {
        if (!settings.formats[f]) continue;
        const AlignmentFormat format = kConversionFormats[f];
        const std::string word(FormatName(format));
        const std::string outFolder = folder + "_" + word;
        if (!PrepareOutputFolder(folder, outFolder, report)) return;
        // A conversion is mostly the converter's start-up: the files of a
        // format are converted on every core, and shown in file order.
        RunOrderedBatches<ToolRun>(
            names.size(), 1,
            [&](std::size_t i, std::size_t, ToolRun& result) {
                if (report.StopRequested()) return;
                result = ConvertFile(format, tool, JoinPath(folder, names[i]), JoinPath(outFolder, names[i]),
                                     settings.programFolder);
            },
            [&](std::size_t i, std::size_t, const ToolRun& result) {
                const std::string line = names[i] + " => " + word;
                if (!result.placed) failed.push_back({line, result.failure});
                report.AddLine(result.placed ? line : line + FailedNote(result.failure));
                ++tried;
                report.SetText(Count(i + 1) + "/" + total);
            });
    }
    report.SetText("Done!");
    const std::string failure = FailureMessage("conversions failed", failed, tried);
    report.Status(failure.empty() ? "Info:    Format conversion completed!" : failure);
}

}  // namespace tulvarine
