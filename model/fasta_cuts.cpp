#include "model/fasta_cuts.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "model/file_bytes.h"
#include "model/ordered_batches.h"

namespace tulvarine {

namespace {
// The offset in bytes of the first ">" (after the first byte) that a line end
// comes right before; npos when there is none. A CR right before ">" is a lone
// one, so it ends a line as LF does.
std::size_t FindHeaderStart(std::string_view bytes) {
    for (std::size_t at = bytes.find('>', 1); at != std::string_view::npos; at = bytes.find('>', at + 1))
        if (bytes[at - 1] == '\n' || bytes[at - 1] == '\r') return at;
    return std::string_view::npos;
}
}  // namespace

std::vector<std::size_t> FindRecordCuts(const std::string& path, std::size_t size, std::size_t stretch) {
    std::vector<std::size_t> cuts{0};
    const int fd = OpenRegularFile(path);
    if (fd < 0) return cuts;
    std::vector<char> block(1 << 16);
    for (std::size_t target = stretch; target < size; target += stretch) {
        std::size_t at = std::max(target, cuts.back() + 1) - 1;  // look from the byte before the target
        bool found = false;
        while (!found && at < size) {
            const ssize_t got = ::pread(fd, block.data(), block.size(), off_t(at));
            if (got <= 1) break;
            const std::string_view bytes(block.data(), std::size_t(got));
            const std::size_t hit = FindHeaderStart(bytes);
            if (hit != std::string_view::npos) {
                cuts.push_back(at + hit);
                found = true;
            } else {
                at += std::size_t(got) - 1;  // keep the last byte: a cut may straddle blocks
            }
        }
        if (!found) break;
        target = std::max(target, cuts.back());
    }
    ::close(fd);
    return cuts;
}

std::vector<std::size_t> ParallelReadCuts(const std::string& path, std::size_t size) {
    if (size < kParallelReadSize || BatchThreads() <= 1) return {0};
    return FindRecordCuts(path, size, std::max(size / (BatchThreads() * 8), std::size_t(8) << 20));
}

}  // namespace tulvarine
