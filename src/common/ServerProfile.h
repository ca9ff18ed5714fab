#pragma once

#include <QByteArray>
#include <QString>

namespace Common {

// When the connection to the content server is encrypted (explicit FTPS).
enum class TlsPolicy {
    Off,         // plain FTP
    WhenOffered, // TLS whenever the server lists AUTH TLS
    Required,    // no login without TLS
};

// The content server's account. The program compiles one in; tests pass their own.
struct ServerProfile {
    QString host;
    quint16 port = 21;
    QString user = QStringLiteral("pendric");
    QString password;
    TlsPolicy tls = TlsPolicy::WhenOffered;
    // PEM certificates trusted beside the system's, for a server with a private CA.
    QByteArray extraCaPem{};
};

} // namespace Common
