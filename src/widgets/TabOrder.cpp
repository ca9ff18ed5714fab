#include "widgets/TabOrder.h"

#include <QWidget>
#include <algorithm>

namespace Widgets {

void orderTabsByPosition(QWidget *window)
{
    QList<QWidget *> stops;
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (widget->window() == window && (widget->focusPolicy() & Qt::TabFocus))
            stops.append(widget);
    const auto place = [window](const QWidget *widget) {
        const QPoint at = widget->mapTo(window, QPoint(0, 0));
        return std::pair(at.y(), at.x());
    };
    std::stable_sort(stops.begin(), stops.end(),
                     [&](const QWidget *a, const QWidget *b) { return place(a) < place(b); });
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops.at(i - 1), stops.at(i));
}

} // namespace Widgets
