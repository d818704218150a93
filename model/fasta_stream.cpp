#include "model/fasta_stream.h"

#include "model/id_query_list.h"
#include "model/line_wrapper.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/progress.h"
#include "model/sequence.h"
#include "model/text.h"

namespace tulvarine {

std::string GetFileNameFromPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

FastaStream::FastaStream(const FastaStream& other) {
    if (other.IsOpen()) (void)Open(other.path_);
}

bool FastaStream::Open(const std::string& path) {
    path_ = path;
    return reader_.Open(path);
}

bool FastaStream::ExtractByIds(const TextArray& ids, bool reverseComplement, const std::string& outputPath,
                               ProgressSink* progress) {
    return Filter(true, ids, reverseComplement, outputPath, progress);
}

bool FastaStream::RemoveByIds(const TextArray& ids, bool reverseComplement, const std::string& outputPath,
                              ProgressSink* progress) {
    return Filter(false, ids, reverseComplement, outputPath, progress);
}

namespace {

// Writes one record: the header line as read, then its sequence text (the
// record's lines joined as read).
class RecordWriter {
public:
    RecordWriter(OutputFile& out, bool reverseComplement, ProgressSink* progress)
        : out_(out), reverseComplement_(reverseComplement), progress_(progress) {}

    void Write(std::string_view headerLine, std::string& sequence) {
        if (sequence.size() > kLongestWrappedText && progress_)
            progress_->SetText("Seq lenth too long. Please wait a moment!");
        out_.Write(headerLine);
        out_.Write("\r\n");
        if (reverseComplement_) {
            RemoveLineBreaksAndBlanks(sequence);
            complement_.clear();
            AppendReverseComplement(sequence, complement_);
            out_.Write(complement_);
        } else if (sequence.size() > kLongestWrappedText) {
            out_.Write(sequence);  // stays on one line: no need to copy it
        } else {
            out_.Write(WrapSequenceLines(sequence));
        }
        out_.Write("\r\n");
    }

private:
    OutputFile& out_;
    const bool reverseComplement_;
    ProgressSink* const progress_;
    std::string complement_;
};

}  // namespace

bool FastaStream::Filter(bool keepMatching, const TextArray& ids, bool reverseComplement,
                         const std::string& outputPath, ProgressSink* progress) {
    auto show = [progress](const std::string& text) {
        if (progress) progress->SetText(text);
    };
    const std::string outputName = GetFileNameFromPath(outputPath);
    outputError_.clear();
    if (!IsOpen() || !reader_.Rewind()) {
        show("Error! Cannot open such file!");
        return false;
    }
    OutputFile out;
    // The output never replaces the input (whose records are still to be read).
    if (!out.Open(outputPath, {path_})) {
        outputError_ = out.Error();
        show("Error! Cannot write " + outputName + "!");
        return false;
    }
    IdQueryList queries(ids);
    const std::string queryCount = IntToText(static_cast<long long>(queries.Count()));
    RecordWriter writer(out, reverseComplement, progress);
    std::size_t matchedRecords = 0;  // written by extraction, left out by removal

    std::string_view line;
    bool atEnd = !reader_.NextContaining('>', line);
    // Without any header line there is one record, with an empty header and no sequence.
    std::string header(atEnd ? std::string_view() : line);
    std::string sequence;
    while (out.Ok()) {
        if (keepMatching && queries.AllMatched()) break;  // nothing more can be extracted
        const bool matches = queries.MatchAndMark(header);
        if (matches == keepMatching) {
            sequence.clear();
            // The record's lines, joined as read, up to the next header line.
            while (!(atEnd = !reader_.Next(line)) && line.find('>') == std::string_view::npos) sequence += line;
            writer.Write(header, sequence);
        } else {
            atEnd = !reader_.NextContaining('>', line);  // the record's lines are not needed
        }
        if (matches) {
            ++matchedRecords;
            show("extracting " + ShownText(header) + "    " + IntToText(static_cast<long long>(matchedRecords)) + "/" +
                 queryCount);
        }
        if (atEnd) break;
        header.assign(line);
    }

    const bool readWhole = !reader_.ReadFailed();
    if (!readWhole) out.Discard();  // part of the records would look like all of them
    const bool written = readWhole && out.Close();
    outputError_ = out.Error();
    if (!readWhole)
        show("Error! Cannot read such file!");
    else if (!written)
        show("Error! Cannot write " + outputName + "!");
    else
        show("Done! Outfile = " + outputName);
    return readWhole && written;
}

}  // namespace tulvarine
