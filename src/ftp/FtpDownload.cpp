#include "ftp/FtpDownload.h"

namespace Ftp {

FtpDownload::FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                         FtpConnection::Done done)
    : link_(link), remoteName_(remoteName), file_(localPath), done_(std::move(done))
{
}

void FtpDownload::start()
{
    const std::optional<QByteArray> retr = link_.line("RETR", remoteName_);
    if (!retr)
        return done_(false, FtpReply::local(QStringLiteral("The remote name cannot be sent")));
    if (file_.fileName().isEmpty() || !file_.open(QIODevice::WriteOnly))
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + file_.fileName()));
    // The size only feeds the progress bar; a refusal is no failure.
    link_.remoteSize(remoteName_, [this, retr = *retr](qint64 total) { retrieve(retr, total); });
}

void FtpDownload::retrieve(const QByteArray &retr, qint64 total)
{
    link_.transfer(retr, &file_, FtpConnection::Direction::Download, total,
                   [this](bool ok, const FtpReply &reply) { end(ok, reply); });
}

void FtpDownload::end(bool ok, const FtpReply &reply)
{
    if (!ok)
        file_.cancelWriting(); // the commit below then discards the temporary file
    if (!file_.commit() && ok)
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + file_.fileName()));
    done_(ok, reply);
}

} // namespace Ftp
