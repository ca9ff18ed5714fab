#pragma once

#include "ftp/RemoteEntry.h"

#include <QList>
#include <QStringList>

namespace Ftp {

// The names an upload uses in its folder before the final one, and what becomes of those
// an earlier upload left. The server is shared: another workstation may be uploading under
// such a name right now, and an aside may be the only copy of a file left by a swap cut short.
namespace TemporaryNames {

// Where an upload's bytes go: a random part per upload, so that two workstations sending
// the same file never write the same name.
QString upload(const QString &base);
// Where the file being replaced goes while the upload takes its name, on a server that
// will not rename onto an existing name.
QString aside(const QString &base);

struct Sweep {
    QStringList dead;  // untouched for long: removed
    QStringList lone;  // asides whose file is gone: renamed back to it
};
// A temporary name is dead once its listed time is more than 15 minutes older than the
// newest time of the same listing: the server's clock, whatever the workstation's says and
// whatever zone the server lists its times in. One the listing gives no time is left alone,
// since an upload in progress keeps its time fresh.
Sweep sweep(const QList<RemoteEntry> &entries);
// The file an aside stood for.
QString keptBy(const QString &aside);

} // namespace TemporaryNames

} // namespace Ftp
