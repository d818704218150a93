#include "tools/merge_fas_routines.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/file_bytes.h"
#include "model/line_ends.h"
#include "model/line_reader.h"
#include "model/line_wrapper.h"
#include "model/numbers.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/paths.h"
#include "model/text.h"
#include "platform/folder_listing.h"

namespace tulvarine {

namespace {

constexpr char kBatchSuffix[] = ".merged.1.fas";
constexpr char kManualSuffix[] = ".merged.2.fas";
constexpr char kMergedMark[] = "        added successfully";
// Records written per batch of the output aim at about this many bytes: enough
// to keep every core busy, little enough to bound what waits to be written.
constexpr std::size_t kOutputBatchBytes = std::size_t(1) << 20;

std::string CountText(std::size_t n) { return IntToText(static_cast<long long>(n)); }

// The white space of the header pattern's "\S": space, tab, CR, LF, VT, FF.
constexpr bool IsPatternSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The ID of a header line: the non-space bytes after a leading ">"; empty when
// the line is no header (">" alone, or ">" and a space).
std::string_view HeaderId(std::string_view line) {
    if (line.size() < 2 || line[0] != '>' || IsPatternSpace(line[1])) return {};
    std::size_t end = 2;
    while (end < line.size() && !IsPatternSpace(line[end])) ++end;
    return line.substr(1, end - 1);
}

// The records of a file by the page's rules (see the header).
class MergeRecords {
public:
    [[nodiscard]] bool Open(const std::string& path) { return lines_.Open(path); }
    std::size_t FileSize() const { return lines_.FileSize(); }
    // True when the file ended early because a read failed.
    bool ReadFailed() const { return lines_.ReadFailed(); }

    // Moves to the next record (an unread sequence is skipped); false at the end.
    bool Next() {
        if (inRecord_ && !sequenceRead_) ReadSequence(nullptr);
        std::string_view line;
        while (!headerPending_ && lines_.Next(line)) TakeHeader(TrimBlanks(line));
        if (!headerPending_) return false;
        id_.swap(nextId_);
        headerPending_ = false;
        inRecord_ = true;
        sequenceRead_ = false;
        return true;
    }
    const std::string& Id() const { return id_; }

    // Appends the current record's sequence to out (nullptr: skips it).
    void ReadSequence(std::string* out) {
        sequenceRead_ = true;
        std::string_view line;
        while (lines_.Next(line)) {
            const std::string_view trimmed = TrimBlanks(line);
            if (TakeHeader(trimmed)) return;
            if (out != nullptr) out->append(trimmed);
        }
    }

private:
    bool TakeHeader(std::string_view trimmed) {
        const std::string_view id = HeaderId(trimmed);
        if (id.empty()) return false;
        nextId_.assign(id);
        headerPending_ = true;
        return true;
    }

    LineReader lines_;
    std::string id_, nextId_;
    bool headerPending_ = false;
    bool inRecord_ = false;
    bool sequenceRead_ = false;
};

// An ID line as the user typed or pasted it, without the blanks, tabs and CRs
// around it: a header's ID never holds any, so they could only make it miss.
std::string_view TrimIdLine(std::string_view line) {
    for (;;) {
        const std::string_view before = line;
        line = TrimBlanks(line);
        while (!line.empty() && IsPatternSpace(line.front())) line.remove_prefix(1);
        while (!line.empty() && IsPatternSpace(line.back())) line.remove_suffix(1);
        if (line.size() == before.size()) return line;
    }
}

// The ID list: each entry points to the first entry equal to it, ASCII case
// ignored, which holds the pieces of both.
class IdList {
public:
    explicit IdList(std::string_view text) {
        for (std::string_view line : SplitLines(text)) {
            line = TrimIdLine(line);
            if (line.empty()) continue;
            const auto [it, added] = firstOf_.emplace(ToUpperAscii(line), ids_.size());
            owner_.push_back(it->second);
            ids_.emplace_back(line);
        }
    }
    std::size_t Count() const { return ids_.size(); }
    const std::string& Id(std::size_t i) const { return ids_[i]; }
    // The entry that holds the pieces of entry i.
    std::size_t Owner(std::size_t i) const { return owner_[i]; }
    // The entry that holds the pieces of a record with id; -1 when none.
    std::ptrdiff_t Find(std::string_view id, std::string& scratch) const {
        scratch.resize(id.size());
        std::transform(id.begin(), id.end(), scratch.begin(), AsciiUpper);
        const auto it = firstOf_.find(scratch);
        return it == firstOf_.end() ? -1 : std::ptrdiff_t(it->second);
    }

private:
    TextArray ids_;
    std::vector<std::size_t> owner_;
    std::unordered_map<std::string, std::size_t> firstOf_;  // upper-cased ID -> first entry
};

// A record's sequence inside the residues of its file.
struct Piece {
    std::uint32_t file;
    std::uint32_t owner;  // the ID entry that takes it
    std::size_t offset, length;
};

// What one file gives: the wanted records' sequences, one after another.
struct FilePieces {
    bool opened = false;
    bool readToEnd = false;
    std::string residues;
    std::vector<Piece> pieces;  // in record order
};

void ReadFilePieces(const std::string& path, std::uint32_t file, const IdList& ids, FilePieces& out) {
    MergeRecords records;
    out.opened = records.Open(path);
    if (!out.opened) return;
    out.residues.reserve(records.FileSize());  // untouched room costs no memory
    std::string scratch;
    while (records.Next()) {
        const std::ptrdiff_t owner = ids.Find(records.Id(), scratch);
        if (owner < 0) continue;
        const std::size_t offset = out.residues.size();
        records.ReadSequence(&out.residues);
        out.pieces.push_back({file, std::uint32_t(owner), offset, out.residues.size() - offset});
    }
    out.readToEnd = !records.ReadFailed();
}

// Why path could not be read: it does not open, or a read failed part-way.
std::string CannotReadMessage(const std::string& path) {
    const std::string reason = ReadFailureReason(path);
    return reason.empty() ? WithReason("Cannot read " + path, ErrorText(EIO)) : WithReason("Cannot open " + path, reason);
}

bool EndsWithLineBreak(const std::string& text) { return text.size() >= 2 && text.ends_with("\r\n"); }

// The listed files' paths, or nothing with an "Error:" status.
std::optional<TextArray> FolderInputs(std::string folder, TextArray& names, RunReport& report) {
    if (folder.empty()) {
        report.Status(MergeError("No folder provided!"));
        return std::nullopt;
    }
    StripTrailingSlashes(folder);
    std::error_code error;
    std::filesystem::directory_iterator probe(folder, error);
    if (error) {
        report.Status(MergeError(WithReason("Cannot read the folder " + folder, ErrorText(error.value()))));
        return std::nullopt;
    }
    names = platform::ListFastaFiles(folder);
    if (names.empty()) {
        report.Status(MergeError("No fasta file in " + folder + "!"));
        return std::nullopt;
    }
    TextArray paths;
    paths.reserve(names.size());
    for (const std::string& name : names) paths.push_back(JoinPath(folder, name));
    return paths;
}

// Hands each record of path to take(id, sequence); false when path cannot be
// read whole.
template <class Take>
bool ReadRecords(const std::string& path, Take take) {
    MergeRecords records;
    if (!records.Open(path)) return false;
    while (records.Next()) {
        std::string sequence;
        records.ReadSequence(&sequence);
        take(records.Id(), std::move(sequence));
    }
    return !records.ReadFailed();
}

}  // namespace

// ---- batch mode ----

TextArray ListMergeFolderFiles(std::string folder) {
    StripTrailingSlashes(folder);
    return platform::ListFastaFiles(folder);
}

std::optional<std::string> ListIdsOfMergeFile(const std::string& path, RunReport& report) {
    LineReader lines;
    std::string ids;
    if (lines.Open(path)) {
        std::string_view line;
        while (lines.Next(line)) {
            const std::string_view id = HeaderId(line);
            if (!id.empty()) ids.append(id).append("\r\n");
        }
        if (!lines.ReadFailed()) return ids;
    }
    report.Status(MergeError(CannotReadMessage(path)));
    return std::nullopt;
}

bool MergeFolderById(const BatchMergeSettings& settings, BatchMergeReport& report) {
    report.Status(MergeInfo("Merging, please wait..."));
    const IdList ids(settings.idList);
    if (ids.Count() == 0) {
        report.Status(MergeError("No ID list provided!"));
        report.FocusIdList();
        return false;
    }
    TextArray names;
    const std::optional<TextArray> paths = FolderInputs(settings.folder, names, report);
    if (!paths) return false;
    std::string outputPath = settings.folder;
    StripTrailingSlashes(outputPath);
    outputPath += kBatchSuffix;

    // Files are read on several threads; their pieces are taken in file order.
    const std::size_t fileCount = paths->size();
    std::vector<std::string> residues(fileCount);  // by file
    std::vector<std::vector<Piece>> piecesOf(ids.Count());  // by owning entry, in file and record order
    std::size_t failed = fileCount;  // the first file that could not be read
    std::size_t residueBytes = 0;
    report.ShowProgressBar(int(fileCount));
    RunOrderedBatches<FilePieces>(
        fileCount, 1,
        [&](std::size_t f, std::size_t, FilePieces& result) {
            ReadFilePieces((*paths)[f], std::uint32_t(f), ids, result);
        },
        [&](std::size_t f, std::size_t, FilePieces& result) {
            report.FileStarted(f, names[f]);
            if (!(result.opened && result.readToEnd) && failed == fileCount) failed = f;
            for (const Piece& piece : result.pieces) piecesOf[piece.owner].push_back(piece);
            residueBytes += result.residues.size();
            residues[f] = std::move(result.residues);
            report.SetText(CountText(f + 1) + " / " + CountText(fileCount));
            report.SetProgressPosition(int(f + 1));
        });
    if (failed < fileCount) {
        report.HideProgressBar();
        const std::string& path = (*paths)[failed];
        report.Status(MergeError(CannotReadMessage(path)));
        return false;
    }

    report.Status(MergeInfo("Output the final sequences..."));
    report.ShowProgressBar(int(ids.Count()));
    OutputFile out;
    if (!out.Open(outputPath, *paths)) {
        report.HideProgressBar();
        report.Status(MergeError(WithReason("Cannot create " + outputPath, out.Error())));
        return false;
    }
    const std::size_t recordBytes = residueBytes / ids.Count() + 1;
    RunOrderedBatches<std::string>(
        ids.Count(), std::clamp<std::size_t>(kOutputBatchBytes / recordBytes, 1, 4096),
        [&](std::size_t first, std::size_t last, std::string& text) {
            LineWrapper wrapper;
            for (std::size_t i = first; i < last; ++i) {
                text.append(">").append(ids.Id(i)).append("\r\n");
                const std::vector<Piece>& pieces = piecesOf[ids.Owner(i)];
                for (std::size_t p = 0; p < pieces.size(); ++p) {
                    const std::string_view piece =
                        std::string_view(residues[pieces[p].file]).substr(pieces[p].offset, pieces[p].length);
                    if (p == 0)
                        wrapper.Wrap(piece);
                    else
                        wrapper.Append(piece);
                }
                if (!pieces.empty()) text.append(wrapper.GetText());
                // One line end closes the record; a wrapped text can end with its own.
                if (pieces.empty() || !EndsWithLineBreak(wrapper.GetText())) text.append("\r\n");
            }
        },
        [&](std::size_t, std::size_t last, std::string& text) {
            out.Write(text);
            report.SetText(CountText(last) + " / " + CountText(ids.Count()));
            report.SetProgressPosition(int(last));
        });
    if (!out.Close()) {
        report.HideProgressBar();
        report.Status(MergeError(WithReason("Cannot write " + outputPath, out.Error())));
        return false;
    }
    report.SetText("100% Done!");
    report.Status(MergeInfo("Merge successfully!"));
    report.HideProgressBar();
    return true;
}

// ---- manual mode ----

bool LoadFirstMergeFasta(const std::string& path, MergeTable& table, ManualMergeReport& report) {
    NamedAttributeMap loaded;
    // The first record of an ID wins: adding it again fails.
    if (!ReadRecords(path, [&](const std::string& id, std::string s) { (void)loaded.Add(id, std::move(s)); })) {
        report.Status(MergeError(CannotReadMessage(path)));
        return false;
    }
    table.Set({std::move(loaded), {path}});
    report.FirstFileLoaded(path);
    return true;
}

bool AddSecondMergeFasta(const std::string& path, MergeTable& table, ManualMergeReport& report) {
    if (path.empty()) {
        report.Status(MergeError("No 2nd fasta file provided!"));
        return false;
    }
    // Read whole first, so that a file that fails part-way changes nothing.
    std::vector<std::pair<std::string, std::string>> records;
    if (!ReadRecords(path, [&](const std::string& id, std::string sequence) {
            records.emplace_back(id, std::move(sequence));
        })) {
        report.Status(MergeError(CannotReadMessage(path)));
        return false;
    }
    TextArray lines;
    lines.reserve(records.size());
    table.With([&](MergeTableContents& contents) {
        NamedAttributeMap& map = contents.records;
        contents.sources.push_back(path);
        const std::string total = CountText(map.Count());
        for (std::size_t c = 0; c < records.size(); ++c) {
            auto& [id, sequence] = records[c];
            if (const std::string* earlier = map.Find(id)) {
                std::string joined;
                joined.reserve(earlier->size() + sequence.size());
                joined.append(*earlier).append(sequence);
                (void)map.Set(id, std::move(joined));  // present, so it moves to the end
            } else {
                (void)map.Add(id, std::move(sequence));  // absent, so it is added
            }
            lines.push_back(ShownText(id) + kMergedMark);
            report.SetText(CountText(c + 1) + "/" + total);
        }
    });
    report.RecordsMerged(lines);
    report.Status(MergeInfo("Add sucessfully!"));
    return true;
}

bool SaveMergeTable(const MergeTableSaveSettings& settings, MergeTable& table, RunReport& report) {
    if (settings.firstFile.empty()) {
        report.Status(MergeError("No 1st fasta file provided!"));
        return false;
    }
    const std::string output = settings.firstFile + kManualSuffix;
    std::string failure;
    table.With([&](const MergeTableContents& contents) {
        // Every file that went into the table, whatever the boxes show now.
        TextArray inputs = contents.sources;
        inputs.push_back(settings.firstFile);
        inputs.push_back(settings.secondFile);
        OutputFile out;
        if (!out.Open(output, inputs)) {
            failure = WithReason("Cannot create " + output, out.Error());
            return;
        }
        const std::string n = CountText(contents.records.Count());
        std::size_t i = 0;
        for (const auto& [id, sequence] : contents.records) {
            out.Write(">");
            out.Write(id);
            out.Write("\r\n");
            out.Write(sequence);
            out.Write("\r\n");
            report.SetText(CountText(++i) + "/" + n);
        }
        if (!out.Close()) failure = WithReason("Cannot write " + output, out.Error());
    });
    if (!failure.empty()) {
        report.Status(MergeError(failure));
        return false;
    }
    report.Status(MergeInfo("Save successful!"));
    return true;
}

}  // namespace tulvarine
