#include "model/lf_copy.h"

#include <string_view>

#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/output_file.h"
#include "model/text.h"

namespace tulvarine {

std::string CopyWithLfLineEnds(const std::string& input, const std::string& copy, long long* headers) {
    LineReader reader;
    if (!reader.Open(input)) return CannotReadText(input);
    OutputFile out;
    const auto cannotWrite = [&] { return WithReason("Cannot write a copy of " + input, out.Error()); };
    if (!out.Open(copy)) return cannotWrite();
    std::string_view piece;
    bool endsLine = true;  // of the piece before: the next piece starts a line
    long long headerLines = 0;
    // Pieces, not whole lines: a sequence on one line may be longer than memory allows twice.
    while (out.Ok()) {
        const bool startsLine = endsLine;
        if (!reader.NextPiece(piece, endsLine)) break;
        if (startsLine && TrimBlanks(piece).starts_with('>')) ++headerLines;
        out.Write(piece);
        if (endsLine) out.Write("\n");
    }
    if (headers != nullptr) *headers = headerLines;
    if (reader.ReadFailed()) return CannotReadText(input);
    if (!out.Close()) return cannotWrite();
    return {};
}

}  // namespace tulvarine
