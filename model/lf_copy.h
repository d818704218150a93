// A copy of a text file whose every line ends in one LF, for programs that
// know no other line end (the outside aligners and the format converter).
#pragma once

#include <string>

namespace tulvarine {

// Writes the regular file input to copy (through OutputFile) line by line as
// LineReader reads it: each line's bytes as they are, each line end (LF,
// CR LF or a lone CR) one LF, and an LF after the last line too; NUL and
// Ctrl-Z bytes are dropped, as every reader drops them. Streams in blocks, so
// memory stays small whatever the file's size. *headers (when given) counts
// the header lines copied (">" first, after blanks). Empty when done;
// otherwise why not, naming input ("Cannot read <input>: not a regular file"),
// and no copy is left.
std::string CopyWithLfLineEnds(const std::string& input, const std::string& copy, long long* headers = nullptr);

}  // namespace tulvarine
