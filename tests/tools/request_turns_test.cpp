#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/request_turns.h"

namespace tulvarine::platform {
namespace {

TEST(RequestTurns, ServesInTheOrderAskedAndMarksOvertakenListings) {
    RequestTurns turns;
    using Kind = RequestTurns::Kind;
    const std::vector<RequestTurns::Ticket> tickets = {turns.Request(Kind::kListing), turns.Request(Kind::kListing),
                                                       turns.Request(Kind::kOther), turns.Request(Kind::kListing)};
    std::mutex mutex;
    std::vector<RequestTurns::Ticket> served;
    std::vector<std::thread> workers;
    for (auto ticket = tickets.rbegin(); ticket != tickets.rend(); ++ticket)  // started last first
        workers.emplace_back([&, ticket = *ticket] {
            const RequestTurns::Turn turn = turns.WaitForTurn(ticket);
            std::lock_guard lock(mutex);
            served.push_back(ticket);
        });
    for (std::thread& worker : workers) worker.join();

    EXPECT_EQ(served, tickets);
    EXPECT_TRUE(turns.Overtaken(tickets[0]));
    EXPECT_TRUE(turns.Overtaken(tickets[1]));
    EXPECT_FALSE(turns.Overtaken(tickets[3]));
    EXPECT_FALSE(turns.Overtaken(turns.Request(Kind::kOther)));  // a run makes no listing outdated
}

}  // namespace
}  // namespace tulvarine::platform
