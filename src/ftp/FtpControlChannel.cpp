#include "ftp/FtpControlChannel.h"

#include "ftp/FtpTrace.h"

#include <QSslCipher>

#include <utility>

namespace Ftp {

FtpControlChannel::FtpControlChannel(QObject *parent) : QObject(parent)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        fail(isConnected() ? tr("Timed out waiting for the server's reply")
                           : tr("Timed out connecting to the server"));
    });
    connect(&socket_, &QSslSocket::stateChanged, this, &FtpControlChannel::socketStateChanged);
    connect(&socket_, &QSslSocket::connected, this, &FtpControlChannel::onConnected);
    connect(&socket_, &QSslSocket::readyRead, this, &FtpControlChannel::onReadyRead);
    connect(&socket_, &QSslSocket::errorOccurred, this, [this] { fail(socket_.errorString()); });
    connect(&socket_, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
        // The check may wait for the operator: the handshake waits with it, untimed.
        timer_.stop();
        if (!check_ || !check_(errors))
            return;
        armReplyTimer();
        socket_.ignoreSslErrors(errors);
    });
    connect(&socket_, &QSslSocket::encrypted, this, [this] {
        timer_.stop();
        FtpTrace::note(traceNumber_, "TLS handshake done: " + socket_.sessionCipher().protocolString().toLatin1());
        if (encrypted_)
            std::exchange(encrypted_, nullptr)();
    });
}

FtpControlChannel::~FtpControlChannel()
{
    // The socket signals its own closing while it is destroyed; nobody is listening by then.
    socket_.disconnect();
}

void FtpControlChannel::open(const QString &host, quint16 port, int connectTimeoutMs)
{
    parser_ = {};
    traceNumber_ = FtpTrace::nextConnection();
    FtpTrace::note(traceNumber_, "connecting to " + host.toUtf8() + ':' + QByteArray::number(port));
    check_ = nullptr;
    encrypted_ = nullptr;
    socket_.setSslConfiguration(QSslConfiguration::defaultConfiguration());
    timer_.start(connectTimeoutMs);
    socket_.connectToHost(host, port);
}

void FtpControlChannel::send(const QByteArray &line)
{
    FtpTrace::sent(traceNumber_, line);
    socket_.write(line + "\r\n");
}

void FtpControlChannel::awaitReply(ReplyHandler next, bool timed)
{
    handler_ = std::move(next);
    timed_ = timed;
    if (timed && isConnected())
        armReplyTimer();
    else if (isConnected())
        timer_.stop();
}

void FtpControlChannel::armReplyTimer()
{
    timer_.start(replyTimeoutMs_);
}

void FtpControlChannel::startTls(const QSslConfiguration &config, const QString &peerName, ErrorsCheck check,
                                 std::function<void()> encrypted)
{
    check_ = std::move(check);
    encrypted_ = std::move(encrypted);
    socket_.setSslConfiguration(config);
    socket_.setPeerVerifyName(peerName);
    armReplyTimer();
    FtpTrace::note(traceNumber_, "TLS handshake");
    socket_.startClientEncryption();
}

void FtpControlChannel::close()
{
    timer_.stop();
    handler_ = nullptr;
    encrypted_ = nullptr;
    socket_.abort();
}

void FtpControlChannel::sendAndClose(const QByteArray &line)
{
    timer_.stop();
    handler_ = nullptr;
    encrypted_ = nullptr;
    send(line);
    socket_.disconnectFromHost();
}

void FtpControlChannel::onConnected()
{
    timer_.stop();
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (handler_ && timed_)
        armReplyTimer();
}

void FtpControlChannel::onReadyRead()
{
    if (!parser_.inReply())
        emit receiving();
    const QList<FtpReply> replies = parser_.feed(socket_.readAll());
    if (parser_.failed())
        return fail(parser_.error());
    for (const FtpReply &reply : replies) {
        if (!isConnected())
            return; // a handler closed the connection; the rest is stale
        deliver(reply);
    }
}

void FtpControlChannel::deliver(const FtpReply &reply)
{
    FtpTrace::received(traceNumber_, reply.lines);
    if (reply.code == 421)
        return fail(reply.text());
    if (!handler_)
        return; // unsolicited; nothing waits for it
    timer_.stop();
    ReplyHandler handler = std::move(handler_);
    handler_ = nullptr;
    handler(reply);
}

void FtpControlChannel::fail(const QString &reason)
{
    FtpTrace::note(traceNumber_, "lost: " + reason.toUtf8());
    close();
    emit lost(reason);
}

} // namespace Ftp
