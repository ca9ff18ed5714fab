#include "hotels/PhraseFolderGuard.h"

#include "common/DataRoot.h"
#include "common/RemoteTree.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"
#include "hotels/HotelName.h"
#include "hotels/ServerVersionGuard.h"

#include <QDir>

namespace Hotels {

namespace {

ServerVersionGuard guardOf(const Ftp::PublishingDesk &desk)
{
    return ServerVersionGuard(desk.root.phraseFacts(), desk.ftp, desk.ui, desk.status);
}

} // namespace

bool PhraseFolderGuard::isPhraseFolder(const QString &folder) const
{
    const QString login = desk_.ftp.loginFolder();
    if (login.isEmpty() || folder.isEmpty())
        return false;
    const QString phrases = login + QLatin1Char('/') + Common::RemoteTree::path(Common::RemoteTree::kPhrases);
    return QDir::cleanPath(folder) == QDir::cleanPath(phrases);
}

bool PhraseFolderGuard::goes(ServerVersionGuard::Verdict verdict, const QString &file) const
{
    if (verdict == ServerVersionGuard::Verdict::Unknown)
        desk_.status.Ajout_Status(QStringLiteral("Hotel %1 : * * * ERREUR: connexion perdue avant que le serveur ne "
                                                 "donne sa version, rien n'est changé * * *")
                                      .arg(HotelName::fromFileName(file)));
    return verdict == ServerVersionGuard::Verdict::Go;
}

bool PhraseFolderGuard::allowsWriting(const QString &folder, const QString &file)
{
    // A name the server has and this workstation never saw is a colleague's: asked too.
    return !isPhraseFolder(folder)
           || goes(guardOf(desk_).allowsPublishing(HotelName::fromFileName(file), file, true), file);
}

bool PhraseFolderGuard::allowsRemoving(const QString &folder, const QString &file)
{
    return !isPhraseFolder(folder) || goes(guardOf(desk_).allowsRemoving(HotelName::fromFileName(file), file), file);
}

void PhraseFolderGuard::written(const QString &folder, const QString &file, const Ftp::RemoteEntry &told)
{
    if (isPhraseFolder(folder))
        guardOf(desk_).writtenByHand(file, told);
}

void PhraseFolderGuard::removed(const QString &folder, const QString &file)
{
    if (isPhraseFolder(folder))
        guardOf(desk_).removedByHand(file);
}

} // namespace Hotels
