#include "model/sequence_set.h"

#include "model/genetic_codes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/progress.h"
#include "model/text.h"

namespace tulvarine {

std::string RecordProgressText(std::size_t i, std::size_t n) {
    return IntToText(static_cast<long long>(i)) + "/" + IntToText(static_cast<long long>(n));
}

void SequenceSet::Release() {
    headers_.clear();
    sequences_.clear();
}

bool SequenceSet::ReadFasta(const std::string& path, ProgressSink* display) {
    Release();
    LineReader reader;
    if (!reader.Open(path)) return false;

    // The pending text collects the lines of the current record. It is cleaned
    // and copied out at the next header, so each sequence gets an exact-size
    // buffer while the scratch capacity is reused.
    std::string pending;
    bool inRecord = false;
    auto finishRecord = [&] {
        if (inRecord) {
            RemoveLineBreaksAndBlanks(pending);
            sequences_.emplace_back(std::string(pending));
        }
        pending.clear();
    };

    std::string_view line;
    while (reader.Next(line)) {
        line = TrimBlanks(line);
        if (!line.empty() && line.front() == '>') {
            finishRecord();
            inRecord = true;
            headers_.emplace_back(line);
            if (display) display->SetText(headers_.back().GetPart(SequenceHeader::kId));
        } else {
            pending.append(line);
        }
    }
    finishRecord();
    if (reader.ReadFailed()) {  // never hand out part of a file as if it were whole
        Release();
        return false;
    }
    return true;
}

std::string SequenceSet::FindSequence(std::string& name, int mode) const {
    for (std::size_t i = 0; i < headers_.size(); ++i)
        if (headers_[i].Matches(name, mode)) return sequences_[i].GetText();
    return {};
}

TranslatedSet SequenceSet::Translate(int geneticCodeIndex, int nameMode, const std::string& outputPath,
                                     ProgressSink* progress) const {
    const CodonTable& table = CodonTableFor(geneticCodeIndex);
    const std::size_t n = headers_.size();
    std::size_t expected = 0;
    for (std::size_t i = 0; i < n; ++i)
        expected += headers_[i].Text().size() + sequences_[i].Length() / 3 + 5;

    TranslatedSet result;
    std::string& fasta = result.fasta;
    fasta.reserve(expected);
    for (std::size_t i = 0; i < n; ++i) {
        fasta += '>';
        fasta += headers_[i].PartView(nameMode);
        fasta += "\r\n";
        AppendTranslation(sequences_[i].GetText(), table, "X", fasta);
        fasta += "\r\n";
        if (progress) progress->SetText(RecordProgressText(i + 1, n));
    }
    if (!outputPath.empty()) result.fileWritten = WriteWholeFile(outputPath, fasta);
    return result;
}

bool SequenceSet::WriteOrfs(const std::string& outputPath, int geneticCodeIndex, int cutoff,
                            std::string_view reference, int mode, ProgressSink* progress) const {
    OutputFile out;
    if (!out.Open(outputPath)) return false;  // no point searching for a file that cannot exist
    if (mode != kLongestOrf && mode != kAllOrfs && mode != kMostSimilarOrf) return out.Close();
    const std::size_t n = headers_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Sequence& sequence = sequences_[i];
        const SequenceHeader& header = headers_[i];
        switch (mode) {
        case kLongestOrf:
            out.Write(sequence.FindLongestOrf(geneticCodeIndex, cutoff, true, header.PartView()));
            out.Write("\r\n");
            break;
        case kAllOrfs:
            out.Write(sequence.FindAllOrfs(geneticCodeIndex, cutoff, true, header.PartView(SequenceHeader::kId)));
            break;
        case kMostSimilarOrf:
            out.Write(sequence.FindMostSimilarOrf(geneticCodeIndex, cutoff, true, reference, header.PartView()));
            out.Write("\r\n");
            break;
        }
        if (progress) progress->SetText(RecordProgressText(i + 1, n));
    }
    return out.Close();
}

}  // namespace tulvarine
