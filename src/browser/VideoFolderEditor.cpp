#include "browser/VideoFolderEditor.h"

#include "browser/RemotePane.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "common/RemoteTree.h"
#include "ftp/FtpSession.h"
#include "ftp/Publication.h"

namespace Browser {

VideoFolderEditor::VideoFolderEditor(Ftp::FtpSession &session, RemotePane &remote, Common::ProgressWindow &form3,
                                     Common::StatusLog &status, QObject *parent)
    : QObject(parent), session_(session), remote_(remote), form3_(form3), status_(status)
{
}

void VideoFolderEditor::enterEditingMode()
{
    session_.runAction([&] {
        // The connection stays in the video folder, where "SUPPRIMER" deletes.
        Ftp::Publication publication(session_, form3_);
        publication.keepConnection();
        session_.disconnectFTP();
        publication.connect();
        // Deleting is only safe in the folder the operator believes they are in.
        const Ftp::FtpOutcome walk = publication.walk(Common::RemoteTree::kVideos);
        Command20Enabled.setValue(false);
        if (!walk.ok) {
            status_.Ajout_Status(QStringLiteral("Mode édition : impossible d'entrer dans le dossier ")
                                 + walk.command.argument(0) + QStringLiteral(" (") + walk.replyText
                                 + QStringLiteral(")"));
            return;
        }
        if (!session_.GetDir(QString()).ok) {
            // Without a listing there is nothing to edit; the main window must not stay disabled.
            status_.Ajout_Status(QStringLiteral("Mode édition : le dossier des vidéos n'a pas pu être listé"));
            return;
        }
        Command20Enabled.setValue(true);
        remote_.List1.setListIndex(0);
    });
}

void VideoFolderEditor::deleteSelectedVideo()
{
    remote_.deleteSelected(false); // only the videos themselves, never a category's folder
}

} // namespace Browser
