#pragma once

#include "app/ListBox.h"
#include "videos/Category.h"

#include <QObject>
#include <memory>
#include <vector>

class DataRoot;

// The six category lists, each the ordered selection of local video paths.
class CategoryLists : public QObject {
    Q_OBJECT
public:
    explicit CategoryLists(QObject *parent = nullptr);

    ListBox &list(int index) { return *lists_.at(index); }
    ListBox &list(const QString &key);
    int indexOf(const QString &key) const;

    // Each list from its category file; a missing or unreadable file leaves that list empty.
    void loadAll(const DataRoot &root);

private:
    std::vector<std::unique_ptr<ListBox>> lists_;
};
