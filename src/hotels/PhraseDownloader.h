#pragma once

#include <QObject>
#include <QStringList>

class DataRoot;
class FtpSession;
class HotelPhrases;
class ProgressWindow;
class Publication;
class StatusLog;

// Makes the local phrase folder a copy of the server's at start-up and rebuilds the
// hotel list from it. Files are fetched into a staging folder first, so a server that
// cannot be reached, or a download that fails, never costs the operator a local copy.
class PhraseDownloader : public QObject {
    Q_OBJECT
public:
    PhraseDownloader(const DataRoot &root, HotelPhrases &hotels, FtpSession &ftp,
                     ProgressWindow &form3, StatusLog &status, QObject *parent = nullptr);

    void DownPhrases();

private:
    bool listServerFolder(Publication &publication);
    int downloadListed(Publication &publication, const QString &staging, QStringList &failed);
    void showLocalCopies();
    bool replacePhraseFolder(const QString &staging, const QStringList &failed);

    const DataRoot &root_;
    HotelPhrases &hotels_;
    FtpSession &ftp_;
    ProgressWindow &form3_;
    StatusLog &status_;
};
