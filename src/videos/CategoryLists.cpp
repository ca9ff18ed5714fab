#include "videos/CategoryLists.h"

#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/StatusLog.h"

#include <QFileInfo>

namespace Videos {

CategoryLists::CategoryLists(QObject *parent) : QObject(parent)
{
    for (const Category &c : categories())
        lists_.push_back(std::make_unique<Common::ListBox>(c.listName));
}

int CategoryLists::indexOf(const QString &key) const
{
    for (std::size_t i = 0; i < categories().size(); ++i)
        if (categories()[i].key == key)
            return static_cast<int>(i);
    return -1;
}

Common::ListBox &CategoryLists::list(const QString &key)
{
    return list(indexOf(key));
}

void CategoryLists::loadAll(const Common::DataRoot &root)
{
    for (std::size_t i = 0; i < categories().size(); ++i) {
        try {
            Common::Module1::LoadListFile(root.categoryFile(categories()[i].key), *lists_[i]);
        } catch (const Common::ListFileError &) {
            // The list was emptied before the open failed, which is all a missing file means.
        }
    }
}

void CategoryLists::Drag_files(const QStringList &Data, Common::ListBox &lstBox)
{
    for (const QString &path : Data) {
        lstBox.addItem(path);
        if (QFileInfo(path).isDir())
            lstBox.removeItem(lstBox.count() - 1);
    }
    lstBox.setListIndex(lstBox.count() - 1);
}

void CategoryLists::save(int index, const Common::DataRoot &root, Common::StatusLog &status)
{
    const Category &category = categories().at(index);
    try {
        Common::Module1::SaveListFile(root.categoryFile(category.key), list(index));
    } catch (const Common::ListFileError &e) {
        status.Ajout_Status(category.caption
                            + QStringLiteral(": ERREUR, votre selection n'a pas été sauvegardée (%1)")
                                  .arg(e.message()));
        return;
    }
    status.Ajout_Status(category.savedMessage());
}

} // namespace Videos
