// Rich-edit boxes: character formats and dropped text.
#pragma once

#include <functional>
#include <string>

#include <QTextCharFormat>

class QTextEdit;

namespace tulvarine::platform {

// A character format of the rich-edit boxes.
struct CharFormat {
    std::string face;         // font face name
    int size = 0;             // points
    int offset = 0;           // points above the base line
    int effects = 0;          // flags: 1 bold, 2 italic, 4 underline, 8 strike-out, 16 protected
    unsigned colour = kAutomaticColour;  // 0x00BBGGRR

    static constexpr unsigned kAutomaticColour = 0xff000000;  // the box's own text colour
    static constexpr int kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8, kProtected = 16;
};

// The Qt form of format (the automatic colour leaves the foreground unset;
// "protected" has no Qt counterpart and is ignored).
QTextCharFormat ToTextCharFormat(const CharFormat& format);

// Makes format the box's default: text without a format of its own, and text
// typed later, is shown in it. The box's text and its change signals are not
// touched. GUI thread.
void ApplyDefaultCharFormat(QTextEdit* box, const CharFormat& format);

// Text dropped or pasted onto box is inserted as plain text. GUI thread.
void AcceptPlainTextDrops(QTextEdit* box);

// A file (not text) dropped onto box is handed to handler by its path instead
// of being inserted as its name; the first of several files is taken. GUI thread.
void OnFileDropped(QTextEdit* box, std::function<void(const std::string& path)> handler);

}  // namespace tulvarine::platform
