#pragma once

#include "ftp/FtpConnection.h"
#include "ftp/FtpTransferJob.h"

namespace Ftp {

// "FACTS": what the server says of a file of the current folder now, never what an earlier
// listing said. Leftovers of interrupted uploads there are dealt with first, so that a file
// found only under its aside name has its name again before anyone judges it. A dropped
// connection is taken up again like a transfer, without sweeping a second time.
class FtpFacts : public FtpTransferJob {
public:
    FtpFacts(FtpConnection &link, const QString &name, FtpConnection::FactsDone done);
    void start();
    void resume() override;

private:
    void ask();

    FtpConnection &link_;
    QString name_;
    FtpConnection::FactsDone done_;
};

} // namespace Ftp
