#pragma once

#include <QString>

// What makes a text safe as one file name, here and on the server.
namespace PlainName {

// Control or invisible formatting characters, which no name should carry.
bool hasControl(const QString &text);
// Not empty, not "." or "..", no "/", "\" or control character, and short enough for a
// local file system (255 bytes).
bool isFileName(const QString &name);

} // namespace PlainName
