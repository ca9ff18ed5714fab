#pragma once

#include <QListView>

namespace Common { class ListBox; }

namespace Widgets {

// A list widget showing a core ListBox. Every change of the current entry the operator
// makes, by mouse or keyboard (arrows, Home/End, pages, type-ahead), sets the list box's
// index and so runs its click reaction once; indexes set by code show as the selection.
class ListBoxView : public QListView {
    Q_OBJECT
public:
    explicit ListBoxView(Common::ListBox &list, QWidget *parent = nullptr);

    // The keyboard's double-click: on the current entry, and only when there is one.
    void doubleClickCurrentRow();
    // Each added row is reported to a screen reader as a new child of the list.
    void announceAddedRows();

signals:
    void doubleClickedRow(int row);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void showIndex(int index);
    void clickedRow(int row);
    template <typename Handler> void asOperator(Handler handler);

    Common::ListBox &list_;
    bool syncing_ = false;
    // Only the operator's own moves are reported: a model change moving the view's
    // current entry is not a click.
    bool operatorInput_ = false;
    // The press already reported its row; the click that follows must not again.
    bool pressMoved_ = false;
};

} // namespace Widgets
