#include "tools/translation_routines.h"

#include "model/file_bytes.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/pasted_translation.h"
#include "model/paths.h"
#include "model/sequence_header.h"
#include "model/sequence_set.h"
#include "platform/folder_listing.h"

namespace tulvarine {

namespace {
constexpr char kWorkFileName[] = "tmp.fas";
constexpr char kOutputFolderSuffix[] = "_AA";

std::string CountText(std::size_t n) { return IntToText(static_cast<long long>(n)); }

std::string FailureMessage(const TextArray& failed, std::size_t total) {
    std::string message = CountText(failed.size()) + " of " + CountText(total) + " files not translated: ";
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (i > 0) message += ", ";
        message += failed[i];
    }
    return message;
}
}  // namespace

std::optional<std::string> TranslatePastedSequences(const PastedTranslationSettings& settings, RunReport& report) {
    if (settings.text.empty()) return std::nullopt;  // nothing to translate, nothing to say
    const std::string workFile =
        settings.workFolder.empty() ? std::string() : JoinPath(settings.workFolder, kWorkFileName);
    const PastedTranslation result = TranslatePastedText(settings.text, settings.code, workFile);
    const std::string shownWorkFile = workFile.empty() ? JoinPath("tmp", kWorkFileName) : workFile;
    switch (result.outcome) {
    case PastedTranslation::kWorkFileNotWritten:
        report.Error(WithReason("Cannot write the working file " + shownWorkFile, result.error));
        return std::nullopt;
    case PastedTranslation::kWorkFileNotRead:
        report.Error(WithReason("Cannot read the working file " + shownWorkFile, result.error));
        return std::nullopt;
    case PastedTranslation::kTranslated:
        break;
    }
    return result.text;
}

bool TranslateFolder(const FolderTranslationSettings& settings, FolderTranslationReport& report) {
    std::string in = settings.inputFolder;
    if (in.empty()) return false;  // no folder chosen: nothing to do, nothing to say
    StripTrailingBackslash(in);
    if (!CanListFolder(in)) {
        report.Error(WithReason("Cannot read the folder " + in, ReadFailureReason(in)));
        return false;
    }
    std::string out = settings.outputFolder;
    if (out.empty()) {
        out = in + kOutputFolderSuffix;
        report.OutputFolderChosen(out);
    }
    StripTrailingBackslash(out);
    if (IsSamePlace(in, out)) {  // the outputs would replace their inputs
        report.Error("The output folder is the input folder; nothing written: " + out);
        return false;
    }
    if (!MakeFolder(out)) {
        report.Error("Cannot create the folder " + out);
        return false;
    }

    report.ClearFiles();
    const TextArray files = platform::ListFastaFiles(in);
    TextArray inputs;
    inputs.reserve(files.size());
    for (const std::string& file : files) inputs.push_back(JoinPath(in, file));
    const InputFileSet inputFiles(inputs);  // no output may replace any of them, not only its own input

    TextArray failed;
    SequenceSet set;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (report.StopRequested()) return false;
        const std::string& file = files[i];
        report.AddFile(file);
        const std::string outPath = JoinPath(out, file);
        if (inputFiles.Holds(outPath)) {
            report.Error("Not written over an input: " + outPath);
            failed.push_back(file);
            continue;
        }
        if (!set.ReadFasta(inputs[i], &report)) {
            report.Error(WithReason("Cannot read " + inputs[i], ReadFailureReason(inputs[i])));
            failed.push_back(file);
            continue;
        }
        const TranslatedSet translated = set.Translate(settings.code, SequenceHeader::kWhole, outPath, &report);
        if (!translated.fileWritten) {
            report.Error(WithReason("Cannot write " + outPath, translated.error));
            failed.push_back(file);
        }
    }
    set.Release();  // the last file's records are not needed any more
    if (failed.empty()) {
        report.SetText("Done!");
        return true;
    }
    report.SetText("Failed: " + CountText(failed.size()) + " of " + CountText(files.size()));
    report.Error(FailureMessage(failed, files.size()));
    return false;
}

}  // namespace tulvarine
