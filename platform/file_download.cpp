#include "platform/file_download.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace tulvarine::platform {

namespace {
QString FromBytes(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QUrl WebUrl(const std::string& address) { return QUrl(FromBytes(address), QUrl::StrictMode); }

int HttpStatus(QNetworkReply* reply) {
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();  // 0 without an answer
}

// True when the server announced the size of a body sent as it is (not
// compressed on the way) and fewer bytes arrived: Qt may end such a reply
// without an error when the server hangs up early.
bool EndedShort(QNetworkReply* reply, std::int64_t received) {
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    return length.isValid() && (encoding.isEmpty() || encoding == "identity") && received < length.toLongLong();
}
}  // namespace

FileDownload::FileDownload(std::string address, std::string targetPath, Options options, Listener listener)
    : address_(std::move(address)),
      targetPath_(std::move(targetPath)),
      options_(options),
      listener_(std::move(listener)),
      manager_(std::make_unique<QNetworkAccessManager>()) {}

FileDownload::~FileDownload() { Stop(); }

bool FileDownload::IsWebAddress(const std::string& address) {
    const QUrl url = WebUrl(address);
    return url.isValid() && (url.scheme() == "http" || url.scheme() == "https") && !url.host().isEmpty();
}

bool FileDownload::Start(std::string* reason) {
    if (!IsWebAddress(address_)) {
        if (reason != nullptr) *reason = "not a web address: " + address_;
        return false;
    }
    if (!OpenTemporaryFile(reason)) return false;
    running_ = true;
    SendRequest();
    return true;
}

bool FileDownload::OpenTemporaryFile(std::string* reason) {
    file_ = std::make_unique<QSaveFile>(FromBytes(targetPath_));
    if (file_->open(QIODevice::WriteOnly)) return true;
    if (reason != nullptr) *reason = "cannot write " + targetPath_ + ": " + file_->errorString().toStdString();
    file_.reset();
    return false;
}

void FileDownload::SendRequest() {
    QNetworkRequest request(WebUrl(address_));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setTransferTimeout(options_.stallTimeoutMs);
    received_ = 0;
    totalReported_ = false;
    reply_ = manager_->get(request);
    reply_->setReadBufferSize(kReadBufferBytes);
    connect(reply_, &QNetworkReply::readyRead, this, &FileDownload::OnDataArrived);
    connect(reply_, &QNetworkReply::finished, this, &FileDownload::OnReplyFinished);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        // The size is known only when the server sends it (Content-Length).
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > options_.maxBytes && HttpStatus(reply_) / 100 == 2) {
            Fail(TooLarge());  // not a byte of it is fetched
            return;
        }
        if (length.isValid() && length.toLongLong() > 0 && !totalReported_ && HttpStatus(reply_) / 100 == 2) {
            totalReported_ = true;
            if (listener_.totalSizeKnown) listener_.totalSizeKnown(length.toLongLong());
        }
    });
}

void FileDownload::OnDataArrived() {
    if (!reply_->isOpen()) return;  // closed by a failure: nothing more to keep
    const QByteArray chunk = reply_->readAll();  // at most the read buffer
    if (HttpStatus(reply_) / 100 != 2) return;  // an error page is not the file
    if (received_ + chunk.size() > options_.maxBytes) {
        Fail(TooLarge());
        return;
    }
    if (file_->write(chunk) != chunk.size()) {
        Fail("cannot write " + targetPath_ + ": " + file_->errorString().toStdString());
        return;
    }
    received_ += chunk.size();
}

void FileDownload::OnReplyFinished() {
    if (!running_) return;
    OnDataArrived();  // whatever arrived with the end
    if (!running_) return;
    const int status = HttpStatus(reply_);
    const bool answered = status != 0;  // an HTTP status arrived
    const bool endedShort = EndedShort(reply_, received_);
    if (reply_->error() == QNetworkReply::NoError && status / 100 == 2 && !endedShort) {
        DropReply();
        running_ = false;
        if (!file_->commit()) {
            const std::string reason = "cannot write " + targetPath_ + ": " + file_->errorString().toStdString();
            file_.reset();
            if (listener_.failed) listener_.failed(reason);
            return;
        }
        file_.reset();
        if (listener_.finished) listener_.finished();
        return;
    }
    if (answered && status / 100 != 2) {
        Fail("HTTP " + std::to_string(status));  // the server refused: asking again changes nothing
        return;
    }
    if (attempt_ < options_.maxRetries) {
        // The connection was lost or refused: start over with a fresh temporary file.
        ++attempt_;
        DropReply();
        std::string openFailure;
        if (!OpenTemporaryFile(&openFailure)) {
            Fail(openFailure);
            return;
        }
        QTimer::singleShot(options_.retryWaitMs, this, [this] {
            if (running_) SendRequest();
        });
        return;
    }
    const std::string reason = reply_->error() == QNetworkReply::OperationCanceledError
                                   ? "the server stopped sending"  // the stall time ran out
                               : reply_->error() == QNetworkReply::NoError && endedShort
                                   ? "the connection ended before the whole file arrived"
                                   : reply_->errorString().toStdString();
    Fail(reason);
}

std::string FileDownload::TooLarge() const {
    return "the file is larger than " + std::to_string(options_.maxBytes >> 20) + " MB";
}

void FileDownload::Fail(const std::string& reason) {
    Stop();
    if (listener_.failed) listener_.failed(reason);
}

void FileDownload::Stop() {
    running_ = false;
    DropReply();
    file_.reset();  // an uncommitted QSaveFile removes its temporary file
}

void FileDownload::DropReply() {
    if (reply_ == nullptr) return;
    QNetworkReply* reply = std::exchange(reply_, nullptr);
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

}  // namespace tulvarine::platform
