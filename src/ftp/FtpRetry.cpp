#include "ftp/FtpRetry.h"

#include "ftp/FtpConnection.h"
#include "ftp/FtpTransferJob.h"

namespace Ftp {

FtpRetry::FtpRetry(QObject *parent) : QObject(parent)
{
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, [this] { std::exchange(again_, nullptr)(); });
}

void FtpRetry::reset()
{
    stop();
    tries_ = 0;
    stopped_ = false;
}

bool FtpRetry::schedule(std::function<void()> again)
{
    if (stopped_ || tries_ >= kTries)
        return false;
    again_ = std::move(again);
    pause_.start(firstPauseMs_ << tries_++);
    emit retrying(tries_);
    return true;
}

bool FtpRetry::resumeLater(FtpConnection &link, FtpTransferJob &job, std::function<void(const FtpReply &)> gaveUp)
{
    // A connection that drops while the pause runs is the same break, reported twice.
    if (pausing())
        return true;
    return schedule([this, &link, &job, gaveUp = std::move(gaveUp)] {
        if (link.isOpen())
            return job.resume();
        link.reopen([this, &link, &job, gaveUp](bool ok, const FtpReply &reply) {
            if (ok)
                job.resume();
            else if (!resumeLater(link, job, gaveUp))
                gaveUp(reply);
        });
    });
}

void FtpRetry::stop()
{
    stopped_ = true;
    pause_.stop();
    again_ = nullptr;
}

} // namespace Ftp
