#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

namespace Common { class OperatorUi; }

namespace Ftp {

// Which server certificates the client accepts: those that chain to the system's CAs
// or to the build's and name the host, and those the operator accepted once for a
// host and port, pinned in a list file. Anything else is put to the operator; nothing
// is accepted silently.
class TlsTrust {
public:
    // Without a pins file nothing is pinned; without an operator nothing is asked.
    explicit TlsTrust(const QString &pinsFile = {}, Common::OperatorUi *ui = nullptr);

    // TLS 1.2 or newer, the system's CAs and `extraCaPem`, sessions kept so that the
    // data connections can resume the control connection's.
    static QSslConfiguration configuration(const QByteArray &extraCaPem);
    static QString fingerprint(const QSslCertificate &certificate);

    // Whether a handshake that reported errors may go on: only for the pinned certificate.
    bool isPinned(const QString &hostPort, const QSslCertificate &certificate) const;
    // Puts a refused certificate to the operator; OK pins it for `hostPort`. A certificate
    // the operator refused is not asked about again while the program runs.
    bool askOperator(const QString &hostPort, const QSslCertificate &certificate,
                     const QList<QSslError> &errors);

private:
    QString pinnedFingerprint(const QString &hostPort) const;
    QString question(const QString &hostPort, const QSslCertificate &certificate,
                     const QList<QSslError> &errors) const;
    void pin(const QString &hostPort, const QString &fingerprint);

    QString pinsFile_;
    Common::OperatorUi *ui_;
    QHash<QString, QString> pins_; // host:port -> fingerprint, read once, kept even when the file cannot be written
    bool writable_ = true;
    QSet<QString> refusedNow_;
};

} // namespace Ftp
