#include "videos/VideoPublisher.h"

#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "common/RemoteTree.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"
#include "ftp/Publication.h"
#include "videos/CategoryLists.h"

namespace Videos {

namespace {

QString categoryLine(const QString &nomCat, const QString &rest)
{
    return QStringLiteral("Catégorie ") + nomCat.toUpper() + QStringLiteral(": ") + rest;
}

QString errorLine(const QString &nomCat)
{
    return categoryLine(nomCat, QStringLiteral("* * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
}

} // namespace

VideoPublisher::VideoPublisher(CategoryLists &lists, const Ftp::PublishingDesk &desk, QObject *parent)
    : QObject(parent), lists_(lists), desk_(desk), detail_(desk.ftp, desk.progress.detail)
{
}

void VideoPublisher::MAJ_Hotelvideo(Common::ListBox &lstBox, int maxPbar, const QString &nomCat)
{
    if (lstBox.listIndex() < 0 || lstBox.count() == 0)
        return;
    const QString video = lstBox.currentText();
    const QString localfic = Common::Module1::ShortPath(video);
    if (localfic.isEmpty()) {
        desk_.status.Ajout_Status(categoryLine(nomCat, QStringLiteral("vidéo introuvable, non envoyée: ") + video));
        return;
    }
    desk_.status.Ajout_Status(categoryLine(nomCat, QStringLiteral("envoi vidéo pour mise à jour...")));
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(maxPbar < 2 ? 0 : lstBox.listIndex(), maxPbar + 1);
    publication.connect();
    // A video the server has already is not sent again; the list file always is.
    const bool sent = sendInto(publication, Common::RemoteTree::kVideos + QStringList{nomCat},
                               QStringLiteral("Catégorie ") + nomCat.toUpper() + QStringLiteral(" - Vidéo: ") + video,
                               localfic, Common::Module1::FileNameFromPath(localfic), true);
    desk_.status.Ajout_Status(sent ? categoryLine(nomCat, QStringLiteral("envoi vidéo pour mise à jour OK"))
                              : errorLine(nomCat));
}

void VideoPublisher::MAJ_Hotelvideo_list(int maxPbar, const QString &nomCat)
{
    const QString localfic = Common::Module1::ShortPath(desk_.root.categoryFile(nomCat));
    if (localfic.isEmpty()) {
        desk_.status.Ajout_Status(categoryLine(nomCat, QStringLiteral("liste vidéo jamais sauvegardée, rien n'est envoyé")));
        return;
    }
    desk_.status.Ajout_Status(categoryLine(nomCat, QStringLiteral("envoi liste vidéo pour mise à jour...")));
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(0, maxPbar + 1);
    publication.connect();
    if (!sendInto(publication, Common::RemoteTree::kVideoLists, QStringLiteral("Envoi liste de vidéos pour la catégorie ") + nomCat.toUpper(),
                  localfic, nomCat + QStringLiteral(".ini")))
        desk_.status.Ajout_Status(errorLine(nomCat));
}

void VideoPublisher::sendSelected(int index)
{
    desk_.ftp.runAction([&] {
        MAJ_Hotelvideo(lists_.list(index), 1, categories().at(index).key);
    });
}

void VideoPublisher::sendAll(int index)
{
    desk_.ftp.runAction([&] {
        Common::ListBox &list = lists_.list(index);
        const int count = list.count();
        for (int i = 0; i < count; ++i) {
            list.setListIndex(i);
            MAJ_Hotelvideo(list, list.count() - 1, categories().at(index).key);
        }
    });
}

void VideoPublisher::sendList(int index)
{
    desk_.ftp.runAction([&] {
        MAJ_Hotelvideo_list(1, categories().at(index).key);
    });
}

void VideoPublisher::sendAllCategories()
{
    desk_.ftp.runAction([&] {
        for (std::size_t i = 0; i < categories().size(); ++i)
            sendAll(static_cast<int>(i));
    });
}

bool VideoPublisher::sendInto(Ftp::Publication &publication, const QStringList &folders, const QString &caption,
                              const QString &localfic, const QString &remotefic, bool onlyIfChanged)
{
    detail_.begin();
    const Ftp::FtpOutcome sent = publication.sendInto(folders, caption, localfic, remotefic, onlyIfChanged);
    detail_.end();
    if (sent.alreadyThere)
        desk_.progress.detail.setText(kAlreadyThere);
    return sent.ok;
}

} // namespace Videos
