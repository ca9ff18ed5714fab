#include "videos/CategoryColumn.h"

#include "widgets/ControlHelp.h"
#include "widgets/DropArea.h"
#include "videos/CategoryArea.h"
#include "videos/CategoryLists.h"
#include "videos/VideoPublisher.h"
#include "widgets/ListBoxView.h"
#include "widgets/Twips.h"

#include <QPushButton>

namespace Videos {

namespace {

constexpr int kColumnSpacingTwips = 3240;
constexpr int kButtonTopTwips = 4440;

} // namespace

CategoryColumn::CategoryColumn(int index, const CategoryServices &services, QWidget *page)
    : QWidget(page)
{
    const Category &category = categories().at(index);
    setObjectName(category.key + QStringLiteral("Column"));
    setGeometry(Widgets::twipsRect(category.column * kColumnSpacingTwips, 0, 3255, kButtonTopTwips + 375));
    Common::ListBox &list = services.lists.list(index);

    auto *drop = new Widgets::DropArea(category.dropName, this);
    drop->setGeometry(Widgets::twipsRect(0, 0, 3255, 2055));
    connect(drop, &Widgets::DropArea::filesDropped, this,
            [&list](const QStringList &paths) { CategoryLists::Drag_files(paths, list); });
    auto *caption = new QLabel(category.caption, drop);
    caption->setObjectName(category.labelName);
    // Small enough that "Restaurants" fits the narrow caption when the font is substituted.
    caption->setFont(QFont(QStringLiteral("Century Gothic"), 8));
    caption->setGeometry(Widgets::twipsRect(0, 0, category.captionWidth, 255));

    auto *view = new Widgets::ListBoxView(list, this);
    view->setGeometry(Widgets::twipsRect(0, 2160, 3255, 2175));

    VideoPublisher &videos = services.videos;
    connect(button(category.sendListButton, QStringLiteral("L"), 0), &QPushButton::clicked, this,
            [&videos, index] { videos.sendList(index); });
    connect(button(category.sendOneButton, QStringLiteral("->"), 480), &QPushButton::clicked, this,
            [&videos, index] { videos.sendSelected(index); });
    connect(button(category.sendAllButton, QStringLiteral("=>"), 960), &QPushButton::clicked, this,
            [&videos, index] { videos.sendAll(index); });
    connect(button(category.saveButton, QStringLiteral("S"), 2160), &QPushButton::clicked, this,
            [services, index] { services.lists.save(index, services.root, services.status); });
    connect(button(category.clearButton, QStringLiteral("CLR"), 2640), &QPushButton::clicked, &list,
            &Common::ListBox::clear);
    explain(category);
}

void CategoryColumn::explain(const Category &category)
{
    const QString &name = category.caption;
    Widgets::explainControls(this, {
        {category.dropName, "Dépôt de vidéos " + name, "Déposer ici des fichiers vidéo pour les ajouter à " + name},
        {category.listName, "Vidéos " + name, "Les vidéos de " + name + ", dans l'ordre des écrans"},
        {category.sendListButton, "Envoyer la liste " + name, "Envoyer la liste enregistrée de " + name + " au serveur des écrans"},
        {category.sendOneButton, "Envoyer la vidéo choisie de " + name, "Envoyer la vidéo choisie de " + name + " au serveur des écrans"},
        {category.sendAllButton, "Envoyer les vidéos " + name, "Envoyer toutes les vidéos de " + name + " au serveur des écrans"},
        {category.saveButton, "Enregistrer la liste " + name, "Enregistrer sur ce poste la liste de " + name},
        {category.clearButton, "Vider la liste " + name, "Vider la liste de " + name + "; les fichiers restent"},
    });
}

QPushButton *CategoryColumn::button(const QString &name, const QString &text, int left)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(Widgets::twipsRect(left, kButtonTopTwips, 495, 375));
    return b;
}

} // namespace Videos
