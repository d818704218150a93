#include "platform/box_log.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <mutex>
#include <string>

#include "platform/box_text.h"
#include "platform/gui_thread.h"
#include "platform/status_bar.h"

namespace tulvarine::platform {

namespace {
// What one turn of the event loop adds to the box: a few milliseconds' work.
constexpr std::size_t kPieceBytes = 32 * 1024;
// Between two pieces the event loop runs: a zero timer would run the next
// piece before the window's own timers and input.
constexpr std::chrono::milliseconds kPieceGap(5);
}  // namespace

// Shared with the deliveries queued on the GUI thread, which may run after the
// log is gone.
struct BoxLog::State {
    QPointer<QPlainTextEdit> box;
    std::function<bool()> wanted;  // GUI thread
    std::mutex mutex;
    std::string pending;    // guarded by mutex, as are the two below
    std::size_t shown = 0;  // bytes of pending already in the box
    bool deliveryQueued = false;
};

namespace {
// GUI thread: adds the next piece of whole lines to the box; true when more is left.
bool ShowPiece(BoxLog::State& state) {
    std::string piece;
    {
        std::lock_guard lock(state.mutex);
        const std::string_view left = std::string_view(state.pending).substr(state.shown);
        std::size_t take = left.size();
        if (take > kPieceBytes) {
            // Whole lines only, so that a piece never splits a character.
            std::size_t lf = left.rfind('\n', kPieceBytes - 1);
            if (lf == std::string_view::npos) lf = left.find('\n');
            take = lf == std::string_view::npos ? left.size() : lf + 1;
        }
        piece = left.substr(0, take);
        state.shown += take;
        // Shown bytes are dropped now and then, not per piece: appending stays linear.
        if (state.shown == state.pending.size() || state.shown > 4 * kPieceBytes) {
            state.pending.erase(0, state.shown);
            state.shown = 0;
        }
    }
    if (!piece.empty() && state.box && (!state.wanted || state.wanted())) {
        QTextCursor end(state.box->document());
        end.movePosition(QTextCursor::End);
        end.insertText(BytesToBoxText(piece));
        state.box->verticalScrollBar()->setValue(state.box->verticalScrollBar()->maximum());
    }
    std::lock_guard lock(state.mutex);
    return state.shown < state.pending.size();
}

// GUI thread: shows one piece, and comes back a moment later while more is left.
void Deliver(const std::shared_ptr<BoxLog::State>& state) {
    bool more = false;
    ShowingFailure([&] { more = ShowPiece(*state); });
    if (more) {
        QTimer::singleShot(kPieceGap, QCoreApplication::instance(), [state] { Deliver(state); });
        return;
    }
    std::lock_guard lock(state->mutex);
    state->deliveryQueued = false;
}
}  // namespace

BoxLog::BoxLog(QPlainTextEdit* box, std::function<bool()> wanted) : state_(std::make_shared<State>()) {
    state_->box = box;
    state_->wanted = std::move(wanted);
}

BoxLog::~BoxLog() {
    ShowingFailure([this] { Flush(); });
}

void BoxLog::Clear() {
    {
        std::lock_guard lock(state_->mutex);
        state_->pending.clear();
        state_->shown = 0;
    }
    CallOnGuiThread([state = state_] {
        if (state->box && (!state->wanted || state->wanted())) state->box->clear();
    });
}

void BoxLog::Append(std::string_view bytes) {
    {
        std::lock_guard lock(state_->mutex);
        state_->pending.append(bytes);
        if (state_->deliveryQueued) return;
        state_->deliveryQueued = true;
    }
    PostToGuiThread([state = state_] { Deliver(state); });
}

void BoxLog::Flush() {
    // One piece per call: the window answers between them.
    bool more = true;
    while (more && CallOnGuiThread([&] { more = ShowPiece(*state_); })) {
    }
}

}  // namespace tulvarine::platform
