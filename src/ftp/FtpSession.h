#pragma once

#include "common/ListBox.h"
#include "common/OperatorUi.h"
#include "common/ServerProfile.h"
#include "common/TextValue.h"
#include "ftp/FtpCommand.h"
#include "ftp/FtpOutcome.h"
#include "ftp/Inet.h"
#include "ftp/InetState.h"
#include "ftp/TlsTrust.h"

#include <QObject>
#include <QString>
#include <functional>

namespace Ftp {

// The program's side of the FTP client: the client itself, the remote listing
// (`List1`, `Text2`), the status bar text, and the helpers every operation uses to
// talk to the content server.
class FtpSession : public QObject {
    Q_OBJECT
public:
    static inline const QString kEmptyMarker = QStringLiteral("This folder is empty");
    static inline const QString kBusySuffix = QStringLiteral(". Plaese wait...");

    // Certificates the operator accepts are pinned in `pinsFile`.
    FtpSession(const Common::ServerProfile &profile, Common::OperatorUi &ui, const QString &pinsFile = {},
               QObject *parent = nullptr);

    Inet Inet1;
    Common::ListBox List1{QStringLiteral("List1")};
    Common::TextValue Text2{QStringLiteral("Text2")};
    Common::TextValue StatusBar1{QStringLiteral("StatusBar1")};
    // Beside the status bar: how the last connection was protected, empty before any.
    Common::TextValue TlsStatus{QStringLiteral("TlsStatus")};
    static inline const QString kPlainText = QStringLiteral("Non chiffré");
    // Why the last connection, or its files, went in clear though TLS was asked; else empty.
    Common::TextValue TlsRefusal{QStringLiteral("TlsRefusal")};

    // Hands the client the server's profile; nothing is sent yet.
    void configure();
    // Configure, then list the login folder, which opens the connection. Inside an action
    // the listing is owed instead, and the connection waits for the action's first command:
    // the action's own listings come before anyone reads it.
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
    // once `body` returned: the listing it owes, or the disconnect.
    bool runAction(const std::function<void()> &body);
    bool actionRunning() const { return actionRunning_; }
    void connectFTP();
    // Hands the client "CLOSE" without waiting for it. A listing still owed is dropped:
    // the disconnect empties the listing anyway.
    void disconnectFTP();
    // Inside an operator action the connection outlives each step and is closed when the
    // action ends; outside one, now.
    void closeAfterAction();
    void GetDir(const QString &GetDirDir);
    // Whether the last GetDir got the folder's listing from the server; an empty
    // marker after a failed listing must not be taken for an empty folder.
    bool lastListingOk() const { return lastListingOk_; }
    // What the last GetDir listed, with the facts the server gave.
    const QList<RemoteEntry> &listedEntries() const { return entries_; }
    QString GetData();
    // Each returns how the transfer itself went; the folder is listed again after it: at
    // once outside an operator action or after a failure, else before the action's next
    // command that is no transfer, or when the action ends.
    // `onlyIfChanged`: nothing sent when the server has the same file (see FtpCommand).
    FtpOutcome Transfert_FTP(const QString &localfic, const QString &remotefic, bool onlyIfChanged = false);
    FtpOutcome GET_Transfert_FTP(const QString &remotefic, const QString &localfic);
    // One command issued the standard way: Wait, Execute, Wait.
    FtpOutcome runCommand(const FtpCommand &command);
    // While deferred (a publication's steps), the listing a transfer owes waits for the
    // action's end, or is dropped with the connection: nobody reads it in between.
    void deferListings(bool on) { listingsDeferred_ += on ? 1 : -1; }

    // The browser's reset ("Cancel", and a failed listing): the listing and the status bar
    // emptied; the browser enables "Connect" on `listingReset`.
    void resetListing();
    // The status bar's text for the client's state; a disconnect empties the listing.
    void showState(Ftp::InetState state);
    // Ends the command in flight and the connection at once, the helpers' too: see Inet::Cancel.
    void cancel() { Inet1.Cancel(); }

signals:
    // The client's own, for program code that has no business with the client itself.
    void stateChanged(Ftp::InetState state);
    void transferProgress(qint64 done, qint64 total);
    void retrying(const QString &file, int attempt, int tries);
    void putBack(const QString &file, const QString &aside);
    // An operator action began or ended talking to the server.
    void actionRunningChanged(bool running);
    void listingReset();

private:
    void fillList(const QList<RemoteEntry> &entries);
    void listAfterTransfer(const FtpOutcome &transfer);
    // The listing a transfer owes, made before anything that would change what it shows.
    void listIfDue();
    void reportListingFailure();
    // The end of the outermost action: the connection closed or the owed listing made.
    void endAction();
    void markAction(bool running);

    Common::ServerProfile profile_;
    Common::OperatorUi &ui_;
    TlsTrust trust_;
    bool lastListingOk_ = false;
    QList<RemoteEntry> entries_;
    bool listingDue_ = false;
    int listingsDeferred_ = 0;
    bool closeAtActionEnd_ = false;
    int waitDepth_ = 0;
    bool actionRunning_ = false;
};

} // namespace Ftp
