#include "sales/SalesPublisher.h"

#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/PlainName.h"
#include "common/ProgressWindow.h"
#include "common/RemoteTree.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"
#include "ftp/Publication.h"
#include "sales/SalesPanel.h"

#include <QFileInfo>
#include <algorithm>

namespace Sales {

namespace {

const QString kUnsafeReference = QStringLiteral(
    "Référence du bien refusée: elle ne doit être ni vide, ni contenir \"/\", \"\\\", \"..\" "
    "ou un caractère de contrôle, ni commencer ou finir par un espace, ni dépasser 200 caractères (les lettres accentuées comptent double), "
    "ni contenir de caractère hors de l'alphabet Windows-1252.");

// The text box's own line breaks, whatever their form, as the screens expect them.
QString withCrLf(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// A picture still on disk as a file; otherwise the empty text.
QString localPicture(const QString &path)
{
    const QString shortPath = Common::Module1::ShortPath(path);
    return QFileInfo(shortPath).isFile() ? shortPath : QString();
}

} // namespace

SalesPublisher::SalesPublisher(SalesPanel &panel, const Ftp::PublishingDesk &desk, QObject *parent)
    : QObject(parent), panel_(panel), desk_(desk)
{
}

bool SalesPublisher::isSafeReference(const QString &reference)
{
    return Common::PlainName::typedProblem(reference).isEmpty();
}

void SalesPublisher::publishIndexImage()
{
    publish([this] { sendIndex(); });
}

void SalesPublisher::publishThumbnails()
{
    publish([this] { sendGallery(thumbnails()); });
}

void SalesPublisher::publishLargeImages()
{
    publish([this] { sendGallery(largeImages()); });
}

void SalesPublisher::publishAllImages()
{
    publish([this] { allImages(); });
}

void SalesPublisher::publishAllTexts()
{
    publish([this] { allTexts(); });
}

void SalesPublisher::publishShortText()
{
    publish([this] { sendText(shortText()); });
}

void SalesPublisher::publishLongText()
{
    publish([this] { sendText(longText()); });
}

void SalesPublisher::publishEverything()
{
    publish([this] {
        allImages();
        allTexts();
    });
}

void SalesPublisher::publish(const std::function<void()> &uploads)
{
    desk_.ftp.runAction([&] {
        if (referenceAccepted())
            uploads();
    });
}

bool SalesPublisher::referenceAccepted()
{
    if (isSafeReference(reference()))
        return true;
    desk_.ui.messageBox(kUnsafeReference, Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Exclamation,
                   Common::OperatorUi::kDialogTitle);
    return false;
}

QString SalesPublisher::reference() const
{
    return panel_.txtRef.text();
}

void SalesPublisher::allImages()
{
    desk_.progress.frmWait(-1);
    sendIndex();
    sendGallery(thumbnails());
    sendGallery(largeImages());
    desk_.progress.frmWait(0);
}

void SalesPublisher::allTexts()
{
    desk_.progress.frmWait(-1);
    sendText(shortText());
    sendText(longText());
    desk_.progress.frmWait(0);
}

void SalesPublisher::sendIndex()
{
    const QString caption = QStringLiteral("Fichier image index");
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(0, 1);
    publication.connect();
    // No walk: the remote name is a path from the login folder.
    send(publication, caption, panel_.lblThb.text(),
         Common::RemoteTree::path(Common::RemoteTree::kSalesSite) + QStringLiteral("/img_thb/") + reference() + QStringLiteral(".jpg"));
}

void SalesPublisher::sendGallery(const Gallery &gallery)
{
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(0, gallery.list.count());
    publication.connect();
    if (!walk(publication, Common::RemoteTree::kSalesDetail + QStringList{gallery.folder}, gallery.caption))
        return;
    if (!referenceFolderListed())
        desk_.ftp.runCommand(Ftp::FtpCommand::mkdir(reference())); // refused when it is there; the "CD" tells
    if (!walk(publication, {reference()}, gallery.caption))
        return;
    for (int i = 0; i < gallery.list.count(); ++i) {
        gallery.list.setListIndex(i);
        send(publication, gallery.caption, gallery.list.currentText(),
             reference() + QLatin1Char('_') + QString::number(i + 1) + QStringLiteral(".jpg"));
    }
}

// A reference beyond ASCII may name a folder an 8-bit client made: listed first, it is found
// and entered in its own bytes, never made a second time beside it in UTF-8 ones. A plain
// ASCII name reads the same either way and costs no listing.
bool SalesPublisher::referenceFolderListed()
{
    const QString folder = reference();
    if (std::all_of(folder.begin(), folder.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return false;
    const QList<Ftp::RemoteEntry> entries = desk_.ftp.GetDir(QString()).entries;
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Ftp::RemoteEntry &entry) { return entry.folder && entry.name == folder; });
}

void SalesPublisher::sendText(const Text &text)
{
    const QString path = desk_.root.temp() + QLatin1Char('/') + text.tempFile;
    Ftp::Publication publication(desk_.ftp, desk_.progress);
    publication.setBar(0, 1);
    if (!writeTempFile(text, path))
        return;
    if (text.listFirst)
        publication.connect();
    send(publication, text.caption, path, reference() + QStringLiteral(".txt"), text.folders);
}

bool SalesPublisher::walk(Ftp::Publication &publication, const QStringList &folders, const QString &caption)
{
    const Ftp::FtpOutcome outcome = publication.walk(folders);
    if (!outcome.ok)
        reportWalk(caption, outcome);
    return outcome.ok;
}

void SalesPublisher::reportWalk(const QString &caption, const Ftp::FtpOutcome &refused)
{
    report(caption, QStringLiteral("échec de \"%1\" (%2), rien n'est envoyé").arg(refused.command.text(), refused.replyText));
}

void SalesPublisher::send(Ftp::Publication &publication, const QString &caption, const QString &path,
                          const QString &remote, const QStringList &folders)
{
    const QString local = localPicture(path);
    if (local.isEmpty()) {
        publication.caption(caption);
        publication.advance();
        report(caption, path.isEmpty() ? QStringLiteral("aucun fichier choisi, rien n'est envoyé")
                                       : QStringLiteral("fichier introuvable, non envoyé: %1").arg(path));
        return;
    }
    const Ftp::FtpOutcome outcome = publication.sendInto(folders, caption, local, remote);
    if (!outcome.ok && outcome.command.verb() == Ftp::FtpCommand::Verb::Cd)
        reportWalk(caption, outcome);
    else if (!outcome.ok)
        report(caption, QStringLiteral("échec de l'envoi de %1 vers %2 (%3)").arg(local, remote, outcome.replyText));
}

bool SalesPublisher::writeTempFile(const Text &text, const QString &path)
{
    try {
        Common::Module1::SaveListFile(path, QStringList{withCrLf(text.text.text())});
        return true;
    } catch (const Common::ListFileError &e) {
        report(text.caption, e.message() + QStringLiteral(", rien n'est envoyé"));
        return false;
    }
}

void SalesPublisher::report(const QString &caption, const QString &what)
{
    desk_.status.Ajout_Status(QStringLiteral("Vente ") + reference() + QStringLiteral(", ") + caption
                         + QStringLiteral(": ") + what);
}

SalesPublisher::Gallery SalesPublisher::thumbnails() const
{
    return {panel_.lstThbVente, QStringLiteral("img_thb"), QStringLiteral("Fichiers images miniatures")};
}

SalesPublisher::Gallery SalesPublisher::largeImages() const
{
    return {panel_.lstBigVente, QStringLiteral("img_big"), QStringLiteral("Fichiers grandes vignettes")};
}

SalesPublisher::Text SalesPublisher::shortText() const
{
    return {panel_.txtCourt, QStringLiteral("txt_court.txt"), true, Common::RemoteTree::kSalesSite + QStringList{"txt_thb"},
            QStringLiteral("Fichier texte court")};
}

SalesPublisher::Text SalesPublisher::longText() const
{
    // No listing first: the walk's first "CD" opens the connection.
    return {panel_.txtDesc, QStringLiteral("txt_desc.txt"), false, Common::RemoteTree::kSalesDetail + QStringList{"txt_desc"},
            QStringLiteral("Fichier texte descriptif complet")};
}

} // namespace Sales
