#pragma once

#include "common/ServerProfile.h"
#include "ftp/FtpReply.h"

#include <functional>

namespace Ftp {

class FtpConnection;

// What a server offers, learnt at login and while listing.
struct FtpFeatures {
    bool mlsd = false;
    bool size = false;
    bool epsv = true;
    bool utf8 = false;
    bool listRefused = false; // LIST unknown: NLST then
};

// Logging in on a fresh control connection: the greeting, USER and PASS, the feature
// list, UTF-8 names when offered, binary mode. Ends once, with what the server offers.
class FtpLogin {
public:
    using Done = std::function<void(bool ok, const FtpReply &reply, const FtpFeatures &features)>;

    FtpLogin(FtpConnection &link, const Common::ServerProfile &account, Done done);
    void greeted(const FtpReply &greeting);

private:
    void sendPassword();
    void readFeatures();
    void switchToBinary();
    void fail(const FtpReply &reply);

    FtpConnection &link_;
    Common::ServerProfile account_;
    Done done_;
    FtpFeatures features_;
};

} // namespace Ftp
