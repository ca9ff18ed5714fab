#include "ftp/CurrentFolder.h"

namespace Ftp {

void CurrentFolder::loggedIn(const QByteArray &folder)
{
    loginName_ = folder;
    if (!folder.isEmpty() && wayDown_.isEmpty()) // not moved by lines sent along with the login
        name_ = folder;
}

void CurrentFolder::accepted(const QByteArray &line)
{
    if (!line.startsWith("CWD ") && line != "CDUP")
        return;
    name_.reset();
    if (line.startsWith("CWD /"))
        wayDown_.clear(); // an absolute path makes every step before it moot
    wayDown_.append(line);
}

QString CurrentFolder::keyOf(const QString &folder) const
{
    const QString bare = folder.size() > 1 && folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    // Latin-1 keeps every byte of the lines apart, whatever the server's character set.
    return QString::fromLatin1(wayDown_.join('\n')) + QLatin1Char('\n') + bare;
}

QString CurrentFolder::keyOfFolderOf(const QString &name) const
{
    return keyOf(name.left(name.lastIndexOf(QLatin1Char('/')) + 1));
}

} // namespace Ftp
