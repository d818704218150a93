// Cutting a FASTA file into stretches that threads read side by side: each
// stretch after the first starts at a line that begins with ">", so no record
// that starts at such a line spans two stretches.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tulvarine {

// Files this large are read in stretches on several threads.
inline constexpr std::size_t kParallelReadSize = std::size_t(16) << 20;

// Offsets that cut the file into stretches of about stretch bytes, each cut at
// the start of a line that begins with ">" (right after a line feed). The
// first offset is 0; a stretch ends where the next begins, the last at the end.
std::vector<std::size_t> FindRecordCuts(const std::string& path, std::size_t size, std::size_t stretch);

// The cuts for reading path, of size bytes, on every core: {0} alone for a
// file smaller than kParallelReadSize or a machine with one core.
std::vector<std::size_t> ParallelReadCuts(const std::string& path, std::size_t size);

}  // namespace tulvarine
