#pragma once

#include "ftp/FtpConnection.h"
#include "ftp/FtpTransferJob.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

namespace Ftp {

// "PUT": the file goes to a temporary name in the target folder, its size is
// checked, and only then is it renamed onto the final name. Where the server
// will not rename onto an existing file, that file is moved aside first and
// removed after. A failure never leaves a partial file under the final name.
// Leftovers of interrupted uploads in the folder are dealt with first (`TemporaryNames`). A connection broken
// in the middle (426) ends the job with the temporary file kept, for `resume`.
// `onlyIfChanged`: nothing is sent when the server's copy has the local size and time
// already, and a copy sent takes the local time where the server can set it (MFMT).
class FtpUpload : public FtpTransferJob {
public:
    FtpUpload(FtpConnection &link, const QString &localPath, const QString &remoteName,
              FtpConnection::Done done, bool onlyIfChanged = false);
    void start();
    void resume() override;
    bool alreadyThere() const override { return alreadyThere_; }
    // Once it succeeded: the final file's size and time as the server told them along with
    // the rename; its size alone where the server does not tell times.
    RemoteEntry told() const { return told_.value_or(RemoteEntry{}); }
    // Whether a server copy of `remoteSize` bytes, changed at `remoteTime`, is the local
    // file: only where the server sets times (MFMT), so that a copy's time is the local one's.
    static bool sameFile(qint64 localSize, const QDateTime &localTime, qint64 remoteSize,
                         const QDateTime &remoteTime, bool timesSettable);

private:
    bool namesFit() const;
    void sendUnlessThere();
    void resumeFrom(qint64 there);
    void store(qint64 from = 0);
    void checkSize();
    void replace();
    void moveAsideAndReplace(const FtpReply &refusal);
    void restoreAside(const FtpReply &failure);
    void succeed(const FtpReply &reply);
    void fail(const FtpReply &reply);
    QByteArray command(const QByteArray &verb, const QString &name) const;

    FtpConnection &link_;
    QFile file_;
    QString folder_; // the target folder with its trailing "/", or empty
    QString final_;
    QString base_; // the final name without its folder
    QString temp_;
    QString aside_;
    FtpConnection::Done done_;
    QDateTime localTime_;
    bool stored_ = false;
    bool onlyIfChanged_;
    bool alreadyThere_ = false;
    std::optional<RemoteEntry> told_; // the final file's facts, asked along with the rename
};

} // namespace Ftp
