#include "browser/FtpBrowser.h"

#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "ftp/FtpAction.h"
#include "ftp/FtpSession.h"

FtpBrowser::FtpBrowser(FtpSession &session, ProgressWindow &form3, StatusLog &status,
                       OperatorUi &ui, QObject *parent)
    : QObject(parent), session_(session), form3_(form3), ui_(ui), editor_(session, form3, status)
{
    connect(&session.Inet1, &Inet::StateChanged, this, [this](int state) {
        if (state == 4)
            Command1Enabled.setValue(false);
        if (state == 10)
            Command1Enabled.setValue(true);
    });
    connect(&session, &FtpSession::listingReset, this, [this] { Command1Enabled.setValue(true); });
}

void FtpBrowser::openLocalEntry()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    const QString entry = local_.List2.currentText();
    if (entry.isEmpty() || local_.enter(entry) || !local_.hasFolder())
        return;
    session_.Transfert_FTP(local_.Text1.text() + entry, entry);
}

void FtpBrowser::openRemoteEntry()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    const QString entry = session_.List1.currentText();
    if (entry.isEmpty() || entry == FtpSession::kEmptyMarker)
        return;
    if (entry.contains(u'/'))
        session_.GetDir(entry);
    else
        download(entry);
}

void FtpBrowser::download(const QString &remoteName)
{
    if (!local_.hasFolder())
        return;
    const QString localPath = local_.filePath(remoteName);
    if (localPath.isEmpty()) {
        ui_.messageBox(QStringLiteral("Ce fichier ne peut pas être enregistré dans le dossier local : ")
                           + remoteName,
                       OperatorUi::Buttons::Ok, OperatorUi::Icon::Exclamation,
                       OperatorUi::kDialogTitle);
        return;
    }
    session_.runCommand(FtpCommand::get(remoteName, localPath));
    local_.ChangeDir();
}

void FtpBrowser::loadProgressWindow()
{
    form3_.load();
}

void FtpBrowser::remoteUp()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    session_.runCommand(FtpCommand::cdup());
    session_.GetDir(QString());
}

void FtpBrowser::makeRemoteFolder()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    const QString name = ui_.inputBox(QStringLiteral("Plaese insert the name of the new dir"),
                                      QStringLiteral("Name"), QStringLiteral("New Folder"));
    if (name.isEmpty())
        return;
    session_.runCommand(FtpCommand::mkdir(name));
    session_.GetDir(QString());
}

void FtpBrowser::deleteRemoteEntry()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    session_.Wait();
    const QString entry = session_.List1.currentText();
    if (entry.isEmpty())
        return;
    session_.runCommand(entry.contains(u'/') ? FtpCommand::rmdir(entry) : FtpCommand::remove(entry));
    session_.GetDir(QString());
}

void FtpBrowser::renameRemoteEntry()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    const QString entry = session_.List1.currentText();
    if (entry.isEmpty())
        return;
    const QString answer = ui_.inputBox(QStringLiteral("Rename ") + entry + QStringLiteral(" to?"),
                                        QStringLiteral("Rename to?"), entry);
    if (answer.isEmpty() || answer == entry)
        return;
    session_.runCommand(FtpCommand::rename(entry, answer));
    session_.GetDir(QString());
}

void FtpBrowser::localUp()
{
    local_.Up();
}

void FtpBrowser::resetRemotePane()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    session_.resetListing();
}

void FtpBrowser::disconnect()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    session_.disconnectFTP();
}
