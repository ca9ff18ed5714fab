#pragma once

#include "ftp/RemotePath.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace Ftp {

class FtpSession;
struct FtpOutcome;

// Fetches the files of the folder the session's connection is in, over that connection and
// helper connections at once. The session's own connection takes the first file as soon as
// the names are in; a helper takes one only once it is logged in and in the folder, and is
// closed when none is left for it, so a slow login never holds a file up. Helpers log in with
// the client's account, trust and timeouts, report their commands as its own, take a broken
// file up again as it does, and stop when it is cancelled. What a helper could not fetch goes
// to the session's connection.
class ParallelFetch : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxHelpers = 8;

    explicit ParallelFetch(FtpSession &session, QObject *parent = nullptr);
    ~ParallelFetch() override;

    // Logs helpers in and into `belowLogin` (relative to the login folder) while the session's
    // connection lists it: as many as `expectedFiles` call for.
    void prepare(const QString &belowLogin, qsizetype expectedFiles);
    // Fetches `names` from the folder the session's connection is in into `targetFolder`.
    // Returns once each one was reported by `arrived`, waiting in the session's Wait.
    void run(const QStringList &names, const QString &targetFolder);

    // One helper for every four files: enough to hide the round trips, and no login for a
    // handful of files to wait for.
    static int helpersFor(qsizetype files);

signals:
    void arrived(const QString &name, bool ok);

private:
    class Helper;
    friend class Helper;

    void startHelpers(int count);
    void releaseHelpers();
    void feedClient();
    void clientDone(const FtpOutcome &outcome);
    bool takeNext(QString &name);
    void giveUp(const QString &name);
    void cancel();
    bool busy() const;

    FtpSession &session_;
    RemotePath folder_;
    QString target_;
    QStringList queue_;
    QStringList handedBack_; // spent a helper's tries: the session's connection has a go
    QString clientFile_;     // in flight on the session's connection
    bool cancelled_ = false;
    bool fed_ = false; // the names are in: an idle helper with none left quits
    std::vector<std::unique_ptr<Helper>> helpers_;
    int running_ = 0;
};

} // namespace Ftp
