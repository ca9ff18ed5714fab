#include "ftp/FtpNameCodec.h"

#include "common/Cp1252.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

namespace Ftp {

namespace {

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool FtpNameCodec::isEightBit(const QByteArray &bytes) const
{
    if (!utf8_ || isAscii(bytes))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString decoded = utf8(bytes); // decoding is what finds the error
    return utf8.hasError();
}

QString FtpNameCodec::decode(const QByteArray &bytes) const
{
    return utf8_ && !isEightBit(bytes) ? QString::fromUtf8(bytes) : Common::Cp1252::decode(bytes);
}

std::optional<QByteArray> FtpNameCodec::spell(const QString &part, bool eightBit) const
{
    if (const auto listed = spellings_->constFind(part); listed != spellings_->constEnd())
        return *listed;
    if (utf8_ && !eightBit)
        return part.toUtf8();
    return Common::Cp1252::encode(part);
}

std::optional<QByteArray> FtpNameCodec::encode(const QString &name, bool eightBitFolder) const
{
    const QStringList parts = name.split(QLatin1Char('/'));
    QByteArray bytes;
    for (const QString &part : parts) {
        const std::optional<QByteArray> spelt = spell(part, eightBitFolder);
        if (!spelt)
            return std::nullopt;
        if (&part != &parts.front())
            bytes += '/';
        bytes += *spelt;
    }
    return bytes;
}

void FtpNameCodec::learn(const RemoteEntry &entry)
{
    // Plain ASCII reads the same in both character sets: nothing to remember.
    const std::optional<QByteArray> bytes =
        entry.eightBit || !utf8_ ? Common::Cp1252::encode(entry.name) : entry.name.toUtf8();
    if (bytes && !isAscii(*bytes))
        spellings_->insert(entry.name, *bytes);
}

} // namespace Ftp
