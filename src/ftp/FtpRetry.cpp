#include "ftp/FtpRetry.h"

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

void FtpRetry::stop()
{
    stopped_ = true;
    pause_.stop();
    again_ = nullptr;
}

} // namespace Ftp
