#pragma once

#include <QObject>

class QWidget;

namespace Hotels {

class HotelPhrases;
class PhrasePublisher;

// The hotel and phrase controls of the main window's upper area, bound to the core.
class HotelsPanel : public QObject {
    Q_OBJECT
public:
    HotelsPanel(HotelPhrases &hotels, PhrasePublisher &publisher, QWidget *client);
};

} // namespace Hotels
