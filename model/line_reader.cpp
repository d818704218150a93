#include "model/line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/file_bytes.h"
#include "model/line_ends.h"
#include "model/program_end.h"

namespace tulvarine {

namespace {
constexpr std::size_t kBlockSize = 1 << 20;  // block reads: per-line reads dominate on large files
}

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::string& path) {
    Close();
    long long size = 0;
    const int fd = OpenRegularFile(path, nullptr, &size);
    if (fd < 0) return false;
    fd_ = fd;
    fileSize_ = std::size_t(size);
    bytesRead_ = 0;
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (buffer_.size() < kBlockSize) buffer_.resize(kBlockSize);
    begin_ = end_ = 0;
    rangeBegin_ = 0;
    rangeEnd_ = std::size_t(-1);
    eof_ = readFailed_ = midLine_ = false;
    return true;
}

bool LineReader::OpenRange(const std::string& path, std::size_t begin, std::size_t end) {
    if (!Open(path)) return false;
    rangeBegin_ = std::min(begin, end);
    rangeEnd_ = end;
    fileSize_ = std::min(fileSize_, end) - std::min(fileSize_, rangeBegin_);
    return true;
}

void LineReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    eof_ = true;
}

bool LineReader::Rewind() {
    if (fd_ < 0) return false;
    begin_ = end_ = 0;
    bytesRead_ = 0;
    eof_ = readFailed_ = midLine_ = false;
    return true;
}

// Moves unread bytes to the front, grows the buffer when a line fills it, and
// reads one more block. NUL and Ctrl-Z bytes of the new block are dropped
// here, and its lone CRs become LFs, so that lines are found by LF alone.
bool LineReader::Fill() {
    if (eof_) return false;
    if (StopRequested()) {  // the program is ending: the rest of the file goes unread
        eof_ = readFailed_ = true;
        return false;
    }
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < kBlockSize / 2) buffer_.resize(buffer_.size() * 2);
    // Reads go by offset, so a range of the file reads like a whole file.
    const std::size_t offset = rangeBegin_ + bytesRead_;
    const std::size_t room = std::min(buffer_.size() - end_, rangeEnd_ - std::min(rangeEnd_, offset));
    ssize_t got = 0;
    if (room > 0) {
        do {
            got = ::pread(fd_, buffer_.data() + end_, room, off_t(offset));
        } while (got < 0 && errno == EINTR);
    }
    if (got <= 0) {
        readFailed_ = got < 0;
        eof_ = true;
        return false;
    }
    bytesRead_ += std::size_t(got);
    char* first = buffer_.data() + end_;
    char* last = first + got;
    if (std::memchr(first, '\0', std::size_t(got)) || std::memchr(first, '\x1A', std::size_t(got)))
        last = std::remove_if(first, last, [](char c) { return c == '\0' || c == '\x1A'; });
    // A CR that ended the unread bytes waited for this block: it is lone
    // unless the block starts with LF.
    if (end_ > 0 && first != last && buffer_[end_ - 1] == '\r' && *first != '\n') buffer_[end_ - 1] = '\n';
    MarkLoneCarriageReturns(first, std::size_t(last - first));
    end_ += std::size_t(last - first);
    return true;
}

std::size_t LineReader::RescanFrom(std::size_t pending) const {
    // The last unread byte may have been a CR that Fill made an LF.
    return begin_ + (pending > 0 ? pending - 1 : 0);
}

std::size_t LineReader::BytesLeft() const {
    const std::size_t unread = fileSize_ > bytesRead_ ? fileSize_ - bytesRead_ : 0;
    return unread + (end_ - begin_);
}

std::string_view LineReader::TakeLine(const char* stop, std::size_t next) {
    const char* start = buffer_.data() + begin_;
    begin_ = next;
    midLine_ = false;
    if (stop > start && stop[-1] == '\r') --stop;
    return std::string_view(start, std::size_t(stop - start));
}

bool LineReader::Next(std::string_view& line) {
    std::size_t scanned = begin_;  // bytes before this offset hold no line feed
    for (;;) {
        if (const void* lf = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned)) {
            const char* stop = static_cast<const char*>(lf);
            line = TakeLine(stop, std::size_t(stop - buffer_.data()) + 1);
            return true;
        }
        const std::size_t pending = end_ - begin_;
        if (!Fill()) {
            if (pending == 0) return false;
            // The end of the file ends the last line as a line feed would.
            line = TakeLine(buffer_.data() + end_, end_);
            return true;
        }
        scanned = RescanFrom(pending);
    }
}

bool LineReader::NextPiece(std::string_view& piece, bool& endsLine) {
    std::size_t scanned = begin_;
    for (;;) {
        if (const void* lf = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned)) {
            const char* stop = static_cast<const char*>(lf);
            piece = TakeLine(stop, std::size_t(stop - buffer_.data()) + 1);
            endsLine = true;
            return true;
        }
        const std::size_t pending = end_ - begin_;
        if (pending >= kBlockSize / 2) {
            // Hand out what we have, but keep a final carriage return back: it
            // is dropped if a line feed follows.
            std::size_t take = pending;
            if (buffer_[end_ - 1] == '\r') --take;
            piece = std::string_view(buffer_.data() + begin_, take);
            begin_ += take;
            endsLine = false;
            midLine_ = true;
            return true;
        }
        if (!Fill()) {
            // The end of the file ends a line whose pieces came out whole so
            // far: it gets an empty last piece, so no line is left unfinished.
            if (pending == 0 && !midLine_) return false;
            piece = TakeLine(buffer_.data() + end_, end_);
            endsLine = true;
            return true;
        }
        scanned = RescanFrom(pending);
    }
}

bool LineReader::NextContaining(char c, std::string_view& line) {
    std::size_t clean = 0;  // bytes after begin_ known to hold no c
    for (;;) {
        const char* first = buffer_.data() + begin_;
        const std::size_t size = end_ - begin_;
        if (const void* hit = std::memchr(first + clean, c, size - clean)) {
            const std::size_t at = std::size_t(static_cast<const char*>(hit) - first);
            // Back to the start of that line; Next then takes it whole.
            if (const void* lf = ::memrchr(first, '\n', at))
                begin_ += std::size_t(static_cast<const char*>(lf) - first) + 1;
            return Next(line);
        }
        // Whole lines without c are dropped; an unfinished last line stays,
        // since the rest of it may still hold c.
        if (const void* lf = ::memrchr(first, '\n', size)) begin_ += std::size_t(static_cast<const char*>(lf) - first) + 1;
        clean = end_ - begin_;
        if (!Fill()) {
            begin_ = end_;
            midLine_ = false;
            return false;
        }
    }
}

}  // namespace tulvarine
