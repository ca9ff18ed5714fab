#include "ftp/FtpFacts.h"

#include "ftp/LeftoverSweep.h"

namespace Ftp {

FtpFacts::FtpFacts(FtpConnection &link, const QString &name, FtpConnection::FactsDone done)
    : link_(link), name_(name), done_(std::move(done))
{
}

void FtpFacts::start()
{
    LeftoverSweep::run(link_, {}, [this] { ask(); });
}

void FtpFacts::resume()
{
    link_.firstUploadInto({}); // a server that drops on listings is not listed again
    ask();
}

void FtpFacts::ask()
{
    link_.askFacts({}, name_, done_);
}

} // namespace Ftp
