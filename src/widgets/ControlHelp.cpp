#include "widgets/ControlHelp.h"

#include "widgets/ListBoxView.h"

#include <QAbstractButton>
#include <QFile>
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

void explainControls(QWidget *root, const QList<ControlHelp> &help, const QList<ControlKey> &keys)
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

QList<ControlHelp> controlHelp(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qWarning("No table of controls in %s", qPrintable(resource));
    QList<ControlHelp> help;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 3)
            help.append({fields[0], fields[1], fields[2]});
        else
            qWarning("A line of %s is not three fields: %s", qPrintable(resource), qPrintable(line));
    }
    return help;
}

} // namespace Widgets
