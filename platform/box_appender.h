// Fills a multi-line box with a long text from a worker, a piece at a time:
// the window keeps responding while a large file goes in, and memory stays
// bounded because the worker waits for each piece to be shown. Each piece
// scrolls the box to its end, as appending to an edit box does.
//
// Made on the GUI thread, which empties the box and makes this appender its
// owner. A newer appender for the same box takes it over: whatever the older
// one still sends is dropped (a second file chosen while the first still
// loads). One worker appends at a time.
#pragma once

#include <QPointer>

#include <string>
#include <string_view>

class QPlainTextEdit;

namespace tulvarine::platform {

class BoxAppender {
public:
    explicit BoxAppender(QPlainTextEdit* box);
    // Finishes, unless Finish() was called.
    ~BoxAppender();
    BoxAppender(const BoxAppender&) = delete;
    BoxAppender& operator=(const BoxAppender&) = delete;

    // Bytes as a file holds them (CR LF shows as a line break).
    void Append(std::string_view bytes);
    // Shows what is buffered and waits until it is shown (a last CR may wait
    // for the next piece).
    void Flush();
    // Shows the rest and waits; the box takes edits to undo again. Nothing may
    // be appended after.
    void Finish();

private:
    // all: also a last CR, which may otherwise start a CR LF of the next piece.
    void Send(bool all);

    QPointer<QPlainTextEdit> box_;
    unsigned long long ticket_;
    std::string pending_;
    bool finished_ = false;
};

}  // namespace tulvarine::platform
