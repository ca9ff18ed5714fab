#pragma once

#include <QObject>

namespace Common { class DataRoot; class ListBox; class OperatorUi; class ProgressWindow; class StatusLog; }
namespace Ftp { class FtpSession; class Publication; }

namespace Hotels {

class HotelPhrases;

// Sends hotels' phrase files to the server phrase folder and removes them from it,
// one complete connection per hotel.
class PhrasePublisher : public QObject {
    Q_OBJECT
public:
    PhrasePublisher(HotelPhrases &hotels, Ftp::FtpSession &ftp, Common::ProgressWindow &form3, Common::StatusLog &status,
                    Common::OperatorUi &ui, QObject *parent = nullptr);

    // Sends the selected hotel's stored phrase file; the log says OK only when it arrived.
    void MAJ_Hoteltxt(Common::ListBox &lstBox, int maxPbar);

    void addHotel();        // Command39
    void publishSelected(); // Command60
    void publishAll();      // Command59
    void removeSelected();  // Command38

private:
    QString sendPhraseFile(Ftp::Publication &publication, const QString &hotel);
    bool deleteOnServer(const QString &hotel);

    HotelPhrases &hotels_;
    Ftp::FtpSession &ftp_;
    Common::ProgressWindow &form3_;
    Common::StatusLog &status_;
    Common::OperatorUi &ui_;
};

} // namespace Hotels
