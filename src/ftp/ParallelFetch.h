#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace Ftp {

class Inet;

// Fetches files of one server folder over several connections at once, each logged in
// and sent straight to the folder's path, taking the next name as soon as it is free.
// A connection the server refuses (too many logins) leaves its share to the others;
// what none could fetch, or a download that failed, is handed back for the client to try.
// The connections are the client's helpers: they log in with its account, trust and
// timeouts, report their commands as its own, and stop when it is cancelled.
class ParallelFetch : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 8;

    explicit ParallelFetch(Inet &client, QObject *parent = nullptr);
    ~ParallelFetch() override;

    // Logs connections in and into `folder` (an absolute path) ahead of `run`, while the
    // names are still being listed: as many as `expectedFiles` need (0: not known yet, the most).
    void prepare(const QString &folder, qsizetype expectedFiles);
    // Fetches `names` from `folder` into `targetFolder`, returning once no connection is
    // left, the event loop running meanwhile. Each file in place is reported by `arrived`,
    // and after a cancel each one that is not; returns the names left for the client.
    QStringList run(const QString &folder, const QStringList &names, const QString &targetFolder);

    // Enough connections to hide the round trips, never more than there are files to share.
    static int connectionsFor(qsizetype files);

signals:
    void arrived(const QString &name, bool ok);

private:
    class Worker;
    friend class Worker;

    void start(int count);
    bool takeNext(QString &name);
    void cancel();
    void giveUp(const QString &name);

    Inet &client_;
    QString folder_;
    QString target_;
    QStringList queue_;
    QStringList handedBack_;
    bool cancelled_ = false;
    bool fed_ = false; // the names are in: an idle connection with none left quits
    std::vector<std::unique_ptr<Worker>> workers_;
    int running_ = 0;
};

} // namespace Ftp
