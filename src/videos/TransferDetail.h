#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace Common { class TextValue; }
namespace Ftp { class FtpSession; }

namespace Videos {

// The line under the progress caption during a long upload: bytes sent, speed and
// time left, refreshed twice a second even when the client reports nothing new.
class TransferDetail : public QObject {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 500;

    TransferDetail(Ftp::FtpSession &ftp, Common::TextValue &detail, QObject *parent = nullptr);

    void begin();
    void end();

private:
    void record(qint64 done, qint64 total);
    void pause(const QString &file, int attempt, int tries);
    void show();

    Common::TextValue &detail_;
    QTimer refresh_;
    QElapsedTimer clock_;
    qint64 done_ = 0;
    qint64 total_ = -1;
    bool active_ = false;
};

} // namespace Videos
