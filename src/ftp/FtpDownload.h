#pragma once

#include "ftp/FtpConnection.h"

#include <QSaveFile>
#include <QString>

namespace Ftp {

// "GET": RETR into a temporary file beside the local target, renamed onto it
// only once the whole file is in. A failure leaves the target untouched.
class FtpDownload {
public:
    FtpDownload(FtpConnection &link, const QString &remoteName, const QString &localPath,
                FtpConnection::Done done);
    void start();

private:
    void retrieve(const QByteArray &retr, qint64 total);
    void end(bool ok, const FtpReply &reply);

    FtpConnection &link_;
    QString remoteName_;
    QSaveFile file_;
    FtpConnection::Done done_;
};

} // namespace Ftp
