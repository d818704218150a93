// Conversion between the byte texts of the model and the texts of Qt boxes.
//
// Boxes hold LF line breaks; files hold what the pages write (CRLF), and a
// file shown in a box has every line end (model/line_ends.h) made LF. Bytes
// that are valid UTF-8 are shown as UTF-8; other bytes are shown as Latin-1,
// and a box filled that way gives the same bytes back (see controls.h).
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "model/text.h"

namespace tulvarine::platform {

// Bytes as a box shows them: CR LF and a lone CR become LF; UTF-8 when valid, otherwise
// Latin-1 (then *latin1 is set true, when given).
QString BytesToBoxText(std::string_view bytes, bool* latin1 = nullptr);

// Bytes as a control that only shows them (a list line, a label) shows them:
// each line cut to a readable length (ShownLines, model/text.h), then as BytesToBoxText.
QString ShownBoxText(std::string_view bytes);

// A box's text as bytes: UTF-8, or Latin-1 when latin1 is true and every
// character fits (a character beyond Latin-1 makes it UTF-8 after all).
std::string BoxTextToBytes(const QString& text, bool latin1 = false);

// Every LF not already preceded by CR becomes CR LF: a box saved to a file.
using tulvarine::WithCrLfLineEnds;

}  // namespace tulvarine::platform
