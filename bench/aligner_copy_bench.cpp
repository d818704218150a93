// What the aligners' LF copy of their input costs: the copy alone, and one
// AlignFile through a stand-in aligner that only hands its input back (cat),
// so the rest is the run's own work. Best of five each.
//
//   aligner_copy_bench FILE...
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/lf_copy.h"
#include "tools/aligners.h"

using namespace tulvarine;

namespace {

template <class Work>
double BestSeconds(Work work) {
    double best = 1e30;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = (std::filesystem::temp_directory_path() / "aligner-copy-bench-XXXXXX").string();
    if (argc < 2 || ::mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "usage: aligner_copy_bench FILE...\n");
        return 2;
    }
    const std::string tool = folder + "/muscle", copy = folder + "/copy", output = folder + "/aligned";
    std::ofstream(tool) << "#!/bin/sh\ncat \"$2\" > \"$4\"\n";  // muscle -align IN -output OUT
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string input = argv[i];
        const double copySeconds = BestSeconds([&] { failed |= !CopyWithLfLineEnds(input, copy).empty(); });
        const double runSeconds =
            BestSeconds([&] { failed |= !AlignFile(Aligner::kMuscle, tool, input, output, folder).placed; });
        std::printf("%s: copy %.3f s, AlignFile through the stand-in %.3f s\n", input.c_str(), copySeconds, runSeconds);
    }
    std::filesystem::remove_all(folder);
    return failed;
}
