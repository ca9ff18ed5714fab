#include "ftp/FtpConnection.h"

#include "ftp/FtpListing.h"
#include "ftp/FtpLogin.h"

#include <QSet>
#include <algorithm>

namespace Ftp {

namespace {

// The value a 213 reply gives (SIZE, MDTM); empty when there is none.
QString answer213(const FtpReply &reply)
{
    return reply.code == 213 && !reply.lines.isEmpty() ? QString::fromLatin1(reply.lines.first().mid(4).trimmed())
                                                       : QString();
}

// A SIZE reply's byte count, or -1.
qint64 sizeIn(const FtpReply &reply)
{
    bool known = false;
    const qint64 size = answer213(reply).toLongLong(&known);
    return known ? size : -1;
}

} // namespace

FtpConnection::FtpConnection(QObject *parent) : QObject(parent)
{
    connect(&control_, &FtpControlChannel::socketStateChanged, this, &FtpConnection::onControlState);
    connect(&control_, &FtpControlChannel::receiving, this, [this] { emit stateChanged(InetState::Receiving); });
    connect(&control_, &FtpControlChannel::lost, this, &FtpConnection::drop);
    connect(&data_, &FtpDataChannel::connected, this, [this] {
        if (transfer_)
            request(transfer_->line, [this](const FtpReply &reply) { onTransferReply(reply); });
    });
    connect(&data_, &FtpDataChannel::progress, this, [this](qint64 bytes) {
        if (transfer_)
            emit progress(bytes, transfer_->total);
    });
    connect(&data_, &FtpDataChannel::finished, this, [this] {
        if (!transfer_)
            return;
        transfer_->dataDone = true;
        if (!transfer_->finalReply)
            control_.armReplyTimer();
        completeTransferIfDone();
    });
    connect(&data_, &FtpDataChannel::failed, this, &FtpConnection::drop);
}

FtpConnection::~FtpConnection() = default;

void FtpConnection::setTimeouts(const FtpTimeouts &timeouts)
{
    timeouts_ = timeouts;
    control_.setReplyTimeout(timeouts.replyMs);
    data_.setStallTimeout(timeouts.dataStallMs);
}

void FtpConnection::open(const Common::ServerProfile &account, Done ready, const QList<QByteArray> &walk)
{
    where_.reset();
    memory_.clear();
    beforeNext_.clear();
    factsAhead_.clear();
    aheadTold_ = {};
    aheadCount_ = 0;
    features_ = {};
    codec_.setUtf8(false);
    certificateRefused_ = false;
    account_ = account;
    ready_ = std::move(ready);
    control_.open(account.host, account.port, timeouts_.connectMs);
    login_ = std::make_unique<FtpLogin>(*this, account, walk, [this](bool ok, const FtpReply &reply, const FtpFeatures &features) {
        Done ready = std::move(ready_);
        if (!ok) {
            control_.close();
            return ready(false, reply);
        }
        features_ = features;
        where_.loggedIn(login_->loginFolder());
        codec_.setUtf8(features.utf8);
        protectsData_ = login_->protectsData();
        open_ = true;
        emit encryptionChanged(protocolName(), login_->tlsRefusal());
        ready(true, reply);
    });
    expect([this](const FtpReply &greeting) { login_->greeted(greeting); });
}

bool FtpConnection::isPlainAscii(const QList<QByteArray> &lines)
{
    return std::all_of(lines.begin(), lines.end(), [](const QByteArray &line) {
        return std::all_of(line.begin(), line.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte > 0 && byte < 0x80;
        });
    });
}

const QList<FtpReply> &FtpConnection::walkReplies() const
{
    return login_->walkReplies();
}

std::optional<QString> FtpConnection::knownFolderName() const
{
    if (!where_.name())
        return std::nullopt;
    return codec_.decode(*where_.name());
}

void FtpConnection::requestNamingFolder(const QByteArray &line, ReplyHandler next)
{
    if (where_.name())
        return request(line, std::move(next));
    requestAll({"PWD", line}, [this, next = std::move(next)](const QList<FtpReply> &replies) {
        if (replies.first().code == 257)
            where_.named(replies.first().quotedName());
        next(replies.last());
    });
}

void FtpConnection::reopen(Done ready)
{
    const QList<QByteArray> wayDown = where_.wayDown();
    const bool withLogin = isPlainAscii(wayDown);
    const auto walked = [ready](const QList<FtpReply> &replies) { ready(firstRefusal(replies) < 0, decisive(replies)); };
    const FolderMemory before = memory_;
    open(account_, [this, wayDown, withLogin, walked, ready](bool ok, const FtpReply &reply) {
        if (!ok || wayDown.isEmpty())
            return ready(ok, reply);
        withLogin ? walked(walkReplies()) : requestAll(wayDown, walked);
    }, withLogin ? wayDown : QList<QByteArray>{});
    // The same folders, reached the same way, spell new names as before: a resumed upload
    // keeps the bytes of its name.
    memory_.keepEightBitOf(before);
}

void FtpConnection::startTls(std::function<void()> encrypted)
{
    control_.startTls(
        TlsTrust::configuration(account_.extraCaPem), account_.host,
        [this](const QList<QSslError> &errors) { return acceptsCertificate(errors); }, std::move(encrypted));
}

bool FtpConnection::acceptsCertificate(const QList<QSslError> &errors)
{
    // A step of the login: the handshake waits for the operator's answer, and goes on.
    const QSslCertificate certificate = control_.peerCertificate();
    if (trust_->isPinned(hostPort(), certificate) || trust_->askOperator(hostPort(), certificate, errors))
        return true;
    certificateRefused_ = true;
    return false;
}

QString FtpConnection::hostPort() const
{
    return account_.host + QLatin1Char(':') + QString::number(account_.port);
}

QString FtpConnection::protocolName() const
{
    if (!control_.isEncrypted())
        return {};
    switch (control_.sessionProtocol()) {
    case QSsl::TlsV1_2: return QStringLiteral("TLS 1.2");
    case QSsl::TlsV1_3: return QStringLiteral("TLS 1.3");
    default: return QStringLiteral("TLS");
    }
}

void FtpConnection::quit(Done done)
{
    emit stateChanged(InetState::Disconnecting);
    request("QUIT", [this, done = std::move(done)](const FtpReply &reply) {
        open_ = false;
        done(true, reply);
        control_.close();
    });
}

void FtpConnection::leave()
{
    open_ = false;
    emit commandSent(QStringLiteral("QUIT"));
    control_.sendAndClose("QUIT");
}

std::optional<QByteArray> FtpConnection::line(const QByteArray &verb, const QString &name) const
{
    const std::optional<QByteArray> encoded = codec_.encode(name, memory_.isEightBit(where_.keyOfFolderOf(name)));
    if (!encoded)
        return std::nullopt;
    return verb + ' ' + *encoded;
}

void FtpConnection::request(const QByteArray &line, ReplyHandler next)
{
    requestAll({line}, [next = std::move(next)](const QList<FtpReply> &replies) { next(replies.first()); });
}

void FtpConnection::askBeforeNext(const QList<QByteArray> &lines, std::function<void(const QList<FtpReply> &)> told)
{
    beforeNext_ += lines;
    aheadCount_ = lines.size();
    aheadTold_ = std::move(told);
}

void FtpConnection::requestAll(const QList<QByteArray> &lines, std::function<void(const QList<FtpReply> &)> done)
{
    const qsizetype earlier = beforeNext_.size();
    const qsizetype asked = std::exchange(aheadCount_, 0);
    const QList<QByteArray> sent = std::exchange(beforeNext_, {}) + lines;
    for (const QByteArray &line : sent)
        sendLine(line);
    collect(sent, {}, [earlier, asked, told = std::exchange(aheadTold_, {}), done = std::move(done)](
                          const QList<FtpReply> &replies) {
        if (told)
            told(replies.mid(earlier - asked, asked));
        done(replies.mid(earlier));
    });
}

void FtpConnection::collect(QList<QByteArray> lines, QList<FtpReply> replies,
                            std::function<void(const QList<FtpReply> &)> done)
{
    expect([this, lines = std::move(lines), replies = std::move(replies), done = std::move(done)](
               const FtpReply &reply) mutable {
        if (reply.isPositive())
            where_.accepted(lines.at(replies.size()));
        replies.append(reply);
        if (replies.size() < lines.size())
            return collect(std::move(lines), std::move(replies), std::move(done));
        done(replies);
    });
}

qsizetype FtpConnection::firstRefusal(const QList<FtpReply> &replies)
{
    const auto refused = std::find_if(replies.begin(), replies.end(), [](const FtpReply &r) { return !r.isPositive(); });
    return refused == replies.end() ? -1 : refused - replies.begin();
}

const FtpReply &FtpConnection::decisive(const QList<FtpReply> &replies)
{
    const qsizetype refused = firstRefusal(replies);
    return replies.at(refused < 0 ? replies.size() - 1 : refused);
}

void FtpConnection::sendLine(const QByteArray &line)
{
    emit stateChanged(InetState::Requesting);
    emit commandSent(line.startsWith("PASS ") ? QStringLiteral("PASS ****") : codec_.decode(line));
    control_.send(line);
    emit stateChanged(InetState::RequestSent);
}

void FtpConnection::rename(const QString &from, const QString &to, Done done,
                           std::function<void(const RemoteEntry &)> told)
{
    const std::optional<QByteArray> rnfr = line("RNFR", from);
    const std::optional<QByteArray> rnto = line("RNTO", to);
    if (!rnfr || !rnto)
        return done(false, FtpReply::local(tr("The name cannot be sent to this server")));
    // RNTO goes with RNFR: after a refused RNFR the server refuses it too (503). The facts
    // asked after them are the old file's if the rename failed, and then not passed on.
    QList<QByteArray> lines{*rnfr, *rnto};
    const std::optional<QByteArray> size = line("SIZE", to);
    const std::optional<QByteArray> mdtm = line("MDTM", to);
    if (told && features_.size && features_.mdtm && size && mdtm)
        lines << *size << *mdtm;
    requestAll(lines, [done = std::move(done), told = std::move(told)](const QList<FtpReply> &replies) {
        const QList<FtpReply> renaming = replies.mid(0, 2);
        const bool ok = firstRefusal(renaming) < 0;
        if (ok && replies.size() == 4)
            told(RemoteEntry{{}, false, sizeIn(replies.at(2)), answer213(replies.at(3))});
        done(ok, decisive(renaming));
    });
}

bool FtpConnection::firstUploadInto(const QString &folder)
{
    return memory_.firstUploadInto(where_.keyOf(folder));
}

void FtpConnection::rememberEntries(const QString &folder, const QList<RemoteEntry> &entries, bool whole)
{
    memory_.remember(where_.keyOf(folder), entries, whole);
}

void FtpConnection::remoteFacts(const QString &folder, const QString &name, FactsDone done)
{
    if (const std::optional<RemoteEntry> known = memory_.facts(where_.keyOf(folder), name))
        return done(true, *known);
    askFacts(folder, name, std::move(done));
}

void FtpConnection::askFacts(const QString &folder, const QString &name, FactsDone done)
{
    const std::optional<QByteArray> size = line("SIZE", folder + name);
    const std::optional<QByteArray> mdtm = line("MDTM", folder + name);
    if (!features_.size || !features_.mdtm || !size || !mdtm)
        return done(false, {});
    requestAll({*size, *mdtm}, [name, done = std::move(done)](const QList<FtpReply> &replies) {
        // "Not there" only when both say no such file: a SIZE refused for another reason
        // (a FEAT that promised too much) tells nothing, and must not read as a removal.
        const bool gone = replies.at(0).code == 550 && replies.at(1).code == 550;
        done(gone || replies.at(0).code == 213, RemoteEntry{name, false, sizeIn(replies.at(0)), answer213(replies.at(1))});
    });
}

void FtpConnection::askFactsAhead(const QStringList &names)
{
    factsAhead_.clear();
    // The time alone: LIST gives the size.
    QList<QByteArray> lines;
    QStringList asked;
    for (const QString &name : names) {
        if (const std::optional<QByteArray> mdtm = line("MDTM", name)) {
            lines << *mdtm;
            asked << name;
        }
    }
    // MLSD gives them in the listing itself.
    if (features_.mlsd || !features_.mdtm || lines.isEmpty())
        return;
    askBeforeNext(lines, [this, asked](const QList<FtpReply> &replies) {
        for (qsizetype i = 0; i < asked.size() && i < replies.size(); ++i)
            if (replies.at(i).code == 213) // else gone or not told: asked again if listed
                factsAhead_.insert(asked.at(i), RemoteEntry{asked.at(i), false, -1, answer213(replies.at(i))});
    });
}

void FtpConnection::completeFacts(QList<RemoteEntry> entries, std::function<void(const QList<RemoteEntry> &)> done)
{
    const QHash<QString, RemoteEntry> ahead = std::exchange(factsAhead_, {});
    QList<qsizetype> wanted;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        RemoteEntry &entry = entries[i];
        if (entry.folder || (entry.size >= 0 && !entry.modified.isEmpty()))
            continue;
        // Asked before the listing taught this name's bytes: only an answer for the same bytes.
        const auto told = ahead.constFind(entry.name);
        if (entry.size >= 0 && told != ahead.constEnd() && !entry.eightBit)
            entry.modified = told->modified;
        else if (line("MDTM", entry.name))
            wanted.append(i);
    }
    if (!features_.size || !features_.mdtm)
        wanted.clear();
    askFactsOf(std::move(entries), std::move(wanted), 0, std::move(done));
}

void FtpConnection::askFactsOf(QList<RemoteEntry> entries, QList<qsizetype> wanted, qsizetype from,
                               std::function<void(const QList<RemoteEntry> &)> done)
{
    // A few hundred lines a flight: the biggest phrase folder in one or two round trips, and
    // little enough for any server's input buffer.
    constexpr qsizetype kPerFlight = 100;
    const QList<qsizetype> flight = wanted.mid(from, kPerFlight);
    if (flight.isEmpty())
        return done(entries);
    QList<QByteArray> lines;
    for (const qsizetype i : flight)
        lines << *line("SIZE", entries.at(i).name) << *line("MDTM", entries.at(i).name);
    requestAll(lines, [this, entries = std::move(entries), wanted = std::move(wanted), from, flight,
                       done = std::move(done)](const QList<FtpReply> &replies) mutable {
        for (qsizetype k = 0; k < flight.size(); ++k) {
            RemoteEntry &entry = entries[flight.at(k)];
            entry.size = sizeIn(replies.at(2 * k));
            entry.modified = answer213(replies.at(2 * k + 1));
        }
        askFactsOf(std::move(entries), std::move(wanted), from + flight.size(), std::move(done));
    });
}

void FtpConnection::remoteSize(const QString &name, std::function<void(qint64)> done)
{
    const std::optional<QByteArray> command = line("SIZE", name);
    if (!features_.size || !command)
        return done(-1);
    request(*command, [done = std::move(done)](const FtpReply &reply) { done(sizeIn(reply)); });
}

void FtpConnection::expect(ReplyHandler next, bool timed)
{
    control_.awaitReply(
        [this, next = std::move(next)](const FtpReply &reply) {
            emit stateChanged(InetState::ResponseReceived);
            next(reply);
        },
        timed);
}

void FtpConnection::transfer(const QByteArray &line, QIODevice *device, Direction direction,
                             qint64 total, Done done, qint64 limit)
{
    transfer_ = Transfer{line, device, direction, total, limit, std::move(done), false, std::nullopt};
    if (!features_.epsv)
        return openPassiveV4();
    requestNamingFolder("EPSV", [this](const FtpReply &reply) {
        if (reply.code == 229 && reply.passivePort())
            return connectData(*reply.passivePort());
        if (reply.code < 500)
            return endTransfer(false, reply);
        features_.epsv = false; // not offered, or not for this network
        openPassiveV4();
    });
}

void FtpConnection::openPassiveV4()
{
    requestNamingFolder("PASV", [this](const FtpReply &reply) {
        if (reply.code == 227 && reply.passivePort())
            return connectData(*reply.passivePort());
        endTransfer(false, reply);
    });
}

void FtpConnection::connectData(quint16 port)
{
    // Always the control connection's peer: an address inside a 227 reply may
    // be wrong behind NAT, or hostile.
    QIODevice *sink = transfer_->direction == Direction::Download ? transfer_->device : nullptr;
    std::optional<FtpDataChannel::Tls> tls;
    if (protectsData_)
        tls = FtpDataChannel::Tls{control_.sslConfiguration(), account_.host, control_.peerCertificate()};
    data_.open(control_.peerAddress(), port, tls, sink, transfer_->limit);
}

void FtpConnection::onTransferReply(const FtpReply &reply)
{
    if (reply.isPreliminary()) {
        if (transfer_->direction == Direction::Upload)
            data_.startSending(transfer_->device);
        expect([this](const FtpReply &next) { onTransferReply(next); }, transfer_->dataDone);
    } else if (reply.code >= 200 && reply.code < 300) {
        transfer_->finalReply = reply;
        completeTransferIfDone();
    } else {
        data_.abort();
        endTransfer(false, reply);
    }
}

void FtpConnection::completeTransferIfDone()
{
    if (transfer_->dataDone && transfer_->finalReply)
        endTransfer(true, *transfer_->finalReply);
}

void FtpConnection::endTransfer(bool ok, FtpReply reply)
{
    Done done = std::move(transfer_->done);
    transfer_.reset();
    done(ok, reply);
}

void FtpConnection::listFolder(const QString &folder, ListDone done)
{
    const QString where = where_.keyOf(folder);
    listing_ = std::make_unique<FtpListing>(*this, folder, [this, where, done = std::move(done)](
                                                               bool ok, const FtpReply &reply, const QList<RemoteEntry> &entries) {
        // A name listed twice, in both spellings, goes back in the first one's bytes.
        QSet<QString> learnt;
        for (const RemoteEntry &entry : entries) {
            if (!learnt.contains(entry.name))
                codec_.learn(entry);
            learnt.insert(entry.name);
        }
        if (ok)
            memory_.setEightBit(where, std::any_of(entries.begin(), entries.end(), [](const RemoteEntry &e) { return e.eightBit; }));
        done(ok, reply, entries);
    });
    listing_->start();
}

void FtpConnection::onControlState(QAbstractSocket::SocketState state)
{
    switch (state) {
    case QAbstractSocket::HostLookupState:
        emit stateChanged(InetState::Resolving);
        break;
    case QAbstractSocket::ConnectingState:
        emit stateChanged(InetState::Resolved);
        emit stateChanged(InetState::Connecting);
        break;
    case QAbstractSocket::ConnectedState:
        wasConnected_ = true;
        emit stateChanged(InetState::Connected);
        break;
    case QAbstractSocket::UnconnectedState:
        if (wasConnected_) {
            wasConnected_ = false;
            emit stateChanged(InetState::Disconnected);
        }
        break;
    default:
        break;
    }
}

void FtpConnection::abort(const QString &reason)
{
    drop(reason);
}

void FtpConnection::drop(const QString &reason)
{
    open_ = false;
    transfer_.reset();
    data_.abort();
    control_.close();
    emit lost(std::exchange(certificateRefused_, false) ? tr("Certificate refused: ") + reason : reason);
}

} // namespace Ftp
