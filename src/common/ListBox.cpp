#include "common/ListBox.h"

namespace Common {

ListBox::ListBox(const QString &name, QObject *parent) : QObject(parent)
{
    setObjectName(name);
}

QString ListBox::item(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return model_.stringList().at(index);
}

void ListBox::addItem(const QString &text)
{
    insertItem(count(), text);
}

void ListBox::insertItem(int index, const QString &text)
{
    index = std::clamp(index, 0, count());
    model_.insertRows(index, 1);
    model_.setData(model_.index(index), text);
    if (index_ >= index)
        setIndexQuietly(index_ + 1);
}

void ListBox::removeItem(int index)
{
    if (index < 0 || index >= count())
        return;
    model_.removeRows(index, 1);
    if (index_ == index)
        setIndexQuietly(-1);
    else if (index_ > index)
        setIndexQuietly(index_ - 1);
}

void ListBox::setItems(const QStringList &items)
{
    model_.setStringList(items);
    setIndexQuietly(-1);
}

void ListBox::clear()
{
    setItems({});
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        index = -1;
    setIndexQuietly(index);
    if (index >= 0)
        emit clicked(index);
}

void ListBox::setIndexQuietly(int index)
{
    if (index == index_)
        return;
    index_ = index;
    emit listIndexChanged(index);
}

} // namespace Common
