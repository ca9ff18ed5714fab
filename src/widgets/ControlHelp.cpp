#include "widgets/ControlHelp.h"

#include "widgets/ListBoxView.h"

#include <QAbstractButton>
#include <QShortcut>

namespace Widgets {

namespace {

QWidget *control(QWidget *root, const QString &name)
{
    QWidget *widget = root->findChild<QWidget *>(name);
    if (!widget)
        qWarning("No control named %s to explain", qPrintable(name));
    return widget;
}

void setHelp(QWidget *widget, const QString &text)
{
    widget->setToolTip(text);
    widget->setAccessibleDescription(text);
}

// Through the control itself, so a key does nothing where a click would do nothing.
void press(QWidget *widget)
{
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->click();
    else if (auto *list = qobject_cast<ListBoxView *>(widget))
        list->doubleClickCurrentRow();
}

void bind(QWidget *root, const ControlKey &key)
{
    QWidget *target = control(root, key.control);
    QWidget *scope = key.scope.isEmpty() ? root : control(root, key.scope);
    if (!target || !scope)
        return;
    new QShortcut(key.keys, scope, [target] { press(target); },
                  scope == root ? Qt::WindowShortcut : Qt::WidgetShortcut);
    setHelp(target, QStringLiteral("%1 (%2)").arg(target->toolTip(), key.label));
    if (scope != root && scope != target)
        setHelp(scope, QStringLiteral("%1\n%2: %3").arg(scope->toolTip(), key.label, target->accessibleName()));
}

} // namespace

void explainControls(QWidget *root, std::initializer_list<ControlHelp> help, std::initializer_list<ControlKey> keys)
{
    for (const ControlHelp &entry : help) {
        if (QWidget *widget = control(root, entry.control)) {
            widget->setAccessibleName(entry.name);
            setHelp(widget, entry.does);
        }
    }
    for (const ControlKey &key : keys)
        bind(root, key);
}

} // namespace Widgets
