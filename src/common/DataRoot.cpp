#include "common/DataRoot.h"

#include <QDir>

namespace Common {

DataRoot::DataRoot(const QString &root) : root_(QDir::cleanPath(root))
{
}

QString DataRoot::cfg() const
{
    return root_ + QStringLiteral("/cfg");
}

QString DataRoot::textes() const
{
    return root_ + QStringLiteral("/cfg/textes");
}

QString DataRoot::temp() const
{
    return root_ + QStringLiteral("/temp");
}

QString DataRoot::categoryFile(const QString &key) const
{
    return cfg() + QLatin1Char('/') + key + QStringLiteral(".ini");
}

QString DataRoot::phraseFacts() const
{
    return cfg() + QStringLiteral("/textes.facts");
}

QStringList DataRoot::ensureFolders() const
{
    QStringList failed;
    for (const QString &folder : {cfg(), textes(), temp()})
        if (!QDir().mkpath(folder))
            failed.append(folder);
    return failed;
}

} // namespace Common
