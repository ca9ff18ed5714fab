#pragma once

#include <QString>

namespace Common {

// The one rule for a text that becomes a file name, here and on the server.
namespace PlainName {

// The longest file name local file systems and servers take.
constexpr int kMaxFileBytes = 255;
// The longest name the operator may type: a suffix is added to it ("_txt.ini", "_12.jpg").
constexpr int kMaxTypedBytes = 200;

// Control or invisible formatting characters, which no name should carry.
bool hasControl(const QString &text);
// Why `name` cannot be one file name: empty, "." or "..", holding "/", "\", ".." or a
// control character, or longer than kMaxFileBytes in UTF-8. Empty when it can.
QString problem(const QString &name);
bool isFileName(const QString &name);
// The same for a name the operator types, which also goes into Windows-1252 files and to
// servers without UTF-8: no space at either end, Windows-1252 only, kMaxTypedBytes at most.
QString typedProblem(const QString &name);

} // namespace PlainName

} // namespace Common
