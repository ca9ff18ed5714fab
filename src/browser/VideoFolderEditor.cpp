#include "browser/VideoFolderEditor.h"

#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "ftp/FolderWalk.h"
#include "ftp/FtpAction.h"
#include "ftp/FtpSession.h"

namespace {

const QStringList kVideoFolder = {"www", "hmanager", "datas", "videos"};

} // namespace

VideoFolderEditor::VideoFolderEditor(FtpSession &session, ProgressWindow &form3, StatusLog &status,
                                     QObject *parent)
    : QObject(parent), session_(session), form3_(form3), status_(status)
{
}

void VideoFolderEditor::Command9_Click()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    form3_.frmWait(-1);
    session_.disconnectFTP();
    session_.connectFTP();
    // Deleting is only safe in the folder the operator believes they are in.
    const FtpOutcome walk = walkFolders(session_, kVideoFolder);
    if (!walk.ok) {
        Command20Enabled.setValue(false);
        status_.Ajout_Status(QStringLiteral("Mode édition : impossible d'entrer dans le dossier ")
                             + walk.command.argument(0) + QStringLiteral(" (") + walk.replyText
                             + QStringLiteral(")"));
        form3_.frmWait(0);
        return;
    }
    session_.GetDir(QString());
    if (session_.List1.count() == 0 || !session_.lastListingOk()) {
        // Without a listing there is nothing to edit; the main window must not stay disabled.
        Command20Enabled.setValue(false);
        status_.Ajout_Status(QStringLiteral("Mode édition : le dossier des vidéos n'a pas pu être listé"));
        form3_.frmWait(0);
        return;
    }
    Command20Enabled.setValue(true);
    session_.List1.setListIndex(0);
    form3_.frmWait(0);
}

void VideoFolderEditor::Command20_Click()
{
    const FtpAction action(session_);
    if (action.refused())
        return;
    session_.Wait();
    const QString entry = session_.List1.currentText();
    if (entry.isEmpty())
        return;
    if (!entry.contains(u'/'))
        session_.runCommand(FtpCommand::remove(entry));
    session_.GetDir(QString());
}
