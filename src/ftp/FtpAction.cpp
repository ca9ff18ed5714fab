#include "ftp/FtpAction.h"

#include "ftp/FtpSession.h"

namespace Ftp {

FtpAction::FtpAction(FtpSession &session) : session_(session), accepted_(!session.isWaiting())
{
    if (accepted_ && session_.actionDepth_++ == 0)
        emit session_.actionRunningChanged(true);
}

FtpAction::~FtpAction()
{
    if (!accepted_)
        return;
    if (session_.actionDepth_ == 1)
        session_.endAction(); // still part of the action
    if (--session_.actionDepth_ == 0)
        emit session_.actionRunningChanged(false);
}

} // namespace Ftp
