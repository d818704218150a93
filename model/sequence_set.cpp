#include "model/sequence_set.h"

#include <algorithm>

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

namespace {

// Records this large are moved out of the scratch buffer instead of copied, and
// the buffer grows to what the file can still hold rather than doubling, so a
// single huge record costs about its own size in memory.
constexpr std::size_t kLargeRecord = std::size_t(64) << 20;

// Collects the text of one record and hands it out as a clean sequence.
class PendingSequence {
public:
    void Append(std::string_view bytes, const LineReader& reader) {
        const std::size_t needed = text_.size() + bytes.size();
        if (needed > text_.capacity() && needed >= kLargeRecord)
            text_.reserve(std::min(2 * text_.capacity(), needed + reader.BytesLeft()));
        text_.append(bytes);
    }

    // The record's sequence: line breaks and blanks removed, in a buffer of its
    // own size. The scratch buffer is emptied for the next record.
    Sequence Take() {
        RemoveLineBreaksAndBlanks(text_);
        if (text_.size() >= kLargeRecord && text_.capacity() - text_.size() <= text_.size() / 4) {
            Sequence large(std::move(text_));
            text_ = std::string();
            return large;
        }
        Sequence exact{std::string(text_)};
        text_.clear();
        return exact;
    }

    void Clear() { text_.clear(); }

private:
    std::string text_;
};

bool IsUndecidedLineStart(std::string_view trimmed) {
    // Nothing but blanks yet, or the first bytes of what may be a full-width blank.
    return trimmed.empty() || (trimmed.front() == kFullWidthBlank.front() && trimmed.size() < kFullWidthBlank.size());
}

}  // namespace

bool SequenceSet::ReadFasta(const std::string& path, ProgressSink* display) {
    Release();
    LineReader reader;
    if (!reader.Open(path)) return false;

    PendingSequence pending;
    bool inRecord = false;  // text before the first header belongs to no record
    auto handleLine = [&](std::string_view line) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() != '>') {
            pending.Append(line, reader);
            return;
        }
        if (inRecord) sequences_.push_back(pending.Take());
        pending.Clear();
        inRecord = true;
        headers_.emplace_back(line);
        if (display) display->SetText(headers_.back().GetPart(SequenceHeader::kId));
    };

    // Lines come in pieces so that a record on one huge line is never held twice.
    // Once a long line is known to be sequence text its pieces go straight to the
    // record; a long header line is collected whole.
    enum class LineKind { kUndecided, kHeader, kSequence } kind = LineKind::kUndecided;
    std::string longLine;
    std::string_view piece;
    bool endsLine = false;
    while (reader.NextPiece(piece, endsLine)) {
        if (kind == LineKind::kUndecided && endsLine && longLine.empty()) {
            handleLine(piece);  // the usual case: a whole line in one piece
            continue;
        }
        if (kind == LineKind::kSequence) {
            pending.Append(piece, reader);
        } else {
            longLine.append(piece);
            if (kind == LineKind::kUndecided) {
                const std::string_view trimmed = TrimLeadingBlanks(longLine);
                if (!IsUndecidedLineStart(trimmed)) kind = trimmed.front() == '>' ? LineKind::kHeader : LineKind::kSequence;
                if (kind == LineKind::kSequence) {
                    pending.Append(trimmed, reader);
                    longLine.clear();
                }
            }
        }
        if (endsLine) {
            if (kind != LineKind::kSequence) handleLine(longLine);
            longLine.clear();
            kind = LineKind::kUndecided;
        }
    }
    if (inRecord) sequences_.push_back(pending.Take());
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
