// The program's one rule for where a line ends, for every reader of files and
// of box texts: a line ends at LF, at CR LF, or at a lone CR (a CR that no LF
// follows). The line end is not part of the line. LineReader (files) and the
// helpers below (texts held whole) all follow it through
// MarkLoneCarriageReturns.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/text.h"

namespace tulvarine {

// Turns every lone CR in [data, data + size) into LF, so that a split at LF
// with one CR before it dropped follows the rule. A CR in the last byte is
// left as it is: whether it is lone depends on the byte after it, which the
// caller knows (the end of a text ends its last line, so a final CR is
// dropped there like one before LF). Texts without CR, or with CR only before
// LF, are passed over 16 bytes at a time: this runs on every block a reader reads.
void MarkLoneCarriageReturns(char* data, std::size_t size);

// The lines of text: an empty remainder after the last line end is no line,
// so "a\r\nb\r\n" and "a\rb" are both {"a", "b"}.
TextArray SplitLines(std::string_view text);

// text with every line end made one LF (a final CR too): a file's text as a
// box shows it.
std::string WithLfLineEnds(std::string_view text);

}  // namespace tulvarine
