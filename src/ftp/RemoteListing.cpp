#include "ftp/RemoteListing.h"

#include "ftp/FtpNameCodec.h"
#include "ftp/ListParser.h"
#include "ftp/MlsdParser.h"

#include <algorithm>

namespace Ftp {

namespace {

std::optional<RemoteEntry> parseLine(const QString &line, RemoteListing::Format format)
{
    switch (format) {
    case RemoteListing::Format::Mlsd: return MlsdParser::parse(line);
    case RemoteListing::Format::List: return ListParser::parse(line);
    case RemoteListing::Format::Nlst: return RemoteEntry{line, false};
    }
    return std::nullopt;
}

} // namespace

QList<RemoteEntry> RemoteListing::parse(const QByteArray &answer, Format format,
                                        const FtpNameCodec &codec)
{
    QList<RemoteEntry> entries;
    for (QByteArray line : answer.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        std::optional<RemoteEntry> entry = parseLine(codec.decode(line), format);
        if (!entry || !isSafeName(entry->name))
            continue;
        entry->eightBit = codec.isEightBit(line);
        entries.append(*entry);
    }
    return entries;
}

bool RemoteListing::isSafeName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return c == QLatin1Char('/') || c.category() == QChar::Other_Control;
    });
}

} // namespace Ftp
