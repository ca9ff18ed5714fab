#include "hotels/PhrasePublisher.h"

#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "common/RemoteTree.h"
#include "ftp/FtpAction.h"
#include "ftp/FtpSession.h"
#include "ftp/Publication.h"
#include "hotels/HotelName.h"
#include "hotels/HotelPhrases.h"

#include <QFileInfo>

namespace Hotels {

namespace {

const QString kConfirm = QStringLiteral("Etes-vous sur de vouloir effacer votre selection ?");

QString describe(const Ftp::FtpOutcome &outcome)
{
    return outcome.command.text() + QStringLiteral(" : ") + outcome.replyText;
}

} // namespace

PhrasePublisher::PhrasePublisher(HotelPhrases &hotels, Ftp::FtpSession &ftp, Common::ProgressWindow &form3,
                                 Common::StatusLog &status, Common::OperatorUi &ui, QObject *parent)
    : QObject(parent), hotels_(hotels), ftp_(ftp), form3_(form3), status_(status), ui_(ui)
{
}

void PhrasePublisher::MAJ_Hoteltxt(Common::ListBox &lstBox, int maxPbar)
{
    if (lstBox.count() == 0 || lstBox.listIndex() < 0)
        return;
    const QString hotel = lstBox.currentText();
    const QString upper = HotelName::upper(hotel);
    status_.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": envoi liste des textes pour mise à jour..."));
    Ftp::Publication publication(ftp_, form3_);
    publication.setBar(maxPbar < 2 ? 0 : lstBox.listIndex(), maxPbar + 1);

    const QString failure = sendPhraseFile(publication, hotel);
    if (failure.isEmpty()) {
        status_.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": envoi liste des textes pour mise à jour OK"));
    } else {
        status_.Ajout_Status(QStringLiteral("Hotel ") + upper
                             + QStringLiteral(": * * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
        status_.Ajout_Status(QStringLiteral("Hotel ") + upper + QStringLiteral(": ") + failure);
    }
}

// Empty when the file arrived; otherwise what went wrong.
QString PhrasePublisher::sendPhraseFile(Ftp::Publication &publication, const QString &hotel)
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
    const Ftp::FtpOutcome put = publication.send(QStringLiteral("Phrase pour Hotel: ") + hotel, local,
                                            QFileInfo(path).fileName());
    return put.ok ? QString() : describe(put);
}

void PhrasePublisher::addHotel()
{
    const Ftp::FtpAction action(ftp_);
    if (action.refused())
        return;
    if (hotels_.addHotel())
        publishSelected();
}

void PhrasePublisher::publishSelected()
{
    const Ftp::FtpAction action(ftp_);
    if (action.refused())
        return;
    const Common::BusyCursor busy(ui_);
    hotels_.savePhrases();
    MAJ_Hoteltxt(hotels_.lstHotel, 1);
}

void PhrasePublisher::publishAll()
{
    const Ftp::FtpAction action(ftp_);
    if (action.refused())
        return;
    const Common::BusyCursor busy(ui_);
    const int count = hotels_.lstHotel.count();
    for (int i = 0; i < count; ++i) {
        hotels_.lstHotel.setListIndex(i);
        MAJ_Hoteltxt(hotels_.lstHotel, hotels_.lstHotel.count() - 1);
    }
}

void PhrasePublisher::removeSelected()
{
    const Ftp::FtpAction action(ftp_);
    if (action.refused())
        return;
    const int selected = hotels_.lstHotel.listIndex();
    if (selected < 0)
        return;
    if (ui_.messageBox(kConfirm, Common::OperatorUi::Buttons::OkCancel, Common::OperatorUi::Icon::Question,
                       Common::OperatorUi::kDialogTitle) != Common::OperatorUi::Answer::Ok)
        return;
    const QString hotel = hotels_.lstHotel.item(selected);
    if (deleteOnServer(hotel)) {
        status_.Ajout_Status(hotel + QStringLiteral(": supprimé"));
        hotels_.lstHotel.removeItem(selected);
    } else {
        status_.Ajout_Status(hotel + QStringLiteral(": * * * ERREUR DE SUPPRESSION VEUILLEZ RECOMMENCER * * *"));
    }
}

bool PhrasePublisher::deleteOnServer(const QString &hotel)
{
    Ftp::Publication publication(ftp_, form3_);
    publication.caption(QStringLiteral("Suppression de l' Hôtel: ") + hotel);
    publication.connect();
    if (!publication.walk(Common::RemoteTree::kPhrases).ok)
        return false;
    ftp_.GetDir(QString());
    return ftp_.runCommand(Ftp::FtpCommand::remove(QFileInfo(hotels_.phraseFilePath(hotel)).fileName())).ok;
}

} // namespace Hotels
