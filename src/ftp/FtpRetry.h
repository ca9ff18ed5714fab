#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace Ftp {

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
