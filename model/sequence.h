// One sequence of nucleotides or amino acids, held as one text without line
// breaks or blanks, with the operations the pages apply to a single sequence.
// Positions count from 1. Not thread-safe: one thread uses a sequence at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/genetic_codes.h"
#include "model/packed_text.h"

namespace tulvarine {

class SimilarityProfile;

class Sequence {
public:
    Sequence() = default;
    // Stores residues as they stand, without cleaning (for texts already clean),
    // on the heap, or in an arena that must outlive the sequence.
    explicit Sequence(std::string_view residues) : residues_(residues) {}
    Sequence(std::string_view residues, TextArena& arena) : residues_(residues, arena) {}
    // Takes over a text built elsewhere.
    explicit Sequence(PackedText&& residues) : residues_(std::move(residues)) {}
    // Copies always live on the heap, so a copy may outlive the set it came from.
    Sequence(const Sequence&) = default;
    Sequence& operator=(const Sequence&) = default;
    Sequence(Sequence&&) noexcept = default;
    Sequence& operator=(Sequence&&) noexcept = default;

    // Stores text with every carriage return, then every line feed, then every
    // blank removed, and writes the cleaned text back into the caller's variable.
    void SetText(std::string& text);
    // As above, for a text the caller does not keep.
    void SetText(std::string&& text);

    // The stored residues, unwrapped.
    std::string_view GetText() const { return residues_.View(); }
    // The stored residues cut into lines of 60 (whatever wrap says; texts over
    // 100000 bytes stay on one line).
    std::string GetText(bool wrap) const;
    std::size_t Length() const { return residues_.size(); }

    // Stretches: one cut at the end, a start beyond the end or a count of 0 or
    // less gives the empty text, a start below 1 counts as 1.
    std::string Left(long long n) const { return Mid(1, n); }
    std::string Right(long long n) const { return Mid(static_cast<long long>(Length()) + 1 - n, n); }
    std::string Mid(long long start, long long n) const;

    // Deletes count bytes from position and inserts text there, uncleaned. False
    // (and no change) when position lies outside 1..Length()+1 or count < 0.
    [[nodiscard]] bool ReplaceRange(long long position, long long count, std::string_view text);
    // Replaces every occurrence of what at or after start by by; returns the new text.
    std::string ReplaceText(std::string_view what, std::string_view by, long long start = 1,
                            bool caseSensitive = true);

    // The IUPAC reverse complement in upper case; bytes without a complement give "N".
    std::string ReverseComplement() const;

    // Translates the frame (1..3, counted on the chosen strand) under the genetic
    // code; a codon the table does not hold gives filler (blanks removed).
    std::string Translate(GeneticCode code = GeneticCode::kStandard, std::string_view filler = "X", int frame = 1,
                          bool reverse = false) const;

    // Open reading frames: stretches between stop codons in the six frames.
    // Every piece of at least cutoff nucleotides, as FASTA records name-1, name-2...
    std::string FindAllOrfs(GeneticCode code, int cutoff, bool bothStrands, std::string_view name) const;
    // The longest piece (the first among equals); with a name a record
    // ">name longest lenth=<n>" without a final line end, else the bare stretch.
    std::string FindLongestOrf(GeneticCode code = GeneticCode::kStandard, int cutoff = 90, bool bothStrands = true,
                               std::optional<std::string_view> name = std::nullopt) const;
    // The piece, of those of at least cutoff nucleotides, whose translation
    // scores highest against reference (the first among equals); with a name a
    // record ">name similarest simscore=<score>".
    std::string FindMostSimilarOrf(GeneticCode code, int cutoff, bool bothStrands,
                                   std::string_view reference,
                                   std::optional<std::string_view> name = std::nullopt) const;
    // The same with the reference profiled once, for many sequences against one reference.
    std::string FindMostSimilarOrf(GeneticCode code, int cutoff, bool bothStrands,
                                   const SimilarityProfile& reference,
                                   std::optional<std::string_view> name = std::nullopt) const;

    void Release() { residues_ = PackedText(); }

private:
    PackedText residues_;  // 8 bytes: a set of millions of short records stays small
};

// Appends the reverse complement of bases to out (see Sequence::ReverseComplement).
void AppendReverseComplement(std::string_view bases, std::string& out);

}  // namespace tulvarine
