#include "ftp/FtpUpload.h"

#include "ftp/LeftoverSweep.h"
#include "ftp/TemporaryNames.h"

namespace Ftp {

namespace {

const QString kUnsendable = QStringLiteral("The remote name cannot be sent");

} // namespace

FtpUpload::FtpUpload(FtpConnection &link, const QString &localPath, const QString &remoteName,
                     FtpConnection::Done done, bool onlyIfChanged)
    : link_(link), file_(localPath), final_(remoteName), done_(std::move(done)), onlyIfChanged_(onlyIfChanged)
{
    const qsizetype slash = remoteName.lastIndexOf(QLatin1Char('/'));
    folder_ = remoteName.left(slash + 1);
    base_ = remoteName.mid(slash + 1);
    temp_ = folder_ + TemporaryNames::upload(base_);
    aside_ = folder_ + TemporaryNames::aside(base_);
}

bool FtpUpload::sameFile(qint64 localSize, const QDateTime &localTime, qint64 remoteSize, const QDateTime &remoteTime,
                         bool timesSettable)
{
    if (remoteSize < 0 || remoteSize != localSize || !remoteTime.isValid() || !localTime.isValid())
        return false;
    // Listings give whole seconds.
    const qint64 local = localTime.toSecsSinceEpoch();
    const qint64 remote = remoteTime.toSecsSinceEpoch();
    return timesSettable && remote == local;
}

void FtpUpload::start()
{
    if (final_.endsWith(QLatin1Char('/')) || final_.isEmpty())
        return done_(false, FtpReply::local(QStringLiteral("No remote file name")));
    if (!namesFit())
        return done_(false, FtpReply::local(kUnsendable));
    if (file_.fileName().isEmpty() || !file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return done_(false, FtpReply::local(QStringLiteral("Cannot read ") + file_.fileName()));
    localTime_ = file_.fileTime(QFileDevice::FileModificationTime).toUTC();
    LeftoverSweep::run(link_, folder_, [this] { sendUnlessThere(); });
}

bool FtpUpload::namesFit() const
{
    return link_.line("STOR", aside_).has_value(); // the longest name, made of every other one's characters
}

void FtpUpload::sendUnlessThere()
{
    if (!namesFit()) // the folder's listing showed it takes Windows-1252 names
        return fail(FtpReply::local(kUnsendable));
    if (!onlyIfChanged_)
        return store();
    link_.remoteFacts(folder_, base_, [this](bool, const RemoteEntry &there) {
        if (!sameFile(file_.size(), localTime_, there.size, RemoteEntry::time(there.modified), link_.features().mfmt))
            return store();
        alreadyThere_ = true;
        succeed(FtpReply::local(QStringLiteral("Already on the server")));
    });
}

void FtpUpload::resume()
{
    stored_ = true;
    link_.firstUploadInto(folder_); // a sweep now would take our own bytes for a leftover
    if (!link_.features().restStream)
        return store();
    link_.remoteSize(temp_, [this](qint64 there) { resumeFrom(there); });
}

void FtpUpload::resumeFrom(qint64 there)
{
    if (there == file_.size())
        return checkSize();
    if (there <= 0 || there > file_.size())
        return store();
    link_.request("REST " + QByteArray::number(there),
                  [this, there](const FtpReply &reply) { store(reply.code == 350 ? there : 0); });
}

void FtpUpload::store(qint64 from)
{
    stored_ = true;
    if (!file_.seek(from))
        return fail(FtpReply::local(QStringLiteral("Cannot read ") + file_.fileName()));
    link_.transfer(command("STOR", temp_), &file_, FtpConnection::Direction::Upload, file_.size() - from,
                   [this](bool ok, const FtpReply &reply) {
                       if (ok)
                           return checkSize();
                       if (reply.isBrokenTransfer())
                           return done_(false, reply); // kept for a new try
                       fail(reply);
                   });
}

void FtpUpload::checkSize()
{
    // The local time goes along with the size check, its answer changing nothing: a copy
    // that keeps the server's time is only sent again next time.
    const std::optional<QByteArray> mfmt = link_.line("MFMT " + RemoteEntry::fact(localTime_).toLatin1(), temp_);
    if (onlyIfChanged_ && link_.features().mfmt && mfmt)
        link_.sendBeforeNext(*mfmt);
    link_.remoteSize(temp_, [this](qint64 size) {
        if (size >= 0 && size != file_.size())
            return fail(FtpReply::local(QStringLiteral("The server received %1 bytes of %2").arg(size).arg(file_.size())));
        replace();
    });
}

void FtpUpload::replace()
{
    link_.rename(temp_, final_, [this](bool ok, const FtpReply &reply) { ok ? succeed(reply) : moveAsideAndReplace(reply); },
                 [this](RemoteEntry facts) {
                     facts.name = base_;
                     told_ = facts;
                 });
}

void FtpUpload::moveAsideAndReplace(const FtpReply &refusal)
{
    link_.rename(final_, aside_, [this, refusal](bool ok, const FtpReply &) {
        if (!ok)
            return fail(refusal);
        link_.rename(temp_, final_, [this](bool replaced, const FtpReply &reply) {
            if (!replaced)
                return restoreAside(reply);
            link_.request(command("DELE", aside_), [this, reply](const FtpReply &) { succeed(reply); });
        });
    });
}

void FtpUpload::restoreAside(const FtpReply &failure)
{
    link_.rename(aside_, final_, [this, failure](bool, const FtpReply &) { fail(failure); });
}

void FtpUpload::succeed(const FtpReply &reply)
{
    // What the server now has under the final name, as the rename's flight told it, else
    // its size alone: the time is asked again if needed.
    if (stored_) {
        told_ = told_.value_or(RemoteEntry{base_, false, file_.size()});
        link_.rememberEntries(folder_, {*told_});
    }
    file_.close();
    done_(true, reply);
}

void FtpUpload::fail(const FtpReply &reply)
{
    file_.close();
    if (!stored_)
        return done_(false, reply);
    link_.request(command("DELE", temp_), [this, reply](const FtpReply &) { done_(false, reply); });
}

QByteArray FtpUpload::command(const QByteArray &verb, const QString &name) const
{
    return link_.line(verb, name).value_or(QByteArray());
}

} // namespace Ftp
