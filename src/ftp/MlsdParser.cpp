#include "ftp/MlsdParser.h"

#include <QStringList>

namespace Ftp {

namespace {

qint64 sizeFact(const QString &value)
{
    bool ok = false;
    const qint64 size = value.toLongLong(&ok);
    return ok && size >= 0 ? size : -1;
}

} // namespace

std::optional<RemoteEntry> MlsdParser::parse(const QString &line)
{
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return std::nullopt;
    QString type;
    RemoteEntry entry{line.mid(space + 1)};
    for (const QString &fact : line.left(space).split(QLatin1Char(';'))) {
        const QString value = fact.section(QLatin1Char('='), 1, -1);
        if (fact.startsWith(QLatin1String("type="), Qt::CaseInsensitive))
            type = value.toLower();
        else if (fact.startsWith(QLatin1String("size="), Qt::CaseInsensitive))
            entry.size = sizeFact(value);
        else if (fact.startsWith(QLatin1String("modify="), Qt::CaseInsensitive))
            entry.modified = value;
    }
    if (type == QLatin1String("cdir") || type == QLatin1String("pdir"))
        return std::nullopt;
    entry.folder = type == QLatin1String("dir");
    return entry;
}

} // namespace Ftp
