#pragma once

#include "ftp/RemoteEntry.h"

#include <QString>
#include <optional>

namespace Ftp {

// One line of an MLSD answer: "fact=value;fact=value; name". The facts end at the
// first space, so names keep their own spaces. No entry for "." and ".." (cdir,
// pdir) or a line without the separating space.
class MlsdParser {
public:
    static std::optional<RemoteEntry> parse(const QString &line);
};

} // namespace Ftp
