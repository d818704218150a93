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
inline constexpr char kProteinFasta[] =
    ">p1\nMAKLGTEFGSSRVDLQACKL\n>p2\nMAKLGTEFSSRVDLQACKL\n>p3\nMAKLGAEFGSSRVDLQAC\n";

// Header -> residues with gaps removed and letters upper-cased: what an
// aligner must keep of its input, whatever order and case it writes.
inline std::map<std::string, std::string> UngappedRecords(const std::string& path) {
    SequenceSet set;
    std::map<std::string, std::string> records;
    if (!set.ReadFasta(path)) return records;
    for (int i = 0; i < set.Count(); ++i) {
        std::string residues = ToUpperAscii(set.Sequences()[std::size_t(i)].GetText());
        std::erase(residues, '-');
        records[std::string(set.Headers()[std::size_t(i)].Text())] = residues;
    }
    return records;
}

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() { hadOld_ ? (void)::setenv(name_, old_.c_str(), 1) : (void)::unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace tulvarine::testing
