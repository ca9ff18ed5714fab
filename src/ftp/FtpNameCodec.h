#pragma once

#include "ftp/RemoteEntry.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>

namespace Ftp {

// How names travel on the wire. The server is shared with 8-bit clients, which wrote
// Windows-1252 bytes even where the server announces UTF-8 and passes bytes through. So a
// name the server listed goes back in the bytes it was listed with; a new name goes in
// UTF-8 where the server announces it, in Windows-1252 where it does not or where the
// folder it goes in holds names an 8-bit client wrote.
class FtpNameCodec {
public:
    void setUtf8(bool utf8) { utf8_ = utf8; }
    // From now on the names either codec learns are known to both: a helper connection
    // fetches what the client's connection listed.
    void shareSpellings(const FtpNameCodec &other) { spellings_ = other.spellings_; }

    // Bytes that are not UTF-8 on a server that announces it: an 8-bit client wrote them.
    bool isEightBit(const QByteArray &bytes) const;
    // UTF-8 where the server announces it and the bytes are UTF-8, else Windows-1252.
    QString decode(const QByteArray &bytes) const;
    // A name or a path, each part as above; empty when a part has no form in the bytes it
    // must go in.
    std::optional<QByteArray> encode(const QString &name, bool eightBitFolder = false) const;
    // Remembers the bytes a listing gave the entry's name.
    void learn(const RemoteEntry &entry);

private:
    std::optional<QByteArray> spell(const QString &part, bool eightBit) const;

    bool utf8_ = false;
    std::shared_ptr<QHash<QString, QByteArray>> spellings_ = std::make_shared<QHash<QString, QByteArray>>();
};

} // namespace Ftp
