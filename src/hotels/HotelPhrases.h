#pragma once

#include "common/ListBox.h"
#include "common/TextValue.h"

#include <QObject>

namespace Common { class DataRoot; class OperatorUi; class StatusLog; }

namespace Hotels {

// The hotel list, the selected hotel's phrase list and every operation on them that
// stays on this machine.
class HotelPhrases : public QObject {
    Q_OBJECT
public:
    HotelPhrases(const Common::DataRoot &root, Common::StatusLog &status, Common::OperatorUi &ui, QObject *parent = nullptr);

    Common::ListBox lstHotel{QStringLiteral("lstHotel")};
    Common::ListBox lstHoteltxt{QStringLiteral("lstHoteltxt")};
    Common::TextValue lblHotelName{QStringLiteral("lblHotelName"), QStringLiteral("Label1")};

    // The local phrase file of a hotel; an existing file that differs only in letter
    // case is found too, since downloads keep the server's spelling.
    QString phraseFilePath(const QString &hotel) const;

    bool addHotel();      // true when a hotel was added (the caller then publishes it)
    // Takes back a hotel just added: out of the list, its local file gone.
    void withdraw(const QString &hotel);
    void addPhrase();
    void editPhrase();
    void deletePhrase();
    bool savePhrases();   // false when nothing was written
    void clearPhrases();

private:
    void selectHotel(int index);
    QString askHotelName();
    QString askPhrase(const QString &prompt, const QString &defaultAnswer);
    void refuse(const QString &text);

    const Common::DataRoot &root_;
    Common::StatusLog &status_;
    Common::OperatorUi &ui_;
};

} // namespace Hotels
