#include "videos/CategoryArea.h"

#include "videos/CategoryLists.h"
#include "videos/CategoryPages.h"
#include "videos/VideoPublisher.h"
#include "widgets/ControlHelp.h"
#include "widgets/TextLabel.h"
#include "widgets/Twips.h"
#include "videos/CategoryColumn.h"

#include <QLabel>
#include <QPushButton>

namespace Videos {

namespace {

// The layout is given relative to the window's client.
QRect clientRect(int left, int top, int width, int height)
{
    return Widgets::twipsRect(left, top - CategoryArea::kTopTwips, width, height);
}

QPushButton *areaButton(const QString &name, const QString &text, const QRect &geometry,
                        QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

CategoryArea::CategoryArea(const CategoryServices &services, QWidget *client) : QFrame(client)
{
    setObjectName(QStringLiteral("categoryArea"));
    setGeometry(Widgets::twipsRect(0, kTopTwips, 12000, 13665 - kTopTwips));
    CategoryPages &pages = services.lists.pages();

    connect(areaButton(QStringLiteral("Command45"), QStringLiteral("<<"), clientRect(120, 7800, 1335, 375), this),
            &QPushButton::clicked, &pages, &CategoryPages::showFirstPage);
    connect(areaButton(QStringLiteral("Command47"), QStringLiteral(">>"), clientRect(1560, 7800, 1335, 375), this),
            &QPushButton::clicked, &pages, &CategoryPages::showSecondPage);

    auto *title = new Widgets::TextLabel(pages.txtPict, this);
    title->setFont(QFont(QStringLiteral("Century Gothic")));
    title->setGeometry(clientRect(3120, 7875, 6735, 255));

    // Parked out of sight in the old window; here beside the page title.
    connect(areaButton(QStringLiteral("Command44"), QStringLiteral("===>"), clientRect(10080, 7800, 855, 375), this),
            &QPushButton::clicked, &services.videos, &VideoPublisher::sendAllCategories);

    QWidget *pageWidgets[] = {makePage(1, services), makePage(2, services)};
    connect(&pages, &CategoryPages::visibilityChanged, this,
            [pageWidgets](int page, bool visible) { pageWidgets[page - 1]->setVisible(visible); });

    Widgets::explainControls(this, {
        {"Command45", "Première page", "Afficher les trois premières catégories"},
        {"Command47", "Seconde page", "Afficher les trois dernières catégories"},
        {"Command44", "Envoyer toutes les vidéos", "Envoyer les vidéos des six catégories au serveur des écrans"},
    });
}

QWidget *CategoryArea::makePage(int page, const CategoryServices &services)
{
    auto *widget = new QWidget(this);
    widget->setObjectName(QStringLiteral("p%1").arg(page));
    widget->setGeometry(clientRect(120, 8280, 9735, 4935));
    for (std::size_t i = 0; i < categories().size(); ++i)
        if (categories()[i].page == page)
            new CategoryColumn(static_cast<int>(i), services, widget);
    widget->setVisible(services.lists.pages().isVisible(page));
    return widget;
}

} // namespace Videos
