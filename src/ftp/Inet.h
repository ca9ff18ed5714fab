#pragma once

#include "common/ServerProfile.h"
#include "ftp/FtpCommand.h"
#include "ftp/FtpNameCodec.h"
#include "ftp/FtpOutcome.h"
#include "ftp/FtpTimeouts.h"
#include "ftp/RemoteEntry.h"
#include "ftp/RemotePath.h"
#include "ftp/TlsTrust.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace Ftp {

// Our FTP client: one command at a time, carried out in the background on the
// event loop. The connection opens with the first command and stays, with its
// current folder, until "CLOSE". Progress is reported as state codes:
//  1/2 resolving, 3/4 connecting, 5/6 request, 7/8 response, 9/10 disconnect,
//  11 error, 12 completed.
class Inet : public QObject {
    Q_OBJECT
public:
    enum Protocol { icFTP = 2 };

    explicit Inet(QObject *parent = nullptr);
    ~Inet() override;

    void setProtocol(int protocol);
    void setRemotePort(int port);
    void setRemoteHost(const QString &host);
    void setUserName(const QString &user);
    void setPassword(const QString &password);
    // A further numeric setting the program makes; kept, not interpreted.
    void setAccessSetting(int value);
    void setTimeouts(const FtpTimeouts &timeouts);
    const FtpTimeouts &timeouts() const;
    // The TLS policy and extra CAs of the account; the host, port, user and password
    // keep their own setters.
    void setTls(Common::TlsPolicy policy, const QByteArray &extraCaPem);
    // Who decides on certificates no CA vouches for; refused when nobody does.
    void setTrust(TlsTrust *trust);
    TlsTrust *trust() const;

    const QString &RemoteHost() const;
    // The account as set: host, port, user, password and TLS.
    const Common::ServerProfile &account() const;
    int accessSetting() const;

    // Starts a command. Refused (state 11, a failed outcome, false) while another
    // runs, or when the command is invalid; it is then never sent.
    bool Execute(const FtpCommand &command);
    bool StillExecuting() const;
    // Logged in, with the connection up as far as the client knows.
    bool isConnected() const;
    // Where this connection's login put us, as PWD named it; empty when not known.
    QString loginFolder() const;
    // Connections opened anew so far, each in the login folder whatever the last one had
    // walked down to; one taken up again where it dropped does not count.
    int logins() const;
    // The folder the connection is in, while it is known without asking the server.
    RemotePath currentFolder() const;
    // How names go on the wire, with the bytes of every name listed so far.
    const FtpNameCodec &names() const;
    // Ends the command in flight and the connection at once, without waiting for the
    // server: a transfer stops where it is, and its temporary files are let go of. Helpers
    // working beside the client on connections of their own stop too (`cancelled`).
    void Cancel();
    // The next `size` characters of the last "PWD" answer, the folder's path; empty once
    // all is read.
    QString GetChunk(int size);
    // The last "LS" listing, as the server's entries.
    const QList<RemoteEntry> &listing() const;
    const FtpOutcome &lastOutcome() const;
    // True while a state change is being reported; nothing may block then.
    bool isDispatching() const;

signals:
    void StateChanged(int state);
    // Every command ends here once the client is idle again, whatever its states said.
    void commandDone(const FtpOutcome &outcome);
    void commandSent(const QString &line);
    void transferProgress(qint64 done, qint64 total);
    void cancelled();
    // A transfer broke with the connection and is tried again after a pause.
    void retrying(const QString &file, int attempt, int tries);
    // A file found only under its aside name, left by a swap cut short, has its name again.
    void putBack(const QString &file, const QString &aside);
    // After each login: "TLS 1.3" and the like, or empty for plain FTP; and the server's
    // refusal when the connection or its files go in clear though TLS was asked.
    void encryptionChanged(const QString &protocol, const QString &refusal);

private:
    class Engine;
    std::unique_ptr<Engine> engine_;
};

} // namespace Ftp
