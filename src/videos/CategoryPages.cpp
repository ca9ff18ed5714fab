#include "videos/CategoryPages.h"

#include "videos/Category.h"

namespace Videos {

namespace {

// "RESTAURANTS - PLAGES - NIGHT": the page's categories in capitals.
QString pageTitle(int page)
{
    QStringList keys;
    for (const Category &c : categories())
        if (c.page == page)
            keys.append(c.upperKey());
    return keys.join(QStringLiteral(" - "));
}

} // namespace

CategoryPages::CategoryPages(QObject *parent)
    : QObject(parent), txtPict(QStringLiteral("txtPict"), pageTitle(1))
{
}

void CategoryPages::showPage(int page)
{
    setVisible(page, true);
    setVisible(3 - page, false);
    txtPict.setText(pageTitle(page));
}

void CategoryPages::setVisible(int page, bool visible)
{
    if (visible_[page - 1] == visible)
        return;
    visible_[page - 1] = visible;
    emit visibilityChanged(page, visible);
}

} // namespace Videos
