#include "app/ListBoxView.h"

#include "app/ListBox.h"

ListBoxView::ListBoxView(ListBox &list, QWidget *parent) : QListView(parent), list_(list)
{
    setObjectName(list.objectName());
    setModel(list.model());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);

    connect(this, &QListView::clicked, this, [this](const QModelIndex &index) {
        if (!syncing_)
            list_.setListIndex(index.row());
    });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { emit doubleClickedRow(index.row()); });
    connect(&list_, &ListBox::listIndexChanged, this, &ListBoxView::showIndex);
    showIndex(list_.listIndex());
}

void ListBoxView::showIndex(int index)
{
    syncing_ = true;
    if (index < 0) {
        clearSelection();
    } else {
        const QModelIndex modelIndex = model()->index(index, 0);
        setCurrentIndex(modelIndex);
        scrollTo(modelIndex);
    }
    syncing_ = false;
}
