#pragma once

#include "ftp/FtpReply.h"
#include "ftp/FtpReplyParser.h"

#include <QHostAddress>
#include <QObject>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>
#include <functional>

namespace Ftp {

// The control connection: sends command lines and hands each complete reply to
// the one handler waiting for it. A 421 reply, a dropped socket, a malformed
// reply, a failed TLS handshake or an expired timer all end in `lost`, with the
// socket closed.
class FtpControlChannel : public QObject {
    Q_OBJECT
public:
    using ReplyHandler = std::function<void(const FtpReply &)>;
    // Whether a handshake that reported these errors may go on.
    using ErrorsCheck = std::function<bool(const QList<QSslError> &)>;

    explicit FtpControlChannel(QObject *parent = nullptr);
    ~FtpControlChannel() override;

    void setReplyTimeout(int ms) { replyTimeoutMs_ = ms; }
    void open(const QString &host, quint16 port, int connectTimeoutMs);
    void send(const QByteArray &line);
    // The next reply goes to `next`. Untimed waits are for transfers, whose data
    // connection has its own stall timer.
    void awaitReply(ReplyHandler next, bool timed = true);
    void armReplyTimer();
    // Switches to TLS under the reply timeout; `encrypted` once the handshake is done.
    void startTls(const QSslConfiguration &config, const QString &peerName, ErrorsCheck check,
                  std::function<void()> encrypted);
    // Closes at once and forgets the waiting handler; emits no `lost`.
    void close();
    // Sends `line`, then closes once it is out, waiting for no reply.
    void sendAndClose(const QByteArray &line);

    bool isConnected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    QHostAddress peerAddress() const { return socket_.peerAddress(); }
    bool isEncrypted() const { return socket_.isEncrypted(); }
    QSslCertificate peerCertificate() const { return socket_.peerCertificate(); }
    QSsl::SslProtocol sessionProtocol() const { return socket_.sessionProtocol(); }
    // The session in force, with its ticket, for the data connections to resume.
    QSslConfiguration sslConfiguration() const { return socket_.sslConfiguration(); }

signals:
    void socketStateChanged(QAbstractSocket::SocketState state);
    void receiving();
    void lost(const QString &reason);

private:
    void onConnected();
    void onReadyRead();
    void deliver(const FtpReply &reply);
    void fail(const QString &reason);

    QSslSocket socket_;
    QTimer timer_;
    FtpReplyParser parser_;
    ReplyHandler handler_;
    ErrorsCheck check_;
    std::function<void()> encrypted_;
    bool timed_ = false;
    int traceNumber_ = 0;
    int replyTimeoutMs_ = 30000;
};

} // namespace Ftp
