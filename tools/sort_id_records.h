// The records of a FASTA file as the Sort-ID page reads them: held as text,
// never joined or re-wrapped, so that the sort and the classification write
// each record back as it was read, only in another order.
//
// A line is read by LineReader's rule (LF, CR LF or a lone CR ends it; NUL and
// Ctrl-Z bytes dropped, reading goes on), trimmed of blanks at both ends (tabs stay).
// A header line opens a record and is kept whole; the lines after it up to the
// next header line are its body; lines before the first header line are skipped.
//
// Used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tulvarine {

class OutputFile;

enum class HeaderRule {
    kMarkAnywhere,  // a line holding ">" anywhere is a header line; empty lines stay in bodies
    kMarkFirst,     // a line beginning with ">" is a header line; empty lines are dropped
};

class SortRecords {
public:
    // Reads the plain file at path by rule; headerRead(n) is called, in file
    // order, after the n-th header line (from 1) or a later one. False when
    // the file cannot be opened or a read fails; the records are then
    // incomplete. A large file is read in stretches on several threads.
    [[nodiscard]] bool Read(const std::string& path, HeaderRule rule,
                            const std::function<void(std::size_t)>& headerRead = {});

    std::size_t Count() const { return records_.size(); }
    // The header line, ">" and description included.
    std::string_view Header(std::size_t i) const {
        return std::string_view(text_.get() + records_[i].header, records_[i].bodyBegin - records_[i].header);
    }
    // The body lines, each followed by one LF.
    std::string_view Body(std::size_t i) const {
        return std::string_view(text_.get() + records_[i].bodyBegin, records_[i].bodyEnd - records_[i].bodyBegin);
    }
    // The bytes of the body lines, line ends not counted.
    std::uint64_t Length(std::size_t i) const { return records_[i].length; }

    // Writes header, CR LF, and every body line of record i followed by CR LF.
    void Write(OutputFile& out, std::string_view header, std::size_t i) const;
    void Write(OutputFile& out, std::size_t i) const { Write(out, Header(i), i); }
    // Writes the records order[0], order[1], ... as Write does, each under its
    // own header line; batches are put together on several threads. written(k)
    // is called on the calling thread, in order, once order[k] has gone to out.
    void WriteAll(OutputFile& out, std::span<const std::size_t> order,
                  const std::function<void(std::size_t)>& written) const;

    struct Record {
        std::uint64_t header, bodyBegin, bodyEnd, length;  // offsets into the text
    };

private:
    // Header lines and body lines, one after the other. What is kept of a
    // stretch of the file never takes more bytes than the stretch (and one
    // line feed), so each stretch fills the text from about its place in the
    // file on, without a lock and without growing.
    std::unique_ptr<char[]> text_;
    std::vector<Record> records_;
};

}  // namespace tulvarine
