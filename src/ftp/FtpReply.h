#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace Ftp {

// One complete server reply: its code and its lines as received, without line ends.
struct FtpReply {
    int code = 0;
    QList<QByteArray> lines;

    // A reply we make up for a failure that never reached the server.
    static FtpReply local(const QString &description);

    bool isPreliminary() const { return code >= 100 && code < 200; }
    bool isPositive() const { return code >= 200 && code < 400; }
    // 426: the data connection broke and the transfer stopped; the control connection stays.
    bool isBrokenTransfer() const { return code == 426; }
    // The lines joined by LF, for outcomes and logs.
    QString text() const;
    // The quoted name of a 257 reply, doubled quotes undone; empty without one.
    QByteArray quotedName() const;
    // The port of a 229 "(|||port|)" or 227 "(h1,h2,h3,h4,p1,p2)" reply. The
    // address of a 227 is ignored on purpose.
    std::optional<quint16> passivePort() const;
};

} // namespace Ftp
