#include "ftp/Inet.h"

#include "ftp/FtpConnection.h"
#include "ftp/FtpDownload.h"
#include "ftp/FtpFacts.h"
#include "ftp/FtpRetry.h"
#include "ftp/FtpUpload.h"
#include "ftp/InetState.h"

#include <QHash>

namespace Ftp {

using Verb = FtpCommand::Verb;

// Everything behind Inet: the connection and the command in flight, so that users of
// Inet never see the sockets.
class Inet::Engine {
public:
    explicit Engine(Inet &owner);
    ~Engine();

    bool execute(const FtpCommand &command);
    void cancel();
    QString chunk(int size);

    FtpConnection connection;
    Common::ServerProfile account;
    int protocol = icFTP;
    int accessSetting = 0;
    bool busy = false;
    int dispatching = 0;
    int logins = 0;
    FtpOutcome outcome;
    QList<RemoteEntry> entries;

private:
    bool refuse(const FtpCommand &command, const QString &why);
    void open();
    void run();
    void simple(const QByteArray &verb, const QString &name);
    // The CWDs of a walk; none when a name cannot be sent.
    std::optional<QList<QByteArray>> walkLines() const;
    void changeFolder();
    void walked(const QList<FtpReply> &replies);
    void renameEntry();
    void list();
    void listed(bool ok, const FtpReply &reply, const QList<RemoteEntry> &found);
    void printFolder();
    void finish(bool ok, const FtpReply &reply, bool announce = true);
    void jobDone(bool ok, const FtpReply &reply);
    // A transfer broken by a dropped connection is tried again after a pause; false
    // once the tries are spent.
    bool tryAgain();
    void onLost(const QString &reason);
    void report(InetState state);

    Inet &owner_;
    FtpCommand current_;
    QString answer_;
    qsizetype read_ = 0;
    // A transfer's job lives until the next command, never deleted from inside
    // one of its own callbacks.
    std::unique_ptr<FtpTransferJob> job_;
    FtpRetry retry_;
    RemoteEntry facts_; // what "FACTS" learnt, for its outcome
    // The sizes the last listing gave, for a download's progress without asking SIZE.
    QHash<QString, qint64> listedSizes_;
    RemotePath listedFolder_;
    bool cancelling_ = false;
    quint64 commands_ = 0; // commands executed, to tell a late answer from the current one
};

Inet::Engine::Engine(Inet &owner) : owner_(owner)
{
    QObject::connect(&connection, &FtpConnection::stateChanged, &owner, [this](InetState state) { report(state); });
    QObject::connect(&connection, &FtpConnection::commandSent, &owner, &Inet::commandSent);
    QObject::connect(&connection, &FtpConnection::progress, &owner, &Inet::transferProgress);
    QObject::connect(&connection, &FtpConnection::encryptionChanged, &owner, &Inet::encryptionChanged);
    QObject::connect(&connection, &FtpConnection::putBack, &owner, &Inet::putBack);
    QObject::connect(&connection, &FtpConnection::lost, &owner, [this](const QString &reason) { onLost(reason); });
    QObject::connect(&retry_, &FtpRetry::retrying, &owner, [this](int attempt) {
        const bool put = current_.verb() == Verb::Put;
        emit owner_.retrying(current_.argument(put ? 1 : 0), attempt, FtpRetry::kTries);
    });
}

Inet::Engine::~Engine()
{
    // A connection closing as it goes must not report into a client half torn down.
    connection.disconnect(&owner_);
}

bool Inet::Engine::execute(const FtpCommand &command)
{
    if (busy)
        return refuse(command, tr("Still executing the last request"));
    if (!command.isValid())
        return refuse(command, tr("An argument holds a line break or NUL"));
    if (protocol != icFTP)
        return refuse(command, tr("Only FTP is supported"));
    busy = true;
    ++commands_;
    current_ = command;
    answer_.clear();
    entries.clear();
    read_ = 0;
    job_.reset();
    retry_.reset();
    retry_.setFirstPause(connection.timeouts().retryPauseMs);
    cancelling_ = false;
    if (connection.isOpen())
        run();
    else if (command.verb() == Verb::Close)
        finish(true, FtpReply::local(tr("Not connected")));
    else
        open();
    return true;
}

void Inet::Engine::open()
{
    ++logins;
    // A walk down from the login folder goes in the login's own flight.
    const std::optional<QList<QByteArray>> walk = current_.verb() == Verb::Cd ? walkLines() : std::nullopt;
    const bool withLogin = walk && !walk->isEmpty() && FtpConnection::isPlainAscii(*walk);
    connection.open(account, [this, withLogin](bool ok, const FtpReply &reply) {
        if (!ok)
            return finish(false, reply);
        withLogin ? walked(connection.walkReplies()) : run();
    }, withLogin ? *walk : QList<QByteArray>{});
}

void Inet::Engine::cancel()
{
    retry_.stop();
    cancelling_ = true;
    if (connection.isOpen() || busy)
        connection.abort(tr("Cancelled"));
}

bool Inet::Engine::refuse(const FtpCommand &command, const QString &why)
{
    outcome = FtpOutcome{command, false, 0, why};
    report(InetState::Error);
    return false;
}

QString Inet::Engine::chunk(int size)
{
    if (busy || size <= 0)
        return {};
    const QString piece = answer_.mid(read_, size);
    read_ += piece.size();
    return piece;
}

void Inet::Engine::run()
{
    const QString first = current_.argument(0);
    switch (current_.verb()) {
    case Verb::Cd: return changeFolder();
    case Verb::Cdup: return simple("CDUP", {});
    case Verb::Mkdir: return simple("MKD", first);
    case Verb::Rmdir: return simple("RMD", first.endsWith(QLatin1Char('/')) ? first.chopped(1) : first);
    case Verb::Delete: return simple("DELE", first);
    case Verb::Rename: return renameEntry();
    case Verb::Ls: return list();
    case Verb::Pwd: return printFolder();
    case Verb::Put: {
        auto upload = std::make_unique<FtpUpload>(connection, first, current_.argument(1),
                                                  [this](bool ok, const FtpReply &r) {
                                                      if (ok)
                                                          facts_ = static_cast<FtpUpload &>(*job_).told();
                                                      jobDone(ok, r);
                                                  },
                                                  current_.onlyIfChanged());
        FtpUpload &started = *upload;
        job_ = std::move(upload);
        return started.start();
    }
    case Verb::Get: {
        auto download = std::make_unique<FtpDownload>(connection, first, current_.argument(1),
                                                      [this](bool ok, const FtpReply &r) { jobDone(ok, r); });
        FtpDownload &started = *download;
        job_ = std::move(download);
        const bool listed = listedFolder_.isKnown() && owner_.currentFolder() == listedFolder_
                            && listedSizes_.contains(first);
        return listed ? started.start(listedSizes_.value(first)) : started.start();
    }
    case Verb::Facts: {
        auto facts = std::make_unique<FtpFacts>(connection, first, [this](bool told, const RemoteEntry &found) {
            facts_ = found;
            finish(told, FtpReply::local(told ? tr("Facts told") : tr("The server does not tell a file's size and time")));
        });
        FtpFacts &started = *facts;
        job_ = std::move(facts);
        return started.start();
    }
    case Verb::Close:
        // the disconnect that follows is the last word
        return connection.quit([this](bool ok, const FtpReply &r) { finish(ok, r, false); });
    }
}

void Inet::Engine::simple(const QByteArray &verb, const QString &name)
{
    const std::optional<QByteArray> line = name.isNull() ? verb : connection.line(verb, name);
    if (!line)
        return finish(false, FtpReply::local(tr("The name cannot be sent to this server")));
    connection.request(*line, [this](const FtpReply &reply) { finish(reply.isPositive(), reply); });
}

std::optional<QList<QByteArray>> Inet::Engine::walkLines() const
{
    QList<QByteArray> lines;
    for (const QString &folder : current_.arguments()) {
        const std::optional<QByteArray> line = connection.line("CWD", folder);
        if (!line)
            return std::nullopt;
        lines.append(*line);
    }
    return lines;
}

void Inet::Engine::changeFolder()
{
    const std::optional<QList<QByteArray>> lines = walkLines();
    if (!lines)
        return finish(false, FtpReply::local(tr("The name cannot be sent to this server")));
    if (lines->isEmpty())
        return finish(true, FtpReply::local(tr("Nowhere to go")));
    // Walking down is harmless past a refusal: nothing is sent into where it ends.
    connection.requestAll(*lines, [this](const QList<FtpReply> &replies) { walked(replies); });
}

void Inet::Engine::walked(const QList<FtpReply> &replies)
{
    const qsizetype refused = FtpConnection::firstRefusal(replies);
    if (refused >= 0)
        current_ = FtpCommand::cd(current_.argument(static_cast<int>(refused)));
    finish(refused < 0, FtpConnection::decisive(replies));
}

void Inet::Engine::renameEntry()
{
    connection.rename(current_.argument(0), current_.argument(1),
                      [this](bool ok, const FtpReply &reply) { finish(ok, reply); });
}

void Inet::Engine::list()
{
    if (current_.withFacts())
        connection.askFactsAhead(current_.arguments());
    connection.listFolder({}, [this](bool ok, const FtpReply &reply, const QList<RemoteEntry> &found) {
        if (!ok || !current_.withFacts())
            return listed(ok, reply, found);
        connection.completeFacts(found, [this, reply](const QList<RemoteEntry> &told) { listed(true, reply, told); });
    });
}

void Inet::Engine::listed(bool ok, const FtpReply &reply, const QList<RemoteEntry> &found)
{
    entries = found;
    listedSizes_.clear();
    for (const RemoteEntry &entry : found)
        if (!entry.folder && entry.size >= 0)
            listedSizes_.insert(entry.name, entry.size);
    listedFolder_ = owner_.currentFolder();
    finish(ok, reply);
}

void Inet::Engine::printFolder()
{
    if (const std::optional<QString> known = connection.knownFolderName()) {
        // Asked along with an earlier command, and nothing moved since; answered as the
        // server would, later.
        answer_ = *known;
        const FtpReply reply{257, {"257 \"" + known->toUtf8().replace('"', "\"\"") + "\" is the current directory."}};
        QMetaObject::invokeMethod(&owner_, [this, reply, command = commands_] {
            if (busy && command == commands_) // not cancelled meanwhile
                finish(true, reply);
        }, Qt::QueuedConnection);
        return;
    }
    connection.request("PWD", [this](const FtpReply &reply) {
        if (reply.code == 257)
            answer_ = connection.codec().decode(reply.quotedName());
        finish(reply.code == 257, reply);
    });
}

void Inet::Engine::finish(bool ok, const FtpReply &reply, bool announce)
{
    outcome = FtpOutcome{current_, ok, reply.code, reply.text(), ok && job_ && job_->alreadyThere(),
                         std::exchange(facts_, {})};
    busy = false;
    if (announce)
        report(ok ? InetState::Completed : InetState::Error);
    emit owner_.commandDone(outcome);
}

void Inet::Engine::jobDone(bool ok, const FtpReply &reply)
{
    if (!ok && reply.isBrokenTransfer() && tryAgain())
        return;
    finish(ok, reply);
}

bool Inet::Engine::tryAgain()
{
    return retry_.resumeLater(connection, *job_, [this](const FtpReply &reply) { finish(false, reply); });
}

void Inet::Engine::onLost(const QString &reason)
{
    if (busy && job_ && !cancelling_ && tryAgain())
        return;
    job_.reset();
    retry_.stop();
    if (busy && current_.verb() == Verb::Close)
        finish(true, FtpReply::local(reason), false);
    else if (busy)
        finish(false, FtpReply::local(reason));
}

void Inet::Engine::report(InetState state)
{
    ++dispatching;
    emit owner_.StateChanged(static_cast<int>(state));
    --dispatching;
}

Inet::Inet(QObject *parent) : QObject(parent), engine_(std::make_unique<Engine>(*this))
{
}

Inet::~Inet() = default;

void Inet::setProtocol(int protocol) { engine_->protocol = protocol; }
void Inet::setRemotePort(int port) { engine_->account.port = static_cast<quint16>(port); }
void Inet::setRemoteHost(const QString &host) { engine_->account.host = host; }
void Inet::setUserName(const QString &user) { engine_->account.user = user; }
void Inet::setPassword(const QString &password) { engine_->account.password = password; }
void Inet::setAccessSetting(int value) { engine_->accessSetting = value; }
void Inet::setTimeouts(const FtpTimeouts &timeouts) { engine_->connection.setTimeouts(timeouts); }
const FtpTimeouts &Inet::timeouts() const { return engine_->connection.timeouts(); }
void Inet::setTrust(TlsTrust *trust) { engine_->connection.setTrust(trust); }
TlsTrust *Inet::trust() const { return engine_->connection.trust(); }

void Inet::setTls(Common::TlsPolicy policy, const QByteArray &extraCaPem)
{
    engine_->account.tls = policy;
    engine_->account.extraCaPem = extraCaPem;
}
const QString &Inet::RemoteHost() const { return engine_->account.host; }
const Common::ServerProfile &Inet::account() const { return engine_->account; }
int Inet::accessSetting() const { return engine_->accessSetting; }
bool Inet::Execute(const FtpCommand &command) { return engine_->execute(command); }
bool Inet::StillExecuting() const { return engine_->busy; }
bool Inet::isConnected() const { return engine_->connection.isOpen(); }
QString Inet::loginFolder() const { return engine_->connection.loginFolder(); }
int Inet::logins() const { return engine_->logins; }
RemotePath Inet::currentFolder() const
{
    return RemotePath(engine_->connection.knownFolderName().value_or(QString()));
}
const FtpNameCodec &Inet::names() const { return engine_->connection.codec(); }
void Inet::Cancel()
{
    engine_->cancel();
    emit cancelled();
}
QString Inet::GetChunk(int size) { return engine_->chunk(size); }
const QList<RemoteEntry> &Inet::listing() const { return engine_->entries; }
const FtpOutcome &Inet::lastOutcome() const { return engine_->outcome; }
bool Inet::isDispatching() const { return engine_->dispatching > 0; }

} // namespace Ftp
