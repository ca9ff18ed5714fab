#include "videos/VideoPublisher.h"

#include "ftp/FolderWalk.h"
#include "ftp/FtpAction.h"

#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"
#include "videos/CategoryLists.h"

namespace {

const QStringList kVideosFolder = {"www", "hmanager", "datas", "videos"};
const QStringList kListsFolder = {"www", "hmanager", "datas", "videos_lst"};

// The hourglass for the length of one button's work.
class BusyCursor {
public:
    explicit BusyCursor(OperatorUi &ui) : ui_(ui) { ui_.setBusyCursor(true); }
    ~BusyCursor() { ui_.setBusyCursor(false); }

private:
    OperatorUi &ui_;
};

QString categoryLine(const QString &nomCat, const QString &rest)
{
    return QStringLiteral("Catégorie ") + nomCat.toUpper() + QStringLiteral(": ") + rest;
}

QString errorLine(const QString &nomCat)
{
    return categoryLine(nomCat, QStringLiteral("* * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
}

} // namespace

VideoPublisher::VideoPublisher(FtpSession &ftp, CategoryLists &lists, const DataRoot &root,
                               StatusLog &status, ProgressWindow &form3, OperatorUi &ui, QObject *parent)
    : QObject(parent), ftp_(ftp), lists_(lists), root_(root), status_(status), form3_(form3), ui_(ui),
      detail_(ftp.Inet1, form3.detail)
{
}

void VideoPublisher::MAJ_Hotelvideo(ListBox &lstBox, int maxPbar, const QString &nomCat)
{
    if (lstBox.listIndex() < 0 || lstBox.count() == 0)
        return;
    const QString video = lstBox.currentText();
    const QString localfic = Module1::ShortPath(video);
    if (localfic.isEmpty()) {
        status_.Ajout_Status(categoryLine(nomCat, QStringLiteral("vidéo introuvable, non envoyée: ") + video));
        return;
    }
    status_.Ajout_Status(categoryLine(nomCat, QStringLiteral("envoi vidéo pour mise à jour...")));
    form3_.frmWait(-1);
    form3_.setRange(maxPbar < 2 ? 0 : lstBox.listIndex(), maxPbar + 1);
    ftp_.connectFTP();
    const bool sent = sendInto(kVideosFolder + QStringList{nomCat},
                               QStringLiteral("Catégorie ") + nomCat.toUpper() + QStringLiteral(" - Vidéo: ") + video,
                               localfic, Module1::FileNameFromPath(localfic));
    status_.Ajout_Status(sent ? categoryLine(nomCat, QStringLiteral("envoi vidéo pour mise à jour OK"))
                              : errorLine(nomCat));
    ftp_.disconnectFTP();
    form3_.frmWait(0);
}

void VideoPublisher::MAJ_Hotelvideo_list(int maxPbar, const QString &nomCat)
{
    const QString localfic = Module1::ShortPath(root_.categoryFile(nomCat));
    if (localfic.isEmpty()) {
        status_.Ajout_Status(categoryLine(nomCat, QStringLiteral("liste vidéo jamais sauvegardée, rien n'est envoyé")));
        return;
    }
    status_.Ajout_Status(categoryLine(nomCat, QStringLiteral("envoi liste vidéo pour mise à jour...")));
    form3_.frmWait(-1);
    form3_.setRange(0, maxPbar + 1);
    ftp_.connectFTP();
    if (!sendInto(kListsFolder, QStringLiteral("Envoi liste de vidéos pour la catégorie ") + nomCat.toUpper(),
                  localfic, nomCat + QStringLiteral(".ini")))
        status_.Ajout_Status(errorLine(nomCat));
    ftp_.disconnectFTP();
    form3_.frmWait(0);
}

void VideoPublisher::sendSelected(int index)
{
    const FtpAction action(ftp_);
    if (action.refused())
        return;
    BusyCursor busy(ui_);
    MAJ_Hotelvideo(lists_.list(index), 1, categories().at(index).key);
}

void VideoPublisher::sendAll(int index)
{
    const FtpAction action(ftp_);
    if (action.refused())
        return;
    BusyCursor busy(ui_);
    ListBox &list = lists_.list(index);
    const int count = list.count();
    for (int i = 0; i < count; ++i) {
        list.setListIndex(i);
        MAJ_Hotelvideo(list, list.count() - 1, categories().at(index).key);
    }
}

void VideoPublisher::sendList(int index)
{
    const FtpAction action(ftp_);
    if (action.refused())
        return;
    BusyCursor busy(ui_);
    MAJ_Hotelvideo_list(1, categories().at(index).key);
}

void VideoPublisher::Command44_Click()
{
    const FtpAction action(ftp_);
    if (action.refused())
        return;
    for (std::size_t i = 0; i < categories().size(); ++i)
        sendAll(static_cast<int>(i));
}

bool VideoPublisher::sendInto(const QStringList &folders, const QString &caption, const QString &localfic,
                              const QString &remotefic)
{
    bool sent = false;
    // A folder missing on the server must not send the file into its parent.
    if (walkFolders(ftp_, folders).ok) {
        form3_.lblMaj.setText(caption);
        detail_.begin();
        sent = ftp_.Transfert_FTP(localfic, remotefic).ok;
        detail_.end();
    }
    form3_.advance();
    return sent;
}
