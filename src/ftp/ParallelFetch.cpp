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
        link_.shareSpellings(pool.client_.names());
        QObject::connect(&link_, &FtpConnection::lost, &pool, [this] { lost(); });
        QObject::connect(&link_, &FtpConnection::commandSent, &pool.client_, &Inet::commandSent);
    }

    void start()
    {
        // The folder goes along with the login where its name allows.
        const std::optional<QByteArray> early = link_.line("CWD", pool_.folder_);
        const bool along = early && FtpConnection::goWithLogin({*early});
        link_.open(pool_.client_.account(), [this, along](bool ok, const FtpReply &) {
            if (ok && along)
                return inFolder(link_.repliesAlong().first());
            const std::optional<QByteArray> cwd = link_.line("CWD", pool_.folder_);
            if (!ok || !cwd)
                return end();
            link_.request(*cwd, [this](const FtpReply &reply) { inFolder(reply); });
        }, along ? QList<QByteArray>{*early} : QList<QByteArray>{});
    }

    // Takes the next name, or quits once the names are in and none is left.
    void next()
    {
        if (!idle_ || ended_)
            return;
        if (!pool_.takeNext(current_)) {
            if (pool_.fed_)
                quit();
            return;
        }
        idle_ = false;
        download_ = std::make_unique<FtpDownload>(link_, current_, pool_.target_ + QLatin1Char('/') + current_,
                                                  [this](bool ok, const FtpReply &) { fetched(ok); });
        download_->start(false); // nobody shows these files' progress
    }

    // Not needed: quits when idle, else at once.
    void release() { idle_ ? quit() : cancel(); }
    void cancel() { link_.abort(QStringLiteral("Cancelled")); }

private:
    void inFolder(const FtpReply &cwd)
    {
        if (!cwd.isPositive())
            return end();
        idle_ = true;
        if (pool_.fed_)
            next();
    }

    void fetched(bool ok)
    {
        const QString name = std::exchange(current_, QString());
        ok ? emit pool_.arrived(name, true) : pool_.giveUp(name);
        idle_ = true;
        // The next download replaces this one: not from inside its own callback.
        QMetaObject::invokeMethod(&pool_, [this] { next(); }, Qt::QueuedConnection);
    }

    void quit()
    {
        link_.leave();
        end();
    }

    void lost()
    {
        if (!current_.isEmpty())
            pool_.giveUp(std::exchange(current_, QString()));
        end();
    }

    void end()
    {
        idle_ = false;
        if (!std::exchange(ended_, true))
            --pool_.running_;
    }

    ParallelFetch &pool_;
    FtpConnection link_;
    std::unique_ptr<FtpDownload> download_;
    QString current_;
    bool idle_ = false;
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

void ParallelFetch::prepare(const QString &folder, qsizetype expectedFiles)
{
    folder_ = folder;
    start(expectedFiles > 0 ? connectionsFor(expectedFiles) : kMaxConnections);
}

void ParallelFetch::start(int count)
{
    running_ += count;
    for (int i = 0; i < count; ++i) {
        workers_.push_back(std::make_unique<Worker>(*this));
        workers_.back()->start();
    }
}

QStringList ParallelFetch::run(const QString &folder, const QStringList &names, const QString &targetFolder)
{
    target_ = targetFolder;
    queue_ = names;
    fed_ = true;
    const std::size_t wanted = names.isEmpty() ? 0 : connectionsFor(names.size());
    std::size_t from = 0;
    if (folder != folder_) { // prepared for another folder, or not at all
        for (const auto &worker : workers_)
            worker->release();
        from = workers_.size();
        folder_ = folder;
    }
    if (const std::size_t have = workers_.size() - from; have < wanted)
        start(static_cast<int>(wanted - have));
    const std::size_t surplus = workers_.size() - from - wanted;
    for (std::size_t i = from; i < workers_.size(); ++i) {
        if (i < from + surplus)
            workers_[i]->release();
        else
            workers_[i]->next();
    }
    while (running_ > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return std::exchange(handedBack_, {}) + std::exchange(queue_, {});
}

void ParallelFetch::giveUp(const QString &name)
{
    // The client tries it again, resuming after a break, unless everything was cancelled.
    cancelled_ ? emit arrived(name, false) : handedBack_.append(name);
}

void ParallelFetch::cancel()
{
    cancelled_ = true;
    for (const QString &name : std::exchange(queue_, {}))
        emit arrived(name, false);
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
