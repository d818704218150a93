#include "tools/align_format_routines.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "model/file_bytes.h"
#include "model/numbers.h"
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

// "Error:" naming what did not succeed, or the empty text when all did.
std::string FailureMessage(std::string_view what, const TextArray& failed, std::size_t total) {
    if (failed.empty()) return {};
    std::string message = ErrorMessage(Count(failed.size()) + " of " + Count(total) + " " + std::string(what) + ": ");
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (i > 0) message += ", ";
        message += failed[i];
    }
    return message;
}

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

    TextArray failed;
    const std::string total = Count(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        report.SetFileLine(i, name);
        report.SetText("Aligning " + Count(i + 1) + "/" + total);
        const std::string output = JoinPath(outFolder, name);
        std::string_view note;
        if (AlignedBefore(output)) {
            note = "    Aligned before. Pass!";
        } else if (name.find(' ') != std::string::npos) {
            note = "    Error! Space in Filename!";
            failed.push_back(name);
        } else if (AlignFile(aligner, tool, JoinPath(folder, name), output, settings.programFolder)) {
            note = "    Aligned";
        } else {
            note = "    Failed!";
            failed.push_back(name);
        }
        report.SetFileLine(i, name + std::string(note));
    }
    report.SetText("Done!");
    const std::string failure = FailureMessage("files not aligned", failed, names.size());
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

    TextArray failed;
    std::size_t tried = 0;
    const std::string total = Count(names.size());
    for (std::size_t f = 0; f < kConversionFormats.size(); ++f) {
        if (!settings.formats[f]) continue;
        const AlignmentFormat format = kConversionFormats[f];
        const std::string word(FormatName(format));
        const std::string outFolder = folder + "_" + word;
        if (!PrepareOutputFolder(folder, outFolder, report)) return;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string line = names[i] + " => " + word;
            report.AddLine(line);
            ++tried;
            if (!ConvertFile(format, tool, JoinPath(folder, names[i]), JoinPath(outFolder, names[i]),
                             settings.programFolder)) {
                report.AppendToLastLine("    Failed!");
                failed.push_back(line);
            }
            report.SetText(Count(i + 1) + "/" + total);
        }
    }
    report.SetText("Done!");
    const std::string failure = FailureMessage("conversions failed", failed, tried);
    report.Status(failure.empty() ? "Info:    Format conversion completed!" : failure);
}

}  // namespace tulvarine
