// Runs one model operation on a file, so that it can be timed beside the peer
// tools with the same clock and the same peak-memory measure.
//
//   model_cli read IN
//   model_cli translate IN OUT
//   model_cli orfs IN OUT MODE CUTOFF [REFERENCE_FILE]
//   model_cli score LENGTH
//   model_cli extract IN IDS OUT       (IDS: one ID per line)
//   model_cli remove IN IDS OUT
//   model_cli codons IN OUT1 OUT2 OUT3
//   model_cli identity IN
//   model_cli bad IN
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "model/fasta_stream.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/sequence_set.h"
#include "model/similarity_score.h"

using namespace tulvarine;

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "model_cli: %s\n", what);
    return 1;
}

std::string ReadReference(const char* path) {
    SequenceSet set;
    if (!set.ReadFasta(path) || set.Count() == 0) return {};
    return std::string(set.Sequences().front().GetText());
}

TextArray ReadLines(const char* path) {
    TextArray lines;
    LineReader reader;
    if (!reader.Open(path)) return lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
}

int FilterByIds(const std::string& command, const char* in, const char* ids, const char* out) {
    FastaStream stream;
    if (!stream.Open(in)) return Fail("cannot open the input");
    const TextArray queries = ReadLines(ids);
    const bool ok = command == "extract" ? stream.ExtractByIds(queries, false, out) : stream.RemoveByIds(queries, false, out);
    return ok ? 0 : Fail("extraction failed");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "score" && argc == 3) {
        const std::size_t length = std::strtoul(argv[2], nullptr, 10);
        std::mt19937 random(5);
        std::string a(length, 'A'), b(length, 'A');
        for (char& c : a) c = "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
        for (char& c : b) c = "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
        std::printf("%d\n", ScoreGlobalAlignment(a, b));
        return 0;
    }
    if ((command == "extract" || command == "remove") && argc == 5) return FilterByIds(command, argv[2], argv[3], argv[4]);
    if (argc < 3)
        return Fail("usage: read IN | translate IN OUT | orfs IN OUT MODE CUTOFF [REF] | score N | extract IN IDS OUT"
                    " | remove IN IDS OUT | codons IN OUT1 OUT2 OUT3 | identity IN | bad IN");
    SequenceSet set;
    if (!set.ReadFasta(argv[2])) return Fail("cannot read the input");
    if (command == "read") {
        std::printf("%d records\n", set.Count());
        return 0;
    }
    if (command == "translate" && argc == 4) return set.Translate(GeneticCode{0}, SequenceHeader::kWhole, argv[3]).fileWritten ? 0 : Fail("write failed");
    if (command == "orfs" && (argc == 6 || argc == 7)) {
        const std::string reference = argc == 7 ? ReadReference(argv[6]) : std::string();
        return set.WriteOrfs(argv[3], GeneticCode::kStandard, std::atoi(argv[5]), reference, OrfMode{std::atoi(argv[4])}) ? 0 : Fail("write failed");
    }
    if (command == "codons" && argc == 6) {
        // As the Fas-Filter page does: one position at a time, each text written
        // whole and let go before the next is made.
        std::string (SequenceSet::*const positions[])(ProgressSink*) const = {
            &SequenceSet::GetFirstPositions, &SequenceSet::GetSecondPositions, &SequenceSet::GetThirdPositions};
        for (int p = 0; p < 3; ++p)
            if (!WriteWholeFile(argv[3 + p], (set.*positions[p])(nullptr))) return Fail("write failed");
        return 0;
    }
    if (command == "identity") {
        std::printf("%s\n", FloatToText(set.MeanPairIdentity()).c_str());
        return 0;
    }
    if (command == "bad") {
        std::printf("block %d, bad: %s\n", set.CountGapFreeColumns({}), set.FindBadSequences().c_str());
        return 0;
    }
    return Fail("unknown command");
}
