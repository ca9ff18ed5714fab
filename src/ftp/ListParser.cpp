#include "ftp/ListParser.h"

#include <QRegularExpression>

namespace Ftp {

std::optional<RemoteEntry> ListParser::parse(const QString &line)
{
    if (auto entry = parseUnix(line))
        return entry;
    return parseDos(line);
}

std::optional<RemoteEntry> ListParser::parseUnix(const QString &line)
{
    // type+permissions, then anything up to "size month day time-or-year", then
    // exactly one space before the name.
    static const QRegularExpression re(QStringLiteral(
        R"(^([-dlbcps])[-rwxsStTl]{9}[+.@]?\s.*?\s(\d+)\s+[A-Za-z]{3}\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4}) (.+)$)"));
    const QRegularExpressionMatch match = re.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    QString name = match.captured(3);
    const QChar type = match.captured(1).front();
    if (type == QLatin1Char('l')) {
        const qsizetype arrow = name.indexOf(QLatin1String(" -> "));
        if (arrow >= 0)
            name.truncate(arrow);
    }
    // A plain file's size, as SIZE would give it; a link's is its target's name.
    const qint64 size = type == QLatin1Char('-') ? match.captured(2).toLongLong() : -1;
    return RemoteEntry{name, type == QLatin1Char('d'), size};
}

std::optional<RemoteEntry> ListParser::parseDos(const QString &line)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\d{1,2}-\d{1,2}-\d{2,4}\s+\d{1,2}:\d{2}\s*(?:[AaPp][Mm])?\s+(<DIR>|\d+)\s+(.+)$)"));
    const QRegularExpressionMatch match = re.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const bool folder = match.captured(1) == QLatin1String("<DIR>");
    return RemoteEntry{match.captured(2), folder, folder ? -1 : match.captured(1).toLongLong()};
}

} // namespace Ftp
