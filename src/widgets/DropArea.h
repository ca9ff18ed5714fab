#pragma once

#include <QLabel>
#include <QStringList>

class QMimeData;

namespace Widgets {

// A picture box that takes files dragged from the desktop and reports their local
// paths in the order the file manager delivered them.
class DropArea : public QLabel {
    Q_OBJECT
public:
    explicit DropArea(const QString &name, QWidget *parent = nullptr);

    static QStringList localPaths(const QMimeData *data);

signals:
    void filesDropped(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

} // namespace Widgets
