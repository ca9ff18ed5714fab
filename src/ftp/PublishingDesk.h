#pragma once

namespace Common { class DataRoot; class OperatorUi; class ProgressWindow; class StatusLog; }

namespace Ftp {

class FtpSession;

// What every publisher works with: the session, the progress window, the status log,
// the operator, and the data root whose files it sends.
struct PublishingDesk {
    FtpSession &ftp;
    Common::ProgressWindow &progress;
    Common::StatusLog &status;
    Common::OperatorUi &ui;
    const Common::DataRoot &root;
};

} // namespace Ftp
