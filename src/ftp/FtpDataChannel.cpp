#include "ftp/FtpDataChannel.h"

#include <QIODevice>

namespace Ftp {

namespace {
constexpr qint64 kChunk = 256 * 1024;
constexpr qint64 kHighWater = 1024 * 1024; // bytes queued in the socket before we stop reading the file
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
    connect(&socket_, &QTcpSocket::connected, this, [this] {
        stallTimer_.start(stallMs_);
        emit connected();
    });
    connect(&socket_, &QTcpSocket::readyRead, this, &FtpDataChannel::onReadyRead);
    connect(&socket_, &QTcpSocket::bytesWritten, this, &FtpDataChannel::onBytesWritten);
    connect(&socket_, &QTcpSocket::disconnected, this, &FtpDataChannel::onDisconnected);
    connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (active_ && error != QAbstractSocket::RemoteHostClosedError)
            fail(socket_.errorString());
    });
}

FtpDataChannel::~FtpDataChannel()
{
    // The socket signals its own closing while it is destroyed; nobody is listening by then.
    socket_.disconnect();
}

void FtpDataChannel::open(const QHostAddress &host, quint16 port, QIODevice *sink, qint64 limit)
{
    abort();
    active_ = true;
    sink_ = sink;
    limit_ = limit;
    moved_ = 0;
    socket_.setReadBufferSize(kHighWater);
    stallTimer_.start(stallMs_);
    if (limit >= 0)
        answerDeadline_.start(kAnswerStalls * stallMs_);
    socket_.connectToHost(host, port);
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
    socket_.abort();
}

void FtpDataChannel::onReadyRead()
{
    if (!sink_)
        return;
    stallTimer_.start(stallMs_);
    while (socket_.bytesAvailable() > 0) {
        const qint64 n = socket_.read(buffer_.data(), kChunk);
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
    if (!source_)
        return;
    while (socket_.bytesToWrite() < kHighWater && !source_->atEnd()) {
        // A chunk of its own, which the socket queues without copying it.
        QByteArray chunk(kChunk, Qt::Uninitialized);
        const qint64 n = source_->read(chunk.data(), kChunk);
        if (n < 0)
            return fail(tr("Cannot read the file to send"));
        chunk.truncate(n);
        socket_.write(chunk);
    }
    if (source_->atEnd() && socket_.bytesToWrite() == 0) {
        source_ = nullptr;
        socket_.disconnectFromHost();
    }
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
