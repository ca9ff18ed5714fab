#include "hotels/PhrasePublisher.h"

#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "common/RemoteTree.h"
#include "ftp/FtpSession.h"
#include "ftp/Publication.h"
#include "hotels/HotelName.h"
#include "hotels/HotelPhrases.h"
#include "hotels/ServerVersionGuard.h"

#include <QFileInfo>

namespace Hotels {

namespace {

const QString kConfirm = QStringLiteral("Etes-vous sur de vouloir effacer votre selection ?");
const QString kLostBeforeFacts = QStringLiteral("connexion perdue avant que le serveur ne donne sa version");

QString describe(const Ftp::FtpOutcome &outcome)
{
    return outcome.command.text() + QStringLiteral(" : ") + outcome.replyText;
}

} // namespace

PhrasePublisher::PhrasePublisher(HotelPhrases &hotels, const Ftp::PublishingDesk &desk, QObject *parent)
    : QObject(parent), hotels_(hotels), desk_(desk)
{
}

void PhrasePublisher::MAJ_Hoteltxt(Common::ListBox &lstBox, int maxPbar, bool adding)
{
    if (lstBox.count() == 0 || lstBox.listIndex() < 0)
        return;
    const QString hotel = lstBox.currentText();
    const QString upper = HotelName::upper(hotel);
    desk_.status.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": envoi liste des textes pour mise à jour..."));
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(maxPbar < 2 ? 0 : lstBox.listIndex(), maxPbar + 1);

    const std::optional<QString> failure = sendPhraseFile(publication, hotel, adding);
    if (!failure) { // the operator kept the server's version, and the guard said so
        // A hotel added here is a colleague's on the server: not left listed with our default
        // text, whose next publication would take its place.
        if (adding)
            hotels_.withdraw(hotel);
        return;
    }
    if (failure->isEmpty()) {
        desk_.status.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": envoi liste des textes pour mise à jour OK"));
    } else {
        desk_.status.Ajout_Status(QStringLiteral("Hotel ") + upper
                             + QStringLiteral(": * * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
        desk_.status.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": ") + *failure);
    }
}

// Empty when the file arrived; otherwise what went wrong; none when the operator kept the
// server's version.
std::optional<QString> PhrasePublisher::sendPhraseFile(Ftp::Publication &publication, const QString &hotel,
                                                       bool adding)
{
    publication.connect();
    const Ftp::FtpOutcome walk = publication.walk(Common::RemoteTree::kPhrases);
    if (!walk.ok)
        return describe(walk);
    const QString path = hotels_.phraseFilePath(hotel);
    const QString local = Common::Module1::ShortPath(path);
    if (local.isEmpty())
        return QStringLiteral("fichier local introuvable");
    // The local copy has the name the server listed, in whatever case: it goes back onto
    // that file, never beside it under a second spelling.
    const QString file = QFileInfo(path).fileName();
    ServerVersionGuard guard(desk_.root.phraseFacts(), desk_.ftp, desk_.ui, desk_.status);
    switch (guard.allowsPublishing(HotelName::upper(hotel), file, adding)) {
    case ServerVersionGuard::Verdict::Go:
        break;
    case ServerVersionGuard::Verdict::Keep:
        return std::nullopt;
    case ServerVersionGuard::Verdict::Unknown:
        return kLostBeforeFacts;
    }
    const Ftp::FtpOutcome put = publication.send(QStringLiteral("Phrase pour Hotel: ") + hotel, local, file);
    if (!put.ok)
        return describe(put);
    guard.published(file, path, put.facts);
    return QString();
}

void PhrasePublisher::addHotel()
{
    desk_.ftp.runAction([&] {
        if (hotels_.addHotel())
            publishCurrent(true);
    });
}

void PhrasePublisher::publishSelected()
{
    publishCurrent(false);
}

void PhrasePublisher::publishCurrent(bool adding)
{
    desk_.ftp.runAction([&] {
        hotels_.savePhrases();
        MAJ_Hoteltxt(hotels_.lstHotel, 1, adding);
    });
}

void PhrasePublisher::publishAll()
{
    desk_.ftp.runAction([&] {
        const int count = hotels_.lstHotel.count();
        for (int i = 0; i < count; ++i) {
            hotels_.lstHotel.setListIndex(i);
            MAJ_Hoteltxt(hotels_.lstHotel, hotels_.lstHotel.count() - 1);
        }
    });
}

void PhrasePublisher::removeSelected()
{
    desk_.ftp.runAction([&] {
        const int selected = hotels_.lstHotel.listIndex();
        if (selected < 0)
            return;
        if (desk_.ui.messageBox(kConfirm, Common::OperatorUi::Buttons::OkCancel, Common::OperatorUi::Icon::Question,
                           Common::OperatorUi::kDialogTitle) != Common::OperatorUi::Answer::Ok)
            return;
        const QString hotel = hotels_.lstHotel.item(selected);
        switch (deleteOnServer(hotel)) {
        case Removal::Deleted:
            desk_.status.Ajout_Status(hotel + QStringLiteral(": supprimé"));
            hotels_.lstHotel.removeItem(selected);
            break;
        case Removal::Failed:
            desk_.status.Ajout_Status(hotel + QStringLiteral(": * * * ERREUR DE SUPPRESSION VEUILLEZ RECOMMENCER * * *"));
            break;
        case Removal::Kept:
            break; // the guard said so
        }
    });
}

PhrasePublisher::Removal PhrasePublisher::deleteOnServer(const QString &hotel)
{
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.caption(QStringLiteral("Suppression de l' Hôtel: ") + hotel);
    publication.connect();
    if (!publication.walk(Common::RemoteTree::kPhrases).ok)
        return Removal::Failed;
    desk_.ftp.GetDir(QString());
    const QString file = QFileInfo(hotels_.phraseFilePath(hotel)).fileName();
    ServerVersionGuard guard(desk_.root.phraseFacts(), desk_.ftp, desk_.ui, desk_.status);
    switch (guard.allowsRemoving(HotelName::upper(hotel), file)) {
    case ServerVersionGuard::Verdict::Go:
        break;
    case ServerVersionGuard::Verdict::Keep:
        return Removal::Kept;
    case ServerVersionGuard::Verdict::Unknown:
        return Removal::Failed;
    }
    if (!desk_.ftp.runCommand(Ftp::FtpCommand::remove(file)).ok)
        return Removal::Failed;
    guard.removed(file, hotels_.phraseFilePath(hotel));
    return Removal::Deleted;
}

} // namespace Hotels
