#pragma once

#include "ftp/FtpConnection.h"
#include "ftp/FtpTransferJob.h"

#include <QTemporaryFile>
#include <QString>

namespace Ftp {

// "GET": RETR into a temporary file beside the local target, renamed onto it
// only once the whole file is in. A failure or a cancel leaves the target untouched
// and no temporary file. The file is not forced to disk: the server is the
// reference, and whatever a power cut loses is fetched again. After a failure the
// temporary file stays with the job, for `resume`.
class FtpDownload : public FtpTransferJob {
public:
    FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                FtpConnection::Done done);
    // Asks the size first, for a progress bar: a round trip a file.
    void start();
    // `total` already known (-1: not needed), so no round trip goes to asking it.
    void start(qint64 total);
    void resume() override;

private:
    // The RETR line and the temporary file; false, with `done` told, when either fails.
    bool prepare();
    void retrieve(qint64 from = 0);
    void end(bool ok, const FtpReply &reply);

    FtpConnection &link_;
    QString remoteName_;
    QString target_;
    QByteArray retr_;
    qint64 total_ = -1;
    QTemporaryFile file_; // removed with the job unless it became the target
    FtpConnection::Done done_;
};

} // namespace Ftp
