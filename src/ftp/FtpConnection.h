#pragma once

#include "common/ServerProfile.h"
#include "ftp/CurrentFolder.h"
#include "ftp/FolderMemory.h"
#include "ftp/FtpControlChannel.h"
#include "ftp/FtpDataChannel.h"
#include "ftp/FtpLogin.h"
#include "ftp/FtpNameCodec.h"
#include "ftp/FtpReply.h"
#include "ftp/FtpTimeouts.h"
#include "ftp/InetState.h"
#include "ftp/RemoteEntry.h"
#include "ftp/RemoteListing.h"
#include "ftp/TlsTrust.h"

#include <QHash>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace Ftp {

// A logged-in FTP connection: requests with their replies, passive data
// transfers, folder listings. It reports the client's states from resolving to
// disconnected; whatever ends the connection unasked ends in `lost`, after which no
// pending continuation runs.
class FtpListing;

class FtpConnection : public QObject {
    Q_OBJECT
public:
    using ReplyHandler = FtpControlChannel::ReplyHandler;
    using Done = std::function<void(bool ok, const FtpReply &reply)>;
    using ListDone = std::function<void(bool ok, const FtpReply &reply, const QList<RemoteEntry> &)>;
    enum class Direction { Download, Upload };

    explicit FtpConnection(QObject *parent = nullptr);
    ~FtpConnection() override;

    void setTimeouts(const FtpTimeouts &timeouts);
    const FtpTimeouts &timeouts() const { return timeouts_; }
    // Who decides on certificates no CA vouches for; by default nobody, so they are refused.
    void setTrust(TlsTrust *trust) { trust_ = trust; }
    TlsTrust *trust() const { return trust_; }
    bool isOpen() const { return open_; }
    // Connects, logs in (over TLS as the account's policy says), learns the features,
    // switches to binary. A certificate nobody vouches for is put to the operator
    // before anything is sent, the handshake waiting for the answer.
    // The lines of a `walk` down go in the login's own flight, so that it costs no round trip
    // of its own; their replies in `walkReplies` once `ready` says ok. Only harmless lines
    // (they reach the server after a failed login too) that are `isPlainAscii`.
    void open(const Common::ServerProfile &account, Done ready, const QList<QByteArray> &walk = {});
    // Plain ASCII lines read the same in whatever character set the login finds the server using.
    static bool isPlainAscii(const QList<QByteArray> &lines);
    const QList<FtpReply> &walkReplies() const;
    // After a drop: opens again with the same account and goes down the same folders.
    void reopen(Done ready);
    // Switches the control connection to TLS; `encrypted` once it is up, else `lost`.
    void startTls(std::function<void()> encrypted);
    bool isEncrypted() const { return control_.isEncrypted(); }
    // QUIT, then closes whether or not the server answers.
    void quit(Done done);
    // QUIT without waiting for the answer: for a helper whose work is done.
    void leave();
    // Drops both connections now, without a word to the server; ends in `lost`.
    void abort(const QString &reason);

    const FtpNameCodec &codec() const { return codec_; }
    // Names listed on either connection go back in their listed bytes on both.
    void shareSpellings(const FtpNameCodec &with) { codec_.shareSpellings(with); }
    const FtpFeatures &features() const { return features_; }
    // The current folder as PWD named it, while no CWD moved since: PWD goes along with the
    // login and with each EPSV or PASV, where it costs no round trip of its own.
    std::optional<QString> knownFolderName() const;
    // Where the login put us, as PWD named it then; empty before a login or when PWD failed.
    QString loginFolder() const { return codec_.decode(where_.loginName()); }
    void noteListRefused() { features_.listRefused = true; }
    // `verb` followed by the name as the server spells it (the bytes it listed the name
    // with, else as the folder's names go); none when the name cannot be written so.
    std::optional<QByteArray> line(const QByteArray &verb, const QString &name) const;

    void request(const QByteArray &line, ReplyHandler next);
    // A line whose answer changes nothing: sent just before the next request, its reply dropped.
    void sendBeforeNext(const QByteArray &line) { beforeNext_.append(line); }
    // Harmless questions that ride in the next request's flight: `told` gets their replies.
    void askBeforeNext(const QList<QByteArray> &lines, std::function<void(const QList<FtpReply> &)> told);
    // Sends the lines together and reads their replies in order: one round trip for all.
    // The lines after a refusal still reach the server: only for lines that are harmless then.
    void requestAll(const QList<QByteArray> &lines, std::function<void(const QList<FtpReply> &)> done);
    // The index of the first reply that refuses, or -1.
    static qsizetype firstRefusal(const QList<FtpReply> &replies);
    // The first refusal, or the last reply when none refuses.
    static const FtpReply &decisive(const QList<FtpReply> &replies);
    // RNFR, then RNTO: ends with the refusal of either, or with RNTO's reply. `told`, if given,
    // first gets the renamed file's size and time, asked in the same flight where the server
    // tells them.
    void rename(const QString &from, const QString &to, Done done,
                std::function<void(const RemoteEntry &)> told = {});
    // True the first time an upload goes into `folder` (relative to the current one) from
    // this current folder on this connection: only then are leftovers swept.
    bool firstUploadInto(const QString &folder);
    // A remote file's size, or -1 when the server does not tell it.
    void remoteSize(const QString &name, std::function<void(qint64)> done);
    // A file's size and modification time in `folder` (relative, with its "/"): from the
    // folder's listing when this connection has one, else from SIZE and MDTM. `told` when
    // the server could say: a size of -1 then means the file is not there. -1 and an empty
    // time for the rest of what it does not tell.
    using FactsDone = std::function<void(bool told, const RemoteEntry &facts)>;
    void remoteFacts(const QString &folder, const QString &name, FactsDone done);
    // The same, asked of the server now, whatever a listing said before.
    void askFacts(const QString &folder, const QString &name, FactsDone done);
    // Fills in the size and time of each file of `entries` that its listing left without
    // them (LIST gives no exact time), asked in as few flights as the server allows.
    void completeFacts(QList<RemoteEntry> entries, std::function<void(const QList<RemoteEntry> &)> done);
    // The time of each file a LIST is expected to show (it gives their sizes), asked in the
    // flight of its own first request: a folder that did not change costs no flight of its own.
    void askFactsAhead(const QStringList &names);
    // What a listing of `folder` showed, or an upload just made there, for `remoteFacts`.
    // `whole`: the listing of the whole folder, with MLSD's facts; a name it lacks is absent.
    void rememberEntries(const QString &folder, const QList<RemoteEntry> &entries, bool whole = false);
    // Runs a data command: the passive connection, the command, and completion
    // once both the data and the final reply are in, in either order.
    // `limit` caps a download kept in memory (-1: none).
    void transfer(const QByteArray &line, QIODevice *device, Direction direction, qint64 total,
                  Done done, qint64 limit = -1);
    // Lists a folder ("" for the current one) with the best command the server has.
    void listFolder(const QString &folder, ListDone done);

signals:
    void stateChanged(InetState state);
    void commandSent(const QString &line);
    void progress(qint64 done, qint64 total);
    void lost(const QString &reason);
    // A file found only under its aside name, left by a swap cut short, has its name again.
    void putBack(const QString &file, const QString &aside);
    // After each login: "TLS 1.3" and the like, or empty for plain FTP; and the server's
    // refusal when the connection or its files go in clear though TLS was asked.
    void encryptionChanged(const QString &protocol, const QString &refusal);

private:
    struct Transfer {
        QByteArray line;
        QIODevice *device = nullptr;
        Direction direction = Direction::Download;
        qint64 total = -1;
        qint64 limit = -1;
        Done done;
        bool dataDone = false;
        std::optional<FtpReply> finalReply;
    };

    void expect(ReplyHandler next, bool timed = true);
    void openPassiveV4();
    void connectData(quint16 port);
    void onTransferReply(const FtpReply &reply);
    void completeTransferIfDone();
    void endTransfer(bool ok, FtpReply reply); // by value: it may outlive the transfer it came from
    void onControlState(QAbstractSocket::SocketState state);
    void drop(const QString &reason);
    void sendLine(const QByteArray &line);
    // `line`, with a PWD before it while the current folder's name is not known.
    void requestNamingFolder(const QByteArray &line, ReplyHandler next);
    void askFactsOf(QList<RemoteEntry> entries, QList<qsizetype> wanted, qsizetype from,
                    std::function<void(const QList<RemoteEntry> &)> done);
    void collect(QList<QByteArray> lines, QList<FtpReply> replies, std::function<void(const QList<FtpReply> &)> done);
    bool acceptsCertificate(const QList<QSslError> &errors);
    QString hostPort() const;
    QString protocolName() const;

    FtpControlChannel control_;
    FtpDataChannel data_;
    FtpNameCodec codec_;
    FtpTimeouts timeouts_;
    std::optional<Transfer> transfer_;
    // Each lives until the next of its kind: never deleted from inside its own callback.
    std::unique_ptr<FtpLogin> login_;
    std::unique_ptr<FtpListing> listing_;
    FtpFeatures features_;
    TlsTrust defaultTrust_;
    TlsTrust *trust_ = &defaultTrust_;
    Common::ServerProfile account_;
    Done ready_;
    CurrentFolder where_;
    FolderMemory memory_;
    QHash<QString, RemoteEntry> factsAhead_; // what askFactsAhead learnt, for completeFacts
    QList<QByteArray> beforeNext_;
    std::function<void(const QList<FtpReply> &)> aheadTold_; // for the last lines of beforeNext_
    qsizetype aheadCount_ = 0;
    bool open_ = false;
    bool wasConnected_ = false;
    bool protectsData_ = false;
    bool certificateRefused_ = false; // the operator said no: the handshake fails for that
};

} // namespace Ftp
