#pragma once

#include "ftp/PublishingDesk.h"

#include <QObject>
#include <QString>
#include <optional>

namespace Common { class ListBox; }
namespace Ftp { class Publication; }

namespace Hotels {

class HotelPhrases;

// Sends hotels' phrase files to the server phrase folder and removes them from it,
// one complete connection per hotel.
class PhrasePublisher : public QObject {
    Q_OBJECT
public:
    PhrasePublisher(HotelPhrases &hotels, const Ftp::PublishingDesk &desk, QObject *parent = nullptr);

    // Sends the selected hotel's stored phrase file; the log says OK only when it arrived.
    // A version of the server's this workstation has not seen is replaced only if the
    // operator says so (`adding`: a hotel just added, whose file the server should not have).
    void MAJ_Hoteltxt(Common::ListBox &lstBox, int maxPbar, bool adding = false);

    void addHotel();        // Command39
    void publishSelected(); // Command60
    void publishAll();      // Command59
    void removeSelected();  // Command38

private:
    enum class Removal { Deleted, Kept, Failed };

    void publishCurrent(bool adding);
    std::optional<QString> sendPhraseFile(Ftp::Publication &publication, const QString &hotel, bool adding);
    Removal deleteOnServer(const QString &hotel);

    HotelPhrases &hotels_;
    const Ftp::PublishingDesk desk_;
};

} // namespace Hotels
