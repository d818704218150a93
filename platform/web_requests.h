// Small web requests made while a window waits: whether a server can be
// reached, and the fetch of a short text. GUI thread only; every answer comes
// back as a callback from the event loop, so nothing blocks the window.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace tulvarine::platform {

class WebRequests {
public:
    struct FetchResult {
        bool ok = false;     // the whole body arrived with a success status
        std::string body{};   // the bytes as sent
        std::string error{};  // why not, for the user, when ok is false
    };

    WebRequests();
    // Aborts what is still in flight; no callback runs afterwards.
    ~WebRequests();
    WebRequests(const WebRequests&) = delete;
    WebRequests& operator=(const WebRequests&) = delete;

    // done(true) when a server answered at address (whatever its status),
    // done(false) when none could be reached or none answered before the deadline.
    void TestConnectivity(const std::string& address, std::function<void(bool online)> done);

    // Fetches the body at address fresh (no cache). Not ok when the server
    // cannot be reached, answers with a status outside 200-299, sends more
    // than maxBytes, or has not sent the whole answer by the deadline.
    void FetchText(const std::string& address, std::size_t maxBytes, std::function<void(FetchResult)> done);

    // Aborts every request in flight; their callbacks never run.
    void AbortAll();
    // True while a request is in flight.
    bool Busy() const;

    // Every request ends by this long after it was sent, however its bytes
    // trickle in: a slow server cannot keep a window waiting.
    static constexpr int kDeadlineMs = 15000;
    // Tests shorten the deadline of the requests sent from now on; 0 restores it.
    static void SetDeadlineForTests(int deadlineMs);

private:
    QNetworkReply* Send(const std::string& address, bool headOnly);
    void Forget(QNetworkReply* reply);

    std::unique_ptr<QNetworkAccessManager> manager_;
    std::vector<QNetworkReply*> inFlight_;
};

}  // namespace tulvarine::platform
