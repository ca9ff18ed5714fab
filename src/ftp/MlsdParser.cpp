#include "ftp/MlsdParser.h"

#include <QStringList>

namespace Ftp {

std::optional<RemoteEntry> MlsdParser::parse(const QString &line)
{
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return std::nullopt;
    QString type;
    for (const QString &fact : line.left(space).split(QLatin1Char(';'))) {
        if (fact.startsWith(QLatin1String("type="), Qt::CaseInsensitive))
            type = fact.mid(5).toLower();
    }
    if (type == QLatin1String("cdir") || type == QLatin1String("pdir"))
        return std::nullopt;
    return RemoteEntry{line.mid(space + 1), type == QLatin1String("dir")};
}

} // namespace Ftp
