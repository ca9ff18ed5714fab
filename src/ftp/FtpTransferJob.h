#pragma once

namespace Ftp {

// An upload, a download or a question about a file that a dropped connection may break in
// the middle.
class FtpTransferJob {
public:
    virtual ~FtpTransferJob() = default;
    // Takes the transfer up again once the connection is back in the same folder: from
    // the bytes already across where the server can resume (REST STREAM), else from the start.
    virtual void resume() = 0;
    // True once an upload found the server's copy the same and sent nothing.
    virtual bool alreadyThere() const { return false; }
};

} // namespace Ftp
