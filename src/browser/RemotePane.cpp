#include "browser/RemotePane.h"

#include "browser/RemoteChanges.h"
#include "ftp/FtpSession.h"
#include "ftp/RemoteListing.h"

#include <utility>

namespace Browser {

RemotePane::RemotePane(Ftp::FtpSession &session, RemoteChanges &changes, QObject *parent)
    : QObject(parent), session_(session), changes_(changes)
{
    connect(&session, &Ftp::FtpSession::listed, this, &RemotePane::show);
    connect(&session, &Ftp::FtpSession::listingRefused, this, &RemotePane::reset);
    connect(&session, &Ftp::FtpSession::stateChanged, this, [this](Ftp::InetState state) {
        if (state == Ftp::InetState::Disconnected)
            clear();
    });
    connect(&session, &Ftp::FtpSession::transferred, this, &RemotePane::followTransfer);
    connect(&session, &Ftp::FtpSession::aboutToChangeFolder, this, &RemotePane::listIfOwed);
    connect(&session, &Ftp::FtpSession::actionEnding, this, &RemotePane::listIfOwed);
}

void RemotePane::reset()
{
    clear();
    session_.status().StatusBar1.setText(QString());
    emit wasReset();
}

void RemotePane::deleteSelected(bool folders)
{
    session_.runAction([&] {
        session_.Wait();
        const QString entry = List1.currentText();
        if (entry.isEmpty() || entry == kEmptyMarker)
            return;
        if (!entry.contains(u'/'))
            changes_.remove(entry);
        else if (folders)
            session_.runCommand(Ftp::FtpCommand::rmdir(entry));
        session_.GetDir(QString());
    });
}

void RemotePane::clear()
{
    owed_ = false; // nothing left to show it in; a listing now would open a connection
    List1.clear();
    Text2.setText(QString());
}

void RemotePane::show(const Ftp::Listing &listing)
{
    owed_ = false; // this listing is the newer one
    // Folders first, each group in the server's order; our temporary files never show.
    QStringList folders;
    QStringList files;
    for (const Ftp::RemoteEntry &entry : listing.entries) {
        if (entry.name.startsWith(Ftp::RemoteListing::kTempPrefix))
            continue;
        if (entry.folder)
            folders.append(entry.name + QLatin1Char('/'));
        else
            files.append(entry.name);
    }
    folders += files;
    if (folders.isEmpty())
        folders.append(kEmptyMarker);
    List1.setItems(folders);
    Text2.setText(listing.path);
}

void RemotePane::followTransfer(const Ftp::FtpOutcome &transfer)
{
    // Within an action nobody reads the pane before the next command that leaves the folder
    // or the connection: it is listed once, then. After a failure, at once.
    if (transfer.ok && session_.actionRunning())
        owed_ = true;
    else
        session_.GetDir(QString());
}

void RemotePane::listIfOwed()
{
    if (!owed_)
        return;
    session_.Wait(); // a disconnect under way takes what was owed with it
    if (std::exchange(owed_, false))
        session_.GetDir(QString());
}

} // namespace Browser
