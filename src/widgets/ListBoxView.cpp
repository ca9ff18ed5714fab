#include "widgets/ListBoxView.h"

#include "common/ListBox.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace Widgets {

ListBoxView::ListBoxView(Common::ListBox &list, QWidget *parent) : QListView(parent), list_(list)
{
    setObjectName(list.objectName());
    setModel(list.model());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);

    connect(this, &QListView::clicked, this, [this](const QModelIndex &index) { clickedRow(index.row()); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex &index) { emit doubleClickedRow(index.row()); });
    connect(&list_, &Common::ListBox::listIndexChanged, this, &ListBoxView::showIndex);
    showIndex(list_.listIndex());
}

void ListBoxView::doubleClickCurrentRow()
{
    if (list_.listIndex() >= 0)
        emit doubleClickedRow(list_.listIndex());
}

// Qt has no announcement before 6.8: a new child is what reaches AT-SPI of a line added.
void ListBoxView::announceAddedRows()
{
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        if (!QAccessible::isActive())
            return; // an event would build an interface per line for nobody
        for (int row = first; row <= last; ++row) {
            QAccessibleEvent event(this, QAccessible::ObjectCreated);
            event.setChild(row);
            QAccessible::updateAccessibility(&event);
        }
    });
}

void ListBoxView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (syncing_ || !operatorInput_ || !current.isValid())
        return;
    pressMoved_ = true;
    list_.setListIndex(current.row());
}

// A click on the entry that is already current changes nothing in the view, yet it is a
// click all the same.
void ListBoxView::clickedRow(int row)
{
    if (!pressMoved_ && !syncing_)
        list_.setListIndex(row);
    pressMoved_ = false;
}

void ListBoxView::focusInEvent(QFocusEvent *event)
{
    QListView::focusInEvent(event);
    // The view makes its first entry current on focus; the list box has none selected,
    // so the first arrow key must select the first entry, not the second.
    if (list_.listIndex() < 0)
        showIndex(-1);
}

void ListBoxView::keyPressEvent(QKeyEvent *event)
{
    asOperator([&] { QListView::keyPressEvent(event); });
}

void ListBoxView::mousePressEvent(QMouseEvent *event)
{
    pressMoved_ = false;
    asOperator([&] { QListView::mousePressEvent(event); });
}

void ListBoxView::mouseMoveEvent(QMouseEvent *event)
{
    asOperator([&] { QListView::mouseMoveEvent(event); });
}

template <typename Handler> void ListBoxView::asOperator(Handler handler)
{
    const bool outer = operatorInput_;
    operatorInput_ = true;
    handler();
    operatorInput_ = outer;
}

void ListBoxView::showIndex(int index)
{
    syncing_ = true;
    if (index < 0) {
        clearSelection();
        setCurrentIndex(QModelIndex());
    } else {
        const QModelIndex modelIndex = model()->index(index, 0);
        setCurrentIndex(modelIndex);
        scrollTo(modelIndex);
    }
    syncing_ = false;
}

} // namespace Widgets
