#include "widgets/DropArea.h"

#include "widgets/Icons.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace Widgets {

DropArea::DropArea(const QString &name, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setPixmap(Icons::dropArea().pixmap(48, 48));
}

QStringList DropArea::localPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

void DropArea::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void DropArea::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void DropArea::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    emit filesDropped(localPaths(event->mimeData()));
}

} // namespace Widgets
