#pragma once

#include <QFrame>

namespace Common { class DataRoot; class StatusLog; }

namespace Videos {

class CategoryLists;
class VideoPublisher;

// What the category controls act on.
struct CategoryServices {
    CategoryLists &lists;
    VideoPublisher &videos;
    const Common::DataRoot &root;
    Common::StatusLog &status;
};

// The lower part of the main window: the page buttons and title, "===>", and the two
// pages of three category columns.
class CategoryArea : public QFrame {
    Q_OBJECT
public:
    // Where the area starts in the window's client, in twips.
    static constexpr int kTopTwips = 7680;

    CategoryArea(const CategoryServices &services, QWidget *client);

private:
    QWidget *makePage(int page, const CategoryServices &services);
};

} // namespace Videos
