#include "ftp/FtpDownload.h"

#include <cstdio>

namespace Ftp {

FtpDownload::FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                         FtpConnection::Done done)
    : link_(link), remoteName_(remoteName), target_(localPath), file_(localPath + QStringLiteral(".XXXXXX")),
      done_(std::move(done))
{
}

void FtpDownload::start(bool withTotal)
{
    const std::optional<QByteArray> retr = link_.line("RETR", remoteName_);
    if (!retr)
        return done_(false, FtpReply::local(QStringLiteral("The remote name cannot be sent")));
    if (target_.isEmpty() || !file_.open())
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + target_));
    // A temporary file is the owner's alone; the file it becomes keeps the usual rights.
    file_.setPermissions(QFile::exists(target_) ? QFile::permissions(target_)
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!withTotal)
        return retrieve(*retr, -1);
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
    const bool written = file_.flush();
    // rename(2) replaces the target in one step: it is the old file or the whole new one.
    const bool placed = ok && written
                        && std::rename(QFile::encodeName(file_.fileName()).constData(),
                                       QFile::encodeName(target_).constData()) == 0;
    file_.setAutoRemove(!placed);
    file_.close();
    if (ok && !placed)
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + target_));
    done_(ok, reply);
}

} // namespace Ftp
