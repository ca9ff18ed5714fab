#pragma once

#include "ftp/FtpConnection.h"
#include "ftp/RemoteListing.h"

#include <QBuffer>

namespace Ftp {

// One folder's listing with the best command the server has: MLSD, else LIST, else NLST
// once the server refused LIST. Parsed into entries that never name anything outside it.
class FtpListing {
public:
    FtpListing(FtpConnection &link, const QString &folder, FtpConnection::ListDone done);
    void start();

private:
    void listWith(RemoteListing::Format format);

    FtpConnection &link_;
    QString folder_;
    FtpConnection::ListDone done_;
    QBuffer answer_;
};

} // namespace Ftp
