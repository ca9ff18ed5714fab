#pragma once

#include <QWidget>

class QPushButton;

namespace Videos {

struct Category;
struct CategoryServices;

// One category on its page: the drop area with its caption, the list, and the
// buttons "L", "->", "=>", "S", "CLR".
class CategoryColumn : public QWidget {
    Q_OBJECT
public:
    CategoryColumn(int index, const CategoryServices &services, QWidget *page);

private:
    QPushButton *button(const QString &name, const QString &text, int left);
    void explain(const Category &category);
};

} // namespace Videos
