#pragma once

#include <QFrame>

class HotelManager;

// The lower part of the main window: the page buttons and title, "===>", and the two
// pages of three category columns.
class CategoryArea : public QFrame {
    Q_OBJECT
public:
    // Where the area starts in the window's client, in twips.
    static constexpr int kTopTwips = 7680;

    CategoryArea(HotelManager &manager, QWidget *client);

private:
    QWidget *makePage(int page, HotelManager &manager);
};
