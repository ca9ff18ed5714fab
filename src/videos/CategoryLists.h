#pragma once

#include "common/ListBox.h"
#include "videos/Category.h"
#include "videos/CategoryPages.h"

#include <QObject>
#include <memory>
#include <vector>

namespace Common { class DataRoot; class StatusLog; }

namespace Videos {

// The six category lists, each the ordered selection of local video paths, and the
// pages that show them three at a time.
class CategoryLists : public QObject {
    Q_OBJECT
public:
    explicit CategoryLists(QObject *parent = nullptr);

    Common::ListBox &list(int index) { return *lists_.at(index); }
    Common::ListBox &list(const QString &key);
    int indexOf(const QString &key) const;

    // Each list from its category file; a missing or unreadable file leaves that list empty.
    void loadAll(const Common::DataRoot &root);

    // A drop: files are appended in the order delivered, folders left out, and the
    // last item selected.
    static void Drag_files(const QStringList &Data, Common::ListBox &lstBox);
    // "S": the list written to its category file, then the category's message logged;
    // a file that cannot be written gets an error line instead.
    void save(int index, const Common::DataRoot &root, Common::StatusLog &status);

    CategoryPages &pages() { return pages_; }

private:
    std::vector<std::unique_ptr<Common::ListBox>> lists_;
    CategoryPages pages_;
};

} // namespace Videos
