#include "browser/FtpBrowser.h"

#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "ftp/FtpSession.h"

namespace Browser {

FtpBrowser::FtpBrowser(Ftp::FtpSession &session, Common::ProgressWindow &form3, Common::StatusLog &status,
                       Common::OperatorUi &ui, QObject *parent)
    : QObject(parent), session_(session), form3_(form3), ui_(ui), changes_(session), remote_(session, changes_), editor_(session, remote_, form3, status)
{
    connect(&session, &Ftp::FtpSession::stateChanged, this, [this](Ftp::InetState state) {
        if (state == Ftp::InetState::Connected)
            Command1Enabled.setValue(false);
        if (state == Ftp::InetState::Disconnected)
            Command1Enabled.setValue(true);
    });
    connect(&remote_, &RemotePane::wasReset, this, [this] { Command1Enabled.setValue(true); });
}

void FtpBrowser::openLocalEntry()
{
    session_.runAction([&] {
        const QString entry = local_.List2.currentText();
        if (entry.isEmpty() || local_.enter(entry) || !local_.hasFolder())
            return;
        changes_.put(local_.Text1.text() + entry, entry);
    });
}

void FtpBrowser::openRemoteEntry()
{
    session_.runAction([&] {
        const QString entry = remote_.List1.currentText();
        if (entry.isEmpty() || entry == RemotePane::kEmptyMarker)
            return;
        if (entry.contains(u'/'))
            session_.GetDir(entry);
        else
            download(entry);
    });
}

void FtpBrowser::download(const QString &remoteName)
{
    if (!local_.hasFolder())
        return;
    const QString localPath = local_.filePath(remoteName);
    if (localPath.isEmpty()) {
        ui_.messageBox(QStringLiteral("Ce fichier ne peut pas être enregistré dans le dossier local : ")
                           + remoteName,
                       Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Exclamation,
                       Common::OperatorUi::kDialogTitle);
        return;
    }
    session_.runCommand(Ftp::FtpCommand::get(remoteName, localPath));
    local_.ChangeDir();
}

void FtpBrowser::loadProgressWindow()
{
    form3_.load();
}

void FtpBrowser::remoteUp()
{
    session_.runAction([&] {
        session_.runCommand(Ftp::FtpCommand::cdup());
        session_.GetDir(QString());
    });
}

void FtpBrowser::makeRemoteFolder()
{
    session_.runAction([&] {
        const QString name = ui_.inputBox(QStringLiteral("Plaese insert the name of the new dir"),
                                          QStringLiteral("Name"), QStringLiteral("New Folder"));
        if (name.isEmpty())
            return;
        session_.runCommand(Ftp::FtpCommand::mkdir(name));
        session_.GetDir(QString());
    });
}

void FtpBrowser::deleteRemoteEntry()
{
    remote_.deleteSelected(true);
}

void FtpBrowser::renameRemoteEntry()
{
    session_.runAction([&] {
        const QString entry = remote_.List1.currentText();
        if (entry.isEmpty())
            return;
        const QString answer = ui_.inputBox(QStringLiteral("Rename ") + entry + QStringLiteral(" to?"),
                                            QStringLiteral("Rename to?"), entry);
        if (answer.isEmpty() || answer == entry)
            return;
        changes_.rename(entry, answer);
        session_.GetDir(QString());
    });
}

void FtpBrowser::localUp()
{
    local_.Up();
}

void FtpBrowser::resetRemotePane()
{
    session_.runAction([&] {
        remote_.reset();
    });
}

void FtpBrowser::disconnect()
{
    session_.runAction([&] {
        session_.disconnectFTP();
    });
}

} // namespace Browser
