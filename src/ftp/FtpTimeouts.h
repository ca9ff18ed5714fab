#pragma once

namespace Ftp {

// Every network wait of the client ends; tests shorten these.
struct FtpTimeouts {
    int connectMs = 30000;
    int replyMs = 30000;
    int dataStallMs = 30000; // no byte moved on the data connection for this long
    int retryPauseMs = 1000; // before the first new try of a broken transfer, doubled for each next one
};

} // namespace Ftp
