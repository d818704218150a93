// Lines appended at the end of a multi-line box from a worker thread, as a
// log. Appends return at once; the text goes to the box in pieces of bounded
// size, one per turn of the event loop, so a log of a million lines never
// keeps the window from answering. The box scrolls to its end.
//
// Used by one worker at a time; several logs may write the same box.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>

#include <functional>
#include <memory>
#include <string_view>

namespace tulvarine::platform {

class BoxLog {
public:
    // wanted, when given, is asked on the GUI thread before each change of the
    // box: once it says false the log writes nothing more (a newer run has
    // taken the box over).
    explicit BoxLog(QPlainTextEdit* box, std::function<bool()> wanted = {});
    // Shows what is left, waiting for it.
    ~BoxLog();
    BoxLog(const BoxLog&) = delete;
    BoxLog& operator=(const BoxLog&) = delete;

    // Empties the box; what was appended and not yet shown goes too.
    void Clear();
    // Appends bytes (whole lines, ending in CR LF or LF), shown as the box shows bytes (box_text.h).
    void Append(std::string_view bytes);
    // Shows everything appended, piece by piece, and waits.
    void Flush();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace tulvarine::platform
