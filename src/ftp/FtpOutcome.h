#pragma once

#include "ftp/FtpCommand.h"
#include "ftp/RemoteEntry.h"

#include <QString>

namespace Ftp {

// How one command ended: the server's last reply, or code 0 with our own
// description when the failure was local (timeout, dropped connection, file).
struct FtpOutcome {
    FtpCommand command;
    bool ok = false;
    int replyCode = 0;
    QString replyText;
    bool alreadyThere = false; // an upload skipped: the server had the same file
    // "FACTS", when ok: the file's size (-1: not there) and time as the server tells them.
    RemoteEntry facts{};
};

} // namespace Ftp
