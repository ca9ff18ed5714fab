#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace Ftp {

class FtpConnection;
class FtpTransferJob;
struct FtpReply;

// A broken transfer is tried again a few times, after a pause that doubles each time:
// a dropped link is often back within seconds.
class FtpRetry : public QObject {
    Q_OBJECT
public:
    static constexpr int kTries = 3;

    explicit FtpRetry(QObject *parent = nullptr);

    void setFirstPause(int ms) { firstPauseMs_ = ms; }
    // A new transfer: every try is there again.
    void reset();
    // Runs `again` after the pause; false, and nothing runs, once the tries are spent.
    bool schedule(std::function<void()> again);
    // A transfer broken by a 426 or a dropped connection: `job` is taken up again after the
    // pause, on `link` opened again where it dropped, from the bytes already across where
    // the server can resume. `gaveUp` gets the last reply when the connection stays away
    // and the tries are spent. False, and nothing runs, once they are spent already.
    // One policy for the program's own connection and for its helpers.
    bool resumeLater(FtpConnection &link, FtpTransferJob &job, std::function<void(const FtpReply &)> gaveUp);
    bool pausing() const { return pause_.isActive(); }
    int tries() const { return tries_; }
    // STOP: the pending try is dropped and none follows.
    void stop();

signals:
    // A new try is due after the pause: the first is 1.
    void retrying(int attempt);

private:
    QTimer pause_;
    std::function<void()> again_;
    int firstPauseMs_ = 1000;
    int tries_ = 0;
    bool stopped_ = false;
};

} // namespace Ftp
