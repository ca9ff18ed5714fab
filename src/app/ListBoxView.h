#pragma once

#include <QListView>

class ListBox;

// A list widget showing a core ListBox: the operator's clicks set its index, and
// indexes set by code show as the selection.
class ListBoxView : public QListView {
    Q_OBJECT
public:
    explicit ListBoxView(ListBox &list, QWidget *parent = nullptr);

signals:
    void doubleClickedRow(int row);

private:
    void showIndex(int index);

    ListBox &list_;
    bool syncing_ = false;
};
