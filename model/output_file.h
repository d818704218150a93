// The one way the program writes an output file.
//
// Bytes go to a hidden temporary file in the output's folder
// (".tulvarine-<pid>-<n>.tmp", a name no "*.fa*" listing takes), written in
// large blocks with every write checked; Close() renames it over the final
// name only when every byte reached it. A run that fails or is abandoned leaves
// no half file under the final name, and an older file there stays as it was;
// a replaced file's permission bits go to its successor. An output that is the
// same file as an input of its run (links and hard links included) is refused
// before anything is written. A device or pipe (/dev/null) is written in
// place, only when it is still the file that was checked (a link or another
// file swapped in at the name is refused); a pipe that no program reads is
// refused at once.
//
// Once the program is ending (model/program_end.h) nothing more is written and
// no output is put in place; temporary files are removed on every way out.
//
// A file is used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "model/text.h"

struct stat;

namespace tulvarine {

// The reason given for an output name that became another file (a link, say)
// between its check and its opening.
inline constexpr char kOutputChangedWhileOpened[] = "it changed while it was opened";

// The input files of a run, known by device and inode (so links and hard links
// count), taken once: many outputs can be checked against many inputs cheaply.
class InputFileSet {
public:
    InputFileSet() = default;
    // Paths that do not exist (yet) are left out.
    explicit InputFileSet(const TextArray& paths);
    // True when path names an existing file that is one of the inputs.
    bool Holds(const std::string& path) const;

private:
    struct Identity {
        std::uint64_t device, inode;
        bool operator==(const Identity&) const = default;
    };
    struct Hash {
        std::size_t operator()(const Identity& id) const { return std::size_t(id.device * 1000003u ^ id.inode); }
    };
    std::unordered_set<Identity, Hash> files_;
};

class OutputFile {
public:
    OutputFile() = default;
    // Discards the output unless Close() has succeeded.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Starts the output that will be named path. False, with Error() saying why,
    // when path is one of inputs or its temporary file cannot be created.
    [[nodiscard]] bool Open(const std::string& path, const TextArray& inputs = {});
    [[nodiscard]] bool Open(const std::string& path, const InputFileSet& inputs);
    void Write(std::string_view bytes);
    // Writes what is buffered and renames the file into place. True when the
    // file was opened, every write succeeded and the rename was made; on false
    // the temporary file is gone and Error() says why.
    [[nodiscard]] bool Close();
    // Abandons the output: the temporary file is removed, the final name untouched.
    void Discard();

    // True while nothing has failed so far.
    bool Ok() const { return fd_ >= 0 && error_.empty(); }
    // Why the output failed, in the system's words ("Permission denied",
    // "No space left on device"); empty while nothing failed.
    const std::string& Error() const { return error_; }

private:
    bool Flush();
    void Fail(int error);

    int fd_ = -1;
    std::string path_;
    std::string temporaryPath_;
    std::string buffer_;
    std::string error_;
};

// Opens the device or FIFO at path to write in place, only when it is still the
// file that lstat described in seen: a link at the name is never followed, and
// a FIFO with no reader is refused instead of waited for. The descriptor
// (close-on-exec, writes blocking), or -1 with error saying why.
int OpenSeenFileInPlace(const std::string& path, const struct stat& seen, std::string& error);

// Writes the whole text to path through an OutputFile; false, with *error set
// to the reason when error is given, when it could not be written whole.
[[nodiscard]] bool WriteWholeFile(const std::string& path, std::string_view bytes, const TextArray& inputs = {},
                                  std::string* error = nullptr);

}  // namespace tulvarine
