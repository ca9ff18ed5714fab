#include "browser/RemoteChanges.h"

#include "ftp/FtpSession.h"
#include "ftp/RemoteWriteGuard.h"

namespace Browser {

QString RemoteChanges::folder() const
{
    return session_.lastListing().path;
}

bool RemoteChanges::put(const QString &localPath, const QString &name)
{
    const QString here = folder();
    if (guard_ && !guard_->allowsWriting(here, name))
        return false;
    const Ftp::FtpOutcome put = session_.Transfert_FTP(localPath, name);
    if (put.ok && guard_)
        guard_->written(here, name, put.facts);
    return put.ok;
}

bool RemoteChanges::rename(const QString &from, const QString &to)
{
    const QString here = folder();
    const bool guarded = guard_ && !from.endsWith(QLatin1Char('/')); // a folder holds no file of its own
    if (guarded && !(guard_->allowsRemoving(here, from) && guard_->allowsWriting(here, to)))
        return false;
    const bool renamed = session_.runCommand(Ftp::FtpCommand::rename(from, to)).ok;
    if (renamed && guarded) {
        guard_->removed(here, from);
        guard_->written(here, to, {});
    }
    return renamed;
}

bool RemoteChanges::remove(const QString &name)
{
    const QString here = folder();
    if (guard_ && !guard_->allowsRemoving(here, name))
        return false;
    const bool removed = session_.runCommand(Ftp::FtpCommand::remove(name)).ok;
    if (removed && guard_)
        guard_->removed(here, name);
    return removed;
}

} // namespace Browser
