#pragma once

#include "ftp/RemoteEntry.h"

#include <QString>
#include <optional>

namespace Ftp {

// One line of a LIST answer in the Unix "ls -l" format or the DOS/IIS format.
// Lines of neither format ("total 12", banners) give no entry. A symbolic
// link's " -> target" is cut off.
class ListParser {
public:
    static std::optional<RemoteEntry> parse(const QString &line);

private:
    static std::optional<RemoteEntry> parseUnix(const QString &line);
    static std::optional<RemoteEntry> parseDos(const QString &line);
};

} // namespace Ftp
