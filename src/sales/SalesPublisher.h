#pragma once

#include "ftp/PublishingDesk.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace Common { class ImageValue; class ListBox; class TextValue; }
namespace Ftp { class Publication; struct FtpOutcome; }

namespace Sales {

class SalesPanel;

// The sales panel's publishing buttons: each upload is one connection of its own into
// the real-estate client's folders, and the combined buttons chain them.
class SalesPublisher : public QObject {
    Q_OBJECT
public:
    SalesPublisher(SalesPanel &panel, const Ftp::PublishingDesk &desk, QObject *parent = nullptr);

    // The reference becomes remote folder and file names, so it must stay one plain name.
    static bool isSafeReference(const QString &reference);

    void publishIndexImage();  // Command13 "Index"
    void publishThumbnails();  // Command14 "Miniatures"
    void publishLargeImages(); // Command15 "Grandes"
    void publishAllImages();   // Command16 "TOUT", images
    void publishAllTexts();    // Command17 "TOUT", texts
    void publishShortText();   // Command18 "Court"
    void publishLongText();    // Command19 "Descriptif"
    void publishEverything();  // Command23

private:
    struct Gallery {
        Common::ListBox &list;
        QString folder;
        QString caption;
    };
    struct Text {
        Common::TextValue &text;
        QString tempFile;
        bool listFirst;
        QStringList folders;
        QString caption;
    };

    // One action: refused while another waits, and only for a safe reference.
    void publish(const std::function<void()> &uploads);
    bool referenceAccepted();
    QString reference() const;
    void allImages();
    void allTexts();
    void sendIndex();
    void sendGallery(const Gallery &gallery);
    // Whether the gallery folder lists the reference's folder already (see the .cpp).
    bool referenceFolderListed();
    void sendText(const Text &text);
    bool walk(Ftp::Publication &publication, const QStringList &folders, const QString &caption);
    void reportWalk(const QString &caption, const Ftp::FtpOutcome &refused);
    // Down `folders` (none: where the publication is), then the picture or text at `path`.
    void send(Ftp::Publication &publication, const QString &caption, const QString &path, const QString &remote,
              const QStringList &folders = {});
    bool writeTempFile(const Text &text, const QString &path);
    void report(const QString &caption, const QString &what);

    Gallery thumbnails() const;
    Gallery largeImages() const;
    Text shortText() const;
    Text longText() const;

    SalesPanel &panel_;
    const Ftp::PublishingDesk desk_;
};

} // namespace Sales
