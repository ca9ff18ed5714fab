#include "ftp/FtpReply.h"

#include <QRegularExpression>

namespace Ftp {

namespace {

std::optional<quint16> validPort(uint port, bool ok)
{
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

std::optional<quint16> extendedPort(const QByteArray &line)
{
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.lastIndexOf(')');
    if (open < 0 || close < open + 2)
        return std::nullopt;
    const QByteArray inner = line.mid(open + 1, close - open - 1);
    const QList<QByteArray> fields = inner.split(inner.front());
    if (fields.size() != 5)
        return std::nullopt;
    bool ok = false;
    const uint port = fields[3].toUInt(&ok);
    return validPort(port, ok);
}

std::optional<quint16> classicPort(const QByteArray &line)
{
    static const QRegularExpression re(QStringLiteral(R"((\d+),(\d+),(\d+),(\d+),(\d+),(\d+))"));
    const QRegularExpressionMatch match = re.match(QString::fromLatin1(line));
    if (!match.hasMatch())
        return std::nullopt;
    const uint high = match.captured(5).toUInt();
    const uint low = match.captured(6).toUInt();
    return validPort(high * 256 + low, high < 256 && low < 256);
}

} // namespace

FtpReply FtpReply::local(const QString &description)
{
    return FtpReply{0, {description.toUtf8()}};
}

QString FtpReply::text() const
{
    return QString::fromUtf8(lines.join('\n'));
}

QByteArray FtpReply::quotedName() const
{
    if (lines.isEmpty())
        return {};
    const QByteArray &line = lines.first();
    qsizetype i = line.indexOf('"');
    if (i < 0)
        return {};
    QByteArray name;
    for (++i; i < line.size(); ++i) {
        if (line[i] != '"') {
            name += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
            name += '"';
            ++i;
        } else {
            return name;
        }
    }
    return {}; // unterminated
}

std::optional<quint16> FtpReply::passivePort() const
{
    if (lines.isEmpty())
        return std::nullopt;
    if (code == 229)
        return extendedPort(lines.last());
    if (code == 227)
        return classicPort(lines.last());
    return std::nullopt;
}

} // namespace Ftp
