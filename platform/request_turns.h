// One at a time, in the order asked, newest listing only: the folder listings
// that start on every change of a folder box, and the runs that fill the same
// list, take turns in the order they were requested, and a listing that a newer
// listing has overtaken skips its work, so typing a path never leaves a mixed
// or outdated list and a run's lines are never wiped by an older listing.
// No Qt.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tulvarine::platform {

class RequestTurns {
public:
    using Ticket = std::uint64_t;
    enum class Kind { kListing, kOther };

    // Held while a worker has its turn; the next ticket is served when it goes.
    class Turn {
    public:
        Turn(RequestTurns& turns, Ticket ticket) : turns_(turns), ticket_(ticket) {}
        ~Turn() { turns_.Finish(ticket_); }
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        RequestTurns& turns_;
        Ticket ticket_;
    };

    // A place in the line, taken on the GUI thread when the request is made.
    // Every ticket must be waited for once (WaitForTurn), or later ones wait forever.
    Ticket Request(Kind kind);
    // Waits until every earlier ticket has had its turn. A worker with its turn
    // may wait for the GUI thread: the GUI thread never waits for a turn.
    [[nodiscard]] Turn WaitForTurn(Ticket ticket);
    // True when a listing was requested after ticket: its list would be outdated.
    bool Overtaken(Ticket ticket) const;

private:
    void Finish(Ticket ticket);

    mutable std::mutex mutex_;
    std::condition_variable finished_;
    Ticket issued_ = 0;         // guarded by mutex_
    Ticket served_ = 0;         // guarded by mutex_: the last ticket whose turn has ended
    Ticket newestListing_ = 0;  // guarded by mutex_
};

}  // namespace tulvarine::platform
