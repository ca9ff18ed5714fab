#pragma once

#include "ftp/FtpOutcome.h"

#include <QStringList>

class FtpSession;

// Goes down from the current remote folder one "CD" per level. It stops at the first
// refusal, so a file is never sent into the folder where the walk got stuck.
// Returns the failed "CD", or an ok outcome when every level was reached.
FtpOutcome walkFolders(FtpSession &session, const QStringList &folders);
