#include "common/Cp1252.h"

#include <array>

namespace Common {

namespace {

// Characters of bytes 0x80..0x9F; the others equal their Latin-1 value.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == c)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

} // namespace

namespace Cp1252 {

QString decode(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(kHighTable[u - 0x80]) : QChar(u);
    }
    return text;
}

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const auto b = encodeChar(c.unicode());
        if (!b)
            return std::nullopt;
        bytes.append(*b);
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    return encode(text).has_value();
}

} // namespace Cp1252

} // namespace Common
