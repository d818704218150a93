#include "model/sequence_set.h"

#include <algorithm>
#include <iterator>

#include "model/fasta_cuts.h"
#include "model/genetic_codes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/orf_scanner.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/progress.h"
#include "model/similarity_score.h"
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

// Records this large keep the buffer they were collected in instead of being
// copied into the arena, and the buffer grows to what the file can still hold
// rather than doubling, so a single huge record costs about its own size in memory.
constexpr std::size_t kLargeRecord = std::size_t(64) << 20;

// Collects the text of one record and hands it out as a clean sequence.
class PendingSequence {
public:
    void Append(std::string_view bytes, const LineReader& reader) {
        // A large record may take the rest of the file: room for that at once
        // (untouched room costs no memory) instead of doubling again and again.
        const std::size_t needed = text_.size() + bytes.size();
        if (needed > text_.capacity() && needed >= kLargeRecord) text_.Reserve(needed + reader.BytesLeft());
        text_.Append(bytes);
    }

    // The record's sequence, line breaks and blanks removed, copied into the
    // arena (a large one keeps its own buffer). The scratch text is emptied for
    // the next record.
    Sequence Take(TextArena& arena) {
        if (text_.size() > 0) text_.Truncate(RemoveLineBreaksAndBlanks(text_.data(), text_.size()));
        if (text_.size() >= kLargeRecord) return Sequence(text_.Take());
        Sequence exact(text_.View(), arena);
        text_.Clear();
        return exact;
    }

    void Clear() { text_.Clear(); }

private:
    TextBuffer text_;
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
void ReadFastaRange(const std::string& path, std::size_t begin, std::size_t end, TextArena& arena,
                    FastaChunk& chunk) {
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
        if (inRecord) chunk.sequences.push_back(pending.Take(arena));
        pending.Clear();
        inRecord = true;
        chunk.headers.emplace_back(line, arena);
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
    if (inRecord) chunk.sequences.push_back(pending.Take(arena));
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
    std::vector<FastaChunk> chunks;  // in file order
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
                for (const SequenceHeader& header : chunk.headers) display->SetText(ShownText(header.PartView(SequenceHeader::kId)));
            chunks.push_back(std::move(chunk));
        });
    if (!ok) {  // never hand out part of a file as if it were whole
        Release();
        return false;
    }
    sourcePath_ = path;
    if (chunks.size() == 1) {
        headers_ = std::move(chunks.front().headers);
        sequences_ = std::move(chunks.front().sequences);
        return true;
    }
    // Joined into arrays of the exact size, each stretch let go once moved:
    // no array is ever doubled and copied with millions of records in it.
    std::size_t records = 0;
    for (const FastaChunk& chunk : chunks) records += chunk.headers.size();
    headers_.reserve(records);
    sequences_.reserve(records);
    for (FastaChunk& chunk : chunks) {
        std::move(chunk.headers.begin(), chunk.headers.end(), std::back_inserter(headers_));
        std::move(chunk.sequences.begin(), chunk.sequences.end(), std::back_inserter(sequences_));
        chunk = FastaChunk();
    }
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
    // Each record's place in the text is known beforehand (one letter per
    // codon), so the batches translate straight into one text on several
    // threads, and the file is written from that text: the protein is held once.
    std::vector<std::size_t> starts(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        starts[i + 1] = starts[i] + headers_[i].PartView(nameMode).size() + sequences_[i].Length() / 3 + 5;
    TranslatedSet result;
    ReserveLarge(result.fasta, starts[n]);
    result.fasta.resize(starts[n]);
    OutputFile out;
    const bool toFile = !outputPath.empty();
    if (toFile) (void)out.Open(outputPath, {sourcePath_});
    RunOrderedBatches<NoBatchResult>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, NoBatchResult&) {
            for (std::size_t i = first; i < last; ++i) {
                char* at = result.fasta.data() + starts[i];
                const std::string_view name = headers_[i].PartView(nameMode);
                *at++ = '>';
                at = std::copy(name.begin(), name.end(), at);
                at = std::copy_n("\r\n", 2, at);
                at = TranslateCodons(sequences_[i].GetText(), table, 'X', at);
                std::copy_n("\r\n", 2, at);
            }
        },
        [&](std::size_t first, std::size_t last, NoBatchResult&) {
            if (toFile) out.Write(std::string_view(result.fasta).substr(starts[first], starts[last] - starts[first]));
            if (progress)
                for (std::size_t i = first; i < last; ++i) progress->SetText(RecordProgressText(i + 1, n));
        });
    if (toFile) {
        result.fileWritten = out.Close();
        result.error = out.Error();
    }
    return result;
}

namespace {

// Records this long have their longest or all ORFs written straight to the
// file as they are found, on the writing thread: those may run to gigabytes.
constexpr std::size_t kStreamedRecord = std::size_t(32) << 20;

// ORF records straight into the file, a piece's nucleotides in blocks.
class FileOrfOutput {
public:
    explicit FileOrfOutput(OutputFile& file) : file_(file) {}
    void Append(std::string_view bytes) { file_.Write(bytes); }
    void AppendStretch(const OrfPlace& place) {
        constexpr std::size_t kBlock = std::size_t(1) << 20;
        for (std::size_t from = 0; from < 3 * place.length; from += kBlock) {
            block_.clear();
            tulvarine::AppendStretch(place, block_, from, kBlock);
            file_.Write(block_);
        }
    }

private:
    OutputFile& file_;
    std::string block_;
};

// The ORF text of a batch, with the places where streamed records go.
struct OrfBatch {
    std::string text;
    std::vector<std::pair<std::size_t, std::size_t>> streamed;  // (offset in text, record)
    void clear() {
        text.clear();
        streamed.clear();
    }
};

}  // namespace

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
    // Profiled once for every piece of every record; read-only, so shared by the threads.
    const SimilarityProfile profile(mode == kMostSimilarOrf ? reference : std::string_view());
    // The longest and all modes, into a text or straight into the file.
    auto emitOrfs = [&](std::size_t i, auto& output) {
        const std::string_view residues = sequences_[i].GetText();
        if (mode == kLongestOrf) {
            EmitLongestOrf(residues, code, cutoff, true, headers_[i].PartView(), output);
            output.Append("\r\n");
        } else {
            EmitAllOrfs(residues, code, cutoff, true, headers_[i].PartView(SequenceHeader::kId), output);
        }
    };
    FileOrfOutput fileOutput(out);
    RunOrderedBatches<OrfBatch>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, OrfBatch& batch) {
            std::string& text = batch.text;
            TextOrfOutput textOutput{text};
            for (std::size_t i = first; i < last; ++i) {
                const Sequence& sequence = sequences_[i];
                const SequenceHeader& header = headers_[i];
                if (mode != kMostSimilarOrf && sequence.Length() >= kStreamedRecord) {
                    batch.streamed.emplace_back(text.size(), i);
                    continue;
                }
                switch (mode) {
                case kLongestOrf:
                case kAllOrfs:
                    emitOrfs(i, textOutput);
                    break;
                case kMostSimilarOrf:
                    text += sequence.FindMostSimilarOrf(code, cutoff, true, profile, header.PartView());
                    text += "\r\n";
                    break;
                }
            }
        },
        [&](std::size_t first, std::size_t last, OrfBatch& batch) {
            const std::string_view text = batch.text;
            std::size_t written = 0;
            for (const auto& [offset, record] : batch.streamed) {
                out.Write(text.substr(written, offset - written));
                emitOrfs(record, fileOutput);
                written = offset;
            }
            out.Write(text.substr(written));
            if (progress)
                for (std::size_t i = first; i < last; ++i) progress->SetText(RecordProgressText(i + 1, n));
        });
    return finish(out.Close());
}

}  // namespace tulvarine
