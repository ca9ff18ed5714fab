#include "ftp/Publication.h"

#include "common/ProgressWindow.h"
#include "ftp/FtpSession.h"

namespace Ftp {

Publication::Publication(FtpSession &ftp, Common::ProgressWindow &progress) : ftp_(ftp), progress_(progress)
{
    progress_.frmWait(-1);
}

Publication::~Publication()
{
    if (!keep_)
        ftp_.disconnectFTP();
    progress_.frmWait(0);
}

void Publication::setBar(float start, float total)
{
    progress_.setRange(start, total);
}

void Publication::connect()
{
    ftp_.connectFTP();
}

FtpOutcome Publication::walk(const QStringList &folders)
{
    FtpOutcome outcome;
    outcome.ok = true;
    for (const QString &folder : folders) {
        outcome = ftp_.runCommand(FtpCommand::cd(folder));
        if (!outcome.ok)
            break;
    }
    return outcome;
}

void Publication::caption(const QString &text)
{
    progress_.lblMaj.setText(text);
}

FtpOutcome Publication::send(const QString &caption, const QString &localfic, const QString &remotefic)
{
    progress_.lblMaj.setText(caption);
    const FtpOutcome outcome = ftp_.Transfert_FTP(localfic, remotefic);
    advance();
    return outcome;
}

void Publication::advance()
{
    progress_.advance();
}

} // namespace Ftp
