// Small inputs for the real aligners, and what their outputs must keep.
#pragma once

#include <cstdlib>
#include <map>
#include <string>

#include "model/sequence_set.h"
#include "model/text.h"

namespace tulvarine::testing {

// Four related DNA records with indels; lengths are whole codons.
inline constexpr char kDnaFasta[] =
    ">s1\nATGGCTAAGCTTGGTACCGAATTCGGATCCTCTAGAGTCGACCTGCAGGCATGCAAGCTT\n"
    ">s2\nATGGCTAAGCTTGGTACCGAATTCTCTAGAGTCGACCTGCAGGCATGCAAGCTT\n"
    ">s3\nATGGCAAAGCTTGGTACCGAATTCGGATCCTCTAGAGTCGACCTGCAGGCATGC\n"
    ">s4\nATGGCTAAGCTTGGAACCGAATTCGGATCCTCTAGAGTCCTGCAGGCATGCAAGCTT\n";

// Header -> residues without gaps, upper-cased: what an aligner must keep of
// its input, whatever order and case it writes.
inline std::map<std::string, std::string> UngappedRecords(const std::string& path) {
    SequenceSet set;
    std::map<std::string, std::string> records;
    if (!set.ReadFasta(path)) return records;
    for (std::size_t i = 0; i < set.Headers().size(); ++i) {
        std::string residues = ToUpperAscii(set.Sequences()[i].GetText());
        std::erase(residues, '-');
        records[std::string(set.Headers()[i].Text())] = residues;
    }
    return records;
}

// PATH holds path while the object lives (an empty folder: no aligner is found).
class ScopedPath {
public:
    explicit ScopedPath(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~ScopedPath() { ::setenv("PATH", old_.c_str(), 1); }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    std::string old_;
};

}  // namespace tulvarine::testing
