#pragma once

#include "ftp/RemoteEntry.h"

#include <QHash>
#include <QObject>
#include <QStringList>

namespace Common { class DataRoot; class ProgressWindow; class StatusLog; }
namespace Ftp { class FtpSession; class ParallelFetch; class Publication; }

namespace Hotels {

class HotelPhrases;
class PhraseFacts;

// Makes the local phrase folder a copy of the server's at start-up and rebuilds the
// hotel list from it. Files are fetched into a staging folder first, so a server that
// cannot be reached, or a download that fails, never costs the operator a local copy.
class PhraseDownloader : public QObject {
    Q_OBJECT
public:
    // The phrase folder's listing, by name.
    using Listed = QHash<QString, Ftp::RemoteEntry>;

    PhraseDownloader(const Common::DataRoot &root, HotelPhrases &hotels, Ftp::FtpSession &ftp,
                     Common::ProgressWindow &form3, Common::StatusLog &status, QObject *parent = nullptr);

    void DownPhrases();

private:
    void synchronise();
    bool listServerFolder(Ftp::Publication &publication, Ftp::ParallelFetch &fetch);
    QStringList downloadListed(Ftp::Publication &publication, Ftp::ParallelFetch &fetch, const PhraseFacts &facts,
                               const Listed &listed, const QString &staging, QStringList &failed);
    void recordFacts(PhraseFacts &facts, const Listed &listed, const QStringList &arrived,
                     const QStringList &failed) const;
    bool keepUnpublished(const PhraseFacts &facts, const QString &staging);
    void showLocalCopies();
    bool replacePhraseFolder(const QString &staging, const QStringList &failed);

    const Common::DataRoot &root_;
    HotelPhrases &hotels_;
    Ftp::FtpSession &ftp_;
    Common::ProgressWindow &form3_;
    Common::StatusLog &status_;
};

} // namespace Hotels
