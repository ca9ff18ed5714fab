#include "ftp/FolderWalk.h"

#include "ftp/FtpSession.h"

FtpOutcome walkFolders(FtpSession &session, const QStringList &folders)
{
    FtpOutcome outcome;
    outcome.ok = true;
    for (const QString &folder : folders) {
        outcome = session.runCommand(FtpCommand::cd(folder));
        if (!outcome.ok)
            break;
    }
    return outcome;
}
