#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringListModel>

namespace Common {

// A list box of the main window: items and a current index (-1 when none).
// `clicked` is raised whenever the current index is set, by the operator or by code,
// as the operations rely on that reaction. Views show `model()`, so there is one copy.
class ListBox : public QObject {
    Q_OBJECT
public:
    explicit ListBox(const QString &name, QObject *parent = nullptr);

    QStringListModel *model() { return &model_; }

    int count() const { return model_.rowCount(); }
    QString item(int index) const;
    QStringList items() const { return model_.stringList(); }
    int listIndex() const { return index_; }
    QString currentText() const { return item(index_); }

    void addItem(const QString &text);
    void insertItem(int index, const QString &text);
    void removeItem(int index);
    void setItems(const QStringList &items);
    void clear();

    // Setting the index raises `clicked` even when it does not change, like a click.
    void setListIndex(int index);

signals:
    void clicked(int index);
    void listIndexChanged(int index);

private:
    void setIndexQuietly(int index);

    QStringListModel model_;
    int index_ = -1;
};

} // namespace Common
