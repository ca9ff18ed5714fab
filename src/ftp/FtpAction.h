#pragma once

namespace Ftp {

class FtpSession;

// One operator action talks to the server at a time. The operator's clicks are only
// handled inside a Wait, so an action begun there would run in the middle of another
// one and take its outcomes: it is refused. An action called by another one (publish
// all calling publish one) runs as part of it.
class FtpAction {
public:
    explicit FtpAction(FtpSession &session);
    ~FtpAction();
    FtpAction(const FtpAction &) = delete;
    FtpAction &operator=(const FtpAction &) = delete;

    bool refused() const { return !accepted_; }

private:
    FtpSession &session_;
    bool accepted_;
};

} // namespace Ftp
