#include "tools/get_orf_routines.h"

#include "model/counting_progress.h"
#include "model/file_bytes.h"
#include "model/id_map.h"
#include "model/line_wrapper.h"
#include "model/mapped_orfs.h"
#include "model/output_file.h"
#include "model/sequence.h"
#include "model/text.h"

namespace tulvarine {

namespace {
std::string OutputSuffix(OrfMode mode) {
    switch (mode) {
    case kLongestOrf: return ".orfs.long.fas";
    case kAllOrfs: return ".orfs.all.fas";
    case kMostSimilarOrf: return ".orfs.sim1.fas";
    }
    return {};
}

bool CannotRead(RunReport& report, const std::string& what, const std::string& path) {
    report.Error(WithReason("Cannot read the " + what + " " + path, ReadFailureReason(path)));
    return false;
}

bool CannotWrite(RunReport& report, const std::string& path, const std::string& reason) {
    report.Error(WithReason("Cannot write the output file " + path, reason));
    return false;
}

bool FindOrfsByProteinMap(const OrfFileSettings& settings, RunReport& report) {
    if (settings.proteinPath.empty()) {
        report.Error("No ref pep fasta file selected!");
        return false;
    }
    if (settings.mapPath.empty()) {
        report.Error("No ID map file selected!");
        return false;
    }
    SequenceSet cdna;
    CountingProgress cdnaCount(report, " cDNA loaded");
    if (!cdna.ReadFasta(settings.cdnaPath, &cdnaCount))
        return CannotRead(report, "cDNA fasta file", settings.cdnaPath);
    SequenceSet proteins;
    CountingProgress proteinCount(report, " Prot loaded");
    if (!proteins.ReadFasta(settings.proteinPath, &proteinCount))
        return CannotRead(report, "ref pep fasta file", settings.proteinPath);
    IdMap map;
    if (!ReadIdMap(settings.mapPath, map, &report)) return CannotRead(report, "ID map file", settings.mapPath);

    const std::string output = settings.cdnaPath + ".orfs.sim2.fas";
    OutputFile out;
    if (!out.Open(output, {settings.cdnaPath, settings.proteinPath, settings.mapPath}))
        return CannotWrite(report, output, out.Error());
    WriteOrfsByProteinMap(out, cdna, proteins, map, settings.code, settings.cutoff, &report);  // "i/n" per record
    if (!out.Close()) return CannotWrite(report, output, out.Error());
    report.Info("Saved into " + output);
    return true;
}
}  // namespace

std::string WithoutLineBreaks(std::string text) {
    ReplaceAll(text, "\n", "");
    ReplaceAll(text, "\r", "");
    return text;
}

std::string FindOrfsInPastedSequence(const PastedOrfSettings& settings) {
    Sequence sequence;
    sequence.SetText(std::string(settings.sequence));
    switch (settings.mode) {
    case kLongestOrf:
        return ">ORF-Longest\r\n" + WrapSequenceLines(sequence.FindLongestOrf(settings.code, settings.cutoff, true));
    case kAllOrfs:
        return sequence.FindAllOrfs(settings.code, settings.cutoff, true, "ORF");
    case kMostSimilarOrf:
        return ">ORF-Sim\r\n" +
               WrapSequenceLines(sequence.FindMostSimilarOrf(settings.code, settings.cutoff, true, settings.reference));
    }
    return {};
}

bool FindOrfsInFile(const OrfFileSettings& settings, RunReport& report) {
    if (settings.cdnaPath.empty()) {
        report.Error("No cDNA fasta file selected!");
        return false;
    }
    if (settings.byProteinMap) return FindOrfsByProteinMap(settings, report);

    SequenceSet set;
    if (!set.ReadFasta(settings.cdnaPath, &report)) return CannotRead(report, "cDNA fasta file", settings.cdnaPath);
    const std::string output = settings.cdnaPath + OutputSuffix(settings.mode);
    std::string error;
    if (!set.WriteOrfs(output, settings.code, settings.cutoff, settings.reference, settings.mode, &report, &error))
        return CannotWrite(report, output, error);
    report.Info("Saved into " + output);
    return true;
}

}  // namespace tulvarine
