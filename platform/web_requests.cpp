#include "platform/web_requests.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace tulvarine::platform {

namespace {
int g_deadlineMs = WebRequests::kDeadlineMs;  // GUI thread only

// Set on a reply that its deadline ended.
constexpr char kPastDeadline[] = "tulvarinePastDeadline";

QUrl UrlOf(const std::string& address) {
    return QUrl(QString::fromUtf8(address.data(), qsizetype(address.size())), QUrl::StrictMode);
}

std::string ReasonOf(QNetworkReply* reply) {
    if (reply->property(kPastDeadline).toBool()) return "the server took too long";
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) return "HTTP " + std::to_string(status.toInt());
    return reply->errorString().toStdString();
}
}  // namespace

WebRequests::WebRequests() : manager_(std::make_unique<QNetworkAccessManager>()) {}

WebRequests::~WebRequests() { AbortAll(); }

QNetworkReply* WebRequests::Send(const std::string& address, bool headOnly) {
    QNetworkRequest request(UrlOf(address));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // The transfer timeout restarts with every byte; the deadline does not.
    request.setTransferTimeout(g_deadlineMs);
    QNetworkReply* reply = headOnly ? manager_->head(request) : manager_->get(request);
    QTimer::singleShot(g_deadlineMs, reply, [reply] {
        reply->setProperty(kPastDeadline, true);
        reply->abort();  // finished follows, with the reason above
    });
    inFlight_.push_back(reply);
    return reply;
}

void WebRequests::SetDeadlineForTests(int deadlineMs) { g_deadlineMs = deadlineMs > 0 ? deadlineMs : kDeadlineMs; }

void WebRequests::Forget(QNetworkReply* reply) {
    inFlight_.erase(std::remove(inFlight_.begin(), inFlight_.end(), reply), inFlight_.end());
    reply->deleteLater();
}

void WebRequests::TestConnectivity(const std::string& address, std::function<void(bool)> done) {
    QNetworkReply* reply = Send(address, true);
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, done = std::move(done)] {
        // Any HTTP answer, an error status included, shows that the server is reachable.
        const bool online = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        Forget(reply);
        done(online);
    });
}

void WebRequests::FetchText(const std::string& address, std::size_t maxBytes, std::function<void(FetchResult)> done) {
    QNetworkReply* reply = Send(address, false);
    reply->setReadBufferSize(qint64(maxBytes) + 1);  // enough to tell that it is too large
    auto tooLarge = std::make_shared<bool>(false);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, maxBytes, tooLarge](qint64 received, qint64 total) {
        if (std::max(received, total) > qint64(maxBytes)) {
            *tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, tooLarge, done = std::move(done)] {
        FetchResult result;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (*tooLarge) {
            result.error = "the answer is too large";
        } else if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
            result.error = ReasonOf(reply);
        } else {
            const QByteArray body = reply->readAll();
            result.body.assign(body.constData(), std::size_t(body.size()));
            result.ok = true;
        }
        Forget(reply);
        done(std::move(result));
    });
}

void WebRequests::AbortAll() {
    std::vector<QNetworkReply*> replies;
    replies.swap(inFlight_);
    for (QNetworkReply* reply : replies) {
        QObject::disconnect(reply, nullptr, nullptr, nullptr);  // abort() must not run the callbacks
        reply->abort();
        reply->deleteLater();
    }
    manager_->clearConnectionCache();  // hang up now rather than when the manager goes
}

bool WebRequests::Busy() const { return !inFlight_.empty(); }

}  // namespace tulvarine::platform
