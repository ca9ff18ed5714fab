#include "ftp/FtpDataChannel.h"

#include <QIODevice>
#include <utility>

namespace Ftp {

namespace {
constexpr qint64 kChunk = 256 * 1024;
constexpr qint64 kHighWater = 1024 * 1024; // bytes queued in the socket before we stop reading the file
// What a socket takes from the network at a time: large reads cost a TLS socket dearly.
constexpr qint64 kReadAhead = 64 * 1024;
}

FtpDataChannel::FtpDataChannel(QObject *parent) : QObject(parent)
{
    buffer_.resize(kChunk);
    stallTimer_.setSingleShot(true);
    connect(&stallTimer_, &QTimer::timeout, this,
            [this] { fail(tr("The data connection stalled")); });
    answerDeadline_.setSingleShot(true);
    connect(&answerDeadline_, &QTimer::timeout, this,
            [this] { fail(tr("The answer takes too long")); });
}

FtpDataChannel::~FtpDataChannel()
{
    release();
}

// A socket of its own for each connection: a TLS socket must not be reset from inside its
// own signals, which is where a transfer ends and the next one starts.
void FtpDataChannel::makeSocket()
{
    release();
    socket_ = new QSslSocket(this);
    socket_->setReadBufferSize(kReadAhead);
    connect(socket_, &QSslSocket::connected, this, [this] {
        stallTimer_.start(stallMs_);
        emit connected();
    });
    connect(socket_, &QSslSocket::readyRead, this, &FtpDataChannel::onReadyRead);
    connect(socket_, &QSslSocket::bytesWritten, this, &FtpDataChannel::onBytesWritten);
    connect(socket_, &QSslSocket::encryptedBytesWritten, this, [this] {
        stallTimer_.start(stallMs_);
        fillSocket();
    });
    connect(socket_, &QSslSocket::encrypted, this, [this] {
        // The certificate the operator or a CA vouched for on the control connection, and
        // no other: checked before a byte is sent or taken.
        if (socket_->peerCertificate() != accepted_)
            return fail(tr("The data connection shows another certificate"));
        fillSocket();
    });
    connect(socket_, &QSslSocket::disconnected, this, &FtpDataChannel::onDisconnected);
    connect(socket_, &QSslSocket::errorOccurred, this, &FtpDataChannel::onError);
}

void FtpDataChannel::release()
{
    if (!socket_)
        return;
    // Closed and deleted once its own signal, if that is where we are, has returned.
    QSslSocket *old = std::exchange(socket_, nullptr);
    old->disconnect(this);
    QMetaObject::invokeMethod(old, [old] {
        old->abort();
        old->deleteLater();
    }, Qt::QueuedConnection);
}

void FtpDataChannel::onError(QAbstractSocket::SocketError error)
{
    if (!active_)
        return;
    if (error != QAbstractSocket::RemoteHostClosedError)
        return fail(socket_->errorString());
    // A TLS close leaves the connection open until we close too (vsftpd waits for it).
    if (socket_->mode() != QSslSocket::UnencryptedMode)
        QMetaObject::invokeMethod(socket_, &QSslSocket::disconnectFromHost, Qt::QueuedConnection);
}

void FtpDataChannel::open(const QHostAddress &host, quint16 port, const std::optional<Tls> &tls, QIODevice *sink,
                          qint64 limit)
{
    abort();
    active_ = true;
    sink_ = sink;
    limit_ = limit;
    moved_ = 0;
    makeSocket();
    stallTimer_.start(stallMs_);
    if (limit >= 0)
        answerDeadline_.start(kAnswerStalls * stallMs_);
    if (!tls) {
        socket_->connectToHost(host, port);
        return;
    }
    accepted_ = tls->accepted;
    // Verified against the control connection's certificate once encrypted, so no CA store
    // is loaded for each of the many data connections: that costs more than the handshake.
    QSslConfiguration config = tls->config;
    config.setCaCertificates({});
    config.setPeerVerifyMode(QSslSocket::QueryPeer);
    socket_->setSslConfiguration(config);
    socket_->connectToHostEncrypted(host.toString(), port, tls->peerName);
}

void FtpDataChannel::startSending(QIODevice *source)
{
    source_ = source;
    fillSocket();
}

void FtpDataChannel::abort()
{
    active_ = false; // what the abort itself signals is not ours to report
    stallTimer_.stop();
    answerDeadline_.stop();
    sink_ = source_ = nullptr;
    accepted_ = QSslCertificate();
    release();
}

void FtpDataChannel::onReadyRead()
{
    if (!sink_)
        return;
    stallTimer_.start(stallMs_);
    while (socket_->bytesAvailable() > 0) {
        const qint64 n = socket_->read(buffer_.data(), kChunk);
        if (n <= 0 || sink_->write(buffer_.constData(), n) != n)
            return fail(tr("Cannot write the received data"));
        moved_ += n;
        if (limit_ >= 0 && moved_ > limit_)
            return fail(tr("The answer is too long"));
    }
    emit progress(moved_);
}

void FtpDataChannel::onBytesWritten(qint64 bytes)
{
    stallTimer_.start(stallMs_);
    moved_ += bytes;
    emit progress(moved_);
    fillSocket();
}

void FtpDataChannel::fillSocket()
{
    if (!source_ || !socket_)
        return;
    if (socket_->mode() != QSslSocket::UnencryptedMode && !socket_->isEncrypted())
        return; // the handshake is not done yet
    while (queued() < kHighWater && !source_->atEnd()) {
        // A chunk of its own, which the socket queues without copying it.
        QByteArray chunk(kChunk, Qt::Uninitialized);
        const qint64 n = source_->read(chunk.data(), kChunk);
        if (n < 0)
            return fail(tr("Cannot read the file to send"));
        chunk.truncate(n);
        socket_->write(chunk);
    }
    if (source_->atEnd() && queued() == 0) {
        source_ = nullptr;
        socket_->disconnectFromHost();
    }
}

qint64 FtpDataChannel::queued() const
{
    // Over TLS, what the socket took is encrypted at once into a buffer of its own.
    return socket_->bytesToWrite() + socket_->encryptedBytesToWrite();
}

void FtpDataChannel::onDisconnected()
{
    if (!active_)
        return;
    if (!sink_ && source_)
        return fail(tr("The server closed the data connection early"));
    onReadyRead(); // whatever arrived with the close
    stallTimer_.stop();
    answerDeadline_.stop();
    active_ = false;
    sink_ = nullptr;
    emit finished();
}

void FtpDataChannel::fail(const QString &reason)
{
    abort();
    emit failed(reason);
}

} // namespace Ftp
