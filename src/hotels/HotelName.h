#pragma once

#include <QString>
#include <QStringList>

namespace Hotels {

// The rules that tie a hotel's name to its phrase file, here and on the server.
namespace HotelName {

inline const QString kSuffix = QStringLiteral("_txt.ini");

// Upper case letter by letter, keeping a letter whose capital Windows-1252 cannot hold.
QString upper(const QString &text);
// The phrase file's name: the name in lower case followed by "_txt.ini".
QString fileName(const QString &name);
// The hotel a server entry stands for: the entry without its last 8 characters, upper-cased.
QString fromFileName(const QString &entry);

} // namespace HotelName

} // namespace Hotels
