// The wait for "nothing more is reported": a whole exchange with the test
// server, made after the event. What an earlier request or download still had
// to report was queued before this answer arrived, so it has been handled too.
#pragma once

#include <optional>

#include "platform/web_requests.h"
#include "support/event_waits.h"
#include "support/http_test_server.h"

namespace tulvarine::testing {

// Asks server for "/exchange" and waits for the answer; false after the limit.
inline bool AwaitAnExchangeWith(HttpTestServer& server) {
    server.Serve("/exchange", {.body = "x"});
    platform::WebRequests web;
    std::optional<bool> online;
    web.TestConnectivity(server.Address("/exchange"), [&](bool answer) { online = answer; });
    return WaitUntil([&] { return online.has_value(); });
}

}  // namespace tulvarine::testing
