#pragma once

#include <QDateTime>
#include <QString>

namespace Ftp {

// One name of a remote folder's listing, with the exact facts MLSD gives when it does.
struct RemoteEntry {
    QString name;
    bool folder = false;
    qint64 size = -1;  // unknown: -1
    QString modified{}; // the server's "modify" fact as sent (UTC, YYYYMMDDHHMMSS[.sss]); unknown: empty
    bool eightBit = false; // listed in Windows-1252 bytes by a server that announces UTF-8

    bool operator==(const RemoteEntry &) const = default;

    // A time as MLSD's "modify" fact and MDTM give it (UTC); invalid when it is none.
    static QDateTime time(const QString &fact)
    {
        QDateTime time = QDateTime::fromString(fact.left(14), kFactFormat);
        time.setTimeSpec(Qt::UTC);
        return time;
    }
    // The same as MFMT takes it.
    static QString fact(const QDateTime &time) { return time.toUTC().toString(kFactFormat); }

private:
    static inline const QString kFactFormat = QStringLiteral("yyyyMMddHHmmss");
};

} // namespace Ftp
