#include "ftp/FtpDownload.h"

#include <cstdio>

namespace Ftp {

FtpDownload::FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                         FtpConnection::Done done)
    : link_(link), remoteName_(remoteName), target_(localPath), file_(localPath + QStringLiteral(".XXXXXX")),
      done_(std::move(done))
{
}

void FtpDownload::start()
{
    if (!prepare())
        return;
    // The size only feeds the progress bar; a refusal is no failure.
    link_.remoteSize(remoteName_, [this](qint64 total) {
        total_ = total;
        retrieve();
    });
}

void FtpDownload::start(qint64 total)
{
    total_ = total;
    if (prepare())
        retrieve();
}

bool FtpDownload::prepare()
{
    const std::optional<QByteArray> retr = link_.line("RETR", remoteName_);
    if (!retr) {
        done_(false, FtpReply::local(QStringLiteral("The remote name cannot be sent")));
        return false;
    }
    if (target_.isEmpty() || !file_.open()) {
        done_(false, FtpReply::local(QStringLiteral("Cannot write ") + target_));
        return false;
    }
    // A temporary file is the owner's alone; the file it becomes keeps the usual rights.
    file_.setPermissions(QFile::exists(target_) ? QFile::permissions(target_)
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    retr_ = *retr;
    return true;
}

void FtpDownload::resume()
{
    const qint64 have = file_.flush() ? file_.size() : 0;
    if (have <= 0 || !link_.features().restStream)
        return retrieve();
    link_.request("REST " + QByteArray::number(have),
                  [this, have](const FtpReply &reply) { retrieve(reply.code == 350 ? have : 0); });
}

void FtpDownload::retrieve(qint64 from)
{
    if ((from == 0 && !file_.resize(0)) || !file_.seek(from))
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + target_));
    link_.transfer(retr_, &file_, FtpConnection::Direction::Download, total_ < 0 ? -1 : total_ - from,
                   [this](bool ok, const FtpReply &reply) { end(ok, reply); });
}

void FtpDownload::end(bool ok, const FtpReply &reply)
{
    if (!ok)
        return done_(false, reply); // the temporary file goes with the job
    const bool written = file_.flush();
    // rename(2) replaces the target in one step: it is the old file or the whole new one.
    const bool placed = written
                        && std::rename(QFile::encodeName(file_.fileName()).constData(),
                                       QFile::encodeName(target_).constData()) == 0;
    file_.setAutoRemove(!placed);
    file_.close();
    if (!placed)
        return done_(false, FtpReply::local(QStringLiteral("Cannot write ") + target_));
    done_(true, reply);
}

} // namespace Ftp
