#pragma once

#include "ftp/FtpConnection.h"

#include <QTemporaryFile>
#include <QString>

namespace Ftp {

// "GET": RETR into a temporary file beside the local target, renamed onto it
// only once the whole file is in. A failure or a cancel leaves the target untouched
// and no temporary file. The file is not forced to disk: the server is the
// reference, and whatever a power cut loses is fetched again.
class FtpDownload {
public:
    FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                FtpConnection::Done done);
    // `withTotal`: ask the size first, for a progress bar; a round trip a file.
    void start(bool withTotal = true);

private:
    void retrieve(const QByteArray &retr, qint64 total);
    void end(bool ok, const FtpReply &reply);

    FtpConnection &link_;
    QString remoteName_;
    QString target_;
    QTemporaryFile file_; // removed with the job unless it became the target
    FtpConnection::Done done_;
};

} // namespace Ftp
