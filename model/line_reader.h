// Reads a text file line by line in large blocks.
//
// Lines end as model/line_ends.h says: at LF, CR LF or a lone CR, the line end
// not part of the line; the last line needs no line end. NUL and Ctrl-Z bytes
// are dropped and reading goes on. Only regular files are read, opened
// read-only (OpenRegularFile), so read-only inputs are fine and a FIFO or
// device never makes a reader wait. Not thread-safe: one reader per thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tulvarine {

class LineReader {
public:
    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens path read-only; false when it cannot be opened or is no regular
    // file (ReadFailureReason says why).
    [[nodiscard]] bool Open(const std::string& path);
    // Opens path and reads only the bytes from offset begin up to (not including)
    // offset end, as if they were the whole file.
    [[nodiscard]] bool OpenRange(const std::string& path, std::size_t begin, std::size_t end);
    // The size of the open file in bytes.
    std::size_t FileSize() const { return fileSize_; }
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    // Moves back to the first byte of the file.
    [[nodiscard]] bool Rewind();

    // Sets line to the next line; false at the end of the file. The view stays
    // valid until the next call. A line is held whole, however long.
    bool Next(std::string_view& line);
    // As Next, but a line longer than about half a block comes in several
    // pieces; endsLine is true for the last piece of each line. Memory stays
    // bounded whatever the line length.
    bool NextPiece(std::string_view& piece, bool& endsLine);
    // Skips lines up to the next one that holds the byte c anywhere and sets
    // line to that whole line, as Next would; false at the end of the file.
    // Skipped lines are passed over in bulk, so this is much faster than
    // testing each line.
    bool NextContaining(char c, std::string_view& line);

    // Bytes of the file not yet handed out (an upper bound), for sizing buffers.
    std::size_t BytesLeft() const;
    // True when a read failed (the file ended early because of an I/O error,
    // or because the program is ending: model/program_end.h).
    bool ReadFailed() const { return readFailed_; }

private:
    bool Fill();
    // Where the search for LF goes on after Fill, pending bytes having been
    // searched before it.
    std::size_t RescanFrom(std::size_t pending) const;
    // The bytes from the read position to stop, less one carriage return
    // before stop; reading goes on at offset next. Lone CRs are LFs by then.
    std::string_view TakeLine(const char* stop, std::size_t next);

    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // one past the last byte read
    std::size_t fileSize_ = 0;
    std::size_t bytesRead_ = 0;  // read from the file so far (NUL and Ctrl-Z included)
    std::size_t rangeBegin_ = 0;
    std::size_t rangeEnd_ = std::size_t(-1);
    bool eof_ = false;
    bool readFailed_ = false;
    bool midLine_ = false;  // NextPiece handed out a piece that did not end its line
};

}  // namespace tulvarine
