#pragma once

#include "ftp/FtpCommand.h"
#include "ftp/FtpConnection.h"
#include "ftp/FtpOutcome.h"
#include "ftp/FtpTimeouts.h"

#include <QObject>
#include <QString>
#include <memory>

class FtpDownload;
class FtpUpload;

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

    void setProtocol(int protocol) { protocol_ = protocol; }
    void setRemotePort(int port) { account_.port = static_cast<quint16>(port); }
    void setRemoteHost(const QString &host) { account_.host = host; }
    void setUserName(const QString &user) { account_.user = user; }
    void setPassword(const QString &password) { account_.password = password; }
    // A further numeric setting the program makes; kept, not interpreted.
    void setAccessSetting(int value) { accessSetting_ = value; }
    void setTimeouts(const FtpTimeouts &timeouts) { connection_.setTimeouts(timeouts); }

    const QString &RemoteHost() const { return account_.host; }
    int accessSetting() const { return accessSetting_; }

    // Starts a command. Refused (state 11, a failed outcome, false) while another
    // runs, or when the command is invalid; it is then never sent.
    bool Execute(const FtpCommand &command);
    bool StillExecuting() const { return busy_; }
    // Ends the command in flight and the connection at once, without waiting for the
    // server: a transfer stops where it is, and its temporary files are let go of.
    void Cancel();
    // The next `size` characters of the last answer (the "LS" listing or the
    // "PWD" path); empty once all is read.
    QString GetChunk(int size);
    const FtpOutcome &lastOutcome() const { return outcome_; }
    // True while a state change is being reported; nothing may block then.
    bool isDispatching() const { return dispatching_ > 0; }

signals:
    void StateChanged(int state);
    void commandSent(const QString &line);
    void transferProgress(qint64 done, qint64 total);

private:
    bool refuse(const FtpCommand &command, const QString &why);
    void run();
    void simple(const QByteArray &verb, const QString &name);
    void renameEntry();
    void list();
    void printFolder();
    void finish(bool ok, const FtpReply &reply, bool announce = true);
    void onLost(const QString &reason);
    void emitState(int state);

    FtpConnection connection_;
    ServerProfile account_;
    int protocol_ = icFTP;
    int accessSetting_ = 0;
    bool busy_ = false;
    int dispatching_ = 0;
    FtpCommand current_;
    FtpOutcome outcome_;
    QString answer_;
    qsizetype read_ = 0;
    // A transfer's job lives until the next command, never deleted from inside
    // one of its own callbacks.
    std::unique_ptr<FtpUpload> upload_;
    std::unique_ptr<FtpDownload> download_;
};
