#include "browser/VideoFolderEditor.h"

#include "app/ProgressWindow.h"
#include "app/StatusLog.h"
#include "ftp/FtpSession.h"

VideoFolderEditor::VideoFolderEditor(FtpSession &session, ProgressWindow &form3, StatusLog &status,
                                     QObject *parent)
    : QObject(parent), session_(session), form3_(form3), status_(status)
{
}

void VideoFolderEditor::Command9_Click()
{
    form3_.frmWait(-1);
    session_.disconnectFTP();
    session_.connectFTP();
    for (const char *folder : {"www", "hmanager", "datas", "videos"})
        session_.runCommand(FtpCommand::cd(QString::fromLatin1(folder)));
    session_.GetDir(QString());
    if (session_.List1.count() == 0 || !session_.lastListingOk()) {
        // Without a listing there is nothing to edit; the main window must not stay disabled.
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
    session_.Wait();
    const QString entry = session_.List1.currentText();
    if (entry.isEmpty())
        return;
    if (!entry.contains(u'/'))
        session_.runCommand(FtpCommand::remove(entry));
    session_.GetDir(QString());
}
