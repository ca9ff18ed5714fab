#include "hotels/PhraseFolderGuard.h"

#include "common/DataRoot.h"
#include "common/RemoteTree.h"
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

bool PhraseFolderGuard::allowsWriting(const QString &folder, const QString &file)
{
    // A name the server has and this workstation never saw is a colleague's: asked too.
    return !isPhraseFolder(folder)
           || guardOf(desk_).allowsPublishing(HotelName::fromFileName(file), file, true) == ServerVersionGuard::Verdict::Go;
}

bool PhraseFolderGuard::allowsRemoving(const QString &folder, const QString &file)
{
    return !isPhraseFolder(folder)
           || guardOf(desk_).allowsRemoving(HotelName::fromFileName(file), file) == ServerVersionGuard::Verdict::Go;
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
