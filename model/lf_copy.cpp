#include "model/lf_copy.h"

#include <string_view>

#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/output_file.h"

namespace tulvarine {

std::string CopyWithLfLineEnds(const std::string& input, const std::string& copy) {
    LineReader reader;
    if (!reader.Open(input)) return CannotReadText(input);
    OutputFile out;
    const auto cannotWrite = [&] { return WithReason("Cannot write a copy of " + input, out.Error()); };
    if (!out.Open(copy)) return cannotWrite();
    std::string_view piece;
    bool endsLine = false;
    // Pieces, not whole lines: a sequence on one line may be longer than memory allows twice.
    while (out.Ok() && reader.NextPiece(piece, endsLine)) {
        out.Write(piece);
        if (endsLine) out.Write("\n");
    }
    if (reader.ReadFailed()) return CannotReadText(input);
    if (!out.Close()) return cannotWrite();
    return {};
}

}  // namespace tulvarine
