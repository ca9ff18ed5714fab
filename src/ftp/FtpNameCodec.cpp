#include "ftp/FtpNameCodec.h"

#include "common/Cp1252.h"

namespace Ftp {

std::optional<QByteArray> FtpNameCodec::encode(const QString &name) const
{
    if (utf8_)
        return name.toUtf8();
    return Common::Cp1252::encode(name);
}

QString FtpNameCodec::decode(const QByteArray &bytes) const
{
    return utf8_ ? QString::fromUtf8(bytes) : Common::Cp1252::decode(bytes);
}

} // namespace Ftp
