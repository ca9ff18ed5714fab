#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace Ftp {

// How names travel on the wire: UTF-8 when the server announces it, otherwise
// Windows-1252 like the original client.
class FtpNameCodec {
public:
    void setUtf8(bool utf8) { utf8_ = utf8; }

    // Empty optional when the name has no form in the server's character set.
    std::optional<QByteArray> encode(const QString &name) const;
    QString decode(const QByteArray &bytes) const;

private:
    bool utf8_ = false;
};

} // namespace Ftp
