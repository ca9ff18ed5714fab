#pragma once

#include <QObject>

class DataRoot;
class FtpSession;
class HotelPhrases;
class ListBox;
class OperatorUi;
class ProgressWindow;
class Publication;
class StatusLog;

// Sends hotels' phrase files to the server phrase folder and removes them from it,
// one complete connection per hotel.
class PhrasePublisher : public QObject {
    Q_OBJECT
public:
    PhrasePublisher(HotelPhrases &hotels, FtpSession &ftp, ProgressWindow &form3, StatusLog &status,
                    OperatorUi &ui, QObject *parent = nullptr);

    // Sends the selected hotel's stored phrase file; the log says OK only when it arrived.
    void MAJ_Hoteltxt(ListBox &lstBox, int maxPbar);

    void addHotel();        // Command39
    void publishSelected(); // Command60
    void publishAll();      // Command59
    void removeSelected();  // Command38

private:
    QString sendPhraseFile(Publication &publication, const QString &hotel);
    bool deleteOnServer(const QString &hotel);

    HotelPhrases &hotels_;
    FtpSession &ftp_;
    ProgressWindow &form3_;
    StatusLog &status_;
    OperatorUi &ui_;
};
