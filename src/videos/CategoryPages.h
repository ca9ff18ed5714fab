#pragma once

#include "common/TextValue.h"

#include <QObject>

namespace Videos {

// Which of the two category pages `p1` and `p2` is shown, and its title `txtPict`.
class CategoryPages : public QObject {
    Q_OBJECT
public:
    explicit CategoryPages(QObject *parent = nullptr);

    bool isVisible(int page) const { return visible_[page - 1]; }

    // The chosen page is shown before the other is hidden.
    void showFirstPage() { showPage(1); }  // Command45 "<<"
    void showSecondPage() { showPage(2); } // Command47 ">>"

    Common::TextValue txtPict;

signals:
    void visibilityChanged(int page, bool visible);

private:
    void showPage(int page);
    void setVisible(int page, bool visible);

    bool visible_[2] = {true, false};
};

} // namespace Videos
