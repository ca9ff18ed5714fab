#pragma once

#include "ftp/PublishingDesk.h"
#include "videos/TransferDetail.h"

#include <QObject>
#include <QStringList>

namespace Common { class ListBox; }
namespace Ftp { class Publication; }

namespace Videos {

class CategoryLists;

// Sends the videos of a category and its video list to the content server, each
// file in a connection of its own.
class VideoPublisher : public QObject {
    Q_OBJECT
public:
    static inline const QString kAlreadyThere = QStringLiteral("Déjà sur le serveur, rien à renvoyer");

    VideoPublisher(CategoryLists &lists, const Ftp::PublishingDesk &desk, QObject *parent = nullptr);

    // The selected item of `lstBox` into the category's video folder.
    void MAJ_Hotelvideo(Common::ListBox &lstBox, int maxPbar, const QString &nomCat);
    // The category file, as last saved, into the video-list folder as KEY.ini.
    void MAJ_Hotelvideo_list(int maxPbar, const QString &nomCat);

    // The buttons of the category at `index`: "->", "=>" and "L".
    void sendSelected(int index);
    void sendAll(int index);
    void sendList(int index);
    // Command44 "===>": every category's "=>" in the table's order.
    void sendAllCategories();

private:
    // The publication's walk and send, with the transfer's detail shown; false when either failed.
    bool sendInto(Ftp::Publication &publication, const QStringList &folders, const QString &caption,
                  const QString &localfic, const QString &remotefic, bool onlyIfChanged = false);

    CategoryLists &lists_;
    const Ftp::PublishingDesk desk_;
    TransferDetail detail_;
};

} // namespace Videos
