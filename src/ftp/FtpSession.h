#pragma once

#include "common/OperatorUi.h"
#include "common/ServerProfile.h"
#include "ftp/ClientStatus.h"
#include "ftp/FtpCommand.h"
#include "ftp/FtpOutcome.h"
#include "ftp/Inet.h"
#include "ftp/InetState.h"
#include "ftp/Listing.h"
#include "ftp/TlsTrust.h"

#include <QObject>
#include <QString>
#include <functional>

namespace Ftp {

// The program's side of the FTP client: the client's status, and the steps every
// operation uses to talk to the content server, each returning how it went.
class FtpSession : public QObject {
    Q_OBJECT
public:
    // Certificates the operator accepts are pinned in `pinsFile`.
    FtpSession(const Common::ServerProfile &profile, Common::OperatorUi &ui, const QString &pinsFile = {},
               QObject *parent = nullptr);

    ClientStatus &status() { return status_; }
    void setTimeouts(const FtpTimeouts &timeouts) { Inet1.setTimeouts(timeouts); }

    // Hands the client the server's profile; nothing is sent yet.
    void configure();
    const Common::ServerProfile &profile() const { return profile_; }
    // Another server from the next connection on.
    void setProfile(const Common::ServerProfile &profile)
    {
        profile_ = profile;
        configure();
    }
    // Configure, then list the login folder, which opens the connection. Inside an action
    // only configure: the action's first command opens it, its walk going along with the
    // login, and the action lists what it needs.
    void startUp();

    // Returns once the client is idle, sleeping in the event loop meanwhile.
    void Wait();
    // The same, until `busy` says false: the one nested event loop of the program.
    void waitWhile(const std::function<bool()> &busy);
    // True inside a Wait: a reaction reached now is the operator clicking while
    // another action waits for the server.
    bool isWaiting() const { return waitDepth_ > 0; }
    // One operator action talks to the server at a time, under the hourglass. The operator's
    // clicks are only handled inside a Wait, so an action begun there would run in the middle
    // of another one and take its outcomes: it is refused (false). An action run by another
    // one (publish all calling publish one) is part of it. The action's end is made here,
    // once `body` returned: the disconnect, or `actionEnding` for what a view owes.
    bool runAction(const std::function<void()> &body);
    bool actionRunning() const { return actionRunning_; }
    void connectFTP();
    // Hands the client "CLOSE" without waiting for it.
    void disconnectFTP();
    // The connection outlives each step of an operator action and is closed when it ends.
    // Only marks: it is called from a destructor, which must send nothing.
    void closeAfterAction();
    // Enters `GetDirDir` (none: stays) and lists the folder; announced by `listed`, or
    // by `listingRefused` when the client would not even send it.
    // `withFacts`: each file with its exact size and time, asked where the listing lacks them,
    // those of the `expected` files in the listing's own flight.
    Listing GetDir(const QString &GetDirDir, bool withFacts = false, const QStringList &expected = {});
    // The last GetDir's listing while its connection lasts: a disconnect takes it away.
    const Listing &lastListing() const { return lastListing_; }
    QString GetData();
    // Each returns how the transfer itself went, and announces it (`transferred`).
    // `onlyIfChanged`: nothing sent when the server has the same file (see FtpCommand).
    FtpOutcome Transfert_FTP(const QString &localfic, const QString &remotefic, bool onlyIfChanged = false);
    FtpOutcome GET_Transfert_FTP(const QString &remotefic, const QString &localfic);
    // One command issued the standard way: Wait, Execute, Wait.
    FtpOutcome runCommand(const FtpCommand &command);
    // While deferred (a publication's steps), `aboutToChangeFolder` is not said: nobody
    // reads a listing in between.
    void deferListings(bool on) { listingsDeferred_ += on ? 1 : -1; }

    bool busy() const { return Inet1.StillExecuting(); }
    bool isConnected() const { return Inet1.isConnected(); }
    // Where the connection's login put it, as PWD named it; empty when not known.
    QString loginFolder() const { return Inet1.loginFolder(); }
    // See Inet::logins: a step that walked down knows by it whether it is still there.
    int logins() const { return Inet1.logins(); }
    // Ends the command in flight and the connection at once, the helpers' too: see Inet::Cancel.
    void cancel() { Inet1.Cancel(); }

signals:
    // The client's own, for program code that has no business with the client itself.
    void stateChanged(Ftp::InetState state);
    void transferProgress(qint64 done, qint64 total);
    void retrying(const QString &file, int attempt, int tries);
    void putBack(const QString &file, const QString &aside);
    void commandSent(const QString &line);
    void commandDone(const Ftp::FtpOutcome &outcome);
    // An operator action began or ended talking to the server.
    void actionRunningChanged(bool running);
    void listed(const Ftp::Listing &listing);
    // A listing the client refused to send (busy, or a name it cannot send): views empty.
    void listingRefused();
    void transferred(const Ftp::FtpOutcome &outcome);
    // A command that may change what the folder's listing shows is about to go.
    void aboutToChangeFolder();
    // The outermost action ends with the connection left open.
    void actionEnding();

private:
    // The engine's own class drives the client beside the session.
    friend class ParallelFetch;

    Listing refuseListing();
    FtpOutcome transfer(const FtpCommand &command);
    // The end of the outermost action: the connection closed, or `actionEnding`.
    void endAction();
    void markAction(bool running);

    Inet Inet1;
    Common::ServerProfile profile_;
    Common::OperatorUi &ui_;
    TlsTrust trust_;
    ClientStatus status_;
    Listing lastListing_;
    int listingsDeferred_ = 0;
    bool closeAtActionEnd_ = false;
    int waitDepth_ = 0;
    bool actionRunning_ = false;
};

} // namespace Ftp
