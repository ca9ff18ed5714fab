#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace Common {

// Windows-1252, the 8-bit code page of the list files, of the phrase files on the
// content server and of servers that do not speak UTF-8. Qt has no codec for it.
namespace Cp1252 {

// Every byte maps to a character; the five bytes the code page leaves undefined
// map to the C1 control of the same value, so decoding never loses a byte.
QString decode(const QByteArray &bytes);

// Empty optional when a character has no place in the code page: callers refuse
// such a text instead of writing a replacement character.
std::optional<QByteArray> encode(const QString &text);

bool canEncode(const QString &text);

} // namespace Cp1252

} // namespace Common
