// Where a large FASTA file can be cut into stretches that are read on several
// threads at once: each cut starts a line that begins with ">", so no record
// spans two stretches under any of the program's header rules.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tulvarine {

// Files this large are read in stretches on several threads.
inline constexpr std::size_t kParallelReadSize = std::size_t(16) << 20;

// Offsets that cut the file into stretches of about stretch bytes, each cut at
// the start of a line that begins with ">" (right after an LF or a lone CR).
// The first is 0.
std::vector<std::size_t> FindRecordCuts(const std::string& path, std::size_t size, std::size_t stretch);

// The cuts for reading a file of size bytes on the batch threads: {0} alone
// for a small file or a single core.
std::vector<std::size_t> ParallelReadCuts(const std::string& path, std::size_t size);

}  // namespace tulvarine
