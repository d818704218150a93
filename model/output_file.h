// A file written in large blocks with every write checked. The file is created
// anew (or emptied) when opened; Close() tells whether every byte reached it.
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

class OutputFile {
public:
    OutputFile() = default;
    explicit OutputFile(const std::string& path) { (void)Open(path); }
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or truncates path; false when it cannot be created.
    [[nodiscard]] bool Open(const std::string& path);
    void Write(std::string_view bytes);
    // Flushes and closes; true when the file was opened and every write succeeded.
    [[nodiscard]] bool Close();
    // True while nothing has failed so far.
    bool Ok() const { return fd_ >= 0 && !failed_; }

private:
    bool Flush();

    int fd_ = -1;
    bool failed_ = false;
    std::string buffer_;
};

// Writes the whole text to path (created or emptied); true on success.
[[nodiscard]] bool WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace tulvarine
