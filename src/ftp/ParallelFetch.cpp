#include "ftp/ParallelFetch.h"

#include "ftp/FtpConnection.h"
#include "ftp/FtpDownload.h"
#include "ftp/Inet.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace Ftp {

// One connection: log in, go to the folder, then fetch names until none is left.
class ParallelFetch::Worker {
public:
    explicit Worker(ParallelFetch &pool) : pool_(pool)
    {
        link_.setTimeouts(pool.client_.timeouts());
        link_.setTrust(pool.client_.trust());
        QObject::connect(&link_, &FtpConnection::lost, &pool, [this] { lost(); });
        QObject::connect(&link_, &FtpConnection::commandSent, &pool.client_, &Inet::commandSent);
    }

    void start()
    {
        link_.open(pool_.client_.account(), [this](bool ok, const FtpReply &) {
            const std::optional<QByteArray> cwd = link_.line("CWD", pool_.folder_);
            if (!ok || !cwd)
                return end();
            link_.request(*cwd, [this](const FtpReply &reply) { reply.isPositive() ? next() : end(); });
        });
    }

    void cancel() { link_.abort(QStringLiteral("Cancelled")); }

private:
    void next()
    {
        if (!pool_.takeNext(current_))
            return link_.quit([this](bool, const FtpReply &) { end(); });
        download_ = std::make_unique<FtpDownload>(link_, current_, pool_.target_ + QLatin1Char('/') + current_,
                                                  [this](bool ok, const FtpReply &) { fetched(ok); });
        download_->start(false); // nobody shows these files' progress
    }

    void fetched(bool ok)
    {
        emit pool_.arrived(std::exchange(current_, QString()), ok);
        // The next download replaces this one: not from inside its own callback.
        QMetaObject::invokeMethod(&pool_, [this] { next(); }, Qt::QueuedConnection);
    }

    void lost()
    {
        if (!current_.isEmpty())
            emit pool_.arrived(std::exchange(current_, QString()), false);
        end();
    }

    void end()
    {
        if (!std::exchange(ended_, true))
            --pool_.running_;
    }

    ParallelFetch &pool_;
    FtpConnection link_;
    std::unique_ptr<FtpDownload> download_;
    QString current_;
    bool ended_ = false;
};

ParallelFetch::ParallelFetch(Inet &client, QObject *parent) : QObject(parent), client_(client)
{
    connect(&client, &Inet::cancelled, this, &ParallelFetch::cancel);
}

ParallelFetch::~ParallelFetch() = default;

int ParallelFetch::connectionsFor(qsizetype files)
{
    return static_cast<int>(std::clamp<qsizetype>((files + 3) / 4, 1, kMaxConnections));
}

QStringList ParallelFetch::run(const QString &folder, const QStringList &names, const QString &targetFolder)
{
    folder_ = folder;
    target_ = targetFolder;
    queue_ = names;
    workers_.clear();
    const int count = connectionsFor(names.size());
    running_ = count;
    for (int i = 0; i < count; ++i) {
        workers_.push_back(std::make_unique<Worker>(*this));
        workers_.back()->start();
    }
    while (running_ > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return std::exchange(queue_, {});
}

void ParallelFetch::cancel()
{
    queue_.clear();
    for (const auto &worker : workers_)
        worker->cancel();
}

bool ParallelFetch::takeNext(QString &name)
{
    if (queue_.isEmpty())
        return false;
    name = queue_.takeFirst();
    return true;
}


} // namespace Ftp
