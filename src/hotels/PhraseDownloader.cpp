#include "hotels/PhraseDownloader.h"

#include "common/Cp1252.h"
#include "common/DataRoot.h"
#include "common/PlainName.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "common/RemoteTree.h"
#include "ftp/FtpSession.h"
#include "ftp/ParallelFetch.h"
#include "ftp/RemoteListing.h"
#include "ftp/Publication.h"
#include "hotels/HotelName.h"
#include "hotels/HotelPhrases.h"
#include "hotels/PhraseFacts.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QSet>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace Hotels {

namespace {

const QString kStart = QStringLiteral("Telechargement des phrases depuis le serveur ...");
const QString kDone = QStringLiteral("Telechargement des phrases depuis le serveur ... OK");
const QString kSynced = QStringLiteral("Synchronisation terminée");

// A local copy into the staging folder: a second name for the same file, which costs neither
// a copy nor a forced write; a plain copy where the disk has no such names.
bool carryOver(const QString &from, const QString &to)
{
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
        || QFile::copy(from, to);
}

// The mode a folder keeps across its replacement: its own, or what the umask gives a new one.
mode_t folderMode(const QString &folder)
{
    struct stat status {};
    if (::stat(QFile::encodeName(folder).constData(), &status) == 0)
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0777 & ~mask;
}

// Staging folders of a start that was stopped half way: nobody else uses them, since one
// program at a time has the data root.
void removeStaleStaging(const QString &cfg)
{
    for (const QString &stale : QDir(cfg).entryList({QStringLiteral(".textes-*")}, QDir::Dirs | QDir::Hidden))
        QDir(cfg + QLatin1Char('/') + stale).removeRecursively();
}

bool sameBytes(const QString &one, const QString &other)
{
    QFile a(one);
    QFile b(other);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.size() == b.size()
           && a.readAll() == b.readAll();
}

// A copy of `local` at `name`, or beside it under a number when that is taken (two starts
// in one second): never over another copy. Empty when it could not be written whole.
QString keepCopy(const QString &local, const QString &name)
{
    if (!QDir().mkpath(QFileInfo(name).path()))
        return {};
    for (int n = 1; n < 100; ++n) {
        const QString copy = n == 1 ? name : name + QLatin1Char('-') + QString::number(n);
        if (QFileInfo::exists(copy))
            continue;
        if (QFile::copy(local, copy) && sameBytes(local, copy))
            return copy;
        QFile::remove(copy);
        return {};
    }
    return {};
}

// The first of a name listed twice: its bytes are the ones the connection sends back.
PhraseDownloader::Listed byName(const QList<Ftp::RemoteEntry> &entries)
{
    PhraseDownloader::Listed listed;
    for (const Ftp::RemoteEntry &entry : entries)
        if (!listed.contains(entry.name))
            listed.insert(entry.name, entry);
    return listed;
}

// How a name's other spelling reads in the log: its character set, and its bytes with those
// beyond ASCII as %XX, since both spellings show the same letters.
QString otherSpelling(const Ftp::RemoteEntry &entry)
{
    const QByteArray bytes = entry.eightBit ? Common::Cp1252::encode(entry.name).value_or(QByteArray())
                                            : entry.name.toUtf8();
    return (entry.eightBit ? QStringLiteral("Windows-1252 ") : QStringLiteral("UTF-8 "))
           + QString::fromLatin1(bytes.toPercentEncoding(" ~_.-"));
}

} // namespace

PhraseDownloader::PhraseDownloader(const Common::DataRoot &root, HotelPhrases &hotels, Ftp::FtpSession &ftp,
                                   Common::ProgressWindow &form3, Common::StatusLog &status, QObject *parent)
    : QObject(parent), root_(root), hotels_(hotels), ftp_(ftp), form3_(form3), status_(status)
{
}

void PhraseDownloader::DownPhrases()
{
    // One action: its publication's connection closes at its end.
    ftp_.runAction([this] { synchronise(); });
}

void PhraseDownloader::synchronise()
{
    status_.Ajout_Status(kStart);
    Ftp::Publication publication(ftp_, form3_);
    Ftp::ParallelFetch fetch(ftp_);
    removeStaleStaging(root_.cfg());
    QTemporaryDir staging(root_.cfg() + QStringLiteral("/.textes-XXXXXX"));
    if (!staging.isValid()) {
        status_.Ajout_Status(QStringLiteral("Telechargement des phrases: * * * ERREUR: dossier %1 inaccessible * * *")
                                 .arg(root_.cfg()));
        showLocalCopies();
    } else if (!listServerFolder(publication, fetch)) {
        status_.Ajout_Status(QStringLiteral("Serveur injoignable: les copies locales des phrases sont affichées"));
        showLocalCopies();
    } else {
        QStringList failed;
        PhraseFacts facts(root_.phraseFacts());
        const Listed listed = byName(ftp_.lastListing().entries);
        const QStringList arrived = downloadListed(publication, fetch, facts, listed, staging.path(), failed);
        const qsizetype received = arrived.size();
        const bool replaced = keepUnpublished(facts, staging.path()) && replacePhraseFolder(staging.path(), failed);
        if (replaced)
            recordFacts(facts, listed, arrived, failed);
        staging.setAutoRemove(!replaced);
        if (!replaced)
            status_.Ajout_Status(QStringLiteral("Telechargement des phrases: * * * ERREUR: dossier %1 non remplacé * * *")
                                     .arg(root_.textes()));
        else if (failed.isEmpty())
            status_.Ajout_Status(kDone);
        else
            status_.Ajout_Status(QStringLiteral("Telechargement des phrases depuis le serveur ... * * * ERREUR: "
                                                "%1 fichier(s) sur %2 non reçu(s), copies locales conservées * * *")
                                     .arg(failed.size())
                                     .arg(received + failed.size()));
    }
    status_.Ajout_Status(kSynced);
    if (hotels_.lstHotel.count() > 0)
        hotels_.lstHotel.setListIndex(0);
}

// A fresh connection opens with the walk in its login; its listing is made while the helper
// connections log in, as many as the hotels of the last start call for.
bool PhraseDownloader::listServerFolder(Ftp::Publication &publication, Ftp::ParallelFetch &fetch)
{
    if (!publication.walk(Common::RemoteTree::kPhrases).ok)
        return false;
    const QStringList localCopies = QDir(root_.textes()).entryList(QDir::Files);
    fetch.prepare(Common::RemoteTree::path(Common::RemoteTree::kPhrases), localCopies.size());
    // Exact facts of every file, also from a server that lists without them: without them a
    // colleague's change could not be told from ours. Those of the last start's files go
    // along with the listing.
    ftp_.GetDir(QString(), true, localCopies);
    // A connection lost right after the listing takes the listing with it.
    ftp_.Wait();
    return ftp_.lastListing().ok;
}

// Fetches every plain file entry of the listing, or keeps the local copy of one the server
// did not change; returns the files that arrived or were kept. The files come over the
// session's connection and its helpers at once.
QStringList PhraseDownloader::downloadListed(Ftp::Publication &publication, Ftp::ParallelFetch &fetch,
                                            const PhraseFacts &facts, const Listed &listed, const QString &staging,
                                            QStringList &failed)
{
    QStringList arrived;
    QStringList wanted;
    QSet<QString> taken;
    for (const Ftp::RemoteEntry &listedEntry : ftp_.lastListing().entries) {
        const QString &entry = listedEntry.name;
        if (listedEntry.folder || entry.startsWith(Ftp::RemoteListing::kTempPrefix) || !Common::PlainName::isFileName(entry))
            continue;
        if (taken.contains(entry)) { // a second spelling of a name already taken
            status_.Ajout_Status(QStringLiteral("Hotel %1 : le serveur a aussi ce fichier sous une autre écriture "
                                                "(%2), laissée telle quelle")
                                     .arg(HotelName::fromFileName(entry), otherSpelling(listedEntry)));
            continue;
        }
        taken.insert(entry);
        if (entry.size() >= HotelName::kSuffix.size())
            hotels_.lstHotel.addItem(HotelName::fromFileName(entry));
        const QString local = root_.textes() + QLatin1Char('/') + entry;
        if (facts.unchanged(listed.value(entry), local) && carryOver(local, staging + QLatin1Char('/') + entry))
            arrived.append(entry);
        else
            wanted.append(entry);
    }
    const auto count = [&](const QString &file, bool ok) {
        if (file.size() >= HotelName::kSuffix.size())
            publication.caption(QStringLiteral("Telechargement phrases Hôtel: ") + HotelName::fromFileName(file));
        if (ok)
            arrived.append(file);
        else
            failed.append(file);
    };
    QObject::connect(&fetch, &Ftp::ParallelFetch::arrived, &fetch, count);
    fetch.run(wanted, staging);
    if (!wanted.isEmpty())
        ftp_.GetDir(QString()); // the listing each download would have left
    return arrived;
}

void PhraseDownloader::recordFacts(PhraseFacts &facts, const Listed &listed, const QStringList &arrived,
                                   const QStringList &failed) const
{
    for (const QString &file : arrived)
        facts.record(listed.value(file), root_.textes() + QLatin1Char('/') + file);
    // A file that did not arrive keeps its old copy, and so what was known of it.
    for (const QString &file : failed)
        facts.carry(file);
    facts.save(); // if it cannot be written, the next start only fetches everything again
}

// The server stays the reference, but a day of edits saved and never published is not
// thrown away with the local copy: a copy of each such file is kept aside, and said where.
// False, with its log line, when one could not be written: then nothing may replace it.
bool PhraseDownloader::keepUnpublished(const PhraseFacts &facts, const QString &staging)
{
    const QString kept = root_.cfg() + QStringLiteral("/textes-non-publiés/");
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString &file : QDir(root_.textes()).entryList(QDir::Files, QDir::Name)) {
        const QString local = root_.textes() + QLatin1Char('/') + file;
        if (!facts.editedSince(file, local) || sameBytes(local, staging + QLatin1Char('/') + file))
            continue;
        const QString copy = keepCopy(local, kept + file + QLatin1Char('.') + stamp);
        if (copy.isEmpty()) {
            status_.Ajout_Status(QStringLiteral("Hotel %1 : * * * ERREUR: modifications non publiées impossibles à "
                                                "conserver dans %2, phrases locales inchangées * * *")
                                     .arg(HotelName::fromFileName(file), kept));
            return false;
        }
        status_.Ajout_Status(QStringLiteral("Hotel %1 : modifications non publiées conservées dans %2")
                                 .arg(HotelName::fromFileName(file), copy));
    }
    return true;
}

void PhraseDownloader::showLocalCopies()
{
    const QStringList files = QDir(root_.textes()).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files)
        if (file.size() >= HotelName::kSuffix.size())
            hotels_.lstHotel.addItem(HotelName::fromFileName(file));
}

// The staged files become the phrase folder; a file that failed to arrive keeps its
// previous local copy.
bool PhraseDownloader::replacePhraseFolder(const QString &staging, const QStringList &failed)
{
    for (const QString &entry : failed) {
        const QString local = root_.textes() + QLatin1Char('/') + entry;
        const QString staged = staging + QLatin1Char('/') + entry;
        QFile::remove(staged);
        // A copy that cannot be carried over (a full disk) keeps the whole folder as it is.
        if (QFile::exists(local) && !carryOver(local, staged))
            return false;
    }
    const QString old = root_.textes() + QStringLiteral(".old");
    QDir(old).removeRecursively();
    const mode_t mode = folderMode(root_.textes()); // not the staging folder's private one
    QDir dir;
    if (QDir(root_.textes()).exists() && !dir.rename(root_.textes(), old))
        return false;
    if (!dir.rename(staging, root_.textes())) {
        dir.rename(old, root_.textes());
        return false;
    }
    ::chmod(QFile::encodeName(root_.textes()).constData(), mode);
    for (const QString &file : QDir(old).entryList(QDir::Files)) // fresh copies keep the old ones' modes
        QFile::setPermissions(root_.textes() + QLatin1Char('/') + file, QFile::permissions(old + QLatin1Char('/') + file));
    QDir(old).removeRecursively();
    return true;
}

} // namespace Hotels
