#include "ftp/ParallelFetch.h"

#include "ftp/FtpConnection.h"
#include "ftp/FtpDownload.h"
#include "ftp/FtpRetry.h"
#include "ftp/FtpSession.h"

#include <algorithm>
#include <utility>

namespace Ftp {

// One helper connection: log in, go to the folder, then fetch names until none is left.
class ParallelFetch::Helper {
public:
    explicit Helper(ParallelFetch &pool) : pool_(pool)
    {
        Inet &client = pool.session_.Inet1;
        link_.setTimeouts(client.timeouts());
        link_.setTrust(client.trust());
        link_.shareSpellings(client.names());
        retry_.setFirstPause(client.timeouts().retryPauseMs);
        QObject::connect(&link_, &FtpConnection::lost, &pool, [this] { lost(); });
        QObject::connect(&link_, &FtpConnection::commandSent, &client, &Inet::commandSent);
    }

    void start()
    {
        // The folder goes along with the login where its name allows.
        const std::optional<QByteArray> early = link_.line("CWD", pool_.folder_.text());
        const bool withLogin = early && FtpConnection::isPlainAscii({*early});
        link_.open(pool_.session_.Inet1.account(), [this, withLogin](bool ok, const FtpReply &) {
            if (ok && withLogin)
                return inFolder(link_.walkReplies().first());
            const std::optional<QByteArray> cwd = link_.line("CWD", pool_.folder_.text());
            if (!ok || !cwd)
                return close();
            link_.request(*cwd, [this](const FtpReply &reply) { inFolder(reply); });
        }, withLogin ? QList<QByteArray>{*early} : QList<QByteArray>{});
    }

    bool live() const { return !ended_; }
    bool loggingIn() const { return !ended_ && !idle_ && current_.isEmpty(); }

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
        retry_.reset();
        download_ = std::make_unique<FtpDownload>(link_, current_, pool_.target_ + QLatin1Char('/') + current_,
                                                  [this](bool ok, const FtpReply &reply) { fetched(ok, reply); });
        download_->start(-1); // nobody shows these files' progress
    }

    // Not needed: quits when idle, and a login still on its way is closed; a file in
    // flight is fetched first.
    void release()
    {
        if (idle_)
            quit();
        else if (loggingIn())
            close();
    }

    void cancel()
    {
        retry_.stop();
        link_.abort(QStringLiteral("Cancelled"));
    }

private:
    void inFolder(const FtpReply &cwd)
    {
        if (!cwd.isPositive())
            return close();
        idle_ = true;
        if (pool_.fed_)
            next();
    }

    void fetched(bool ok, const FtpReply &reply)
    {
        if (!ok && reply.isBrokenTransfer() && resume())
            return;
        const QString name = std::exchange(current_, QString());
        ok ? emit pool_.arrived(name, true) : pool_.giveUp(name);
        idle_ = true;
        // The next download replaces this one: not from inside its own callback.
        QMetaObject::invokeMethod(&pool_, [this] { next(); }, Qt::QueuedConnection);
    }

    bool resume()
    {
        return !pool_.cancelled_ && retry_.resumeLater(link_, *download_, [this](const FtpReply &) { failed(); });
    }

    void lost()
    {
        if (current_.isEmpty() || !resume())
            failed();
    }

    void failed()
    {
        if (!current_.isEmpty())
            pool_.giveUp(std::exchange(current_, QString()));
        end();
    }

    void quit()
    {
        link_.leave();
        end();
    }

    void close()
    {
        end();
        link_.abort(QStringLiteral("Not needed"));
    }

    void end()
    {
        idle_ = false;
        retry_.stop();
        if (!std::exchange(ended_, true))
            --pool_.running_;
    }

    ParallelFetch &pool_;
    FtpConnection link_;
    FtpRetry retry_;
    std::unique_ptr<FtpDownload> download_;
    QString current_;
    bool idle_ = false;
    bool ended_ = false;
};

ParallelFetch::ParallelFetch(FtpSession &session, QObject *parent) : QObject(parent), session_(session)
{
    connect(&session.Inet1, &Inet::cancelled, this, &ParallelFetch::cancel);
}

ParallelFetch::~ParallelFetch() = default;

int ParallelFetch::helpersFor(qsizetype files)
{
    return static_cast<int>(std::clamp<qsizetype>(files / 4, 0, kMaxHelpers));
}

void ParallelFetch::prepare(const QString &belowLogin, qsizetype expectedFiles)
{
    folder_ = RemotePath(session_.Inet1.loginFolder()).below(belowLogin);
    if (folder_.isKnown())
        startHelpers(helpersFor(expectedFiles));
}

void ParallelFetch::startHelpers(int count)
{
    running_ += count;
    for (int i = 0; i < count; ++i) {
        helpers_.push_back(std::make_unique<Helper>(*this));
        helpers_.back()->start();
    }
}

void ParallelFetch::releaseHelpers()
{
    for (const auto &helper : helpers_)
        helper->release();
}

void ParallelFetch::run(const QStringList &names, const QString &targetFolder)
{
    session_.Wait();
    target_ = targetFolder;
    queue_ = names;
    fed_ = true;
    const RemotePath here = session_.Inet1.currentFolder();
    if (here != folder_ || !here.isKnown()) // prepared for another folder, or not at all
        releaseHelpers();
    folder_ = here;
    const int wanted = here.isKnown() ? helpersFor(names.size()) : 0;
    int have = 0;
    for (const auto &helper : helpers_)
        if (helper->live() && ++have > wanted)
            helper->release();
    if (have < wanted)
        startHelpers(wanted - have);
    const QMetaObject::Connection done = connect(&session_.Inet1, &Inet::commandDone, this, &ParallelFetch::clientDone);
    feedClient();
    for (const auto &helper : helpers_)
        helper->next();
    session_.waitWhile([this] { return busy(); });
    disconnect(done);
}

bool ParallelFetch::busy() const
{
    return running_ > 0 || !clientFile_.isEmpty() || !queue_.isEmpty() || !handedBack_.isEmpty();
}

void ParallelFetch::feedClient()
{
    if (cancelled_ || !clientFile_.isEmpty())
        return;
    if (!handedBack_.isEmpty())
        clientFile_ = handedBack_.takeFirst();
    else if (!takeNext(clientFile_))
        return;
    Inet &client = session_.Inet1;
    if (!client.Execute(FtpCommand::get(clientFile_, target_ + QLatin1Char('/') + clientFile_)))
        clientDone(client.lastOutcome());
}

void ParallelFetch::clientDone(const FtpOutcome &outcome)
{
    if (clientFile_.isEmpty())
        return;
    emit arrived(std::exchange(clientFile_, QString()), outcome.ok);
    // The client takes its next command once it has told everyone of this one.
    QMetaObject::invokeMethod(this, [this] { feedClient(); }, Qt::QueuedConnection);
}

void ParallelFetch::giveUp(const QString &name)
{
    if (cancelled_)
        return emit arrived(name, false);
    handedBack_.append(name);
    feedClient();
}

void ParallelFetch::cancel()
{
    cancelled_ = true;
    for (const QString &name : std::exchange(queue_, {}) + std::exchange(handedBack_, {}))
        emit arrived(name, false);
    for (const auto &helper : helpers_)
        helper->cancel();
}

bool ParallelFetch::takeNext(QString &name)
{
    if (queue_.isEmpty())
        return false;
    name = queue_.takeFirst();
    if (queue_.isEmpty()) // nothing left for a helper still on its way in
        for (const auto &helper : helpers_)
            if (helper->loggingIn())
                helper->release();
    return true;
}

} // namespace Ftp
