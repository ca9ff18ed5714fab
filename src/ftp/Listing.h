#pragma once

#include "ftp/RemoteEntry.h"

#include <QList>
#include <QString>

namespace Ftp {

// One folder's listing as the session got it. `ok` false with entries empty is not an
// empty folder: the server did not list it (`failure` says why).
struct Listing {
    bool ok = false;
    QString path; // as PWD named it; empty when not known
    QList<RemoteEntry> entries;
    QString failure;
};

} // namespace Ftp
