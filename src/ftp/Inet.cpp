#include "ftp/Inet.h"

#include "ftp/FtpDownload.h"
#include "ftp/FtpUpload.h"

using Verb = FtpCommand::Verb;

Inet::Inet(QObject *parent) : QObject(parent)
{
    connect(&connection_, &FtpConnection::stateChanged, this, &Inet::emitState);
    connect(&connection_, &FtpConnection::commandSent, this, &Inet::commandSent);
    connect(&connection_, &FtpConnection::progress, this, &Inet::transferProgress);
    connect(&connection_, &FtpConnection::lost, this, &Inet::onLost);
}

Inet::~Inet()
{
    // A connection closing as it goes must not report into a client half torn down.
    connection_.disconnect(this);
}

bool Inet::Execute(const FtpCommand &command)
{
    if (busy_)
        return refuse(command, tr("Still executing the last request"));
    if (!command.isValid())
        return refuse(command, tr("An argument holds a line break or NUL"));
    if (protocol_ != icFTP)
        return refuse(command, tr("Only FTP is supported"));
    busy_ = true;
    current_ = command;
    answer_.clear();
    read_ = 0;
    upload_.reset();
    download_.reset();
    if (connection_.isOpen())
        run();
    else if (command.verb() == Verb::Close)
        finish(true, FtpReply::local(tr("Not connected")));
    else
        connection_.open(account_, [this](bool ok, const FtpReply &reply) {
            ok ? run() : finish(false, reply);
        });
    return true;
}

void Inet::Cancel()
{
    if (connection_.isOpen() || busy_)
        connection_.abort(tr("Cancelled"));
}

bool Inet::refuse(const FtpCommand &command, const QString &why)
{
    outcome_ = FtpOutcome{command, false, 0, why};
    emitState(11);
    return false;
}

QString Inet::GetChunk(int size)
{
    if (busy_ || size <= 0)
        return {};
    const QString chunk = answer_.mid(read_, size);
    read_ += chunk.size();
    return chunk;
}

void Inet::run()
{
    const QString first = current_.argument(0);
    switch (current_.verb()) {
    case Verb::Cd: return simple("CWD", first);
    case Verb::Cdup: return simple("CDUP", {});
    case Verb::Mkdir: return simple("MKD", first);
    case Verb::Rmdir: return simple("RMD", first.endsWith(QLatin1Char('/')) ? first.chopped(1) : first);
    case Verb::Delete: return simple("DELE", first);
    case Verb::Rename: return renameEntry();
    case Verb::Ls: return list();
    case Verb::Pwd: return printFolder();
    case Verb::Put:
        upload_ = std::make_unique<FtpUpload>(connection_, first, current_.argument(1),
                                              [this](bool ok, const FtpReply &r) { finish(ok, r); });
        return upload_->start();
    case Verb::Get:
        download_ = std::make_unique<FtpDownload>(connection_, first, current_.argument(1),
                                                  [this](bool ok, const FtpReply &r) { finish(ok, r); });
        return download_->start();
    case Verb::Close:
        // the disconnect that follows is the last word
        return connection_.quit([this](bool ok, const FtpReply &r) { finish(ok, r, false); });
    }
}

void Inet::simple(const QByteArray &verb, const QString &name)
{
    const std::optional<QByteArray> line = name.isNull() ? verb : connection_.line(verb, name);
    if (!line)
        return finish(false, FtpReply::local(tr("The name cannot be sent to this server")));
    connection_.request(*line, [this](const FtpReply &reply) { finish(reply.isPositive(), reply); });
}

void Inet::renameEntry()
{
    const std::optional<QByteArray> from = connection_.line("RNFR", current_.argument(0));
    const std::optional<QByteArray> to = connection_.line("RNTO", current_.argument(1));
    if (!from || !to)
        return finish(false, FtpReply::local(tr("The name cannot be sent to this server")));
    connection_.request(*from, [this, to](const FtpReply &reply) {
        if (reply.code != 350)
            return finish(false, reply);
        connection_.request(*to, [this](const FtpReply &moved) { finish(moved.isPositive(), moved); });
    });
}

void Inet::list()
{
    connection_.listFolder({}, [this](bool ok, const FtpReply &reply, const QList<RemoteEntry> &entries) {
        answer_ = RemoteListing::render(entries);
        finish(ok, reply);
    });
}

void Inet::printFolder()
{
    connection_.request("PWD", [this](const FtpReply &reply) {
        if (reply.code == 257)
            answer_ = connection_.codec().decode(reply.quotedName());
        finish(reply.code == 257, reply);
    });
}

void Inet::finish(bool ok, const FtpReply &reply, bool announce)
{
    outcome_ = FtpOutcome{current_, ok, reply.code, reply.text()};
    busy_ = false;
    if (announce)
        emitState(ok ? 12 : 11);
}

void Inet::onLost(const QString &reason)
{
    upload_.reset();
    download_.reset();
    if (busy_ && current_.verb() == Verb::Close)
        finish(true, FtpReply::local(reason), false);
    else if (busy_)
        finish(false, FtpReply::local(reason));
}

void Inet::emitState(int state)
{
    ++dispatching_;
    emit StateChanged(state);
    --dispatching_;
}
