#include "model/sequence_set.h"

#include <algorithm>
#include <iterator>

#include "model/genetic_codes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/orf_scanner.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/progress.h"
#include "model/record_cuts.h"
#include "model/text.h"

namespace tulvarine {

std::string RecordProgressText(std::size_t i, std::size_t n) {
    return IntToText(static_cast<long long>(i)) + "/" + IntToText(static_cast<long long>(n));
}

SequenceSet& SequenceSet::operator=(const SequenceSet& other) {
    if (this != &other) *this = SequenceSet(other);
    return *this;
}

void SequenceSet::Release() {
    headers_.clear();
    sequences_.clear();
    memory_.reset();
    sourcePath_.clear();
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
        // A large record may take the rest of the file: room for that at once
        // (untouched room costs no memory) instead of doubling again and again.
        const std::size_t needed = text_.size() + bytes.size();
        if (needed > text_.capacity() && needed >= kLargeRecord) ReserveLarge(text_, needed + reader.BytesLeft());
        text_.append(bytes);
    }

    // The record's sequence, line breaks and blanks removed, copied into memory
    // (a large one keeps its own buffer). The scratch text is emptied for the next record.
    Sequence Take(std::pmr::memory_resource* memory) {
        text_.resize(RemoveLineBreaksAndBlanks(text_.data(), text_.size()));
        if (text_.size() >= kLargeRecord && text_.capacity() - text_.size() <= text_.size() / 4) {
            Sequence large(std::move(text_));
            text_ = std::pmr::string();
            return large;
        }
        Sequence exact(std::string_view(text_), memory);
        text_.clear();
        return exact;
    }

    void Clear() { text_.clear(); }

private:
    std::pmr::string text_;  // on the heap
};

bool IsUndecidedLineStart(std::string_view trimmed) {
    // Nothing but blanks yet, or the first bytes of what may be a full-width blank.
    return trimmed.empty() || (trimmed.front() == kFullWidthBlank.front() && trimmed.size() < kFullWidthBlank.size());
}

// The records of one stretch of a FASTA file.
struct FastaChunk {
    std::vector<SequenceHeader> headers;
    std::vector<Sequence> sequences;
    bool ok = true;
};

// Reads the records of bytes [begin, end) of path into chunk. A stretch that
// does not start the file starts at a header line, so no record spans two.
void ReadFastaRange(const std::string& path, std::size_t begin, std::size_t end,
                    std::pmr::memory_resource* memory, FastaChunk& chunk) {
    LineReader reader;
    if (!reader.OpenRange(path, begin, end)) {
        chunk.ok = false;
        return;
    }
    PendingSequence pending;
    bool inRecord = false;  // text before the first header belongs to no record
    auto handleLine = [&](std::string_view line) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() != '>') {
            pending.Append(line, reader);
            return;
        }
        if (inRecord) chunk.sequences.push_back(pending.Take(memory));
        pending.Clear();
        inRecord = true;
        chunk.headers.emplace_back(line);
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
    if (inRecord) chunk.sequences.push_back(pending.Take(memory));
    chunk.ok = !reader.ReadFailed();
}

}  // namespace

bool SequenceSet::ReadFasta(const std::string& path, ProgressSink* display) {
    Release();
    std::size_t size = 0;
    {
        LineReader probe;
        if (!probe.Open(path)) return false;
        size = probe.FileSize();
    }
    // Stretches are read on several threads and joined in file order; the IDs
    // go to the display in order as each stretch is joined.
    const std::vector<std::size_t> cuts = ParallelReadCuts(path, size);
    // A stretch's residues never take more bytes than the stretch itself.
    std::vector<std::size_t> stretchBytes;
    for (std::size_t i = 0; i < cuts.size(); ++i)
        stretchBytes.push_back((i + 1 < cuts.size() ? cuts[i + 1] : size) - cuts[i]);
    memory_ = std::make_unique<SlabMemory>(stretchBytes);
    bool ok = true;
    RunOrderedBatches<FastaChunk>(
        cuts.size(), 1,
        [&](std::size_t first, std::size_t, FastaChunk& chunk) {
            const std::size_t end = first + 1 < cuts.size() ? cuts[first + 1] : std::size_t(-1);
            ReadFastaRange(path, cuts[first], end, memory_->Range(first), chunk);
        },
        [&](std::size_t, std::size_t, FastaChunk& chunk) {
            ok = ok && chunk.ok;
            if (!ok) return;
            if (display)
                for (const SequenceHeader& header : chunk.headers) display->SetText(header.GetPart(SequenceHeader::kId));
            if (headers_.empty()) {
                headers_ = std::move(chunk.headers);
                sequences_ = std::move(chunk.sequences);
                return;
            }
            std::move(chunk.headers.begin(), chunk.headers.end(), std::back_inserter(headers_));
            std::move(chunk.sequences.begin(), chunk.sequences.end(), std::back_inserter(sequences_));
        });
    if (!ok) {  // never hand out part of a file as if it were whole
        Release();
        return false;
    }
    sourcePath_ = path;
    return true;
}

std::string SequenceSet::FindSequence(std::string& name, SequenceHeader::MatchMode mode) const {
    for (std::size_t i = 0; i < headers_.size(); ++i)
        if (headers_[i].Matches(name, mode)) return std::string(sequences_[i].GetText());
    return {};
}

TranslatedSet SequenceSet::Translate(GeneticCode code, SequenceHeader::Part nameMode, const std::string& outputPath,
                                     ProgressSink* progress) const {
    const CodonTable& table = CodonTableFor(code);
    const std::size_t n = headers_.size();
    std::size_t expected = 0;
    for (std::size_t i = 0; i < n; ++i)
        expected += headers_[i].Text().size() + sequences_[i].Length() / 3 + 5;

    TranslatedSet result;
    ReserveLarge(result.fasta, expected);
    // The file is written batch by batch while later batches are translated.
    OutputFile out;
    const bool toFile = !outputPath.empty();
    if (toFile) (void)out.Open(outputPath, {sourcePath_});
    RunOrderedBatches<std::string>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, std::string& fasta) {
            std::size_t batchBytes = 0;
            for (std::size_t i = first; i < last; ++i)
                batchBytes += headers_[i].Text().size() + sequences_[i].Length() / 3 + 5;
            ReserveLarge(fasta, batchBytes);
            for (std::size_t i = first; i < last; ++i) {
                fasta += '>';
                fasta += headers_[i].PartView(nameMode);
                fasta += "\r\n";
                AppendTranslation(sequences_[i].GetText(), table, "X", fasta);
                fasta += "\r\n";
            }
        },
        [&](std::size_t first, std::size_t last, std::string& fasta) {
            result.fasta += fasta;
            if (toFile) out.Write(fasta);
            if (progress)
                for (std::size_t i = first; i < last; ++i) progress->SetText(RecordProgressText(i + 1, n));
        });
    if (toFile) {
        result.fileWritten = out.Close();
        result.error = out.Error();
    }
    return result;
}

bool SequenceSet::WriteOrfs(const std::string& outputPath, GeneticCode code, int cutoff,
                            std::string_view reference, OrfMode mode, ProgressSink* progress,
                            std::string* error) const {
    OutputFile out;
    const auto finish = [&](bool written) {
        if (error) *error = out.Error();
        return written;
    };
    // No point searching for a file that cannot exist.
    if (!out.Open(outputPath, {sourcePath_})) return finish(false);
    if (mode != kLongestOrf && mode != kAllOrfs && mode != kMostSimilarOrf) return finish(out.Close());
    const std::size_t n = headers_.size();
    RunOrderedBatches<std::string>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, std::string& text) {
            for (std::size_t i = first; i < last; ++i) {
                const Sequence& sequence = sequences_[i];
                const SequenceHeader& header = headers_[i];
                switch (mode) {
                case kLongestOrf:
                    text += sequence.FindLongestOrf(code, cutoff, true, header.PartView());
                    text += "\r\n";
                    break;
                case kAllOrfs:
                    AppendAllOrfs(sequence.GetText(), code, cutoff, true, header.PartView(SequenceHeader::kId), text);
                    break;
                case kMostSimilarOrf:
                    text += sequence.FindMostSimilarOrf(code, cutoff, true, reference, header.PartView());
                    text += "\r\n";
                    break;
                }
            }
        },
        [&](std::size_t first, std::size_t last, std::string& text) {
            out.Write(text);
            if (progress)
                for (std::size_t i = first; i < last; ++i) progress->SetText(RecordProgressText(i + 1, n));
        });
    return finish(out.Close());
}

}  // namespace tulvarine
