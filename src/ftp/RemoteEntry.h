#pragma once

#include <QString>

namespace Ftp {

// One name of a remote folder's listing.
struct RemoteEntry {
    QString name;
    bool folder = false;

    bool operator==(const RemoteEntry &) const = default;
};

} // namespace Ftp
