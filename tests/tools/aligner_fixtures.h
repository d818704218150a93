// Small inputs for the real aligners, and what their outputs must keep.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

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

// The body of a stand-in for MUSCLE, MAFFT and PRANK (aligning or
// converting): it leaves as its result, where the real tool would, the very
// bytes it was handed, so a test sees what a tool reads. A FIFO as input it
// refuses, where a real tool would wait on it for good (and the test with it).
inline constexpr char kHandBackTool[] = R"(in= out= ending=
while [ $# -gt 0 ]; do
  case $1 in
    -align|--auto) in=$2; shift ;;
    -output) out=$2; shift ;;
    -d=*) in=${1#-d=} ;;
    -o=*) out=${1#-o=}; ending=.best.fas ;;
    -f=nexus) ending=.nex ;;
    -f=*) ending=.phy ;;
  esac
  shift
done
if [ -p "$in" ]; then echo "stand-in: $in is a FIFO" >&2; exit 1; fi
if [ -z "$out" ]; then exec cat "$in"; fi
cat "$in" > "$out$ending")";

// Writes a shell program of body at path, executable; returns path.
inline std::string WriteShellProgram(const std::string& path, std::string_view body) {
    std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    return path;
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
