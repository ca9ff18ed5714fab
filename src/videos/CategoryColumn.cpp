#include "videos/CategoryColumn.h"

#include "app/DropArea.h"
#include "app/HotelManager.h"
#include "app/ListBoxView.h"
#include "app/Twips.h"

#include <QPushButton>

namespace {

constexpr int kColumnSpacingTwips = 3240;
constexpr int kButtonTopTwips = 4440;

} // namespace

CategoryColumn::CategoryColumn(int index, HotelManager &manager, QWidget *page)
    : QWidget(page), category_(categories().at(index))
{
    setObjectName(category_.key + QStringLiteral("Column"));
    setGeometry(twipsRect(category_.column * kColumnSpacingTwips, 0, 3255, kButtonTopTwips + 375));
    CategoryLists &lists = manager.categories();
    ListBox &list = lists.list(index);

    auto *drop = new DropArea(category_.dropName, this);
    drop->setGeometry(twipsRect(0, 0, 3255, 2055));
    connect(drop, &DropArea::filesDropped, this,
            [&list](const QStringList &paths) { CategoryLists::Drag_files(paths, list); });
    auto *caption = new QLabel(category_.caption, drop);
    caption->setObjectName(category_.labelName);
    caption->setFont(QFont(QStringLiteral("Century Gothic")));
    caption->setGeometry(twipsRect(0, 0, category_.captionWidth, 255));

    auto *view = new ListBoxView(list, this);
    view->setGeometry(twipsRect(0, 2160, 3255, 2175));

    button(category_.sendListButton, QStringLiteral("L"), 0);
    button(category_.sendOneButton, QStringLiteral("->"), 480);
    button(category_.sendAllButton, QStringLiteral("=>"), 960);
    connect(button(category_.saveButton, QStringLiteral("S"), 2160), &QPushButton::clicked, this,
            [&manager, index] { manager.categories().save(index, manager.root(), manager.status()); });
    connect(button(category_.clearButton, QStringLiteral("CLR"), 2640), &QPushButton::clicked, &list,
            &ListBox::clear);
}

QPushButton *CategoryColumn::button(const QString &name, const QString &text, int left)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(twipsRect(left, kButtonTopTwips, 495, 375));
    return b;
}
