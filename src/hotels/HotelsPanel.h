#pragma once

#include <QObject>

class HotelManager;
class QWidget;

// The hotel and phrase controls of the main window's upper area, bound to the core.
class HotelsPanel : public QObject {
    Q_OBJECT
public:
    HotelsPanel(HotelManager &manager, QWidget *client);
};
