#include "hotels/ServerVersionGuard.h"

#include "common/OperatorUi.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"

namespace Hotels {

ServerVersionGuard::ServerVersionGuard(const QString &factsFile, Ftp::FtpSession &ftp, Common::OperatorUi &ui,
                                       Common::StatusLog &status)
    : facts_(factsFile), ftp_(ftp), ui_(ui), status_(status)
{
}

ServerVersionGuard::Change ServerVersionGuard::changeSince(const QString &file, bool adding)
{
    const int logins = ftp_.logins();
    const Ftp::FtpOutcome now = ftp_.runCommand(Ftp::FtpCommand::facts(file));
    // A connection opened anew meanwhile asked in the login folder, not the phrase folder.
    if (ftp_.logins() != logins)
        return Change::Unknown;
    if (!now.ok) // the server does not say, or the connection went before it could
        return ftp_.isConnected() ? Change::None : Change::Unknown;
    const bool there = now.facts.size >= 0;
    changedAt_ = Ftp::RemoteEntry::time(now.facts.modified);
    const std::optional<Ftp::RemoteEntry> seen = facts_.lastSeen(file);
    const bool seenThere = seen && seen->size >= 0;
    if (!seen || !seenThere) // nothing there, as far as this workstation knows
        return there && (adding || seen) ? Change::Modified : Change::None;
    if (!there)
        return Change::Gone;
    const QDateTime seenAt = Ftp::RemoteEntry::time(seen->modified);
    if (!changedAt_.isValid() || !seenAt.isValid())
        return Change::None;
    return now.facts.size == seen->size && changedAt_ == seenAt ? Change::None : Change::Modified;
}

bool ServerVersionGuard::ask(const QString &question) const
{
    return ui_.messageBox(question, Common::OperatorUi::Buttons::OkCancel, Common::OperatorUi::Icon::Question,
                          Common::OperatorUi::kDialogTitle)
           == Common::OperatorUi::Answer::Ok;
}

QString ServerVersionGuard::modified(const QString &hotel) const
{
    const QString when = changedAt_.isValid()
                             ? changedAt_.toLocalTime().toString(QStringLiteral("dd/MM/yyyy à HH:mm:ss"))
                             : QStringLiteral("à une date inconnue");
    return QStringLiteral("Hotel %1 : la version du serveur a été modifiée le %2, après votre dernier téléchargement.")
        .arg(hotel, when);
}

ServerVersionGuard::Verdict ServerVersionGuard::allowsPublishing(const QString &hotel, const QString &file, bool adding)
{
    switch (changeSince(file, adding)) {
    case Change::None:
        return Verdict::Go;
    case Change::Unknown:
        return Verdict::Unknown;
    case Change::Modified:
        if (ask(modified(hotel) + QStringLiteral(" Remplacer la version du serveur ?")))
            return Verdict::Go;
        status_.Ajout_Status(QStringLiteral("Hotel %1 : non envoyé, la version du serveur est conservée").arg(hotel));
        return Verdict::Keep;
    case Change::Gone:
        if (ask(QStringLiteral("Hotel %1 a été supprimé du serveur après votre dernier téléchargement. "
                               "Le publier à nouveau ?")
                    .arg(hotel)))
            return Verdict::Go;
        status_.Ajout_Status(QStringLiteral("Hotel %1 : non envoyé, supprimé du serveur").arg(hotel));
        return Verdict::Keep;
    }
    return Verdict::Unknown;
}

ServerVersionGuard::Verdict ServerVersionGuard::allowsRemoving(const QString &hotel, const QString &file)
{
    const Change change = changeSince(file, false);
    if (change == Change::Unknown)
        return Verdict::Unknown;
    if (change != Change::Modified || ask(modified(hotel) + QStringLiteral(" Supprimer quand même la version du serveur ?")))
        return Verdict::Go;
    status_.Ajout_Status(QStringLiteral("Hotel %1 : non supprimé, la version du serveur est conservée").arg(hotel));
    return Verdict::Keep;
}

Ftp::RemoteEntry ServerVersionGuard::writtenNow(const QString &file, Ftp::RemoteEntry told)
{
    if (told.size < 0 || told.modified.isEmpty()) {
        const Ftp::FtpOutcome now = ftp_.runCommand(Ftp::FtpCommand::facts(file));
        told = now.ok ? now.facts : Ftp::RemoteEntry{};
    }
    told.name = file;
    return told;
}

void ServerVersionGuard::published(const QString &file, const QString &localCopy, const Ftp::RemoteEntry &told)
{
    facts_.remember(writtenNow(file, told), localCopy);
}

void ServerVersionGuard::removed(const QString &file, const QString &localCopy)
{
    facts_.removed(file, localCopy);
}

void ServerVersionGuard::writtenByHand(const QString &file, const Ftp::RemoteEntry &told)
{
    facts_.serverChanged(writtenNow(file, told));
}

void ServerVersionGuard::removedByHand(const QString &file)
{
    facts_.serverChanged(Ftp::RemoteEntry{file});
}

} // namespace Hotels
