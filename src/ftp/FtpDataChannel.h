#pragma once

#include <QHostAddress>
#include <QObject>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <optional>
#include <QTimer>

class QIODevice;

namespace Ftp {

// One passive data connection. Downloads write everything received into a sink
// until the server closes; uploads stream a source in chunks and then close.
// Memory stays bounded by the socket buffers whatever the file size. Any time
// with no byte moved for the stall timeout fails the channel. An answer kept in
// memory must also end within kAnswerStalls stall periods, so a server that
// trickles a listing forever cannot keep the client busy.
//
// Over TLS the command goes out as soon as the connection is up (the server
// starts its handshake only after it), and nothing is sent before the
// handshake is done. The data connection resumes the control connection's
// session and must show the certificate accepted there.
class FtpDataChannel : public QObject {
    Q_OBJECT
public:
    struct Tls {
        QSslConfiguration config; // the control connection's, with its session
        QString peerName;
        QSslCertificate accepted;
    };

    explicit FtpDataChannel(QObject *parent = nullptr);
    ~FtpDataChannel() override;

    static constexpr int kAnswerStalls = 10;

    void setStallTimeout(int ms) { stallMs_ = ms; }
    // Connects; with a sink, receiving starts at once. `limit` caps what the
    // sink takes (-1: none, and no deadline), for answers kept in memory.
    void open(const QHostAddress &host, quint16 port, const std::optional<Tls> &tls, QIODevice *sink,
              qint64 limit = -1);
    void startSending(QIODevice *source);
    void abort();

signals:
    void connected();
    void progress(qint64 bytes);
    void finished();
    void failed(const QString &reason);

private:
    void makeSocket();
    void release();
    void onError(QAbstractSocket::SocketError error);
    void onReadyRead();
    void onBytesWritten(qint64 bytes);
    void onDisconnected();
    void fillSocket();
    qint64 queued() const;
    void fail(const QString &reason);

    QSslSocket *socket_ = nullptr;
    QSslCertificate accepted_;
    QTimer stallTimer_;
    QTimer answerDeadline_;
    QIODevice *sink_ = nullptr;
    QIODevice *source_ = nullptr;
    QByteArray buffer_;
    qint64 moved_ = 0;
    qint64 limit_ = -1;
    bool active_ = false;
    int stallMs_ = 30000;
};

} // namespace Ftp
