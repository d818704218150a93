#include "platform/box_appender.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include <atomic>

#include "platform/box_text.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

namespace {
constexpr char kOwnerProperty[] = "tulvarineAppender";
// About 1 000 lines of an alignment: a few milliseconds of the GUI thread each.
constexpr std::size_t kPieceBytes = 64 * 1024;

std::atomic<unsigned long long> g_lastTicket{0};
}  // namespace

BoxAppender::BoxAppender(QPlainTextEdit* box) : box_(box), ticket_(++g_lastTicket) {
    box->setProperty(kOwnerProperty, ticket_);
    box->clear();
    // An undo record of every piece would hold the whole text a second time.
    box->setUndoRedoEnabled(false);
}

BoxAppender::~BoxAppender() {
    if (!finished_) Finish();
}

void BoxAppender::Finish() {
    Send(true);
    CallOnGuiThread([this] {
        if (box_ && box_->property(kOwnerProperty).toULongLong() == ticket_) box_->setUndoRedoEnabled(true);
    });
    finished_ = true;
}

void BoxAppender::Append(std::string_view bytes) {
    pending_.append(bytes);
    if (pending_.size() >= kPieceBytes) Send(false);
}

void BoxAppender::Flush() { Send(false); }

void BoxAppender::Send(bool all) {
    if (pending_.empty()) return;
    // A CR LF cut between two pieces must still show as one line break.
    const bool keepCr = !all && pending_.back() == '\r';
    if (keepCr) pending_.pop_back();
    CallOnGuiThread([this] {
        if (!box_ || box_->property(kOwnerProperty).toULongLong() != ticket_) return;
        QTextCursor end(box_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(BytesToBoxText(pending_));
        box_->moveCursor(QTextCursor::End);
        box_->ensureCursorVisible();
    });
    pending_.assign(keepCr ? "\r" : "");
}

}  // namespace tulvarine::platform
