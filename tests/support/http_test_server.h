// A small HTTP server on 127.0.0.1 for tests: it answers each path with canned
// responses and records what it was asked. It runs on the test's own event
// loop, so the code under test must not block that loop.
//
//   HttpTestServer server;
//   QVERIFY(server.Listen());
//   server.Serve("/VersionCheck.txt", {.body = "Version\t1.2.3\n..."});
//   std::string address = server.Address("/VersionCheck.txt");
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <deque>
#include <string>

namespace tulvarine::testing {

class HttpTestServer : public QObject {
public:
    enum class Mode {
        Answer,              // status, headers and body
        CloseWithoutAnswer,  // the connection is dropped once the request has arrived
        Hold,                // the request is never answered
    };
    struct Response {
        int status = 200;
        QByteArray body{};
        Mode mode = Mode::Answer;
        bool sendLength = true;  // false: no Content-Length, the end of the body closes the connection
        int splitAt = -1;        // >= 0: send that many body bytes, wait pauseMs, then the rest
        int pauseMs = 0;
        bool hangUpAtSplit = false;  // drop the connection after the first part instead
    };

    ~HttpTestServer() override {
        // The sockets go with server_; what they report on the way must not reach a half-destroyed server.
        for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) socket->disconnect(this);
    }

    bool Listen() {
        connect(&server_, &QTcpServer::newConnection, this, &HttpTestServer::Accept);
        return server_.listen(QHostAddress::LocalHost);
    }
    quint16 Port() const { return server_.serverPort(); }
    std::string Address(const QString& path) const {
        return QString("http://127.0.0.1:%1%2").arg(Port()).arg(path).toStdString();
    }

    // Answers path with response from now on; queued responses for the same
    // path are answered in turn, and the last one stays.
    void Serve(const QString& path, Response response) { responses_[path] = {std::move(response)}; }
    void ServeInTurn(const QString& path, std::deque<Response> responses) { responses_[path] = std::move(responses); }

    // Requests received, as "GET /path".
    const QList<QString>& Requests() const { return requests_; }
    int RequestCount(const QString& path) const {
        int count = 0;
        for (const QString& request : requests_)
            if (request.section(' ', 1) == path) ++count;
        return count;
    }
    // Connections the client closed before the answer was complete (held
    // requests, bodies cut by a pause).
    int ClientHangUps() const { return hangUps_; }

    // A port on which nothing listens: opened, then closed again.
    static quint16 UnusedPort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort();
    }

private:
    void Accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                if (unfinished_.remove(socket)) ++hangUps_;
                socket->deleteLater();
            });
        }
    }

    void ReadRequest(QTcpSocket* socket) {
        QByteArray& pending = pending_[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> words = pending.left(pending.indexOf("\r\n")).split(' ');
        pending_.remove(socket);
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        const QString method = QString::fromLatin1(words.value(0));
        const QString path = QString::fromLatin1(words.value(1));
        requests_ << method + " " + path;
        Answer(socket, method == "HEAD", NextResponse(path));
    }

    Response NextResponse(const QString& path) {
        auto found = responses_.find(path);
        if (found == responses_.end() || found->empty()) return {.status = 404, .body = "Not Found"};
        Response response = found->front();
        if (found->size() > 1) found->pop_front();
        return response;
    }

    void Answer(QTcpSocket* socket, bool headOnly, const Response& response) {
        if (response.mode == Mode::CloseWithoutAnswer) {
            socket->abort();
            return;
        }
        if (response.mode == Mode::Hold) {
            unfinished_.insert(socket);
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " " +
                          (response.status == 200 ? "OK" : "Error") + "\r\n";
        head += "Content-Type: application/octet-stream\r\nConnection: close\r\n";
        if (response.sendLength) head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        head += "\r\n";
        if (headOnly) {
            Send(socket, head, true);
            return;
        }
        if (response.splitAt < 0) {
            Send(socket, head + response.body, true);
            return;
        }
        unfinished_.insert(socket);
        Send(socket, head + response.body.left(response.splitAt), false);
        if (response.hangUpAtSplit) {
            unfinished_.remove(socket);
            socket->disconnectFromHost();
            return;
        }
        QPointer<QTcpSocket> guarded(socket);
        const QByteArray rest = response.body.mid(response.splitAt);
        QTimer::singleShot(response.pauseMs, this, [this, guarded, rest] {
            if (guarded) Send(guarded, rest, true);
        });
    }

    void Send(QTcpSocket* socket, const QByteArray& bytes, bool last) {
        socket->write(bytes);
        socket->flush();
        if (!last) return;
        unfinished_.remove(socket);
        socket->disconnectFromHost();  // closes once everything is written
    }

    QTcpServer server_;
    QMap<QString, std::deque<Response>> responses_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QList<QString> requests_;
    QSet<QTcpSocket*> unfinished_;  // answers not yet complete
    int hangUps_ = 0;
};

}  // namespace tulvarine::testing
