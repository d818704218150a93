// Seeded random files against a plain reading written step by step: the line
// reader (whole lines, pieces, lines holding a byte) and ReadFasta must give
// the same lines and records whatever the bytes, the line lengths (around the
// reader's block and half-block sizes) and the file size (over the size that
// is read in stretches on several threads).
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/line_reader.h"
#include "model/sequence_set.h"
#include "model/text.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using Lines = std::vector<std::string>;
const std::string kFw = "\xE3\x80\x80";

// Lines as the reader's contract tells them: NUL and Ctrl-Z dropped, a line
// ended by LF, CR LF or a CR alone; the last line needs no line end.
Lines PlainLines(std::string_view bytes) {
    std::string clean;
    for (const char c : bytes)
        if (c != '\0' && c != '\x1A') clean += c;
    Lines lines;
    std::string line;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        if (clean[i] != '\r' && clean[i] != '\n') {
            line += clean[i];
            continue;
        }
        if (clean[i] == '\r' && i + 1 < clean.size() && clean[i + 1] == '\n') ++i;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

struct Record {
    std::string header, residues;
    bool operator==(const Record&) const = default;
};

std::vector<Record> PlainFasta(std::string_view bytes) {
    std::vector<Record> records;
    std::string pending;
    auto finish = [&] {
        if (records.empty()) return;
        for (const char* what : {"\r", "\n", " ", "\xE3\x80\x80"}) ReplaceAll(pending, what, "");
        records.back().residues = pending;
    };
    for (const std::string& line : PlainLines(bytes)) {
        const std::string trimmed(TrimBlanks(line));
        if (trimmed.starts_with('>')) {
            finish();
            records.push_back({trimmed.substr(1), {}});
            pending.clear();
        } else {
            pending += trimmed;
        }
    }
    finish();
    return records;
}

class FastaFuzz : public ::testing::Test {
protected:
    // Checks every way of reading bytes against the plain reading.
    void Check(const std::string& bytes) {
        const std::string path = dir.Write("fuzz.fas", bytes);
        const Lines expected = PlainLines(bytes);

        LineReader reader;
        ASSERT_TRUE(reader.Open(path));
        Lines lines;
        std::string_view line;
        while (reader.Next(line)) lines.emplace_back(line);
        ASSERT_EQ(lines, expected) << "Next";

        ASSERT_TRUE(reader.Rewind());
        lines.clear();
        std::string joined;
        std::string_view piece;
        bool endsLine = false, open = false;
        while (reader.NextPiece(piece, endsLine)) {
            joined += piece;
            open = !endsLine;
            if (endsLine) lines.push_back(std::exchange(joined, {}));
        }
        ASSERT_FALSE(open) << "a line was left without its last piece";
        ASSERT_EQ(lines, expected) << "NextPiece";

        ASSERT_TRUE(reader.Rewind());
        lines.clear();
        while (reader.NextContaining('>', line)) lines.emplace_back(line);
        Lines withMark;
        for (const std::string& l : expected)
            if (l.find('>') != std::string::npos) withMark.push_back(l);
        ASSERT_EQ(lines, withMark) << "NextContaining";

        SequenceSet set;
        ASSERT_TRUE(set.ReadFasta(path));
        const std::vector<Record> records = PlainFasta(bytes);
        ASSERT_EQ(std::size_t(set.Count()), records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            const Record got{std::string(set.Headers()[i].Text()), std::string(set.Sequences()[i].GetText())};
            ASSERT_TRUE(got == records[i]) << "record " << i << " of " << records.size();
        }
    }

    // Bytes that matter to the reading, each piece possibly split across a
    // line break or a block end.
    std::string Pieces(std::size_t count) {
        static const std::string pieces[] = {"A", "c", "G", "\n", "\n", "\r", "\r\n", ">", " ", "\t", "\xE3",
                                             "\x80", kFw, std::string(1, '\0'), "\x1A", ">id ", "  >", "\r\r\n"};
        std::string bytes;
        for (std::size_t k = 0; k < count; ++k) bytes += pieces[random() % std::size(pieces)];
        return bytes;
    }

    // A line of length bytes around the reader's block sizes: sequence, a
    // header, or blanks before either.
    std::string LongLine(std::size_t length) {
        std::string line;
        switch (random() % 4) {
        case 0: line = ">"; break;
        case 1: line = std::string(random() % 3000, ' ') + ">"; break;
        case 2: line = std::string(600'000 + random() % 100'000, ' '); break;
        default: break;
        }
        line.resize(std::max(line.size(), length), "ACx "[random() % 4]);
        return line + Pieces(random() % 3);
    }

    std::string LongFile(std::size_t targetSize) {
        std::string bytes;
        while (bytes.size() < targetSize) {
            if (random() % 3 == 0)
                bytes += LongLine(400'000 + random() % 1'400'000);
            else
                bytes += ">r" + std::to_string(random() % 1000) + "\n" + Pieces(random() % 400);
            bytes += "\n";
        }
        // The end: a line feed or not, after a short or a long last line.
        if (random() % 2) bytes += random() % 2 ? LongLine(520'000 + random() % 600'000) : Pieces(random() % 20);
        if (random() % 3 == 0) bytes += random() % 2 ? "\r" : "\n";
        return bytes;
    }

    testing::TempDir dir;
    std::mt19937 random{20261209};
};

TEST_F(FastaFuzz, SmallFiles) {
    for (int round = 0; round < 2000; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Check(Pieces(random() % 60));
        if (HasFatalFailure()) return;
    }
}

TEST_F(FastaFuzz, LongLastHeaderWithoutLineFeedIsARecord) {
    Check(">a\nATG\n>" + std::string(600'000, 'x'));  // two records
}

TEST_F(FastaFuzz, LinesAroundTheBlockSizes) {
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Check(LongFile(1 + random() % 3'000'000));
        if (HasFatalFailure()) return;
    }
}

TEST_F(FastaFuzz, FilesReadInStretches) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Check(LongFile(17'000'000 + random() % 4'000'000));
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace tulvarine
