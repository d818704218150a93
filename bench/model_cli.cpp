// Runs one model operation on a file, so that it can be timed beside the peer
// tools with the same clock and the same peak-memory measure.
//
//   model_cli read IN
//   model_cli translate IN OUT
//   model_cli orfs IN OUT MODE CUTOFF [REFERENCE_FILE]
//   model_cli score LENGTH
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "model/line_reader.h"
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
    if (argc < 3) return Fail("usage: read IN | translate IN OUT | orfs IN OUT MODE CUTOFF [REF] | score N");
    SequenceSet set;
    if (!set.ReadFasta(argv[2])) return Fail("cannot read the input");
    if (command == "read") {
        std::printf("%d records\n", set.Count());
        return 0;
    }
    if (command == "translate" && argc == 4) return set.Translate(0, 0, argv[3]).fileWritten ? 0 : Fail("write failed");
    if (command == "orfs" && (argc == 6 || argc == 7)) {
        const std::string reference = argc == 7 ? ReadReference(argv[6]) : std::string();
        return set.WriteOrfs(argv[3], 0, std::atoi(argv[5]), reference, std::atoi(argv[4])) ? 0 : Fail("write failed");
    }
    return Fail("unknown command");
}
