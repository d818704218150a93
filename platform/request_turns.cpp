#include "platform/request_turns.h"

namespace tulvarine::platform {

RequestTurns::Ticket RequestTurns::Request(Kind kind) {
    std::lock_guard lock(mutex_);
    const Ticket ticket = ++issued_;
    if (kind == Kind::kListing) newestListing_ = ticket;
    return ticket;
}

RequestTurns::Turn RequestTurns::WaitForTurn(Ticket ticket) {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return served_ + 1 == ticket; });
    return Turn(*this, ticket);
}

bool RequestTurns::Overtaken(Ticket ticket) const {
    std::lock_guard lock(mutex_);
    return newestListing_ > ticket;
}

void RequestTurns::Finish(Ticket ticket) {
    {
        std::lock_guard lock(mutex_);
        served_ = ticket;
    }
    finished_.notify_all();
}

}  // namespace tulvarine::platform
