#include "ftp/Publication.h"

#include "common/ProgressWindow.h"
#include "ftp/FtpSession.h"

namespace Ftp {

Publication::Publication(FtpSession &ftp, Common::ProgressWindow &progress) : ftp_(ftp), progress_(progress)
{
    progress_.frmWait(-1);
    ftp_.deferListings(true);
    ftp_.Wait();
    // Every step starts in the login folder, where a fresh connection puts it.
    if (!ftp_.isConnected())
        return;
    if (ftp_.loginFolder().isEmpty())
        ftp_.disconnectFTP();
    else
        loginFolder_ = ftp_.loginFolder();
}

Publication::~Publication()
{
    ftp_.deferListings(false);
    if (!keep_)
        ftp_.closeAfterAction();
    progress_.frmWait(0);
}

void Publication::setBar(float start, float total)
{
    progress_.setRange(start, total);
}

void Publication::connect()
{
    ftp_.Wait();
    if (!loginFolder_.isEmpty() && ftp_.isConnected())
        return;
    ftp_.connectFTP();
    // Named in the walk all the same, which costs no round trip: a folder is known by its way
    // down from there.
    loginFolder_ = ftp_.isConnected() ? ftp_.loginFolder() : QString();
    atLoginFolder_ = true;
    wayDown_.clear();
}

FtpOutcome Publication::walk(const QStringList &folders)
{
    const QString start = std::exchange(loginFolder_, QString());
    if (folders.isEmpty() && start.isEmpty())
        return FtpOutcome{FtpCommand::cd(folders), true, 0, QString()};
    const FtpOutcome outcome = ftp_.runCommand(FtpCommand::cd(start.isEmpty() ? folders : QStringList{start} + folders));
    wayDown_ = outcome.ok ? (start.isEmpty() ? wayDown_ : QStringList{}) + folders : QStringList{};
    walkedOn_ = ftp_.logins();
    const bool leftOpenFailed = outcome.command == FtpCommand::cd(start) || !ftp_.isConnected();
    if (start.isEmpty() || outcome.ok || !leftOpenFailed)
        return outcome;
    // The connection left open went away: a new one, as the step would have had.
    ftp_.disconnectFTP();
    ftp_.connectFTP();
    return walk(folders);
}

void Publication::startAtLoginFolder()
{
    if (!loginFolder_.isEmpty() && !atLoginFolder_)
        walk({});
    loginFolder_.clear();
}

void Publication::caption(const QString &text)
{
    progress_.lblMaj.setText(text);
}

FtpOutcome Publication::send(const QString &caption, const QString &localfic, const QString &remotefic,
                              bool onlyIfChanged)
{
    startAtLoginFolder();
    progress_.lblMaj.setText(caption);
    // A connection lost since the walk opens again in the login folder: walked down again
    // first, the file goes nowhere else.
    if (!wayDown_.isEmpty() && (!ftp_.isConnected() || ftp_.logins() != walkedOn_)) {
        loginFolder_ = ftp_.isConnected() ? ftp_.loginFolder() : QString();
        const FtpOutcome back = walk(std::exchange(wayDown_, {}));
        if (!back.ok) {
            advance();
            return back;
        }
    }
    const FtpOutcome outcome = ftp_.Transfert_FTP(localfic, remotefic, onlyIfChanged);
    advance();
    return outcome;
}

FtpOutcome Publication::sendInto(const QStringList &folders, const QString &caption, const QString &localfic,
                                  const QString &remotefic, bool onlyIfChanged)
{
    if (!folders.isEmpty()) {
        const FtpOutcome walked = walk(folders);
        if (!walked.ok) {
            advance();
            return walked;
        }
    }
    return send(caption, localfic, remotefic, onlyIfChanged);
}

void Publication::advance()
{
    progress_.advance();
}

} // namespace Ftp
